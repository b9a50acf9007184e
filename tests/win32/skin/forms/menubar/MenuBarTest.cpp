// The skinned menu bar on a real form: its place in the frame read back from the screen,
// button faces, its drop-downs opened by the mouse and by Alt+letter and walked with the
// arrow keys and the mouse, keys that must open nothing, and detaching.
#include <functional>
#include <thread>
#include <vector>

#include "skin/data/SkinData_win.h"
#include "skin/forms/SkinDraw_win.h"
#include "support/MenuItems_win.h"
#include "tests/win32/skin/forms/menubar/MenuTestEnv_win.h"
#include "ui/Forms.h"
#include "ui/Menus.h"

namespace {
using namespace skintest;
using namespace menutest;

constexpr COLORREF BarColour = RGB(0, 128, 64), Hilight = RGB(250, 250, 0);

std::pair<int, int> ClientSize(HWND wnd) {
  RECT r{};
  GetClientRect(wnd, &r);
  return {r.right, r.bottom};
}

struct MenuBarTest : EngineTest {
  TForm* Form = nullptr;
  TMainMenu* Menu = nullptr;
  TMenuItem *File = nullptr, *Edit = nullptr, *View = nullptr, *Recent = nullptr;
  std::vector<TMenuItem*> FileItems;
  std::pair<int, int> NativeClient;

  TMenuItem* Item(const char* caption, TMenuItem* parent) { return AddMenuItem(Form, parent, caption); }
  void Build(bool rightToLeft = false) {
    Main = LoadedComponent();
    Main->MenuBar.reset();  // a flat bar in ColorMenubar
    Main->ColorMenubar = BarColour;
    Main->ColorButtonHilight = Hilight;
    Form = new TForm(nullptr);
    Form->SetBounds(120, 100, 420, 260);
    Menu = new TMainMenu(Form);
    File = Item("&File", Menu->Items());
    for (const char* c : {"-", "&Open", "-", "-", "&Recent", "-"}) FileItems.push_back(Item(c, File));
    Recent = FileItems[4];
    Item("One", Recent);
    Item("Two", Recent);
    Edit = Item("&Edit", Menu->Items());
    Item("Undo", Edit);
    View = Item("&View", Menu->Items());
    Item("Zoom", View);
    Form->SetMenu(Menu);
    HWND wnd = Form->Handle();
    if (rightToLeft)
      SetWindowLongPtrA(wnd, GWL_EXSTYLE, GetWindowLongPtrA(wnd, GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
    NativeClient = ClientSize(wnd);
    Form->Show();
    Activate(wnd);
    PumpMessages(60);
  }
  void TearDown() override {
    EndMenu();
    delete Form;
    EngineTest::TearDown();
  }
  TSkinForm& H() {
    TSkinForm* h = Handler(Form->Handle());
    if (!h) throw std::runtime_error("not skinned");
    return *h;
  }
  TMenuBtn& Button(int i) { return *H().MenuBar()->Button(i); }
  POINT ScreenCentre(const TMenuBtn& b) {
    RECT w{};
    GetWindowRect(Form->Handle(), &w);
    return {w.left + (b.BoundsRect.Left + b.BoundsRect.Right) / 2,
            w.top + (b.BoundsRect.Top + b.BoundsRect.Bottom) / 2};
  }
  void PressButton(int i) {
    const POINT p = ScreenCentre(Button(i));
    PostMessageA(Form->Handle(), WM_NCLBUTTONDOWN, HTCLIENT, MAKELPARAM(p.x, p.y));
  }
  // A step that waits for button i's drop-down, records it and then acts.
  std::function<bool()> WhenOpen(int i, std::vector<int>& seen, std::function<void(HWND)> act) {
    return [this, i, &seen, act] {
      HWND menu = TopMenuWindow();
      if (!menu || TSkinForm::OpenMenuIndex() != i || MenuOf(menu) != Button(i).SubMenu) return false;
      seen.push_back(i);
      act(menu);
      return true;
    };
  }
};

TEST_F(MenuBarTest, TakesTheNativeMenuAndPaintsTheBarInTheFrame) {
  Build();
  TSkinForm& h = H();
  ASSERT_TRUE(h.FrameSkinned());
  ASSERT_NE(h.MenuBar(), nullptr);
  EXPECT_EQ(GetMenu(Form->Handle()), nullptr);
  EXPECT_EQ(h.MenuBar()->NativeMenu(), Menu->Handle());
  ASSERT_EQ(h.MenuBar()->Count(), 3);
  EXPECT_EQ(ClientSize(Form->Handle()), NativeClient) << "the client area stays";

  const TFrameBorders b = h.Borders();
  ASSERT_EQ(b.MenuBar, GetSystemMetrics(SM_CYMENU));
  POINT origin{0, 0};
  ClientToScreen(Form->Handle(), &origin);
  RECT w{};
  GetWindowRect(Form->Handle(), &w);
  EXPECT_EQ(origin.y - w.top, b.Top + b.MenuBar) << "the client starts below the bar";

  // Buttons from the left edge, in order, inside the bar.
  EXPECT_EQ(Button(0).BoundsRect.Left, b.Left + 6);
  EXPECT_EQ(Button(0).BoundsRect.Top, b.Top);
  EXPECT_EQ(Button(1).BoundsRect.Left, Button(0).BoundsRect.Right);
  EXPECT_LT(Button(2).BoundsRect.Right, (w.right - w.left) - b.Right);

  // The bar read back from the screen: its colour past the buttons, caption pixels inside.
  const int midY = b.Top + b.MenuBar / 2, W = w.right - w.left;
  EXPECT_EQ(SettledScreenPixel(InWindow(Form->Handle(), W - b.Right - 4, midY)), BarColour);
  EXPECT_EQ(ScreenPixel(InWindow(Form->Handle(), b.Left + 2, midY)), BarColour);
  int text = 0;
  for (int x = Button(0).BoundsRect.Left; x < Button(0).BoundsRect.Right; ++x)
    for (int y = b.Top + 2; y < b.Top + b.MenuBar - 2; ++y)
      text += ScreenPixel(InWindow(Form->Handle(), x, y)) != BarColour;
  EXPECT_GT(text, 5) << "the caption \"File\" is drawn";

  // Below the title bar the frame answers HTMENU.
  const POINT inBar{w.left + W - b.Right - 4, w.top + midY};
  EXPECT_EQ(SendMessageA(Form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(inBar.x, inBar.y)), HTMENU);
  EXPECT_EQ(h.MenuBar()->MenuButtonAt({Button(1).BoundsRect.Left + 1, midY}), &Button(1));
  EXPECT_EQ(h.MenuBar()->MenuButtonAt({W - b.Right - 4, midY}), nullptr);
}

TEST_F(MenuBarTest, OneTrackerTracksOnAThreadAndALateStopLeavesTheOtherAlone) {
  Build();
  TMenuBarTracker first(H()), second(H());
  EXPECT_EQ(TMenuBarTracker::OpenIndexOnThread(), -1);
  first.Start(nullptr, 1, false);
  EXPECT_TRUE(first.Tracking() && first.Hooked());
  EXPECT_EQ(TMenuBarTracker::OpenIndexOnThread(), 1);
  second.Start(nullptr, 2, true);
  EXPECT_FALSE(first.Tracking());
  EXPECT_FALSE(first.Hooked()) << "one hook on the thread";
  const TTrackEnd late = first.Stop();
  EXPECT_FALSE(late.Escaped || late.Switched);
  EXPECT_TRUE(second.Tracking()) << "the first's late stop leaves the second tracking";
  EXPECT_EQ(TMenuBarTracker::OpenIndexOnThread(), 2);
  const TTrackEnd end = second.Stop();
  EXPECT_FALSE(end.Escaped || end.Switched) << "nothing closed it by a key or a switch";
  EXPECT_FALSE(second.Hooked());
  EXPECT_EQ(TMenuBarTracker::OpenIndexOnThread(), -1);
  {
    TMenuBarTracker freed(H());
    freed.Start(nullptr, 0, false);
  }
  EXPECT_EQ(TMenuBarTracker::OpenIndexOnThread(), -1) << "a tracker freed while tracking is forgotten";

  first.PressPosted(3, true);
  EXPECT_FALSE(first.TakeKeyboardPress(2)) << "another button's press";
  first.PressPosted(3, true);
  EXPECT_TRUE(first.TakeKeyboardPress(3));
  EXPECT_FALSE(first.TakeKeyboardPress(3)) << "asked once";
  first.PressPosted(3, false);
  EXPECT_FALSE(first.TakeKeyboardPress(3));
}

TEST_F(MenuBarTest, HotAndPressedButtonsShowTheHilightFrame) {
  Build();
  const int midY = (Button(1).BoundsRect.Top + Button(1).BoundsRect.Bottom) / 2;
  const int left = Button(1).BoundsRect.Left;
  // The cursor rests on the button, so the hover timer leaves its face alone.
  const POINT over = ScreenCentre(Button(1));
  SetCursorPos(over.x, over.y);
  struct Case {
    const char* name;
    std::function<void(TMenuBtn&)> act;
    COLORREF edge;
  } cases[] = {
      {"hot", [](TMenuBtn& b) { b.MouseEnter(); }, Hilight},
      {"left", [](TMenuBtn& b) { b.MouseLeave(); }, BarColour},
      {"pressed", [](TMenuBtn& b) { b.MouseDown(); }, Hilight},
      {"left again", [](TMenuBtn& b) { b.MouseLeave(); }, BarColour},
  };
  for (const Case& c : cases) {
    c.act(Button(1));
    EXPECT_EQ(SettledScreenPixel(InWindow(Form->Handle(), left, midY)), c.edge) << c.name;
  }
}

TEST_F(MenuBarTest, AllItemsInvisibleGiveAnEmptyBar) {
  Build();
  for (TMenuItem* i : {File, Edit, View}) i->SetVisible(false);
  PumpMessages(80);
  const TFrameBorders b = H().Borders();
  RECT w{};
  GetWindowRect(Form->Handle(), &w);
  int other = 0;
  for (int x = b.Left + 1; x < (w.right - w.left) - b.Right - 1; x += 2)
    other += ScreenPixel(InWindow(Form->Handle(), x, b.Top + b.MenuBar / 2)) != BarColour;
  EXPECT_EQ(other, 0);
  EXPECT_EQ(H().MenuBar()->MenuButtonAt({b.Left + 8, b.Top + 3}), nullptr);
}

TEST_F(MenuBarTest, RightToLeftLaysButtonsOutFromTheRightEdge) {
  Build(true);
  const TFrameBorders b = H().Borders();
  RECT w{};
  GetWindowRect(Form->Handle(), &w);
  EXPECT_EQ(Button(0).BoundsRect.Right, (w.right - w.left) - b.Right - 6);
  EXPECT_EQ(Button(1).BoundsRect.Right, Button(0).BoundsRect.Left);
  EXPECT_LT(Button(2).BoundsRect.Left, Button(1).BoundsRect.Left);
}

TEST_F(MenuBarTest, MouseOpensTheDropDownUnderItsButtonAndTidiesSeparators) {
  Build();
  RECT where{};
  std::vector<int> seen;
  TScript s;
  s.Steps.push_back(WhenOpen(0, seen, [&](HWND menu) {
    GetWindowRect(menu, &where);
    EndMenu();
  }));
  s.Run([&] { PressButton(0); });
  ASSERT_EQ(seen, std::vector<int>{0});
  RECT w{};
  GetWindowRect(Form->Handle(), &w);
  EXPECT_EQ(where.left, w.left + Button(0).BoundsRect.Left);
  EXPECT_EQ(where.top, w.top + Button(0).BoundsRect.Bottom);
  // "-", Open, "-", "-", Recent, "-": Open, one separator, Recent.
  std::vector<bool> visible;
  for (TMenuItem* i : FileItems) visible.push_back(i->Visible());
  EXPECT_EQ(visible, (std::vector<bool>{false, true, false, true, true, false}));
  EXPECT_EQ(TSkinForm::OpenMenuIndex(), -1) << "nothing stays recorded as open";
  EXPECT_FALSE(H().MenuTracking());
}

TEST_F(MenuBarTest, ArrowKeysWalkTheMenusAndWrapRound) {
  Build();
  std::vector<int> seen;
  TScript s;
  struct Step {
    int open;
    WPARAM key;
  } walk[] = {{0, VK_RIGHT}, {1, VK_RIGHT}, {2, VK_RIGHT}, {0, VK_LEFT}, {2, 0}};
  for (const Step& st : walk)
    s.Steps.push_back(WhenOpen(st.open, seen, [key = st.key](HWND menu) {
      if (key)
        Key(menu, key);
      else
        EndMenu();
    }));
  s.Run([&] { PressButton(0); });
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 0, 2}))
      << "right to the last, round to the first, left round to the last";
}

TEST_F(MenuBarTest, RightToLeftMirrorsTheArrowKeys) {
  Build(true);
  std::vector<int> seen;
  TScript s;
  s.Steps.push_back(WhenOpen(0, seen, [](HWND menu) { Key(menu, VK_LEFT); }));
  s.Steps.push_back(WhenOpen(1, seen, [](HWND) { EndMenu(); }));
  s.Run([&] { PressButton(0); });
  EXPECT_EQ(seen, (std::vector<int>{0, 1})) << "left moves to the next button, which sits to the left";
}

TEST_F(MenuBarTest, LeftInANestedSubmenuClosesOnlyThatSubmenu) {
  Build();
  std::vector<int> seen;
  size_t levels = 0, levelsAfter = 0;
  int openAfter = -2;
  HMENU fileMenu = nullptr, shownAfter = nullptr;
  TScript s;
  s.Steps.push_back(WhenOpen(0, seen, [&](HWND menu) {
    fileMenu = MenuOf(menu);
    // Opened by a press: nothing selected. Down selects Open, the next Down Recent.
    Key(menu, VK_DOWN);
    Key(menu, VK_DOWN);
  }));
  s.Steps.push_back([&] {
    if (!(GetMenuState(fileMenu, 4, MF_BYPOSITION) & MF_HILITE)) return false;
    Key(TopMenuWindow(), VK_RIGHT);
    return true;
  });
  s.Steps.push_back([&] {
    if (ShownMenuWindows().size() < 2) return false;
    levels = ShownMenuWindows().size();
    Key(TopMenuWindow(), VK_LEFT);
    return true;
  });
  int wait = 0;
  s.Steps.push_back([&] {
    if (++wait < 6) return false;
    levelsAfter = ShownMenuWindows().size();
    openAfter = TSkinForm::OpenMenuIndex();
    shownAfter = MenuOf(TopMenuWindow());
    EndMenu();
    return true;
  });
  s.Run([&] { PressButton(0); });
  EXPECT_EQ(levels, 2u) << "Recent opened beside File";
  EXPECT_EQ(levelsAfter, 1u);
  EXPECT_EQ(openAfter, 0) << "File is still the open menu";
  EXPECT_EQ(shownAfter, fileMenu);
}

TEST_F(MenuBarTest, MovingTheMouseOverAnotherButtonSwitchesMenus) {
  Build();
  std::vector<int> seen;
  TScript s;
  s.Steps.push_back(WhenOpen(0, seen, [&](HWND menu) {
    const POINT p = ScreenCentre(Button(2));
    SetCursorPos(p.x, p.y);
    POINT c = p;
    ScreenToClient(menu, &c);
    PostMessageA(menu, WM_MOUSEMOVE, 0, MAKELPARAM(c.x, c.y));
  }));
  s.Steps.push_back(WhenOpen(2, seen, [](HWND) { EndMenu(); }));
  s.Run([&] { PressButton(0); });
  EXPECT_EQ(seen, (std::vector<int>{0, 2}));
}

TEST_F(MenuBarTest, AltWithTheAcceleratorOpensItsMenuTheLetterAloneDoesNot) {
  Build();
  struct Case {
    const char* name;
    bool alt;
    WPARAM ch;
    int opens;  // -1: nothing
  } cases[] = {
      {"Alt+E", true, 'e', 1},
      {"Alt+V (capital)", true, 'V', 2},
      {"E alone", false, 'e', -1},
      {"Alt+Q, no such accelerator", true, 'q', -1},
  };
  for (const Case& c : cases) {
    std::vector<int> seen;
    int anyOpen = -1;
    TScript s;
    int ticks = 0;
    s.Steps.push_back([&] {
      if (TopMenuWindow()) {
        anyOpen = TSkinForm::OpenMenuIndex();
        EndMenu();
        return true;
      }
      return ++ticks > 12;  // nothing opened in a while
    });
    s.Run([&] {
      HoldAlt(c.alt);
      const LRESULT r = Form->Perform(CM_DIALOGCHAR, c.ch, 0);
      HoldAlt(false);
      EXPECT_EQ(r != 0, c.opens >= 0) << c.name << ": the key is taken only when it opens a menu";
    });
    EXPECT_EQ(anyOpen, c.opens) << c.name;
  }
}

// F10 and a lone Alt select the first button in keyboard mode and open nothing;
// WM_CANCELMODE ends the mode.
TEST_F(MenuBarTest, F10AndAltAloneSelectTheFirstButtonAndOpenNothing) {
  Build();
  bool opened = false;
  int selected = -1, ticks = 0;
  TScript s;
  s.Steps.push_back([&] {
    opened = opened || TopMenuWindow();
    if (H().KeyboardSelection() < 0) return ++ticks > 20;
    selected = H().KeyboardSelection();
    SendMessageA(Form->Handle(), WM_CANCELMODE, 0, 0);
    return true;
  });
  s.Run([&] { EXPECT_EQ(SendMessageA(Form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 0), 0); });
  EXPECT_EQ(selected, 0);
  EXPECT_FALSE(opened) << "no drop-down opens";
  EXPECT_FALSE(H().KeyboardMode()) << "cancelled";
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MenuBarTest, DetachingGivesTheNativeMenuBack) {
  Build();
  TSkinForm& h = H();
  ASSERT_EQ(GetMenu(Form->Handle()), nullptr);
  h.DetachSkin();
  EXPECT_EQ(GetMenu(Form->Handle()), Menu->Handle());
  EXPECT_EQ(h.MenuBar(), nullptr);
  EXPECT_EQ(h.Borders().MenuBar, 0);
  EXPECT_EQ(ClientSize(Form->Handle()), NativeClient) << "the client area is what it was with the native bar";
}

TEST_F(MenuBarTest, ChangedMenusRebuildTheBar) {
  Build();
  Edit->SetCaption("&Change");
  Edit->SetEnabled(false);
  PumpMessages(60);
  ASSERT_EQ(H().MenuBar()->Count(), 3);
  EXPECT_EQ(Button(1).Caption, L"&Change");
  EXPECT_FALSE(Button(1).Enabled);
  EXPECT_EQ(H().ButtonByAccel(L'c'), nullptr) << "a disabled button has no accelerator";
  EXPECT_EQ(H().ButtonByAccel(L'V'), &Button(2));
}

// The bar shows the menu the window has now. The form's menu replaced by another, taken
// away, or freed; a foreign window given a new menu: each time the bar follows, keeps no
// button of a menu that went, and the client area follows the bar as it would a native one.
TEST_F(MenuBarTest, TheBarFollowsTheMenuTheWindowHasNow) {
  Build();
  const auto withBar = ClientSize(Form->Handle());
  auto* other = new TMainMenu(Form);
  Item("Options", Item("&Tools", other->Items()));

  Form->SetMenu(other);
  PumpMessages(30);
  ASSERT_NE(H().MenuBar(), nullptr);
  EXPECT_EQ(GetMenu(Form->Handle()), nullptr) << "the new menu is taken off the window too";
  EXPECT_EQ(H().MenuBar()->NativeMenu(), other->Handle());
  ASSERT_EQ(H().MenuBar()->Count(), 1);
  EXPECT_EQ(Button(0).Caption, L"&Tools");
  EXPECT_EQ(ClientSize(Form->Handle()), withBar);

  // The old menu freed: nothing of it is left to press.
  delete Menu;
  Menu = nullptr;
  PumpMessages(30);
  ASSERT_EQ(H().MenuBar()->Count(), 1);
  std::vector<int> seen;
  TScript s;
  s.Steps.push_back(WhenOpen(0, seen, [](HWND) { EndMenu(); }));
  s.Run([&] { PressButton(0); });
  EXPECT_EQ(seen, std::vector<int>{0}) << "the new menu's drop-down opens";

  // No menu at all: no bar, and the client area takes its place.
  Form->SetMenu(nullptr);
  PumpMessages(30);
  EXPECT_EQ(H().MenuBar(), nullptr);
  EXPECT_EQ(H().Borders().MenuBar, 0);
  EXPECT_EQ(ClientSize(Form->Handle()),
            std::make_pair(withBar.first, withBar.second + GetSystemMetrics(SM_CYMENU)));
  // And back.
  Form->SetMenu(other);
  PumpMessages(30);
  ASSERT_NE(H().MenuBar(), nullptr);
  EXPECT_EQ(H().MenuBar()->Count(), 1);
  EXPECT_EQ(ClientSize(Form->Handle()), withBar);
  // The menu freed while shown.
  delete other;
  PumpMessages(30);
  EXPECT_EQ(H().MenuBar(), nullptr);
}

TEST_F(MenuBarTest, AForeignWindowGivenANewMenuShowsIt) {
  Main = LoadedComponent();
  auto menuOf = [](const char* caption) {
    HMENU bar = CreateMenu(), drop = CreatePopupMenu();
    AppendMenuA(drop, MF_STRING, 100, "Item");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(drop), caption);
    return bar;
  };
  HMENU first = menuOf("&First"), second = menuOf("&Second");
  TWindow w(MakeWindow(WS_OVERLAPPEDWINDOW));
  SetMenu(w.Wnd, first);
  TSkinForm* h = ActivatedHandler(w.Wnd);
  ASSERT_NE(h, nullptr);
  ASSERT_NE(h->MenuBar(), nullptr);
  SetMenu(w.Wnd, second);
  PumpMessages(30);
  EXPECT_EQ(GetMenu(w.Wnd), nullptr);
  ASSERT_EQ(h->MenuBar()->Count(), 1);
  EXPECT_EQ(h->MenuBar()->Button(0)->Caption, L"&Second");
  h->DetachSkin();
  EXPECT_EQ(GetMenu(w.Wnd), second) << "detaching gives back the menu it has now";
  DestroyMenu(first);
}

// Skinning switched (what F2 does) and at once Alt+F: the switch falls due while the menu is
// open. It waits for the menu to close, so each menu is drawn in the mode its window was in
// when it opened, nothing is freed under the open menu, and the window ends in the mode asked
// for with its menu where that mode keeps it. Ten rounds, off and on.
TEST_F(MenuBarTest, SwitchingSkinningJustBeforeAMenuOpensWaitsForTheMenu) {
  Build();
  HWND wnd = Form->Handle();
  HMENU native = Menu->Handle();
  for (int round = 0; round < 10; ++round) {
    const bool skinnedBefore = AnswersSkinQuery(wnd);
    bool opened = false, skinnedAtOpen = false, skinnedMenu = false, skinnedAtClose = false;
    int ticksOpen = 0;
    TScript s;
    s.Steps.push_back([&] {
      HWND menu = TopMenuWindow();
      if (!menu) return false;
      if (!opened) {
        opened = true;
        skinnedAtOpen = AnswersSkinQuery(wnd);
        skinnedMenu = Manager().FindPopupMenu(menu) != nullptr;
      }
      if (++ticksOpen < 15) return false;  // well past the moment the switch falls due
      skinnedAtClose = AnswersSkinQuery(wnd);
      EndMenu();
      return true;
    });
    s.Run([&] {
      Main->SetActive(!Main->Active());
      HoldAlt(true);
      SendMessageA(wnd, WM_SYSCHAR, 'f', 1 << 29);
      HoldAlt(false);
    });
    ASSERT_TRUE(opened) << "round " << round;
    EXPECT_EQ(skinnedAtOpen, skinnedBefore) << "round " << round << ": the menu opens in the window's mode";
    EXPECT_EQ(skinnedMenu, skinnedAtOpen) << "round " << round << ": and is drawn in it";
    EXPECT_EQ(skinnedAtClose, skinnedAtOpen) << "round " << round << ": nothing changes under the open menu";
    for (int i = 0; i < 50 && Manager().CommandTimerEnabled(); ++i) PumpMessages(20);
    PumpMessages(60);
    const bool skinned = AnswersSkinQuery(wnd);
    EXPECT_EQ(skinned, Main->Active()) << "round " << round << ": then the switch runs";
    EXPECT_EQ(GetMenu(wnd), skinned ? nullptr : native) << "round " << round;
    if (skinned) {
      EXPECT_EQ(GetWindowLongPtrA(wnd, GWL_STYLE) & WS_SYSMENU, 0) << "round " << round;
    } else {
      EXPECT_EQ(GetWindowLongPtrA(wnd, GWL_STYLE) & WS_SYSMENU, WS_SYSMENU) << "round " << round;
    }
  }
}

// A foreign window destroyed while skinned: its menu goes with it, as it would natively
// (the bar had taken it off the window). A form's menu stays its TMainMenu's.
TEST_F(MenuBarTest, AForeignWindowsMenuIsDestroyedWithIt) {
  Main = LoadedComponent();
  HMENU bar = CreateMenu();
  HMENU drop = CreatePopupMenu();
  AppendMenuA(drop, MF_STRING, 100, "Item");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(drop), "&File");
  HWND wnd = MakeWindow(WS_OVERLAPPEDWINDOW);
  SetMenu(wnd, bar);
  Activate(wnd);
  ASSERT_NE(Handler(wnd), nullptr);
  ASSERT_EQ(GetMenu(wnd), nullptr) << "the skinned bar holds it";
  DestroyWindow(wnd);
  EXPECT_FALSE(IsMenu(bar)) << "destroyed with its window";
  EXPECT_FALSE(IsMenu(drop));

  Build();
  HMENU formMenu = Menu->Handle();
  Form->DestroyHandle();  // the window goes, the form and its menu stay
  EXPECT_TRUE(IsMenu(formMenu));
  EXPECT_EQ(Menu->Handle(), formMenu);
}

// A window of another program's kind: made with the wide calls, its menu built with
// AppendMenuW, so its captions reach the bar in any script.
const wchar_t* WideClass() { return TestClass(L"SkinMenuBarWide", DefWindowProcW, nullptr); }

TEST_F(MenuBarTest, AcceleratorsCompareAsTheSystemDoesInEveryScript) {
  Main = LoadedComponent();
  HMENU bar = CreateMenu();
  const wchar_t* captions[] = {L"&\u0424\u0430\u0439\u043b",        // Файл
                               L"&\u03a9\u03bc\u03ad\u03b3\u03b1",  // Ωμέγα
                               L"&\u0141\u00f3d\u017a",             // Łódź
                               L"&\u00c9dition", L"&View"};
  for (const wchar_t* c : captions) {
    HMENU drop = CreatePopupMenu();
    AppendMenuW(drop, MF_STRING, 100, L"Item");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(drop), c);
  }
  TWindow w(CreateWindowExW(0, WideClass(), L"Wide", WS_OVERLAPPEDWINDOW, 120, 100, 420, 260, nullptr, bar,
                            GetModuleHandleW(nullptr), nullptr));
  TSkinForm* h = ActivatedHandler(w.Wnd);
  ASSERT_NE(h, nullptr);
  ASSERT_NE(h->MenuBar(), nullptr);
  ASSERT_EQ(h->MenuBar()->Count(), 5);
  ASSERT_EQ(h->MenuBar()->Button(0)->Caption, captions[0]);
  struct Case {
    wchar_t ch;
    int button;  // -1: none
  } cases[] = {
      {L'\u0444', 0},  {L'\u0424', 0},                   // Alt+ф opens Файл
      {L'\u03c9', 1},                                    // ω
      {L'\u0142', 2},                                    // ł
      {L'\u00e9', 3},  {L'\u00c9', 3},                   // é, É
      {L'v', 4},       {L'V', 4},      {L'\u044b', -1},  // ы: no such accelerator
      {L'\u00f7', -1},                                   // ÷ is no case of anything here
  };
  for (const Case& c : cases)
    EXPECT_EQ(h->ButtonByAccel(c.ch), c.button < 0 ? nullptr : h->MenuBar()->Button(c.button)) << int(c.ch);
  h->DetachSkin();
  EXPECT_EQ(GetMenu(w.Wnd), bar);
}

// Another thread of the program shows a menu of its own, on top of ours; its selection must
// not steer the keys of ours.
struct TOtherThreadMenu {
  static inline volatile LONG Stop = 0;
  static inline HWND volatile MenuWindow = nullptr;
  HANDLE Open = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::thread Thread;

  // Selects the first item (the one with children) once its menu shows; ends it on Stop.
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    const DWORD me = GetCurrentThreadId();
    for (HWND m = FindWindowExA(nullptr, nullptr, "#32768", nullptr); m;
         m = FindWindowExA(nullptr, m, "#32768", nullptr))
      if (!MenuWindow && IsWindowVisible(m) && GetWindowThreadProcessId(m, nullptr) == me) {
        MenuWindow = m;
        PostMessageA(m, WM_KEYDOWN, VK_DOWN, 0);
      }
    if (Stop) EndMenu();
  }
  TOtherThreadMenu() {
    Stop = 0;
    MenuWindow = nullptr;
    Thread = std::thread([this] {
      HWND owner =
          CreateWindowExA(0, "STATIC", "other", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
      HMENU popup = CreatePopupMenu(), sub = CreatePopupMenu();
      AppendMenuA(sub, MF_STRING, 1, "Inner");
      AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "Outer");
      WaitForSingleObject(Open, 10000);
      const UINT_PTR timer = SetTimer(nullptr, 0, 30, Tick);
      if (!Stop) TrackPopupMenu(popup, 0, 600, 500, 0, owner, nullptr);
      KillTimer(nullptr, timer);
      DestroyMenu(popup);
      DestroyWindow(owner);
    });
  }
  ~TOtherThreadMenu() {
    InterlockedExchange(&Stop, 1);
    SetEvent(Open);
    Thread.join();
    CloseHandle(Open);
  }
};

TEST_F(MenuBarTest, TheKeysReadThisThreadsMenuNotAnotherOne) {
  Build();
  TOtherThreadMenu other;
  std::vector<int> seen;
  HWND ours = nullptr;
  TScript s;
  s.Steps.push_back(WhenOpen(0, seen, [&](HWND menu) {
    ours = menu;
    SetEvent(other.Open);
  }));
  s.Steps.push_back([&] {
    // The other menu is up, above ours, with its item that has children selected.
    HWND m = TOtherThreadMenu::MenuWindow;
    if (!m || FindWindowA("#32768", nullptr) != m) return false;
    HMENU menu = MenuOf(m);
    if (!menu || !(GetMenuState(menu, 0, MF_BYPOSITION) & MF_HILITE)) return false;
    Key(ours, VK_RIGHT);
    return true;
  });
  s.Steps.push_back(WhenOpen(1, seen, [](HWND) { EndMenu(); }));
  s.Run([&] { PressButton(0); });
  EXPECT_EQ(seen, (std::vector<int>{0, 1})) << "Right moves on from File: its selection has no children";
}

}  // namespace
