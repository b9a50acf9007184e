#include "skin/controls/ScrollBarGeometry.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "skin/controls/ControlMath.h"
#include "skin/data/WinConst.h"

TThumbExtent ControlBarThumb(int length, int arrow, int64_t pos, int64_t max, int64_t page) {
  const int track = length - 2 * arrow;
  if (max <= 0 || track <= 0) return {arrow, arrow};
  int start, size;
  if (page != 0) {
    size = SkinMulDiv64(track, page - 1, max);
    start = arrow + (pos != 0 ? SkinMulDiv64(track, pos, max) : 0);
  } else {
    size = arrow;
    start = arrow + (pos != 0 ? SkinMulDiv64(length - 3 * arrow, pos, max) : 0);
  }
  // A position or page outside the range (the control keeps what it was given) must not
  // push the thumb over the arrows.
  size = std::clamp(size, 0, track);
  start = std::clamp(start, arrow, length - arrow - size);
  return {start, start + size};
}

TScrollBarLayout ScrollBarLayout(int width, int height, bool vertical, int arrow, int stripHeight) {
  TScrollBarLayout l;
  l.Length = std::max(0, vertical ? height : width);
  l.Thickness = stripHeight + 3 < arrow ? arrow : stripHeight;
  const int first = l.Length < 2 * arrow ? HalfOf(l.Length) : arrow;
  const int second = l.Length < 2 * arrow ? HalfOf(l.Length) : l.Length - arrow;
  auto along = [&](int a, int b) {
    return vertical ? TSkinRect{0, a, l.Thickness, b} : TSkinRect{a, 0, b, l.Thickness};
  };
  l.FirstArrow = along(0, first);
  l.SecondArrow = along(second, l.Length);
  l.Track = l.Length < 2 * arrow ? along(first, first) : along(arrow, l.Length - arrow);
  return l;
}

TSkinRect ScrollThumbRect(const TScrollBarLayout& layout, bool vertical, const TThumbExtent& thumb) {
  return vertical ? TSkinRect{0, thumb.Start, layout.Thickness, thumb.End}
                  : TSkinRect{thumb.Start, 0, thumb.End, layout.Thickness};
}

int ScrollHitTest(int along, int arrow, const TThumbExtent& thumb, int length) {
  if (along < arrow) return WinCtl::LineUp;
  if (along < thumb.Start) return WinCtl::PageUp;
  if (along < thumb.End) return WinCtl::ThumbTrack;
  if (along < length - arrow) return WinCtl::PageDown;
  return WinCtl::LineDown;
}

TThumbExtent DragThumb(const TThumbExtent& current, int thumbAtPress, int cursorTravel, int arrow,
                       int length) {
  const int size = current.Length();
  int start = thumbAtPress + cursorTravel;
  start = std::min(start, length - arrow - size);
  start = std::max(start, arrow);
  return {start, start + size};
}

int ScrollArrowFrame(bool vertical, bool second, bool mouseDown, int hitCode) {
  const int base = (vertical ? 9 : 1) + (second ? 4 : 0);
  const bool pressed = mouseDown && hitCode == (second ? WinCtl::LineDown : WinCtl::LineUp);
  return base + (pressed ? 1 : 0);
}

int ScrollTrackFrame(bool enabled) { return enabled ? 1 : 3; }

int ScrollThumbFrame(bool mouseDown, int hitCode) {
  return mouseDown && hitCode == WinCtl::ThumbTrack ? 2 : 1;
}

TSkinRect ScrollCornerRect(const TSkinRect& v, const TSkinRect& h, int clientX, int clientY) {
  return {v.Left + clientX, h.Top + clientY, v.Right + clientX, h.Bottom + clientY};
}

bool ScrollKindIsVertical(std::string_view kindIdent) { return LowerAscii(kindIdent) != "sbhorizontal"; }

namespace {
// Whether the system has put a dragged thumb back: the cursor's travel along the free track
// stands for a position or more, yet the tracking position is back at the press.
bool DragSnappedBack(int travel, int freeTrack, int64_t positions, bool trackAtPress) {
  if (!trackAtPress || freeTrack <= 0 || positions <= 0) return false;
  const int64_t along = travel < 0 ? -static_cast<int64_t>(travel) : travel;
  return along * positions >= freeTrack;
}
}  // namespace

std::vector<TScrollPaintStep> ScrollBarPaintPlan(const TScrollPaintInput& in) {
  const TScrollBarLayout l = ScrollBarLayout(in.Width, in.Height, in.Vertical, in.Arrow, in.StripHeight);
  std::vector<TScrollPaintStep> plan;
  if (!l.Track.Empty()) plan.push_back({TScrollPart::Track, l.Track, ScrollTrackFrame(in.Enabled)});
  plan.push_back({TScrollPart::FirstArrow, l.FirstArrow,
                  ScrollArrowFrame(in.Vertical, false, in.MouseDown, in.HitCode)});
  plan.push_back({TScrollPart::SecondArrow, l.SecondArrow,
                  ScrollArrowFrame(in.Vertical, true, in.MouseDown, in.HitCode)});
  if (!in.Enabled) return plan;
  // A scroll-bar control reports its thumb live; a window bar's thumb is tracked by hand
  // while the system's drag loop runs.
  const bool dragging = in.Kind != sbkControl && in.HitCode == WinCtl::ThumbTrack &&
                        !DragSnappedBack(in.CursorTravel, l.Length - 2 * in.Arrow - in.NativeThumb.Length(),
                                         in.TrackPositions, in.TrackAtPress);
  const TThumbExtent thumb =
      dragging ? DragThumb(in.NativeThumb, in.ThumbAtPress, in.CursorTravel, in.Arrow, l.Length)
               : in.NativeThumb;
  if (thumb.Length() > 0)
    plan.push_back({TScrollPart::Thumb, ScrollThumbRect(l, in.Vertical, thumb),
                    ScrollThumbFrame(in.MouseDown, in.HitCode)});
  return plan;
}

TScrollForward ScrollForward(TScrollBarKind kind, bool release) {
  if (kind == sbkControl)
    return {release ? WinCtl::MsgLButtonUp : WinCtl::MsgLButtonDown, WinCtl::KeyLButton, false};
  return {release ? WinCtl::MsgNcLButtonUp : WinCtl::MsgNcLButtonDown,
          kind == sbkVertical ? WinCtl::HitVScroll : WinCtl::HitHScroll, true};
}
