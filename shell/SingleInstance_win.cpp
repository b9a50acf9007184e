#include "shell/SingleInstance_win.h"

namespace {

struct TSearch {
  const std::string* Path;
  HWND Found = nullptr;
};

std::string ProcessPath(DWORD pid) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!process) return {};
  char path[MAX_PATH * 2] = {};
  DWORD size = sizeof path;
  const bool ok = QueryFullProcessImageNameA(process, 0, path, &size) != FALSE;
  CloseHandle(process);
  return ok ? std::string(path, size) : std::string();
}

BOOL CALLBACK FindMainWindow(HWND wnd, LPARAM data) {
  auto* search = reinterpret_cast<TSearch*>(data);
  char cls[32] = {};
  GetClassNameA(wnd, cls, sizeof cls);
  if (lstrcmpA(cls, "TfrmMain") != 0) return TRUE;
  DWORD pid = 0;
  GetWindowThreadProcessId(wnd, &pid);
  // Copies in other folders are other programs (each has its own hook record).
  if (lstrcmpiA(ProcessPath(pid).c_str(), search->Path->c_str()) != 0) return TRUE;
  search->Found = wnd;
  return FALSE;
}

}  // namespace

UINT AlreadyRunningMessage() {
  static const UINT message = RegisterWindowMessageA("Lumetta.AlreadyRunning");
  return message;
}

bool TellRunningInstance(const std::string& programPath, DWORD waitMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    TSearch search{&programPath};
    EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
    if (search.Found) return PostMessageA(search.Found, AlreadyRunningMessage(), 0, 0) != FALSE;
    if (GetTickCount() - start >= waitMs) return false;
    Sleep(100);
  }
}
