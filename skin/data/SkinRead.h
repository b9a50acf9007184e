#pragma once
// Skin archive reader: a version-20000 named-entry container inside an LZH stream.
// Safety: never reads outside the decoded archive, refuses archives whose header, names,
// entry count or sizes do not fit the decoded bytes, and holds at most LzhMaxDecodedSize bytes.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/Streams.h"

inline constexpr int32_t SkinArchiveVersion = 20000;
inline constexpr int SkinMaxEntries = 1001;
inline constexpr const char* SkinOldVersionMessage =
    "This is Older Skin File\rPlease update to new version !";

// Where user-facing skin messages go. The Windows side installs a message box
// (InstallSkinMessageBox in SkinRead_win.cpp); without a hook the message is dropped.
using TSkinMessageHook = std::function<void(const std::string& text)>;
// Installs `hook` for the process and returns the previous one.
TSkinMessageHook SetSkinMessageHook(TSkinMessageHook hook);
void ShowSkinMessage(const std::string& text);
// Windows build only: routes skin messages to a message box titled with the application's
// name, unless a hook is already set. The Win32 skin platform calls it when first used.
void InstallSkinMessageBox();

class TSkinReader {
 public:
  // Reads a whole compressed archive (from position 0 of `compressed`). Returns true and
  // replaces the entry table on success; returns false and keeps the earlier table for an
  // archive of another version (after showing SkinOldVersionMessage) or an inconsistent one.
  bool LoadArchive(TStream& compressed);
  // Empties target, then writes the bytes of the first entry named `name` (any case) and rewinds.
  void ExtractEntry(const std::string& name, TMemoryStream& target) const;
  // Like ExtractEntry for the first entry whose lower-cased name contains `text` (used as is);
  // foundName receives that name and is left alone when nothing matches.
  void ExtractEntryContaining(const std::string& text, TMemoryStream& target, std::string& foundName) const;

  // Entry table of the last accepted archive, for tools.
  int Count() const { return static_cast<int>(FNames.size()); }
  const std::vector<std::string>& Names() const { return FNames; }
  int32_t EntrySize(int index) const { return FSizes[static_cast<size_t>(index)]; }
  const int32_t* Header() const { return FHeader; }  // version, names length, two reserved
  // Why the last LoadArchive returned false (empty after a success).
  const std::string& LastError() const { return FLastError; }

 private:
  void CopyEntry(int index, int64_t offset, TMemoryStream& target) const;

  std::vector<std::string> FNames;
  std::vector<int32_t> FSizes;  // one per name, at most SkinMaxEntries
  TMemoryStream FData;          // the entry-data part
  int32_t FHeader[4] = {};
  std::string FLastError;
};
