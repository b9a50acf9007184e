#pragma once
// Helpers for tests that run real windows: pumping the queue for a while and catching
// what the class library would show in message boxes.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/Pump_win.h"
#include "ui/Dialogs.h"

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
