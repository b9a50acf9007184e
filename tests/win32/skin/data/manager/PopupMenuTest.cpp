// The popup handler on menu windows: the background rendered at the window's size, the
// frame it paints, the system's drawing clipped inside the 3-pixel border, and what passes
// through untouched.
#include "skin/data/MenuSkin_win.h"
#include "tests/win32/skin/data/manager/SkinTestEnv_win.h"

namespace {
using namespace skintest;

constexpr COLORREF SystemRed = RGB(250, 10, 20);
constexpr COLORREF PaperBlue = RGB(10, 20, 240);

// Stands in for the system's menu procedure: on WM_PRINT it paints the whole target red.
LRESULT CALLBACK RedPrinter(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PRINT) {
    TBrushHandle red(CreateSolidBrush(SystemRed));
    RECT all{0, 0, 1000, 1000};
    FillRect(reinterpret_cast<HDC>(wParam), &all, red.get());
    return 7;
  }
  if (msg == CM_SKINQUERY) return 0;
  return DefWindowProcA(wnd, msg, wParam, lParam);
}

const char* RedMenuClass() { return TestClass("SkinTestRedMenu", RedPrinter, nullptr); }

// The printed picture of a window, read back from the DC the window printed into.
struct TPrinted {
  MemoryDc Dc;
  TBitmapHandle Bitmap;
  std::unique_ptr<SelectGuard> Select;
  LRESULT Result = 0;
  TPrinted(HWND wnd, int w, int h) : Bitmap(CreateCompatibleBitmap(ClientDc(nullptr).get(), w, h)) {
    Select = std::make_unique<SelectGuard>(Dc.get(), Bitmap.get());
    TBrushHandle blue(CreateSolidBrush(PaperBlue));
    RECT all{0, 0, w, h};
    FillRect(Dc.get(), &all, blue.get());
    Result = SendMessageA(wnd, WM_PRINT, reinterpret_cast<WPARAM>(Dc.get()), PRF_CLIENT | PRF_NONCLIENT);
  }
  COLORREF At(int x, int y) const { return GetPixel(Dc.get(), x, y); }
};

struct PopupMenuTest : EngineTest {
  TWindow Menu;
  TSkinPopupMenu* Popup = nullptr;
  // A 100 x 60 menu window whose "system" procedure paints red; the handler goes on top.
  void MakeMenu() {
    Manager().SetSkinningOn(false);
    Menu.Wnd = MakeWindow(WS_POPUP, 100, 60, RedMenuClass());
    Manager().SetSkinningOn(true);
    Manager().SkinPopupMenu(Menu.Wnd);
    Popup = Manager().FindPopupMenu(Menu.Wnd);
  }
  COLORREF Corner(int x, int y) {
    TBitmap& image = SkinBitmap(*Main->MenuBackground->Image);
    return GetPixel(image.Canvas()->Handle(), x, y);
  }
};

TEST_F(PopupMenuTest, PrintRendersTheBackgroundAtTheWindowSizeAndClipsTheSystemInside) {
  Main = LoadedComponent();
  ASSERT_FALSE(Main->MenuBackground->Image->Empty()) << "the built-in skin has a menu background";
  MakeMenu();
  ASSERT_NE(Popup, nullptr);
  TPrinted p(Menu.Wnd, 100, 60);
  EXPECT_EQ(p.Result, 7) << "the saved procedure's result";
  EXPECT_EQ(Popup->Background().Width(), 100);
  EXPECT_EQ(Popup->Background().Height(), 60);
  const int imageW = Main->MenuBackground->Image->Width(), imageH = Main->MenuBackground->Image->Height();
  EXPECT_EQ(p.At(0, 0), Corner(0, 0));
  EXPECT_EQ(p.At(99, 59), Corner(imageW - 1, imageH - 1));
  struct Probe {
    int x, y;
    bool red;
  };
  const Probe probes[] = {{2, 2, false},  {3, 3, true},    {96, 56, true},  {97, 57, false}, {50, 2, false},
                          {50, 3, true},  {50, 56, true},  {50, 57, false}, {2, 30, false},  {3, 30, true},
                          {96, 30, true}, {97, 30, false}, {99, 0, false}};
  for (const Probe& q : probes) {
    EXPECT_EQ(p.At(q.x, q.y) == SystemRed, q.red) << q.x << "," << q.y;
    EXPECT_NE(p.At(q.x, q.y), PaperBlue) << "background copied whole at " << q.x << "," << q.y;
  }
  EXPECT_EQ(GetBkMode(p.Dc.get()), OPAQUE) << "background mode restored";
  HRGN clip = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(p.Dc.get(), clip), 0) << "clip region cleared";
  DeleteObject(clip);
}

TEST_F(PopupMenuTest, PaintingBeforeTheMenuIsKnownLeavesTheHandlerPending) {
  Main = LoadedComponent();
  MakeMenu();
  ASSERT_NE(Popup, nullptr);
  EXPECT_EQ(PendingPopup(), nullptr);
  TPrinted first(Menu.Wnd, 100, 60);
  EXPECT_EQ(PendingPopup(), Popup);

  TWindow second(MakeWindow(WS_POPUP, 80, 40, RedMenuClass()));
  Manager().SkinPopupMenu(second.Wnd);
  TSkinPopupMenu* other = Manager().FindPopupMenu(second.Wnd);
  ASSERT_NE(other, nullptr);
  TPrinted p2(second.Wnd, 80, 40);
  EXPECT_EQ(PendingPopup(), other) << "the next menu window that paints replaces it";

  TMenuHandle menu(CreatePopupMenu());
  EXPECT_EQ(TakePendingPopup(menu.get()), other);
  EXPECT_EQ(PendingPopup(), nullptr);
  EXPECT_EQ(Manager().PopupMenuBitmap(menu.get()), &other->Background());
  EXPECT_EQ(Manager().PopupMenuBitmap(nullptr), nullptr);
  DestroyWindow(second.Wnd);
  EXPECT_EQ(Manager().PopupMenuBitmap(menu.get()), nullptr) << "the handler went with its window";
}

TEST_F(PopupMenuTest, FramePaintingCopiesTheBackgroundBandsToTheWindow) {
  Main = LoadedComponent();
  MakeMenu();
  ASSERT_NE(Popup, nullptr);
  SetWindowPos(Menu.Wnd, HWND_TOPMOST, 300, 300, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
  PumpMessages(50);
  EXPECT_EQ(SendMessageA(Menu.Wnd, WM_NCPAINT, 1, 0), 0);
  WindowDc dc(Menu.Wnd);
  const int imageW = Main->MenuBackground->Image->Width(), imageH = Main->MenuBackground->Image->Height();
  EXPECT_EQ(GetPixel(dc.get(), 0, 0), Corner(0, 0));
  EXPECT_EQ(GetPixel(dc.get(), 99, 59), Corner(imageW - 1, imageH - 1));
  EXPECT_EQ(GetPixel(dc.get(), 0, 59), Corner(0, imageH - 1));
}

TEST_F(PopupMenuTest, WithoutAMenuBackgroundTheSystemDrawsButTheQueryIsAnswered) {
  Main = LoadedComponent();
  Main->MenuBackground->Image->Clear();
  MakeMenu();
  ASSERT_NE(Popup, nullptr);
  EXPECT_TRUE(AnswersSkinQuery(Menu.Wnd));
  TPrinted p(Menu.Wnd, 100, 60);
  EXPECT_EQ(p.At(0, 0), SystemRed);
  EXPECT_EQ(p.At(50, 30), SystemRed);
  EXPECT_EQ(PendingPopup(), nullptr);
}

TEST_F(PopupMenuTest, WithSkinningOffEverythingButTheQueryGoesToTheSystem) {
  Main = LoadedComponent();
  MakeMenu();
  ASSERT_NE(Popup, nullptr);
  Manager().SetSkinningOn(false);
  EXPECT_TRUE(AnswersSkinQuery(Menu.Wnd));
  TPrinted p(Menu.Wnd, 100, 60);
  EXPECT_EQ(p.At(0, 0), SystemRed);
  EXPECT_EQ(p.At(99, 59), SystemRed);
  EXPECT_EQ(p.Result, 7);
}

TEST_F(PopupMenuTest, DetachPutsBackTheProcedureAndIsSafeTwice) {
  Main = LoadedComponent();
  Manager().SetSkinningOn(false);
  TWindow w(MakeWindow(WS_POPUP, 100, 60, RedMenuClass()));
  const LONG_PTR before = GetWindowLongPtrA(w.Wnd, GWLP_WNDPROC);
  TSkinPopupMenu popup;
  popup.Attach(w.Wnd, Main.get(), nullptr);
  EXPECT_TRUE(popup.Attached());
  EXPECT_NE(GetWindowLongPtrA(w.Wnd, GWLP_WNDPROC), before);
  popup.Detach();
  popup.Detach();
  EXPECT_FALSE(popup.Attached());
  EXPECT_EQ(GetWindowLongPtrA(w.Wnd, GWLP_WNDPROC), before);
  EXPECT_FALSE(AnswersSkinQuery(w.Wnd));
}

}  // namespace
