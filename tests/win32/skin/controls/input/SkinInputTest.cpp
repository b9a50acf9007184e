// The skinned edits, combo boxes and up-down controls on real windows. Every picture of the
// skin is replaced by frames of one plain colour each, so the frame a part shows can be
// told from a pixel read back from the window.
#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "skin/controls/SkinInput.h"
#include "skin/controls/SkinScroll.h"
#include "tests/win32/skin/controls/base/ControlTestEnv_win.h"
#include "ui/ComCtrls.h"

namespace {
using namespace controltest;

constexpr COLORREF Shadow = RGB(10, 120, 90);
constexpr COLORREF DarkShadow = RGB(90, 10, 120);
constexpr COLORREF Face = RGB(230, 230, 230);

// Eight up-down frames and four combo frames (plus their mirrored set), all different.
constexpr COLORREF UpDownColour[9] = {0,
                                      RGB(250, 0, 0),
                                      RGB(0, 250, 0),
                                      RGB(0, 0, 250),
                                      RGB(250, 250, 0),
                                      RGB(0, 250, 250),
                                      RGB(250, 130, 0),
                                      RGB(130, 0, 250),
                                      RGB(0, 130, 60)};
constexpr COLORREF ComboColour[5] = {0, RGB(200, 80, 0), RGB(80, 200, 0), RGB(0, 80, 200), RGB(200, 0, 80)};
constexpr COLORREF MirroredColour[5] = {0, RGB(120, 60, 30), RGB(60, 120, 30), RGB(30, 60, 120),
                                        RGB(120, 30, 60)};
constexpr COLORREF EdgeColour[5] = {0, RGB(40, 40, 40), RGB(70, 70, 70), RGB(100, 100, 100),
                                    RGB(130, 130, 130)};

// Frames of 6 x 6 in the colours of a 1-based table.
std::unique_ptr<TSkinImage> Strip(ISkinPlatform& platform, const COLORREF* colours, int frames) {
  return SolidFrameImage(platform, frames, 6, 6, [colours](int f) { return colours[f]; });
}

template <class E>
std::unique_ptr<E> Element(const char* name, ISkinPlatform& platform, const COLORREF* colours, int frames) {
  return SolidElement<E>(platform, name, frames, 6, 6, [colours](int f) { return colours[f]; });
}

struct SkinInputTest : ControlTest {
  void SetUp() override {
    ControlTest::SetUp();
    ISkinPlatform& p = Main->Platform();
    Main->ColorButtonShadow = Shadow;
    Main->ColorButtonDkShadow = DarkShadow;
    Main->ColorButtonFace = Face;
    Main->UpDownVert = Element<TDataSkinBorder>("UpDown.Vert", p, UpDownColour, 8);
    Main->UpDownHorz = Element<TDataSkinBorder>("UpDown.Horz", p, UpDownColour, 8);
    Main->ComboButton = Element<TDataSkinBorder>("ComboButton", p, ComboColour, 4);
    Main->ComboButton->SecondImage = Strip(p, MirroredColour, 4);
    Main->ComboButton->Style = 0;
    Main->SunkEdge = Element<TDataSkinObject>("SunkEdge", p, EdgeColour, 4);
    Main->ExtraImages.reset();
  }
  static COLORREF Pixel(HWND wnd, int x, int y) {
    UpdateWindow(wnd);
    return WindowPixel(wnd, x, y);
  }
  static SIZE WindowSize(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    return {r.right - r.left, r.bottom - r.top};
  }
};

std::string Hex(COLORREF c) {
  char b[16];
  snprintf(b, sizeof b, "%06lX", static_cast<unsigned long>(c));
  return b;
}

// ---------------------------------------------------------------- the pass

TEST_F(SkinInputTest, EachInputControlGetsItsHandler) {
  MakeForm();
  auto* edit = Add<TEdit>(10, 10, 100, 21);
  auto* dropDown = Add<TComboBox>(10, 40, 120, 21);
  auto* list = Add<TComboBox>(140, 40, 120, 21);
  list->SetStyle(csDropDownList);
  auto* simple = Add<TComboBox>(10, 70, 120, 80);
  simple->SetStyle(csSimple);
  auto* upDown = Add<TUpDown>(270, 10, 17, 30);
  auto* dateDrop = Add<TDateTimePicker>(140, 70, 140, 21);
  auto* dateSpin = Add<TDateTimePicker>(140, 100, 140, 21);
  dateSpin->SetDateMode(dmUpDown);
  auto* time = Add<TDateTimePicker>(140, 130, 140, 21);
  time->SetKind(dtkTime);
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);

  struct Case {
    const char* what;
    HWND wnd;
    const char* handler;
    bool boundToControl;  // attached through the control's WindowProc rather than by handle
  } cases[] = {
      {"edit", edit->Handle(), "TSkinEdit", false},
      {"drop-down combo", dropDown->Handle(), "TSkinComBox", true},
      {"drop-down list combo", list->Handle(), "TSkinComBox", true},
      {"simple combo", simple->Handle(), "TSkinComBox", true},
      {"up-down", upDown->Handle(), "TSkinUpDown", true},
      {"date with a drop-down", dateDrop->Handle(), "TSkinComBox", true},
      {"date with arrows", dateSpin->Handle(), "TSkinEdit", false},
      {"time", time->Handle(), "TSkinEdit", false},
  };
  for (const Case& c : cases) {
    TSkinControl* h = HandlerOfWindow(*form, c.wnd);
    ASSERT_NE(h, nullptr) << c.what;
    EXPECT_EQ(h->ClassName(), c.handler) << c.what;
    EXPECT_EQ(h->Control() != nullptr, c.boundToControl) << c.what;
    EXPECT_EQ(h->State(), scsAttached) << c.what;
  }
}

// ---------------------------------------------------------------- edits

TEST_F(SkinInputTest, AnEditWithABorderGetsTheFlatFrameAndOneWithoutGetsNone) {
  MakeForm();
  auto* bordered = Add<TEdit>(10, 10, 100, 21);
  auto* readOnly = Add<TEdit>(10, 40, 100, 21);
  readOnly->SetReadOnly(true);
  auto* bare = Add<TEdit>(10, 70, 100, 21);
  bare->SetBorderStyle(bsNone);
  ShowForm();
  struct Case {
    const char* what;
    TEdit* edit;
    bool framed;
  } cases[] = {{"border", bordered, true}, {"read-only", readOnly, true}, {"no border", bare, false}};
  for (const Case& c : cases) {
    HWND w = c.edit->Handle();
    const SIZE s = WindowSize(w);
    const POINT outer[] = {{0, 0}, {s.cx - 1, 0}, {0, s.cy - 1}, {s.cx - 1, s.cy - 1}, {s.cx / 2, 0}};
    for (const POINT& p : outer) {
      const COLORREF got = Pixel(w, p.x, p.y);
      if (c.framed)
        EXPECT_EQ(got, Shadow) << c.what << " at " << p.x << "," << p.y << ": " << Hex(got);
      else
        EXPECT_NE(got, Shadow) << c.what << " at " << p.x << "," << p.y;
    }
    const COLORREF inner = Pixel(w, 1, s.cy / 2);
    if (c.framed) {
      EXPECT_EQ(inner, RGB(255, 255, 255)) << c.what << ": " << Hex(inner);
    }
  }
  // The frame survives the border being drawn again on its own.
  SetWindowPos(bordered->Handle(), nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  EXPECT_EQ(Pixel(bordered->Handle(), 0, 0), Shadow);
}

TEST_F(SkinInputTest, ASpinButtonInsideAnEditIsFoundAndSkinned) {
  MakeForm();
  auto* edit = Add<TEdit>(10, 10, 120, 40);
  ShowForm();
  HWND spin = CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE, 80, 2, 20, 32, edit->Handle(),
                              nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(spin, nullptr);
  auto* h = dynamic_cast<TSkinEdit*>(HandlerOfWindow(*Handler(FormObj->Handle()), edit->Handle()));
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(h->SpinButton(), nullptr) << "not there at the first paint";
  InvalidateRect(edit->Handle(), nullptr, TRUE);
  UpdateWindow(edit->Handle());
  ASSERT_NE(h->SpinButton(), nullptr) << "found at the next paint";
  EXPECT_TRUE(h->SpinButton()->InEdit);
  EXPECT_EQ(h->SpinButton()->Handle(), spin);
  InvalidateRect(spin, nullptr, TRUE);
  // Inside an edit the buttons leave a one-pixel ring of the face colour.
  EXPECT_EQ(Pixel(spin, 0, 0), Face);
  EXPECT_EQ(Pixel(spin, 10, 8), UpDownColour[1]);
  EXPECT_EQ(Pixel(spin, 10, 24), UpDownColour[5]);
  DestroyWindow(spin);
}

// ---------------------------------------------------------------- combo boxes

struct ComboProbe {
  int x;  // from the left (>= 0) or the right (< 0) edge
  COLORREF colour;
};

TEST_F(SkinInputTest, ComboButtonShowsTheStateAndSideOfEachDrawing) {
  struct Case {
    const char* what;
    int style;  // ComboButton.Style
    bool leftToRight;
    bool disabled;
    ComboProbe probe;
  } cases[] = {
      {"pieces, button at the right", 0, true, false, {-4, ComboColour[1]}},
      {"pieces, mirrored at the left", 0, false, false, {3, MirroredColour[1]}},
      {"pieces, edge at the far side", 0, false, false, {-1, EdgeColour[1]}},
      {"pieces, disabled", 0, true, true, {-4, ComboColour[3]}},
      {"composite at the right", 2, true, false, {-4, ComboColour[1]}},
      {"composite mirrored: the mirrored strip", 2, false, false, {3, EdgeColour[1]}},
      {"classic: the shadow line outside", 1, true, false, {-1, Shadow}},
      {"classic: the button inside", 1, true, false, {-5, ComboColour[1]}},
  };
  for (const Case& c : cases) {
    Main->ComboButton->Style = c.style;
    MakeForm();
    auto* combo = Add<TComboBox>(10, 10, 150, 21);
    combo->SetStyle(csDropDownList);
    auto* other = Add<TButton>(10, 100, 75, 25, "Focus");
    if (c.disabled) combo->SetEnabled(false);
    ShowForm();
    other->SetFocus();
    HWND w = combo->Handle();
    if (!c.leftToRight) {
      SetWindowLongPtrA(w, GWL_EXSTYLE, GetWindowLongPtrA(w, GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
      InvalidateRect(w, nullptr, TRUE);
    }
    PumpMessages(10);
    const SIZE s = WindowSize(w);
    const int x = c.probe.x >= 0 ? c.probe.x : s.cx + c.probe.x;
    const COLORREF got = Pixel(w, x, s.cy / 2);
    EXPECT_EQ(got, c.probe.colour) << c.what << ": " << Hex(got);
    delete FormObj;
    FormObj = nullptr;
  }
}

TEST_F(SkinInputTest, ComboButtonPressedWhileTheMouseIsHeldOnTheEditPart) {
  MakeForm();
  auto* combo = Add<TComboBox>(10, 10, 150, 21);
  auto* other = Add<TButton>(10, 100, 75, 25, "Focus");
  TSkinForm* form = ShowForm();
  other->SetFocus();
  auto* h = dynamic_cast<TSkinComBox*>(HandlerOfWindow(*form, combo->Handle()));
  ASSERT_NE(h, nullptr);
  ASSERT_TRUE(h->EditHooked());
  HWND edit = h->EditWindow();
  ASSERT_TRUE(IsChild(combo->Handle(), edit));
  const SIZE s = WindowSize(combo->Handle());
  auto button = [&] { return Pixel(combo->Handle(), s.cx - 4, s.cy / 2); };
  EXPECT_EQ(button(), ComboColour[1]) << "idle";
  SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PumpMessages(10);
  EXPECT_EQ(button(), ComboColour[2]) << "held on the edit part";
  EXPECT_EQ(h->LastState(), psPressed);
  SendMessageA(edit, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  PumpMessages(10);
  EXPECT_EQ(button(), ComboColour[4]) << "released: the edit has the focus";
  other->SetFocus();
  PumpMessages(10);
  EXPECT_EQ(button(), ComboColour[1]) << "focus gone";
}

TEST_F(SkinInputTest, SimpleComboListGetsSkinnedBarsAndTheComboShowsNoButton) {
  MakeForm();
  auto* simple = Add<TComboBox>(10, 10, 150, 90);
  simple->SetStyle(csSimple);
  auto* drop = Add<TComboBox>(10, 120, 150, 21);
  for (const char* item : {"one", "two", "three", "four", "five", "six", "seven", "eight", "nine"}) {
    simple->AddItem(item);
    drop->AddItem(item);
  }
  TSkinForm* form = ShowForm();
  auto* hs = dynamic_cast<TSkinComBox*>(HandlerOfWindow(*form, simple->Handle()));
  auto* hd = dynamic_cast<TSkinComBox*>(HandlerOfWindow(*form, drop->Handle()));
  ASSERT_TRUE(hs && hd);
  EXPECT_EQ(hs->ComboInfo().cbSize, sizeof(COMBOBOXINFO));
  if (sizeof(void*) == 4) {
    EXPECT_EQ(hs->ComboInfo().cbSize, 52u);
  }
  ASSERT_NE(hs->ListWindow(), nullptr) << "the system filled the record";
  EXPECT_TRUE(IsChild(simple->Handle(), hs->ListWindow()));
  EXPECT_FALSE(hs->EditHooked()) << "a simple combo's edit is not watched";
  EXPECT_EQ(hd->ListWindow(), nullptr);
  // The always-open list gets skinned bars laid over its own; a drop-down's list none.
  ASSERT_NE(hs->ListBars(), nullptr);
  EXPECT_EQ(HandlerOfWindow(*form, hs->ListWindow()), hs->ListBars());
  EXPECT_EQ(hs->ListBars()->ClassName(), "TSkinScrollbarH");
  ASSERT_NE(hs->ListBars()->VertBar(), nullptr) << "nine items overflow the list";
  EXPECT_TRUE(IsWindowVisible(hs->ListBars()->VertBar()->Handle()));
  EXPECT_EQ(hd->ListBars(), nullptr);
  // Freed by their owner with the combo's handler, or before it: no dangling pointer either way.
  form->FreeControl(hs->ListBars());
  EXPECT_EQ(hs->ListBars(), nullptr);
  // No drop-down button: nothing of ours on the simple combo.
  const SIZE s = WindowSize(simple->Handle());
  for (int x : {1, static_cast<int>(s.cx) - 4})
    for (COLORREF c : ComboColour) EXPECT_NE(Pixel(simple->Handle(), x, 10), c) << x;
}

TEST_F(SkinInputTest, CombosWhoseWindowIsMadeAgainWatchTheirNewParts) {
  MakeForm();
  auto* simple = Add<TComboBox>(10, 10, 150, 90);
  simple->SetStyle(csSimple);
  auto* drop = Add<TComboBox>(10, 120, 150, 21);
  for (const char* item : {"one", "two", "three", "four", "five", "six", "seven", "eight", "nine"})
    simple->AddItem(item);
  TSkinForm* form = ShowForm();
  auto* hs = dynamic_cast<TSkinComBox*>(HandlerOfWindow(*form, simple->Handle()));
  auto* hd = dynamic_cast<TSkinComBox*>(HandlerOfWindow(*form, drop->Handle()));
  ASSERT_TRUE(hs && hd);
  for (TComboBox* c : {simple, drop}) {
    c->DestroyHandle();
    c->HandleNeeded();
  }
  PumpMessages(20);
  form->SweepControls();
  EXPECT_EQ(hd->Handle(), drop->Handle());
  EXPECT_TRUE(hd->EditHooked());
  EXPECT_EQ(hd->EditWindow(), GetWindow(drop->Handle(), GW_CHILD));
  EXPECT_EQ(hs->Handle(), simple->Handle());
  ASSERT_TRUE(IsChild(simple->Handle(), hs->ListWindow())) << "the new list";
  ASSERT_NE(hs->ListBars(), nullptr);
  EXPECT_EQ(hs->ListBars()->State(), scsAttached);
  EXPECT_EQ(HandlerOfWindow(*form, hs->ListWindow()), hs->ListBars());
}

TEST_F(SkinInputTest, TakingTheSkinOffFreesEveryHandlerOnceAndTheControlsLiveOn) {
  MakeForm();
  auto* simple = Add<TComboBox>(10, 10, 150, 90);
  simple->SetStyle(csSimple);
  for (const char* item : {"one", "two", "three", "four", "five", "six", "seven", "eight", "nine"})
    simple->AddItem(item);
  auto* edit = Add<TEdit>(10, 120, 120, 40);
  auto* combo = Add<TComboBox>(170, 10, 100, 21);
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  HWND spin = CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE, 80, 2, 20, 32, edit->Handle(),
                              nullptr, GetModuleHandleA(nullptr), nullptr);
  InvalidateRect(edit->Handle(), nullptr, TRUE);
  UpdateWindow(edit->Handle());
  auto* hs = dynamic_cast<TSkinComBox*>(HandlerOfWindow(*form, simple->Handle()));
  ASSERT_TRUE(hs && hs->ListBars());
  ASSERT_NE(HandlerOfWindow(*form, spin), nullptr) << "the spin button's handler joined the list";
  // The combo's bars and the edit's spin handler are in the list beside their owners' handlers:
  // the whole list goes, each handler freed once.
  form->DetachSkin();
  EXPECT_TRUE(form->ControlHandlers().empty());
  EXPECT_EQ(simple->ComponentCount(), 0) << "no handler left among the combo's components";
  EXPECT_EQ(edit->ComponentCount(), 0);
  // The controls work on without us.
  simple->SetItemIndex(2);
  EXPECT_EQ(simple->ItemIndex(), 2);
  combo->SetText("typed");
  EXPECT_EQ(combo->GetText(), "typed");
  PumpMessages(10);
  DestroyWindow(spin);
}

TEST_F(SkinInputTest, ComboWithoutAButtonPictureKeepsItsOwnLook) {
  Main->ComboButton.reset();
  MakeForm();
  auto* combo = Add<TComboBox>(10, 10, 150, 21);
  TSkinForm* form = ShowForm();
  auto* h = dynamic_cast<TSkinComBox*>(HandlerOfWindow(*form, combo->Handle()));
  ASSERT_NE(h, nullptr);
  const SIZE s = WindowSize(combo->Handle());
  const COLORREF got = Pixel(combo->Handle(), s.cx - 1, s.cy / 2);
  for (COLORREF c : EdgeColour) EXPECT_NE(got, c);
  EXPECT_EQ(h->LastState(), 0) << "never drew";
}

TEST_F(SkinInputTest, UnskinningGivesTheEditPartItsProcedureBack) {
  MakeForm();
  auto* combo = Add<TComboBox>(10, 10, 150, 21);
  TSkinForm* form = ShowForm();
  auto* h = dynamic_cast<TSkinComBox*>(HandlerOfWindow(*form, combo->Handle()));
  ASSERT_NE(h, nullptr);
  HWND edit = h->EditWindow();
  const LONG_PTR hooked = GetWindowLongPtrW(edit, GWLP_WNDPROC);
  h->UnSkin();
  EXPECT_FALSE(h->EditHooked());
  EXPECT_NE(GetWindowLongPtrW(edit, GWLP_WNDPROC), hooked);
  SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(h->MouseState() & msPressed, 0) << "the edit no longer reports";
  SendMessageA(edit, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

// ---------------------------------------------------------------- up-down controls

TEST_F(SkinInputTest, UpDownButtonsShowTheFrameOfTheirHalfAndState) {
  struct Case {
    const char* what;
    TUDOrientation orientation;
    bool enabled;
    bool press;
    POINT at;  // where the mouse is (and presses), client coordinates
    COLORREF first, second;
  } cases[] = {
      {"vertical, idle", udVertical, true, false, {8, 30}, UpDownColour[1], UpDownColour[5]},
      {"vertical, lower half pressed", udVertical, true, true, {8, 30}, UpDownColour[1], UpDownColour[6]},
      {"vertical, upper half pressed", udVertical, true, true, {8, 5}, UpDownColour[2], UpDownColour[5]},
      {"vertical, disabled", udVertical, false, false, {8, 30}, UpDownColour[3], UpDownColour[7]},
      {"horizontal, right half pressed", udHorizontal, true, true, {30, 8}, UpDownColour[1], UpDownColour[6]},
      {"horizontal, disabled", udHorizontal, false, false, {30, 8}, UpDownColour[3], UpDownColour[7]},
  };
  for (const Case& c : cases) {
    MakeForm();
    const bool vertical = c.orientation == udVertical;
    auto* ud = Add<TUpDown>(20, 20, vertical ? 17 : 40, vertical ? 40 : 17);
    ud->SetOrientation(c.orientation);
    ud->SetPosition(50);
    if (!c.enabled) ud->SetEnabled(false);
    TSkinForm* form = ShowForm();
    auto* h = dynamic_cast<TSkinUpDown*>(HandlerOfWindow(*form, ud->Handle()));
    ASSERT_NE(h, nullptr) << c.what;
    HWND w = ud->Handle();
    POINT screen = c.at;
    ClientToScreen(w, &screen);
    SetCursorPos(screen.x, screen.y);
    if (c.press) SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.at.x, c.at.y));
    const POINT p1 = vertical ? POINT{8, 6} : POINT{6, 8};
    const POINT p2 = vertical ? POINT{8, 33} : POINT{33, 8};
    EXPECT_EQ(Pixel(w, p1.x, p1.y), c.first) << c.what << ": " << Hex(Pixel(w, p1.x, p1.y));
    EXPECT_EQ(Pixel(w, p2.x, p2.y), c.second) << c.what << ": " << Hex(Pixel(w, p2.x, p2.y));
    if (c.press) {
      SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(c.at.x, c.at.y));
      EXPECT_EQ(h->MouseState() & msPressed, 0);
      EXPECT_EQ(Pixel(w, p1.x, p1.y), UpDownColour[1]) << c.what << " released";
      EXPECT_EQ(Pixel(w, p2.x, p2.y), UpDownColour[5]) << c.what << " released";
    }
    delete FormObj;
    FormObj = nullptr;
  }
}

TEST_F(SkinInputTest, UpDownWithoutItsPicturesIsDrawnPlain) {
  Main->UpDownVert.reset();
  MakeForm();
  auto* ud = Add<TUpDown>(20, 20, 17, 40);
  ShowForm();
  HWND w = ud->Handle();
  POINT screen{8, 30};
  ClientToScreen(w, &screen);
  SetCursorPos(screen.x, screen.y);
  SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 30));
  struct Probe {
    const char* what;
    POINT at;
    COLORREF colour;
  } probes[] = {
      {"outline", {0, 0}, DarkShadow},          {"upper face", {2, 3}, Face},
      {"lower face, pressed", {2, 36}, Shadow}, {"apex of the upper arrow", {8, 8}, DarkShadow},
      {"above the apex", {8, 6}, Face},         {"a flank of the upper arrow", {10, 10}, DarkShadow},
  };
  for (const Probe& p : probes) {
    const COLORREF got = Pixel(w, p.at.x, p.at.y);
    EXPECT_EQ(got, p.colour) << p.what << ": " << Hex(got);
  }
  SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(8, 30));
}

TEST_F(SkinInputTest, UpDownBoundToAnEditStillSteps) {
  MakeForm();
  auto* edit = Add<TEdit>(20, 20, 60, 21);
  auto* ud = Add<TUpDown>(80, 20, 17, 21);
  ud->SetMax(10);
  ud->SetPosition(3);
  ud->SetAssociate(edit);
  ShowForm();
  EXPECT_EQ(edit->GetText(), "3");
  HWND w = ud->Handle();
  const SIZE s = WindowSize(w);
  POINT screen{s.cx / 2, 2};
  ClientToScreen(w, &screen);
  SetCursorPos(screen.x, screen.y);
  SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(s.cx / 2, 2));
  SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(s.cx / 2, 2));
  PumpMessages(10);
  EXPECT_EQ(ud->Position(), 4) << "the press passed on to the control";
  EXPECT_EQ(edit->GetText(), "4");
}

}  // namespace
