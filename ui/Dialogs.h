#pragma once
// Message boxes, the file-open dialog and opening documents through the shell.
#include <windows.h>

#include <functional>
#include <string>

#include "ui/Classes.h"

// Every message box of the class library goes through here. Tests install a hook that
// sees the text, caption and flags and answers instead of a box (IDOK, IDYES, ...).
using TMessageBoxHook = std::function<int(const std::string& text, const std::string& caption, UINT flags)>;
void SetMessageBoxHook(TMessageBoxHook hook);
int ShowMessageBox(const std::string& text, const std::string& caption, UINT flags);

// Information box with the application's title.
void ShowMessage(const std::string& text);
// Confirmation with Yes and No; true for Yes.
bool ConfirmYesNo(const std::string& text);

// "Name|*.ext|Other|*.*" to the platform's double-NUL-terminated list (portable).
std::string FilterToNative(const std::string& filter);

class TOpenDialog : public TComponent {
 public:
  explicit TOpenDialog(TComponent* AOwner) : TComponent(AOwner) {}
  std::string Filter;
  int FilterIndex = 1;
  std::string InitialDir;
  std::string FileName;
  std::string Title;
  // Shows the dialog; true (and FileName set) when the user chose a file.
  bool Execute(HWND owner = nullptr);
};

// ShellExecuteA with the verb "open" (or the given one; null is the default verb).
HINSTANCE ShellOpen(HWND owner, const std::string& file, int show = SW_SHOWNORMAL, const char* verb = "open",
                    const std::string& parameters = "");
