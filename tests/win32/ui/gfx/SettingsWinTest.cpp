#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ui/IniFiles.h"
#include "ui/Registry.h"

namespace {

// A fresh settings file path in the temp folder, removed (read-only flag cleared) at the end.
class TempIni {
 public:
  explicit TempIni(const char* name) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    FPath = std::string(dir) + "lumetta_uigfx_" + name + "_" + std::to_string(GetCurrentProcessId()) + ".ini";
    Remove();
  }
  ~TempIni() { Remove(); }
  const std::string& Path() const { return FPath; }
  void Remove() const {
    SetFileAttributesA(FPath.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(FPath.c_str());
  }

 private:
  std::string FPath;
};

TEST(IniFile, RoundTripsAndDefaults) {
  TempIni tmp("roundtrip");
  TIniFile ini(tmp.Path());
  EXPECT_EQ(ini.ReadString("Image", "PNG", "default.png"), "default.png") << "missing file";
  EXPECT_FALSE(ini.ReadBool("Image", "Flag", false));
  EXPECT_TRUE(ini.ReadBool("Image", "Flag", true));

  ini.WriteString("Image", "PNG", "C:\\Images\\a b.png");
  ini.WriteBool("Image", "Flag", true);
  ini.WriteInteger("Numbers", "Count", -42);
  TIniFile other(tmp.Path());
  EXPECT_EQ(other.ReadString("image", "png", ""), "C:\\Images\\a b.png") << "names ignore case";
  EXPECT_EQ(other.ReadString("Image", "Flag", ""), "True");
  EXPECT_TRUE(other.ReadBool("Image", "Flag", false));
  EXPECT_EQ(other.ReadInteger("Numbers", "Count", 0), -42);
  EXPECT_EQ(other.ReadInteger("Image", "PNG", 7), 7) << "not a number";
  ini.WriteBool("Image", "Flag", false);
  EXPECT_EQ(other.ReadString("Image", "Flag", ""), "False");

  // Values written by hand in other cases and as numbers.
  for (const auto& [text, want] :
       {std::pair{"TRUE", true}, {"false", false}, {"1", true}, {"0", false}, {"-1", true}}) {
    ini.WriteString("Image", "Flag", text);
    EXPECT_EQ(ini.ReadBool("Image", "Flag", !want), want) << text;
  }
  ini.WriteString("Image", "Flag", "yes");
  try {
    (void)ini.ReadBool("Image", "Flag", false);
    ADD_FAILURE() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'yes' is not a valid boolean value");
  }
}

TEST(IniFile, ValuesAreCutAt2047Characters) {
  TempIni tmp("long");
  TIniFile ini(tmp.Path());
  std::string value;
  for (int i = 0; i < 3000; ++i) value += static_cast<char>('a' + i % 26);
  ini.WriteString("S", "Long", value);
  const std::string back = ini.ReadString("S", "Long", "");
  EXPECT_EQ(back.size(), 2047u);
  EXPECT_EQ(back, value.substr(0, 2047));
  ini.WriteString("S", "Exact", value.substr(0, 2047));
  EXPECT_EQ(ini.ReadString("S", "Exact", ""), value.substr(0, 2047));
}

TEST(IniFile, SectionsKeysAndErasing) {
  TempIni tmp("sections");
  TIniFile ini(tmp.Path());
  ini.WriteString("A", "k1", "v1");
  ini.WriteString("A", "k2", "v2");
  ini.WriteString("B", "x", "y");
  TStringList list;
  ini.ReadSections(list);
  EXPECT_EQ(list.Text(), "A\r\nB\r\n");
  ini.ReadSection("A", list);
  EXPECT_EQ(list.Text(), "k1\r\nk2\r\n");
  ini.ReadSectionValues("A", list);
  EXPECT_EQ(list.Values("k2"), "v2");
  EXPECT_TRUE(ini.ValueExists("A", "K1"));
  EXPECT_FALSE(ini.ValueExists("A", "k3"));
  ini.DeleteKey("A", "k1");
  ini.DeleteKey("A", "nothing");
  EXPECT_FALSE(ini.ValueExists("A", "k1"));
  EXPECT_EQ(ini.ReadString("A", "k2", ""), "v2");
  ini.EraseSection("A");
  EXPECT_FALSE(ini.SectionExists("A"));
  EXPECT_TRUE(ini.SectionExists("B"));
  ini.ReadSection("Missing", list);
  EXPECT_EQ(list.Count(), 0);
}

TEST(IniFile, FailedWriteNamesTheFile) {
  TempIni tmp("readonly");
  {
    TIniFile ini(tmp.Path());
    ini.WriteString("Image", "Flag", "False");
    ini.UpdateFile();
  }
  ASSERT_TRUE(SetFileAttributesA(tmp.Path().c_str(), FILE_ATTRIBUTE_READONLY));
  TIniFile ini(tmp.Path());
  try {
    ini.WriteString("Image", "Flag", "True");
    ADD_FAILURE() << "a read-only settings file was written";
  } catch (const EIniFileException& e) {
    EXPECT_EQ(e.Message(), "Unable to write to " + tmp.Path());
  }
  EXPECT_THROW(ini.WriteBool("Image", "Flag", true), EIniFileException);
  EXPECT_EQ(ini.ReadString("Image", "Flag", ""), "False") << "the old value stays";

  TIniFile nowhere(tmp.Path() + "_missing_dir\\Lumetta.ini");
  try {
    nowhere.WriteString("Image", "Flag", "True");
    ADD_FAILURE() << "wrote into a folder that does not exist";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Unable to write to " + nowhere.FileName());
  }
}

constexpr const char* kTestKey = "\\Software\\LumettaTest";

TEST(Registry, WriteReadDeleteUnderTheUsersKey) {
  {
    TRegistry reg;
    EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
    EXPECT_EQ(reg.Access(), static_cast<REGSAM>(KEY_ALL_ACCESS));
    ASSERT_TRUE(reg.OpenKey(kTestKey, true));
    EXPECT_EQ(reg.CurrentPath(), "Software\\LumettaTest");
    reg.WriteString("lumetta", "\"C:\\Program Files\\Lumetta\\Lumetta.exe\"");
    reg.WriteString("lumetta", "\"C:\\Lumetta.exe\"");  // a second write replaces the first
    reg.WriteInteger("count", 7);
    reg.CloseKey();
    EXPECT_FALSE(reg.ValueExists("lumetta")) << "no key open";
    EXPECT_THROW(reg.WriteString("x", "y"), ERegistryException);
  }
  {
    TRegistry reg(KEY_READ);
    ASSERT_TRUE(reg.OpenKey(kTestKey, false));
    EXPECT_EQ(reg.ReadString("lumetta"), "\"C:\\Lumetta.exe\"");
    EXPECT_EQ(reg.ReadInteger("count"), 7);
    EXPECT_EQ(reg.ReadString("absent"), "");
    try {
      (void)reg.ReadString("count");
      ADD_FAILURE() << "a number read as text";
    } catch (const ERegistryException& e) {
      EXPECT_EQ(e.Message(), "Invalid data type for 'count'");
    }
    TStringList names;
    reg.GetValueNames(names);
    names.SetSorted(true);
    EXPECT_EQ(names.Text(), "count\r\nlumetta\r\n");
  }
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(kTestKey, true));
    EXPECT_TRUE(reg.ValueExists("lumetta"));
    EXPECT_TRUE(reg.DeleteValue("lumetta"));
    EXPECT_FALSE(reg.ValueExists("lumetta"));
    EXPECT_FALSE(reg.DeleteValue("lumetta")) << "deleting what is not there";

    // Relative paths go below the open key; a failed open keeps it.
    ASSERT_TRUE(reg.OpenKey("Child", true));
    EXPECT_EQ(reg.CurrentPath(), "Software\\LumettaTest\\Child");
    EXPECT_FALSE(reg.OpenKey("NoSuchKey", false));
    EXPECT_EQ(reg.CurrentPath(), "Software\\LumettaTest\\Child");
    ASSERT_TRUE(reg.OpenKey(kTestKey, false));
    EXPECT_TRUE(reg.KeyExists("Child"));
    EXPECT_TRUE(reg.DeleteKey("Child"));
    EXPECT_FALSE(reg.KeyExists("Child"));
    reg.CloseKey();
    EXPECT_TRUE(reg.DeleteKey("Software\\LumettaTest\\")) << "trailing separators are ignored";
    EXPECT_FALSE(reg.KeyExists(kTestKey));
  }
}

}  // namespace
