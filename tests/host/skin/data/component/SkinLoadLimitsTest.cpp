// What one skin load may cost and what a bad or foreign bitmap does to it: a skin with
// images past the load bounds is refused whole and the skin in use stays; images that cannot
// be read leave only their own element unskinned; bitmaps of other writers (16-bit,
// run-length, bit fields) load like ours; FreeElements leaves nothing of a loaded skin.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "host/ui/gfx/BmpBuilder.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinDataJson.h"
#include "tests/host/skin/data/component/SkinTestArchive.h"

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
std::vector<uint8_t> LargestRunLengthBmp() { return bmptest::EmptyRunLength(4096, 4096); }

// A skin in use that every refused load must leave alone.
TSkinArchive InUse() {
  TSkinArchive a;
  a.Bmp("edge.bmp", Solid(6, 9, 0x112233)).Bmp("btn.bmp", Solid(20, 5, 0x445566));
  a.Ini(
      "[TitlebarSkin]\nSkinName=In use\n[Personality]\nLeft=edge.bmp\nTop=edge.bmp\n"
      "[Buttons]\nBitmap=btn.bmp\n[MenuItem]\nImage=btn.bmp\n[Colours]\nButtonFace=1 2 3\n");
  return a;
}

void ExpectInUse(const TSkinData& d, const std::string& label) {
  EXPECT_EQ(d.SkinName, "In use") << label;
  EXPECT_EQ(d.BorderLeft->Image->Width(), 6) << label;
  EXPECT_EQ(d.BorderTop->Image->Pixels().GetPixel(0, 0), 0x112233u) << label;
  EXPECT_EQ(d.Buttons->Image->Width(), 20) << label;
  ASSERT_TRUE(d.MenuItem) << label;
  EXPECT_EQ(d.ColorButtonFace, 0x030201u) << label;
  EXPECT_FALSE(d.Toolbars) << label << ": nothing of the refused skin";
}

// Images past either bound (one image's pixels, or all images' memory together) are never
// decoded, the load fails naming each with its size and bound, and the skin in use stays
// whole; an unreadable bitmap is not a refusal.
TEST_F(SkinLoadTest, ASkinWithImagesTheBoundsRefuseIsNeverAppliedAndSaysWhy) {
  struct Case {
    const char* label;
    TSkinArchive archive;
    std::vector<TRefusedBitmap> refused;
    std::vector<std::string> inReason;
  };
  std::vector<Case> cases;
  {
    TSkinArchive a;
    AddRaw(a, "huge.bmp", bmptest::EmptyRunLength(40000, 30000)).Bmp("small.bmp", Solid(10, 6));
    a.Ini("[Personality]\nTop=huge.bmp\nBottom=small.bmp\n[Toolbars]\nImage=small.bmp\n");
    cases.push_back({"one image of gigabytes",
                     a,
                     {{"huge.bmp", 40000, 30000, true}},
                     {"huge.bmp is 40000 x 30000 pixels", "16777216 pixels (4096 x 4096) that one image"}});
  }
  {
    TSkinArchive a;
    AddRaw(a, "big.bmp", LargestRunLengthBmp()).Bmp("small.bmp", Solid(10, 6));
    // One entry named by many keys: each key decodes it again; the third and fourth pass 128 MB.
    a.Ini(
        "[Personality]\nLeft=big.bmp\nRight=big.bmp\nTop=big.bmp\nBottom=small.bmp\n"
        "[Buttons]\nBitmap=big.bmp\n[Toolbars]\nImage=small.bmp\n");
    cases.push_back({"images of 48 MB each, together past 128 MB",
                     a,
                     {{"big.bmp", 4096, 4096, false}, {"big.bmp", 4096, 4096, false}},
                     {"big.bmp (4096 x 4096 pixels) passes the bound of 128 MB"}});
  }
  for (Case& c : cases) {
    LoadOk(InUse());
    EXPECT_FALSE(skintest::Load(Data, c.archive)) << c.label;
    EXPECT_EQ(Data.LoadResult.Status, TSkinLoadStatus::ImagesRefused) << c.label;
    EXPECT_EQ(Data.RefusedBitmaps, c.refused) << c.label;
    for (const std::string& text : c.inReason)
      EXPECT_NE(Data.LoadResult.Reason.find(text), std::string::npos)
          << c.label << ": " << Data.LoadResult.Reason;
    EXPECT_TRUE(Data.NoSkin) << c.label << ": as for any failed load";
    ExpectInUse(Data, c.label);
  }

  // Each load has its own allowance: a skin that fits loads whole after one that did not.
  TSkinArchive fits;
  AddRaw(fits, "big.bmp", LargestRunLengthBmp()).Ini("[Personality]\nTop=big.bmp\n");
  LoadOk(fits);
  EXPECT_EQ(Data.BorderTop->Image->Height(), 4096);
  EXPECT_TRUE(Data.BorderLeft->Image->Empty());
  EXPECT_TRUE(Data.RefusedBitmaps.empty());
  EXPECT_TRUE(Data.LoadResult.Ok());
}

// A load through LoadSkin hands over every member a load fills: the model equals one read
// straight into a fresh component, also when it replaces a skin with more elements.
TEST_F(SkinLoadTest, ALoadedSkinIsTheModelReadStraightFromItsArchive) {
  TSkinArchive second;
  second.Bmp("e.bmp", Solid(12, 4, 0x0000FF)).Bmp("b.bmp", Solid(102, 17));
  second.Ini(
      "[TitlebarSkin]\nSkinName=Second\n[Personality]\nLeft=e.bmp\nLeftTopHeight=2\nTextBack=e.bmp\n"
      "[Button0]\nAction=0\nButtonImage=b.bmp\n[Colours]\nMenu=9 8 7\n[Colour0]\ncolor=1 1 1\n"
      "[Customcolors]\nColor3=4 5 6\n[Scrollbar]\nImage=e.bmp\n");
  TSkinData fresh{nullptr, SoftwareSkinPlatform()};
  ASSERT_TRUE(skintest::Load(fresh, second));
  const std::string expected = SkinDataToJson(fresh);
  LoadOk(InUse());
  LoadOk(second);
  EXPECT_EQ(SkinDataToJson(Data), expected);
  EXPECT_FALSE(Data.MenuItem) << "an element only the skin before had is gone";
}

// A skin file that cannot be used leaves the component exactly as it was: its skin, its
// archive, its file name and NoSkin; each failure has its kind and its reason.
TEST_F(SkinLoadTest, LoadSkinFileKeepsTheSkinInUseOnEveryFailure) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("lumetta-loadfile-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  auto write = [&](const std::string& name, const std::vector<uint8_t>& bytes) {
    std::ofstream(dir / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return dir / name;
  };
  const std::filesystem::path good = write("good.skn", InUse().Pack());
  TSkinArchive refused;
  AddRaw(refused, "huge.bmp", bmptest::EmptyRunLength(5000, 4000)).Ini("[Personality]\nTop=huge.bmp\n");
  struct Case {
    std::filesystem::path path;
    TSkinLoadStatus status;
    const char* inReason;
  };
  const Case cases[] = {
      {dir / "missing.skn", TSkinLoadStatus::NoSuchFile, "does not exist"},
      {dir, TSkinLoadStatus::NotAFile, "not a file"},
      {write("text.skn", {'[', 'x', ']'}), TSkinLoadStatus::NotASkin, "not a skin archive"},
      {write("refused.skn", refused.Pack()), TSkinLoadStatus::ImagesRefused,
       "huge.bmp is 5000 x 4000 pixels"},
  };
  ASSERT_TRUE(Data.LoadSkinFile(good).Ok());
  const std::vector<uint8_t> archive = Data.SkinArchive.Data();
  for (const Case& c : cases) {
    const TSkinLoadResult r = Data.LoadSkinFile(c.path);
    EXPECT_EQ(r.Status, c.status) << c.path;
    EXPECT_NE(r.Reason.find(c.inReason), std::string::npos) << c.path << ": " << r.Reason;
    EXPECT_FALSE(Data.NoSkin) << c.path;
    EXPECT_EQ(Data.SkinFile(), good.string()) << c.path;
    EXPECT_EQ(Data.SkinArchive.Data(), archive) << c.path;
    ExpectInUse(Data, c.path.string());
  }
  std::filesystem::remove_all(dir);
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
  EXPECT_TRUE(Data.RefusedBitmaps.empty()) << "not a refusal by the bounds";
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

  // Every element a skin may leave out, as it stands now.
  auto optionalElements = [&] {
    return std::vector<const void*>{
        Data.Progress.get(),           Data.MenuBar.get(),           Data.GroupBoxEdge.get(),
        Data.GroupBox.get(),           Data.Toolbars.get(),          Data.Tabs.get(),
        Data.StatusBarEdges.get(),     Data.ComboButton.get(),       Data.SunkEdge.get(),
        Data.ExtraImages.get(),        Data.Headerbar.get(),         Data.MenuItem.get(),
        Data.MenuBackground.get(),     Data.Scrollbar.get(),         Data.HorzScroll.get(),
        Data.VertScroll.get(),         Data.HorzScrollThumb.get(),   Data.VertScrollThumb.get(),
        Data.TrackbarThumbHorz.get(),  Data.TrackbarThumbVert.get(), Data.TrackbarThumbLeft.get(),
        Data.TrackbarThumbRight.get(), Data.TrackbarThumbUp.get(),   Data.TrackbarThumbDown.get(),
        Data.UpDownHorz.get(),         Data.UpDownVert.get()};
  };
  const std::vector<const void*> optional = optionalElements();
  for (size_t i = 0; i < optional.size(); ++i)
    ASSERT_NE(optional[i], nullptr) << "element " << i << " loaded";
  ASSERT_EQ(Data.SysButtons.size(), 4u);
  ASSERT_FALSE(Data.BorderTop->Image->Empty());

  Data.FreeElements();
  EXPECT_TRUE(Data.NoSkin);
  EXPECT_TRUE(Data.SysButtons.empty());
  const std::vector<const void*> after = optionalElements();
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
