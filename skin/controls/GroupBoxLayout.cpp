#include "skin/controls/GroupBoxLayout.h"

#include "skin/controls/ControlMath.h"

TGroupBoxLayout GroupBoxLayout(const TSkinRect& r, int textHeight) {
  TGroupBoxLayout l;
  l.Top = HalfOf(textHeight) - 1;
  l.OuterWipe = {0, l.Top, r.Right, r.Bottom};
  l.InnerWipe = {1, l.Top + 1, r.Right - 1, r.Bottom - 1};
  l.Rounded = {1, l.Top, r.Right - 1, r.Bottom - 1};
  l.Caption = {r.Left + 9, r.Top, r.Right, r.Bottom};
  return l;
}

std::wstring GroupBoxCaption(const std::wstring& windowText, const std::wstring& captionProperty) {
  return windowText.empty() ? captionProperty : windowText;
}
