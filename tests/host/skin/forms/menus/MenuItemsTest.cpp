// Owner-drawn menu items: measuring, frames, glyph box contents, layout (also mirrored),
// text colours, separators and which menus stay with the system.
#include <gtest/gtest.h>

#include "skin/forms/MenuItems.h"

TEST(MenuItemMeasure, PopupAndMainMenuWidths) {
  struct Case {
    int width, leftWidth;
    bool images;
    int popup, skinned;
  } cases[] = {
      {100, 0, true, 112, 110},  {100, 0, false, 135, 135}, {100, 4, true, 116, 114},
      {100, 4, false, 139, 139}, {0, 0, false, 35, 35},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MeasurePopupItemWidth(c.width, c.leftWidth, c.images), c.popup)
        << c.width << " " << c.leftWidth;
    EXPECT_EQ(MeasureSkinnedItemWidth(c.width, c.leftWidth, c.images), c.skinned)
        << c.width << " " << c.leftWidth;
  }
}

TEST(MenuItemMeasure, NativeItems) {
  struct Case {
    int textWidth, keysWidth;
    bool hasText;
    int height, leftWidth;
    bool win9x;
    int w, h;
  } cases[] = {
      {50, 0, true, 15, 4, false, 80, 19},
      {50, 0, true, 15, 4, true, 80, 23},
      {0, 0, false, 15, 0, false, 26, 8},  // a separator: fixed height whatever the system said
      {0, 0, false, 15, 0, true, 26, 12},
  };
  for (const Case& c : cases) {
    const TNativeItemSize s =
        MeasureNativeItem(c.textWidth, c.keysWidth, c.hasText, c.height, c.leftWidth, c.win9x);
    EXPECT_EQ(s.Width, c.w) << c.textWidth << " " << c.win9x;
    EXPECT_EQ(s.Height, c.h) << c.textWidth << " " << c.win9x;
  }
  // A shortcut gets its column: the item holds the caption where it is drawn and the
  // shortcut right-aligned before the right inset, with a gap between them.
  for (int leftWidth : {0, 4, 20})
    for (int keys : {1, 30, 200}) {
      const int caption = 50;
      const TNativeItemSize s = MeasureNativeItem(caption, keys, true, 15, leftWidth, false);
      const TSkinRect item{0, 0, s.Width, 19};
      const TMenuItemLayout l = LayoutMenuItem(item, leftWidth, CheckBoxSize(0, false, false), false, false);
      const TSkinRect captionBox = CentreCaption(l.TextArea, caption, 13);
      const TShortcutPlace place = PlaceShortcut(item, captionBox, false);
      EXPECT_GE(place.Area.Width(), keys + 8) << leftWidth << " " << keys;
      EXPECT_LE(captionBox.Right, l.TextArea.Right);
    }
  EXPECT_TRUE(IsWin9xVersion(0xC0000A04u));
  EXPECT_FALSE(IsWin9xVersion(0x1DB10106u));
}

TEST(MenuItemMeasure, NativeTextSplitsAtTheFirstTab) {
  struct Case {
    const char* text;
    const char* caption;
    const char* keys;
  } cases[] = {
      {"&Find...\tCtrl+F", "&Find...", "Ctrl+F"},
      {"Import Registry File...", "Import Registry File...", ""},
      {"\tF3", "", "F3"},
      {"A\tB\tC", "A", "B\tC"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    const TMenuText t = SplitMenuText(c.text);
    EXPECT_EQ(t.Caption, c.caption) << c.text;
    EXPECT_EQ(t.Keys, c.keys) << c.text;
  }
}

TEST(MenuItemMeasure, EmptyCaptionsKeepAHeight) {
  EXPECT_EQ(TextForMeasuring(""), " ");
  EXPECT_EQ(TextForMeasuring("&"), "& ");
  EXPECT_EQ(TextForMeasuring("&&"), "&&");
  EXPECT_EQ(TextForMeasuring("Exit"), "Exit");
}

TEST(MenuItemFrames, SelectedNormalAndSeparator) {
  EXPECT_EQ(MenuItemFrame(false, false), 1);
  EXPECT_EQ(MenuItemFrame(false, true), 4);
  EXPECT_EQ(MenuItemFrame(true, false), 2);
  EXPECT_EQ(MenuItemFrame(true, true), 2) << "a separator never looks selected";
}

TEST(MenuItemGlyph, CheckMarkOrSunkenBox) {
  struct Case {
    bool separator, images;
    int index, count;
    bool checked;
    TGlyphKind kind;
  } cases[] = {
      {false, false, -1, 0, true, TGlyphKind::CheckMark},
      {false, false, -1, 0, false, TGlyphKind::None},
      {false, true, 2, 3, true, TGlyphKind::SunkenImage},
      {false, true, 2, 3, false, TGlyphKind::Image},
      {false, true, 3, 3, true, TGlyphKind::CheckMark},  // index past the list: no image
      {false, true, -1, 3, true, TGlyphKind::CheckMark},
      {false, false, 0, 3, true, TGlyphKind::CheckMark},  // an index but no list
      {true, true, 0, 3, true, TGlyphKind::None},
  };
  for (const Case& c : cases)
    EXPECT_EQ(GlyphKindOf(c.separator, c.images, c.index, c.count, c.checked), c.kind)
        << c.separator << c.images << " " << c.index << "/" << c.count << " " << c.checked;
}

TEST(MenuItemGlyph, CheckBoxSize) {
  EXPECT_EQ(CheckBoxSize(0, false, false), 16);
  EXPECT_EQ(CheckBoxSize(24, true, false), 24);
  EXPECT_EQ(CheckBoxSize(12, true, false), 12);
  EXPECT_EQ(CheckBoxSize(12, true, true), 16) << "a check mark needs 16 pixels";
  EXPECT_EQ(CheckBoxSize(20, true, true), 20);
}

// Right to left mirrors the item: the check mark sits at the right edge, the keys at the left.
TEST(MenuItemLayout, LeftToRightAndRightToLeftMirror) {
  const TSkinRect item{0, 10, 200, 30};
  struct Case {
    bool rtl;
    TSkinRect glyph, text;
    TSkinRect caption, keys;  // the caption's place in, the shortcut's place out
  } cases[] = {
      {false, {5, 11, 21, 27}, {24, 10, 199, 30}, {24, 13, 60, 27}, {60, 13, 189, 27}},
      {true, {179, 11, 195, 27}, {1, 10, 176, 30}, {140, 13, 176, 27}, {11, 13, 140, 27}},
  };
  for (const Case& c : cases) {
    const TMenuItemLayout l = LayoutMenuItem(item, 4, 16, false, c.rtl);
    EXPECT_EQ(l.GlyphBox, c.glyph) << "rtl " << c.rtl;
    EXPECT_EQ(l.TextArea, c.text) << "rtl " << c.rtl;
    EXPECT_EQ(l.TextRight, c.rtl);
    const TShortcutPlace s = PlaceShortcut(item, c.caption, c.rtl);
    EXPECT_EQ(s.Area, c.keys) << "rtl " << c.rtl;
    EXPECT_EQ(s.AlignRight, !c.rtl);
  }
}

TEST(MenuItemLayout, SeparatorsHaveNoGlyphBox) {
  const TMenuItemLayout l = LayoutMenuItem(TSkinRect{0, 0, 100, 8}, 4, 16, true, false);
  EXPECT_TRUE(l.GlyphBox.Empty());
  EXPECT_EQ(l.TextArea.Left, 8);
}

TEST(MenuItemLayout, CaptionCentredVertically) {
  EXPECT_EQ(CentreCaption(TSkinRect{24, 10, 199, 30}, 40, 14), (TSkinRect{24, 13, 64, 27}));
  EXPECT_EQ(CentreCaption(TSkinRect{24, 10, 199, 30}, 40, 30), (TSkinRect{24, 5, 64, 35}))
      << "taller than the item";
}

TEST(MenuItemColours, ByStateAndTheDisabledRule) {
  constexpr TSkinColour hilight = 0xFFFFFF, text = 0x101010, shadow = 0x808080, gray = SysColourRef(17);
  struct Case {
    bool selected, enabled;
    TSkinColour shadowColour, expected;
  } cases[] = {
      {false, true, shadow, text},   {true, true, shadow, hilight}, {false, false, shadow, shadow},
      {true, false, shadow, shadow}, {false, false, text, gray},    {true, false, text, gray},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MenuItemTextColour(c.selected, c.enabled, hilight, text, c.shadowColour, gray), c.expected)
        << c.selected << c.enabled << " " << c.shadowColour;
}

TEST(MenuItemGates, DisableTagAndSystemCommands) {
  EXPECT_FALSE(PopupMenuSkinnable(99, 99));
  EXPECT_FALSE(PopupMenuSkinnable(199, 99));
  EXPECT_TRUE(PopupMenuSkinnable(98, 99));
  EXPECT_TRUE(PopupMenuSkinnable(0, 99));
  EXPECT_TRUE(PopupMenuSkinnable(-99, 99)) << "the remainder keeps the sign";
  EXPECT_FALSE(PopupMenuSkinnable(5, 5));
  EXPECT_TRUE(PassItemToSystem(false, 1));
  EXPECT_TRUE(PassItemToSystem(false, 4095));
  EXPECT_FALSE(PassItemToSystem(false, 4096));
  EXPECT_FALSE(PassItemToSystem(false, 0));
  EXPECT_FALSE(PassItemToSystem(false, 0xF060));
  EXPECT_FALSE(PassItemToSystem(true, 10));
}

TEST(MenuSeparator, ThreePiecesFromFrameTwo) {
  // Image of 5 frames of 20 x 10; item 100 x 6: the bottom 6 rows.
  const TSeparatorPlan p = PlanMenuSeparator(TSkinRect{3, 40, 103, 46}, 100, 10, 4, 5);
  ASSERT_EQ(p.Count, 3);
  EXPECT_EQ(p.Pieces[0].Source, (TSkinRect{20, 4, 24, 10}));
  EXPECT_EQ(p.Pieces[0].Target, (TSkinRect{3, 40, 7, 46}));
  EXPECT_EQ(p.Pieces[1].Source, (TSkinRect{24, 4, 35, 10}));
  EXPECT_EQ(p.Pieces[1].Target, (TSkinRect{7, 40, 98, 46}));
  EXPECT_EQ(p.Pieces[2].Source, (TSkinRect{35, 4, 40, 10}));
  EXPECT_EQ(p.Pieces[2].Target, (TSkinRect{98, 40, 103, 46}));
}

TEST(MenuSeparator, TallItemsAndDegenerateInput) {
  const TSeparatorPlan tall = PlanMenuSeparator(TSkinRect{0, 0, 50, 30}, 100, 10, 0, 0);
  ASSERT_EQ(tall.Count, 1);
  EXPECT_EQ(tall.Pieces[0].Source, (TSkinRect{20, 0, 40, 10}));
  EXPECT_EQ(tall.Pieces[0].Target, (TSkinRect{0, 0, 50, 30}));
  // Margins wider than the item or the frame are cut down, never crossed.
  const TSeparatorPlan narrow = PlanMenuSeparator(TSkinRect{0, 0, 6, 8}, 100, 10, 30, 30);
  int covered = 0;
  for (int i = 0; i < narrow.Count; ++i) {
    EXPECT_GE(narrow.Pieces[i].Source.Left, 20);
    EXPECT_LE(narrow.Pieces[i].Source.Right, 40);
    covered += narrow.Pieces[i].Target.Width();
  }
  EXPECT_EQ(covered, 6);
  EXPECT_EQ(PlanMenuSeparator(TSkinRect{0, 0, 50, 8}, 4, 10, 0, 0).Count, 0) << "narrower than five frames";
  EXPECT_EQ(PlanMenuSeparator(TSkinRect{0, 0, 0, 8}, 100, 10, 0, 0).Count, 0);
}
