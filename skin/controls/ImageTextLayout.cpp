#include "skin/controls/ImageTextLayout.h"

#include <algorithm>

#include "skin/controls/ControlMath.h"

TImageTextLayout ImageTextLayout(const TImageTextInput& in) {
  TImageTextLayout l;
  const TSkinRect& r = in.Rect;
  l.ShowIcon = in.ImageIndex != -1 && in.HasImageList && in.IconWidth < r.Width();
  const int cx = l.ShowIcon ? in.IconWidth : 0;
  int start;
  switch (in.Align) {
    case TItemAlign::Left:
      start = 2;
      break;
    case TItemAlign::Right:
      start = r.Width() - cx - in.TextWidth - 2;
      break;
    case TItemAlign::Centre:
    default:
      start = HalfOf(r.Width() - cx - in.TextWidth);
      break;
  }
  start = std::max(start, 2);
  if (l.ShowIcon) {
    l.IconX = r.Left + start;
    l.IconY = r.Top + HalfOf(r.Height() - in.IconHeight);
  }
  const int left = r.Left + start + cx + 1;
  const int top = r.Top + HalfOf(r.Height() - in.TextHeight);
  l.Text = {std::min(left, r.Right), top, std::min(left + in.TextWidth, r.Right), top + in.TextHeight};
  return l;
}
