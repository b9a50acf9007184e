// Skinned tab controls, page controls and tab sets on real windows: which handler the pass
// gives each, the tab picture as each side shows it (flipped at the bottom, turned at the
// sides), the page border, the overflow arrows left as they are, and the tab set's tabs.
#include <string>
#include <vector>

#include "tests/win32/skin/controls/tabs/TabTestEnv_win.h"
#include "ui/Menus.h"

namespace {
using namespace tabtest;
using SkinTabTest = TabTest;

std::string ColourText(COLORREF c) {
  return "RGB(" + std::to_string(GetRValue(c)) + "," + std::to_string(GetGValue(c)) + "," +
         std::to_string(GetBValue(c)) + ")";
}

TEST_F(SkinTabTest, ThePassGivesEachTabKindItsHandler) {
  MakeWideForm();
  TPageControl* pc = AddPage(10, 10, 150, 100)->PageControl();
  auto* tc = Add<TTabControl>(170, 10, 150, 100);
  tc->AddTab("Tab");
  auto* set = Add<TTabSet>(330, 10, 200, 21);
  set->AddTab("Sheet");
  auto* header = Add<THeaderControl>(330, 60, 200, 20);
  header->AddSection("Alone", 80);
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  const struct {
    const char* name;
    TWinControl* control;
    const char* handler;  // nullptr: none
  } cases[] = {
      {"page control", pc, "TSkinTab"},
      {"tab control", tc, "TSkinTab"},
      {"tab set", set, "TSkinTab31"},
      {"stand-alone header", header, nullptr},
  };
  for (const auto& c : cases) {
    TSkinControl* h = HandlerFor(*form, c.control);
    if (!c.handler) {
      EXPECT_EQ(h, nullptr) << c.name;
      continue;
    }
    ASSERT_NE(h, nullptr) << c.name;
    EXPECT_EQ(h->ClassName(), c.handler) << c.name;
  }
  auto* tab31 = dynamic_cast<TSkinTab31*>(HandlerOf(*form, set));
  ASSERT_NE(tab31, nullptr);
  EXPECT_EQ(tab31->Scroller(), set->Scroller()) << "the tab set's first component is its scroller";
}

// Where to read a tab's outer edge (the side of the window) and its inner edge (the page).
struct TTabProbe {
  POINT Outer, Inner;
};
TTabProbe ProbeFor(TTabPosition side, const RECT& r) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  switch (side) {
    case tpTop:
      return {{r.left + 3, r.top + h / 4}, {r.left + 3, r.bottom - h / 4}};
    case tpBottom:
      return {{r.left + 3, r.bottom - 1 - h / 4}, {r.left + 3, r.top + h / 4 - 1}};
    case tpLeft:
      return {{r.left + w / 4, r.top + 3}, {r.right - 1 - w / 4, r.top + 3}};
    case tpRight:
      return {{r.right - 1 - w / 4, r.top + 3}, {r.left + w / 4, r.top + 3}};
  }
  return {};
}

TEST_F(SkinTabTest, EachSideShowsTheTabPictureTurnedToFaceOutAndThePageBorderOpposite) {
  const struct {
    TTabPosition side;
    const char* name;
    POINT border;  // a point of the page border on the side away from the tabs (of 140 x 120)
  } cases[] = {
      {tpTop, "top", {70, 118}},
      {tpBottom, "bottom (flipped picture)", {70, 1}},
      {tpLeft, "left (turned buffer)", {138, 60}},
      {tpRight, "right (turned buffer)", {1, 60}},
  };
  MakeWideForm();
  std::vector<TTabControl*> controls;
  int x = 10;
  for (const auto& c : cases) {
    auto* t = Add<TTabControl>(x, 10, 140, 120);
    t->SetTabPosition(c.side);
    for (const char* caption : {"One", "Two", "Three"}) t->AddTab(caption);
    t->SetTabIndex(0);
    controls.push_back(t);
    x += 135;
  }
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  for (size_t i = 0; i < controls.size(); ++i) {
    const auto& c = cases[i];
    HWND wnd = controls[i]->Handle();
    auto* h = dynamic_cast<TSkinTab*>(HandlerFor(*form, controls[i]));
    ASSERT_NE(h, nullptr) << c.name;
    Repaint(wnd);
    EXPECT_EQ(h->TabPosition(), c.side) << c.name;
    for (int item = 0; item < 2; ++item) {
      RECT r{};
      ASSERT_TRUE(SendMessageA(wnd, TCM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&r))) << c.name;
      const int frame = item == 0 ? 2 : 1;  // the current tab shows the second frame
      const TTabProbe p = ProbeFor(c.side, r);
      EXPECT_EQ(ScreenPixel(InClient(wnd, p.Outer.x, p.Outer.y)), TabOuter[frame])
          << c.name << " tab " << item
          << " outer edge: " << ColourText(ScreenPixel(InClient(wnd, p.Outer.x, p.Outer.y)));
      EXPECT_EQ(ScreenPixel(InClient(wnd, p.Inner.x, p.Inner.y)), TabInner[frame])
          << c.name << " tab " << item
          << " inner edge: " << ColourText(ScreenPixel(InClient(wnd, p.Inner.x, p.Inner.y)));
    }
    EXPECT_EQ(ScreenPixel(InClient(wnd, c.border.x, c.border.y)), PageBorder)
        << c.name << ": " << ColourText(ScreenPixel(InClient(wnd, c.border.x, c.border.y)));
  }
}

TEST_F(SkinTabTest, AnOverflowingTabControlLeavesItsArrowsAsTheyDrewThemselves) {
  MakeWideForm();
  auto* t = Add<TTabControl>(10, 10, 150, 100);
  for (const char* caption : {"First", "Second", "Third", "Fourth", "Fifth", "Sixth", "Seventh"})
    t->AddTab(caption);
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  HWND wnd = t->Handle();
  auto* h = dynamic_cast<TSkinTab*>(HandlerFor(*form, t));
  ASSERT_NE(h, nullptr);
  HWND arrows = FindWindowExA(wnd, nullptr, "msctls_updown32", nullptr);
  ASSERT_NE(arrows, nullptr) << "seven tabs in 150 pixels on one row need the scroll arrows";
  ASSERT_TRUE(IsWindowVisible(arrows));
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpMessages(10);
  RECT a{};
  GetWindowRect(arrows, &a);
  MapWindowPoints(nullptr, wnd, reinterpret_cast<POINT*>(&a), 2);
  std::vector<COLORREF> before;
  for (int y = a.top; y < a.bottom; y += 2)
    for (int x = a.left; x < a.right; x += 2) before.push_back(ScreenPixel(InClient(wnd, x, y)));

  // Only the tab control paints again: the strip copy must go around the arrows.
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN | RDW_UPDATENOW);
  PumpMessages(10);
  // (The face colour is no sign: the arrows' own skinned drawing uses it too.)
  const COLORREF strip[] = {TabOuter[1], TabInner[1], TabOuter[2], TabInner[2]};
  size_t i = 0;
  int changed = 0, stripColoured = 0;
  for (int y = a.top; y < a.bottom; y += 2)
    for (int x = a.left; x < a.right; x += 2, ++i) {
      const COLORREF now = ScreenPixel(InClient(wnd, x, y));
      changed += now != before[i];
      for (COLORREF s : strip) stripColoured += now == s;
    }
  EXPECT_EQ(changed, 0) << "pixels of the arrows changed by the strip copy";
  EXPECT_EQ(stripColoured, 0) << "pixels of the arrows show the strip's colours";
  // Left of the arrows the strip was copied: the first tab shows its skinned frame.
  RECT r{};
  ASSERT_TRUE(SendMessageA(wnd, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r)));
  EXPECT_EQ(ScreenPixel(InClient(wnd, r.left + 3, r.top + 3)), TabOuter[2]);
}

TEST_F(SkinTabTest, ATabSetDrawsItsTabsFromTheFlippedPictureAndLeavesRoomForItsScroller) {
  MakeWideForm();
  auto* few = Add<TTabSet>(10, 10, 300, 21);
  for (const char* caption : {"Alpha", "Beta"}) few->AddTab(caption);
  auto* many = Add<TTabSet>(10, 60, 200, 21);
  for (int i = 1; i <= 12; ++i) many->AddTab("Sheet " + std::to_string(i));
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  ASSERT_NE(HandlerOf(*form, few), nullptr);
  ASSERT_NE(HandlerOf(*form, many), nullptr);
  EXPECT_FALSE(IsWindowVisible(few->Scroller()->Handle()));
  EXPECT_TRUE(IsWindowVisible(many->Scroller()->Handle())) << "twelve tabs do not fit in 200 pixels";
  const struct {
    const char* name;
    TTabSet* set;
  } cases[] = {{"two tabs", few}, {"overflowing", many}};
  for (const auto& c : cases) {
    HWND wnd = c.set->Handle();
    Repaint(wnd);
    const int h = c.set->Height();
    const int x = c.set->StartMargin() + 2;
    // Tab 0 is current; the flipped picture puts its outer half at the bottom.
    EXPECT_EQ(ScreenPixel(InClient(wnd, x, h - 3)), TabOuter[2])
        << c.name << ": " << ColourText(ScreenPixel(InClient(wnd, x, h - 3)));
    EXPECT_EQ(ScreenPixel(InClient(wnd, x, 2)), TabInner[2])
        << c.name << ": " << ColourText(ScreenPixel(InClient(wnd, x, 2)));
  }
  // Room for the scroller: nothing of a tab within 12 pixels before the end margin.
  HWND wnd = many->Handle();
  const int gapX = many->Width() - many->EndMargin() - 12;
  int tabPixels = 0;
  for (int x = gapX; x < many->Width() - TTabScroller::ScrollerWidth; ++x)
    for (COLORREF s : {TabOuter[1], TabInner[1]})
      tabPixels +=
          ScreenPixel(InClient(wnd, x, many->Height() - 3)) == s || ScreenPixel(InClient(wnd, x, 2)) == s;
  EXPECT_EQ(tabPixels, 0);
  // Scrolling moves the first visible tab: the new first tab (not current) shows frame 1.
  many->SetFirstIndex(1);
  Repaint(wnd);
  EXPECT_EQ(ScreenPixel(InClient(wnd, many->StartMargin() + 2, many->Height() - 3)), TabOuter[1]);
}

TEST_F(SkinTabTest, SwitchingSkinningOffGivesNestedTabsAndHeadersTheirOwnLookAtOnce) {
  MakeWideForm();
  // A menu bar keeps the native frame, so nothing resizes when skinning goes; and inside a
  // page, the form's repaint of its own children does not reach the tabs.
  GiveMenuBar(*FormObj, "File");
  TTabSheet* sheet = AddPage(10, 10, 500, 260);
  auto* tc = AddTo<TTabControl>(sheet, 10, 10, 200, 100);
  tc->AddTab("One");
  auto* lv = AddTo<TListView>(sheet, 220, 10, 250, 100);
  lv->SetViewStyle(vsReport);
  lv->AddColumn("Name", 60);
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  HWND tab = tc->Handle(), header = lv->HeaderHandle();
  RECT r{};
  ASSERT_TRUE(SendMessageA(tab, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r)));
  Repaint(tab);
  Repaint(header);
  ASSERT_EQ(ScreenPixel(InClient(tab, r.left + 3, r.top + 3)), TabOuter[2]);
  ASSERT_EQ(ScreenPixel(InClient(header, 200, 5)), HeaderFrame);
  Main->SetActive(false);
  PumpMessages(600);
  EXPECT_TRUE(form == nullptr || Handler(FormObj->Handle()) == nullptr || form->ControlHandlers().empty());
  EXPECT_NE(ScreenPixel(InClient(tab, r.left + 3, r.top + 3)), TabOuter[2]) << "the tab still shows the skin";
  EXPECT_NE(ScreenPixel(InClient(header, 200, 5)), HeaderFrame) << "the header still shows the skin";
}

TEST_F(SkinTabTest, ANewSkinsTabPictureShowsInTheRepaintThatFollowsTheChange) {
  MakeWideForm();
  auto* t = Add<TTabControl>(10, 10, 200, 100);
  t->AddTab("One");
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  HWND wnd = t->Handle();
  ASSERT_NE(HandlerFor(*form, t), nullptr);
  Repaint(wnd);
  RECT r{};
  ASSERT_TRUE(SendMessageA(wnd, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r)));
  const POINT at{r.left + 3, r.top + 3};
  ASSERT_EQ(ScreenPixel(InClient(wnd, at.x, at.y)), TabOuter[2]);
  const COLORREF fresh = RGB(10, 120, 250);
  Main->Tabs->Image->Assign(Solid(TabFrameW * 5, TabFrameH, fresh));
  form->SkinChanged();
  EXPECT_EQ(ScreenPixel(InClient(wnd, at.x, at.y)), fresh)
      << ColourText(ScreenPixel(InClient(wnd, at.x, at.y)));
}

}  // namespace
