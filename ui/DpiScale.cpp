#include "ui/DpiScale.h"

#include <algorithm>
#include <cstdint>

int ScaleDpi(int value, int toDpi, int fromDpi) {
  if (toDpi <= 0 || fromDpi <= 0 || toDpi == fromDpi) return value;
  const int64_t n = static_cast<int64_t>(value) * toDpi;
  const int64_t half = fromDpi / 2;
  const int64_t q = n >= 0 ? (n + half) / fromDpi : -((-n + half) / fromDpi);
  return static_cast<int>(std::clamp<int64_t>(q, INT32_MIN, INT32_MAX));
}

TScaledBounds ScaleBounds(int left, int top, int width, int height, int toDpi, int fromDpi) {
  const int64_t right = static_cast<int64_t>(left) + width, bottom = static_cast<int64_t>(top) + height;
  auto edge = [&](int64_t v) {
    return ScaleDpi(static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)), toDpi, fromDpi);
  };
  TScaledBounds b;
  b.Left = edge(left);
  b.Top = edge(top);
  b.Width = edge(right) - b.Left;
  b.Height = edge(bottom) - b.Top;
  return b;
}

namespace {

// Appends the target pixels of source pixels [from, from + count) scaled to `to` pixels.
void MapPiece(std::vector<int>& map, int from, int count, int to) {
  for (int d = 0; d < to; ++d) {
    if (count <= 0) {
      // A piece that rounding gave a pixel it has no source for: the pixel before it.
      map.push_back(std::max(0, from - 1));
      continue;
    }
    const int64_t s = (static_cast<int64_t>(2 * d + 1) * count) / (2 * static_cast<int64_t>(to));
    map.push_back(from + static_cast<int>(std::min<int64_t>(s, count - 1)));
  }
}

}  // namespace

std::vector<int> ScaleAxisMap(int length, int frames, int lead, int trail, int toDpi, int fromDpi) {
  std::vector<int> map;
  if (length <= 0) return map;
  const int n = std::clamp(frames, 1, length);
  const int frame = length / n;
  const int tail = length - frame * n;
  const bool margins = lead >= 0 && trail >= 0 && lead + trail <= frame;
  const int frameTo = ScaleDpi(frame, toDpi, fromDpi);
  map.reserve(static_cast<size_t>(frameTo) * n +
              static_cast<size_t>(std::max(0, ScaleDpi(tail, toDpi, fromDpi))));
  for (int f = 0; f < n; ++f) {
    const int at = f * frame;
    if (!margins) {
      MapPiece(map, at, frame, frameTo);
      continue;
    }
    const int leadTo = std::min(ScaleDpi(lead, toDpi, fromDpi), frameTo);
    const int trailTo = std::min(ScaleDpi(trail, toDpi, fromDpi), frameTo - leadTo);
    MapPiece(map, at, lead, leadTo);
    MapPiece(map, at + lead, frame - lead - trail, frameTo - leadTo - trailTo);
    MapPiece(map, at + frame - trail, trail, trailTo);
  }
  MapPiece(map, frame * n, tail, ScaleDpi(tail, toDpi, fromDpi));
  return map;
}
