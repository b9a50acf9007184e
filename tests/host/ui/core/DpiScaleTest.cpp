// Design pixels to screen pixels: one rounding, edges that keep their neighbours, and the
// resampling map that cuts images at frames and margins.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "ui/DpiScale.h"

TEST(ScaleDpi, RoundsHalfAwayFromZeroLikeMulDiv) {
  struct TCase {
    int Value, To, From, Expected;
  };
  const TCase cases[] = {
      {0, 144, 96, 0},
      {1, 144, 96, 2},
      {-1, 144, 96, -2},
      {11, 144, 96, 17},
      {-11, 144, 96, -17},
      {17, 144, 96, 26},
      {640, 144, 96, 960},
      {480, 144, 96, 720},
      {10, 120, 96, 13},
      {3, 192, 96, 6},
      {25, 120, 96, 31},
      {7, 96, 96, 7},
      {9, 96, 144, 6},
      {-9, 96, 144, -6},
      {5, 0, 96, 5},
      {5, 144, 0, 5},
      {2000000000, 192, 96, 2147483647},  // clamped, not wrapped
  };
  for (const TCase& c : cases)
    EXPECT_EQ(ScaleDpi(c.Value, c.To, c.From), c.Expected) << c.Value << " " << c.To << "/" << c.From;
}

TEST(ScaleBounds, NeighboursKeepTheirGapsAndNeverComeToOverlap) {
  for (int dpi : {96, 120, 144, 168, 192}) {
    for (int left = 0; left < 30; ++left)
      for (int width = 0; width < 30; ++width)
        for (int gap = 0; gap < 3; ++gap) {
          SCOPED_TRACE(testing::Message() << dpi << " dpi, " << left << "+" << width << " gap " << gap);
          const TScaledBounds a = ScaleBounds(left, 3, width, 5, dpi);
          const TScaledBounds b = ScaleBounds(left + width + gap, 3, 7, 5, dpi);
          const int aRight = a.Left + a.Width;
          if (gap == 0)
            EXPECT_EQ(aRight, b.Left);  // they touched, they touch
          else
            EXPECT_LT(aRight, b.Left);  // a gap stays a gap
          // Within a pixel of the scaled size, never negative.
          EXPECT_GE(a.Width, 0);
          EXPECT_LE(std::abs(a.Width * 96 - width * dpi), 96);
        }
  }
  // The same rule down the page, and at 96 DPI nothing moves.
  EXPECT_EQ(ScaleBounds(16, 40, 120, 25, 144), (TScaledBounds{24, 60, 180, 38}));
  EXPECT_EQ(ScaleBounds(17, 41, 75, 21, 96), (TScaledBounds{17, 41, 75, 21}));
}

namespace {
// The source pixels a map uses, each with how many target pixels it got.
std::vector<int> Coverage(const std::vector<int>& map, int length) {
  std::vector<int> counts(static_cast<size_t>(length), 0);
  for (int s : map) {
    EXPECT_GE(s, 0);
    EXPECT_LT(s, length);
    if (s >= 0 && s < length) ++counts[static_cast<size_t>(s)];
  }
  return counts;
}
}  // namespace

TEST(ScaleAxisMap, DoublingRepeatsEveryPixelTwice) {
  for (int length : {1, 7, 40}) {
    const std::vector<int> map = ScaleAxisMap(length, 1, 0, 0, 192);
    ASSERT_EQ(static_cast<int>(map.size()), 2 * length);
    for (size_t i = 0; i < map.size(); ++i) EXPECT_EQ(map[i], static_cast<int>(i / 2)) << length;
  }
  // Frames and margins do not change doubling.
  const std::vector<int> framed = ScaleAxisMap(30, 3, 3, 2, 192);
  for (size_t i = 0; i < framed.size(); ++i) EXPECT_EQ(framed[i], static_cast<int>(i / 2));
}

TEST(ScaleAxisMap, AtItsOwnDpiEveryPixelStaysWhereItIs) {
  for (int frames : {1, 2, 5})
    for (int lead : {0, 1, 4})
      for (int trail : {0, 3}) {
        const std::vector<int> map = ScaleAxisMap(23, frames, lead, trail, 120, 120);
        ASSERT_EQ(map.size(), 23u);
        for (int i = 0; i < 23; ++i) EXPECT_EQ(map[static_cast<size_t>(i)], i);
      }
}

TEST(ScaleAxisMap, FramesAndMarginsAreScaledEachOnItsOwn) {
  struct TCase {
    int Length, Frames, Lead, Trail, Dpi;
  };
  const TCase cases[] = {
      {102, 6, 0, 0, 144},  // title buttons: 17-pixel frames
      {120, 5, 4, 4, 144},  // push button: 24-pixel frames, 4-pixel edges
      {60, 2, 8, 8, 120},   // frames stacked, 30 each
      {391, 23, 0, 0, 144}, {40, 8, 2, 2, 168}, {13, 1, 6, 7, 144},  // margins that fill the frame: no middle
      {10, 2, 4, 4, 144},  // margins wider than a frame are left out
      {25, 2, 1, 1, 144},  // a one-pixel tail past the last whole frame
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Length << "/" << c.Frames << " " << c.Lead << "," << c.Trail
                                    << " at " << c.Dpi);
    const std::vector<int> map = ScaleAxisMap(c.Length, c.Frames, c.Lead, c.Trail, c.Dpi);
    const int frame = c.Length / c.Frames, frameTo = ScaleDpi(frame, c.Dpi);
    const int tail = c.Length - frame * c.Frames;
    ASSERT_EQ(static_cast<int>(map.size()), frameTo * c.Frames + ScaleDpi(tail, c.Dpi));
    // Never backwards, and every source pixel shows at least once when scaling up.
    EXPECT_TRUE(std::is_sorted(map.begin(), map.end()));
    for (int n : Coverage(map, c.Length)) EXPECT_GE(n, 1);
    const bool margins = c.Lead + c.Trail <= frame;
    for (int f = 0; f < c.Frames; ++f) {
      const int at = f * frameTo;
      for (int d = 0; d < frameTo; ++d) {
        const int s = map[static_cast<size_t>(at + d)] - f * frame;
        // Nothing of a neighbouring frame.
        ASSERT_GE(s, 0) << "frame " << f << " pixel " << d;
        ASSERT_LT(s, frame) << "frame " << f << " pixel " << d;
        if (!margins) continue;
        // The scaled edges hold the source edges, and nothing else.
        const bool inLead = d < ScaleDpi(c.Lead, c.Dpi);
        const bool inTrail = d >= frameTo - ScaleDpi(c.Trail, c.Dpi);
        EXPECT_EQ(s < c.Lead, inLead) << "frame " << f << " pixel " << d;
        EXPECT_EQ(s >= frame - c.Trail, inTrail) << "frame " << f << " pixel " << d;
      }
    }
  }
}

TEST(ScaleAxisMap, NothingToMapGivesNothing) {
  EXPECT_TRUE(ScaleAxisMap(0, 1, 0, 0, 144).empty());
  EXPECT_TRUE(ScaleAxisMap(-3, 1, 0, 0, 144).empty());
  // More frames than pixels: one pixel each.
  EXPECT_EQ(ScaleAxisMap(3, 10, 0, 0, 192), (std::vector<int>{0, 0, 1, 1, 2, 2}));
}
