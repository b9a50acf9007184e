// Any compressed archive: loading accepts or refuses it, and every entry of an accepted one
// can be extracted within the data it declared.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "skin/data/SkinRead.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TSkinReader reader;
  TMemoryStream input(std::vector<uint8_t>(data, data + size));
  if (!reader.LoadArchive(input)) return 0;
  TMemoryStream target;
  const auto& names = reader.Names();
  for (int i = 0; i < reader.Count(); ++i) {
    reader.ExtractEntry(names[static_cast<size_t>(i)], target);
    // A repeated name yields its first entry.
    const auto first = std::find(names.begin(), names.end(), names[static_cast<size_t>(i)]) - names.begin();
    if (target.GetSize() != reader.EntrySize(static_cast<int>(first))) std::abort();
  }
  std::string found;
  reader.ExtractEntryContaining(".ini", target, found);
  return 0;
}
