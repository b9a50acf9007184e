#pragma once
// An ordered list of strings with name=value access (portable). Comparisons ignore ASCII
// letter case unless CaseSensitive is set. A sorted list keeps itself in order on Add and
// finds by binary search.
#include <string>
#include <vector>

#include "ui/SysUtils.h"

class TStream;

class EStringListError : public Exception {
 public:
  using Exception::Exception;
};

enum class TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList {
 public:
  TStringList() = default;

  int Count() const { return static_cast<int>(FItems.size()); }
  // Index checks raise EStringListError "List index out of bounds (%d)".
  const std::string& Strings(int index) const;
  void SetStrings(int index, const std::string& s);
  const std::string& operator[](int index) const { return Strings(index); }

  // Returns the index the string landed at (sorted lists: its sorted place; a duplicate
  // with dupIgnore returns the existing index, with dupError raises EStringListError).
  int Add(const std::string& s);
  void Insert(int index, const std::string& s);  // not allowed on a sorted list
  void Delete(int index);
  void Clear() { FItems.clear(); }
  void AddStrings(const TStringList& other);
  void Assign(const TStringList& other);
  int IndexOf(const std::string& s) const;
  // Sorted lists: true and the index when found, else false and the insertion place.
  bool Find(const std::string& s, int& index) const;

  // Lines joined by CR LF (each line ends with one). Setting splits at CR LF, LF or CR.
  std::string Text() const;
  void SetText(const std::string& text);
  // Comma-separated; items with spaces, commas or quotes are double-quoted.
  std::string CommaText() const;

  // "name=value" lines: Names(i) is the part before the first '=', empty when none.
  std::string Names(int index) const;
  std::string ValueFromIndex(int index) const;
  int IndexOfName(const std::string& name) const;
  std::string Values(const std::string& name) const;
  // An empty value deletes the line; a new name is added.
  void SetValues(const std::string& name, const std::string& value);

  bool Sorted() const { return FSorted; }
  void SetSorted(bool sorted);
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool value);
  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates d) { FDuplicates = d; }
  void Sort();

  void LoadFromStream(TStream& stream);  // the rest of the stream, as text
  void SaveToStream(TStream& stream) const;

  std::vector<std::string>::const_iterator begin() const { return FItems.begin(); }
  std::vector<std::string>::const_iterator end() const { return FItems.end(); }

 private:
  int Compare(const std::string& a, const std::string& b) const;
  void CheckIndex(int index) const;
  std::vector<std::string> FItems;
  bool FSorted = false;
  bool FCaseSensitive = false;
  TDuplicates FDuplicates = TDuplicates::dupIgnore;
};
