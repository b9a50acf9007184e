#pragma once
// A minimal PNG encoder for our generated assets: 8-bit RGBA, no filtering, and a zlib
// stream of stored (uncompressed) deflate blocks, so it needs no compression library.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace png {

uint32_t Crc32(std::span<const uint8_t> data, uint32_t crc = 0);
uint32_t Adler32(std::span<const uint8_t> data);

// zlib header, stored blocks of at most 65535 bytes (the last one marked final), Adler-32.
std::vector<uint8_t> ZlibStored(std::span<const uint8_t> data);

// A whole PNG file from rows of width * 4 bytes (R, G, B, A), top row first.
std::vector<uint8_t> EncodeRgba(uint32_t width, uint32_t height, std::span<const uint8_t> rgba);

bool WriteFile(const std::string& path, std::span<const uint8_t> bytes);

}  // namespace png
