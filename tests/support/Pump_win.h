#pragma once
// Runs this thread's message loop for a while, as the program's loop would, so timers,
// posted messages and window updates happen inside a test.
#include <windows.h>

#include <functional>

// Bounded by the clock also while messages keep coming: many running timers (particles left
// by earlier tests on a loaded machine) can keep the queue from ever running empty.
inline void PumpMessages(DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  do {
    MSG msg;
    while (static_cast<LONG>(end - GetTickCount()) > 0 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(2);
  } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

// Handles queued messages until done() or the time is up; answers done(). Waiting for the
// condition, not for a fixed time, keeps a test right on a loaded machine.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return false;
    PumpMessages(2);
  }
  return true;
}
