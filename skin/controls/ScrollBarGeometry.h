#pragma once
// Geometry of a skinned scroll bar laid over a native one: where its arrows, track and
// thumb are, which part a point is on, where the thumb goes while dragged, and which frame
// of the skin's strips each part shows. Lengths run along the bar's axis from 0 (top or
// left) to its length.
#include <cstdint>
#include <string_view>
#include <vector>

#include "skin/forms/SkinDraw.h"

struct TThumbExtent {
  int Start = 0;
  int End = 0;
  int Length() const { return End - Start; }
  bool operator==(const TThumbExtent&) const = default;
};

// A scroll-bar control's thumb from its own numbers (minimum 0), for a system that cannot
// report the control's own thumb: with a page, the thumb is MulDiv(track, page - 1, max)
// long at arrow + MulDiv(track, pos, max); without one it is an arrow long at
// arrow + MulDiv(length - 3 * arrow, pos, max). The numbers are 64-bit: a range from
// INT_MIN to INT_MAX spans more than an int. A range of 0 or less, or a bar with no room
// for a track, gives an empty thumb at the track's start; the thumb never leaves the track.
TThumbExtent ControlBarThumb(int length, int arrow, int64_t pos, int64_t max, int64_t page);

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
TThumbExtent DragThumb(const TThumbExtent& current, int thumbAtPress, int cursorTravel, int arrow,
                       int length);

// Frames of the 23-frame arrow strip: left 1/2, right 5/6, up 9/10, down 13/14
// (normal/pressed). A button shows pressed while the mouse is down on it.
int ScrollArrowFrame(bool vertical, bool second, bool mouseDown, int hitCode);
// Track frame of the 4-frame track strips: 1 enabled, 3 disabled.
int ScrollTrackFrame(bool enabled);
// Thumb frame: 2 while the thumb is held, else 1.
int ScrollThumbFrame(bool mouseDown, int hitCode);

// The square between a vertical and a horizontal bar, painted in the skin's face colour:
// the bars are in the window's client coordinates, the square comes in window coordinates
// (the client area starts at clientX, clientY inside the window, past any border).
TSkinRect ScrollCornerRect(const TSkinRect& verticalBar, const TSkinRect& horizontalBar, int clientX,
                           int clientY);

// A scroll-bar control's "Kind" identifier: "sbHorizontal" (any case) is horizontal,
// anything else vertical.
bool ScrollKindIsVertical(std::string_view kindIdent);

// What a skinned bar paints, in order: the track, the two arrows, and (only when the bar is
// enabled) the thumb. The thumb follows the cursor while a window scroll bar's thumb is
// dragged and the native bar's thumb otherwise. The system drags with a tracking position
// of its own, and puts it (and the contents) back where it was at the press when the
// cursor strays too far from the bar: once the cursor's travel would have moved the thumb
// by a position or more while the tracking position is back at the press, the thumb is
// where the native bar has it.
enum class TScrollPart { Track, FirstArrow, SecondArrow, Thumb };
struct TScrollPaintStep {
  TScrollPart Part;
  TSkinRect Rect;
  int Frame;  // of the track strip, the 23-frame arrow strip or the thumb strip
  bool operator==(const TScrollPaintStep&) const = default;
};
// The kinds of covered bar: a window's horizontal or vertical bar, or a scroll-bar control.
enum TScrollBarKind : int { sbkHorizontal = 0, sbkVertical = 1, sbkControl = 2 };
struct TScrollPaintInput {
  int Width = 0, Height = 0;
  TScrollBarKind Kind = sbkVertical;
  bool Vertical = true;
  int Arrow = 0;
  int StripHeight = 0;  // height of the arrow strip's picture
  bool Enabled = true;  // the native bar is not STATE_SYSTEM_UNAVAILABLE
  bool MouseDown = false;
  int HitCode = -1;            // the part being operated
  TThumbExtent NativeThumb;    // the covered bar's own thumb
  int ThumbAtPress = 0;        // for dragging: the native thumb start at the press
  int CursorTravel = 0;        // and the cursor's travel since, along the axis
  bool TrackAtPress = false;   // the system's tracking position is the position at the press
  int64_t TrackPositions = 0;  // how many positions the thumb moves through end to end
};
std::vector<TScrollPaintStep> ScrollBarPaintPlan(const TScrollPaintInput& in);

// How a press or release on the skinned bar is handed to the covered one: window scroll
// bars get the non-client message with the bar's hit code and a screen point, a scroll-bar
// control the client message with MK_LBUTTON and a point in its own coordinates.
struct TScrollForward {
  uint32_t Msg = 0;
  uintptr_t WParam = 0;
  bool ScreenPoint = false;
  bool operator==(const TScrollForward&) const = default;
};
TScrollForward ScrollForward(TScrollBarKind kind, bool release);
