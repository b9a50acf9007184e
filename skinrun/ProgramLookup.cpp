#include "skinrun/ProgramLookup.h"

namespace {

uint32_t Le(const std::vector<uint8_t>& b, std::size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<std::size_t>(i)];
  return v;
}

constexpr uint32_t MachineI386 = 0x014C, MachineAmd64 = 0x8664;
constexpr uint32_t CharacteristicDll = 0x2000;
constexpr uint32_t CharacteristicExecutable = 0x0002;

bool HasFolder(const std::wstring& name) { return name.find_first_of(L"\\/:") != std::wstring::npos; }

bool HasExtension(const std::wstring& name) {
  const std::size_t dot = name.find_last_of(L'.');
  const std::size_t sep = name.find_last_of(L"\\/:");
  return dot != std::wstring::npos && (sep == std::wstring::npos || dot > sep) && dot + 1 < name.size();
}

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
  if (folder.empty()) return name;
  const wchar_t last = folder.back();
  return (last == L'\\' || last == L'/') ? folder + name : folder + L"\\" + name;
}

}  // namespace

TProgramKind ClassifyProgram(const TFileReader& read) {
  const std::vector<uint8_t> dos = read(0, 64);
  if (dos.size() < 64 || dos[0] != 'M' || dos[1] != 'Z') return TProgramKind::NotAProgram;
  const uint32_t peAt = Le(dos, 60, 4);
  // The signature, the machine, the section count and the characteristics (COFF header).
  const std::vector<uint8_t> pe = read(peAt, 24);
  if (pe.size() < 24 || pe[0] != 'P' || pe[1] != 'E' || pe[2] != 0 || pe[3] != 0)
    return TProgramKind::NotAProgram;
  const uint32_t machine = Le(pe, 4, 2);
  const uint32_t characteristics = Le(pe, 22, 2);
  if ((characteristics & CharacteristicDll) || !(characteristics & CharacteristicExecutable))
    return TProgramKind::NotAProgram;
  if (machine == MachineI386) return TProgramKind::I386;
  if (machine == MachineAmd64) return TProgramKind::Amd64;
  return TProgramKind::OtherMachine;
}

std::wstring BitsOf(TProgramKind kind) {
  if (kind == TProgramKind::I386) return L"32-bit";
  if (kind == TProgramKind::Amd64) return L"64-bit";
  return {};
}

std::vector<std::wstring> SearchFolders(const std::wstring& current, const std::wstring& system,
                                        const std::wstring& windows, const std::wstring& path) {
  std::vector<std::wstring> folders;
  for (const std::wstring* f : {&current, &system, &windows})
    if (!f->empty()) folders.push_back(*f);
  std::wstring entry;
  auto flush = [&] {
    if (!entry.empty()) folders.push_back(entry);
    entry.clear();
  };
  for (wchar_t c : path) {
    if (c == L';')
      flush();
    else if (c != L'"')
      entry.push_back(c);
  }
  flush();
  return folders;
}

std::optional<std::wstring> FindProgram(const std::wstring& name, const std::vector<std::wstring>& folders,
                                        const std::function<bool(const std::wstring&)>& exists) {
  if (name.empty()) return std::nullopt;
  // As SearchPath with ".exe": the extension is added only to a name that has none.
  const std::wstring file = HasExtension(name) ? name : name + L".exe";
  if (HasFolder(name)) {
    if (exists(file)) return file;
    return std::nullopt;
  }
  for (const std::wstring& folder : folders)
    if (const std::wstring p = Join(folder, file); exists(p)) return p;
  return std::nullopt;
}
