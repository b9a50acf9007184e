#pragma once
// A small timing harness for the Windows benchmarks (QueryPerformanceCounter): runs a body
// in growing batches until a time budget is spent and reports the mean time per call.
#include <windows.h>

#include <cstdio>

struct TBenchResult {
  double MicrosPerCall = 0;
  long long Calls = 0;
};

template <class Body>
TBenchResult Bench(Body&& body, double seconds = 0.5) {
  LARGE_INTEGER freq, start, now;
  QueryPerformanceFrequency(&freq);
  for (int i = 0; i < 3; ++i) body();  // warm caches and lazily made objects
  long long calls = 0, batch = 1;
  QueryPerformanceCounter(&start);
  double elapsed = 0;
  while (elapsed < seconds) {
    for (long long i = 0; i < batch; ++i) body();
    calls += batch;
    if (batch < (1 << 16)) batch *= 2;
    QueryPerformanceCounter(&now);
    elapsed = static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(freq.QuadPart);
  }
  return {elapsed * 1e6 / static_cast<double>(calls), calls};
}

inline void PrintBench(const char* name, const TBenchResult& r) {
  std::printf("%-52s %10.2f us/call  (%lld calls)\n", name, r.MicrosPerCall, r.Calls);
}
