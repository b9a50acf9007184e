#pragma once
// Shared by the tests of this folder: where the built files lie and what the system says
// about DPI awareness, through functions looked up at run time (missing before Windows 10).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/ExeDir_win.h"

// DPI_AWARENESS values.
constexpr int kAwarenessUnknown = -1;
constexpr int kAwarenessUnaware = 0;
constexpr int kAwarenessSystem = 1;
constexpr int kAwarenessPerMonitor = 2;

template <typename F>
F User32Function(const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

inline int AwarenessOf(HANDLE context) {
  static const auto get = User32Function<int(WINAPI*)(HANDLE)>("GetAwarenessFromDpiAwarenessContext");
  return get && context ? get(context) : kAwarenessUnknown;
}

inline int ThreadAwareness() {
  static const auto get = User32Function<HANDLE(WINAPI*)()>("GetThreadDpiAwarenessContext");
  return get ? AwarenessOf(get()) : kAwarenessUnknown;
}

inline int WindowAwareness(HWND wnd) {
  static const auto get = User32Function<HANDLE(WINAPI*)(HWND)>("GetWindowDpiAwarenessContext");
  return get ? AwarenessOf(get(wnd)) : kAwarenessUnknown;
}

// Wine reports every process per-monitor aware, whatever its manifest asks for.
inline bool RunningOnWine() {
  return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

// Runs in a Wine prefix of its own whose display is set to 144 DPI (at-dpi.sh sets
// LUMETTA_EXPECT_DPI); elsewhere it has nothing to check.
class HighDpi : public testing::Test {
 protected:
  void SetUp() override {
    const char* expected = std::getenv("LUMETTA_EXPECT_DPI");
    if (!expected) GTEST_SKIP() << "run by at-dpi.sh in a prefix with another display DPI";
    HDC screen = GetDC(nullptr);
    Dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(Dpi, std::atoi(expected)) << "the prefix's LogPixels did not take";
  }
  int Dpi = 0;
};
