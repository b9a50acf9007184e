// skintool pack DIR OUT
#include <algorithm>
#include <filesystem>
#include <map>

#include "tools/skintool/ArchiveWriter.h"
#include "tools/skintool/ToolCommon.h"

namespace fs = std::filesystem;

namespace {

std::string TrimLine(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

// Entry names: those order.txt lists (a name may be listed twice), then every other file sorted.
std::vector<std::string> EntryOrder(const std::string& dir, const std::vector<std::string>& files) {
  std::vector<std::string> order;
  const fs::path orderFile = fs::path(dir) / "order.txt";
  if (fs::exists(orderFile)) {
    const std::vector<uint8_t> bytes = ReadFileBytes(orderFile.string());
    const std::string text(bytes.begin(), bytes.end());
    size_t start = 0;
    int lineNo = 0;
    while (start <= text.size()) {
      size_t end = text.find_first_of("\r\n", start);
      if (end == std::string::npos) end = text.size();
      ++lineNo;
      const std::string name = TrimLine(text.substr(start, end - start));
      if (!name.empty()) {
        if (std::find(files.begin(), files.end(), name) == files.end())
          throw TToolError{orderFile.string() + ": line " + std::to_string(lineNo) + ": no file named \"" +
                           name + "\" in " + dir};
        order.push_back(name);
      }
      if (end == text.size()) break;
      start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
  }
  for (const auto& f : files)
    if (std::find(order.begin(), order.end(), f) == order.end()) order.push_back(f);
  return order;
}

int RunPack(const std::vector<std::string>& args) {
  ExpectArgs(args, 2);
  const std::string& dir = args[0];
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) throw TToolError{dir + ": not a folder"};
  std::vector<std::string> files;
  for (const auto& item : fs::directory_iterator(dir, ec)) {
    const std::string name = item.path().filename().string();
    if (item.is_regular_file() && name != "order.txt") files.push_back(name);
  }
  if (ec) throw TToolError{dir + ": cannot list: " + ec.message()};
  std::sort(files.begin(), files.end());

  std::map<std::string, std::vector<uint8_t>> contents;
  std::vector<TArchiveEntry> entries;
  for (const auto& name : EntryOrder(dir, files)) {
    auto it = contents.find(name);
    if (it == contents.end())
      it = contents.emplace(name, ReadFileBytes((fs::path(dir) / name).string())).first;
    entries.push_back({name, it->second});
  }
  std::vector<uint8_t> packed;
  try {
    packed = PackArchive(entries);
  } catch (const std::invalid_argument& e) {
    throw TToolError{dir + ": " + e.what()};
  }
  WriteFileBytes(args[1], packed);
  return ExitOk;
}

const TRegisterCommand reg({"pack", "DIR OUT",
                            "      Packs every file of DIR into the compressed version-20000 archive OUT.\n"
                            "      Entries follow DIR/order.txt (one name a line; a name may be listed\n"
                            "      twice), then the remaining files sorted by name.",
                            &RunPack});

}  // namespace
