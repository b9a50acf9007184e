#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "LzhBaseline.h"
#include "host/skin/data/archive/GoldenText.h"
#include "skin/data/LZH.h"
#include "skin/data/LzhTree.h"
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
        const std::string line = "[Button" + std::to_string(rng() % 30) +
                                 "]\r\nLeftWidth=" + std::to_string(rng() % 10) + "\r\nImage=buttons.bmp\r\n";
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

// The decoder against the textbook decoder in tests/bench/skin/data/lzh, which shares none of its code:
// both must give the same bytes for any stream the encoder writes, for cut-off streams and for
// streams of random bits.
namespace {

// Everything each path gives for one stream, cut to the declared size.
struct Decodings {
  Bytes memory, callbacks, baseline;
  bool memoryRefused = false;
};

Decodings DecodeEveryWay(const Bytes& bits, int32_t declared) {
  Decodings d;
  try {
    LzhDecode(bits, declared, d.memory);
    d.memory.resize(static_cast<size_t>(declared));
    CallbackRun run(bits, declared);
    d.callbacks = run.out;
    d.callbacks.resize(static_cast<size_t>(declared));
  } catch (const ElzhException&) {
    d.memoryRefused = true;
  }
  d.baseline = BaselineLzhDecode(bits, declared);
  d.baseline.resize(static_cast<size_t>(declared));
  return d;
}

// Symbols chosen at random: literals from a small or a full alphabet, matches of every length
// at near and far positions, the far ones reaching into the initial window at the start.
Bytes RandomSymbolStream(unsigned seed, int symbols, unsigned maxMatchPercent, int32_t& produced) {
  std::mt19937 rng(seed);
  TLzhWriter w;
  const bool smallAlphabet = rng() % 2 == 0;
  const unsigned matchShare = rng() % maxMatchPercent;
  produced = 0;
  for (int s = 0; s < symbols; ++s) {
    if (rng() % 100 < matchShare) {
      const int length = 3 + static_cast<int>(rng() % 58);
      const int position = rng() % 4 == 0 ? static_cast<int>(rng() % 4096) : static_cast<int>(rng() % 16);
      w.PutMatch(length, position);
      produced += length;
    } else {
      w.PutLiteral(static_cast<uint8_t>(smallAlphabet ? 'a' + rng() % 6 : rng()));
      ++produced;
    }
  }
  return w.Finish();
}

TEST(LzhAgreement, EncodedDataOfEveryKindDecodesAlikeAllThreeWays) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    std::mt19937 rng(seed);
    const size_t size = 1 + rng() % 20000;
    Bytes data;
    switch (seed % 4) {
      case 0:
        data = RandomBytes(size, seed);
        break;
      case 1:
        data = MixedData(size, seed);
        break;
      case 2:
        data = Bytes(size, static_cast<uint8_t>(rng()));
        break;
      default:
        for (size_t i = 0; i < size; ++i) data.push_back(static_cast<uint8_t>("ab \n"[rng() % 4]));
    }
    const Decodings d = DecodeEveryWay(LzhEncode(data), static_cast<int32_t>(size));
    ASSERT_FALSE(d.memoryRefused) << seed;
    EXPECT_TRUE(d.memory == data) << seed;
    EXPECT_TRUE(d.callbacks == data) << seed;
    EXPECT_TRUE(d.baseline == data) << seed;
  }
}

TEST(LzhAgreement, RandomSymbolStreamsDecodeAlike) {
  for (unsigned seed = 100; seed < 220; ++seed) {
    int32_t produced = 0;
    // Two long enough to pass the tree rebuild at the 32,455th symbol, mostly literals.
    const bool pastRebuild = seed % 60 == 0;
    const int symbols = pastRebuild ? 33000 : 1 + static_cast<int>(seed * 7919 % 1500);
    const Bytes bits = RandomSymbolStream(seed, symbols, pastRebuild ? 10 : 90, produced);
    const Decodings d = DecodeEveryWay(bits, produced);
    ASSERT_FALSE(d.memoryRefused) << seed;
    ASSERT_EQ(d.memory.size(), static_cast<size_t>(produced));
    EXPECT_TRUE(d.memory == d.baseline) << seed;
    EXPECT_TRUE(d.callbacks == d.baseline) << seed;
  }
}

TEST(LzhAgreement, TruncatedStreamsDecodeAlike) {
  int compared = 0;
  for (unsigned seed = 1; seed <= 30; ++seed) {
    std::mt19937 rng(seed);
    const Bytes data = MixedData(2000 + rng() % 20000, seed);
    Bytes bits = LzhEncode(data);
    // Cut anywhere from the first byte to the last, most often near the end.
    const size_t keep =
        rng() % 3 == 0 ? rng() % bits.size() : bits.size() - 1 - rng() % std::min<size_t>(bits.size(), 200);
    bits.resize(keep);
    const Decodings d = DecodeEveryWay(bits, static_cast<int32_t>(data.size()));
    if (d.memoryRefused) continue;  // ran dry long before the end: only the fast paths refuse
    ++compared;
    EXPECT_TRUE(d.memory == d.baseline) << seed << " cut at " << keep;
    EXPECT_TRUE(d.callbacks == d.baseline) << seed << " cut at " << keep;
  }
  EXPECT_GE(compared, 20);
}

TEST(LzhAgreement, RandomBitsDecodeAlike) {
  int compared = 0;
  for (unsigned seed = 1; seed <= 150; ++seed) {
    std::mt19937 rng(seed);
    const Bytes bits = RandomBytes(rng() % 1500, seed);
    const int32_t declared = static_cast<int32_t>(rng() % 8000);
    const Decodings d = DecodeEveryWay(bits, declared);
    if (d.memoryRefused) continue;
    ++compared;
    EXPECT_TRUE(d.memory == d.baseline) << seed;
    EXPECT_TRUE(d.callbacks == d.baseline) << seed;
  }
  EXPECT_GE(compared, 100);
}

// Counts in Fibonacci proportion grow the tree as deep as its counts allow; the rarest symbols
// then sit at the bottom and take the longest codes there are.
TEST(LzhAgreement, DeepestTreeDecodesAlike) {
  TLzhWriter w;
  Bytes expected;
  auto literal = [&](uint8_t b) {
    w.PutLiteral(b);
    expected.push_back(b);
  };
  int a = 1, b = 1;
  for (int symbol = 0; symbol < 21; ++symbol) {
    for (int k = 0; k < a; ++k) literal(static_cast<uint8_t>(symbol));
    const int next = a + b;
    a = b;
    b = next;
  }
  for (int round = 0; round < 50; ++round) {
    literal(static_cast<uint8_t>(200 + round % 50));  // counts still 1: the deepest leaves
    literal(0);
  }
  const Decodings d = DecodeEveryWay(w.Finish(), static_cast<int32_t>(expected.size()));
  ASSERT_FALSE(d.memoryRefused);
  EXPECT_TRUE(d.memory == expected);
  EXPECT_TRUE(d.callbacks == expected);
  EXPECT_TRUE(d.baseline == expected);
}

}  // namespace

// A stream's declared size is only a claim: memory is set aside in step with what its bytes can
// decode to, never by the claim alone.
namespace {

TEST(LzhReservation, ASmallStreamClaimingTheLimitGetsLittleMemory) {
  struct Case {
    const char* what;
    Bytes bits;
  };
  const Case cases[] = {
      {"three bytes", {0x12, 0x34, 0x56}},
      {"no bytes", {}},
      {"a real stream of a few kilobytes", LzhEncode(MixedData(5000, 9))},
  };
  for (const auto& c : cases) {
    Bytes out = {1, 2, 3};
    EXPECT_THROW(LzhDecode(c.bits, LzhMaxDecodedSize, out), ElzhException) << c.what;
    // Capacity never shrinks, so it shows the most the decode held at once.
    EXPECT_LT(out.capacity(), static_cast<size_t>(256 * 1024 + 50 * c.bits.size())) << c.what;
    EXPECT_EQ(out, (Bytes{1, 2, 3})) << c.what << ": the caller's bytes are left as they were";
  }
}

TEST(LzhReservation, HighlyCompressedStreamsStillDecodeWhole) {
  // Long runs pack about 48 bytes into one: the most any stream can, so the measured room
  // must still hold all of it.
  for (size_t size : {size_t{1}, size_t{4096}, size_t{3 << 20}}) {
    const Bytes data(size, 'q');
    Bytes out = {7};
    LzhDecode(LzhEncode(data), static_cast<int32_t>(size), out);
    ASSERT_GE(out.size(), size + 1);
    EXPECT_EQ(out[0], 7);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), out.begin() + 1)) << size;
  }
}

}  // namespace
