#pragma once
// Skinned track bars keep their tics and channel and draw only the thumb, through the
// control's custom-draw notification; the thumb shows frame 2 of the 5-frame thumb strip in
// every state (idle, hot, pressed).
#include <cstdint>

// The answer to NM_CUSTOMDRAW, and whether the thumb is to be drawn now.
struct TTrackDrawAnswer {
  uint32_t Result = 0;
  bool DrawThumb = false;
  int ThumbFrame = 0;  // 1-based frame of the thumb strip when DrawThumb
  bool operator==(const TTrackDrawAnswer&) const = default;
};
// stage: dwDrawStage; item: dwItemSpec; itemState: uItemState (CDIS_HOT, CDIS_SELECTED, ...).
TTrackDrawAnswer TrackBarCustomDraw(uint32_t stage, uintptr_t item, uint32_t itemState);

inline constexpr int TrackThumbFrameCount = 5;

// Which thumb picture: the vertical one for TBS_VERT when the skin has it, otherwise the
// horizontal one when the skin has that; Outline when neither applies (the thumb rectangle
// is outlined in the shadow colour).
enum class TTrackThumbPicture { Vertical, Horizontal, Outline };
TTrackThumbPicture TrackThumbPicture(uint32_t style, bool hasVertical, bool hasHorizontal);
