#pragma once
// Scope guards for painting, beside the handle kit: a canvas lent a DC for one drawing, and
// a back buffer.
#include <windows.h>

#include "ui/Graphics.h"
#include "ui/Handles.h"

// A canvas over a DC it does not own, for one drawing: the DC's state is put back and the
// canvas lets go of it on scope exit, also when an error passes.
class TBorrowedCanvas {
 public:
  explicit TBorrowedCanvas(HDC dc) : FSaved(dc) { FCanvas.SetHandle(dc); }
  ~TBorrowedCanvas() { FCanvas.SetHandle(nullptr); }
  TBorrowedCanvas(const TBorrowedCanvas&) = delete;
  TBorrowedCanvas& operator=(const TBorrowedCanvas&) = delete;
  TCanvas* operator->() { return &FCanvas; }
  TCanvas* get() { return &FCanvas; }

 private:
  SavedDc FSaved;
  TCanvas FCanvas;
};

// A picture painted off screen and then copied in one go, so a window never shows a half
// drawn face. The buffer owns its bitmap and memory DC (kept from one paint to the next,
// made again only when the size changes) and the final copy.
class TBackBuffer {
 public:
  explicit TBackBuffer(TPixelFormat format = pf32bit) : FFormat(format) {}
  // The buffer's DC, for a picture of width x height (the bitmap is at least 1 x 1).
  HDC Begin(int width, int height);
  // The same, but the bitmap only ever grows: for pieces of varying size painted in turn.
  HDC BeginWithin(int width, int height);
  // Copies the picture begun last, its own size, to (x, y) of dc; an empty one copies nothing.
  void CopyTo(HDC dc, int x, int y);
  HDC Dc() { return FBitmap.Canvas()->Handle(); }
  TBitmap& Bitmap() noexcept { return FBitmap; }
  const TBitmap& Bitmap() const noexcept { return FBitmap; }
  int Width() const noexcept { return FWidth; }
  int Height() const noexcept { return FHeight; }

 private:
  TBitmap FBitmap;
  TPixelFormat FFormat;
  int FWidth = 0;
  int FHeight = 0;
};
