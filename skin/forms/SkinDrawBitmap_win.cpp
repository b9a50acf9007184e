#include "skin/forms/SkinDrawBitmap_win.h"

TSkinSource SkinSourceOf(TBitmap& bmp) {
  if (bmp.Empty()) return {};
  return {bmp.Canvas()->Handle(), bmp.Width(), bmp.Height()};
}

std::unique_ptr<TBitmap> DrawSkinRect(const RECT& target, TBitmap& src, const TSkinMargins& margins,
                                      bool vertical, bool tile, int frameCount, int frame) {
  const int w = target.right - target.left, h = target.bottom - target.top;
  if (w < 1 || h < 1) return std::make_unique<TBitmap>();
  auto out = std::make_unique<TBitmap>(w, h, pf32bit);
  RenderSkinRect(out->Canvas()->Handle(), w, h, SkinSourceOf(src), margins, vertical, tile, frameCount,
                 frame);
  return out;
}

void DrawSkinImage(HDC dc, const RECT& target, TBitmap& src, bool vertical, bool tile, bool keyed,
                   int frameCount, int frame, const TSkinMargins& margins) {
  DrawSkinImage(dc, target, SkinSourceOf(src), vertical, tile, keyed, frameCount, frame, margins);
}

void DrawSkinBorder(HDC dc, const RECT& target, TBitmap& src, bool vertical, int frameCount, int frame,
                    const TSkinMargins& margins) {
  DrawSkinBorder(dc, target, SkinSourceOf(src), vertical, frameCount, frame, margins);
}

void DrawSkinBar(TCanvas& canvas, const RECT& target, TBitmap& src, bool vertical, bool keyed, int frameCount,
                 int frame, const TSkinMargins& margins) {
  DrawSkinBar(canvas.Handle(), target, SkinSourceOf(src), vertical, keyed, frameCount, frame, margins);
}

void DrawFrameImage(HDC dc, const RECT& target, TBitmap& src, bool keyed, int frameCount, int frame) {
  DrawFrameImage(dc, target, SkinSourceOf(src), keyed, frameCount, frame);
}

void DrawFrameCentered(HDC dc, const RECT& target, TBitmap& src, bool keyed, int frameCount, int frame) {
  DrawFrameCentered(dc, target, SkinSourceOf(src), keyed, frameCount, frame);
}

void DrawTransparent(HDC dc, const RECT& target, TBitmap& src, TColor key) {
  DrawTransparent(dc, target, SkinSourceOf(src), ColorToRGB(key));
}

TRegionHandle BitmapToRegion(TBitmap& bmp, int dx, int dy, int tolBlue, int tolGreen, int tolRed,
                             TColor key) {
  const TKeyRange range{static_cast<uint32_t>(ColorToRGB(key) & 0xFFFFFF), tolBlue, tolGreen, tolRed};
  if (bmp.Empty()) return BitmapToRegion(TPixelView{}, dx, dy, range);
  // The bitmap is a top-down DIB section: its rows are walked in place, without a copy.
  const TPixelView view{bmp.ScanLine(0), bmp.Width(), bmp.Height(), bmp.BitsPerPixel(),
                        TPixelBuffer::StrideFor(bmp.Width(), bmp.BitsPerPixel())};
  return BitmapToRegion(view, dx, dy, range);
}

void TileImage(TCanvas& canvas, const RECT& dst, TBitmap& src, const RECT& srcRect) {
  TileImage(canvas.Handle(), dst, SkinSourceOf(src), srcRect);
}
