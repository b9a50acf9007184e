#include "ui/Convert.h"

#include <cctype>
#include <cstdlib>

#include "ui/SysUtils.h"

namespace {
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }
int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = Lower(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// A decimal floating-point number written the way C writes it ("1", "-2.5", "1e3"), nothing else.
bool TryParseFloat(const std::string& t, double& value) {
  if (t.empty()) return false;
  for (char c : t)
    if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.' || c == 'e' ||
          c == 'E'))
      return false;
  char* end = nullptr;
  value = std::strtod(t.c_str(), &end);
  return end == t.c_str() + t.size();
}
}  // namespace

std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && IsSpace(s[b])) ++b;
  while (e > b && IsSpace(s[e - 1])) --e;
  return s.substr(b, e - b);
}

std::string UpperCase(const std::string& s) {
  std::string r = s;
  for (char& c : r) c = Upper(c);
  return r;
}

std::string LowerCase(const std::string& s) {
  std::string r = s;
  for (char& c : r) c = Lower(c);
  return r;
}

int CompareText(const std::string& a, const std::string& b) {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    const unsigned char x = static_cast<unsigned char>(Upper(a[i]));
    const unsigned char y = static_cast<unsigned char>(Upper(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool SameText(const std::string& a, const std::string& b) { return CompareText(a, b) == 0; }

namespace {
// Optional sign, then decimal digits or "$" and hexadecimal digits; "0x" only when cPrefix.
bool ParseInt(const std::string& t, bool cPrefix, int& value) {
  size_t i = 0;
  bool negative = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
  int base = 10;
  if (i < t.size() && t[i] == '$') {
    base = 16;
    ++i;
  } else if (cPrefix && i + 1 < t.size() && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == t.size()) return false;
  int64_t acc = 0;
  for (; i < t.size(); ++i) {
    const int d = base == 16 ? HexDigit(t[i]) : (t[i] >= '0' && t[i] <= '9' ? t[i] - '0' : -1);
    if (d < 0) return false;
    acc = acc * base + d;
    if (acc > 0xFFFFFFFFll) return false;
  }
  if (base == 16 && !negative) {
    // Hexadecimal fills all 32 bits: $FFFFFFFF is -1.
    value = static_cast<int32_t>(static_cast<uint32_t>(acc));
    return true;
  }
  if (negative) acc = -acc;
  if (acc < INT32_MIN || acc > INT32_MAX) return false;
  value = static_cast<int>(acc);
  return true;
}
}  // namespace

bool TryStrToInt(const std::string& s, int& value) { return ParseInt(Trim(s), true, value); }

bool TryStrToIntStrict(const std::string& s, int& value) { return ParseInt(s, false, value); }

int StrToInt(const std::string& s) {
  int v = 0;
  if (!TryStrToInt(s, v)) throw EConvertError(Format("'%s' is not a valid integer value", s.c_str()));
  return v;
}

int StrToIntDef(const std::string& s, int def) {
  int v = 0;
  return TryStrToInt(s, v) ? v : def;
}

std::string IntToStr(int64_t value) { return std::to_string(value); }

bool TryStrToBool(const std::string& s, bool& value) {
  const std::string t = Trim(s);
  if (SameText(t, "True")) {
    value = true;
    return true;
  }
  if (SameText(t, "False")) {
    value = false;
    return true;
  }
  int i = 0;
  if (TryStrToInt(t, i)) {
    value = i != 0;
    return true;
  }
  double d = 0;
  if (TryParseFloat(t, d)) {
    value = d != 0;
    return true;
  }
  return false;
}

bool StrToBool(const std::string& s) {
  bool v = false;
  if (!TryStrToBool(s, v)) throw EConvertError(Format("'%s' is not a valid boolean value", s.c_str()));
  return v;
}

bool StrToBoolDef(const std::string& s, bool def) {
  bool v = false;
  return TryStrToBool(s, v) ? v : def;
}

std::string BoolToStr(bool value, bool useBoolStrs) {
  if (useBoolStrs) return value ? "True" : "False";
  return value ? "-1" : "0";
}
