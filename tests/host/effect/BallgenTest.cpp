#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "tools/ballgen/Ball.h"
#include "tools/ballgen/PngWriter.h"

namespace {

std::span<const uint8_t> Bytes(std::string_view s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}
uint32_t Be32(const std::vector<uint8_t>& v, size_t at) {
  return (uint32_t(v[at]) << 24) | (uint32_t(v[at + 1]) << 16) | (uint32_t(v[at + 2]) << 8) | v[at + 3];
}

}  // namespace

TEST(PngWriter, ChecksumsMatchTheirStandardCheckValues) {
  EXPECT_EQ(png::Crc32(Bytes("123456789")), 0xCBF43926u);
  EXPECT_EQ(png::Crc32(Bytes("IEND")), 0xAE426082u);
  EXPECT_EQ(png::Adler32(Bytes("Wikipedia")), 0x11E60398u);
  EXPECT_EQ(png::Adler32({}), 1u);
}

TEST(PngWriter, StoredBlocksSplitAt65535AndOnlyTheLastIsFinal) {
  std::vector<uint8_t> data(70000);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 31);
  const auto z = png::ZlibStored(data);
  ASSERT_EQ(z.size(), 2 + 5 + 65535 + 5 + (70000 - 65535) + 4u);
  EXPECT_EQ((z[0] * 256 + z[1]) % 31, 0);
  EXPECT_EQ(z[2], 0);  // not final
  EXPECT_EQ(z[3] | (z[4] << 8), 65535);
  EXPECT_EQ((z[5] | (z[6] << 8)) ^ 0xFFFF, 65535);
  const size_t second = 2 + 5 + 65535;
  EXPECT_EQ(z[second], 1);  // final
  EXPECT_EQ(z[second + 1] | (z[second + 2] << 8), 70000 - 65535);
  EXPECT_TRUE(std::equal(data.begin() + 65535, data.end(), z.begin() + second + 5));
  EXPECT_EQ(Be32(z, z.size() - 4), png::Adler32(data));
  // Nothing to store still makes one final, empty block.
  const auto empty = png::ZlibStored({});
  EXPECT_EQ(empty, (std::vector<uint8_t>{0x78, 0x01, 1, 0, 0, 0xFF, 0xFF, 0, 0, 0, 1}));
}

TEST(PngWriter, FileHasSignatureAndChunksWithValidCrcs) {
  const std::vector<uint8_t> px(3 * 2 * 4, 0x80);
  const auto f = png::EncodeRgba(3, 2, px);
  const uint8_t sig[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  ASSERT_TRUE(std::equal(std::begin(sig), std::end(sig), f.begin()));
  std::vector<std::string> types;
  size_t at = 8;
  while (at + 12 <= f.size()) {
    const uint32_t len = Be32(f, at);
    ASSERT_LE(at + 12 + len, f.size());
    types.emplace_back(f.begin() + at + 4, f.begin() + at + 8);
    EXPECT_EQ(Be32(f, at + 8 + len), png::Crc32({f.data() + at + 4, 4 + len})) << types.back();
    if (types.back() == "IHDR") {
      EXPECT_EQ(Be32(f, at + 8), 3u);
      EXPECT_EQ(Be32(f, at + 12), 2u);
      EXPECT_EQ(f[at + 16], 8);  // bit depth
      EXPECT_EQ(f[at + 17], 6);  // RGBA
    }
    at += 12 + len;
  }
  EXPECT_EQ(at, f.size());
  EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
  EXPECT_THROW(png::EncodeRgba(3, 3, px), std::invalid_argument);
}

TEST(Ball, GlossyBlueDiscWithSoftEdgeAndUpperLeftHighlight) {
  const uint32_t n = 32;
  const auto px = RenderBall(n);
  ASSERT_EQ(px.size(), n * n * 4);
  auto at = [&](uint32_t x, uint32_t y) { return &px[(y * n + x) * 4]; };
  for (auto [x, y] : {std::pair{0u, 0u}, {31u, 0u}, {0u, 31u}, {31u, 31u}}) EXPECT_EQ(at(x, y)[3], 0);
  EXPECT_EQ(at(16, 16)[3], 255);
  int soft = 0, blueish = 0, opaque = 0;
  for (uint32_t i = 0; i < n * n; ++i) {
    const uint8_t* p = &px[i * 4];
    soft += p[3] > 0 && p[3] < 255;
    if (p[3] == 255) {
      ++opaque;
      blueish += p[2] >= p[0] && p[2] >= p[1];  // white at the highlight
    }
  }
  EXPECT_GT(soft, 40);  // an anti-aliased rim all round
  EXPECT_EQ(blueish, opaque);
  const uint8_t* light = at(10, 10);
  const uint8_t* dark = at(22, 22);
  EXPECT_GT(light[0] + light[1] + light[2], 600);  // near-white highlight
  EXPECT_LT(dark[0] + dark[1] + dark[2], light[0] + light[1] + light[2] - 200);
}
