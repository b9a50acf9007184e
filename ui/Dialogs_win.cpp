#include "ui/Dialogs.h"
// The platform's own headers after <windows.h> (which Dialogs.h brings).
#include <commdlg.h>
#include <shellapi.h>

#include <vector>

#include "ui/Forms.h"

namespace {
TMessageBoxHook& Hook() {
  static TMessageBoxHook hook;
  return hook;
}

HWND DialogOwner() {
  HWND active = GetActiveWindow();
  return active ? active : Application->Handle();
}
}  // namespace

void SetMessageBoxHook(TMessageBoxHook hook) { Hook() = std::move(hook); }

int ShowMessageBox(const std::string& text, const std::string& caption, UINT flags) {
  if (Hook()) return Hook()(text, caption, flags);
  return MessageBoxA(DialogOwner(), text.c_str(), caption.c_str(), flags);
}

void ShowMessage(const std::string& text) {
  ShowMessageBox(text, Application->Title(), MB_OK | MB_ICONINFORMATION);
}

bool ConfirmYesNo(const std::string& text) {
  return ShowMessageBox(text, "Confirm", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

bool TOpenDialog::Execute(HWND owner) {
  std::string filter = FilterToNative(Filter);
  std::vector<char> file(MAX_PATH * 4, '\0');
  FileName.copy(file.data(), file.size() - 1);
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner ? owner : DialogOwner();
  ofn.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(FilterIndex);
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
  ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
  ofn.Flags = OFN_ENABLESIZING | OFN_HIDEREADONLY;
  if (!GetOpenFileNameA(&ofn)) return false;
  FileName = file.data();
  FilterIndex = static_cast<int>(ofn.nFilterIndex);
  return true;
}

HINSTANCE ShellOpen(HWND owner, const std::string& file, int show, const char* verb,
                    const std::string& parameters) {
  return ShellExecuteA(owner, verb, file.c_str(), parameters.c_str(), nullptr, show);
}
