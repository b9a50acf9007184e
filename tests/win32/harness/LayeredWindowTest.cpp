// Proves that the Wine runner gives us what the particles rely on: a top-most, layered,
// click-through tool window drawn with UpdateLayeredWindow from a premultiplied 32-bit bitmap.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

LRESULT CALLBACK PlainProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

HWND MakeWindow(const char* cls, DWORD exStyle, DWORD style, int x, int y, int w, int h) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = PlainProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = cls;
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  RegisterClassA(&wc);
  return CreateWindowExA(exStyle, cls, cls, style, x, y, w, h, nullptr, nullptr, wc.hInstance, nullptr);
}

void Pump() {
  MSG msg;
  for (int i = 0; i < 20; ++i) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(10);
  }
}

}  // namespace

TEST(LayeredWindow, ClickThroughTopMostToolWindowDrawnPerPixel) {
  // An ordinary window underneath, active, to prove the layered one never steals it.
  HWND below = MakeWindow("HarnessBelow", 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300);
  ASSERT_NE(below, nullptr);
  SetForegroundWindow(below);
  Pump();
  const HWND foreground = GetForegroundWindow();

  const DWORD ex = WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  HWND particle = MakeWindow("HarnessParticle", ex, WS_POPUP, 0, 0, 10, 10);
  ASSERT_NE(particle, nullptr);
  ShowWindow(particle, SW_SHOWNOACTIVATE);

  // 32 x 24 premultiplied ARGB: a half-transparent red.
  const int w = 32, h = 24;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(bmp, nullptr);
  auto* px = static_cast<uint32_t*>(bits);
  for (int i = 0; i < w * h; ++i) px[i] = 0x80800000u;  // A=128, R=128 premultiplied
  HDC mem = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(mem, bmp);

  POINT dst{200, 150}, src{0, 0};
  SIZE size{w, h};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  EXPECT_TRUE(UpdateLayeredWindow(particle, screen, &dst, &size, mem, &src, 0, &blend, ULW_ALPHA));
  SelectObject(mem, old);
  DeleteDC(mem);
  DeleteObject(bmp);
  ReleaseDC(nullptr, screen);
  Pump();

  RECT rc;
  ASSERT_TRUE(GetWindowRect(particle, &rc));
  EXPECT_EQ(rc.left, 200);
  EXPECT_EQ(rc.top, 150);
  EXPECT_EQ(rc.right - rc.left, w);
  EXPECT_EQ(rc.bottom - rc.top, h);
  EXPECT_TRUE(GetWindowLongA(particle, GWL_EXSTYLE) & WS_EX_TOPMOST);

  // Clicks go through: the point at its centre belongs to the window beneath.
  const POINT centre{216, 162};
  EXPECT_NE(WindowFromPoint(centre), particle);
  EXPECT_EQ(WindowFromPoint(centre), below);
  EXPECT_NE(GetForegroundWindow(), particle);
  EXPECT_EQ(GetForegroundWindow(), foreground);

  DestroyWindow(particle);
  DestroyWindow(below);
}
