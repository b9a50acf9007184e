#include <gtest/gtest.h>

#include "skin/controls/GroupBoxLayout.h"
#include "skin/controls/ProgressLayout.h"
#include "skin/controls/StatusBarLayout.h"
#include "skin/controls/TrackBarThumb.h"
#include "skin/data/ImgUtil.h"

TEST(GroupBox, FrameTopIsHalfATextHeightMinusOne) {
  struct Case {
    int textHeight, top;
  } cases[] = {{13, 5}, {16, 7}, {1, -1}, {0, -1}};
  for (const Case& c : cases) {
    const TGroupBoxLayout l = GroupBoxLayout({0, 0, 185, 105}, c.textHeight);
    EXPECT_EQ(l.Top, c.top) << c.textHeight;
    EXPECT_EQ(l.Rounded, (TSkinRect{1, c.top, 184, 104})) << c.textHeight;
    EXPECT_EQ(l.OuterWipe, (TSkinRect{0, c.top, 185, 105})) << c.textHeight;
    EXPECT_EQ(l.InnerWipe, (TSkinRect{1, c.top + 1, 184, 104})) << c.textHeight;
    EXPECT_EQ(l.Caption, (TSkinRect{9, 0, 185, 105})) << c.textHeight;
  }
}

TEST(GroupBox, CaptionFromTheWindowOrTheControl) {
  EXPECT_EQ(GroupBoxCaption(L"Options", L"Other"), L"Options");
  EXPECT_EQ(GroupBoxCaption(L"", L"From the control"), L"From the control");
  EXPECT_EQ(GroupBoxCaption(L"", L""), L"");  // an empty caption still gets the frame
}

TEST(Progress, FillLengthByPositionAndOrientation) {
  struct Case {
    const char* what;
    int w, h;
    bool vertical;
    int pos, max;
    std::optional<TSkinRect> fill, onControl;
  } cases[] = {
      {"horizontal at 0", 150, 16, false, 0, 100, std::nullopt, std::nullopt},
      {"horizontal at 50 %", 150, 16, false, 50, 100, TSkinRect{0, 0, 75, 16}, TSkinRect{0, 0, 75, 16}},
      {"horizontal at 100 %", 150, 16, false, 100, 100, TSkinRect{0, 0, 150, 16}, TSkinRect{0, 0, 150, 16}},
      {"horizontal past the end", 150, 16, false, 130, 100, TSkinRect{0, 0, 150, 16},
       TSkinRect{0, 0, 150, 16}},
      {"rounded to nearest", 100, 16, false, 1, 3, TSkinRect{0, 0, 33, 16}, TSkinRect{0, 0, 33, 16}},
      {"no range", 150, 16, false, 50, 0, std::nullopt, std::nullopt},
      {"negative position", 150, 16, false, -5, 100, std::nullopt, std::nullopt},
      {"vertical at 0", 16, 100, true, 0, 100, std::nullopt, std::nullopt},
      {"vertical at 50 %", 16, 100, true, 50, 100, TSkinRect{0, 0, 50, 16}, TSkinRect{0, 50, 16, 100}},
      {"vertical at 100 %", 16, 100, true, 100, 100, TSkinRect{0, 0, 100, 16}, TSkinRect{0, 0, 16, 100}},
  };
  for (const Case& c : cases) {
    const TProgressLayout l = ProgressLayout(c.w, c.h, c.vertical, c.pos, c.max);
    EXPECT_EQ(l.Fill, c.fill) << c.what;
    EXPECT_EQ(l.FillOnControl, c.onControl) << c.what;
    EXPECT_EQ(l.WorkWidth, c.vertical ? c.h : c.w) << c.what;
    EXPECT_EQ(l.WorkHeight, c.vertical ? c.w : c.h) << c.what;
    EXPECT_EQ(l.Copy, (TSkinRect{0, 0, c.w, c.h - 1})) << c.what;
  }
  EXPECT_TRUE(ProgressStyleVertical(0x4));
  EXPECT_FALSE(ProgressStyleVertical(0x8));
}

TEST(Progress, VerticalBarAtHalfIsFilledInItsLowerHalfOnceTurned) {
  const TProgressLayout l = ProgressLayout(16, 100, true, 50, 100);
  TPixelBuffer work(l.WorkWidth, l.WorkHeight);
  ASSERT_TRUE(l.Fill.has_value());
  for (int y = l.Fill->Top; y < l.Fill->Bottom; ++y)
    for (int x = l.Fill->Left; x < l.Fill->Right; ++x) work.SetPixel(x, y, 0x0000FF);
  RotateLeft(work);
  ASSERT_EQ(work.Width, 16);
  ASSERT_EQ(work.Height, 100);
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_EQ(work.GetPixel(x, y), y >= 50 ? 0x0000FFu : 0u) << x << "," << y;
}

TEST(Progress, ChunkStripFollowsTheBar) {
  const TChunkLayout half = ChunkProgressLayout({0, 0, 150, 16}, 50, 100, 8, 10, 2);
  EXPECT_EQ(half.BarWidth, 75);
  EXPECT_EQ(half.Copies, 10);  // 75 div 8 + 1
  EXPECT_EQ(half.Strip, (TSkinRect{2, 3, 77, 13}));
  const TChunkLayout zero = ChunkProgressLayout({0, 0, 150, 16}, 0, 100, 8, 10, 2);
  EXPECT_EQ(zero.BarWidth, 0);
  EXPECT_EQ(zero.Copies, 0);
  EXPECT_EQ(ChunkProgressLayout({0, 0, 150, 16}, 50, 100, 0, 10, 2).Copies, 0);  // no chunk picture
}

TEST(StatusBar, PanelFaceByBevel) {
  struct Case {
    const char* ident;
    int frame;
    TPlainFace plain;
  } cases[] = {{"pbLowered", 1, TPlainFace::Sunken},
               {"pbRaised", 2, TPlainFace::Raised},
               {"pbNone", 3, TPlainFace::Nothing},
               {"PBRAISED", 2, TPlainFace::Raised},
               {"", 1, TPlainFace::Sunken}};
  for (const Case& c : cases) {
    const int frame = StatusPanelFrame(PanelBevelFromIdent(c.ident));
    EXPECT_EQ(frame, c.frame) << c.ident;
    EXPECT_EQ(StatusPlainFace(frame), c.plain) << c.ident;
  }
}

TEST(StatusBar, PanelRectanglesTextAndAlignment) {
  const TSkinRect bar{0, 0, 400, 19};
  EXPECT_EQ(StatusPanelRect({0, 2, 100, 19}, false, bar), (TSkinRect{0, 2, 102, 19}));
  EXPECT_EQ(StatusPanelRect({202, 2, 380, 19}, true, bar), (TSkinRect{202, 2, 400, 19}));
  EXPECT_EQ(StatusTextRect({0, 2, 102, 19}), (TSkinRect{2, 2, 100, 19}));
  EXPECT_EQ(StatusDrawPanelRect({0, 2, 100, 19}), (TSkinRect{1, 3, 99, 18}));
  EXPECT_EQ(StatusPanelText(L""), L" ");  // empty text still goes through the framed path
  EXPECT_EQ(StatusPanelText(L"Ready"), L"Ready");

  struct Case {
    const char* ident;
    bool rtl;
    uint32_t format;
  } cases[] = {{"taLeftJustify", false, 0}, {"taRightJustify", false, 2}, {"taCenter", false, 1},
               {"taLeftJustify", true, 2},  {"taRightJustify", true, 0},  {"taCenter", true, 1}};
  for (const Case& c : cases)
    EXPECT_EQ(StatusTextFormat(PanelAlignFromIdent(c.ident), c.rtl), c.format) << c.ident << c.rtl;
}

TEST(StatusBar, SizeGripAtTheBottomRightCorner) {
  const TSkinRect bar{0, 0, 400, 19};
  EXPECT_EQ(StatusGripRect(bar, 0x100, 12, 12), (TSkinRect{387, 6, 399, 18}));
  EXPECT_EQ(StatusGripRect(bar, 0x0, 12, 12), std::nullopt);
  EXPECT_EQ(StatusGripRect(bar, 0x100, 0, 12), std::nullopt);
}

TEST(TrackBar, ThumbFrameTwoInEveryStateTicsAndChannelNative) {
  constexpr uint32_t PrePaint = 0x1, ItemPrePaint = 0x10001, PostPaint = 0x2;
  constexpr uintptr_t Tics = 1, Thumb = 2, Channel = 3;
  // Idle, hot, pressed (selected), and both.
  for (uint32_t state : {0x0u, 0x40u, 0x1u, 0x41u}) {
    const TTrackDrawAnswer a = TrackBarCustomDraw(ItemPrePaint, Thumb, state);
    EXPECT_TRUE(a.DrawThumb) << state;
    EXPECT_EQ(a.ThumbFrame, 2) << state;
    EXPECT_EQ(a.Result, 0x4u) << state;  // skip the native thumb
  }
  EXPECT_EQ(TrackBarCustomDraw(PrePaint, 0, 0), (TTrackDrawAnswer{0x20, false, 0}));
  EXPECT_EQ(TrackBarCustomDraw(ItemPrePaint, Tics, 0), (TTrackDrawAnswer{0, false, 0}));
  EXPECT_EQ(TrackBarCustomDraw(ItemPrePaint, Channel, 0x40), (TTrackDrawAnswer{0, false, 0}));
  EXPECT_EQ(TrackBarCustomDraw(PostPaint, Thumb, 0), (TTrackDrawAnswer{0, false, 0}));
}

TEST(TrackBar, ThumbPictureOrOutline) {
  EXPECT_EQ(TrackThumbPicture(0x2, true, true), TTrackThumbPicture::Vertical);
  EXPECT_EQ(TrackThumbPicture(0x2, false, true), TTrackThumbPicture::Horizontal);
  EXPECT_EQ(TrackThumbPicture(0x0, true, true), TTrackThumbPicture::Horizontal);
  EXPECT_EQ(TrackThumbPicture(0x0, true, false), TTrackThumbPicture::Outline);
  EXPECT_EQ(TrackThumbPicture(0x2, false, false), TTrackThumbPicture::Outline);
}
