#pragma once
// The skin data model in the program: skin images are TBitmaps (DIB sections), system
// metrics, colours and brushes come from Windows, and the main form's stored skin is read
// from the module's resources.
#include <windows.h>

#include "skin/data/SkinData.h"
#include "ui/Graphics.h"
#include "ui/ImgList.h"

ISkinPlatform& GdiSkinPlatform();

// The device bitmap behind a skin image made by GdiSkinPlatform().
TBitmap& SkinBitmap(const TSkinImage& image);

inline HBRUSH ButtonFaceBrushHandle(const TSkinData& data) { return reinterpret_cast<HBRUSH>(data.ButtonFaceBrush); }

// Reads the stored "SkinStream" (RCDATA resource `name` of `module`) into the component, as
// the form reader does; false when the module has no such resource.
bool ReadSkinStreamResource(TSkinData& data, HMODULE module, const char* name = BuiltinSkinResource);

// MenuGlyphs as an image list of four 16 x 16 images (white transparent), made on first use
// and owned by the component; empty when the program has no "MARWICKMENU" resource.
TImageList& MenuGlyphImages(TSkinData& data);
