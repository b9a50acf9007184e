#pragma once
// Geometry of skinned tab controls and tab sets. A tab control's strip is drawn into a
// buffer as if the tabs were on top; tabs on the bottom use the flipped tab picture, and
// tabs on the left or right draw into a buffer with width and height exchanged that is
// turned back before it is copied. The overflow scroller's rectangle is left out of the
// copy so the skinned arrows stay as they are.
#include <cstdint>
#include <vector>

#include "skin/forms/SkinDraw.h"
#include "ui/TabPosition.h"

TTabPosition ReadTabPosition(uint32_t style);

enum class TImageTurn { None, FlipVert, RotateLeft, RotateRight };
// Which transform the tab picture and the page border get when the skin is prepared, and
// which one turns the drawn buffer into place.
struct TTabTurns {
  TImageTurn TabImage = TImageTurn::None;
  TImageTurn BorderImage = TImageTurn::None;
  TImageTurn Buffer = TImageTurn::None;
  bool operator==(const TTabTurns&) const = default;
};
TTabTurns TabTurns(TTabPosition position);

// The page area: the display area (TCM_ADJUSTRECT) enlarged by 4 all round, then one pixel
// toward the tabs on the tab side.
TSkinRect TabPageArea(const TSkinRect& display, TTabPosition position);

// The tab strip: the part of the window outside the page area on the tab side.
TSkinRect TabStrip(const TSkinRect& window, const TSkinRect& page, TTabPosition position);

// The buffer's size: the strip's, exchanged for side tabs.
void TabBufferSize(const TSkinRect& strip, TTabPosition position, int& width, int& height);

// An item rectangle (TCM_GETITEMRECT) moved into buffer coordinates.
TSkinRect TabItemInBuffer(const TSkinRect& item, TTabPosition position, const TSkinRect& page,
                          int bufferWidth, int windowWidth);

// Frame of the tab strip: 2 for the current item, else 1.
inline int TabFrame(bool current) { return current ? 2 : 1; }

// The parts of `area` outside `hole` (at most four, none overlapping the hole): what the
// strip copy paints when the scroller is visible.
std::vector<TSkinRect> RectsAround(const TSkinRect& area, const TSkinRect& hole);

// A tab set's tabs from the first visible one: a tab w pixels wide (its text) occupies
// w + 9 and is drawn only if it fits before the end margin, keeping 21 pixels after it when
// the scroller shows; a tab that does not fit is skipped and later ones are still tried.
struct TTabSetTab {
  int Index = 0;
  TSkinRect Rect;
  int Frame = 1;
  bool operator==(const TTabSetTab&) const = default;
};
struct TTabSetInput {
  std::vector<int> TextWidths;
  int FirstVisible = 0;
  int Current = -1;
  int StartMargin = 0;
  int EndMargin = 0;
  int Width = 0, Height = 0;
  bool ScrollerVisible = false;  // a tab set without a scroller counts as hidden
};
std::vector<TTabSetTab> TabSetLayout(const TTabSetInput& in);
