#pragma once
// BMP files and packed DIBs (as stored in RT_BITMAP resources) to a top-down pixel buffer.
// Safety contract: never reads past the input, never writes past the output, never makes an
// image of more than kMaxBmpPixels pixels, and for uncompressed rows never allocates more than
// the input's rows can fill (at most 24 output bits per input bit).
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "ui/PixelBuffer.h"

// 4096 x 4096: far above any skin picture, and 48 MB once decoded to 24 bits.
constexpr uint64_t kMaxBmpPixels = 16ull * 1024 * 1024;

// Accepted: 12-byte core headers and 40/52/56/108/124-byte info headers (V4 and V5 included);
// 1, 4, 8 bits with a palette, 8-bit and 4-bit run-length compression (RLE8, RLE4), 16 bits
// (5-5-5, or any contiguous masks through BI_BITFIELDS, such as 5-6-5), 24 bits, and 32 bits
// (BI_RGB, or BI_BITFIELDS with any contiguous masks); uncompressed rows bottom-up (positive
// height) or top-down (negative). 32-bit input gives a 32-bit buffer whose fourth byte is the
// input's (usual masks) or its alpha mask's channel (0 without one); everything else gives
// 24 bits. Short channels are scaled to full range (5 bits: 31 -> 255). Palette indices past
// the palette read as black; pixels a run-length stream never reaches take palette colour 0.
// On failure the result is false, `out` is untouched and `error` (when given) says why.
bool DecodeBmp(std::span<const uint8_t> file, TPixelBuffer& out, std::string* error = nullptr);
// The size a header gives its picture.
struct TBmpExtent {
  int64_t Width = 0, Height = 0;
};
// DecodeBmp that refuses ("over the memory limit"), before allocating, an image whose decoded
// pixels would take more than maxBytes. `extent` (when given) is filled once the header's size
// has been read, also when the image is refused for its size, so a refusal can say how large.
bool DecodeBmpWithin(std::span<const uint8_t> file, uint64_t maxBytes, TPixelBuffer& out,
                     std::string* error = nullptr, TBmpExtent* extent = nullptr);
bool DecodeDib(std::span<const uint8_t> dib, TPixelBuffer& out, std::string* error = nullptr);

// A BMP file (40-byte header, bottom-up rows, BI_RGB) of the buffer's 24 or 32 bits.
std::vector<uint8_t> EncodeBmp(const TPixelBuffer& pixels);
