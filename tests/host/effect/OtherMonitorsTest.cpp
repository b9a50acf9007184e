// Monitors left of or above the primary one have negative coordinates. The effects'
// arithmetic must carry them as they are: a particle follows the cursor there and never
// comes back to the primary monitor on its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "Fakes.h"
#include "effect/ufrmFlagParticle.h"
#include "effect/ufrmMagicParticle.h"
#include "support/ScriptedRandom.h"

namespace {

std::vector<std::unique_ptr<TfrmFlagParticle>> MakeChain(int n) {
  std::vector<std::unique_ptr<TfrmFlagParticle>> chain;
  TfrmFlagParticle* previous = nullptr;
  for (int i = 0; i < n; ++i) {
    auto* p = new TfrmFlagParticle(std::make_unique<TFakeImage>(27, 27), {0, 0}, 255, 0.0L, i, previous);
    if (previous) previous->Next = p;
    previous = p;
    chain.emplace_back(p);
  }
  return chain;
}

}  // namespace

TEST(FlagOnOtherMonitors, FirstStepFromTheCornerTowardANegativeHead) {
  TScriptedRandom script;
  auto chain = MakeChain(2);
  for (auto& p : chain) p->CursorMoved({-500, -300});
  chain[0]->DrawFrame();
  EXPECT_EQ(chain[0]->Position, (TPoint{-500, -300}));
  // The follower starts at (0, 0); its resting spot is (-470, -300): offsets 470 and 300
  // keep 7/10 each, 329 and 210.
  EXPECT_EQ(chain[1]->Position, (TPoint{-141, -90}));
  chain[0]->DrawFrame();
  EXPECT_EQ(chain[1]->Position, (TPoint{-240, -153}));  // 329 and 210 keep 230 and 147
}

TEST(FlagOnOtherMonitors, ChainRestsAsARowRightOfTheCursorAndStaysBetweenItsRows) {
  struct TCase {
    TPoint Cursor, Then;  // two points on the same monitor
    const char* Where;
  };
  const TCase cases[] = {
      {{-500, -300}, {-900, -620}, "left of and above the primary monitor"},
      {{-1920, 500}, {-1000, 900}, "a full-HD monitor on the left"},
      {{700, -1080}, {100, -300}, "a monitor above"},
      {{-29, -1}, {-600, -2}, "just across the primary monitor's corner"},
      {{-16000, -9000}, {-15000, -9500}, "far away"},
  };
  for (const TCase& c : cases) {
    TScriptedRandom script;
    auto chain = MakeChain(8);
    for (auto& p : chain) p->CursorMoved(c.Cursor);
    for (int tick = 0; tick < 80; ++tick) chain[0]->DrawFrame();
    for (int i = 0; i < 8; ++i)
      EXPECT_EQ(chain[i]->Position, (TPoint{c.Cursor.x + 30 * i, c.Cursor.y})) << c.Where << " #" << i;

    // The cursor moves on within that monitor: on every frame the whole chain stays
    // between the row it left and the row it heads for, never overshooting onto another
    // monitor.
    for (auto& p : chain) p->CursorMoved(c.Then);
    const int32_t left = std::min(c.Cursor.x, c.Then.x), right = std::max(c.Cursor.x, c.Then.x) + 30 * 7;
    const int32_t top = std::min(c.Cursor.y, c.Then.y), bottom = std::max(c.Cursor.y, c.Then.y);
    for (int tick = 0; tick < 80; ++tick) {
      chain[0]->DrawFrame();
      for (int i = 0; i < 8; ++i) {
        const TPoint at = chain[i]->Position;
        ASSERT_TRUE(at.x >= left && at.x <= right && at.y >= top && at.y <= bottom)
            << c.Where << " #" << i << " tick " << tick << " at " << at.x << "," << at.y;
      }
    }
    for (int i = 0; i < 8; ++i)
      EXPECT_EQ(chain[i]->Position, (TPoint{c.Then.x + 30 * i, c.Then.y})) << c.Where << " #" << i;
  }
}

TEST(FlagOnOtherMonitors, ChainCrossesBetweenMonitorsBothWays) {
  TScriptedRandom script;
  auto chain = MakeChain(8);
  const TPoint stops[] = {{400, 300}, {-800, 200}, {400, -600}, {-800, -600}};
  for (const TPoint& cursor : stops) {
    for (auto& p : chain) p->CursorMoved(cursor);
    chain[0]->DrawFrame();
    EXPECT_EQ(chain[0]->Position, cursor);  // the head never lags
    for (int tick = 0; tick < 80; ++tick) chain[0]->DrawFrame();
    for (int i = 0; i < 8; ++i) EXPECT_EQ(chain[i]->Position, (TPoint{cursor.x + 30 * i, cursor.y})) << i;
  }
}

TEST(MagicOnOtherMonitors, JumpCentresThePictureAroundANegativeTarget) {
  struct TCase {
    int DrawX, DrawY;
    TPoint Expected;  // top-left corner of a 49 x 29 picture
  };
  // Target (-500, -300); the picture's centre lands at target + draw - 30, the corner half
  // the picture (24 and 14, rounded down) further up and left.
  const TCase cases[] = {
      {0, 0, {-554, -344}},
      {59, 59, {-495, -285}},
      {30, 30, {-524, -314}},
      {0, 59, {-554, -285}},
  };
  for (const TCase& c : cases) {
    TScriptedRandom script({0});
    std::unique_ptr<TfrmMagicParticle> p(
        new TfrmMagicParticle(std::make_unique<TFakeImage>(100, 60), {0, 0}, 255, 0.4913L, 0));
    p->CursorMoved({-500, -300});
    TScriptedRandom jump({c.DrawX, c.DrawY});
    p->DrawFrame();  // draws 49 x 29, reaches the upper turn and jumps
    EXPECT_EQ(p->Position, c.Expected) << c.DrawX << "," << c.DrawY;
  }
}

TEST(MagicOnOtherMonitors, ParticleStaysAroundTheCursorOnTheOtherMonitor) {
  TRecordingViews views;
  // Alternating low and high draws: jumps to both ends of the spread.
  std::vector<int> draws = {0};  // the frame interval
  for (int jump = 0; jump < 100; ++jump) {
    const int r = jump % 2 ? 59 : 0;
    draws.insert(draws.end(), {r, r});  // x and y
  }
  TScriptedRandom script(draws);
  std::unique_ptr<TfrmMagicParticle> p(
      new TfrmMagicParticle(std::make_unique<TFakeImage>(27, 27), {0, 0}, 200, 0.5L, 0));
  p->CursorMoved({-500, -300});
  for (int frame = 0; frame < 60; ++frame) p->DrawFrame();
  ASSERT_GT(views.Log.Presented.size(), 50u);
  int32_t leftmost = 0, rightmost = -100000;
  for (const TPresented& f : views.Log.Presented) {
    // Each jump puts the centre within 30 pixels of the cursor point; between jumps the
    // picture pulses in place. So every frame lies within 30 pixels plus one picture of it,
    // all of it on the monitor left of and above the primary one.
    const int32_t right = f.Position.x + static_cast<int32_t>(f.Width);
    const int32_t bottom = f.Position.y + static_cast<int32_t>(f.Height);
    EXPECT_GE(f.Position.x, -500 - 30 - 27);
    EXPECT_LE(right, -500 + 29 + 27);
    EXPECT_GE(f.Position.y, -300 - 30 - 27);
    EXPECT_LE(bottom, -300 + 29 + 27);
    EXPECT_LT(right, 0);
    EXPECT_LT(bottom, 0);
    leftmost = std::min(leftmost, f.Position.x);
    rightmost = std::max(rightmost, f.Position.x);
  }
  EXPECT_GT(rightmost - leftmost, 50);  // it did jump to both ends of the spread
}

TEST(EffectStartOnOtherMonitors, StartPointsLieAroundANegativeCursor) {
  TScriptedRandom script({0, 59, 59, 0});
  EXPECT_EQ(DrawStartPoint({-500, -300}), (TPoint{-530, -271}));
  EXPECT_EQ(DrawStartPoint({-500, -300}), (TPoint{-471, -330}));
}
