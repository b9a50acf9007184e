#pragma once
// Geometry of a skinned scroll bar laid over a native one: where its arrows, track and
// thumb are, which part a point is on, where the thumb goes while dragged, and which frame
// of the skin's strips each part shows. Lengths run along the bar's axis from 0 (top or
// left) to its length.
#include <string_view>

#include "skin/forms/SkinDraw.h"

struct TThumbExtent {
  int Start = 0;
  int End = 0;
  int Length() const { return End - Start; }
  bool operator==(const TThumbExtent&) const = default;
};

// A scroll-bar control's thumb from its own numbers (minimum 0): with a page, the thumb is
// MulDiv(track, page - 1, max) long at arrow + MulDiv(track, pos, max); without one it is an
// arrow long at arrow + MulDiv(length - 3 * arrow, pos, max). A range of 0 or less, or a bar
// with no room for a track, gives an empty thumb at the track's start; the thumb never
// leaves the track.
TThumbExtent ControlBarThumb(int length, int arrow, int pos, int max, int page);

// Arrow buttons, track and the cross-axis thickness of a bar of the given size. The work
// area is thick as the arrow strip's picture, or an arrow length when the picture plus 3 is
// thinner than that. A bar shorter than two arrows gets two half-length arrows and no track.
struct TScrollBarLayout {
  int Length = 0;
  int Thickness = 0;
  TSkinRect FirstArrow;   // up or left
  TSkinRect SecondArrow;  // down or right
  TSkinRect Track;        // empty when there is no room
  bool operator==(const TScrollBarLayout&) const = default;
};
TScrollBarLayout ScrollBarLayout(int width, int height, bool vertical, int arrow, int stripHeight);

// The thumb's rectangle across the work area's thickness.
TSkinRect ScrollThumbRect(const TScrollBarLayout& layout, bool vertical, const TThumbExtent& thumb);

// The scroll code of the part at `along` (SB_LINEUP, SB_PAGEUP, SB_THUMBTRACK,
// SB_PAGEDOWN or SB_LINEDOWN).
int ScrollHitTest(int along, int arrow, const TThumbExtent& thumb, int length);

// The thumb while dragged: moved by the cursor's travel since the press from where it was
// at the press, keeping its length, never closer than an arrow length to either end (the
// first end wins on a bar too short for the thumb).
TThumbExtent DragThumb(const TThumbExtent& current, int thumbAtPress, int cursorTravel, int arrow, int length);

// Frames of the 23-frame arrow strip: left 1/2, right 5/6, up 9/10, down 13/14
// (normal/pressed). A button shows pressed while the mouse is down on it.
int ScrollArrowFrame(bool vertical, bool second, bool mouseDown, int hitCode);
// Track frame of the 4-frame track strips: 1 enabled, 3 disabled.
int ScrollTrackFrame(bool enabled);
// Thumb frame: 2 while the thumb is held, else 1.
int ScrollThumbFrame(bool mouseDown, int hitCode);

// The square between a vertical and a horizontal bar, painted in the skin's face colour.
TSkinRect ScrollCornerRect(const TSkinRect& verticalBar, const TSkinRect& horizontalBar);

// A scroll-bar control's "Kind" identifier: "sbHorizontal" (any case) is horizontal,
// anything else vertical.
bool ScrollKindIsVertical(std::string_view kindIdent);
