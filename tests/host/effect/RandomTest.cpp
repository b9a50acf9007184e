#include <gtest/gtest.h>

#include <array>

#include "effect/uRandom.h"
#include "support/ScriptedRandom.h"

TEST(Random, DrawsStayInRangeAndCoverIt) {
  TLcgRandom gen(12345);
  std::array<int, 7> seen{};
  for (int i = 0; i < 7000; ++i) {
    const int v = gen.Next(7);
    ASSERT_GE(v, 0);
    ASSERT_LT(v, 7);
    ++seen[v];
  }
  for (int count : seen) EXPECT_NEAR(count, 1000, 150);  // roughly uniform
  EXPECT_EQ(gen.Next(0), 0);
  EXPECT_EQ(gen.Next(-5), 0);
  EXPECT_EQ(gen.Next(1), 0);
}

TEST(Random, SameSeedSameSequenceAndReseedChangesIt) {
  TLcgRandom a(7), b(7);
  for (int i = 0; i < 100; ++i) ASSERT_EQ(a.Next(1000), b.Next(1000));
  b.Reseed();
  int differ = 0;
  for (int i = 0; i < 100; ++i) differ += a.Next(1 << 30) != b.Next(1 << 30);
  EXPECT_GT(differ, 90);
}

TEST(Random, ProcessWideDrawsGoThroughTheInstalledSource) {
  {
    TScriptedRandom script({3, 0, 254});
    EXPECT_EQ(Random(10), 3);
    EXPECT_EQ(Random(2), 0);
    Randomize();
    EXPECT_EQ(Random(255), 254);
    EXPECT_EQ(script.Ranges, (std::vector<int>{10, 2, 255}));
    EXPECT_EQ(script.Reseeds, 1);
  }
  // Back on the built-in generator once the script is gone.
  for (int i = 0; i < 50; ++i) {
    const int v = Random(3);
    EXPECT_TRUE(v >= 0 && v < 3);
  }
}
