// Title-bar buttons, hit-testing and the system menu on real windows: the close button's
// click, a press that ends elsewhere, the press of a maximized window's title, the hit
// codes of the title bar, and the menu opened once by two quick right clicks.
#include "tests/win32/skin_frame/FrameTestEnv_win.h"

namespace {
using namespace skintest;
using namespace frametest;

struct FrameButtonsTest : EngineTest {
  void SetUp() override {
    EngineTest::SetUp();
    TRecorder::LastPressHit = ~WPARAM(0);
    TRecorder::SysCommands = 0;
    TRecorder::LastSysCommand = 0;
  }
  static TSkinSysButton* ButtonOf(TSkinForm& h, int action) {
    for (auto& b : h.SysButtons())
      if (b->Visible && b->Description().Action == action) return b.get();
    return nullptr;
  }
};

TEST_F(FrameButtonsTest, AClickOnCloseSendsScCloseAndAPressReleasedElsewhereDoesNothing) {
  Main = LoadedComponent();
  TWindow w(MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200, RecordingClass()));
  Activate(w.Wnd);
  TSkinForm* h = Handler(w.Wnd);
  ASSERT_NE(h, nullptr);
  SendMessageA(w.Wnd, WM_NCPAINT, 1, 0);  // lays the buttons out
  TSkinSysButton* close = ButtonOf(*h, 0);
  ASSERT_NE(close, nullptr);
  const TSkinRect c = close->BoundsRect;
  const LPARAM on = ScreenPoint(w.Wnd, (c.Left + c.Right) / 2, (c.Top + c.Bottom) / 2);
  const LPARAM off = ScreenPoint(w.Wnd, 60, 12);

  // Down on the button, up on the caption: no action, and the release is passed on.
  SendMessageA(w.Wnd, WM_NCLBUTTONDOWN, HTCAPTION, on);
  EXPECT_EQ(close->State, ncsPressed);
  EXPECT_EQ(TRecorder::LastPressHit, ~WPARAM(0)) << "a press on a button is not passed on";
  SendMessageA(w.Wnd, WM_NCLBUTTONUP, HTCAPTION, off);
  PumpMessages(10);
  EXPECT_EQ(TRecorder::SysCommands, 0);
  EXPECT_TRUE(IsWindow(w.Wnd));

  // Down and up on it: SC_CLOSE arrives and the window goes.
  SendMessageA(w.Wnd, WM_NCLBUTTONDOWN, HTCAPTION, on);
  SendMessageA(w.Wnd, WM_NCLBUTTONUP, HTCAPTION, on);
  PumpMessages(20);
  EXPECT_EQ(TRecorder::LastSysCommand, static_cast<WPARAM>(SC_CLOSE));
  EXPECT_FALSE(IsWindow(w.Wnd));
}

TEST_F(FrameButtonsTest, TheTitleOfAMaximizedActiveWindowDoesNotDrag) {
  Main = LoadedComponent();
  TWindow w(MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200, RecordingClass()));
  Activate(w.Wnd);
  ASSERT_NE(Handler(w.Wnd), nullptr);
  const LPARAM caption = ScreenPoint(w.Wnd, 100, 12);
  SendMessageA(w.Wnd, WM_NCLBUTTONDOWN, HTCAPTION, caption);
  EXPECT_EQ(TRecorder::LastPressHit, static_cast<WPARAM>(HTCAPTION)) << "normal: dragged";

  ShowWindow(w.Wnd, SW_MAXIMIZE);
  SetActiveWindow(w.Wnd);
  // Under Wine the maximized size can come back through the display a little later.
  for (int i = 0; i < 100 && Handler(w.Wnd)->WinState() != wsMaximized; ++i) PumpMessages(20);
  ASSERT_EQ(Handler(w.Wnd)->WinState(), wsMaximized);
  SendMessageA(w.Wnd, WM_NCLBUTTONDOWN, HTCAPTION, ScreenPoint(w.Wnd, 100, 12));
  EXPECT_EQ(TRecorder::LastPressHit, static_cast<WPARAM>(HTMENU)) << "maximized: not dragged";
}

TEST_F(FrameButtonsTest, HitCodesOfTheTitleBar) {
  Main = LoadedComponent();
  TWindow w(MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200));
  Activate(w.Wnd);
  TSkinForm* h = Handler(w.Wnd);
  ASSERT_NE(h, nullptr);
  struct Case {
    int x, y;
    LRESULT hit;
  } cases[] = {
      {100, 12, HTCAPTION},  // the title bar drags
      {100, h->Borders().Top + 20, HTCLIENT},
      {0, 100, HTLEFT},      // the default answers stand outside the caption
  };
  for (const Case& c : cases)
    EXPECT_EQ(SendMessageA(w.Wnd, WM_NCHITTEST, 0, ScreenPoint(w.Wnd, c.x, c.y)), c.hit) << c.x << "," << c.y;
  // The top rows keep the default answer (the resize edge).
  const LRESULT top = SendMessageA(w.Wnd, WM_NCHITTEST, 0, ScreenPoint(w.Wnd, 100, 1));
  EXPECT_EQ(top, DefWindowProcA(w.Wnd, WM_NCHITTEST, 0, ScreenPoint(w.Wnd, 100, 1)));
}

TEST_F(FrameButtonsTest, TwoQuickRightClicksOnTheCaptionOpenTheMenuOnce) {
  Main = LoadedComponent();
  TWindow w(MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200));
  Activate(w.Wnd);
  TSkinForm* h = Handler(w.Wnd);
  ASSERT_NE(h, nullptr);
  ASSERT_NE(h->SystemPopup(), nullptr);
  EXPECT_EQ(h->SystemPopup()->Tag, 33333);
  const LPARAM caption = ScreenPoint(w.Wnd, 100, 12);
  CloseMenusSoon();
  SendMessageA(w.Wnd, WM_NCRBUTTONDOWN, HTCAPTION, caption);
  CloseMenusSoon();
  SendMessageA(w.Wnd, WM_NCRBUTTONDOWN, HTCAPTION, caption);
  PumpMessages(200);
  EXPECT_EQ(h->SystemMenuOpenings(), 1);
  EXPECT_TRUE(IsWindow(w.Wnd)) << "clicks on the caption, not the icon: the window stays";
  // Outside the caption the click is the default procedure's.
  SendMessageA(w.Wnd, WM_NCRBUTTONDOWN, HTLEFT, ScreenPoint(w.Wnd, 0, 100));
  EXPECT_EQ(h->SystemMenuOpenings(), 1);
}

}  // namespace
