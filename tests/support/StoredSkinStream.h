#pragma once
// A skin archive as a form stores it: its byte count (32 bits, little-endian), then its bytes.
// Written here byte by byte, so a test's input does not come from the writer under test.
#include <cstdint>
#include <vector>

inline std::vector<uint8_t> StoredSkinStream(const std::vector<uint8_t>& archive) {
  const uint32_t n = static_cast<uint32_t>(archive.size());
  std::vector<uint8_t> s = {static_cast<uint8_t>(n), static_cast<uint8_t>(n >> 8),
                            static_cast<uint8_t>(n >> 16), static_cast<uint8_t>(n >> 24)};
  s.insert(s.end(), archive.begin(), archive.end());
  return s;
}
