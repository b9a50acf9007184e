// Feeds arbitrary bytes to the BMP decoder, as a file and as a packed DIB; a decoded image
// must be as large as its header says, survive re-encoding, and be refused by a memory limit
// one byte below its size.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "ui/BmpDecode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> in(data, size);
  TPixelBuffer px;
  if (DecodeBmp(in, px)) {
    if (px.Bits.size() != static_cast<size_t>(px.Stride()) * px.Height) std::abort();
  }
  // A few bytes of run-length data may declare the largest image: the slower checks skip those.
  if (!px.Empty() && px.Bits.size() <= (4u << 20)) {
    TPixelBuffer again;
    if (!DecodeBmp(EncodeBmp(px), again) || again.Bits != px.Bits) std::abort();
    TPixelBuffer limited;
    if (!DecodeBmpWithin(in, px.Bits.size(), limited) || limited.Bits != px.Bits) std::abort();
    if (DecodeBmpWithin(in, px.Bits.size() - 1, limited)) std::abort();
  }
  TPixelBuffer dib;
  (void)DecodeDib(in, dib);
  return 0;
}
