// Cost of one particle frame (PrepareFrame + DrawFrame) against the least a frame can cost
// on the same machine: one UpdateLayeredWindow from a bitmap made once, in the same run.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "bench/BenchHarness.h"
#include "effect/uGDIUtils_win.h"
#include "effect/ufrmBaseParticle_win.h"
#include "effect/ufrmFlagParticle.h"
#include "effect/ufrmMagicParticle.h"
#include "support/ExeDir_win.h"
#include "ui/Handles.h"

int main() {
  TGdiplusSession gdiplus;
  InstallParticleWindows();
  const std::string ball = BallPath();

  auto magic = std::make_unique<TfrmMagicParticle>(LoadTintedPicture(ball), TPoint{300, 300}, 255, 0.0L, 0);
  auto flag =
      std::make_unique<TfrmFlagParticle>(LoadTintedPicture(ball), TPoint{300, 300}, 255, 0.0L, 0, nullptr);
  magic->View()->SetTimerEnabled(false);
  flag->View()->SetTimerEnabled(false);
  if (magic->Picture->Width() == 0) {
    std::fprintf(stderr, "bench_effect: %s did not load\n", ball.c_str());
    return 1;
  }

  // The bare minimum: the same picture turned into a GDI bitmap once, selected once.
  auto* picture = dynamic_cast<TGPImage*>(flag->Picture.get());
  TBitmapHandle bitmap = picture->MakeHBitmap(0);
  const HWND bare =
      CreateWindowExA(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "Static", "",
                      WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ShowWindow(bare, SW_SHOWNOACTIVATE);
  ClientDc screen(bare);
  MemoryDc memory(screen.get());
  SelectGuard selected(memory.get(), bitmap.get());
  SIZE size{static_cast<LONG>(picture->Width()), static_cast<LONG>(picture->Height())};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};

  // Each call moves the target a little, so every frame really moves its window.
  int step = 0;
  auto bareCall = [&] {
    POINT dst{300 + ++step % 40, 300}, src{0, 0};
    UpdateLayeredWindow(bare, screen.get(), &dst, &size, memory.get(), &src, 0, &blend, ULW_ALPHA);
  };
  auto magicCall = [&] {
    magic->CursorMoved({300 + ++step % 40, 300});
    magic->DrawFrame();
  };
  auto flagCall = [&] {
    flag->CursorMoved({300 + ++step % 40, 300});
    flag->DrawFrame();
  };

  const TBenchResult b = Bench(bareCall), m = Bench(magicCall), f = Bench(flagCall);
  PrintBench("bare UpdateLayeredWindow", b);
  PrintBench("Magic frame (PrepareFrame + DrawFrame)", m);
  PrintBench("Flag frame (PrepareFrame + DrawFrame)", f);
  std::printf("ratio Magic / bare: %.2f (aim <= 2.0)\n", m.MicrosPerCall / b.MicrosPerCall);
  std::printf("ratio Flag / bare:  %.2f (aim <= 1.5)\n", f.MicrosPerCall / b.MicrosPerCall);
  DestroyWindow(bare);
  return 0;
}
