#include <gtest/gtest.h>

#include <string>

#include "ui/Convert.h"
#include "ui/SysUtils.h"

namespace {

TEST(Convert, BooleanTexts) {
  struct TCase {
    const char* Text;
    bool Ok;
    bool Value;
  };
  const TCase cases[] = {
      {"True", true, true},   {"true", true, true},    {"TRUE", true, true},     {"tRuE", true, true},
      {"False", true, false}, {"FALSE", true, false},  {" false ", true, false}, {"0", true, false},
      {"1", true, true},      {"-1", true, true},      {"7", true, true},        {"2.5", true, true},
      {"0.0", true, false},   {"$10", true, true},     {"0x0", true, false},     {"", false, false},
      {"yes", false, false},  {"Tru", false, false},   {"Truee", false, false},  {"1x", false, false},
      {"nan", false, false},  {"True1", false, false}, {"  ", false, false},
  };
  for (const TCase& c : cases) {
    bool v = !c.Value;
    EXPECT_EQ(TryStrToBool(c.Text, v), c.Ok) << '"' << c.Text << '"';
    if (c.Ok) {
      EXPECT_EQ(v, c.Value) << '"' << c.Text << '"';
      EXPECT_EQ(StrToBool(c.Text), c.Value) << '"' << c.Text << '"';
    }
    EXPECT_EQ(StrToBoolDef(c.Text, true), c.Ok ? c.Value : true) << '"' << c.Text << '"';
  }
}

TEST(Convert, BadBooleanRaisesWithTheTextQuoted) {
  for (const std::string text : {"yes", "", "Flag=True"}) {
    try {
      StrToBool(text);
      ADD_FAILURE() << "no error for " << text;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), "'" + text + "' is not a valid boolean value");
    }
  }
  EXPECT_EQ(BoolToStr(true, true), "True");
  EXPECT_EQ(BoolToStr(false, true), "False");
  EXPECT_EQ(BoolToStr(true), "-1");
  EXPECT_TRUE(StrToBool(BoolToStr(true)));
}

TEST(Convert, IntegerTexts) {
  struct TCase {
    const char* Text;
    bool Ok;
    int Value;
  };
  const TCase cases[] = {
      {"12", true, 12},
      {" -7 ", true, -7},
      {"+3", true, 3},
      {"$FF", true, 255},
      {"0x10", true, 16},
      {"0X1f", true, 31},
      {"-0", true, 0},
      {"$7fffffff", true, 2147483647},
      {"-$10", true, -16},
      {"$1G", false, 0},
      {"00000000000000000042", true, 42},
      {"$FFFFFFFF", true, -1},
      {"2147483647", true, 2147483647},
      {"-2147483648", true, -2147483647 - 1},
      {"2147483648", false, 0},
      {"-2147483649", false, 0},
      {"$100000000", false, 0},
      {"99999999999999999999", false, 0},
      {"", false, 0},
      {"-", false, 0},
      {"$", false, 0},
      {"0x", false, 0},
      {"12a", false, 0},
      {"1 2", false, 0},
      {"1.0", false, 0},
  };
  for (const TCase& c : cases) {
    int v = 12345;
    EXPECT_EQ(TryStrToInt(c.Text, v), c.Ok) << '"' << c.Text << '"';
    if (c.Ok) {
      EXPECT_EQ(v, c.Value) << '"' << c.Text << '"';
    }
    EXPECT_EQ(StrToIntDef(c.Text, -99), c.Ok ? c.Value : -99) << '"' << c.Text << '"';
  }
  try {
    StrToInt("12a");
    ADD_FAILURE() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'12a' is not a valid integer value");
  }
}

TEST(Convert, StrictIntegersTakeOnlyDecimalOrDollarHex) {
  struct TCase {
    const char* Text;
    bool Ok;
    int Value;
  };
  const TCase cases[] = {
      {"42", true, 42},
      {"+7", true, 7},
      {"-12", true, -12},
      {"$80", true, 128},
      {"-$10", true, -16},
      {"$FFFFFFFF", true, -1},
      {"-2147483648", true, -2147483647 - 1},
      {"0x10", false, 0},
      {"-0x10", false, 0},
      {"+0X10", false, 0},
      {" 5", false, 0},
      {"5 ", false, 0},
      {"$-5", false, 0},
      {"--5", false, 0},
      {"2147483648", false, 0},
      {"", false, 0},
      {"$", false, 0},
      {"0", true, 0},
      {"00x1", false, 0},
  };
  for (const TCase& c : cases) {
    int v = 12345;
    EXPECT_EQ(TryStrToIntStrict(c.Text, v), c.Ok) << '"' << c.Text << '"';
    if (c.Ok) EXPECT_EQ(v, c.Value) << '"' << c.Text << '"';
  }
}

TEST(Convert, TextHelpers) {
  EXPECT_EQ(Trim("\t a b \r\n"), "a b");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(UpperCase("Image.ini"), "IMAGE.INI");
  EXPECT_EQ(LowerCase("MDIClient"), "mdiclient");
  EXPECT_TRUE(SameText("Image", "iMAGE"));
  EXPECT_FALSE(SameText("Image", "Images"));
  EXPECT_LT(CompareText("abc", "ABD"), 0);
  EXPECT_GT(CompareText("b", "A"), 0);
  EXPECT_LT(CompareText("ab", "AbC"), 0);
  // '_' sorts after letters once letters compare as capitals.
  EXPECT_GT(CompareText("_", "z"), 0);
}

TEST(SysUtils, FormatAnyLengthAndExceptionMessage) {
  const std::string path(5000, 'p');
  const std::string s = Format("Unable to write to %s", path.c_str());
  EXPECT_EQ(s.size(), 19 + path.size());
  EXPECT_EQ(s.substr(0, 19), "Unable to write to ");
  EXPECT_EQ(Format("%d-%s", 42, ""), "42-");
  const Exception e(s);
  EXPECT_EQ(e.Message(), s);
  EXPECT_STREQ(e.what(), s.c_str());
}

TEST(SysUtils, SetsOfEnumerations) {
  enum E { a, b, c, d };
  TSet<E> s{a, c};
  EXPECT_TRUE(s.Contains(a));
  EXPECT_FALSE(s.Contains(b));
  s.Include(b).Exclude(a);
  EXPECT_EQ(s, (TSet<E>{b, c}));
  EXPECT_EQ(s + TSet<E>{d}, (TSet<E>{b, c, d}));
  EXPECT_EQ(s - TSet<E>{c}, TSet<E>{b});
  EXPECT_EQ((s * TSet<E>{c, d}), TSet<E>{c});
  EXPECT_TRUE((s - s).Empty());
}

}  // namespace
