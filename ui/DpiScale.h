#pragma once
// Turning pixels meant for one DPI into pixels for another, with one rounding everywhere:
// forms and the skin model are designed at 96 DPI and scaled once, when they are made or
// loaded, for the screen's DPI.
#include <vector>

// The DPI that forms and skins are drawn for unless they say otherwise.
inline constexpr int DesignDpi = 96;

// value * toDpi / fromDpi, rounded half away from zero (as MulDiv rounds), worked out in 64
// bits. A DPI that is not positive leaves the value as it is.
int ScaleDpi(int value, int toDpi, int fromDpi = DesignDpi);

// A rectangle scaled by its edges rather than by its size: controls that touch at the design
// DPI still touch, a gap stays a gap, and two controls that did not overlap never come to.
// The size is then within one pixel of the scaled size.
struct TScaledBounds {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool operator==(const TScaledBounds&) const = default;
};
TScaledBounds ScaleBounds(int left, int top, int width, int height, int toDpi, int fromDpi = DesignDpi);

// Where each of `length * toDpi / fromDpi` target pixels takes its source pixel along one
// axis of an image of `frames` equal frames (the columns or rows past the last whole frame
// follow as a tail of their own). Within each frame the pieces before `lead` and after
// `trail` (margins) are scaled on their own, so a margin of m pixels becomes ScaleDpi(m)
// pixels of the same source pixels, and nothing of one frame or margin leaks into the next.
// Sampling is nearest-pixel from the pixel centres: exact doubling at twice the DPI, and every
// source pixel at least one target pixel wide when scaling up. Margins that do not fit in a
// frame are ignored.
std::vector<int> ScaleAxisMap(int length, int frames, int lead, int trail, int toDpi,
                              int fromDpi = DesignDpi);
