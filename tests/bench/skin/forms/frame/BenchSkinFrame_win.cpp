// The skinned frame's costs, each against its native counterpart in the same run: one
// WM_NCPAINT of a 640 x 480 window (borders, title bar with caption and buttons) against the
// default procedure's paint of the same window; one title-bar button hover repaint; and the
// title-bar render (a 1024 x 30 two-frame strip stretched and copied out) made through a
// bitmap created per call against one reused buffer, beside a bare StretchBlt.
#include <windows.h>

#include <cstdio>

#include "bench/BenchHarness.h"
#include "skin/data/SkinData_win.h"
#include "skin/forms/FormSkin.h"
#include "skin/forms/SkinDraw_win.h"
#include "support/BuiltinSkin_win.h"
#include "support/Pump_win.h"
#include "support/Screen_win.h"
#include "support/TestWindow_win.h"

namespace {

HWND MakeFrameWindow(const char* title) {
  static const char* cls = TestClass("BenchFrame", DefWindowProcA, SystemColourBrush(COLOR_BTNFACE));
  return CreateWindowExA(0, cls, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 640, 480, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

// A two-frame 80 x 30 strip with 20-pixel caps, like a skin's title piece.
TBitmapHandle TitleStrip() {
  void* bits = nullptr;
  TBitmapHandle strip = CreateSkinDib(80, 60, &bits, 32);
  auto* px = static_cast<uint32_t*>(bits);
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 80; ++x)
      px[y * 80 + x] = 0xFF000000u | static_cast<uint32_t>((x * 3) << 16 | (y * 4) << 8 | 0x80);
  return strip;
}

}  // namespace

int main() {
  InstallSkinEngine();
  TSkinData data(nullptr);
  const bool loaded = LoadBuiltinSkin(data);
  TSkinManage* manager = SkinManage();
  if (!manager || !loaded) {
    std::printf("no manager or no skin\n");
    return 1;
  }
  manager->SetSkinningOn(false);  // the windows below are attached by hand

  // ---- one WM_NCPAINT: skinned against the default procedure ----
  HWND native = MakeFrameWindow("A window of 640 x 480 with its caption");
  HWND skinned = MakeFrameWindow("A window of 640 x 480 with its caption");
  TSkinForm handler(*manager, nullptr, skinned);
  handler.AttachToWindow(&data);
  SendMessageA(skinned, CM_SKINSTART, 0, 1000);
  SetWindowPos(skinned, nullptr, 0, 0, 640, 480, SWP_NOMOVE | SWP_NOZORDER);
  SetActiveWindow(skinned);
  PumpMessages(20);
  const TBenchResult nativePaint = Bench([&] { SendMessageA(native, WM_NCPAINT, 1, 0); });
  const TBenchResult skinnedPaint = Bench([&] { SendMessageA(skinned, WM_NCPAINT, 1, 0); });
  PrintBench("WM_NCPAINT, native frame (default procedure)", nativePaint);
  PrintBench("WM_NCPAINT, skinned frame", skinnedPaint);
  std::printf("ratio %.2fx\n\n", skinnedPaint.MicrosPerCall / nativePaint.MicrosPerCall);

  // ---- one hover repaint of the close button: the pointer on it, then off it ----
  TSkinSysButton* close = nullptr;
  for (auto& b : handler.TitleButtons().Buttons())
    if (b->Visible && b->Description().Action == 0) close = b.get();
  if (!close || !handler.Active()) {
    std::printf("no close button or the window is not active\n");
    return 1;
  }
  const TSkinRect c = close->BoundsRect;
  const LPARAM on = ScreenLParam(skinned, (c.Left + c.Right) / 2, (c.Top + c.Bottom) / 2);
  const LPARAM off = ScreenLParam(skinned, 200, 12);
  SendMessageA(skinned, WM_NCMOUSEMOVE, HTCAPTION, on);
  const bool hot = close->State == ncsHot;
  SendMessageA(skinned, WM_NCMOUSEMOVE, HTCAPTION, off);
  if (!hot || close->State != ncsNormal) {
    std::printf("the close button does not follow the pointer\n");
    return 1;
  }
  const TBenchResult hover = Bench([&] {
    SendMessageA(skinned, WM_NCMOUSEMOVE, HTCAPTION, on);
    SendMessageA(skinned, WM_NCMOUSEMOVE, HTCAPTION, off);
  });
  std::printf("%-52s %10.2f us/repaint (%lld enter+leave pairs)\n", "title-bar button hover repaint",
              hover.MicrosPerCall / 2, hover.Calls);
  std::printf("against the native WM_NCPAINT %.2fx\n\n", hover.MicrosPerCall / 2 / nativePaint.MicrosPerCall);
  handler.DetachSkin();
  DestroyWindow(native);
  DestroyWindow(skinned);

  // ---- the title-bar render, 1024 x 30 ----
  TBitmapHandle strip = TitleStrip();
  TSelectedBitmap src(strip.get());
  TBitmapHandle target = CreateSkinDib(1024, 30, nullptr, 32);
  MemoryDc dc;
  SelectGuard sel(dc.get(), target.get());
  SetStretchBltMode(dc.get(), COLORONCOLOR);
  const RECT bar{0, 0, 1024, 30};
  const TSkinMargins caps{20, 0, 20, 0};
  TBitmapHandle reused = CreateSkinDib(1024, 30, nullptr, 32);
  MemoryDc reusedDc;
  SelectGuard reusedSel(reusedDc.get(), reused.get());
  const TBenchResult bare =
      Bench([&] { StretchBlt(dc.get(), 0, 0, 1024, 30, src.Image().Dc, 20, 0, 40, 30, SRCCOPY); });
  const TBenchResult perCall = Bench([&] {
    TBitmapHandle out = DrawSkinRect(bar, src.Image(), caps, true, false, 2, 1);
    MemoryDc mem;
    SelectGuard s(mem.get(), out.get());
    BitBlt(dc.get(), 0, 0, 1024, 30, mem.get(), 0, 0, SRCCOPY);
  });
  const TBenchResult buffered = Bench([&] {
    RenderSkinRect(reusedDc.get(), 1024, 30, src.Image(), caps, true, false, 2, 1);
    BitBlt(dc.get(), 0, 0, 1024, 30, reusedDc.get(), 0, 0, SRCCOPY);
  });
  const TBenchResult dibOnly = Bench([&] { TBitmapHandle b = CreateSkinDib(1024, 30, nullptr, 32); });
  PrintBench("bare StretchBlt 40 x 30 -> 1024 x 30", bare);
  PrintBench("DrawSkinRect 1024 x 30 (new bitmap) + copy", perCall);
  PrintBench("RenderSkinRect into a reused buffer + copy", buffered);
  PrintBench("a 1024 x 30 32-bit DIB section made and freed", dibOnly);
  std::printf("ratios to the bare StretchBlt: new bitmap %.2fx, reused buffer %.2fx\n",
              perCall.MicrosPerCall / bare.MicrosPerCall, buffered.MicrosPerCall / bare.MicrosPerCall);
  return 0;
}
