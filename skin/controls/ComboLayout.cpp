#include "skin/controls/ComboLayout.h"

#include "skin/controls/UpDownLayout.h"
#include "skin/data/WinConst.h"

TComboDrawing ComboDrawingFor(int style) {
  if (style == 1) return TComboDrawing::Classic;
  if (style == 2) return TComboDrawing::Composite;
  return TComboDrawing::Pieces;
}

int ComboState(bool pressed, bool focused, bool hot, bool enabled) {
  if (pressed) return psPressed;
  if (focused || hot) return psHot;
  return enabled ? psNormal : psDisabled;
}

bool ComboButtonOnLeft(uint32_t exStyle) { return (exStyle & WinExStyle::LeftScrollBar) != 0; }

TComboLayout ComboButtonLayout(const TSkinRect& r, int b, bool buttonLeft) {
  if (buttonLeft)
    return {{r.Left + b + 4, r.Top + 2, r.Right - 2, r.Bottom - 2},
            {r.Left, r.Top, r.Left + b + 2, r.Bottom},
            {r.Left + 2, r.Top, r.Left + b + 2, r.Bottom},
            true};
  return {{r.Left + 2, r.Top + 2, r.Right - b - 4, r.Bottom - 2},
          {r.Right - b - 2, r.Top, r.Right, r.Bottom},
          {r.Right - b - 2, r.Top, r.Right - 2, r.Bottom},
          false};
}

TSkinRect ClassicComboButton(const TSkinRect& r, int thumbHeight) {
  const TSkinRect inner{r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2};
  return {inner.Right - thumbHeight, inner.Top, inner.Right, inner.Bottom};
}

bool ComboListGetsScrollBars(uint32_t comboStyle, uint32_t listStyle, bool listParentIsDesktop) {
  if ((comboStyle & WinCtl::ComboTypeMask) != WinCtl::ComboSimple) return false;
  if ((listStyle & WinStyle::Popup) || listParentIsDesktop) return false;
  return (listStyle & WinStyle::Child) != 0;
}
