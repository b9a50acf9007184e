#pragma once
// What the frame tests share: a window class that records what reaches the procedure under
// the skin, screen pixels read back, and a timer that closes any menu that opens.
#include "tests/win32/skin_manager/SkinTestEnv_win.h"

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

inline const char* RecordingClass() {
  static const char* name = [] {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "SkinFrameRecording";
    RegisterClassExA(&wc);
    return "SkinFrameRecording";
  }();
  return name;
}

// A pixel of the screen at a point of the window (origin at the window's top-left corner),
// copied out with BitBlt. Wine copies a window's drawing to the screen from the message loop,
// so the loop runs a moment first: without it the screen can still show the previous paint.
inline COLORREF ScreenPixel(HWND wnd, int x, int y, bool settle = true) {
  if (settle) PumpMessages(60);
  RECT r{};
  GetWindowRect(wnd, &r);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 1, 1);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, 1, 1, screen, r.left + x, r.top + y, SRCCOPY);
  const COLORREF c = GetPixel(mem, 0, 0);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return c;
}

// Ends whatever menu is tracked a moment after it opened.
inline void CALLBACK EndMenuTick(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  EndMenu();
}
inline void CloseMenusSoon() { SetTimer(nullptr, 0, 150, EndMenuTick); }

inline LPARAM ScreenPoint(HWND wnd, int frameX, int frameY) {
  RECT r{};
  GetWindowRect(wnd, &r);
  return MAKELPARAM(r.left + frameX, r.top + frameY);
}

}  // namespace frametest
