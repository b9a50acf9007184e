#pragma once
// Where the caption of a skinned title bar goes, free of any platform call.
//
// The Win32 side feeds in the Top piece's rectangle in the title buffer, the window text,
// the title description of the skin and a measuring callback (DrawText with DT_CALCRECT in
// the caption font); it gets back the caption rectangle (which buttons anchored to the
// caption follow), where the TextBack image goes and with which frame, and the text
// rectangle and the text itself, already shortened with an ellipsis when it does not fit,
// to draw with DT_SINGLELINE (plus DT_RIGHT when AlignRight is set).
#include <functional>
#include <string>
#include <string_view>

#include "skin/forms/FrameGeometry.h"
#include "skin/forms/SkinDraw.h"

struct TTextExtent {
  int Width = 0, Height = 0;
};
using TMeasureText = std::function<TTextExtent(std::wstring_view)>;

struct TCaptionInput {
  TSkinRect Rect;  // the Top piece's rectangle in the title buffer
  std::wstring WindowText;
  std::wstring Prefix = L" ";
  std::wstring Suffix = L"  ";
  // From the skin's title description.
  int TextAlignment = 0;  // 0 shifted from the left, 1 centred, 2 right-aligned
  int TextShift = 0;
  int TextShiftVert = 0;
  int TextRightClip = 0;
  int TextBackLeft = 0;
  int TextBackRight = 0;
  // From the window.
  TFrameKind Kind = fkSingle;
  bool RightToLeft = false;
  bool Active = true;
  int RightButtonsLeft = 0;  // left edge of the leftmost right-anchored button, 0 for none
};

struct TCaptionLayout {
  std::wstring Text;   // prefix + window text + suffix, ellipsis applied
  TSkinRect Box;       // the caption rectangle
  TSkinRect BackRect;  // the TextBack image: Box's width, the title's height
  int BackFrame = 1;   // of the two stacked TextBack frames
  TSkinRect TextRect;  // Box less the TextBack margins
  bool AlignRight = false;
};

TCaptionLayout LayoutCaption(const TCaptionInput& in, const TMeasureText& measure);

// The text as DT_END_ELLIPSIS shows it in maxWidth: unchanged when it fits, else the
// longest head (never half of a surrogate pair) followed by "..." that fits, or "..."
// alone when nothing else does.
std::wstring FitWithEllipsis(std::wstring_view text, int maxWidth, const TMeasureText& measure);
