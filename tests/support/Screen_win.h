#pragma once
// What the screen shows, read back as a user would see it. Every read takes screen
// coordinates; InWindow and InClient say which origin a test's own numbers have.
#include <windows.h>

#include <vector>

#include "support/Pump_win.h"

// A point given from the window's top-left corner (its frame included), on the screen.
inline POINT InWindow(HWND wnd, int x, int y) {
  RECT r{};
  GetWindowRect(wnd, &r);
  return {r.left + x, r.top + y};
}

// A point of the window's client area, on the screen.
inline POINT InClient(HWND wnd, int x, int y) {
  POINT p{x, y};
  ClientToScreen(wnd, &p);
  return p;
}

// A point of the window's frame as the LPARAM of a non-client mouse message.
inline LPARAM ScreenLParam(HWND wnd, int x, int y) {
  const POINT p = InWindow(wnd, x, y);
  return MAKELPARAM(p.x, p.y);
}

inline COLORREF ScreenPixel(POINT at) {
  HDC screen = GetDC(nullptr);
  const COLORREF c = GetPixel(screen, at.x, at.y);
  ReleaseDC(nullptr, screen);
  return c;
}

// Wine copies a window's drawing to the screen from the message loop, so right after a paint
// the screen can still show the previous one: the loop runs a moment before the read.
inline void LetScreenCatchUp() { PumpMessages(80); }

inline COLORREF SettledScreenPixel(POINT at) {
  LetScreenCatchUp();
  return ScreenPixel(at);
}

// The whole window as the screen shows it, row by row, once the screen has caught up.
inline std::vector<COLORREF> WindowScreenPixels(HWND wnd) {
  LetScreenCatchUp();
  RECT r{};
  GetWindowRect(wnd, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  std::vector<COLORREF> out;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) out.push_back(GetPixel(mem, x, y));
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return out;
}

// How many pixels two readings of the same window differ in (-1 for readings of other sizes).
inline int PixelDifferences(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
  if (a.size() != b.size()) return -1;
  int n = 0;
  for (size_t i = 0; i < a.size(); ++i) n += a[i] != b[i];
  return n;
}
