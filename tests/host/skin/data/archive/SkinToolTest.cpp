#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "host/ui/gfx/BmpBuilder.h"
#include "tools/skintool/ArchiveWriter.h"

namespace fs = std::filesystem;

namespace {

struct ToolResult {
  int code;
  std::string out;
  std::string err;
};

class SkinTool : public ::testing::Test {
 protected:
  void SetUp() override {
    FDir = fs::temp_directory_path() / ("skintool-test-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(FDir);
    fs::create_directories(FDir);
  }
  void TearDown() override { fs::remove_all(FDir); }

  std::string Path(const std::string& name) const { return (FDir / name).string(); }

  void Write(const std::string& name, const std::string& bytes) const {
    fs::create_directories(fs::path(Path(name)).parent_path());
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }
  void WriteBytes(const std::string& name, const std::vector<uint8_t>& bytes) const {
    Write(name, std::string(bytes.begin(), bytes.end()));
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }

  ToolResult Run(const std::string& args) const {
    const std::string errFile = Path("stderr.txt");
    const std::string command = std::string(SKINTOOL_PATH) + " " + args + " 2>" + errFile;
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string out;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) out.append(buf, n);
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out, Read("stderr.txt")};
  }

  fs::path FDir;
};

TEST_F(SkinTool, HelpDocumentsEveryCommandAndUsageErrorsExitTwo) {
  const ToolResult help = Run("--help");
  EXPECT_EQ(help.code, 0);
  for (const char* command : {"lzh encode|decode IN OUT", "pack DIR OUT", "list ARCHIVE",
                              "extract ARCHIVE NAME OUT", "unpack ARCHIVE DIR", "ini ARCHIVE SECTION KEY"})
    EXPECT_NE(help.out.find(command), std::string::npos) << command;

  struct Case {
    const char* args;
    const char* inMessage;
  };
  for (const Case& c : {Case{"", "usage: skintool"}, Case{"frobnicate", "unknown command"},
                        Case{"list", "usage: skintool list ARCHIVE"}, Case{"lzh squash a b", "unknown mode"},
                        Case{"ini a b", "expected 3 arguments"}}) {
    const ToolResult r = Run(c.args);
    EXPECT_EQ(r.code, 2) << c.args;
    EXPECT_NE(r.err.find(c.inMessage), std::string::npos) << c.args << ": " << r.err;
    EXPECT_TRUE(r.out.empty()) << c.args;
  }
}

TEST_F(SkinTool, PackListExtractUnpackAndIniWorkTogether) {
  Write("skin/top.bmp", "TOP");
  Write("skin/min.bmp", "MINIMISE");
  Write("skin/Skin.ini", "[Title]\r\nFont = Tahoma\r\n");
  Write("skin/zeta.bmp", "");
  Write("skin/order.txt", "Skin.ini\r\n\r\nmin.bmp\nmin.bmp\n");
  ASSERT_EQ(Run("pack " + Path("skin") + " " + Path("a.skn")).code, 0);

  const ToolResult list = Run("list " + Path("a.skn"));
  EXPECT_EQ(list.code, 0);
  // order.txt first (a name may repeat), then the other files sorted; names lower-cased.
  EXPECT_EQ(list.out, "skin.ini\t24\nmin.bmp\t8\nmin.bmp\t8\ntop.bmp\t3\nzeta.bmp\t0\n");

  EXPECT_EQ(Run("extract " + Path("a.skn") + " TOP.BMP " + Path("top.out")).code, 0);
  EXPECT_EQ(Read("top.out"), "TOP");
  const ToolResult missing = Run("extract " + Path("a.skn") + " nope.bmp " + Path("x"));
  EXPECT_EQ(missing.code, 1);
  EXPECT_NE(missing.err.find("nope.bmp"), std::string::npos);

  ASSERT_EQ(Run("unpack " + Path("a.skn") + " " + Path("out/dir")).code, 0);
  EXPECT_EQ(Read("out/dir/min.bmp"), "MINIMISE");
  EXPECT_EQ(Read("out/dir/skin.ini"), "[Title]\r\nFont = Tahoma\r\n");
  EXPECT_TRUE(fs::exists(Path("out/dir/zeta.bmp")));

  const ToolResult ini = Run("ini " + Path("a.skn") + " title font");
  EXPECT_EQ(ini.code, 0);
  EXPECT_EQ(ini.out, "Tahoma\n");
  EXPECT_EQ(Run("ini " + Path("a.skn") + " Title Size").out, "\n");
}

TEST_F(SkinTool, BadInputsExitOneAndNameTheFile) {
  Write("dir/a.bmp", "A");
  Write("dir/order.txt", "a.bmp\nghost.bmp\n");
  WriteBytes("old.skn", PackArchive({{"a.ini", {}}}, 19999));
  WriteBytes("evil.skn", PackArchive({{"../escape.bmp", {'x'}}}));
  Write("garbage.skn", "\xff\xff\xff\x7fnot an archive");
  Write("negative.lzh", "\xf0\xff\xff\xff\x12");
  WriteBytes("noini.skn", PackArchive({{"a.bmp", {'x'}}}));
  const std::string ini = "[Personality]\nTop=huge.bmp\n";
  WriteBytes("huge.skn", PackArchive({{"skin.ini", {ini.begin(), ini.end()}},
                                      {"huge.bmp", bmptest::EmptyRunLength(40000, 30000)}}));
  struct Case {
    std::string args;
    std::string inMessage;
  };
  const Case cases[] = {
      {"list " + Path("absent.skn"), Path("absent.skn")},
      {"list " + Path("old.skn"), "version is 19999"},
      {"list " + Path("garbage.skn"), Path("garbage.skn")},
      {"pack " + Path("dir") + " " + Path("o.skn"), "ghost.bmp"},
      {"pack " + Path("absent") + " " + Path("o.skn"), "not a folder"},
      {"unpack " + Path("evil.skn") + " " + Path("u"), "not a plain file name"},
      {"ini " + Path("noini.skn") + " a b", "no description entry"},
      {"lzh decode " + Path("garbage.skn") + " " + Path("o.bin"), "above the limit"},
      {"lzh decode " + Path("negative.lzh") + " " + Path("o.bin"), "negative"},
      // The program's own reason for a skin it will not apply.
      {"info " + Path("huge.skn") + " --json",
       "The load bounds refuse its images:\nhuge.bmp is 40000 x 30000 pixels, over the bound of 16777216"},
  };
  for (const auto& c : cases) {
    const ToolResult r = Run(c.args);
    EXPECT_EQ(r.code, 1) << c.args;
    EXPECT_NE(r.err.find(c.inMessage), std::string::npos) << c.args << ": " << r.err;
  }
  EXPECT_FALSE(fs::exists(Path("escape.bmp")));
}

TEST_F(SkinTool, LzhEncodeAndDecodeRoundTripFiles) {
  std::string data;
  for (int i = 0; i < 5000; ++i) data += "row " + std::to_string(i % 97) + " \x01\xff";
  Write("plain.bin", data);
  ASSERT_EQ(Run("lzh encode " + Path("plain.bin") + " " + Path("packed.lzh")).code, 0);
  const std::string packed = Read("packed.lzh");
  ASSERT_GE(packed.size(), 4u);
  EXPECT_EQ(static_cast<uint8_t>(packed[0]) | static_cast<uint8_t>(packed[1]) << 8 |
                static_cast<uint8_t>(packed[2]) << 16,
            static_cast<int>(data.size()));
  ASSERT_EQ(Run("lzh decode " + Path("packed.lzh") + " " + Path("back.bin")).code, 0);
  EXPECT_EQ(Read("back.bin"), data);

  Write("short.lzh", std::string("\x10", 1));
  const ToolResult r = Run("lzh decode " + Path("short.lzh") + " " + Path("x.bin"));
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("size field"), std::string::npos);
}

}  // namespace
