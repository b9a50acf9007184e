// SkinRun's decisions: the command line as the system splits it and as the program gets it,
// SkinRun's own options, what a file's headers make of it, where a program name is found,
// and the skin check that runs before any program starts.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>

#include "skinrun/SkinRunPlan.h"

namespace {

std::vector<std::wstring> Texts(const std::vector<TCommandWord>& words) {
  std::vector<std::wstring> out;
  for (const auto& w : words) out.push_back(w.Text);
  return out;
}

TEST(SkinRunCommandLine, SplitsAsTheSystemDoes) {
  using V = std::vector<std::wstring>;
  const std::pair<std::wstring, V> cases[] = {
      {L"SkinRun.exe notepad", {L"SkinRun.exe", L"notepad"}},
      {L"\"C:\\Program Files\\SkinRun.exe\" notepad", {L"C:\\Program Files\\SkinRun.exe", L"notepad"}},
      // The program's own name takes no escapes: a backslash before its closing quote stays.
      {L"\"C:\\dir\\\" x", {L"C:\\dir\\", L"x"}},
      {L"a  \t b\t", {L"a", L"b"}},
      {L"a \"b c\" d", {L"a", L"b c", L"d"}},
      {L"a b\" \"c", {L"a", L"b c"}},
      {L"a \"\"", {L"a", L""}},
      {L"a \\\\server\\share", {L"a", L"\\\\server\\share"}},
      {L"a \\\"x\\\"", {L"a", L"\"x\""}},
      {L"a \"c:\\dir\\\\\" y", {L"a", L"c:\\dir\\", L"y"}},
      {L"a \"say \"\"hi\"\"\"", {L"a", L"say \"hi\""}},
      {L"a \"open", {L"a", L"open"}},
      {L"", {}},
  };
  for (const auto& [line, expected] : cases)
    EXPECT_EQ(Texts(SplitCommandLine(line)), expected) << std::string(line.begin(), line.end());
}

TEST(SkinRunCommandLine, PassesTheRestOfTheLineOnAsItCame) {
  const std::wstring line = L"SkinRun.exe --skin \"my skin.skn\" notepad  \"a  b\"\t\\\"c /x";
  const auto words = SplitCommandLine(line);
  const TSkinRunArgs args = ParseSkinRunArgs(words);
  ASSERT_TRUE(args.Error.empty());
  EXPECT_EQ(args.SkinFile, L"my skin.skn");
  EXPECT_EQ(args.Program, L"notepad");
  EXPECT_EQ(ChildCommandLine(L"C:\\windows\\notepad.exe", line, words, args.ProgramWord),
            L"\"C:\\windows\\notepad.exe\" \"a  b\"\t\\\"c /x");
  // Nothing after the program: nothing after its path.
  const std::wstring bare = L"SkinRun.exe notepad   ";
  const auto bareWords = SplitCommandLine(bare);
  EXPECT_EQ(ChildCommandLine(L"n.exe", bare, bareWords, ParseSkinRunArgs(bareWords).ProgramWord),
            L"\"n.exe\"");
}

TEST(SkinRunCommandLine, ReadsItsOwnOptionsOnlyBeforeTheProgram) {
  struct Case {
    std::wstring line, skin, program, error;
    bool help;
  };
  const Case cases[] = {
      {L"s notepad --skin x", L"", L"notepad", L"", false},
      {L"s --skin a.skn notepad", L"a.skn", L"notepad", L"", false},
      {L"s --skin=a.skn notepad", L"a.skn", L"notepad", L"", false},
      {L"s -- --odd-name.exe", L"", L"--odd-name.exe", L"", false},
      {L"s --help notepad", L"", L"", L"", true},
      {L"s", L"", L"", L"Name the program", false},
      {L"s --skin a.skn", L"", L"", L"Name the program", false},
      {L"s --skin", L"", L"", L"--skin needs a skin file", false},
      {L"s --skin \"\" notepad", L"", L"", L"--skin needs a skin file", false},
      {L"s --skin= notepad", L"", L"", L"--skin needs a skin file", false},
      {L"s --sink a notepad", L"", L"", L"Unknown option --sink", false},
      {L"s \"\"", L"", L"", L"Name the program", false},
  };
  for (const Case& c : cases) {
    const TSkinRunArgs a = ParseSkinRunArgs(SplitCommandLine(c.line));
    const std::string what(c.line.begin(), c.line.end());
    EXPECT_EQ(a.Help, c.help) << what;
    EXPECT_EQ(a.Program, c.program) << what;
    if (c.error.empty()) {
      EXPECT_TRUE(a.Error.empty()) << what;
      EXPECT_EQ(a.SkinFile, c.skin) << what;
    } else {
      EXPECT_NE(a.Error.find(c.error), std::wstring::npos) << what;
    }
  }
}

// A file's first bytes: a DOS header pointing at a PE header with the machine and flags given.
std::vector<uint8_t> Image(uint16_t machine, uint16_t characteristics, uint32_t peAt = 0x80,
                           bool signature = true) {
  std::vector<uint8_t> b(peAt + 24 + 200, 0);
  b[0] = 'M';
  b[1] = 'Z';
  for (int i = 0; i < 4; ++i) b[60 + i] = static_cast<uint8_t>(peAt >> (8 * i));
  if (signature && peAt + 4 <= b.size()) {
    b[peAt] = 'P';
    b[peAt + 1] = 'E';
  }
  b[peAt + 4] = static_cast<uint8_t>(machine);
  b[peAt + 5] = static_cast<uint8_t>(machine >> 8);
  b[peAt + 22] = static_cast<uint8_t>(characteristics);
  b[peAt + 23] = static_cast<uint8_t>(characteristics >> 8);
  return b;
}

TProgramKind Classify(const std::vector<uint8_t>& file) {
  return ClassifyProgram([&](uint64_t offset, size_t count) {
    if (offset >= file.size()) return std::vector<uint8_t>();
    const size_t n = std::min<size_t>(count, file.size() - offset);
    return std::vector<uint8_t>(file.begin() + static_cast<long>(offset),
                                file.begin() + static_cast<long>(offset + n));
  });
}

TEST(SkinRunProgramKind, ReadsTheMachineOfAProgramAndRefusesTheRest) {
  using K = TProgramKind;
  auto cut = [](std::vector<uint8_t> b, size_t n) {
    b.resize(n);
    return b;
  };
  auto pePointingPastTheEnd = [] {
    auto b = Image(0x014C, 0x0102);
    b[60] = 0xF0;
    b[63] = 0x7F;
    return b;
  };
  const std::pair<std::vector<uint8_t>, K> cases[] = {
      {Image(0x014C, 0x0102), K::I386},
      {Image(0x8664, 0x0022), K::Amd64},
      {Image(0xAA64, 0x0022), K::OtherMachine},  // ARM64
      {Image(0x014C, 0x2102), K::NotAProgram},   // a DLL
      {Image(0x8664, 0x0000), K::NotAProgram},   // not marked executable (an object file)
      {Image(0x014C, 0x0102, 0x80, false), K::NotAProgram},
      {Image(0x014C, 0x0102, 0x40), K::I386},  // a PE header right after the DOS header
      {pePointingPastTheEnd(), K::NotAProgram},
      {cut(Image(0x014C, 0x0102), 0x80 + 20), K::NotAProgram},  // cut inside the PE header
      {cut(Image(0x014C, 0x0102), 30), K::NotAProgram},         // cut inside the DOS header
      {std::vector<uint8_t>{'#', '!', '/', 'b', 'i', 'n'}, K::NotAProgram},
      {{}, K::NotAProgram},
  };
  int i = 0;
  for (const auto& [file, kind] : cases) EXPECT_EQ(Classify(file), kind) << "case " << i++;
}

TEST(SkinRunProgramKind, OnlyAProgramOfItsOwnKindRuns) {
  using K = TProgramKind;
  using E = TSkinRunExit;
  EXPECT_EQ(ProgramVerdict(K::I386, K::I386), E::Ok);
  EXPECT_EQ(ProgramVerdict(K::Amd64, K::Amd64), E::Ok);
  EXPECT_EQ(ProgramVerdict(K::I386, K::Amd64), E::OtherArchitecture);
  EXPECT_EQ(ProgramVerdict(K::Amd64, K::I386), E::OtherArchitecture);
  EXPECT_EQ(ProgramVerdict(K::OtherMachine, K::I386), E::NotAProgram);
  EXPECT_EQ(ProgramVerdict(K::NotAProgram, K::Amd64), E::NotAProgram);
  // The refusal names the SkinRun that fits, the other one.
  const std::wstring from64 = SkinRunMessage(E::OtherArchitecture, L"C:\\old.exe", BitsOf(K::Amd64));
  EXPECT_NE(from64.find(L"is a 32-bit program"), std::wstring::npos);
  EXPECT_NE(from64.find(L"32-bit SkinRun.exe (Lumetta-win32.zip)"), std::wstring::npos);
  const std::wstring from32 = SkinRunMessage(E::OtherArchitecture, L"C:\\new.exe", BitsOf(K::I386));
  EXPECT_NE(from32.find(L"64-bit SkinRun.exe (Lumetta-win64.zip)"), std::wstring::npos);
}

TEST(SkinRunLookup, SearchesTheFoldersInTheSystemsOrder) {
  EXPECT_EQ(
      SearchFolders(L"C:\\here", L"C:\\windows\\system32", L"C:\\windows", L"C:\\a;;\"C:\\b c\";C:\\d;"),
      (std::vector<std::wstring>{L"C:\\here", L"C:\\windows\\system32", L"C:\\windows", L"C:\\a", L"C:\\b c",
                                 L"C:\\d"}));
  const std::vector<std::wstring> folders{L"C:\\here", L"C:\\windows\\system32", L"C:\\windows",
                                          L"C:\\tools\\"};
  struct Case {
    std::wstring name;
    std::set<std::wstring> files;
    std::optional<std::wstring> found;
  };
  const Case cases[] = {
      // The current folder comes before the system's.
      {L"notepad", {L"C:\\here\\notepad.exe", L"C:\\windows\\notepad.exe"}, L"C:\\here\\notepad.exe"},
      {L"notepad",
       {L"C:\\windows\\system32\\notepad.exe", L"C:\\windows\\notepad.exe"},
       L"C:\\windows\\system32\\notepad.exe"},
      {L"notepad.exe", {L"C:\\windows\\notepad.exe"}, L"C:\\windows\\notepad.exe"},
      {L"tool", {L"C:\\tools\\tool.exe"}, L"C:\\tools\\tool.exe"},
      // ".exe" is added only to a name without an extension.
      {L"tool", {L"C:\\here\\tool"}, std::nullopt},
      {L"tool.com", {L"C:\\here\\tool.com.exe", L"C:\\tools\\tool.com"}, L"C:\\tools\\tool.com"},
      {L"v1.2\\app", {L"v1.2\\app.exe"}, L"v1.2\\app.exe"},
      // A name with a folder is taken as it is, never searched for.
      {L"sub\\app", {L"C:\\here\\app.exe", L"sub\\app.exe"}, L"sub\\app.exe"},
      {L"D:\\x\\app.exe", {L"C:\\here\\app.exe"}, std::nullopt},
      {L"./app", {L"./app.exe"}, L"./app.exe"},
      {L"missing", {}, std::nullopt},
      {L"", {L".exe"}, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindProgram(c.name, folders, [&](const std::wstring& p) { return c.files.count(p) > 0; }),
              c.found)
        << std::string(c.name.begin(), c.name.end());
  }
}

TEST(SkinRunSkinCheck, RefusesWhatTheEngineWouldRefuseBeforeAnythingStarts) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("skinrun-test-" + std::to_string(std::random_device{}()));
  std::filesystem::create_directories(dir);
  const auto garbage = dir / "garbage.skn";
  std::ofstream(garbage, std::ios::binary) << "this is not a skin archive";
  struct Case {
    std::filesystem::path file;
    TSkinLoadStatus status;
  };
  const Case cases[] = {
      {BUILTIN_SKIN_ARCHIVE, TSkinLoadStatus::Loaded},
      {dir / "missing.skn", TSkinLoadStatus::NoSuchFile},
      {dir, TSkinLoadStatus::NotAFile},
      {garbage, TSkinLoadStatus::NotASkin},
  };
  for (const Case& c : cases) {
    const TSkinLoadResult r = CheckSkinFile(c.file);
    EXPECT_EQ(r.Status, c.status) << c.file;
    EXPECT_EQ(r.Ok(), r.Reason.empty()) << c.file << ": " << r.Reason;
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
