#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "Fakes.h"
#include "effect/uGDIUtils.h"
#include "support/ScriptedRandom.h"

TEST(ScaledSide, ExactSinglePrecisionProductRoundedHalfToEven) {
  struct Case {
    uint32_t side;
    float scale;
    uint32_t expected;
  };
  // 0.1f is 0.100000001490116..., so 5 x 0.1f and 45 x 0.1f lie just above the half.
  const Case cases[] = {
      {25, 0.1f, 3},  {5, 0.1f, 1},   {45, 0.1f, 5},  {15, 0.1f, 2},    {3, 0.1f, 0},
      {27, 0.5f, 14}, {25, 0.5f, 12}, {1, 0.5f, 0},   {3, 0.5f, 2},     {32, 1.0f, 32},
      {0, 0.8f, 0},   {32, 0.0f, 0},  {32, -1.0f, 0}, {100, 1.7f, 170}, {1000, 0.4913f, 491},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ScaledSide(c.side, c.scale), c.expected) << c.side << " x " << c.scale;
}

TEST(ScaledCopy, AsksThePlatformForExactlyTheScaledSizeAndNeverForAZeroSide) {
  std::vector<std::pair<uint32_t, uint32_t>> asked;
  const TFakeImage picture(25, 40, &asked);

  auto a = ScaledCopy(picture, 0.1f);
  EXPECT_EQ(a->Width(), 3u);
  EXPECT_EQ(a->Height(), 4u);
  auto full = ScaledCopy(picture, 1.0f);
  EXPECT_EQ(full->Width(), 25u);
  EXPECT_EQ(full->Height(), 40u);
  EXPECT_EQ(asked, (std::vector<std::pair<uint32_t, uint32_t>>{{3, 4}, {25, 40}}));

  // A side that rounds to 0 gives an empty picture; the platform would pick a size itself.
  asked.clear();
  for (float s : {0.0f, 0.015f}) {
    auto e = ScaledCopy(picture, s);
    EXPECT_EQ(e->Width(), 0u);
    EXPECT_EQ(e->Height(), 0u);
  }
  EXPECT_TRUE(asked.empty());

  // A picture that never loaded scales to another empty one.
  auto none = ScaledCopy(TEmptyImage(), 1.0f);
  EXPECT_EQ(none->Width() + none->Height(), 0u);
}

TEST(Tint, ScreenBlendExamples) {
  struct Case {
    uint8_t c, t, expected;
  };
  const Case cases[] = {
      {0, 0, 0},     {0, 128, 128}, {200, 100, 222}, {0, 255, 255}, {77, 255, 255},
      {255, 0, 255}, {123, 0, 123}, {255, 200, 255}, {1, 1, 2},     {100, 1, 101},
  };
  for (const Case& k : cases)
    EXPECT_EQ(ScreenBlend(k.c, k.t), k.expected) << int(k.c) << " with " << int(k.t);
  // Never darkens.
  for (int c = 0; c < 256; c += 5)
    for (int t = 0; t < 256; t += 7) ASSERT_GE(ScreenBlend(uint8_t(c), uint8_t(t)), c);
}

TEST(Tint, BlendsBlueGreenRedBytesOfEveryRowAndLeavesAlphaAndPaddingAlone) {
  // 3 x 2 pixels, rows 16 bytes apart: 4 padding bytes per row that must stay untouched.
  const uint32_t w = 3, h = 2;
  const int32_t stride = 16;
  std::array<uint8_t, 32> px{};
  for (size_t i = 0; i < px.size(); ++i) px[i] = static_cast<uint8_t>(i * 7);
  const auto before = px;

  TintPixels(px.data(), stride, w, h, /*red*/ 255, /*green*/ 0, /*blue*/ 100);
  for (uint32_t y = 0; y < h; ++y) {
    for (uint32_t x = 0; x < w; ++x) {
      const size_t o = y * stride + x * 4;
      EXPECT_EQ(px[o + 0], ScreenBlend(before[o + 0], 100));  // blue
      EXPECT_EQ(px[o + 1], before[o + 1]);                    // green, tint 0
      EXPECT_EQ(px[o + 2], 255);                              // red, tint 255
      EXPECT_EQ(px[o + 3], before[o + 3]);                    // alpha
    }
    for (size_t o = y * stride + w * 4; o < (y + 1) * stride; ++o) EXPECT_EQ(px[o], before[o]);
  }

  // Tint (0, 0, 0) changes nothing; no rows changes nothing.
  auto copy = before;
  TintPixels(copy.data(), stride, w, h, 0, 0, 0);
  EXPECT_EQ(copy, before);
  TintPixels(copy.data(), stride, 0, 0, 9, 9, 9);
  TintPixels(nullptr, stride, w, h, 9, 9, 9);
  EXPECT_EQ(copy, before);
}

TEST(Tint, DrawsBlueThenGreenThenRedEachBelow255) {
  TScriptedRandom script({10, 20, 254});
  const TTint t = DrawTint();
  EXPECT_EQ(t.Blue, 10);
  EXPECT_EQ(t.Green, 20);
  EXPECT_EQ(t.Red, 254);
  EXPECT_EQ(script.Ranges, (std::vector<int>{255, 255, 255}));
}
