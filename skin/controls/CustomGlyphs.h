#pragma once
// Check boxes that draw their own glyphs from a bitmap property take a nine-cell glyph
// bitmap built from the skin's check strip (unchecked, checked and grayed, each normal,
// disabled and pushed in the control's own cell order).
#include <vector>

#include "ui/PixelBuffer.h"

// Which source cell (0-based, of the skin strip) fills which target cell (0..8). A strip of
// n frames gives 0 -> 0 and 3, 1 -> 1 and 4, 2 -> 6, 3 -> 7, and only a five-frame strip
// 4 -> 2, 5 and 8. Cells the strip does not have are left out, so a short strip never reads
// past its end.
struct TGlyphCellCopy {
  int Source;
  int Target;
  bool operator==(const TGlyphCellCopy&) const = default;
};
std::vector<TGlyphCellCopy> CustomGlyphCellMap(int frameCount);

inline constexpr int CustomGlyphCells = 9;

// The glyph bitmap: nine cells of the strip's cell size side by side (24 bits), cells the
// map does not fill in the key colour so the control draws nothing there. Empty when the
// strip is empty or its frame count leaves no cell.
TPixelBuffer BuildCustomGlyphStrip(const TPixelBuffer& strip, int frameCount);
