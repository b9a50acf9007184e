#include <string>

std::string FilterToNative(const std::string& filter) {
  std::string out = filter;
  for (char& c : out)
    if (c == '|') c = '\0';
  // Pairs end with one NUL each and the list with one more.
  out.push_back('\0');
  out.push_back('\0');
  return out;
}
