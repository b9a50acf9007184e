#include "ui/BmpDecode.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;

// Little-endian reads at a checked offset.
class TReader {
 public:
  explicit TReader(std::span<const uint8_t> data) : FData(data) {}
  bool Has(size_t offset, size_t count) const {
    return offset <= FData.size() && count <= FData.size() - offset;
  }
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

constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;

// One colour channel of a bit-field pixel, scaled to 8 bits.
struct TChannel {
  uint32_t Mask = 0;
  unsigned Shift = 0;
  unsigned Bits = 0;

  // False for a mask with gaps, which no writer produces and no reader agrees on.
  bool Set(uint32_t mask) {
    Mask = mask;
    Shift = Bits = 0;
    if (mask == 0) return true;
    while (!(mask & 1u)) {
      mask >>= 1;
      ++Shift;
    }
    while (mask & 1u) {
      mask >>= 1;
      ++Bits;
    }
    return mask == 0;
  }
  // Short channels repeat their bits, so full scale stays full scale (31 -> 255).
  uint8_t Get(uint32_t pixel) const {
    if (Bits == 0) return 0;
    const uint32_t v = (pixel & Mask) >> Shift;
    if (Bits >= 8) return static_cast<uint8_t>(v >> (Bits - 8));
    uint32_t acc = 0;
    unsigned filled = 0;
    while (filled < 8) {
      acc = (acc << Bits) | v;
      filled += Bits;
    }
    return static_cast<uint8_t>(acc >> (filled - 8));
  }
};

struct THeader {
  uint32_t Size = 0;
  int64_t Width = 0, Height = 0;
  bool TopDown = false;
  unsigned BitCount = 0;
  uint32_t Compression = kBiRgb;
  uint32_t ColorsUsed = 0;
  size_t PaletteEntrySize = 4;
  size_t AfterHeader = 0;  // offset of the palette (or the rows)
  uint32_t Masks[4] = {};  // red, green, blue, alpha
};

bool ReadHeader(const TReader& in, size_t dibStart, THeader& h, std::string* error, TBmpExtent* extent) {
  if (!in.Has(dibStart, 4)) return Fail(error, "truncated header");
  h.Size = in.U32(dibStart);
  if (h.Size == 12) {
    if (!in.Has(dibStart, 12)) return Fail(error, "truncated header");
    h.Width = in.U16(dibStart + 4);
    h.Height = in.U16(dibStart + 6);
    h.BitCount = in.U16(dibStart + 10);
    h.PaletteEntrySize = 3;
    h.AfterHeader = dibStart + 12;
    if (h.BitCount != 1 && h.BitCount != 4 && h.BitCount != 8 && h.BitCount != 24 && h.BitCount != 32)
      return Fail(error, "unsupported bit count");
  } else if (h.Size == 40 || h.Size == 52 || h.Size == 56 || h.Size == 108 || h.Size == 124) {
    if (!in.Has(dibStart, h.Size)) return Fail(error, "truncated header");
    h.Width = static_cast<int32_t>(in.U32(dibStart + 4));
    h.Height = static_cast<int32_t>(in.U32(dibStart + 8));
    h.BitCount = in.U16(dibStart + 14);
    h.Compression = in.U32(dibStart + 16);
    h.ColorsUsed = in.U32(dibStart + 32);
    h.AfterHeader = dibStart + h.Size;
    if (h.BitCount != 1 && h.BitCount != 4 && h.BitCount != 8 && h.BitCount != 16 && h.BitCount != 24 &&
        h.BitCount != 32)
      return Fail(error, "unsupported bit count");
  } else {
    return Fail(error, "unknown header size");
  }

  switch (h.Compression) {
    case kBiRgb:
      if (h.BitCount == 16) {  // 16 bits without masks are 5-5-5
        h.Masks[0] = 0x7C00;
        h.Masks[1] = 0x03E0;
        h.Masks[2] = 0x001F;
      } else if (h.BitCount == 32) {
        h.Masks[0] = 0x00FF0000;
        h.Masks[1] = 0x0000FF00;
        h.Masks[2] = 0x000000FF;
      }
      break;
    case kBiRle8:
    case kBiRle4:
      if (h.BitCount != (h.Compression == kBiRle8 ? 8u : 4u)) return Fail(error, "unsupported compression");
      break;
    case kBiBitfields: {
      if (h.BitCount != 16 && h.BitCount != 32) return Fail(error, "unsupported compression");
      // Masks follow a 40-byte header; larger headers hold them inside, from 56 bytes with alpha.
      const size_t masksAt = dibStart + 40;
      if (h.Size == 40) {
        if (!in.Has(masksAt, 12)) return Fail(error, "truncated masks");
        h.AfterHeader += 12;
      }
      for (int i = 0; i < 3; ++i) h.Masks[i] = in.U32(masksAt + 4 * static_cast<size_t>(i));
      if (h.Size >= 56) h.Masks[3] = in.U32(masksAt + 12);
      break;
    }
    default:
      return Fail(error, "unsupported compression");
  }

  h.TopDown = h.Height < 0;
  if (h.TopDown) {
    // Compressed rows are defined bottom-up only.
    if (h.Size == 12 || h.Compression == kBiRle8 || h.Compression == kBiRle4)
      return Fail(error, "bad height");
    h.Height = -h.Height;
  }
  if (h.Width <= 0 || h.Height <= 0) return Fail(error, "empty or negative size");
  if (extent) *extent = {h.Width, h.Height};
  if (static_cast<uint64_t>(h.Width) * static_cast<uint64_t>(h.Height) > kMaxBmpPixels)
    return Fail(error, "image too large");
  return true;
}

uint64_t OutputBytes(const THeader& h) {
  const uint64_t bytesPerPixel = h.BitCount == 32 ? 4 : 3;
  return ((static_cast<uint64_t>(h.Width) * bytesPerPixel + 3) & ~uint64_t{3}) *
         static_cast<uint64_t>(h.Height);
}

void PutColour(uint8_t* dst, const TPaletteEntry& c) {
  dst[0] = c.B;
  dst[1] = c.G;
  dst[2] = c.R;
}

// Run-length rows (bottom-up): encoded runs, absolute runs, end of line, end of bitmap and
// delta jumps. Pixels no run reaches keep palette colour 0; runs past the row's end and
// jumps past the image are dropped; a stream that stops early keeps what it drew.
void DecodeRle(const TReader& in, size_t at, bool four, const std::vector<TPaletteEntry>& palette,
               TPixelBuffer& out) {
  const auto colour = [&](unsigned index) {
    return index < palette.size() ? palette[index] : TPaletteEntry{};
  };
  // Paint the first row with colour 0, then copy it: large sparse images come from tiny streams.
  const TPaletteEntry background = colour(0);
  for (int x = 0; x < out.Width; ++x) PutColour(out.Row(0) + 3 * x, background);
  for (int y = 1; y < out.Height; ++y) std::memcpy(out.Row(y), out.Row(0), static_cast<size_t>(out.Stride()));
  const int w = out.Width, h = out.Height;
  int x = 0, row = 0;  // row 0 is the bottom one
  const auto put = [&](unsigned index) {
    if (x >= w) return;
    PutColour(out.Row(h - 1 - row) + 3 * x, colour(index));
    ++x;
  };
  while (row < h && in.Has(at, 2)) {
    const uint8_t count = *in.At(at), value = *in.At(at + 1);
    at += 2;
    if (count > 0) {
      for (unsigned i = 0; i < count; ++i) put(four ? (i % 2 == 0 ? value >> 4 : value & 0x0F) : value);
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      ++row;
    } else if (value == 1) {  // end of bitmap
      break;
    } else if (value == 2) {  // delta: right and up
      if (!in.Has(at, 2)) break;
      x = std::min(w, x + *in.At(at));
      row += *in.At(at + 1);
      at += 2;
    } else {  // absolute run of `value` pixels, padded to 16 bits
      const size_t bytes = four ? (value + 1u) / 2 : value;
      if (!in.Has(at, bytes)) break;
      const uint8_t* p = in.At(at);
      for (unsigned i = 0; i < value; ++i) put(four ? (i % 2 == 0 ? p[i / 2] >> 4 : p[i / 2] & 0x0F) : p[i]);
      at += bytes + (bytes & 1);
    }
  }
}

// dibStart: offset of the info header within data; bitsOffset: where the rows start, or 0
// for "right after the palette".
bool DecodeAt(const TReader& in, size_t dibStart, size_t bitsOffset, uint64_t maxBytes, TPixelBuffer& out,
              std::string* error, TBmpExtent* extent = nullptr) {
  THeader h;
  if (!ReadHeader(in, dibStart, h, error, extent)) return false;
  if (OutputBytes(h) > maxBytes) return Fail(error, "over the memory limit");

  TChannel channels[4];
  for (int i = 0; i < 4; ++i)
    if (!channels[i].Set(h.Masks[i]) || (h.BitCount == 16 && h.Masks[i] > 0xFFFF))
      return Fail(error, "unsupported colour masks");
  // The usual 8-8-8 layout copies rows as they are, keeping the fourth byte.
  const bool plain32 = h.BitCount == 32 && h.Masks[0] == 0x00FF0000 && h.Masks[1] == 0x0000FF00 &&
                       h.Masks[2] == 0x000000FF && h.Masks[3] == 0;

  std::vector<TPaletteEntry> palette;
  size_t paletteEnd = h.AfterHeader;
  if (h.BitCount <= 8) {
    const uint32_t maxColours = 1u << h.BitCount;
    uint32_t count = h.ColorsUsed == 0 || h.ColorsUsed > maxColours ? maxColours : h.ColorsUsed;
    if (h.Size == 12) count = maxColours;
    if (!in.Has(h.AfterHeader, static_cast<size_t>(count) * h.PaletteEntrySize))
      return Fail(error, "truncated palette");
    palette.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
      const uint8_t* p = in.At(h.AfterHeader + i * h.PaletteEntrySize);
      palette[i] = {p[0], p[1], p[2]};
    }
    paletteEnd = h.AfterHeader + static_cast<size_t>(count) * h.PaletteEntrySize;
  }
  const size_t bitsAt = bitsOffset != 0 ? bitsOffset : paletteEnd;
  if (bitsAt > in.Size()) return Fail(error, "truncated pixel data");

  const int outBits = h.BitCount == 32 ? 32 : 24;
  if (h.Compression == kBiRle8 || h.Compression == kBiRle4) {
    TPixelBuffer result(static_cast<int>(h.Width), static_cast<int>(h.Height), outBits);
    DecodeRle(in, bitsAt, h.Compression == kBiRle4, palette, result);
    out = std::move(result);
    return true;
  }

  // Rows are padded to 4 bytes; the whole block must be present.
  const uint64_t srcStride = ((static_cast<uint64_t>(h.Width) * h.BitCount + 31) / 32) * 4;
  const uint64_t needed = srcStride * static_cast<uint64_t>(h.Height);
  if (needed > in.Size() - bitsAt) return Fail(error, "truncated pixel data");

  TPixelBuffer result(static_cast<int>(h.Width), static_cast<int>(h.Height), outBits);
  const int w = result.Width;
  for (int y = 0; y < result.Height; ++y) {
    const int srcRow = h.TopDown ? y : result.Height - 1 - y;
    const uint8_t* src = in.At(bitsAt + static_cast<size_t>(srcRow) * srcStride);
    uint8_t* dst = result.Row(y);
    switch (h.BitCount) {
      case 32:
        if (plain32) {
          std::memcpy(dst, src, static_cast<size_t>(w) * 4);
          break;
        }
        for (int x = 0; x < w; ++x) {
          const uint32_t p =
              static_cast<uint32_t>(src[4 * x]) | (static_cast<uint32_t>(src[4 * x + 1]) << 8) |
              (static_cast<uint32_t>(src[4 * x + 2]) << 16) | (static_cast<uint32_t>(src[4 * x + 3]) << 24);
          dst[4 * x] = channels[2].Get(p);
          dst[4 * x + 1] = channels[1].Get(p);
          dst[4 * x + 2] = channels[0].Get(p);
          dst[4 * x + 3] = channels[3].Get(p);
        }
        break;
      case 24:
        std::memcpy(dst, src, static_cast<size_t>(w) * 3);
        break;
      case 16:
        for (int x = 0; x < w; ++x) {
          const uint32_t p = static_cast<uint32_t>(src[2 * x]) | (static_cast<uint32_t>(src[2 * x + 1]) << 8);
          dst[3 * x] = channels[2].Get(p);
          dst[3 * x + 1] = channels[1].Get(p);
          dst[3 * x + 2] = channels[0].Get(p);
        }
        break;
      default: {
        const unsigned perByte = 8 / h.BitCount;
        const unsigned mask = (1u << h.BitCount) - 1;
        for (int x = 0; x < w; ++x) {
          const uint8_t byte = src[x / perByte];
          const unsigned shift = 8 - h.BitCount * (1 + x % perByte);
          const unsigned index = (byte >> shift) & mask;
          PutColour(dst + 3 * x, index < palette.size() ? palette[index] : TPaletteEntry{});
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
  return DecodeBmpWithin(file, UINT64_MAX, out, error);
}

bool DecodeBmpWithin(std::span<const uint8_t> file, uint64_t maxBytes, TPixelBuffer& out, std::string* error,
                     TBmpExtent* extent) {
  TReader in(file);
  if (!in.Has(0, 14 + 4)) return Fail(error, "truncated header");
  if (file[0] != 'B' || file[1] != 'M') return Fail(error, "not a bitmap");
  const uint32_t offBits = in.U32(10);
  // Some writers leave the offset 0; rows then follow the palette.
  return DecodeAt(in, 14, offBits, maxBytes, out, error, extent);
}

bool DecodeDib(std::span<const uint8_t> dib, TPixelBuffer& out, std::string* error) {
  return DecodeAt(TReader(dib), 0, 0, UINT64_MAX, out, error);
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
