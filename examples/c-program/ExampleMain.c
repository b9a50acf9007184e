/* SkinExample.exe: a plain Win32 program in C that skins itself with one call.
 *   SkinExample.exe            skinned with the built-in skin
 *   SkinExample.exe SKINFILE   skinned with that skin file
 *   SkinExample.exe --native   without the call, to compare */
#include <windows.h>

#include <shellapi.h>
#include <stdio.h>

#include "Example.h"
#include "LumettaSkin.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int show) {
  ExampleWindows windows;
  MSG msg;
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const wchar_t* argument = argv && argc > 1 ? argv[1] : NULL;
  (void)previous;
  (void)commandLine;
  (void)show;
  if (!ExampleCreateWindows(instance, &windows)) return 1;
  if (!argument || lstrcmpW(argument, L"--native") != 0) {
    /* The one call: every window of this thread, now and later, gets the skin. */
    if (LumettaSkinStart(argument) != LUMETTA_SKIN_OK) {
      wchar_t reason[512];
      LumettaSkinLastError(reason, 512);
      MessageBoxW(windows.Frame, reason, L"The skin could not be started", MB_OK | MB_ICONWARNING);
    }
  }
  while (GetMessageW(&msg, NULL, 0, 0) > 0) {
    if (ExampleTranslate(&windows, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  LocalFree(argv);
  return (int)msg.wParam;
}
