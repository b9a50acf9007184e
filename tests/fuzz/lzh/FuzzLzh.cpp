// Any framed stream: the decoder produces the declared size (up to 59 bytes more from a final
// match) or refuses with ElzhException; what it produces is what the textbook decoder produces.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "LzhBaseline.h"
#include "skin/data/LZH.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  int32_t declared =
      static_cast<int32_t>(data[0] | data[1] << 8 | data[2] << 16 | static_cast<uint32_t>(data[3]) << 24);
  // Large sizes only make each run slow (sizes past the limit are refused before any work,
  // which the unit tests cover); fold them into a range that keeps the fuzzer exploring.
  if (declared > (1 << 20)) declared %= (1 << 16);
  const std::span<const uint8_t> bits(data + 4, size - 4);
  std::vector<uint8_t> out = {0xA5};  // decoding appends after what the caller has
  try {
    LzhDecode(bits, declared, out);
  } catch (const ElzhException&) {
    if (out.size() != 1 || out[0] != 0xA5) std::abort();
    return 0;
  }
  const size_t want = declared > 0 ? static_cast<size_t>(declared) : 0;
  if (out.size() < want + 1 || out.size() > want + 60 || out[0] != 0xA5) std::abort();
  const std::vector<uint8_t> reference = BaselineLzhDecode(bits, declared);
  if (reference.size() + 1 != out.size() || !std::equal(reference.begin(), reference.end(), out.begin() + 1))
    std::abort();
  return 0;
}
