#include "skin/data/SkinRead.h"

#include <cstring>
#include <utility>

#include "skin/data/LZH.h"

namespace {

TSkinMessageHook& MessageHook() {
  static TSkinMessageHook hook;
  return hook;
}

std::string LowerAscii(std::string s) {
  for (char& ch : s)
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  return s;
}

int32_t ReadLe32(const uint8_t* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                              static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
}

// Lines end at CR LF, a bare CR or a bare LF; a final break adds no empty line.
std::vector<std::string> SplitLines(const uint8_t* text, size_t length) {
  std::vector<std::string> lines;
  size_t start = 0;
  size_t i = 0;
  while (i < length) {
    const uint8_t ch = text[i];
    if (ch == '\r' || ch == '\n') {
      lines.emplace_back(reinterpret_cast<const char*>(text + start), i - start);
      i += (ch == '\r' && i + 1 < length && text[i + 1] == '\n') ? 2 : 1;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < length) lines.emplace_back(reinterpret_cast<const char*>(text + start), length - start);
  return lines;
}

}  // namespace

TSkinMessageHook SetSkinMessageHook(TSkinMessageHook hook) {
  return std::exchange(MessageHook(), std::move(hook));
}

void ShowSkinMessage(const std::string& text) {
  if (MessageHook()) MessageHook()(text);
}

bool TSkinReader::LoadArchive(TStream& compressed) {
  FLastError.clear();
  std::vector<uint8_t> archive;
  try {
    compressed.SetPosition(0);
    std::vector<uint8_t> framed(static_cast<size_t>(compressed.GetSize()));
    framed.resize(static_cast<size_t>(compressed.Read(framed.data(), static_cast<int64_t>(framed.size()))));
    // Cut to the declared size: bytes a final match adds past it are not part of the archive.
    archive = LzhUnpackFramed(framed);
  } catch (const ElzhException& e) {
    FLastError = e.what();
    return false;
  }

  const size_t size = archive.size();
  if (size < 16) {
    FLastError = "decoded archive has " + std::to_string(size) + " bytes, fewer than its 16-byte header";
    return false;
  }
  int32_t header[4];
  for (int i = 0; i < 4; ++i) header[i] = ReadLe32(archive.data() + 4 * i);
  if (header[0] != SkinArchiveVersion) {
    FLastError =
        "archive version is " + std::to_string(header[0]) + ", not " + std::to_string(SkinArchiveVersion);
    ShowSkinMessage(SkinOldVersionMessage);
    return false;
  }
  const int32_t namesLength = header[1];
  if (namesLength < 0 || static_cast<size_t>(namesLength) > size - 16) {
    FLastError = "names text of " + std::to_string(namesLength) + " bytes does not fit the " +
                 std::to_string(size) + " decoded bytes";
    return false;
  }
  std::vector<std::string> names = SplitLines(archive.data() + 16, static_cast<size_t>(namesLength));
  if (names.size() > static_cast<size_t>(SkinMaxEntries)) {
    FLastError = "archive lists " + std::to_string(names.size()) + " entries, more than " +
                 std::to_string(SkinMaxEntries);
    return false;
  }
  const size_t tableStart = 16 + static_cast<size_t>(namesLength);
  const size_t dataStart = tableStart + 4 * names.size();
  if (dataStart > size) {
    FLastError = "size table of " + std::to_string(names.size()) + " entries runs past the decoded data";
    return false;
  }
  std::vector<int32_t> sizes(names.size());
  uint64_t total = 0;
  for (size_t i = 0; i < names.size(); ++i) {
    sizes[i] = ReadLe32(archive.data() + tableStart + 4 * i);
    if (sizes[i] < 0) {
      FLastError = "entry \"" + names[i] + "\" has a negative size";
      return false;
    }
    total += static_cast<uint64_t>(sizes[i]);
  }
  if (total > size - dataStart) {
    FLastError = "entry sizes add up to " + std::to_string(total) + " bytes but only " +
                 std::to_string(size - dataStart) + " bytes of data follow the table";
    return false;
  }

  for (auto& name : names) name = LowerAscii(std::move(name));
  FNames = std::move(names);
  FSizes = std::move(sizes);
  std::memcpy(FHeader, header, sizeof FHeader);
  FData.Clear();
  FData.WriteBuffer(archive.data() + dataStart, static_cast<int64_t>(size - dataStart));
  return true;
}

void TSkinReader::CopyEntry(int index, int64_t offset, TMemoryStream& target) const {
  const int32_t size = FSizes[static_cast<size_t>(index)];
  target.WriteBuffer(FData.Memory() + offset, size);
  target.SetPosition(0);
}

void TSkinReader::ExtractEntry(const std::string& name, TMemoryStream& target) const {
  target.Clear();
  const std::string wanted = LowerAscii(name);
  int64_t offset = 0;
  for (int i = 0; i < Count(); ++i) {
    if (FNames[static_cast<size_t>(i)] == wanted) {
      CopyEntry(i, offset, target);
      return;
    }
    offset += FSizes[static_cast<size_t>(i)];
  }
}

void TSkinReader::ExtractEntryContaining(const std::string& text, TMemoryStream& target,
                                         std::string& foundName) const {
  target.Clear();
  int64_t offset = 0;
  for (int i = 0; i < Count(); ++i) {
    if (FNames[static_cast<size_t>(i)].find(text) != std::string::npos) {
      CopyEntry(i, offset, target);
      foundName = FNames[static_cast<size_t>(i)];
      return;
    }
    offset += FSizes[static_cast<size_t>(i)];
  }
}
