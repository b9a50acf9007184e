// What one skin load may cost and what a bad or foreign bitmap does to it: images past the
// load's bitmap memory and images that cannot be read leave only their own element
// unskinned; bitmaps of other writers (16-bit, run-length, bit fields) load like ours;
// FreeElements leaves nothing of a loaded skin.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/ui_gfx/BmpBuilder.h"
#include "skin/data/SkinData.h"
#include "tests/host/skin_data/SkinTestArchive.h"

using skintest::Solid;
using skintest::TSkinArchive;

namespace {

struct SkinLoadTest : ::testing::Test {
  TSkinData Data{nullptr, SoftwareSkinPlatform()};
  void LoadOk(const TSkinArchive& a) { ASSERT_TRUE(skintest::Load(Data, a)); }
};

TSkinArchive& AddRaw(TSkinArchive& a, const std::string& name, std::vector<uint8_t> bytes) {
  a.Entries.push_back({name, std::move(bytes)});
  return a;
}

// The largest picture a bitmap may hold, 4096 x 4096, as a run-length stream that only says
// "end of bitmap": a few bytes in the archive, 48 MB decoded.
std::vector<uint8_t> LargestRunLengthBmp() {
  bmptest::TBmpSpec s;
  s.Width = 4096;
  s.Height = 4096;
  s.BitCount = 8;
  s.Compression = 1;
  s.ColorsUsed = 1;
  s.Palette = {0x336699};
  s.RawBits = {0, 1};
  return bmptest::Build(s, [](int, int) { return 0u; });
}

TEST_F(SkinLoadTest, BitmapsPastTheLoadsMemoryStayEmptyAndTheRestLoads) {
  TSkinArchive a;
  AddRaw(a, "big.bmp", LargestRunLengthBmp()).Bmp("small.bmp", Solid(10, 6));
  // One entry named by many keys: each key decodes it again.
  a.Ini(
      "[Personality]\nLeft=big.bmp\nRight=big.bmp\nTop=big.bmp\nBottom=small.bmp\n"
      "[Buttons]\nBitmap=big.bmp\nCheckButton=small.bmp\n"
      "[MenuItem]\nImage=small.bmp\n");
  LoadOk(a);
  EXPECT_EQ(Data.BorderLeft->Image->Width(), 4096);
  EXPECT_EQ(Data.BorderRight->Image->Width(), 4096);
  EXPECT_TRUE(Data.BorderTop->Image->Empty()) << "a third 48 MB image passes 128 MB";
  EXPECT_EQ(Data.BorderBottom->Image->Width(), 10) << "a small one still fits";
  EXPECT_TRUE(Data.Buttons->Image->Empty());
  EXPECT_EQ(Data.Buttons->CheckImage->Width(), 10);
  ASSERT_TRUE(Data.MenuItem);
  EXPECT_EQ(Data.MenuItem->Image->Width(), 10);
  EXPECT_EQ(Data.RefusedBitmaps, (std::vector<std::string>{"big.bmp", "big.bmp"}));
  EXPECT_FALSE(Data.NoSkin);

  // Each load has its own allowance: a skin that fits loads whole after one that did not.
  TSkinArchive fits;
  AddRaw(fits, "big.bmp", LargestRunLengthBmp()).Ini("[Personality]\nTop=big.bmp\n");
  LoadOk(fits);
  EXPECT_EQ(Data.BorderTop->Image->Height(), 4096);
  EXPECT_TRUE(Data.BorderLeft->Image->Empty());
  EXPECT_TRUE(Data.RefusedBitmaps.empty());
}

TEST(SkinBitmapBudget, TakesOnlyWhatIsLeft) {
  TSkinBitmapBudget budget;
  EXPECT_EQ(budget.BytesLeft, 128ll * 1024 * 1024);
  EXPECT_TRUE(budget.Take(100ll * 1024 * 1024));
  EXPECT_FALSE(budget.Take(28ll * 1024 * 1024 + 1));
  EXPECT_TRUE(budget.Take(28ll * 1024 * 1024));
  EXPECT_EQ(budget.BytesLeft, 0);
  EXPECT_TRUE(budget.Take(0));
}

// Bitmaps as other skin tools write them: each loads to the same pixels as ours would.
TEST_F(SkinLoadTest, ForeignBitmapsLoadAndUnreadableOnesLeaveOnlyTheirElementBare) {
  bmptest::TBmpSpec rle;
  rle.Width = 4;
  rle.Height = 2;
  rle.BitCount = 8;
  rle.Compression = 1;
  rle.ColorsUsed = 2;
  rle.Palette = {0xFF00FF, 0x204080};
  rle.RawBits = {4, 1, 0, 0, 2, 0, 2, 1, 0, 1};  // bottom row colour 1; top row 0, 0, 1, 1
  bmptest::TBmpSpec s565;
  s565.Width = 3;
  s565.Height = 1;
  s565.BitCount = 16;
  s565.Compression = 3;
  s565.Masks = {0xF800, 0x07E0, 0x001F};
  bmptest::TBmpSpec jpeg = s565;
  jpeg.Compression = 4;  // a JPEG inside a BMP: not something a skin can use

  TSkinArchive a;
  AddRaw(a, "rle.bmp", bmptest::Build(rle, [](int, int) { return 0u; }));
  AddRaw(a, "565.bmp", bmptest::Build(s565, [](int x, int) { return x == 0 ? 0xF800u : 0x07E0u; }));
  AddRaw(a, "jpeg.bmp", bmptest::Build(jpeg, [](int, int) { return 0u; }));
  a.Bmp("ok.bmp", Solid(5, 5, 0x123456));
  a.Ini(
      "[Toolbars]\nImage=rle.bmp\n[MenuItem]\nImage=565.bmp\n[Headerbar]\nImage=jpeg.bmp\n"
      "[Scrollbar]\nImage=ok.bmp\n");
  LoadOk(a);
  ASSERT_TRUE(Data.Toolbars && Data.MenuItem && Data.Headerbar && Data.Scrollbar);
  const TPixelBuffer r = Data.Toolbars->Image->Pixels();
  ASSERT_EQ(r.Width, 4);
  EXPECT_EQ(r.GetPixel(0, 0), 0xFF00FFu) << "the key colour, where the stream draws nothing";
  EXPECT_EQ(r.GetPixel(3, 0), 0x804020u);
  EXPECT_EQ(r.GetPixel(0, 1), 0x804020u);
  const TPixelBuffer m = Data.MenuItem->Image->Pixels();
  ASSERT_EQ(m.Width, 3);
  EXPECT_EQ(m.GetPixel(0, 0), 0x0000FFu);
  EXPECT_EQ(m.GetPixel(2, 0), 0x00FF00u);
  EXPECT_TRUE(Data.Headerbar->Image->Empty()) << "unreadable: only this element is bare";
  EXPECT_EQ(Data.Scrollbar->Image->Pixels().GetPixel(4, 4), 0x123456u);
  EXPECT_TRUE(Data.RefusedBitmaps.empty()) << "not a memory refusal";
}

TEST_F(SkinLoadTest, FreeElementsLeavesNothingOfTheLoadedSkin) {
  TSkinArchive a;
  a.Bmp("e.bmp", Solid(24, 8)).Bmp("btn.bmp", Solid(102, 17));
  std::string ini =
      "[Personality]\nLeft=e.bmp\nRight=e.bmp\nTop=e.bmp\nBottom=e.bmp\nTextBack=e.bmp\nmenuBar=e.bmp\n"
      "[Buttons]\nBitmap=e.bmp\nCheckButton=e.bmp\nRadioButton=e.bmp\n"
      "[Button0]\nAction=0\nButtonImage=btn.bmp\n"
      "[Progress]\nBitmap=e.bmp\n";
  for (const char* s :
       {"GroupBoxEdge",       "GroupBox",           "Toolbars",           "Tabs",
        "StatusBarEdges",     "ComboButton",        "SunkEdge",           "ExtraImages",
        "Headerbar",          "MenuItem",           "MenuBackground",     "Scrollbar",
        "HorzScroll",         "VertScroll",         "HorzScrollThumb",    "VertScrollThumb",
        "Trackbar.ThumbHorz", "Trackbar.ThumbVert", "Trackbar.ThumbLeft", "Trackbar.ThumbRight",
        "Trackbar.ThumbUp",   "Trackbar.ThumbDown", "UpDown.Horz",        "UpDown.Vert"})
    ini += std::string("[") + s + "]\nImage=e.bmp\n";
  a.Ini(ini);
  LoadOk(a);

  const std::vector<const void*> optional = {
      Data.Progress.get(),           Data.MenuBar.get(),           Data.GroupBoxEdge.get(),
      Data.GroupBox.get(),           Data.Toolbars.get(),          Data.Tabs.get(),
      Data.StatusBarEdges.get(),     Data.ComboButton.get(),       Data.SunkEdge.get(),
      Data.ExtraImages.get(),        Data.Headerbar.get(),         Data.MenuItem.get(),
      Data.MenuBackground.get(),     Data.Scrollbar.get(),         Data.HorzScroll.get(),
      Data.VertScroll.get(),         Data.HorzScrollThumb.get(),   Data.VertScrollThumb.get(),
      Data.TrackbarThumbHorz.get(),  Data.TrackbarThumbVert.get(), Data.TrackbarThumbLeft.get(),
      Data.TrackbarThumbRight.get(), Data.TrackbarThumbUp.get(),   Data.TrackbarThumbDown.get(),
      Data.UpDownHorz.get(),         Data.UpDownVert.get()};
  for (size_t i = 0; i < optional.size(); ++i)
    ASSERT_NE(optional[i], nullptr) << "element " << i << " loaded";
  ASSERT_EQ(Data.SysButtons.size(), 4u);
  ASSERT_FALSE(Data.BorderTop->Image->Empty());

  Data.FreeElements();
  EXPECT_TRUE(Data.NoSkin);
  EXPECT_TRUE(Data.SysButtons.empty());
  const std::vector<const void*> after = {
      Data.Progress.get(),           Data.MenuBar.get(),           Data.GroupBoxEdge.get(),
      Data.GroupBox.get(),           Data.Toolbars.get(),          Data.Tabs.get(),
      Data.StatusBarEdges.get(),     Data.ComboButton.get(),       Data.SunkEdge.get(),
      Data.ExtraImages.get(),        Data.Headerbar.get(),         Data.MenuItem.get(),
      Data.MenuBackground.get(),     Data.Scrollbar.get(),         Data.HorzScroll.get(),
      Data.VertScroll.get(),         Data.HorzScrollThumb.get(),   Data.VertScrollThumb.get(),
      Data.TrackbarThumbHorz.get(),  Data.TrackbarThumbVert.get(), Data.TrackbarThumbLeft.get(),
      Data.TrackbarThumbRight.get(), Data.TrackbarThumbUp.get(),   Data.TrackbarThumbDown.get(),
      Data.UpDownHorz.get(),         Data.UpDownVert.get()};
  for (size_t i = 0; i < after.size(); ++i) EXPECT_EQ(after[i], nullptr) << "element " << i << " freed";
  // The fixed elements stay, named, with no pictures.
  for (const TDataSkinBorder* b :
       {Data.BorderLeft.get(), Data.BorderRight.get(), Data.BorderTop.get(), Data.BorderBottom.get()}) {
    ASSERT_NE(b, nullptr);
    EXPECT_TRUE(b->Image->Empty()) << b->Name;
  }
  EXPECT_EQ(Data.BorderTop->Name, "Top");
  EXPECT_TRUE(Data.Title->Image->Empty());
  EXPECT_TRUE(Data.Buttons->Image->Empty());
  EXPECT_TRUE(Data.Buttons->CheckImage->Empty());
  EXPECT_TRUE(Data.Buttons->RadioImage->Empty());

  // The model loads again as before.
  LoadOk(a);
  EXPECT_FALSE(Data.NoSkin);
  EXPECT_EQ(Data.SysButtons.size(), 4u);
  EXPECT_TRUE(Data.UpDownVert);
  EXPECT_EQ(Data.BorderTop->Image->Width(), 24);
}

}  // namespace
