// The BMP fuzz target's seeds of the foreign kinds (16-bit, bit fields, run-length, V4/V5,
// top-down) are made here: each must decode, and the files in the corpus must be exactly
// what is made here. LUMETTA_WRITE_SEEDS=1 rewrites them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "host/ui/gfx/BmpBuilder.h"
#include "ui/BmpDecode.h"

using bmptest::Build;
using bmptest::TBmpSpec;

namespace {

struct TSeed {
  std::string Name;
  std::vector<uint8_t> Bytes;
};

uint32_t Gradient16(int x, int y) { return static_cast<uint32_t>((x * 0x0842 + y * 0x1111) & 0xFFFF); }
uint32_t Gradient32(int x, int y) {
  return static_cast<uint32_t>(x) * 0x01030507u + static_cast<uint32_t>(y) * 0x70503010u;
}

std::vector<TSeed> Seeds() {
  std::vector<TSeed> seeds;
  auto add = [&](const char* name, TBmpSpec s, auto pixel) { seeds.push_back({name, Build(s, pixel)}); };
  const auto none = [](int, int) { return 0u; };

  TBmpSpec rle8;
  rle8.Width = 6;
  rle8.Height = 4;
  rle8.BitCount = 8;
  rle8.Compression = 1;
  rle8.ColorsUsed = 8;
  rle8.Palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF, 0xFF00FF, 0xFFFFFF};
  rle8.RawBits = {4, 1, 0, 3, 2, 3, 4, 0, 0, 0, 0, 2, 1, 1, 3, 5, 0, 0, 6, 7, 0, 1};
  add("rle8.bmp", rle8, none);

  TBmpSpec rle4 = rle8;
  rle4.BitCount = 4;
  rle4.Compression = 2;
  rle4.RawBits = {6, 0x12, 0, 0, 0, 5, 0x34, 0x56, 0x70, 0, 0, 2, 1, 1, 2, 0x77, 0, 1};
  add("rle4.bmp", rle4, none);

  TBmpSpec s16;
  s16.Width = 5;
  s16.Height = 3;
  s16.BitCount = 16;
  add("rgb555.bmp", s16, Gradient16);
  s16.TopDown = true;
  add("rgb555_topdown.bmp", s16, Gradient16);
  s16.TopDown = false;
  s16.Compression = 3;
  s16.Masks = {0xF800, 0x07E0, 0x001F};
  add("bf565.bmp", s16, Gradient16);
  s16.HeaderSize = 108;
  s16.TopDown = true;
  add("bf565_v4_topdown.bmp", s16, Gradient16);

  TBmpSpec s32;
  s32.Width = 3;
  s32.Height = 3;
  s32.BitCount = 32;
  s32.Compression = 3;
  s32.HeaderSize = 124;
  s32.Masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};
  add("bf32_rgba_v5.bmp", s32, Gradient32);
  s32.HeaderSize = 40;
  s32.Masks = {0x3FF00000, 0x000FFC00, 0x000003FF};
  add("bf32_101010.bmp", s32, Gradient32);
  return seeds;
}

std::vector<uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(BmpSeeds, EveryForeignKindDecodesAndIsInTheCorpus) {
  const std::filesystem::path corpus = BMP_CORPUS_DIR;
  const char* write = std::getenv("LUMETTA_WRITE_SEEDS");
  for (const TSeed& seed : Seeds()) {
    TPixelBuffer px;
    std::string error;
    EXPECT_TRUE(DecodeBmp(seed.Bytes, px, &error)) << seed.Name << ": " << error;
    const std::filesystem::path path = corpus / seed.Name;
    if (write && std::string(write) == "1") {
      std::ofstream(path, std::ios::binary)
          .write(reinterpret_cast<const char*>(seed.Bytes.data()),
                 static_cast<std::streamsize>(seed.Bytes.size()));
    }
    EXPECT_EQ(ReadFile(path), seed.Bytes)
        << seed.Name << " differs from the corpus; LUMETTA_WRITE_SEEDS=1 rewrites it";
  }
}

}  // namespace
