// Skinned scroll bars laid over memos, list boxes, scroll boxes and scroll-bar controls:
// which controls get them, where they lie, what they paint (read back from the screen),
// how they follow scrolling and the native bars' coming and going, the corner square,
// and GDI objects across long scrolling.
#include <climits>

#include "support/GdiCount_win.h"
#include "tests/win32/skin/controls/scroll/ScrollTestEnv_win.h"

namespace {
using namespace scrolltest;

RECT ScreenRectOf(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return r;
}
bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// ---------------------------------------------------------------- which controls, where

struct CoverCase {
  const char* Name;
  std::function<TWinControl*(ScrollTest&)> Make;
  bool Horizontal, Vertical;  // native bars expected shown
};

class ScrollCoverTest : public ScrollTest, public ::testing::WithParamInterface<CoverCase> {};

TEST_P(ScrollCoverTest, EachShownNativeBarIsCoveredByASkinnedBarJustAboveTheControl) {
  const CoverCase& c = GetParam();
  MakeForm();
  TWinControl* control = c.Make(*this);
  auto* h = ShowFormFor<TSkinScrollbar>(control);
  ASSERT_NE(h, nullptr) << c.Name << " gets a TSkinScrollbar";
  HWND target = control->Handle();
  struct {
    TWScrollbar* Bar;
    LONG Object;
    bool Expected;
  } bars[] = {{h->HorzBar(), OBJID_HSCROLL, c.Horizontal}, {h->VertBar(), OBJID_VSCROLL, c.Vertical}};
  for (auto& b : bars) {
    ASSERT_NE(b.Bar, nullptr);
    const SCROLLBARINFO native = NativeBar(target, b.Object);
    const bool nativeShown = (native.rgstate[0] & STATE_SYSTEM_INVISIBLE) == 0;
    ASSERT_EQ(nativeShown, b.Expected) << c.Name << ": the native bar's own state";
    EXPECT_EQ(b.Bar->Shown(), b.Expected) << c.Name;
    EXPECT_EQ(IsWindowVisible(b.Bar->Handle()) != FALSE, b.Expected) << c.Name;
    if (!b.Expected) continue;
    EXPECT_TRUE(SameRect(ScreenRectOf(b.Bar->Handle()), native.rcScrollBar)) << c.Name << ": exactly over it";
    EXPECT_EQ(GetParent(b.Bar->Handle()), GetParent(target)) << c.Name;
  }
  if (c.Vertical) {
    HWND prev = GetWindow(target, GW_HWNDPREV);
    EXPECT_TRUE(prev == h->VertBar()->Handle() || prev == h->HorzBar()->Handle())
        << c.Name << ": a skinned bar lies directly above the control";
  }
}

TWinControl* Memo(ScrollTest& t, TScrollStyle bars, int lines, bool wrap = true) {
  auto* m = t.Add<TMemo>(10, 10, 160, 100);
  m->ScrollBars = bars;
  m->WordWrap = wrap;
  std::vector<std::string> text = ScrollTest::Lines(lines);
  text.push_back(std::string(200, 'w'));
  m->SetLines(text);
  return m;
}

INSTANTIATE_TEST_SUITE_P(
    Controls, ScrollCoverTest,
    ::testing::Values(
        CoverCase{"memo, vertical bar", [](ScrollTest& t) { return Memo(t, ssVertical, 60); }, false, true},
        CoverCase{"memo, both bars", [](ScrollTest& t) { return Memo(t, ssBoth, 60, false); }, true, true},
        CoverCase{"list box, both bars",
                  [](ScrollTest& t) -> TWinControl* {
                    auto* l = t.Add<TListBox>(10, 10, 160, 100);
                    for (int i = 0; i < 40; ++i) l->AddItem("Item " + std::to_string(i));
                    l->SetScrollWidth(400);
                    return l;
                  },
                  true, true},
        CoverCase{"list box whose items fit",
                  [](ScrollTest& t) -> TWinControl* {
                    auto* l = t.Add<TListBox>(10, 10, 160, 100);
                    l->AddItem("One");
                    return l;
                  },
                  false, false},
        CoverCase{"scroll box, taller content",
                  [](ScrollTest& t) -> TWinControl* {
                    auto* b = t.Add<TScrollBox>(10, 10, 160, 100);
                    b->SetRange(100, 400);
                    return b;
                  },
                  false, true}),
    [](const auto& info) { return std::to_string(info.index); });

TEST_F(ScrollTest, AMemoWithoutBarsOrATaggedMemoGetsNoScrollBarHandler) {
  MakeForm();
  auto* plain = Memo(*this, ssNone, 60);
  auto* tagged = Memo(*this, ssVertical, 60);
  tagged->Tag = 99;
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(ScrollHandlerOf(*form, plain), nullptr);
  EXPECT_EQ(HandlerOf(*form, tagged), nullptr);
}

// ---------------------------------------------------------------- what the bar paints

TEST_F(ScrollTest, AVerticalBarPaintsArrowsTrackAndThumbWhereTheNativeBarHasThem) {
  MakeForm();
  auto* memo = Memo(*this, ssVertical, 100);
  auto* h = ShowFormFor<TSkinScrollbar>(memo);
  ASSERT_NE(h, nullptr);
  UpdateWindow(h->VertBar()->Handle());
  const SCROLLBARINFO n = NativeBar(memo->Handle(), OBJID_VSCROLL);
  const int x = (n.rcScrollBar.left + n.rcScrollBar.right) / 2;
  const int top = n.rcScrollBar.top, bottom = n.rcScrollBar.bottom;
  const int arrow = GetSystemMetrics(SM_CXHSCROLL);
  struct {
    const char* Part;
    int Y;
    COLORREF Expected;
  } probes[] = {
      {"up arrow, frame 9", top + arrow / 2, ArrowColour(9)},
      {"down arrow, frame 13", bottom - arrow / 2 - 1, ArrowColour(13)},
      {"thumb, frame 1", top + (n.xyThumbTop + n.xyThumbBottom) / 2, ThumbColour(1)},
      {"track below the thumb, frame 1", top + (n.xyThumbBottom + (bottom - top) - arrow) / 2,
       TrackColour(1)},
  };
  for (const auto& p : probes) EXPECT_EQ(ScreenPixel({x, p.Y}), p.Expected) << p.Part;
  EXPECT_EQ(h->VertBar()->Thumb(), (TThumbExtent{n.xyThumbTop, n.xyThumbBottom}));
}

TEST_F(ScrollTest, ADisabledBarShowsTheDisabledTrackAndNoThumb) {
  MakeForm();
  TScrollBar* bar = AddScrollBar(200, 50, false);
  auto* h = ShowFormFor<TSkinScControl>(bar);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(PaintedThumb(*h->Bar()), (TThumbExtent{-1, -1}));
  WindowDc dc(h->Bar()->Handle());
  EXPECT_EQ(GetPixel(dc.get(), 100, 5), TrackColour(3));
}

// ---------------------------------------------------------------- following the native bar

TEST_F(ScrollTest, TheSkinnedThumbFollowsKeyboardScrolling) {
  MakeForm();
  auto* memo = static_cast<TMemo*>(Memo(*this, ssVertical, 200));
  auto* h = ShowFormFor<TSkinScrollbar>(memo);
  ASSERT_NE(h, nullptr);
  memo->SetFocus();
  SendMessageA(memo->Handle(), EM_SETSEL, 0, 0);
  PumpMessages(20);
  struct {
    const char* Keys;
    UINT Key;
    int Times;
  } steps[] = {
      {"five pages down", VK_NEXT, 5}, {"ten pages down", VK_NEXT, 10}, {"three pages up", VK_PRIOR, 3}};
  int lastLine = memo->TopLine();
  TThumbExtent lastThumb = PaintedThumb(*h->VertBar());
  for (const auto& s : steps) {
    for (int i = 0; i < s.Times; ++i) {
      SendMessageA(memo->Handle(), WM_KEYDOWN, s.Key, 0);
      SendMessageA(memo->Handle(), WM_KEYUP, s.Key, 0);
    }
    PumpMessages(30);
    const int line = memo->TopLine();
    ASSERT_NE(line, lastLine) << s.Keys << ": the memo itself scrolled";
    const SCROLLBARINFO n = NativeBar(memo->Handle(), OBJID_VSCROLL);
    const TThumbExtent painted = PaintedThumb(*h->VertBar());
    EXPECT_EQ(painted, (TThumbExtent{n.xyThumbTop, n.xyThumbBottom})) << s.Keys;
    EXPECT_EQ(painted.Start > lastThumb.Start, line > lastLine) << s.Keys << ": moved the same way";
    lastLine = line;
    lastThumb = painted;
  }
}

struct FitCase {
  const char* Name;
  LONG Object;
  std::function<void(TListBox&)> Fit, Overflow;
};

TEST_F(ScrollTest, ABarHidesWhenTheContentFitsAndComesBackWhenItDoesNot) {
  const FitCase cases[] = {
      {"vertical", OBJID_VSCROLL,
       [](TListBox& l) {
         l.ClearItems();
         l.AddItem("One");
       },
       [](TListBox& l) {
         for (int i = 0; i < 40; ++i) l.AddItem("More " + std::to_string(i));
       }},
      {"horizontal", OBJID_HSCROLL, [](TListBox& l) { l.SetScrollWidth(0); },
       [](TListBox& l) { l.SetScrollWidth(500); }},
  };
  MakeForm();
  auto* list = Add<TListBox>(10, 10, 160, 100);
  for (int i = 0; i < 40; ++i) list->AddItem("Item " + std::to_string(i));
  list->SetScrollWidth(500);
  auto* h = ShowFormFor<TSkinScrollbar>(list);
  ASSERT_NE(h, nullptr);
  for (const FitCase& c : cases) {
    TWScrollbar* bar = c.Object == OBJID_VSCROLL ? h->VertBar() : h->HorzBar();
    ASSERT_TRUE(bar->Shown()) << c.Name;
    c.Fit(*list);
    PumpMessages(30);
    ASSERT_NE(NativeBar(list->Handle(), c.Object).rgstate[0] & STATE_SYSTEM_INVISIBLE, 0u) << c.Name;
    EXPECT_FALSE(bar->Shown()) << c.Name;
    EXPECT_FALSE(IsWindowVisible(bar->Handle())) << c.Name;
    c.Overflow(*list);
    PumpMessages(30);
    EXPECT_TRUE(bar->Shown()) << c.Name << " again";
    EXPECT_TRUE(IsWindowVisible(bar->Handle())) << c.Name << " again";
    EXPECT_TRUE(SameRect(ScreenRectOf(bar->Handle()), NativeBar(list->Handle(), c.Object).rcScrollBar))
        << c.Name;
  }
}

TEST_F(ScrollTest, HidingTheControlHidesItsBars) {
  MakeForm();
  auto* memo = Memo(*this, ssBoth, 60, false);
  auto* h = ShowFormFor<TSkinScrollbar>(memo);
  ASSERT_NE(h, nullptr);
  ASSERT_TRUE(IsWindowVisible(h->VertBar()->Handle()));
  memo->Hide();
  PumpMessages(20);
  EXPECT_FALSE(IsWindowVisible(h->VertBar()->Handle()));
  EXPECT_FALSE(IsWindowVisible(h->HorzBar()->Handle()));
}

// Both kinds of covering handler attach to a control that is hidden when its form is skinned,
// and lay their bars over it hidden: nothing of the skin floats where no control shows.
TEST_F(ScrollTest, AControlHiddenWhenSkinnedGetsItsBarsHidden) {
  MakeForm();
  auto* memo = Memo(*this, ssBoth, 60, false);
  auto* bar = Add<TScrollBar>(260, 10, 200, GetSystemMetrics(SM_CYHSCROLL));
  memo->Hide();
  bar->Hide();
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  auto* covered = ScrollHandlerOf(*form, memo);
  ASSERT_NE(covered, nullptr);
  EXPECT_TRUE(covered->Initialized());
  for (TWScrollbar* b : {covered->VertBar(), covered->HorzBar()}) {
    ASSERT_NE(b, nullptr);
    EXPECT_FALSE(b->Shown());
    EXPECT_FALSE(IsWindowVisible(b->Handle()));
  }
  auto* control = ScrollHandlerOf<TSkinScControl>(*form, bar);
  ASSERT_NE(control, nullptr);
  EXPECT_TRUE(control->Initialized());
  ASSERT_NE(control->Bar(), nullptr);
  EXPECT_FALSE(control->Bar()->Shown());
  EXPECT_FALSE(IsWindowVisible(control->Bar()->Handle()));
}

TEST_F(ScrollTest, TheSquareBetweenTwoBarsIsPaintedInTheSkinsButtonFace) {
  Main->ColorButtonFace = RGB(250, 130, 10);
  MakeForm();
  auto* memo = Memo(*this, ssBoth, 60, false);
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  ASSERT_NE(ScrollHandlerOf(*form, memo), nullptr);
  RedrawWindow(memo->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  PumpMessages(20);
  const RECT v = NativeBar(memo->Handle(), OBJID_VSCROLL).rcScrollBar;
  const RECT hb = NativeBar(memo->Handle(), OBJID_HSCROLL).rcScrollBar;
  // Every pixel of the square that neither bar covers (the system may let each bar reach one
  // pixel into it), not just one.
  int wrong = 0, checked = 0;
  for (int y = hb.top; y < hb.bottom; ++y)
    for (int x = v.left; x < v.right; ++x) {
      const POINT p{x, y};
      if (PtInRect(&v, p) || PtInRect(&hb, p)) continue;
      ++checked;
      if (ScreenPixel({x, y}) != RGB(250, 130, 10)) ++wrong;
    }
  EXPECT_GE(checked, (GetSystemMetrics(SM_CXVSCROLL) - 1) * (GetSystemMetrics(SM_CYHSCROLL) - 1));
  EXPECT_EQ(wrong, 0);
  // Nothing of the face colour spills into the memo's text area beside the square.
  for (int y = hb.top - 2; y < hb.top; ++y)
    for (int x = v.left - 2; x < v.left; ++x)
      EXPECT_NE(ScreenPixel({x, y}), RGB(250, 130, 10)) << x << "," << y;
}

// ---------------------------------------------------------------- scroll-bar controls

struct ControlCase {
  const char* Name;
  TScrollKind Kind;
};

TEST_F(ScrollTest, AScrollBarControlIsCoveredWholeAndItsThumbSpansTheTrackEnds) {
  const ControlCase cases[] = {{"horizontal", sbHorizontal}, {"vertical", sbVertical}};
  for (const ControlCase& c : cases) {
    MakeForm();
    const int thick = GetSystemMetrics(SM_CXVSCROLL);
    auto* bar =
        c.Kind == sbHorizontal ? Add<TScrollBar>(10, 10, 200, thick) : Add<TScrollBar>(10, 10, thick, 150);
    bar->SetKind(c.Kind);
    auto* h = ShowFormFor<TSkinScControl>(bar);
    ASSERT_NE(h, nullptr) << c.Name;
    TWScrollbar& w = *h->Bar();
    EXPECT_EQ(w.Vertical(), c.Kind == sbVertical) << c.Name;
    EXPECT_TRUE(SameRect(ScreenRectOf(w.Handle()), ScreenRectOf(bar->Handle()))) << c.Name;
    const int arrow = w.ArrowSize();
    const int length = c.Kind == sbHorizontal ? 200 : 150;
    bar->SetPosition(0);
    EXPECT_EQ(PaintedThumb(w).Start, arrow) << c.Name << " at the minimum";
    bar->SetPosition(100);
    EXPECT_EQ(PaintedThumb(w).End, length - arrow) << c.Name << " at the maximum";
    bar->SetPosition(50);
    EXPECT_EQ(PaintedThumb(w).Length(), arrow) << c.Name << " without a page the thumb is an arrow long";
    bar->SetPageSize(50);
    bar->SetPosition(100);
    EXPECT_EQ(bar->Position(), 51) << c.Name << " the last position a page allows";
    const TThumbExtent paged = PaintedThumb(w);
    EXPECT_GT(paged.Length(), arrow) << c.Name << " a page makes it longer";
    EXPECT_LE(paged.End, length - arrow) << c.Name << " and it stays off the second arrow";
    delete FormObj;
    FormObj = nullptr;
  }
}

TEST_F(ScrollTest, AScrollBarControlShowsItsThumbWhereAndAsLongAsTheNativeOne) {
  struct Case {
    const char* Name;
    int Min, Max, Page, Pos;
  } cases[] = {
      {"no page", 0, 100, 0, 50},
      {"a page of one", 0, 100, 1, 50},
      {"a page of one in a long range", 0, 100000, 1, 50000},
      {"half a range as a page", 0, 100, 50, 20},
      {"the widest range", INT_MIN, INT_MAX, 0, 0},
      {"the widest range with a page", INT_MIN, INT_MAX, 0x40000000, 0x10000000},
  };
  MakeForm();
  TScrollBar* sb = AddScrollBar(220);
  auto* h = ShowFormFor<TSkinScControl>(sb);
  ASSERT_NE(h, nullptr);
  TWScrollbar& bar = *h->Bar();
  for (const Case& c : cases) {
    SCROLLINFO si{sizeof si, SIF_ALL, c.Min, c.Max, static_cast<UINT>(c.Page), c.Pos, 0};
    SetScrollInfo(sb->Handle(), SB_CTL, &si, TRUE);
    SCROLLBARINFO native{};
    native.cbSize = sizeof native;
    ASSERT_TRUE(GetScrollBarInfo(sb->Handle(), OBJID_CLIENT, &native)) << c.Name;
    const TThumbExtent painted = PaintedThumb(bar);
    EXPECT_EQ(painted, (TThumbExtent{native.xyThumbTop, native.xyThumbBottom})) << c.Name;
    const POINT middle{(painted.Start + painted.End) / 2, 5};
    EXPECT_EQ(bar.HitTest(middle), SB_THUMBTRACK) << c.Name << ": a press on it drags";
  }
}

TEST_F(ScrollTest, BarsFollowAControlThatMovesWithoutResizing) {
  MakeForm();
  auto* memo = Memo(*this, ssVertical, 60);
  auto* sb = Add<TScrollBar>(10, 150, 200, GetSystemMetrics(SM_CYHSCROLL));
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  auto* mh = ScrollHandlerOf(*form, memo);
  auto* sh = ScrollHandlerOf<TSkinScControl>(*form, sb);
  ASSERT_TRUE(mh && sh);
  // Moved as layout code moves children: the new place only, no repaint (a plain move
  // repaints the frame under Wine, and the bars follow that).
  const UINT move = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW;
  SetWindowPos(memo->Handle(), nullptr, memo->Left() + 30, memo->Top() + 5, 0, 0, move);
  SetWindowPos(sb->Handle(), nullptr, sb->Left() + 40, sb->Top() + 10, 0, 0, move);
  PumpMessages(20);
  EXPECT_TRUE(
      SameRect(ScreenRectOf(mh->VertBar()->Handle()), NativeBar(memo->Handle(), OBJID_VSCROLL).rcScrollBar));
  EXPECT_TRUE(SameRect(ScreenRectOf(sh->Bar()->Handle()), ScreenRectOf(sb->Handle())));
}

TEST_F(ScrollTest, BarsFollowAControlWhoseWindowIsMadeAgain) {
  MakeForm();
  const int thick = GetSystemMetrics(SM_CXVSCROLL);
  auto* sb = Add<TScrollBar>(10, 10, 200, thick);
  auto* memo = Memo(*this, ssVertical, 60);
  memo->SetLeft(100);
  memo->SetTop(60);
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  auto* sc = ScrollHandlerOf<TSkinScControl>(*form, sb);
  auto* mh = ScrollHandlerOf(*form, memo);
  ASSERT_NE(sc, nullptr);
  ASSERT_NE(mh, nullptr);
  ASSERT_FALSE(sc->Bar()->Vertical());

  // A scroll-bar control that changes its kind is made again, upright.
  sb->SetBounds(10, 10, thick, 150);
  sb->SetKind(sbVertical);
  PumpMessages(20);
  EXPECT_EQ(sc->Handle(), sb->Handle());
  EXPECT_TRUE(sc->Bar()->Vertical()) << "the bar takes the new orientation";
  EXPECT_TRUE(IsWindowVisible(sc->Bar()->Handle()));
  EXPECT_TRUE(SameRect(ScreenRectOf(sc->Bar()->Handle()), ScreenRectOf(sb->Handle())));
  sb->SetPosition(100);
  EXPECT_EQ(PaintedThumb(*sc->Bar()).End, 150 - sc->Bar()->ArrowSize()) << "and paints upright";

  // A memo's window made again: its bar covers the new window's bar.
  memo->DestroyHandle();
  memo->HandleNeeded();
  PumpMessages(20);
  EXPECT_EQ(mh->Handle(), memo->Handle());
  EXPECT_EQ(mh->VertBar()->Target(), memo->Handle());
  EXPECT_TRUE(mh->VertBar()->Shown());
  EXPECT_TRUE(
      SameRect(ScreenRectOf(mh->VertBar()->Handle()), NativeBar(memo->Handle(), OBJID_VSCROLL).rcScrollBar));
}

// ---------------------------------------------------------------- resources

TEST_F(ScrollTest, ScrollingAThousandLinesLeavesNoGdiObjectsBehind) {
  MakeForm();
  auto* memo = Memo(*this, ssVertical, 1010);
  auto* h = ShowFormFor<TSkinScrollbar>(memo);
  ASSERT_NE(h, nullptr);
  HWND m = memo->Handle(), bar = h->VertBar()->Handle();
  // One round first, so objects made once (the bars' buffers) are there before counting.
  SendMessageA(m, WM_VSCROLL, SB_LINEDOWN, 0);
  UpdateWindow(m);
  UpdateWindow(bar);
  SendMessageA(m, WM_VSCROLL, SB_LINEUP, 0);
  UpdateWindow(m);
  UpdateWindow(bar);
  const DWORD before = GdiObjectsInUse();
  for (int i = 0; i < 1000; ++i) {
    SendMessageA(m, WM_VSCROLL, SB_LINEDOWN, 0);
    UpdateWindow(m);
    UpdateWindow(bar);
  }
  EXPECT_GE(static_cast<TMemo*>(memo)->TopLine(), 1000);
  EXPECT_EQ(GdiObjectsInUse(), before);
}

}  // namespace
