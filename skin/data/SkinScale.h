#pragma once
// A loaded skin made fit for the DPI it is drawn at. Skins are drawn at 96 DPI; at another
// DPI the model is scaled once, as it is loaded, so that every painter keeps drawing 1:1
// from it. At 96 DPI nothing changes at all.
#include "skin/data/SkinData.h"
#include "ui/DpiScale.h"

// A strip of `frames` equal frames (side by side, or stacked when framesDown) resampled for
// toDpi: each frame, and each margin inside a frame, scaled on its own (ScaleAxisMap), every
// target pixel a copy of one source pixel, so the key colour stays exactly magenta and
// nothing blends across a piece's edge. Twice the DPI doubles every pixel.
TPixelBuffer ScaleSkinPixels(const TPixelBuffer& src, int frames, bool framesDown,
                             const TSkinMargins& margins, int toDpi, int fromDpi = DesignDpi);

// Scales the images and pixel measures of a model from data.Dpi (margins, offsets, button
// places, the title's pixel font height, the tab page's border edges) for toDpi and records
// it in data.Dpi. Frame counts, colours and flags stay. Meant to run once per load, after
// the frame counts are known; a model already at toDpi is left alone.
void ScaleSkinModel(TSkinData& data, int toDpi);
