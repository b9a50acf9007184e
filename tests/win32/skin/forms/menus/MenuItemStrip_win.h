#pragma once
// The MenuItem image the menu tests draw with: 5 frames of 12 x 12, each its own colour, so a
// pixel read back says which frame was drawn; frame 2 is the key colour with a line in its
// bottom rows (what a separator shows).
#include "skin/data/SkinData_win.h"

namespace menutest {

constexpr COLORREF Frame1 = RGB(200, 40, 40), Frame3 = RGB(90, 90, 90), Frame4 = RGB(40, 40, 200),
                   Frame5 = RGB(10, 10, 10), SeparatorLine = RGB(20, 180, 20);
constexpr int FrameSize = 12;

inline TPixelBuffer MenuItemPixels() {
  TPixelBuffer px(FrameSize * 5, FrameSize);
  const COLORREF fill[5] = {Frame1, RGB(255, 0, 255), Frame3, Frame4, Frame5};
  for (int y = 0; y < FrameSize; ++y)
    for (int x = 0; x < FrameSize * 5; ++x) {
      const int f = x / FrameSize;
      px.SetPixel(x, y, f == 1 && y >= FrameSize - 3 && y < FrameSize - 1 ? SeparatorLine : fill[f]);
    }
  return px;
}

// The skin's MenuItem made of that image: 2-pixel margins, the key colour transparent.
inline void UseMenuItemStrip(TSkinData& skin) {
  skin.MenuItem = std::make_unique<TDataSkinObject>("MenuItem", skin.Platform());
  skin.MenuItem->Image->Assign(MenuItemPixels());
  skin.MenuItem->LeftWidth = skin.MenuItem->RightWidth = 2;
  skin.MenuItem->TopHeight = skin.MenuItem->BottomHeight = 2;
  skin.MenuItem->Trans = 1;
}

}  // namespace menutest
