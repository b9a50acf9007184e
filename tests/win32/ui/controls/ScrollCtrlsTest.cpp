// Memos, list boxes, scroll bars and scroll boxes over their native windows: the styles the
// properties give, a scroll bar's position kept in range and reported once per change, its
// native notifications turned into moves, and a scroll box moving its children.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

namespace {

struct ScrollForm {
  ScrollForm() {
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(40, 40, 420, 320);
  }
  template <class T>
  T* Add(int left, int top, int width, int height) {
    auto* c = new T(form.get());
    c->SetParent(form.get());
    c->SetBounds(left, top, width, height);
    return c;
  }
  std::unique_ptr<TForm> form;
};

LONG_PTR StyleOf(TWinControl* c) { return GetWindowLongPtrA(c->Handle(), GWL_STYLE); }

TEST(MemoTest, ScrollBarsGiveTheWindowItsBars) {
  const struct {
    TScrollStyle Bars;
    bool H, V;
  } cases[] = {
      {ssNone, false, false}, {ssHorizontal, true, false}, {ssVertical, false, true}, {ssBoth, true, true}};
  for (const auto& c : cases) {
    ScrollForm f;
    auto* m = f.Add<TMemo>(8, 8, 120, 80);
    m->ScrollBars = c.Bars;
    EXPECT_EQ((StyleOf(m) & WS_HSCROLL) != 0, c.H) << c.Bars;
    EXPECT_EQ((StyleOf(m) & WS_VSCROLL) != 0, c.V) << c.Bars;
    EXPECT_NE(StyleOf(m) & ES_MULTILINE, 0);
    static const char* const names[] = {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"};
    EXPECT_EQ(GetEnumProperty(m, "ScrollBars"), names[c.Bars]);
  }
  ScrollForm f;
  auto* m = f.Add<TMemo>(8, 8, 120, 80);
  m->SetLines({"one", "two", "three"});
  EXPECT_EQ(m->LineCount(), 3);
  EXPECT_EQ(m->GetText(), "one\r\ntwo\r\nthree");
}

TEST(ListBoxTest, ItemsMadeBeforeTheWindowReachItAndTheSelectionIsPublished) {
  ScrollForm f;
  auto* l = f.Add<TListBox>(8, 8, 120, 80);
  l->AddItem("a");
  l->AddItem("b");
  l->SetItemIndex(1);
  l->SetItemIndex(7);  // out of range: nothing selected
  EXPECT_EQ(SendMessageA(l->Handle(), LB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(GetIntProperty(l, "ItemIndex"), -1);
  SetPropertyText(l, "ItemIndex", "0");
  EXPECT_EQ(SendMessageA(l->Handle(), LB_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(l->InheritsFrom(TCustomListBox::StaticClass()));
  l->ClearItems();
  EXPECT_EQ(SendMessageA(l->Handle(), LB_GETCOUNT, 0, 0), 0);
}

TEST(ScrollBarTest, ThePositionStaysInRangeAndEachChangeIsReportedOnce) {
  const struct {
    const char* Name;
    int Min, Max, Page, Set, Expected;
  } cases[] = {
      {"inside", 0, 100, 0, 40, 40},
      {"past the maximum", 0, 100, 0, 150, 100},
      {"below the minimum", 10, 100, 0, 0, 10},
      {"a page takes the last positions", 0, 100, 20, 100, 81},
      {"minimum above maximum", 50, 20, 0, 30, 20},
  };
  for (const auto& c : cases) {
    ScrollForm f;
    auto* b = f.Add<TScrollBar>(8, 8, 200, 17);
    b->SetPageSize(c.Page);
    b->SetParams(c.Set, c.Min, c.Max);
    EXPECT_EQ(b->Position(), c.Expected) << c.Name;
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(b->Handle(), SB_CTL, &si);
    EXPECT_EQ(si.nPos, c.Expected) << c.Name << ": the native bar agrees";
  }
  ScrollForm f;
  auto* b = f.Add<TScrollBar>(8, 8, 200, 17);
  int changes = 0;
  b->OnChange = [&](TObject*) { ++changes; };
  b->SetPosition(10);
  b->SetPosition(10);
  b->SetMax(5);  // moves the position too: one more change
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(b->Position(), 5);
}

TEST(ScrollBarTest, NativeNotificationsMoveThePositionByTheirStep) {
  ScrollForm f;
  auto* b = f.Add<TScrollBar>(8, 8, 200, 17);
  b->SmallChange = 2;
  b->LargeChange = 15;
  b->SetPosition(50);
  const struct {
    WORD Code;
    int Expected;
  } steps[] = {{SB_LINEDOWN, 52}, {SB_LINEUP, 50},  {SB_PAGEDOWN, 65},
               {SB_PAGEUP, 50},   {SB_BOTTOM, 100}, {SB_TOP, 0}};
  for (const auto& s : steps) {
    // As the parent reflects it from the native bar.
    SendMessageA(f.form->Handle(), WM_HSCROLL, s.Code, reinterpret_cast<LPARAM>(b->Handle()));
    EXPECT_EQ(b->Position(), s.Expected) << s.Code;
  }
}

TEST(ScrollBarTest, KindIsPublishedAndRemakesTheWindow) {
  ScrollForm f;
  auto* b = f.Add<TScrollBar>(8, 8, 17, 200);
  EXPECT_EQ(GetEnumProperty(b, "Kind"), "sbHorizontal");
  EXPECT_EQ(StyleOf(b) & SBS_VERT, 0);
  SetPropertyText(b, "Kind", "sbVertical");
  EXPECT_EQ(b->Kind(), sbVertical);
  EXPECT_NE(StyleOf(b) & SBS_VERT, 0);
}

TEST(ScrollBoxTest, ScrollingMovesTheChildrenWithinTheContent) {
  ScrollForm f;
  auto* box = f.Add<TScrollBox>(8, 8, 150, 100);
  auto* child = new TButton(f.form.get());
  child->SetParent(box);
  child->SetBounds(10, 20, 60, 25);
  box->SetRange(400, 300);
  RECT client;
  GetClientRect(box->Handle(), &client);
  SCROLLBARINFO v{};
  v.cbSize = sizeof v;
  GetScrollBarInfo(box->Handle(), OBJID_VSCROLL, &v);
  EXPECT_EQ(v.rgstate[0] & STATE_SYSTEM_INVISIBLE, 0u) << "content taller than the box";
  box->ScrollTo(30, 1000);
  const int bottom = 300 - client.bottom;
  EXPECT_EQ(box->ScrollPos().x, 30);
  EXPECT_EQ(box->ScrollPos().y, bottom) << "clamped to the content";
  EXPECT_EQ(child->Left(), 10 - 30);
  EXPECT_EQ(child->Top(), 20 - bottom);
  SendMessageA(box->Handle(), WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(box->ScrollPos().y, 0);
  EXPECT_EQ(child->Top(), 20);
  SendMessageA(box->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_GT(box->ScrollPos().y, 0);
  box->SetRange(50, 50);
  GetScrollBarInfo(box->Handle(), OBJID_VSCROLL, &v);
  EXPECT_NE(v.rgstate[0] & STATE_SYSTEM_INVISIBLE, 0u) << "content fits: no bar";
  EXPECT_EQ(box->ScrollPos().y, 0);
  EXPECT_EQ(child->Left(), 10);
  EXPECT_EQ(child->Top(), 20);
}

}  // namespace
