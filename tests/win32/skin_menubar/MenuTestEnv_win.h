#pragma once
// What the menu-bar tests share: the menu windows of this thread, a script of steps run from
// a timer that every menu loop dispatches, and keys for an open menu.
#include <functional>
#include <vector>

#include "tests/win32/skin_frame/FrameTestEnv_win.h"

namespace menutest {

// Menu windows of this thread only: a test may show a menu from another thread as well.
inline std::vector<HWND> ShownMenuWindows() {
  std::vector<HWND> out;
  for (HWND w = FindWindowExA(nullptr, nullptr, "#32768", nullptr); w;
       w = FindWindowExA(nullptr, w, "#32768", nullptr))
    if (IsWindowVisible(w) && GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId()) out.push_back(w);
  return out;
}
inline HWND TopMenuWindow() {
  const std::vector<HWND> shown = ShownMenuWindows();
  return shown.empty() ? nullptr : shown.front();
}
inline HMENU MenuOf(HWND menuWindow) {
  return menuWindow ? reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0)) : nullptr;
}

// Runs a script of steps from a thread timer, which every menu loop dispatches too: each
// step waits until it answers true. Whatever happens, no menu stays open past the limit.
struct TScript {
  std::vector<std::function<bool()>> Steps;
  size_t At = 0;
  int Ticks = 0;
  static inline TScript* Current = nullptr;
  bool Done() const { return At >= Steps.size(); }

  // Ends any menu, the skinned bar's keyboard mode too.
  static void EndMenus() {
    EndMenu();
    if (HWND active = GetActiveWindow()) SendMessageA(active, WM_CANCELMODE, 0, 0);
  }
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) noexcept {
    TScript& s = *Current;
    if (++s.Ticks > 150) {
      EndMenus();
      s.At = s.Steps.size();
      return;
    }
    if (!s.Done() && s.Steps[s.At]()) ++s.At;
  }
  // Starts the script, runs `start` (which may open a menu and return only when it closed)
  // and the message loop until the script ended.
  void Run(const std::function<void()>& start = {}) {
    Current = this;
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, OnTimer);
    if (start) start();
    const DWORD end = GetTickCount() + 8000;
    while (!Done() && static_cast<LONG>(end - GetTickCount()) > 0) PumpMessages(20);
    KillTimer(nullptr, timer);
    EndMenus();
    PumpMessages(30);
    Current = nullptr;
  }
};

inline void Key(HWND menu, WPARAM key) { PostMessageA(menu, WM_KEYDOWN, key, 0); }

// The keyboard state of the thread with Alt held or not.
inline void HoldAlt(bool down) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_MENU] = down ? 0x80 : 0;
  keys[VK_LMENU] = down ? 0x80 : 0;
  SetKeyboardState(keys);
}

}  // namespace menutest
