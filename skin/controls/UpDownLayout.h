#pragma once
// The two buttons of a skinned up-down (spin) control: where they are, which one the
// cursor is over, and which frame of the 8-frame up-down strip each shows.
#include <cstdint>

#include "skin/forms/SkinDraw.h"

enum TArrowDirection : int { adUp = 0, adDown = 1, adLeft = 2, adRight = 3 };

// State numbers shared with combo boxes: 1 normal, 2 pressed, 3 disabled, 4 focused or hot.
enum TPartState : int { psNormal = 1, psPressed = 2, psDisabled = 3, psHot = 4 };

struct TUpDownButton {
  TSkinRect Rect;
  TArrowDirection Direction = adUp;
  int State = psNormal;
  int Frame = 1;
  bool operator==(const TUpDownButton&) const = default;
};

struct TUpDownInput {
  TSkinRect Client;         // client rectangle
  bool InEdit = false;      // the spin button sits inside an edit: one pixel smaller all round
  bool Horizontal = false;  // the handler's own flag or UDS_HORZ in the style
  bool Enabled = true;
  bool Pressed = false;          // the left button is down on the control
  int CursorX = 0, CursorY = 0;  // client coordinates
};

// First is the up (or left) button, Second the down (or right) one. The halves split at the
// middle of the (shrunk) client rectangle; only the half under the cursor shows pressed.
struct TUpDownLayout {
  bool Horizontal = false;
  TUpDownButton First, Second;
};
TUpDownLayout UpDownLayout(const TUpDownInput& in);

// Frame of the 8-frame strip: up and left use 1..4, down and right 5..8, by state.
int UpDownFrame(TArrowDirection direction, int state);

// Whether the style asks for a horizontal control.
bool UpDownStyleHorizontal(uint32_t style);
