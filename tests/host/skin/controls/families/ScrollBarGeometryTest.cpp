#include <gtest/gtest.h>

#include <cstdint>

#include "skin/controls/ScrollBarGeometry.h"

namespace {
constexpr int LineUp = 0, LineDown = 1, PageUp = 2, PageDown = 3, ThumbTrack = 5;
}

TEST(ControlBarThumb, FromPositionRangeAndPage) {
  struct Case {
    const char* what;
    int length, arrow;
    int64_t pos, max, page;
    TThumbExtent thumb;
  } cases[] = {
      {"no page, half way", 200, 16, 50, 100, 0, {92, 108}},  // 16 + MulDiv(152, 50, 100)
      {"no page, at 0", 200, 16, 0, 100, 0, {16, 32}},
      {"no page, at the end", 200, 16, 100, 100, 0, {168, 184}},
      {"page 11 of 100, at 0", 232, 16, 0, 100, 11, {16, 36}},  // MulDiv(200, 10, 100) long
      {"page 11 of 100, at 90", 232, 16, 90, 100, 11, {196, 216}},
      {"page rounds to nearest", 100, 10, 1, 3, 2, {37, 64}},  // MulDiv(80,1,3)=27, length 27
      {"position past the range", 200, 16, 300, 100, 0, {168, 184}},
      {"no range", 200, 16, 50, 0, 0, {16, 16}},
      {"no room for a track", 30, 16, 50, 100, 0, {16, 16}},
      // A range from INT_MIN to INT_MAX, counted from its minimum: 2^32 - 1 wide.
      {"widest range, half way", 200, 16, 2147483648LL, 4294967295LL, 0, {92, 108}},
      {"widest range, at the end", 200, 16, 4294967295LL, 4294967295LL, 0, {168, 184}},
      {"widest range, a page of half of it", 232, 16, 0, 4294967295LL, 2147483648LL, {16, 116}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ControlBarThumb(c.length, c.arrow, c.pos, c.max, c.page), c.thumb) << c.what;
}

TEST(ScrollBarLayout, ArrowsAndTrackAlongEitherAxis) {
  // Vertical, 17 x 200, arrow 16, a 16-pixel strip picture.
  const TScrollBarLayout v = ScrollBarLayout(17, 200, true, 16, 16);
  EXPECT_EQ(v.Length, 200);
  EXPECT_EQ(v.Thickness, 16);
  EXPECT_EQ(v.FirstArrow, (TSkinRect{0, 0, 16, 16}));
  EXPECT_EQ(v.SecondArrow, (TSkinRect{0, 184, 16, 200}));
  EXPECT_EQ(v.Track, (TSkinRect{0, 16, 16, 184}));
  EXPECT_EQ(ScrollThumbRect(v, true, {92, 108}), (TSkinRect{0, 92, 16, 108}));

  // Horizontal with a picture much thinner than an arrow: an arrow length thick.
  const TScrollBarLayout h = ScrollBarLayout(120, 17, false, 16, 10);
  EXPECT_EQ(h.Thickness, 16);
  EXPECT_EQ(h.FirstArrow, (TSkinRect{0, 0, 16, 16}));
  EXPECT_EQ(h.SecondArrow, (TSkinRect{104, 0, 120, 16}));
  EXPECT_EQ(h.Track, (TSkinRect{16, 0, 104, 16}));
  EXPECT_EQ(ScrollThumbRect(h, false, {30, 50}), (TSkinRect{30, 0, 50, 16}));
  EXPECT_EQ(ScrollBarLayout(120, 17, false, 16, 13).Thickness, 13);  // 13 + 3 is not below 16
}

TEST(ScrollBarLayout, ShortBarShowsTwoHalfArrowsAndNoTrack) {
  const TScrollBarLayout s = ScrollBarLayout(16, 20, true, 16, 16);
  EXPECT_EQ(s.FirstArrow, (TSkinRect{0, 0, 16, 10}));
  EXPECT_EQ(s.SecondArrow, (TSkinRect{0, 10, 16, 20}));
  EXPECT_TRUE(s.Track.Empty());
  // Exactly two arrows long: full arrows, an empty track between them.
  const TScrollBarLayout two = ScrollBarLayout(32, 16, false, 16, 16);
  EXPECT_EQ(two.FirstArrow, (TSkinRect{0, 0, 16, 16}));
  EXPECT_EQ(two.SecondArrow, (TSkinRect{16, 0, 32, 16}));
  EXPECT_TRUE(two.Track.Empty());
}

TEST(ScrollHitTest, EveryPartOfTheBar) {
  const TThumbExtent thumb{92, 108};
  struct Case {
    int along, code;
  } cases[] = {{0, LineUp},       {15, LineUp},    {16, PageUp},    {91, PageUp},    {92, ThumbTrack},
               {107, ThumbTrack}, {108, PageDown}, {183, PageDown}, {184, LineDown}, {199, LineDown}};
  for (const Case& c : cases) EXPECT_EQ(ScrollHitTest(c.along, 16, thumb, 200), c.code) << c.along;
}

TEST(DragThumb, FollowsTheCursorOneArrowFromEitherEnd) {
  const TThumbExtent now{60, 80};  // 20 long, pressed when it started at 60
  struct Case {
    int travel;
    TThumbExtent expected;
  } cases[] = {
      {0, {60, 80}},     {25, {85, 105}}, {-30, {30, 50}}, {-60, {16, 36}},  // stops one arrow from the top
      {200, {164, 184}},  // and one arrow (plus its own length) from the bottom
  };
  for (const Case& c : cases) EXPECT_EQ(DragThumb(now, 60, c.travel, 16, 200), c.expected) << c.travel;
  // A thumb longer than the track keeps to the first end.
  EXPECT_EQ(DragThumb({16, 196}, 16, 10, 16, 200), (TThumbExtent{16, 196}));
}

TEST(ScrollFrames, ArrowsTrackAndThumbByState) {
  struct Case {
    bool vertical, second, down;
    int hit, frame;
  } arrows[] = {
      {false, false, false, LineUp, 1},   {false, false, true, LineUp, 2},
      {false, true, false, LineDown, 5},  {false, true, true, LineDown, 6},
      {true, false, false, LineUp, 9},    {true, false, true, LineUp, 10},
      {true, true, false, LineDown, 13},  {true, true, true, LineDown, 14},
      {true, false, true, LineDown, 9},    // the other button is held
      {true, true, true, ThumbTrack, 13},  // the thumb is held
  };
  for (const Case& c : arrows)
    EXPECT_EQ(ScrollArrowFrame(c.vertical, c.second, c.down, c.hit), c.frame)
        << c.vertical << c.second << c.down << c.hit;
  EXPECT_EQ(ScrollTrackFrame(true), 1);
  EXPECT_EQ(ScrollTrackFrame(false), 3);
  EXPECT_EQ(ScrollThumbFrame(true, ThumbTrack), 2);
  EXPECT_EQ(ScrollThumbFrame(false, ThumbTrack), 1);
  EXPECT_EQ(ScrollThumbFrame(true, PageDown), 1);
}

TEST(ScrollBars, CornerSquareAndControlKind) {
  // A memo's bars in its client coordinates: vertical at the right, horizontal at the bottom.
  // Moved into window coordinates past the client edge, and no further: the square only.
  EXPECT_EQ(ScrollCornerRect({183, 0, 200, 83}, {0, 83, 183, 100}, 2, 2), (TSkinRect{185, 85, 202, 102}));
  EXPECT_EQ(ScrollCornerRect({183, 0, 200, 83}, {0, 83, 183, 100}, 0, 0), (TSkinRect{183, 83, 200, 100}));
  EXPECT_FALSE(ScrollKindIsVertical("sbHorizontal"));
  EXPECT_FALSE(ScrollKindIsVertical("SBHORIZONTAL"));
  EXPECT_TRUE(ScrollKindIsVertical("sbVertical"));
  EXPECT_TRUE(ScrollKindIsVertical(""));
}

namespace {
TScrollPaintInput MemoBar() {
  TScrollPaintInput in;
  in.Width = 17;
  in.Height = 200;
  in.Kind = sbkVertical;
  in.Vertical = true;
  in.Arrow = 16;
  in.StripHeight = 16;
  in.NativeThumb = {40, 70};
  return in;
}
}  // namespace

TEST(ScrollBarPaintPlan, IdleBarPaintsTrackArrowsAndTheNativeThumb) {
  const std::vector<TScrollPaintStep> expected = {
      {TScrollPart::Track, {0, 16, 16, 184}, 1},
      {TScrollPart::FirstArrow, {0, 0, 16, 16}, 9},
      {TScrollPart::SecondArrow, {0, 184, 16, 200}, 13},
      {TScrollPart::Thumb, {0, 40, 16, 70}, 1},
  };
  EXPECT_EQ(ScrollBarPaintPlan(MemoBar()), expected);
}

TEST(ScrollBarPaintPlan, PressedPartsAndDisabledBar) {
  TScrollPaintInput in = MemoBar();
  in.MouseDown = true;
  in.HitCode = LineDown;
  std::vector<TScrollPaintStep> plan = ScrollBarPaintPlan(in);
  ASSERT_EQ(plan.size(), 4u);
  EXPECT_EQ(plan[1].Frame, 9);
  EXPECT_EQ(plan[2].Frame, 14);
  EXPECT_EQ(plan[3].Frame, 1);

  in = MemoBar();
  in.Enabled = false;
  plan = ScrollBarPaintPlan(in);
  ASSERT_EQ(plan.size(), 3u);  // no thumb on a disabled bar
  EXPECT_EQ(plan[0].Frame, 3);
}

TEST(ScrollBarPaintPlan, DraggedThumbFollowsTheCursorForWindowBarsOnly) {
  TScrollPaintInput in = MemoBar();
  in.MouseDown = true;
  in.HitCode = ThumbTrack;
  in.ThumbAtPress = 40;
  in.CursorTravel = 500;  // far past the end: one arrow from it
  std::vector<TScrollPaintStep> plan = ScrollBarPaintPlan(in);
  ASSERT_EQ(plan.size(), 4u);
  EXPECT_EQ(plan[3], (TScrollPaintStep{TScrollPart::Thumb, {0, 154, 16, 184}, 2}));

  in.Kind = sbkControl;  // a control's own thumb is already where it belongs
  plan = ScrollBarPaintPlan(in);
  EXPECT_EQ(plan[3], (TScrollPaintStep{TScrollPart::Thumb, {0, 40, 16, 70}, 2}));
}

TEST(ScrollBarPaintPlan, ADraggedThumbThatTheSystemPutBackIsDrawnWhereTheNativeBarHasIt) {
  // The thumb at 40..70 of a 200-pixel bar has 200 - 32 - 30 = 138 pixels to travel.
  struct Case {
    const char* what;
    int travel;
    bool trackAtPress;
    int64_t positions;
    TSkinRect thumb;
  } cases[] = {
      {"tracking moved with the cursor", 60, false, 100, {0, 100, 16, 130}},
      {"put back: 60 pixels stand for 43 of 100 positions", 60, true, 100, {0, 40, 16, 70}},
      {"put back after a drag upwards", -20, true, 100, {0, 40, 16, 70}},
      {"less than a position from the press: still the cursor's", 1, true, 100, {0, 41, 16, 71}},
      {"138 pixels for 2 positions: 60 is less than one", 60, true, 2, {0, 100, 16, 130}},
      {"nothing to scroll", 60, true, 0, {0, 100, 16, 130}},
  };
  for (const Case& c : cases) {
    TScrollPaintInput in = MemoBar();
    in.MouseDown = true;
    in.HitCode = ThumbTrack;
    in.ThumbAtPress = 40;
    in.CursorTravel = c.travel;
    in.TrackAtPress = c.trackAtPress;
    in.TrackPositions = c.positions;
    const std::vector<TScrollPaintStep> plan = ScrollBarPaintPlan(in);
    ASSERT_EQ(plan.size(), 4u) << c.what;
    EXPECT_EQ(plan[3].Rect, c.thumb) << c.what;
  }
}

TEST(ScrollBarPaintPlan, ShortBarHasArrowsOnly) {
  TScrollPaintInput in = MemoBar();
  in.Height = 20;
  in.NativeThumb = {};
  const std::vector<TScrollPaintStep> expected = {
      {TScrollPart::FirstArrow, {0, 0, 16, 10}, 9},
      {TScrollPart::SecondArrow, {0, 10, 16, 20}, 13},
  };
  EXPECT_EQ(ScrollBarPaintPlan(in), expected);
}

TEST(ScrollForward, PressesGoToTheCoveredBar) {
  EXPECT_EQ(ScrollForward(sbkVertical, false), (TScrollForward{0xA1, 7, true}));
  EXPECT_EQ(ScrollForward(sbkHorizontal, false), (TScrollForward{0xA1, 6, true}));
  EXPECT_EQ(ScrollForward(sbkVertical, true), (TScrollForward{0xA2, 7, true}));
  EXPECT_EQ(ScrollForward(sbkControl, false), (TScrollForward{0x201, 1, false}));
  EXPECT_EQ(ScrollForward(sbkControl, true), (TScrollForward{0x202, 1, false}));
}
