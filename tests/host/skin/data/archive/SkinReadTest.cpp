#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "skin/data/SkinRead.h"
#include "tools/skintool/ArchiveWriter.h"
#include "tools/skintool/LzhEncode.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes B(const std::string& s) { return Bytes(s.begin(), s.end()); }

std::string Text(const TMemoryStream& s) { return std::string(s.Bytes().begin(), s.Bytes().end()); }

void PutLe32(Bytes& out, int32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
}

// A decoded archive laid out by hand, so malformed ones can be made too.
Bytes RawArchive(int32_t version, const std::string& names, const std::vector<int32_t>& sizes,
                 const std::string& data, int32_t namesLength = INT32_MIN) {
  Bytes out;
  PutLe32(out, version);
  PutLe32(out, namesLength != INT32_MIN ? namesLength : static_cast<int32_t>(names.size()));
  PutLe32(out, 0x1234567);  // reserved fields hold anything
  PutLe32(out, -5);
  out.insert(out.end(), names.begin(), names.end());
  for (int32_t s : sizes) PutLe32(out, s);
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

TMemoryStream Compressed(const Bytes& decoded) { return TMemoryStream(LzhEncodeFramed(decoded)); }

// Captures the skin message for the duration of a test.
class CapturedMessages {
 public:
  CapturedMessages() {
    FPrevious = SetSkinMessageHook([this](const std::string& text) { Messages.push_back(text); });
  }
  ~CapturedMessages() { SetSkinMessageHook(FPrevious); }
  std::vector<std::string> Messages;

 private:
  TSkinMessageHook FPrevious;
};

const std::vector<TArchiveEntry> SampleEntries = {
    {"Top.bmp", B("TOPDATA")}, {"skin.ini", B("[Personality]\r\nName=Test\r\n")},
    {"min.bmp", B("first")},   {"empty.bmp", {}},
    {"MIN.BMP", B("second")},
};

TSkinReader LoadedSample() {
  TSkinReader reader;
  TMemoryStream s(PackArchive(SampleEntries));
  EXPECT_TRUE(reader.LoadArchive(s));
  return reader;
}

TEST(SkinReader, FindsEntriesWithoutRegardToCaseAndTheFirstOfTwins) {
  const TSkinReader reader = LoadedSample();
  ASSERT_EQ(reader.Count(), 5);
  EXPECT_EQ(reader.Names()[0], "top.bmp");  // names are kept lower-cased
  struct Case {
    const char* name;
    const char* expected;
  };
  for (const Case& c : {Case{"TOP.BMP", "TOPDATA"}, Case{"top.bmp", "TOPDATA"}, Case{"Min.Bmp", "first"},
                        Case{"skin.ini", "[Personality]\r\nName=Test\r\n"}, Case{"empty.bmp", ""},
                        Case{"absent.bmp", ""}, Case{"top", ""}}) {
    TMemoryStream target(B("stale bytes"));
    reader.ExtractEntry(c.name, target);
    EXPECT_EQ(Text(target), c.expected) << c.name;
    EXPECT_EQ(target.GetPosition(), 0) << c.name;
  }
}

TEST(SkinReader, ExtractEntryContainingFindsTheDescriptionAndItsName) {
  const TSkinReader reader = LoadedSample();
  TMemoryStream target;
  std::string found = "unchanged";
  reader.ExtractEntryContaining(".ini", target, found);
  EXPECT_EQ(found, "skin.ini");
  EXPECT_EQ(Text(target), "[Personality]\r\nName=Test\r\n");

  found = "unchanged";
  reader.ExtractEntryContaining(".png", target, found);
  EXPECT_EQ(found, "unchanged");
  EXPECT_EQ(target.GetSize(), 0);

  reader.ExtractEntryContaining("min", target, found);  // first of the two
  EXPECT_EQ(Text(target), "first");
  reader.ExtractEntryContaining("MIN", target, found);  // the text is used as given
  EXPECT_EQ(found, "min.bmp");
  EXPECT_EQ(target.GetSize(), 0);
}

TEST(SkinReader, LineBreaksOfTheNamesTextAreAllAccepted) {
  const std::vector<int32_t> sizes = {2, 3};
  for (const char* names : {"a.bmp\r\nb.ini\r\n", "a.bmp\r\nb.ini", "a.bmp\nb.ini\n", "a.bmp\rb.ini"}) {
    TSkinReader reader;
    TMemoryStream s = Compressed(RawArchive(20000, names, sizes, "AABBB"));
    s.SetPosition(9);  // loading starts from position 0 whatever the position
    ASSERT_TRUE(reader.LoadArchive(s)) << names;
    EXPECT_EQ(reader.Names(), (std::vector<std::string>{"a.bmp", "b.ini"})) << names;
    TMemoryStream t;
    reader.ExtractEntry("b.ini", t);
    EXPECT_EQ(Text(t), "BBB") << names;
  }
}

TEST(SkinReader, ZeroEntriesLoadAndEveryLookupIsEmpty) {
  TSkinReader reader;
  TMemoryStream s = Compressed(RawArchive(20000, "", {}, ""));
  ASSERT_TRUE(reader.LoadArchive(s));
  EXPECT_EQ(reader.Count(), 0);
  TMemoryStream t(B("x"));
  std::string found;
  reader.ExtractEntryContaining(".ini", t, found);
  EXPECT_EQ(t.GetSize(), 0);
  EXPECT_TRUE(found.empty());
}

TEST(SkinReader, OtherVersionsAreRefusedWithTheMessageAndKeepTheEarlierTable) {
  for (int32_t version : {19999, 20001, 0}) {
    TSkinReader reader = LoadedSample();
    CapturedMessages captured;
    TMemoryStream s(PackArchive({{"other.bmp", B("zz")}}, version));
    EXPECT_FALSE(reader.LoadArchive(s)) << version;
    EXPECT_EQ(captured.Messages,
              (std::vector<std::string>{"This is Older Skin File\rPlease update to new version !"}));
    EXPECT_EQ(reader.Count(), 5);
    TMemoryStream t;
    reader.ExtractEntry("top.bmp", t);
    EXPECT_EQ(Text(t), "TOPDATA");
  }
}

TEST(SkinReader, InconsistentArchivesAreRefusedQuietlyAndKeepTheEarlierTable) {
  std::string names1002;
  for (int i = 0; i < 1002; ++i) names1002 += "e" + std::to_string(i) + "\r\n";
  struct Case {
    const char* what;
    Bytes decoded;
  };
  const Case cases[] = {
      {"shorter than the header", Bytes{0x20, 0x4E, 0, 0, 4, 0, 0}},
      {"names length past the end", RawArchive(20000, "a.bmp", {1}, "X", 500)},
      {"negative names length", RawArchive(20000, "a.bmp", {1}, "X", -1)},
      {"size table past the end", RawArchive(20000, "a\r\nb\r\nc\r\n", {1}, "")},
      {"sizes add up past the data", RawArchive(20000, "a\r\nb", {3, 4}, "123456")},
      {"negative size", RawArchive(20000, "a\r\nb", {-2, 4}, "12")},
      {"sizes overflowing 32 bits", RawArchive(20000, "a\r\nb", {0x7FFFFFFF, 0x7FFFFFFF}, "12")},
      {"1002 entries", RawArchive(20000, names1002, std::vector<int32_t>(1002, 0), "")},
  };
  for (const auto& c : cases) {
    TSkinReader reader = LoadedSample();
    CapturedMessages captured;
    TMemoryStream s = Compressed(c.decoded);
    EXPECT_FALSE(reader.LoadArchive(s)) << c.what;
    EXPECT_FALSE(reader.LastError().empty()) << c.what;
    EXPECT_TRUE(captured.Messages.empty()) << c.what;
    EXPECT_EQ(reader.Count(), 5) << c.what;
  }
  // The limit itself is allowed.
  std::string names1001;
  for (int i = 0; i < 1001; ++i) names1001 += "e" + std::to_string(i) + "\r\n";
  TSkinReader reader;
  TMemoryStream s =
      Compressed(RawArchive(20000, names1001, std::vector<int32_t>(1001, 1), std::string(1001, 'q')));
  EXPECT_TRUE(reader.LoadArchive(s));
  EXPECT_EQ(reader.Count(), 1001);
}

TEST(SkinReader, CorruptOrHostileStreamsAreRefused) {
  TSkinReader reader;
  const Bytes hostile[] = {
      {},                                    // no size field
      {0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3},     // 2 GB declared
      {0x00, 0x00, 0x00, 0x01, 0xAB},        // 16 MB from one byte
      {0xF0, 0xFF, 0xFF, 0xFF, 1, 2, 3, 4},  // negative size
  };
  for (const auto& bytes : hostile) {
    TMemoryStream s(bytes);
    EXPECT_FALSE(reader.LoadArchive(s));
    EXPECT_FALSE(reader.LastError().empty());
  }
}

TEST(SkinReader, BytesPastTheDeclaredSizeAreNotArchiveData) {
  // The entry claims one byte more than the declared size; the last match would supply it
  // (a final match runs past the declared size), but those bytes are not part of the archive.
  Bytes decoded = RawArchive(20000, "a.bmp", {5}, "xxxx");
  TLzhWriter w;
  for (uint8_t b : decoded) w.PutLiteral(b);
  w.PutMatch(20, 0);  // the final match produces 20 more 'x' bytes
  Bytes framed;
  PutLe32(framed, static_cast<int32_t>(decoded.size()));
  const Bytes bits = w.Finish();
  framed.insert(framed.end(), bits.begin(), bits.end());
  TSkinReader reader;
  TMemoryStream s(framed);
  EXPECT_FALSE(reader.LoadArchive(s));

  // With a size that fits, the same stream loads and the entry is exact.
  decoded = RawArchive(20000, "a.bmp", {4}, "xxxx");
  framed.clear();
  PutLe32(framed, static_cast<int32_t>(decoded.size()));
  TLzhWriter w2;
  for (uint8_t b : decoded) w2.PutLiteral(b);
  w2.PutMatch(20, 0);
  const Bytes bits2 = w2.Finish();
  framed.insert(framed.end(), bits2.begin(), bits2.end());
  TMemoryStream s2(framed);
  ASSERT_TRUE(reader.LoadArchive(s2));
  TMemoryStream t;
  reader.ExtractEntry("a.bmp", t);
  EXPECT_EQ(Text(t), "xxxx");
}

}  // namespace
