#include <gtest/gtest.h>

#include "PixelHelpers.h"
#include "skin/data/ImgUtil_win.h"
#include "skin/forms/SkinDrawBitmap_win.h"

namespace {
void Fill(TBitmap& bmp, uint32_t (*colour)(int, int)) {
  TPixelBuffer px(bmp.Width(), bmp.Height(), bmp.BitsPerPixel());
  for (int y = 0; y < px.Height; ++y)
    for (int x = 0; x < px.Width; ++x) px.SetPixel(x, y, colour(x, y));
  bmp.LoadFromPixelBuffer(px);
}
uint32_t Numbered(int x, int y) { return 0x010000u * (y + 1) + static_cast<uint32_t>(x + 1); }
}  // namespace

TEST(BitmapTransforms, ApplyToTBitmapInPlace) {
  TBitmap bmp(3, 2, pf24bit);
  Fill(bmp, Numbered);
  RotateLeft(bmp);
  ASSERT_EQ(bmp.Width(), 2);
  ASSERT_EQ(bmp.Height(), 3);
  EXPECT_EQ(bmp.ToPixelBuffer().GetPixel(0, 0), Numbered(2, 0));  // old top-right
  RotateRight(bmp);
  MirrorHorz(bmp);
  FlipVert(bmp);
  const TPixelBuffer px = bmp.ToPixelBuffer();
  EXPECT_EQ(px.GetPixel(0, 0), Numbered(2, 1));
  EXPECT_EQ(px.GetPixel(2, 1), Numbered(0, 0));

  TBitmap deep(2, 1, pf32bit);
  Fill(deep, [](int, int) -> uint32_t { return RGB(31, 20, 10); });
  MakeGray(deep);
  EXPECT_EQ(deep.PixelFormat(), pf24bit);
  EXPECT_EQ(deep.ToPixelBuffer().GetPixel(1, 0), 0x141414u);

  TBitmap empty;
  RotateLeft(empty);
  MakeGray(empty);
  EXPECT_TRUE(empty.Empty());
}

TEST(BitmapPrimitives, WrappersReadTheBitmapThroughItsCanvas) {
  TBitmap strip(8, 4, pf24bit);  // two 4 x 4 frames: red, then blue with a magenta corner
  Fill(strip, [](int x, int y) -> uint32_t {
    return x < 4 ? 0x0000FFu : (x == 4 && y == 0 ? 0xFF00FFu : 0xFF0000u);
  });
  strip.Canvas()->Handle();  // the bitmap is now selected into its own canvas DC

  std::unique_ptr<TBitmap> rendered = DrawSkinRect({0, 0, 10, 6}, strip, {1, 1, 1, 1}, false, false, 2, 2);
  ASSERT_EQ(rendered->Width(), 10);
  ASSERT_EQ(rendered->Height(), 6);
  const TPixelBuffer px = rendered->ToPixelBuffer();
  EXPECT_EQ(px.GetPixel(0, 0), 0xFF00FFu);
  EXPECT_EQ(px.GetPixel(9, 5), 0xFF0000u);

  TBitmap target(12, 12, pf24bit);
  Fill(target, [](int, int) -> uint32_t { return 0x00FF00u; });
  TCanvas* canvas = target.Canvas();
  DrawSkinImage(canvas->Handle(), {1, 1, 11, 7}, strip, false, false, true, 2, 2, {1, 1, 1, 1});
  DrawSkinBar(*canvas, {0, 8, 12, 12}, strip, false, false, 2, 1, {1, 0, 1, 0});
  const TPixelBuffer t = target.ToPixelBuffer();
  EXPECT_EQ(t.GetPixel(1, 1), 0x00FF00u);  // keyed corner shows the green below
  EXPECT_EQ(t.GetPixel(2, 1), 0xFF0000u);
  EXPECT_EQ(t.GetPixel(5, 10), 0x0000FFu);

  TRegionHandle rgn = BitmapToRegion(strip, 0, 0, 1, 1, 1, clFuchsia);
  ASSERT_TRUE(rgn);
  EXPECT_FALSE(PtInRegion(rgn.get(), 4, 0));
  EXPECT_TRUE(PtInRegion(rgn.get(), 5, 0));
  EXPECT_TRUE(PtInRegion(rgn.get(), 7, 3));
}

TEST(BitmapPrimitives, RegionOfPaddedRowsMatchesThePixels) {
  // 13 pixels of 3 bytes leave a padded row; an asymmetric shape shows a row order mix-up.
  for (TPixelFormat format : {pf24bit, pf32bit}) {
    TBitmap bmp(13, 7, format);
    Fill(bmp, [](int x, int y) -> uint32_t { return x >= y * 2 && x != 6 ? 0x204060u : 0xFF00FFu; });
    TRegionHandle rgn = BitmapToRegion(bmp, 2, 1, 1, 1, 1, clFuchsia);
    TRegionHandle reference = BitmapToRegion(bmp.ToPixelBuffer(), 2, 1, TKeyRange{});
    ASSERT_TRUE(rgn);
    EXPECT_TRUE(EqualRgn(rgn.get(), reference.get()));
    EXPECT_TRUE(PtInRegion(rgn.get(), 14, 1));
    EXPECT_FALSE(PtInRegion(rgn.get(), 8, 1));
    EXPECT_FALSE(PtInRegion(rgn.get(), 2, 2));
    EXPECT_TRUE(PtInRegion(rgn.get(), 14, 7));
  }
  TBitmap empty;
  TRegionHandle none = BitmapToRegion(empty, 0, 0, 1, 1, 1, clFuchsia);
  ASSERT_TRUE(none);
  RECT box{};
  EXPECT_EQ(GetRgnBox(none.get(), &box), NULLREGION);
}

TEST(TextHelpers, ConvertAndDrawWideText) {
  std::string ascii;
  for (char c = 0x20; c < 0x7F; ++c) ascii += c;
  const std::wstring wide = AnsiToWide(ascii);
  ASSERT_EQ(wide.size(), ascii.size());
  EXPECT_EQ(wide[33], L'A');
  EXPECT_EQ(WideToAnsi(wide), ascii);
  EXPECT_EQ(AnsiToWide(""), L"");
  EXPECT_EQ(WideToAnsi(L""), "");

  TBitmap bmp(200, 40, pf24bit);
  HDC dc = bmp.Canvas()->Handle();
  RECT wideRect{0, 0, 200, 40}, ansiRect{0, 0, 200, 40};
  const int h = DrawTextWide(dc, L"Skinned text", wideRect, DT_CALCRECT | DT_SINGLELINE);
  const int ha = DrawTextA(dc, "Skinned text", -1, &ansiRect, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_GT(h, 0);
  EXPECT_EQ(h, ha);
  EXPECT_EQ(wideRect.right, ansiRect.right);
  // Only the given characters are drawn: a text cut with WideLeft measures like the cut text.
  RECT cut{0, 0, 200, 40}, three{0, 0, 200, 40};
  DrawTextWide(dc, WideLeft(L"Skinned", 3), cut, DT_CALCRECT | DT_SINGLELINE);
  DrawTextA(dc, "Ski", -1, &three, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(cut.right, three.right);
  EXPECT_LT(cut.right, wideRect.right);
}
