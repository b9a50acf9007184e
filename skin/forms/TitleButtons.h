#pragma once
// Title-bar buttons: when each is visible, where it sits, which frame of its strip shows,
// which object is under a point and what a click does; free of any platform call.
//
// The Win32 side feeds in the window's state (maximized, active, IconFlags, frame kind,
// whether the active MDI child is maximized, the menu-bar height), the caption rectangle
// of the last caption layout and the border widths, plus a callback that sends
// CM_SKINBUTTONVISIBLE (asked only for Visibility 1000 to 2000). It gets back each
// button's Visible and BoundsRect, the left edge that clips the caption, the frame
// to draw, and the command a button's Action stands for.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "skin/forms/FrameGeometry.h"
#include "skin/forms/NCObject.h"

class TDataSkinSysButton;
class TSkinData;
class TSkinImage;

// One button per button description of the skin, in the skin's order, bound to it and to
// the owner (the old buttons are freed by the caller replacing its vector).
std::vector<std::unique_ptr<TSkinSysButton>> BuildSysButtons(TNCObjectOwner& owner, TSkinData& skin);
// The system-menu buttons (Action 3 or 11) are drawn as the window's icon: a description
// without an image takes a copy of the icon bitmap (so it has a size to be laid out
// with), so does an empty DefaultIcon, and the description counts one frame.
void PrepareIconButtons(TSkinData& skin, const TSkinImage& windowIcon);

struct TButtonWindowState {
  bool Maximized = false;
  bool Active = true;
  int IconFlags = 0;
  TFrameKind Kind = fkSingle;
  bool StandardDialog = false;
  bool ChildMaximized = false;  // the active MDI child is maximized
  int MenuBarHeight = 0;
};

// The application's answer to CM_SKINBUTTONVISIBLE for a button index.
using TAskButtonVisible = std::function<intptr_t(int index)>;

bool CalcButtonVisible(const TDataSkinSysButton& d, int index, const TButtonWindowState& w,
                       const TAskButtonVisible& ask);

// One frame of the button's strip: image width div frame count by image height.
struct TButtonSize {
  int Width = 0, Height = 0;
};
TButtonSize ButtonFrameSize(const TDataSkinSysButton& d);

struct TButtonLayoutInput {
  int WindowWidth = 0;
  TSkinRect CaptionBox;  // from the caption layout
  TFrameBorders Borders;
  bool RightToLeft = false;
  int TileLeftMenu = 0;  // the MenuBar element's left margin; 0 without a MenuBar element
};
// Where a button of this description goes (its Align rule).
TSkinRect ButtonBounds(const TDataSkinSysButton& d, const TButtonLayoutInput& in);

// Computes every button's Visible and lays out the visible ones that have an image; the
// others keep their BoundsRect. Returns the left edge of the leftmost visible right-anchored
// (Align 1) button, where the caption must end; 0 when none shows.
int LayoutSysButtons(std::vector<std::unique_ptr<TSkinSysButton>>& buttons, const TButtonWindowState& w,
                     const TAskButtonVisible& ask, const TButtonLayoutInput& in);

// The first visible button with a non-negative Action that contains the point, or none.
TSkinSysButton* SysButtonAt(const std::vector<std::unique_ptr<TSkinSysButton>>& buttons, int x, int y);

// Actions 3 and 11 are the system-menu button, drawn as the window's icon.
bool IsIconAction(int action);
// Frame of a full title-bar paint: 4 (inactive) for an inactive window when the strip has
// at least 4 frames, else 1.
int ButtonPaintFrame(bool active, int frameCount);
// Frame of a state change: the state's number, with hot drawn as frame 4 for Visibility 100.
int ButtonStateFrame(int state, int visibility);
// Buttons with Visibility 100 live in the menu bar; the title bar leaves them out.
bool PaintedInTitleBar(const TSkinSysButton& b);

enum TButtonCommand : int {
  bcClose,  // post SC_CLOSE (hover timer off)
  bcToggleMaximize,
  bcToggleMinimize,
  bcSystemMenu,     // the system menu at the click point + (1, 1)
  bcChildMinimize,  // to the active MDI child
  bcChildRestore,
  bcChildClose,
  bcCustom,  // post CM_SKINBUTTON with the action
};
TButtonCommand ButtonCommand(int action);
