#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "support/Controls_win.h"
#include "ui/Buttons.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

namespace {
// A form built like the program's forms: components made while loading, then Loaded.
class TTestForm : public TForm {
 public:
  explicit TTestForm(TComponent* owner) : TForm(owner) {
    BeginLoading();
    SetBounds(100, 100, 300, 200);
    Label = new TLabel(this);
    Label->SetParent(this);
    Label->SetAutoSize(false);
    Label->SetBounds(10, 10, 80, 20);
    Label->SetCaption("Label");
    Button = NewControl<TButton>(this, this, 10, 100, 75, 25);
    Button->SetCaption("OK");
    EndLoading();
  }
  TLabel* Label;
  TButton* Button;
};

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}
}  // namespace

TEST(WindowProc, SwapAndExactRestore) {
  TTestForm form(nullptr);
  TButton* b = form.Button;
  std::vector<UINT> seen;
  const TWndMethod saved = b->WindowProc;
  b->WindowProc = [&seen, saved](TMessage& m) {
    if (m.Msg == WM_SETTEXT || m.Msg == CM_ENABLEDCHANGED) seen.push_back(m.Msg);
    saved(m);
  };
  EXPECT_FALSE(b->WindowProc == saved);
  // Both routes reach the installed handler: Perform, and messages sent to the real window.
  b->SetEnabled(false);
  SendMessageA(b->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Go"));
  EXPECT_EQ(seen, (std::vector<UINT>{CM_ENABLEDCHANGED, WM_SETTEXT}));
  EXPECT_EQ(b->Caption(), "Go");  // the saved handler still did the work
  EXPECT_FALSE(IsWindowEnabled(b->Handle()));

  b->WindowProc = saved;
  EXPECT_TRUE(b->WindowProc == saved);
  SendMessageA(b->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Again"));
  EXPECT_EQ(seen.size(), 2u);
  EXPECT_EQ(b->Caption(), "Again");
}

TEST(Controls, WindowedControlsCreateTheirWindowOnDemandUnderTheParent) {
  TTestForm form(nullptr);
  EXPECT_FALSE(form.HandleAllocated());
  HWND button = form.Button->Handle();
  ASSERT_TRUE(button);
  EXPECT_EQ(GetParent(button), form.Handle());
  EXPECT_EQ(TWinControl::FindControl(button), form.Button);
  // Exactly one window per windowed control, however the first handle was asked for.
  int children = 0;
  EnumChildWindows(form.Handle(), CountWindow, reinterpret_cast<LPARAM>(&children));
  EXPECT_EQ(children, 1);
  char cls[64];
  GetClassNameA(button, cls, sizeof cls);
  EXPECT_STREQ(cls, "TButton");
  EXPECT_EQ(form.ComponentState & csLoading, 0u);
  EXPECT_EQ(form.Label->ComponentState & csLoading, 0u);

  // Creation parameters: a form with a desktop parent and extra extended styles.
  class TTopForm : public TForm {
   public:
    using TForm::TForm;

   protected:
    void CreateParams(TCreateParams& p) override {
      TForm::CreateParams(p);
      p.WndParent = GetDesktopWindow();
      p.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    }
  };
  TTopForm top(nullptr);
  top.SetBorderStyle(bsNone);
  const LONG ex = GetWindowLongA(top.Handle(), GWL_EXSTYLE);
  EXPECT_EQ(ex & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW), WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
  EXPECT_EQ(GetWindowLongA(top.Handle(), GWL_STYLE) & WS_CAPTION, 0);
}

TEST(Controls, ClientSizeBeforeTheWindowExistsIsTheWindowsClientSize) {
  for (TFormBorderStyle style : {bsNone, bsSingle, bsSizeable, bsDialog}) {
    TForm form(nullptr);
    form.SetBorderStyle(style);
    form.SetClientSize(149, 192);
    RECT r;
    GetClientRect(form.Handle(), &r);
    EXPECT_EQ(r.right, 149) << style;
    EXPECT_EQ(r.bottom, 192) << style;
  }
}

TEST(Controls, CnCommandReachesTheButtonAndClicksIt) {
  TTestForm form(nullptr);
  int clicks = 0;
  int reflected = 0;
  form.Button->OnClick = [&](TObject* sender) {
    EXPECT_EQ(sender, form.Button);
    ++clicks;
  };
  const TWndMethod saved = form.Button->WindowProc;
  form.Button->WindowProc = [&, saved](TMessage& m) {
    if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == BN_CLICKED) ++reflected;
    saved(m);
  };
  SendMessageA(form.Button->Handle(), BM_CLICK, 0, 0);  // the native button tells its parent
  EXPECT_EQ(reflected, 1);
  EXPECT_EQ(clicks, 1);
  form.Button->WindowProc = saved;
}

TEST(Controls, EnterClicksTheDefaultButton) {
  TTestForm form(nullptr);
  int clicks = 0;
  form.Button->OnClick = [&](TObject*) { ++clicks; };
  PostMessageA(form.Handle(), WM_KEYDOWN, VK_RETURN, 0);
  Application->ProcessMessages();
  EXPECT_EQ(clicks, 0);  // not the default button yet
  form.Button->SetDefault(true);
  EXPECT_TRUE(GetWindowLongA(form.Button->Handle(), GWL_STYLE) & BS_DEFPUSHBUTTON);
  PostMessageA(form.Handle(), WM_KEYDOWN, VK_RETURN, 0);
  Application->ProcessMessages();
  EXPECT_EQ(clicks, 1);
}

TEST(Controls, MouseEnterAndLeaveReachAWindowlessControlAsTheMouseCrossesIt) {
  TTestForm form(nullptr);
  std::vector<std::string> events;
  form.Label->OnMouseEnter = [&](TObject*) { events.push_back("label enter"); };
  form.Label->OnMouseLeave = [&](TObject*) { events.push_back("label leave"); };
  int moves = 0;
  form.OnMouseMove = [&](TObject*, TShiftState, int, int) { ++moves; };
  std::vector<UINT> labelMessages;
  const TWndMethod saved = form.Label->WindowProc;
  form.Label->WindowProc = [&, saved](TMessage& m) {
    labelMessages.push_back(m.Msg);
    saved(m);
  };
  HWND wnd = form.Handle();
  SendMessageA(wnd, WM_MOUSEMOVE, 0, At(200, 60));  // on the form
  SendMessageA(wnd, WM_MOUSEMOVE, 0, At(20, 15));   // onto the label
  EXPECT_TRUE(form.Label->MouseInControl());
  SendMessageA(wnd, WM_MOUSEMOVE, 0, At(30, 18));   // still on it
  SendMessageA(wnd, WM_MOUSEMOVE, 0, At(200, 60));  // off again
  EXPECT_EQ(events, (std::vector<std::string>{"label enter", "label leave"}));
  EXPECT_FALSE(form.Label->MouseInControl());
  EXPECT_EQ(moves, 2);  // moves over the label went to the label, not the form
  const std::vector<UINT> expected{CM_MOUSEENTER, WM_MOUSEMOVE, WM_MOUSEMOVE, CM_MOUSELEAVE};
  std::vector<UINT> got;
  for (UINT m : labelMessages)
    if (m == CM_MOUSEENTER || m == CM_MOUSELEAVE || m == WM_MOUSEMOVE) got.push_back(m);
  EXPECT_EQ(got, expected);
  form.Label->WindowProc = saved;
}

TEST(Controls, WindowlessControlsGetClicksInTheirOwnCoordinates) {
  TTestForm form(nullptr);
  auto* speed = NewControl<TSpeedButton>(&form, &form, 150, 20, 60, 22);
  int clicks = 0;
  int downX = -1, downY = -1;
  speed->OnClick = [&](TObject*) { ++clicks; };
  speed->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
    downX = x;
    downY = y;
  };
  HWND wnd = form.Handle();
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, At(155, 25));
  EXPECT_TRUE(speed->Pressed());
  SendMessageA(wnd, WM_LBUTTONUP, 0, At(156, 26));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(downX, 5);
  EXPECT_EQ(downY, 5);
  // Pressed on the button, released elsewhere: no click.
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, At(155, 25));
  SendMessageA(wnd, WM_LBUTTONUP, 0, At(5, 190));
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(speed->Pressed());
}

TEST(Controls, PublishedPropertiesOfControlsByName) {
  TTestForm form(nullptr);
  form.Button->Tag = 55;
  EXPECT_EQ(GetIntProperty(form.Button, "Tag"), 55);
  EXPECT_EQ(GetEnumProperty(form.Button, "Default"), "False");
  EXPECT_EQ(GetTextProperty(form.Button, "Caption"), L"OK");
  EXPECT_EQ(GetObjectProperty<TFont>(form.Label, "Font"), form.Label->Font());
  EXPECT_EQ(GetObjectProperty<TBitmap>(form.Label, "Glyph"), nullptr);
  EXPECT_TRUE(SetPropertyText(form.Label, "wordwrap", "true"));
  EXPECT_TRUE(form.Label->WordWrap());
  EXPECT_TRUE(SetPropertyText(form.Button, "Left", "33"));
  EXPECT_EQ(form.Button->Left(), 33);
  EXPECT_EQ(GetTextProperty(form.Button, "Missing"), L"");
  EXPECT_EQ(form.Button->ClassName(), "TButton");
  EXPECT_TRUE(form.Button->InheritsFrom(TWinControl::StaticClass()));
}

TEST(Timer, FiresAtItsIntervalAndStopsWhenDisabled) {
  TTimer timer(nullptr);
  int ticks = 0;
  timer.OnTimer = [&](TObject* sender) {
    EXPECT_EQ(sender, &timer);
    if (++ticks == 3) timer.SetEnabled(false);
  };
  timer.SetInterval(10);
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));
  EXPECT_FALSE(timer.Running());
  PumpUntil([] { return false; }, 120);
  EXPECT_EQ(ticks, 3);
  timer.SetEnabled(true);
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 4; }));
  timer.SetInterval(0);  // an interval of 0 stops it too
  EXPECT_FALSE(timer.Running());
}
