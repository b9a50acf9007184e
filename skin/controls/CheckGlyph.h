#pragma once
// Check boxes and radio buttons keep their own text; the skin replaces only the box. This
// decides which frame of the glyph strip shows and where it goes, from the button's state
// bits, the class-library control's state properties and the window style.
#include <cstdint>
#include <string_view>

#include "skin/forms/SkinDraw.h"

enum class TCheckValue { Unchecked, Checked, Grayed };

struct TCheckGlyphState {
  TCheckValue Value = TCheckValue::Unchecked;
  bool Disabled = false;
  bool Pushed = false;  // held down with the mouse or the space key
};

// The state a native check box reports through BM_GETSTATE.
TCheckGlyphState CheckStateFromButtonState(uint32_t buttonState, bool disabled);

// The class-library control overrides the native value: its "State" identifier (compared in
// lower case: containing "uncheck", else "check", else "gray") or, without "State", its
// "Checked" identifier ("true" or not). An empty identifier means the property is not
// published; a State identifier matching none of the words keeps `native`.
TCheckValue CheckValueFromProperties(TCheckValue native, std::string_view stateIdent,
                                     std::string_view checkedIdent);

// A radio button has no grayed value: only "Checked" counts.
bool RadioCheckedFromProperty(bool native, std::string_view checkedIdent);

// 1-based frame of the check strip: 1 unchecked, 2 checked, 3 unchecked disabled, 4 checked
// disabled or grayed or pushed, 6 grayed disabled; a 12-frame strip moves 2 -> 5, 3 -> 4,
// 4 -> 8 and has its own pushed frames 9 (12 when disabled). There is no hot frame.
int CheckBoxFrame(const TCheckGlyphState& state, int frameCount);

// 1-based frame of the radio strip: 1 unchecked, 2 checked, 3 and 4 disabled; an 8-frame
// strip moves 2 -> 5, 3 -> 4, 4 -> 8.
int RadioFrame(bool checked, bool disabled, int frameCount);

// Where the glyph cell goes inside the control's rectangle, and the part erased in the
// parent's colour first (the native box: 16 pixels on the left, or 18 on the right with
// BS_LEFTTEXT).
struct TGlyphPlacement {
  TSkinRect Glyph;
  TSkinRect Erase;
  bool operator==(const TGlyphPlacement&) const = default;
};
TGlyphPlacement CheckGlyphPlacement(const TSkinRect& control, int cellWidth, int cellHeight, bool leftText);
TGlyphPlacement RadioGlyphPlacement(const TSkinRect& control, int cellWidth, int cellHeight, bool leftText);

// The cell of one frame of a glyph strip; false (nothing drawn, the native box stays) for an
// empty strip or a frame count below 1.
bool GlyphCellSize(int stripWidth, int stripHeight, int frameCount, int& cellWidth, int& cellHeight);
