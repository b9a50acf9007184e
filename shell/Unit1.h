#pragma once
// TForm1, the Option dialog: starts the program with Windows through the machine-wide run
// list (or, where that is closed to the user and the user agrees, the user's own), or stops
// it from doing so after a confirmation. Failures are reported with the key and the reason.
#include <windows.h>

#include <string>

#include "shell/ShellDialog.h"
#include "ui/Buttons.h"
#include "ui/Forms.h"

class TForm1 : public TShellDialog {
 public:
  explicit TForm1(TComponent* AOwner);
  DECLARE_CLASS_INFO;

  TSpeedButton* SpeedButton1;  // "Auto-Start"
  TSpeedButton* SpeedButton8;  // "Cancel Auto-Start"

  void SpeedButton1Click(TObject* Sender);
  void SpeedButton8Click(TObject* Sender);

  // Where the run value lives and what it starts; tests point these elsewhere. The
  // machine-wide list first; the user's own only when that cannot be opened and the user
  // says yes.
  HKEY RunRoot = HKEY_LOCAL_MACHINE;
  std::string RunKey = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  HKEY UserRunRoot = HKEY_CURRENT_USER;
  std::string UserRunKey = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  std::string ProgramPath;  // the program file, by default this process's
};

// The value under the run key, and its data for a program path.
inline constexpr char kRunValueName[] = "lumetta";
std::string RunValueData(const std::string& programPath);

extern TForm1* Form1;
