// skintool extract ARCHIVE NAME OUT, skintool unpack ARCHIVE DIR
#include <algorithm>
#include <filesystem>
#include <set>

#include "skin/data/SkinRead.h"
#include "tools/skintool/ToolCommon.h"

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string s) {
  for (char& ch : s)
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  return s;
}

std::vector<uint8_t> EntryBytes(const TSkinReader& reader, const std::string& name) {
  TMemoryStream target;
  reader.ExtractEntry(name, target);
  return std::vector<uint8_t>(target.Bytes().begin(), target.Bytes().end());
}

int RunExtract(const std::vector<std::string>& args) {
  ExpectArgs(args, 3);
  TSkinReader reader;
  LoadArchiveFile(args[0], reader);
  const auto& names = reader.Names();
  if (std::find(names.begin(), names.end(), Lower(args[1])) == names.end())
    throw TToolError{args[0] + ": no entry named \"" + args[1] + "\""};
  WriteFileBytes(args[2], EntryBytes(reader, args[1]));
  return ExitOk;
}

// An entry name becomes a file name in DIR only when it cannot reach outside it.
bool SafeFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\:") == std::string::npos;
}

int RunUnpack(const std::vector<std::string>& args) {
  ExpectArgs(args, 2);
  TSkinReader reader;
  LoadArchiveFile(args[0], reader);
  for (const auto& name : reader.Names())
    if (!SafeFileName(name))
      throw TToolError{args[0] + ": entry name \"" + name + "\" is not a plain file name"};
  std::error_code ec;
  fs::create_directories(args[1], ec);
  if (ec) throw TToolError{args[1] + ": cannot create folder: " + ec.message()};
  std::set<std::string> done;  // a repeated name holds the first entry's bytes, as lookups do
  for (const auto& name : reader.Names())
    if (done.insert(name).second)
      WriteFileBytes((fs::path(args[1]) / name).string(), EntryBytes(reader, name));
  return ExitOk;
}

const TRegisterCommand extractReg({"extract", "ARCHIVE NAME OUT",
                                   "      Writes the first entry named NAME (any case) to the file OUT.",
                                   &RunExtract});
const TRegisterCommand unpackReg({"unpack", "ARCHIVE DIR",
                                  "      Writes every entry into DIR (created if needed) under its name.",
                                  &RunUnpack});

}  // namespace
