#include "skin/data/ImgUtil.h"

#include <algorithm>
#include <cstring>
#include <utility>

void MakeGray(TPixelBuffer& bmp) {
  if (bmp.BitsPerPixel != 24) {
    TPixelBuffer out(bmp.Width, bmp.Height, 24);
    for (int y = 0; y < bmp.Height; ++y) {
      const uint8_t* s = bmp.Row(y);
      uint8_t* d = out.Row(y);
      for (int x = 0; x < bmp.Width; ++x, s += bmp.BytesPerPixel(), d += 3) std::memcpy(d, s, 3);
    }
    bmp = std::move(out);
  }
  for (int y = 0; y < bmp.Height; ++y) {
    uint8_t* p = bmp.Row(y);
    for (int x = 0; x < bmp.Width; ++x, p += 3) {
      const uint8_t v = static_cast<uint8_t>((p[0] + p[1] + p[2]) / 3);
      p[0] = p[1] = p[2] = v;
    }
  }
}

void MirrorHorz(TPixelBuffer& bmp) {
  const int bpp = bmp.BytesPerPixel();
  for (int y = 0; y < bmp.Height; ++y) {
    uint8_t* row = bmp.Row(y);
    for (int a = 0, b = bmp.Width - 1; a < b; ++a, --b)
      for (int k = 0; k < bpp; ++k) std::swap(row[a * bpp + k], row[b * bpp + k]);
  }
}

void FlipVert(TPixelBuffer& bmp) {
  const size_t n = static_cast<size_t>(bmp.Width) * bmp.BytesPerPixel();
  for (int a = 0, b = bmp.Height - 1; a < b; ++a, --b)
    std::swap_ranges(bmp.Row(a), bmp.Row(a) + n, bmp.Row(b));
}

namespace {
// new (x, y) <- old (srcX(x, y), srcY(x, y)) for a W x H source turned into H x W.
template <class Map>
void Rotate(TPixelBuffer& bmp, Map map) {
  const int W = bmp.Width, H = bmp.Height, bpp = bmp.BytesPerPixel();
  TPixelBuffer out(H, W, bmp.BitsPerPixel);
  for (int y = 0; y < out.Height; ++y) {
    uint8_t* d = out.Row(y);
    for (int x = 0; x < out.Width; ++x, d += bpp) {
      const auto [sx, sy] = map(x, y, W, H);
      std::memcpy(d, bmp.Row(sy) + sx * bpp, bpp);
    }
  }
  bmp = std::move(out);
}

struct TXY {
  int X, Y;
};
}  // namespace

void RotateLeft(TPixelBuffer& bmp) {
  Rotate(bmp, [](int x, int y, int W, int) { return TXY{W - 1 - y, x}; });
}

void RotateRight(TPixelBuffer& bmp) {
  Rotate(bmp, [](int x, int y, int, int H) { return TXY{y, H - 1 - x}; });
}

std::wstring WideLeft(std::wstring_view text, int count) {
  if (count == -1 || count >= static_cast<int>(text.size())) return std::wstring(text);
  if (count <= 0) return {};
  return std::wstring(text.substr(0, static_cast<size_t>(count)));
}
