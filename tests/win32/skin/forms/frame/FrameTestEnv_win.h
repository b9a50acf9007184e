#pragma once
// What the frame tests share: a window class that records what reaches the procedure under
// the skin, and a timer that closes any menu that opens.
#include "support/Screen_win.h"
#include "tests/win32/skin/data/manager/SkinTestEnv_win.h"

namespace frametest {

// Non-client presses are recorded and not passed on (the default procedure would start a
// modal move or menu loop); everything else goes to the default procedure.
struct TRecorder {
  static inline WPARAM LastPressHit = ~WPARAM(0);
  static inline int SysCommands = 0;
  static inline WPARAM LastSysCommand = 0;
};

inline LRESULT CALLBACK RecordingProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCLBUTTONDOWN) {
    TRecorder::LastPressHit = wParam;
    return 0;
  }
  if (msg == WM_SYSCOMMAND) {
    ++TRecorder::SysCommands;
    TRecorder::LastSysCommand = wParam & 0xFFF0;
  }
  return DefWindowProcA(wnd, msg, wParam, lParam);
}

inline const char* RecordingClass() { return TestClass("SkinFrameRecording", RecordingProc); }

// Ends whatever menu is tracked a moment after it opened.
inline void CALLBACK EndMenuTick(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  EndMenu();
}
inline void CloseMenusSoon() { SetTimer(nullptr, 0, 150, EndMenuTick); }

}  // namespace frametest
