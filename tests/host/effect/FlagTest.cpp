#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "Fakes.h"
#include "effect/ufrmFlagParticle.h"
#include "support/ScriptedRandom.h"

namespace {

std::vector<int32_t> EaseSequence(int32_t d) {
  std::vector<int32_t> seq;
  for (int i = 0; i < 11; ++i) seq.push_back(d = EaseOffset(d));
  return seq;
}

// A chain of n particles built and linked as the effect does, freed at scope end.
struct TChain {
  explicit TChain(int n, uint32_t side = 20) {
    TfrmFlagParticle* previous = nullptr;
    for (int i = 0; i < n; ++i) {
      auto* p =
          new TfrmFlagParticle(std::make_unique<TFakeImage>(side, side), {7, 7}, 255, 0.0L, i, previous);
      if (previous) previous->Next = p;
      previous = p;
      Items.emplace_back(p);
    }
  }
  TfrmFlagParticle& Head() { return *Items.front(); }
  std::vector<std::unique_ptr<TfrmFlagParticle>> Items;
};

}  // namespace

TEST(FlagEasing, KeepsSevenTenthsOfTheOffsetRoundedTowardZero) {
  EXPECT_EQ(EaseSequence(100), (std::vector<int32_t>{70, 49, 34, 23, 16, 11, 7, 4, 2, 1, 0}));
  EXPECT_EQ(EaseSequence(-100), (std::vector<int32_t>{-70, -49, -34, -23, -16, -11, -7, -4, -2, -1, 0}));
  EXPECT_EQ(EaseOffset(90), 63);  // 0.7 * 90 in doubles would truncate to 62
  EXPECT_EQ(EaseOffset(1), 0);
  EXPECT_EQ(EaseOffset(-1), 0);
  EXPECT_EQ(EaseOffset(0), 0);
  EXPECT_EQ(EaseOffset(2000000000), 1400000000);  // no overflow on far-apart screens
}

TEST(FlagParticle, OneHeadTickDrawsTheWholeChainHeadFirstEachAfterItsPredecessor) {
  TRecordingViews views;
  TScriptedRandom script;
  TChain chain(8);
  for (auto& p : chain.Items) p->SetTarget({100, 50});

  chain.Head().DrawFrame();
  ASSERT_EQ(views.Log.Presented.size(), 8u);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(views.Log.Presented[i].Index, i);
    EXPECT_EQ(views.Log.Presented[i].Width, 20u);  // always the full picture
    EXPECT_EQ(views.Log.Presented[i].Alpha, 255);
  }
  // The head sits on its target; the first follower eased from (0, 0) toward (130, 50)
  // using the head's position of this very tick.
  EXPECT_EQ(views.Log.Presented[0].Position, (TPoint{100, 50}));
  EXPECT_EQ(views.Log.Presented[1].Position, (TPoint{130 - 91, 50 - 35}));
}

TEST(FlagParticle, ChainAtRestIsAStraightRowWithThirtyPixelSteps) {
  TScriptedRandom script;
  TChain chain(8);
  for (auto& p : chain.Items) p->CursorMoved({400, 300});
  for (int tick = 0; tick < 60; ++tick) {
    chain.Head().DrawFrame();
    for (int i = 1; i < 8; ++i) {
      // Never overshoots: the follower approaches its spot from the side it started on.
      const int32_t gap = chain.Items[i]->Position.x - chain.Items[i - 1]->Position.x - 30;
      ASSERT_LE(gap, 0) << "particle " << i << " tick " << tick;
    }
  }
  for (int i = 0; i < 8; ++i) EXPECT_EQ(chain.Items[i]->Position, (TPoint{400 + 30 * i, 300})) << i;

  // The cursor moves on: the head follows at once, the rest trail behind.
  for (auto& p : chain.Items) p->CursorMoved({100, 600});
  chain.Head().DrawFrame();
  EXPECT_EQ(chain.Items[0]->Position, (TPoint{100, 600}));
  EXPECT_GT(chain.Items[1]->Position.x, 130);
  EXPECT_LT(chain.Items[1]->Position.y, 600);
}

TEST(FlagParticle, OnlyTheHeadTimerRunsAndEveryParticleDrawsAnInterval) {
  TRecordingViews views;
  TScriptedRandom script({0, 39, 5});
  TChain chain(3);
  EXPECT_EQ(script.Ranges, (std::vector<int>{40, 40, 40}));
  EXPECT_TRUE(TRecordingViews::Of(*chain.Items[0]).TimerEnabled());
  EXPECT_FALSE(TRecordingViews::Of(*chain.Items[1]).TimerEnabled());
  EXPECT_FALSE(TRecordingViews::Of(*chain.Items[2]).TimerEnabled());
  EXPECT_EQ(TRecordingViews::Of(*chain.Items[0]).TimerInterval(), 80u);
  EXPECT_EQ(TRecordingViews::Of(*chain.Items[1]).TimerInterval(), 119u);
  EXPECT_EQ(TRecordingViews::Of(*chain.Items[2]).TimerInterval(), 85u);
  // The head: window built, layered, shown, then the interval; a follower's timer stops first.
  EXPECT_EQ(std::vector<std::string>(views.Log.Calls.begin(), views.Log.Calls.begin() + 3),
            (std::vector<std::string>{"layered", "show", "interval"}));
  EXPECT_EQ(std::vector<std::string>(views.Log.Calls.begin() + 3, views.Log.Calls.begin() + 7),
            (std::vector<std::string>{"layered", "show", "disabled", "interval"}));
}

TEST(FlagParticle, ClosingAFollowerJoinsTheChainAroundIt) {
  TRecordingViews views;
  TScriptedRandom script;
  TChain chain(3);
  std::unique_ptr<IParticleView> window(chain.Items[1]->View());  // a real window frees itself
  chain.Items[1].release()->WindowClosed();
  EXPECT_EQ(chain.Items[0]->Next, chain.Items[2].get());
  EXPECT_EQ(chain.Items[2]->Previous, chain.Items[0].get());
  chain.Head().DrawFrame();
  ASSERT_EQ(views.Log.Presented.size(), 2u);
  EXPECT_EQ(views.Log.Presented[1].Index, 2);
  chain.Items.erase(chain.Items.begin() + 1);
}

// Ticks the head's timer while it runs, as the window would; answers the ticks taken.
int TickWhileRunning(TChain& chain, int most) {
  int ticks = 0;
  while (ticks < most && TRecordingViews::Of(chain.Head()).TimerEnabled()) {
    chain.Head().DrawFrame();
    ++ticks;
  }
  return ticks;
}

TEST(FlagRest, TheChainStopsDrawingOnlyOnceAFrameWouldChangeNothing) {
  TRecordingViews views;
  TScriptedRandom script;
  TChain chain(8);
  for (auto& p : chain.Items) p->CursorMoved({400, 300});
  const int ticks = TickWhileRunning(chain, 200);
  ASSERT_LT(ticks, 200) << "the chain never came to rest";
  EXPECT_TRUE(chain.Head().Resting());
  for (int i = 0; i < 8; ++i) EXPECT_EQ(chain.Items[i]->Position, (TPoint{400 + 30 * i, 300})) << i;
  // Every frame but the last moved something: the last one drew the row where it rests.
  const size_t frames = views.Log.Presented.size() / 8;
  ASSERT_GE(frames, 2u);
  auto frame = [&](size_t f) {
    return std::vector<TPresented>(views.Log.Presented.begin() + f * 8,
                                   views.Log.Presented.begin() + f * 8 + 8);
  };
  auto same = [](const std::vector<TPresented>& a, const std::vector<TPresented>& b) {
    for (size_t i = 0; i < a.size(); ++i)
      if (!(a[i].Position == b[i].Position)) return false;
    return true;
  };
  for (size_t f = 1; f < frames; ++f) EXPECT_FALSE(same(frame(f - 1), frame(f))) << "frame " << f;

  // The same point again is no move; a new one wakes the chain, and it rests again there.
  for (auto& p : chain.Items) p->CursorMoved({400, 300});
  EXPECT_FALSE(TRecordingViews::Of(chain.Head()).TimerEnabled());
  for (auto& p : chain.Items) p->CursorMoved({401, 300});
  EXPECT_TRUE(TRecordingViews::Of(chain.Head()).TimerEnabled());
  EXPECT_FALSE(chain.Head().Resting());
  EXPECT_LT(TickWhileRunning(chain, 200), 200);
  EXPECT_EQ(chain.Items[7]->Position, (TPoint{401 + 210, 300}));
}

TEST(FlagRest, ARowIsAtRestOnlyWithEveryParticleOnItsSpot) {
  TScriptedRandom script;
  TChain chain(3);
  auto place = [&](TPoint target, TPoint a, TPoint b, TPoint c) {
    chain.Head().SetTarget(target);
    chain.Items[0]->Position = a;
    chain.Items[1]->Position = b;
    chain.Items[2]->Position = c;
    return ChainAtRest(chain.Head());
  };
  EXPECT_TRUE(place({10, 10}, {10, 10}, {40, 10}, {70, 10}));
  EXPECT_FALSE(place({11, 10}, {10, 10}, {40, 10}, {70, 10}));        // the head is off its target
  EXPECT_FALSE(place({10, 10}, {10, 10}, {40, 11}, {70, 11}));        // one pixel low
  EXPECT_FALSE(place({10, 10}, {10, 10}, {40, 10}, {69, 10}));        // the tail short of its spot
  EXPECT_TRUE(place({-50, -20}, {-50, -20}, {-20, -20}, {10, -20}));  // left of and above the primary screen
}

// Nothing to see (locked session, display off): the head's timer stops; a cursor that moves
// meanwhile only sets what Resume starts again.
TEST(FlagRest, SuspendedChainStaysStillUntilResumedAndWakesForAMoveMadeMeanwhile) {
  TRecordingViews views;
  TScriptedRandom script;
  TChain chain(4);
  TfrmFlagParticle& head = chain.Head();
  head.Suspend();
  EXPECT_FALSE(TRecordingViews::Of(head).TimerEnabled());
  head.Resume();
  EXPECT_TRUE(TRecordingViews::Of(head).TimerEnabled());
  EXPECT_FALSE(TRecordingViews::Of(*chain.Items[1]).TimerEnabled());  // followers never tick

  for (auto& p : chain.Items) p->CursorMoved({200, 100});
  TickWhileRunning(chain, 200);
  ASSERT_TRUE(head.Resting());
  head.Suspend();
  head.Resume();
  EXPECT_FALSE(TRecordingViews::Of(head).TimerEnabled());  // still at rest: nothing to draw

  head.Suspend();
  for (auto& p : chain.Items) p->CursorMoved({300, 100});
  EXPECT_FALSE(TRecordingViews::Of(head).TimerEnabled());
  head.Resume();
  EXPECT_TRUE(TRecordingViews::Of(head).TimerEnabled());
}
