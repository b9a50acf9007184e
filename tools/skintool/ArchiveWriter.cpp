#include "tools/skintool/ArchiveWriter.h"

#include <stdexcept>

#include "skin/data/LZH.h"
#include "skin/data/SkinRead.h"
#include "tools/skintool/LzhEncode.h"

namespace {
void PutLe32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
}  // namespace

std::vector<uint8_t> BuildArchive(const std::vector<TArchiveEntry>& entries, int32_t version) {
  if (entries.size() > static_cast<size_t>(SkinMaxEntries))
    throw std::invalid_argument(std::to_string(entries.size()) + " entries, more than an archive may hold (" +
                                std::to_string(SkinMaxEntries) + ")");
  std::string names;
  uint64_t total = 0;
  for (const auto& e : entries) {
    if (e.Name.empty()) throw std::invalid_argument("an entry has an empty name");
    if (e.Name.find_first_of("\r\n") != std::string::npos)
      throw std::invalid_argument("entry name \"" + e.Name + "\" holds a line break");
    names += e.Name;
    names += "\r\n";
    total += e.Bytes.size();
  }
  total += 16 + names.size() + 4 * entries.size();
  if (total > static_cast<uint64_t>(LzhMaxDecodedSize))
    throw std::invalid_argument("archive would hold " + std::to_string(total) +
                                " bytes, above the limit of " + std::to_string(LzhMaxDecodedSize));
  std::vector<uint8_t> out;
  out.reserve(static_cast<size_t>(total));
  PutLe32(out, static_cast<uint32_t>(version));
  PutLe32(out, static_cast<uint32_t>(names.size()));
  PutLe32(out, 0);
  PutLe32(out, 0);
  out.insert(out.end(), names.begin(), names.end());
  for (const auto& e : entries) PutLe32(out, static_cast<uint32_t>(e.Bytes.size()));
  for (const auto& e : entries) out.insert(out.end(), e.Bytes.begin(), e.Bytes.end());
  return out;
}

std::vector<uint8_t> PackArchive(const std::vector<TArchiveEntry>& entries, int32_t version) {
  return LzhEncodeFramed(BuildArchive(entries, version));
}
