// The built-in skin through the frame decisions: the gallery's 640 x 480 window as the
// Win32 side will ask about it.
#include <gtest/gtest.h>

#include "skin/data/SkinData.h"
#include "skin/forms/FrameGeometry.h"
#include "skin/forms/FrameRegion.h"
#include "skin/forms/HitTest.h"
#include "skin/forms/TitleButtons.h"
#include "skin/forms/WindowSizing.h"

namespace {
struct BuiltinFrameTest : ::testing::Test {
  TSkinData Skin{nullptr, SoftwareSkinPlatform()};
  TNCObjectOwner Owner;
  void SetUp() override {
    TMemoryStream stored;
    stored.LoadFromFile(BUILTIN_SKIN_STREAM);
    stored.SetPosition(0);
    Skin.ReadSkinStream(stored);
    ASSERT_FALSE(Skin.NoSkin);
  }
};
}  // namespace

TEST_F(BuiltinFrameTest, GalleryWindowFrameAndButtons) {
  const TFrameBorders b = CalcFrameMetrics(FrameMetricsInputOf(Skin, fkSizeable), {});
  EXPECT_EQ(b, (TFrameBorders{4, 30, 4, 4, 0}));

  TAdjustInput adjust;
  adjust.SavedClientWidth = 640;
  adjust.SavedClientHeight = 480;
  adjust.Borders = b;
  const TAdjustResult size = AdjustWindowSize(adjust);
  ASSERT_EQ(size.Width, 648);
  ASSERT_EQ(size.Height, 514);
  EXPECT_EQ(SkinnedClientRect(0, 0, size.Width, size.Height, b), (TSkinRect{4, 30, 644, 510}));

  auto icon = SoftwareSkinPlatform().NewImage();
  icon->Assign(TPixelBuffer(16, 16));
  PrepareIconButtons(Skin, *icon);
  auto buttons = BuildSysButtons(Owner, Skin);
  ASSERT_EQ(buttons.size(), 8u);  // close, maximize, restore, minimize, icon, three MDI buttons

  TButtonWindowState w;
  w.IconFlags = IconSysMenu | IconMinBox | IconMaxBox;
  TButtonLayoutInput in{648, {26, 8, 200, 22}, b, false, Skin.MenuBar ? Skin.MenuBar->LeftWidth : 0};
  const int edge = LayoutSysButtons(buttons, w, nullptr, in);
  struct Expect {
    bool visible;
    TSkinRect bounds;
  } expected[] = {
      {true, {612, 4, 642, 26}},  // close
      {true, {582, 4, 612, 26}},  // maximize
      {false, {}},                // restore: only while maximized
      {true, {552, 4, 582, 26}},  // minimize
      {true, {8, 7, 24, 23}},     // the window icon
      {false, {}},
      {false, {}},
      {false, {}},
  };
  for (size_t i = 0; i < buttons.size(); ++i) {
    EXPECT_EQ(buttons[i]->Visible, expected[i].visible) << i;
    if (expected[i].visible) EXPECT_EQ(buttons[i]->BoundsRect, expected[i].bounds) << i;
  }
  EXPECT_EQ(edge, 552) << "the caption ends before the minimize button";
  EXPECT_EQ(SysButtonAt(buttons, 620, 10), buttons[0].get());
  EXPECT_EQ(SysButtonAt(buttons, 300, 10), nullptr);
  EXPECT_EQ(NcHitTest(0, 10, b.Top), 2);  // the caption between them drags the window

  // Maximized, the restore button takes the maximize button's place.
  w.Maximized = true;
  LayoutSysButtons(buttons, w, nullptr, in);
  EXPECT_FALSE(buttons[1]->Visible);
  EXPECT_TRUE(buttons[2]->Visible);
  EXPECT_EQ(SysButtonAt(buttons, 590, 10), buttons[2].get());

  // Without a maximize box the minimize button closes up to the close button, so the
  // caption gets the room instead of a hole in the row.
  w = {};
  w.IconFlags = IconSysMenu | IconMinBox;
  EXPECT_EQ(LayoutSysButtons(buttons, w, nullptr, in), 582);
  EXPECT_FALSE(buttons[1]->Visible);
  EXPECT_TRUE(buttons[3]->Visible);
  EXPECT_EQ(buttons[3]->BoundsRect, (TSkinRect{582, 4, 612, 26}));
  EXPECT_EQ(buttons[0]->BoundsRect, (TSkinRect{612, 4, 642, 26}));
  EXPECT_EQ(SysButtonAt(buttons, 560, 10), nullptr);

  // A dialog shows no icon button.
  w = {};
  w.IconFlags = IconSysMenu;
  w.Kind = fkDialog;
  LayoutSysButtons(buttons, w, nullptr, in);
  EXPECT_TRUE(buttons[0]->Visible);
  EXPECT_FALSE(buttons[1]->Visible);
  EXPECT_FALSE(buttons[3]->Visible);
  EXPECT_FALSE(buttons[4]->Visible);
}

TEST_F(BuiltinFrameTest, EveryPieceCutsTheRegion) {
  TRegionInput in;
  in.Width = 648;
  in.Height = 514;
  in.Borders = CalcFrameMetrics(FrameMetricsInputOf(Skin, fkSizeable), {});
  in.TransLeft = Skin.BorderLeft->Trans;
  in.TransRight = Skin.BorderRight->Trans;
  in.TransTop = Skin.BorderTop->Trans;
  in.TransBottom = Skin.BorderBottom->Trans;
  const TRegionPlan p = PlanFrameRegion(in);
  EXPECT_EQ(p.Action, raShaped);
  EXPECT_TRUE(p.Left.FromBitmap && p.Right.FromBitmap && p.Top.FromBitmap && p.Bottom.FromBitmap);
  EXPECT_EQ(p.Inner, (TSkinRect{4, 30, 644, 510}));
}
