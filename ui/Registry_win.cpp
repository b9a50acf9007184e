#include "ui/Registry.h"

#include <vector>

namespace {
struct TKeyPath {
  bool Absolute;
  std::string Sub;
};

TKeyPath Split(const std::string& key) {
  TKeyPath p{!key.empty() && key[0] == '\\', key};
  while (!p.Sub.empty() && p.Sub.front() == '\\') p.Sub.erase(p.Sub.begin());
  while (!p.Sub.empty() && p.Sub.back() == '\\') p.Sub.pop_back();
  return p;
}
}  // namespace

void TRegistry::SetRootKey(HKEY root) {
  CloseKey();
  FRootKey = root;
}

void TRegistry::CloseKey() {
  FCurrentKey.reset();
  FCurrentPath.clear();
}

bool TRegistry::Open(const std::string& key, bool canCreate, REGSAM access) {
  const TKeyPath p = Split(key);
  const bool relative = !p.Absolute && FCurrentKey;
  HKEY base = relative ? FCurrentKey.get() : FRootKey;
  HKEY opened = nullptr;
  LONG rc;
  if (canCreate)
    rc = RegCreateKeyExA(base, p.Sub.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &opened,
                         nullptr);
  else
    rc = RegOpenKeyExA(base, p.Sub.c_str(), 0, access, &opened);
  FLastError = rc;
  if (rc != ERROR_SUCCESS) return false;
  std::string path =
      relative && !p.Sub.empty() ? FCurrentPath + "\\" + p.Sub : (relative ? FCurrentPath : p.Sub);
  FCurrentKey.reset(opened);
  FCurrentPath = std::move(path);
  return true;
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate) { return Open(key, canCreate, FAccess); }

bool TRegistry::OpenKeyReadOnly(const std::string& key) { return Open(key, false, KEY_READ); }

bool TRegistry::KeyExists(const std::string& key) {
  const TKeyPath p = Split(key);
  HKEY base = !p.Absolute && FCurrentKey ? FCurrentKey.get() : FRootKey;
  HKEY h = nullptr;
  if (RegOpenKeyExA(base, p.Sub.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
  RegCloseKey(h);
  return true;
}

bool TRegistry::DeleteKey(const std::string& key) {
  const TKeyPath p = Split(key);
  if (p.Sub.empty()) return false;
  HKEY base = !p.Absolute && FCurrentKey ? FCurrentKey.get() : FRootKey;
  return RegDeleteKeyA(base, p.Sub.c_str()) == ERROR_SUCCESS;
}

bool TRegistry::ValueExists(const std::string& name) const {
  if (!FCurrentKey) return false;
  return RegQueryValueExA(FCurrentKey.get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS;
}

bool TRegistry::DeleteValue(const std::string& name) {
  FLastError = FCurrentKey ? RegDeleteValueA(FCurrentKey.get(), name.c_str()) : ERROR_INVALID_HANDLE;
  return FLastError == ERROR_SUCCESS;
}

void TRegistry::GetValueNames(TStringList& names) const {
  names.Clear();
  if (!FCurrentKey) return;
  std::vector<char> buf(16384);  // the longest value name the registry allows, plus one
  for (DWORD i = 0;; ++i) {
    DWORD len = static_cast<DWORD>(buf.size());
    if (RegEnumValueA(FCurrentKey.get(), i, buf.data(), &len, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    names.Add(std::string(buf.data(), len));
  }
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  if (!FCurrentKey ||
      RegSetValueExA(FCurrentKey.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>(value.size() + 1)) != ERROR_SUCCESS)
    throw ERegistryException(Format("Failed to set data for '%s'", name.c_str()));
}

void TRegistry::WriteInteger(const std::string& name, int value) {
  const DWORD v = static_cast<DWORD>(value);
  if (!FCurrentKey || RegSetValueExA(FCurrentKey.get(), name.c_str(), 0, REG_DWORD,
                                     reinterpret_cast<const BYTE*>(&v), sizeof v) != ERROR_SUCCESS)
    throw ERegistryException(Format("Failed to set data for '%s'", name.c_str()));
}

std::string TRegistry::ReadString(const std::string& name) const {
  if (!FCurrentKey) return {};
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(FCurrentKey.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return {};
  if (type != REG_SZ && type != REG_EXPAND_SZ)
    throw ERegistryException(Format("Invalid data type for '%s'", name.c_str()));
  std::vector<char> buf(size + 1, '\0');
  DWORD got = size;
  if (RegQueryValueExA(FCurrentKey.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buf.data()),
                       &got) != ERROR_SUCCESS)
    throw ERegistryException(Format("Failed to get data for '%s'", name.c_str()));
  // Stored data need not end with a terminator; stop at the first one if it does.
  std::string s(buf.data(), got < buf.size() ? got : buf.size());
  const size_t nul = s.find('\0');
  if (nul != std::string::npos) s.resize(nul);
  return s;
}

int TRegistry::ReadInteger(const std::string& name) const {
  DWORD type = 0, v = 0, size = sizeof v;
  if (!FCurrentKey || RegQueryValueExA(FCurrentKey.get(), name.c_str(), nullptr, &type,
                                       reinterpret_cast<BYTE*>(&v), &size) != ERROR_SUCCESS)
    throw ERegistryException(Format("Failed to get data for '%s'", name.c_str()));
  if (type != REG_DWORD) throw ERegistryException(Format("Invalid data type for '%s'", name.c_str()));
  return static_cast<int>(v);
}
