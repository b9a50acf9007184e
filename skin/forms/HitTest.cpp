#include "skin/forms/HitTest.h"

#include "skin/data/WinConst.h"

TFramePoint ClientToFrame(int clientX, int clientY, const TFrameBorders& b, bool minimized) {
  if (minimized) return {clientX, clientY};
  return {clientX + b.Left, clientY + b.Top + b.MenuBar};
}

int NcHitTest(int defaultAnswer, int frameY, int topHeight) {
  if (defaultAnswer != WinHit::Nowhere && defaultAnswer != WinHit::Caption) return defaultAnswer;
  if (frameY < HitTopRows) return defaultAnswer;
  return frameY >= topHeight ? WinHit::Menu : WinHit::Caption;
}

int NcPressHit(int hit, bool maximized, bool active) {
  return maximized && active && hit == WinHit::Caption ? WinHit::Menu : hit;
}

TDoubleClick NcDoubleClick(TWinState state, int iconFlags) {
  if (state != wsNormal) return dcRestore;
  return (iconFlags & IconMaxBox) ? dcToggleMaximize : dcNone;
}

bool NcRightClickOpensMenu(int hit, bool mdiChild) { return hit == WinHit::Caption && !mdiChild; }
