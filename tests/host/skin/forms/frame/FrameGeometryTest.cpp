#include <gtest/gtest.h>

#include "skin/data/SkinData.h"
#include "skin/data/WinConst.h"
#include "skin/forms/FrameGeometry.h"

namespace {
void SetImage(TDataSkinObject& piece, int w, int h, int frames) {
  piece.Image->Assign(TPixelBuffer(w, h));
  piece.FrameCount = frames;
}
}  // namespace

TEST(CalcFrameMetrics, BorderWidthsAreOneFrameOfEachPiece) {
  TSkinData skin{nullptr, SoftwareSkinPlatform()};
  skin.NoSkin = false;
  SetImage(*skin.BorderTop, 200, 60, 2);    // frames stacked: 30-pixel title bar
  SetImage(*skin.BorderLeft, 8, 100, 2);    // side by side: 4-pixel border
  SetImage(*skin.BorderRight, 12, 100, 3);  // 4
  SetImage(*skin.BorderBottom, 200, 7, 1);  // 7
  const TFrameBorders before{1, 2, 3, 4, 19};
  EXPECT_EQ(CalcFrameMetrics(FrameMetricsInputOf(skin, fkSingle), before), (TFrameBorders{4, 30, 4, 7, 19}));
  EXPECT_EQ(CalcFrameMetrics(FrameMetricsInputOf(skin, fkSizeable), {}), (TFrameBorders{4, 30, 4, 7, 0}));

  // Borderless: everything zero, the menu bar too.
  EXPECT_EQ(CalcFrameMetrics(FrameMetricsInputOf(skin, fkNone), before), TFrameBorders{});

  // No skin loaded: the metrics stay as they were.
  skin.NoSkin = true;
  EXPECT_EQ(CalcFrameMetrics(FrameMetricsInputOf(skin, fkSingle), before), before);
}

TEST(CalcFrameMetrics, OddSizesTruncateAndBadFrameCountsCountAsOne) {
  struct Case {
    TPieceSize top, left;
    int expectTop, expectLeft;
  } cases[] = {
      {{10, 61, 2}, {9, 5, 2}, 30, 4},  // remainders dropped
      {{10, 25, 0}, {6, 5, 0}, 25, 6},  // a zero frame count would divide by zero
      {{10, 25, -3}, {6, 5, -1}, 25, 6},
      {{0, 0, 2}, {0, 0, 2}, 0, 0},  // no image: no border
  };
  for (const Case& c : cases) {
    TFrameMetricsInput in;
    in.Top = c.top;
    in.Left = c.left;
    const TFrameBorders b = CalcFrameMetrics(in, {});
    EXPECT_EQ(b.Top, c.expectTop) << c.top.Height << "/" << c.top.FrameCount;
    EXPECT_EQ(b.Left, c.expectLeft) << c.left.Width << "/" << c.left.FrameCount;
  }
}

TEST(AnalyseWindow, FrameKindFromStylesAndClass) {
  using namespace WinStyle;
  struct Case {
    const char* name;
    uint32_t style, exStyle;
    const char* cls;
    TFrameKind kind;
  } cases[] = {
      {"overlapped", Caption | SysMenu, 0, "TForm1", fkSingle},
      {"sizeable", Caption | ThickFrame, 0, "TForm1", fkSizeable},
      {"modal frame", Caption | ModalFrame, 0, "TForm1", fkDialog},
      {"popup, no caption", Popup, 0, "TForm1", fkNone},
      {"popup without caption", Popup | Border, 0, "TForm1", fkNone},
      {"popup with a border only, sizeable", Popup | Border | ThickFrame, 0, "TForm1", fkNone},
      {"popup with caption", Popup | Caption | ThickFrame, 0, "TForm1", fkSizeable},
      {"popup sizeable, half caption", Popup | ThickFrame | DlgFrame, 0, "X", fkNone},
      {"thick frame wins over modal frame style", Caption | ThickFrame | ModalFrame, 0, "X", fkSizeable},
      {"dialog extended style", Caption | ThickFrame, WinExStyle::DlgModalFrame, "X", fkDialog},
      {"dialog extended style beats none", Popup, WinExStyle::DlgModalFrame, "X", fkDialog},
      {"standard dialog", Popup, 0, "#32770", fkDialog},
      {"message form", Caption | ThickFrame, 0, "TMessageForm", fkDialog},
      {"class names match case", Caption | ThickFrame, 0, "tmessageform", fkSizeable},
      {"menu class is no dialog", Caption, 0, "#32768", fkSingle},
  };
  for (const Case& c : cases)
    EXPECT_EQ(AnalyseWindow(c.style, c.exStyle, c.cls, false).FrameKind, c.kind) << c.name;
}

TEST(AnalyseWindow, FlagsFromStyles) {
  using namespace WinStyle;
  TWindowTraits t =
      AnalyseWindow(Caption | SysMenu | MinimizeBox | MaximizeBox | ThickFrame,
                    WinExStyle::LeftScrollBar | WinExStyle::MdiChild, "TForm1.UnicodeClass", false);
  EXPECT_EQ(t.IconFlags, IconSysMenu | IconMinBox | IconMaxBox);
  EXPECT_TRUE(t.RightToLeft);
  EXPECT_TRUE(t.Sizeable);
  EXPECT_TRUE(t.WideChar);
  EXPECT_TRUE(t.MdiChild);
  EXPECT_FALSE(t.StandardDialog);

  // A system menu that exists without WS_SYSMENU still counts; no boxes.
  t = AnalyseWindow(Caption, 0, "TForm1", true);
  EXPECT_EQ(t.IconFlags, IconSysMenu);
  EXPECT_FALSE(t.RightToLeft || t.Sizeable || t.WideChar || t.MdiChild);
  EXPECT_EQ(AnalyseWindow(Caption, 0, "TForm1", false).IconFlags, 0);
  EXPECT_TRUE(AnalyseWindow(Caption, 0, "#32770", false).StandardDialog);
  EXPECT_FALSE(AnalyseWindow(Caption, 0, "TMessageForm1", false).StandardDialog);
  EXPECT_EQ(AnalyseWindow(MaximizeBox, 0, "X", false).IconFlags, IconMaxBox);
  EXPECT_FALSE(AnalyseWindow(Caption, 0, "TForm1.Unicode", false).WideChar);
}

TEST(NativeCaptionStyle, OwnedWindowsKeepTheCaptionOthersLoseIt) {
  using namespace WinStyle;
  const uint32_t style = Caption | SysMenu | MinimizeBox | MaximizeBox | ThickFrame;
  const int flags = IconSysMenu | IconMinBox | IconMaxBox;

  const TCaptionStyle owned = NativeCaptionStyle(style, flags, false, true);
  EXPECT_EQ(owned.Style, Caption | ThickFrame);
  EXPECT_EQ(owned.IconFlags, flags);
  EXPECT_EQ(NativeCaptionStyle(owned.Style, owned.IconFlags, true, true).Style, style);

  const TCaptionStyle unowned = NativeCaptionStyle(style, flags, false, false);
  EXPECT_EQ(unowned.Style, SysMenu | MinimizeBox | MaximizeBox | ThickFrame);
  EXPECT_EQ(unowned.IconFlags, flags | IconCaptionStripped);
  EXPECT_EQ(NativeCaptionStyle(unowned.Style, unowned.IconFlags, true, false).Style, style);

  // Stripping and restoring a window that had no boxes gives none back; restoring an owned
  // window adds no caption that was never taken.
  const TCaptionStyle bare = NativeCaptionStyle(Caption, 0, false, false);
  EXPECT_EQ(NativeCaptionStyle(bare.Style, bare.IconFlags, true, false).Style, Caption);
  EXPECT_EQ(NativeCaptionStyle(ThickFrame, flags, true, true).Style,
            SysMenu | MinimizeBox | MaximizeBox | ThickFrame);

  // Restoring gives back only what the window had.
  EXPECT_EQ(NativeCaptionStyle(Caption | ThickFrame, IconSysMenu, true, true).Style,
            Caption | ThickFrame | SysMenu);
}

TEST(NcCalcSize, ClientIsTheProposedWindowLessTheFrame) {
  const TFrameBorders b{4, 30, 5, 6, 20};
  EXPECT_EQ(SkinnedClientRect(100, 50, 300, 200, b), (TSkinRect{104, 100, 395, 244}));
  EXPECT_EQ(SkinnedClientRect(0, 0, 300, 200, TFrameBorders{}), (TSkinRect{0, 0, 300, 200}));
  // Smaller than the frame: an empty client at the inner corner, not an inverted one.
  EXPECT_EQ(SkinnedClientRect(10, 10, 6, 40, b), (TSkinRect{14, 60, 14, 60}));

  EXPECT_TRUE(NcCalcKeepsDefault(fkNone, false));
  EXPECT_TRUE(NcCalcKeepsDefault(fkSizeable, true));
  EXPECT_FALSE(NcCalcKeepsDefault(fkSizeable, false));
  EXPECT_FALSE(NcCalcKeepsDefault(fkDialog, false));
}

TEST(PieceFrame, InactiveWindowsShowFrameTwoOfTwoFramePieces) {
  EXPECT_EQ(PieceFrame(true, 2), 1);
  EXPECT_EQ(PieceFrame(false, 2), 2);
  EXPECT_EQ(PieceFrame(false, 1), 1);
  EXPECT_EQ(PieceFrame(false, 0), 1);
  EXPECT_EQ(PieceFrame(false, 3), 2);
}

TEST(WinState, FromSizeAndPlacement) {
  EXPECT_EQ(WinStateFromSize(WinSize::Restored, wsMaximized), wsNormal);
  EXPECT_EQ(WinStateFromSize(WinSize::Minimized, wsNormal), wsMinimized);
  EXPECT_EQ(WinStateFromSize(WinSize::Maximized, wsNormal), wsMaximized);
  EXPECT_EQ(WinStateFromSize(3 /*SIZE_MAXSHOW*/, wsMaximized), wsMaximized);
  EXPECT_EQ(WinStateFromSize(4 /*SIZE_MAXHIDE*/, wsNormal), wsNormal);

  EXPECT_EQ(WinStateFromShowCmd(WinShow::ShowMinimized), wsMinimized);
  EXPECT_EQ(WinStateFromShowCmd(WinShow::Minimize), wsMinimized);
  EXPECT_EQ(WinStateFromShowCmd(WinShow::ShowMinNoActive), wsMinimized);
  EXPECT_EQ(WinStateFromShowCmd(WinShow::ShowMaximized), wsMaximized);
  for (int normal : {0, 1, 4, 5, 9}) EXPECT_EQ(WinStateFromShowCmd(normal), wsNormal) << normal;
}

TEST(MinMaxRestoresCaption, MinimizedWindowsAndMaximizedMdiChildrenGetItBack) {
  struct Case {
    TWinState state;
    bool mdiChild, restores;
  } cases[] = {
      {wsMinimized, false, true}, {wsMinimized, true, true},   {wsNormal, false, false},
      {wsNormal, true, false},    {wsMaximized, false, false}, {wsMaximized, true, true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MinMaxRestoresCaption(c.state, c.mdiChild), c.restores) << c.state << " " << c.mdiChild;
}
