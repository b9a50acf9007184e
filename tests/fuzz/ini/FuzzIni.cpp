// Any text: parsing and every lookup stay in bounds; the first line picks the lookups. An
// integer that converts is written only with a sign, digits, "$", or "0x" at its very start.
#include <cstdint>
#include <cstdlib>
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
      if (ini.ReadInteger(s, key, 0) == ini.ReadInteger(s, key, 1)) {  // converted
        const std::string text = ini.ReadString(s, key, "");
        for (size_t c = 0; c < text.size(); ++c) {
          const char ch = text[c];
          const bool hexLetter = (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F');
          const bool prefixX = (ch == 'x' || ch == 'X') && c == 1 && text[0] == '0';
          const bool sign = (ch == '+' || ch == '-') && c == 0;
          if (!(ch >= '0' && ch <= '9') && !hexLetter && !prefixX && !sign && ch != '$') std::abort();
        }
      }
    }
    if (sections.size() > 16) break;  // keep one input quick
  }
  return 0;
}
