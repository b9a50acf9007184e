#include "skin/forms/MenuBarLayout.h"

int MenuBarFirstOffset(const TMenuBarOrigin& in) {
  if (!in.HasImage) return 6;
  const int x0 = in.RightToLeft ? in.TileRight + 8 : in.TileLeft + 4;
  return in.BarWidth < x0 ? 12 : x0;
}

std::vector<TMenuBarSlot> LayoutMenuBar(const std::vector<TMenuBarItem>& items, const TSkinRect& bar,
                                        int firstOffset, bool rightToLeft) {
  std::vector<TMenuBarSlot> out(items.size());
  const int height = bar.Height();
  int x = rightToLeft ? bar.Width() - firstOffset : firstOffset;
  for (size_t i = 0; i < items.size(); ++i) {
    const TMenuBarItem& item = items[i];
    if (!item.Visible) continue;  // empty bounds: never hit, never drawn
    const int width = item.EmptyCaption ? 0 : item.TextWidth + MenuButtonPadding;
    const int left = rightToLeft ? x - width : x;
    out[i].Slot = {left, 0, left + width, height - 1};
    out[i].Bounds = {left + bar.Left, bar.Top, left + width + bar.Left, bar.Bottom - 1};
    x = rightToLeft ? left : left + width;
  }
  return out;
}

wchar_t AcceleratorOf(std::wstring_view caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    if (caption[i + 1] == L'&') {
      ++i;  // a literal ampersand
      continue;
    }
    return caption[i + 1];
  }
  return 0;
}

namespace {
bool CanOpen(const TMenuBarButtonInfo& b) { return b.Visible && !b.EmptyCaption; }
}  // namespace

bool SameAccelerator(wchar_t a, wchar_t b, TCaseFold fold) {
  return a != 0 && (a == b || fold(a) == fold(b));
}

int MenuButtonIndexAt(const std::vector<TMenuBarButtonInfo>& buttons, int x, int y) {
  for (size_t i = 0; i < buttons.size(); ++i) {
    const TMenuBarButtonInfo& b = buttons[i];
    if (b.EmptyCaption) continue;
    if (x >= b.Bounds.Left && x < b.Bounds.Right && y >= b.Bounds.Top && y < b.Bounds.Bottom)
      return static_cast<int>(i);
  }
  return -1;
}

int ButtonIndexByAccel(const std::vector<TMenuBarButtonInfo>& buttons, wchar_t ch, TCaseFold fold) {
  if (ch == 0) return -1;
  for (size_t i = 0; i < buttons.size(); ++i) {
    const TMenuBarButtonInfo& b = buttons[i];
    if (b.Enabled && b.Visible && SameAccelerator(b.Accelerator, ch, fold)) return static_cast<int>(i);
  }
  return -1;
}

int NeighbourButton(const std::vector<TMenuBarButtonInfo>& buttons, int open, bool forward) {
  const int n = static_cast<int>(buttons.size());
  if (n == 0) return -1;
  int at = open;
  if (at < 0 || at >= n) at = forward ? -1 : n;
  for (int step = 1; step <= n; ++step) {
    const int i = ((forward ? at + step : at - step) % n + n) % n;
    if (i == open) break;
    if (CanOpen(buttons[static_cast<size_t>(i)])) return i;
  }
  return -1;
}

unsigned MirrorArrowKey(unsigned key, bool rightToLeft) {
  if (!rightToLeft) return key;
  if (key == VirtualKeyLeft) return VirtualKeyRight;
  if (key == VirtualKeyRight) return VirtualKeyLeft;
  return key;
}

void TidySeparators(std::vector<TTidyItem>& items) {
  const size_t n = items.size();
  // Leading separators go, up to the first visible item.
  size_t start = 0;
  bool found = false;
  for (size_t i = 0; i < n; ++i) {
    if (!items[i].Visible) continue;
    if (items[i].Separator) {
      items[i].Visible = false;
      continue;
    }
    start = i;
    found = true;
    break;
  }
  if (!found) start = 0;
  // Runs of separators keep their last one, and only when a visible item follows.
  long pending = -1;
  long last = -1;
  for (size_t i = start; i < n; ++i) {
    if (items[i].Separator) {
      if (pending >= 0 && items[static_cast<size_t>(pending)].Visible)
        items[static_cast<size_t>(pending)].Visible = false;
      pending = static_cast<long>(i);
    } else if (items[i].Visible) {
      if (pending >= 0 && !items[static_cast<size_t>(pending)].Visible)
        items[static_cast<size_t>(pending)].Visible = true;
      pending = -1;
      last = static_cast<long>(i);
    }
  }
  // Trailing separators go, back to the last visible item.
  for (long i = static_cast<long>(n) - 1; i > last && i >= 0; --i) {
    TTidyItem& item = items[static_cast<size_t>(i)];
    if (item.Visible && item.Separator) item.Visible = false;
  }
}
