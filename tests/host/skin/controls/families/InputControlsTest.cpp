#include <gtest/gtest.h>

#include "skin/controls/ComboLayout.h"
#include "skin/controls/UpDownLayout.h"

TEST(UpDown, VerticalFramesByHalfAndState) {
  struct Case {
    const char* what;
    bool enabled, pressed;
    int cursorY;
    int upFrame, downFrame;
  } cases[] = {
      {"idle", true, false, 5, 1, 5},
      {"pressing the lower half", true, true, 30, 1, 6},
      {"pressing the upper half", true, true, 5, 2, 5},
      {"pressing exactly at the split", true, true, 20, 1, 6},
      {"hovering the lower half", true, false, 30, 1, 5},
      {"disabled", false, false, 5, 3, 7},
      {"disabled while pressed", false, true, 30, 3, 7},
  };
  for (const Case& c : cases) {
    TUpDownInput in;
    in.Client = {0, 0, 17, 40};
    in.Enabled = c.enabled;
    in.Pressed = c.pressed;
    in.CursorX = 8;
    in.CursorY = c.cursorY;
    const TUpDownLayout l = UpDownLayout(in);
    EXPECT_FALSE(l.Horizontal);
    EXPECT_EQ(l.First.Direction, adUp);
    EXPECT_EQ(l.Second.Direction, adDown);
    EXPECT_EQ(l.First.Rect, (TSkinRect{0, 0, 17, 20})) << c.what;
    EXPECT_EQ(l.Second.Rect, (TSkinRect{0, 20, 17, 40})) << c.what;
    EXPECT_EQ(l.First.Frame, c.upFrame) << c.what;
    EXPECT_EQ(l.Second.Frame, c.downFrame) << c.what;
  }
}

TEST(UpDown, HorizontalFramesByHalfAndState) {
  struct Case {
    bool enabled, pressed;
    int cursorX;
    int leftFrame, rightFrame;
  } cases[] = {{true, false, 3, 1, 5}, {true, true, 3, 2, 5}, {true, true, 30, 1, 6}, {false, true, 3, 3, 7}};
  for (const Case& c : cases) {
    TUpDownInput in;
    in.Client = {0, 0, 32, 16};
    in.Horizontal = UpDownStyleHorizontal(0x40);
    in.Enabled = c.enabled;
    in.Pressed = c.pressed;
    in.CursorX = c.cursorX;
    const TUpDownLayout l = UpDownLayout(in);
    EXPECT_TRUE(l.Horizontal);
    EXPECT_EQ(l.First.Direction, adLeft);
    EXPECT_EQ(l.Second.Direction, adRight);
    EXPECT_EQ(l.First.Rect, (TSkinRect{0, 0, 16, 16}));
    EXPECT_EQ(l.Second.Rect, (TSkinRect{16, 0, 32, 16}));
    EXPECT_EQ(l.First.Frame, c.leftFrame) << c.cursorX << c.pressed;
    EXPECT_EQ(l.Second.Frame, c.rightFrame) << c.cursorX << c.pressed;
  }
  EXPECT_FALSE(UpDownStyleHorizontal(0x20));
}

TEST(UpDown, InsideAnEditOnePixelSmallerAllRound) {
  TUpDownInput in;
  in.Client = {0, 0, 17, 41};
  in.InEdit = true;
  in.Pressed = true;
  in.CursorY = 20;  // the split of the shrunk area lies at 1 + 39 / 2 = 20
  const TUpDownLayout l = UpDownLayout(in);
  EXPECT_EQ(l.First.Rect, (TSkinRect{1, 1, 16, 20}));
  EXPECT_EQ(l.Second.Rect, (TSkinRect{1, 20, 16, 40}));
  EXPECT_EQ(l.First.Frame, 1);
  EXPECT_EQ(l.Second.Frame, 6);
}

TEST(UpDown, FrameNumbersOfEveryDirection) {
  struct Case {
    TArrowDirection d;
    int state, frame;
  } cases[] = {{adUp, 1, 1},   {adUp, 4, 4},   {adDown, 1, 5},  {adDown, 3, 7},
               {adLeft, 2, 2}, {adLeft, 3, 3}, {adRight, 1, 5}, {adRight, 4, 8}};
  for (const Case& c : cases) EXPECT_EQ(UpDownFrame(c.d, c.state), c.frame) << c.d << " " << c.state;
}

TEST(ComboButton, RectanglesLeftToRightAndRightToLeft) {
  const TSkinRect r{0, 0, 120, 21};
  const int b = 17;  // scroll-arrow width
  const TComboLayout ltr = ComboButtonLayout(r, b, ComboButtonOnLeft(0));
  EXPECT_FALSE(ltr.Mirrored);
  EXPECT_EQ(ltr.Button, (TSkinRect{101, 0, 120, 21}));
  EXPECT_EQ(ltr.GlyphArea, (TSkinRect{101, 0, 118, 21}));
  EXPECT_EQ(ltr.EditExclude, (TSkinRect{2, 2, 99, 19}));

  const TComboLayout rtl = ComboButtonLayout(r, b, ComboButtonOnLeft(0x4000));
  EXPECT_TRUE(rtl.Mirrored);
  EXPECT_EQ(rtl.Button, (TSkinRect{0, 0, 19, 21}));
  EXPECT_EQ(rtl.GlyphArea, (TSkinRect{2, 0, 19, 21}));
  EXPECT_EQ(rtl.EditExclude, (TSkinRect{21, 2, 118, 19}));

  // The button never overlaps the edit area that is kept out of the painting.
  for (const TComboLayout& l : {ltr, rtl})
    EXPECT_TRUE(l.Button.Right <= l.EditExclude.Left || l.Button.Left >= l.EditExclude.Right);

  EXPECT_EQ(ClassicComboButton(r, 17), (TSkinRect{101, 2, 118, 19}));
}

TEST(ComboButton, StateAndDrawingChoice) {
  struct Case {
    bool pressed, focused, hot, enabled;
    int state;
  } cases[] = {{false, false, false, true, 1},  {true, true, true, true, 2},
               {false, true, false, true, 4},   {false, false, true, true, 4},
               {false, false, false, false, 3}, {true, false, false, false, 2}};
  for (const Case& c : cases)
    EXPECT_EQ(ComboState(c.pressed, c.focused, c.hot, c.enabled), c.state)
        << c.pressed << c.focused << c.hot << c.enabled;
  EXPECT_EQ(ComboDrawingFor(1), TComboDrawing::Classic);
  EXPECT_EQ(ComboDrawingFor(2), TComboDrawing::Composite);
  EXPECT_EQ(ComboDrawingFor(0), TComboDrawing::Pieces);
  EXPECT_EQ(ComboDrawingFor(7), TComboDrawing::Pieces);
}

TEST(ComboButton, OnlyASimpleComboListGetsScrollBars) {
  const uint32_t child = 0x40000000u, popup = 0x80000000u;
  EXPECT_TRUE(ComboListGetsScrollBars(1, child, false));           // CBS_SIMPLE, child list
  EXPECT_FALSE(ComboListGetsScrollBars(2, child, false));          // drop-down
  EXPECT_FALSE(ComboListGetsScrollBars(3, child, false));          // drop-down list
  EXPECT_FALSE(ComboListGetsScrollBars(1, popup | child, false));  // a pop-up list
  EXPECT_FALSE(ComboListGetsScrollBars(1, child, true));           // parented to the desktop
  EXPECT_FALSE(ComboListGetsScrollBars(1, 0, false));
}
