#pragma once
// Runs this thread's message loop for a while, as the program's loop would, so timers,
// posted messages and window updates happen inside a test.
#include <windows.h>

inline void PumpMessages(DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(2);
  } while (static_cast<LONG>(end - GetTickCount()) > 0);
}
