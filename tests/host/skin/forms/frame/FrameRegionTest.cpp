#include <gtest/gtest.h>

#include "skin/forms/FrameRegion.h"

namespace {
TRegionInput Window(int left, int top, int right, int bottom) {
  TRegionInput in;
  in.Width = 300;
  in.Height = 200;
  in.Borders = {4, 30, 5, 6, 0};
  in.TransLeft = left;
  in.TransTop = top;
  in.TransRight = right;
  in.TransBottom = bottom;
  return in;
}
}  // namespace

TEST(PlanFrameRegion, WhenToBuild) {
  struct Case {
    const char* name;
    void (*edit)(TRegionInput&);
    TRegionAction action;
  } cases[] = {
      {"first build", [](TRegionInput&) {}, raShaped},
      {"same size: kept", [](TRegionInput& in) { in.LastWidth = 300, in.LastHeight = 200; }, raKeep},
      {"same size while reskinning: rebuilt",
       [](TRegionInput& in) { in.LastWidth = 300, in.LastHeight = 200, in.Reskinning = true; }, raShaped},
      {"same size for an MDI child: rebuilt",
       [](TRegionInput& in) { in.LastWidth = 300, in.LastHeight = 200, in.MdiChild = true; }, raShaped},
      {"width changed", [](TRegionInput& in) { in.LastWidth = 301, in.LastHeight = 200; }, raShaped},
      {"height changed", [](TRegionInput& in) { in.LastWidth = 300, in.LastHeight = 199; }, raShaped},
      {"destroyed", [](TRegionInput& in) { in.Destroyed = true; }, raNone},
      {"no width", [](TRegionInput& in) { in.Width = 0; }, raNone},
      {"no height", [](TRegionInput& in) { in.Height = 0; }, raNone},
      {"MDI child not normal", [](TRegionInput& in) { in.MdiChildNotNormal = true; }, raNone},
  };
  for (const Case& c : cases) {
    TRegionInput in = Window(1, 1, 1, 1);
    c.edit(in);
    EXPECT_EQ(PlanFrameRegion(in).Action, c.action) << c.name;
  }
}

TEST(PlanFrameRegion, RectangularUnlessLeftRightOrTopCutTheKeyColour) {
  struct Case {
    int left, top, right, bottom;
    TRegionAction action;
  } cases[] = {
      {0, 0, 0, 0, raRectangle}, {0, 0, 0, 1, raRectangle},  // the bottom piece alone does not count
      {1, 0, 0, 0, raShaped},    {0, 1, 0, 0, raShaped},    {0, 0, 1, 0, raShaped},
  };
  for (const Case& c : cases) {
    const TRegionPlan p = PlanFrameRegion(Window(c.left, c.top, c.right, c.bottom));
    EXPECT_EQ(p.Action, c.action) << c.left << c.top << c.right << c.bottom;
    EXPECT_EQ(p.Window, (TSkinRect{0, 0, 300, 200}));
  }
}

TEST(PlanFrameRegion, SidesFromBitmapsOrRectangles) {
  TRegionPlan p = PlanFrameRegion(Window(1, 1, 1, 1));
  EXPECT_TRUE(p.WithSides);
  EXPECT_EQ(p.Inner, (TSkinRect{4, 30, 295, 194}));
  EXPECT_EQ(p.Left, (TRegionSide{{0, 0, 4, 200}, true, false}));
  EXPECT_EQ(p.Right, (TRegionSide{{295, 0, 300, 200}, true, false}));
  EXPECT_EQ(p.Bottom, (TRegionSide{{4, 194, 295, 200}, true, false}));
  EXPECT_EQ(p.Top, (TRegionSide{{4, 0, 295, 30}, true, false}));  // no title buffer yet: paint the piece

  // The title buffer stands for the piece only when it was painted at this width.
  struct Buffer {
    const char* name;
    int width, height;
    bool used;
  } buffers[] = {
      {"painted at this size", 300, 30, true},
      {"painted before a widening", 240, 30, false},
      {"painted before a narrowing", 320, 30, false},
      {"lower than the title bar", 300, 20, false},
  };
  for (const Buffer& b : buffers) {
    TRegionInput in = Window(1, 1, 1, 1);
    in.TitleBufferWidth = b.width;
    in.TitleBufferHeight = b.height;
    EXPECT_EQ(PlanFrameRegion(in).Top, (TRegionSide{{4, 0, 295, 30}, true, b.used})) << b.name;
  }

  // Only Trans 1 cuts a side; the others are their rectangles.
  p = PlanFrameRegion(Window(2, 0, 1, 0));
  EXPECT_EQ(p.Action, raShaped);
  EXPECT_FALSE(p.Left.FromBitmap);
  EXPECT_TRUE(p.Right.FromBitmap);
  EXPECT_FALSE(p.Top.FromBitmap);
  EXPECT_FALSE(p.Bottom.FromBitmap);
  EXPECT_EQ(p.Bottom.Rect, (TSkinRect{4, 194, 295, 200}));
}

TEST(PlanFrameRegion, ThinPiecesAndTinyWindowsUseRectangles) {
  TRegionInput in = Window(1, 1, 1, 1);
  in.Borders = {4, 1, 0, 1, 0};  // one-pixel title and bottom, no right border
  TRegionPlan p = PlanFrameRegion(in);
  EXPECT_FALSE(p.Top.FromBitmap);
  EXPECT_FALSE(p.Bottom.FromBitmap);
  EXPECT_FALSE(p.Right.FromBitmap);  // nothing to paint
  EXPECT_TRUE(p.Left.FromBitmap);

  in = Window(1, 1, 1, 1);
  in.Height = 1;
  p = PlanFrameRegion(in);
  EXPECT_FALSE(p.Left.FromBitmap);
  EXPECT_FALSE(p.Right.FromBitmap);

  in = Window(1, 1, 1, 1);
  in.Width = 9;  // narrower than left + right: no title or bottom strip
  p = PlanFrameRegion(in);
  EXPECT_FALSE(p.Top.FromBitmap);
  EXPECT_FALSE(p.Bottom.FromBitmap);
}

TEST(PlanFrameRegion, BorderlessWindowsAreTheirInnerRectangle) {
  TRegionInput in = Window(1, 1, 1, 1);
  in.Kind = fkNone;
  in.Borders = {};
  const TRegionPlan p = PlanFrameRegion(in);
  EXPECT_EQ(p.Action, raShaped);
  EXPECT_FALSE(p.WithSides);
  EXPECT_EQ(p.Inner, (TSkinRect{0, 0, 300, 200}));
}
