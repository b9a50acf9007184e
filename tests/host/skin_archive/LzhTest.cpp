#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "skin/data/LZH.h"
#include "skin/data/LzhTree.h"
#include "host/skin_archive/GoldenText.h"
#include "tools/skintool/LzhEncode.h"
#include "ui/Streams.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes FromText(const std::string& s) { return Bytes(s.begin(), s.end()); }

// Decodes through the byte-at-a-time callbacks, recording how they were used.
struct CallbackRun {
  Bytes out;
  int gets = 0;
  bool oneByteAsks = true;
  bool oneBytePuts = true;
  int64_t produced = 0;

  CallbackRun(const Bytes& bits, int32_t textSize) {
    size_t pos = 0;
    TLZH lzh;
    produced = lzh.LZHUnpack(
        textSize,
        [&](uint8_t* buf, int requested) {
          ++gets;
          oneByteAsks = oneByteAsks && requested == 1;
          if (pos >= bits.size()) return 0;
          *buf = bits[pos++];
          return 1;
        },
        [&](const uint8_t* buf, int count) {
          oneBytePuts = oneBytePuts && count == 1;
          out.insert(out.end(), buf, buf + count);
        });
  }
};

Bytes RandomBytes(size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  Bytes b(n);
  for (auto& x : b) x = static_cast<uint8_t>(rng());
  return b;
}

// Skin-like data: bitmap rows with runs and gradients, INI text, noise.
Bytes MixedData(size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  Bytes b;
  b.reserve(n);
  while (b.size() < n) {
    switch (rng() % 4) {
      case 0: {  // a row of a 24-bit bitmap: magenta margins around a gradient
        const int w = 20 + static_cast<int>(rng() % 200);
        for (int x = 0; x < w; ++x) {
          const bool key = x < 4 || x >= w - 4;
          b.push_back(key ? 0xFF : static_cast<uint8_t>(x * 3));
          b.push_back(key ? 0x00 : static_cast<uint8_t>(120 + x % 7));
          b.push_back(key ? 0xFF : static_cast<uint8_t>(200 - x % 50));
        }
        break;
      }
      case 1: {
        const std::string line = "[Button" + std::to_string(rng() % 30) + "]\r\nLeftWidth=" +
                                 std::to_string(rng() % 10) + "\r\nImage=buttons.bmp\r\n";
        b.insert(b.end(), line.begin(), line.end());
        break;
      }
      case 2:
        for (int k = static_cast<int>(rng() % 300); k > 0; --k) b.push_back(static_cast<uint8_t>(rng()));
        break;
      default:
        b.insert(b.end(), 1 + rng() % 500, static_cast<uint8_t>(rng()));
    }
  }
  b.resize(n);
  return b;
}

TEST(LzhDecode, ZeroOrNegativeSizeProducesNothingAndReadsNothing) {
  const Bytes bits = LzhEncode(FromText("abc"));
  for (int32_t size : {0, -1, INT32_MIN}) {
    CallbackRun run(bits, size);
    EXPECT_EQ(run.gets, 0) << size;
    EXPECT_TRUE(run.out.empty()) << size;
    EXPECT_EQ(run.produced, 0);
  }
  EXPECT_TRUE(LzhUnpackFramed(Bytes{0, 0, 0, 0}).empty());
}

TEST(LzhDecode, HandMadeMatchesCopyFromTheWindow) {
  struct Case {
    const char* what;
    std::string literals;
    int length;
    int position;
    std::string expected;
  };
  const Case cases[] = {
      // Write position is 4037 after one literal; 100 back lands in the initial spaces.
      {"into the initial spaces", "A", 10, 100, "A" + std::string(10, ' ')},
      {"length 60 at distance 1", "x", 60, 0, std::string(61, 'x')},
      {"overlapping repeat", "ab", 7, 1, "ababababa"},
      // Partly spaces, partly the text written so far.
      {"straddling the start", "XY", 5, 2, "XY XY X"},
      {"shortest match", "abcd", 3, 3, "abcdabc"},
  };
  for (const auto& c : cases) {
    TLzhWriter w;
    for (char ch : c.literals) w.PutLiteral(static_cast<uint8_t>(ch));
    w.PutMatch(c.length, c.position);
    const Bytes bits = w.Finish();
    CallbackRun run(bits, static_cast<int32_t>(c.expected.size()));
    EXPECT_EQ(std::string(run.out.begin(), run.out.end()), c.expected) << c.what;
    EXPECT_TRUE(run.oneByteAsks && run.oneBytePuts) << c.what;
  }
}

TEST(LzhDecode, FinalMatchIsCopiedWholeButFramedOutputIsCutToTheDeclaredSize) {
  TLzhWriter w;
  w.PutLiteral('z');
  w.PutMatch(60, 0);
  const Bytes bits = w.Finish();
  CallbackRun run(bits, 2);  // the match starts before 2 bytes exist and runs 59 past
  EXPECT_EQ(run.produced, 61);
  EXPECT_EQ(run.out.size(), 61u);

  Bytes framed = {2, 0, 0, 0};
  framed.insert(framed.end(), bits.begin(), bits.end());
  EXPECT_EQ(LzhUnpackFramed(framed), FromText("zz"));
}

TEST(LzhTree, RootReachesTheLimitAtTheExpectedSymbolAndRebuildKeepsTheTreeSound) {
  auto tree = std::make_unique<TLzhTree>();
  tree->Start();
  EXPECT_EQ(tree->freq[lzh::R], 314);
  std::mt19937 rng(7);
  for (int i = 1; i <= 32454; ++i) tree->Update(static_cast<int>(rng() % 40));
  EXPECT_EQ(tree->freq[lzh::R], lzh::MAX_FREQ);
  tree->Update(3);  // the 32,455th update rebuilds first
  EXPECT_LT(tree->freq[lzh::R], 0x4400);

  // Invariants a decoder depends on: sorted counts, parents summing their children,
  // links that agree both ways, every symbol reachable from the root.
  for (int i = 0; i + 1 < lzh::T; ++i) ASSERT_LE(tree->freq[i], tree->freq[i + 1]) << i;
  for (int i = 0; i < lzh::T; ++i) {
    const int s = tree->son[i];
    if (s >= lzh::T) {
      ASSERT_EQ(tree->prnt[s], i);
    } else {
      ASSERT_EQ(tree->freq[i], tree->freq[s] + tree->freq[s + 1]) << i;
      ASSERT_EQ(tree->prnt[s], i);
      ASSERT_EQ(tree->prnt[s + 1], i);
    }
  }
  for (int c = 0; c < lzh::N_CHAR; ++c) {
    int k = tree->prnt[c + lzh::T];
    int steps = 0;
    while (k != lzh::R && steps < lzh::T) {
      k = tree->prnt[k];
      ++steps;
    }
    ASSERT_EQ(k, lzh::R) << c;
  }
}

TEST(LzhRoundTrip, GeneratedInputsDecodeExactly) {
  struct Case {
    const char* what;
    Bytes data;
  };
  std::vector<Case> cases = {
      {"one byte", {42}},
      {"text", FromText("The quick brown fox jumps over the lazy dog; the quick brown fox again.")},
      {"zeros", Bytes(100000, 0)},
      {"spaces like the initial window", Bytes(5000, ' ')},
      {"random, no matches, past the tree rebuild", RandomBytes(40000, 1)},
      {"mixed", MixedData(200000, 2)},
  };
  // Repeats at the window's edge: a block repeated at distances 4095, 4096 and 4097.
  for (size_t period : {4095u, 4096u, 4097u}) {
    Bytes block = RandomBytes(period, static_cast<unsigned>(period));
    Bytes data = block;
    data.insert(data.end(), block.begin(), block.end());
    data.insert(data.end(), block.begin(), block.begin() + 1000);
    cases.push_back({"window-edge repeat", data});
  }
  for (const auto& c : cases) {
    const Bytes bits = LzhEncode(c.data);
    std::vector<uint8_t> out;
    LzhDecode(bits, static_cast<int32_t>(c.data.size()), out);
    out.resize(c.data.size());
    EXPECT_TRUE(out == c.data) << c.what;
    CallbackRun run(bits, static_cast<int32_t>(c.data.size()));
    run.out.resize(c.data.size());
    EXPECT_TRUE(run.out == c.data) << c.what << " (callbacks)";
  }
}

TEST(LzhRoundTrip, OneMegabyteOfMixedDataThroughTheFramedStreams) {
  const Bytes data = MixedData(1 << 20, 3);
  const Bytes framed = LzhEncodeFramed(data);
  EXPECT_LT(framed.size(), data.size() / 2);  // it does compress skin-like data
  TMemoryStream in(framed);
  in.SetPosition(17);  // the framing is read from position 0 whatever the position
  TMemoryStream out;
  EXPECT_EQ(LzhUnpackStream(in, out), static_cast<int32_t>(data.size()));
  ASSERT_GE(out.GetSize(), static_cast<int64_t>(data.size()));
  EXPECT_LE(out.GetSize(), static_cast<int64_t>(data.size()) + 59);
  EXPECT_TRUE(std::equal(data.begin(), data.end(), out.Memory()));
}

TEST(LzhDecode, TruncatedInputStillYieldsTheDeclaredSize) {
  const Bytes data = MixedData(30000, 4);
  Bytes bits = LzhEncode(data);
  const size_t keep = bits.size() - 300;
  bits.resize(keep);
  CallbackRun run(bits, static_cast<int32_t>(data.size()));
  EXPECT_GE(run.produced, static_cast<int64_t>(data.size()));
  EXPECT_LE(run.produced, static_cast<int64_t>(data.size()) + 59);
  // Everything before the cut decodes as before.
  EXPECT_TRUE(std::equal(data.begin(), data.begin() + 1000, run.out.begin()));
}

TEST(LzhDecode, RefusesAbsurdSizesAndInputThatRanDryLongAgo) {
  int gets = 0;
  TLZH lzh;
  auto get = [&](uint8_t*, int) { return ++gets, 0; };
  auto put = [](const uint8_t*, int) {};
  EXPECT_THROW(lzh.LZHUnpack(LzhMaxDecodedSize + 1, get, put), ElzhException);
  EXPECT_EQ(gets, 0);  // refused before reading

  // Three bytes of input cannot stand for ten megabytes: decoding stops and says so.
  const Bytes framed = {0x00, 0x00, 0xA0, 0x00, 0x12, 0x34, 0x56};
  try {
    LzhUnpackFramed(framed);
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {  // the program's error base carries the message
    EXPECT_NE(std::string(e.what()).find("LZH : "), std::string::npos);
  }
  EXPECT_THROW(LzhUnpackFramed(Bytes{1, 0, 0}), ElzhException);
}

}  // namespace

namespace {

// A stream kept in the tree since it was first written: the format may not drift, or skins
// packed earlier stop loading. It holds about 34,000 symbols, so the tree rebuilds on the way.
TEST(LzhDecode, StoredStreamAcrossTheTreeRebuildStillDecodes) {
  std::ifstream in(std::string(SKIN_ARCHIVE_TEST_DATA) + "/rebuild.lzh", std::ios::binary);
  ASSERT_TRUE(in);
  const Bytes stored((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  TLzhWriter writer;
  const Bytes text = GoldenText([&](uint8_t b) { writer.PutLiteral(b); },
                                [&](int length, int distance) { writer.PutMatch(length, distance - 1); });
  EXPECT_TRUE(LzhUnpackFramed(stored) == text);
  // The writer still produces the same bits from the same symbols.
  const Bytes bits = writer.Finish();
  EXPECT_TRUE(std::equal(bits.begin(), bits.end(), stored.begin() + 4, stored.end()));
}

}  // namespace
