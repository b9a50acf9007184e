#include "skin/forms/SkinDraw.h"

#include <algorithm>
#include <utility>

TSkinRect FrameRect(int imageWidth, int imageHeight, bool vertical, int frameCount, int frame) {
  const int count = std::max(frameCount, 1);
  const int n = std::clamp(frame, 1, count);
  if (vertical) {
    const int h = imageHeight / count;
    return {0, (n - 1) * h, imageWidth, n * h};
  }
  const int w = imageWidth / count;
  return {(n - 1) * w, 0, n * w, imageHeight};
}

TSkinMargins FitMargins(TSkinMargins m, int width, int height) {
  if (width < m.Left + m.Right) m.Left = m.Right = 0;
  if (height < m.Top + m.Bottom) m.Top = m.Bottom = 0;
  return m;
}

namespace {
void AddPiece(std::vector<TSkinPiece>& out, const TSkinRect& src, const TSkinRect& dst) {
  // An empty source would either draw nothing or, with a negative size, read mirrored
  // pixels from the neighbouring frame; neither belongs in the picture.
  if (src.Empty() || dst.Empty()) return;
  out.push_back({src, dst});
}
}  // namespace

std::vector<TSkinPiece> NineSlicePieces(const TSkinRect& frame, TSkinMargins margins, int width, int height,
                                        bool tileCentre, bool withCentre) {
  std::vector<TSkinPiece> out;
  if (width <= 0 || height <= 0) return out;
  const TSkinMargins m = FitMargins(margins, width, height);
  const int l = m.Left, t = m.Top, r = m.Right, b = m.Bottom;
  const int W = width, H = height;
  const int fx = frame.Left, fy = frame.Top, fr = frame.Right, fb = frame.Bottom;

  if (l * t > 0) AddPiece(out, {fx, fy, fx + l, fy + t}, {0, 0, l, t});
  if (l * b > 0) AddPiece(out, {fx, fb - b, fx + l, fb}, {0, H - b, l, H});
  if (r * t > 0) AddPiece(out, {fr - r, fy, fr, fy + t}, {W - r, 0, W, t});
  if (l > 0) AddPiece(out, {fx, fy + t, fx + l, fb - b}, {0, t, l, H - b});
  if (t > 0) AddPiece(out, {fx + l, fy, fr - r, fy + t}, {l, 0, W - r, t});
  if (withCentre) {
    const TSkinRect src{fx + l, fy + t, fr - r, fb - b};
    const TSkinRect dst{l, t, W - r, H - b};
    if (!src.Empty() && !dst.Empty()) out.push_back({src, dst, tileCentre});
  }
  if (r * b > 0) AddPiece(out, {fr - r, fb - b, fr, fb}, {W - r, H - b, W, H});
  if (r > 0) AddPiece(out, {fr - r, fy + t, fr, fb - b}, {W - r, t, W, H - b});
  if (b > 0) AddPiece(out, {fx + l, fb - b, fr - r, fb}, {l, H - b, W - r, H});
  return out;
}

std::vector<TSkinPiece> ThreeSlicePieces(const TSkinRect& frame, int left, int right, int width, int height) {
  std::vector<TSkinPiece> out;
  if (width <= 0 || height <= 0) return out;
  const int fx = frame.Left, fy = frame.Top, fr = frame.Right, fb = frame.Bottom;
  const int W = width, H = height;
  AddPiece(out, {fx, fy, fx + left, fb}, {0, 0, left, H});
  const int m = frame.Width() - left - right;
  if (m > 0) {
    const TSkinRect src{fx + left, fy, fx + left + m, fb};
    for (int x = left; x < W - right; x += m) AddPiece(out, src, {x, 0, x + m, H});
  }
  AddPiece(out, {fr - right, fy, fr, fb}, {W - right, 0, W, H});
  return out;
}

std::vector<TSkinRect> TileRects(const TSkinRect& dst, int tileWidth, int tileHeight) {
  std::vector<TSkinRect> out;
  ForEachTile(dst, tileWidth, tileHeight, [&](const TSkinRect& r) { out.push_back(r); });
  return out;
}

TSkinRect CentredRect(const TSkinRect& target, int frameWidth, int frameHeight) {
  const int x = target.Left + (target.Width() - frameWidth) / 2;
  const int y = target.Top + (target.Height() - frameHeight) / 2;
  return {x, y, x + frameWidth, y + frameHeight};
}

bool TKeyRange::Transparent(uint32_t colour) const {
  auto in = [](uint32_t c, uint32_t key, int tol) {
    const int lo = static_cast<int>(key & 0xFF);
    const int hi = std::min(255, lo + std::max(tol, 0));
    const int v = static_cast<int>(c & 0xFF);
    return v >= lo && v <= hi;
  };
  return in(colour, Key, TolRed) && in(colour >> 8, Key >> 8, TolGreen) &&
         in(colour >> 16, Key >> 16, TolBlue);
}

std::vector<TSkinRect> OpaqueRuns(const TPixelView& pixels, int dx, int dy, const TKeyRange& range) {
  std::vector<TSkinRect> out;
  if (pixels.Width <= 0 || pixels.Height <= 0 || !pixels.Top) return out;
  // Per-channel transparent ranges as byte bounds, in B, G, R order like the pixels.
  uint8_t lo[3], hi[3];
  const int tol[3] = {range.TolBlue, range.TolGreen, range.TolRed};
  for (int c = 0; c < 3; ++c) {
    lo[c] = static_cast<uint8_t>(range.Key >> (8 * (2 - c)));
    hi[c] = static_cast<uint8_t>(std::min(255, lo[c] + std::max(tol[c], 0)));
  }
  const int bpp = pixels.BitsPerPixel / 8;
  auto clear = [&](const uint8_t* p) {
    return p[0] >= lo[0] && p[0] <= hi[0] && p[1] >= lo[1] && p[1] <= hi[1] && p[2] >= lo[2] && p[2] <= hi[2];
  };
  for (int y = 0; y < pixels.Height; ++y) {
    const uint8_t* row = pixels.Top + pixels.Stride * y;
    int x = 0;
    while (x < pixels.Width) {
      while (x < pixels.Width && clear(row + x * bpp)) ++x;
      if (x >= pixels.Width) break;
      const int x0 = x;
      while (x < pixels.Width && !clear(row + x * bpp)) ++x;
      out.push_back({x0 + dx, y + dy, x + dx, y + dy + 1});
    }
  }
  return out;
}

namespace {
constexpr int HeaderWords = 8;  // 32 bytes
enum : int { kSize, kType, kCount, kRgnSize, kLeft, kTop, kRight, kBottom };
}  // namespace

TRegionBatcher::TRegionBatcher(TSink sink) : FSink(std::move(sink)) {
  FCapacity = GrowBy;
  FData.reserve(HeaderWords + 4 * FCapacity);
  Reset();
}

void TRegionBatcher::Reset() {
  FCount = 0;
  FData.assign(HeaderWords, 0);
  FData[kSize] = 32;
  FData[kType] = 1;
  FData[kLeft] = 0x7FFFFFFF;
  FData[kTop] = 0x7FFFFFFF;
  FData[kRight] = 0;
  FData[kBottom] = 0;
}

void TRegionBatcher::Add(const TSkinRect& r) {
  if (FCount >= FCapacity) {
    FCapacity += GrowBy;
    FData.reserve(HeaderWords + 4 * static_cast<size_t>(FCapacity));
  }
  FData.insert(FData.end(), {r.Left, r.Top, r.Right, r.Bottom});
  ++FCount;
  FData[kLeft] = std::min(FData[kLeft], r.Left);
  FData[kTop] = std::min(FData[kTop], r.Top);
  FData[kRight] = std::max(FData[kRight], r.Right);
  FData[kBottom] = std::max(FData[kBottom], r.Bottom);
  if (FCount == BatchSize) Flush();
}

void TRegionBatcher::Finish() { Flush(); }

void TRegionBatcher::Flush() {
  FData[kCount] = FCount;
  FData[kRgnSize] = FCount * 16;
  FSink(FData, FCount);
  Reset();
}

TSkinRect TRegionBatcher::Bound() const { return {FData[kLeft], FData[kTop], FData[kRight], FData[kBottom]}; }
