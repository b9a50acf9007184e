#include "skin/controls/ProgressLayout.h"

#include <algorithm>

#include "skin/controls/ControlMath.h"
#include "skin/data/WinConst.h"

namespace {
// Filled length along a bar `length` long; 0 when position or maximum is not above 0.
int FillLength(int length, int position, int maximum) {
  if (position <= 0 || maximum <= 0) return 0;
  return std::clamp(SkinMulDiv(length, position, maximum), 0, std::max(0, length));
}
}  // namespace

bool ProgressStyleVertical(uint32_t style) { return (style & WinCtl::ProgressVertical) != 0; }

TProgressLayout ProgressLayout(int width, int height, bool vertical, int position, int maximum) {
  TProgressLayout l;
  l.Vertical = vertical;
  l.WorkWidth = std::max(0, vertical ? height : width);
  l.WorkHeight = std::max(0, vertical ? width : height);
  l.Copy = {0, 0, std::max(0, width), std::max(0, height - 1)};
  const int fill = FillLength(l.WorkWidth, position, maximum);
  if (fill <= 0) return l;
  l.Fill = TSkinRect{0, 0, fill, l.WorkHeight};
  // Turning counter-clockwise sends work column x to control row (work width - 1 - x).
  l.FillOnControl = vertical ? TSkinRect{0, l.WorkWidth - fill, l.WorkHeight, l.WorkWidth}
                             : TSkinRect{0, 0, fill, l.WorkHeight};
  return l;
}

TChunkLayout ChunkProgressLayout(const TSkinRect& rect, int position, int maximum, int chunkWidth,
                                 int chunkHeight, int leftWidth) {
  TChunkLayout c;
  c.BarWidth = FillLength(rect.Width(), position, maximum);
  if (c.BarWidth <= 0 || chunkWidth <= 0 || chunkHeight <= 0) {
    c.BarWidth = 0;
    return c;
  }
  c.Copies = c.BarWidth / chunkWidth + 1;
  const int x = rect.Left + leftWidth;
  const int y = rect.Top + HalfOf(rect.Height() - chunkHeight);
  c.Strip = {x, y, x + c.BarWidth, y + chunkHeight};
  return c;
}
