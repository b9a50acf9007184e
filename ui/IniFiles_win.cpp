#include "ui/IniFiles.h"

#include <windows.h>

#include <vector>

#include "ui/Convert.h"

namespace {
constexpr DWORD kValueBuffer = 2048;  // 2047 characters and the terminator

// Reads a double-null-terminated list (keys of a section, or section names), growing the
// buffer until the list fits.
void ReadList(const char* section, const std::string& file, TStringList& out) {
  out.Clear();
  std::vector<char> buf(4096);
  for (;;) {
    const DWORD n =
        section ? GetPrivateProfileStringA(section, nullptr, "", buf.data(), static_cast<DWORD>(buf.size()),
                                           file.c_str())
                : GetPrivateProfileSectionNamesA(buf.data(), static_cast<DWORD>(buf.size()), file.c_str());
    if (n + 2 < buf.size() || buf.size() >= (1u << 24)) {
      size_t i = 0;
      while (i < n && buf[i]) {
        const std::string item(&buf[i]);
        out.Add(item);
        i += item.size() + 1;
      }
      return;
    }
    buf.resize(buf.size() * 4);
  }
}
}  // namespace

void TIniFile::WriteFailed() const {
  throw EIniFileException(Format("Unable to write to %s", FFileName.c_str()));
}

std::string TIniFile::ReadString(const std::string& section, const std::string& ident,
                                 const std::string& def) const {
  char buf[kValueBuffer];
  const DWORD n = GetPrivateProfileStringA(section.c_str(), ident.c_str(), def.c_str(), buf, kValueBuffer,
                                           FFileName.c_str());
  return std::string(buf, n < kValueBuffer ? n : kValueBuffer - 1);
}

int TIniFile::ReadInteger(const std::string& section, const std::string& ident, int def) const {
  return StrToIntDef(ReadString(section, ident, ""), def);
}

bool TIniFile::ReadBool(const std::string& section, const std::string& ident, bool def) const {
  const std::string s = ReadString(section, ident, "");
  if (s.empty()) return def;
  return StrToBool(s);
}

// A file marked read-only is refused here as well: a process with administrator rights over
// the file system (Wine run as root) would otherwise write through the mark.
bool TIniFile::ReadOnlyFile() const {
  const DWORD attrs = GetFileAttributesA(FFileName.c_str());
  return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_READONLY) != 0;
}

void TIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
  if (ReadOnlyFile() ||
      !WritePrivateProfileStringA(section.c_str(), ident.c_str(), value.c_str(), FFileName.c_str()))
    WriteFailed();
}

void TIniFile::WriteInteger(const std::string& section, const std::string& ident, int value) {
  WriteString(section, ident, IntToStr(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
  WriteString(section, ident, BoolToStr(value, true));
}

void TIniFile::ReadSection(const std::string& section, TStringList& keys) const {
  ReadList(section.c_str(), FFileName, keys);
}

void TIniFile::ReadSections(TStringList& sections) const { ReadList(nullptr, FFileName, sections); }

void TIniFile::ReadSectionValues(const std::string& section, TStringList& lines) const {
  TStringList keys;
  ReadSection(section, keys);
  lines.Clear();
  for (const std::string& k : keys) lines.Add(k + "=" + ReadString(section, k, ""));
}

bool TIniFile::SectionExists(const std::string& section) const {
  TStringList keys;
  ReadSection(section, keys);
  return keys.Count() > 0;
}

bool TIniFile::ValueExists(const std::string& section, const std::string& ident) const {
  TStringList keys;
  ReadSection(section, keys);
  return keys.IndexOf(ident) >= 0;
}

void TIniFile::EraseSection(const std::string& section) {
  if (ReadOnlyFile() || !WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, FFileName.c_str()))
    WriteFailed();
}

void TIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  // Deleting what is not there is not an error.
  WritePrivateProfileStringA(section.c_str(), ident.c_str(), nullptr, FFileName.c_str());
}

void TIniFile::UpdateFile() {
  // A flush request always answers FALSE, so its result says nothing.
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, FFileName.c_str());
}
