#!/usr/bin/env python3
"""The zoo's comparisons on drawn pictures and made-up records: each must see the fault it
is there for, and nothing on a window that has none."""
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from zoo_compare import Dropdown, Shot, black_share, compare, label_boxes, title_differences  # noqa: E402

WHITE, GREY, BLUE, INK, BLACK = (250, 250, 250), (160, 160, 160), (50, 120, 220), (30, 30, 30), (0, 0, 0)


class Canvas(Shot):
    def __init__(self, width=120, height=100, colour=WHITE):
        super().__init__(width, height, bytearray(bytes(colour) * width * height))

    def fill(self, rect, colour):
        left, top, right, bottom = rect
        for y in range(top, bottom):
            for x in range(left, right):
                i = 3 * (y * self.width + x)
                self.data[i:i + 3] = bytes(colour)
        return self

    def text(self, rect):
        """Strokes of text: thin, apart, the last one at the rectangle's right end."""
        left, top, right, bottom = rect
        for x in range(right - 1, left - 1, -3):
            self.fill((x, top, x + 1, bottom), INK)
        return self


def menu(items=4, selected=None, text_right=70, separator_after=None, frame=2):
    """A drop-down at (10, 10)-(90, 10 + 4 + 18 * items): a grey frame, white inside, items of
    18 rows with 8 rows of text from x 16 to text_right, one item selected (blue band)."""
    c = Canvas()
    bottom = 10 + 2 * frame + 18 * items
    c.fill((10, 10, 90, bottom), GREY).fill((10 + frame, 10 + frame, 90 - frame, bottom - frame), WHITE)
    for i in range(items):
        top = 10 + frame + 18 * i
        if i == selected:
            c.fill((10 + frame, top, 90 - frame, top + 18), BLUE)
        c.text((16, top + 5, text_right, top + 13))
        if i == separator_after:
            c.fill((14, top + 17, 86, top + 18), GREY)
    return c, (10, 10, 90, bottom)


class DropdownTest(unittest.TestCase):
    def test_selection(self):
        cases = [  # selected item, a band found, the first item selected
            (None, False, False),
            (0, True, True),
            (2, True, False),
        ]
        for selected, band, first in cases:
            with self.subTest(selected=selected):
                d = Dropdown(*menu(selected=selected))
                self.assertEqual(d.highlight() is not None, band)
                self.assertEqual(d.first_item_selected(), first)

    def test_frame_and_text_at_the_right_frame(self):
        for frame in (1, 2, 3):
            for text_right, reaches in ((70, False), (89 - frame, False), (90 - frame, True)):
                with self.subTest(frame=frame, text_right=text_right):
                    d = Dropdown(*menu(frame=frame, text_right=text_right, selected=1))
                    self.assertEqual(d.frame, frame)
                    self.assertEqual(bool(d.ink_at_right_frame()), reaches)

    def test_row_bands_count_items_and_separators(self):
        cases = [  # items, a line under which item, separators counted
            (3, None, 0),
            (4, 1, 1),
            (2, 0, 1),
            (3, 2, 0),  # a line under the last item is the frame's
        ]
        for items, separator_after, separators in cases:
            with self.subTest(items=items, separator_after=separator_after):
                d = Dropdown(*menu(items=items, separator_after=separator_after))
                self.assertEqual(d.row_bands(), (items, separators))


def window(cls, client, children=(), handle="1", origin=(0, 0)):
    return {"handle": handle, "class": cls, "caption": cls, "rect": (0, 0, client[0] + 8, client[1] + 30),
            "client": client, "origin": origin,
            "children": [{"class": c, "rect": r, "style": st} for c, r, st in children]}


def looks(skinned, native):
    return {look: {"start": {"windows": [window("Main", (300, 200))]},
                   "dialog": {"windows": [w, window("Main", (300, 200))], "opened": ["d"]}}
            for look, w in (("skinned", skinned), ("native", native))}


class DialogTest(unittest.TestCase):
    CHILDREN = [("Button", (10, 150, 80, 175), "0"), ("ComboBox", (90, 150, 200, 300), "0")]

    def test_dialogs_against_native(self):
        native = window("#32770", (240, 180), self.CHILDREN, "d")
        cases = [  # what the skinned dialog is, how many differences
            ("the same", window("#32770", (240, 180), self.CHILDREN, "d"), 0),
            ("a pixel off", window("#32770", (241, 181), [("Button", (11, 151, 81, 176), "0"),
                                                          self.CHILDREN[1]], "d"), 0),
            ("8 px taller, its bottom row moved down",
             window("#32770", (240, 188), [("Button", (10, 158, 80, 183), "0"), self.CHILDREN[1]], "d"), 2),
            ("a child missing", window("#32770", (240, 180), self.CHILDREN[:1], "d"), 1),
            ("the engine's own child beside them",
             window("#32770", (240, 180), self.CHILDREN + [("LumettaScroll", (220, 0, 240, 180), "0")], "d"), 0),
            ("the engine's own child out of the client area",
             window("#32770", (240, 180), self.CHILDREN + [("LumettaScroll", (230, 0, 250, 180), "0")], "d"), 1),
        ]
        for what, skinned, count in cases:
            with self.subTest(what):
                found = compare(looks(skinned, native), "", load=None)
                self.assertEqual(len(found), count, [str(d) for d in found])

    def test_a_child_inside_natively_must_stay_inside(self):
        native = window("#32770", (240, 180), [("Button", (10, 150, 80, 180), "0")], "d")
        skinned = window("#32770", (240, 179), [("Button", (10, 150, 80, 180), "0")], "d")
        found = compare(looks(skinned, native), "", load=None)
        self.assertEqual(["dialogs"], [d.item for d in found])

    def test_a_dialog_not_opened_skinned_is_left_to_its_step(self):
        records = looks(window("#32770", (240, 190), (), "d"), window("#32770", (240, 180), (), "d"))
        del records["skinned"]["dialog"]
        self.assertEqual(compare(records, "", load=None), [])

    def test_expected_difference_keeps_its_reason(self):
        native = window("#32770", (240, 180), (), "d")
        skinned = window("#32770", (240, 190), (), "d")
        found = compare(looks(skinned, native), "", load=None, expected={"dialogs": "known"})
        self.assertEqual([("dialogs", "known")], [(d.item, d.expected) for d in found])


class LabelTest(unittest.TestCase):
    def test_white_box_behind_a_label(self):
        face = (212, 208, 200)
        page = window("#32770", (110, 90), [("Static", (10, 10, 60, 22), "50000000"),
                                           ("Static", (10, 40, 60, 52), "5000000b"),
                                           ("Static", (70, 10, 100, 40), "50000003")])  # an icon
        for boxed, count in ((False, 0), (True, 1)):
            with self.subTest(boxed=boxed):
                c = Canvas(colour=face).text((12, 12, 40, 20)).fill((70, 10, 100, 40), BLUE)
                if boxed:
                    c.fill((10, 40, 60, 52), WHITE).text((12, 42, 40, 50))
                self.assertEqual(len(label_boxes(c, page, (0, 0, 110, 90))), count)


def menu_records(alt_at=(10, 10, 90, 86), alt_selected=0, clicked_selected=None, system_items=4):
    """Both looks of a program with one menu (Alt+F) and a system menu, drawn; the native look
    as Wine shows it, the skinned one as the arguments say."""
    native_menu, rect = menu(selected=0)
    pictures = {"n-clicked": menu()[0], "n-alt": native_menu, "n-sys": menu(items=4)[0],
                "s-clicked": menu(selected=clicked_selected)[0], "s-alt": menu(selected=alt_selected)[0],
                "s-sys": menu(items=system_items)[0]}

    def look(k, alt):
        return {"menus-by-mouse": {"menus": [list(rect)], "shot": f"{k}-clicked", "clicked": list(rect),
                                   "clicked_shot": f"{k}-clicked"},
                "menu-alt-f": {"menus": [list(alt)], "shot": f"{k}-alt"},
                "system-menu": {"menus": [list(rect)], "shot": f"{k}-sys"}}
    return {"skinned": look("s", alt_at), "native": look("n", rect)}, pictures.__getitem__


class MenuComparisonTest(unittest.TestCase):
    def test_menus_against_native(self):
        cases = [  # what the skinned look does, the items found
            ("as natively", {}, []),
            ("Alt+F opens the menu elsewhere", {"alt_at": (30, 10, 110, 86)}, ["alt-letter"]),
            ("Alt+F selects nothing", {"alt_selected": None}, ["selection"]),
            ("Alt+F selects the second item", {"alt_selected": 1}, ["selection"]),
            ("a click selects the first item", {"clicked_selected": 0}, ["selection", "selection"]),
            ("the system menu has an item less", {"system_items": 3}, ["system-menu"]),
        ]
        for what, skinned, items in cases:
            with self.subTest(what):
                records, load = menu_records(**skinned)
                found = compare(records, "f", load=load)
                self.assertEqual([d.item for d in found], items, [str(d) for d in found])

    def test_a_menu_the_keys_do_not_open_or_an_escape_too_many(self):
        records, load = menu_records()
        del records["skinned"]["menu-alt-f"]
        records["native"]["escapes"] = {"alive": True, "shown": True}
        records["skinned"]["escapes"] = {"alive": True, "shown": False}
        self.assertEqual([d.item for d in compare(records, "f", load=load)], ["alt-letter", "escapes"])


def titled(text_right, button_left=90):
    """A window (0, 0)-(120, 100) with a frame line at each side, whose title bar shows an
    icon, a caption from x 24 to text_right and a button from button_left; its client area
    starts at y 50."""
    c = Canvas(colour=WHITE).fill((0, 0, 2, 100), GREY).fill((118, 0, 120, 100), GREY)
    c.fill((4 + 2, 6, 20, 20), BLUE).text((24, 8, text_right, 18))
    c.fill((button_left, 8, button_left + 12, 18), INK)
    return c, {"rect": (0, 0, 120, 100), "origin": (4, 50), "client": (112, 46), "children": []}


class StartTest(unittest.TestCase):
    def test_main_window_layout_against_native(self):
        # A status bar laid out for a client 19 px taller than the one the window kept.
        edit, bar = ("Edit", (0, 0, 300, 180), "0"), ("msctls_statusbar32", (0, 180, 300, 200), "0")
        native = {"start": {"windows": [window("Main", (300, 200), [edit, bar])]}}
        cases = [
            ("as natively", [edit, bar], []),
            ("below its client", [("Edit", (0, 0, 300, 199), "0"), ("msctls_statusbar32", (0, 199, 300, 219), "0")],
             ["layout", "layout"]),
        ]
        for what, children, items in cases:
            with self.subTest(what):
                skinned = {"start": {"windows": [window("Main", (300, 200), children)]}}
                found = compare({"skinned": skinned, "native": native}, "", load=None)
                self.assertEqual(items, [d.item for d in found], [str(d) for d in found])

    def test_title_against_its_whole_width(self):
        cases = [  # the caption's end, its button, what is found
            (80, 90, []),
            (78, 90, []),  # a pixel or two narrower: another rounding
            (40, 90, ["cut"]),
            (80, 84, ["runs into"]),
        ]
        for text_right, button_left, faults in cases:
            with self.subTest(text_right=text_right, button_left=button_left):
                found = title_differences(*titled(text_right, button_left), 55)
                self.assertEqual(len(found), len(faults), found)
                for fault, text in zip(faults, found):
                    self.assertIn(fault, text)

    def test_board_stays_black(self):
        client = (10, 10, 60, 60)
        for painted, share in ((BLACK, 1.0), (GREY, 0.0)):
            with self.subTest(painted=painted):
                c = Canvas().fill(client, painted)
                self.assertAlmostEqual(black_share(c, client), share)
        half = Canvas().fill((10, 10, 35, 60), BLACK)
        self.assertAlmostEqual(black_share(half, client), 0.5)


if __name__ == "__main__":
    unittest.main()
