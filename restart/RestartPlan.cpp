#include "restart/RestartPlan.h"

#include <algorithm>
#include <cctype>

namespace {

bool SameTextAscii(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::string BaseNameOf(const std::string& path) {
  const size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string FolderOf(const std::string& path) {
  const size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

std::vector<TTopWindow> FindMainWindows(const std::vector<TTopWindow>& windows) {
  std::vector<TTopWindow> found;
  for (const TTopWindow& w : windows) {
    if (w.ClassName != MainFormClass || w.Caption != MainFormCaption) continue;
    if (w.ImagePath.empty() || !SameTextAscii(BaseNameOf(w.ImagePath), ProgramFile)) continue;
    const bool seen = std::any_of(found.begin(), found.end(),
                                  [&](const TTopWindow& f) { return f.ProcessId == w.ProcessId; });
    if (!seen) found.push_back(w);
  }
  return found;
}
