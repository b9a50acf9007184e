// The cost of scaling the built-in skin when it is loaded for 144 DPI: the model is read at
// 96 DPI (untimed), then scaled, with the program's own device bitmaps; and the whole load at
// 96 and at 144 DPI for comparison.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/BenchHarness.h"
#include "skin/data/SkinData_win.h"
#include "skin/data/SkinScale.h"

namespace {

double Millis(const LARGE_INTEGER& a, const LARGE_INTEGER& b, const LARGE_INTEGER& freq) {
  return static_cast<double>(b.QuadPart - a.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

}  // namespace

int main() {
  HMODULE module = GetModuleHandleA(nullptr);
  TSkinPlatformAtDpi at96(GdiSkinPlatform(), 96), at144(GdiSkinPlatform(), 144);
  LARGE_INTEGER freq, t0, t1;
  QueryPerformanceFrequency(&freq);
  std::vector<double> scale;
  for (int i = 0; i < 25; ++i) {
    TSkinData data(nullptr, at96);
    if (!ReadSkinStreamResource(data, module) || data.NoSkin) {
      std::printf("the built-in skin did not load\n");
      return 1;
    }
    QueryPerformanceCounter(&t0);
    ScaleSkinModel(data, 144);
    QueryPerformanceCounter(&t1);
    scale.push_back(Millis(t0, t1, freq));
  }
  std::sort(scale.begin(), scale.end());
  std::printf("%-52s %10.2f ms fastest, %.2f ms median of %zu\n", "scale the built-in skin 96 -> 144 DPI",
              scale.front(), scale[scale.size() / 2], scale.size());
  const TBenchResult load96 = Bench([&] {
    TSkinData data(nullptr, at96);
    ReadSkinStreamResource(data, module);
  });
  const TBenchResult load144 = Bench([&] {
    TSkinData data(nullptr, at144);
    ReadSkinStreamResource(data, module);
  });
  PrintBench("load the built-in skin at 96 DPI", load96);
  PrintBench("load the built-in skin at 144 DPI (scaled)", load144);
  return 0;
}
