// The gallery with a skin whose face colour is far from the system's: the text of every
// check box, radio button and label sits on its container's colour (the skin recolours
// panels and group boxes; what they hold follows them), read back from the screen.
#include <functional>
#include <string>
#include <vector>

#include "tests/win32/gallery/GallerySkinTestEnv_win.h"
#include "tests/win32/ui/controls/UiTestSupport.h"
#include "ui/ExtCtrls.h"

namespace {

struct GalleryLabelsTest : gallerytest::GallerySkinTest {
  // The screen pixel at a point of a control's parent.
  static COLORREF At(const TControl& c, POINT inParent) {
    POINT p = c.Parent()->ClientToScreen(inParent);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return colour;
  }
  TControl* Named(const char* name) { return dynamic_cast<TControl*>(Gallery->FindComponent(name)); }
};

struct LabelCase {
  std::string Name;
  TControl* Control;
  POINT Container;  // a point of the parent that no control covers
};

TEST_F(GalleryLabelsTest, EveryLabelSitsOnItsContainersColour) {
  constexpr COLORREF Face = RGB(250, 130, 10);
  Gallery = new TfrmGallery(nullptr);
  Gallery->SkinData1->ColorButtonFace = Face;
  ASSERT_TRUE(Gallery->OpenPage("Choices"));
  Gallery->Show();
  SetActiveWindow(Gallery->Handle());
  // Once skinned, the pass recolours the panels; then everything is painted before it is read.
  TControl* panel = Named("pnlRadios");
  ASSERT_NE(panel, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return panel->Color() == static_cast<TColor>(Face); }, 10000));
  auto paintAll = [&] {
    RedrawWindow(Gallery->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages(20);
  };
  paintAll();

  auto check = [&](const std::vector<LabelCase>& cases) {
    for (const LabelCase& c : cases) {
      ASSERT_NE(c.Control, nullptr) << c.Name;
      const RECT r = c.Control->BoundsRect();
      // The top-right corner of the control: past its text, before its edge.
      const COLORREF behindText = At(*c.Control, {r.right - 2, r.top + 1});
      EXPECT_EQ(behindText, At(*c.Control, c.Container)) << c.Name;
    }
  };
  // The page keeps its own colour, the panel takes the skin's face.
  check({{"check box on the page", Named("cbUnchecked"), {8, 50}},
         {"radio button on the page", Named("rbFirst"), {8, 166}},
         {"radio button in a panel", Named("rbOff"), {180, 10}},
         {"checked radio button in a panel", Named("rbOffChecked"), {180, 36}}});
  EXPECT_EQ(At(*Named("rbOff"), {180, 10}), Face) << "the panel is the skin's";

  ASSERT_TRUE(Gallery->OpenPage("Panels"));
  paintAll();
  auto* group = dynamic_cast<TCustomRadioGroup*>(Named("rgChoices"));
  ASSERT_NE(group, nullptr);
  std::vector<LabelCase> panels;
  for (int i = 0; i < group->ControlCount(); ++i) {
    TControl* b = group->Controls(i);
    panels.push_back({"radio group item " + std::to_string(i), b, {group->Width() - 6, b->Top() + 1}});
  }
  TControl* label = Named("lblInGroup");
  ASSERT_NE(label, nullptr);
  panels.push_back({"label in a group box", label, {label->Left() + label->Width() + 6, label->Top() + 1}});
  check(panels);
}

}  // namespace
