#pragma once
// Which file a program name means, and what kind of program a file is (portable).
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// What a file's headers say it is.
enum class TProgramKind {
  NotAProgram,  // no MZ/PE headers, cut short, or a DLL
  I386,         // a 32-bit Windows program (IMAGE_FILE_MACHINE_I386)
  Amd64,        // a 64-bit Windows program (IMAGE_FILE_MACHINE_AMD64)
  OtherMachine  // a Windows program for another processor
};
// read(offset, count) answers up to count bytes of the file from offset (fewer at its end).
using TFileReader = std::function<std::vector<uint8_t>(uint64_t offset, std::size_t count)>;
TProgramKind ClassifyProgram(const TFileReader& read);
// "32-bit" or "64-bit" (the words the messages use); empty for the others.
std::wstring BitsOf(TProgramKind kind);

// The folders a program name is looked for in, in order: the current folder, the system
// folder, the Windows folder, then each folder of PATH (';'-separated, quotes dropped, empty
// ones skipped).
std::vector<std::wstring> SearchFolders(const std::wstring& current, const std::wstring& system,
                                        const std::wstring& windows, const std::wstring& path);
// The file a name means: a name with a folder in it is taken as it is, else it is looked for
// in each folder; a name without an extension gets ".exe". exists(path) tells whether path
// is a file. nullopt: found nowhere.
std::optional<std::wstring> FindProgram(const std::wstring& name, const std::vector<std::wstring>& folders,
                                        const std::function<bool(const std::wstring&)>& exists);
