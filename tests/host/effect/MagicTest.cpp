#include <gtest/gtest.h>

#include <vector>

#include "Fakes.h"
#include "effect/ufrmMagicParticle.h"
#include "support/ScriptedRandom.h"

namespace {

// A Magic particle as the effect makes it, but with a chosen start scale and no window
// unless recording views are installed.
TfrmMagicParticle* MakeMagic(long double scale, uint32_t w = 100, uint32_t h = 60) {
  return new TfrmMagicParticle(std::make_unique<TFakeImage>(w, h), {500, 300}, 255, scale, 0);
}

}  // namespace

TEST(MagicParticle, PulseCycleFromALowerTurnWithJumpsOnTheTurningFrames) {
  TRecordingViews views;
  TScriptedRandom script;  // every draw answers its top value
  std::unique_ptr<TfrmMagicParticle> p(MakeMagic(0.1L));
  script.Ranges.clear();  // forget the construction's interval draw

  const float expected[] = {0.1f, 0.17f, 0.289f, 0.4913f, 0.8352f, 0.5011f, 0.3007f, 0.1804f, 0.1082f};
  std::vector<float> firstCycle;
  for (int cycle = 0; cycle < 2; ++cycle) {
    for (int frame = 0; frame < 9; ++frame) {
      const float drawn = p->Scale;
      if (cycle == 0) {
        EXPECT_NEAR(drawn, expected[frame], 6e-5f) << "frame " << frame;
        firstCycle.push_back(drawn);
      } else {
        EXPECT_EQ(drawn, firstCycle[frame]) << "cycle repeats exactly, frame " << frame;
      }
      const size_t drawsBefore = script.Ranges.size();
      p->DrawFrame();
      const bool jumped = script.Ranges.size() != drawsBefore;
      EXPECT_EQ(jumped, frame == 3 || frame == 8) << "frame " << frame;
      if (jumped) EXPECT_EQ(script.Ranges.size() - drawsBefore, 2u);  // x then y
    }
  }
  EXPECT_EQ(p->Scale, 0.1f);
  EXPECT_TRUE(p->Growing);
  // Each frame showed the picture at its scale before the change, with the particle's alpha.
  ASSERT_EQ(views.Log.Presented.size(), 18u);
  EXPECT_EQ(views.Log.Presented[0].Width, 10u);
  EXPECT_EQ(views.Log.Presented[3].Width, 49u);
  EXPECT_EQ(views.Log.Presented[4].Width, 84u);
  EXPECT_EQ(views.Log.Presented[8].Width, 11u);
  EXPECT_EQ(views.Log.Presented[8].Alpha, 255);
}

TEST(MagicParticle, JumpCentresThePictureDrawnInThatFrameNearTheTarget) {
  TScriptedRandom script({0});
  std::unique_ptr<TfrmMagicParticle> p(MakeMagic(0.4913L, 100, 60));
  p->SetTarget({500, 300});
  TScriptedRandom jump({40, 10});
  p->DrawFrame();  // draws 49 x 29, then grows to 0.835 and jumps
  EXPECT_FALSE(p->Growing);
  EXPECT_EQ(p->Position.x, 500 + 40 - 30 - 49 / 2);
  EXPECT_EQ(p->Position.y, 300 + 10 - 30 - 29 / 2);
  EXPECT_EQ(jump.Ranges, (std::vector<int>{60, 60}));

  // Between turns the particle pulses in place, wherever the target goes.
  p->SetTarget({0, 0});
  const TPoint at = p->Position;
  p->DrawFrame();
  EXPECT_EQ(p->Position, at);
  EXPECT_EQ(jump.Ranges.size(), 2u);
}

TEST(MagicParticle, FramesDrawnAtTheScreenCornerBeforeTheFirstJump) {
  TScriptedRandom script;
  // Start scale k/9 for k = 0..8: frames whose position is still (0, 0).
  const int expected[] = {3, 3, 2, 1, 1, 0, 0, 0, 0};
  for (int k = 0; k < 9; ++k) {
    std::unique_ptr<TfrmMagicParticle> p(MakeMagic(static_cast<long double>(k) / 9.0L));
    int atCorner = 0;
    for (int frame = 0; frame < 6; ++frame) {
      p->DrawFrame();
      if (p->Position == TPoint{0, 0}) ++atCorner;
    }
    EXPECT_EQ(atCorner, expected[k]) << "start scale " << k << "/9";
  }
}

TEST(MagicParticle, StartScaleZeroShowsNothingFirstThenGrowsFromTheRestartScale) {
  TRecordingViews views;
  TScriptedRandom script;
  std::vector<std::pair<uint32_t, uint32_t>> asked;
  std::unique_ptr<TfrmMagicParticle> p(
      new TfrmMagicParticle(std::make_unique<TFakeImage>(32, 32, &asked), {0, 0}, 90, 0.0L, 3));
  p->DrawFrame();
  EXPECT_TRUE(views.Log.Presented.empty());  // a 0 x 0 picture: the window keeps nothing new
  EXPECT_TRUE(asked.empty());
  EXPECT_FLOAT_EQ(p->Scale, 0.17f);
  p->DrawFrame();
  ASSERT_EQ(views.Log.Presented.size(), 1u);
  EXPECT_EQ(views.Log.Presented[0].Width, 5u);  // 32 x 0.17
  EXPECT_EQ(views.Log.Presented[0].Alpha, 90);
  EXPECT_EQ(views.Log.Presented[0].Index, 3);
  EXPECT_EQ(p->FrameImage, nullptr);  // the frame's picture lives for one frame only
}

TEST(MagicParticle, MissingPictureRunsTheHooksAndShowsNothing) {
  TRecordingViews views;
  TScriptedRandom script;
  std::unique_ptr<TfrmMagicParticle> p(new TfrmMagicParticle(nullptr, {100, 100}, 255, 0.5L, 0));
  for (int i = 0; i < 20; ++i) p->DrawFrame();
  EXPECT_TRUE(views.Log.Presented.empty());
  EXPECT_NE(p->Position, (TPoint{0, 0}));  // it still jumps after the target
}
