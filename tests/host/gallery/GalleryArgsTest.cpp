#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "gallery/GalleryArgs.h"
#include "skin/data/SkinData.h"

namespace {
using Args = std::vector<std::string>;
}  // namespace

TEST(GalleryArgs, SkinPathAndPage) {
  struct Case {
    Args args;
    std::string skin, page;
    std::vector<std::string> errors;
  };
  const Case cases[] = {
      {{}, "", "", {}},
      {{"C:\\skins\\blue.skn"}, "C:\\skins\\blue.skn", "", {}},
      {{"--page", "Buttons"}, "", "Buttons", {}},
      {{"--page=Text"}, "", "Text", {}},
      {{"my skin.skn", "--page", "Lists"}, "my skin.skn", "Lists", {}},
      {{"--page", "Lists", "a.skn"}, "a.skn", "Lists", {}},
      {{"--page", "A", "--page", "B"}, "", "B", {}},  // the last one counts
      {{"-odd.skn"}, "-odd.skn", "", {}},             // one dash is a file name
      {{"", "a.skn"}, "a.skn", "", {}},
      {{"--page"}, "", "", {"--page needs the caption of a page"}},
      {{"--page", ""}, "", "", {"--page needs the caption of a page"}},
      {{"--page="}, "", "", {"--page needs the caption of a page"}},
      {{"--pages", "x.skn"}, "x.skn", "", {"Unknown option --pages"}},
      {{"a.skn", "b.skn"}, "a.skn", "", {"Only one skin file can be shown: b.skn"}},
  };
  for (const Case& c : cases) {
    const TGalleryArgs a = ParseGalleryArgs(c.args);
    std::string shown;
    for (const auto& s : c.args) shown += "[" + s + "]";
    EXPECT_EQ(a.SkinPath, c.skin) << shown;
    EXPECT_EQ(a.PageName, c.page) << shown;
    EXPECT_EQ(a.Errors, c.errors) << shown;
  }
}

TEST(GalleryArgs, FailureTextNamesPathReasonAndFallback) {
  const std::string text = SkinLoadFailureText("Z:\\tmp\\bad.skn", "The file does not exist.");
  EXPECT_NE(text.find("Z:\\tmp\\bad.skn"), std::string::npos);
  EXPECT_NE(text.find("The file does not exist."), std::string::npos);
  EXPECT_NE(text.find("built-in skin"), std::string::npos);
  EXPECT_NE(GalleryUsage().find("--page NAME"), std::string::npos);
}

class GallerySkinFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() /
          ("lumetta-gallery-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::create_directories(dir);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = (dir / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  static std::string Builtin() {
    std::ifstream in(BUILTIN_SKIN_ARCHIVE, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::filesystem::path dir;
  TSkinData data{nullptr, SoftwareSkinPlatform()};
};

TEST_F(GallerySkinFile, AGoodFileIsShownWithNoReason) {
  const std::string path = Write("good.skn", Builtin());
  EXPECT_EQ(LoadSkinFileReason(data, path), "");
  EXPECT_FALSE(data.NoSkin);
  EXPECT_EQ(data.SkinName, "Lumetta Mist");
  EXPECT_EQ(data.SkinFile(), path);
}

TEST_F(GallerySkinFile, EachFailureHasItsReasonAndLeavesNoSkin) {
  ASSERT_EQ(LoadSkinFileReason(data, Write("good.skn", Builtin())), "");
  struct Case {
    std::string path;
    std::string reason;  // empty: any reason, as long as there is one
  };
  const std::string whole = Builtin();
  const Case cases[] = {
      {(dir / "missing.skn").string(), "The file does not exist."},
      {dir.string(), "It is not a file."},
      {Write("text.skn", "[Skin]\nName=not an archive\n"), "It is not a skin archive this program can read."},
      {Write("empty.skn", ""), "It is not a skin archive this program can read."},
      {Write("half.skn", whole.substr(0, whole.size() / 2)), ""},
  };
  for (const Case& c : cases) {
    const std::string reason = LoadSkinFileReason(data, c.path);
    if (c.reason.empty())
      EXPECT_FALSE(reason.empty()) << c.path;
    else
      EXPECT_EQ(reason, c.reason) << c.path;
    EXPECT_TRUE(data.NoSkin) << c.path;
  }
}

TEST(GallerySkinStatus, NamesTheSkinByItsNameElseItsFile) {
  struct Case {
    std::string name, file;
    bool on;
    std::string text;
  };
  const Case cases[] = {
      {"Lumetta Mist", "", true, "Lumetta Mist"},
      {"Lumetta Mist", "", false, "Lumetta Mist (off)"},
      {"Orange", "C:\\skins\\orange.skn", true, "Orange"},  // the name wins over the file
      {"", "C:\\skins\\plain one.skn", true, "plain one.skn"},
      {"", "/tmp/skins/plain.skn", false, "plain.skn (off)"},
      {"", "Z:\\mixed/dir\\last.skn", true, "last.skn"},
      {"", "bare.skn", true, "bare.skn"},
      {"", "", true, "Built-in skin"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SkinStatusText(c.name, c.file, c.on), c.text) << c.name << "|" << c.file;
}
