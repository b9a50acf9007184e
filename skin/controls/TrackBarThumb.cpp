#include "skin/controls/TrackBarThumb.h"

#include "skin/data/WinConst.h"

TTrackDrawAnswer TrackBarCustomDraw(uint32_t stage, uintptr_t item, uint32_t itemState) {
  // The skin has one thumb picture for every state: hover and press change nothing.
  (void)itemState;
  if (stage == WinCtl::DrawPrePaint) return {WinCtl::DrawNotifyItemDraw, false, 0};
  if (stage == WinCtl::DrawItemPrePaint && item == WinCtl::TrackThumb)
    return {WinCtl::DrawSkipDefault, true, 2};
  return {WinCtl::DrawDoDefault, false, 0};
}

TTrackThumbPicture TrackThumbPicture(uint32_t style, bool hasVertical, bool hasHorizontal) {
  if ((style & WinCtl::TrackVert) && hasVertical) return TTrackThumbPicture::Vertical;
  if (hasHorizontal) return TTrackThumbPicture::Horizontal;
  return TTrackThumbPicture::Outline;
}
