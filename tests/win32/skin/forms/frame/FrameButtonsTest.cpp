// Title-bar buttons, hit-testing and the system menu on real windows: the close button's
// click, a press that ends elsewhere, the press of a maximized window's title, the hit
// codes of the title bar, and the menu opened once by two quick right clicks.
#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "skin/forms/TitleButtons.h"
#include "tests/win32/skin/forms/frame/FrameTestEnv_win.h"
#include "ui/Forms.h"

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
    for (auto& b : h.TitleButtons().Buttons())
      if (b->Visible && b->Description().Action == action) return b.get();
    return nullptr;
  }
  // The middle of a title-bar button, in screen coordinates.
  static LPARAM CentreOf(HWND wnd, const TSkinSysButton& b) {
    const TSkinRect r = b.BoundsRect;
    return ScreenLParam(wnd, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
};

TEST_F(FrameButtonsTest, AClickOnCloseSendsScCloseAndAPressReleasedElsewhereDoesNothing) {
  Main = LoadedComponent();
  TWindow w(MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200, RecordingClass()));
  TSkinForm* h = ActivatedHandler(w.Wnd);
  ASSERT_NE(h, nullptr);
  SendMessageA(w.Wnd, WM_NCPAINT, 1, 0);  // lays the buttons out
  TSkinSysButton* close = ButtonOf(*h, 0);
  ASSERT_NE(close, nullptr);
  const LPARAM on = CentreOf(w.Wnd, *close);
  const LPARAM off = ScreenLParam(w.Wnd, 60, 12);

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

TEST_F(FrameButtonsTest, TheButtonsLightUpUnderTheMouseAndMaximizeRestoreAndMinimize) {
  Main = LoadedComponent();
  TWindow w(MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200));
  TSkinForm* h = ActivatedHandler(w.Wnd);
  ASSERT_NE(h, nullptr);
  // Clicks the button of that action as it is laid out now, then waits for the state.
  auto click = [&](int action, auto settled) {
    SendMessageA(w.Wnd, WM_NCPAINT, 1, 0);
    TSkinSysButton* b = ButtonOf(*h, action);
    ASSERT_NE(b, nullptr) << "action " << action;
    const LPARAM at = CentreOf(w.Wnd, *b);
    SendMessageA(w.Wnd, WM_NCLBUTTONDOWN, HTCAPTION, at);
    SendMessageA(w.Wnd, WM_NCLBUTTONUP, HTCAPTION, at);
    for (int i = 0; i < 100 && !settled(); ++i) PumpMessages(20);
  };
  SendMessageA(w.Wnd, WM_NCPAINT, 1, 0);
  TSkinSysButton* maximize = ButtonOf(*h, 1);
  ASSERT_NE(maximize, nullptr);
  SendMessageA(w.Wnd, WM_NCMOUSEMOVE, HTCAPTION, CentreOf(w.Wnd, *maximize));
  EXPECT_EQ(maximize->State, ncsHot);
  SendMessageA(w.Wnd, WM_NCMOUSEMOVE, HTCAPTION, ScreenLParam(w.Wnd, 60, 12));
  EXPECT_EQ(maximize->State, ncsNormal) << "leaving the button puts it back at once";

  click(1, [&] { return IsZoomed(w.Wnd) != FALSE; });
  EXPECT_TRUE(IsZoomed(w.Wnd));
  EXPECT_EQ(h->WinState(), wsMaximized);
  click(1, [&] { return !IsZoomed(w.Wnd); });
  EXPECT_FALSE(IsZoomed(w.Wnd)) << "the same button restores";
  EXPECT_EQ(h->WinState(), wsNormal);
  click(2, [&] { return IsIconic(w.Wnd) != FALSE; });
  EXPECT_TRUE(IsIconic(w.Wnd));
  EXPECT_EQ(h->WinState(), wsMinimized);
}

TEST_F(FrameButtonsTest, TheTitleOfAMaximizedActiveWindowDoesNotDrag) {
  Main = LoadedComponent();
  TWindow w(MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200, RecordingClass()));
  Activate(w.Wnd);
  ASSERT_NE(Handler(w.Wnd), nullptr);
  const LPARAM caption = ScreenLParam(w.Wnd, 100, 12);
  SendMessageA(w.Wnd, WM_NCLBUTTONDOWN, HTCAPTION, caption);
  EXPECT_EQ(TRecorder::LastPressHit, static_cast<WPARAM>(HTCAPTION)) << "normal: dragged";

  ShowWindow(w.Wnd, SW_MAXIMIZE);
  SetActiveWindow(w.Wnd);
  // Under Wine the maximized size can come back through the display a little later.
  for (int i = 0; i < 100 && Handler(w.Wnd)->WinState() != wsMaximized; ++i) PumpMessages(20);
  ASSERT_EQ(Handler(w.Wnd)->WinState(), wsMaximized);
  SendMessageA(w.Wnd, WM_NCLBUTTONDOWN, HTCAPTION, ScreenLParam(w.Wnd, 100, 12));
  EXPECT_EQ(TRecorder::LastPressHit, static_cast<WPARAM>(HTMENU)) << "maximized: not dragged";
}

TEST_F(FrameButtonsTest, HitCodesOfTheTitleBar) {
  Main = LoadedComponent();
  TWindow w(MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200));
  TSkinForm* h = ActivatedHandler(w.Wnd);
  ASSERT_NE(h, nullptr);
  struct Case {
    int x, y;
    LRESULT hit;
  } cases[] = {
      {100, 12, HTCAPTION},  // the title bar drags
      {100, h->Borders().Top + 20, HTCLIENT},
      {0, 100, HTLEFT},  // the default answers stand outside the caption
  };
  for (const Case& c : cases)
    EXPECT_EQ(SendMessageA(w.Wnd, WM_NCHITTEST, 0, ScreenLParam(w.Wnd, c.x, c.y)), c.hit)
        << c.x << "," << c.y;
  // The top rows keep the default answer (the resize edge).
  const LRESULT top = SendMessageA(w.Wnd, WM_NCHITTEST, 0, ScreenLParam(w.Wnd, 100, 1));
  EXPECT_EQ(top, DefWindowProcA(w.Wnd, WM_NCHITTEST, 0, ScreenLParam(w.Wnd, 100, 1)));
}

TEST_F(FrameButtonsTest, TwoQuickRightClicksOnTheCaptionOpenTheMenuOnce) {
  Main = LoadedComponent();
  TWindow w(MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200));
  TSkinForm* h = ActivatedHandler(w.Wnd);
  ASSERT_NE(h, nullptr);
  ASSERT_NE(h->TitleButtons().SystemPopup(), nullptr);
  EXPECT_EQ(h->TitleButtons().SystemPopup()->Tag, 33333);
  const LPARAM caption = ScreenLParam(w.Wnd, 100, 12);
  CloseMenusSoon();
  SendMessageA(w.Wnd, WM_NCRBUTTONDOWN, HTCAPTION, caption);
  CloseMenusSoon();
  SendMessageA(w.Wnd, WM_NCRBUTTONDOWN, HTCAPTION, caption);
  PumpMessages(200);
  EXPECT_EQ(h->TitleButtons().SystemMenuOpenings(), 1);
  EXPECT_TRUE(IsWindow(w.Wnd)) << "clicks on the caption, not the icon: the window stays";
  // Outside the caption the click is the default procedure's.
  SendMessageA(w.Wnd, WM_NCRBUTTONDOWN, HTLEFT, ScreenLParam(w.Wnd, 0, 100));
  EXPECT_EQ(h->TitleButtons().SystemMenuOpenings(), 1);
}

// A second click within the double-click time closes the window only when it is on the
// system-menu button; another hot button (the mouse just left it) does not make two right
// clicks on the caption a close.
TEST_F(FrameButtonsTest, OnlyTheSystemMenuButtonClosesOnASecondClick) {
  Main = LoadedComponent();
  struct Case {
    const char* name;
    int hotAction;  // the button that is hot before each click (-1: the icon button)
    bool onButton;  // the clicks are left clicks on that button, else right clicks on the caption
    bool closes;
  } cases[] = {
      {"close button hot, right clicks on the caption", 0, false, false},
      {"maximize button hot, right clicks on the caption", 1, false, false},
      {"two clicks on the system-menu button", -1, true, true},
  };
  for (const Case& c : cases) {
    // A form: it carries the program's icon, so the system-menu button (the icon) is laid out.
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBounds(120, 100, 300, 200);
    form->Show();
    const HWND wnd = form->Handle();
    TSkinForm* h = ActivatedHandler(wnd);
    ASSERT_NE(h, nullptr) << c.name;
    SendMessageA(wnd, WM_NCPAINT, 1, 0);  // lays the buttons out
    TSkinSysButton* hot = c.hotAction >= 0 ? ButtonOf(*h, c.hotAction) : nullptr;
    for (auto& b : h->TitleButtons().Buttons())
      if (c.hotAction < 0 && b->Visible && IsIconAction(b->Description().Action)) hot = b.get();
    ASSERT_NE(hot, nullptr) << c.name;
    ASSERT_FALSE(hot->BoundsRect.Empty()) << c.name;
    for (int click = 0; click < 2; ++click) {
      CloseMenusSoon();
      if (c.onButton) {
        SendMessageA(wnd, WM_NCLBUTTONDOWN, HTCAPTION, CentreOf(wnd, *hot));
        SendMessageA(wnd, WM_NCLBUTTONUP, HTCAPTION, CentreOf(wnd, *hot));
      } else {
        hot->MouseEnter();
        ASSERT_EQ(hot->State, ncsHot) << c.name;
        SendMessageA(wnd, WM_NCRBUTTONDOWN, HTCAPTION, ScreenLParam(wnd, 100, 12));
      }
    }
    PumpMessages(200);
    EXPECT_EQ(!IsWindowVisible(wnd), c.closes) << c.name;
    EXPECT_EQ(h->TitleButtons().SystemMenuOpenings(), 1) << c.name << ": the menu opens once";
  }
}

// The icon button shows the window's icon, whether the class or the window itself has it
// (an icon made at run time, with no resource behind it, as a program's copied icon is).
TEST_F(FrameButtonsTest, TheIconButtonShowsTheWindowsIcon) {
  Main = LoadedComponent();
  const COLORREF red = RGB(220, 0, 0);
  // An opaque icon of one colour.
  auto solidIcon = [](COLORREF c) {
    constexpr int kSide = 32;
    HDC screen = GetDC(nullptr);
    HBITMAP colour = CreateCompatibleBitmap(screen, kSide, kSide);
    ReleaseDC(nullptr, screen);
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, colour);
    HBRUSH brush = CreateSolidBrush(c);
    const RECT all{0, 0, kSide, kSide};
    FillRect(mem, &all, brush);
    DeleteObject(brush);
    SelectObject(mem, old);
    DeleteDC(mem);
    std::vector<BYTE> zeros(kSide * kSide / 8, 0);
    HBITMAP mask = CreateBitmap(kSide, kSide, 1, 1, zeros.data());
    ICONINFO info{TRUE, 0, 0, mask, colour};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(colour);
    return icon;
  };
  HICON icon = solidIcon(red);
  ASSERT_NE(icon, nullptr);

  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hIcon = icon;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = "SkinFrameClassIcon";
  ASSERT_NE(RegisterClassExA(&wc), 0);
  // A class whose small icon was destroyed while the class kept it: its big icon is the only
  // one that draws.
  wc.hIconSm = solidIcon(RGB(0, 0, 200));
  wc.lpszClassName = "SkinFrameBigIconOnly";
  ASSERT_NE(RegisterClassExA(&wc), 0);
  DestroyIcon(wc.hIconSm);
  // The icon as the class's, as the window's own large icon (what a form is given), and as
  // the only icon of its class that still draws.
  enum Source { ClassRegistered, OwnBig, ClassBigOnly };
  for (const Source source : {ClassRegistered, OwnBig, ClassBigOnly}) {
    const char* cls = source == ClassRegistered ? "SkinFrameClassIcon"
                      : source == OwnBig        ? PlainClass()
                                                : "SkinFrameBigIconOnly";
    const char* name = source == ClassRegistered ? "class icon"
                       : source == OwnBig        ? "own icon"
                                                 : "class's big icon only";
    TWindow w(MakeWindow(WS_OVERLAPPEDWINDOW, 300, 200, cls));
    if (source == OwnBig) SendMessageA(w.Wnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SetWindowPos(w.Wnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    TSkinForm* h = ActivatedHandler(w.Wnd);
    ASSERT_NE(h, nullptr);
    SendMessageA(w.Wnd, WM_NCPAINT, 1, 0);
    TSkinSysButton* iconButton = nullptr;
    for (auto& b : h->TitleButtons().Buttons())
      if (b->Visible && IsIconAction(b->Description().Action)) iconButton = b.get();
    ASSERT_NE(iconButton, nullptr) << "an overlapped window has a system menu, so an icon button";
    const TSkinRect r = iconButton->BoundsRect;
    EXPECT_EQ(SettledScreenPixel(InWindow(w.Wnd, r.Left + 4, r.Top + 4)), red) << name;
    EXPECT_EQ(SettledScreenPixel(InWindow(w.Wnd, r.Left + 10, r.Top + 8)), red) << name;
  }
  UnregisterClassA("SkinFrameBigIconOnly", GetModuleHandleA(nullptr));
  UnregisterClassA("SkinFrameClassIcon", GetModuleHandleA(nullptr));
  DestroyIcon(icon);
}

// A narrow window (winemine's) shows its whole title when it fits beside its buttons, and
// the title never runs under a button.
TEST_F(FrameButtonsTest, ANarrowWindowsTitleShowsWholeBesideItsButtons) {
  Main = LoadedComponent();
  const char* title = "WineMine";
  std::wstring shown = L" WineMine  ";  // as the title bar writes it
  int textWidth = 0;
  {
    NONCLIENTMETRICSA ncm{};
    ncm.cbSize = 340;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &ncm, 0);
    TFontHandle font(CreateFontIndirectA(&ncm.lfCaptionFont));
    ClientDc dc(nullptr);
    SelectGuard sel(dc.get(), font.get());
    RECT r{0, 0, 0, 0};
    DrawTextW(dc.get(), shown.c_str(), static_cast<int>(shown.size()), &r, DT_CALCRECT | DT_SINGLELINE);
    textWidth = r.right;
  }
  ASSERT_NE(Main->Title, nullptr);
  const int textBack = Main->Title->TextBackLeft + Main->Title->TextBackRight;
  const int shift = Main->Title->LeftWidth;
  struct Case {
    const char* Name;
    DWORD Style;
    int SkinClip;  // the skin's TextRightClip
  } cases[] = {
      {"overlapped, a skin clip far to the left", WS_OVERLAPPED | WS_CAPTION, 150},
      {"popup, no skin clip", WS_POPUP | WS_CAPTION, 0},
  };
  for (const Case& c : cases) {
    Main->Title->RightWidth = c.SkinClip;
    for (const int width : {150, 210, 260}) {
      TWindow w(MakeWindow(c.Style | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE, width, 200));
      SetWindowTextA(w.Wnd, title);
      TSkinForm* h = ActivatedHandler(w.Wnd);
      ASSERT_NE(h, nullptr) << c.Name;
      RedrawWindow(w.Wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
      int buttonsLeft = INT_MAX;
      for (auto& b : h->TitleButtons().Buttons())
        if (b->Visible && b->Description().Align == 1)
          buttonsLeft = std::min(buttonsLeft, b->BoundsRect.Left);
      ASSERT_NE(ButtonOf(*h, 2), nullptr) << c.Name << " " << width << ": the minimize button shows";
      const TSkinRect caption = h->Frame().CaptionRect();
      EXPECT_LE(caption.Right, buttonsLeft - 5)
          << c.Name << " " << width << ": the title runs under a button";
      // Room for it beside the buttons: the whole text shows, no ellipsis.
      if (h->Borders().Left + shift + textWidth + textBack <= buttonsLeft - 5) {
        EXPECT_GE(caption.Right - caption.Left - textBack, textWidth)
            << c.Name << " " << width << ": the title is cut";
      }
    }
  }
}

// A form carries the program's icon, so its icon button is not empty; a dialog-framed form
// has no icon button.
TEST_F(FrameButtonsTest, AFormShowsTheProgramIconAndADialogNone) {
  Main = LoadedComponent();
  for (const TFormBorderStyle style : {bsSizeable, bsDialog}) {
    auto* form = new TForm(nullptr);
    form->SetBorderStyle(style);
    form->SetClientSize(300, 200);
    form->Show();
    SetWindowPos(form->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetActiveWindow(form->Handle());
    PumpMessages(30);
    TSkinForm* h = Handler(form->Handle());
    ASSERT_NE(h, nullptr);
    SendMessageA(form->Handle(), WM_NCPAINT, 1, 0);
    TSkinSysButton* iconButton = nullptr;
    for (auto& b : h->TitleButtons().Buttons())
      if (b->Visible && IsIconAction(b->Description().Action)) iconButton = b.get();
    if (style == bsDialog) {
      EXPECT_EQ(iconButton, nullptr) << "a dialog frame has no icon";
    } else {
      ASSERT_NE(iconButton, nullptr);
      const TSkinRect r = iconButton->BoundsRect;
      // Over the button: the icon's colours, not one plain background.
      PumpMessages(60);
      std::vector<COLORREF> seen;
      for (int y = r.Top; y < r.Bottom; y += 3)
        for (int x = r.Left; x < r.Right; x += 3) seen.push_back(ScreenPixel(InWindow(form->Handle(), x, y)));
      std::sort(seen.begin(), seen.end());
      EXPECT_GE(std::unique(seen.begin(), seen.end()) - seen.begin(), 3) << "colours over the icon button";
    }
    delete form;
  }
}

}  // namespace
