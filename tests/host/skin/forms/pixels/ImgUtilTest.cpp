#include <gtest/gtest.h>

#include "skin/data/ImgUtil.h"

namespace {
// A W x H buffer whose every pixel is distinct: colour = 0x010000 * (y + 1) + (x + 1).
TPixelBuffer Numbered(int w, int h, int bits = 24) {
  TPixelBuffer b(w, h, bits);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, 0x010000u * (y + 1) + static_cast<uint32_t>(x + 1));
  return b;
}
uint32_t P(int x, int y) { return 0x010000u * (y + 1) + static_cast<uint32_t>(x + 1); }

std::vector<uint32_t> Pixels(const TPixelBuffer& b) {
  std::vector<uint32_t> v;
  for (int y = 0; y < b.Height; ++y)
    for (int x = 0; x < b.Width; ++x) v.push_back(b.GetPixel(x, y));
  return v;
}
}  // namespace

TEST(MakeGray, AveragesChannelsWithIntegerDivision) {
  struct Case {
    uint8_t b, g, r, grey;
  } cases[] = {{10, 20, 31, 20}, {255, 255, 255, 255}, {0, 0, 2, 0}, {255, 0, 255, 170}, {1, 1, 1, 1}};
  for (const Case& c : cases) {
    TPixelBuffer bmp(2, 1);
    bmp.Row(0)[3] = c.b, bmp.Row(0)[4] = c.g, bmp.Row(0)[5] = c.r;
    MakeGray(bmp);
    const uint8_t* p = bmp.Row(0) + 3;
    EXPECT_EQ(p[0], c.grey) << int(c.b) << "," << int(c.g) << "," << int(c.r);
    EXPECT_EQ(p[1], c.grey);
    EXPECT_EQ(p[2], c.grey);
    EXPECT_EQ(bmp.GetPixel(0, 0), 0u);  // the neighbour is untouched black
  }
}

TEST(MakeGray, ConvertsThirtyTwoBitTo24) {
  TPixelBuffer bmp(3, 2, 32);
  uint8_t* p = bmp.Row(1) + 2 * 4;
  p[0] = 10, p[1] = 20, p[2] = 31, p[3] = 200;  // alpha does not count
  MakeGray(bmp);
  ASSERT_EQ(bmp.BitsPerPixel, 24);
  ASSERT_EQ(bmp.Width, 3);
  ASSERT_EQ(bmp.Height, 2);
  EXPECT_EQ(bmp.GetPixel(2, 1), 0x141414u);
  EXPECT_EQ(bmp.GetPixel(1, 1), 0u);
  EXPECT_EQ(bmp.Bits.size(), static_cast<size_t>(bmp.Stride()) * 2);
}

TEST(Transforms, RotationsOfThreeByTwoMoveEveryPixel) {
  struct Case {
    const char* name;
    void (*rotate)(TPixelBuffer&);
    std::vector<uint32_t> expected;  // row by row, 2 wide and 3 high
  } cases[] = {
      // Old rows become columns read bottom-up: the top edge is now the left edge, and the top
      // right pixel is at the origin.
      {"left", RotateLeft, {P(2, 0), P(2, 1), P(1, 0), P(1, 1), P(0, 0), P(0, 1)}},
      // The bottom left pixel is at the origin.
      {"right", RotateRight, {P(0, 1), P(0, 0), P(1, 1), P(1, 0), P(2, 1), P(2, 0)}},
  };
  for (const Case& c : cases) {
    TPixelBuffer bmp = Numbered(3, 2);
    c.rotate(bmp);
    ASSERT_EQ(bmp.Width, 2) << c.name;
    ASSERT_EQ(bmp.Height, 3) << c.name;
    EXPECT_EQ(Pixels(bmp), c.expected) << c.name;
  }
}

TEST(Transforms, MirrorAndFlipMoveWholePixelsOfPaddedRows) {
  // Width 5 at 24 bits has a padded row (15 of 16 bytes used).
  TPixelBuffer m = Numbered(5, 3);
  MirrorHorz(m);
  EXPECT_EQ(m.GetPixel(0, 0), P(4, 0));
  EXPECT_EQ(m.GetPixel(4, 2), P(0, 2));
  EXPECT_EQ(m.GetPixel(2, 1), P(2, 1));
  TPixelBuffer f = Numbered(5, 3);
  FlipVert(f);
  EXPECT_EQ(f.GetPixel(0, 0), P(0, 2));
  EXPECT_EQ(f.GetPixel(4, 2), P(4, 0));
  EXPECT_EQ(f.GetPixel(3, 1), P(3, 1));
}

TEST(Transforms, RoundTripsGiveBackTheImage) {
  using Op = void (*)(TPixelBuffer&);
  struct Case {
    const char* name;
    std::vector<Op> ops;
  } cases[] = {
      {"mirror twice", {MirrorHorz, MirrorHorz}},
      {"flip twice", {FlipVert, FlipVert}},
      {"left then right", {RotateLeft, RotateRight}},
      {"right then left", {RotateRight, RotateLeft}},
      {"four lefts", {RotateLeft, RotateLeft, RotateLeft, RotateLeft}},
      {"two lefts = mirror + flip", {RotateLeft, RotateLeft, MirrorHorz, FlipVert}},
  };
  for (int bits : {24, 32}) {
    for (const Case& c : cases) {
      const TPixelBuffer original = Numbered(5, 3, bits);
      TPixelBuffer bmp = original;
      for (size_t i = 0; i < c.ops.size(); ++i) {
        c.ops[i](bmp);
        if (i == 0) EXPECT_NE(Pixels(bmp), Pixels(original)) << c.name << ": first step changed nothing";
      }
      EXPECT_EQ(bmp.Width, 5) << c.name;
      EXPECT_EQ(bmp.Height, 3) << c.name;
      EXPECT_EQ(bmp.BitsPerPixel, bits) << c.name;
      EXPECT_EQ(Pixels(bmp), Pixels(original)) << c.name << " at " << bits << " bits";
    }
  }
}

TEST(Transforms, EmptyBitmapStaysEmpty) {
  using Op = void (*)(TPixelBuffer&);
  for (Op op : {MakeGray, MirrorHorz, FlipVert, RotateLeft, RotateRight}) {
    TPixelBuffer bmp;
    op(bmp);
    EXPECT_TRUE(bmp.Empty());
    EXPECT_EQ(bmp.Width, 0);
    EXPECT_EQ(bmp.Height, 0);
    EXPECT_TRUE(bmp.Bits.empty());
  }
}

TEST(WideLeft, CountsCharacters) {
  const std::wstring text = L"H\u00e9llo";  // 5 characters
  struct Case {
    int count;
    std::wstring expected;
  } cases[] = {{3, L"H\u00e9l"}, {-1, text}, {5, text}, {9, text}, {0, L""}, {-2, L""}};
  for (const Case& c : cases) EXPECT_EQ(WideLeft(text, c.count), c.expected) << c.count;
  EXPECT_EQ(WideLeft(L"", 3), L"");
}
