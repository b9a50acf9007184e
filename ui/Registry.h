#pragma once
// Access to the registry: one root key, at most one open key at a time.
#include <windows.h>

#include <string>

#include "ui/Handles.h"
#include "ui/StringList.h"
#include "ui/SysUtils.h"

class ERegistryException : public Exception {
 public:
  using Exception::Exception;
};

class TRegistry {
 public:
  explicit TRegistry(REGSAM access = KEY_ALL_ACCESS) : FAccess(access) {}
  ~TRegistry() = default;  // closes the open key
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  HKEY RootKey() const { return FRootKey; }
  void SetRootKey(HKEY root);  // closes the open key
  REGSAM Access() const { return FAccess; }
  void SetAccess(REGSAM access) { FAccess = access; }
  HKEY CurrentKey() const { return FCurrentKey.get(); }
  const std::string& CurrentPath() const { return FCurrentPath; }

  // A key starting with '\' is a path from the root; otherwise it is below the open key
  // (or the root when none is open). Returns false, leaving the open key as it was, when the
  // key cannot be opened (or created, with canCreate).
  bool OpenKey(const std::string& key, bool canCreate);
  bool OpenKeyReadOnly(const std::string& key);
  bool KeyExists(const std::string& key);
  bool DeleteKey(const std::string& key);  // a key without sub-keys
  void CloseKey();

  bool ValueExists(const std::string& name) const;
  bool DeleteValue(const std::string& name);
  // The system's error code of the last OpenKey, OpenKeyReadOnly or DeleteValue that failed
  // (ERROR_SUCCESS after one that succeeded), for reporting why.
  long LastError() const noexcept { return FLastError; }
  void GetValueNames(TStringList& names) const;
  // Raises ERegistryException "Failed to set data for '<name>'" when the write fails.
  void WriteString(const std::string& name, const std::string& value);
  void WriteInteger(const std::string& name, int value);
  // A missing value reads as empty; a value of another type raises ERegistryException
  // "Invalid data type for '<name>'".
  std::string ReadString(const std::string& name) const;
  // A missing value or one of another type raises ERegistryException.
  int ReadInteger(const std::string& name) const;

 private:
  bool Open(const std::string& key, bool canCreate, REGSAM access);
  HKEY FRootKey = HKEY_CURRENT_USER;
  REGSAM FAccess;
  TKeyHandle FCurrentKey;
  std::string FCurrentPath;
  long FLastError = 0;
};
