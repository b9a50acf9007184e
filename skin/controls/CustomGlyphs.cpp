#include "skin/controls/CustomGlyphs.h"

#include "skin/controls/CheckGlyph.h"
#include "skin/forms/SkinDraw.h"

std::vector<TGlyphCellCopy> CustomGlyphCellMap(int frameCount) {
  static const TGlyphCellCopy kAll[] = {{0, 0}, {0, 3}, {1, 1}, {1, 4}, {2, 6}, {3, 7}};
  static const TGlyphCellCopy kFive[] = {{4, 2}, {4, 5}, {4, 8}};
  std::vector<TGlyphCellCopy> map;
  for (const TGlyphCellCopy& c : kAll)
    if (c.Source < frameCount) map.push_back(c);
  if (frameCount == 5)
    for (const TGlyphCellCopy& c : kFive) map.push_back(c);
  return map;
}

TPixelBuffer BuildCustomGlyphStrip(const TPixelBuffer& strip, int frameCount) {
  int w = 0, h = 0;
  if (!GlyphCellSize(strip.Width, strip.Height, frameCount, w, h)) return {};
  TPixelBuffer out(w * CustomGlyphCells, h, 24);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < out.Width; ++x) out.SetPixel(x, y, SkinKeyColour);
  for (const TGlyphCellCopy& c : CustomGlyphCellMap(frameCount))
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) out.SetPixel(c.Target * w + x, y, strip.GetPixel(c.Source * w + x, y));
  return out;
}
