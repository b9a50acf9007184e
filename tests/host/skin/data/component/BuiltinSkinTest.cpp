// The built-in skin as built: every element present, the frame geometry the painters rely
// on, and skintool info printing the whole model.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "skin/data/SkinData.h"
#include "skin/data/SkinDataJson.h"
#include "tests/host/skin/data/component/SkinElements.h"

namespace {

struct BuiltinSkinTest : ::testing::Test {
  TSkinData Data{nullptr, SoftwareSkinPlatform()};
  void SetUp() override {
    TMemoryStream stored;
    stored.LoadFromFile(BUILTIN_SKIN_STREAM);
    stored.SetPosition(0);
    Data.ReadSkinStream(stored);
    ASSERT_FALSE(Data.NoSkin);
  }
};

TEST_F(BuiltinSkinTest, ProvidesEveryElement) {
  EXPECT_EQ(Data.SkinName, "Lumetta Mist");
  for (const auto& [name, e] : skintest::SkinElements(Data)) {
    ASSERT_NE(e, nullptr) << name;
    EXPECT_FALSE(e->Image->Empty()) << name;
    // Frames divide the strip exactly, so no frame reads into its neighbour.
    const bool stacked = e == Data.BorderTop.get() || e == Data.BorderBottom.get() || e == Data.Title.get() ||
                         e == Data.MenuBar.get();
    const int length = stacked ? e->Image->Height() : e->Image->Width();
    EXPECT_EQ(length % e->FrameCount, 0) << name;
  }
  for (const auto* second :
       {Data.Tabs.get(), Data.UpDownHorz.get(), Data.UpDownVert.get(), Data.Progress.get()})
    EXPECT_FALSE(second->SecondImage->Empty()) << second->Name;
  EXPECT_FALSE(Data.Buttons->CheckImage->Empty());
  EXPECT_FALSE(Data.Buttons->RadioImage->Empty());
  EXPECT_EQ(Data.Buttons->CheckFrameCount, 6);
  EXPECT_EQ(Data.Buttons->RadioFrameCount, 4);
  EXPECT_EQ(Data.IndexedColours.size(), 2u);
}

TEST_F(BuiltinSkinTest, FrameGeometryFitsTogether) {
  // Title bar 30 high, 4-pixel sides and bottom, two frames (active, inactive) each.
  EXPECT_EQ(Data.BorderTop->Image->Height() / Data.BorderTop->FrameCount, 30);
  EXPECT_EQ(Data.BorderLeft->Image->Width() / Data.BorderLeft->FrameCount, 4);
  EXPECT_EQ(Data.BorderRight->Image->Width() / Data.BorderRight->FrameCount, 4);
  EXPECT_EQ(Data.BorderBottom->Image->Height() / Data.BorderBottom->FrameCount, 4);
  EXPECT_EQ(Data.BorderLeft->TopHeight, 30) << "the side pieces keep the title's corner unscaled";
  EXPECT_EQ(Data.BorderTop->LeftWidth, 8);
  EXPECT_EQ(Data.BorderTop->RightWidth, 8);
  // Rounded corners: the outermost corner pixels are the key colour, the middle is not.
  const TPixelBuffer left = Data.BorderLeft->Image->Pixels();
  EXPECT_EQ(left.GetPixel(0, 0), SkinKeyColour);
  EXPECT_EQ(left.GetPixel(0, left.Height - 1), SkinKeyColour);
  EXPECT_NE(left.GetPixel(0, left.Height / 2), SkinKeyColour);
  // Title buttons: close, maximize, restore, minimize, the icon, then three MDI buttons.
  ASSERT_EQ(Data.SysButtons.size(), 8u);
  const int actions[] = {0, 1, 1, 2, 3, 7, 8, 9};
  for (size_t i = 0; i < 8; ++i) EXPECT_EQ(Data.SysButtons[i]->Action, actions[i]) << i;
  for (size_t i = 0; i < 4; ++i) {
    const TDataSkinSysButton& b = *Data.SysButtons[i];
    EXPECT_EQ(b.FrameCount, 6) << b.Name;
    const int h = b.Image->Height();
    EXPECT_LE(b.YCoord + h, 30) << b.Name << " fits in the title bar";
    EXPECT_GE(b.XCoord - b.Image->Width() / 6, 4) << b.Name << " clears the right border";
  }
  EXPECT_TRUE(Data.SysButtons[4]->Image->Empty());
  for (size_t i = 5; i < 8; ++i) EXPECT_EQ(Data.SysButtons[i]->Image->Width(), 64);
  // The caption's right clip leaves room for the three right-aligned buttons.
  EXPECT_GE(Data.Title->RightWidth, 96 - 4);
}

std::string RunTool(const std::string& args) {
  std::string out;
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen((std::string(SKINTOOL_PATH) + " " + args).c_str(), "r"),
                                             pclose);
  if (!pipe) return out;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, pipe.get())) > 0) out.append(buf, n);
  return out;
}

TEST_F(BuiltinSkinTest, SkintoolInfoPrintsTheModel) {
  const std::string json = RunTool(std::string("info ") + BUILTIN_SKIN_ARCHIVE + " --json");
  EXPECT_EQ(json, SkinDataToJson(Data)) << "the tool shows what the program loads";
  for (const char* key :
       {"\"skinName\": \"Lumetta Mist\"", "\"ColorButtonFace\": 16184563", "\"indexedColours\": [",
        "\"customColors\": [", "\"TrackbarThumbDown\": {", "\"UpDownVert\": {", "\"SecondImageWidth\"",
        "\"CheckImageWidth\": 78", "\"FontHeight\": 14", "\"Action\": 3", "\"BackgroundLeftShift\": 6"})
    EXPECT_NE(json.find(key), std::string::npos) << key;
  EXPECT_EQ(RunTool("info /nonexistent.skn --json 2>/dev/null"), "");
}

std::string FileText(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(BuiltinSkinAssets, CopiesInTheTreeMatchTheGenerator) {
  namespace fs = std::filesystem;
  std::vector<std::string> generated, kept;
  for (const auto& f : fs::directory_iterator(BUILTIN_SKIN_DIR))
    generated.push_back(f.path().filename().string());
  for (const auto& f : fs::directory_iterator(ASSET_SKIN_DIR)) kept.push_back(f.path().filename().string());
  std::sort(generated.begin(), generated.end());
  std::sort(kept.begin(), kept.end());
  ASSERT_EQ(kept, generated) << "refresh assets/skins/lumetta (see assets/skins/README.md)";
  for (const std::string& name : generated)
    EXPECT_EQ(FileText(fs::path(ASSET_SKIN_DIR) / name), FileText(fs::path(BUILTIN_SKIN_DIR) / name)) << name;
}

TEST(SkinJsonTest, AbsentElementsAreLeftOut) {
  TSkinData empty(nullptr, SoftwareSkinPlatform());
  empty.SkinName = "a \"quoted\"\\name";
  const std::string json = SkinDataToJson(empty);
  EXPECT_NE(json.find("\"skinName\": \"a \\\"quoted\\\"\\\\name\""), std::string::npos);
  EXPECT_NE(json.find("\"BorderLeft\": {"), std::string::npos);
  EXPECT_EQ(json.find("\"Progress\""), std::string::npos);
  EXPECT_NE(json.find("\"ColorButtonFace\": 4278190095"), std::string::npos)
      << "system colour 15 as unsigned";
  EXPECT_NE(json.find("\"sysButtons\": [\n  ]"), std::string::npos);
}

}  // namespace
