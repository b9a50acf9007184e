#include "tools/skintool/ToolCommon.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "skin/data/SkinRead.h"

std::vector<TToolCommand>& ToolCommands() {
  static std::vector<TToolCommand> commands;
  return commands;
}

void ExpectArgs(const std::vector<std::string>& args, size_t count) {
  if (args.size() != count)
    throw TUsageError{"expected " + std::to_string(count) + " argument" + (count == 1 ? "" : "s") + ", got " +
                      std::to_string(args.size())};
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw TToolError{path + ": cannot open: " + std::strerror(errno)};
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw TToolError{path + ": read error"};
  return bytes;
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw TToolError{path + ": cannot create: " + std::strerror(errno)};
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw TToolError{path + ": write error"};
}

void LoadArchiveFile(const std::string& path, TSkinReader& reader) {
  TMemoryStream stream(ReadFileBytes(path));
  // The old-version message goes to stderr along with the reason.
  TSkinMessageHook previous = SetSkinMessageHook(nullptr);
  const bool ok = reader.LoadArchive(stream);
  SetSkinMessageHook(std::move(previous));
  if (!ok) throw TToolError{path + ": not a usable skin archive: " + reader.LastError()};
}
