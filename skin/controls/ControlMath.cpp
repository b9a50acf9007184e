#include "skin/controls/ControlMath.h"

#include <cstdint>
#include <limits>

int SkinMulDiv(int a, int b, int c) { return SkinMulDiv64(a, b, c); }

int SkinMulDiv64(int a, int64_t b, int64_t c) {
  if (c == 0) return -1;
  const int64_t product = static_cast<int64_t>(a) * b;
  const bool negative = (product < 0) != (c < 0);
  const uint64_t num = static_cast<uint64_t>(product < 0 ? -product : product);
  const uint64_t den = static_cast<uint64_t>(c < 0 ? -c : c);
  const uint64_t q = (num + den / 2) / den;
  if (q > static_cast<uint64_t>(std::numeric_limits<int>::max())) return -1;
  return negative ? -static_cast<int>(q) : static_cast<int>(q);
}

std::string LowerAscii(std::string_view s) {
  std::string r(s);
  // ASCII only, whatever the locale: identifiers and class names are ASCII.
  for (char& ch : r)
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  return r;
}
