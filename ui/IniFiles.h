#pragma once
// Settings files in the platform's profile format ("[section]" lines, then key=value lines),
// read and written through the platform's profile operations.
#include <string>

#include "ui/StringList.h"
#include "ui/SysUtils.h"

class EIniFileException : public Exception {
 public:
  using Exception::Exception;
};

class TIniFile {
 public:
  explicit TIniFile(std::string fileName) : FFileName(std::move(fileName)) {}
  const std::string& FileName() const { return FFileName; }

  // Values read are cut at 2047 characters.
  std::string ReadString(const std::string& section, const std::string& ident, const std::string& def) const;
  int ReadInteger(const std::string& section, const std::string& ident, int def) const;
  // A missing or empty value gives def; other text must be "True"/"False" in any case or a
  // number, else EConvertError "'<text>' is not a valid boolean value".
  bool ReadBool(const std::string& section, const std::string& ident, bool def) const;

  // Every write that the platform refuses raises EIniFileException "Unable to write to <path>".
  void WriteString(const std::string& section, const std::string& ident, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& ident, int value);
  void WriteBool(const std::string& section, const std::string& ident, bool value);  // "True"/"False"

  void ReadSection(const std::string& section, TStringList& keys) const;
  void ReadSections(TStringList& sections) const;
  void ReadSectionValues(const std::string& section, TStringList& lines) const;  // key=value
  bool SectionExists(const std::string& section) const;
  bool ValueExists(const std::string& section, const std::string& ident) const;
  void EraseSection(const std::string& section);
  void DeleteKey(const std::string& section, const std::string& ident);
  void UpdateFile();  // writes cached changes to disk (the platform reports nothing back)

 private:
  [[noreturn]] void WriteFailed() const;
  bool ReadOnlyFile() const;
  std::string FFileName;
};
