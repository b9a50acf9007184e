#include "effect/uGDIUtils.h"

#include <cmath>

#include "effect/uRandom.h"

uint32_t ScaledSide(uint32_t side, float scale) {
  // A double holds the product of a 32-bit integer and a float's 24-bit mantissa exactly,
  // and nearbyint uses the default round-half-to-even mode.
  const double product = static_cast<double>(side) * static_cast<double>(scale);
  if (!(product > 0.0)) return 0;  // also NaN
  if (product >= 4294967295.0) return 0xFFFFFFFFu;
  return static_cast<uint32_t>(std::nearbyint(product));
}

std::unique_ptr<IParticleImage> ScaledCopy(const IParticleImage& image, float scale) {
  const uint32_t width = ScaledSide(image.Width(), scale);
  const uint32_t height = ScaledSide(image.Height(), scale);
  if (width == 0 || height == 0) return std::make_unique<TEmptyImage>();
  auto copy = image.Thumbnail(width, height);
  if (!copy) return std::make_unique<TEmptyImage>();
  return copy;
}

uint8_t ScreenBlend(uint8_t c, uint8_t t) { return static_cast<uint8_t>(255 - (255 - c) * (255 - t) / 255); }

void TintPixels(uint8_t* scan0, int32_t stride, uint32_t width, uint32_t height, uint8_t red, uint8_t green,
                uint8_t blue) {
  if (!scan0) return;
  for (uint32_t y = 0; y < height; ++y) {
    uint8_t* p = scan0 + static_cast<std::ptrdiff_t>(y) * stride;
    for (uint32_t x = 0; x < width; ++x, p += 4) {
      p[0] = ScreenBlend(p[0], blue);
      p[1] = ScreenBlend(p[1], green);
      p[2] = ScreenBlend(p[2], red);
    }
  }
}

TTint DrawTint() {
  TTint tint;
  tint.Blue = static_cast<uint8_t>(Random(255));
  tint.Green = static_cast<uint8_t>(Random(255));
  tint.Red = static_cast<uint8_t>(Random(255));
  return tint;
}
