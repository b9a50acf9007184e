#include "skin/controls/FocusCue.h"

#include <algorithm>
#include <cctype>

#include "skin/data/WinConst.h"

bool ShowsFocusCue(bool focused, uint32_t uiState) { return focused && (uiState & WinCtl::UiHideFocus) == 0; }

TSkinRect FocusCueRect(const TSkinRect& face, int inset) {
  const TSkinRect r{face.Left + inset, face.Top + inset, face.Right - inset, face.Bottom - inset};
  // A dotted line needs two pixels to read as one.
  if (r.Width() < 2 || r.Height() < 2) return {};
  return r;
}

namespace {
bool SameText(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}
}  // namespace

bool FramedControlShowsFocusCue(std::string_view windowClass) {
  // The system's picker, and the class library's, which registers it under its own name.
  return SameText(windowClass, "SysDateTimePick32") || SameText(windowClass, "TDateTimePicker");
}
