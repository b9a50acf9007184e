#pragma once
// Small helpers of the skin pixel tests: DIB sections from pixel buffers and back.
// Their pixels carry an opaque alpha byte, as 32-bit skin images may.
#include "skin/forms/SkinDraw_win.h"

inline TBitmapHandle DibFrom(const TPixelBuffer& px) {
  void* bits = nullptr;
  TBitmapHandle h = CreateSkinDib(px.Width, px.Height, &bits, 32);
  auto* d = static_cast<uint8_t*>(bits);
  for (int y = 0; y < px.Height; ++y)
    for (int x = 0; x < px.Width; ++x) {
      const uint32_t c = px.GetPixel(x, y);  // 0x00BBGGRR
      uint8_t* p = d + (static_cast<size_t>(y) * px.Width + x) * 4;
      p[0] = static_cast<uint8_t>(c >> 16), p[1] = static_cast<uint8_t>(c >> 8),
      p[2] = static_cast<uint8_t>(c);
      p[3] = 0xFF;
    }
  return h;
}

// A canvas: a 32-bit DIB selected into its own memory DC.
struct TTestCanvas {
  TBitmapHandle Bitmap;
  MemoryDc Dc;
  HGDIOBJ Old = nullptr;
  TTestCanvas(int w, int h, uint32_t fill) {
    TPixelBuffer px(w, h, 32);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) px.SetPixel(x, y, fill);
    Bitmap = DibFrom(px);
    Old = SelectObject(Dc.get(), Bitmap.get());
  }
  ~TTestCanvas() { SelectObject(Dc.get(), Old); }
  TPixelBuffer Read() {
    GdiFlush();
    return ReadBitmapPixels(Bitmap.get());
  }
};
