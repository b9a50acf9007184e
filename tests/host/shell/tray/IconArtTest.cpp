#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

#include "tools/icongen/IconArt.h"

namespace {

std::uint32_t U32(const std::vector<std::uint8_t>& b, size_t at) {
  return b.at(at) | b.at(at + 1) << 8 | b.at(at + 2) << 16 | static_cast<std::uint32_t>(b.at(at + 3)) << 24;
}
std::uint16_t U16(const std::vector<std::uint8_t>& b, size_t at) {
  return static_cast<std::uint16_t>(b.at(at) | b.at(at + 1) << 8);
}

TEST(ProgramIcon, FileHoldsBothSizesAsWellFormed32BitImages) {
  const std::vector<TIconImage> images{DrawLumettaIcon(16), DrawLumettaIcon(32)};
  const auto ico = EncodeIco(images);
  ASSERT_EQ(U16(ico, 0), 0);
  ASSERT_EQ(U16(ico, 2), 1);
  ASSERT_EQ(U16(ico, 4), 2);
  size_t expectNext = 6 + 2 * 16;
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    const size_t e = 6 + 16 * static_cast<size_t>(i);
    const int n = images[i].Size;
    EXPECT_EQ(ico[e], n);
    EXPECT_EQ(ico[e + 1], n);
    EXPECT_EQ(U16(ico, e + 4), 1);
    EXPECT_EQ(U16(ico, e + 6), 32);
    const size_t size = U32(ico, e + 8), offset = U32(ico, e + 12);
    const size_t maskStride = 4;    // 16 and 32 pixels both fit one 32-bit mask word
    EXPECT_EQ(offset, expectNext);  // images follow each other without gaps
    ASSERT_EQ(size, 40 + static_cast<size_t>(n) * n * 4 + maskStride * n);
    expectNext = offset + size;
    // The DIB header: twice the height (colour rows, then mask rows), 32 bits, no compression.
    EXPECT_EQ(U32(ico, offset), 40u);
    EXPECT_EQ(U32(ico, offset + 4), static_cast<std::uint32_t>(n));
    EXPECT_EQ(U32(ico, offset + 8), static_cast<std::uint32_t>(2 * n));
    EXPECT_EQ(U32(ico, offset + 16), 0u);
    // Rows run bottom-up, and the mask is set exactly where the picture is transparent.
    const size_t colour = offset + 40, mask = colour + static_cast<size_t>(n) * n * 4;
    for (int y = 0; y < n; ++y) {
      const size_t dibRow = colour + static_cast<size_t>(n - 1 - y) * n * 4;
      ASSERT_EQ(std::memcmp(&ico[dibRow], &images[i].Bgra[static_cast<size_t>(y) * n * 4], n * 4u), 0) << y;
      for (int x = 0; x < n; ++x) {
        const bool transparent = images[i].Bgra[(static_cast<size_t>(y) * n + x) * 4 + 3] == 0;
        const bool maskBit =
            ico[mask + static_cast<size_t>(n - 1 - y) * maskStride + x / 8] & (0x80 >> (x % 8));
        ASSERT_EQ(maskBit, transparent) << x << "," << y;
      }
    }
  }
  EXPECT_EQ(expectNext, ico.size());
}

TEST(ProgramIcon, PictureHasAnOpaqueSparkleOnATransparentGround) {
  for (int n : {16, 32}) {
    SCOPED_TRACE(n);
    const TIconImage img = DrawLumettaIcon(n);
    auto at = [&](int x, int y) { return &img.Bgra[(static_cast<size_t>(y) * n + x) * 4]; };
    // The sparkle sits up and to the right of the middle; the corners away from the trail are empty.
    const std::uint8_t* heart = at(n / 2 + n / 16, n / 2 - n / 16 - 1);
    EXPECT_EQ(heart[3], 255);
    EXPECT_GT(heart[2], 200);  // warm: red and green high
    EXPECT_EQ(at(n - 1, 0)[3], 0);
    EXPECT_EQ(at(n - 1, n - 1)[3], 0);
    EXPECT_EQ(at(0, 0)[3], 0);
    // A blue particle in the lower-left quarter.
    bool blue = false;
    for (int y = n / 2; y < n; ++y)
      for (int x = 0; x < n / 2; ++x) blue |= at(x, y)[3] == 255 && at(x, y)[0] > at(x, y)[2] + 80;
    EXPECT_TRUE(blue);
  }
  EXPECT_THROW(DrawLumettaIcon(0), std::invalid_argument);
  TIconImage bad{16, std::vector<std::uint8_t>(10)};
  EXPECT_THROW(EncodeIco({bad}), std::invalid_argument);
}

}  // namespace
