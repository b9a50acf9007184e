#pragma once
// BMP files and packed DIBs (as stored in RT_BITMAP resources) to a top-down pixel buffer.
// Safety contract: never reads past the input, never writes past the output, and never
// allocates more than the input's pixel rows can fill (at most 24 output bits per input bit,
// under kMaxBmpPixels pixels).
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "ui/PixelBuffer.h"

constexpr uint64_t kMaxBmpPixels = 64ull * 1024 * 1024;

// Accepted: 12-byte core headers and 40/52/56/108/124-byte info headers; 1, 4, 8 bits with a
// palette, 24 bits, and 32 bits (BI_RGB, or BI_BITFIELDS with the usual masks); rows bottom-up
// (positive height) or top-down (negative). 32-bit input gives a 32-bit buffer with its fourth
// byte kept; everything else gives 24 bits. Palette indices past the palette read as black.
// On failure the result is false, `out` is untouched and `error` (when given) says why.
bool DecodeBmp(std::span<const uint8_t> file, TPixelBuffer& out, std::string* error = nullptr);
bool DecodeDib(std::span<const uint8_t> dib, TPixelBuffer& out, std::string* error = nullptr);

// A BMP file (40-byte header, bottom-up rows, BI_RGB) of the buffer's 24 or 32 bits.
std::vector<uint8_t> EncodeBmp(const TPixelBuffer& pixels);
