#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/Streams.h"
#include "ui/StringList.h"

namespace {

std::vector<std::string> Items(const TStringList& l) { return {l.begin(), l.end()}; }

TEST(StringList, TextSplitsAtEveryLineBreakKind) {
  struct TCase {
    const char* Text;
    std::vector<std::string> Lines;
  };
  const TCase cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"a\rb\r", {"a", "b"}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"a\n\nb", {"a", "", "b"}},
      {"\r\n", {""}},
      {"a\n\r\nb", {"a", "", "b"}},
      {"[Image]\r\nFlag=True\r\n", {"[Image]", "Flag=True"}},
  };
  for (const TCase& c : cases) {
    TStringList l;
    l.SetText(c.Text);
    EXPECT_EQ(Items(l), c.Lines) << '"' << c.Text << '"';
  }
  TStringList l;
  l.Add("x");
  l.Add("");
  l.Add("y");
  EXPECT_EQ(l.Text(), "x\r\n\r\ny\r\n");
  TStringList back;
  back.SetText(l.Text());
  EXPECT_EQ(Items(back), Items(l));
}

TEST(StringList, IndexingAndErrors) {
  TStringList l;
  EXPECT_EQ(l.Add("one"), 0);
  EXPECT_EQ(l.Add("two"), 1);
  l.Insert(0, "zero");
  EXPECT_EQ(Items(l), (std::vector<std::string>{"zero", "one", "two"}));
  l.SetStrings(1, "ONE");
  l.Delete(2);
  EXPECT_EQ(Items(l), (std::vector<std::string>{"zero", "ONE"}));
  for (int bad : {-1, 2, 100}) {
    try {
      (void)l.Strings(bad);
      ADD_FAILURE() << bad;
    } catch (const EStringListError& e) {
      EXPECT_EQ(e.Message(), "List index out of bounds (" + std::to_string(bad) + ")");
    }
  }
  EXPECT_THROW(l.Delete(2), EStringListError);
  EXPECT_THROW(l.Insert(3, "x"), EStringListError);
  l.Insert(2, "end");  // Count is a valid insertion place
  EXPECT_EQ(l[2], "end");
}

TEST(StringList, SearchIgnoresCaseUnlessAsked) {
  TStringList l;
  l.SetText("Alpha\nbeta\nGamma");
  EXPECT_EQ(l.IndexOf("BETA"), 1);
  EXPECT_EQ(l.IndexOf("gamma"), 2);
  EXPECT_EQ(l.IndexOf("delta"), -1);
  l.SetCaseSensitive(true);
  EXPECT_EQ(l.IndexOf("BETA"), -1);
  EXPECT_EQ(l.IndexOf("beta"), 1);
}

TEST(StringList, NamesAndValues) {
  TStringList l;
  l.SetText("Flag=True\nPNG=C:\\a=b.png\nplain\n=empty name");
  EXPECT_EQ(l.Names(0), "Flag");
  EXPECT_EQ(l.ValueFromIndex(1), "C:\\a=b.png") << "value runs past later '='";
  EXPECT_EQ(l.Names(2), "");
  EXPECT_EQ(l.ValueFromIndex(2), "");
  EXPECT_EQ(l.Values("flag"), "True");
  EXPECT_EQ(l.Values("missing"), "");
  EXPECT_EQ(l.IndexOfName("png"), 1);
  EXPECT_EQ(l.IndexOfName("plain"), -1) << "a line without '=' has no name";

  l.SetValues("FLAG", "False");
  EXPECT_EQ(l[0], "FLAG=False") << "replaced in place";
  l.SetValues("New", "1");
  EXPECT_EQ(l[l.Count() - 1], "New=1");
  l.SetValues("png", "");
  EXPECT_EQ(l.IndexOfName("PNG"), -1) << "an empty value deletes the line";
  l.SetValues("absent", "");
  EXPECT_EQ(l.Count(), 4);
}

TEST(StringList, SortedListsStayInOrder) {
  TStringList l;
  l.SetText("pear\nApple\nfig");
  l.SetSorted(true);
  EXPECT_EQ(Items(l), (std::vector<std::string>{"Apple", "fig", "pear"}));
  EXPECT_EQ(l.Add("banana"), 1);
  EXPECT_EQ(l.Add("zucchini"), 4);
  EXPECT_EQ(l.Add("APPLE"), 0) << "duplicates ignored by default, existing index returned";
  EXPECT_EQ(l.Count(), 5);
  int at = -1;
  EXPECT_TRUE(l.Find("FIG", at));
  EXPECT_EQ(at, 2);
  EXPECT_FALSE(l.Find("grape", at));
  EXPECT_EQ(at, 3) << "insertion place";
  EXPECT_EQ(l.IndexOf("PEAR"), 3);
  EXPECT_THROW(l.Insert(0, "x"), EStringListError);
  EXPECT_THROW(l.SetStrings(0, "x"), EStringListError);

  l.SetDuplicates(TDuplicates::dupError);
  EXPECT_THROW(l.Add("Fig"), EStringListError);
  l.SetDuplicates(TDuplicates::dupAccept);
  l.Add("Fig");
  EXPECT_EQ(l.Count(), 6);

  // Case-sensitive order puts capitals first.
  TStringList c;
  c.SetCaseSensitive(true);
  c.SetSorted(true);
  c.Add("b");
  c.Add("B");
  c.Add("a");
  EXPECT_EQ(Items(c), (std::vector<std::string>{"B", "a", "b"}));
  EXPECT_EQ(c.IndexOf("A"), -1);
}

TEST(StringList, CommaTextQuotesWhatNeedsIt) {
  TStringList l;
  l.SetText("a\nb c\nsay \"hi\"\n\nx,y");
  EXPECT_EQ(l.CommaText(), "a,\"b c\",\"say \"\"hi\"\"\",\"\",\"x,y\"");
}

TEST(StringList, StreamRoundTripAndSelfAppend) {
  TStringList l;
  l.SetText("[Image]\r\nFlag=True");
  TMemoryStream s;
  l.SaveToStream(s);
  s.SetPosition(0);
  TStringList back;
  back.LoadFromStream(s);
  EXPECT_EQ(Items(back), Items(l));
  back.AddStrings(back);
  EXPECT_EQ(back.Count(), 4);
  TStringList copy;
  copy.SetSorted(true);
  copy.Assign(back);
  EXPECT_EQ(copy[0], "Flag=True");
  EXPECT_EQ(copy[2], "[Image]");
  EXPECT_EQ(copy.Count(), 4) << "Assign copies duplicates as they are";
}

}  // namespace
