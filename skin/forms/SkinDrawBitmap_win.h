#pragma once
// The skin image drawing primitives on the class library's bitmaps and canvases; thin
// wrappers over SkinDraw_win.h. Sources are read through their own canvas DC.
#include <memory>

#include "skin/forms/SkinDraw_win.h"
#include "ui/Graphics.h"

TSkinSource SkinSourceOf(TBitmap& bmp);

std::unique_ptr<TBitmap> DrawSkinRect(const RECT& target, TBitmap& src, const TSkinMargins& margins,
                                      bool vertical, bool tile, int frameCount, int frame);
void DrawSkinImage(HDC dc, const RECT& target, TBitmap& src, bool vertical, bool tile, bool keyed,
                   int frameCount, int frame, const TSkinMargins& margins);
void DrawSkinBorder(HDC dc, const RECT& target, TBitmap& src, bool vertical, int frameCount, int frame,
                    const TSkinMargins& margins);
void DrawSkinBar(TCanvas& canvas, const RECT& target, TBitmap& src, bool vertical, bool keyed, int frameCount,
                 int frame, const TSkinMargins& margins);
void DrawFrameImage(HDC dc, const RECT& target, TBitmap& src, bool keyed, int frameCount, int frame);
void DrawFrameCentered(HDC dc, const RECT& target, TBitmap& src, bool keyed, int frameCount, int frame);
void DrawTransparent(HDC dc, const RECT& target, TBitmap& src, TColor key);
TRegionHandle BitmapToRegion(TBitmap& bmp, int dx, int dy, int tolBlue, int tolGreen, int tolRed, TColor key);
void TileImage(TCanvas& canvas, const RECT& dst, TBitmap& src, const RECT& srcRect);
