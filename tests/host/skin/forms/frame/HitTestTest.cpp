#include <gtest/gtest.h>

#include "skin/data/WinConst.h"
#include "skin/forms/HitTest.h"

TEST(NcHitTest, TopRowsKeepTheDefaultTitleIsCaptionBelowIsMenu) {
  // A 30-pixel title bar above a menu bar.
  struct Case {
    int def, y, expected;
  } cases[] = {
      {WinHit::Caption, 0, WinHit::Caption},
      {WinHit::Nowhere, 0, WinHit::Nowhere},
      {WinHit::Nowhere, 2, WinHit::Nowhere},  // the third row from the top: still the default
      {WinHit::Nowhere, 3, WinHit::Caption},
      {WinHit::Caption, 3, WinHit::Caption},
      {WinHit::Nowhere, 29, WinHit::Caption},  // last row of the title bar
      {WinHit::Nowhere, 30, WinHit::Menu},     // first row below it
      {WinHit::Caption, 45, WinHit::Menu},
      {WinHit::Border, 10, WinHit::Border},  // other answers are kept
      {WinHit::Client, 45, WinHit::Client},
      {WinHit::SysMenu, 10, WinHit::SysMenu},
      {12 /*HTTOP*/, 1, 12},
      {13 /*HTTOPLEFT*/, 20, 13},
  };
  for (const Case& c : cases) EXPECT_EQ(NcHitTest(c.def, c.y, 30), c.expected) << c.def << " at y " << c.y;
}

TEST(ClientToFrame, AddsTheLeftBorderAndTheTitleAndMenuBars) {
  const TFrameBorders b{4, 30, 5, 6, 20};
  EXPECT_EQ(ClientToFrame(0, 0, b, false), (TFramePoint{4, 50}));
  EXPECT_EQ(ClientToFrame(-4, -50, b, false), (TFramePoint{0, 0}));  // the window's top-left corner
  EXPECT_EQ(ClientToFrame(7, -3, b, true), (TFramePoint{7, -3}));    // minimized: unchanged
}

TEST(NcPressHit, MaximizedActiveWindowsAreNotDraggedByTheTitle) {
  EXPECT_EQ(NcPressHit(WinHit::Caption, true, true), WinHit::Menu);
  EXPECT_EQ(NcPressHit(WinHit::Caption, true, false), WinHit::Caption);
  EXPECT_EQ(NcPressHit(WinHit::Caption, false, true), WinHit::Caption);
  EXPECT_EQ(NcPressHit(WinHit::Border, true, true), WinHit::Border);
}

TEST(NcDoubleClick, RestoresOrToggles) {
  EXPECT_EQ(NcDoubleClick(wsMaximized, IconMaxBox), dcRestore);
  EXPECT_EQ(NcDoubleClick(wsMinimized, 0), dcRestore);
  EXPECT_EQ(NcDoubleClick(wsNormal, IconMaxBox | IconSysMenu), dcToggleMaximize);
  EXPECT_EQ(NcDoubleClick(wsNormal, IconMinBox | IconSysMenu), dcNone);
}

TEST(NcRightClick, OpensTheMenuOnTheCaptionOfNonMdiChildren) {
  EXPECT_TRUE(NcRightClickOpensMenu(WinHit::Caption, false));
  EXPECT_FALSE(NcRightClickOpensMenu(WinHit::Caption, true));
  EXPECT_FALSE(NcRightClickOpensMenu(WinHit::Menu, false));
}
