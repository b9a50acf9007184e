#pragma once
// What SkinRun.exe and the engine in the program it starts share: a small block of named
// shared memory and a named event, both named by the program's process id. SkinRun fills
// the block before the program runs; the engine, once it has started (or failed to) on the
// program's main thread, writes the outcome and sets the event.
#include <cstdint>
#include <string>

enum class TSkinRunState : uint32_t { Waiting = 0, Started = 1, Failed = 2 };

struct TSkinRunChannel {
  uint32_t Size;        // sizeof(TSkinRunChannel): both sides are of one build
  uint32_t MainThread;  // the program's main thread: the engine starts there
  TSkinRunState State;
  int32_t Result;           // LumettaSkinStart's result
  char16_t SkinFile[1024];  // empty: the built-in skin
  char16_t Reason[512];     // why the start failed
};

inline std::wstring SkinRunChannelName(uint32_t pid) { return L"LumettaSkinRun-" + std::to_wstring(pid); }
inline std::wstring SkinRunEventName(uint32_t pid) { return SkinRunChannelName(pid) + L"-started"; }

// Copies text into a fixed field, cut to fit, always closed by a zero.
template <std::size_t N, class Char>
void CopyToField(char16_t (&field)[N], const std::basic_string<Char>& text) {
  std::size_t n = text.size() < N - 1 ? text.size() : N - 1;
  for (std::size_t i = 0; i < n; ++i) field[i] = static_cast<char16_t>(text[i]);
  field[n] = 0;
}
