#pragma once
// Particle windows work in physical pixels, like the mouse hook's points. The program is
// system DPI aware (its skinned dialogs size frames, menus and fonts from system metrics),
// and on a monitor whose scale differs from the primary one the system scales a
// system-aware window's coordinates: a particle would be drawn away from the cursor.
// Inside a TPhysicalPixelsScope the calling thread is per-monitor aware (version 2 where
// the system has it), so windows made there are per-monitor aware and positions handed to
// them are physical pixels on every monitor. Where the system cannot switch a thread's
// awareness (before Windows 10) the scope changes nothing and the process's own system
// awareness applies.
#include <windows.h>

// SetThreadDpiAwarenessContext's shape; the contexts are handles with fixed values.
using TSetThreadDpiContext = HANDLE(WINAPI*)(HANDLE context);

// The system's SetThreadDpiAwarenessContext, looked up once, or null where it is missing.
TSetThreadDpiContext SystemSetThreadDpiContext();

enum class TThreadDpiMode { Unchanged, PerMonitorV2, PerMonitor };

class TPhysicalPixelsScope {
 public:
  // Tries per-monitor version 2, then version 1; restores the previous context at the end.
  explicit TPhysicalPixelsScope(TSetThreadDpiContext set = SystemSetThreadDpiContext()) noexcept;
  ~TPhysicalPixelsScope();
  TPhysicalPixelsScope(const TPhysicalPixelsScope&) = delete;
  TPhysicalPixelsScope& operator=(const TPhysicalPixelsScope&) = delete;

  TThreadDpiMode Mode() const { return FMode; }

  // The context values the system defines (DPI_AWARENESS_CONTEXT_*).
  static HANDLE PerMonitorV2Context() { return reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4)); }
  static HANDLE PerMonitorContext() { return reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-3)); }

 private:
  TSetThreadDpiContext FSet;
  HANDLE FPrevious = nullptr;
  TThreadDpiMode FMode = TThreadDpiMode::Unchanged;
};
