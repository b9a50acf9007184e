#include "skin/data/SkinIni.h"

#include "ui/Convert.h"
#include "ui/Streams.h"

namespace {

bool IsBlank(unsigned char ch) { return ch <= ' '; }

// Everything up to the space counts as blank here, control characters included.
std::string TrimBlanks(const std::string& s) {
  size_t b = 0;
  size_t e = s.size();
  while (b < e && IsBlank(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && IsBlank(static_cast<unsigned char>(s[e - 1]))) --e;
  return s.substr(b, e - b);
}

// Case folding of the Western 8-bit code page, for section names.
unsigned char FoldAnsi(unsigned char ch) {
  if (ch >= 'A' && ch <= 'Z') return static_cast<unsigned char>(ch + 32);
  if (ch >= 0xC0 && ch <= 0xDE && ch != 0xD7) return static_cast<unsigned char>(ch + 32);
  switch (ch) {
    case 0x8A:
      return 0x9A;
    case 0x8C:
      return 0x9C;
    case 0x8E:
      return 0x9E;
    case 0x9F:
      return 0xFF;
    default:
      return ch;
  }
}

bool SameTextAnsi(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldAnsi(static_cast<unsigned char>(a[i])) != FoldAnsi(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

bool IsHeader(const std::string& line) { return !line.empty() && line.front() == '[' && line.back() == ']'; }

}  // namespace

void TQuickIni::LoadFromStream(TStream* stream) {
  if (!stream) return;
  std::string text;
  const int64_t left = stream->GetSize() - stream->GetPosition();
  if (left > 0) {
    text.resize(static_cast<size_t>(left));
    text.resize(static_cast<size_t>(stream->Read(text.data(), left)));
  }
  const size_t zero = text.find('\0');
  if (zero != std::string::npos) text.resize(zero);

  FLines.clear();
  FSections.clear();
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    std::string line = TrimBlanks(text.substr(start, end - start));
    if (!line.empty() && line.front() != ';') {
      if (IsHeader(line)) FSections.emplace_back(line, static_cast<int>(FLines.size()));
      FLines.push_back(std::move(line));
    }
    if (end == text.size()) break;
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
}

int TQuickIni::FindSection(const std::string& name) const {
  // Built by appending: GCC 12 misreads `"[" + name` as an overlapping copy (-Wrestrict).
  std::string header(1, '[');
  header += name;
  header += ']';
  for (const auto& [line, index] : FSections)
    if (SameTextAnsi(line, header)) return index;
  return -1;
}

std::string TQuickIni::ReadString(const std::string& section, const std::string& key,
                                  const std::string& def) const {
  if (FLines.empty()) return def;
  const int at = FindSection(section);
  if (at < 0) return def;
  const std::string wanted = LowerCase(key);
  for (size_t i = static_cast<size_t>(at) + 1; i < FLines.size(); ++i) {
    const std::string& line = FLines[i];
    if (IsHeader(line)) break;
    const size_t eq = line.find('=');
    const std::string lineKey =
        eq == std::string::npos ? std::string() : LowerCase(TrimBlanks(line.substr(0, eq)));
    if (lineKey != wanted) continue;
    const std::string value = eq == std::string::npos ? std::string() : TrimBlanks(line.substr(eq + 1));
    return value.empty() ? def : value;
  }
  return def;
}

int32_t TQuickIni::ReadInteger(const std::string& section, const std::string& key, int32_t def) const {
  std::string text = ReadString(section, key, "");
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.replace(0, 2, 1, '$');
  int32_t value = 0;
  return TryStrToIntStrict(text, value) ? value : def;
}

void TQuickIni::ReadSections(std::vector<std::string>& list) const {
  list.clear();
  for (const auto& [line, index] : FSections) list.push_back(TrimBlanks(line.substr(1, line.size() - 2)));
}
