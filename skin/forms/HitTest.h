#pragma once
// Non-client hit-testing and the small decisions of the non-client mouse messages, free of
// any platform call.
//
// The Win32 side passes WM_NCHITTEST on first and feeds in the default answer and the
// point in window-frame coordinates (ClientToFrame after ScreenToClient); it gets back the
// answer to return. It also gets the hit code to pass on for a title-bar press, what a
// double click and a right click on the caption do. Title-bar buttons are not hit codes:
// the mouse handlers find them with SysButtonAt.
#include "skin/forms/FrameGeometry.h"

struct TFramePoint {
  int X = 0, Y = 0;
  bool operator==(const TFramePoint&) const = default;
};
// A client point in window-frame coordinates (origin at the window's top-left corner); a
// minimized window has no skinned frame, so its point stays.
TFramePoint ClientToFrame(int clientX, int clientY, const TFrameBorders& b, bool minimized);

// How many rows at the top of the window keep the default answer (the resize edge of a
// sizeable window).
inline constexpr int HitTopRows = 3;

// WM_NCHITTEST: HTNOWHERE and HTCAPTION become HTCAPTION inside the title bar and HTMENU
// below it (the menu bar); the topmost HitTopRows rows and every other answer keep the
// default.
int NcHitTest(int defaultAnswer, int frameY, int topHeight);

// WM_NCLBUTTONDOWN on no object: a maximized active window is not dragged by its title,
// so HTCAPTION is passed on as HTMENU.
int NcPressHit(int hit, bool maximized, bool active);

enum TDoubleClick : int { dcNone, dcRestore, dcToggleMaximize };
// WM_NCLBUTTONDBLCLK: restore a maximized or minimized window, else maximize when it has
// a maximize box.
TDoubleClick NcDoubleClick(TWinState state, int iconFlags);

// WM_NCRBUTTONDOWN opens the system menu on the caption of any window but an MDI child.
bool NcRightClickOpensMenu(int hit, bool mdiChild);
