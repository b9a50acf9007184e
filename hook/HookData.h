#pragma once
// The record the hook library shares with the program: the program writes MainWindow once,
// the library writes X and Y on every mouse move. Three 4-byte fields, no gaps, in this order,
// in the 64-bit build too: window handles are 32-bit values on 64-bit Windows as well (so
// that 32- and 64-bit programs can share them), sign-extended to pointer width.
#include <cstddef>
#include <cstdint>

struct THookData {
  uint32_t MainWindow;  // HWND value of the window that receives the cursor message
  int32_t X;
  int32_t Y;
};
static_assert(sizeof(THookData) == 12, "HookData must be three packed 4-byte fields");
static_assert(offsetof(THookData, MainWindow) == 0 && offsetof(THookData, X) == 4 &&
                  offsetof(THookData, Y) == 8,
              "HookData field order");
using PHookData = THookData*;

// A window handle into the record and back (handles are opaque pointers: no <windows.h> here).
inline uint32_t HookWindowValue(const void* window) {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window));
}
template <typename Handle>
inline Handle HookWindowHandle(uint32_t value) {
  return reinterpret_cast<Handle>(static_cast<intptr_t>(static_cast<int32_t>(value)));
}

// Posted to MainWindow after each new point is stored; its parameters carry nothing.
constexpr unsigned WM_CURSORMOVED = 0x400 + 0xC9;  // 0x4C9
