#pragma once
// The skin image drawing primitives on GDI. The geometry comes from SkinDraw.h; these
// functions only execute it. Every temporary bitmap, DC and region is owned by an RAII
// type and released before the call returns, also when a call raises.
//
// Sources are read through a TSkinSource (a DC with the picture selected and its size), so
// the same code serves raw bitmaps (TSelectedBitmap) and TBitmap (SkinDrawBitmap_win.h).
#include <windows.h>

#include "skin/forms/SkinDraw.h"
#include "ui/Handles.h"

static_assert(SkinKeyColour == RGB(255, 0, 255), "skin images are keyed on magenta");

struct TSkinSource {
  HDC Dc = nullptr;
  int Width = 0;
  int Height = 0;
};

// Selects a bitmap into a memory DC of its own for reading. The bitmap must not be
// selected into another DC meanwhile.
class TSelectedBitmap {
 public:
  explicit TSelectedBitmap(HBITMAP bitmap);
  TSelectedBitmap(const TSelectedBitmap&) = delete;
  TSelectedBitmap& operator=(const TSelectedBitmap&) = delete;
  TSkinSource Image() const { return FImage; }

 private:
  MemoryDc FDc;
  SelectGuard FSelect;
  TSkinSource FImage;
};

// A top-down DIB section of 24 or 32 bits; bits (optional) receives its pixels. Empty for
// sizes < 1. Rendered results are 32-bit, like the true-colour windows they are copied to
// (a 24-bit scratch made the title bar nearly three times slower under Wine).
TBitmapHandle CreateSkinDib(int width, int height, void** bits = nullptr, int bitsPerPixel = 32);
// Frees the scratch bitmap the drawing keeps between calls (made again when next needed).
void ReleaseSkinDrawScratch();

// Nine-slice of a frame into the rectangle (0, 0, width, height) of dc.
void RenderSkinRect(HDC dc, int width, int height, const TSkinSource& src, const TSkinMargins& margins,
                    bool vertical, bool tile, int frameCount, int frame);
// Nine-slice of a frame into a new bitmap of the target's size (null for an empty target).
TBitmapHandle DrawSkinRect(const RECT& target, const TSkinSource& src, const TSkinMargins& margins,
                           bool vertical, bool tile, int frameCount, int frame);
// Nine-slice drawn at the target, opaque or keyed on magenta.
void DrawSkinImage(HDC dc, const RECT& target, const TSkinSource& src, bool vertical, bool tile, bool keyed,
                   int frameCount, int frame, const TSkinMargins& margins);
// The eight border pieces straight onto dc; the centre is left untouched.
void DrawSkinBorder(HDC dc, const RECT& target, const TSkinSource& src, bool vertical, int frameCount,
                    int frame, const TSkinMargins& margins);
// Three-slice (left cap, repeated middle, right cap); only margins.Left and .Right count.
void DrawSkinBar(HDC dc, const RECT& target, const TSkinSource& src, bool vertical, bool keyed,
                 int frameCount, int frame, const TSkinMargins& margins);
// Frame n of a horizontal strip stretched to the target.
void DrawFrameImage(HDC dc, const RECT& target, const TSkinSource& src, bool keyed, int frameCount,
                    int frame);
// Frame n of a horizontal strip unscaled, centred in the target.
void DrawFrameCentered(HDC dc, const RECT& target, const TSkinSource& src, bool keyed, int frameCount,
                       int frame);
// Copies src (from its top-left corner, at most the target's size) to the target, leaving
// the destination as it was under every pixel of the key colour.
void DrawTransparent(HDC dc, const RECT& target, const TSkinSource& src, COLORREF key);
// The same through three raster passes, for systems without MaskBlt (chosen automatically
// by DrawTransparent; public so both ways can be checked).
void DrawTransparentThreePass(HDC dc, const RECT& target, const TSkinSource& src, COLORREF key);
// Whole, unscaled copies of srcRect from the top-left of dst onward, row by row.
void TileImage(HDC dc, const RECT& dst, const TSkinSource& src, const RECT& srcRect);

// The region of every pixel outside the transparent range, moved by (dx, dy), built in
// batches of TRegionBatcher::BatchSize rectangles. Null when the system refuses a region and,
// for a bitmap handle, when its pixels cannot be read (not a bitmap, GetDIBits fails): the
// caller then keeps its rectangle.
TRegionHandle BitmapToRegion(HBITMAP bitmap, int dx, int dy, int tolBlue, int tolGreen, int tolRed,
                             COLORREF key);
TRegionHandle BitmapToRegion(const TPixelBuffer& pixels, int dx, int dy, const TKeyRange& range);
TRegionHandle BitmapToRegion(const TPixelView& pixels, int dx, int dy, const TKeyRange& range);

// The region of a frame piece's bitmap (BitmapToRegion at the rectangle's top-left, key
// colour with a tolerance of 1), or the rectangle itself when that region cannot be made
// (no bitmap, pixels that cannot be read, a region the system refuses): a piece is never
// dropped from a window's region.
TRegionHandle PieceRegion(HBITMAP bitmap, const TSkinRect& at);

// Pixels of any bitmap as a 32-bit top-down buffer (empty when it cannot be read).
TPixelBuffer ReadBitmapPixels(HBITMAP bitmap);

inline TSkinRect ToSkinRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
inline RECT ToRect(const TSkinRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }
