#include <gtest/gtest.h>

#include <vector>

#include "UiTestSupport.h"
#include "support/Controls_win.h"
#include "support/MenuItems_win.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"

namespace {
// Records the class-library messages a control's WindowProc sees, passing them on.
class Recorder {
 public:
  Recorder(TControl& c, std::vector<UINT> wanted) : FControl(c), FWanted(std::move(wanted)) {
    FSaved = c.WindowProc;
    c.WindowProc = [this](TMessage& m) {
      for (UINT w : FWanted)
        if (m.Msg == w) Seen.push_back(m.Msg);
      FSaved(m);
    };
  }
  ~Recorder() { FControl.WindowProc = FSaved; }
  std::vector<UINT> Seen;

 private:
  TControl& FControl;
  std::vector<UINT> FWanted;
  TWndMethod FSaved;
};

struct TwoButtons : TForm {
  TwoButtons() : TForm(nullptr) {
    SetBounds(0, 0, 200, 100);
    First = NewControl<TButton>(this, this, 0, 0, 80, 24);
    Second = NewControl<TButton>(this, this, 100, 0, 80, 24);
  }
  TButton* First;
  TButton* Second;
};
}  // namespace

TEST(Notifications, EnabledChangedAndExitAreSentWhenTheirNamesSay) {
  TwoButtons form;
  Recorder first(*form.First, {CM_ENABLEDCHANGED, CM_EXIT});
  form.First->SetEnabled(true);  // no change: nothing sent
  EXPECT_TRUE(first.Seen.empty());
  form.First->SetEnabled(false);
  form.First->SetEnabled(true);
  EXPECT_EQ(first.Seen, (std::vector<UINT>{CM_ENABLEDCHANGED, CM_ENABLEDCHANGED}));

  first.Seen.clear();
  form.First->SetFocus();
  form.Second->SetFocus();  // focus leaves the first button
  EXPECT_EQ(first.Seen, std::vector<UINT>{CM_EXIT});
}

TEST(Notifications, ChildNotificationsAreReflectedToTheChild) {
  TwoButtons form;
  Recorder second(*form.Second, {CN_NOTIFY, CN_CTLCOLORBTN, CN_DRAWITEM, CN_COMMAND});
  Recorder first(*form.First, {CN_NOTIFY, CN_CTLCOLORBTN, CN_DRAWITEM, CN_COMMAND});
  HWND wnd = form.Handle();
  HWND child = form.Second->Handle();

  NMHDR hdr{child, 0, static_cast<UINT>(-12) /* NM_CUSTOMDRAW */};
  SendMessageA(wnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&hdr));
  HDC dc = GetDC(child);
  const LRESULT brush =
      SendMessageA(wnd, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(child));
  ReleaseDC(child, dc);
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_BUTTON;
  dis.hwndItem = child;
  SendMessageA(wnd, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
  SendMessageA(wnd, WM_COMMAND, MAKEWPARAM(0, BN_SETFOCUS), reinterpret_cast<LPARAM>(child));

  EXPECT_EQ(second.Seen, (std::vector<UINT>{CN_NOTIFY, CN_CTLCOLORBTN, CN_DRAWITEM, CN_COMMAND}));
  EXPECT_TRUE(first.Seen.empty());  // only the sender hears of it
  EXPECT_NE(brush, 0);              // the child's answer is the parent's answer
}

TEST(Notifications, AltLetterReachesTheFormAsDialogChar) {
  TwoButtons form;
  WPARAM got = 0;
  const TWndMethod saved = form.WindowProc;
  bool take = false;
  form.WindowProc = [&](TMessage& m) {
    if (m.Msg == CM_DIALOGCHAR) {
      got = m.WParam;
      m.Result = take ? 1 : 0;
      return;
    }
    saved(m);
  };
  Recorder button(*form.First, {WM_SYSCOMMAND});
  take = true;
  SendMessageA(form.First->Handle(), WM_SYSCHAR, 'f', 1 << 29);
  EXPECT_EQ(got, static_cast<WPARAM>('f'));
  EXPECT_TRUE(button.Seen.empty());  // taken: the system's menu handling never starts
  form.WindowProc = saved;
}

TEST(Notifications, FreedMenusAndControlsAreForgottenByThoseThatPointAtThem) {
  TwoButtons form;
  auto* popup = new TPopupMenu(&form);
  form.First->SetPopupMenu(popup);
  form.SetActiveControl(form.Second);
  TMainMenu* menu = GiveMenuBar(form, "File");
  HWND wnd = form.Handle();
  ASSERT_EQ(GetMenu(wnd), menu->Handle());

  delete popup;
  EXPECT_EQ(form.First->PopupMenu(), nullptr);
  delete form.Second;
  EXPECT_EQ(form.ActiveControl(), nullptr);
  EXPECT_EQ(form.ControlCount(), 1);
  delete menu;
  EXPECT_EQ(form.Menu(), nullptr);
  EXPECT_EQ(GetMenu(wnd), nullptr);
}

TEST(Forms, BorderAndFormStylesBecomeWindowStyles) {
  struct Case {
    TFormBorderStyle border;
    TFormStyle style;
    DWORD has, hasNot, exHas;
  };
  const Case cases[] = {
      {bsNone, fsNormal, WS_POPUP, WS_CAPTION | WS_THICKFRAME, 0},
      {bsSingle, fsNormal, WS_CAPTION | WS_SYSMENU, WS_THICKFRAME, 0},
      {bsSizeable, fsNormal, WS_CAPTION | WS_THICKFRAME, 0, 0},
      {bsDialog, fsNormal, WS_CAPTION | DS_MODALFRAME, WS_THICKFRAME | WS_MINIMIZEBOX, WS_EX_DLGMODALFRAME},
      {bsNone, fsStayOnTop, WS_POPUP, WS_CAPTION, WS_EX_TOPMOST},
  };
  for (const Case& c : cases) {
    TForm form(nullptr);
    form.SetBorderStyle(c.border);
    form.SetFormStyle(c.style);
    const auto style = static_cast<DWORD>(GetWindowLongA(form.Handle(), GWL_STYLE));
    const auto ex = static_cast<DWORD>(GetWindowLongA(form.Handle(), GWL_EXSTYLE));
    EXPECT_EQ(style & c.has, c.has) << c.border << "/" << c.style;
    EXPECT_EQ(style & c.hasNot, 0u) << c.border << "/" << c.style;
    EXPECT_EQ(ex & c.exHas, c.exHas) << c.border << "/" << c.style;
    EXPECT_EQ(GetWindow(form.Handle(), GW_OWNER), Application->Handle());  // no taskbar button of its own
  }
}

TEST(Forms, CentredFormsSitInTheMiddleOfTheScreen) {
  TForm form(nullptr);
  form.SetBorderStyle(bsDialog);
  form.SetBounds(0, 0, 311, 124);
  form.Position = poScreenCenter;
  RECT r;
  GetWindowRect(form.Handle(), &r);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 311) / 2);
  EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 124) / 2);
  EXPECT_EQ(form.Left(), r.left);
}

TEST(Forms, TitleAndCaptionReachTheirWindows) {
  Application->SetTitle("Lumetta");
  char text[64];
  GetWindowTextA(Application->Handle(), text, sizeof text);
  EXPECT_STREQ(text, "Lumetta");
  TForm form(nullptr);
  form.SetCaption("About");
  GetWindowTextA(form.Handle(), text, sizeof text);
  EXPECT_STREQ(text, "About");
  form.SetCaption("Option");
  EXPECT_EQ(form.Caption(), "Option");
  GetWindowTextA(form.Handle(), text, sizeof text);
  EXPECT_STREQ(text, "Option");
}
