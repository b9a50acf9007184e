#include "skin/forms/WindowSizing.h"

TAdjustResult AdjustWindowSize(const TAdjustInput& in) {
  TAdjustResult r;
  r.SavedClientWidth = in.SavedClientWidth;
  r.SavedClientHeight = in.SavedClientHeight;
  if (in.Maximized) {
    r.FrameChangedOnly = true;
    return r;
  }
  const TFrameBorders& b = in.Borders;
  r.Width = in.SavedClientWidth + b.Left + b.Right;
  if (in.Refresh) {
    r.SavedClientWidth = in.ClientWidth;
    r.SavedClientHeight = in.ClientHeight;
  } else if (in.IsForm) {
    // The form still has its native caption and frame here.
    r.SavedClientHeight = in.WindowHeight - b.MenuBar - 2 * in.CyFrame - in.CyCaption;
    r.Width = in.FormClientWidth + b.Left + b.Right;
  }
  r.Height = r.SavedClientHeight + b.Top + b.Bottom + b.MenuBar;
  if (!in.Refresh && in.MessageBox) {
    const int needed = in.TextShift + in.CaptionWidth + in.TextRightClip;
    if (r.Width < needed) {
      r.ChildShift = (needed - r.Width) / 2;
      r.Width = needed;
    }
  }
  return r;
}

TWindowSize NativeSizeAfterDetach(int width, int height, const TFrameBorders& b, int nativeFrameWidth,
                                  int nativeFrameHeight) {
  return {width - b.Left - b.Right + nativeFrameWidth,
          height - b.Top - b.MenuBar - b.Bottom + nativeFrameHeight};
}
