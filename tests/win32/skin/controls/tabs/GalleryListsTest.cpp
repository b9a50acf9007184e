// The gallery's page control and its Lists page on the built-in skin: each control gets
// the handler its kind calls for, and the stand-alone header control keeps its own look.
#include "tests/win32/gallery/GallerySkinTestEnv_win.h"
#include "tests/win32/skin/controls/tabs/TabTestEnv_win.h"

namespace {

using GalleryListsTest = gallerytest::GallerySkinTest;

TEST_F(GalleryListsTest, ThePageControlAndTheListsPageAreSkinnedByKind) {
  Gallery = new TfrmGallery(nullptr);
  ASSERT_TRUE(Gallery->OpenPage("Lists"));
  Gallery->Show();
  SetActiveWindow(Gallery->Handle());
  PumpMessages(200);
  TSkinForm* form = Handler(Gallery->Handle());
  ASSERT_NE(form, nullptr);
  const struct {
    const char* name;
    const char* handler;  // nullptr: none
  } cases[] = {
      {"pcFamilies", "TSkinTab"},   {"tcTop", "TSkinTab"},   {"tcBottom", "TSkinTab"},
      {"tcLeft", "TSkinTab"},       {"tcRight", "TSkinTab"}, {"tsSheets", "TSkinTab31"},
      {"lvFiles", "TSkinListView"}, {"hcColumns", nullptr},
  };
  for (const auto& c : cases) {
    auto* control = dynamic_cast<TWinControl*>(Gallery->FindComponent(c.name));
    ASSERT_NE(control, nullptr) << c.name;
    TSkinControl* h = tabtest::TabTest::HandlerFor(*form, control);
    if (!c.handler) {
      EXPECT_EQ(h, nullptr) << c.name;
      continue;
    }
    ASSERT_NE(h, nullptr) << c.name;
    EXPECT_EQ(h->ClassName(), c.handler) << c.name;
  }
  auto* lv = dynamic_cast<TListView*>(Gallery->FindComponent("lvFiles"));
  auto* h = dynamic_cast<TSkinListView*>(tabtest::TabTest::HandlerFor(*form, lv));
  ASSERT_NE(h, nullptr);
  ASSERT_NE(h->Header(), nullptr);
  EXPECT_EQ(h->Header()->Handle(), lv->HeaderHandle());
  auto* top = dynamic_cast<TSkinTab*>(
      tabtest::TabTest::HandlerFor(*form, dynamic_cast<TWinControl*>(Gallery->FindComponent("tcTop"))));
  ASSERT_NE(top, nullptr);
  EXPECT_NE(top->ScrollerWindow(), nullptr) << "six tabs overflow the top tab control";
}

}  // namespace
