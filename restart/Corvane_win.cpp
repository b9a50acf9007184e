// Corvane.exe: closes the running Lumetta the way its "Exit" does (WM_CLOSE to the main
// form, which removes the tray icon and the hook), waits a bounded time for the process
// to end, then starts Lumetta.exe from this program's own folder. When an old Lumetta is
// still running after the wait, or the new one cannot start, it says why in a message box
// and exits non-zero, having started nothing.
#include <windows.h>

#include <string>
#include <vector>

#include "restart/RestartPlan.h"
#include "ui/Handles.h"

namespace {

std::string ImagePathOf(DWORD pid) {
  TKernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
  if (!process) return {};
  char buffer[MAX_PATH * 2] = {};
  DWORD size = sizeof(buffer);
  if (!QueryFullProcessImageNameA(process.get(), 0, buffer, &size)) return {};
  return std::string(buffer, size);
}

BOOL CALLBACK Collect(HWND window, LPARAM param) {
  auto* list = reinterpret_cast<std::vector<TTopWindow>*>(param);
  char cls[256] = {}, caption[256] = {};
  GetClassNameA(window, cls, sizeof(cls));
  GetWindowTextA(window, caption, sizeof(caption));
  TTopWindow w;
  w.Handle = reinterpret_cast<uintptr_t>(window);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  w.ProcessId = pid;
  w.ClassName = cls;
  w.Caption = caption;
  // The program file is looked up only for plausible candidates: it opens the process.
  if (w.ClassName == MainFormClass && pid != GetCurrentProcessId()) w.ImagePath = ImagePathOf(pid);
  list->push_back(std::move(w));
  return TRUE;
}

std::string OwnFolder() {
  char path[MAX_PATH * 2] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, sizeof(path));
  return FolderOf(std::string(path, n));
}

std::string SystemMessage(DWORD error) {
  char* text = nullptr;
  const DWORD n = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string result = n && text ? std::string(text, n) : "error " + std::to_string(error);
  if (text) LocalFree(text);
  return result;
}

int Refuse(const std::string& text, int exitCode) {
  MessageBoxA(nullptr, text.c_str(), RestartCaption, MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
  return exitCode;
}

// One old Lumetta asked to close. Without a handle on its process (no right to wait on
// it) its main window stands in: the process has not ended while that window exists.
struct TClosing {
  uint32_t ProcessId;
  HWND Window;
  TKernelHandle Process;
  bool Ended(DWORD waitMs) const {
    if (Process) return WaitForSingleObject(Process.get(), waitMs) == WAIT_OBJECT_0;
    const DWORD end = GetTickCount() + waitMs;
    while (IsWindow(Window)) {
      if (static_cast<int>(end - GetTickCount()) <= 0) return false;
      Sleep(50);
    }
    return true;
  }
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::vector<TTopWindow> windows;
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&windows));

  std::vector<TClosing> closing;
  for (const TTopWindow& w : FindMainWindows(windows)) {
    TKernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, w.ProcessId));
    const HWND window = reinterpret_cast<HWND>(w.Handle);
    PostMessageA(window, WM_CLOSE, 0, 0);
    closing.push_back({w.ProcessId, window, std::move(process)});
  }
  const DWORD deadline = GetTickCount() + CloseWaitMs;
  std::vector<uint32_t> stillRunning;
  for (const TClosing& c : closing) {
    const int left = static_cast<int>(deadline - GetTickCount());
    if (!c.Ended(left > 0 ? static_cast<DWORD>(left) : 0)) stillRunning.push_back(c.ProcessId);
  }
  // A second Lumetta beside the old one would mean two icons and a hook feeding only one.
  if (!stillRunning.empty()) return Refuse(StillRunningReport(stillRunning, CloseWaitMs), ExitStillRunning);

  const std::string folder = OwnFolder();
  std::string program = folder + ProgramFile;
  std::string commandLine = "\"" + program + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &si, &pi))
    return Refuse(StartFailedReport(program, SystemMessage(GetLastError())), ExitStartFailed);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return 0;
}
