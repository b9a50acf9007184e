#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/ui_gfx/BmpBuilder.h"
#include "ui/BmpDecode.h"

using bmptest::Build;
using bmptest::TBmpSpec;

namespace {

uint32_t ToBgr(uint32_t rgb) { return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF); }

std::vector<uint32_t> TestPalette(int bits) {
  std::vector<uint32_t> p;
  for (int i = 0; i < (1 << bits); ++i)
    p.push_back((static_cast<uint32_t>(i * 37 + 5) & 0xFF) << 16 | (static_cast<uint32_t>(255 - i * 11) & 0xFF) << 8 |
                (static_cast<uint32_t>(i * 3) & 0xFF));
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
      const uint32_t want = c.Bits <= 8 ? ToBgr(s.Palette[Index(x, y, c.Bits)]) : ToBgr(Direct(x, y) & 0xFFFFFF);
      ASSERT_EQ(px.GetPixel(x, y), want) << "at " << x << "," << y;
    }
  if (c.Bits == 32) EXPECT_EQ(px.Row(1)[4 * 2 + 3], 0x80) << "fourth byte kept";
}

INSTANTIATE_TEST_SUITE_P(AllDepths, BmpDepths,
                         ::testing::Values(TDepthCase{1, false, 40}, TDepthCase{1, true, 40}, TDepthCase{4, false, 40},
                                           TDepthCase{4, true, 40}, TDepthCase{8, false, 40}, TDepthCase{8, true, 40},
                                           TDepthCase{24, false, 40}, TDepthCase{24, true, 40},
                                           TDepthCase{32, false, 40}, TDepthCase{32, true, 40},
                                           TDepthCase{8, false, 12}, TDepthCase{24, false, 12},
                                           TDepthCase{24, false, 108}, TDepthCase{4, true, 124}));

TEST(BmpDecode, HandWrittenFileHasItsFirstStoredRowAtTheBottom) {
  // 2 x 2, 24 bits, bottom-up: stored rows are blue,green (bottom) then red,white (top).
  const std::vector<uint8_t> file = {
      'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,                // file header
      40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0,  // info header
      16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,   //
      0xFF, 0, 0, 0, 0xFF, 0, 0, 0,                                  // bottom row + padding
      0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0};                           // top row + padding
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

TEST(BmpDecode, BitfieldsOnlyWithTheUsualMasks) {
  TBmpSpec s;
  s.Width = 2;
  s.Height = 2;
  s.BitCount = 32;
  s.Compression = 3;
  s.Masks = {0x00FF0000, 0x0000FF00, 0x000000FF};
  TPixelBuffer px;
  EXPECT_TRUE(DecodeBmp(Build(s, Direct), px));
  EXPECT_EQ(px.GetPixel(1, 1), ToBgr(Direct(1, 1) & 0xFFFFFF));
  s.HeaderSize = 108;
  EXPECT_TRUE(DecodeBmp(Build(s, Direct), px)) << "masks inside a larger header";
  s.HeaderSize = 40;
  s.Masks = {0x0000F800, 0x000007E0, 0x0000001F};
  std::string error;
  EXPECT_FALSE(DecodeBmp(Build(s, Direct), px, &error));
  EXPECT_EQ(error, "unsupported colour masks");
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
  auto cut = [&](size_t n) { return std::vector<uint8_t>(valid.begin(), valid.begin() + static_cast<long>(n)); };
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
      {"16 bits", patched(28, {16, 0}), "unsupported bit count"},
      {"2 bits", patched(28, {2, 0}), "unsupported bit count"},
      {"RLE8", patched(30, {1, 0, 0, 0}), "unsupported compression"},
      {"bitfields on 8 bits", patched(30, {3, 0, 0, 0}), "unsupported compression"},
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
