#include "shell/Unit1.h"

#include "ui/Dialogs.h"
#include "ui/Registry.h"

TForm1* Form1 = nullptr;

std::string RunValueData(const std::string& programPath) {
  // Quoted, so a path with spaces is started as one program.
  return "\"" + programPath + "\"";
}

const TClassInfo& TForm1::StaticClass() {
  static const TClassInfo info("TForm1", &TForm::StaticClass());
  return info;
}

TForm1::TForm1(TComponent* AOwner) : TShellDialog(AOwner) {
  char path[MAX_PATH * 2] = {};
  GetModuleFileNameA(nullptr, path, sizeof path - 1);
  ProgramPath = path;

  BeginLoading();
  Name = "Form1";
  SetCaption("Option");
  SetBounds(0, 0, 311, 124);
  Position = poDesktopCenter;

  SpeedButton1 = new TSpeedButton(this);
  SpeedButton1->Name = "SpeedButton1";
  SpeedButton1->SetParent(this);
  SpeedButton1->SetBounds(38, 16, 216, 22);
  SpeedButton1->SetCaption("Auto-Start");
  SpeedButton1->SetFlat(true);
  SpeedButton1->OnClick = [this](TObject* s) { SpeedButton1Click(s); };

  SpeedButton8 = new TSpeedButton(this);
  SpeedButton8->Name = "SpeedButton8";
  SpeedButton8->SetParent(this);
  SpeedButton8->SetBounds(38, 44, 216, 25);
  SpeedButton8->SetCaption("Cancel Auto-Start");
  SpeedButton8->SetFlat(true);
  SpeedButton8->OnClick = [this](TObject* s) { SpeedButton8Click(s); };
  EndLoading();
}

void TForm1::SpeedButton1Click(TObject*) {
  TRegistry reg(KEY_ALL_ACCESS);
  reg.SetRootKey(RunRoot);
  // A user without rights to the key gets nothing done and nothing said.
  if (!reg.OpenKey(RunKey, true)) return;
  reg.WriteString(kRunValueName, RunValueData(ProgramPath));
  reg.CloseKey();
}

void TForm1::SpeedButton8Click(TObject*) {
  TRegistry reg(KEY_ALL_ACCESS);
  reg.SetRootKey(RunRoot);
  if (!reg.OpenKey(RunKey, true)) return;
  if (ConfirmYesNo("Are you Sure?")) reg.DeleteValue(kRunValueName);
}
