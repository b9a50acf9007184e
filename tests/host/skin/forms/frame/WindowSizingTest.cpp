#include <gtest/gtest.h>

#include "skin/forms/WindowSizing.h"

namespace {
const TFrameBorders Skin{4, 30, 4, 7, 0};
}

TEST(WindowSizing, AttachAndDetachGiveTheClientAreaBack) {
  // A form with a 300 x 200 client area in a native frame of 8 x 34 (4-pixel sizing
  // frame, 26-pixel caption).
  TAdjustInput in;
  in.IsForm = true;
  in.SavedClientWidth = 300;
  in.SavedClientHeight = 200;
  in.FormClientWidth = 300;
  in.WindowHeight = 234;
  in.CyFrame = 4;
  in.CyCaption = 26;
  in.Borders = Skin;
  const TAdjustResult a = AdjustWindowSize(in);
  EXPECT_EQ(a, (TAdjustResult{false, 308, 237, 300, 200, 0}));
  // The skinned client is the same 300 x 200.
  EXPECT_EQ(a.Width - Skin.Left - Skin.Right, 300);
  EXPECT_EQ(a.Height - Skin.Top - Skin.Bottom, 200);

  EXPECT_EQ(NativeSizeAfterDetach(a.Width, a.Height, Skin, 8, 34), (TWindowSize{308, 234}));
  // With a menu bar its height leaves with the skin too.
  EXPECT_EQ(NativeSizeAfterDetach(308, 257, {4, 30, 4, 7, 20}, 8, 54), (TWindowSize{308, 254}));
}

TEST(WindowSizing, ForeignWindowsUseTheSavedClientArea) {
  TAdjustInput in;
  in.SavedClientWidth = 200;
  in.SavedClientHeight = 100;
  in.WindowHeight = 999;  // a foreign window's own frame plays no part
  in.Borders = {4, 30, 4, 7, 20};
  EXPECT_EQ(AdjustWindowSize(in), (TAdjustResult{false, 208, 157, 200, 100, 0}));
}

TEST(WindowSizing, RefreshReReadsTheClientButKeepsTheOldWidth) {
  TAdjustInput in;
  in.Refresh = true;
  in.IsForm = true;
  in.SavedClientWidth = 300;
  in.SavedClientHeight = 200;
  in.ClientWidth = 310;
  in.ClientHeight = 190;
  in.Borders = Skin;
  EXPECT_EQ(AdjustWindowSize(in), (TAdjustResult{false, 308, 227, 310, 190, 0}));
}

TEST(WindowSizing, MaximizedWindowsOnlyRepaintTheFrame) {
  TAdjustInput in;
  in.Maximized = true;
  in.SavedClientWidth = 300;
  in.SavedClientHeight = 200;
  in.Borders = Skin;
  const TAdjustResult r = AdjustWindowSize(in);
  EXPECT_TRUE(r.FrameChangedOnly);
  EXPECT_EQ(r.SavedClientWidth, 300);
  EXPECT_EQ(r.SavedClientHeight, 200);
}

TEST(WindowSizing, MessageBoxesWidenToTheirCaption) {
  struct Case {
    int captionWidth;
    bool refresh;
    int width, shift;
  } cases[] = {
      {400, false, 470, 81},  // needs 10 + 400 + 60; half the 162 extra pixels
      {401, false, 471, 81},  // odd difference: the half is truncated
      {200, false, 308, 0},   // wide enough already
      {238, false, 308, 0},   // exactly wide enough
      {400, true, 308, 0},    // a skin change does not widen again
  };
  for (const Case& c : cases) {
    TAdjustInput in;
    in.MessageBox = true;
    in.Refresh = c.refresh;
    in.SavedClientWidth = 300;
    in.SavedClientHeight = 120;
    in.ClientWidth = 300;
    in.ClientHeight = 120;
    in.Borders = Skin;
    in.CaptionWidth = c.captionWidth;
    in.TextShift = 10;
    in.TextRightClip = 60;
    const TAdjustResult r = AdjustWindowSize(in);
    EXPECT_EQ(r.Width, c.width) << c.captionWidth;
    EXPECT_EQ(r.ChildShift, c.shift) << c.captionWidth;
    EXPECT_EQ(r.Height, 157) << c.captionWidth;
  }
}
