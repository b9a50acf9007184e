#include "ui/PaintGuards_win.h"

#include <algorithm>

namespace {
// The bitmap is at least 1 x 1, so an empty window still has a DC to paint into.
int AtLeastOne(int n) { return std::max(n, 1); }
}  // namespace

HDC TBackBuffer::Begin(int width, int height) {
  FWidth = std::max(width, 0);
  FHeight = std::max(height, 0);
  if (FBitmap.PixelFormat() != FFormat) FBitmap.SetPixelFormat(FFormat);
  if (FBitmap.Width() != AtLeastOne(width) || FBitmap.Height() != AtLeastOne(height))
    FBitmap.SetSize(AtLeastOne(width), AtLeastOne(height));
  return FBitmap.Canvas()->Handle();
}

HDC TBackBuffer::BeginWithin(int width, int height) {
  FWidth = std::max(width, 0);
  FHeight = std::max(height, 0);
  if (FBitmap.PixelFormat() != FFormat) FBitmap.SetPixelFormat(FFormat);
  if (FBitmap.Width() < AtLeastOne(width) || FBitmap.Height() < AtLeastOne(height))
    FBitmap.SetSize(std::max(FBitmap.Width(), AtLeastOne(width)),
                    std::max(FBitmap.Height(), AtLeastOne(height)));
  return FBitmap.Canvas()->Handle();
}

void TBackBuffer::CopyTo(HDC dc, int x, int y) {
  if (FWidth <= 0 || FHeight <= 0) return;  // an empty picture copies nothing
  BitBlt(dc, x, y, FWidth, FHeight, FBitmap.Canvas()->Handle(), 0, 0, SRCCOPY);
}
