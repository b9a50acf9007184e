// DesktopRun.exe DESKTOP PROGRAM [ARGS...]: runs PROGRAM in the Windows desktop DESKTOP
// (made when missing), with this process's standard handles, and exits with its exit code.
// A test program of real windows gets a desktop of its own this way (its own foreground
// window, focus, cursor and key state), so several can run side by side under one Wine
// server. The command line is passed on as it came, after the first two words.
#include <windows.h>

#include <cwchar>
#include <string>

namespace {

// The rest of the command line after `words` words, as the system split them.
const wchar_t* SkipWords(const wchar_t* line, int words) {
  for (int i = 0; i < words && *line; ++i) {
    while (*line == L' ' || *line == L'\t') ++line;
    bool quoted = false;
    for (; *line && (quoted || (*line != L' ' && *line != L'\t')); ++line) {
      if (*line == L'"') quoted = !quoted;
    }
  }
  while (*line == L' ' || *line == L'\t') ++line;
  return line;
}

int Fail(const wchar_t* what) {
  fwprintf(stderr, L"DesktopRun: %ls failed (error %lu)\n", what, GetLastError());
  return 125;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    fwprintf(stderr, L"usage: DesktopRun DESKTOP PROGRAM [ARGS...]\n");
    return 125;
  }
  HDESK desk = CreateDesktopW(argv[1], nullptr, nullptr, 0, GENERIC_ALL, nullptr);
  if (!desk) return Fail(L"CreateDesktop");
  // The child takes this thread's desktop as its process's: every thread it starts is then
  // on it too (naming the desktop in STARTUPINFO reaches only the child's first thread in
  // Wine, and a hook thread would watch the default desktop).
  if (!SetThreadDesktop(desk)) return Fail(L"SetThreadDesktop");
  std::wstring command = SkipWords(GetCommandLineW(), 2);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  si.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
    return Fail(L"CreateProcess");
  }
  CloseHandle(pi.hThread);
  WaitForSingleObject(pi.hProcess, INFINITE);
  DWORD code = 125;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hProcess);
  CloseDesktop(desk);
  return static_cast<int>(code);
}
