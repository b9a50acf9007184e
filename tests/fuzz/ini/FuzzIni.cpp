// Any text: parsing and every lookup stay in bounds; the first line picks the lookups.
#include <cstdint>
#include <string>
#include <vector>

#include "skin/data/SkinIni.h"
#include "ui/Streams.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TMemoryStream input(std::vector<uint8_t>(data, data + size));
  TQuickIni ini;
  ini.LoadFromStream(&input);
  std::vector<std::string> sections;
  ini.ReadSections(sections);
  for (const auto& s : sections) {
    ini.FindSection(s);
    const auto& lines = ini.Lines();
    for (size_t i = 0; i < lines.size() && i < 64; ++i) {
      const std::string& line = lines[i];
      const std::string key = line.substr(0, line.find('='));
      ini.ReadString(s, key, "d");
      ini.ReadInteger(s, key, 0);
    }
    if (sections.size() > 16) break;  // keep one input quick
  }
  return 0;
}
