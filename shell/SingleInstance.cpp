#include "shell/SingleInstance.h"

#include <cstdint>
#include <cstdio>

std::string InstanceMutexName(const std::string& programPath) {
  // A path can be longer than a kernel object name may be, and a '\' there would name a
  // namespace: a hash of the folded path keeps the name short and plain.
  std::uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : programPath) {
    if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
    if (c == '/') c = '\\';
    hash = (hash ^ c) * 1099511628211ull;
  }
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
  return std::string("Lumetta.Instance.") + hex;
}
