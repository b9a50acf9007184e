// Cost of one particle frame (PrepareFrame + DrawFrame) against the least a frame can cost
// on the same machine: one UpdateLayeredWindow from a bitmap made once. Rounds of each are
// interleaved and the median round is reported, so load changes hit all three alike.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "effect/uGDIUtils_win.h"
#include "effect/ufrmBaseParticle_win.h"
#include "effect/ufrmFlagParticle.h"
#include "effect/ufrmMagicParticle.h"
#include "ui/Handles.h"

namespace {

constexpr int kRounds = 9;
constexpr int kPerRound = 150;

double Now() {
  static LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// Microseconds per call of one round.
double Round(const std::function<void(int)>& call) {
  const double start = Now();
  for (int i = 0; i < kPerRound; ++i) call(i);
  const double us = (Now() - start) * 1e6 / kPerRound;
  Pump();
  return us;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

std::string ExeDir() {
  char buf[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, buf, MAX_PATH);
  std::string s(buf);
  return s.substr(0, s.find_last_of("\\/") + 1);
}

}  // namespace

int main() {
  TGdiplusSession gdiplus;
  InstallParticleWindows();
  const std::string ball = ExeDir() + "Images/ball_blue.png";

  auto magic = std::make_unique<TfrmMagicParticle>(LoadTintedPicture(ball), TPoint{300, 300}, 255, 0.0L, 0);
  auto flag = std::make_unique<TfrmFlagParticle>(LoadTintedPicture(ball), TPoint{300, 300}, 255, 0.0L, 0, nullptr);
  magic->View()->SetTimerEnabled(false);
  flag->View()->SetTimerEnabled(false);
  if (magic->Picture->Width() == 0) {
    std::fprintf(stderr, "bench_effect: %s did not load\n", ball.c_str());
    return 1;
  }

  // The bare minimum: the same picture turned into a GDI bitmap once, selected once.
  auto* picture = dynamic_cast<TGPImage*>(flag->Picture.get());
  TBitmapHandle bitmap = picture->MakeHBitmap(0);
  const HWND bare = CreateWindowExA(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "Static", "",
                                    WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ShowWindow(bare, SW_SHOWNOACTIVATE);
  ClientDc screen(bare);
  MemoryDc memory(screen.get());
  SelectGuard selected(memory.get(), bitmap.get());
  SIZE size{static_cast<LONG>(picture->Width()), static_cast<LONG>(picture->Height())};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};

  auto bareCall = [&](int i) {
    POINT dst{300 + i % 40, 300}, src{0, 0};
    UpdateLayeredWindow(bare, screen.get(), &dst, &size, memory.get(), &src, 0, &blend, ULW_ALPHA);
  };
  auto magicCall = [&](int i) {
    magic->CursorMoved({300 + i % 40, 300});
    magic->DrawFrame();
  };
  auto flagCall = [&](int i) {
    flag->CursorMoved({300 + i % 40, 300});
    flag->DrawFrame();
  };

  for (int i = 0; i < 30; ++i) bareCall(i), magicCall(i), flagCall(i);  // warm up
  std::vector<double> tb, tm, tf;
  for (int r = 0; r < kRounds; ++r) {
    tb.push_back(Round(bareCall));
    tm.push_back(Round(magicCall));
    tf.push_back(Round(flagCall));
  }
  const double b = Median(tb), m = Median(tm), f = Median(tf);
  std::printf("bare UpdateLayeredWindow : %8.1f us\n", b);
  std::printf("Magic frame              : %8.1f us  ratio %.2f (aim <= 2.0)\n", m, m / b);
  std::printf("Flag frame               : %8.1f us  ratio %.2f (aim <= 1.5)\n", f, f / b);
  DestroyWindow(bare);
  return 0;
}
