// Each control handler has one owner, and the control's hook is off before the handler goes,
// whether the control goes first or its form handler does: no handler left hooked, none
// freed twice, none freed after its control's window is gone.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tests/win32/skin/controls/base/ControlTestEnv_win.h"

namespace {
using namespace controltest;

// Told when a watched handler is freed: how often, and whether its window still existed.
struct TFreeWatch : TComponent {
  TFreeWatch() : TComponent(nullptr) {}
  void Watch(TSkinControl* h) {
    Windows[h] = h->Handle();
    h->FreeNotification(this);
  }
  void Notification(TComponent* c, TOperation op) override {
    if (op != TOperation::opRemove) return;
    auto* h = static_cast<TSkinControl*>(c);
    ++Frees[h];
    WindowAtFree[h] = Windows[h] && IsWindow(Windows[h]);
  }
  std::map<TSkinControl*, HWND> Windows;
  std::map<TSkinControl*, int> Frees;
  std::map<TSkinControl*, bool> WindowAtFree;
};

struct HandlerOwnerTest : ControlTest {
  // Every listed handler of the control: its own and those of its parts' windows.
  static std::vector<TSkinControl*> HandlersOf(TSkinForm& form, TControl* c, HWND wnd) {
    std::vector<TSkinControl*> found;
    for (TSkinControl* h : form.ControlHandlers())
      if (h->BoundControl() == c || (wnd && (h->Handle() == wnd || IsChild(wnd, h->Handle()))))
        found.push_back(h);
    return found;
  }
  // The procedure of the window and of each of its descendants.
  static std::map<HWND, LONG_PTR> Procedures(HWND wnd) {
    std::map<HWND, LONG_PTR> procs;
    if (!wnd) return procs;
    procs[wnd] = GetWindowLongPtrW(wnd, GWLP_WNDPROC);
    EnumChildWindows(
        wnd,
        [](HWND child, LPARAM p) CALLBACK -> BOOL {
          (*reinterpret_cast<std::map<HWND, LONG_PTR>*>(p))[child] = GetWindowLongPtrW(child, GWLP_WNDPROC);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&procs));
    return procs;
  }
};

struct Case {
  const char* what;
  std::function<TControl*(HandlerOwnerTest&)> make;
  size_t handlers;  // the control's own and its parts'
};

const Case Cases[] = {
    {"push button", [](HandlerOwnerTest& t) { return t.Add<TButton>(10, 10, 75, 25, "Go"); }, 1},
    {"speed button", [](HandlerOwnerTest& t) { return t.Add<TSpeedButton>(10, 10, 40, 25, "S"); }, 1},
    {"edit", [](HandlerOwnerTest& t) { return t.Add<TEdit>(10, 10, 100, 21); }, 1},
    {"scroll bar", [](HandlerOwnerTest& t) { return t.Add<TScrollBar>(10, 10, 150, 17); }, 1},
    {"memo with a bar",
     [](HandlerOwnerTest& t) {
       auto* m = t.Add<TMemo>(10, 10, 150, 60);
       m->ScrollBars = ssVertical;
       m->SetLines({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"});
       return m;
     },
     1},
    {"simple combo with its list's bars",
     [](HandlerOwnerTest& t) {
       auto* c = t.Add<TComboBox>(10, 10, 150, 90);
       c->SetStyle(csSimple);
       for (const char* item : {"one", "two", "three", "four", "five", "six", "seven", "eight", "nine"})
         c->AddItem(item);
       return c;
     },
     2},
};

TEST_F(HandlerOwnerTest, AControlFreedBeforeItsFormTakesItsHandlersWithItBeforeItsWindowGoes) {
  for (const Case& k : Cases) {
    SCOPED_TRACE(k.what);
    MakeForm();
    TControl* c = k.make(*this);
    TSkinForm* form = ShowForm();
    ASSERT_NE(form, nullptr);
    auto* windowed = dynamic_cast<TWinControl*>(c);
    HWND wnd = windowed ? windowed->Handle() : nullptr;
    const std::vector<TSkinControl*> handlers = HandlersOf(*form, c, wnd);
    ASSERT_EQ(handlers.size(), k.handlers);
    TFreeWatch watch;
    for (TSkinControl* h : handlers) watch.Watch(h);

    delete c;
    for (TSkinControl* h : handlers) {
      EXPECT_EQ(watch.Frees[h], 1) << "freed at once, by its owner";
      if (watch.Windows[h]) {
        EXPECT_TRUE(watch.WindowAtFree[h]) << "before the control's window went";
      }
    }
    EXPECT_TRUE(HandlersOf(*form, c, nullptr).empty());
    form->SweepControls();
    delete FormObj;  // the form handler and its list go too
    FormObj = nullptr;
    for (TSkinControl* h : handlers) EXPECT_EQ(watch.Frees[h], 1) << "and never again";
  }
}

TEST_F(HandlerOwnerTest, AFormHandlerFreedBeforeItsControlsGivesEveryHookBackFirst) {
  for (const Case& k : Cases) {
    SCOPED_TRACE(k.what);
    if (!Main->Active()) {
      Main->SetActive(true);  // the manager switches on at its next command
      ASSERT_TRUE(PumpUntil([this] { return Manager().SkinningOn(); }, 5000));
    }
    MakeForm();
    TControl* c = k.make(*this);
    auto* windowed = dynamic_cast<TWinControl*>(c);
    HWND wnd = windowed ? windowed->Handle() : nullptr;
    const std::map<HWND, LONG_PTR> native = Procedures(wnd);
    const TWndMethod own = c->WindowProc;
    TSkinForm* form = ShowForm();
    ASSERT_NE(form, nullptr);
    const std::vector<TSkinControl*> handlers = HandlersOf(*form, c, wnd);
    ASSERT_EQ(handlers.size(), k.handlers);
    EXPECT_TRUE(!(c->WindowProc == own) || Procedures(wnd) != native) << "skinned";
    TFreeWatch watch;
    for (TSkinControl* h : handlers) watch.Watch(h);

    Main->SetActive(false);  // the manager frees its form handlers at its next command
    ASSERT_TRUE(PumpUntil([this] { return Handler(FormObj->Handle()) == nullptr; }, 5000));
    for (TSkinControl* h : handlers) EXPECT_EQ(watch.Frees[h], 1);
    EXPECT_TRUE(c->WindowProc == own) << "the control's own handling is back";
    EXPECT_EQ(Procedures(wnd), native) << "every window of it has its own procedure back";
    EXPECT_EQ(c->ComponentCount(), 0) << "nothing of ours left among its components";
    c->Perform(WM_APP + 1);  // reaches nothing of ours
    delete c;
    for (TSkinControl* h : handlers) EXPECT_EQ(watch.Frees[h], 1) << "the control frees none of them";
    delete FormObj;
    FormObj = nullptr;
  }
}

// Whoever holds AttachHandler's answer is the handler's one owner: neither the control nor
// the form handler frees it, whichever of the two goes first.
TEST_F(HandlerOwnerTest, TheHolderOfTheAnswerIsTheOnlyOwner) {
  for (bool controlFirst : {false, true}) {
    SCOPED_TRACE(controlFirst ? "control first" : "holder first");
    MakeForm();
    TSkinForm* form = ShowForm();
    ASSERT_NE(form, nullptr);
    auto* b = Add<TButton>(10, 10, 75, 25, "Late");  // after the pass: not offered
    const TWndMethod own = b->WindowProc;
    TAttachPlace place;
    place.How = TSkinAttach::Control;
    place.Control = b;
    std::unique_ptr<TSkinControl> h = AttachHandler(TSkinHandlerKind::Button, form, place);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->State(), scsAttached);
    EXPECT_FALSE(b->WindowProc == own);
    TFreeWatch watch;
    watch.Watch(h.get());
    TSkinControl* raw = h.get();
    if (controlFirst) {
      delete b;
      EXPECT_EQ(watch.Frees[raw], 0) << "the control did not free it";
      EXPECT_EQ(h->Control(), nullptr) << "it forgot the control";
      h.reset();
    } else {
      h.reset();
      EXPECT_TRUE(b->WindowProc == own) << "the holder's free gave the hook back";
      delete b;
    }
    EXPECT_EQ(watch.Frees[raw], 1);
    for (TSkinControl* x : form->ControlHandlers()) EXPECT_NE(x, raw) << "out of the form handler's list";
    delete FormObj;
    FormObj = nullptr;
  }
}

// A handler that takes nothing is freed by the attach itself, not left to anyone.
TEST_F(HandlerOwnerTest, AHandlerThatTakesNothingIsNotAnswered) {
  MakeForm();
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  TAttachPlace place;  // a raw window that is not there
  const size_t before = form->ControlHandlers().size();
  EXPECT_EQ(AttachHandler(TSkinHandlerKind::Button, form, place), nullptr);
  place.How = TSkinAttach::ScControl;  // a button is no scroll-bar control
  place.Control = Add<TButton>(10, 10, 75, 25, "B");
  EXPECT_EQ(AttachHandler(TSkinHandlerKind::Scrollbar, form, place), nullptr);
  EXPECT_EQ(form->ControlHandlers().size(), before);
  EXPECT_EQ(place.Control->ComponentCount(), 0) << "nothing left among the control's components";
}

}  // namespace
