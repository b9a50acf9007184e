#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "shell/Unit1.h"
#include "shell/Unitabout.h"
#include "ui/Dialogs.h"
#include "ui/Handles.h"
#include "ui/Registry.h"

namespace {

const char kTestKey[] = "\\Software\\LumettaTests\\Run";
const char kUserTestKey[] = "\\Software\\LumettaTests\\UserRun";

struct Asked {
  std::string Text, Caption;
  UINT Flags;
};

// Option dialog pointed at a key of the current user, with the confirmation answered by the test.
class OptionDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\LumettaTests\\Run");
    form = std::make_unique<TForm1>(nullptr);
    form->RunRoot = HKEY_CURRENT_USER;
    form->RunKey = kTestKey;
    form->UserRunKey = kUserTestKey;
    form->ProgramPath = "C:\\Program Files\\Lumetta Sparkles\\Lumetta.exe";
    SetMessageBoxHook([this](const std::string& text, const std::string& caption, UINT flags) {
      asked.push_back({text, caption, flags});
      return answer;
    });
  }
  void TearDown() override {
    SetMessageBoxHook(nullptr);
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\LumettaTests\\Run");
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\LumettaTests\\UserRun");
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\LumettaTests");
  }
  // Values under a test key (by default the one standing for the machine-wide list), name=data.
  std::vector<std::string> Values(const char* testKey = kTestKey) {
    std::vector<std::string> out;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, testKey + 1, 0, KEY_READ, &key) != ERROR_SUCCESS) return out;
    for (DWORD i = 0;; ++i) {
      char name[256], data[1024];
      DWORD nameLen = sizeof name, dataLen = sizeof data, type = 0;
      if (RegEnumValueA(key, i, name, &nameLen, nullptr, &type, reinterpret_cast<BYTE*>(data), &dataLen) !=
          ERROR_SUCCESS)
        break;
      out.push_back(std::string(name) + "=" + (type == REG_SZ ? std::string(data) : "<not a string>"));
    }
    RegCloseKey(key);
    return out;
  }
  // A real click on a speed button: the form routes the mouse to its windowless child.
  void ClickAt(TControl* button) {
    const LPARAM at = MAKELPARAM(button->Left() + 10, button->Top() + 8);
    SendMessageA(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(form->Handle(), WM_LBUTTONUP, 0, at);
  }
  std::unique_ptr<TForm1> form;
  std::vector<Asked> asked;
  int answer = IDNO;
};

const std::string kQuotedPath = "lumetta=\"C:\\Program Files\\Lumetta Sparkles\\Lumetta.exe\"";

TEST_F(OptionDialog, LayoutAndTheMachineWideRunKey) {
  TForm1 fresh(nullptr);
  EXPECT_EQ(fresh.RunRoot, HKEY_LOCAL_MACHINE);
  EXPECT_EQ(fresh.RunKey, "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, sizeof self);
  EXPECT_EQ(fresh.ProgramPath, self);
  EXPECT_EQ(RunValueData("C:\\a b\\x.exe"), "\"C:\\a b\\x.exe\"");

  EXPECT_EQ(fresh.Caption(), "Option");
  EXPECT_FALSE(fresh.Visible());  // created hidden
  fresh.HandleNeeded();
  RECT r;
  GetWindowRect(fresh.Handle(), &r);
  EXPECT_EQ(r.right - r.left, 311);
  EXPECT_EQ(r.bottom - r.top, 124);
  RECT desk;
  GetWindowRect(GetDesktopWindow(), &desk);
  EXPECT_NEAR((r.left + r.right) / 2, (desk.left + desk.right) / 2, 1);
  EXPECT_NEAR((r.top + r.bottom) / 2, (desk.top + desk.bottom) / 2, 1);
  struct Want {
    TSpeedButton* button;
    const char* caption;
    RECT bounds;
  } wants[] = {{fresh.SpeedButton1, "Auto-Start", {38, 16, 254, 38}},
               {fresh.SpeedButton8, "Cancel Auto-Start", {38, 44, 254, 69}}};
  for (const auto& w : wants) {
    EXPECT_EQ(w.button->Caption(), w.caption);
    EXPECT_TRUE(w.button->Flat());
    RECT b = w.button->BoundsRect();
    EXPECT_TRUE(EqualRect(&b, &w.bounds)) << w.caption;
  }
}

TEST_F(OptionDialog, AutoStartTwiceLeavesOneQuotedValue) {
  ClickAt(form->SpeedButton1);
  ClickAt(form->SpeedButton1);
  EXPECT_EQ(Values(), std::vector<std::string>{kQuotedPath});
  EXPECT_TRUE(asked.empty());
}

TEST_F(OptionDialog, CancelAsksAndDeletesOnlyOnYes) {
  form->Show();
  ASSERT_TRUE(IsWindowVisible(form->Handle()));
  form->SpeedButton1Click(nullptr);
  answer = IDNO;
  ClickAt(form->SpeedButton8);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].Text, "Are you Sure?");
  EXPECT_EQ(asked[0].Flags & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
  EXPECT_EQ(Values(), std::vector<std::string>{kQuotedPath});
  answer = IDYES;
  ClickAt(form->SpeedButton8);
  EXPECT_TRUE(Values().empty());
  // Cancelling again with nothing there says nothing more than the question.
  EXPECT_NO_THROW(form->SpeedButton8Click(nullptr));
  EXPECT_EQ(asked.size(), 3u);
}

TEST_F(OptionDialog, NeitherButtonClosesTheDialog) {
  form->Show();
  ASSERT_TRUE(IsWindowVisible(form->Handle()));
  for (int answerGiven : {IDNO, IDYES}) {
    answer = answerGiven;
    for (TSpeedButton* button : {form->SpeedButton1, form->SpeedButton8}) {
      ClickAt(button);
      SCOPED_TRACE(button->Caption());
      EXPECT_TRUE(IsWindowVisible(form->Handle()));
      EXPECT_TRUE(form->Visible());
    }
  }
  // The clicks did reach the buttons: the value was written, then deleted on Yes.
  EXPECT_EQ(asked.size(), 2u);
  EXPECT_TRUE(Values().empty());
  form->Hide();
}

// A machine-wide list that cannot be opened, as on a normal account: the root is redirected to
// a key that was deleted under its open handle, so every key below it refuses to open.
class RefusedMachineList {
 public:
  RefusedMachineList() {
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\LumettaTests\\Gone", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &FGone, nullptr);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\LumettaTests\\Gone");
    Redirected = RegOverridePredefKey(HKEY_LOCAL_MACHINE, FGone) == ERROR_SUCCESS;
  }
  ~RefusedMachineList() {
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    RegCloseKey(FGone);
  }
  bool Redirected = false;

 private:
  HKEY FGone = nullptr;
};

TEST_F(OptionDialog, RefusedMachineListIsReportedAndYesStartsForTheUserOnly) {
  form->RunRoot = HKEY_LOCAL_MACHINE;
  form->RunKey = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  RefusedMachineList refused;
  ASSERT_TRUE(refused.Redirected);
  // Nothing in either list and the machine's closed: Cancel has nothing to ask.
  answer = IDYES;
  form->SpeedButton8Click(nullptr);
  EXPECT_TRUE(asked.empty());

  answer = IDNO;
  form->SpeedButton1Click(nullptr);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_NE(asked[0].Text.find("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"),
            std::string::npos)
      << asked[0].Text;
  // The system's reason, in its own words, between the parentheses.
  const size_t open = asked[0].Text.find("cannot be opened ("), close = asked[0].Text.find(")\n", open);
  ASSERT_NE(open, std::string::npos) << asked[0].Text;
  EXPECT_GT(close, open + 20) << asked[0].Text;
  EXPECT_NE(asked[0].Text.find("for you only?"), std::string::npos);
  EXPECT_EQ(asked[0].Flags & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
  EXPECT_TRUE(Values(kUserTestKey).empty());  // No: nothing written anywhere

  answer = IDYES;
  form->SpeedButton1Click(nullptr);
  ASSERT_EQ(asked.size(), 2u);  // the question only: a success is not reported
  EXPECT_EQ(Values(kUserTestKey), std::vector<std::string>{kQuotedPath});

  // Cancel asks, as a value exists, and takes it out of the user's list; the machine's list,
  // closed but without the value, is no failure.
  answer = IDYES;
  form->SpeedButton8Click(nullptr);
  ASSERT_EQ(asked.size(), 3u);
  EXPECT_EQ(asked[2].Text, "Are you Sure?");
  EXPECT_TRUE(Values(kUserTestKey).empty());
}

TEST_F(OptionDialog, CancelRemovesTheValueFromBothLists) {
  form->SpeedButton1Click(nullptr);  // the machine-wide list (the test's stand-in) opens
  {
    TRegistry user(KEY_ALL_ACCESS);
    user.SetRootKey(HKEY_CURRENT_USER);
    ASSERT_TRUE(user.OpenKey(kUserTestKey, true));
    user.WriteString(kRunValueName, RunValueData(form->ProgramPath));
  }
  answer = IDNO;
  form->SpeedButton8Click(nullptr);
  EXPECT_EQ(Values(), std::vector<std::string>{kQuotedPath});
  EXPECT_EQ(Values(kUserTestKey), std::vector<std::string>{kQuotedPath});
  answer = IDYES;
  form->SpeedButton8Click(nullptr);
  EXPECT_TRUE(Values().empty());
  EXPECT_TRUE(Values(kUserTestKey).empty());
  EXPECT_EQ(asked.size(), 2u);  // two questions, no failure reported
}

TEST_F(OptionDialog, RefusedUserListIsReportedWithItsReason) {
  RefusedMachineList refused;
  ASSERT_TRUE(refused.Redirected);
  form->RunRoot = HKEY_LOCAL_MACHINE;
  form->UserRunRoot = HKEY_LOCAL_MACHINE;  // the user's list is closed too
  answer = IDYES;
  form->SpeedButton1Click(nullptr);
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_NE(asked[1].Text.find("for you either"), std::string::npos) << asked[1].Text;
  EXPECT_NE(asked[1].Text.find("HKEY_LOCAL_MACHINE\\Software\\LumettaTests\\UserRun"), std::string::npos)
      << asked[1].Text;
  EXPECT_EQ(asked[1].Flags & MB_TYPEMASK, static_cast<UINT>(MB_OK));
}

struct Opened {
  HWND Owner;
  std::string Target;
  int Show;
};

// Every text shows whole: each label is at least as wide and high as its text needs.
void ExpectEveryLabelShowsWhole(TAboutBox& box) {
  for (TLabel* label : {box.ProductName, box.Version, box.Label1, box.lblEmail}) {
    ClientDc dc(nullptr);
    SelectGuard font(dc.get(), label->Font()->Handle());
    RECT need{0, 0, label->Width(), 0};
    const std::string text = label->Caption();
    DrawTextA(dc.get(), text.c_str(), static_cast<int>(text.size()), &need,
              DT_CALCRECT | (label->WordWrap() ? DT_WORDBREAK : DT_SINGLELINE));
    EXPECT_GE(label->Width(), need.right) << text;
    EXPECT_GE(label->Height(), need.bottom) << text;
  }
}

class AboutDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    box = std::make_unique<TAboutBox>(nullptr);
    AboutShellOpenSeam() = [this](HWND owner, const std::string& target, int show) {
      opened.push_back({owner, target, show});
    };
  }
  void TearDown() override { AboutShellOpenSeam() = nullptr; }
  std::unique_ptr<TAboutBox> box;
  std::vector<Opened> opened;
};

TEST_F(AboutDialog, ShowsIconNameVersionAndLinks) {
  EXPECT_FALSE(box->Visible());
  EXPECT_EQ(box->Caption(), "About");
  EXPECT_EQ(box->BorderStyle(), bsDialog);
  box->HandleNeeded();
  EXPECT_EQ(box->ClientWidth(), 434);
  EXPECT_EQ(box->ClientHeight(), 194);
  ASSERT_NE(box->ProgramIcon->Picture()->Icon(), nullptr);
  EXPECT_NE(box->ProgramIcon->Picture()->Icon()->Handle(), nullptr);
  EXPECT_EQ(box->ProductName->Caption(), "Lumetta");
  EXPECT_EQ(box->Version->Caption(), "Version:2.20");
  EXPECT_EQ(box->Label1->Caption(), kWebPage);
  EXPECT_EQ(box->lblEmail->Caption(), std::string("Email :  ") + kEmailAddress);
  ExpectEveryLabelShowsWhole(*box);
  EXPECT_EQ(box->Label1->Font()->Color(), clBlue);
  EXPECT_TRUE(box->Label1->Font()->Style().Contains(fsUnderline));
  EXPECT_EQ(box->lblEmail->Cursor(), crHandPoint);
  EXPECT_EQ(box->Label1->Cursor(), crHandPoint);
  EXPECT_TRUE(box->OKButton->Default());

  box->Label1->Click();
  box->lblEmail->Click();
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[0].Owner, box->Handle());
  EXPECT_EQ(opened[0].Target, "https://lumetta.example.com/");
  EXPECT_EQ(opened[0].Show, SW_SHOW);
  EXPECT_EQ(opened[1].Owner, box->Handle());
  EXPECT_EQ(opened[1].Target, std::string("mailto:") + kEmailAddress);
  EXPECT_EQ(opened[1].Show, SW_SHOWMINIMIZED);
}

TEST_F(AboutDialog, EmailLineFitsOnOneLineInsideThePanel) {
  box->HandleNeeded();
  TLabel* email = box->lblEmail;
  ClientDc dc(nullptr);
  SelectGuard font(dc.get(), email->Font()->Handle());
  const std::string text = email->Caption();
  RECT line{0, 0, 0, 0};
  DrawTextA(dc.get(), text.c_str(), static_cast<int>(text.size()), &line, DT_CALCRECT | DT_SINGLELINE);
  std::printf("e-mail line: %ld px of the label's %d\n", line.right, email->Width());
  // The label keeps its width and the text needs no second line there.
  EXPECT_EQ(email->Width(), 161);
  EXPECT_LE(line.right, email->Width()) << text;
  EXPECT_EQ(email->Height(), line.bottom) << text;
  // So it ends above the panel's bevel instead of hanging over it.
  EXPECT_LE(email->Top() + email->Height(), box->Panel1->Height() - 2);
  // The address is one of our own, and the mail link opens exactly it.
  EXPECT_EQ(text, std::string("Email :  ") + kEmailAddress);
  EXPECT_NE(std::string(kEmailAddress).find("@lumetta."), std::string::npos) << kEmailAddress;
}

TEST_F(AboutDialog, EmailLabelTurnsRedAndUnderlinedWhileHovered) {
  box->HandleNeeded();
  HWND panel = box->Panel1->Handle();
  auto moveTo = [&](TControl* c) {
    SendMessageA(panel, WM_MOUSEMOVE, 0, MAKELPARAM(c->Left() + 3, c->Top() + 3));
  };
  EXPECT_EQ(box->lblEmail->Font()->Color(), clBlack);
  moveTo(box->lblEmail);
  EXPECT_EQ(box->lblEmail->Font()->Color(), clRed);
  EXPECT_TRUE(box->lblEmail->Font()->Style().Contains(fsUnderline));
  // Onto the web-page label: the e-mail label is back to plain black; the web label is unchanged.
  moveTo(box->Label1);
  EXPECT_EQ(box->lblEmail->Font()->Color(), clBlack);
  EXPECT_FALSE(box->lblEmail->Font()->Style().Contains(fsUnderline));
  ExpectEveryLabelShowsWhole(*box);
  EXPECT_EQ(box->Label1->Font()->Color(), clBlue);
  EXPECT_TRUE(box->Label1->Font()->Style().Contains(fsUnderline));
}

TEST_F(AboutDialog, OkHidesTheBoxAndItShowsAgain) {
  box->Show();
  ASSERT_TRUE(IsWindowVisible(box->Handle()));
  SendMessageA(box->OKButton->Handle(), BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindowVisible(box->Handle()));
  EXPECT_FALSE(box->Visible());
  box->Show();
  EXPECT_TRUE(IsWindowVisible(box->Handle()));
}

}  // namespace
