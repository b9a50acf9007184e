#include "skin/controls/TabLayout.h"

#include <algorithm>

#include "skin/data/WinConst.h"

TTabPosition ReadTabPosition(uint32_t style) {
  const bool vertical = (style & WinCtl::TabVertical) != 0;
  if (style & WinCtl::TabBottom) return vertical ? tpRight : tpBottom;
  return vertical ? tpLeft : tpTop;
}

TTabTurns TabTurns(TTabPosition position) {
  switch (position) {
    case tpBottom:
      return {TImageTurn::FlipVert, TImageTurn::FlipVert, TImageTurn::None};
    case tpLeft:
      return {TImageTurn::None, TImageTurn::RotateLeft, TImageTurn::RotateLeft};
    case tpRight:
      return {TImageTurn::None, TImageTurn::RotateRight, TImageTurn::RotateRight};
    case tpTop:
      break;
  }
  return {};
}

TSkinRect TabPageArea(const TSkinRect& d, TTabPosition position) {
  TSkinRect p{d.Left - 4, d.Top - 4, d.Right + 4, d.Bottom + 4};
  switch (position) {
    case tpTop:
      p.Top += 1;
      break;
    case tpBottom:
      p.Bottom -= 1;
      break;
    case tpLeft:
      p.Left += 1;
      break;
    case tpRight:
      p.Right -= 1;
      break;
  }
  return p;
}

TSkinRect TabStrip(const TSkinRect& w, const TSkinRect& p, TTabPosition position) {
  switch (position) {
    case tpBottom:
      return {w.Left, p.Bottom, w.Right, w.Bottom};
    case tpLeft:
      return {w.Left, w.Top, p.Left, w.Bottom};
    case tpRight:
      return {p.Right, w.Top, w.Right, w.Bottom};
    case tpTop:
      break;
  }
  return {w.Left, w.Top, w.Right, p.Top};
}

void TabBufferSize(const TSkinRect& strip, TTabPosition position, int& width, int& height) {
  const bool side = position == tpLeft || position == tpRight;
  width = std::max(0, side ? strip.Height() : strip.Width());
  height = std::max(0, side ? strip.Width() : strip.Height());
}

TSkinRect TabItemInBuffer(const TSkinRect& r, TTabPosition position, const TSkinRect& page, int bufferWidth,
                          int windowWidth) {
  switch (position) {
    case tpTop:
      return {r.Left, r.Top + 1, r.Right, r.Bottom + 1};
    case tpBottom: {
      const int dy = page.Bottom + 1;
      return {r.Left, r.Top - dy, r.Right, r.Bottom - dy};
    }
    // Read back through the turn that follows: a left buffer turned counter-clockwise puts
    // buffer row y at window column y, so the tab's outer edge meets the window's edge.
    case tpLeft:
      return {bufferWidth - r.Bottom, r.Left, bufferWidth - r.Top, r.Right};
    case tpRight:
      return {r.Top - 1, windowWidth - r.Right, r.Bottom - 1, windowWidth - r.Left};
  }
  return r;
}

std::vector<TSkinRect> RectsAround(const TSkinRect& a, const TSkinRect& hole) {
  const TSkinRect h{std::max(a.Left, hole.Left), std::max(a.Top, hole.Top), std::min(a.Right, hole.Right),
                    std::min(a.Bottom, hole.Bottom)};
  if (a.Empty()) return {};
  if (h.Empty()) return {a};
  std::vector<TSkinRect> out;
  const TSkinRect parts[] = {
      {a.Left, a.Top, a.Right, h.Top},        // above
      {a.Left, h.Top, h.Left, h.Bottom},      // left of
      {h.Right, h.Top, a.Right, h.Bottom},    // right of
      {a.Left, h.Bottom, a.Right, a.Bottom},  // below
  };
  for (const TSkinRect& p : parts)
    if (!p.Empty()) out.push_back(p);
  return out;
}

std::vector<TTabSetTab> TabSetLayout(const TTabSetInput& in) {
  // Padding around a tab's text, and the room kept for the scroller after the last tab.
  constexpr int TabPadding = 9;
  constexpr int ScrollerRoom = 21;
  std::vector<TTabSetTab> tabs;
  const int limit = in.Width - in.EndMargin;
  int x = in.StartMargin;
  const int count = static_cast<int>(in.TextWidths.size());
  for (int i = std::max(0, in.FirstVisible); i < count; ++i) {
    const int w = in.TextWidths[static_cast<size_t>(i)];
    if (x + w + (in.ScrollerVisible ? ScrollerRoom : TabPadding) > limit) continue;
    tabs.push_back({i, {x, 0, x + w + TabPadding, in.Height}, TabFrame(i == in.Current)});
    x += w + TabPadding;
  }
  return tabs;
}
