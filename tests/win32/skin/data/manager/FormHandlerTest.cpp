// The form handler on real windows: what attaching finds and changes, the three dispatch
// stages, detaching back to exactly what was there, and the subclass and exception
// boundary every handler stands on.
#include "tests/win32/skin/data/manager/SkinTestEnv_win.h"
#include "ui/Forms.h"
#include "ui/SysUtils.h"

namespace {
using namespace skintest;

using FormHandlerTest = EngineTest;

TEST_F(FormHandlerTest, TheSkinQueryIsAnsweredAndNoSecondHandlerIsMade) {
  Main = LoadedComponent();
  TWindow w(MakeWindow());
  Activate(w.Wnd);
  ASSERT_NE(Handler(w.Wnd), nullptr);
  EXPECT_EQ(SendMessageA(w.Wnd, CM_SKINQUERY, 0, 0), 1);
  EXPECT_EQ(Manager().SkinWindow(w.Wnd), TSkinWindowVerdict::AlreadySkinned);
  EXPECT_EQ(Manager().FormHandlerCount(), 1);
}

TEST_F(FormHandlerTest, AttachingReadsTheWindowAndDetachingPutsBackTheExactProcedures) {
  Main = LoadedComponent();
  auto* form = new TForm(nullptr);
  form->SetBorderStyle(bsSizeable);
  form->SetClientSize(300, 200);
  form->SetColor(clWindow);
  form->AutoScroll = true;
  HWND wnd = form->Handle();
  const LONG_PTR proc = GetWindowLongPtrA(wnd, GWLP_WNDPROC);
  const TWndMethod windowProc = form->WindowProc;
  const LONG_PTR style = GetWindowLongPtrA(wnd, GWL_STYLE);
  RECT client{};
  GetClientRect(wnd, &client);
  form->Show();
  SetActiveWindow(wnd);
  PumpMessages(30);

  TSkinForm* h = Handler(wnd);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(h->Form(), form);
  EXPECT_TRUE(h->FrameSkinned());
  EXPECT_EQ(h->FrameKind(), fkSizeable);
  EXPECT_EQ(h->IconFlags() & (IconSysMenu | IconMinBox | IconMaxBox), IconSysMenu | IconMinBox | IconMaxBox);
  EXPECT_EQ(h->MDIKind(), mkPlain);
  EXPECT_EQ(h->Stage(), stReady);
  EXPECT_TRUE(h->HoverTimerEnabled());
  EXPECT_FALSE(form->AutoScroll);
  EXPECT_EQ(form->Color(), Main->ColorButtonFace);
  EXPECT_NE(GetWindowLongPtrA(wnd, GWLP_WNDPROC), proc);
  EXPECT_FALSE(form->WindowProc == windowProc);

  h->DetachSkin();
  EXPECT_EQ(GetWindowLongPtrA(wnd, GWLP_WNDPROC), proc);
  EXPECT_TRUE(form->WindowProc == windowProc);
  EXPECT_EQ(form->Color(), clWindow);
  EXPECT_EQ(GetWindowLongPtrA(wnd, GWL_STYLE) & ~WS_VISIBLE, style & ~WS_VISIBLE);
  RECT after{};
  GetClientRect(wnd, &after);
  EXPECT_EQ(after.right, client.right);
  EXPECT_EQ(after.bottom, client.bottom);
  EXPECT_FALSE(AnswersSkinQuery(wnd));
  EXPECT_FALSE(h->HoverTimerEnabled());
  delete form;
}

TEST_F(FormHandlerTest, SettingTheCaptionGoesThroughTheHookedWindowProc) {
  Main = LoadedComponent();
  auto* form = new TForm(nullptr);
  int seen = 0;
  ASSERT_NE(ActivatedHandler(*form), nullptr);
  // The form's handler stays callable under the hook: the caption really changes.
  TWndMethod hooked = form->WindowProc;
  form->WindowProc = [&](TMessage& m) {
    if (m.Msg == WM_SETTEXT) ++seen;
    hooked(m);
  };
  form->SetCaption("New caption");
  char text[64] = {};
  GetWindowTextA(form->Handle(), text, 64);
  EXPECT_STREQ(text, "New caption");
  EXPECT_EQ(seen, 1);
  form->WindowProc = hooked;
  delete form;
}

TEST_F(FormHandlerTest, ASkinWithoutMainMenuKeepsTheNativeFrame) {
  Main = LoadedComponent();
  Main->SkinControls &= ~SkinBit(xcMainMenu);
  TWindow w(MakeWindow());
  const LONG_PTR style = GetWindowLongPtrA(w.Wnd, GWL_STYLE);
  RECT before{};
  GetWindowRect(w.Wnd, &before);
  TSkinForm* h = ActivatedHandler(w.Wnd);
  ASSERT_NE(h, nullptr);
  EXPECT_FALSE(h->FrameSkinned());
  EXPECT_EQ(GetWindowLongPtrA(w.Wnd, GWL_STYLE) & WS_CAPTION, style & WS_CAPTION);
  RECT after{};
  GetWindowRect(w.Wnd, &after);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
  // Stage 1 only: activation is not recorded by stage 2.
  SendMessageA(w.Wnd, WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_TRUE(h->Active());
}

TEST_F(FormHandlerTest, AChildWindowGetsOnlyTheFirstStage) {
  Main = LoadedComponent();
  Manager().SetSkinningOn(false);  // the handlers here are made by hand, not on activation
  TWindow top(MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE));
  TWindow child(MakeWindow(WS_CHILD | WS_VISIBLE, 100, 50, nullptr, top.Wnd));
  struct Case {
    HWND wnd;
    bool recordsActivation;
  };
  for (const Case c : {Case{top.Wnd, true}, Case{child.Wnd, false}}) {
    TSkinForm h(Manager(), nullptr, c.wnd);
    h.AttachToWindow(Main.get());
    ASSERT_TRUE(h.Attached());
    EXPECT_EQ(SendMessageA(c.wnd, CM_SKINQUERY, 0, 0), 1);
    SendMessageA(c.wnd, WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(h.Active(), !c.recordsActivation) << (c.wnd == top.Wnd ? "top-level" : "child");
    SendMessageA(c.wnd, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_TRUE(h.Active());
    h.DetachSkin();
  }
}

TEST_F(FormHandlerTest, AStandardDialogIsADialogFrameWhateverItsStyle) {
  Main = LoadedComponent();
  struct Case {
    const char* cls;
    DWORD style;
    int kind;
  };
  const Case cases[] = {{"#32770", WS_OVERLAPPEDWINDOW, fkDialog},
                        {"#32770", WS_POPUP, fkDialog},
                        {nullptr, WS_OVERLAPPEDWINDOW, fkSizeable},
                        {nullptr, WS_POPUP, fkNone},
                        {nullptr, WS_CAPTION | WS_SYSMENU, fkSingle}};
  for (const Case& c : cases) {
    TWindow w(MakeWindow(c.style, 200, 100, c.cls));
    ASSERT_NE(w.Wnd, nullptr);
    TSkinForm h(Manager(), nullptr, w.Wnd);
    h.AttachToWindow(Main.get());
    EXPECT_EQ(h.FrameKind(), c.kind) << (c.cls ? c.cls : "plain") << " " << std::hex << c.style;
    EXPECT_EQ(h.StandardDialog(), c.cls != nullptr);
  }
}

TEST_F(FormHandlerTest, ADestroyedWindowLeavesItsHandlerForThePurge) {
  Main = LoadedComponent();
  HWND wnd = MakeWindow();
  Activate(wnd);
  ISkinFormHandler* h = Manager().FindSkinForm(wnd);
  ASSERT_NE(h, nullptr);
  DestroyWindow(wnd);
  EXPECT_EQ(h->Stage(), stDestroyed);
  EXPECT_EQ(Manager().FormHandlerCount(), 1);
  Manager().PurgeClosed();
  EXPECT_EQ(Manager().FormHandlerCount(), 0);
}

// Someone subclassed the window after the skin did; once the skin lets go, its procedure
// stays in their chain as a pass-through, so the window cannot be taken over again. Such a
// refusal leaves the window exactly as it was (its title bar above all) and lists nothing,
// rather than stripping the caption of a window that then stays unskinned.
WNDPROC gChainedAfterSkin = nullptr;
LRESULT CALLBACK ChainedAfterSkin(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  return CallWindowProcA(gChainedAfterSkin, wnd, msg, w, l);
}

TEST_F(FormHandlerTest, AWindowThatRefusesTheSubclassIsLeftAsItWas) {
  Main = LoadedComponent();
  TWindow w(MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE));
  Activate(w.Wnd);
  ASSERT_NE(Handler(w.Wnd), nullptr);
  gChainedAfterSkin = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(w.Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ChainedAfterSkin)));
  Manager().SetCommandTarget(Main.get());
  Manager().PostCommand(scmDeactivate, 250);
  Manager().ExecuteCommand();
  ASSERT_EQ(Manager().FormHandlerCount(), 0);
  const LONG_PTR style = GetWindowLongPtrA(w.Wnd, GWL_STYLE);
  ASSERT_EQ(style & WS_CAPTION, WS_CAPTION);
  RECT before{};
  GetWindowRect(w.Wnd, &before);

  Manager().SetSkinningOn(true);
  EXPECT_EQ(Manager().SkinWindow(w.Wnd), TSkinWindowVerdict::NotAttached);
  EXPECT_EQ(Manager().FormHandlerCount(), 0) << "nothing listed: the next activation may try again";
  EXPECT_EQ(GetWindowLongPtrA(w.Wnd, GWL_STYLE), style) << "the caption and boxes stay";
  RECT after{};
  GetWindowRect(w.Wnd, &after);
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_FALSE(AnswersSkinQuery(w.Wnd));
  PumpMessages(60);  // no start message is waiting for it
  EXPECT_EQ(GetWindowLongPtrA(w.Wnd, GWL_STYLE), style);
  SetWindowLongPtrA(w.Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gChainedAfterSkin));
}

TEST_F(FormHandlerTest, AForeignDialogGetsTheSkinBackgroundForItsStatics) {
  Main = LoadedComponent();
  ASSERT_NE(Main->ButtonFaceBrush, 0u);
  Manager().SetSkinningOn(false);  // the handler here is made by hand, not on activation
  TWindow w(MakeWindow(WS_OVERLAPPEDWINDOW, 200, 100, "#32770"));
  SetWindowPos(w.Wnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
  TSkinForm h(Manager(), nullptr, w.Wnd);
  h.AttachToWindow(Main.get());
  ASSERT_TRUE(h.Attached());
  ClientDc dc(w.Wnd);
  SetBkMode(dc.get(), OPAQUE);
  const LRESULT brush = SendMessageA(w.Wnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()), 0);
  EXPECT_EQ(static_cast<uintptr_t>(brush), Main->ButtonFaceBrush);
  EXPECT_EQ(GetBkMode(dc.get()), TRANSPARENT);
  EXPECT_EQ(SendMessageA(w.Wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.get()), 0), 1);
  EXPECT_EQ(GetPixel(dc.get(), 10, 10), ColorToRGB(Main->ColorButtonFace)) << "read back from the window";
  h.DetachSkin();
}

TEST_F(FormHandlerTest, InitMenuPopupTellsTheManagerWhichMenuOpens) {
  Main = LoadedComponent();
  TWindow w(MakeWindow());
  Activate(w.Wnd);
  ASSERT_NE(Handler(w.Wnd), nullptr);
  TMenuHandle other(CreatePopupMenu());
  SendMessageA(w.Wnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(other.get()), 0);
  EXPECT_EQ(Manager().PopupKind(), pmkMenuBar);
  SendMessageA(w.Wnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSystemMenu(w.Wnd, FALSE)), 0);
  EXPECT_EQ(Manager().PopupKind(), pmkSystem);
}

TEST_F(FormHandlerTest, AnMdiFrameSubclassesItsClientUntilDetached) {
  Main = LoadedComponent();
  TWindow frame(MakeWindow(WS_OVERLAPPEDWINDOW));
  CLIENTCREATESTRUCT ccs{};
  HWND client = CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 200,
                                100, frame.Wnd, nullptr, GetModuleHandleA(nullptr), &ccs);
  ASSERT_NE(client, nullptr);
  const LONG_PTR clientProc = GetWindowLongPtrA(client, GWLP_WNDPROC);
  TSkinForm h(Manager(), nullptr, frame.Wnd);
  h.AttachToWindow(Main.get());
  EXPECT_EQ(h.MDIKind(), mkFrame);
  EXPECT_EQ(h.MDIClientWindow(), client);
  EXPECT_EQ(Manager().MDIClient, client);
  EXPECT_NE(GetWindowLongPtrA(client, GWLP_WNDPROC), clientProc);
  EXPECT_FALSE(h.IsChildMaximized());
  h.DetachSkin();
  EXPECT_EQ(GetWindowLongPtrA(client, GWLP_WNDPROC), clientProc);
}

// ---- the subclass and the exception boundary ----

struct TCounting : ISubclassTarget {
  TWindowSubclass* Sub = nullptr;
  int Seen = 0;
  bool Throw = false;
  LRESULT SubclassProc(UINT msg, WPARAM w, LPARAM l) override {
    if (msg == WM_USER + 1) {
      ++Seen;
      if (Throw) throw Exception("handler failed");
      return 41 + Sub->CallOld(msg, w, l);
    }
    return Sub->CallOld(msg, w, l);
  }
};

LRESULT CALLBACK AnswerOne(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  return msg == WM_USER + 1 ? 1 : DefWindowProcA(wnd, msg, w, l);
}

WNDPROC gUnder = nullptr;
LRESULT CALLBACK LaterSubclass(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  return CallWindowProcA(gUnder, wnd, msg, w, l) + (msg == WM_USER + 1 ? 100 : 0);
}

TEST(WindowSubclass, InstallsCallsTheOldProcedureAndRestoresExactly) {
  TWindow w(MakeWindow());
  SetWindowLongPtrA(w.Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AnswerOne));
  TCounting target;
  TWindowSubclass sub;
  target.Sub = &sub;
  for (bool wide : {false, true}) {
    ASSERT_TRUE(sub.Install(w.Wnd, TSubclassSlot::Form, target, wide));
    EXPECT_FALSE(sub.Install(w.Wnd, TSubclassSlot::Form, target, wide)) << "one per slot";
    EXPECT_EQ(sub.Wide(), wide);
    EXPECT_EQ(SendMessageA(w.Wnd, WM_USER + 1, 0, 0), 42);
    sub.Remove();
    sub.Remove();
    EXPECT_EQ(GetWindowLongPtrA(w.Wnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(AnswerOne));
    EXPECT_EQ(SendMessageA(w.Wnd, WM_USER + 1, 0, 0), 1);
  }
  EXPECT_EQ(target.Seen, 2);
}

TEST(WindowSubclass, ASubclassAddedLaterKeepsWorkingAfterOursIsRemoved) {
  TWindow w(MakeWindow());
  SetWindowLongPtrA(w.Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AnswerOne));
  TCounting target;
  auto sub = std::make_unique<TWindowSubclass>();
  target.Sub = sub.get();
  ASSERT_TRUE(sub->Install(w.Wnd, TSubclassSlot::Control, target, false));
  gUnder = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(w.Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LaterSubclass)));
  EXPECT_EQ(SendMessageA(w.Wnd, WM_USER + 1, 0, 0), 142);
  sub.reset();
  EXPECT_EQ(GetWindowLongPtrA(w.Wnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(LaterSubclass));
  EXPECT_EQ(SendMessageA(w.Wnd, WM_USER + 1, 0, 0), 101) << "ours passes through to the saved procedure";
  EXPECT_EQ(target.Seen, 1);
}

TEST(WindowSubclass, AnEscapingExceptionGoesToTheApplicationsHandler) {
  TWindow w(MakeWindow());
  TCounting target;
  target.Throw = true;
  TWindowSubclass sub;
  target.Sub = &sub;
  ASSERT_TRUE(sub.Install(w.Wnd, TSubclassSlot::Form, target, false));
  std::string reported;
  Application->OnException = [&](TObject*, const std::string& message) { reported = message; };
  EXPECT_EQ(SendMessageA(w.Wnd, WM_USER + 1, 0, 0), 0);
  Application->OnException = nullptr;
  EXPECT_EQ(reported, "handler failed");
  EXPECT_EQ(target.Seen, 1);
  EXPECT_TRUE(IsWindow(w.Wnd));
}

}  // namespace
