#pragma once
// A plain top-down pixel buffer laid out like a DIB section's rows (each row padded to
// 4 bytes), so portable code can work on pixels and the platform can copy rows 1:1.
// 24-bit pixels are B, G, R; 32-bit pixels are B, G, R, A.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

struct TPixelBuffer {
  int Width = 0;
  int Height = 0;
  int BitsPerPixel = 24;  // 24 or 32
  std::vector<uint8_t> Bits;

  TPixelBuffer() = default;
  TPixelBuffer(int width, int height, int bitsPerPixel = 24) { Resize(width, height, bitsPerPixel); }

  // Bytes per row, padded to 4 (0 for no width). Worked out in 64 bits: a row too long for
  // an int is refused (std::length_error) rather than wrapped to a small or negative stride.
  static int StrideFor(int width, int bitsPerPixel) {
    if (width <= 0) return 0;
    const int64_t bytes = (static_cast<int64_t>(width) * bitsPerPixel / 8 + 3) & ~int64_t{3};
    if (bytes > INT32_MAX) throw std::length_error("pixel row too long");
    return static_cast<int>(bytes);
  }
  int Stride() const { return StrideFor(Width, BitsPerPixel); }
  int BytesPerPixel() const { return BitsPerPixel / 8; }
  bool Empty() const { return Width <= 0 || Height <= 0; }

  // Sizes are clamped to 0; the contents become zero bytes.
  void Resize(int width, int height, int bitsPerPixel = 24) {
    if (bitsPerPixel != 24 && bitsPerPixel != 32) throw std::invalid_argument("pixel format");
    Width = width > 0 ? width : 0;
    Height = height > 0 ? height : 0;
    BitsPerPixel = bitsPerPixel;
    Bits.assign(static_cast<size_t>(Stride()) * static_cast<size_t>(Height), 0);
  }
  uint8_t* Row(int y) { return Bits.data() + static_cast<size_t>(y) * Stride(); }
  const uint8_t* Row(int y) const { return Bits.data() + static_cast<size_t>(y) * Stride(); }

  // Colour as 0x00BBGGRR (the platform's COLORREF layout); alpha is ignored.
  uint32_t GetPixel(int x, int y) const {
    const uint8_t* p = Row(y) + x * BytesPerPixel();
    return static_cast<uint32_t>(p[2]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[0]) << 16);
  }
  void SetPixel(int x, int y, uint32_t colour) {
    uint8_t* p = Row(y) + x * BytesPerPixel();
    p[0] = static_cast<uint8_t>(colour >> 16);
    p[1] = static_cast<uint8_t>(colour >> 8);
    p[2] = static_cast<uint8_t>(colour);
  }
};
