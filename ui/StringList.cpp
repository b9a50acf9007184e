#include "ui/StringList.h"

#include <algorithm>

#include "ui/Convert.h"
#include "ui/Streams.h"
#include "ui/SysUtils.h"

namespace {
[[noreturn]] void ListError(const std::string& message) { throw EStringListError(message); }
}  // namespace

int TStringList::Compare(const std::string& a, const std::string& b) const {
  if (FCaseSensitive) return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
  return CompareText(a, b);
}

void TStringList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) ListError(Format("List index out of bounds (%d)", index));
}

const std::string& TStringList::Strings(int index) const {
  CheckIndex(index);
  return FItems[static_cast<size_t>(index)];
}

void TStringList::SetStrings(int index, const std::string& s) {
  if (FSorted) ListError("Operation not allowed on sorted list");
  CheckIndex(index);
  FItems[static_cast<size_t>(index)] = s;
}

int TStringList::Add(const std::string& s) {
  if (!FSorted) {
    FItems.push_back(s);
    return Count() - 1;
  }
  int index = 0;
  if (Find(s, index)) {
    if (FDuplicates == TDuplicates::dupIgnore) return index;
    if (FDuplicates == TDuplicates::dupError) ListError("String list does not allow duplicates");
  }
  FItems.insert(FItems.begin() + index, s);
  return index;
}

void TStringList::Insert(int index, const std::string& s) {
  if (FSorted) ListError("Operation not allowed on sorted list");
  if (index < 0 || index > Count()) ListError(Format("List index out of bounds (%d)", index));
  FItems.insert(FItems.begin() + index, s);
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  FItems.erase(FItems.begin() + index);
}

void TStringList::AddStrings(const TStringList& other) {
  const std::vector<std::string> copy = other.FItems;  // other may be this list
  for (const std::string& s : copy) Add(s);
}

void TStringList::Assign(const TStringList& other) {
  if (&other == this) return;
  FItems = other.FItems;
  if (FSorted) Sort();
}

int TStringList::IndexOf(const std::string& s) const {
  if (FSorted) {
    int index = 0;
    return Find(s, index) ? index : -1;
  }
  for (int i = 0; i < Count(); ++i)
    if (Compare(FItems[static_cast<size_t>(i)], s) == 0) return i;
  return -1;
}

bool TStringList::Find(const std::string& s, int& index) const {
  // Lower bound, so the first of equal strings is reported.
  int lo = 0, hi = Count();
  while (lo < hi) {
    const int mid = lo + (hi - lo) / 2;
    if (Compare(FItems[static_cast<size_t>(mid)], s) < 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  index = lo;
  return lo < Count() && Compare(FItems[static_cast<size_t>(lo)], s) == 0;
}

std::string TStringList::Text() const {
  std::string r;
  for (const std::string& s : FItems) {
    r += s;
    r += "\r\n";
  }
  return r;
}

void TStringList::SetText(const std::string& text) {
  FItems.clear();
  std::vector<std::string> lines;
  size_t i = 0;
  while (i < text.size()) {
    size_t j = i;
    while (j < text.size() && text[j] != '\r' && text[j] != '\n') ++j;
    lines.push_back(text.substr(i, j - i));
    if (j < text.size() && text[j] == '\r') {
      ++j;
      if (j < text.size() && text[j] == '\n') ++j;
    } else if (j < text.size()) {
      ++j;
    }
    i = j;
  }
  for (const std::string& s : lines) Add(s);
}

std::string TStringList::CommaText() const {
  std::string r;
  for (size_t i = 0; i < FItems.size(); ++i) {
    if (i) r += ',';
    const std::string& s = FItems[i];
    const bool quote = s.empty() || s.find_first_of(" ,\"") != std::string::npos;
    if (!quote) {
      r += s;
      continue;
    }
    r += '"';
    for (char c : s) {
      if (c == '"') r += '"';
      r += c;
    }
    r += '"';
  }
  return r;
}

std::string TStringList::Names(int index) const {
  const std::string& s = Strings(index);
  const size_t eq = s.find('=');
  return eq == std::string::npos ? std::string() : s.substr(0, eq);
}

std::string TStringList::ValueFromIndex(int index) const {
  const std::string& s = Strings(index);
  const size_t eq = s.find('=');
  return eq == std::string::npos ? std::string() : s.substr(eq + 1);
}

int TStringList::IndexOfName(const std::string& name) const {
  for (int i = 0; i < Count(); ++i) {
    const std::string& s = FItems[static_cast<size_t>(i)];
    const size_t eq = s.find('=');
    if (eq != std::string::npos && Compare(s.substr(0, eq), name) == 0) return i;
  }
  return -1;
}

std::string TStringList::Values(const std::string& name) const {
  const int i = IndexOfName(name);
  return i < 0 ? std::string() : ValueFromIndex(i);
}

void TStringList::SetValues(const std::string& name, const std::string& value) {
  const int i = IndexOfName(name);
  if (value.empty()) {
    if (i >= 0) Delete(i);
    return;
  }
  if (i < 0) {
    Add(name + "=" + value);
  } else if (FSorted) {
    Delete(i);
    Add(name + "=" + value);
  } else {
    FItems[static_cast<size_t>(i)] = name + "=" + value;
  }
}

void TStringList::SetSorted(bool sorted) {
  if (sorted && !FSorted) {
    FSorted = true;
    Sort();
  }
  FSorted = sorted;
}

void TStringList::SetCaseSensitive(bool value) {
  if (value == FCaseSensitive) return;
  FCaseSensitive = value;
  if (FSorted) Sort();
}

void TStringList::Sort() {
  std::stable_sort(FItems.begin(), FItems.end(),
                   [this](const std::string& a, const std::string& b) { return Compare(a, b) < 0; });
}

void TStringList::LoadFromStream(TStream& stream) {
  std::string text;
  char buf[4096];
  for (;;) {
    const int64_t n = stream.Read(buf, sizeof buf);
    if (n <= 0) break;
    text.append(buf, static_cast<size_t>(n));
  }
  SetText(text);
}

void TStringList::SaveToStream(TStream& stream) const {
  const std::string text = Text();
  stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
}
