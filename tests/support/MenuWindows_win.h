#pragma once
// The popup-menu windows ("#32768") this thread shows: a test may show a menu from another
// thread as well, and another test program's desktop may show its own.
#include <windows.h>

#include <vector>

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
