#include "tools/ballgen/PngWriter.h"

#include <array>
#include <fstream>
#include <stdexcept>

namespace png {
namespace {

const std::array<uint32_t, 256>& CrcTable() {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  return table;
}

void PutBe32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char (&type)[5], std::span<const uint8_t> body) {
  PutBe32(out, static_cast<uint32_t>(body.size()));
  const size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), body.begin(), body.end());
  // The CRC covers the type and the data, not the length.
  PutBe32(out, Crc32(std::span<const uint8_t>(out.data() + typeAt, 4 + body.size())));
}

}  // namespace

uint32_t Crc32(std::span<const uint8_t> data, uint32_t crc) {
  const auto& table = CrcTable();
  uint32_t c = crc ^ 0xFFFFFFFFu;
  for (uint8_t b : data) c = table[(c ^ b) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

uint32_t Adler32(std::span<const uint8_t> data) {
  uint32_t a = 1, b = 0;
  for (uint8_t byte : data) {
    a = (a + byte) % 65521u;
    b = (b + a) % 65521u;
  }
  return (b << 16) | a;
}

std::vector<uint8_t> ZlibStored(std::span<const uint8_t> data) {
  std::vector<uint8_t> out{0x78, 0x01};  // deflate, 32K window, no dictionary; 0x7801 % 31 == 0
  size_t pos = 0;
  do {
    const size_t len = std::min<size_t>(65535, data.size() - pos);
    const bool final = pos + len == data.size();
    out.push_back(final ? 1 : 0);  // BFINAL, BTYPE 00 (stored), padded to the byte
    out.push_back(static_cast<uint8_t>(len));
    out.push_back(static_cast<uint8_t>(len >> 8));
    out.push_back(static_cast<uint8_t>(~len));
    out.push_back(static_cast<uint8_t>(~len >> 8));
    out.insert(out.end(), data.begin() + pos, data.begin() + pos + len);
    pos += len;
  } while (pos < data.size());
  PutBe32(out, Adler32(data));
  return out;
}

std::vector<uint8_t> EncodeRgba(uint32_t width, uint32_t height, std::span<const uint8_t> rgba) {
  const size_t rowBytes = static_cast<size_t>(width) * 4;
  if (width == 0 || height == 0 || rgba.size() != rowBytes * height)
    throw std::invalid_argument("pixel data does not match the size");
  std::vector<uint8_t> raw;
  raw.reserve((rowBytes + 1) * height);
  for (uint32_t y = 0; y < height; ++y) {
    raw.push_back(0);  // filter: none
    raw.insert(raw.end(), rgba.begin() + y * rowBytes, rgba.begin() + (y + 1) * rowBytes);
  }
  std::vector<uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  PutBe32(header, width);
  PutBe32(header, height);
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter, no interlace
  PutChunk(out, "IHDR", header);
  PutChunk(out, "IDAT", ZlibStored(raw));
  PutChunk(out, "IEND", {});
  return out;
}

bool WriteFile(const std::string& path, std::span<const uint8_t> bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(f);
}

}  // namespace png
