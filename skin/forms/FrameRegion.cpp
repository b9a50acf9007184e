#include "skin/forms/FrameRegion.h"

TRegionPlan PlanFrameRegion(const TRegionInput& in) {
  TRegionPlan p;
  const int W = in.Width, H = in.Height;
  if (in.Destroyed || W <= 0 || H <= 0 || in.MdiChildNotNormal) return p;
  if (W == in.LastWidth && H == in.LastHeight && !in.MdiChild && !in.Reskinning) {
    p.Action = raKeep;
    return p;
  }
  p.Window = {0, 0, W, H};
  // The bottom piece alone never makes a window shaped.
  if (in.TransRight + in.TransTop + 2 * in.TransLeft == 0) {
    p.Action = raRectangle;
    return p;
  }
  p.Action = raShaped;
  const TFrameBorders& b = in.Borders;
  p.Inner = {b.Left, b.Top, W - b.Right, H - b.Bottom};
  if (in.Kind == fkNone) return p;
  p.WithSides = true;

  // A piece bitmap needs an area; without one the side is its plain rectangle.
  p.Left.Rect = {0, 0, b.Left, H};
  p.Left.FromBitmap = in.TransLeft == 1 && H > 1 && !p.Left.Rect.Empty();
  p.Right.Rect = {W - b.Right, 0, W, H};
  p.Right.FromBitmap = in.TransRight == 1 && H > 1 && !p.Right.Rect.Empty();
  p.Bottom.Rect = {b.Left, H - b.Bottom, W - b.Right, H};
  p.Bottom.FromBitmap = in.TransBottom == 1 && b.Bottom >= 2 && !p.Bottom.Rect.Empty();
  p.Top.Rect = {b.Left, 0, W - b.Right, b.Top};
  p.Top.FromBitmap = in.TransTop == 1 && b.Top > 1 && !p.Top.Rect.Empty();
  p.Top.FromTitleBuffer = p.Top.FromBitmap && in.TitleBufferWidth == W && in.TitleBufferHeight >= b.Top;
  return p;
}
