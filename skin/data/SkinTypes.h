#pragma once
// The small value types every part of the skin engine shares: the key colour of skin
// images, a rectangle and the four margins of a piece. One of each, free of any platform.
#include <cstdint>

// Key colour of every skin image (0x00BBGGRR, the layout of a COLORREF): magenta. Pixels of
// this colour are transparent wherever a skin image is drawn keyed or turned into a region.
inline constexpr uint32_t SkinKeyColour = 0xFF00FF;

struct TSkinRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool Inverted() const { return Right < Left || Bottom < Top; }
  bool Empty() const { return Right <= Left || Bottom <= Top; }
  bool operator==(const TSkinRect&) const = default;
};

// Fixed borders of a piece (all non-negative), e.g. the margins a nine-slice keeps unscaled.
struct TSkinMargins {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool operator==(const TSkinMargins&) const = default;
};
