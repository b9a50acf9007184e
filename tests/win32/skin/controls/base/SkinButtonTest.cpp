// The skinned buttons on real windows: frames by state read back from the window, the
// form's one hot button, press-and-drag-off, glyph cells, speed buttons, the "||" caption.
#include "support/Canvas_win.h"
#include "tests/win32/skin/controls/base/ControlTestEnv_win.h"
#include "ui/ImgList.h"

namespace {
using namespace controltest;
using SkinButtonTest = ControlTest;

// The frame a windowed button shows, from a pixel away from the caption.
int ShownFrame(HWND wnd) {
  UpdateWindow(wnd);
  const COLORREF c = WindowPixel(wnd, 2, 2);
  for (int f = 1; f <= 5; ++f)
    if (c == FrameColour[f]) return f;
  return 0;
}

TEST_F(SkinButtonTest, FramesFollowTheStateOfAPushButton) {
  MakeForm();
  auto* plain = Add<TButton>(10, 10, 75, 25, "Plain");
  auto* def = Add<TButton>(10, 40, 75, 25, "Default");
  def->SetDefault(true);
  auto* off = Add<TButton>(10, 70, 75, 25, "Off");
  off->SetEnabled(false);
  ASSERT_NE(ShowFormFor(plain), nullptr);
  SetFocus(FormObj->Handle());
  EXPECT_EQ(ShownFrame(plain->Handle()), bfNormal);
  EXPECT_EQ(ShownFrame(def->Handle()), bfDefault);
  EXPECT_EQ(ShownFrame(off->Handle()), bfDisabled);
  plain->SetFocus();
  EXPECT_EQ(ShownFrame(plain->Handle()), bfHot) << "focused";
  SendMessageA(plain->Handle(), WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(ShownFrame(plain->Handle()), bfPressed);
  SendMessageA(plain->Handle(), WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(ShownFrame(plain->Handle()), bfHot);
}

TEST_F(SkinButtonTest, MovingOntoAnotherButtonClearsTheFirstHotFrameAtOnce) {
  MakeForm();
  auto* a = Add<TButton>(10, 10, 75, 25, "A");
  auto* b = Add<TButton>(100, 10, 75, 25, "B");
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  SetFocus(FormObj->Handle());
  TSkinControl* ha = HandlerOf(*form, a);
  TSkinControl* hb = HandlerOf(*form, b);
  ASSERT_TRUE(ha && hb);
  SendMessageA(a->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(ha->MouseState() & msHot, msHot);
  EXPECT_EQ(form->HotButton, ha);
  EXPECT_EQ(ShownFrame(a->Handle()), bfHot);
  SendMessageA(b->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(ha->MouseState() & msHot, 0) << "cleared by the second button, not by a timer";
  EXPECT_EQ(form->HotButton, hb);
  EXPECT_EQ(ShownFrame(a->Handle()), bfNormal);
  EXPECT_EQ(ShownFrame(b->Handle()), bfHot);
}

TEST_F(SkinButtonTest, PressMoveOffAndReleaseDoesNotClickButPressAndReleaseDoes) {
  MakeForm();
  auto* b = Add<TButton>(10, 10, 75, 25, "Click");
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  TSkinControl* h = ShowFormFor(b);
  ASSERT_NE(h, nullptr);
  HWND w = b->Handle();
  SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(h->MouseState() & msPressed, msPressed);
  EXPECT_EQ(GetFocus(), w) << "the press focuses the button";
  EXPECT_EQ(ShownFrame(w), bfPressed);
  b->Perform(CM_MOUSELEAVE);
  SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
  PumpMessages(20);
  EXPECT_EQ(clicks, 0);
  SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  PumpMessages(20);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(h->MouseState() & msPressed, 0);
}

TEST_F(SkinButtonTest, ARawPushButtonClicksItsParentOnRelease) {
  MakeForm();
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  HWND btn = AddRaw("BUTTON", "Raw", BS_PUSHBUTTON, 150, 10, 75, 25, 77);
  form->OfferWindow(btn);
  auto* h = HandlerOf(*form, nullptr);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(h->ClassName(), "TSkinButton");
  SendMessageA(btn, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(btn, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  MSG msg{};
  ASSERT_TRUE(PeekMessageA(&msg, FormObj->Handle(), WM_COMMAND, WM_COMMAND, PM_REMOVE));
  EXPECT_EQ(LOWORD(msg.wParam), 77);
  EXPECT_EQ(HIWORD(msg.wParam), BN_CLICKED);
  EXPECT_EQ(reinterpret_cast<HWND>(msg.lParam), btn);
  DestroyWindow(btn);
}

// A dialog's button whose window answers WM_QUERYUISTATE as told: the system keeps that state
// per window (Wine answers 0, cues shown, whatever it is told).
WPARAM gUiState = 0;
WNDPROC gButtonProc = nullptr;
LRESULT CALLBACK UiStateButtonProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_QUERYUISTATE) return static_cast<LRESULT>(gUiState);
  return CallWindowProcA(gButtonProc, wnd, msg, wParam, lParam);
}

// The focused default button shows the dotted cue over its frame (which outranks the focus)
// while its window shows focus cues, and looks unfocused while they are hidden; the change
// of UI state repaints it.
TEST_F(SkinButtonTest, AFocusedDefaultButtonShowsTheFocusCueUnlessTheWindowHidesIt) {
  MakeForm();
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  HWND btn = AddRaw("BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 40, 40, 75, 25, 1);
  ASSERT_NE(btn, nullptr);
  gButtonProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(btn, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(UiStateButtonProc)));
  form->OfferWindow(btn);
  ASSERT_NE(HandlerOf(*form, nullptr), nullptr);
  const auto uiState = [&](WORD action) {
    gUiState = action == UIS_SET ? UISF_HIDEFOCUS : 0;
    SendMessageA(btn, WM_UPDATEUISTATE, MAKEWPARAM(action, UISF_HIDEFOCUS), 0);
  };
  SetFocus(FormObj->Handle());
  const std::vector<COLORREF> unfocused = WindowScreenPixels(btn);
  uiState(UIS_SET);
  SetFocus(btn);
  ASSERT_EQ(GetFocus(), btn);
  EXPECT_EQ(PixelDifferences(unfocused, WindowScreenPixels(btn)), 0) << "focused, cues hidden: as unfocused";
  uiState(UIS_CLEAR);
  EXPECT_GT(PixelDifferences(unfocused, WindowScreenPixels(btn)), 0)
      << "cues shown: the cue over the default frame";
  uiState(UIS_SET);
  EXPECT_EQ(PixelDifferences(unfocused, WindowScreenPixels(btn)), 0) << "hidden again";
  DestroyWindow(btn);
}

// A glyph of `cells` cells, 8 x 8 each; cell i is filled with CellColour[i], the bottom-left
// pixel of each cell is the transparent white.
constexpr COLORREF CellColour[4] = {RGB(255, 0, 0), RGB(0, 160, 0), RGB(0, 0, 255), RGB(255, 255, 0)};
void MakeGlyph(TBitmap& glyph, int cells) {
  glyph.SetSize(8 * cells, 8);
  for (int i = 0; i < cells; ++i) {
    glyph.Canvas()->Brush()->SetColor(CellColour[i]);
    glyph.Canvas()->FillRect(RECT{8 * i, 0, 8 * i + 8, 8});
    glyph.Canvas()->SetPixels(8 * i, 7, clWhite);
  }
}

TEST_F(SkinButtonTest, ADisabledGlyphButtonShowsItsDisabledCellInGrey) {
  MakeForm();
  struct Case {
    int Cells;
    COLORREF Shown;  // the grey of the cell shown
  } cases[] = {{2, RGB(85, 85, 85)}, {4, RGB(53, 53, 53)}};
  std::vector<TBitBtn*> buttons;
  int top = 10;
  for (const Case& c : cases) {
    auto* b = Add<TBitBtn>(10, top, 100, 30, "");
    MakeGlyph(*b->Glyph(), c.Cells);
    b->NumGlyphs = c.Cells;
    b->Margin = 4;
    b->SetEnabled(false);
    buttons.push_back(b);
    top += 40;
  }
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  for (size_t i = 0; i < buttons.size(); ++i) {
    SCOPED_TRACE(cases[i].Cells);
    ASSERT_NE(HandlerOf(*form, buttons[i]), nullptr);
    EXPECT_EQ(HandlerOf(*form, buttons[i])->ClassName(), "TSkinBitButton");
    HWND w = buttons[i]->Handle();
    UpdateWindow(w);
    // Glyph at x 4, vertically centred: (30 - 8 + 1) / 2 = 11.
    EXPECT_EQ(WindowPixel(w, 8, 13), cases[i].Shown);
    EXPECT_EQ(WindowPixel(w, 4, 18), FrameColour[bfDisabled]) << "the key colour shows the face";
    EXPECT_EQ(WindowPixel(w, 60, 3), FrameColour[bfDisabled]);
  }
}

TEST_F(SkinButtonTest, AGlyphButtonWithoutGlyphTakesItsPictureFromAnImageList) {
  MakeForm();
  TImageList list(nullptr, 8, 8);
  TBitmap pictures;
  pictures.SetPixelFormat(pf24bit);
  pictures.SetSize(16, 8);
  FillSolid(*pictures.Canvas(), RECT{0, 0, 8, 8}, RGB(250, 0, 250));
  FillSolid(*pictures.Canvas(), RECT{8, 0, 16, 8}, RGB(0, 120, 250));
  ASSERT_EQ(list.AddMasked(pictures, static_cast<TColor>(RGB(1, 2, 3))), 0);
  struct Case {
    bool Enabled;
    int DisabledIndex;
    bool ShowsPicture;  // the picture's own colour, not the greyed drawing
    COLORREF Colour;
  } cases[] = {{true, -1, true, RGB(250, 0, 250)},
               {false, -1, false, RGB(250, 0, 250)},
               {false, 1, false, RGB(0, 120, 250)}};
  std::vector<TBitBtn*> buttons;
  int top = 10;
  for (const Case& c : cases) {
    auto* b = Add<TBitBtn>(10, top, 100, 30, "");
    b->Images = &list;
    b->ImageIndex = 0;
    b->DisabledIndex = c.DisabledIndex;
    b->Margin = 4;
    b->SetEnabled(c.Enabled);
    buttons.push_back(b);
    top += 40;
  }
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  for (size_t i = 0; i < buttons.size(); ++i) {
    SCOPED_TRACE(i);
    ASSERT_NE(HandlerOf(*form, buttons[i]), nullptr);
    HWND w = buttons[i]->Handle();
    UpdateWindow(w);
    // The picture at x 4, vertically centred: (30 - 8 + 1) / 2 = 11.
    const COLORREF shown = WindowPixel(w, 7, 14);
    EXPECT_EQ(shown == cases[i].Colour, cases[i].ShowsPicture);
    EXPECT_NE(shown, FrameColour[cases[i].Enabled ? bfNormal : bfDisabled]) << "something is drawn there";
  }
  for (TBitBtn* b : buttons) b->Images = nullptr;
}

TEST_F(SkinButtonTest, SpeedButtonsFlatAtRestDownAndDisabled) {
  MakeForm();
  auto* flat = Add<TSpeedButton>(10, 10, 40, 30, "");
  flat->SetFlat(true);
  MakeGlyph(*flat->Glyph(), 1);
  auto* down = Add<TSpeedButton>(60, 10, 40, 30, "");
  down->SetDown(true);
  down->SetEnabled(false);
  auto* normal = Add<TSpeedButton>(110, 10, 40, 30, "");
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  for (TControl* c :
       {static_cast<TControl*>(flat), static_cast<TControl*>(down), static_cast<TControl*>(normal)}) {
    ASSERT_NE(HandlerOf(*form, c), nullptr);
    EXPECT_EQ(HandlerOf(*form, c)->ClassName(), "TSkinSpeedButton");
  }
  HWND wnd = FormObj->Handle();
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  ClientDc dc(wnd);
  EXPECT_EQ(GetPixel(dc.get(), 10 + 1, 10 + 1), Main->ColorButtonFace) << "a flat button at rest has no face";
  EXPECT_EQ(GetPixel(dc.get(), 10 + 20, 10 + 14), CellColour[0]) << "but its glyph";
  EXPECT_EQ(GetPixel(dc.get(), 60 + 1, 10 + 1), FrameColour[bfPressed]) << "down outranks disabled";
  EXPECT_EQ(GetPixel(dc.get(), 110 + 1, 10 + 1), FrameColour[bfNormal]);
  // Hot: the flat one gets its face.
  flat->Perform(CM_MOUSEENTER);
  EXPECT_EQ(GetPixel(dc.get(), 10 + 1, 10 + 1), FrameColour[bfHot]);
  flat->Perform(CM_MOUSELEAVE);
  EXPECT_EQ(GetPixel(dc.get(), 10 + 1, 10 + 1), Main->ColorButtonFace);
}

TEST_F(SkinButtonTest, ASpeedButtonPaintedOnTheMouseComingAndGoingHoldsNoDeviceContext) {
  MakeForm();
  auto* button = Add<TSpeedButton>(10, 10, 40, 30, "");
  ASSERT_NE(ShowFormFor(button), nullptr);
  ClientDc dc(FormObj->Handle());
  const struct {
    UINT Msg;
    COLORREF Face;
  } steps[] = {{CM_MOUSEENTER, FrameColour[bfHot]}, {CM_MOUSELEAVE, FrameColour[bfNormal]}};
  for (const auto& s : steps) {
    button->Perform(s.Msg);
    EXPECT_EQ(GetPixel(dc.get(), 10 + 1, 10 + 1), s.Face) << std::hex << s.Msg << ": painted at once";
    EXPECT_FALSE(button->Canvas()->HandleAllocated()) << std::hex << s.Msg << ": and the DC given back";
  }
}

TEST_F(SkinButtonTest, ATwoLineCaptionBreaksAtTheBars) {
  MakeForm();
  auto* b = Add<TButton>(10, 10, 90, 50, "One||Two");
  TSkinControl* h = ShowFormFor(b);
  ASSERT_NE(h, nullptr);
  UpdateWindow(b->Handle());
  EXPECT_EQ(h->CachedCaption(), L"One\r\nTwo");
  // Ink on two separate bands of rows, around the middle.
  std::vector<bool> ink(50, false);
  {
    WindowDc dc(b->Handle());
    for (int y = 0; y < 50; ++y)
      for (int x = 0; x < 90 && !ink[y]; ++x) {
        const COLORREF c = GetPixel(dc.get(), x, y);
        ink[y] = c != FrameColour[bfNormal] && c != FrameColour[bfHot];
      }
  }
  int bands = 0;
  for (int y = 1; y < 50; ++y)
    if (ink[y] && !ink[y - 1]) ++bands;
  EXPECT_EQ(bands, 2);
}

}  // namespace
