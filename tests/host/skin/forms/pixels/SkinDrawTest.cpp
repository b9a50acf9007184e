#include <gtest/gtest.h>

#include <map>

#include "skin/forms/SkinDraw.h"

namespace {
// Paints each piece's destination with its index (later pieces over earlier ones) into a
// W x H grid; -1 where nothing was drawn. Pixels outside the grid are clipped as GDI does.
std::vector<std::vector<int>> Coverage(const std::vector<TSkinPiece>& pieces, int w, int h) {
  std::vector<std::vector<int>> grid(h, std::vector<int>(w, -1));
  for (size_t i = 0; i < pieces.size(); ++i) {
    const TSkinPiece& p = pieces[i];
    const std::vector<TSkinRect> rects =
        p.Tiled ? TileRects(p.Dst, p.Src.Width(), p.Src.Height()) : std::vector<TSkinRect>{p.Dst};
    for (const TSkinRect& d : rects)
      for (int y = std::max(d.Top, 0); y < std::min(d.Bottom, h); ++y)
        for (int x = std::max(d.Left, 0); x < std::min(d.Right, w); ++x) grid[y][x] = static_cast<int>(i);
  }
  return grid;
}
}  // namespace

TEST(FrameRect, CutsHorizontalAndVerticalStrips) {
  struct Case {
    int w, h;
    bool vertical;
    int count, frame;
    TSkinRect expected;
  } cases[] = {
      {30, 10, false, 3, 1, {0, 0, 10, 10}},
      {30, 10, false, 3, 2, {10, 0, 20, 10}},
      {31, 10, false, 3, 3, {20, 0, 30, 10}},  // the remainder column belongs to no frame
      {9, 18, true, 2, 2, {0, 9, 9, 18}},      // frame 2 of two stacked: the lower half
      {9, 18, true, 2, 1, {0, 0, 9, 9}},
      {30, 10, false, 3, 7, {20, 0, 30, 10}},  // past the last frame: the last one
      {30, 10, false, 3, 0, {0, 0, 10, 10}},
      {30, 10, false, 0, 1, {0, 0, 30, 10}},  // no frame count: the whole image
  };
  for (const Case& c : cases)
    EXPECT_EQ(FrameRect(c.w, c.h, c.vertical, c.count, c.frame), c.expected)
        << c.w << "x" << c.h << " v=" << c.vertical << " " << c.frame << "/" << c.count;
}

TEST(NineSlice, NineByNineFrameIntoThirtyByTwenty) {
  const TSkinRect frame{9, 0, 18, 9};  // frame 2 of a horizontal strip
  const auto pieces = NineSlicePieces(frame, {3, 3, 3, 3}, 30, 20, false);
  const std::vector<TSkinPiece> expected = {
      {{9, 0, 12, 3}, {0, 0, 3, 3}},       // top-left
      {{9, 6, 12, 9}, {0, 17, 3, 20}},     // bottom-left
      {{15, 0, 18, 3}, {27, 0, 30, 3}},    // top-right
      {{9, 3, 12, 6}, {0, 3, 3, 17}},      // left: stretched vertically only
      {{12, 0, 15, 3}, {3, 0, 27, 3}},     // top: stretched horizontally only
      {{12, 3, 15, 6}, {3, 3, 27, 17}},    // centre
      {{15, 6, 18, 9}, {27, 17, 30, 20}},  // bottom-right
      {{15, 3, 18, 6}, {27, 3, 30, 17}},   // right
      {{12, 6, 15, 9}, {3, 17, 27, 20}},   // bottom
  };
  EXPECT_EQ(pieces, expected);
}

TEST(NineSlice, TargetNarrowerThanMarginsDropsThem) {
  const TSkinRect frame{0, 0, 9, 9};
  const auto pieces = NineSlicePieces(frame, {3, 3, 3, 3}, 4, 20, false);
  // Only top, centre and bottom remain, each spanning the full width and the full frame width.
  const std::vector<TSkinPiece> expected = {
      {{0, 0, 9, 3}, {0, 0, 4, 3}},
      {{0, 3, 9, 6}, {0, 3, 4, 17}},
      {{0, 6, 9, 9}, {0, 17, 4, 20}},
  };
  EXPECT_EQ(pieces, expected);

  // Both axes too small: one centre piece from the whole frame.
  const auto single = NineSlicePieces(frame, {3, 3, 3, 3}, 5, 5, false);
  ASSERT_EQ(single.size(), 1u);
  EXPECT_EQ(single[0], (TSkinPiece{{0, 0, 9, 9}, {0, 0, 5, 5}}));

  EXPECT_EQ(FitMargins({3, 2, 3, 2}, 6, 3), (TSkinMargins{3, 0, 3, 0}));  // exactly fits: kept
}

TEST(NineSlice, TiledCentreIsCoveredByLaterEdges) {
  const TSkinRect frame{0, 0, 9, 9};
  const int W = 31, H = 21;  // centre 25 x 15: the 3 x 3 tile does not divide it
  const auto pieces = NineSlicePieces(frame, {3, 3, 3, 3}, W, H, true);
  ASSERT_EQ(pieces.size(), 9u);
  EXPECT_EQ(pieces[5], (TSkinPiece{{3, 3, 6, 6}, {3, 3, 28, 18}, true}));
  const auto tiles = TileRects(pieces[5].Dst, 3, 3);
  ASSERT_EQ(tiles.size(), 9u * 5u);                      // ceil(25/3) columns, 15/3 rows
  EXPECT_EQ(tiles.back(), (TSkinRect{27, 15, 30, 18}));  // overflows x = 28

  // Drawn in order, the tiles show exactly in the centre; the edges after them win.
  const auto grid = Coverage(pieces, W, H);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      const bool inCentre = x >= 3 && x < W - 3 && y >= 3 && y < H - 3;
      ASSERT_EQ(grid[y][x] == 5, inCentre) << x << "," << y;
      ASSERT_NE(grid[y][x], -1) << x << "," << y;
    }
  EXPECT_EQ(pieces[grid[10][28]].Src, (TSkinRect{6, 3, 9, 6}));  // right edge
  // Only the centre tiles; the other pieces stay stretched.
  for (size_t i = 0; i < pieces.size(); ++i) EXPECT_EQ(pieces[i].Tiled, i == 5);
}

TEST(NineSlice, BorderOmitsCentreAndEmptyTargetsDrawNothing) {
  const TSkinRect frame{0, 0, 9, 9};
  const auto border = NineSlicePieces(frame, {3, 3, 3, 3}, 30, 20, false, false);
  ASSERT_EQ(border.size(), 8u);
  const auto grid = Coverage(border, 30, 20);
  EXPECT_EQ(grid[10][15], -1);  // the centre is untouched
  EXPECT_EQ(grid[2][2], 0);
  EXPECT_EQ(grid[19][29], 5);

  EXPECT_TRUE(NineSlicePieces(frame, {3, 3, 3, 3}, 0, 20, false).empty());
  EXPECT_TRUE(NineSlicePieces(frame, {3, 3, 3, 3}, 30, -4, true).empty());
  // Margins larger than the frame leave no source for the middle pieces: none is drawn.
  for (const TSkinPiece& p : NineSlicePieces(frame, {5, 5, 5, 5}, 40, 40, true)) EXPECT_FALSE(p.Src.Empty());
}

TEST(ThreeSlice, CapsAndWholeMiddleSlots) {
  const TSkinRect frame{10, 0, 20, 5};  // frame 2 of a 2-frame strip of 20 x 5
  const std::vector<TSkinPiece> expected = {
      {{10, 0, 12, 5}, {0, 0, 2, 8}},   {{12, 0, 17, 5}, {2, 0, 7, 8}},   {{12, 0, 17, 5}, {7, 0, 12, 8}},
      {{12, 0, 17, 5}, {12, 0, 17, 8}}, {{17, 0, 20, 5}, {17, 0, 20, 8}},
  };
  EXPECT_EQ(ThreeSlicePieces(frame, 2, 3, 20, 8), expected);

  // 21 wide: a fourth slot starts at 17 < 18 and overflows under the right cap.
  const auto wider = ThreeSlicePieces(frame, 2, 3, 21, 8);
  ASSERT_EQ(wider.size(), 6u);
  EXPECT_EQ(wider[4].Dst, (TSkinRect{17, 0, 22, 8}));
  EXPECT_EQ(wider[5].Dst, (TSkinRect{18, 0, 21, 8}));

  // No middle when the caps fill the frame.
  const auto caps = ThreeSlicePieces(frame, 5, 5, 40, 8);
  ASSERT_EQ(caps.size(), 2u);
  EXPECT_EQ(caps[1], (TSkinPiece{{15, 0, 20, 5}, {35, 0, 40, 8}}));
}

TEST(Centred, OffsetsRoundTowardZero) {
  struct Case {
    TSkinRect target;
    int w, h;
    TSkinRect expected;
  } cases[] = {
      {{0, 0, 10, 10}, 3, 4, {3, 3, 6, 7}},  // 7/2 and 6/2
      {{5, 2, 10, 7}, 8, 8, {4, 1, 12, 9}},  // -3/2 = -1, not -2
      {{0, 0, 10, 10}, 10, 10, {0, 0, 10, 10}},
      {{20, 30, 41, 40}, 4, 3, {28, 33, 32, 36}},  // 17/2, 7/2
  };
  for (const Case& c : cases) EXPECT_EQ(CentredRect(c.target, c.w, c.h), c.expected);
}

TEST(TileRects, WholeTilesRowByRow) {
  const auto tiles = TileRects({2, 1, 9, 4}, 3, 2);
  const std::vector<TSkinRect> expected = {{2, 1, 5, 3}, {5, 1, 8, 3}, {8, 1, 11, 3},
                                           {2, 3, 5, 5}, {5, 3, 8, 5}, {8, 3, 11, 5}};
  EXPECT_EQ(tiles, expected);
  EXPECT_TRUE(TileRects({0, 0, 10, 10}, 0, 3).empty());
  EXPECT_TRUE(TileRects({0, 0, 10, 10}, 3, -1).empty());
}

TEST(OpaqueRuns, DiagonalGivesOneRectanglePerRow) {
  for (int bits : {24, 32}) {
    TPixelBuffer b(5, 5, bits);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 5; ++x) b.SetPixel(x, y, x == y ? 0x123456u : SkinKeyColour);
    const auto runs = OpaqueRuns(b, 10, -3, TKeyRange{});
    ASSERT_EQ(runs.size(), 5u);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(runs[i], (TSkinRect{10 + i, i - 3, 11 + i, i - 2}));
  }
}

TEST(OpaqueRuns, ToleranceAndMaximalRuns) {
  TPixelBuffer b(8, 2);
  const uint32_t row0[8] = {0xFF00FF, 0xFF01FF, 0xFF02FF, 0x000000, 0xFE00FF, 0xFF00FF, 0xFF00FE, 0xFFFFFF};
  for (int x = 0; x < 8; ++x) b.SetPixel(x, 0, row0[x]);
  for (int x = 0; x < 8; ++x) b.SetPixel(x, 1, SkinKeyColour);
  const auto runs = OpaqueRuns(b, 0, 0, TKeyRange{});
  // Green 1 is still transparent; green 2, and blue or red one below the key, are not.
  const std::vector<TSkinRect> expected = {{2, 0, 5, 1}, {6, 0, 8, 1}};
  EXPECT_EQ(runs, expected);

  // Tolerance capped at 255: a white key with tolerance 10 takes only white.
  TKeyRange white{0xFFFFFF, 10, 10, 10};
  EXPECT_TRUE(white.Transparent(0xFFFFFF));
  EXPECT_FALSE(white.Transparent(0xFFFFFE));
  TKeyRange wide{0x000000, 0, 0, 40};
  EXPECT_TRUE(wide.Transparent(0x000028));
  EXPECT_FALSE(wide.Transparent(0x000029));
  EXPECT_FALSE(wide.Transparent(0x000100));

  EXPECT_TRUE(OpaqueRuns(TPixelBuffer{}, 0, 0, TKeyRange{}).empty());
}

TEST(RegionBatcher, HandsOverBatchesOfTwoThousand) {
  struct Batch {
    int count;
    std::vector<int32_t> data;
  };
  std::vector<Batch> batches;
  TRegionBatcher batcher([&](const std::vector<int32_t>& d, int n) { batches.push_back({n, d}); });
  EXPECT_EQ(batcher.Capacity(), 500);
  for (int i = 0; i < 4501; ++i) {
    batcher.Add({i % 100, i, i % 100 + 1 + (i == 4000 ? 150 : 0), i + 1});
    if (i == 500) EXPECT_EQ(batcher.Capacity(), 1000);
  }
  batcher.Finish();
  ASSERT_EQ(batches.size(), 3u);
  EXPECT_EQ(batches[0].count, 2000);
  EXPECT_EQ(batches[1].count, 2000);
  EXPECT_EQ(batches[2].count, 501);
  for (const Batch& b : batches) {
    ASSERT_EQ(b.data.size(), 8u + 4u * b.count);
    EXPECT_EQ(b.data[0], 32);
    EXPECT_EQ(b.data[1], 1);
    EXPECT_EQ(b.data[2], b.count);
  }
  // Each batch's box is its own union, starting afresh.
  EXPECT_EQ(std::vector<int32_t>(batches[0].data.begin() + 4, batches[0].data.begin() + 8),
            (std::vector<int32_t>{0, 0, 100, 2000}));
  EXPECT_EQ(std::vector<int32_t>(batches[2].data.begin() + 4, batches[2].data.begin() + 8),
            (std::vector<int32_t>{0, 4000, 151, 4501}));
  // The rectangles follow in order.
  EXPECT_EQ(std::vector<int32_t>(batches[1].data.begin() + 8, batches[1].data.begin() + 12),
            (std::vector<int32_t>{0, 2000, 1, 2001}));
}

TEST(RegionBatcher, EmptyBatchHasTheEmptyBox) {
  int calls = 0;
  TRegionBatcher batcher([&](const std::vector<int32_t>& d, int n) {
    ++calls;
    EXPECT_EQ(n, 0);
    EXPECT_EQ(std::vector<int32_t>(d.begin() + 2, d.end()),
              (std::vector<int32_t>{0, 0, 0x7FFFFFFF, 0x7FFFFFFF, 0, 0}));
  });
  batcher.Finish();
  EXPECT_EQ(calls, 1);
  batcher.Add({-5, -5, -4, -4});
  EXPECT_EQ(batcher.Bound(), (TSkinRect{-5, -5, 0, 0}));  // the box starts at right = bottom = 0
}
