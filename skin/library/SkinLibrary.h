#pragma once
// The skin library's decisions (portable): which calls may run on which thread, the result a
// failed skin load gives, which of a thread's windows a start skins at once, and the packed
// version. LumettaSkin_win.cpp carries them out behind the C interface (LumettaSkin.h).
#include <cstdint>
#include <string>
#include <string_view>

#include "skin/data/SkinData.h"

// The values of LumettaSkinResult (the platform half checks each against the C header).
enum class TLibraryResult : int {
  Ok = 0,
  NoSuchFile = 1,
  NotAFile = 2,
  Unreadable = 3,
  NotASkin = 4,
  ImagesRefused = 5,
  WrongThread = 6,
  AlreadyStarted = 7,
  NotStarted = 8,
  Failed = 9,
};

enum class TLibraryCall { Start, Load, SetEnabled, Stop };

struct TLibraryVerdict {
  TLibraryResult Result = TLibraryResult::Ok;
  std::string Reason;  // empty when the call may run
  bool Ok() const { return Result == TLibraryResult::Ok; }
};

// Whether a call may run. engineThread: the thread the engine started on, 0 when it is not
// started; callerThread: the calling thread.
TLibraryVerdict CheckLibraryCall(TLibraryCall call, uint32_t engineThread, uint32_t callerThread);

// The result a skin load gives the caller.
TLibraryResult LibraryResultOf(TSkinLoadStatus status);

// What a start reads of each top-level window its thread already has.
struct TThreadWindow {
  std::string ClassName;
  bool Visible = false;
  bool Child = false;
  int Width = 0, Height = 0;
};
// Whether a start skins the window at once: what the user sees now (a visible top-level
// window with a size; menu windows get theirs when they open). The rest waits for activation.
bool SkinnedAtStart(const TThreadWindow& window);

// "2.20" as LUMETTA_SKIN_VERSION packs it: major in the high word, minor in the low one;
// 0 for a text that is not MAJOR.MINOR.
constexpr uint32_t PackedVersion(std::string_view text) {
  uint32_t major = 0, minor = 0;
  bool dot = false, digits = false;
  for (char c : text) {
    if (c == '.' && !dot && digits) {
      dot = true;
      digits = false;
    } else if (c >= '0' && c <= '9' && (dot ? minor : major) < 0x10000) {
      (dot ? minor : major) = (dot ? minor : major) * 10 + static_cast<uint32_t>(c - '0');
      digits = true;
    } else {
      return 0;
    }
  }
  if (!dot || !digits || major > 0xFFFF || minor > 0xFFFF) return 0;
  return (major << 16) | minor;
}
