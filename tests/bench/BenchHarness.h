#pragma once
// A small timing harness for the Windows benchmarks (QueryPerformanceCounter): runs a body
// in growing batches until a time budget is spent and reports the mean time per call of
// the fastest of a few rounds.
#include <windows.h>

#include <cstdio>

struct TBenchResult {
  double MicrosPerCall = 0;
  long long Calls = 0;
};

// Several short rounds; the fastest round counts, so a busy machine disturbs little.
template <class Body>
TBenchResult Bench(Body&& body, double seconds = 0.6, int rounds = 6) {
  LARGE_INTEGER freq, start, now;
  QueryPerformanceFrequency(&freq);
  for (int i = 0; i < 3; ++i) body();  // warm caches and lazily made objects
  TBenchResult best{0, 0};
  for (int round = 0; round < rounds; ++round) {
    long long calls = 0, batch = 1;
    double elapsed = 0;
    QueryPerformanceCounter(&start);
    while (elapsed < seconds / rounds) {
      for (long long i = 0; i < batch; ++i) body();
      calls += batch;
      if (batch < (1 << 12)) batch *= 2;
      QueryPerformanceCounter(&now);
      elapsed = static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(freq.QuadPart);
    }
    const double perCall = elapsed * 1e6 / static_cast<double>(calls);
    if (best.Calls == 0 || perCall < best.MicrosPerCall) best = {perCall, calls};
  }
  return best;
}

inline void PrintBench(const char* name, const TBenchResult& r) {
  std::printf("%-52s %10.2f us/call  (%lld calls in the best round)\n", name, r.MicrosPerCall, r.Calls);
}
