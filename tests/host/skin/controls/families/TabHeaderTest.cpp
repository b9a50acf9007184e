#include <gtest/gtest.h>

#include "skin/controls/HeaderLayout.h"
#include "skin/controls/ImageTextLayout.h"
#include "skin/controls/TabLayout.h"
#include "skin/data/ImgUtil.h"

namespace {
// The rectangle covered by pixels of the colour (empty rectangle when none).
TSkinRect Bounds(const TPixelBuffer& b, uint32_t colour) {
  TSkinRect r{b.Width, b.Height, 0, 0};
  for (int y = 0; y < b.Height; ++y)
    for (int x = 0; x < b.Width; ++x)
      if (b.GetPixel(x, y) == colour)
        r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1), std::max(r.Bottom, y + 1)};
  return r.Empty() ? TSkinRect{} : r;
}
void Fill(TPixelBuffer& b, const TSkinRect& r, uint32_t colour) {
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) b.SetPixel(x, y, colour);
}
}  // namespace

TEST(TabPosition, FromStyleAndTheTurnsEachSideUses) {
  struct Case {
    uint32_t style;
    TTabPosition position;
    TTabTurns turns;
  } cases[] = {
      {0x0, tpTop, {TImageTurn::None, TImageTurn::None, TImageTurn::None}},
      {0x2, tpBottom, {TImageTurn::FlipVert, TImageTurn::FlipVert, TImageTurn::None}},
      {0x80, tpLeft, {TImageTurn::None, TImageTurn::RotateLeft, TImageTurn::RotateLeft}},
      {0x82, tpRight, {TImageTurn::None, TImageTurn::RotateRight, TImageTurn::RotateRight}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadTabPosition(c.style), c.position) << c.style;
    EXPECT_EQ(TabTurns(c.position), c.turns) << c.style;
  }
}

TEST(TabGeometry, PageAreaAndStripOnEachSide) {
  const TSkinRect window{0, 0, 200, 150};
  struct Case {
    TTabPosition position;
    TSkinRect display, page, strip;
    int bufferW, bufferH;
  } cases[] = {
      {tpTop, {4, 26, 196, 146}, {0, 23, 200, 150}, {0, 0, 200, 23}, 200, 23},
      {tpBottom, {4, 4, 196, 124}, {0, 0, 200, 127}, {0, 127, 200, 150}, 200, 23},
      {tpLeft, {31, 4, 196, 146}, {28, 0, 200, 150}, {0, 0, 28, 150}, 150, 28},
      {tpRight, {4, 4, 169, 146}, {0, 0, 172, 150}, {172, 0, 200, 150}, 150, 28},
  };
  for (const Case& c : cases) {
    const TSkinRect page = TabPageArea(c.display, c.position);
    EXPECT_EQ(page, c.page) << c.position;
    const TSkinRect strip = TabStrip(window, page, c.position);
    EXPECT_EQ(strip, c.strip) << c.position;
    int w = 0, h = 0;
    TabBufferSize(strip, c.position, w, h);
    EXPECT_EQ(w, c.bufferW) << c.position;
    EXPECT_EQ(h, c.bufferH) << c.position;
  }
}

TEST(TabGeometry, TopAndBottomItemsMoveIntoTheBuffer) {
  EXPECT_EQ(TabItemInBuffer({2, 2, 60, 22}, tpTop, {0, 23, 200, 150}, 200, 200), (TSkinRect{2, 3, 60, 23}));
  // Bottom tabs: up by the page's bottom + 1.
  EXPECT_EQ(TabItemInBuffer({2, 128, 60, 148}, tpBottom, {0, 0, 200, 127}, 200, 200),
            (TSkinRect{2, 0, 60, 20}));
}

// Side tabs are drawn across a 150 x 28 buffer that is then turned into the strip.
TEST(TabGeometry, SideTabsLandOnTheirItemAfterTheBufferIsTurned) {
  struct Case {
    const char* name;
    TTabPosition position;
    TSkinRect item, page, inBuffer;
    void (*turn)(TPixelBuffer&);
    TSkinRect landed;  // strip coordinates
  } cases[] = {
      // A 28 x 150 strip at the window's left; an item from y 2 to 60, x 2 to 26.
      {"left", tpLeft, {2, 2, 26, 60}, {28, 0, 200, 150}, {90, 2, 148, 26}, RotateLeft, {2, 2, 26, 60}},
      // A strip from x 172 to the right edge of a 200-wide window; the tab is drawn one pixel
      // above its item, as top tabs are drawn one pixel below theirs.
      {"right", tpRight, {174, 2, 198, 60}, {0, 0, 172, 150}, {1, 2, 59, 26}, RotateRight, {2, 1, 26, 59}},
  };
  for (const Case& c : cases) {
    TPixelBuffer buffer(150, 28);
    const TSkinRect inBuffer = TabItemInBuffer(c.item, c.position, c.page, buffer.Width, 200);
    EXPECT_EQ(inBuffer, c.inBuffer) << c.name;
    Fill(buffer, inBuffer, 0x00FF00);
    c.turn(buffer);
    ASSERT_EQ(buffer.Width, 28) << c.name;
    ASSERT_EQ(buffer.Height, 150) << c.name;
    EXPECT_EQ(Bounds(buffer, 0x00FF00), c.landed) << c.name;
  }
}

TEST(TabGeometry, StripCopyLeavesTheScrollerUntouched) {
  const TSkinRect strip{0, 0, 200, 23};
  const TSkinRect scroller{160, 2, 200, 22};
  const std::vector<TSkinRect> parts = RectsAround(strip, scroller);
  // Every pixel of the strip is painted exactly once, except the scroller's, never.
  for (int y = strip.Top; y < strip.Bottom; ++y)
    for (int x = strip.Left; x < strip.Right; ++x) {
      int hits = 0;
      for (const TSkinRect& p : parts) hits += x >= p.Left && x < p.Right && y >= p.Top && y < p.Bottom;
      const bool inScroller = x >= 160 && y >= 2 && y < 22;
      ASSERT_EQ(hits, inScroller ? 0 : 1) << x << "," << y;
    }
  EXPECT_EQ(RectsAround(strip, {300, 0, 320, 20}), std::vector<TSkinRect>{strip});  // outside: one copy
  EXPECT_TRUE(RectsAround(strip, {-5, -5, 210, 30}).empty());                       // covers it all
}

TEST(TabSet, DrawsTheTabsThatFitAndKeepsRoomForTheScroller) {
  TTabSetInput in;
  in.TextWidths = {30, 40, 50, 10};
  in.Current = 1;
  in.StartMargin = 4;
  in.EndMargin = 4;
  in.Width = 140;
  in.Height = 20;
  // Without a scroller: 4..43, 43..92; the 50 tab needs up to 151 and is skipped; the
  // 10 tab fits at 92..111.
  const std::vector<TTabSetTab> plain = TabSetLayout(in);
  const std::vector<TTabSetTab> expectPlain = {
      {0, {4, 0, 43, 20}, 1}, {1, {43, 0, 92, 20}, 2}, {3, {92, 0, 111, 20}, 1}};
  EXPECT_EQ(plain, expectPlain);
  // With the scroller 21 pixels must follow each tab, within 116: the 40 tab
  // (43 + 40 + 21 = 104) fits, the 10 tab after it (92 + 10 + 21 = 123) no longer does.
  in.ScrollerVisible = true;
  in.Width = 120;
  const std::vector<TTabSetTab> scrolled = TabSetLayout(in);
  const std::vector<TTabSetTab> expectScrolled = {{0, {4, 0, 43, 20}, 1}, {1, {43, 0, 92, 20}, 2}};
  EXPECT_EQ(scrolled, expectScrolled);
  in.FirstVisible = 2;
  in.ScrollerVisible = false;
  EXPECT_EQ(TabSetLayout(in).front().Index, 2);
}

TEST(Header, FillRightOfTheLastItem) {
  const TSkinRect bar{0, 0, 300, 20};
  EXPECT_EQ(HeaderFillRect(bar, {{0, 0, 100, 20}, {100, 0, 180, 20}}), (TSkinRect{180, 0, 300, 20}));
  EXPECT_EQ(HeaderFillRect(bar, {{100, 0, 180, 20}, {0, 0, 100, 20}}), (TSkinRect{180, 0, 300, 20}));
  EXPECT_EQ(HeaderFillRect(bar, {{0, 0, 300, 20}}), std::nullopt);
  EXPECT_EQ(HeaderFillRect(bar, {{0, 0, 320, 20}}), std::nullopt);  // scrolled past the edge
  EXPECT_EQ(HeaderFillRect(bar, {}), bar);
  EXPECT_EQ(HeaderFillRect({10, 0, 300, 20}, {}), (TSkinRect{10, 0, 300, 20}));  // from the bar's own left
}

TEST(Header, ImageOnlyWithTheFlagsAndAlignmentFromTheFormat) {
  EXPECT_EQ(HeaderItemImage(0x0000, 3), -1);
  EXPECT_EQ(HeaderItemImage(0x4000, 3), -1);  // HDF_STRING alone
  EXPECT_EQ(HeaderItemImage(0x0800, 3), 3);
  EXPECT_EQ(HeaderItemImage(0x8000, 3), 3);
  EXPECT_EQ(HeaderItemAlign(0x4000), TItemAlign::Left);
  EXPECT_EQ(HeaderItemAlign(0x4001), TItemAlign::Right);
  EXPECT_EQ(HeaderItemAlign(0x4002), TItemAlign::Centre);
}

TEST(ImageText, IconAndTextPlaces) {
  TImageTextInput in;
  in.Rect = {10, 0, 110, 20};
  in.TextWidth = 40;
  in.TextHeight = 13;
  in.IconWidth = in.IconHeight = 16;
  in.HasImageList = true;

  // Centred, no image index: text at 10 + 30 + 1.
  TImageTextLayout l = ImageTextLayout(in);
  EXPECT_FALSE(l.ShowIcon);
  EXPECT_EQ(l.Text, (TSkinRect{41, 3, 81, 16}));

  // Centred with an icon: start (100 - 16 - 40) / 2 = 22.
  in.ImageIndex = 0;
  l = ImageTextLayout(in);
  EXPECT_TRUE(l.ShowIcon);
  EXPECT_EQ(l.IconX, 32);
  EXPECT_EQ(l.IconY, 2);
  EXPECT_EQ(l.Text, (TSkinRect{49, 3, 89, 16}));

  // Right aligned, a text too long: never before 2, clipped at the right edge.
  in.Align = TItemAlign::Right;
  in.TextWidth = 120;
  l = ImageTextLayout(in);
  EXPECT_EQ(l.IconX, 12);
  EXPECT_EQ(l.Text, (TSkinRect{29, 3, 110, 16}));

  // No image list, or an icon as wide as the rectangle: text only.
  in.Align = TItemAlign::Left;
  in.TextWidth = 40;
  in.HasImageList = false;
  EXPECT_FALSE(ImageTextLayout(in).ShowIcon);
  in.HasImageList = true;
  in.IconWidth = 100;
  l = ImageTextLayout(in);
  EXPECT_FALSE(l.ShowIcon);
  EXPECT_EQ(l.Text, (TSkinRect{13, 3, 53, 16}));
}
