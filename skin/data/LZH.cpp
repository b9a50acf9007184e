#include "skin/data/LZH.h"

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

std::unique_ptr<TLzhState> AllocateState() {
  std::unique_ptr<TLzhState> state(new (std::nothrow) TLzhState);
  if (!state) throw ElzhException("LZH : Cannot get memory for dictionary tables");
  return state;
}

void CheckDeclaredSize(int32_t textSize) {
  if (textSize > LzhMaxDecodedSize)
    throw ElzhException("LZH : Declared size " + std::to_string(textSize) +
                        " is above the limit of " + std::to_string(LzhMaxDecodedSize) + " bytes");
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

// The same bits from memory, 64 at a time: fewer refills on the hot path. It may look up to
// seven bytes further ahead, which only moves when a dry input is noticed.
class TSpanBitReader {
 public:
  TSpanBitReader(const uint8_t* p, const uint8_t* end) : FP(p), FEnd(end) {}

  int GetBit() {
    if (FCount < 9) Fill();
    const int bit = static_cast<int>(FBuffer >> 63);
    FBuffer <<= 1;
    --FCount;
    return bit;
  }
  int GetByte() {
    if (FCount < 9) Fill();
    const int byte = static_cast<int>(FBuffer >> 56);
    FBuffer <<= 8;
    FCount -= 8;
    return byte;
  }
  int32_t BytesPastEnd() const { return FPastEnd; }

 private:
  void Fill() {
    while (FCount <= 56) {
      uint64_t byte = 0;
      if (FP < FEnd) {
        byte = *FP++;
      } else if (FPastEnd < INT32_MAX) {
        ++FPastEnd;
      }
      FBuffer |= byte << (56 - FCount);
      FCount += 8;
    }
  }

  const uint8_t* FP;
  const uint8_t* FEnd;
  uint64_t FBuffer = 0;
  int FCount = 0;
  int32_t FPastEnd = 0;
};

template <class BitReader, class Sink>
int64_t Decode(int32_t textSize, BitReader& bits, Sink& sink) {
  CheckDeclaredSize(textSize);
  if (textSize <= 0) return 0;
  std::unique_ptr<TLzhState> state = AllocateState();
  TLzhTree& tree = state->tree;
  uint8_t* text = state->text;
  tree.Start();
  std::memset(text, ' ', WriteStart);
  std::memset(text + WriteStart, 0, N - WriteStart);

  unsigned r = WriteStart;
  int64_t produced = 0;
  while (produced < textSize) {
    // Zero bits past a truncated end keep decoding; input that long gone is not a stream.
    if (bits.BytesPastEnd() > LzhMaxBytesPastEnd)
      throw ElzhException("LZH : Input ends long before the declared size of " +
                          std::to_string(textSize) + " bytes");
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

struct TVectorSink {
  std::vector<uint8_t>& out;
  void Put(uint8_t byte) { out.push_back(byte); }
};

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
  if (textSize > 0) out.reserve(out.size() + static_cast<size_t>(textSize) + F);
  TSpanBitReader reader(bits.data(), bits.data() + bits.size());
  TVectorSink sink{out};
  Decode(textSize, reader, sink);
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
