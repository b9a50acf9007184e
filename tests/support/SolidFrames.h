#pragma once
// Test images of frames side by side, each one solid colour, so a pixel read back says which
// frame was drawn.
#include "ui/PixelBuffer.h"

// `count` frames of frameWidth x height at 24 bits; frame f (from 1) is colour(f).
template <class Colour>
TPixelBuffer SolidFrames(int count, int frameWidth, int height, Colour colour) {
  TPixelBuffer px(frameWidth * count, height, 24);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < px.Width; ++x) px.SetPixel(x, y, colour(x / frameWidth + 1));
  return px;
}
