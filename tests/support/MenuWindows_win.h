#pragma once
// The popup-menu windows ("#32768") this thread shows: a test may show a menu from another
// thread as well, and another test program's desktop may show its own.
#include <windows.h>

#include <functional>
#include <vector>

#include "support/Pump_win.h"

inline std::vector<HWND> ShownMenuWindows() {
  std::vector<HWND> out;
  for (HWND w = FindWindowExA(nullptr, nullptr, "#32768", nullptr); w;
       w = FindWindowExA(nullptr, w, "#32768", nullptr))
    if (IsWindowVisible(w) && GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId()) out.push_back(w);
  return out;
}

// The topmost of them, or null.
inline HWND TopMenuWindow() {
  const std::vector<HWND> shown = ShownMenuWindows();
  return shown.empty() ? nullptr : shown.front();
}

inline HMENU MenuOf(HWND menuWindow) {
  return menuWindow ? reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0)) : nullptr;
}

// Runs `open`, a call that enters a menu's own loop (a popup shown with TrackPopupMenu), with
// `tick` called every `ms` from a thread timer, which that loop dispatches: the way to act
// while the menu shows. Pumps what is left once the loop ends.
inline void RunWithTicks(UINT ms, const std::function<void()>& tick, const std::function<void()>& open) {
  struct Timer {
    static const std::function<void()>*& Current() {
      static const std::function<void()>* current = nullptr;
      return current;
    }
    static void CALLBACK Proc(HWND, UINT, UINT_PTR, DWORD) noexcept {
      if (Current()) (*Current())();
    }
  };
  const std::function<void()>* outer = Timer::Current();
  Timer::Current() = &tick;
  const UINT_PTR timer = SetTimer(nullptr, 0, ms, Timer::Proc);
  open();
  KillTimer(nullptr, timer);
  Timer::Current() = outer;
  PumpMessages(20);
}
