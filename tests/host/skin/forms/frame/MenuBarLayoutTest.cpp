#include <gtest/gtest.h>

#include <string>

#include "skin/forms/MenuBarLayout.h"

TEST(MenuBarFirstOffset, ImageMarginsFlatFillAndNarrowBars) {
  struct Case {
    TMenuBarOrigin in;
    int expected;
  } cases[] = {
      {{false, 7, 9, false, 400}, 6},                                  // flat fill ignores the margins
      {{false, 7, 9, true, 400}, 6},  {{true, 7, 9, false, 400}, 11},  // left cap + 4
      {{true, 7, 9, true, 400}, 17},                                   // right-to-left: right cap + 8
      {{true, 7, 9, false, 10}, 12},                                   // narrower than the offset
      {{true, 7, 9, false, 11}, 11},                                   // exactly as wide
      {{true, 7, 9, true, 16}, 12},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MenuBarFirstOffset(c.in), c.expected)
        << c.in.HasImage << c.in.RightToLeft << " w " << c.in.BarWidth;
}

TEST(LayoutMenuBar, LeftToRightSlotsAndFrameBounds) {
  // A bar at (4, 30)-(204, 50) in window-frame coordinates.
  const TSkinRect bar{4, 30, 204, 50};
  const auto slots = LayoutMenuBar({{true, 20, false}, {true, 31, false}, {true, 5, false}}, bar, 6, false);
  ASSERT_EQ(slots.size(), 3u);
  EXPECT_EQ(slots[0].Slot, (TSkinRect{6, 0, 36, 19}));
  EXPECT_EQ(slots[1].Slot, (TSkinRect{36, 0, 77, 19}));
  EXPECT_EQ(slots[2].Slot, (TSkinRect{77, 0, 92, 19}));
  EXPECT_EQ(slots[0].Bounds, (TSkinRect{10, 30, 40, 49}));
  EXPECT_EQ(slots[2].Bounds, (TSkinRect{81, 30, 96, 49}));
}

TEST(LayoutMenuBar, RightToLeftStartsFromTheRightEdge) {
  const TSkinRect bar{0, 0, 200, 20};
  const auto slots = LayoutMenuBar({{true, 20, false}, {true, 30, false}}, bar, 6, true);
  EXPECT_EQ(slots[0].Slot, (TSkinRect{164, 0, 194, 19}));
  EXPECT_EQ(slots[1].Slot, (TSkinRect{124, 0, 164, 19}));
}

TEST(LayoutMenuBar, InvisibleButtonsTakeNoRoomAndAllInvisibleIsAnEmptyBar) {
  const TSkinRect bar{4, 30, 204, 50};
  auto slots = LayoutMenuBar({{false, 20, false}, {true, 30, false}, {false, 9, false}}, bar, 6, false);
  EXPECT_TRUE(slots[0].Bounds.Empty());
  EXPECT_TRUE(slots[2].Bounds.Empty());
  EXPECT_EQ(slots[1].Slot.Left, 6);  // the first visible one starts the bar
  slots = LayoutMenuBar({{false, 20, false}, {false, 30, false}}, bar, 6, false);
  for (const auto& s : slots) EXPECT_TRUE(s.Bounds.Empty() && s.Slot.Empty());
  // An empty caption is a zero-wide button.
  slots = LayoutMenuBar({{true, 20, true}, {true, 30, false}}, bar, 6, false);
  EXPECT_TRUE(slots[0].Bounds.Empty());
  EXPECT_EQ(slots[1].Slot.Left, 6);
}

TEST(Accelerators, LetterAfterAmpersandAndCaseFreeLookup) {
  struct Case {
    std::wstring caption;
    wchar_t expected;
  } cases[] = {
      {L"&File", L'F'}, {L"E&dit", L'd'}, {L"View", 0}, {L"Save && &Quit", L'Q'},
      {L"A&&B", 0},     {L"End&", 0},     {L"", 0},     {L"&\u00c9t\u00e9", 0xC9},
  };
  for (const Case& c : cases)
    EXPECT_EQ(AcceleratorOf(c.caption), c.expected) << std::string(c.caption.begin(), c.caption.end());

  // The case mapping is the platform's; here one that knows ASCII and a Cyrillic pair.
  const TCaseFold fold = [](wchar_t c) -> wchar_t {
    if (c >= L'a' && c <= L'z') return static_cast<wchar_t>(c - 32);
    if (c == L'\u0444') return L'\u0424';  // small ef to capital ef
    return c;
  };
  std::vector<TMenuBarButtonInfo> bar = {
      {true, true, false, {}, L'F'},       // File
      {true, false, false, {}, L'E'},      // Edit, disabled
      {false, true, false, {}, L'V'},      // View, invisible
      {true, true, false, {}, L'e'},       // hElp: the enabled one with 'e'
      {true, true, false, {}, L'f'},       // a second 'f' loses to the first
      {true, true, false, {}, L'\u0424'},  // a Cyrillic capital ef
      {true, true, false, {}, 0xC9},       // a capital e acute, unknown to this mapping
  };
  struct Lookup {
    wchar_t ch;
    int expected;
  } lookups[] = {
      // The mapping decides the case, not a table of ours: 0xE9 is no case of 0xC9 here.
      {L'f', 0}, {L'F', 0},      {L'E', 3},      {L'v', -1}, {L'x', -1},
      {0, -1},   {L'\u0444', 5}, {L'\u0424', 5}, {0xC9, 6},  {0xE9, -1},
  };
  for (const Lookup& l : lookups) EXPECT_EQ(ButtonIndexByAccel(bar, l.ch, fold), l.expected) << int(l.ch);
}

TEST(MenuButtonIndexAt, FirstButtonWithACaptionContainingThePoint) {
  std::vector<TMenuBarButtonInfo> bar = {
      {true, true, true, {10, 30, 40, 49}, 0},  // empty caption: never hit
      {true, true, false, {10, 30, 40, 49}, 0},
      {true, true, false, {40, 30, 70, 49}, 0},
  };
  EXPECT_EQ(MenuButtonIndexAt(bar, 10, 30), 1);
  EXPECT_EQ(MenuButtonIndexAt(bar, 39, 48), 1);
  EXPECT_EQ(MenuButtonIndexAt(bar, 40, 30), 2);
  EXPECT_EQ(MenuButtonIndexAt(bar, 70, 30), -1);
  EXPECT_EQ(MenuButtonIndexAt(bar, 20, 49), -1);
  EXPECT_EQ(MenuButtonIndexAt(bar, 9, 35), -1);
}

TEST(NeighbourButton, WrapsRoundAndPassesOverButtonsThatCannotOpen) {
  std::vector<TMenuBarButtonInfo> bar = {{true, true, false, {}, 0},
                                         {false, true, false, {}, 0},
                                         {true, false, false, {}, 0},
                                         {true, true, true, {}, 0}};
  struct Case {
    int open;
    bool forward;
    int expected;
  } cases[] = {
      {0, true, 2},                   // the invisible one is passed over; a disabled one can still open
      {2, true, 0},                   // past the last openable wraps to the first
      {0, false, 2},                  // before the first wraps to the last openable
      {2, false, 0},  {-1, true, 0},  // nothing open yet
      {-1, false, 2},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NeighbourButton(bar, c.open, c.forward), c.expected) << c.open << c.forward;
  EXPECT_EQ(NeighbourButton({{true, true, false, {}, 0}}, 0, true), -1);  // alone: nowhere to go
  EXPECT_EQ(NeighbourButton({}, 0, true), -1);
}

TEST(MirrorArrowKey, SwapsOnlyTheHorizontalArrowsOfRightToLeftMenus) {
  EXPECT_EQ(MirrorArrowKey(VirtualKeyLeft, true), VirtualKeyRight);
  EXPECT_EQ(MirrorArrowKey(VirtualKeyRight, true), VirtualKeyLeft);
  EXPECT_EQ(MirrorArrowKey(VirtualKeyLeft, false), VirtualKeyLeft);
  EXPECT_EQ(MirrorArrowKey(0x28 /*down*/, true), 0x28u);
}

namespace {
std::string Shape(const std::vector<TTidyItem>& items) {
  std::string s;
  for (const TTidyItem& i : items)
    if (i.Visible) s += i.Separator ? '-' : 'x';
  return s;
}
std::vector<TTidyItem> Items(const std::string& pattern) {
  // '-' visible separator, '_' hidden separator, 'x' visible item, 'o' hidden item
  std::vector<TTidyItem> out;
  for (char c : pattern) out.push_back({c == '-' || c == '_', c == '-' || c == 'x'});
  return out;
}
}  // namespace

TEST(TidySeparators, OneSeparatorBetweenVisibleItemsNoneAtTheEnds) {
  struct Case {
    const char* in;
    const char* shown;
  } cases[] = {
      {"-x--x-", "x-x"},  // separator, A, separator, separator, B, separator
      {"xx", "xx"},      {"---", ""},   {"", ""},
      {"x-o-x", "x-x"},  // a hidden item between two separators
      {"x_x", "x-x"},    // a hidden separator between two visible items shows again
      {"x-o", "x"},      // the item after the separator is hidden: nothing follows
      {"o-x", "x"},      {"x---", "x"}, {"--x", "x"},
  };
  for (const Case& c : cases) {
    auto items = Items(c.in);
    TidySeparators(items);
    EXPECT_EQ(Shape(items), c.shown) << c.in;
  }
  // The separator kept is the last of a run.
  auto items = Items("x--x");
  TidySeparators(items);
  EXPECT_FALSE(items[1].Visible);
  EXPECT_TRUE(items[2].Visible);
}
