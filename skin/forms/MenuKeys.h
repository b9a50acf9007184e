#pragma once
// The keyboard's ways into a skinned menu bar, free of the platform: what a keyboard-menu
// system command (F10, a lone Alt, Alt+letter, Alt+Space) does in a skinned window, and what
// each key does while the bar is in keyboard mode (a button selected, no drop-down open).
#include <cstdint>
#include <functional>

#include "skin/data/WinConst.h"
#include "skin/forms/MenuBarLayout.h"

enum class TKeyMenu {
  Pass,        // the system's own handling (Alt+-, or nothing of ours to open)
  Swallow,     // taken, nothing opens (no bar to select, no such accelerator)
  BarMode,     // select the bar's first button, in keyboard mode
  SystemMenu,  // open the skinned system menu under the icon
  OpenButton,  // open the drop-down of the button with this accelerator
};

struct TKeyMenuState {
  bool Tracking = false;           // a drop-down of the bar is open
  bool Captured = false;           // a window has the mouse capture (a drag, a modal loop)
  bool HasBarButton = false;       // the bar has a button the keyboard can select
  bool SkinnedSystemMenu = false;  // Alt+Space opens the skinned system menu
};

// A WM_SYSCOMMAND's command and lParam (the character in its low word). `hasAccelerator`
// is asked only for a character other than 0, space and "-".
TKeyMenu KeyMenuAction(uintptr_t command, intptr_t lParam, const TKeyMenuState& state,
                       const std::function<bool(int ch)>& hasAccelerator);

enum class TBarKey {
  None,      // eaten, nothing happens
  Previous,  // the button before (wrapping round)
  Next,      // the button after (wrapping round)
  Open,      // open the selected button's drop-down, its first item selected
  Leave,     // leave keyboard mode
};

// A key pressed (or released) while the bar is in keyboard mode; arrows already mirrored
// for a right-to-left bar. Alt and F10 leave on their release, so neither release reaches
// the window to start the mode again.
TBarKey BarKeyAction(unsigned virtualKey, bool released);
