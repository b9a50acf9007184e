#include "effect/PhysicalPixels_win.h"

TSetThreadDpiContext SystemSetThreadDpiContext() {
  static const TSetThreadDpiContext set = [] {
    const HMODULE user32 = GetModuleHandleA("user32.dll");
    if (!user32) return TSetThreadDpiContext{nullptr};
    return reinterpret_cast<TSetThreadDpiContext>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetThreadDpiAwarenessContext")));
  }();
  return set;
}

TPhysicalPixelsScope::TPhysicalPixelsScope(TSetThreadDpiContext set) noexcept : FSet(set) {
  if (!FSet) return;
  // The function answers the previous context, or null when it does not know the one asked
  // for (version 2 arrived after the function itself).
  if ((FPrevious = FSet(PerMonitorV2Context())) != nullptr) {
    FMode = TThreadDpiMode::PerMonitorV2;
  } else if ((FPrevious = FSet(PerMonitorContext())) != nullptr) {
    FMode = TThreadDpiMode::PerMonitor;
  }
}

TPhysicalPixelsScope::~TPhysicalPixelsScope() {
  if (FMode != TThreadDpiMode::Unchanged) FSet(FPrevious);
}
