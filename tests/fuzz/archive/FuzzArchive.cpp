// Any compressed archive: loading accepts or refuses it, and every entry of an accepted one
// can be extracted within the data it declared.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "skin/data/SkinRead.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TSkinReader reader;
  TMemoryStream input(std::vector<uint8_t>(data, data + size));
  if (!reader.LoadArchive(input)) return 0;
  TMemoryStream target;
  for (int i = 0; i < reader.Count(); ++i) {
    reader.ExtractEntry(reader.Names()[static_cast<size_t>(i)], target);
    if (target.GetSize() > reader.EntrySize(i)) std::abort();
  }
  std::string found;
  reader.ExtractEntryContaining(".ini", target, found);
  return 0;
}
