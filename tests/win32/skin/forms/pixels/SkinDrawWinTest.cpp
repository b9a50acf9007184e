#include <gtest/gtest.h>

#include <set>

#include "PixelHelpers.h"
#include "support/GdiCount_win.h"

namespace {
constexpr uint32_t Magenta = SkinKeyColour;

// Frame 2 of a two-frame 18 x 9 horizontal strip has a distinct colour at every pixel;
// frame 1 is all one grey that must never show up.
uint32_t F2(int x, int y) { return RGB(10 + x * 25, 10 + y * 25, 77); }
TPixelBuffer TwoFrameStrip() {
  TPixelBuffer px(18, 9, 32);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 18; ++x) px.SetPixel(x, y, x < 9 ? 0x404040u : F2(x - 9, y));
  return px;
}

// Column of frame 2 whose colour is c, or -1 (colours of F2 are unique per column and row).
int ColumnOf(uint32_t c) {
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 9; ++x)
      if (F2(x, y) == c) return x;
  return -1;
}
int RowOf(uint32_t c) {
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 9; ++x)
      if (F2(x, y) == c) return y;
  return -1;
}

struct TSource {
  TBitmapHandle Bitmap;
  TSelectedBitmap Selected;
  explicit TSource(const TPixelBuffer& px) : Bitmap(DibFrom(px)), Selected(Bitmap.get()) {}
  TSkinSource Image() const { return Selected.Image(); }
};

}  // namespace

TEST(NineSliceRender, CornersUnscaledEdgesStretchedAlongOneAxis) {
  TSource src(TwoFrameStrip());
  TBitmapHandle out = DrawSkinRect({5, 5, 35, 25}, src.Image(), {3, 3, 3, 3}, false, false, 2, 2);
  ASSERT_TRUE(out);
  const TPixelBuffer px = ReadBitmapPixels(out.get());
  ASSERT_EQ(px.Width, 30);
  ASSERT_EQ(px.Height, 20);
  // Corners: pixel for pixel.
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(px.GetPixel(x, y), F2(x, y));
      EXPECT_EQ(px.GetPixel(27 + x, y), F2(6 + x, y));
      EXPECT_EQ(px.GetPixel(x, 17 + y), F2(x, 6 + y));
      EXPECT_EQ(px.GetPixel(27 + x, 17 + y), F2(6 + x, 6 + y));
    }
  // Top and bottom edges keep their rows and take the middle columns left to right, each of them.
  for (int y : {0, 1, 2, 17, 18, 19}) {
    std::set<int> cols;
    int last = -1;
    for (int x = 3; x < 27; ++x) {
      const uint32_t c = px.GetPixel(x, y);
      ASSERT_EQ(RowOf(c), y < 3 ? y : y - 11) << x << "," << y;
      const int col = ColumnOf(c);
      ASSERT_GE(col, 3);
      ASSERT_LE(col, 5);
      EXPECT_GE(col, last);
      last = col;
      cols.insert(col);
    }
    EXPECT_EQ(cols.size(), 3u);
  }
  // Left and right edges keep their columns and take the middle rows top to bottom.
  for (int x : {0, 2, 27, 29}) {
    std::set<int> rows;
    for (int y = 3; y < 17; ++y) {
      const uint32_t c = px.GetPixel(x, y);
      ASSERT_EQ(ColumnOf(c), x < 3 ? x : x - 21) << x << "," << y;
      rows.insert(RowOf(c));
    }
    EXPECT_EQ(rows, (std::set<int>{3, 4, 5}));
  }
  // The centre comes from the frame's centre only.
  for (int y = 3; y < 17; ++y)
    for (int x = 3; x < 27; ++x) {
      const uint32_t c = px.GetPixel(x, y);
      EXPECT_TRUE(ColumnOf(c) >= 3 && ColumnOf(c) <= 5 && RowOf(c) >= 3 && RowOf(c) <= 5) << x << "," << y;
    }
}

TEST(NineSliceRender, TiledCentreRepeatsTheFrameCentre) {
  TSource src(TwoFrameStrip());
  TBitmapHandle out = DrawSkinRect({0, 0, 31, 21}, src.Image(), {3, 3, 3, 3}, false, true, 2, 2);
  ASSERT_TRUE(out);
  const TPixelBuffer px = ReadBitmapPixels(out.get());
  for (int y = 3; y < 18; ++y)
    for (int x = 3; x < 28; ++x)
      ASSERT_EQ(px.GetPixel(x, y), F2(3 + (x - 3) % 3, 3 + (y - 3) % 3)) << x << "," << y;
  // The last tile column overflows into x = 28; the right edge drawn after it wins.
  for (int y = 3; y < 18; ++y) EXPECT_EQ(ColumnOf(px.GetPixel(28, y)), 6) << y;
  for (int x = 3; x < 28; ++x) EXPECT_EQ(RowOf(px.GetPixel(x, 18)), 6) << x;
}

TEST(NineSliceRender, VerticalStripFrameTwoReadsTheLowerHalf) {
  TPixelBuffer strip(9, 18, 32);
  for (int y = 0; y < 18; ++y)
    for (int x = 0; x < 9; ++x) strip.SetPixel(x, y, y < 9 ? 0x404040u : F2(x, y - 9));
  TSource src(strip);
  TBitmapHandle out = DrawSkinRect({0, 0, 9, 9}, src.Image(), {3, 3, 3, 3}, true, false, 2, 2);
  const TPixelBuffer px = ReadBitmapPixels(out.get());
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 9; ++x) ASSERT_EQ(px.GetPixel(x, y), F2(x, y)) << x << "," << y;
}

TEST(DrawSkinImage, DrawsAtTheTargetAndIgnoresInvertedTargets) {
  TSource src(TwoFrameStrip());
  TTestCanvas canvas(40, 30, 0x123456);
  DrawSkinImage(canvas.Dc.get(), {20, 10, 10, 20}, src.Image(), false, false, false, 2, 2, {3, 3, 3, 3});
  DrawSkinImage(canvas.Dc.get(), {10, 20, 20, 10}, src.Image(), false, false, false, 2, 2, {3, 3, 3, 3});
  TPixelBuffer px = canvas.Read();
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(px.GetPixel(x, y), 0x123456u);

  DrawSkinImage(canvas.Dc.get(), {5, 6, 35, 26}, src.Image(), false, false, false, 2, 2, {3, 3, 3, 3});
  px = canvas.Read();
  EXPECT_EQ(px.GetPixel(5, 6), F2(0, 0));
  EXPECT_EQ(px.GetPixel(34, 25), F2(8, 8));
  EXPECT_EQ(px.GetPixel(4, 6), 0x123456u);
  EXPECT_EQ(px.GetPixel(35, 25), 0x123456u);
  EXPECT_EQ(px.GetPixel(34, 26), 0x123456u);
}

TEST(DrawSkinBorder, LeavesTheCentreUntouched) {
  TSource src(TwoFrameStrip());
  TTestCanvas canvas(40, 30, 0x123456);
  DrawSkinBorder(canvas.Dc.get(), {5, 5, 35, 25}, src.Image(), false, 2, 2, {3, 3, 3, 3});
  const TPixelBuffer px = canvas.Read();
  EXPECT_EQ(px.GetPixel(5, 5), F2(0, 0));
  EXPECT_EQ(px.GetPixel(34, 24), F2(8, 8));
  EXPECT_EQ(RowOf(px.GetPixel(20, 5)), 0);
  EXPECT_EQ(ColumnOf(px.GetPixel(34, 15)), 8);
  for (int y = 8; y < 22; ++y)
    for (int x = 8; x < 32; ++x) ASSERT_EQ(px.GetPixel(x, y), 0x123456u) << x << "," << y;
  EXPECT_EQ(GetStretchBltMode(canvas.Dc.get()), BLACKONWHITE);  // the caller's mode is put back
}

TEST(DrawSkinBar, CapsAndRepeatedMiddle) {
  TSource src(TwoFrameStrip());
  TTestCanvas canvas(50, 20, 0x123456);
  // Caps 2 and 3, middle 4 columns (2..5) repeated, all stretched from 9 to 18 rows.
  DrawSkinBar(canvas.Dc.get(), {4, 1, 44, 19}, src.Image(), false, false, 2, 2, {2, 0, 3, 0});
  const TPixelBuffer px = canvas.Read();
  for (int x = 0; x < 40; ++x) {
    int expected;
    if (x < 2)
      expected = x;
    else if (x >= 37)
      expected = 6 + (x - 37);
    else
      expected = 2 + (x - 2) % 4;
    for (int y = 0; y < 18; ++y) ASSERT_EQ(ColumnOf(px.GetPixel(4 + x, 1 + y)), expected) << x << "," << y;
    EXPECT_EQ(RowOf(px.GetPixel(4 + x, 1)), 0);
    EXPECT_EQ(RowOf(px.GetPixel(4 + x, 18)), 8);
  }
  EXPECT_EQ(px.GetPixel(3, 5), 0x123456u);
  EXPECT_EQ(px.GetPixel(44, 5), 0x123456u);
}

TEST(FrameImages, StretchedAndCentred) {
  TSource src(TwoFrameStrip());
  TTestCanvas canvas(40, 40, 0x123456);
  DrawFrameImage(canvas.Dc.get(), {0, 0, 18, 18}, src.Image(), false, 2, 2);
  TPixelBuffer px = canvas.Read();
  for (int y = 0; y < 18; ++y)
    for (int x = 0; x < 18; ++x) ASSERT_EQ(px.GetPixel(x, y), F2(x / 2, y / 2)) << x << "," << y;

  // 9 x 9 frame in a 14 x 12 target at (20, 20): offsets 5 div 2 and 3 div 2.
  DrawFrameCentered(canvas.Dc.get(), {20, 20, 34, 32}, src.Image(), false, 2, 2);
  px = canvas.Read();
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 9; ++x) ASSERT_EQ(px.GetPixel(22 + x, 21 + y), F2(x, y));
  EXPECT_EQ(px.GetPixel(21, 21), 0x123456u);
  EXPECT_EQ(px.GetPixel(22, 20), 0x123456u);
  EXPECT_EQ(px.GetPixel(31, 29), 0x123456u);
}

TEST(ColourKey, DestinationUnchangedUnderEveryMagentaPixel) {
  // Source: magenta on a pattern of its pixels, near-magenta colours elsewhere.
  TPixelBuffer s(23, 17, 32);
  for (int y = 0; y < 17; ++y)
    for (int x = 0; x < 23; ++x) {
      const bool key = (x * 7 + y * 3) % 5 < 2 || x == 0 || y == 16;
      s.SetPixel(x, y, key ? Magenta : ((x + y) % 3 == 0 ? 0xFF01FFu : RGB(x * 9, y * 13, 40)));
    }
  TSource src(s);
  const auto destColour = [](int x, int y) { return static_cast<uint32_t>(RGB(200 - x, 100 + y, x * 3)); };
  using Copy = void (*)(HDC, const RECT&, const TSkinSource&, COLORREF);
  for (Copy copy : {static_cast<Copy>(DrawTransparent), static_cast<Copy>(DrawTransparentThreePass)}) {
    TTestCanvas canvas(40, 30, 0);
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 40; ++x) SetPixel(canvas.Dc.get(), x, y, destColour(x, y));
    SetBkColor(canvas.Dc.get(), RGB(1, 2, 3));
    SetTextColor(canvas.Dc.get(), RGB(4, 5, 6));
    copy(canvas.Dc.get(), {10, 8, 40, 30}, src.Image(), SkinKeyColour);
    const TPixelBuffer px = canvas.Read();
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 40; ++x) {
        const bool inside = x >= 10 && x < 33 && y >= 8 && y < 25;
        const uint32_t expected =
            inside && s.GetPixel(x - 10, y - 8) != Magenta ? s.GetPixel(x - 10, y - 8) : destColour(x, y);
        ASSERT_EQ(px.GetPixel(x, y), expected) << x << "," << y;
      }
    EXPECT_EQ(GetBkColor(canvas.Dc.get()), RGB(1, 2, 3));
    EXPECT_EQ(GetTextColor(canvas.Dc.get()), RGB(4, 5, 6));
  }
}

TEST(ColourKey, KeyedPrimitivesShowTheDestinationThroughMagenta) {
  TPixelBuffer s(12, 6, 32);  // two 6 x 6 frames, frame 2 magenta with a 2 x 2 blue centre
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 12; ++x) s.SetPixel(x, y, x >= 8 && x < 10 && y >= 2 && y < 4 ? 0xFF0000u : Magenta);
  TSource src(s);
  TTestCanvas canvas(30, 30, 0x00AA00);
  DrawSkinImage(canvas.Dc.get(), {0, 0, 12, 12}, src.Image(), false, false, true, 2, 2, {2, 2, 2, 2});
  DrawFrameImage(canvas.Dc.get(), {12, 0, 24, 12}, src.Image(), true, 2, 2);
  DrawFrameCentered(canvas.Dc.get(), {0, 12, 12, 24}, src.Image(), true, 2, 2);
  DrawSkinBar(canvas.Dc.get(), {12, 12, 30, 18}, src.Image(), false, true, 2, 2, {2, 0, 2, 0});
  const TPixelBuffer px = canvas.Read();
  std::set<uint32_t> colours;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x) colours.insert(px.GetPixel(x, y));
  EXPECT_EQ(colours, (std::set<uint32_t>{0x00AA00u, 0xFF0000u}));
  EXPECT_EQ(px.GetPixel(6, 6), 0xFF0000u);   // nine-slice centre
  EXPECT_EQ(px.GetPixel(18, 5), 0xFF0000u);  // stretched frame
  EXPECT_EQ(px.GetPixel(5, 17), 0xFF0000u);  // centred frame: (3 + 2, 15 + 2)
  EXPECT_EQ(px.GetPixel(4, 17), 0x00AA00u);
  EXPECT_EQ(px.GetPixel(15, 14), 0xFF0000u);  // bar middle slot
  EXPECT_EQ(px.GetPixel(0, 0), 0x00AA00u);
}

TEST(TileImage, WholeTilesFromTheSourceRectangle) {
  TSource src(TwoFrameStrip());
  TTestCanvas canvas(20, 20, 0x123456);
  TileImage(canvas.Dc.get(), {1, 2, 12, 9}, src.Image(), {10, 1, 14, 4});  // 4 x 3 tiles
  const TPixelBuffer px = canvas.Read();
  // Columns 1..12 (three whole tiles), rows 2..10 (three whole tiles).
  for (int y = 2; y < 11; ++y)
    for (int x = 1; x < 13; ++x)
      ASSERT_EQ(px.GetPixel(x, y), F2(1 + (x - 1) % 4, 1 + (y - 2) % 3)) << x << "," << y;
  EXPECT_EQ(px.GetPixel(13, 5), 0x123456u);
  EXPECT_EQ(px.GetPixel(5, 11), 0x123456u);
  TTestCanvas untouched(8, 8, 0x123456);
  TileImage(untouched.Dc.get(), {0, 0, 8, 8}, src.Image(), {3, 3, 3, 6});
  EXPECT_EQ(untouched.Read().GetPixel(0, 0), 0x123456u);
}

TEST(BitmapToRegion, ManyRunsEqualTheOneBatchRegion) {
  // A checkerboard: 50 runs per row, 3500 in all, so the result is combined from two batches.
  TPixelBuffer px(100, 70, 32);
  for (int y = 0; y < 70; ++y)
    for (int x = 0; x < 100; ++x) px.SetPixel(x, y, (x + y) % 2 ? Magenta : 0x336699u);
  px.SetPixel(1, 0, 0xFF01FF);  // within the tolerance: still transparent
  TBitmapHandle bmp = DibFrom(px);
  TRegionHandle rgn = BitmapToRegion(bmp.get(), 7, -3, 1, 1, 1, SkinKeyColour);
  ASSERT_TRUE(rgn);

  const std::vector<TSkinRect> runs = OpaqueRuns(px, 7, -3, TKeyRange{});
  ASSERT_GT(runs.size(), 2000u);
  std::vector<uint8_t> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
  auto* hdr = reinterpret_cast<RGNDATAHEADER*>(data.data());
  *hdr = {sizeof(RGNDATAHEADER), RDH_RECTANGLES, static_cast<DWORD>(runs.size()), 0, {7, -3, 107, 67}};
  auto* rects = reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER));
  for (size_t i = 0; i < runs.size(); ++i) rects[i] = ToRect(runs[i]);
  TRegionHandle one(
      ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<RGNDATA*>(data.data())));
  ASSERT_TRUE(one);
  EXPECT_TRUE(EqualRgn(rgn.get(), one.get()));

  EXPECT_TRUE(PtInRegion(rgn.get(), 7, -3));
  EXPECT_FALSE(PtInRegion(rgn.get(), 8, -3));
  EXPECT_FALSE(PtInRegion(rgn.get(), 9, -2));
  EXPECT_TRUE(PtInRegion(rgn.get(), 106, 66));
  EXPECT_FALSE(PtInRegion(rgn.get(), 0, 0));
  RECT box{};
  EXPECT_EQ(GetRgnBox(rgn.get(), &box), COMPLEXREGION);
  EXPECT_EQ(box.left, 7);
  EXPECT_EQ(box.bottom, 67);
}

TEST(BitmapToRegion, ShapesAndEmptyImages) {
  // A 1024 x 30 strip with 3 x 3 transparent corners.
  TPixelBuffer strip(1024, 30, 24);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 1024; ++x) {
      const bool corner = (x < 3 || x >= 1021) && (y < 3 || y >= 27);
      strip.SetPixel(x, y, corner ? Magenta : 0x808080u);
    }
  TRegionHandle rgn = BitmapToRegion(strip, 0, 0, TKeyRange{});
  ASSERT_TRUE(rgn);
  TRegionHandle expected(CreateRectRgn(3, 0, 1021, 30));
  TRegionHandle body(CreateRectRgn(0, 3, 1024, 27));
  CombineRgn(expected.get(), expected.get(), body.get(), RGN_OR);
  EXPECT_TRUE(EqualRgn(rgn.get(), expected.get()));

  TPixelBuffer clear(5, 5, 32);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x) clear.SetPixel(x, y, Magenta);
  TRegionHandle none = BitmapToRegion(clear, 0, 0, TKeyRange{});
  ASSERT_TRUE(none);
  RECT box{};
  EXPECT_EQ(GetRgnBox(none.get(), &box), NULLREGION);
}

// A region that cannot be built from pixels is no region: an empty one as a window region
// would make the window invisible, while none lets the caller keep its rectangle.
TEST(BitmapToRegion, UnreadableBitmapsGiveNoRegion) {
  // A brush passes GetObject with a 1 x 4 "size" (its style, colour, hatch), then GetDIBits fails.
  TBrushHandle hatch(CreateHatchBrush(HS_CROSS, RGB(1, 0, 0)));
  const HBITMAP notABitmap = reinterpret_cast<HBITMAP>(hatch.get());
  TBitmapHandle gone(CreateBitmap(8, 8, 1, 32, nullptr));
  const HBITMAP stale = gone.get();
  gone.reset();  // the handle no longer names a bitmap: GetObject fails
  for (HBITMAP h : {static_cast<HBITMAP>(nullptr), stale, notABitmap})
    EXPECT_FALSE(BitmapToRegion(h, 0, 0, 1, 1, 1, SkinKeyColour)) << h;

  // Still selected into a DC (the case that made windows vanish): the right region or none.
  TTestCanvas canvas(6, 3, 0x336699);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 6; ++x) SetPixelV(canvas.Dc.get(), x, y, y == 1 ? SkinKeyColour : RGB(9, 9, 9));
  GdiFlush();
  TRegionHandle rgn = BitmapToRegion(canvas.Bitmap.get(), 0, 0, 1, 1, 1, SkinKeyColour);
  if (rgn) {
    TRegionHandle expected(CreateRectRgn(0, 0, 6, 1));
    TRegionHandle bottom(CreateRectRgn(0, 2, 6, 3));
    CombineRgn(expected.get(), expected.get(), bottom.get(), RGN_OR);
    EXPECT_TRUE(EqualRgn(rgn.get(), expected.get()));
  }
}

// A frame piece whose region cannot be made keeps its place in the window's region as its
// rectangle; one that can is cut along its key colour.
TEST(PieceRegion, TheRectangleWhenThePiecesRegionCannotBeMade) {
  const TSkinRect at{10, 20, 16, 23};
  TBrushHandle brush(CreateSolidBrush(RGB(1, 2, 3)));
  TBitmapHandle gone(CreateBitmap(6, 3, 1, 32, nullptr));
  const HBITMAP stale = gone.get();
  gone.reset();
  TRegionHandle rect(CreateRectRgn(10, 20, 16, 23));
  for (HBITMAP h : {static_cast<HBITMAP>(nullptr), stale, reinterpret_cast<HBITMAP>(brush.get())}) {
    TRegionHandle rgn = PieceRegion(h, at);
    ASSERT_TRUE(rgn) << h;
    EXPECT_TRUE(EqualRgn(rgn.get(), rect.get())) << h;
  }
  TTestCanvas canvas(6, 3, 0x336699);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 6; ++x) SetPixelV(canvas.Dc.get(), x, y, x == 0 ? SkinKeyColour : RGB(9, 9, 9));
  GdiFlush();
  SelectObject(canvas.Dc.get(), canvas.Old);  // out of its DC, so its pixels can be read
  TRegionHandle shaped = PieceRegion(canvas.Bitmap.get(), at);
  TRegionHandle expected(CreateRectRgn(11, 20, 16, 23));
  ASSERT_TRUE(shaped);
  EXPECT_TRUE(EqualRgn(shaped.get(), expected.get())) << "the key column is cut";
}

TEST(Resources, GdiObjectCountUnchangedAfterTenThousandDraws) {
  TSource src(TwoFrameStrip());
  TPixelBuffer shape(16, 4, 32);
  for (int x = 0; x < 16; ++x) shape.SetPixel(x, 1, Magenta);
  TBitmapHandle shapeBmp = DibFrom(shape);
  TTestCanvas canvas(64, 32, 0);
  const HDC dc = canvas.Dc.get();
  DWORD before = 0;
  for (int i = -9; i < 10000; ++i) {
    if (i == 0) before = GdiObjectsInUse();  // after one warm-up round of every primitive
    const int k = i < 0 ? i + 9 : i;
    switch (k % 9) {
      case 0:
        DrawSkinRect({0, 0, 20, 10}, src.Image(), {3, 3, 3, 3}, false, k % 2, 2, 2);
        break;
      case 1:
        DrawSkinImage(dc, {0, 0, 20, 10}, src.Image(), false, true, k % 2, 2, 2, {3, 3, 3, 3});
        break;
      case 2:
        DrawSkinBorder(dc, {0, 0, 20, 10}, src.Image(), false, 2, 2, {3, 3, 3, 3});
        break;
      case 3:
        DrawSkinBar(dc, {0, 0, 30, 10}, src.Image(), false, k % 2, 2, 2, {2, 0, 2, 0});
        break;
      case 4:
        DrawFrameImage(dc, {0, 0, 20, 10}, src.Image(), k % 2, 2, 1);
        break;
      case 5:
        DrawFrameCentered(dc, {0, 0, 20, 10}, src.Image(), k % 2, 2, 1);
        break;
      case 6:
        DrawTransparent(dc, {0, 0, 20, 10}, src.Image(), SkinKeyColour);
        break;
      case 7:
        BitmapToRegion(shapeBmp.get(), 0, 0, 1, 1, 1, SkinKeyColour);
        break;
      case 8:
        TileImage(dc, {0, 0, 20, 10}, src.Image(), {9, 0, 12, 3});
        break;
    }
  }
  EXPECT_GT(before, 0u);
  EXPECT_EQ(GdiObjectsInUse(), before);
  DrawSkinImage(dc, {0, 0, 9, 9}, src.Image(), false, false, false, 2, 2, {3, 3, 3, 3});
  EXPECT_EQ(canvas.Read().GetPixel(8, 8), F2(8, 8));
}
