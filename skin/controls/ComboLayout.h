#pragma once
// Where a skinned combo box draws its drop-down button, which picture and frame it uses, and
// which of its lists carry skinned scroll bars.
#include <cstdint>

#include "skin/forms/SkinDraw.h"

// The three drawings a skin chooses by ComboButton's Style.
enum class TComboDrawing { Classic, Composite, Pieces };
TComboDrawing ComboDrawingFor(int comboButtonStyle);

// 1 normal, 2 pressed, 3 disabled, 4 focused or hot (pressed wins, then focus or hover).
int ComboState(bool pressed, bool focused, bool hot, bool enabled);

// The button goes to the left edge for right-to-left windows (WS_EX_LEFTSCROLLBAR).
bool ComboButtonOnLeft(uint32_t exStyle);

// The piecewise drawing: the edit area is kept out of the clip, the button picture goes to
// Button and the drop-down glyph is centred in GlyphArea. On the left the mirrored picture
// (and the mirrored composite) is used.
struct TComboLayout {
  TSkinRect EditExclude;
  TSkinRect Button;
  TSkinRect GlyphArea;
  bool Mirrored = false;
  bool operator==(const TComboLayout&) const = default;
};
// rect: the window rectangle at the origin; arrowWidth: the system's scroll-arrow width.
TComboLayout ComboButtonLayout(const TSkinRect& rect, int arrowWidth, bool buttonLeft);

// The classic drawing's button: inside the two-pixel frame, the right part as wide as a
// vertical scroll thumb is high.
TSkinRect ClassicComboButton(const TSkinRect& rect, int thumbHeight);

// A simple combo box's list is a child window of the combo (not a pop-up of the desktop);
// only such a list gets skinned scroll bars.
bool ComboListGetsScrollBars(uint32_t comboStyle, uint32_t listStyle, bool listParentIsDesktop);
