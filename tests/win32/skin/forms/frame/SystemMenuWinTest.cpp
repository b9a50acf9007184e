// The skinned system menu is the window's own: every item of GetSystemMenu in its order and
// text, its state as the window is now, the skin's drawing and measuring, and its command
// sent to the window. Windows of four kinds: a plain one, a dialog, a fixed-size one, and one
// whose program added an item.
#include <string>
#include <vector>

#include "tests/win32/skin/forms/frame/FrameTestEnv_win.h"
#include "ui/Menus.h"

namespace {
using namespace skintest;
using namespace frametest;

constexpr UINT kAddedCommand = 0x0110;

// The text of each item of a native menu, as GetMenuString gives it ("" for a separator).
std::vector<std::string> NativeTexts(HMENU menu) {
  std::vector<std::string> texts;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[256] = {};
    GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    texts.emplace_back(text);
  }
  return texts;
}

// The same for the skinned popup: caption, and the shortcut after a tab.
std::vector<std::string> SkinnedTexts(TPopupMenu& popup) {
  std::vector<std::string> texts;
  for (int i = 0; i < popup.Items()->Count(); ++i) {
    const TMenuItem& item = *popup.Items()->Items(i);
    if (item.IsLine()) {
      texts.emplace_back();
      continue;
    }
    std::string text = item.Caption();
    if (item.ShortCut() != scNone) text += "\t" + ShortCutToText(item.ShortCut());
    texts.push_back(text);
  }
  return texts;
}

TMenuItem* ItemWithText(TPopupMenu& popup, const std::string& prefix) {
  for (int i = 0; i < popup.Items()->Count(); ++i)
    if (popup.Items()->Items(i)->Caption().rfind(prefix, 0) == 0) return popup.Items()->Items(i);
  return nullptr;
}

// A program that marks its own item when its window menu is about to show, as the system
// tells it with WM_INITMENUPOPUP (the high word of lParam says "window menu").
LRESULT CALLBACK MarkingProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITMENUPOPUP && HIWORD(lParam) &&
      reinterpret_cast<HMENU>(wParam) == GetSystemMenu(wnd, FALSE))
    CheckMenuItem(GetSystemMenu(wnd, FALSE), kAddedCommand, MF_BYCOMMAND | MF_CHECKED);
  return RecordingProc(wnd, msg, wParam, lParam);
}

const char* MarkingClass() { return TestClass("SkinFrameMarking", MarkingProc, nullptr); }

INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// Up from nothing selected picks the last item; Return chooses it.
void CALLBACK ChooseLastItemTick(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  HWND menu = FindWindowA("#32768", nullptr);
  PostMessageA(menu, WM_KEYDOWN, VK_UP, 0);
  PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
}

// A modeless dialog from a template in memory: caption, system menu, modal frame.
HWND MakeDialog() {
  struct alignas(4) {
    DLGTEMPLATE t;
    WORD menu, cls;
    wchar_t title[12];
  } tpl{};
  tpl.t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;
  tpl.t.cx = 160;
  tpl.t.cy = 80;
  tpl.t.x = 60;
  tpl.t.y = 60;
  wcscpy(tpl.title, L"Skin dialog");
  return CreateDialogIndirectParamA(GetModuleHandleA(nullptr), &tpl.t, nullptr, QuietDialogProc, 0);
}

// Opens the system menu as a right click on the caption does, and lets it close again.
void OpenSystemMenu(HWND wnd) {
  CloseMenusSoon();
  SendMessageA(wnd, WM_NCRBUTTONDOWN, HTCAPTION, ScreenLParam(wnd, 100, 12));
}

struct SystemMenuTest : EngineTest {
  void SetUp() override {
    EngineTest::SetUp();
    TRecorder::SysCommands = 0;
    TRecorder::LastSysCommand = 0;
  }
};

TEST_F(SystemMenuTest, TheSkinnedSystemMenuHasTheWindowsOwnItemsTextsAndStates) {
  Main = LoadedComponent();
  enum Kind { Plain, Dialog, Fixed, Added, Owned };
  struct Case {
    const char* name;
    Kind kind;
    // Restore, Move, Size, Minimize, Maximize, Close, where the menu has them.
    bool restore, move, size, minimize, maximize, close;
  } cases[] = {
      {"plain window", Plain, false, true, true, true, true, true},
      {"dialog", Dialog, false, true, false, false, false, true},
      {"fixed-size window", Fixed, false, true, false, true, false, true},
      {"window with a program's item", Added, false, true, true, true, true, true},
      // The skinned frame takes an owned window's native buttons away; its menu keeps them.
      {"owned window", Owned, false, true, true, true, true, true},
  };
  TWindow owner(MakeWindow(WS_OVERLAPPEDWINDOW));
  for (const Case& c : cases) {
    TWindow w;
    switch (c.kind) {
      case Plain:
        w.Wnd = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200, RecordingClass());
        break;
      case Dialog:
        w.Wnd = MakeDialog();
        break;
      case Fixed:
        w.Wnd = MakeWindow(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE, 300, 200,
                           RecordingClass());
        break;
      case Added:
        w.Wnd = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200, MarkingClass());
        AppendMenuA(GetSystemMenu(w.Wnd, FALSE), MF_SEPARATOR, 0, nullptr);
        AppendMenuA(GetSystemMenu(w.Wnd, FALSE), MF_STRING, kAddedCommand, "&About this test");
        break;
      case Owned:
        w.Wnd = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200, RecordingClass(), owner.Wnd);
        break;
    }
    ASSERT_NE(w.Wnd, nullptr) << c.name;
    TSkinForm* h = ActivatedHandler(w.Wnd);
    ASSERT_NE(h, nullptr) << c.name;
    OpenSystemMenu(w.Wnd);
    PumpMessages(50);
    ASSERT_EQ(h->TitleButtons().SystemMenuOpenings(), 1) << c.name;
    TPopupMenu* popup = h->TitleButtons().SystemPopup();
    ASSERT_NE(popup, nullptr) << c.name;
    EXPECT_EQ(popup->Tag, 33333) << c.name;

    const std::vector<std::string> native = NativeTexts(GetSystemMenu(w.Wnd, FALSE));
    EXPECT_EQ(SkinnedTexts(*popup), native) << c.name << ": the same items, in count, order and text";
    if (c.kind == Added) {
      EXPECT_EQ(native.back(), "&About this test") << c.name;
      TMenuItem* added = ItemWithText(*popup, "&About this test");
      ASSERT_NE(added, nullptr);
      EXPECT_TRUE(added->Checked()) << "the program marked it when told the menu opens";
    }

    struct Named {
      UINT command;
      bool enabled;
      int picture;
    } named[] = {{SC_RESTORE, c.restore, 0},   {SC_MOVE, c.move, -1},        {SC_SIZE, c.size, -1},
                 {SC_MINIMIZE, c.minimize, 2}, {SC_MAXIMIZE, c.maximize, 1}, {SC_CLOSE, c.close, 3}};
    HMENU own = GetSystemMenu(w.Wnd, FALSE);
    for (const Named& n : named) {
      char text[256] = {};
      if (GetMenuStringA(own, n.command, text, sizeof text, MF_BYCOMMAND) <= 0) continue;  // not in this menu
      std::string caption(text);
      caption = caption.substr(0, caption.find('\t'));
      TMenuItem* item = ItemWithText(*popup, caption);
      ASSERT_NE(item, nullptr) << c.name << ": " << caption;
      EXPECT_EQ(item->Enabled(), n.enabled) << c.name << ": " << caption;
      EXPECT_EQ(item->ImageIndex(), n.picture) << c.name << ": " << caption;
      if (n.command == SC_CLOSE) {
        EXPECT_EQ(ShortCutToText(item->ShortCut()), "Alt+F4") << c.name;
      }
    }
    // Drawn and measured by the skin like every other skinned item.
    EXPECT_TRUE(popup->OwnerDraw()) << c.name;
    for (int i = 0; i < popup->Items()->Count(); ++i) {
      EXPECT_TRUE(popup->Items()->Items(i)->OnAdvancedDrawItem) << c.name << " item " << i;
      EXPECT_TRUE(popup->Items()->Items(i)->OnMeasureItem) << c.name << " item " << i;
    }
  }
}

TEST_F(SystemMenuTest, ItemStatesFollowTheWindowAtEachOpening) {
  Main = LoadedComponent();
  TWindow w(MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200, RecordingClass()));
  TSkinForm* h = ActivatedHandler(w.Wnd);
  ASSERT_NE(h, nullptr);
  ShowWindow(w.Wnd, SW_MAXIMIZE);
  for (int i = 0; i < 100 && !IsZoomed(w.Wnd); ++i) PumpMessages(20);
  ASSERT_TRUE(IsZoomed(w.Wnd));
  OpenSystemMenu(w.Wnd);
  PumpMessages(50);
  TPopupMenu* popup = h->TitleButtons().SystemPopup();
  ASSERT_NE(popup, nullptr);
  struct Case {
    const char* caption;
    bool enabled;
  } maximized[] = {
      {"&Restore", true}, {"&Move", false}, {"&Size", false}, {"Mi&nimize", true}, {"Ma&ximize", false}};
  for (const Case& c : maximized) {
    TMenuItem* item = ItemWithText(*popup, c.caption);
    ASSERT_NE(item, nullptr) << c.caption;
    EXPECT_EQ(item->Enabled(), c.enabled) << "maximized: " << c.caption;
  }
}

// The chosen item reaches the window as WM_SYSCOMMAND with its identifier, the program's own
// item as much as Move; chosen with the keyboard in the open menu.
TEST_F(SystemMenuTest, AChosenItemSendsItsCommandToTheWindow) {
  Main = LoadedComponent();
  TWindow w(MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200, RecordingClass()));
  AppendMenuA(GetSystemMenu(w.Wnd, FALSE), MF_STRING, kAddedCommand, "&About this test");
  Activate(w.Wnd);
  ASSERT_NE(Handler(w.Wnd), nullptr);
  SetTimer(nullptr, 0, 150, ChooseLastItemTick);  // the last item is the program's
  SetTimer(nullptr, 0, 1500, EndMenuTick);        // never left open if the keys went astray
  SendMessageA(w.Wnd, WM_NCRBUTTONDOWN, HTCAPTION, ScreenLParam(w.Wnd, 100, 12));
  for (int i = 0; i < 50 && TRecorder::SysCommands == 0; ++i) PumpMessages(20);
  EXPECT_EQ(TRecorder::LastSysCommand, static_cast<WPARAM>(kAddedCommand));
}

}  // namespace
