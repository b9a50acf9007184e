#pragma once
// Read-only INI reader over a skin description held in memory.
// Safety: reads the given stream only up to its end; memory is bounded by the text's size.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class TStream;

class TQuickIni {
 public:
  // Parses from the stream's position to its end (a zero byte ends the text); nullptr
  // leaves the reader unchanged.
  void LoadFromStream(TStream* stream);
  // Line index of the first header "[name]" (any case), or -1.
  int FindSection(const std::string& name) const;
  std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;
  int32_t ReadInteger(const std::string& section, const std::string& key, int32_t def) const;
  // Clears `list` and fills it with every section name in order, duplicates included.
  void ReadSections(std::vector<std::string>& list) const;

  const std::vector<std::string>& Lines() const { return FLines; }

 private:
  std::vector<std::string> FLines;                     // significant lines, trimmed
  std::vector<std::pair<std::string, int>> FSections;  // header line and its line index
};
