#pragma once
// A skinned progress bar: frame 1 of the Progress strip over the whole bar, frame 2 over the
// filled part. Vertical bars are drawn lying down (a work area with width and height
// exchanged) and turned counter-clockwise, which puts the filled part at the bottom.
#include <cstdint>
#include <optional>

#include "skin/forms/SkinDraw.h"

struct TProgressLayout {
  bool Vertical = false;
  int WorkWidth = 0, WorkHeight = 0;  // the drawing before it is turned
  // The filled part in work coordinates, from the work area's left; none at position 0 (or
  // with no range), so only frame 1 shows.
  std::optional<TSkinRect> Fill;
  // The filled part as it shows on the control (after turning).
  std::optional<TSkinRect> FillOnControl;
  // What is copied to the control: full width, one row less than the height.
  TSkinRect Copy;
};
// The range minimum is not used; a position past the maximum fills the whole bar.
TProgressLayout ProgressLayout(int width, int height, bool vertical, int position, int maximum);

bool ProgressStyleVertical(uint32_t style);

// Skins with Progress Style 1 draw a chunk picture repeated along the filled part.
struct TChunkLayout {
  int BarWidth = 0;  // MulDiv(width, position, maximum); 0 draws no chunks
  int Copies = 0;    // chunk copies side by side from x 0 of the strip
  TSkinRect Strip;   // where the chunk strip (BarWidth x chunk height) lands
};
TChunkLayout ChunkProgressLayout(const TSkinRect& rect, int position, int maximum, int chunkWidth,
                                 int chunkHeight, int leftWidth);
