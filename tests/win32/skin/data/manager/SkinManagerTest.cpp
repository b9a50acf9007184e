// The skin manager on real windows: when windows get form handlers, which component they
// get, commands before and after the first activation, the hook's other notifications.
#include <stdexcept>
#include <string>
#include <vector>

#include "skin/data/MenuSkin_win.h"
#include "tests/win32/skin/data/manager/SkinTestEnv_win.h"
#include "ui/Forms.h"

namespace {
using namespace skintest;

using ManagerTest = EngineTest;

TEST_F(ManagerTest, LoadedCreatesTheManagerHooksTheThreadAndSwitchesOnAtOnce) {
  Main = LoadedComponent();
  TSkinManage& m = Manager();
  EXPECT_TRUE(m.HookInstalled());
  EXPECT_EQ(m.MainSkinData(), Main.get());
  EXPECT_TRUE(m.SkinningOn());
  EXPECT_EQ(m.StartState(), StartStateWaiting);
  EXPECT_FALSE(m.CommandTimerEnabled());
  EXPECT_EQ(SkinWindowsVersion(), GetVersion());
}

TEST_F(ManagerTest, AWindowCreatedHiddenIsSkinnedWhenFirstActivated) {
  Main = LoadedComponent();
  TWindow w(MakeWindow());
  PumpMessages(20);
  EXPECT_EQ(Handler(w.Wnd), nullptr);
  EXPECT_FALSE(AnswersSkinQuery(w.Wnd));
  Activate(w.Wnd);
  EXPECT_EQ(Manager().StartState(), StartStateRunning);
  ASSERT_NE(Handler(w.Wnd), nullptr);
  EXPECT_TRUE(AnswersSkinQuery(w.Wnd));
  EXPECT_EQ(Handler(w.Wnd)->SkinData(), Main.get());
  EXPECT_EQ(Handler(w.Wnd)->Stage(), stReady) << "the posted start message has arrived";
}

TEST_F(ManagerTest, AZeroSizeWindowWaitsForAnActivationWithASize) {
  Main = LoadedComponent();
  TWindow other(MakeWindow());
  TWindow w(MakeWindow(WS_POPUP, 0, 0));
  Activate(w.Wnd);
  EXPECT_EQ(Handler(w.Wnd), nullptr);
  EXPECT_EQ(Manager().SkinWindow(w.Wnd), TSkinWindowVerdict::ZeroSize);
  SetWindowPos(w.Wnd, nullptr, 0, 0, 120, 80, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(Handler(w.Wnd), nullptr) << "sizing alone does not skin it";
  Activate(other.Wnd);
  Activate(w.Wnd);
  EXPECT_NE(Handler(w.Wnd), nullptr);
}

TEST_F(ManagerTest, FormTag99IsNeverSkinnedAnd199Is) {
  Main = LoadedComponent();
  struct Case {
    int tag;
    bool skinned;
  };
  for (const Case c : {Case{99, false}, Case{199, true}, Case{0, true}}) {
    auto* form = new TForm(nullptr);
    form->Tag = c.tag;
    EXPECT_EQ(ActivatedHandler(*form) != nullptr, c.skinned) << "Tag " << c.tag;
    EXPECT_EQ(AnswersSkinQuery(form->Handle()), c.skinned) << "Tag " << c.tag;
    delete form;
    PumpMessages(10);
  }
  Manager().PurgeClosed();
  EXPECT_EQ(Manager().FormHandlerCount(), 0) << "handlers of destroyed windows are purged";
}

// Shows a system message box; while it runs, looks at it and closes it.
struct TMessageBoxSeen {
  bool Found = false;
  bool Query = false;
  TSkinData* Data = nullptr;
  int FrameKind = -1;
};
TMessageBoxSeen* gSeen = nullptr;

void CALLBACK LookAtMessageBox(HWND, UINT, UINT_PTR id, DWORD) {
  HWND box = FindWindowA("#32770", "Skin test box");
  if (!box) return;
  KillTimer(nullptr, id);
  gSeen->Found = true;
  gSeen->Query = AnswersSkinQuery(box);
  if (TSkinManage* m = SkinManage())
    if (auto* h = dynamic_cast<TSkinForm*>(m->FindSkinForm(box))) {
      gSeen->Data = h->SkinData();
      gSeen->FrameKind = h->FrameKind();
    }
  PostMessageA(box, WM_COMMAND, IDOK, 0);
}

TMessageBoxSeen ShowMessageBox() {
  TMessageBoxSeen seen;
  gSeen = &seen;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, LookAtMessageBox);
  MessageBoxA(nullptr, "Hello", "Skin test box", MB_OK);
  KillTimer(nullptr, timer);
  gSeen = nullptr;
  return seen;
}

TEST_F(ManagerTest, AMessageBoxUsesTheDialogComponentWhenThereIsOne) {
  Main = LoadedComponent();
  TMessageBoxSeen withMainOnly = ShowMessageBox();
  ASSERT_TRUE(withMainOnly.Found);
  EXPECT_TRUE(withMainOnly.Query);
  EXPECT_EQ(withMainOnly.Data, Main.get());
  EXPECT_EQ(withMainOnly.FrameKind, fkDialog);

  std::unique_ptr<TSkinData> dialog = LoadedComponent(sfDialog);
  TMessageBoxSeen withDialog = ShowMessageBox();
  ASSERT_TRUE(withDialog.Found);
  EXPECT_EQ(withDialog.Data, dialog.get());
  dialog.reset();
  EXPECT_EQ(Manager().Components(), std::vector<TSkinData*>{Main.get()});
}

TEST_F(ManagerTest, ActiveFalseBeforeAnyActivationSwitchesOffWithoutTheTimer) {
  Main = LoadedComponent();
  ASSERT_TRUE(Manager().SkinningOn());
  Main->SetActive(false);
  EXPECT_FALSE(Manager().SkinningOn());
  EXPECT_FALSE(Manager().CommandTimerEnabled());
  TWindow w(MakeWindow());
  Activate(w.Wnd);
  EXPECT_EQ(Handler(w.Wnd), nullptr);
  EXPECT_EQ(Manager().StartState(), StartStateRunning) << "activation still moves the start state";
}

TEST_F(ManagerTest, SwitchingOffDetachesEveryHandlerAndOnSkinsTheFormsAgain) {
  Main = LoadedComponent();
  int changed = 0;
  Main->OnSkinChanged = [&](TObject*) { ++changed; };
  auto* form = new TForm(nullptr);
  form->Show();
  SetActiveWindow(form->Handle());
  TWindow raw(MakeWindow());
  const LONG_PTR rawProc = GetWindowLongPtrA(raw.Wnd, GWLP_WNDPROC);
  Activate(raw.Wnd);
  ASSERT_EQ(Manager().FormHandlerCount(), 2);

  Main->SetActive(false);
  EXPECT_TRUE(Manager().CommandTimerEnabled());
  EXPECT_TRUE(Manager().SkinningOn()) << "the command waits for the timer";
  PumpMessages(400);
  EXPECT_FALSE(Manager().SkinningOn());
  EXPECT_EQ(Manager().FormHandlerCount(), 0);
  EXPECT_FALSE(AnswersSkinQuery(form->Handle()));
  EXPECT_FALSE(AnswersSkinQuery(raw.Wnd));
  EXPECT_EQ(GetWindowLongPtrA(raw.Wnd, GWLP_WNDPROC), rawProc);
  EXPECT_EQ(changed, 1);
  EXPECT_EQ(Manager().CommandTarget(), nullptr);

  Main->SetActive(true);
  PumpMessages(400);
  EXPECT_TRUE(Manager().SkinningOn());
  EXPECT_TRUE(AnswersSkinQuery(form->Handle())) << "visible forms are skinned again";
  EXPECT_FALSE(AnswersSkinQuery(raw.Wnd)) << "a window without a form waits for its next activation";
  EXPECT_EQ(changed, 2);
  delete form;
}

TEST_F(ManagerTest, ACommandPostedBeforeThePreviousRanReplacesIt) {
  Main = LoadedComponent();
  TWindow w(MakeWindow());
  Activate(w.Wnd);
  ASSERT_NE(Handler(w.Wnd), nullptr);
  Main->SetActive(false);
  Manager().PostCommand(scmRefresh, 100);  // the target stays the component
  PumpMessages(300);
  EXPECT_TRUE(Manager().SkinningOn());
  EXPECT_NE(Handler(w.Wnd), nullptr);
  EXPECT_FALSE(Manager().CommandTimerEnabled());
}

TEST_F(ManagerTest, WithoutATargetTheTimerKeepsRunning) {
  Main = LoadedComponent();
  TWindow w(MakeWindow());
  Activate(w.Wnd);
  Manager().SetCommandTarget(nullptr);
  Manager().PostCommand(scmDeactivate, 50);
  PumpMessages(200);
  EXPECT_TRUE(Manager().CommandTimerEnabled());
  EXPECT_TRUE(Manager().SkinningOn());
}

// An error raised in the middle of a command (here by the application's skin-or-not event
// during the activation's scan) leaves no scan running and no target behind: a scan left on
// would give child windows form handlers.
TEST_F(ManagerTest, ACommandThatRaisesEndsItsScanAndClearsItsTarget) {
  Main = LoadedComponent();
  auto* form = new TForm(nullptr);
  Activate(*form);
  Main->SetActive(false);
  Manager().ExecuteCommand();
  ASSERT_EQ(Manager().FormHandlerCount(), 0);
  Main->OnFormSkin = [](TObject*, const std::string&, bool&) { throw std::runtime_error("no"); };
  Main->SetActive(true);
  EXPECT_THROW(Manager().ExecuteCommand(), std::runtime_error);
  EXPECT_FALSE(Manager().Scanning());
  EXPECT_EQ(Manager().CommandTarget(), nullptr);
  Main->OnFormSkin = nullptr;
  TWindow child(MakeWindow(WS_CHILD | WS_VISIBLE, 80, 40, nullptr, form->Handle()));
  EXPECT_EQ(Manager().SkinWindow(child.Wnd), TSkinWindowVerdict::ChildWindow);
  delete form;
}

// A component that goes takes its handlers with it: the windows it skinned get their own
// look back, and no handler is left drawing with a freed skin. The others' handlers stay.
TEST_F(ManagerTest, RemovingAComponentDetachesTheHandlersThatUseIt) {
  Main = LoadedComponent();
  std::unique_ptr<TSkinData> dialog = LoadedComponent(sfDialog);
  TWindow plain(MakeWindow());
  TWindow box(MakeWindow(WS_OVERLAPPEDWINDOW, 260, 140, "#32770"));
  TWindow menuLike(MakeWindow(WS_POPUP, 100, 60, "#32770"));
  Activate(plain.Wnd);
  Activate(box.Wnd);
  ASSERT_NE(Handler(box.Wnd), nullptr);
  ASSERT_EQ(Handler(box.Wnd)->SkinData(), dialog.get());
  ASSERT_EQ(Handler(plain.Wnd)->SkinData(), Main.get());
  const LONG_PTR boxStyle = GetWindowLongPtrA(box.Wnd, GWL_STYLE);
  ASSERT_EQ(boxStyle & WS_CAPTION, 0) << "the skin drew the dialog's caption";
  Manager().SkinPopupMenu(menuLike.Wnd);  // a popup handler with the dialog component
  ASSERT_NE(Manager().FindPopupMenu(menuLike.Wnd), nullptr);
  ASSERT_EQ(Manager().FindPopupMenu(menuLike.Wnd)->Skin(), dialog.get());

  dialog.reset();
  EXPECT_EQ(Handler(box.Wnd), nullptr);
  EXPECT_FALSE(AnswersSkinQuery(box.Wnd));
  EXPECT_EQ(GetWindowLongPtrA(box.Wnd, GWL_STYLE) & WS_CAPTION, WS_CAPTION) << "its own caption again";
  EXPECT_EQ(Manager().FindPopupMenu(menuLike.Wnd), nullptr);
  EXPECT_FALSE(AnswersSkinQuery(menuLike.Wnd));
  EXPECT_NE(Handler(plain.Wnd), nullptr) << "the main component's handler stays";
  EXPECT_EQ(Manager().FormHandlerCount(), 1);
}

TEST_F(ManagerTest, RemovingTheMainComponentClearsMainAndTarget) {
  Main = LoadedComponent();
  Manager().SetCommandTarget(Main.get());
  Main.reset();
  EXPECT_EQ(Manager().MainSkinData(), nullptr);
  EXPECT_EQ(Manager().CommandTarget(), nullptr);
  EXPECT_TRUE(Manager().Components().empty());
}

TEST_F(ManagerTest, CreateWindowNotificationSeesTopLevelWindowsAndItsErrorsAreSwallowed) {
  Main = LoadedComponent();
  std::vector<std::string> seen;
  Main->OnCreateWindow = [&](TObject* sender, uintptr_t wnd, const std::string& cls) {
    EXPECT_EQ(sender, Main.get());
    EXPECT_NE(wnd, 0u);
    seen.push_back(cls);
    throw std::runtime_error("the application's handler failed");
  };
  TWindow top(MakeWindow());
  ASSERT_NE(top.Wnd, nullptr) << "the window is made despite the error";
  TWindow child(MakeWindow(WS_CHILD | WS_VISIBLE, 50, 20, "BUTTON", top.Wnd));
  ASSERT_NE(child.Wnd, nullptr);
  EXPECT_EQ(seen, std::vector<std::string>{"SkinTestPlain"});
}

TEST_F(ManagerTest, PopupKindIsResetWhenNoPopupHandlerIsLeft) {
  Main = LoadedComponent();
  TSkinManage& m = Manager();
  m.SetPopupKind(pmkSystem);
  { TWindow unrelated(MakeWindow()); }
  EXPECT_EQ(m.PopupKind(), pmkPopup) << "any window's destruction resets it while no popup handler is left";

  m.SetPopupKind(pmkMenuBar);
  TWindow menu(MakeWindow(WS_POPUP, 100, 60, "#32768"));
  ASSERT_NE(m.FindPopupMenu(menu.Wnd), nullptr);
  { TWindow unrelated(MakeWindow()); }
  EXPECT_EQ(m.PopupKind(), pmkMenuBar) << "a popup handler remains";
  DestroyWindow(menu.Wnd);
  EXPECT_EQ(m.PopupMenuCount(), 0);
  EXPECT_EQ(m.PopupKind(), pmkPopup);
}

TEST_F(ManagerTest, APopupHandlerGoesWithItsWindowAlsoWhenSkinningWasSwitchedOff) {
  Main = LoadedComponent();
  TSkinManage& m = Manager();
  TWindow menu(MakeWindow(WS_POPUP, 100, 60, "#32768"));
  ASSERT_EQ(m.PopupMenuCount(), 1);
  m.SetSkinningOn(false);
  DestroyWindow(menu.Wnd);
  EXPECT_EQ(m.PopupMenuCount(), 0);
  EXPECT_EQ(m.FindPopupMenu(menu.Wnd), nullptr);
}

TEST_F(ManagerTest, MenuWindowsAreGatedByTheirKind) {
  Main = LoadedComponent();
  TSkinManage& m = Manager();
  struct Case {
    TPopupMenuKind kind;
    TSkinControlTypes removed;
    bool skinned;
  };
  const Case cases[] = {{pmkPopup, 0, true},
                        {pmkPopup, SkinBit(xcPopupMenu), false},
                        {pmkSystem, 0, true},
                        {pmkSystem, SkinBit(xcSystemMenu), false},
                        {pmkMenuBar, SkinBit(xcMainMenu), false}};
  const TSkinControlTypes stored = Main->SkinControls;
  for (const Case& c : cases) {
    Main->SkinControls = stored & ~c.removed;
    m.SetPopupKind(c.kind);
    TWindow menu(MakeWindow(WS_POPUP, 100, 60, "#32768"));
    EXPECT_EQ(m.FindPopupMenu(menu.Wnd) != nullptr, c.skinned) << c.kind << " without " << c.removed;
    EXPECT_EQ(AnswersSkinQuery(menu.Wnd), c.skinned);
  }
}

bool gAnswered = false;
int gHandlers = 0;
void CALLBACK LookAtShownMenu(HWND, UINT, UINT_PTR id, DWORD) {
  HWND shown = FindWindowA("#32768", nullptr);
  if (!shown || !IsWindowVisible(shown)) return;
  gAnswered = AnswersSkinQuery(shown);
  gHandlers = SkinManage()->PopupMenuCount();
  KillTimer(nullptr, id);
  EndMenu();
}

TEST_F(ManagerTest, ARealPopupMenuGetsAHandlerWhileItShows) {
  Main = LoadedComponent();
  TWindow owner(MakeWindow());
  Activate(owner.Wnd);
  TMenuHandle menu(CreatePopupMenu());
  AppendMenuA(menu.get(), MF_STRING, 1, "One");
  AppendMenuA(menu.get(), MF_STRING, 2, "Two");
  gAnswered = false;
  gHandlers = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, LookAtShownMenu);
  TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN, 200, 200, 0, owner.Wnd, nullptr);
  KillTimer(nullptr, timer);
  PumpMessages(30);
  EXPECT_TRUE(gAnswered);
  EXPECT_EQ(gHandlers, 1);
  EXPECT_EQ(Manager().PopupMenuCount(), 0) << "released when the menu window went";
}

}  // namespace

namespace {
using namespace skintest;

TEST_F(ManagerTest, RefreshReskinsTheHandlersOfItsComponentAndTellsTheApplication) {
  Main = LoadedComponent();
  int changed = 0;
  Main->OnSkinChanged = [&](TObject* sender) {
    EXPECT_EQ(sender, Main.get());
    ++changed;
  };
  auto* form = new TForm(nullptr);
  form->SetBounds(100, 100, 320, 240);
  ASSERT_NE(ActivatedHandler(*form), nullptr);
  form->SetColor(clWindow);
  const int skinnedHeight = form->Height();  // the skinned frame's height for the client
  Manager().SetCommandTarget(Main.get());
  Manager().PostCommand(scmRefresh, 50);
  PumpMessages(250);
  EXPECT_EQ(changed, 1);
  EXPECT_EQ(Manager().CommandTarget(), nullptr);
  EXPECT_EQ(form->Color(), Main->ColorButtonFace) << "the skin's colour applied again";
  EXPECT_EQ(form->Height(), skinnedHeight) << "grown and shrunk back";
  EXPECT_EQ(Handler(form->Handle())->Stage(), stReady);
  delete form;
}

TEST_F(ManagerTest, MdiChildrenFollowTheMaximizedState) {
  Main = LoadedComponent();
  TWindow frame(MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE));
  CLIENTCREATESTRUCT ccs{};
  HWND client = CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 280,
                                160, frame.Wnd, nullptr, GetModuleHandleA(nullptr), &ccs);
  ASSERT_NE(client, nullptr);
  MDICREATESTRUCTA mcs{};
  mcs.szClass = PlainClass();
  mcs.szTitle = "Child";
  mcs.hOwner = GetModuleHandleA(nullptr);
  mcs.x = mcs.y = 0;
  mcs.cx = 150;
  mcs.cy = 100;
  mcs.style = WS_OVERLAPPEDWINDOW;
  HWND child = reinterpret_cast<HWND>(SendMessageA(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
  ASSERT_NE(child, nullptr);
  TSkinManage& m = Manager();
  m.SetSkinningOn(true);
  if (!m.FindSkinForm(child)) m.SkinWindow(child);  // an MDI child passes the child-window test
  TSkinForm* h = Handler(child);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(h->MDIKind(), mkChild);
  constexpr LONG_PTR boxes = WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

  const LONG_PTR skinnedStyle = GetWindowLongPtrA(child, GWL_STYLE);
  EXPECT_EQ(skinnedStyle & boxes, 0) << "a skinned child's native boxes are stripped";
  m.SetMDIChildMaximized(false);  // unchanged state: nothing happens
  EXPECT_EQ(GetWindowLongPtrA(child, GWL_STYLE), skinnedStyle);
  m.SetMDIChildMaximized(true);
  EXPECT_TRUE(m.MDIChildMaximized());
  EXPECT_EQ(GetWindowLongPtrA(child, GWL_STYLE) & boxes, boxes) << "native caption restored";
  h->SetWinState(wsMaximized);
  m.SetMDIChildMaximized(false);
  EXPECT_EQ(h->WinState(), wsNormal);
  EXPECT_EQ(GetWindowLongPtrA(child, GWL_STYLE) & boxes, 0)
      << "an MDI child's boxes are stripped, its caption kept";
  EXPECT_NE(GetWindowLongPtrA(child, GWL_STYLE) & WS_CAPTION, 0);
  SendMessageA(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
}

}  // namespace

namespace {
using namespace skintest;

TEST_F(ManagerTest, AnOnlyThisFormComponentSkinsItsOwnerAtOnceAndDetachesItAlone) {
  auto* form = new TForm(nullptr);
  form->Show();
  PumpMessages(20);
  // The component is read with its form, which owns it and frees it.
  TSkinData* only = LoadedComponent(sfOnlyThisForm, true, form).release();
  TSkinManage& m = Manager();
  EXPECT_FALSE(m.HookInstalled()) << "only the main component hooks the thread";
  EXPECT_TRUE(m.SkinningOn());
  EXPECT_EQ(m.StartState(), 1);
  EXPECT_EQ(m.MainSkinData(), nullptr);
  ASSERT_NE(Handler(form->Handle()), nullptr) << "skinned at once, without an activation";
  EXPECT_EQ(Handler(form->Handle())->SkinData(), only);
  EXPECT_EQ(m.FindSkinData(form->Handle()), only);

  only->SetActive(false);
  EXPECT_EQ(m.CommandTarget(), only);
  PumpMessages(400);
  EXPECT_FALSE(m.SkinningOn());
  EXPECT_EQ(m.FormHandlerCount(), 0);
  EXPECT_FALSE(AnswersSkinQuery(form->Handle()));
  delete form;
  EXPECT_TRUE(m.Components().empty()) << "the component went with its form";
}

}  // namespace
