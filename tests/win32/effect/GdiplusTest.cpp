// GDI+ pictures for real: decoding the default picture, thumbnails, tint, GDI bitmaps,
// and the empty picture a missing file must give.
#include <gtest/gtest.h>

#include <vector>

#include "effect/uGDIUtils_win.h"
#include "support/ExeDir_win.h"
#include "support/ScriptedRandom.h"

extern "C" int WINAPI GdipBitmapGetPixel(gdip::GpImage* bitmap, INT x, INT y, DWORD* argb);

namespace {

std::vector<DWORD> Pixels(const TGPImage& image) {
  std::vector<DWORD> px;
  for (uint32_t y = 0; y < image.Height(); ++y)
    for (uint32_t x = 0; x < image.Width(); ++x) {
      DWORD c = 0;
      GdipBitmapGetPixel(image.Native(), static_cast<INT>(x), static_cast<INT>(y), &c);
      px.push_back(c);
    }
  return px;
}

std::wstring Wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

}  // namespace

TEST(GdiPictures, DefaultPictureDecodesWithItsOwnSoftAlpha) {
  TGPBitmap ball(Wide(BallPath()));
  ASSERT_EQ(ball.Width(), 32u) << BallPath();
  ASSERT_EQ(ball.Height(), 32u);
  const auto px = Pixels(ball);
  int clear = 0, soft = 0, solid = 0;
  for (DWORD c : px) {
    const DWORD a = c >> 24;
    clear += a == 0;
    soft += a > 0 && a < 255;
    solid += a == 255;
  }
  EXPECT_GT(clear, 50);
  EXPECT_GT(soft, 40);
  EXPECT_GT(solid, 500);
  EXPECT_EQ(ball.LastStatus(), gdip::Ok);
}

TEST(GdiPictures, TintScreenBlendsColourAndKeepsAlpha) {
  TGPBitmap plain(Wide(BallPath()));
  TGPBitmap tinted(Wide(BallPath()));
  ASSERT_TRUE(tinted.Tint(/*red*/ 255, /*green*/ 0, /*blue*/ 128));
  const auto a = Pixels(plain), b = Pixels(tinted);
  ASSERT_EQ(a.size(), b.size());
  int checked = 0;
  for (size_t i = 0; i < a.size(); ++i) {
    ASSERT_EQ(a[i] >> 24, b[i] >> 24) << "alpha of pixel " << i;
    if ((a[i] >> 24) != 255) continue;                  // colour of see-through pixels is not kept exactly
    EXPECT_EQ((b[i] >> 16) & 0xFF, 255u);               // red tint 255
    EXPECT_EQ((b[i] >> 8) & 0xFF, (a[i] >> 8) & 0xFF);  // green untouched
    EXPECT_EQ(b[i] & 0xFF, ScreenBlend(a[i] & 0xFF, 128));  // blue blended
    ++checked;
  }
  EXPECT_GT(checked, 500);

  TGPBitmap same(Wide(BallPath()));
  ASSERT_TRUE(same.Tint(0, 0, 0));
  EXPECT_EQ(Pixels(same), a);
}

TEST(GdiPictures, ScaledCopyHasExactlyTheRoundedSize) {
  TGPBitmap ball(Wide(BallPath()));
  struct Case {
    float scale;
    uint32_t side;
  };
  for (Case c : {Case{0.1f, 3}, Case{0.17f, 5}, Case{0.4913f, 16}, Case{0.8352f, 27}, Case{1.0f, 32}}) {
    auto copy = ScaledCopy(ball, c.scale);
    EXPECT_EQ(copy->Width(), c.side) << c.scale;
    EXPECT_EQ(copy->Height(), c.side) << c.scale;
    auto* gp = dynamic_cast<TGPImage*>(copy.get());
    ASSERT_NE(gp, nullptr);
    TBitmapHandle bmp = gp->MakeHBitmap(0);
    ASSERT_TRUE(bmp);
    BITMAP info{};
    GetObjectA(bmp.get(), sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, static_cast<LONG>(c.side));
    EXPECT_EQ(info.bmBitsPixel, 32);
  }
  EXPECT_EQ(ScaledCopy(ball, 0.0f)->Width(), 0u);
}

TEST(GdiPictures, MissingFileIsAnEmptyPictureEverywhere) {
  TGPBitmap none(L"Z:\\no\\such\\picture.png");
  EXPECT_EQ(none.Width(), 0u);
  EXPECT_EQ(none.Height(), 0u);
  EXPECT_NE(none.LastStatus(), gdip::Ok);
  EXPECT_FALSE(none.Tint(10, 20, 30));
  EXPECT_FALSE(none.MakeHBitmap(0));
  auto scaled = ScaledCopy(none, 1.0f);
  EXPECT_EQ(scaled->Width(), 0u);
  EXPECT_EQ(scaled->Height(), 0u);
  EXPECT_EQ(none.Thumbnail(4, 4)->Width(), 0u);
}

TEST(GdiPictures, LoadTintedPictureDrawsBlueGreenRed) {
  TScriptedRandom script({0, 0, 254});
  auto picture = LoadTintedPicture(BallPath());
  EXPECT_EQ(script.Ranges, (std::vector<int>{255, 255, 255}));
  ASSERT_EQ(picture->Width(), 32u);
  for (DWORD c : Pixels(*picture)) {
    if ((c >> 24) == 255) {
      EXPECT_GE((c >> 16) & 0xFF, 254u);  // red tint 254 brightens red fully
    }
  }
  // A missing file still costs its three draws and yields an empty picture.
  auto none = LoadTintedPicture("Z:/missing.png");
  EXPECT_EQ(none->Width(), 0u);
  EXPECT_EQ(script.Ranges.size(), 6u);
}
