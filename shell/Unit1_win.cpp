#include "shell/Unit1.h"

#include "ui/Dialogs.h"
#include "ui/FormBuild.h"
#include "ui/Forms.h"
#include "ui/Registry.h"
#include "ui/SysUtils.h"

TForm1* Form1 = nullptr;

std::string RunValueData(const std::string& programPath) {
  // Quoted, so a path with spaces is started as one program.
  return "\"" + programPath + "\"";
}

DEFINE_CLASS_INFO(TForm1, TForm)

TForm1::TForm1(TComponent* AOwner) : TShellDialog(AOwner) {
  char path[MAX_PATH * 2] = {};
  GetModuleFileNameA(nullptr, path, sizeof path - 1);
  ProgramPath = path;

  BeginLoading();
  Name = "Form1";
  SetCaption("Option");
  SetBounds(0, 0, 311, 124);
  Position = poDesktopCenter;

  SpeedButton1 = PlaceCaptioned<TSpeedButton>(this, this, "SpeedButton1", "Auto-Start", 38, 16, 216, 22);
  SpeedButton1->SetFlat(true);
  SpeedButton1->OnClick = [this](TObject* s) { SpeedButton1Click(s); };

  SpeedButton8 =
      PlaceCaptioned<TSpeedButton>(this, this, "SpeedButton8", "Cancel Auto-Start", 38, 44, 216, 25);
  SpeedButton8->SetFlat(true);
  SpeedButton8->OnClick = [this](TObject* s) { SpeedButton8Click(s); };
  EndLoading();
}

namespace {

std::string KeyText(HKEY root, const std::string& key) {
  const char* name = root == HKEY_LOCAL_MACHINE  ? "HKEY_LOCAL_MACHINE"
                     : root == HKEY_CURRENT_USER ? "HKEY_CURRENT_USER"
                                                 : "HKEY";
  std::string text(name);
  text += key;  // the key starts with its separator
  return text;
}

void Warn(const std::string& text) { ShowMessageBox(text, Application->Title(), MB_OK | MB_ICONWARNING); }

// One run list.
struct TRunList {
  HKEY Root;
  const std::string& Key;

  std::string Name() const { return KeyText(Root, Key); }
  bool HasValue() const {
    TRegistry reg(KEY_READ);
    reg.SetRootKey(Root);
    return reg.OpenKeyReadOnly(Key) && reg.ValueExists(kRunValueName);
  }
  // Opens the list for writing (making it when missing): empty when opened, else the reason.
  std::string Open(TRegistry& reg) const {
    reg.SetRootKey(Root);
    return reg.OpenKey(Key, true) ? std::string()
                                  : SysErrorMessage(static_cast<unsigned long>(reg.LastError()));
  }
  // Empty when the value is gone (or was never there), else the reason.
  std::string RemoveValue() const {
    TRegistry reg(KEY_ALL_ACCESS);
    reg.SetRootKey(Root);
    if (!reg.OpenKey(Key, false)) return SysErrorMessage(static_cast<unsigned long>(reg.LastError()));
    if (reg.DeleteValue(kRunValueName) || reg.LastError() == ERROR_FILE_NOT_FOUND) return {};
    return SysErrorMessage(static_cast<unsigned long>(reg.LastError()));
  }
};

}  // namespace

void TForm1::SpeedButton1Click(TObject*) {
  const TRunList machine{RunRoot, RunKey}, user{UserRunRoot, UserRunKey};
  TRegistry reg(KEY_ALL_ACCESS);
  const std::string refused = machine.Open(reg);
  if (refused.empty()) {
    reg.WriteString(kRunValueName, RunValueData(ProgramPath));
    return;
  }
  // A normal account cannot open the machine-wide list (the program runs as invoker): say so,
  // rather than leave the user believing it worked, and offer the user's own list.
  const std::string question = "Lumetta cannot be made to start with Windows for every user: the key\n" +
                               machine.Name() + "\ncannot be opened (" + refused +
                               ")\n\nStart Lumetta with Windows for you only?";
  if (ShowMessageBox(question, Application->Title(), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  TRegistry own(KEY_ALL_ACCESS);
  const std::string alsoRefused = user.Open(own);
  if (!alsoRefused.empty()) {
    Warn("Lumetta cannot be made to start with Windows for you either: the key\n" + user.Name() +
         "\ncannot be opened (" + alsoRefused + ")");
    return;
  }
  own.WriteString(kRunValueName, RunValueData(ProgramPath));
}

void TForm1::SpeedButton8Click(TObject*) {
  const TRunList machine{RunRoot, RunKey}, user{UserRunRoot, UserRunKey};
  const bool inMachine = machine.HasValue(), inUser = user.HasValue();
  bool machineOpens = false;
  {
    TRegistry reg(KEY_ALL_ACCESS);
    machineOpens = machine.Open(reg).empty();
  }
  // Nothing to remove and no list to remove it from: nothing to ask.
  if (!machineOpens && !inMachine && !inUser) return;
  if (!ConfirmYesNo("Are you Sure?")) return;
  std::string failures;
  for (const TRunList* list : {&machine, &user}) {
    if (list == &machine ? !inMachine && !machineOpens : !inUser) continue;
    const std::string reason = list->RemoveValue();
    if (reason.empty()) continue;
    failures += '\n';
    failures += list->Name();
    failures += ": ";
    failures += reason;
  }
  if (!failures.empty()) Warn("Lumetta could not be kept from starting with Windows:" + failures);
}
