#pragma once
// Where an item's icon and text go inside its rectangle (tabs and header items).
#include "skin/controls/HeaderLayout.h"
#include "skin/forms/SkinDraw.h"

struct TImageTextInput {
  TSkinRect Rect;
  TItemAlign Align = TItemAlign::Centre;
  int TextWidth = 0, TextHeight = 0;  // measured single-line extent; 0 wide for no text
  int ImageIndex = -1;
  bool HasImageList = false;
  int IconWidth = 0, IconHeight = 0;  // of the image list
};

// The icon is used only with an index other than -1, an image list, and an icon narrower
// than the rectangle. The start is 2 for left alignment, centred, or 2 from the right, never
// less than 2; the text starts one pixel after the icon (or the start) and is clipped to the rectangle.
struct TImageTextLayout {
  bool ShowIcon = false;
  int IconX = 0, IconY = 0;
  TSkinRect Text;
  bool operator==(const TImageTextLayout&) const = default;
};
TImageTextLayout ImageTextLayout(const TImageTextInput& in);
