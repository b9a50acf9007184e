#include "ui/BmpDecode.h"

#include <cstring>

namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;

// Little-endian reads at a checked offset.
class TReader {
 public:
  explicit TReader(std::span<const uint8_t> data) : FData(data) {}
  bool Has(size_t offset, size_t count) const { return offset <= FData.size() && count <= FData.size() - offset; }
  uint16_t U16(size_t at) const { return static_cast<uint16_t>(FData[at] | (FData[at + 1] << 8)); }
  uint32_t U32(size_t at) const {
    return static_cast<uint32_t>(FData[at]) | (static_cast<uint32_t>(FData[at + 1]) << 8) |
           (static_cast<uint32_t>(FData[at + 2]) << 16) | (static_cast<uint32_t>(FData[at + 3]) << 24);
  }
  const uint8_t* At(size_t at) const { return FData.data() + at; }
  size_t Size() const { return FData.size(); }

 private:
  std::span<const uint8_t> FData;
};

bool Fail(std::string* error, const char* why) {
  if (error) *error = why;
  return false;
}

struct TPaletteEntry {
  uint8_t B = 0, G = 0, R = 0;
};

// dibStart: offset of the info header within data; bitsOffset: where the rows start, or 0
// for "right after the palette".
bool DecodeAt(const TReader& in, size_t dibStart, size_t bitsOffset, TPixelBuffer& out, std::string* error) {
  if (!in.Has(dibStart, 4)) return Fail(error, "truncated header");
  const uint32_t headerSize = in.U32(dibStart);
  int64_t width = 0, height = 0;
  unsigned bitCount = 0;
  uint32_t compression = kBiRgb;
  uint32_t colorsUsed = 0;
  size_t paletteEntrySize = 4;
  size_t afterHeader = 0;
  if (headerSize == 12) {
    if (!in.Has(dibStart, 12)) return Fail(error, "truncated header");
    width = in.U16(dibStart + 4);
    height = in.U16(dibStart + 6);
    bitCount = in.U16(dibStart + 10);
    paletteEntrySize = 3;
    afterHeader = dibStart + 12;
  } else if (headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 108 || headerSize == 124) {
    if (!in.Has(dibStart, headerSize)) return Fail(error, "truncated header");
    width = static_cast<int32_t>(in.U32(dibStart + 4));
    height = static_cast<int32_t>(in.U32(dibStart + 8));
    bitCount = in.U16(dibStart + 14);
    compression = in.U32(dibStart + 16);
    colorsUsed = in.U32(dibStart + 32);
    afterHeader = dibStart + headerSize;
  } else {
    return Fail(error, "unknown header size");
  }

  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
    return Fail(error, "unsupported bit count");
  if (compression == kBiBitfields) {
    if (bitCount != 32) return Fail(error, "unsupported compression");
    // Masks follow a 40-byte header; larger headers hold them inside.
    const size_t masksAt = dibStart + 40;
    if (headerSize == 40) {
      if (!in.Has(masksAt, 12)) return Fail(error, "truncated masks");
      afterHeader += 12;
    }
    if (in.U32(masksAt) != 0x00FF0000 || in.U32(masksAt + 4) != 0x0000FF00 || in.U32(masksAt + 8) != 0x000000FF)
      return Fail(error, "unsupported colour masks");
  } else if (compression != kBiRgb) {
    return Fail(error, "unsupported compression");
  }

  const bool topDown = height < 0;
  if (topDown) {
    if (headerSize == 12) return Fail(error, "bad height");
    height = -height;
  }
  if (width <= 0 || height <= 0) return Fail(error, "empty or negative size");
  if (static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > kMaxBmpPixels)
    return Fail(error, "image too large");

  // Palette.
  std::vector<TPaletteEntry> palette;
  size_t paletteEnd = afterHeader;
  if (bitCount <= 8) {
    const uint32_t maxColours = 1u << bitCount;
    uint32_t count = colorsUsed == 0 || colorsUsed > maxColours ? maxColours : colorsUsed;
    if (headerSize == 12) count = maxColours;
    if (!in.Has(afterHeader, static_cast<size_t>(count) * paletteEntrySize)) return Fail(error, "truncated palette");
    palette.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
      const uint8_t* p = in.At(afterHeader + i * paletteEntrySize);
      palette[i] = {p[0], p[1], p[2]};
    }
    paletteEnd = afterHeader + static_cast<size_t>(count) * paletteEntrySize;
  }

  // Rows are padded to 4 bytes; the whole block must be present.
  const uint64_t srcStride = ((static_cast<uint64_t>(width) * bitCount + 31) / 32) * 4;
  const uint64_t needed = srcStride * static_cast<uint64_t>(height);
  const size_t bitsAt = bitsOffset != 0 ? bitsOffset : paletteEnd;
  if (bitsAt > in.Size() || needed > in.Size() - bitsAt) return Fail(error, "truncated pixel data");

  const int outBits = bitCount == 32 ? 32 : 24;
  TPixelBuffer result(static_cast<int>(width), static_cast<int>(height), outBits);
  const int w = result.Width;
  for (int y = 0; y < result.Height; ++y) {
    const int srcRow = topDown ? y : result.Height - 1 - y;
    const uint8_t* src = in.At(bitsAt + static_cast<size_t>(srcRow) * srcStride);
    uint8_t* dst = result.Row(y);
    switch (bitCount) {
      case 32:
        std::memcpy(dst, src, static_cast<size_t>(w) * 4);
        break;
      case 24:
        std::memcpy(dst, src, static_cast<size_t>(w) * 3);
        break;
      default: {
        const unsigned perByte = 8 / bitCount;
        const unsigned mask = (1u << bitCount) - 1;
        for (int x = 0; x < w; ++x) {
          const uint8_t byte = src[x / perByte];
          const unsigned shift = 8 - bitCount * (1 + x % perByte);
          const unsigned index = (byte >> shift) & mask;
          const TPaletteEntry c = index < palette.size() ? palette[index] : TPaletteEntry{};
          dst[x * 3] = c.B;
          dst[x * 3 + 1] = c.G;
          dst[x * 3 + 2] = c.R;
        }
      }
    }
  }
  out = std::move(result);
  return true;
}

void Put16(std::vector<uint8_t>& v, uint16_t x) {
  v.push_back(static_cast<uint8_t>(x));
  v.push_back(static_cast<uint8_t>(x >> 8));
}
void Put32(std::vector<uint8_t>& v, uint32_t x) {
  for (int i = 0; i < 4; ++i) v.push_back(static_cast<uint8_t>(x >> (8 * i)));
}

}  // namespace

bool DecodeBmp(std::span<const uint8_t> file, TPixelBuffer& out, std::string* error) {
  TReader in(file);
  if (!in.Has(0, 14 + 4)) return Fail(error, "truncated header");
  if (file[0] != 'B' || file[1] != 'M') return Fail(error, "not a bitmap");
  const uint32_t offBits = in.U32(10);
  // Some writers leave the offset 0; rows then follow the palette.
  return DecodeAt(in, 14, offBits, out, error);
}

bool DecodeDib(std::span<const uint8_t> dib, TPixelBuffer& out, std::string* error) {
  return DecodeAt(TReader(dib), 0, 0, out, error);
}

std::vector<uint8_t> EncodeBmp(const TPixelBuffer& pixels) {
  const uint32_t stride = static_cast<uint32_t>(pixels.Stride());
  const uint32_t imageSize = stride * static_cast<uint32_t>(pixels.Height);
  std::vector<uint8_t> v;
  v.reserve(54 + imageSize);
  v.push_back('B');
  v.push_back('M');
  Put32(v, 54 + imageSize);
  Put32(v, 0);
  Put32(v, 54);
  Put32(v, 40);
  Put32(v, static_cast<uint32_t>(pixels.Width));
  Put32(v, static_cast<uint32_t>(pixels.Height));
  Put16(v, 1);
  Put16(v, static_cast<uint16_t>(pixels.BitsPerPixel));
  Put32(v, kBiRgb);
  Put32(v, imageSize);
  Put32(v, 2835);
  Put32(v, 2835);
  Put32(v, 0);
  Put32(v, 0);
  for (int y = pixels.Height - 1; y >= 0; --y) v.insert(v.end(), pixels.Row(y), pixels.Row(y) + stride);
  return v;
}
