#include <gtest/gtest.h>

#include "ui/Graphics.h"
#include "ui/ImgList.h"

namespace {

TColor At(TBitmap& b, int x, int y) {
  const uint8_t* p = b.ScanLine(y) + x * (b.BitsPerPixel() / 8);
  return static_cast<TColor>(p[2]) | (static_cast<TColor>(p[1]) << 8) | (static_cast<TColor>(p[0]) << 16);
}

// The strip holds four 16 x 16 images on magenta: squares of red, green, blue and yellow at
// (4..11, 4..11), with index + 1 dark pixels along the top-left edge.
TEST(ImageList, FromABitmapResourceWithAMaskColour) {
  TComponent owner(nullptr);
  auto* list = new TImageList(&owner);
  list->LoadFromResourceName(GetModuleHandleA(nullptr), "STRIP16", clFuchsia);
  ASSERT_EQ(list->Count(), 4);
  EXPECT_EQ(list->Width(), 16);
  EXPECT_EQ(GetIntProperty(list, "Width"), 16);

  const TColor squares[4] = {clRed, clLime, clBlue, clYellow};
  TBitmap target(20, 20);
  for (int i = 0; i < 4; ++i) {
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect(RECT{0, 0, 20, 20});
    ASSERT_TRUE(list->Draw(*target.Canvas(), 2, 2, i));
    EXPECT_EQ(At(target, 2 + 8, 2 + 8), squares[i]) << i;
    EXPECT_EQ(At(target, 2 + 1, 2 + 14), clWhite) << "masked pixels stay out, image " << i;
    EXPECT_EQ(At(target, 2 + i, 2), 0x202020u) << "its own corner mark, image " << i;
    EXPECT_EQ(At(target, 2 + i + 1, 2), clWhite) << "and no more, image " << i;
  }
  EXPECT_FALSE(list->Draw(*target.Canvas(), 0, 0, 4));
  EXPECT_FALSE(list->Draw(*target.Canvas(), 0, 0, -1));

  TIcon icon;
  ASSERT_TRUE(list->GetIcon(2, icon));
  EXPECT_EQ(icon.Width(), 16);
  EXPECT_EQ(icon.Height(), 16);
  target.Canvas()->FillRect(RECT{0, 0, 20, 20});
  target.Canvas()->Draw(0, 0, icon);
  EXPECT_EQ(At(target, 8, 8), clBlue);
  EXPECT_EQ(At(target, 15, 15), clWhite) << "the icon carries the mask";
  EXPECT_FALSE(list->GetIcon(9, icon));

  TBitmap one;
  ASSERT_TRUE(list->GetBitmap(3, one));
  EXPECT_EQ(one.Width(), 16);
  EXPECT_EQ(At(one, 6, 6), clYellow);
}  // the owner frees the list

TEST(ImageList, ChangesAreAnnounced) {
  TImageList list(nullptr);
  int changes = 0;
  const int id = list.RegisterChanges([&] { ++changes; });
  TBitmap strip(40, 16);  // two whole images; the last 8 columns are dropped
  strip.Canvas()->Brush()->SetColor(clGreen);
  strip.Canvas()->FillRect(RECT{0, 0, 40, 16});
  EXPECT_EQ(list.AddMasked(strip, clDefault), 0);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.AddMasked(strip, clFuchsia), 2);
  EXPECT_EQ(changes, 2);
  list.Delete(0);
  list.Delete(10);  // nothing there: no change
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(changes, 3);
  list.UnRegisterChanges(id);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(changes, 3);

  TBitmap narrow(8, 16);
  EXPECT_EQ(list.AddMasked(narrow, clFuchsia), -1) << "narrower than one image";
  EXPECT_THROW(list.LoadFromResourceName(GetModuleHandleA(nullptr), "NOSTRIP", clFuchsia), EInvalidGraphic);
}

}  // namespace
