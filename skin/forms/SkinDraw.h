#pragma once
// Geometry of the skin image drawing primitives, free of any platform call: where a frame
// sits in a strip, which source rectangle goes to which destination rectangle for the
// nine-slice, three-slice, centred and tiled renderings, and the opaque runs that make a
// window region. SkinDraw_win.h executes these lists with GDI.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "skin/data/SkinTypes.h"
#include "ui/PixelBuffer.h"

// One frame of a strip: its rectangle inside the image.
// A frame count below 1 counts as 1 and the frame number is clamped to 1..frameCount,
// so a bad number from a skin never reads outside the image.
TSkinRect FrameRect(int imageWidth, int imageHeight, bool vertical, int frameCount, int frame);

// A copy from Src (in image coordinates) to Dst (in target coordinates); stretched when the
// sizes differ. A tiled piece instead fills Dst with whole unscaled copies of Src (see
// ForEachTile), which may overflow Dst's right and bottom edges.
struct TSkinPiece {
  TSkinRect Src;
  TSkinRect Dst;
  bool Tiled = false;
  bool operator==(const TSkinPiece&) const = default;
};

// Margins after the drop rule: a target narrower than left + right loses both, one lower
// than top + bottom loses both.
TSkinMargins FitMargins(TSkinMargins m, int width, int height);

// Nine-slice of `frame` into a W x H target at (0, 0), in drawing order: top-left,
// bottom-left, top-right, left, top, centre, bottom-right, right, bottom. With tileCentre
// the centre is expanded into whole unscaled tiles (row by row) that may overflow; the
// right and bottom pieces drawn after them cover the overflow (one tiled piece, so a tiny
// tile in a large target costs no memory). withCentre = false leaves
// the centre out (the eight-piece border). Pieces with an empty source or destination are
// left out.
std::vector<TSkinPiece> NineSlicePieces(const TSkinRect& frame, TSkinMargins margins, int width, int height,
                                        bool tileCentre, bool withCentre = true);

// Three-slice of `frame` into a W x H target at (0, 0): left cap, whole middle slots each
// (frame width - left - right) wide from x = left while x < W - right, right cap.
// Only the left and right margins count.
std::vector<TSkinPiece> ThreeSlicePieces(const TSkinRect& frame, int left, int right, int width, int height);

// Whole tiles of a w x h tile covering dst row by row (the last row and column may overflow),
// each handed to fn as a TSkinRect. A tile without area gives none.
template <class Fn>
void ForEachTile(const TSkinRect& dst, int tileWidth, int tileHeight, Fn&& fn) {
  if (tileWidth <= 0 || tileHeight <= 0) return;
  for (int y = dst.Top; y < dst.Bottom; y += tileHeight)
    for (int x = dst.Left; x < dst.Right; x += tileWidth) fn(TSkinRect{x, y, x + tileWidth, y + tileHeight});
}
std::vector<TSkinRect> TileRects(const TSkinRect& dst, int tileWidth, int tileHeight);

// Where a frame of the given size sits centred in the target (unscaled); the offsets are
// halved rounding toward zero.
TSkinRect CentredRect(const TSkinRect& target, int frameWidth, int frameHeight);

// Per-channel tolerances of the transparent range: a channel is transparent from the key's
// value up to value + tolerance (capped at 255).
struct TKeyRange {
  uint32_t Key = SkinKeyColour;  // 0x00BBGGRR
  int TolBlue = 1, TolGreen = 1, TolRed = 1;
  bool Transparent(uint32_t colour) const;
};

// Read-only rows of 24- or 32-bit pixels (B, G, R[, A]) owned by someone else, e.g. a DIB
// section; a negative stride walks a bottom-up image from its top row.
struct TPixelView {
  const uint8_t* Top = nullptr;  // row 0
  int Width = 0, Height = 0, BitsPerPixel = 32;
  std::ptrdiff_t Stride = 0;
  static TPixelView Of(const TPixelBuffer& b) {
    return {b.Bits.data(), b.Width, b.Height, b.BitsPerPixel, b.Stride()};
  }
};

// Every maximal run of non-transparent pixels of each row, left to right, top to bottom,
// as the rectangle (x0 + dx, y + dy, x1 + dx, y + dy + 1).
std::vector<TSkinRect> OpaqueRuns(const TPixelView& pixels, int dx, int dy, const TKeyRange& range);
inline std::vector<TSkinRect> OpaqueRuns(const TPixelBuffer& pixels, int dx, int dy, const TKeyRange& range) {
  return OpaqueRuns(TPixelView::Of(pixels), dx, dy, range);
}

// Region data in the platform's layout (a 32-byte header: size 32, type 1 = rectangles,
// count, buffer size, bounding box; then the rectangles as four 32-bit integers each).
// Collects rectangles and hands a full batch to the sink every BatchSize rectangles and once
// more on Finish; after each hand-over the buffer is empty and the bounding box reset to
// (0x7FFFFFFF, 0x7FFFFFFF, 0, 0). The buffer grows in steps of 500 rectangles.
class TRegionBatcher {
 public:
  static constexpr int BatchSize = 2000;
  static constexpr int GrowBy = 500;
  // The sink receives the words of one batch (header + rectangles) and its rectangle count.
  using TSink = std::function<void(const std::vector<int32_t>& data, int count)>;

  explicit TRegionBatcher(TSink sink);
  void Add(const TSkinRect& r);
  void Finish();  // hands over the last (possibly empty) batch

  int Count() const { return FCount; }
  int Capacity() const { return FCapacity; }
  TSkinRect Bound() const;

 private:
  void Flush();
  void Reset();
  TSink FSink;
  std::vector<int32_t> FData;
  int FCount = 0;
  int FCapacity = 0;
};
