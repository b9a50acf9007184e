// The skinned frame on real windows: the client area kept through attach and detach,
// WM_NCCALCSIZE, the inactive frame read back from the screen, the window region and the
// sizing of message boxes.
#include <algorithm>
#include <memory>
#include <utility>

#include "skin/data/SkinData_win.h"
#include "tests/win32/skin/forms/frame/FrameTestEnv_win.h"
#include "ui/Forms.h"

namespace {
using namespace skintest;
using namespace frametest;

struct FrameWindowTest : EngineTest {
  void TearDown() override {
    Form.reset();
    EngineTest::TearDown();
  }
  // A shown, active, sizeable form of this client size; answers its form handler (or null).
  TSkinForm* ShowSizeableForm(int clientWidth, int clientHeight) {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBorderStyle(bsSizeable);
    Form->SetClientSize(clientWidth, clientHeight);
    return ActivatedHandler(*Form);
  }
  std::unique_ptr<TForm> Form;
};

std::pair<int, int> ClientSize(HWND wnd) {
  RECT r{};
  GetClientRect(wnd, &r);
  return {r.right, r.bottom};
}

TEST_F(FrameWindowTest, TheClientAreaStaysThroughAttachAndDetach) {
  Main = LoadedComponent();
  TSkinForm* h = ShowSizeableForm(300, 200);
  ASSERT_NE(h, nullptr);
  const TFrameBorders b = h->Borders();
  EXPECT_EQ(b, (TFrameBorders{4, 30, 4, 4, 0})) << "the built-in skin's pieces";
  EXPECT_EQ(ClientSize(Form->Handle()), std::make_pair(300, 200)) << "skinned";
  RECT w{};
  GetWindowRect(Form->Handle(), &w);
  EXPECT_EQ(w.right - w.left, 308);
  EXPECT_EQ(w.bottom - w.top, 234);
  // A form is owned: it keeps WS_CAPTION (whose drawing the skin takes over) and loses its
  // system menu and boxes.
  EXPECT_EQ(GetWindowLongPtrA(Form->Handle(), GWL_STYLE) & (WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX),
            WS_CAPTION);

  ASSERT_TRUE(h->HasRegion()) << "the built-in skin cuts the corners";

  h->DetachSkin();
  EXPECT_EQ(ClientSize(Form->Handle()), std::make_pair(300, 200)) << "detached";
  EXPECT_EQ(GetWindowLongPtrA(Form->Handle(), GWL_STYLE) & (WS_CAPTION | WS_SYSMENU),
            WS_CAPTION | WS_SYSMENU);
  // The native frame has its corners back: the system holds no region for the window.
  EXPECT_FALSE(h->HasRegion());
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(Form->Handle(), rgn), ERROR);
  DeleteObject(rgn);
}

// A window with a menu gets the skinned frame with a painted menu bar in place of the native
// one; its client area stays, and the native menu is kept by the bar.
TEST_F(FrameWindowTest, AWindowWithAMenuGetsTheSkinnedFrameAndBar) {
  Main = LoadedComponent();
  TWindow plain(MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE));
  TWindow menued(MakeWindow(WS_OVERLAPPEDWINDOW));  // shown (and so activated) with its menu
  HMENU bar = CreateMenu();
  AppendMenuA(bar, MF_STRING, 1, "&File");
  SetMenu(menued.Wnd, bar);
  const auto client = ClientSize(menued.Wnd);  // with the native menu bar
  ShowWindow(menued.Wnd, SW_SHOW);
  Activate(plain.Wnd);
  Activate(menued.Wnd);
  ASSERT_NE(Handler(plain.Wnd), nullptr);
  ASSERT_NE(Handler(menued.Wnd), nullptr);
  EXPECT_TRUE(Handler(plain.Wnd)->FrameSkinned());
  EXPECT_TRUE(Handler(menued.Wnd)->FrameSkinned());
  EXPECT_EQ(GetMenu(menued.Wnd), nullptr) << "the bar holds the menu";
  ASSERT_NE(Handler(menued.Wnd)->MenuBar(), nullptr);
  EXPECT_EQ(Handler(menued.Wnd)->MenuBar()->NativeMenu(), bar);
  EXPECT_EQ(Handler(menued.Wnd)->Borders().MenuBar, GetSystemMetrics(SM_CYMENU));
  EXPECT_EQ(ClientSize(menued.Wnd), client);
}

TEST_F(FrameWindowTest, NcCalcSizeAnswers) {
  Main = LoadedComponent();
  struct Case {
    const char* name;
    DWORD style;
    bool skinnedClient;
  } cases[] = {{"sizeable", WS_OVERLAPPEDWINDOW, true}, {"borderless popup", WS_POPUP, false}};
  for (const Case& c : cases) {
    TWindow w(MakeWindow(c.style | WS_VISIBLE));
    TSkinForm* h = ActivatedHandler(w.Wnd);
    ASSERT_NE(h, nullptr) << c.name;
    // FALSE: the rectangle is the default procedure's answer for the window as it is.
    RECT byDefault{100, 100, 400, 300}, bySkin = byDefault;
    DefWindowProcA(w.Wnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&byDefault));
    EXPECT_EQ(SendMessageA(w.Wnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&bySkin)), 0) << c.name;
    EXPECT_TRUE(EqualRect(&byDefault, &bySkin)) << c.name;

    // TRUE: the proposed window less the skin's borders, or all of it for a borderless one.
    WINDOWPOS pos{w.Wnd, nullptr, 50, 60, 300, 200, 0};
    NCCALCSIZE_PARAMS p{};
    p.rgrc[0] = {50, 60, 350, 260};
    p.rgrc[1] = p.rgrc[0];
    p.rgrc[2] = p.rgrc[0];
    p.lppos = &pos;
    EXPECT_EQ(SendMessageA(w.Wnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&p)), WVR_VALIDRECTS)
        << c.name;
    const RECT expected = c.skinnedClient ? RECT{54, 90, 346, 256} : RECT{50, 60, 350, 260};
    EXPECT_TRUE(EqualRect(&p.rgrc[0], &expected)) << c.name << " " << p.rgrc[0].left << "," << p.rgrc[0].top
                                                  << "," << p.rgrc[0].right << "," << p.rgrc[0].bottom;
    EXPECT_TRUE(EqualRect(&p.rgrc[1], &p.rgrc[0])) << c.name;
  }
}

TEST_F(FrameWindowTest, AnInactiveWindowShowsTheSecondFrameOfTheTitleBar) {
  Main = LoadedComponent();
  TWindow w(MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 200));
  SetWindowPos(w.Wnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  TSkinForm* h = ActivatedHandler(w.Wnd);
  ASSERT_NE(h, nullptr);
  // A column in the top rows of the Top piece's unscaled right corner where its two frames
  // differ; that corner ends at the right border, above the buttons.
  TBitmap& top = SkinBitmap(*Main->BorderTop->Image);
  const int frameH = top.Height() / 2, y = 1;
  int column = -1;
  for (int dx = 1; dx < Main->BorderTop->RightWidth && column < 0; ++dx)
    if (GetPixel(top.Canvas()->Handle(), top.Width() - dx, y) !=
        GetPixel(top.Canvas()->Handle(), top.Width() - dx, frameH + y))
      column = dx;
  ASSERT_GT(column, 0) << "the built-in title bar has two different frames";
  RECT r{};
  GetWindowRect(w.Wnd, &r);
  const int x = (r.right - r.left) - h->Borders().Right - column;
  const COLORREF active = GetPixel(top.Canvas()->Handle(), top.Width() - column, y);
  const COLORREF inactive = GetPixel(top.Canvas()->Handle(), top.Width() - column, frameH + y);
  ASSERT_TRUE(h->Active());
  EXPECT_EQ(SettledScreenPixel(InWindow(w.Wnd, x, y)), active)
      << std::hex << inactive << " column " << column;

  // The message alone repaints the frame in the state it names.
  SendMessageA(w.Wnd, WM_NCACTIVATE, FALSE, 0);
  EXPECT_FALSE(h->Active());
  EXPECT_EQ(SettledScreenPixel(InWindow(w.Wnd, x, y)), inactive);
  EXPECT_FALSE(h->HoverTimerEnabled());
  SendMessageA(w.Wnd, WM_NCACTIVATE, TRUE, 0);
  EXPECT_EQ(SettledScreenPixel(InWindow(w.Wnd, x, y)), active);

  // A real deactivation: another window (beside it, not over the column) takes the focus.
  TWindow other(MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 150));
  SetWindowPos(other.Wnd, nullptr, r.left, r.bottom + 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  Activate(other.Wnd);
  ASSERT_EQ(GetActiveWindow(), other.Wnd);
  EXPECT_FALSE(h->Active());
  EXPECT_EQ(SettledScreenPixel(InWindow(w.Wnd, x, y)), inactive) << "deactivated by another window";
  Activate(w.Wnd);
  EXPECT_TRUE(h->Active());
  EXPECT_EQ(SettledScreenPixel(InWindow(w.Wnd, x, y)), active) << "active again";
}

TEST_F(FrameWindowTest, TheRegionFollowsTransAndIsRebuiltOnlyWhenNeeded) {
  Main = LoadedComponent();
  TSkinForm* h = ShowSizeableForm(300, 200);
  ASSERT_NE(h, nullptr);
  HWND wnd = Form->Handle();
  ASSERT_TRUE(h->HasRegion());
  RECT r{};
  GetWindowRect(wnd, &r);
  const int W = r.right - r.left, H = r.bottom - r.top;
  {
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(wnd, rgn), ERROR);
    EXPECT_FALSE(PtInRegion(rgn, 0, 0)) << "the built-in skin's top-left corner is cut";
    EXPECT_TRUE(PtInRegion(rgn, W / 2, 10));
    EXPECT_TRUE(PtInRegion(rgn, W / 2, H / 2));
    DeleteObject(rgn);
  }

  // The same size again: no new region.
  const int builds = h->Frame().RegionBuilds();
  SetWindowPos(wnd, nullptr, 0, 0, W, H, SWP_NOMOVE | SWP_NOZORDER);
  PumpMessages(10);
  EXPECT_EQ(h->Frame().RegionBuilds(), builds);
  // Another size: a new one.
  SetWindowPos(wnd, nullptr, 0, 0, W + 10, H, SWP_NOMOVE | SWP_NOZORDER);
  PumpMessages(10);
  EXPECT_EQ(h->Frame().RegionBuilds(), builds + 1);

  // A skin change rebuilds it whatever the size; without Trans it is the plain rectangle.
  Main->BorderLeft->Trans = 0;
  Main->BorderRight->Trans = 0;
  Main->BorderTop->Trans = 0;
  SendMessageA(wnd, CM_SKINCHANGED, 0, 0);
  PumpMessages(10);
  EXPECT_GT(h->Frame().RegionBuilds(), builds + 1);
  GetWindowRect(wnd, &r);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(wnd, rgn), SIMPLEREGION);
  RECT box{};
  GetRgnBox(rgn, &box);
  EXPECT_EQ(box.left, 0);
  EXPECT_EQ(box.top, 0);
  EXPECT_EQ(box.right, r.right - r.left);
  EXPECT_EQ(box.bottom, r.bottom - r.top);
  DeleteObject(rgn);
}

TEST_F(FrameWindowTest, TheBorderPiecesNeedBuffersOfTheirOwnSizeNotTheWindows) {
  Main = LoadedComponent();
  TSkinForm* h = ShowSizeableForm(900, 650);
  ASSERT_NE(h, nullptr);
  HWND wnd = Form->Handle();
  RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  RECT r{};
  GetWindowRect(wnd, &r);
  const long long W = r.right - r.left, H = r.bottom - r.top;
  const TFrameBorders b = h->Borders();
  ASSERT_GT(b.Left, 0);
  ASSERT_GT(b.Bottom, 0);
  const long long onePiece = std::max(b.Left, b.Right) * H + (W - b.Left - b.Right) * b.Bottom;
  EXPECT_GT(h->Frame().PieceBufferPixels(), 0);
  EXPECT_LE(h->Frame().PieceBufferPixels(), onePiece) << "of a " << W << " x " << H << " window";
}

// A resized window gets its region before its next paint (here the resize asks for no
// redraw, as a layout pass does): the title strip of the region comes from the Top piece at
// the new width, not from the title bar painted at the old one, whose cut corner would
// stand as a hole in the middle of the new title bar.
TEST_F(FrameWindowTest, AResizedWindowsRegionTakesItsTitleFromTheNewWidth) {
  Main = LoadedComponent();
  // A Top piece of two 30-pixel frames with its top-right 3 x 3 corner in the key colour.
  constexpr int PieceWidth = 40, Title = 30, Corner = 3;
  TPixelBuffer px(PieceWidth, 2 * Title);
  for (int y = 0; y < 2 * Title; ++y)
    for (int x = 0; x < PieceWidth; ++x)
      px.SetPixel(x, y,
                  (y % Title) < Corner && x >= PieceWidth - Corner ? RGB(255, 0, 255) : RGB(40, 90, 160));
  TDataSkinBorder& top = *Main->BorderTop;
  top.Image->Assign(px);
  top.FrameCount = 2;
  top.LeftWidth = 8;
  top.RightWidth = 8;
  top.Trans = 1;
  top.Tile = 0;
  TSkinForm* h = ShowSizeableForm(300, 200);
  PumpMessages(30);
  ASSERT_NE(h, nullptr);
  HWND wnd = Form->Handle();
  ASSERT_EQ(h->Borders().Top, Title);
  auto inRegion = [wnd](int x, int y) {
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    const bool in = GetWindowRgn(wnd, rgn) != ERROR && PtInRegion(rgn, x, y);
    DeleteObject(rgn);
    return in;
  };
  RECT r{};
  GetWindowRect(wnd, &r);
  const int W = r.right - r.left, right = h->Borders().Right;
  ASSERT_FALSE(inRegion(W - right - 1, 0)) << "the corner of the title is cut";
  ASSERT_TRUE(inRegion(W - right - 1, Corner)) << "below the corner it is not";
  for (const int grow : {60, -40}) {
    GetWindowRect(wnd, &r);
    const int before = r.right - r.left, after = before + grow;
    SetWindowPos(wnd, nullptr, 0, 0, after, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    EXPECT_FALSE(inRegion(after - right - 1, 0)) << grow << ": the corner is cut at the new width";
    EXPECT_TRUE(inRegion(after - right - 1, Corner)) << grow;
    if (grow > 0) {
      EXPECT_TRUE(inRegion(before - right - 1, 0)) << grow << ": no hole where the old corner was";
    }
    PumpMessages(60);
  }
}

TEST_F(FrameWindowTest, AMessageBoxIsWidenedToItsCaptionWithItsControlsMoved) {
  Main = LoadedComponent();
  Manager().SetSkinningOn(false);  // attached by hand below
  TWindow box(MakeWindow(WS_POPUP | WS_CAPTION | WS_SYSMENU, 120, 100, "#32770"));
  SetWindowTextA(box.Wnd, "A rather long caption of a message box that a narrow box cannot show");
  HWND button = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE, 10, 20, 40, 20, box.Wnd, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  RECT client{};
  GetClientRect(box.Wnd, &client);
  TSkinForm h(Manager(), nullptr, box.Wnd);
  h.AttachToWindow(Main.get());
  SendMessageA(box.Wnd, CM_SKINSTART, 0, 0);
  RECT r{};
  GetWindowRect(box.Wnd, &r);
  const int width = r.right - r.left;
  const TFrameBorders b = h.Borders();
  const int plain = client.right + b.Left + b.Right;
  EXPECT_GT(width, plain);
  RECT cap = {};
  {
    HDC dc = GetDC(nullptr);
    NONCLIENTMETRICSA ncm{};
    ncm.cbSize = 340;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &ncm, 0);
    HFONT font = CreateFontIndirectA(&ncm.lfCaptionFont);
    HGDIOBJ old = SelectObject(dc, font);
    DrawTextA(dc, "A rather long caption of a message box that a narrow box cannot show", -1, &cap,
              DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
  }
  EXPECT_GE(width, cap.right) << "the title bar holds the caption";
  RECT br{};
  GetWindowRect(button, &br);
  POINT p{br.left, br.top};
  ScreenToClient(box.Wnd, &p);
  EXPECT_EQ(p.x, 10 + (width - plain) / 2);
  EXPECT_EQ(p.y, 20);
  EXPECT_EQ(ClientSize(box.Wnd).second, client.bottom) << "the height keeps the client";
  h.DetachSkin();
}

}  // namespace
