#pragma once
// Decisions of the skinned menu bar, free of any platform call: where the first button
// starts, where each button goes (left to right, or from the right edge for a right-to-left
// menu), which button a point or an accelerator letter names, which button the arrow keys
// move to, and which separators of a drop-down menu stay visible.
//
// The Win32 side measures each caption in the menu font and feeds in the widths; it gets
// back the slots to draw the captions in and the bounds to hit-test against.
#include <string_view>
#include <vector>

#include "skin/data/WinConst.h"
#include "skin/forms/SkinDraw.h"

// Space around a caption inside its button, added to the text width.
inline constexpr int MenuButtonPadding = 10;

// Offset of the first button from the bar's leading edge. With a MenuBar image the margin of
// the image's leading cap is kept clear; a bar too narrow for that falls back to 12. Without
// an image the bar is a flat fill and starts at 6.
struct TMenuBarOrigin {
  bool HasImage = false;
  int TileLeft = 0;   // TileLeftMenu
  int TileRight = 0;  // TileRightMenu
  bool RightToLeft = false;
  int BarWidth = 0;
};
int MenuBarFirstOffset(const TMenuBarOrigin& in);

struct TMenuBarItem {
  bool Visible = true;
  int TextWidth = 0;  // the caption measured in the menu font
  bool EmptyCaption = false;
};
struct TMenuBarSlot {
  TSkinRect Slot;    // bar coordinates: where the caption is centred (bottom row left free)
  TSkinRect Bounds;  // window-frame coordinates; empty for an invisible button
};
// Bar is the bar's rectangle in window-frame coordinates. Invisible buttons take no room.
std::vector<TMenuBarSlot> LayoutMenuBar(const std::vector<TMenuBarItem>& items, const TSkinRect& bar,
                                        int firstOffset, bool rightToLeft);

// The accelerator of a caption: the character after a single "&" ("&&" is a literal
// ampersand), or 0 when there is none.
wchar_t AcceleratorOf(std::wstring_view caption);
// Maps a character to the one case accelerators are compared in. The platform passes the
// system's own mapping, so every script compares as in a native menu.
using TCaseFold = wchar_t (*)(wchar_t);
// Whether two characters are the same letter without regard to case.
bool SameAccelerator(wchar_t a, wchar_t b, TCaseFold fold);

struct TMenuBarButtonInfo {
  bool Visible = true;
  bool Enabled = true;
  bool EmptyCaption = false;
  TSkinRect Bounds;
  wchar_t Accelerator = 0;
};
// The first button that contains the point and has a caption; -1 for none.
int MenuButtonIndexAt(const std::vector<TMenuBarButtonInfo>& buttons, int x, int y);
// The first enabled, visible button whose accelerator is ch; -1 for none.
int ButtonIndexByAccel(const std::vector<TMenuBarButtonInfo>& buttons, wchar_t ch, TCaseFold fold);
// The button the arrow keys move to from `open`, wrapping round at both ends; buttons that
// cannot be opened (invisible, or without a caption) are passed over. -1 when no other
// button can be opened.
int NeighbourButton(const std::vector<TMenuBarButtonInfo>& buttons, int open, bool forward);

// A right-to-left menu swaps the two horizontal arrow keys. Keys are the Win32 numbers.
unsigned MirrorArrowKey(unsigned key, bool rightToLeft);

// One entry of a drop-down menu as TidySeparators sees it.
struct TTidyItem {
  bool Separator = false;
  bool Visible = true;
};
// Hides separators at the start and the end of the menu and every separator that follows
// another visible one, and shows a hidden separator that stands between two visible items
// again. Changes the Visible flags in place.
void TidySeparators(std::vector<TTidyItem>& items);
