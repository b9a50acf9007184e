#pragma once
// What the hook thread decides at each cursor sample. Two things can leave the program's
// cursor behind: a move that makes no mouse input (another program's SetCursorPos, touch,
// pen) never reaches a low-level hook, and the system silently removes a hook whose calls
// time out, with no way to ask whether it is still there. So the thread samples the cursor
// and this class says, from points and times only, when to report a sampled point and when
// to put the hook back.
//
// Removal is judged from two signs: the thread itself did not run for longer than a hook
// call may wait (any call in that time timed out), or the sampled cursor keeps moving to
// points no hook call reported. The second sign also fires for programs that move the
// cursor themselves; putting the hook back costs two calls, so it is only rate-limited,
// with a back-off that doubles while no hook call comes and resets at the next one.
#include <algorithm>
#include <cstdint>

struct THookPoint {
  int32_t X = 0;
  int32_t Y = 0;
  bool operator==(const THookPoint&) const = default;
};

struct TSampleVerdict {
  bool Report = false;     // store the sampled point and post the cursor message
  bool Reinstall = false;  // set the hook again, the old one may be gone
  bool operator==(const TSampleVerdict&) const = default;
};

class THookWatch {
 public:
  static constexpr uint64_t SampleMs = 15;
  // A cursor that has not moved for IdleAfterMs is sampled only every IdleSampleMs: a still
  // cursor costs the program almost nothing, and a hook call still reports at once.
  static constexpr uint64_t IdleAfterMs = 1000;
  static constexpr uint64_t IdleSampleMs = 250;
  // Shorter than the system's hook time-out, so any stall long enough to lose a call counts.
  static constexpr uint64_t StallMs = 200;
  // Moved samples with no hook call that make a removal likely (one could be a race).
  static constexpr int Evidence = 3;
  static constexpr uint64_t FirstBackoffMs = 250;
  static constexpr uint64_t MaxBackoffMs = 8000;

  // cursor: where the cursor is when the hook is set; nothing is reported for it.
  THookWatch(THookPoint cursor, uint64_t now)
      : FSampled(cursor),
        FStored(cursor),
        FHooked(cursor),
        FLastSample(now),
        FLastInstall(now),
        FLastMove(now) {}

  // When the next sample is due, after the last one.
  uint64_t NextSampleMs() const noexcept { return FInterval; }

  // A hook call stored p in the record.
  void HookCalled(THookPoint p) {
    FStored = p;
    FHooked = p;
    FUnexplained = 0;
    FBackoff = FirstBackoffMs;
  }

  TSampleVerdict Sample(THookPoint cursor, uint64_t now) {
    TSampleVerdict verdict;
    // Late by more than a fast sample's worth of StallMs: the thread could not run.
    const bool stalled = now - FLastSample >= FInterval + StallMs - SampleMs;
    FLastSample = now;
    // A hook call comes before the cursor moves; comparing with the previous sample (not
    // only with the stored point) keeps a sample taken in between from reporting the old point.
    const bool moved = !(cursor == FSampled);
    FSampled = cursor;
    if (moved) FLastMove = now;
    FInterval = now - FLastMove < IdleAfterMs ? SampleMs : IdleSampleMs;
    if (moved && !(cursor == FStored)) {
      verdict.Report = true;
      FStored = cursor;
    }
    if (moved && !(cursor == FHooked)) ++FUnexplained;
    const bool suspect = FUnexplained >= Evidence && now - FLastInstall >= FBackoff;
    if (stalled || suspect) {
      verdict.Reinstall = true;
      FLastInstall = now;
      FUnexplained = 0;
      if (suspect) FBackoff = std::min(FBackoff * 2, MaxBackoffMs);
    }
    return verdict;
  }

 private:
  THookPoint FSampled;  // cursor at the previous sample
  THookPoint FStored;   // last point written to the record, by a hook call or a sample
  THookPoint FHooked;   // last point a hook call reported
  uint64_t FLastSample;
  uint64_t FLastInstall;
  uint64_t FBackoff = FirstBackoffMs;
  int FUnexplained = 0;
  uint64_t FLastMove;
  uint64_t FInterval = SampleMs;
};
