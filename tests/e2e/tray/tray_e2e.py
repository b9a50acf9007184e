#!/usr/bin/env python3
"""The notification-area icon of the real Lumetta.exe, as a user meets it.

The program runs in a Wine desktop with a taskbar; the icon is found on screen by its
colours at the right end of the taskbar, right-clicked with xdotool, and the menu, the
Option and About dialogs and the exit are checked from outside with LumettaProbe.exe.
Reuses the sessions of the shell scenarios (tests/e2e/shell/lumetta_e2e.py).

Usage: tray_e2e.py BIN_DIR [--shots DIR] [SCENARIO...]   (with --shots, saves tray-menu.png,
option.png and about.png there; runs every scenario when none is named)
"""
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "shell"))
import lumetta_e2e as e2e  # noqa: E402

MENU_ITEMS = ["Magic", "Flag", "ChooseImage (.PNG)", "", "Option", "", "About", "", "Exit"]
SCREEN_W, SCREEN_H = 1024, 768
STRIP = 48  # the taskbar lies in the bottom rows of the desktop


def screenshot(path):
    subprocess.run(["import", "-window", "root", path], check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def rgb_of(path, x, y, w, h):
    raw = subprocess.run(["convert", path, "-crop", f"{w}x{h}+{x}+{y}", "+repage", "-depth", "8", "rgb:-"],
                         check=True, stdout=subprocess.PIPE).stdout
    return raw


def find_icon():
    """Centre of our sparkle (warm gold pixels) in the right half of the taskbar, or None."""
    with tempfile.TemporaryDirectory() as tmp:
        shot = os.path.join(tmp, "screen.png")
        screenshot(shot)
        x0, y0, w, h = SCREEN_W // 2, SCREEN_H - STRIP, SCREEN_W // 2, STRIP
        raw = rgb_of(shot, x0, y0, w, h)
    xs, ys = [], []
    for i in range(0, len(raw) - 2, 3):
        r, g, b = raw[i], raw[i + 1], raw[i + 2]
        if r > 200 and 130 < g < 235 and b < 110:
            p = i // 3
            xs.append(x0 + p % w)
            ys.append(y0 + p // w)
    if len(xs) < 6:
        return None
    return (sum(xs) // len(xs), sum(ys) // len(ys))


def click(x, y, button):
    e2e.move(x, y)
    subprocess.run(["xdotool", "click", str(button)], check=True)


def open_menu(s, icon):
    """Right-clicks the icon; answers the open menu's rect and, where the system lets another
    process read them, its item texts (Wine does not: menus are private to their process)."""
    click(*icon, 3)

    def menus():
        rect, items = None, []
        for line in s.probe("menus"):
            f = line.split("\t")
            if f[0] == "ITEM":
                items.append(f[2] if len(f) > 2 else "")
            elif len(f) >= 10 and rect is None:
                rect = tuple(int(v) for v in f[4:8])
        return rect, items

    return s.wait_for(menus, lambda m: m[0] is not None, timeout=10)


def shoot(shots, name, rect, margin=12):
    if not shots:
        return
    os.makedirs(shots, exist_ok=True)
    with tempfile.TemporaryDirectory() as tmp:
        full = os.path.join(tmp, "screen.png")
        screenshot(full)
        left, top = max(0, rect[0] - margin), max(0, rect[1] - margin)
        right, bottom = min(SCREEN_W, rect[2] + margin), min(SCREEN_H, rect[3] + margin)
        subprocess.run(["convert", full, "-crop", f"{right - left}x{bottom - top}+{left}+{top}", "+repage",
                        "-strip", os.path.join(shots, name)], check=True)
    print(f"  saved {name} ({right - left} x {bottom - top})")


def item_rows(rect):
    """Vertical centres of the menu's text lines, top to bottom, read from the screen: runs
    of rows holding dark text pixels (separator lines and the frame are left out)."""
    with tempfile.TemporaryDirectory() as tmp:
        shot = os.path.join(tmp, "screen.png")
        screenshot(shot)
        x0, y0, w, h = rect[0] + 4, rect[1] + 2, rect[2] - rect[0] - 8, rect[3] - rect[1] - 4
        raw = rgb_of(shot, x0, y0, w, h)
    rows = []
    for y in range(h):
        line = raw[y * w * 3:(y + 1) * w * 3]
        dark = sum(1 for i in range(0, len(line), 3) if line[i] + line[i + 1] + line[i + 2] < 150)
        rows.append(0 < dark < w * 0.6)
    centres, start = [], None
    for y, has_text in enumerate(rows + [False]):
        if has_text and start is None:
            start = y
        elif not has_text and start is not None:
            if y - start >= 4:
                centres.append(y0 + (start + y) // 2)
            start = None
    return centres


def menu_rows(rect):
    """The six text lines of the tray menu, read again until all six are drawn (a loaded
    machine paints the menu a while after it opens)."""
    try:
        return e2e.wait_for(lambda: item_rows(rect), lambda rows: len(rows) == 6, timeout=5)
    except AssertionError:
        rows = item_rows(rect)
        e2e.expect(len(rows) == 6, f"six items in the menu at {rect}: rows {rows}")
        return rows


SKIN_ACCENT = (0x3A, 0x7B, 0xD5)  # the built-in skin's selected menu item


def accent_pixels(rect, row):
    """Pixels of the skin's accent colour in the menu's text line around the row."""
    with tempfile.TemporaryDirectory() as tmp:
        shot = os.path.join(tmp, "screen.png")
        screenshot(shot)
        raw = rgb_of(shot, rect[0], row - 4, rect[2] - rect[0], 9)
    return sum(1 for i in range(0, len(raw) - 2, 3)
               if all(abs(raw[i + k] - SKIN_ACCENT[k]) <= 8 for k in range(3)))


def choose(s, icon, index):
    """Opens the menu and clicks its index-th text item."""
    rect, _ = open_menu(s, icon)
    rows = menu_rows(rect)
    click((rect[0] + rect[2]) // 2, rows[index], 1)
    return rect


def visible_window(s, cls):
    return [w for w in s.windows() if w.cls == cls and w.visible]


def skin_answers(s, cls):
    """What each visible window of the class answers to the skin query (1: it has a skin handler)."""
    return [int(line.split("\t")[2]) for line in s.probe("skinquery", cls) if line.startswith("SKINQUERY")]


SHOTS = None  # where scenario_tray saves its pictures (--shots), if anywhere


def scenario_tray(bin_dir):
    """Icon in the taskbar; right click opens the menu; Option and About open; Exit removes the icon."""
    s = e2e.Session(bin_dir, "tray")
    try:
        e2e.move(5, 5)
        s.start()
        s.wait_for(s.particles, lambda p: len(p) == 8)
        icon = s.wait_for(find_icon, lambda p: p is not None, timeout=20)
        print(f"  icon seen at {icon}")

        rect, items = open_menu(s, icon)
        e2e.expect(not items or items == MENU_ITEMS, f"menu items: {items}")
        e2e.expect(skin_answers(s, "#32768") == [1], "the menu window has a popup handler")
        # The menu opens at the cursor, moved only as far as it must to stay on the screen
        # (Wine keeps it above the taskbar, so it may end just above the click point).
        dx = max(rect[0] - icon[0], 0, icon[0] - rect[2])
        dy = max(rect[1] - icon[1], 0, icon[1] - rect[3])
        e2e.expect(max(dx, dy) <= 24, f"menu {rect} opened at the cursor {icon}")
        # Under Wine another process cannot read the items, so they are told apart on screen:
        # six text lines, Option the fourth, About the fifth, Exit the last.
        rows = menu_rows(rect)
        # The skin draws the items: the one under the cursor sits on the skin's selected
        # frame (its accent blue), and the menu's frame is the skin's, not the system's.
        e2e.move((rect[0] + rect[2]) // 2, rows[3])
        time.sleep(0.4)
        accent = accent_pixels(rect, rows[3])
        e2e.expect(accent > 40, f"the selected item on the skin's frame: {accent} accent pixels")
        e2e.expect(accent_pixels(rect, rows[0]) == 0, "the others on their normal frame")
        shoot(SHOTS, "tray-menu.png",
              (min(rect[0], icon[0] - 20), min(rect[1], icon[1] - 20), max(rect[2], icon[0] + 20), SCREEN_H))
        click((rect[0] + rect[2]) // 2, rows[3], 1)  # Magic, Flag, ChooseImage, Option
        option = s.wait_for(lambda: visible_window(s, "TForm1"), lambda w: len(w) == 1, timeout=10)[0]
        # A 311 x 124 form keeps its client area inside the built-in skin's frame (4-pixel
        # sides and bottom, a 30-pixel title bar), 7 pixels taller than Wine's own frame.
        e2e.expect(option.caption == "Option" and (option.width, option.height) == (311, 131),
                   f"Option dialog: {option} {option.caption!r}")
        time.sleep(0.5)
        e2e.expect(skin_answers(s, "TForm1") == [1], "the Option dialog has a form handler")
        shoot(SHOTS, "option.png", (option.left, option.top, option.right, option.bottom))

        choose(s, icon, 4)  # ... Option, About
        about = s.wait_for(lambda: visible_window(s, "TAboutBox"), lambda w: len(w) == 1, timeout=10)[0]
        e2e.expect(about.caption == "About", f"About dialog: {about.caption!r}")
        time.sleep(0.5)
        e2e.expect(skin_answers(s, "TAboutBox") == [1], "the About dialog has a form handler")
        shoot(SHOTS, "about.png", (about.left, about.top, about.right, about.bottom))
        # Both dialogs stay open side by side: neither is modal.
        e2e.expect(len(visible_window(s, "TForm1")) == 1, "Option still open")

        choose(s, icon, 5)  # the last one: Exit
        s.wait_for(s.pids, lambda p: not p, timeout=15)
        gone = s.wait_for(find_icon, lambda p: p is None, timeout=10)
        e2e.expect(gone is None, "the icon left the taskbar")
    finally:
        s.stop()


def key(*names):
    subprocess.run(["xdotool", "key", *names], check=True)


def expect_particles_above(s, dialog):
    """With the cursor held over the dialog, the Flag chain rests on it, and every particle
    that lies on the dialog shows on the screen over it (its centre is not the dialog's face)."""
    cursor = (dialog.left + 30, dialog.top + 60)
    e2e.move(cursor[0] + 1, cursor[1])
    e2e.move(*cursor)
    row = [(cursor[0] + 30 * i, cursor[1]) for i in range(8)]
    parts = s.wait_for(s.particles, lambda p: sorted((w.left, w.top) for w in p) == row, timeout=15)
    on = [w for w in parts if w.left >= dialog.left and w.right <= dialog.right and w.bottom <= dialog.bottom]
    e2e.expect(len(on) >= 4, f"particles on the dialog {dialog}: {on}")

    def hidden_now():
        with tempfile.TemporaryDirectory() as tmp:
            shot = os.path.join(tmp, "screen.png")
            screenshot(shot)
            face = rgb_of(shot, dialog.left + 8, dialog.bottom - 12, 1, 1)

            def covered(w):
                # The middle of the picture: how much of it is the dialog's face colour.
                box = rgb_of(shot, int(w.centre[0]) - 6, int(w.centre[1]) - 6, 12, 12)
                pixels = [box[i:i + 3] for i in range(0, len(box), 3)]
                return sum(1 for p in pixels if sum(abs(a - b) for a, b in zip(p, face)) < 40) > len(pixels) // 2

            return [w for w in on if covered(w)], face

    # A particle just moved may show a moment later on a loaded machine; one left behind
    # the dialog stays hidden.
    try:
        hidden, face = s.wait_for(hidden_now, lambda h: not h[0], timeout=3)
    except AssertionError:
        hidden, face = hidden_now()
    e2e.expect(not hidden, f"particles behind the {dialog.cls} (its face {tuple(face)} over them): {hidden}")


def scenario_quick_reopen(bin_dir):
    """The keyboard works in the menu: Escape closes it, and a menu reopened at once takes its
    choice by the arrows and Return (Option, then About), however quickly it follows; the
    particles stay above each dialog."""
    s = e2e.Session(bin_dir, "reopen", settings="[Image]\nFlag=True\n")
    try:
        e2e.move(5, 5)
        s.start()
        s.wait_for(s.particles, lambda p: len(p) == 8)
        icon = s.wait_for(find_icon, lambda p: p is not None, timeout=20)
        for downs, cls in ((4, "TForm1"), (5, "TAboutBox")):
            open_menu(s, icon)
            time.sleep(0.3)
            key("Escape")
            time.sleep(0.3)
            # Had Escape not closed it, this click would only close the menu left open.
            open_menu(s, icon)
            time.sleep(0.3)
            key(*["Down"] * downs, "Return")
            shown = s.wait_for(lambda: visible_window(s, cls), lambda w: len(w) == 1, timeout=10)
            print(f"  {cls} opened by the keyboard: {shown[0]}")
            expect_particles_above(s, shown[0])
            e2e.move(*icon)
        # The window that held the keyboard for the menu is gone again; nothing else of ours shows.
        others = [w for w in s.windows() if w.visible and not w.is_particle() and w.cls not in ("TForm1", "TAboutBox")]
        e2e.expect(others == [], f"no other window of Lumetta on screen: {others}")
    finally:
        s.stop()


SCENARIOS = {"tray": scenario_tray, "reopen": scenario_quick_reopen}


def main():
    global SHOTS
    bin_dir, names, SHOTS = e2e.parse_args(sys.argv[1:])
    return e2e.run_on_own_display(bin_dir, names or list(SCENARIOS), SCENARIOS)


if __name__ == "__main__":
    sys.exit(main())
