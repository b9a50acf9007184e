// MDI forms of the class library (an "MDIClient" with three children) and their skinning: a
// maximized child gets its native caption back and loses its region while the frame's bar
// shows the child buttons; restoring through those buttons and cascading end that state.
#include <algorithm>
#include <string>
#include <vector>

#include "skin/data/SkinData_win.h"
#include "support/Controls_win.h"
#include "support/MenuItems_win.h"
#include "tests/win32/skin/forms/frame/FrameTestEnv_win.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"

namespace {
using namespace skintest;

constexpr COLORREF BarColour = RGB(0, 128, 64), RestoreFace = RGB(30, 60, 200), CloseFace = RGB(200, 120, 20);

TPixelBuffer Strip(int frames, int size, COLORREF c) {
  TPixelBuffer px(frames * size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < frames * size; ++x) px.SetPixel(x, y, c);
  return px;
}

struct MdiTest : EngineTest {
  TForm* Frame = nullptr;
  TMainMenu* Menu = nullptr;
  TMenuItem* WindowItem = nullptr;
  std::vector<TForm*> Children;

  void AddChildButton(int action, int x, COLORREF face) {
    auto b = std::make_unique<TDataSkinSysButton>("MdiButton", Main->Platform());
    b->Action = action;
    b->Visibility = 100;
    b->Visibility1 = 0;
    b->Align = 100;
    b->XCoord = x;
    b->FrameCount = 3;
    b->Image->Assign(Strip(3, 12, face));
    Main->SysButtons.push_back(std::move(b));
  }
  void SetUp() override {
    EngineTest::SetUp();
    Main = LoadedComponent();
    Main->MenuBar.reset();
    Main->ColorMenubar = BarColour;
    AddChildButton(8, 40, RestoreFace);  // restore the maximized child
    AddChildButton(9, 20, CloseFace);    // close it
    Frame = new TForm(nullptr);
    Frame->SetFormStyle(fsMDIForm);
    Frame->SetBounds(60, 40, 640, 460);
    Frame->SetText("MDI frame");
    Menu = new TMainMenu(Frame);
    AddMenuItem(Frame, AddMenuItem(Frame, Menu->Items(), "&File"), "Close");
    WindowItem = AddMenuItem(Frame, Menu->Items(), "&Window");
    AddMenuItem(Frame, WindowItem, "&Cascade");
    Frame->WindowMenu = WindowItem;
    Frame->SetMenu(Menu);
    Frame->Show();
    Activate(Frame->Handle());
    for (int i = 0; i < 3; ++i) {
      auto* child = new TForm(nullptr);
      child->SetFormStyle(fsMDIChild);
      child->SetBounds(10 + 40 * i, 10 + 30 * i, 260, 170);
      child->SetText("Child " + std::to_string(i + 1));
      child->Show();
      Children.push_back(child);
    }
    // The manager's timer skins the children.
    ASSERT_TRUE(PumpUntil(
        [&] {
          for (TForm* c : Children) {
            TSkinForm* h = Handler(c->Handle());
            if (!h || !h->HasRegion()) return false;
          }
          return true;
        },
        5000))
        << "the children were not skinned";
  }
  void TearDown() override {
    for (TForm* c : Children) delete c;
    delete Frame;
    EngineTest::TearDown();
  }
  HWND Client() const { return Frame->ClientHandle(); }
  void MaximizeChild(int i) {
    SendMessageA(Client(), WM_MDIMAXIMIZE,
                 reinterpret_cast<WPARAM>(Children[static_cast<size_t>(i)]->Handle()), 0);
    RedrawWindow(Frame->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    PumpMessages(200);
  }
  TSkinSysButton* ChildButton(int action) {
    for (auto& b : Handler(Frame->Handle())->TitleButtons().Buttons())
      if (b->Description().Action == action) return b.get();
    return nullptr;
  }
};

TEST_F(MdiTest, FrameHoldsAClientWithThreeChildren) {
  ASSERT_NE(Client(), nullptr);
  char cls[32] = {};
  GetClassNameA(Client(), cls, sizeof cls);
  EXPECT_STREQ(cls, "MDIClient");
  ASSERT_EQ(Frame->MDIChildCount(), 3);
  for (int i = 0; i < 3; ++i) {
    HWND w = Children[static_cast<size_t>(i)]->Handle();
    EXPECT_EQ(Frame->MDIChildren(i), Children[static_cast<size_t>(i)]);
    EXPECT_EQ(GetParent(w), Client());
    EXPECT_TRUE(GetWindowLongPtrA(w, GWL_EXSTYLE) & WS_EX_MDICHILD);
  }
  EXPECT_EQ(Frame->ActiveMDIChild(), Children[2]) << "the last shown is active";
  Children[0]->Show();
  EXPECT_EQ(Frame->ActiveMDIChild(), Children[0]) << "showing a child activates it";
  EXPECT_EQ(Frame->MDIChildren(3), nullptr);

  // Cascade puts each child further right and down than the one before it; tiling overlaps none.
  auto rectOf = [this](int i) {
    RECT r{};
    GetWindowRect(Children[static_cast<size_t>(i)]->Handle(), &r);
    return r;
  };
  Frame->Cascade();
  PumpMessages(50);
  std::vector<RECT> cascaded = {rectOf(0), rectOf(1), rectOf(2)};
  std::sort(cascaded.begin(), cascaded.end(), [](const RECT& a, const RECT& b) { return a.left < b.left; });
  EXPECT_LT(cascaded[0].top, cascaded[1].top);
  EXPECT_LT(cascaded[1].top, cascaded[2].top);
  Frame->Tile();
  PumpMessages(50);
  for (int i = 0; i < 3; ++i)
    for (int k = i + 1; k < 3; ++k) {
      RECT a = rectOf(i), b = rectOf(k), both{};
      EXPECT_FALSE(IntersectRect(&both, &a, &b)) << i << " and " << k << " overlap after Tile";
    }
}

TEST_F(MdiTest, ClosingAChildFreesIt) {
  TForm* gone = Children[1];
  gone->Close();
  Children.erase(Children.begin() + 1);
  EXPECT_TRUE(PumpUntil([&] { return Frame->MDIChildCount() == 2; }, 5000)) << "the release is posted";
  EXPECT_EQ(Frame->MDIChildren(1), Children[1]);
}

TEST_F(MdiTest, FrameAndChildrenAreSkinned) {
  TSkinForm* frame = Handler(Frame->Handle());
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->MDIKind(), mkFrame);
  EXPECT_EQ(frame->MDIClientWindow(), Client());
  ASSERT_NE(frame->MenuBar(), nullptr) << "the frame's menu is a skinned bar";
  EXPECT_EQ(GetMenu(Frame->Handle()), nullptr);
  for (TForm* c : Children) {
    TSkinForm* h = Handler(c->Handle());
    ASSERT_NE(h, nullptr) << c->GetText();
    EXPECT_EQ(h->MDIKind(), mkChild);
    EXPECT_EQ(h->MenuBar(), nullptr) << "children have no bar";
    EXPECT_TRUE(h->HasRegion()) << "a normal child has the skin's shape";
  }
  EXPECT_FALSE(Manager().MDIChildMaximized());
}

TEST_F(MdiTest, MaximizedChildShowsNativeCaptionAndTheBarButtons) {
  TSkinForm* frame = Handler(Frame->Handle());
  ASSERT_NE(frame, nullptr);
  TSkinForm* child = Handler(Children[1]->Handle());
  ASSERT_NE(child, nullptr);
  TSkinSysButton* restore = ChildButton(8);
  ASSERT_NE(restore, nullptr);
  EXPECT_FALSE(restore->Visible) << "no child is maximized yet";

  MaximizeChild(1);
  ASSERT_TRUE(IsZoomed(Children[1]->Handle()));
  EXPECT_TRUE(Manager().MDIChildMaximized());
  EXPECT_TRUE(GetWindowLongPtrA(Children[1]->Handle(), GWL_STYLE) & WS_CAPTION)
      << "the maximized child's native caption";
  EXPECT_FALSE(child->HasRegion()) << "no skin shape while maximized";
  // The child buttons sit in the bar and show there.
  const TFrameBorders b = frame->Borders();
  ASSERT_TRUE(restore->Visible);
  EXPECT_GE(restore->BoundsRect.Top, b.Top);
  EXPECT_LE(restore->BoundsRect.Bottom, b.Top + b.MenuBar);
  const int cx = (restore->BoundsRect.Left + restore->BoundsRect.Right) / 2;
  const int cy = (restore->BoundsRect.Top + restore->BoundsRect.Bottom) / 2;
  EXPECT_EQ(SettledScreenPixel(InWindow(Frame->Handle(), cx, cy)), RestoreFace);
  TSkinSysButton* close = ChildButton(9);
  ASSERT_NE(close, nullptr);
  EXPECT_EQ(
      ScreenPixel(InWindow(Frame->Handle(), (close->BoundsRect.Left + close->BoundsRect.Right) / 2, cy)),
      CloseFace);

  // A click on the restore button restores the child and its skinned frame.
  RECT w{};
  GetWindowRect(Frame->Handle(), &w);
  const LPARAM at = MAKELPARAM(w.left + cx, w.top + cy);
  SendMessageA(Frame->Handle(), WM_NCLBUTTONDOWN, HTMENU, at);
  SendMessageA(Frame->Handle(), WM_NCLBUTTONUP, HTMENU, at);
  PumpMessages(200);
  EXPECT_FALSE(IsZoomed(Children[1]->Handle()));
  EXPECT_FALSE(Manager().MDIChildMaximized());
  EXPECT_FALSE(GetWindowLongPtrA(Children[1]->Handle(), GWL_STYLE) & WS_SYSMENU) << "skinned caption again";
  EXPECT_TRUE(child->HasRegion());
  RedrawWindow(Frame->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  PumpMessages(100);
  EXPECT_FALSE(restore->Visible);
  EXPECT_EQ(SettledScreenPixel(InWindow(Frame->Handle(), cx, cy)), BarColour)
      << "the bar is empty there again";
}

TEST_F(MdiTest, CascadeClearsTheMaximizedState) {
  MaximizeChild(0);
  ASSERT_TRUE(Manager().MDIChildMaximized());
  Frame->Cascade();
  PumpMessages(100);
  EXPECT_FALSE(Manager().MDIChildMaximized());
  for (TForm* c : Children) EXPECT_FALSE(IsZoomed(c->Handle())) << c->GetText();
}

// The frame goes with a child maximized (its children with it, without WM_MDIDESTROY): the
// MDI state it set is no one's any more. Left behind, the next MDI window's children would
// keep their native captions and a freed form would be asked for accelerators.
TEST_F(MdiTest, TheMdiStateGoesWithTheFrame) {
  MaximizeChild(1);
  ASSERT_TRUE(Manager().MDIChildMaximized());
  ASSERT_EQ(Manager().MDIClient, Client());
  ASSERT_EQ(Manager().MDIMainForm, Frame);
  delete Frame;
  Frame = nullptr;
  Manager().PurgeClosed();
  EXPECT_EQ(Manager().MDIClient, nullptr);
  EXPECT_EQ(Manager().MDIMainForm, nullptr);
  EXPECT_FALSE(Manager().MDIChildMaximized());
}

// With children in the client the bar's own updates are held back; a top-level item freed
// then still leaves the bar, so no button stands for freed memory.
TEST_F(MdiTest, AnItemFreedWhileChildrenExistLeavesTheBar) {
  TSkinForm* frame = Handler(Frame->Handle());
  ASSERT_NE(frame, nullptr);
  ASSERT_NE(frame->MenuBar(), nullptr);
  ASSERT_EQ(frame->MenuBar()->Count(), 2);
  Frame->WindowMenu = nullptr;
  delete WindowItem;
  WindowItem = nullptr;
  PumpMessages(60);
  ASSERT_EQ(frame->MenuBar()->Count(), 1);
  EXPECT_EQ(frame->MenuBar()->Button(0)->Caption, L"&File");
}

// A maximized child closed: the client maximizes the next one in its place. That child is
// painted afresh, all of its contents: nothing of what stood there before shows in it (its
// text was left half drawn, the part the closed child had covered missing), skinned or not.
TEST_F(MdiTest, ClosingAMaximizedChildPaintsTheNextOneWhole) {
  std::vector<TLabel*> labels;
  for (size_t i = 0; i < Children.size(); ++i) {
    auto* text = NewControl<TLabel>(Children[i], Children[i], 12, 12, 220, 20);
    text->SetCaption("MDI child " + std::to_string(i + 1) + " of 3");
    labels.push_back(text);
  }
  // The label's text pixels in its left and right halves, read from the screen.
  auto inkOf = [](TForm* child) {
    PumpMessages(150);
    POINT at{12, 12};
    ClientToScreen(child->Handle(), &at);
    HDC screen = GetDC(nullptr);
    const COLORREF paper = GetPixel(screen, at.x + 200, at.y + 15);
    std::pair<int, int> ink{0, 0};
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 80; ++x)
        if (GetPixel(screen, at.x + x, at.y + y) != paper) (x < 20 ? ink.first : ink.second)++;
    ReleaseDC(nullptr, screen);
    return ink;
  };
  for (const bool skinned : {true, false}) {
    if (!skinned) {
      Main->SetActive(false);
      for (int i = 0; i < 50 && Manager().FormHandlerCount() > 0; ++i) PumpMessages(20);
      ASSERT_EQ(Manager().FormHandlerCount(), 0);
    }
    const size_t last = Children.size() - 1;
    MaximizeChild(static_cast<int>(last));
    const auto before = inkOf(Children[last]);
    ASSERT_GT(before.first, 0) << "the maximized child's text starts at the left";
    Children[last]->Close();
    PumpMessages(200);  // the release is posted
    Children.pop_back();
    TForm* next = Children.back();
    ASSERT_TRUE(IsZoomed(next->Handle())) << "the next child is maximized in its place";
    const auto after = inkOf(next);
    EXPECT_GT(after.first, 0) << (skinned ? "skinned" : "native") << ": \"MDI\" is drawn";
    EXPECT_GT(after.second, 0) << (skinned ? "skinned" : "native");
  }
}

// Skinning switched off and on again (F2 in the gallery, whose main window is the active
// one): each handler starts with the window's real activation, so only the active window and
// the active child of an active frame draw as active.
TEST_F(MdiTest, HandlersMadeAgainDrawOnlyTheActiveWindowsActive) {
  std::unique_ptr<TForm> other(new TForm(nullptr));
  other->SetBounds(700, 40, 200, 150);
  other->Show();
  Activate(other->Handle());
  ASSERT_EQ(GetActiveWindow(), other->Handle());
  Main->SetActive(false);
  for (int i = 0; i < 50 && Manager().FormHandlerCount() > 0; ++i) PumpMessages(20);
  ASSERT_EQ(Manager().FormHandlerCount(), 0);
  Main->SetActive(true);
  for (int i = 0; i < 50 && Manager().CommandTimerEnabled(); ++i) PumpMessages(20);
  PumpMessages(100);
  auto active = [this](HWND wnd) {
    TSkinForm* h = Handler(wnd);
    return h ? h->Active() : true;
  };
  ASSERT_NE(Handler(Frame->Handle()), nullptr);
  EXPECT_TRUE(active(other->Handle()));
  EXPECT_FALSE(active(Frame->Handle())) << "the frame is not the active window";
  for (TForm* c : Children) EXPECT_FALSE(active(c->Handle())) << c->GetText() << " of an inactive frame";

  Activate(Frame->Handle());
  PumpMessages(60);
  EXPECT_TRUE(active(Frame->Handle()));
  EXPECT_FALSE(active(other->Handle()));
  TForm* current = Frame->ActiveMDIChild();
  ASSERT_NE(current, nullptr);
  for (TForm* c : Children) EXPECT_EQ(active(c->Handle()), c == current) << c->GetText();
}

}  // namespace
