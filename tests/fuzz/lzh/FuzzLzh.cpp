// Any framed stream: the decoder either produces the declared size (cut to it) or refuses.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "skin/data/LZH.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    const std::vector<uint8_t> out = LzhUnpackFramed(std::span<const uint8_t>(data, size));
    const int32_t declared = static_cast<int32_t>(data[0] | data[1] << 8 | data[2] << 16 |
                                                  static_cast<uint32_t>(data[3]) << 24);
    if (out.size() != static_cast<size_t>(declared > 0 ? declared : 0)) std::abort();
  } catch (const ElzhException&) {
  }
  return 0;
}
