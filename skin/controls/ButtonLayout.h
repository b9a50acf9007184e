#pragma once
// Decisions of the skinned buttons, free of any platform call: which frame of the skin's
// button strip a state shows, which glyph cell goes with it, where glyph and caption sit,
// how a "||" caption breaks, which text colour a frame takes, and the mouse-state bits
// that press, release, hover and leave drive.
#include <cstdint>
#include <optional>
#include <string>

#include "skin/data/SkinData.h"

// Frames of the skin's button strip, 1-based.
enum TButtonFrame : int {
  bfNormal = 1,
  bfPressed = 2,
  bfDisabled = 3,
  bfHot = 4,  // mouse over, or focused
  bfDefault = 5,
};
inline constexpr int PushButtonFrameCount = 5;
static_assert(bfDefault == PushButtonFrameCount, "the default frame is the strip's last");

enum class TButtonFamily {
  Push,   // push buttons: the default style outranks the focus
  Glyph,  // glyph buttons: the focus outranks the default
  Speed,  // windowless speed buttons
};

struct TButtonStateFacts {
  bool Hot = false;
  bool Pressed = false;
  bool Focused = false;
  bool Default = false;
  bool Enabled = true;
  bool Down = false;  // speed buttons: the "Down" property
};
int ButtonFrame(TButtonFamily family, const TButtonStateFacts& s);
// A flat speed button at rest shows no face, only the background, its glyph and caption.
bool SpeedButtonDrawsFace(bool flat, int frame);

// Glyph cells of a strip: 1 up, 2 disabled, 3 pressed (4, exclusive, is never chosen).
int GlyphCellForFrame(int frame);
// The part of a glyph strip to draw: a cell is Width wide (strip width div cells); only a
// four-cell strip shows the chosen cell, others their first; the disabled cell is greyed.
struct TGlyphCell {
  int Left = 0;
  int Width = 0;
  bool Grey = false;
  bool operator==(const TGlyphCell&) const = default;
};
// numGlyphs below 1 counts as 1.
TGlyphCell GlyphCellRect(int glyphWidth, int numGlyphs, int cell);

// A caption's "||" marks a line break.
std::wstring SplitCaptionLines(const std::wstring& caption);

// Where a measured caption block of textWidth x textHeight goes inside area: one pixel
// above the vertical middle; centred horizontally, or the full width of area otherwise.
TSkinRect CaptionRect(const TSkinRect& area, int textWidth, int textHeight, bool centre);

enum class TGlyphLayout { Left, Right, Top, Bottom };
// The "Layout" property's identifier (any case); anything else lays the glyph out left,
// as a new glyph button does.
TGlyphLayout GlyphLayoutFrom(const std::string& identifier);

struct TSize2 {
  int Width = 0, Height = 0;
  bool operator==(const TSize2&) const = default;
};
struct TGlyphLayoutInput {
  TGlyphLayout Layout = TGlyphLayout::Left;
  int Margin = -1;   // -1: centred
  int Spacing = -1;  // -1: shared out
  TSize2 Client;
  TSize2 Glyph;
  TSize2 Text;
  bool CentreAlignment = false;  // the "Alignment" property reads "taCenter" (glyph buttons)
  bool SpeedButton = false;      // the speed buttons' variant of the centring
};
struct TGlyphLayoutResult {
  int Margin = 0;
  int Spacing = 0;
  int GlyphX = 0, GlyphY = 0;
  int TextX = 0, TextY = 0;
  bool operator==(const TGlyphLayoutResult&) const = default;
};
TGlyphLayoutResult LayoutGlyphButton(const TGlyphLayoutInput& in);

// The caption colour of a frame; nullopt keeps the font's own colour.
// Class-library buttons take the skin's colours only where the skin sets them; raw
// windows start from ColorButtonText and take the element's colours as they are.
std::optional<TSkinColour> ButtonTextColour(const TDataSkinButton& element, const TSkinData& skin, int frame,
                                            bool enabled, bool rawWindow);
inline constexpr TSkinColour RawDisabledTextColour = 0x808080;

// Mouse-state bits of a button handler and the form's one hot button.
enum TMouseStateBit : uint8_t { msHot = 1, msPressed = 2 };

enum class TButtonEvent {
  LeftDown,  // WM_LBUTTONDOWN or WM_LBUTTONDBLCLK
  LeftUp,
  MouseMove,
  MouseEnter,  // CM_MOUSEENTER
  MouseLeave,  // CM_MOUSELEAVE
  SpaceDown,
  SpaceUp,
};

// The form handler's last entered button; names at most one handler.
struct THotButton {
  const void* Handler = nullptr;
};

struct TButtonReaction {
  bool TakeFocus = false;  // SetFocus to the button first
  bool Repaint = false;
  bool Click = false;                // raise the button's click (its own procedure never saw the press)
  const void* LeaveOther = nullptr;  // send CM_MOUSELEAVE to this handler's window
  bool operator==(const TButtonReaction&) const = default;
};

class TButtonMouseState {
 public:
  uint8_t Bits = 0;
  bool Hot() const { return (Bits & msHot) != 0; }
  bool Pressed() const { return (Bits & msPressed) != 0; }
  // Applies one event to the handler `self` and the form's hot button.
  TButtonReaction Handle(TButtonEvent event, TButtonFamily family, const void* self, THotButton& hot,
                         bool enabled = true, bool focused = false, bool visible = true);
};
