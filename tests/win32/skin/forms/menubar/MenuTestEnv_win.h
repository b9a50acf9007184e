#pragma once
// What the menu-bar tests share: a script of steps run from
// a timer that every menu loop dispatches, and keys for an open menu.
#include <functional>
#include <vector>

#include "support/MenuWindows_win.h"
#include "tests/win32/skin/forms/frame/FrameTestEnv_win.h"

namespace menutest {

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
