#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/data/SkinIni.h"
#include "ui/Streams.h"

namespace {

TQuickIni Parse(const std::string& text) {
  TMemoryStream s(std::vector<uint8_t>(text.begin(), text.end()));
  TQuickIni ini;
  ini.LoadFromStream(&s);
  return ini;
}

const std::string Description =
    "; a skin description\r\n"
    "Orphan=1\r\n"
    "[Personality]\r\n"
    "  LeftWidth = 5  \r\n"
    "name=Lumetta; blue\r\n"
    "LEFTWIDTH=9\r\n"
    "Tile=\r\n"
    "Hex=0x80\r\n"
    "Pascal=$80\r\n"
    "Px=80px\r\n"
    "Neg=-12\r\n"
    "Big=2147483648\r\n"
    "Min=-2147483648\r\n"
    "Colour=$FF00000F\r\n"
    "Short=0x\r\n"
    "Sign=+7\r\n"
    "NegHex=-0x10\r\n"
    "PlusHex=+0x10\r\n"
    "NegPascal=-$10\r\n"
    "UpperX=0X1f\r\n"
    "TwoPrefixes=0x$10\r\n"
    "Dollar=$\r\n"
    "SignOnly=-\r\n"
    "Inner=1 2\r\n"
    "[buttons]\n"
    "leftwidth=5\n"
    "[Open bracket\n"
    "Key=after the bracket\n"
    "\tnoequals\t\n"
    "[ Spaced ]\r"
    "A=1\r"
    "[Fonts]\r\n"
    "Size=8\r\n"
    "[FONTS]\r\n"
    "Size=12\r\n"
    "Face=Tahoma\r\n";

TEST(QuickIni, ReadStringFollowsTheLookupRules) {
  const TQuickIni ini = Parse(Description);
  struct Case {
    const char* section;
    const char* key;
    const char* expected;
  };
  const Case cases[] = {
      {"Personality", "LeftWidth", "5"},  // trimmed, any case, first occurrence wins
      {"PERSONALITY", "leftwidth", "5"},
      {"Personality", "Name", "Lumetta; blue"},  // ";" inside a value is part of it
      {"Personality", "Tile", "default"},        // empty value
      {"Personality", "Missing", "default"},
      {"Buttons", "LeftWidth", "5"},         // [buttons] answers for Buttons
      {"Personality", "Orphan", "default"},  // lines before the first header are never found
      {"Nowhere", "LeftWidth", "default"},
      {"Buttons", "Key", "after the bracket"},  // an unclosed bracket is an ordinary line
      {"Spaced", "A", "default"},               // blanks inside the brackets count
      {" Spaced ", "A", "1"},
      {"Fonts", "Size", "8"},  // only the first of two sections is read
      {"Fonts", "Face", "default"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ini.ReadString(c.section, c.key, "default"), c.expected) << c.section << "/" << c.key;
}

TEST(QuickIni, ReadIntegerAcceptsDecimalAndBothHexForms) {
  const TQuickIni ini = Parse(Description);
  struct Case {
    const char* key;
    int32_t expected;
  };
  const Case cases[] = {
      {"LeftWidth", 5},
      {"Hex", 128},
      {"Pascal", 128},
      {"Px", -1},
      {"Neg", -12},
      {"Big", -1},
      {"Min", INT32_MIN},
      {"Colour", static_cast<int32_t>(0xFF00000Fu)},
      {"Short", -1},
      {"Sign", 7},
      {"Tile", -1},
      {"Name", -1},
      {"Missing", -1},
      // "0x" counts only as the very first characters; after a sign it is not a number.
      {"NegHex", -1},
      {"PlusHex", -1},
      {"NegPascal", -16},
      {"UpperX", 31},
      {"TwoPrefixes", -1},
      {"Dollar", -1},
      {"SignOnly", -1},
      {"Inner", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(ini.ReadInteger("Personality", c.key, -1), c.expected) << c.key;
}

TEST(QuickIni, SectionsAreListedByBareNameInOrderWithDuplicates) {
  const TQuickIni ini = Parse(Description);
  std::vector<std::string> list = {"stale"};
  ini.ReadSections(list);
  EXPECT_EQ(list, (std::vector<std::string>{"Personality", "buttons", "Spaced", "Fonts", "FONTS"}));
  EXPECT_EQ(ini.FindSection("personality"), 1);  // Orphan=1 is line 0; the comment is dropped
  EXPECT_EQ(ini.FindSection("fonts"), ini.FindSection("FONTS"));
  EXPECT_EQ(ini.FindSection("Open bracket"), -1);
}

TEST(QuickIni, ZeroByteEndsTheTextAndLoadingReplacesEverything) {
  std::string text = "[A]\r\nx=1\r\n";
  text += '\0';
  text += "y=2\r\n[B]\r\nz=3\r\n";
  TQuickIni ini = Parse(text);
  EXPECT_EQ(ini.ReadString("A", "x", ""), "1");
  EXPECT_EQ(ini.ReadString("A", "y", "none"), "none");
  EXPECT_EQ(ini.FindSection("B"), -1);

  ini.LoadFromStream(nullptr);  // a missing stream changes nothing
  EXPECT_EQ(ini.ReadString("A", "x", ""), "1");

  TMemoryStream other(std::vector<uint8_t>{'[', 'C', ']', '\n', 'k', '=', 'v'});
  other.SetPosition(4);  // parsing starts at the stream's position: no header
  ini.LoadFromStream(&other);
  EXPECT_EQ(ini.FindSection("A"), -1);
  EXPECT_EQ(ini.Lines(), (std::vector<std::string>{"k=v"}));
}

TEST(QuickIni, EmptyTextAndOddLinesNeverFindAnything) {
  for (const char* text : {"", "\r\n\r\n", "[]", "[", "]", "=", "[A", "A]\r\n=x"}) {
    const TQuickIni ini = Parse(text);
    EXPECT_EQ(ini.ReadString("A", "", "d"), "d") << text;
    EXPECT_EQ(ini.ReadInteger("", "", 3), 3) << text;
  }
  // The empty key matches a line without "=", whose value is empty: the default.
  const TQuickIni ini = Parse("[S]\r\nnothing here\r\n=value\r\n");
  EXPECT_EQ(ini.ReadString("S", "", "d"), "d");
  EXPECT_EQ(ini.FindSection(""), -1);
}

}  // namespace
