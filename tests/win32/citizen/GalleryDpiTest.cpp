// The gallery at the prefix's high DPI, as a user sees it: made half as large again (at 144
// DPI) by its form and its skin, read back from the windows, against the same gallery made
// at its design DPI in the same process.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "CitizenSupport.h"
#include "gallery/Gallery.h"
#include "skin/controls/SkinChildren.h"
#include "skin/data/SkinData_win.h"
#include "skin/data/SkinManage_win.h"
#include "skin/forms/FormSkin.h"
#include "support/Pump_win.h"

namespace {

RECT WindowRectIn(HWND wnd, HWND parent) {
  RECT r{};
  GetWindowRect(wnd, &r);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Where each control of each page is: the window's rectangle for a windowed control, the
// bounds its page paints it in for a windowless one.
std::vector<std::vector<RECT>> PageLayouts(TfrmGallery& g) {
  std::vector<std::vector<RECT>> pages;
  for (int i = 0; i < g.pcFamilies->PageCount(); ++i) {
    TTabSheet* page = g.pcFamilies->Pages(i);
    std::vector<RECT> rects;
    for (int j = 0; j < page->ControlCount(); ++j) {
      TControl* c = page->Controls(j);
      auto* w = dynamic_cast<TWinControl*>(c);
      rects.push_back(w ? WindowRectIn(w->Handle(), page->Handle()) : c->BoundsRect());
    }
    pages.push_back(rects);
  }
  return pages;
}

bool Overlap(const RECT& a, const RECT& b) {
  RECT both{};
  return IntersectRect(&both, &a, &b) != FALSE;
}

SIZE SizeOf(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  return {r.right - r.left, r.bottom - r.top};
}

class HighDpiGallery : public HighDpi {
 protected:
  void SetUp() override {
    HighDpi::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    // The same gallery at its design DPI, unskinned, for what it looks like there.
    Screen->SetPixelsPerInch(DesignDpi);
    {
      TfrmGallery design(nullptr);
      design.HandleNeeded();
      Design = PageLayouts(design);
      RECT c{};
      GetClientRect(design.Handle(), &c);
      DesignClient = {c.right, c.bottom};
      DesignButton = SizeOf(static_cast<TButton*>(design.FindComponent("btnNormal"))->Handle());
    }
    Screen->SetPixelsPerInch(0);
    InstallSkinEngine();
    InstallControlFamilies();
    Gallery = std::make_unique<TfrmGallery>(nullptr);
    Gallery->Show();
    SetForegroundWindow(Gallery->Handle());
    for (int i = 0; i < 300 && SendMessageA(Gallery->Handle(), CM_SKINQUERY, 0, 0) != 1; ++i)
      PumpMessages(10);
    ASSERT_EQ(SendMessageA(Gallery->Handle(), CM_SKINQUERY, 0, 0), 1) << "the gallery was not skinned";
    // The frame settles as the menu bar joins it: wait until the client area stays put.
    RECT was{}, now{};
    GetClientRect(Gallery->Handle(), &was);
    for (int i = 0, still = 0; i < 60 && still < 3; ++i) {
      PumpMessages(50);
      GetClientRect(Gallery->Handle(), &now);
      still = EqualRect(&now, &was) ? still + 1 : 0;
      was = now;
    }
  }
  void TearDown() override {
    Gallery.reset();
    FreeSkinManager();
    SetSkinManagerFactory({});
    PumpMessages(10);
  }
  // The factor the prefix's DPI asks for, as a ratio to apply to design sizes.
  double Factor() const { return Dpi / 96.0; }

  std::vector<std::vector<RECT>> Design;
  SIZE DesignClient{}, DesignButton{};
  std::unique_ptr<TfrmGallery> Gallery;
};

}  // namespace

TEST_F(HighDpiGallery, ClientAreaAndControlsGrowWithTheDpi) {
  RECT c{};
  GetClientRect(Gallery->Handle(), &c);
  EXPECT_EQ(DesignClient.cx, 640);
  EXPECT_NEAR(c.right, DesignClient.cx * Factor(), 2);
  EXPECT_NEAR(c.bottom, DesignClient.cy * Factor(), 2);
  const SIZE button = SizeOf(static_cast<TButton*>(Gallery->FindComponent("btnNormal"))->Handle());
  EXPECT_NEAR(button.cx, DesignButton.cx * Factor(), 1);
  EXPECT_NEAR(button.cy, DesignButton.cy * Factor(), 1);
}

TEST_F(HighDpiGallery, NoTwoControlsOfAPageComeToOverlap) {
  const auto scaled = PageLayouts(*Gallery);
  ASSERT_EQ(scaled.size(), Design.size());
  for (size_t p = 0; p < scaled.size(); ++p) {
    ASSERT_EQ(scaled[p].size(), Design[p].size());
    for (size_t i = 0; i < scaled[p].size(); ++i)
      for (size_t j = i + 1; j < scaled[p].size(); ++j)
        if (!Overlap(Design[p][i], Design[p][j])) {
          EXPECT_FALSE(Overlap(scaled[p][i], scaled[p][j]))
              << Gallery->pcFamilies->Pages(static_cast<int>(p))->Caption() << ": controls " << i << " and "
              << j;
        }
  }
}

TEST_F(HighDpiGallery, TitleBarFollowsTheScaledSkinAndHoldsItsCaption) {
  auto* handler = dynamic_cast<TSkinForm*>(SkinManage()->FindSkinForm(Gallery->Handle()));
  ASSERT_NE(handler, nullptr);
  // The title bar of the skin as the file has it, at 96 DPI.
  TSkinData file(nullptr, SoftwareSkinPlatform());
  ASSERT_TRUE(ReadSkinStreamResource(file, GetModuleHandleA(nullptr)));
  const int designTitle = file.BorderTop->Image->Height() / file.BorderTop->FrameCount;
  const int title = handler->Borders().Top;
  EXPECT_GE(title, designTitle * Factor() - 1);

  // The caption, in the system's caption font (which follows the DPI), fits inside it.
  NONCLIENTMETRICSA ncm{};
  ncm.cbSize = 340;  // the size every system accepts
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0));
  HFONT font = CreateFontIndirectA(&ncm.lfCaptionFont);
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE text{};
  GetTextExtentPoint32A(dc, GalleryTitle, static_cast<int>(strlen(GalleryTitle)), &text);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  DeleteObject(font);
  EXPECT_LE(text.cy, title);
  for (int i = 0; i < 100 && handler->Frame().CaptionRect().Empty(); ++i) PumpMessages(10);
  const TSkinRect caption = handler->Frame().CaptionRect();
  EXPECT_GE(caption.Top, 0);
  EXPECT_LE(caption.Bottom, title);
  EXPECT_GE(caption.Height(), text.cy);
}

TEST_F(HighDpiGallery, TabScrollArrowsStayInsideTheirTabControl) {
  ASSERT_TRUE(Gallery->OpenPage("Lists"));
  PumpMessages(100);
  int arrows = 0;
  for (int i = 0; i < Gallery->ComponentCount(); ++i) {
    auto* tabs = dynamic_cast<TTabControl*>(Gallery->Components(i));
    if (!tabs) continue;
    HWND wnd = tabs->Handle();
    HWND updown = FindWindowExA(wnd, nullptr, UPDOWN_CLASSA, nullptr);
    if (!updown || !IsWindowVisible(updown)) continue;
    ++arrows;
    RECT inside{}, box{}, u = WindowRectIn(updown, wnd), row{};
    GetClientRect(wnd, &box);
    EXPECT_TRUE(IntersectRect(&inside, &u, &box) && EqualRect(&inside, &u))
        << tabs->Name << " " << u.left << "," << u.top << "," << u.right << "," << u.bottom << " in "
        << box.right << "x" << box.bottom;
    // Within the row of tabs, not over the page under it.
    ASSERT_TRUE(SendMessageA(wnd, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row)));
    EXPECT_LE(u.bottom - u.top, row.bottom - row.top + 2) << tabs->Name;
  }
  EXPECT_GT(arrows, 0) << "no tab control of the page scrolls its tabs";
}
