// Panels, group boxes, status bars, progress bars and track bars on real windows. Every
// strip the handlers draw from is replaced by frames of one plain colour each, so the frame
// a part shows is told from a pixel read back from the window's DC.
#include <functional>

#include "skin/controls/GroupBoxLayout.h"
#include "skin/controls/SkinPanels.h"
#include "support/Controls_win.h"
#include "tests/win32/skin/controls/base/ControlTestEnv_win.h"
#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/Menus.h"

namespace {
using namespace controltest;

constexpr COLORREF Face = RGB(230, 230, 230);
constexpr COLORREF Shadow = RGB(90, 60, 30);

// Which solid frame a colour is (0: none of them).
int FrameOf(COLORREF c) {
  for (int f = 1; f <= 5; ++f)
    if (c == FrameColour[f]) return f;
  return 0;
}

struct SkinPanelsTest : ControlTest {
  void SetUp() override {
    ControlTest::SetUp();
    Main->ColorButtonShadow = Shadow;
    Main->Progress = SolidElement<TDataSkinBorder>(Main->Platform(), "Progress", 2);
    Main->StatusBarEdges = SolidElement<TDataSkinObject>(Main->Platform(), "StatusBarEdges", 3);
    Main->TrackbarThumbHorz = SolidElement<TDataSkinObject>(Main->Platform(), "TrackbarThumbHorz", 5);
    Main->TrackbarThumbVert = SolidElement<TDataSkinObject>(Main->Platform(), "TrackbarThumbVert", 5);
  }
  // The pixel after the window has painted itself.
  static COLORREF Painted(HWND wnd, int x, int y) {
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages(5);
    return WindowPixel(wnd, x, y);
  }
};

// ---------------------------------------------------------------- progress bars

TEST_F(SkinPanelsTest, ProgressBarsFillByPositionAndOrientation) {
  struct Case {
    TProgressBarOrientation Orientation;
    int Position;
    // Frame seen near the start (left / bottom) and near the end (right / top) of the bar.
    int AtStart, AtEnd;
  };
  const Case cases[] = {
      {pbHorizontal, 0, 1, 1}, {pbHorizontal, 50, 2, 1}, {pbHorizontal, 100, 2, 2},
      {pbVertical, 0, 1, 1},   {pbVertical, 50, 2, 1},   {pbVertical, 100, 2, 2},
  };
  MakeForm();
  std::vector<TProgressBar*> bars;
  int nv = 0, nh = 0;
  for (const Case& c : cases) {
    TProgressBar* p = c.Orientation == pbVertical ? Add<TProgressBar>(10 + 30 * nv++, 10, 20, 100)
                                                  : Add<TProgressBar>(130, 10 + 30 * nh++, 100, 20);
    p->SetOrientation(c.Orientation);
    p->SetPosition(c.Position);
    bars.push_back(p);
  }
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  for (size_t i = 0; i < bars.size(); ++i) {
    const Case& c = cases[i];
    HWND w = bars[i]->Handle();
    ASSERT_NE(HandlerOf(*form, bars[i]), nullptr);
    RECT r{};
    GetClientRect(w, &r);
    const bool vertical = c.Orientation == pbVertical;
    // A quarter in from each end, across the middle.
    const POINT start =
        vertical ? POINT{r.right / 2, r.bottom - r.bottom / 4 - 1} : POINT{r.right / 4, r.bottom / 2};
    const POINT end =
        vertical ? POINT{r.right / 2, r.bottom / 4} : POINT{r.right - r.right / 4, r.bottom / 2};
    EXPECT_EQ(FrameOf(Painted(w, start.x, start.y)), c.AtStart) << "case " << i;
    EXPECT_EQ(FrameOf(Painted(w, end.x, end.y)), c.AtEnd) << "case " << i;
  }
}

TEST_F(SkinPanelsTest, ProgressBarWithoutTheSkinStripKeepsItsNativeLook) {
  Main->Progress.reset();
  MakeForm();
  auto* p = Add<TProgressBar>(10, 10, 100, 20);
  p->SetPosition(50);
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  for (int x : {10, 90}) EXPECT_EQ(FrameOf(Painted(p->Handle(), x, 10)), 0) << x;
}

// ---------------------------------------------------------------- status bars

TEST_F(SkinPanelsTest, StatusPanelsAreFramedByBevelEvenWithoutText) {
  struct Case {
    const char* Text;
    TStatusPanelBevel Bevel;
    int Frame;
  };
  const Case cases[] = {
      {"Lowered", pbLowered, 1}, {"", pbLowered, 1}, {"Raised", pbRaised, 2}, {"", pbNone, 3}};
  MakeForm();
  auto* bar = Add<TStatusBar>(0, 170, 300, 22);
  bar->SetSizeGrip(false);
  for (const Case& c : cases) {
    TStatusPanel* p = bar->AddPanel();
    p->SetText(c.Text);
    p->SetWidth(70);
    p->SetBevel(c.Bevel);
  }
  ASSERT_NE(ShowFormFor(bar), nullptr);
  for (int i = 0; i < 4; ++i) {
    RECT r{};
    SendMessageA(bar->Handle(), SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    // The right end of the panel, away from any text.
    EXPECT_EQ(FrameOf(Painted(bar->Handle(), r.right - 3, (r.top + r.bottom) / 2)), cases[i].Frame) << i;
    EXPECT_EQ(FrameOf(Painted(bar->Handle(), r.left + 1, r.top + 1)), cases[i].Frame) << i;
  }
}

TEST_F(SkinPanelsTest, StatusPanelsWithoutTheSkinStripGetPlainFramesAndDrawPanelIsCalled) {
  Main->StatusBarEdges.reset();
  MakeForm();
  auto* bar = Add<TStatusBar>(0, 170, 300, 22);
  bar->SetSizeGrip(false);
  for (TStatusPanelBevel b : {pbLowered, pbRaised, pbNone}) {
    TStatusPanel* p = bar->AddPanel();
    p->SetWidth(80);
    p->SetBevel(b);
  }
  std::vector<RECT> drawn;
  bar->OnDrawPanel = [&](TStatusBar* sb, TStatusPanel*, const RECT& r) {
    drawn.push_back(r);
    EXPECT_TRUE(sb->Canvas()->HandleAllocated());
  };
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  struct Expect {
    COLORREF TopLeft;
    COLORREF BottomRight;
  };
  const Expect expect[] = {{shadow, light}, {light, shadow}, {Face, Face}};
  drawn.clear();
  for (int i = 0; i < 3; ++i) {
    RECT r{};
    SendMessageA(bar->Handle(), SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(Painted(bar->Handle(), r.left, r.top + 3), expect[i].TopLeft) << i;
    // The face is widened by two on the right, except the last one which reaches the end.
    const int right = i == 2 ? 299 : r.right + 1;
    EXPECT_EQ(Painted(bar->Handle(), right, r.top + 3), expect[i].BottomRight) << i;
  }
  ASSERT_GE(drawn.size(), 3u);
  RECT first{};
  SendMessageA(bar->Handle(), SB_GETRECT, 0, reinterpret_cast<LPARAM>(&first));
  EXPECT_EQ(drawn[0].left, first.left + 1);
  EXPECT_EQ(drawn[0].bottom, first.bottom - 1);
}

TEST_F(SkinPanelsTest, SimpleStatusBarIsOneLoweredFaceWithTheGripFromTheExtraImages) {
  Main->ExtraImages = SolidElement<TDataSkinObject>(Main->Platform(), "ExtraImages", 5, 6, 6);
  MakeForm();
  auto* bar = Add<TStatusBar>(0, 170, 300, 22);
  bar->SetSimpleText("");
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  HWND w = bar->Handle();
  EXPECT_EQ(FrameOf(Painted(w, 150, 11)), 1) << "the whole bar is frame 1";
  // The grip: frame 5, 6 x 6, one pixel in from the right and bottom edges.
  EXPECT_EQ(FrameOf(Painted(w, 300 - 2, 22 - 2)), 5);
  EXPECT_EQ(FrameOf(Painted(w, 300 - 7, 22 - 7)), 5);
  EXPECT_EQ(FrameOf(Painted(w, 300 - 1, 22 - 1)), 1) << "the outermost row and column stay the face";
  EXPECT_EQ(FrameOf(Painted(w, 300 - 8, 22 - 8)), 1);
}

// ---------------------------------------------------------------- track bars

TEST_F(SkinPanelsTest, TrackBarThumbShowsFrameTwoIdleHotAndPressed) {
  MakeForm();
  auto* horz = Add<TTrackBar>(10, 10, 150, 40);
  auto* vert = Add<TTrackBar>(200, 10, 40, 150);
  vert->SetOrientation(trVertical);
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  for (TTrackBar* bar : {horz, vert}) {
    HWND w = bar->Handle();
    ASSERT_NE(HandlerOf(*form, bar), nullptr);
    RECT t{};
    SendMessageA(w, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&t));
    const int cx = (t.left + t.right) / 2, cy = (t.top + t.bottom) / 2;
    EXPECT_EQ(FrameOf(Painted(w, cx, cy)), 2) << "idle";
    SendMessageA(w, WM_MOUSEMOVE, 0, MAKELPARAM(cx, cy));
    EXPECT_EQ(FrameOf(Painted(w, cx, cy)), 2) << "hot";
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cx, cy));
    EXPECT_EQ(FrameOf(Painted(w, cx, cy)), 2) << "pressed";
    SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(cx, cy));
    PumpMessages(5);
  }
}

TEST_F(SkinPanelsTest, TrackBarWithoutThumbPicturesOutlinesTheThumb) {
  Main->TrackbarThumbHorz.reset();
  Main->TrackbarThumbVert.reset();
  MakeForm();
  auto* bar = Add<TTrackBar>(10, 10, 150, 40);
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  HWND w = bar->Handle();
  RECT t{};
  SendMessageA(w, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&t));
  EXPECT_EQ(Painted(w, t.left, (t.top + t.bottom) / 2), Shadow);
  EXPECT_EQ(Painted(w, (t.left + t.right) / 2, t.top), Shadow);
  EXPECT_NE(Painted(w, (t.left + t.right) / 2, (t.top + t.bottom) / 2), Shadow) << "outlined, not filled";
}

TEST_F(SkinPanelsTest, AControlWhoseWindowIsMadeAgainKeepsItsSkin) {
  // Each change recreates the control's window; the handler follows the new one.
  struct Case {
    const char* Name;
    std::function<void()> Change;
    TWinControl* Control;
    std::function<POINT(HWND)> Probe;  // a point that shows frame 2
  };
  MakeForm();
  auto* track = Add<TTrackBar>(10, 10, 150, 40);
  auto* progress = Add<TProgressBar>(200, 10, 80, 80);
  progress->SetPosition(100);
  auto thumbCentre = [](HWND w) {
    RECT t{};
    SendMessageA(w, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&t));
    return POINT{(t.left + t.right) / 2, (t.top + t.bottom) / 2};
  };
  const Case cases[] = {
      {"track bar turned upright",
       [&] {
         track->SetBounds(10, 10, 40, 150);
         track->SetOrientation(trVertical);
       },
       track, thumbCentre},
      {"track bar with another tick style", [&] { track->SetTickStyle(tsNone); }, track, thumbCentre},
      {"progress bar turned upright", [&] { progress->SetOrientation(pbVertical); }, progress,
       [](HWND) {
         return POINT{40, 70};
       }},
  };
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  for (const Case& c : cases) {
    TSkinControl* h = HandlerOf(*form, c.Control);
    ASSERT_NE(h, nullptr) << c.Name;
    const HWND before = c.Control->Handle();
    c.Change();
    PumpMessages(10);
    HWND w = c.Control->Handle();
    ASSERT_NE(w, before) << c.Name << ": the window was made again";
    EXPECT_EQ(HandlerOf(*form, c.Control), h) << c.Name;
    EXPECT_EQ(h->Handle(), w) << c.Name;
    EXPECT_EQ(h->State(), scsAttached) << c.Name;
    const POINT p = c.Probe(w);
    EXPECT_EQ(FrameOf(Painted(w, p.x, p.y)), 2) << c.Name;
  }
  form->SweepControls();
  EXPECT_NE(HandlerOf(*form, track), nullptr) << "a sweep keeps a handler that followed";
  EXPECT_NE(HandlerOf(*form, progress), nullptr);
}

// ---------------------------------------------------------------- group boxes

TEST_F(SkinPanelsTest, GroupBoxRoundedFrameSitsAtTheComputedTopWithOrWithoutCaption) {
  MakeForm();
  auto* withCaption = Add<TGroupBox>(10, 10, 130, 90, "Caption");
  auto* without = Add<TGroupBox>(150, 10, 130, 90, "");
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  // The wipe is done with the skin's face brush (made when the skin was loaded).
  LOGBRUSH wipe{};
  ASSERT_NE(GetObjectA(ButtonFaceBrushHandle(*Main), sizeof wipe, &wipe), 0);
  for (TGroupBox* box : {withCaption, without}) {
    ASSERT_NE(HandlerOf(*form, box), nullptr);
    HWND w = box->Handle();
    int textHeight = 0;
    {
      WindowDc dc(w);
      SelectGuard font(dc.get(), box->Font()->Handle());
      SIZE s{};
      GetTextExtentPoint32W(dc.get(), L"0", 1, &s);
      textHeight = s.cy;
    }
    const int top = GroupBoxLayout(TSkinRect{0, 0, 130, 90}, textHeight).Top;
    ASSERT_GT(top, 0);
    // The top edge, away from the caption; the left edge at x 1; the bottom edge one row up.
    EXPECT_EQ(Painted(w, 100, top), Shadow) << box->Caption();
    EXPECT_EQ(Painted(w, 1, 45), Shadow) << box->Caption();
    EXPECT_EQ(Painted(w, 60, 90 - 2), Shadow) << box->Caption();
    // The native etched frame is wiped: nothing of it one row below or above the top edge.
    EXPECT_EQ(Painted(w, 100, top + 1), wipe.lbColor) << box->Caption();
    EXPECT_EQ(Painted(w, 100, top - 1), Face) << box->Caption();
    // Rounded: the very corner pixel is not part of the frame.
    EXPECT_NE(Painted(w, 1, top), Shadow) << box->Caption();
  }
  // The caption is drawn on the face colour over the frame line.
  bool textSeen = false;
  for (int x = 9; x < 60 && !textSeen; ++x)
    for (int y = 0; y < 14 && !textSeen; ++y) {
      const COLORREF c = Painted(withCaption->Handle(), x, y);
      textSeen = c != Face && c != Shadow;
    }
  EXPECT_TRUE(textSeen);
}

// ---------------------------------------------------------------- containers

TEST_F(SkinPanelsTest, PanelIsRecolouredAndItsChildrenAreSkinnedThroughIt) {
  MakeForm();
  auto* panel = Add<TPanel>(10, 10, 200, 100);
  panel->SetColor(RGB(10, 120, 10));
  // Owned by the panel: only the panel's own pass reaches it.
  auto* inner = NewControl<TButton>(panel, panel, 20, 20, 75, 25);
  inner->SetCaption("Inner");
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  TSkinControl* box = HandlerOf(*form, panel);
  ASSERT_NE(box, nullptr);
  EXPECT_STREQ(box->ClassName().c_str(), "TSkinBox");
  EXPECT_EQ(panel->Color(), static_cast<TColor>(Face));
  EXPECT_EQ(Painted(panel->Handle(), 150, 80), Face);
  TSkinControl* button = HandlerOf(*form, inner);
  ASSERT_NE(button, nullptr);
  EXPECT_STREQ(button->ClassName().c_str(), "TSkinButton");
  EXPECT_EQ(FrameOf(Painted(inner->Handle(), 2, 2)), bfNormal);
  box->UnSkin();
  EXPECT_EQ(panel->Color(), static_cast<TColor>(RGB(10, 120, 10)));
  EXPECT_EQ(box->State(), scsColourBack);
}

TEST_F(SkinPanelsTest, SwitchingSkinningOffGivesNestedControlsTheirOwnLookAtOnce) {
  MakeForm();
  // With a menu the window keeps its native frame, so nothing resizes it when skinning stops.
  GiveMenuBar(*FormObj, "&File");
  // On a page: a container that nothing recolours, so nothing but the switch repaints it.
  TTabSheet* page = AddPage(10, 10, 250, 150);
  auto* bar = AddTo<TProgressBar>(page, 10, 10, 150, 20);
  bar->SetPosition(50);
  ASSERT_NE(ShowFormFor(bar), nullptr);
  HWND w = bar->Handle();
  UpdateWindow(w);
  ASSERT_EQ(FrameOf(WindowPixel(w, 20, 10)), 2);
  Main->SetActive(false);  // the manager switches within a quarter of a second
  PumpMessages(600);
  // No repaint is forced here: the switch itself must have asked for one.
  EXPECT_EQ(FrameOf(WindowPixel(w, 20, 10)), 0);
  EXPECT_EQ(FrameOf(WindowPixel(w, 140, 10)), 0);
}

TEST_F(SkinPanelsTest, ToolBarIsMadeFlatAndRecolouredAndItsOwnMenusSkinned) {
  MakeForm();
  auto* bar = Add<TToolBar>(0, 0, 300, 26);
  auto* button = new TToolButton(FormObj);
  button->SetCaption("Tool");
  button->SetToolBar(bar);
  // Menus the toolbar owns, not the form: one skinnable, one whose Tag asks to be left alone,
  // one freed while the skin is on.
  auto* own = new TPopupMenu(bar);
  auto* left = new TPopupMenu(bar);
  left->Tag = 100 + Main->DisableTag;
  auto* freed = new TPopupMenu(bar);
  for (TPopupMenu* m : {own, left, freed}) {
    auto* item = new TMenuItem(m);
    item->SetCaption("Item");
    m->Items()->Add(item);
  }
  ASSERT_FALSE(bar->Flat());
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  ASSERT_NE(HandlerOf(*form, bar), nullptr);
  EXPECT_TRUE(bar->Flat());
  EXPECT_EQ(GetWindowLongPtrA(bar->Handle(), GWL_STYLE) & TBSTYLE_FLAT, TBSTYLE_FLAT);
  EXPECT_EQ(bar->Color(), static_cast<TColor>(Face));
  EXPECT_TRUE(own->OwnerDraw());
  EXPECT_TRUE(own->Items()->Items(0)->OnAdvancedDrawItem != nullptr) << "its items draw from the skin";
  EXPECT_FALSE(left->OwnerDraw()) << "a Tag of 100 + DisableTag keeps the system's drawing";
  delete freed;
  form->DetachSkin();
  EXPECT_FALSE(own->OwnerDraw()) << "the skin gone, the menu draws as before";
  EXPECT_TRUE(own->Items()->Items(0)->OnAdvancedDrawItem == nullptr);
}

TEST_F(SkinPanelsTest, SizeGripMadeInASkinnedWindowIsPaintedInTheFaceColour) {
  MakeForm();
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  HWND grip = AddRaw("SCROLLBAR", "", SBS_SIZEGRIP, 280, 180, 18, 18);
  ASSERT_NE(grip, nullptr);
  EXPECT_EQ(HandlerClassOf(*form, grip), "TSkinSizer");
  EXPECT_EQ(Painted(grip, 9, 9), Face);
  EXPECT_EQ(Painted(grip, 16, 16), Face);
  DestroyWindow(grip);
}

}  // namespace

namespace {
using namespace controltest;

// ---------------------------------------------------------------- radio groups

TEST_F(SkinPanelsTest, RadioGroupIsAGroupBoxOfRadioButtonsFollowingItemIndex) {
  MakeForm();
  auto* group = Add<TRadioGroup>(10, 10, 200, 120, "Choose");
  group->SetItems({"One", "Two", "Three", "Four"});
  group->SetColumns(2);
  group->SetItemIndex(2);
  int changes = 0;
  group->OnChange = [&](TObject*) { ++changes; };
  TSkinControl* h = ShowFormFor(group);
  ASSERT_NE(h, nullptr);
  EXPECT_STREQ(h->ClassName().c_str(), "TSkinGroupBox");
  ASSERT_EQ(group->ButtonCount(), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(group->Buttons(i)->Owner(), group);
    EXPECT_EQ(group->Buttons(i)->Parent(), group);
    EXPECT_EQ(group->Buttons(i)->Checked(), i == 2) << i;
  }
  // Two columns filled top to bottom: the third item starts the second column.
  EXPECT_GT(group->Buttons(2)->Left(), group->Buttons(1)->Left());
  EXPECT_EQ(group->Buttons(2)->Top(), group->Buttons(0)->Top());
  SendMessageA(group->Buttons(0)->Handle(), BM_CLICK, 0, 0);
  PumpMessages(10);
  EXPECT_EQ(group->ItemIndex(), 0);
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(group->Buttons(2)->Checked());
  group->SetItemIndex(7);  // out of range: none
  EXPECT_EQ(group->ItemIndex(), -1);
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(group->Buttons(i)->Checked()) << i;
  group->SetItems({"Only"});
  EXPECT_EQ(group->ButtonCount(), 1);
}

// ---------------------------------------------------------------- raw windows

INT_PTR CALLBACK NoDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST_F(SkinPanelsTest, DialogInsideAForeignWindowIsErasedInTheFaceColour) {
  // The face brush of the face set above, as a load makes it (the component frees it).
  DeleteObject(reinterpret_cast<HGDIOBJ>(Main->ButtonFaceBrush));
  Main->ButtonFaceBrush = reinterpret_cast<uintptr_t>(CreateSolidBrush(Face));
  skintest::TWindow top(skintest::MakeWindow(WS_OVERLAPPEDWINDOW, 300, 200));
  ASSERT_NE(top.Wnd, nullptr);
  // A dialog template with no controls, made a child of the plain window.
  struct {
    DLGTEMPLATE t;
    WORD menu, cls, title;
  } tpl{};
  tpl.t.style = WS_CHILD | WS_VISIBLE;
  tpl.t.cx = 80;
  tpl.t.cy = 50;
  HWND dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), &tpl.t, top.Wnd, NoDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  // A label of the page, wider than its text: the rest of its box shows the brush it is
  // given, which matches the page's face.
  HWND label = CreateWindowExA(0, "STATIC", "Label", WS_CHILD | WS_VISIBLE | SS_LEFT, 4, 30, 100, 16, dialog,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
  SetWindowPos(top.Wnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  skintest::Activate(top.Wnd);
  PumpMessages(60);
  TSkinForm* form = Handler(top.Wnd);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(HandlerClassOf(*form, dialog), "TSkinBoxH");
  EXPECT_EQ(Painted(dialog, 5, 5), Face);
  RECT r{};
  GetClientRect(dialog, &r);
  EXPECT_EQ(Painted(dialog, r.right - 2, r.bottom - 2), Face);
  EXPECT_EQ(Painted(label, 95, 8), Face) << "behind the page's label";
  EXPECT_EQ(Painted(label, 1, 14), Face);
}

// ---------------------------------------------------------------- the class library's wrappers

TEST_F(SkinPanelsTest, StatusBarPanelsReachTheNativeBar) {
  MakeForm();
  auto* bar = Add<TStatusBar>(0, 170, 300, 22);
  struct Panel {
    const char* Text;
    int Width;
    TStatusPanelBevel Bevel;
    TAlignment Align;
    WORD Flags;          // what SB_GETTEXTLENGTH reports in its high word
    const char* Native;  // the native text: tabs align it
  };
  const Panel panels[] = {{"Left", 60, pbLowered, taLeftJustify, 0, "Left"},
                          {"Mid", 70, pbRaised, taCenter, SBT_POPOUT, "\tMid"},
                          {"Right", 80, pbNone, taRightJustify, SBT_NOBORDERS, "\t\tRight"}};
  for (const Panel& s : panels) {
    TStatusPanel* p = bar->AddPanel();
    p->SetText(s.Text);
    p->SetWidth(s.Width);
    p->SetBevel(s.Bevel);
    p->SetAlignment(s.Align);
  }
  HWND w = bar->Handle();
  int rights[4] = {};
  ASSERT_EQ(SendMessageA(w, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(rights)), 3);
  EXPECT_EQ(rights[0], 60);
  EXPECT_EQ(rights[1], 130);
  EXPECT_EQ(rights[2], -1) << "the last panel reaches the end";
  for (int i = 0; i < 3; ++i) {
    char text[32] = {};
    const LRESULT got = SendMessageA(w, SB_GETTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, panels[i].Native) << i;
    EXPECT_EQ(HIWORD(got), panels[i].Flags) << i;
  }
  EXPECT_EQ(GetIntProperty(bar->Panels(1), "Width"), 70);
  EXPECT_EQ(GetEnumProperty(bar->Panels(1), "Bevel"), "pbRaised");
  EXPECT_EQ(GetEnumProperty(bar->Panels(2), "Alignment"), "taRightJustify");
  bar->SetSimplePanel(true);
  bar->SetSimpleText("Simple");
  EXPECT_NE(SendMessageA(w, SB_ISSIMPLE, 0, 0), 0);
  EXPECT_EQ(GetStrProperty(bar, "simpletext"), "Simple");
  EXPECT_NE(GetWindowLongPtrA(bar->Handle(), GWL_STYLE) & SBARS_SIZEGRIP, 0);
  bar->SetSizeGrip(false);
  EXPECT_EQ(GetWindowLongPtrA(bar->Handle(), GWL_STYLE) & SBARS_SIZEGRIP, 0) << "made again without the grip";
}

TEST_F(SkinPanelsTest, ProgressAndTrackBarsKeepRangePositionAndOrientation) {
  MakeForm();
  auto* progress = Add<TProgressBar>(10, 10, 100, 16);
  progress->SetRange(0, 200);
  progress->SetPosition(250);
  EXPECT_EQ(progress->Position(), 200) << "clamped to the range";
  progress->SetPosition(-5);
  EXPECT_EQ(progress->Position(), 0);
  progress->SetPosition(120);
  progress->SetOrientation(pbVertical);
  EXPECT_NE(GetWindowLongPtrA(progress->Handle(), GWL_STYLE) & PBS_VERTICAL, 0);
  EXPECT_EQ(progress->Position(), 120) << "kept through the new window";
  EXPECT_EQ(SendMessageA(progress->Handle(), PBM_GETRANGE, FALSE, 0), 200);

  auto* track = Add<TTrackBar>(10, 40, 150, 40);
  track->SetRange(0, 20);
  track->SetPosition(15);
  int changes = 0;
  track->OnChange = [&](TObject*) { ++changes; };
  struct Case {
    TTrackBarOrientation Orientation;
    TTickMark Marks;
    TTickStyle Ticks;
    LONG_PTR Style;
  };
  const Case cases[] = {{trVertical, tmBoth, tsAuto, TBS_VERT | TBS_BOTH | TBS_AUTOTICKS},
                        {trHorizontal, tmTopLeft, tsNone, TBS_TOP | TBS_NOTICKS},
                        {trHorizontal, tmBottomRight, tsManual, 0}};
  const LONG_PTR mask = TBS_VERT | TBS_BOTH | TBS_TOP | TBS_AUTOTICKS | TBS_NOTICKS;
  for (const Case& c : cases) {
    track->SetOrientation(c.Orientation);
    track->SetTickMarks(c.Marks);
    track->SetTickStyle(c.Ticks);
    EXPECT_EQ(GetWindowLongPtrA(track->Handle(), GWL_STYLE) & mask, c.Style);
    EXPECT_EQ(track->Position(), 15);
  }
  // A key press moves the thumb and reports the change through the parent's reflection.
  track->SetFocus();
  SendMessageA(track->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
  PumpMessages(10);
  EXPECT_EQ(track->Position(), 16);
  EXPECT_GE(changes, 1);
}

TEST_F(SkinPanelsTest, ToolBarButtonsClickAndForgetAFreedMenu) {
  MakeForm();
  auto* bar = Add<TToolBar>(0, 0, 300, 26);
  auto* menu = new TPopupMenu(FormObj);
  int clicks = 0;
  auto* plain = new TToolButton(FormObj);
  plain->SetCaption("Plain");
  plain->OnClick = [&](TObject*) { ++clicks; };
  plain->SetToolBar(bar);
  auto* sep = new TToolButton(FormObj);
  sep->Style = tbsSeparator;
  sep->SetToolBar(bar);
  auto* more = new TToolButton(FormObj);
  more->SetCaption("More");
  more->Style = tbsDropDown;
  more->SetDropdownMenu(menu);
  more->SetToolBar(bar);
  HWND w = bar->Handle();
  EXPECT_EQ(SendMessageA(w, TB_BUTTONCOUNT, 0, 0), 3);
  TBBUTTON tb{};
  SendMessageA(w, TB_GETBUTTON, 2, reinterpret_cast<LPARAM>(&tb));
  EXPECT_EQ(tb.idCommand, more->CommandId());
  EXPECT_NE(tb.fsStyle & BTNS_DROPDOWN, 0);
  SendMessageA(FormObj->Handle(), WM_COMMAND, MAKEWPARAM(plain->CommandId(), BN_CLICKED),
               reinterpret_cast<LPARAM>(w));
  EXPECT_EQ(clicks, 1);
  delete menu;
  EXPECT_EQ(more->DropdownMenu(), nullptr) << "a freed menu is forgotten";
  delete sep;
  EXPECT_EQ(bar->ButtonCount(), 2);
  EXPECT_EQ(SendMessageA(w, TB_BUTTONCOUNT, 0, 0), 2);
}

}  // namespace
