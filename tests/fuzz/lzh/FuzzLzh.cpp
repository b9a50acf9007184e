// Any framed stream: the decoder produces the declared size (up to 59 bytes more from a final
// match) or refuses with ElzhException.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "skin/data/LZH.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  int32_t declared = static_cast<int32_t>(data[0] | data[1] << 8 | data[2] << 16 |
                                          static_cast<uint32_t>(data[3]) << 24);
  // Large sizes only make each run slow (sizes past the limit are refused before any work,
  // which the unit tests cover); fold them into a range that keeps the fuzzer exploring.
  if (declared > (1 << 20)) declared %= (1 << 16);
  std::vector<uint8_t> out;
  try {
    LzhDecode(std::span<const uint8_t>(data + 4, size - 4), declared, out);
  } catch (const ElzhException&) {
    return 0;
  }
  const size_t want = declared > 0 ? static_cast<size_t>(declared) : 0;
  if (out.size() < want || out.size() > want + 59) std::abort();
  return 0;
}
