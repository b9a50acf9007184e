#pragma once
// Helpers for tests that run real windows: pumping the queue for a while and catching
// what the class library would show in message boxes.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/Dialogs.h"

// Handles queued messages until done() or the time is up; answers done().
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(1);
  }
  return true;
}

// Collects message-box texts instead of showing boxes, while it lives.
class CapturedBoxes {
 public:
  explicit CapturedBoxes(int answer = IDOK) {
    SetMessageBoxHook([this, answer](const std::string& text, const std::string&, UINT) {
      Texts.push_back(text);
      return answer;
    });
  }
  ~CapturedBoxes() { SetMessageBoxHook(nullptr); }
  std::vector<std::string> Texts;
};
