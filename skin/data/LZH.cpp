#include "skin/data/LZH.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <new>

#include "skin/data/LzhTree.h"
#include "ui/Streams.h"

namespace {

using namespace lzh;

// Working state of one decoding run; freed on every exit, exceptions included.
struct TLzhState {
  TLzhTree tree;
  uint8_t text[N];
};

// The most output one input byte can stand for: a match of F bytes costs at least one bit of
// length code and nine of position (3 + 6), so at most F / 10 bytes per bit.
constexpr int64_t MaxYieldPerByte = 8 * F / 10;
// Room the fast path keeps ahead of its write position: one whole match plus the over-write
// of its 8-byte copies.
constexpr size_t CopySlack = 8;
constexpr size_t SymbolRoom = F + CopySlack;

template <class State>
std::unique_ptr<State> Allocate() {
  std::unique_ptr<State> state(new (std::nothrow) State);
  if (!state) throw ElzhException("LZH : Cannot get memory for dictionary tables");
  return state;
}

[[noreturn]] void ThrowRanDry(int32_t textSize) {
  throw ElzhException("LZH : Input ends long before the declared size of " + std::to_string(textSize) +
                      " bytes");
}

void CheckDeclaredSize(int32_t textSize) {
  if (textSize > LzhMaxDecodedSize)
    throw ElzhException("LZH : Declared size " + std::to_string(textSize) + " is above the limit of " +
                        std::to_string(LzhMaxDecodedSize) + " bytes");
}

// Bits most significant first; past the end of the input every bit reads as zero.
template <class Source>
class TBitReader {
 public:
  explicit TBitReader(Source& source) : FSource(source) {}

  int GetBit() {
    Fill();
    const int bit = static_cast<int>(FBuffer >> 15) & 1;
    FBuffer = static_cast<uint16_t>(FBuffer << 1);
    --FCount;
    return bit;
  }
  int GetByte() {
    Fill();
    const int byte = FBuffer >> 8;
    FBuffer = static_cast<uint16_t>(FBuffer << 8);
    FCount -= 8;
    return byte;
  }
  int32_t BytesPastEnd() const { return FPastEnd; }

 private:
  void Fill() {
    while (FCount < 9) {
      int byte = FSource.Next();
      if (byte < 0) {
        byte = 0;
        if (FPastEnd < INT32_MAX) ++FPastEnd;
      }
      FBuffer = static_cast<uint16_t>(FBuffer | (byte << (8 - FCount)));
      FCount += 8;
    }
  }

  Source& FSource;
  uint16_t FBuffer = 0;
  int FCount = 0;
  int32_t FPastEnd = 0;
};

template <class BitReader, class Sink>
int64_t Decode(int32_t textSize, BitReader& bits, Sink& sink) {
  CheckDeclaredSize(textSize);
  if (textSize <= 0) return 0;
  std::unique_ptr<TLzhState> state = Allocate<TLzhState>();
  TLzhTree& tree = state->tree;
  uint8_t* text = state->text;
  tree.Start();
  std::memset(text, ' ', WriteStart);
  std::memset(text + WriteStart, 0, N - WriteStart);

  unsigned r = WriteStart;
  int64_t produced = 0;
  while (produced < textSize) {
    // Zero bits past a truncated end keep decoding; input that long gone is not a stream.
    if (bits.BytesPastEnd() > LzhMaxBytesPastEnd) ThrowRanDry(textSize);
    int c = tree.son[R];
    while (c < T) c = tree.son[c + bits.GetBit()];
    c -= T;
    tree.Update(c);
    if (c < 256) {
      const uint8_t byte = static_cast<uint8_t>(c);
      sink.Put(byte);
      text[r] = byte;
      r = (r + 1) & (N - 1);
      ++produced;
      continue;
    }
    unsigned i = static_cast<unsigned>(bits.GetByte());
    const unsigned upper = static_cast<unsigned>(LzhPositions.code[i]) << 6;
    for (int j = LzhPositions.len[i] - 2; j > 0; --j) i = (i << 1) + static_cast<unsigned>(bits.GetBit());
    const unsigned position = upper | (i & 0x3F);
    unsigned from = (r - position - 1) & (N - 1);
    const int length = c - 255 + THRESHOLD;
    for (int k = 0; k < length; ++k) {
      const uint8_t byte = text[from];
      from = (from + 1) & (N - 1);
      sink.Put(byte);
      text[r] = byte;
      r = (r + 1) & (N - 1);
    }
    produced += length;
  }
  return produced;
}

struct TCallbackSource {
  const TLzhGetBytes& get;
  int Next() {
    uint8_t byte = 0;
    return get(&byte, 1) >= 1 ? byte : -1;
  }
};

struct TCallbackSink {
  const TLzhPutBytes& put;
  void Put(uint8_t byte) { put(&byte, 1); }
};

// Output room to start with: the declared size when the input could yield it, otherwise the
// most the input could yield, so a small stream claiming a huge size gets little memory.
size_t InitialRoom(size_t inputBytes, int32_t textSize) {
  const int64_t declared = static_cast<int64_t>(textSize) + F;
  const int64_t yield = (static_cast<int64_t>(inputBytes) + LzhMaxBytesPastEnd + 8) * MaxYieldPerByte + F;
  return static_cast<size_t>(std::min(declared, yield)) + CopySlack;
}

// For a match distance below 8: the largest multiple of it that is at most 8. The match repeats
// with the distance's period, so eight bytes of it fit again that far on.
constexpr uint8_t ShortPeriodStep[8] = {0, 8, 8, 6, 8, 5, 6, 7};

uint64_t LoadBigEndian64(const uint8_t* p) {
  uint64_t v;
  std::memcpy(&v, p, sizeof v);
  if constexpr (std::endian::native == std::endian::little) v = __builtin_bswap64(v);
  return v;
}

// The memory path. The whole output is at hand, so a match copies from the output itself (it
// reaches at most 4096 bytes back, the window's size) in 8-byte pieces, and no window is kept;
// only a match reaching back before the first output byte reads the initial window, whose
// content is fixed. Bits come 64 at a time.
void DecodeMemory(const uint8_t* p, const uint8_t* const end, const int32_t textSize,
                  std::vector<uint8_t>& out) {
  std::unique_ptr<TLzhTree> treeOwner = Allocate<TLzhTree>();
  TLzhTree& tree = *treeOwner;
  tree.Start();

  // Whatever ends the run early, the caller's vector gets its old size back.
  const size_t base = out.size();
  struct TRestore {
    std::vector<uint8_t>& v;
    size_t size;
    bool armed = true;
    ~TRestore() {
      if (armed) v.resize(size);
    }
  } restore{out, base};

  size_t room = InitialRoom(static_cast<size_t>(end - p), textSize);
  out.resize(base + room);
  uint8_t* start = out.data() + base;
  uint8_t* op = start;
  uint8_t* limit = start + room - SymbolRoom;

  // Bits are taken from the top of `buf`; `count` of them are valid. Below them may sit more
  // bits of the bytes at `p`, which a refill ORs in again unchanged.
  uint64_t buf = 0;
  int count = 0;
  int32_t pastEnd = 0;
  // The nodes of the current symbol's code, root first; no path is longer than the tree.
  int16_t path[T + 1];
  path[0] = R;
  auto refill = [&] {
    if (end - p >= 8) {
      buf |= LoadBigEndian64(p) >> count;
      p += (63 - count) >> 3;
      count |= 56;
      return;
    }
    // Near the end: byte by byte, zeros past it, counted.
    while (count <= 56) {
      uint64_t byte = 0;
      if (p < end) {
        byte = *p++;
      } else {
        ++pastEnd;
      }
      buf |= byte << (56 - count);
      count += 8;
    }
    if (pastEnd > LzhMaxBytesPastEnd) ThrowRanDry(textSize);
  };

  while (op - start < textSize) {
    // A symbol's code is at most 20 bits long (a leaf deeper than that needs counts adding up
    // past 0x8000, as Fibonacci numbers do), a position's 14: 40 buffered bits cover both.
    if (count < 40) refill();
    if (op > limit) {
      // Only reached if the input yields more than the room measured for it.
      const size_t produced = static_cast<size_t>(op - start);
      room =
          std::min(std::max(room * 2, produced + SymbolRoom), static_cast<size_t>(textSize) + F + CopySlack);
      out.resize(base + room);
      start = out.data() + base;
      op = start + produced;
      limit = start + room - SymbolRoom;
    }

    // Two levels of the code per look-up.
    int node = R;
    int depth = 0;
    uint32_t e;
    for (;;) {
      if (tree.pairsStale[node]) tree.RefreshPairs(node);
      e = tree.pairs[node][buf >> 62];
      path[++depth] = static_cast<int16_t>(TLzhTree::PairChild(e));
      if (e & TLzhTree::PairLeafAtChild) {
        buf <<= 1;
        --count;
        break;
      }
      node = TLzhTree::PairGrandchild(e);
      path[++depth] = static_cast<int16_t>(node);
      buf <<= 2;
      count -= 2;
      if (e & TLzhTree::PairLeafAtGrandchild) break;
    }
    if (count < 14) {
      if (count < 0) throw ElzhException("LZH : Code longer than the tree allows");
      refill();
    }
    const int c = TLzhTree::PairSymbol(e);
    tree.UpdateAlong(c, path, depth);
    if (c < 256) {
      *op++ = static_cast<uint8_t>(c);
      continue;
    }

    // Position: eight bits select the upper six and the code's length; the low six follow it.
    const unsigned first = static_cast<unsigned>(buf >> 56);
    const int bits = LzhPositions.len[first] + 6;
    const size_t distance = ((static_cast<size_t>(LzhPositions.code[first]) << 6) |
                             static_cast<size_t>((buf >> (64 - bits)) & 0x3F)) +
                            1;
    buf <<= bits;
    count -= bits;

    const size_t length = static_cast<size_t>(c - 255 + THRESHOLD);
    const size_t produced = static_cast<size_t>(op - start);
    if (distance >= 8 && distance <= produced) {
      for (size_t k = 0; k < length; k += 8) std::memcpy(op + k, op + k - distance, 8);
    } else if (distance <= produced) {
      // A short period (runs of one pixel or one byte): build eight bytes of it once and store
      // them at every multiple of the period, rather than reading back what was just written.
      uint8_t pattern[8];
      for (size_t j = 0; j < 8; ++j) pattern[j] = j < distance ? *(op - distance + j) : pattern[j - distance];
      const size_t step = ShortPeriodStep[distance];
      for (size_t k = 0; k < length; k += step) std::memcpy(op + k, pattern, 8);
    } else {
      // Before the first output byte: N - F spaces, and before them the zeros of the window's tail.
      for (size_t k = 0; k < length; ++k) {
        const ptrdiff_t from = static_cast<ptrdiff_t>(produced + k) - static_cast<ptrdiff_t>(distance);
        op[k] = from >= 0 ? start[from] : from >= -(N - F) ? uint8_t{' '} : uint8_t{0};
      }
    }
    op += length;
  }
  out.resize(base + static_cast<size_t>(op - start));
  restore.armed = false;
}

int32_t ReadLe32(const uint8_t* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                              static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace

int64_t TLZH::LZHUnpack(int32_t textSize, const TLzhGetBytes& GetBytes, const TLzhPutBytes& PutBytes) {
  TCallbackSource source{GetBytes};
  TCallbackSink sink{PutBytes};
  TBitReader<TCallbackSource> bits(source);
  return Decode(textSize, bits, sink);
}

void LzhDecode(std::span<const uint8_t> bits, int32_t textSize, std::vector<uint8_t>& out) {
  CheckDeclaredSize(textSize);
  if (textSize <= 0) return;
  DecodeMemory(bits.data(), bits.data() + bits.size(), textSize, out);
}

std::vector<uint8_t> LzhUnpackFramed(std::span<const uint8_t> framed) {
  if (framed.size() < 4) throw ElzhException("LZH : Stream too short for its 4-byte size field");
  const int32_t declared = ReadLe32(framed.data());
  std::vector<uint8_t> out;
  LzhDecode(framed.subspan(4), declared, out);
  out.resize(static_cast<size_t>(declared > 0 ? declared : 0));
  return out;
}

int32_t LzhUnpackStream(TStream& input, TStream& output) {
  // The whole input is at hand in memory anyway; decoding from a span avoids a virtual call per byte.
  input.SetPosition(0);
  std::vector<uint8_t> framed(static_cast<size_t>(input.GetSize()));
  const int64_t got = input.Read(framed.data(), static_cast<int64_t>(framed.size()));
  framed.resize(static_cast<size_t>(got));
  if (framed.size() < 4) throw ElzhException("LZH : Stream too short for its 4-byte size field");
  const int32_t declared = ReadLe32(framed.data());
  std::vector<uint8_t> out;
  LzhDecode(std::span<const uint8_t>(framed).subspan(4), declared, out);
  output.SetPosition(0);
  output.WriteBuffer(out.data(), static_cast<int64_t>(out.size()));
  return declared;
}
