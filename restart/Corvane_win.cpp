// Corvane.exe: closes the running Lumetta the way its "Exit" does (WM_CLOSE to the main
// form, which removes the tray icon and the hook), waits a bounded time for the process
// to end, then starts Lumetta.exe from this program's own folder. Reports nothing.
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

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::vector<TTopWindow> windows;
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&windows));

  std::vector<TKernelHandle> running;
  for (const TTopWindow& w : FindMainWindows(windows)) {
    TKernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, w.ProcessId));
    PostMessageA(reinterpret_cast<HWND>(w.Handle), WM_CLOSE, 0, 0);
    if (process) running.push_back(std::move(process));
  }
  const DWORD deadline = GetTickCount() + CloseWaitMs;
  for (const TKernelHandle& p : running) {
    const DWORD now = GetTickCount();
    const DWORD left = static_cast<int>(deadline - now) > 0 ? deadline - now : 0;
    WaitForSingleObject(p.get(), left);
  }

  const std::string folder = OwnFolder();
  std::string program = folder + ProgramFile;
  std::string commandLine = "\"" + program + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                     folder.empty() ? nullptr : folder.c_str(), &si, &pi)) {
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  return 0;
}
