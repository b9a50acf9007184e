// Menu items drawn over the skin onto a real window, read back from the window's DC: the
// frame for selected and normal items, separators, check marks and sunken picture boxes,
// the disabled colour rule, right-to-left; and which popup menus a form handler draws.
#include "skin/data/SkinData_win.h"
#include "skin/forms/MenuItems.h"
#include "skin/forms/MenuItems_win.h"
#include "support/Canvas_win.h"
#include "support/MenuItems_win.h"
#include "tests/win32/skin/data/manager/SkinTestEnv_win.h"
#include "tests/win32/skin/forms/menus/MenuItemStrip_win.h"
#include "ui/ImgList.h"
#include "ui/Menus.h"

namespace {
using namespace skintest;
using namespace menutest;

constexpr COLORREF Paper = RGB(255, 255, 255);

struct MenuItemsTest : EngineTest {
  TWindow Wnd;
  HDC Dc = nullptr;
  TCanvas Canvas;
  TMenuItemPainter Painter;
  std::unique_ptr<TPopupMenu> Menu;

  void SetUp() override {
    EngineTest::SetUp();
    Main = LoadedComponent();
    UseMenuItemStrip(*Main);
    Main->ColorMenuText = RGB(0, 0, 0);
    Main->ColorHilightText = RGB(255, 255, 255);
    Main->ColorButtonShadow = RGB(0, 160, 0);
    Painter.Skin = Main.get();
    Wnd.Wnd = MakeWindow(WS_POPUP | WS_VISIBLE, 320, 120);
    ShowWindow(Wnd.Wnd, SW_SHOW);
    PumpMessages(20);
    Dc = GetDC(Wnd.Wnd);
    Canvas.SetHandle(Dc);
    FillSolid(Canvas, RECT{0, 0, 320, 120}, Paper);
    Menu = std::make_unique<TPopupMenu>(nullptr);
  }
  void TearDown() override {
    Canvas.SetHandle(nullptr);
    ReleaseDC(Wnd.Wnd, Dc);
    Menu.reset();
    EngineTest::TearDown();
  }
  TMenuItem* Add(const std::string& caption) { return AddMenuItem(Menu.get(), Menu->Items(), caption); }
  COLORREF At(int x, int y) { return GetPixel(Dc, x, y); }
  int Count(const RECT& r, COLORREF c) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += At(x, y) == c;
    return n;
  }
};

TEST_F(MenuItemsTest, SelectedItemsShowFrameFourAndOthersFrameOne) {
  TMenuItem* item = Add("Magic");
  const RECT r{10, 10, 210, 30};
  DrawSkinnedItem(Painter, *item, Canvas, false, r);
  EXPECT_EQ(At(200, 20), Frame1);
  EXPECT_EQ(At(10, 10), Frame1) << "the whole item, margins included";
  EXPECT_EQ(At(210, 20), Paper) << "nothing outside the item";
  DrawSkinnedItem(Painter, *item, Canvas, true, r);
  EXPECT_EQ(At(200, 20), Frame4);
  EXPECT_EQ(At(209, 29), Frame4);
  EXPECT_EQ(Count(RECT{10, 10, 210, 30}, Frame1), 0) << "nothing of frame 1 left";
}

TEST_F(MenuItemsTest, CaptionsInTheSkinTextColours) {
  TMenuItem* item = Add("WWWWWW");
  DrawSkinnedItem(Painter, *item, Canvas, false, RECT{0, 0, 200, 24});
  EXPECT_GT(Count(RECT{0, 0, 200, 24}, RGB(0, 0, 0)), 10);
  DrawSkinnedItem(Painter, *item, Canvas, true, RECT{0, 30, 200, 54});
  EXPECT_GT(Count(RECT{0, 30, 200, 54}, RGB(255, 255, 255)), 10);
  EXPECT_EQ(Count(RECT{0, 30, 200, 54}, RGB(0, 0, 0)), 0);
}

// Items are drawn one after another through the same scratch and font: a bold default item
// and a separator of another height in between leave the next plain item as the first.
TEST_F(MenuItemsTest, EachItemDrawnAsIfItWereTheFirst) {
  TMenuItem* plain = Add("WWWWWW");
  TMenuItem* bold = Add("WWWWWW");
  bold->SetDefault(true);
  TMenuItem* line = Add("-");
  const RECT first{0, 0, 200, 24}, boldRect{0, 30, 200, 54}, lineRect{0, 60, 200, 68}, again{0, 80, 200, 104};
  DrawSkinnedItem(Painter, *plain, Canvas, false, first);
  const int ink = Count(first, RGB(0, 0, 0));
  ASSERT_GT(ink, 10);
  DrawSkinnedItem(Painter, *bold, Canvas, false, boldRect);
  EXPECT_GT(Count(boldRect, RGB(0, 0, 0)), 10);
  DrawSkinnedItem(Painter, *line, Canvas, false, lineRect);
  EXPECT_EQ(At(100, 66), SeparatorLine);
  DrawSkinnedItem(Painter, *plain, Canvas, false, again);
  EXPECT_EQ(Count(again, RGB(0, 0, 0)), ink) << "the menu font again, not the bold one";
  EXPECT_EQ(At(199, 103), Frame1) << "the frame of the item's own size";
  DrawSkinnedItem(Painter, *plain, Canvas, true, again);
  EXPECT_EQ(Count(again, RGB(0, 0, 0)), 0) << "selected: the highlight text colour";
  EXPECT_EQ(At(199, 103), Frame4);
}

TEST_F(MenuItemsTest, DisabledItemsFollowTheShadowRule) {
  TMenuItem* item = Add("WWWWWW");
  item->SetEnabled(false);
  const RECT r{0, 0, 200, 24};
  DrawSkinnedItem(Painter, *item, Canvas, false, r);
  EXPECT_GT(Count(r, RGB(0, 160, 0)), 10) << "the skin's shadow colour";
  EXPECT_EQ(Count(r, RGB(0, 0, 0)), 0);
  // A shadow colour that equals the menu text could not be told apart: the system's gray.
  Main->ColorButtonShadow = Main->ColorMenuText;
  const RECT r2{0, 40, 200, 64};
  DrawSkinnedItem(Painter, *item, Canvas, false, r2);
  EXPECT_GT(Count(r2, GetSysColor(COLOR_GRAYTEXT)), 10);
  EXPECT_EQ(Count(r2, RGB(0, 0, 0)), 0);
}

TEST_F(MenuItemsTest, SeparatorsFromFrameTwoOrAnEtchedLine) {
  TMenuItem* line = Add("-");
  const RECT r{0, 0, 200, 8};
  DrawSkinnedItem(Painter, *line, Canvas, false, r);
  // The bottom rows of frame 2: its magenta is keyed away, the line stays.
  EXPECT_EQ(At(100, 6), SeparatorLine);
  EXPECT_EQ(At(100, 2), Paper) << "the background shows through the keyed rows";
  EXPECT_EQ(Count(r, Frame1), 0);
  // A native menu's separator is the system's etched line over frame-less background.
  const RECT n{0, 20, 200, 30};
  DrawNativeItem(Painter, nullptr, *line, false, n, Canvas);
  EXPECT_EQ(Count(n, SeparatorLine), 0);
  EXPECT_EQ(At(100, 24), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(At(100, 25), GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST_F(MenuItemsTest, CheckMarkWithoutImageAndSunkenBoxWithOne) {
  TMenuItem* plain = Add("Flag");
  const COLORREF ink = GetSysColor(COLOR_BTNTEXT);
  // Glyph box: left 1 + LeftWidth 2, top 1, 16 square.
  const RECT box{3, 41, 19, 57};
  DrawSkinnedItem(Painter, *plain, Canvas, false, RECT{0, 40, 200, 60});
  EXPECT_EQ(Count(box, ink), 0) << "unchecked: an empty box";
  plain->SetChecked(true);
  DrawSkinnedItem(Painter, *plain, Canvas, false, RECT{0, 40, 200, 60});
  EXPECT_GT(Count(box, ink), 5) << "the system's check mark";

  TImageList images(nullptr, 16, 16);
  TBitmap strip;
  strip.SetSize(16, 16);
  // A picture with a transparent rim, so the box around it shows.
  FillSolid(*strip.Canvas(), RECT{0, 0, 16, 16}, RGB(255, 0, 255));
  FillSolid(*strip.Canvas(), RECT{3, 3, 13, 13}, RGB(250, 200, 0));
  ASSERT_EQ(images.AddMasked(strip, static_cast<TColor>(RGB(255, 0, 255))), 0);
  Menu->SetImages(&images);
  TMenuItem* pictured = Add("About");
  pictured->SetImageIndex(0);
  pictured->SetChecked(true);
  DrawSkinnedItem(Painter, *pictured, Canvas, false, RECT{0, 70, 200, 90});
  const RECT pbox{3, 71, 19, 87};
  EXPECT_EQ(At(pbox.left, pbox.top + 8), GetSysColor(COLOR_BTNSHADOW)) << "sunken edge, left";
  EXPECT_EQ(At(pbox.left + 8, pbox.bottom - 1), GetSysColor(COLOR_BTNHIGHLIGHT)) << "sunken edge, bottom";
  EXPECT_EQ(At(pbox.left + 8, pbox.top + 8), RGB(250, 200, 0)) << "the picture inside";
  pictured->SetChecked(false);
  DrawSkinnedItem(Painter, *pictured, Canvas, false, RECT{0, 70, 200, 90});
  EXPECT_NE(At(pbox.left, pbox.top + 8), GetSysColor(COLOR_BTNSHADOW)) << "no box when not checked";
  Menu->SetImages(nullptr);
}

TEST_F(MenuItemsTest, RightToLeftPutsTheCheckMarkAtTheRightEdge) {
  TMenuItem* item = Add("Flag");
  item->SetChecked(true);
  const COLORREF ink = GetSysColor(COLOR_BTNTEXT);
  Painter.RightToLeft = true;
  DrawSkinnedItem(Painter, *item, Canvas, false, RECT{0, 0, 200, 20});
  EXPECT_GT(Count(RECT{181, 1, 197, 17}, ink), 5);
  EXPECT_EQ(Count(RECT{3, 1, 19, 17}, ink), 0);
}

TEST_F(MenuItemsTest, WithoutAMenuItemImageFlatColours) {
  Main->MenuItem.reset();
  Main->ColorMenu = RGB(230, 230, 100);
  Main->ColorHilight = RGB(100, 30, 30);
  TMenuItem* item = Add("Exit");
  DrawSkinnedItem(Painter, *item, Canvas, false, RECT{0, 0, 200, 20});
  EXPECT_EQ(At(190, 10), RGB(230, 230, 100));
  DrawSkinnedItem(Painter, *item, Canvas, true, RECT{0, 0, 200, 20});
  EXPECT_EQ(At(190, 10), RGB(100, 30, 30));
}

TEST(NativeMenuItems, TemporaryItemFromTheMenu) {
  TMenuHandle menu(CreatePopupMenu());
  AppendMenuA(menu.get(), MF_STRING | MF_GRAYED | MF_CHECKED, 0xF060, "Close");
  AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
  auto close = NativeMenuItem(menu.get(), 0xF060);
  EXPECT_EQ(close->Caption(), "Close");
  EXPECT_FALSE(close->Enabled());
  EXPECT_TRUE(close->Checked());
  EXPECT_EQ(NativeMenuItem(menu.get(), 0)->Caption(), "-");
}

// The form handler makes a form's popup menus owner-drawn, except one whose Tag mod 100 is
// the DisableTag: that one keeps the system's drawing.
TEST_F(EngineTest, PopupMenusOfAFormAreDrawnUnlessTaggedOff) {
  Main = LoadedComponent();
  auto* form = new TForm(nullptr);
  form->SetClientSize(200, 100);
  auto* skinned = new TPopupMenu(form);
  auto* tagged = new TPopupMenu(form);
  tagged->Tag = 199;
  for (TPopupMenu* m : {skinned, tagged}) AddMenuItem(form, m->Items(), "Magic");
  ASSERT_NE(ActivatedHandler(*form), nullptr);
  EXPECT_TRUE(skinned->OwnerDraw());
  EXPECT_TRUE(static_cast<bool>(skinned->Items()->Items(0)->OnAdvancedDrawItem));
  EXPECT_FALSE(tagged->OwnerDraw());
  EXPECT_FALSE(static_cast<bool>(tagged->Items()->Items(0)->OnAdvancedDrawItem));
  MENUITEMINFOA mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_FTYPE;
  ASSERT_TRUE(GetMenuItemInfoA(tagged->Handle(), 0, TRUE, &mii));
  EXPECT_EQ(mii.fType & MFT_OWNERDRAW, 0u) << "the system draws the tagged menu";
  ASSERT_TRUE(GetMenuItemInfoA(skinned->Handle(), 0, TRUE, &mii));
  EXPECT_NE(mii.fType & MFT_OWNERDRAW, 0u);
  Handler(form->Handle())->DetachSkin();
  EXPECT_FALSE(skinned->OwnerDraw()) << "detaching gives the menu back to the system";
  EXPECT_FALSE(static_cast<bool>(skinned->Items()->Items(0)->OnAdvancedDrawItem));
  delete form;
}

// The painter behind a form's owner-drawn items lives as long as the items' handlers and
// the form handler, and goes with them when the form is freed while skinned.
TEST_F(EngineTest, TheItemPainterGoesWithTheFormAndItsMenus) {
  Main = LoadedComponent();
  auto* form = new TForm(nullptr);
  form->SetClientSize(200, 100);
  auto* popup = new TPopupMenu(form);
  AddMenuItem(form, popup->Items(), "Magic");
  TSkinForm* h = ActivatedHandler(*form);
  ASSERT_NE(h, nullptr);
  std::weak_ptr<const TMenuItemPainter> painter = h->MenuItemPainter();
  ASSERT_FALSE(painter.expired());
  EXPECT_EQ(painter.lock()->Skin, Main.get());
  delete form;
  Manager().PurgeClosed();
  EXPECT_EQ(Manager().FormHandlerCount(), 0);
  EXPECT_TRUE(painter.expired()) << "nothing keeps the painter of a freed form";
}

}  // namespace
