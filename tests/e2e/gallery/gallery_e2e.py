#!/usr/bin/env python3
"""Drives the real SkinGallery.exe the way a skin author meets it.

Each scenario copies the program into a fresh temporary folder, starts it in a Wine
desktop of its own on a virtual screen, presses keys with xdotool and looks at the window
from outside: GalleryProbe.exe (window place, client size, menu check marks, message boxes) and
LumettaProbe.exe (closing message boxes, ending the process), both run in the same desktop.

Usage: gallery_e2e.py BIN_DIR [SCENARIO...] [--shots DIR]
(scenarios: start and badskin by default; pages for every page, skinned and with F2)
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "shell"))
sys.path.insert(0, os.path.join(HERE, "..", "tray"))
from lumetta_e2e import ask_probe, end_program, expect, move, parse_args, run_on_own_display, wait_for, win_path, wine  # noqa: E402
from tray_e2e import item_rows, rgb_of, screenshot  # noqa: E402

PROGRAM = "SkinGallery.exe"
FORM_CLASS = "TfrmGallery"
VK_F2 = 0x71
SHOTS = None


class Gallery:
    """One copy of the gallery and one Wine desktop on the current X display."""

    def __init__(self, bin_dir, name):
        self.bin_dir = bin_dir
        self.name = name
        self.folder = tempfile.mkdtemp(prefix=f"gallery-e2e-{name}-")
        shutil.copy(os.path.join(bin_dir, PROGRAM), os.path.join(self.folder, PROGRAM))
        self.desktop = f"/desktop=gal{os.getpid()}{name},1024x768"
        self.program_path = win_path(os.path.join(self.folder, PROGRAM))
        self.process = None
        self.launchers = []

    def start(self, *args):
        self.process = subprocess.Popen([wine(), "explorer", self.desktop, self.program_path, *args],
                                        cwd=self.folder, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def run_probe(self, exe, *args):
        return ask_probe(self.desktop, os.path.join(self.bin_dir, exe), self.folder, args, self.launchers)

    def skin_answers(self):
        """What the gallery's window answers to the skin query: 1 with a skin handler."""
        return [int(line.split("\t")[2]) for line in self.run_probe("LumettaProbe.exe", "skinquery", FORM_CLASS)
                if line.startswith("SKINQUERY")]

    def state(self):
        """The main window's caption, rectangle, client size and origin, visible, enabled, active."""
        for line in self.run_probe("GalleryProbe.exe", "state", FORM_CLASS):
            f = line.split("\t")
            if f[0] == "WIN":
                return {"caption": f[1], "rect": tuple(int(v) for v in f[2:6]),
                        "client": (int(f[6]), int(f[7])), "visible": f[8] == "1", "enabled": f[9] == "1",
                        "foreground": f[10] == "1", "origin": (int(f[11]), int(f[12]))}
        return None

    def popups(self):
        return [tuple(int(v) for v in line.split("\t")[1:5]) for line in self.run_probe("GalleryProbe.exe", "popups")
                if line.startswith("POPUP")]

    def skinning_checked(self):
        """Opens the File menu with a click on the menu bar, as a user would, and reads from the
        screen whether its first item, "Skinning", carries a check mark; then closes it. (Wine
        keeps menus private to their process, so they are read as the user sees them.)"""
        window = self.state()
        ox, oy = window["origin"]
        move(ox + 12, oy - 10)  # "&File", the first entry of the bar just above the client area
        subprocess.run(["xdotool", "click", "1"], check=True)
        rect = self.wait_for(self.popups, lambda p: len(p) == 1, timeout=10)[0]
        time.sleep(0.4)
        rows = item_rows(rect)
        expect(len(rows) >= 3, f"the File menu's text rows at {rect}: {rows}")
        with tempfile.TemporaryDirectory() as tmp:
            shot = os.path.join(tmp, "screen.png")
            screenshot(shot)
            # The check mark column: the item's left end, before its caption.
            x0, y0, w, h = rect[0] + 3, rows[0] - 5, 14, 11
            raw = rgb_of(shot, x0, y0, w, h)
        self.shot("gallery-file-menu")
        dark = sum(1 for i in range(0, len(raw), 3) if raw[i] + raw[i + 1] + raw[i + 2] < 200)
        subprocess.run(["xdotool", "key", "Escape", "Escape"], check=False)
        try:
            self.wait_for(self.popups, lambda p: not p, timeout=5)
        except AssertionError:
            move(ox + 600, oy + 470)  # a click beside the menu closes it too
            subprocess.run(["xdotool", "click", "1"], check=True)
            self.wait_for(self.popups, lambda p: not p, timeout=5)
        return dark >= 6

    def boxes(self):
        return [line.split("\t")[1:] for line in self.run_probe("GalleryProbe.exe", "boxes")
                if line.startswith("BOX")]

    def key(self, vk_name):
        """A key as the user types it, with the pointer over the window (the X screen has no
        window manager: the key goes where the pointer is). Answers whether it was sent."""
        window = self.state()
        ox, oy = window["origin"]
        move(ox + 320, oy + 240)
        return subprocess.run(["xdotool", "key", vk_name], check=False).returncode == 0

    def post_key(self, vk):
        self.run_probe("GalleryProbe.exe", "key", FORM_CLASS, str(vk))

    def wait_for(self, what, predicate, timeout=20.0, interval=0.3):
        return wait_for(what, predicate, timeout, interval)

    def shot(self, name):
        if SHOTS:
            os.makedirs(SHOTS, exist_ok=True)
            subprocess.run(["import", "-window", "root", os.path.join(SHOTS, f"{name}.png")], check=False)

    def stop(self):
        self.run_probe("LumettaProbe.exe", "kill", self.program_path)
        end_program(self.process, self.launchers)
        shutil.rmtree(self.folder, ignore_errors=True)


def shown(g):
    window = g.state()
    return window is not None and window["visible"]


# ---------------------------------------------------------------- scenarios

def scenario_start_and_f2(bin_dir):
    """The gallery starts at (100, 80) with a 640 x 480 client area, active, skinning on;
    F2 switches skinning off and on again, and the window survives."""
    g = Gallery(bin_dir, "start")
    try:
        g.start()
        g.wait_for(g.state, lambda w: w is not None and w["visible"] and w["foreground"])
        # The skin attaches as the window is first activated: its frame is measured after that.
        g.wait_for(g.skin_answers, lambda a: a == [1])
        window = g.state()
        expect(window["caption"] == "Skin Gallery", f"caption: {window['caption']!r}")
        expect(window["rect"][:2] == (100, 80), f"placed at (100, 80): {window['rect']}")
        expect(window["client"] == (640, 480), f"client area 640 x 480: {window['client']}")
        g.shot("gallery-start")
        expect(g.skinning_checked(), "Skinning checked at start")
        expect(g.skin_answers() == [1], f"the window has a skin handler: {g.skin_answers()}")

        for expected in (False, True):
            g.key("F2")
            how = "typed"
            time.sleep(0.5)
            now = g.skinning_checked()
            if now is not expected:
                how = "posted by the probe"  # the typed key did not reach the window
                g.post_key(VK_F2)
                time.sleep(0.5)
                now = g.skinning_checked()
            expect(now is expected, f"after F2 ({how}) Skinning is {'checked' if now else 'unchecked'}")
            answers = g.wait_for(g.skin_answers, lambda a: a == [1 if expected else 0])
            expect(answers == [1 if expected else 0], f"skin query after F2: {answers}")
            print(f"  F2 ({how}) -> Skinning {'checked' if now else 'unchecked'}")
        after = g.state()
        expect(after is not None and after["visible"] and after["enabled"], f"the window survives: {after}")
        expect(after["rect"] == window["rect"], f"same place and size: {after['rect']} vs {window['rect']}")
    finally:
        g.stop()


def scenario_bad_skin(bin_dir):
    """A skin file that cannot be loaded: a message box with the path and the reason; after
    it, the gallery runs with the built-in skin."""
    for label, make, reason in (("missing", None, "does not exist"),
                                ("garbage", b"this is not a skin archive\r\n", "not a skin archive")):
        g = Gallery(bin_dir, f"bad{label}")
        try:
            path = os.path.join(g.folder, f"{label}.skn")
            if make is not None:
                with open(path, "wb") as f:
                    f.write(make)
            g.start(win_path(path), "--page", "Buttons")
            boxes = g.wait_for(g.boxes, lambda b: len(b) == 1)
            caption, text = boxes[0][0], boxes[0][1] if len(boxes[0]) > 1 else ""
            print(f"  {label}: box {caption!r}: {text!r}")
            expect(caption == "Skin Gallery", f"box caption: {caption!r}")
            expect(win_path(path) in text, f"the box names the path: {text!r}")
            expect(reason in text, f"the box gives the reason: {text!r}")
            g.shot(f"gallery-bad-{label}")
            g.run_probe("LumettaProbe.exe", "close-boxes", g.program_path)
            g.wait_for(lambda: shown(g), lambda v: v)
            expect(g.skinning_checked(), "the built-in skin is back: Skinning checked")
            expect(not g.boxes(), "no further box")
        finally:
            g.stop()


PAGES = ("Buttons", "Choices", "Scrolling", "Text", "Lists", "Panels")


def scenario_pages(bin_dir):
    """Every page of the gallery skinned, then with skinning off (F2): the README's pictures
    when run with --shots DIR (gallery-<page>-skinned.png / -native.png, the window cut out).
    Skinning must change what the page looks like."""
    with tempfile.TemporaryDirectory() as tmp:
        for page in PAGES:
            g = Gallery(bin_dir, f"page{page.lower()}")
            try:
                g.start("--page", page)
                window = g.wait_for(g.state, lambda w: w is not None and w["visible"] and w["foreground"])
                time.sleep(1.5)  # the first paint of every control
                shots = {}
                for look, on in (("skinned", True), ("native", False)):
                    if not on:
                        g.post_key(VK_F2)
                        g.wait_for(g.skin_answers, lambda a: a == [0])
                        time.sleep(1.5)
                        window = g.state()  # the native frame has its own size
                    left, top, right, bottom = window["rect"]
                    crop = f"{right - left}x{bottom - top}+{left}+{top}"
                    full = os.path.join(tmp, f"{page}-{look}-screen.png")
                    screenshot(full)
                    shots[look] = os.path.join(SHOTS or tmp, f"gallery-{page.lower()}-{look}.png")
                    os.makedirs(os.path.dirname(shots[look]), exist_ok=True)
                    subprocess.run(["convert", full, "-crop", crop, "+repage", shots[look]], check=True)
                same = subprocess.run(["compare", "-metric", "AE", shots["skinned"], shots["native"], "null:"],
                                      stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True).stderr.strip()
                expect(same != "0", f"{page}: skinning changes the page ({same} pixels differ)")
                print(f"  {page}: {same} pixels differ between skinned and native")
            finally:
                g.stop()


SCENARIOS = {
    "start": scenario_start_and_f2,
    "badskin": scenario_bad_skin,
    "pages": scenario_pages,
}
# Run by default; "pages" is asked for by name (it makes the README's pictures).
DEFAULT_SCENARIOS = ("start", "badskin")


def main():
    global SHOTS
    bin_dir, names, SHOTS = parse_args(sys.argv[1:])
    return run_on_own_display(bin_dir, names or list(DEFAULT_SCENARIOS), SCENARIOS)


if __name__ == "__main__":
    sys.exit(main())
