#pragma once
// When and where a skinned control shows the keyboard focus: the dotted rectangle the
// system draws on its own controls, drawn over the skin's face. It shows while the control
// has the focus and its window's UI state does not hide focus cues (a window the keyboard
// has not been used in hides them until Tab or an arrow moves the focus).
#include <cstdint>
#include <string_view>

#include "skin/controls/ButtonLayout.h"

// Whether the cue shows; uiState is what WM_QUERYUISTATE answers.
bool ShowsFocusCue(bool focused, uint32_t uiState);

// How far inside a face the cue runs, by control.
inline constexpr int ButtonFocusInset = 3;  // as the system's push buttons
inline constexpr int TabFocusInset = 3;     // inside the current tab
inline constexpr int UpDownFocusInset = 1;  // a small control: just inside its edge
inline constexpr int FrameFocusInset = 2;   // inside the skinned two-pixel frame of an edit

// The cue's rectangle inside a face; an empty rectangle when the face is too small to hold
// one (nothing is drawn then).
TSkinRect FocusCueRect(const TSkinRect& face, int inset);

// Controls that take the skin's edit frame but show no caret, so the frame carries the cue
// (the date and time pickers without a drop-down), by window class.
bool FramedControlShowsFocusCue(std::string_view windowClass);
