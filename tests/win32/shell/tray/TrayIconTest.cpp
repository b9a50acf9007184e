#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "shell/TrayIcon_win.h"
#include "support/Pump_win.h"
#include "ui/Forms.h"
#include "ui/Graphics.h"
#include "ui/Handles.h"
#include "ui/ImgList.h"
#include "ui/Menus.h"

namespace {

struct Sent {
  DWORD Command;
  NOTIFYICONDATAA Data;
};

// Replaces the shell call for one test and records every record handed to it.
class ShellRecorder {
 public:
  explicit ShellRecorder(int version = 6, BOOL addResult = TRUE) : FAddResult(addResult) {
    TrayShellSeam().Version = [version] { return version; };
    TrayShellSeam().Notify = [this](DWORD c, const NOTIFYICONDATAA& d) {
      Records.push_back({c, d});
      if (OnNotify) OnNotify(c, d);
      return c == NIM_ADD ? FAddResult : TRUE;
    };
  }
  ~ShellRecorder() { TrayShellSeam() = {}; }
  int Count(DWORD command) const {
    int n = 0;
    for (const auto& r : Records) n += r.Command == command;
    return n;
  }
  std::vector<Sent> Records;
  std::function<void(DWORD, const NOTIFYICONDATAA&)> OnNotify;
  BOOL FAddResult;
};

std::unique_ptr<TTrayIcon> MakeTray() {
  auto tray = std::make_unique<TTrayIcon>(nullptr);
  tray->Loaded();
  return tray;
}

LRESULT Callback(TTrayIcon& tray, UINT mouseMsg) {
  return SendMessageA(tray.Handle(), 0x2422, reinterpret_cast<WPARAM>(&tray), mouseMsg);
}

TEST(TrayIconWin, AddSendsTheRecordOfTheShellVersionsLayout) {
  EXPECT_GE(ShellVersion(), 5);  // Wine's shell library is version 6
  for (int version : {6, 4}) {
    SCOPED_TRACE(version);
    ShellRecorder shell(version);
    auto tray = MakeTray();
    ASSERT_NE(tray->Handle(), nullptr);
    ASSERT_EQ(shell.Count(NIM_ADD), 1);
    const NOTIFYICONDATAA* add = nullptr;
    for (const auto& r : shell.Records)
      if (r.Command == NIM_ADD) add = &r.Data;
#ifdef _WIN64
    // The same two layouts at the 64-bit shell's sizes (the 32-bit sizes are checked where built).
    EXPECT_EQ(add->cbSize, version >= 5 ? NOTIFYICONDATAA_V2_SIZE : NOTIFYICONDATAA_V1_SIZE);
#else
    EXPECT_EQ(add->cbSize, version >= 5 ? 488u : 88u);
#endif
    EXPECT_EQ(add->hWnd, tray->Handle());
    EXPECT_EQ(add->uID, static_cast<UINT>(reinterpret_cast<UINT_PTR>(tray.get())));
    EXPECT_EQ(add->uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON));
    EXPECT_EQ(add->uCallbackMessage, 0x2422u);
    EXPECT_NE(add->hIcon, nullptr);
    EXPECT_TRUE(tray->Enabled());
    // Freeing the component takes the same icon away.
    const UINT id = add->uID;
    tray.reset();
    ASSERT_EQ(shell.Records.back().Command, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(shell.Records.back().Data.uID, id);
  }
}

TEST(TrayIconWin, RefusedAddDisablesAndTaskbarRestartDoesNotRetry) {
  ShellRecorder shell(6, FALSE);
  auto tray = MakeTray();
  EXPECT_FALSE(tray->Enabled());
  SendMessageA(tray->Handle(), TaskbarCreatedMessage(), 0, 0);
  EXPECT_EQ(shell.Count(NIM_ADD), 1);
}

TEST(TrayIconWin, TaskbarRestartBroadcastAddsTheIconAgain) {
  ShellRecorder shell;
  auto tray = MakeTray();
  ASSERT_NE(TaskbarCreatedMessage(), 0u);
  // The restarted taskbar broadcasts to top-level windows; the component must hear it.
  DWORD_PTR result = 0;
  SendMessageTimeoutA(HWND_BROADCAST, TaskbarCreatedMessage(), 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
  PumpMessages(50);
  EXPECT_EQ(shell.Count(NIM_ADD), 2);
  EXPECT_TRUE(tray->Enabled());
}

TEST(TrayIconWin, HintSetsThenClearsTheTooltip) {
  ShellRecorder shell;
  auto tray = MakeTray();
  tray->SetHint("Lumetta sparkles");
  ASSERT_EQ(shell.Records.back().Command, static_cast<DWORD>(NIM_MODIFY));
  EXPECT_EQ(shell.Records.back().Data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  EXPECT_STREQ(shell.Records.back().Data.szTip, "Lumetta sparkles");
  tray->SetHint("");
  EXPECT_EQ(shell.Records.back().Data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON));
  EXPECT_STREQ(shell.Records.back().Data.szTip, "");
  EXPECT_EQ(GetStrProperty(tray.get(), "Hint"), "");
  EXPECT_EQ(GetEnumProperty(tray.get(), "PopupMenuOn"), "ticRightClickUp");
  EXPECT_EQ(GetEnumProperty(tray.get(), "RestoreOn"), "ticLeftDblClick");
}

// Every pixel of an icon drawn at 16 x 16 on white.
std::vector<COLORREF> IconPixels(HICON icon) {
  MemoryDc dc;
  TBitmapHandle bmp(CreateBitmap(16, 16, 1, 32, nullptr));
  SelectGuard sel(dc.get(), bmp.get());
  RECT r{0, 0, 16, 16};
  FillRect(dc.get(), &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawIconEx(dc.get(), 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) pixels.push_back(GetPixel(dc.get(), x, y));
  return pixels;
}

// Colour at the middle of an icon, drawn on white.
COLORREF IconColour(HICON icon) { return IconPixels(icon)[8 * 16 + 8]; }

TEST(TrayIconWin, AnimationCyclesThroughTheImageListAndWraps) {
  ShellRecorder shell;
  TImageList list(nullptr);
  TBitmap strip;
  strip.SetSize(48, 16);
  const COLORREF colours[] = {RGB(255, 0, 0), RGB(0, 200, 0), RGB(0, 0, 255)};
  for (int i = 0; i < 3; ++i) {
    RECT r{i * 16, 0, i * 16 + 16, 16};
    TBrushHandle brush(CreateSolidBrush(colours[i]));
    FillRect(strip.Canvas()->Handle(), &r, brush.get());
  }
  ASSERT_EQ(list.AddMasked(strip, RGB(255, 0, 255)), 0);
  ASSERT_EQ(list.Count(), 3);

  auto tray = MakeTray();
  std::vector<COLORREF> shown;
  shell.OnNotify = [&](DWORD c, const NOTIFYICONDATAA& d) {
    if (c == NIM_MODIFY) shown.push_back(IconColour(d.hIcon));
  };
  tray->SetIcons(&list);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], colours[0]);
  shown.clear();
  tray->SetInterval(40);
  tray->SetAnimate(true);
  for (int i = 0; i < 100 && shown.size() < 5; ++i) PumpMessages(20);
  tray->SetAnimate(false);
  ASSERT_GE(shown.size(), 5u);
  const std::vector<COLORREF> want{colours[1], colours[2], colours[0], colours[1], colours[2]};
  EXPECT_EQ(std::vector<COLORREF>(shown.begin(), shown.begin() + 5), want);
  // Unlinking the list falls back to the application's icon, and the shell is told.
  const std::vector<COLORREF> application = IconPixels(Application->Icon()->Handle());
  ASSERT_NE(application, IconPixels(shell.Records.back().Data.hIcon));
  tray->SetIcons(nullptr);
  ASSERT_EQ(shell.Records.back().Command, static_cast<DWORD>(NIM_MODIFY));
  EXPECT_EQ(IconPixels(shell.Records.back().Data.hIcon), application);
  EXPECT_EQ(IconPixels(tray->CurrentIcon()), application);
  // So does an index past the end of a linked list.
  tray->SetIcons(&list);
  EXPECT_NE(IconPixels(shell.Records.back().Data.hIcon), application);
  tray->SetIconIndex(3);
  EXPECT_EQ(IconPixels(shell.Records.back().Data.hIcon), application);
  tray->SetIconIndex(-1);
  EXPECT_EQ(IconPixels(shell.Records.back().Data.hIcon), application);
  tray->SetIconIndex(2);
  EXPECT_EQ(IconColour(shell.Records.back().Data.hIcon), colours[2]);
}

struct OpenMenu {
  std::vector<std::string> Items;
  RECT Rect{};
  bool InPopup = false;
  HWND Foreground = nullptr;  // what holds the keyboard while the menu is open
  bool ForegroundVisible = false;
};
OpenMenu* gOpen = nullptr;
TTrayIcon* gTray = nullptr;
bool gDoubleClickInMenu = false;

// Runs inside the menu's modal loop: reads the open menu, optionally double-clicks, closes it.
void CALLBACK InspectMenu(HWND, UINT, UINT_PTR id, DWORD) {
  HWND menuWnd = FindWindowA("#32768", nullptr);
  if (!menuWnd || !IsWindowVisible(menuWnd)) return;
  KillTimer(nullptr, id);
  HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menuWnd, 0x01E1 /* MN_GETHMENU */, 0, 0));
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[64] = {};
    GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    gOpen->Items.push_back(text);
  }
  GetWindowRect(menuWnd, &gOpen->Rect);
  gOpen->InPopup = gTray->InPopup();
  gOpen->Foreground = GetForegroundWindow();
  gOpen->ForegroundVisible = IsWindowVisible(gOpen->Foreground);
  if (gDoubleClickInMenu) Callback(*gTray, WM_LBUTTONDBLCLK);
  EndMenu();
}

class TrayMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    tray = MakeTray();
    menu = std::make_unique<TPopupMenu>(nullptr);
    for (const char* caption : {"Magic", "Flag", "-", "Help", "About", "Exit"}) {
      auto* item = new TMenuItem(menu.get());
      item->SetCaption(caption);
      item->SetVisible(std::string(caption) != "Help");
      menu->Items()->Add(item);
    }
    tray->SetPopupMenu(menu.get());
    tray->OnRestoreApp = [this](TObject*) { ++restored; };
    gTray = tray.get();
    gOpen = &open;
    SetCursorPos(300, 200);
  }
  void TearDown() override {
    gOpen = nullptr;
    gTray = nullptr;
    gDoubleClickInMenu = false;
  }
  ShellRecorder shell;
  std::unique_ptr<TTrayIcon> tray;
  std::unique_ptr<TPopupMenu> menu;
  OpenMenu open;
  int restored = 0;
};

TEST_F(TrayMenu, RightButtonReleaseOpensTheMenuAtTheCursor) {
  SetTimer(nullptr, 0, 30, InspectMenu);
  Callback(*tray, WM_RBUTTONDOWN);
  EXPECT_TRUE(open.Items.empty());  // only the release opens it
  Callback(*tray, WM_RBUTTONUP);
  EXPECT_EQ(open.Items, (std::vector<std::string>{"Magic", "Flag", "", "About", "Exit"}));
  EXPECT_EQ(open.Rect.left, 300);
  EXPECT_EQ(open.Rect.top, 200);
  EXPECT_TRUE(open.InPopup);
  EXPECT_FALSE(tray->InPopup());
  // Freeing the menu unlinks it; a right click then does nothing.
  menu.reset();
  EXPECT_EQ(tray->PopupMenu(), nullptr);
  Callback(*tray, WM_RBUTTONUP);
}

TEST_F(TrayMenu, DoubleClickRestoresButNotWhileTheMenuIsOpen) {
  gDoubleClickInMenu = true;
  SetTimer(nullptr, 0, 30, InspectMenu);
  Callback(*tray, WM_RBUTTONUP);
  ASSERT_EQ(open.Items.size(), 5u);
  EXPECT_EQ(restored, 0);

  // Minimising hides the taskbar window; a double click brings the application back.
  Application->Minimize();
  EXPECT_TRUE(IsIconic(Application->Handle()));
  EXPECT_FALSE(IsWindowVisible(Application->Handle()));
  Callback(*tray, WM_LBUTTONDBLCLK);
  EXPECT_EQ(restored, 1);
  EXPECT_FALSE(IsIconic(Application->Handle()));
  EXPECT_TRUE(IsWindowVisible(Application->Handle()));
  ShowWindow(Application->Handle(), SW_HIDE);
}

// The open menu takes its keys from the foreground window's thread, and a hidden window does
// not get the keyboard (Escape, the arrows and Return would go to the taskbar that was
// clicked): a visible owner form is brought up itself, a hidden one lends the foreground to
// a window that is on screen only while the menu is open.
TEST_F(TrayMenu, TheKeyboardFollowsTheMenuWhetherTheOwnerFormShowsOrNot) {
  for (bool ownerShown : {false, true}) {
    SCOPED_TRACE(ownerShown ? "shown owner" : "hidden owner");
    TForm owner(nullptr);
    owner.SetBounds(40, 40, 120, 80);
    if (ownerShown) owner.Show();
    auto owned = std::make_unique<TTrayIcon>(&owner);
    owned->Loaded();
    owned->SetPopupMenu(menu.get());
    gTray = owned.get();
    open = OpenMenu{};
    SetTimer(nullptr, 0, 30, InspectMenu);
    Callback(*owned, WM_RBUTTONUP);
    ASSERT_EQ(open.Items.size(), 5u);
    DWORD pid = 0;
    GetWindowThreadProcessId(open.Foreground, &pid);
    EXPECT_EQ(pid, GetCurrentProcessId());
    EXPECT_TRUE(open.ForegroundVisible);
    if (ownerShown) {
      EXPECT_EQ(open.Foreground, owner.Handle());
    }
    // Afterwards the owner has the foreground and nothing of the tray's is left on screen.
    EXPECT_EQ(GetForegroundWindow(), owner.Handle());
    EXPECT_FALSE(IsWindowVisible(owned->Handle()));
    owned.reset();
    gTray = tray.get();
  }
}

TEST(TrayIconWin, SessionEndAsksAndRemovesTheIcon) {
  ShellRecorder shell;
  auto tray = MakeTray();
  EXPECT_EQ(SendMessageA(tray->Handle(), WM_QUERYENDSESSION, 0, 0), 1);
  tray->OnQueryEndSession = [](TObject*, bool& canEnd) { canEnd = false; };
  EXPECT_EQ(SendMessageA(tray->Handle(), WM_QUERYENDSESSION, 0, 0), 0);
  int ended = 0;
  tray->OnEndSession = [&](TObject*) { ++ended; };
  SendMessageA(tray->Handle(), WM_ENDSESSION, FALSE, 0);
  EXPECT_EQ(shell.Count(NIM_DELETE), 0);
  SendMessageA(tray->Handle(), WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(shell.Count(NIM_DELETE), 1);
  EXPECT_EQ(ended, 2);
}

}  // namespace
