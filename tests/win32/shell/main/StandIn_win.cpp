// LumettaStandIn.exe: a running Lumetta as the restart program sees one, for its tests. Copied
// in as Lumetta.exe it shows (hidden) a top-level window of the main form's class and caption
// and ends when that window is closed; started with "--ignore-close" it stays, as a program
// that hangs or keeps a dialog up would.
#include <windows.h>

#include <cstring>

namespace {
bool GIgnoreClose = false;

LRESULT CALLBACK StandInProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CLOSE:
      if (!GIgnoreClose) DestroyWindow(wnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(wnd, msg, wParam, lParam);
  }
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  GIgnoreClose = commandLine && std::strstr(commandLine, "--ignore-close") != nullptr;
  WNDCLASSA wc{};
  wc.lpfnWndProc = StandInProc;
  wc.hInstance = instance;
  wc.lpszClassName = "TfrmMain";
  RegisterClassA(&wc);
  if (!CreateWindowExA(WS_EX_TOOLWINDOW, "TfrmMain", "Lumetta", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                       instance, nullptr))
    return 1;
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
