#include "skin/controls/HeaderLayout.h"

#include <algorithm>

#include "skin/data/WinConst.h"

int HeaderItemImage(uint32_t format, int imageIndex) {
  return format & (WinCtl::HeaderImage | WinCtl::HeaderOwnerDraw) ? imageIndex : -1;
}

TItemAlign HeaderItemAlign(uint32_t format) {
  switch (format & WinCtl::HeaderJustifyMask) {
    case WinCtl::HeaderRight:
      return TItemAlign::Right;
    case WinCtl::HeaderCenter:
      return TItemAlign::Centre;
    default:
      return TItemAlign::Left;
  }
}

std::optional<TSkinRect> HeaderFillRect(const TSkinRect& bar, const std::vector<TSkinRect>& items) {
  int right = bar.Left;
  for (const TSkinRect& r : items) right = std::max(right, r.Right);
  if (right >= bar.Right) return std::nullopt;
  return TSkinRect{right, bar.Top, bar.Right, bar.Bottom};
}
