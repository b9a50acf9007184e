// SkinRunSubject.exe: a program for SkinRun to start in the tests.
//   exit N [FILE]          creates FILE (when given) and ends with N at once, before it ever
//                          takes a message
//   window N FILE [ARGS]   shows a window and runs its message loop until the window answers
//                          the skin query (at most 20 s); writes "skinned=0|1" and its own
//                          command line to FILE, and ends with N (99 when never skinned)
#include <windows.h>
// after windows.h, whose types it uses
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "skin/library/LumettaSkin.h"

namespace {

void WriteFileText(const wchar_t* path, const std::wstring& text) {
  if (FILE* f = _wfopen(path, L"wb")) {
    fwrite(text.data(), sizeof(wchar_t), text.size(), f);
    fclose(f);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 3) return 98;
  const std::wstring mode = argv[1];
  const int code = _wtoi(argv[2]);
  if (mode == L"exit") {
    if (argc > 3) WriteFileText(argv[3], L"ran");
    return code;
  }
  if (mode != L"window" || argc < 4) return 98;
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"SkinRunSubject";
  RegisterClassW(&wc);
  HWND wnd = CreateWindowW(L"SkinRunSubject", L"SkinRun subject", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60,
                           320, 200, nullptr, nullptr, instance, nullptr);
  const DWORD until = GetTickCount() + 20000;
  bool skinned = false;
  SetTimer(wnd, 1, 50, nullptr);
  MSG msg;
  while (!skinned && GetTickCount() < until && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    DispatchMessageW(&msg);
    skinned = SendMessageW(wnd, LUMETTA_SKIN_QUERY, 0, 0) == 1;
  }
  WriteFileText(argv[3], std::wstring(L"skinned=") + (skinned ? L"1" : L"0") + L"\n" + GetCommandLineW());
  DestroyWindow(wnd);
  LocalFree(argv);
  return skinned ? code : 99;
}
