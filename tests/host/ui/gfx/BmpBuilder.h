#pragma once
// Writes BMP files for tests, byte by byte, in the shapes real writers produce.
#include <cstdint>
#include <vector>

namespace bmptest {

struct TBmpSpec {
  int Width = 0;
  int Height = 0;
  int BitCount = 24;
  bool TopDown = false;
  int HeaderSize = 40;  // 12 (core), 40, 108, 124
  uint32_t Compression = 0;
  std::vector<uint32_t> Palette;  // 0x00RRGGBB, written as B, G, R(, 0)
  uint32_t ColorsUsed = 0;
  bool WithFileHeader = true;
  bool ZeroOffBits = false;
  std::vector<uint32_t> Masks;   // red, green, blue (, alpha): after a 40-byte header, inside larger ones
  std::vector<uint8_t> RawBits;  // when given, the stored rows as they are (run-length streams)
};

inline void Put(std::vector<uint8_t>& v, uint32_t x, int bytes) {
  for (int i = 0; i < bytes; ++i) v.push_back(static_cast<uint8_t>(x >> (8 * i)));
}

// pixel(x, y) with y = 0 the top row returns a palette index for <= 8 bits, else 0xAARRGGBB.
template <class PixelFn>
std::vector<uint8_t> Build(const TBmpSpec& s, PixelFn pixel) {
  std::vector<uint8_t> dib;
  Put(dib, static_cast<uint32_t>(s.HeaderSize), 4);
  if (s.HeaderSize == 12) {
    Put(dib, static_cast<uint32_t>(s.Width), 2);
    Put(dib, static_cast<uint32_t>(s.Height), 2);
    Put(dib, 1, 2);
    Put(dib, static_cast<uint32_t>(s.BitCount), 2);
  } else {
    Put(dib, static_cast<uint32_t>(s.Width), 4);
    Put(dib, static_cast<uint32_t>(s.TopDown ? -s.Height : s.Height), 4);
    Put(dib, 1, 2);
    Put(dib, static_cast<uint32_t>(s.BitCount), 2);
    Put(dib, s.Compression, 4);
    Put(dib, 0, 4);
    Put(dib, 2835, 4);
    Put(dib, 2835, 4);
    Put(dib, s.ColorsUsed, 4);
    Put(dib, 0, 4);
    while (dib.size() < static_cast<size_t>(s.HeaderSize)) dib.push_back(0);
    if (s.HeaderSize > 40)
      for (size_t i = 0; i < s.Masks.size() && 40 + i * 4 + 4 <= static_cast<size_t>(s.HeaderSize); ++i)
        for (int b = 0; b < 4; ++b) dib[40 + i * 4 + b] = static_cast<uint8_t>(s.Masks[i] >> (8 * b));
  }
  if (s.HeaderSize == 40)
    for (size_t i = 0; i < s.Masks.size() && i < 3; ++i) Put(dib, s.Masks[i], 4);
  for (uint32_t c : s.Palette) Put(dib, c, s.HeaderSize == 12 ? 3 : 4);
  const size_t bitsAt = dib.size();
  if (!s.RawBits.empty()) dib.insert(dib.end(), s.RawBits.begin(), s.RawBits.end());
  const int stride = ((s.Width * s.BitCount + 31) / 32) * 4;
  for (int fileRow = 0; s.RawBits.empty() && fileRow < s.Height; ++fileRow) {
    const int y = s.TopDown ? fileRow : s.Height - 1 - fileRow;
    std::vector<uint8_t> row(static_cast<size_t>(stride), 0);
    for (int x = 0; x < s.Width; ++x) {
      const uint32_t p = pixel(x, y);
      if (s.BitCount <= 8) {
        const int bitPos = x * s.BitCount;
        row[static_cast<size_t>(bitPos / 8)] |= static_cast<uint8_t>(p << (8 - s.BitCount - bitPos % 8));
      } else {
        for (int b = 0; b < s.BitCount / 8; ++b)
          row[static_cast<size_t>(x * (s.BitCount / 8) + b)] = static_cast<uint8_t>(p >> (8 * b));
      }
    }
    dib.insert(dib.end(), row.begin(), row.end());
  }
  if (!s.WithFileHeader) return dib;
  std::vector<uint8_t> file{'B', 'M'};
  Put(file, static_cast<uint32_t>(14 + dib.size()), 4);
  Put(file, 0, 4);
  Put(file, s.ZeroOffBits ? 0 : static_cast<uint32_t>(14 + bitsAt), 4);
  file.insert(file.end(), dib.begin(), dib.end());
  return file;
}

// A picture of w x h pixels in a few bytes: an 8-bit run-length stream that only says "end of
// bitmap" (every pixel the palette's one colour). The loader's bounds see its full size.
inline std::vector<uint8_t> EmptyRunLength(int w, int h, uint32_t colour = 0x336699) {
  TBmpSpec s;
  s.Width = w;
  s.Height = h;
  s.BitCount = 8;
  s.Compression = 1;
  s.ColorsUsed = 1;
  s.Palette = {colour};
  s.RawBits = {0, 1};
  return Build(s, [](int, int) { return 0u; });
}

}  // namespace bmptest
