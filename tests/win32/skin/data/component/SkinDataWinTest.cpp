#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "skin/data/SkinData_win.h"
#include "skin/data/SkinRead.h"
#include "skin/forms/SkinDrawBitmap_win.h"
#include "support/StoredSkinStream.h"
#include "tools/skintool/ArchiveWriter.h"
#include "ui/BmpDecode.h"

namespace {

std::vector<uint8_t> SmallArchive(int32_t version) {
  TPixelBuffer top(10, 20, 24);
  return PackArchive({{"top.bmp", EncodeBmp(top)}, {"skin.ini", {}}}, version);
}

// Every skin handler needs the data model's image and the drawing primitives' source in one
// file: a loaded element's image is drawn straight through the primitives.
TEST(SkinDataWin, LoadedImagesDrawThroughThePrimitives) {
  TSkinData d(nullptr);
  d.BeginLoading();
  d.SetActive(true);
  ASSERT_TRUE(ReadSkinStreamResource(d, GetModuleHandleA(nullptr)));
  d.Loaded();
  ASSERT_NE(d.BorderLeft, nullptr);
  TBitmap& left = SkinBitmap(*d.BorderLeft->Image);
  const TSkinSource src = SkinSourceOf(left);
  EXPECT_EQ(src.Width, left.Width());
  EXPECT_EQ(src.Height, left.Height());
  ASSERT_NE(src.Dc, nullptr);
  EXPECT_EQ(GetPixel(src.Dc, 0, 0), RGB(255, 0, 255)) << "the same pixels the model holds";
}

TEST(SkinDataWin, LoadsTheBuiltInSkinFromTheExecutable) {
  TSkinData d(nullptr);
  d.BeginLoading();
  d.SetActive(true);
  ASSERT_TRUE(ReadSkinStreamResource(d, GetModuleHandleA(nullptr)));
  d.Loaded();
  EXPECT_FALSE(d.NoSkin);
  EXPECT_TRUE(d.Active());
  EXPECT_EQ(d.SkinName, "Lumetta Mist");
  // Skin images are device bitmaps holding the archive's pixels.
  TBitmap& top = SkinBitmap(*d.BorderTop->Image);
  EXPECT_NE(top.Handle(), nullptr);
  EXPECT_EQ(top.Height(), 60);
  const TPixelBuffer left = d.BorderLeft->Image->Pixels();
  EXPECT_EQ(left.GetPixel(0, 0), 0xFF00FFu);
  EXPECT_EQ(d.ComboButton->Image->Width(), 50 * 4);
  EXPECT_EQ(d.ComboButton->RightWidth, GetSystemMetrics(SM_CXHSCROLL) + 4);
  // The face brush paints the skin's button face.
  LOGBRUSH lb{};
  ASSERT_NE(d.ButtonFaceBrush, 0u);
  ASSERT_EQ(GetObjectA(ButtonFaceBrushHandle(d), sizeof lb, &lb), static_cast<int>(sizeof lb));
  EXPECT_EQ(lb.lbColor, d.ColorButtonFace);
  // The menu glyphs come from the same resources: four 16 x 16 cells, black on white.
  ASSERT_EQ(d.MenuGlyphs->Width(), 64);
  ASSERT_EQ(d.MenuGlyphs->Height(), 16);
  const TPixelBuffer glyphs = d.MenuGlyphs->Pixels();
  EXPECT_EQ(glyphs.GetPixel(0, 0), 0xFFFFFFu);
  EXPECT_EQ(glyphs.GetPixel(48 + 4, 4), 0x000000u) << "the close cross starts at the cell's top left";
  EXPECT_EQ(glyphs.GetPixel(32 + 6, 11), 0x000000u) << "the minimize bar";
  TImageList& list = MenuGlyphImages(d);
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(&MenuGlyphImages(d), &list) << "made once";
}

TEST(SkinDataWin, OtherVersionLeavesNoSkinAndActiveOff) {
  std::vector<std::string> messages;
  TSkinMessageHook previous = SetSkinMessageHook([&](const std::string& m) { messages.push_back(m); });
  TSkinData d(nullptr);
  d.BeginLoading();
  d.SetActive(true);
  TMemoryStream s(StoredSkinStream(SmallArchive(19999)));
  d.ReadSkinStream(s);
  d.Loaded();
  SetSkinMessageHook(previous);
  EXPECT_TRUE(d.NoSkin);
  EXPECT_FALSE(d.Active());
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_EQ(d.ButtonFaceBrush, 0u) << "no skin was read, so no brush was made";
}

TEST(SkinDataWin, MissingSkinFileIsIgnored) {
  TSkinData d(nullptr);
  ASSERT_TRUE(ReadSkinStreamResource(d, GetModuleHandleA(nullptr)));
  const int64_t stored = d.SkinArchive.GetSize();
  d.SetSkinFile("Z:\\no\\such\\folder\\skin.skn");
  EXPECT_EQ(d.SkinArchive.GetSize(), stored);
  EXPECT_EQ(d.SkinFile(), "Z:\\no\\such\\folder\\skin.skn");
  EXPECT_EQ(d.SkinName, "Lumetta Mist") << "the loaded skin stays in memory";
}

TEST(SkinDataWin, BrushOfASystemColourUsesThatColour) {
  ISkinPlatform& p = GdiSkinPlatform();
  const uintptr_t brush = p.CreateBrush(SysColourRef(COLOR_BTNFACE));
  ASSERT_NE(brush, 0u);
  LOGBRUSH lb{};
  GetObjectA(reinterpret_cast<HBRUSH>(brush), sizeof lb, &lb);
  EXPECT_EQ(lb.lbColor, GetSysColor(COLOR_BTNFACE));
  p.DeleteBrush(brush);
  EXPECT_EQ(p.HScrollArrowWidth(), GetSystemMetrics(SM_CXHSCROLL));
}

TEST(SkinDataWin, ImagesEmptyAndRefill) {
  auto image = GdiSkinPlatform().NewImage();
  EXPECT_TRUE(image->Empty());
  TPixelBuffer p(3, 2, 24);
  p.SetPixel(2, 1, 0x123456);
  image->Assign(p);
  EXPECT_EQ(image->Width(), 3);
  EXPECT_EQ(image->Pixels().GetPixel(2, 1), 0x123456u);
  image->Clear();
  EXPECT_TRUE(image->Empty());
}

}  // namespace
