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

std::string StillRunningReport(const std::vector<uint32_t>& processIds, uint32_t waitMs) {
  std::string ids;
  for (uint32_t id : processIds) ids += (ids.empty() ? "" : ", ") + std::to_string(id);
  const uint32_t seconds = (waitMs + 999) / 1000;
  std::string text =
      processIds.size() == 1 ? "The running Lumetta (process " : "The running Lumetta processes (";
  text += ids + ") did not end within " + std::to_string(seconds) + (seconds == 1 ? " second" : " seconds") +
          " of being asked to close.\n\nLumetta was not started again, so that two of them do not run side "
          "by side. Close it from its tray icon or end it, then start Lumetta.";
  return text;
}

std::string StartFailedReport(const std::string& program, const std::string& reason) {
  std::string text = "Lumetta could not be started from \"" + program + "\"";
  // The system's texts end in a line break of their own.
  std::string why = reason;
  while (!why.empty() && (why.back() == '\n' || why.back() == '\r' || why.back() == ' ')) why.pop_back();
  if (!why.empty()) text += ":\n" + why;
  if (text.back() != '.') text += '.';
  return text;
}
