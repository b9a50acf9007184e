// Presses on the skinned bars: handed to the native bar, whose own scroll loop does the
// scrolling (the release waits in the queue so the loop ends on it), the pressed frames
// shown while the loop runs, and the thumb dragged with the cursor, kept one arrow length
// from either end.
#include "tests/win32/skin/controls/scroll/ScrollTestEnv_win.h"

namespace {
using namespace scrolltest;

POINT BarToScreen(TWScrollbar& bar, POINT p) {
  ClientToScreen(bar.Handle(), &p);
  return p;
}

// A press at `local` (bar coordinates) with the release already queued; `probe` runs inside
// the system's scroll loop just before it handles the release.
int Press(
    TWScrollbar& bar, POINT local, const std::function<void()>& probe = [] {}) {
  const POINT screen = BarToScreen(bar, local);
  SetCursorPos(screen.x, screen.y);
  // The loop reads queued mouse messages in the scrolled window's client coordinates.
  POINT client = screen;
  ScreenToClient(bar.Target(), &client);
  PostMessageA(bar.Target(), WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
  TScrollLoopProbe p([](const MSG& m) { return m.message == WM_LBUTTONUP; }, probe);
  SendMessageA(bar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(local.x, local.y));
  PumpMessages(20);
  return p.Runs;
}

COLORREF BarPixel(TWScrollbar& bar, POINT p) {
  UpdateWindow(bar.Handle());
  WindowDc dc(bar.Handle());
  return GetPixel(dc.get(), p.x, p.y);
}

// Along the bar's axis at `along`, across at its middle.
POINT At(TWScrollbar& bar, int along) {
  RECT r;
  GetClientRect(bar.Handle(), &r);
  return bar.Vertical() ? POINT{r.right / 2, along} : POINT{along, r.bottom / 2};
}
int LengthOf(TWScrollbar& bar) {
  RECT r;
  GetClientRect(bar.Handle(), &r);
  return bar.Vertical() ? r.bottom : r.right;
}

struct PressCase {
  const char* Name;
  std::function<int(TWScrollbar&)> Where;  // along the axis
  int PressedFrame;                        // the arrow frame shown while held; 0: none
  std::function<bool(int before, int after)> Moved;
};

using ScrollPressTest = ScrollTest;

TEST_F(ScrollPressTest, APressOnAWindowBarScrollsTheWindowThroughItsNativeBar) {
  const PressCase cases[] = {
      {"down arrow", [](TWScrollbar& b) { return LengthOf(b) - b.ArrowSize() / 2; }, 14,
       [](int before, int after) { return after == before + 1; }},
      {"track below the thumb", [](TWScrollbar& b) { return b.Thumb().End + 3; }, 0,
       [](int before, int after) { return after > before + 1; }},
      {"up arrow", [](TWScrollbar& b) { return b.ArrowSize() / 2; }, 10,
       [](int before, int after) { return after == before - 1; }},
  };
  TMemo* memo = nullptr;
  TWScrollbar* skinned = LongMemoBar(120, memo);
  ASSERT_NE(skinned, nullptr);
  TWScrollbar& bar = *skinned;
  for (const PressCase& c : cases) {
    PaintedThumb(bar);
    const int before = memo->TopLine();
    const POINT p = At(bar, c.Where(bar));
    COLORREF held = CLR_INVALID;
    bool downInside = false;
    const int runs = Press(bar, p, [&] {
      held = BarPixel(bar, p);
      downInside = bar.MouseDown();
    });
    ASSERT_EQ(runs, 1) << c.Name << ": the native scroll loop ran";
    EXPECT_TRUE(downInside) << c.Name;
    EXPECT_FALSE(bar.MouseDown()) << c.Name;
    EXPECT_TRUE(c.Moved(before, memo->TopLine())) << c.Name << ": " << before << " -> " << memo->TopLine();
    if (c.PressedFrame) {
      EXPECT_EQ(held, ArrowColour(c.PressedFrame)) << c.Name << " while held";
    }
    const SCROLLBARINFO n = NativeBar(memo->Handle(), OBJID_VSCROLL);
    EXPECT_EQ(PaintedThumb(bar), (TThumbExtent{n.xyThumbTop, n.xyThumbBottom})) << c.Name << " afterwards";
    if (c.PressedFrame) {
      EXPECT_EQ(BarPixel(bar, p), ArrowColour(c.PressedFrame - 1)) << c.Name << " released";
    }
  }
}

TEST_F(ScrollPressTest, APressOnAScrollBarControlMovesItsPositionThroughTheNativeControl) {
  const PressCase cases[] = {
      {"right arrow", [](TWScrollbar& b) { return LengthOf(b) - b.ArrowSize() / 2; }, 6,
       [](int before, int after) { return after == before + 1; }},
      {"track right of the thumb", [](TWScrollbar& b) { return b.Thumb().End + 3; }, 0,
       [](int before, int after) { return after == before + 10; }},
      {"left arrow", [](TWScrollbar& b) { return b.ArrowSize() / 2; }, 2,
       [](int before, int after) { return after == before - 1; }},
  };
  MakeForm();
  auto* sb = Add<TScrollBar>(10, 10, 220, GetSystemMetrics(SM_CYHSCROLL));
  sb->LargeChange = 10;
  sb->SetPosition(40);
  int changes = 0;
  sb->OnChange = [&](TObject*) { ++changes; };
  auto* h = ShowFormFor<TSkinScControl>(sb);
  ASSERT_NE(h, nullptr);
  TWScrollbar& bar = *h->Bar();
  for (const PressCase& c : cases) {
    PaintedThumb(bar);
    const int before = sb->Position();
    const int changesBefore = changes;
    const POINT p = At(bar, c.Where(bar));
    COLORREF held = CLR_INVALID;
    ASSERT_EQ(Press(bar, p, [&] { held = BarPixel(bar, p); }), 1) << c.Name;
    EXPECT_TRUE(c.Moved(before, sb->Position())) << c.Name << ": " << before << " -> " << sb->Position();
    EXPECT_EQ(changes, changesBefore + 1) << c.Name;
    if (c.PressedFrame) {
      EXPECT_EQ(held, ArrowColour(c.PressedFrame)) << c.Name << " while held";
    }
    if (c.PressedFrame) {
      EXPECT_EQ(BarPixel(bar, p), ArrowColour(c.PressedFrame - 1)) << c.Name << " released";
    }
  }
}

TEST_F(ScrollPressTest, APressOnADisabledScrollBarControlDoesNothing) {
  MakeForm();
  TScrollBar* sb = AddScrollBar(220, 40, false);
  auto* h = ShowFormFor<TSkinScControl>(sb);
  ASSERT_NE(h, nullptr);
  TWScrollbar& bar = *h->Bar();
  for (int along : {5, 100, LengthOf(bar) - 5}) {
    const POINT p = At(bar, along);
    // Were the press handed on, the native loop would end on this release.
    PostMessageA(bar.Target(), WM_LBUTTONUP, 0, 0);
    SendMessageA(bar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    PumpMessages(10);
    EXPECT_EQ(sb->Position(), 40) << along;
    EXPECT_FALSE(IsWindowEnabled(sb->Handle())) << along << ": the control stays disabled";
    EXPECT_EQ(PaintedThumb(bar), (TThumbExtent{-1, -1})) << along << ": no thumb";
    EXPECT_EQ(BarPixel(bar, At(bar, 100)), TrackColour(3)) << along;
  }
}

struct DragCase {
  const char* Name;
  int StartLine;  // the memo scrolled here first
  int Travel;     // cursor travel along the bar
  std::function<bool(const TThumbExtent& dragged, const TThumbExtent& atPress, int arrow, int length)> Expect;
  int Across = 0;        // and across it
  bool PutBack = false;  // the system puts the contents back where they were
};

TEST_F(ScrollPressTest, TheDraggedThumbFollowsTheCursorButStaysAnArrowFromEitherEnd) {
  const DragCase cases[] = {
      {"30 pixels down", 0, 30,
       [](const TThumbExtent& d, const TThumbExtent& p, int, int) {
         return d.Start == p.Start + 30 && d.Length() == p.Length();
       }},
      {"just past the end", 0, 135,
       [](const TThumbExtent& d, const TThumbExtent& p, int arrow, int length) {
         return d.End == length - arrow && d.Length() == p.Length();
       }},
      {"just past the start", 100, -80,
       [](const TThumbExtent& d, const TThumbExtent& p, int arrow, int) {
         return d.Start == arrow && d.Length() == p.Length();
       }},
      // Far off the bar the system puts the thumb and the contents back: so does the
      // skinned thumb.
      {"far past the end", 0, 2000,
       [](const TThumbExtent& d, const TThumbExtent& p, int, int) { return d == p; }, 0, true},
      {"40 pixels down and far off to the side", 0, 40,
       [](const TThumbExtent& d, const TThumbExtent& p, int, int) { return d == p; }, 400, true},
  };
  for (const DragCase& c : cases) {
    TMemo* memo = nullptr;
    TWScrollbar* skinned = LongMemoBar(150, memo);
    ASSERT_NE(skinned, nullptr);
    TWScrollbar& bar = *skinned;
    SendMessageA(memo->Handle(), EM_LINESCROLL, 0, c.StartLine);
    PumpMessages(20);
    const TThumbExtent atPress = PaintedThumb(bar);
    ASSERT_GT(atPress.Length(), 0) << c.Name;
    const POINT grip = At(bar, (atPress.Start + atPress.End) / 2);
    const POINT gripScreen = BarToScreen(bar, grip);
    POINT moved = {gripScreen.x + c.Across, gripScreen.y + c.Travel};
    POINT movedClient = moved;
    ScreenToClient(memo->Handle(), &movedClient);
    // The move is queued before the release; the cursor goes there as the loop reaches it.
    PostMessageA(memo->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(movedClient.x, movedClient.y));
    TScrollLoopProbe move([](const MSG& m) { return m.message == WM_MOUSEMOVE; },
                          [&] { SetCursorPos(moved.x, moved.y); });
    TThumbExtent dragged{-1, -1};
    int hit = -1;
    ASSERT_EQ(Press(bar, grip,
                    [&] {
                      hit = bar.HitCode();
                      dragged = PaintedThumb(bar, 2);  // the held thumb's frame
                    }),
              1)
        << c.Name;
    EXPECT_EQ(hit, SB_THUMBTRACK) << c.Name;
    EXPECT_TRUE(c.Expect(dragged, atPress, bar.ArrowSize(), LengthOf(bar)))
        << c.Name << ": at press " << atPress.Start << ".." << atPress.End << ", dragged " << dragged.Start
        << ".." << dragged.End << ", length " << LengthOf(bar);
    EXPECT_EQ(memo->TopLine() == c.StartLine, c.PutBack) << c.Name << ": top line " << memo->TopLine();
    delete FormObj;
    FormObj = nullptr;
  }
}

}  // namespace
