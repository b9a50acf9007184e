#pragma once
// Picture operations of the particles that need no platform: the picture interface the
// effects draw through, the scaled size of a thumbnail, and the screen-blend tint.
// The GDI+ wrappers that implement the picture live in uGDIUtils_win.h.
#include <cstdint>
#include <memory>

// A decoded picture. An image that failed to load is empty: width and height 0.
class IParticleImage {
 public:
  virtual ~IParticleImage() = default;
  virtual uint32_t Width() const = 0;
  virtual uint32_t Height() const = 0;
  // A smoothly resampled copy of exactly width x height (both above 0), owned by the
  // caller; an empty image when the platform cannot make one.
  virtual std::unique_ptr<IParticleImage> Thumbnail(uint32_t width, uint32_t height) const = 0;
};

// An image with no pixels, for every "nothing to show" result.
class TEmptyImage final : public IParticleImage {
 public:
  uint32_t Width() const override { return 0; }
  uint32_t Height() const override { return 0; }
  std::unique_ptr<IParticleImage> Thumbnail(uint32_t, uint32_t) const override {
    return std::make_unique<TEmptyImage>();
  }
};

// side x scale, the product formed exactly from the single-precision scale and rounded
// to the nearest integer, ties to even (25 at 0.1f is 3, not 2). Negative results are 0.
uint32_t ScaledSide(uint32_t side, float scale);

// A new picture at scale x the image's size. A side that rounds to 0 gives an empty image
// without asking the platform (which would pick a default thumbnail size of its own).
std::unique_ptr<IParticleImage> ScaledCopy(const IParticleImage& image, float scale);

// Screen blend of one colour byte with a tint byte: 255 - (255 - c) * (255 - t) / 255,
// the division truncating. Never darkens; t = 255 gives 255, t = 0 keeps c.
uint8_t ScreenBlend(uint8_t c, uint8_t t);

// Tints rows of 32-bit pixels stored blue, green, red, alpha (non-premultiplied), each row
// starting stride bytes after the previous one; alpha is left as it is.
void TintPixels(uint8_t* scan0, int32_t stride, uint32_t width, uint32_t height, uint8_t red, uint8_t green,
                uint8_t blue);

struct TTint {
  uint8_t Red = 0;
  uint8_t Green = 0;
  uint8_t Blue = 0;
};

// Three draws from the process-wide generator, each 0..254, in the order blue, green, red.
TTint DrawTint();
