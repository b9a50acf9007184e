// Taking over a class-library control's WindowProc, the hidden windows of our own, and the
// silent boundary of paints and the menu hook.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"
#include "ui/SysUtils.h"
#include "ui/WindowSubclass_win.h"

namespace {

constexpr UINT kProbe = WM_USER + 7;

// A form with a button whose own handling answers kProbe with 5.
struct TProbedButton {
  TForm Form{nullptr};
  TButton* Button = new TButton(&Form);
  TProbedButton() {
    Button->SetParent(&Form);
    Form.HandleNeeded();
    const TWndMethod own = Button->WindowProc;
    Button->WindowProc = TWndMethod([own](TMessage& m) {
      if (m.Msg == kProbe)
        m.Result = 5;
      else
        own(m);
    });
  }
};

TEST(WindowSubclass, AClassLibraryControlIsTakenOverAtItsWindowProcAndGivenBackExactly) {
  TProbedButton p;
  const TWndMethod before = p.Button->WindowProc;
  TWindowSubclass sub;
  int seen = 0;
  ASSERT_TRUE(sub.Install(*p.Button, TWndMethod([&](TMessage& m) {
    if (m.Msg == kProbe) ++seen;
    sub.CallOld(m);
    if (m.Msg == kProbe) m.Result += 10;
  })));
  EXPECT_FALSE(sub.Install(*p.Button, TWndMethod([](TMessage&) {}))) << "one control per subclass";
  EXPECT_EQ(sub.Control(), p.Button);
  EXPECT_EQ(p.Button->Perform(kProbe), 15) << "ours first, then the saved handling";
  EXPECT_EQ(seen, 1);
  sub.Remove();
  sub.Remove();
  EXPECT_TRUE(p.Button->WindowProc == before);
  EXPECT_EQ(p.Button->Perform(kProbe), 5);
  EXPECT_EQ(seen, 1);
  EXPECT_FALSE(sub.Installed());
}

TEST(WindowSubclass, AHookSetLaterOnTheControlKeepsItsChainWhenOursGoes) {
  TProbedButton p;
  auto sub = std::make_unique<TWindowSubclass>();
  int ours = 0;
  ASSERT_TRUE(sub->Install(*p.Button, TWndMethod([&](TMessage& m) {
    ++ours;
    sub->CallOld(m);
  })));
  const TWndMethod under = p.Button->WindowProc;
  const TWndMethod later([under](TMessage& m) {
    under(m);
    if (m.Msg == kProbe) m.Result += 100;
  });
  p.Button->WindowProc = later;
  EXPECT_EQ(p.Button->Perform(kProbe), 105);
  sub.reset();  // gone while someone else is on top
  EXPECT_TRUE(p.Button->WindowProc == later) << "their hook stays";
  const int seen = ours;
  EXPECT_EQ(p.Button->Perform(kProbe), 105) << "ours passes straight to what it saved";
  EXPECT_EQ(ours, seen) << "the freed handler is never called";
}

TEST(WindowSubclass, AControlForgottenIsNotTouchedAgain) {
  auto p = std::make_unique<TProbedButton>();
  TWindowSubclass sub;
  ASSERT_TRUE(sub.Install(*p->Button, TWndMethod([&](TMessage& m) { sub.CallOld(m); })));
  sub.ForgetControl();  // what an owner does when told the control is being freed
  EXPECT_FALSE(sub.Installed());
  EXPECT_EQ(p->Button->Perform(kProbe), 5) << "what is left of ours only passes on";
  p.reset();
  sub.Remove();  // must not reach the freed control
}

struct TErrors {
  std::vector<std::string> Messages;
  std::vector<TObject*> Senders;
  TErrors() {
    Application->OnException = [this](TObject* sender, const std::string& message) {
      Senders.push_back(sender);
      Messages.push_back(message);
    };
  }
  ~TErrors() { Application->OnException = nullptr; }
};

TEST(HiddenWindow, OurHandlerComesFirstTheRestIsTheDefaultAndErrorsAreReported) {
  TErrors errors;
  TComponent sender(nullptr);
  THiddenWindow window;
  std::vector<UINT> handled;
  THiddenWindowParams p;
  p.ClassName = "TLumettaTestHidden";
  p.Title = "hidden one";
  HWND wnd = window.Create(
      p,
      [&](UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
        if (msg != kProbe) return false;
        handled.push_back(msg);
        if (wParam == 1) throw Exception("probe failed");
        result = 77;
        return true;
      },
      &sender);
  ASSERT_NE(wnd, nullptr);
  EXPECT_EQ(window.Create(p, nullptr), wnd) << "made once";
  EXPECT_FALSE(IsWindowVisible(wnd));
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), "TLumettaTestHidden", &wc));
  EXPECT_EQ(wc.lpfnWndProc, reinterpret_cast<WNDPROC>(DefWindowProcA)) << "the class keeps the default";
  EXPECT_EQ(GetWindowLongPtrA(wnd, GWLP_WNDPROC),
            reinterpret_cast<LONG_PTR>(TWindowSubclass::SlotProc(TSubclassSlot::Own)));

  EXPECT_EQ(SendMessageA(wnd, kProbe, 0, 0), 77);
  char title[32] = {};
  EXPECT_EQ(SendMessageA(wnd, WM_GETTEXT, sizeof title, reinterpret_cast<LPARAM>(title)), 10);
  EXPECT_STREQ(title, "hidden one");
  EXPECT_EQ(SendMessageA(wnd, kProbe, 1, 0), 0) << "a failed message answers nothing";
  EXPECT_EQ(errors.Messages, std::vector<std::string>{"probe failed"});
  EXPECT_EQ(errors.Senders, std::vector<TObject*>{&sender});
  EXPECT_TRUE(IsWindow(wnd));

  window.Destroy();
  EXPECT_FALSE(IsWindow(wnd));
  EXPECT_EQ(window.Handle(), nullptr);
  EXPECT_EQ(handled.size(), 2u);
  HWND again = window.Create(p, [](UINT, WPARAM, LPARAM, LRESULT&) { return false; });
  EXPECT_NE(again, nullptr) << "made again when asked after it went";
  window.Destroy();
  UnregisterClassA("TLumettaTestHidden", GetModuleHandleA(nullptr));
}

TEST(HiddenWindow, TheApplicationWindowAnswersThroughTheSubclassAndItsErrorsAreReported) {
  HWND app = Application->Handle();
  ASSERT_NE(app, nullptr);
  EXPECT_EQ(GetWindowLongPtrA(app, GWLP_WNDPROC),
            reinterpret_cast<LONG_PTR>(TWindowSubclass::SlotProc(TSubclassSlot::Own)));
  TErrors errors;
  Application->OnMinimize = [](TObject*) { throw Exception("minimize failed"); };
  SendMessageA(app, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  Application->OnMinimize = nullptr;
  EXPECT_EQ(errors.Messages, std::vector<std::string>{"minimize failed"});
  EXPECT_EQ(errors.Senders, std::vector<TObject*>{Application});
  SendMessageA(app, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(IsIconic(app));
}

TEST(SilentCall, SwallowsWhatEscapesWithoutReportingIt) {
  TErrors errors;
  CapturedBoxes boxes;
  int ran = 0;
  EXPECT_TRUE(SilentCall([&] { ++ran; }));
  EXPECT_FALSE(SilentCall([&] {
    ++ran;
    throw Exception("paint failed");
  }));
  EXPECT_FALSE(GuardedCall(nullptr, [] { throw Exception("reported"); }));
  EXPECT_EQ(ran, 2);
  EXPECT_EQ(errors.Messages, std::vector<std::string>{"reported"}) << "only the guarded call reports";
  EXPECT_TRUE(boxes.Texts.empty());
}

}  // namespace
