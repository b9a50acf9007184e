#include "skin/controls/CheckGlyph.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "skin/controls/ControlMath.h"
#include "skin/data/WinConst.h"

namespace {

// The glyph's vertical place: centred, halves truncated.
TSkinRect CentredRow(const TSkinRect& control, int left, int width, int height) {
  const int top = control.Top + HalfOf(control.Height() - height);
  return {left, top, left + width, top + height};
}

// The long strips (twelve check-box frames, eight radio frames) keep the checked, disabled
// and disabled-checked pictures further along: the plain frame number's place there.
int LongStripFrame(int frame) {
  switch (frame) {
    case 2:
      return 5;
    case 3:
      return 4;
    case 4:
      return 8;
    default:
      return frame;
  }
}
}  // namespace

TCheckGlyphState CheckStateFromButtonState(uint32_t buttonState, bool disabled) {
  TCheckGlyphState s;
  // Indeterminate and pushed are separate bits: a grayed box held down is still pushed.
  if (buttonState & WinCtl::StateChecked)
    s.Value = TCheckValue::Checked;
  else if (buttonState & WinCtl::StateIndeterminate)
    s.Value = TCheckValue::Grayed;
  s.Pushed = (buttonState & WinCtl::StatePushed) != 0;
  s.Disabled = disabled;
  return s;
}

TCheckValue CheckValueFromProperties(TCheckValue native, std::string_view stateIdent,
                                     std::string_view checkedIdent) {
  if (!stateIdent.empty()) {
    const std::string s = LowerAscii(stateIdent);
    if (s.find("uncheck") != std::string::npos) return TCheckValue::Unchecked;
    if (s.find("check") != std::string::npos) return TCheckValue::Checked;
    if (s.find("gray") != std::string::npos) return TCheckValue::Grayed;
    return native;
  }
  if (!checkedIdent.empty())
    return LowerAscii(checkedIdent) == "true" ? TCheckValue::Checked : TCheckValue::Unchecked;
  return native;
}

bool RadioCheckedFromProperty(bool native, std::string_view checkedIdent) {
  if (checkedIdent.empty()) return native;
  return LowerAscii(checkedIdent) == "true";
}

int CheckBoxFrame(const TCheckGlyphState& state, int frameCount) {
  const bool twelve = frameCount == 12;
  if (state.Pushed) return twelve ? (state.Disabled ? 12 : 9) : 4;
  int frame = state.Value == TCheckValue::Checked ? 2 : state.Value == TCheckValue::Grayed ? 4 : 1;
  if (state.Disabled) frame += 2;
  return twelve ? LongStripFrame(frame) : frame;
}

int RadioFrame(bool checked, bool disabled, int frameCount) {
  int frame = checked ? 2 : 1;
  if (disabled) frame += 2;
  return frameCount == 8 ? LongStripFrame(frame) : frame;
}

namespace {
// The native box is taken to be 15 pixels wide; these erase it on either side.
constexpr int EraseLeftWidth = 16;
constexpr int EraseRightWidth = 18;

TSkinRect EraseArea(const TSkinRect& c, bool leftText) {
  if (leftText) return {c.Right - EraseRightWidth, c.Top, c.Right, c.Bottom};
  return {c.Left, c.Top, c.Left + EraseLeftWidth, c.Bottom};
}
}  // namespace

TGlyphPlacement CheckGlyphPlacement(const TSkinRect& control, int w, int h, bool leftText) {
  int left;
  if (!leftText) {
    left = w > 14 ? control.Left + 2 : control.Left + HalfOf(14 - w) + 1;
  } else {
    const int right = w > 15 ? control.Right - 1 : control.Right - HalfOf(15 - w);
    left = right - w;
  }
  return {CentredRow(control, left, w, h), EraseArea(control, leftText)};
}

TGlyphPlacement RadioGlyphPlacement(const TSkinRect& control, int w, int h, bool leftText) {
  int left;
  if (!leftText) {
    left = w > 14 ? control.Left : control.Left + HalfOf(14 - w);
  } else {
    const int right = w > 14 ? control.Right - 1 : control.Right - HalfOf(14 - w);
    left = right - w;
  }
  return {CentredRow(control, left, w, h), EraseArea(control, leftText)};
}

bool GlyphCellSize(int stripWidth, int stripHeight, int frameCount, int& cellWidth, int& cellHeight) {
  if (frameCount < 1 || stripWidth <= 0 || stripHeight <= 0) return false;
  cellWidth = stripWidth / frameCount;
  cellHeight = stripHeight;
  return cellWidth > 0;
}
