#pragma once
// The record the hook library shares with the program: the program writes MainWindow once,
// the library writes X and Y on every mouse move. Three 4-byte fields, no gaps, in this order
// (32-bit window handles, as the library and the program are 32-bit).
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

// Posted to MainWindow after each new point is stored; its parameters carry nothing.
constexpr unsigned WM_CURSORMOVED = 0x400 + 0xC9;  // 0x4C9
