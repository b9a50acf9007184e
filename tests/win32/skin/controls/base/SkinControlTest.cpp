// The control handler base on real windows: attaching once, the skinning switch, the end
// of a window, restoring exactly what was there, and the caption cache.
#include "tests/win32/skin/controls/base/ControlTestEnv_win.h"

namespace {
using namespace controltest;
using SkinControlTest = ControlTest;

TEST_F(SkinControlTest, AControlAttachedTwiceIsAttachedOnce) {
  MakeForm();
  auto* b = Add<TButton>(10, 10, 75, 25, "OK");
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  TSkinControl* h = HandlerOf(*form, b);
  ASSERT_NE(h, nullptr) << "the pass gave the button its handler";
  EXPECT_EQ(h->State(), scsAttached);
  EXPECT_TRUE(b->DoubleBuffered);
  const TWndMethod installed = b->WindowProc;
  const size_t count = form->ControlHandlers().size();
  h->InitControl(form, Main.get(), form->ControlCanvas(), true);
  EXPECT_TRUE(b->WindowProc == installed);
  EXPECT_EQ(form->ControlHandlers().size(), count);
  EXPECT_FALSE(h->Recolor()) << "the second call changed nothing";
  // A second pass over the same form offers nothing new.
  SendMessageA(FormObj->Handle(), CM_SKINSTART, 0, 0);
  EXPECT_EQ(form->ControlHandlers().size(), count);
}

TEST_F(SkinControlTest, SwitchedOffPassesEverythingAndSwitchedOnRepaintsAtOnce) {
  MakeForm();
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  // A raw push button: its handler repaints synchronously.
  HWND btn = AddRaw("BUTTON", "Raw", BS_PUSHBUTTON, 150, 10, 75, 25, 101);
  auto* h = new TSkinButton(form);
  h->InitHandle(btn, Main.get(), form->ControlCanvas(), form);
  ASSERT_EQ(h->State(), scsAttached);
  UpdateWindow(btn);
  EXPECT_EQ(WindowPixel(btn, 2, 2), FrameColour[bfNormal]);

  SendMessageA(btn, CM_SKINSWITCH, 0, 0);
  EXPECT_FALSE(h->Active());
  RedrawWindow(btn, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_NE(WindowPixel(btn, 2, 2), FrameColour[bfNormal]) << "the native button painted itself";
  SendMessageA(btn, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(h->MouseState(), 0) << "a switched-off handler does not track the mouse";

  SendMessageA(btn, CM_SKINSWITCH, 1, 0);
  EXPECT_TRUE(h->Active());
  EXPECT_EQ(WindowPixel(btn, 2, 2), FrameColour[bfNormal]) << "repainted without waiting for the loop";
  DestroyWindow(btn);
}

TEST_F(SkinControlTest, AfterNcDestroyTheStateIsSixTheColourIsBackAndTheSweepFreesIt) {
  MakeForm();
  auto* b = Add<TButton>(10, 10, 75, 25, "Go");
  b->SetColor(clAqua);
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  // A recoloring handler of our own, registered as the pass would.
  auto* panelLike = Add<TButton>(10, 50, 75, 25, "Two");
  panelLike->SetColor(clYellow);
  auto* h = new TSkinButton(panelLike);
  h->InitControl(form, Main.get(), form->ControlCanvas(), true);
  EXPECT_EQ(panelLike->Color(), Main->ColorButtonFace);
  panelLike->DestroyHandle();
  EXPECT_EQ(h->State(), scsDestroyed);
  EXPECT_EQ(panelLike->Color(), clYellow);
  h->PaintSkin(nullptr);  // draws nothing and does not fail
  const size_t before = form->ControlHandlers().size();
  form->SweepControls();
  EXPECT_EQ(form->ControlHandlers().size(), before - 1);
  EXPECT_EQ(HandlerOf(*form, panelLike), nullptr);
  EXPECT_NE(HandlerOf(*form, b), nullptr) << "only the destroyed one goes";
}

TEST_F(SkinControlTest, DestroyingAHandleHandlerPutsBackExactlyThePreviousProcedure) {
  MakeForm();
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  HWND btn = AddRaw("BUTTON", "Raw", BS_PUSHBUTTON, 150, 10, 75, 25);
  const LONG_PTR before = GetWindowLongPtrA(btn, GWLP_WNDPROC);
  auto* h = new TSkinButton(form);
  h->InitHandle(btn, Main.get(), form->ControlCanvas(), form);
  EXPECT_NE(GetWindowLongPtrA(btn, GWLP_WNDPROC), before);
  EXPECT_NE(HandlerOf(*form, nullptr), nullptr);
  delete h;
  EXPECT_TRUE(IsWindow(btn));
  EXPECT_EQ(GetWindowLongPtrA(btn, GWLP_WNDPROC), before);
  for (TSkinControl* x : form->ControlHandlers()) EXPECT_NE(x->Handle(), btn) << "unregistered";
  DestroyWindow(btn);
}

// A button handler that counts the messages it is handed.
struct TCountingButton : TSkinButton {
  TCountingButton(TComponent* owner, int& seen) : TSkinButton(owner), Seen(seen) {}
  bool BeforeProc(TMessage& m) override {
    if (m.Msg == WM_APP + 1) ++Seen;
    return TSkinButton::BeforeProc(m);
  }
  int& Seen;
};

TEST_F(SkinControlTest, AHookSetAfterTheHandlerKeepsAWorkingChainOnceTheHandlerIsGone) {
  MakeForm();
  auto* b = Add<TButton>(10, 10, 75, 25, "Go");
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  int handlerSaw = 0, controlSaw = 0, appSaw = 0;
  // Under the handler: what the control had before it was skinned.
  const TWndMethod own = b->WindowProc;
  b->WindowProc = TWndMethod([&controlSaw, own](TMessage& m) {
    if (m.Msg == WM_APP + 1) ++controlSaw;
    own(m);
  });
  auto* h = new TCountingButton(b, handlerSaw);
  h->InitControl(form, Main.get(), form->ControlCanvas(), false);
  // Over it: the application hooks the control after the skin did.
  const TWndMethod underApp = b->WindowProc;
  b->WindowProc = TWndMethod([&appSaw, underApp](TMessage& m) {
    if (m.Msg == WM_APP + 1) ++appSaw;
    underApp(m);
  });
  b->Perform(WM_APP + 1);
  EXPECT_EQ(handlerSaw, 1);
  EXPECT_EQ(controlSaw, 1);

  delete h;  // as when skinning is switched off
  b->Perform(WM_APP + 1);
  EXPECT_EQ(appSaw, 2);
  EXPECT_EQ(controlSaw, 2) << "the chain still reaches the control's own handling";
  EXPECT_EQ(handlerSaw, 1) << "and no longer the handler";
  // The closing messages take the same road.
  b->DestroyHandle();
  EXPECT_FALSE(b->HandleAllocated());
}

TEST_F(SkinControlTest, SetTextUpdatesTheCachedCaptionBeforeTheRepaint) {
  MakeForm();
  auto* b = Add<TButton>(10, 10, 75, 25, "Old");
  TSkinControl* h = ShowFormFor(b);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(h->CachedCaption(), L"Old");
  b->SetCaption("New");
  EXPECT_EQ(h->CachedCaption(), L"New");
}

TEST_F(SkinControlTest, TheSharedDrawingHelpersPaintOntoTheWindow) {
  MakeForm();
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  HWND wnd = FormObj->Handle();
  ClientDc dc(wnd);
  // An inverted rectangle draws nothing.
  const RECT area{0, 0, 40, 20};
  FillRect(dc.get(), &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  DrawSkinElement(dc.get(), RECT{30, 0, 10, 20}, 5, 2, *Main->Buttons);
  EXPECT_EQ(GetPixel(dc.get(), 20, 10), RGB(0, 0, 0));
  DrawSkinElement(dc.get(), area, 5, 2, *Main->Buttons);
  EXPECT_EQ(GetPixel(dc.get(), 20, 10), FrameColour[bfPressed]);
  // A strip frame keyed on magenta leaves what was under the key.
  TBitmap strip(4, 2, pf24bit);
  const RECT left{0, 0, 2, 2}, right{2, 0, 4, 2};
  strip.Canvas()->Brush()->SetColor(clFuchsia);
  strip.Canvas()->FillRect(left);
  strip.Canvas()->Brush()->SetColor(clBlue);
  strip.Canvas()->FillRect(right);
  FillRect(dc.get(), &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawStripFrame(dc.get(), area, 2, 1, strip);
  EXPECT_EQ(GetPixel(dc.get(), 20, 10), RGB(255, 255, 255));
  DrawStripFrame(dc.get(), area, 2, 2, strip);
  EXPECT_EQ(GetPixel(dc.get(), 20, 10), RGB(0, 0, 255));
  FillRect(dc.get(), &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawStripFrame(dc.get(), area, 0, 2, strip);
  EXPECT_EQ(GetPixel(dc.get(), 20, 10), RGB(255, 255, 255)) << "no frames, nothing drawn";
}

}  // namespace
