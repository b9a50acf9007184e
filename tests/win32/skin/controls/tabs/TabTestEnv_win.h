#pragma once
// What the tab and header tests share: the control test environment with the skin's Tabs
// and Headerbar replaced by pictures of plain colours. Each tab frame is two colours, one
// for the half of the picture that is the tab's outer edge and one for the half that meets
// the page, so a tab read back from the screen tells whether the picture was flipped or
// turned for its side.
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinTab.h"
#include "tests/win32/skin/controls/base/ControlTestEnv_win.h"
// After windows.h (above), which it needs.
#include <commctrl.h>

#include "ui/ComCtrls.h"
#include "ui/Tabs.h"

namespace tabtest {

// Outer and inner colours of tab frames 1 (other tabs) and 2 (current tab).
inline constexpr COLORREF TabOuter[3] = {0, RGB(200, 30, 30), RGB(230, 140, 20)};
inline constexpr COLORREF TabInner[3] = {0, RGB(30, 160, 30), RGB(20, 170, 190)};
inline constexpr COLORREF PageBorder = RGB(30, 30, 200);
inline constexpr COLORREF HeaderFrame = RGB(150, 60, 170);
inline constexpr COLORREF IconColour = RGB(250, 220, 0);
inline constexpr int TabFrameW = 8, TabFrameH = 8;

inline TPixelBuffer TabStripPixels() {
  TPixelBuffer px(TabFrameW * 5, TabFrameH, 24);
  for (int f = 0; f < 5; ++f)
    for (int y = 0; y < TabFrameH; ++y)
      for (int x = 0; x < TabFrameW; ++x) {
        const int k = f == 1 ? 2 : 1;  // frames after the second are never used: like the first
        px.SetPixel(f * TabFrameW + x, y, y < TabFrameH / 2 ? TabOuter[k] : TabInner[k]);
      }
  return px;
}

inline TPixelBuffer Solid(int w, int h, COLORREF c) {
  TPixelBuffer px(w, h, 24);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) px.SetPixel(x, y, c);
  return px;
}

struct TabTest : controltest::ControlTest {
  void SetUp() override {
    ControlTest::SetUp();
    ISkinPlatform& pf = Main->Platform();
    auto tabs = std::make_unique<TDataSkinBorder>("Tabs", pf);
    tabs->Image = pf.NewImage();
    tabs->Image->Assign(TabStripPixels());
    tabs->SecondImage = pf.NewImage();
    tabs->SecondImage->Assign(Solid(12, 12, PageBorder));
    tabs->FrameCount = 5;
    tabs->LeftWidth = tabs->TopHeight = tabs->RightWidth = tabs->BottomHeight = 2;
    tabs->NormalColour2 = RGB(0, 0, 0);
    tabs->MouseOverColour2 = RGB(0, 0, 0);
    Main->Tabs = std::move(tabs);
    auto header = std::make_unique<TDataSkinObject>("Headerbar", pf);
    header->Image = pf.NewImage();
    header->Image->Assign(Solid(8 * 5, 8, HeaderFrame));
    header->FrameCount = 5;
    header->LeftWidth = header->TopHeight = header->RightWidth = header->BottomHeight = 2;
    header->NormalColour2 = RGB(0, 0, 0);
    Main->Headerbar = std::move(header);
  }
  // A bigger form than the base's, for tab controls side by side.
  TForm* MakeWideForm() {
    MakeForm();
    FormObj->SetClientSize(560, 300);
    return FormObj;
  }
  // The handler of a control attached either way (to the control, or to its window).
  static TSkinControl* HandlerFor(TSkinForm& form, TWinControl* control) {
    for (TSkinControl* h : form.ControlHandlers())
      if (h->BoundControl() == control || (!h->BoundControl() && h->Handle() == control->Handle())) return h;
    return nullptr;
  }
  static void Repaint(HWND wnd) {
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpMessages(10);
  }
};

}  // namespace tabtest
