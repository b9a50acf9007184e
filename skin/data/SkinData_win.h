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

inline HBRUSH ButtonFaceBrushHandle(const TSkinData& data) {
  return reinterpret_cast<HBRUSH>(data.ButtonFaceBrush);
}

// WM_CTLCOLORSTATIC, WM_CTLCOLORBTN and WM_CTLCOLORDLG: the colour messages whose answer is
// the background behind a dialog's texts and buttons.
inline bool IsFaceColourMessage(UINT msg) {
  return msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLORBTN || msg == WM_CTLCOLORDLG;
}
// Where the engine paints a window's face, the answer to those messages agrees with it:
// text drawn transparently (or on the face), and the face brush to fill with. Null when the
// skin has no brush; the window's own answer then stands.
inline HBRUSH AnswerFaceColour(const TSkinData& data, HDC dc) {
  HBRUSH face = ButtonFaceBrushHandle(data);
  if (!face) return nullptr;
  SetBkMode(dc, TRANSPARENT);
  SetBkColor(dc, ColorToRGB(static_cast<TColor>(data.ColorButtonFace)));
  return face;
}

// Reads the stored "SkinStream" (RCDATA resource `name` of `module`) into the component, as
// the form reader does; false when the module has no such resource.
bool ReadSkinStreamResource(TSkinData& data, HMODULE module, const char* name = BuiltinSkinResource);

// MenuGlyphs as an image list of four 16 x 16 images (white transparent), made on first use
// and owned by the component; empty when the program has no "MARWICKMENU" resource.
TImageList& MenuGlyphImages(TSkinData& data);
