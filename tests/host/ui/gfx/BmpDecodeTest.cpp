#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/ui/gfx/BmpBuilder.h"
#include "ui/BmpDecode.h"

using bmptest::Build;
using bmptest::TBmpSpec;

namespace {

uint32_t ToBgr(uint32_t rgb) { return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF); }

std::vector<uint32_t> TestPalette(int bits) {
  std::vector<uint32_t> p;
  for (int i = 0; i < (1 << bits); ++i)
    p.push_back((static_cast<uint32_t>(i * 37 + 5) & 0xFF) << 16 |
                (static_cast<uint32_t>(255 - i * 11) & 0xFF) << 8 | (static_cast<uint32_t>(i * 3) & 0xFF));
  return p;
}

uint32_t Index(int x, int y, int bits) { return static_cast<uint32_t>(x + 2 * y) % (1u << bits); }
uint32_t Direct(int x, int y) {
  return 0x80000000u | static_cast<uint32_t>(x * 40) << 16 | static_cast<uint32_t>(y * 60) << 8 |
         static_cast<uint32_t>((x + y) * 10);
}

struct TDepthCase {
  int Bits;
  bool TopDown;
  int HeaderSize;
};

class BmpDepths : public ::testing::TestWithParam<TDepthCase> {};

TEST_P(BmpDepths, DecodesEveryPixelInPlace) {
  const TDepthCase c = GetParam();
  TBmpSpec s;
  s.Width = 7;  // odd: row padding and part-filled bytes
  s.Height = 3;
  s.BitCount = c.Bits;
  s.TopDown = c.TopDown;
  s.HeaderSize = c.HeaderSize;
  if (c.Bits <= 8) s.Palette = TestPalette(c.Bits);
  const auto file = Build(s, [&](int x, int y) { return c.Bits <= 8 ? Index(x, y, c.Bits) : Direct(x, y); });

  TPixelBuffer px;
  std::string error;
  ASSERT_TRUE(DecodeBmp(file, px, &error)) << error;
  ASSERT_EQ(px.Width, 7);
  ASSERT_EQ(px.Height, 3);
  EXPECT_EQ(px.BitsPerPixel, c.Bits == 32 ? 32 : 24);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 7; ++x) {
      const uint32_t want =
          c.Bits <= 8 ? ToBgr(s.Palette[Index(x, y, c.Bits)]) : ToBgr(Direct(x, y) & 0xFFFFFF);
      ASSERT_EQ(px.GetPixel(x, y), want) << "at " << x << "," << y;
    }
  if (c.Bits == 32) EXPECT_EQ(px.Row(1)[4 * 2 + 3], 0x80) << "fourth byte kept";
}

INSTANTIATE_TEST_SUITE_P(AllDepths, BmpDepths,
                         ::testing::Values(TDepthCase{1, false, 40}, TDepthCase{1, true, 40},
                                           TDepthCase{4, false, 40}, TDepthCase{4, true, 40},
                                           TDepthCase{8, false, 40}, TDepthCase{8, true, 40},
                                           TDepthCase{24, false, 40}, TDepthCase{24, true, 40},
                                           TDepthCase{32, false, 40}, TDepthCase{32, true, 40},
                                           TDepthCase{8, false, 12}, TDepthCase{24, false, 12},
                                           TDepthCase{24, false, 108}, TDepthCase{4, true, 124}));

TEST(BmpDecode, HandWrittenFileHasItsFirstStoredRowAtTheBottom) {
  // 2 x 2, 24 bits, bottom-up: stored rows are blue,green (bottom) then red,white (top).
  const std::vector<uint8_t> file = {
      'B',  'M', 70,   0,    0,    0,    0, 0, 0, 0, 54, 0, 0, 0,                     // file header
      40,   0,   0,    0,    2,    0,    0, 0, 2, 0, 0,  0, 1, 0, 24, 0, 0, 0, 0, 0,  // info header
      16,   0,   0,    0,    0,    0,    0, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0,  //
      0xFF, 0,   0,    0,    0xFF, 0,    0, 0,                                        // bottom row + padding
      0,    0,   0xFF, 0xFF, 0xFF, 0xFF, 0, 0};                                       // top row + padding
  TPixelBuffer px;
  ASSERT_TRUE(DecodeBmp(file, px));
  EXPECT_EQ(px.GetPixel(0, 0), 0x0000FFu);  // red as 0x00BBGGRR
  EXPECT_EQ(px.GetPixel(1, 0), 0xFFFFFFu);
  EXPECT_EQ(px.GetPixel(0, 1), 0xFF0000u);  // blue
  EXPECT_EQ(px.GetPixel(1, 1), 0x00FF00u);
}

TEST(BmpDecode, PaletteDetails) {
  // A short palette (ColorsUsed = 2) on 8 bits: indices past it read as black.
  TBmpSpec s;
  s.Width = 4;
  s.Height = 1;
  s.BitCount = 8;
  s.Palette = {0x112233, 0x445566};
  s.ColorsUsed = 2;
  auto file = Build(s, [](int x, int) { return static_cast<uint32_t>(x * 100); });  // 0, 100, 200, 300->44
  TPixelBuffer px;
  ASSERT_TRUE(DecodeBmp(file, px));
  EXPECT_EQ(px.GetPixel(0, 0), ToBgr(0x112233));
  EXPECT_EQ(px.GetPixel(1, 0), 0u);
  EXPECT_EQ(px.GetPixel(2, 0), 0u);
  EXPECT_EQ(px.GetPixel(3, 0), 0u);  // 300 & 0xFF = 44, still past the palette

  // A zero pixel offset means "right after the palette".
  s.ZeroOffBits = true;
  s.ColorsUsed = 0;
  s.Palette = TestPalette(8);
  file = Build(s, [](int x, int) { return static_cast<uint32_t>(x + 1); });
  ASSERT_TRUE(DecodeBmp(file, px));
  EXPECT_EQ(px.GetPixel(3, 0), ToBgr(s.Palette[4]));
}

TEST(BmpDecode, PackedDibAsStoredInResources) {
  TBmpSpec s;
  s.Width = 3;
  s.Height = 2;
  s.BitCount = 4;
  s.Palette = TestPalette(4);
  s.WithFileHeader = false;
  const auto dib = Build(s, [](int x, int y) { return static_cast<uint32_t>(x + 3 * y); });
  TPixelBuffer px;
  ASSERT_TRUE(DecodeDib(dib, px));
  EXPECT_EQ(px.GetPixel(2, 1), ToBgr(s.Palette[5]));
  EXPECT_FALSE(DecodeBmp(dib, px)) << "no file header";
}

TEST(BmpDecode, ThirtyTwoBitFieldsInAnyChannelOrder) {
  TBmpSpec s;
  s.Width = 2;
  s.Height = 2;
  s.BitCount = 32;
  s.Compression = 3;
  s.Masks = {0x00FF0000, 0x0000FF00, 0x000000FF};
  TPixelBuffer px;
  ASSERT_TRUE(DecodeBmp(Build(s, Direct), px));
  EXPECT_EQ(px.GetPixel(1, 1), ToBgr(Direct(1, 1) & 0xFFFFFF));
  EXPECT_EQ(px.Row(1)[4 + 3], 0x80) << "usual masks keep the fourth byte";
  s.HeaderSize = 108;
  ASSERT_TRUE(DecodeBmp(Build(s, Direct), px)) << "masks inside a larger header";
  EXPECT_EQ(px.GetPixel(1, 1), ToBgr(Direct(1, 1) & 0xFFFFFF));

  // Stored bytes R, G, B, A (masks red 0xFF, green 0xFF00, blue 0xFF0000, alpha on top), V5.
  s.HeaderSize = 124;
  s.Masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};
  ASSERT_TRUE(DecodeBmp(Build(s, [](int x, int) { return x == 0 ? 0x44332211u : 0x01FF0080u; }), px));
  EXPECT_EQ(px.BitsPerPixel, 32);
  EXPECT_EQ(px.GetPixel(0, 0), 0x332211u);  // 0x00BBGGRR: red 0x11, green 0x22, blue 0x33
  EXPECT_EQ(px.Row(0)[3], 0x44);
  EXPECT_EQ(px.GetPixel(1, 1), 0xFF0080u);
  EXPECT_EQ(px.Row(1)[4 + 3], 0x01);

  // 10-10-10 keeps the top eight bits of each channel; no alpha mask gives alpha 0.
  s.HeaderSize = 40;
  s.Masks = {0x3FF00000, 0x000FFC00, 0x000003FF};
  ASSERT_TRUE(DecodeBmp(Build(s, [](int, int) { return 0xC00003FFu | (0x200u << 10); }), px));
  EXPECT_EQ(px.GetPixel(0, 0), 0xFF8000u);  // red 0, green 0x200 -> 0x80, blue 0x3FF -> 0xFF
  EXPECT_EQ(px.Row(0)[3], 0);
}

// 16-bit pixels: 5-5-5 without masks, any contiguous masks through BI_BITFIELDS.
TEST(BmpDecode, SixteenBitPixelsScaleToFullRange) {
  struct TCase {
    const char* Name;
    uint32_t Compression;
    int HeaderSize;
    std::vector<uint32_t> Masks;
    bool TopDown;
    uint16_t Pixels[4];    // left to right, top row then bottom row
    uint32_t Expected[4];  // 0x00BBGGRR
  };
  const std::vector<TCase> cases = {
      {"5-5-5 plain",
       0,
       40,
       {},
       false,
       {0x7FFF, 0x7C00, 0x8010, 0x0000},
       {0xFFFFFF, 0x0000FF, 0x840000, 0x000000}},
      {"5-5-5 plain top-down",
       0,
       40,
       {},
       true,
       {0x03E0, 0x0001, 0x4210, 0x7FFF},
       {0x00FF00, 0x080000, 0x848484, 0xFFFFFF}},
      {"5-5-5 fields",
       3,
       40,
       {0x7C00, 0x03E0, 0x001F},
       false,
       {0x7C1F, 0x03E0, 0x0421, 0x0000},
       {0xFF00FF, 0x00FF00, 0x080808, 0x000000}},
      {"5-6-5 fields",
       3,
       40,
       {0xF800, 0x07E0, 0x001F},
       false,
       {0xF800, 0x07E0, 0x0400, 0xF81F},
       {0x0000FF, 0x00FF00, 0x008200, 0xFF00FF}},
      {"5-6-5 in a V4 header",
       3,
       108,
       {0xF800, 0x07E0, 0x001F},
       true,
       {0xFFFF, 0x0020, 0x001F, 0x8410},
       {0xFFFFFF, 0x000400, 0xFF0000, 0x848284}},
      {"4-4-4-4 in a V5 header",
       3,
       124,
       {0x0F00, 0x00F0, 0x000F, 0xF000},
       false,
       {0x0F00, 0x00F0, 0x000F, 0xF888},
       {0x0000FF, 0x00FF00, 0xFF0000, 0x888888}},
  };
  for (const TCase& c : cases) {
    TBmpSpec s;
    s.Width = 2;
    s.Height = 2;
    s.BitCount = 16;
    s.Compression = c.Compression;
    s.HeaderSize = c.HeaderSize;
    s.Masks = c.Masks;
    s.TopDown = c.TopDown;
    TPixelBuffer px;
    std::string error;
    ASSERT_TRUE(DecodeBmp(Build(s, [&](int x, int y) { return uint32_t{c.Pixels[y * 2 + x]}; }), px, &error))
        << c.Name << ": " << error;
    EXPECT_EQ(px.BitsPerPixel, 24) << c.Name;
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(px.GetPixel(i % 2, i / 2), c.Expected[i]) << c.Name << " pixel " << i;
  }
}

TEST(BmpDecode, RefusesMasksWithGapsOrWiderThanThePixel) {
  TBmpSpec s;
  s.Width = 2;
  s.Height = 1;
  s.BitCount = 16;
  s.Compression = 3;
  const std::vector<std::vector<uint32_t>> bad = {
      {0xF00F, 0x0FF0, 0x0000},    // red in two pieces
      {0x1F0000, 0x07E0, 0x001F},  // red beyond 16 bits
  };
  for (const auto& masks : bad) {
    s.Masks = masks;
    TPixelBuffer px;
    std::string error;
    EXPECT_FALSE(DecodeBmp(Build(s, [](int, int) { return 0u; }), px, &error));
    EXPECT_EQ(error, "unsupported colour masks");
  }
  s.BitCount = 32;
  s.Masks = {0xFF0000FF, 0x0000FF00, 0x00FF0000};
  TPixelBuffer px;
  std::string error;
  EXPECT_FALSE(DecodeBmp(Build(s, [](int, int) { return 0u; }), px, &error));
  EXPECT_EQ(error, "unsupported colour masks");
}

// Run-length streams written by hand; rows are stored bottom-up.
TEST(BmpDecode, RunLengthEightBits) {
  TBmpSpec s;
  s.Width = 5;
  s.Height = 3;
  s.BitCount = 8;
  s.Compression = 1;
  s.Palette = TestPalette(8);
  s.RawBits = {
      3, 1,              // bottom row: three of colour 1
      0, 3, 2, 3, 4, 0,  // absolute 2, 3, 4 (the 4 falls past the row's end), padded
      0, 0,              // end of line
      0, 2, 2, 1,        // jump 2 right, 1 up: the middle row is never drawn
      2, 5,              // top row from x = 2: two of colour 5
      0, 1,              // end of bitmap
      9, 9,              // after the end: ignored
  };
  TPixelBuffer px;
  std::string error;
  ASSERT_TRUE(DecodeBmp(Build(s, [](int, int) { return 0u; }), px, &error)) << error;
  const int expected[3][5] = {{0, 0, 5, 5, 0}, {0, 0, 0, 0, 0}, {1, 1, 1, 2, 3}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(px.GetPixel(x, y), ToBgr(s.Palette[static_cast<size_t>(expected[y][x])])) << x << "," << y;
}

TEST(BmpDecode, RunLengthFourBits) {
  TBmpSpec s;
  s.Width = 6;
  s.Height = 2;
  s.BitCount = 4;
  s.Compression = 2;
  s.Palette = TestPalette(4);
  s.RawBits = {
      5, 0x12,                                   // bottom row: 1, 2, 1, 2, 1
      0, 3,    0x34, 0x50,                       // absolute 3, 4, 5: only the 3 fits
      0, 0,    0,    5,    0x67, 0x89, 0xA0, 0,  // absolute 6, 7, 8, 9, 10 in three bytes, padded to four
      1, 0xB0,                                   // one of colour 11
                                                 // no end-of-bitmap mark: the stream simply stops
  };
  TPixelBuffer px;
  std::string error;
  ASSERT_TRUE(DecodeBmp(Build(s, [](int, int) { return 0u; }), px, &error)) << error;
  const int expected[2][6] = {{6, 7, 8, 9, 10, 11}, {1, 2, 1, 2, 1, 3}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 6; ++x)
      EXPECT_EQ(px.GetPixel(x, y), ToBgr(s.Palette[static_cast<size_t>(expected[y][x])])) << x << "," << y;
}

TEST(BmpDecode, RunLengthOddStreamsNeverWriteOutside) {
  TBmpSpec s;
  s.Width = 3;
  s.Height = 2;
  s.BitCount = 8;
  s.Compression = 1;
  s.Palette = TestPalette(8);
  const uint32_t background = ToBgr(s.Palette[0]);
  struct TCase {
    const char* Name;
    std::vector<uint8_t> Bits;
    uint32_t BottomLeft;
  };
  const std::vector<TCase> cases = {
      {"only line ends", {0, 0, 0, 0, 0, 0}, background},
      {"jump past the top", {0, 2, 0, 200, 1, 7}, background},
      {"jump far right, then draw", {0, 2, 250, 0, 2, 7, 0, 0, 1, 8}, background},
      {"absolute run cut short", {1, 4, 0, 9, 1, 2}, ToBgr(s.Palette[4])},
      {"delta cut short", {1, 6, 0, 2, 1}, ToBgr(s.Palette[6])},
      {"lines past the top", {0, 0, 0, 0, 0, 0, 0, 0, 3, 3}, background},
      {"index past a short palette", {3, 200}, 0},
  };
  for (const TCase& c : cases) {
    s.RawBits = c.Bits;
    s.ColorsUsed = std::string(c.Name) == "index past a short palette" ? 16 : 0;
    if (s.ColorsUsed) s.Palette.resize(16);
    TPixelBuffer px;
    ASSERT_TRUE(DecodeBmp(Build(s, [](int, int) { return 0u; }), px)) << c.Name;
    EXPECT_EQ(px.GetPixel(0, 1), c.BottomLeft) << c.Name;
  }
}

TEST(BmpDecode, PixelAndMemoryLimitsRefuseBeforeReading) {
  // Headers only: a refusal for size must come before the missing rows are noticed.
  auto header = [](int width, int height, int bits, uint32_t compression) {
    TBmpSpec s;
    s.Width = width;
    s.Height = height;
    s.BitCount = bits;
    s.Compression = compression;
    s.Palette = {0x000000, 0xFFFFFF};
    s.ColorsUsed = 2;
    s.RawBits = {0, 1};  // a run-length end of bitmap; uncompressed files are simply short
    return Build(s, [](int, int) { return 0u; });
  };
  TPixelBuffer px;
  std::string error;
  EXPECT_FALSE(DecodeBmp(header(4097, 4096, 1, 0), px, &error));
  EXPECT_EQ(error, "image too large");
  EXPECT_FALSE(DecodeBmp(header(16 * 1024 * 1024 + 1, 1, 1, 0), px, &error));
  EXPECT_EQ(error, "image too large");
  EXPECT_FALSE(DecodeBmp(header(4096, 4096, 1, 0), px, &error));
  EXPECT_EQ(error, "truncated pixel data") << "4096 x 4096 is within the limit";

  // A four-byte stream may declare the largest image: it decodes, inside the limit.
  const auto tiny = header(4096, 4096, 8, 1);
  ASSERT_LT(tiny.size(), 100u);
  ASSERT_TRUE(DecodeBmp(tiny, px, &error)) << error;
  EXPECT_EQ(px.Width, 4096);
  EXPECT_EQ(px.Height, 4096);
  EXPECT_EQ(px.Bits.size(), 4096u * 4096u * 3u);

  // A memory limit is checked against the decoded size (24 bits, rows padded to 4 bytes).
  TPixelBuffer untouched(1, 1, 24);
  EXPECT_FALSE(DecodeBmpWithin(header(5, 2, 8, 1), 31, untouched, &error));
  EXPECT_EQ(error, "over the memory limit");
  EXPECT_EQ(untouched.Width, 1);
  EXPECT_TRUE(DecodeBmpWithin(header(5, 2, 8, 1), 32, untouched, &error)) << error;
  EXPECT_EQ(untouched.Width, 5);
}

TEST(PixelBuffer, StrideForWideRowsNeverWraps) {
  struct TCase {
    int Width, Bits;
    int Stride;
  };
  const TCase cases[] = {
      {1, 24, 4},
      {3, 24, 12},
      {13, 24, 40},
      {5, 32, 20},
      {0, 24, 0},
      {-7, 32, 0},
      {1 << 26, 32, 1 << 28},       // the product of width and bits passes 31 bits
      {715827881, 24, 2147483644},  // the longest 24-bit row an int holds
  };
  for (const TCase& c : cases) EXPECT_EQ(TPixelBuffer::StrideFor(c.Width, c.Bits), c.Stride) << c.Width;
  EXPECT_THROW(TPixelBuffer::StrideFor(715827882, 24), std::length_error);
  EXPECT_THROW(TPixelBuffer::StrideFor(INT32_MAX, 32), std::length_error);
}

TEST(BmpDecode, EncodedBuffersComeBackUnchanged) {
  for (int bits : {24, 32}) {
    TPixelBuffer in(5, 4, bits);
    for (size_t i = 0; i < in.Bits.size(); ++i) in.Bits[i] = static_cast<uint8_t>(i * 7 + 1);
    // Padding bytes are not pixels: clear them so the comparison is fair.
    for (int y = 0; y < in.Height; ++y)
      for (int b = in.Width * bits / 8; b < in.Stride(); ++b) in.Row(y)[b] = 0;
    TPixelBuffer out;
    ASSERT_TRUE(DecodeBmp(EncodeBmp(in), out)) << bits;
    EXPECT_EQ(out.BitsPerPixel, bits);
    EXPECT_EQ(out.Bits, in.Bits) << bits;
  }
}

// Each malformed input is refused with a reason and leaves the output alone.
TEST(BmpDecode, RefusesMalformedInput) {
  TBmpSpec good;
  good.Width = 4;
  good.Height = 4;
  good.BitCount = 8;
  good.Palette = TestPalette(8);
  const auto valid = Build(good, [](int x, int y) { return static_cast<uint32_t>(x * y); });
  auto patched = [&](size_t at, std::vector<uint8_t> bytes) {
    auto f = valid;
    for (size_t i = 0; i < bytes.size(); ++i) f[at + i] = bytes[i];
    return f;
  };
  auto cut = [&](size_t n) {
    return std::vector<uint8_t>(valid.begin(), valid.begin() + static_cast<long>(n));
  };
  const size_t pixelsAt = 14 + 40 + 256 * 4;

  struct TBad {
    const char* Name;
    std::vector<uint8_t> Data;
    const char* Why;
  };
  const std::vector<TBad> cases = {
      {"empty", {}, "truncated header"},
      {"magic only", {'B', 'M'}, "truncated header"},
      {"wrong magic", patched(0, {'P', 'K'}), "not a bitmap"},
      {"header cut", cut(30), "truncated header"},
      {"unknown header size", patched(14, {20, 0, 0, 0}), "unknown header size"},
      {"zero width", patched(18, {0, 0, 0, 0}), "empty or negative size"},
      {"negative width", patched(18, {0xFC, 0xFF, 0xFF, 0xFF}), "empty or negative size"},
      {"zero height", patched(22, {0, 0, 0, 0}), "empty or negative size"},
      {"15 bits", patched(28, {15, 0}), "unsupported bit count"},
      {"2 bits", patched(28, {2, 0}), "unsupported bit count"},
      {"RLE4 on 8 bits", patched(30, {2, 0, 0, 0}), "unsupported compression"},
      {"JPEG", patched(30, {4, 0, 0, 0}), "unsupported compression"},
      {"bitfields on 8 bits", patched(30, {3, 0, 0, 0}), "unsupported compression"},
      {"top-down RLE8", patched(22, {0xFC, 0xFF, 0xFF, 0xFF, 1, 0, 8, 0, 1, 0, 0, 0}), "bad height"},
      {"palette cut", cut(14 + 40 + 100), "truncated palette"},
      {"pixels one byte short", cut(valid.size() - 1), "truncated pixel data"},
      {"offset past the end", patched(10, {0xFF, 0xFF, 0, 0}), "truncated pixel data"},
      {"offset near 4 GB", patched(10, {0xF0, 0xFF, 0xFF, 0xFF}), "truncated pixel data"},
      {"height larger than data", patched(22, {0, 1, 0, 0}), "truncated pixel data"},
      {"huge", patched(18, {0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0x7F}), "image too large"},
      {"most negative height", patched(22, {0, 0, 0, 0x80}), "image too large"},
  };
  ASSERT_EQ(valid.size(), pixelsAt + 16);
  for (const TBad& c : cases) {
    TPixelBuffer px(1, 1, 24);
    px.SetPixel(0, 0, 0x123456);
    std::string error;
    EXPECT_FALSE(DecodeBmp(c.Data, px, &error)) << c.Name;
    EXPECT_EQ(error, c.Why) << c.Name;
    EXPECT_EQ(px.Width, 1) << c.Name;
    EXPECT_EQ(px.GetPixel(0, 0), 0x123456u) << c.Name;
  }
  TPixelBuffer px;
  EXPECT_FALSE(DecodeDib(std::vector<uint8_t>{12, 0, 0, 0, 2, 0, 0xFF, 0xFF, 1, 0, 24, 0}, px))
      << "a core header's 0xFFFF height is 65535 rows, not a top-down image, and has no data";
}

}  // namespace
