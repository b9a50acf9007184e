// Feeds arbitrary bytes to the BMP decoder, as a file and as a packed DIB; a decoded image
// must be as large as its header says and survive re-encoding.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "ui/BmpDecode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> in(data, size);
  TPixelBuffer px;
  if (DecodeBmp(in, px)) {
    if (px.Bits.size() != static_cast<size_t>(px.Stride()) * px.Height) std::abort();
    TPixelBuffer again;
    if (!DecodeBmp(EncodeBmp(px), again) || again.Bits != px.Bits) std::abort();
  }
  TPixelBuffer dib;
  (void)DecodeDib(in, dib);
  return 0;
}
