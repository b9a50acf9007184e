"""The zoo's item-by-item comparisons of a program skinned with the same program native.

Each comparison reads what the zoo's steps kept (records.json's windows, and the screenshots
of the steps) and answers what differs. Pixels come from the screenshots, that is from the
screen, never from anything the engine drew for itself.
"""
import functools
import subprocess
from collections import Counter


class Shot:
    """A screenshot's pixels (RGB)."""

    def __init__(self, width, height, data):
        self.width, self.height, self.data = width, height, data

    @classmethod
    def load(cls, path):
        ppm = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], stdout=subprocess.PIPE,
                             check=True).stdout
        # P6\nW H\n255\n then the pixels
        fields, start = [], 0
        while len(fields) < 4:
            while ppm[start:start + 1].isspace():
                start += 1
            end = start
            while not ppm[end:end + 1].isspace():
                end += 1
            fields.append(ppm[start:end])
            start = end
        return cls(int(fields[1]), int(fields[2]), ppm[start + 1:])

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.data[i:i + 3])

    def row(self, y, left, right):
        return [self.pixel(x, y) for x in range(max(left, 0), min(right, self.width))]

    def column(self, x, top, bottom):
        return [self.pixel(x, y) for y in range(max(top, 0), min(bottom, self.height))]

    def mode(self, rect):
        left, top, right, bottom = rect
        counts = Counter()
        for y in range(max(top, 0), min(bottom, self.height)):
            counts.update(self.row(y, left, right))
        return counts.most_common(1)[0][0] if counts else None


@functools.lru_cache(maxsize=8)
def load_shot(path):
    return Shot.load(path)


def majority(pixels):
    return Counter(pixels).most_common(1)[0][0]


# ------------------------------------------------------------------ drop-down menus


class Dropdown:
    """A drop-down menu on a screenshot: its background (its most common colour, unless given:
    a menu of one item selected is mostly its selection), the width of its frame (the columns
    at its right edge, inward, that are one colour from top to bottom and not the background:
    text or a background stops it) and its rows inside the frame."""

    def __init__(self, shot, rect, background=None):
        self.shot, self.rect = shot, tuple(rect)
        left, top, right, bottom = self.rect
        self.background = background or shot.mode(self.rect)
        self.frame = 0
        while self.frame < min(12, (right - left) // 2):
            col = shot.column(right - 1 - self.frame, top + 4, bottom - 4)
            colour, count = Counter(col).most_common(1)[0] if col else (self.background, 0)
            if colour == self.background or count * 10 < 9 * len(col):
                break
            self.frame += 1
        f = self.frame
        self.inside = (left + f, top + f, right - f, bottom - f)

    def rows(self):
        left, top, right, bottom = self.inside
        return [(y, self.shot.row(y, left, right)) for y in range(top, bottom)]

    def highlight(self, least=6):
        """The first band of at least `least` rows whose majority is not the background (a
        selected item), as (top, bottom) relative to the menu's top; None when there is none."""
        band = []
        for y, pixels in self.rows():
            if majority(pixels) != self.background:
                band.append(y)
                continue
            if len(band) >= least:
                break
            band = []
        if len(band) < least:
            return None
        return band[0] - self.rect[1], band[-1] + 1 - self.rect[1]

    def first_item_selected(self):
        """A band is selected and it is the first item: nothing but the frame above it, so it
        starts higher than its own height."""
        band = self.highlight()
        return band is not None and band[0] - self.frame < band[1] - band[0]

    def ink_at_right_frame(self):
        """Rows whose pixel just inside the right frame is neither the background nor the row's
        own majority (a selected row's colour): text that reaches the frame."""
        x = self.inside[2] - 1
        return [y for y, pixels in self.rows()
                if self.shot.pixel(x, y) not in (self.background, majority(pixels))]

    def row_bands(self):
        """Items and separators counted from the rows (a few columns in from the frame): a band
        of rows holding anything but the background is an item when taller than 3 rows, a
        separator when thinner and across most of the menu, and between items (thin lines at
        the top or bottom are the frame's); a thin short band is an underlined letter."""
        kinds = []
        height = widest = 0
        left, _, right, _ = self.inside
        for y, _ in self.rows() + [(None, None)]:
            pixels = self.shot.row(y, left + 3, right - 3) if y is not None else []
            ink = [i for i, p in enumerate(pixels) if p != self.background]
            if ink:
                height += 1
                widest = max(widest, ink[-1] - ink[0] + 1)
                continue
            if height > 3:
                kinds.append("item")
            elif height and widest * 3 >= 2 * (right - left - 6):
                kinds.append("separator")
            height = widest = 0
        while kinds and kinds[0] == "separator":
            kinds.pop(0)
        while kinds and kinds[-1] == "separator":
            kinds.pop()
        return kinds.count("item"), kinds.count("separator")


# ------------------------------------------------------------------ windows and their children


SS_TYPEMASK = 0x1F
TEXT_STATICS = {0x0, 0x1, 0x2, 0xB, 0xC}  # left, centre, right, left without wrap, simple


def inside(rect, size):
    return rect[0] >= 0 and rect[1] >= 0 and rect[2] <= size[0] and rect[3] <= size[1]


def near(a, b, slack=1):
    return all(abs(x - y) <= slack for x, y in zip(a, b))


def client_difference(what, skinned, native):
    """The client size skinned against native, within a pixel."""
    if near(skinned["client"], native["client"]):
        return []
    def size(w):  # the window's size too: a wrong client tells more beside it
        r = w["rect"]
        return f"{w['client'][0]} x {w['client'][1]} (window {r[2] - r[0]} x {r[3] - r[1]})"

    return [f"{what}: client {size(skinned)} skinned, {size(native)} native"]


def children_differences(what, skinned, native):
    """Every visible child the native window has is at the same place relative to the client
    origin skinned (within a pixel), and lies inside the client area skinned where it does
    natively. Children the engine adds (its scroll bars) are not the window's own: they must
    only lie inside."""
    found = []
    left = list(skinned["children"])
    for child in native["children"]:
        same = [c for c in left if c["class"] == child["class"]]
        if not same:
            found.append(f"{what}: its {child['class']} at {child['rect']} is missing skinned")
            continue
        best = min(same, key=lambda c: sum(abs(a - b) for a, b in zip(c["rect"], child["rect"])))
        left.remove(best)
        if not near(best["rect"], child["rect"]):
            found.append(f"{what}: {child['class']} at {best['rect']} skinned, {child['rect']} native")
        elif inside(child["rect"], native["client"]) and not inside(best["rect"], skinned["client"]):
            found.append(f"{what}: {child['class']} at {best['rect']} leaves the client area "
                         f"{skinned['client']} skinned")
    for child in left:
        if not inside(child["rect"], skinned["client"]):
            found.append(f"{what}: {child['class']} at {child['rect']}, skinned only, leaves the client area")
    return found


def opened_window(record):
    """The window a step opened (a dialog), as the step recorded it."""
    opened = record.get("opened") or []
    wins = [w for w in record["windows"] if w.get("handle") in opened]
    return wins[0] if wins else None


def main_window(record):
    framed = [w for w in record["windows"] if w["class"] != "#32768"]
    return max(framed, key=lambda w: (w["rect"][2] - w["rect"][0]) * (w["rect"][3] - w["rect"][1]))


def client_rect(window):
    x, y = window["origin"]
    return (x, y, x + window["client"][0], y + window["client"][1])


def black_share(shot, rect):
    """How much of the rectangle is black, from 0 to 1."""
    left, top, right, bottom = rect
    total = black = 0
    for y in range(top, bottom):
        for p in shot.row(y, left, right):
            total += 1
            black += p == (0, 0, 0)
    return black / total if total else 0.0


CONTAINERS = {"#32770", "SysTabControl32"}
BS_TYPEMASK, BS_GROUPBOX = 0xF, 0x7


def face_of(shot, window, page):
    """The face a page shows: its most common colour where none of its controls lies (the
    page, a tab control and group boxes hold the others and count as the face)."""
    ox, oy = window["origin"]
    controls = [c["rect"] for c in window["children"]
                if c["class"] not in CONTAINERS and not (c["class"] == "Button" and
                                                         int(c.get("style", "0"), 16) & BS_TYPEMASK == BS_GROUPBOX)]
    counts = Counter()
    left, top, right, bottom = page
    for y in range(top, bottom):
        for x in range(left, right):
            if not any(r[0] <= x < r[2] and r[1] <= y < r[3] for r in controls):
                counts[shot.pixel(ox + x, oy + y)] += 1
    return counts.most_common(1)[0][0] if counts else None


def label_boxes(shot, window, page):
    """Text labels (static controls drawing text) whose most common colour is not the face
    of the page they sit on (a rectangle relative to the client origin): a box of another
    colour behind the text."""
    face = face_of(shot, window, page)
    ox, oy = window["origin"]
    found = []
    for c in window["children"]:
        if c["class"] != "Static" or int(c.get("style", "0"), 16) & SS_TYPEMASK not in TEXT_STATICS:
            continue
        left, top, right, bottom = c["rect"]
        if right - left < 4 or bottom - top < 4:
            continue
        colour = shot.mode((ox + left, oy + top, ox + right, oy + bottom))
        if colour != face:
            found.append((tuple(c["rect"]), colour, face))
    return found


# ------------------------------------------------------------------ the comparisons of one program


class Difference:
    """What differs skinned from native; `expected` names a known fault that is not mended
    yet (printed, not failed)."""

    def __init__(self, item, text, expected=None):
        self.item, self.text, self.expected = item, text, expected

    def __str__(self):
        return f"{self.item}: {self.text}" + (f" (expected: {self.expected})" if self.expected else "")


def compare(records, menus, load=load_shot, expected=None, looks_at=()):
    """Every comparison the two looks' records allow. `menus` are the program's Alt letters,
    `expected` maps an item to the reason its difference is known, `looks_at` names the
    program's own checks at its start: "board" (its client area stays as black as natively),
    "labels" (no box behind a text label on its first page), "title" (its caption text)."""
    expected = expected or {}
    s, n = records.get("skinned", {}), records.get("native", {})
    found = []

    def differ(item, text):
        found.append(Difference(item, text, expected.get(item)))

    if "start" in s and "start" in n:
        ws, wn = main_window(s["start"]), main_window(n["start"])
        for text in client_difference("main window", ws, wn):
            differ("client", text)
        # Its own layout too: a program lays its children out for the client it is given.
        for text in children_differences("main window", ws, wn):
            differ("layout", text)

    for step in ("dialog", "about"):
        # A dialog the step could not open skinned is that step's difference, printed with it.
        if step not in n or step not in s or opened_window(n[step]) is None or opened_window(s[step]) is None:
            continue
        ws, wn = opened_window(s[step]), opened_window(n[step])
        what = f"{step} {wn['caption']!r}"
        for text in client_difference(what, ws, wn) + children_differences(what, ws, wn):
            differ("dialogs", text)

    compare_menus(s, n, menus, load, differ)

    if "system-menu" in s and "system-menu" in n:
        counts = [Dropdown(load(r["shot"]), r["menus"][0]).row_bands() for r in (s["system-menu"], n["system-menu"])]
        if counts[0] != counts[1]:
            differ("system-menu", f"{counts[0][0]} items and {counts[0][1]} separators skinned, "
                                  f"{counts[1][0]} and {counts[1][1]} native")

    if looks_at and "start" in s and "start" in n:
        compare_start(s["start"], n["start"], load, looks_at, differ)

    if "escapes" in n and s.get("escapes") != n["escapes"]:
        differ("escapes", f"after Alt+F, Escape, Escape: {s.get('escapes')} skinned, {n['escapes']} native")
    return found


def compare_start(s, n, load, looks_at, differ):
    ws, wn = main_window(s), main_window(n)
    shot_s, shot_n = load(s["shot"]), load(n["shot"])
    if "board" in looks_at:
        black = [black_share(shot, client_rect(w)) for shot, w in ((shot_s, ws), (shot_n, wn))]
        if black[0] < black[1] - 0.05:
            differ("board", f"{black[0]:.0%} of the client area is black skinned, {black[1]:.0%} native")
    if "labels" in looks_at:
        pages = [c for c in ws["children"] if c["class"] == "#32770"]
        page = pages[0]["rect"] if pages else (0, 0) + tuple(ws["client"])
        for rect, colour, face_colour in label_boxes(shot_s, ws, page):
            differ("labels", f"the label at {rect} is {colour} skinned on a face of {face_colour}")
    if "title" in looks_at and n.get("caption_width"):
        for text in title_differences(shot_s, ws, n["caption_width"]):
            differ("title", text)


def menu_background(record, load):
    """A look's menu background: the most common colour of the menu a click opened (several
    items, none selected)."""
    r = record.get("menus-by-mouse", {})
    return load(r["clicked_shot"]).mode(r["clicked"]) if r.get("clicked") else None


def compare_menus(s, n, menus, load, differ):
    mouse = {look: r.get("menus-by-mouse", {}).get("menus", []) for look, r in (("skinned", s), ("native", n))}
    back_s, back_n = menu_background(s, load), menu_background(n, load)
    for i, letter in enumerate(menus):
        step = f"menu-alt-{letter}"
        if step not in n:
            continue
        if step not in s:
            differ("alt-letter", f"Alt+{letter} opened no menu skinned")
            continue
        popup = s[step]["menus"][0]
        native_under = i < len(mouse["native"]) and n[step]["menus"][0] == mouse["native"][i]
        if native_under and (i >= len(mouse["skinned"]) or popup != mouse["skinned"][i]):
            differ("alt-letter", f"Alt+{letter} opened {popup} skinned, not the menu the mouse opens there "
                                 f"({mouse['skinned'][i] if i < len(mouse['skinned']) else 'none'})")
        menu_s = Dropdown(load(s[step]["shot"]), popup, back_s)
        menu_n = Dropdown(load(n[step]["shot"]), n[step]["menus"][0], back_n)
        if menu_s.first_item_selected() != menu_n.first_item_selected():
            differ("selection", f"Alt+{letter}: first item selected {menu_s.first_item_selected()} skinned, "
                                f"{menu_n.first_item_selected()} native")
        rows = menu_s.ink_at_right_frame()
        if rows:
            differ("right-frame", f"Alt+{letter}: text reaches the right frame skinned at rows {rows[0]}..{rows[-1]}")
    for how, key in (("clicked", "clicked"), ("slid to", "menus-by-mouse")):
        shown = {look: r.get("menus-by-mouse", {}) for look, r in (("skinned", s), ("native", n))}
        if not all(shown.values()):
            continue
        selected = []
        for look in ("skinned", "native"):
            r = shown[look]
            menu = r.get("clicked") if key == "clicked" else (r["menus"][-1:] or [None])[0]
            shot = r.get("clicked_shot") if key == "clicked" else r["shot"]
            back = back_s if look == "skinned" else back_n
            selected.append(None if not menu else Dropdown(load(shot), menu, back).highlight())
        if (selected[0] is None) != (selected[1] is None):
            differ("selection", f"the menu {how} by the mouse: selected rows {selected[0]} skinned, {selected[1]} native")


def far(a, b, by=60):
    return max(abs(x - y) for x, y in zip(a, b)) > by


def title_pieces(shot, window):
    """What the title bar shows, left to right, as column spans relative to the window's left
    edge: runs of columns holding pixels far from the bar's own colour, split by gaps of 3
    columns and more (the icon, the caption text, the buttons), less those at the window's
    edges (the frame). The bar: the rows from the window's top to the menu bar above the
    client area."""
    left, top, right, _ = window["rect"]
    band = (max(left, 0), top + 3, min(right, shot.width), window["origin"][1] - 24)
    face = shot.mode(band)
    pieces, start, gap = [], None, 0
    for x in range(band[0], band[2]):
        if any(far(p, face) for p in shot.column(x, band[1], band[3])):
            if start is None:
                start = x
            gap = 0
        elif start is not None:
            gap += 1
            if gap == 3:
                pieces.append((start - left, x - 2 - left))
                start = None
    if start is not None:
        pieces.append((start - left, band[2] - left))
    return [p for p in pieces if p[0] > 4 and p[1] < right - left - 4]


def title_differences(shot, window, full_width):
    """The caption text (the piece after the icon) shown whole: as wide as the window's text
    measured in the caption font (within 3 pixels), and 5 pixels clear of the button after
    it."""
    pieces = title_pieces(shot, window)
    if len(pieces) < 2:
        return [f"no caption text found: pieces {pieces}"]
    found = []
    text = pieces[1]
    if text[1] - text[0] < full_width - 3:
        found.append(f"the caption text is {text[1] - text[0]} px wide at {text}, the whole title {full_width} px: cut")
    if len(pieces) > 2 and pieces[2][0] - text[1] < 5:
        found.append(f"the caption text {text} runs into the button at {pieces[2]}")
    return found
