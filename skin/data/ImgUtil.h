#pragma once
// Skin image transforms on plain pixel buffers (in place) and the portable text helper.
// The Win32 half (ImgUtil_win.h) applies the same transforms to TBitmap and adds the
// code-page conversions and DrawTextWide.
#include <string>
#include <string_view>

#include "ui/PixelBuffer.h"

// Converts to 24 bits per pixel, then every pixel becomes grey: (B + G + R) div 3.
void MakeGray(TPixelBuffer& bmp);

// The reorienting transforms copy whole pixels; they work on 24-bit buffers (and, alike,
// on 32-bit ones). An empty buffer stays empty.
void MirrorHorz(TPixelBuffer& bmp);   // pixel (x, y) <- (W-1-x, y)
void FlipVert(TPixelBuffer& bmp);     // row y <- row H-1-y
void RotateLeft(TPixelBuffer& bmp);   // 90 degrees counter-clockwise: new (x, y) <- old (W-1-y, x)
void RotateRight(TPixelBuffer& bmp);  // 90 degrees clockwise: new (x, y) <- old (y, H-1-x)

// The first count characters of text (all of it when count is -1 or exceeds the length;
// other negative counts give an empty text).
std::wstring WideLeft(std::wstring_view text, int count);
