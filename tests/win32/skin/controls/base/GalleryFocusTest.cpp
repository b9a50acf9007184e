// Focus cues on the skinned gallery with the built-in skin: a control that Tab moves the focus
// to looks different on the screen from the same control unfocused, the default push button
// included; and Tab tells the window to show focus cues, as a dialog does.
#include <string>
#include <vector>

#include "tests/win32/gallery/GallerySkinTestEnv_win.h"
#include "tests/win32/skin/controls/base/ControlTestEnv_win.h"

namespace {

struct GalleryFocusTest : gallerytest::GallerySkinTest {
  TWinControl* Named(const char* name) { return dynamic_cast<TWinControl*>(Gallery->FindComponent(name)); }
  void ShowGallery(const char* page) {
    if (!Gallery) {
      Gallery = new TfrmGallery(nullptr);
      Gallery->Show();
    }
    ASSERT_TRUE(Gallery->OpenPage(page));
    SetActiveWindow(Gallery->Handle());
    PumpMessages(200);
  }
  // Tab, as the keyboard gives it to the focused control.
  static void Tab() {
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
    Application->ProcessMessages();
  }
};

TEST_F(GalleryFocusTest, TabShowsAFocusCueOnEachSkinnedControl) {
  Main = skintest::LoadedComponent();
  struct Case {
    const char* page;
    const char* before;  // focused first; Tab from it reaches the control
    const char* control;
  } cases[] = {
      {"Buttons", "btnNormal", "btnDefault"},  // the default button, its focus outranked by its frame
      {"Buttons", "btnDefault", "btnNormal"},  // (the disabled one between is skipped)
      {"Text", "cbDropDown", "cbDropDownList"}, {"Text", "edCount", "udSideways"},
      {"Text", "udSideways", "dtpDate"},        {"Text", "dtpDate", "dtpTime"},
      {"Text", "dtpTime", "pcFamilies"},  // the page-tab strip
  };
  ShowGallery(cases[0].page);
  WPARAM uiChange = 0;
  TWndMethod old = Gallery->WindowProc;
  Gallery->WindowProc = TWndMethod([&uiChange, old](TMessage& m) {
    if (m.Msg == WM_CHANGEUISTATE) uiChange = m.WParam;
    old(m);
  });
  for (const Case& c : cases) {
    ShowGallery(c.page);
    TWinControl* before = Named(c.before);
    TWinControl* control = Named(c.control);
    ASSERT_NE(before, nullptr) << c.before;
    ASSERT_NE(control, nullptr) << c.control;
    before->SetFocus();
    PumpMessages(50);
    const std::vector<COLORREF> unfocused = WindowScreenPixels(control->Handle());
    // Tab until the control has the focus (the Buttons page walks through its other buttons).
    for (int i = 0; i < 8 && TForm::FocusedControl() != control; ++i) Tab();
    ASSERT_EQ(TForm::FocusedControl(), control) << c.control;
    const std::vector<COLORREF> focused = WindowScreenPixels(control->Handle());
    EXPECT_GT(PixelDifferences(unfocused, focused), 0) << c.control << ": no focus cue after Tab";
  }
  EXPECT_EQ(uiChange, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS)) << "Tab shows the focus cues of the window";
}

}  // namespace
