#pragma once
// A skinned group box replaces the etched frame by a rounded one whose top edge sits half a
// text height (minus one pixel) below the window top, and redraws the caption over it.
#include <string>

#include "skin/forms/SkinDraw.h"

struct TGroupBoxLayout {
  int Top = 0;
  TSkinRect OuterWipe;  // framed twice with the face brush to wipe the native frame:
  TSkinRect InnerWipe;  // this one one pixel inside the first
  TSkinRect Rounded;    // RoundRect in the shadow colour, corner ellipse 5 x 5
  TSkinRect Caption;    // caption text area (left + 9)
  bool operator==(const TGroupBoxLayout&) const = default;
};
inline constexpr int GroupBoxCorner = 5;

// window: the window rectangle at the origin; textHeight: the height of "0" in the font.
// The same with or without a caption.
TGroupBoxLayout GroupBoxLayout(const TSkinRect& window, int textHeight);

// The window text, or the class-library control's "Caption" when the window has none.
std::wstring GroupBoxCaption(const std::wstring& windowText, const std::wstring& captionProperty);
