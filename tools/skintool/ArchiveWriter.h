#pragma once
// Builds skin archives (the program only reads them): entry names, one per line with CR LF,
// a size table, the entries' bytes, all behind a 16-byte header, then LZH-compressed.
#include <cstdint>
#include <string>
#include <vector>

struct TArchiveEntry {
  std::string Name;
  std::vector<uint8_t> Bytes;
};

// The decoded archive. Raises std::invalid_argument for an empty name or one holding a line
// break, for more entries than a reader accepts, and when the result would pass the size limit.
std::vector<uint8_t> BuildArchive(const std::vector<TArchiveEntry>& entries, int32_t version = 20000);
// The compressed archive, as stored in a skin file.
std::vector<uint8_t> PackArchive(const std::vector<TArchiveEntry>& entries, int32_t version = 20000);
