#pragma once
// LZHUF decoder (LZSS window of 4096 bytes, adaptive Huffman literals and lengths, fixed-table
// positions). Safety: never reads past the input or writes past the output it is given, and
// its memory is bounded by the fixed working tables plus at most LzhMaxDecodedSize output bytes.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/SysUtils.h"

class TStream;

class ElzhException : public Exception {
 public:
  using Exception::Exception;
};

namespace lzh {
inline constexpr int N = 4096;                      // ring-buffer size
inline constexpr int F = 60;                        // longest match
inline constexpr int THRESHOLD = 2;                 // matches code lengths THRESHOLD+1 .. F
inline constexpr int N_CHAR = 256 - THRESHOLD + F;  // 314 literal and length symbols
inline constexpr int T = 2 * N_CHAR - 1;            // 627 tree nodes
inline constexpr int R = T - 1;                     // root position
inline constexpr unsigned MAX_FREQ = 0x8000;        // root frequency that forces a rebuild
inline constexpr int WriteStart = N - F;            // 4036: first write position; before it, spaces
}  // namespace lzh

// A declared size above this is refused: no skin comes near it, and it bounds memory and time.
inline constexpr int32_t LzhMaxDecodedSize = 64 * 1024 * 1024;
// Once this many bytes have been asked for past the end of the input, the input is taken as
// broken rather than merely truncated, and decoding is refused.
inline constexpr int32_t LzhMaxBytesPastEnd = 4096;

// Byte source: fills up to `requested` bytes, returns how many it delivered (fewer only at the end).
using TLzhGetBytes = std::function<int(uint8_t* buffer, int requested)>;
// Byte sink: takes `count` bytes.
using TLzhPutBytes = std::function<void(const uint8_t* buffer, int count)>;

class TLZH {
 public:
  // Decodes until at least textSize bytes have been produced (a final match may add up to 59
  // more); returns the count produced. textSize <= 0 produces nothing and reads nothing.
  // Raises ElzhException for a textSize above LzhMaxDecodedSize, for input that ran dry long
  // before the declared size, and when the working tables cannot be had.
  int64_t LZHUnpack(int32_t textSize, const TLzhGetBytes& GetBytes, const TLzhPutBytes& PutBytes);
};

// Fast path over memory with the same behaviour: `bits` is the bit stream (no framing).
void LzhDecode(std::span<const uint8_t> bits, int32_t textSize, std::vector<uint8_t>& out);

// Framed streams: 4-byte little-endian signed decoded size, then the bit stream.
// Reads `input` from position 0 and writes every produced byte from position 0 of `output`
// (so up to 59 bytes past the declared size); returns the declared size.
// Raises ElzhException as LZHUnpack does, and for input shorter than the 4-byte size.
int32_t LzhUnpackStream(TStream& input, TStream& output);
// Memory form; the result is cut to exactly the declared size.
std::vector<uint8_t> LzhUnpackFramed(std::span<const uint8_t> framed);
