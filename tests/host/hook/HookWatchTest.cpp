// The hook thread's decisions at each cursor sample: which sampled points reach the program,
// and when the hook is put back because the system may have removed it.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "hook/HookWatch.h"

namespace {

// One event seen by the hook thread: a hook call that stored a point, or a cursor sample.
struct TStep {
  enum { Hook, Sample } Kind;
  THookPoint Point;
  uint64_t Time = 0;             // samples only
  TSampleVerdict Expected = {};  // samples only
};

TStep HookAt(int x, int y) { return {TStep::Hook, {x, y}}; }
TStep SampleAt(uint64_t t, int x, int y, bool report = false, bool reinstall = false) {
  return {TStep::Sample, {x, y}, t, {report, reinstall}};
}

struct TCase {
  const char* Name;
  std::vector<TStep> Steps;
};

// The cursor resting at the start point, sampled every 15 ms up to and including `to`, then
// the steps: the hook has been set longer than the first back-off and no stall is seen.
std::vector<TStep> AfterQuiet(uint64_t to, std::vector<TStep> steps) {
  std::vector<TStep> all;
  for (uint64_t t = THookWatch::SampleMs; t <= to; t += THookWatch::SampleMs)
    all.push_back(SampleAt(t, 10, 20));
  all.insert(all.end(), steps.begin(), steps.end());
  return all;
}

// Every case starts with the cursor at (10, 20) at time 0.
const TCase Cases[] = {
    {"still cursor reports nothing", {SampleAt(15, 10, 20), SampleAt(30, 10, 20)}},
    {"a move no hook saw is reported once", {SampleAt(15, 300, 40, true), SampleAt(30, 300, 40)}},
    {"a move the hook stored is not reported again", {HookAt(50, 60), SampleAt(15, 50, 60)}},
    {"a sample before the cursor caught up with the hook reports nothing",
     {HookAt(50, 60), SampleAt(15, 10, 20), SampleAt(30, 50, 60)}},
    {"a move back to a point stored earlier is reported",
     {HookAt(5, 5), SampleAt(15, 5, 5), SampleAt(30, 9, 9, true), SampleAt(45, 5, 5, true)}},
    {"leaving the start point and coming back reports both",
     {SampleAt(15, 11, 20, true), SampleAt(30, 10, 20, true)}},
    {"negative coordinates of a monitor left of the main one",
     {SampleAt(15, -1280, -4, true), HookAt(-1279, -4), SampleAt(30, -1279, -4)}},
    {"two moves without a hook call are not yet evidence",
     AfterQuiet(285, {SampleAt(300, 1, 1, true), SampleAt(315, 2, 2, true), SampleAt(330, 2, 2),
                      SampleAt(345, 2, 2)})},
    {"three moves without a hook call put the hook back",
     AfterQuiet(285,
                {SampleAt(300, 1, 1, true), SampleAt(315, 2, 2, true), SampleAt(330, 3, 3, true, true)})},
    {"a hook call in between clears the evidence",
     AfterQuiet(285,
                {SampleAt(300, 1, 1, true), SampleAt(315, 2, 2, true), HookAt(4, 4), SampleAt(330, 4, 4),
                 SampleAt(345, 5, 5, true), SampleAt(360, 6, 6, true), SampleAt(375, 7, 7, true, true)})},
    {"evidence waits for the first back-off after the hook was set",
     {SampleAt(15, 1, 1, true), SampleAt(30, 2, 2, true), SampleAt(45, 3, 3, true), SampleAt(240, 3, 3),
      SampleAt(255, 4, 4, true, true)}},
    {"a thread that did not run for 200 ms puts the hook back",
     {SampleAt(15, 10, 20), SampleAt(215, 10, 20, false, true), SampleAt(230, 10, 20)}},
    {"199 ms without running is not yet a stall", {SampleAt(15, 10, 20), SampleAt(214, 10, 20)}},
    {"a stall with a move reports and puts back", {SampleAt(500, 70, 80, true, true)}},
};

void PrintTo(const TCase& c, std::ostream* os) { *os << c.Name; }

class HookWatchCase : public testing::TestWithParam<TCase> {};

TEST_P(HookWatchCase, Verdicts) {
  THookWatch watch({10, 20}, 0);
  int index = 0;
  for (const TStep& step : GetParam().Steps) {
    ++index;
    if (step.Kind == TStep::Hook) {
      watch.HookCalled(step.Point);
      continue;
    }
    const TSampleVerdict got = watch.Sample(step.Point, step.Time);
    EXPECT_EQ(got.Report, step.Expected.Report) << "step " << index;
    EXPECT_EQ(got.Reinstall, step.Expected.Reinstall) << "step " << index;
  }
}

INSTANTIATE_TEST_SUITE_P(Table, HookWatchCase, testing::ValuesIn(Cases), [](const auto& info) {
  std::string name;
  for (const char c : std::string(info.param.Name))
    name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
});

// Samples every 15 ms from `from` to `to`, the cursor moving one pixel right each time with no
// hook call; returns the times at which the hook is put back.
std::vector<uint64_t> DriveUnhooked(THookWatch& watch, uint64_t from, uint64_t to, int& x) {
  std::vector<uint64_t> times;
  for (uint64_t t = from; t <= to; t += THookWatch::SampleMs) {
    const TSampleVerdict verdict = watch.Sample({++x, 0}, t);
    EXPECT_TRUE(verdict.Report) << t;
    if (verdict.Reinstall) times.push_back(t);
  }
  return times;
}

TEST(HookWatch, BackOffDoublesUpToEightSecondsWhileNoHookCallComes) {
  // Another program moving the cursor looks like a removed hook: the cost is a hook put back
  // now and then, less and less often.
  THookWatch watch({0, 0}, 0);
  int x = 0;
  const std::vector<uint64_t> expected = {255, 765, 1770, 3780, 7785, 15795, 23805};
  EXPECT_EQ(DriveUnhooked(watch, 15, 25000, x), expected);
}

TEST(HookWatch, HookCallResetsTheBackOff) {
  THookWatch watch({0, 0}, 0);
  int x = 0;
  ASSERT_EQ(DriveUnhooked(watch, 15, 1800, x).size(), 3u);  // back-off now 2 s
  watch.HookCalled({x, 0});
  // Evidence again right away: the next put-back comes 250 ms after the last one (1770).
  const std::vector<uint64_t> expected = {2025};
  EXPECT_EQ(DriveUnhooked(watch, 1815, 2100, x), expected);
}

TEST(HookWatch, LiveHookFollowingEveryMoveIsNeverPutBack) {
  THookWatch watch({0, 0}, 0);
  for (uint64_t t = 15; t <= 20000; t += THookWatch::SampleMs) {
    // Two hook calls per sample period, the cursor ending where the second one said.
    const int x = static_cast<int>(t / 3);
    watch.HookCalled({x - 1, 7});
    watch.HookCalled({x, 7});
    const TSampleVerdict verdict = watch.Sample({x, 7}, t);
    ASSERT_FALSE(verdict.Report) << t;
    ASSERT_FALSE(verdict.Reinstall) << t;
  }
}

}  // namespace

// A cursor still for a second is sampled four times a second; its first move (sampled or told
// by a hook call) brings the fast samples back. A late sample counts as a stall against the
// interval in force: a slow sample is not one, a thread stopped for 200 ms more still is.
TEST(HookWatch, StillCursorIsSampledSlowlyAndAStallIsJudgedAgainstThatPace) {
  THookWatch watch({10, 20}, 0);
  EXPECT_EQ(watch.NextSampleMs(), THookWatch::SampleMs);
  uint64_t t = 0;
  while (t < THookWatch::IdleAfterMs) {
    t += THookWatch::SampleMs;
    EXPECT_EQ(watch.Sample({10, 20}, t), TSampleVerdict{}) << t;
  }
  EXPECT_EQ(watch.NextSampleMs(), THookWatch::IdleSampleMs);
  t += THookWatch::IdleSampleMs + 150;  // late, but not by a stall's worth
  EXPECT_EQ(watch.Sample({10, 20}, t), TSampleVerdict{});
  EXPECT_EQ(watch.NextSampleMs(), THookWatch::IdleSampleMs);
  t += THookWatch::IdleSampleMs + THookWatch::StallMs;  // stopped for 200 ms beyond its pace
  EXPECT_EQ(watch.Sample({10, 20}, t), (TSampleVerdict{false, true}));

  watch.HookCalled({11, 20});
  t += THookWatch::IdleSampleMs;
  EXPECT_EQ(watch.Sample({11, 20}, t), TSampleVerdict{});  // stored by the hook: not reported again
  EXPECT_EQ(watch.NextSampleMs(), THookWatch::SampleMs);
  // Fast again: 200 ms late is a stall once more.
  t += THookWatch::StallMs;
  EXPECT_EQ(watch.Sample({11, 20}, t), (TSampleVerdict{false, true}));
}
