#include "tools/ballgen/Ball.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kSamples = 4;  // per axis, for a smooth rim

double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

}  // namespace

std::vector<uint8_t> RenderBall(uint32_t size) {
  std::vector<uint8_t> out(static_cast<size_t>(size) * size * 4, 0);
  const double radius = size / 2.0 - 0.5;
  const double centre = size / 2.0;
  // Light from the upper left and in front; the half-vector toward a viewer straight ahead.
  const double lx = -0.45, ly = -0.55, lz = 0.70;
  const double ll = std::sqrt(lx * lx + ly * ly + lz * lz);
  const double hx = lx / ll, hy = ly / ll, hz = lz / ll + 1.0;
  const double hl = std::sqrt(hx * hx + hy * hy + hz * hz);

  for (uint32_t py = 0; py < size; ++py) {
    for (uint32_t px = 0; px < size; ++px) {
      double r = 0, g = 0, b = 0, cover = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const double x = (px + (sx + 0.5) / kSamples - centre) / radius;
          const double y = (py + (sy + 0.5) / kSamples - centre) / radius;
          const double d2 = x * x + y * y;
          if (d2 > 1.0) continue;
          const double z = std::sqrt(1.0 - d2);
          const double diffuse = std::max(0.0, (x * lx + y * ly + z * lz) / ll);
          const double specular = std::pow(std::max(0.0, (x * hx + y * hy + z * hz) / hl), 40.0);
          // Deep blue body, lighter toward the light, a faint rim light at the lower right.
          const double rim = std::pow(1.0 - z, 3.0) * 0.35;
          const double shade = 0.30 + 0.70 * diffuse;
          r += Clamp01(0.10 * shade + specular + rim * 0.3);
          g += Clamp01(0.35 * shade + specular + rim * 0.6);
          b += Clamp01(0.95 * shade + specular + rim);
          cover += 1.0;
        }
      }
      uint8_t* p = &out[(static_cast<size_t>(py) * size + px) * 4];
      if (cover == 0) continue;
      const double n = kSamples * kSamples;
      // Soft edge: coverage of the disc, faded further over the outermost pixel.
      const double dx = (px + 0.5 - centre) / radius, dy = (py + 0.5 - centre) / radius;
      const double fade = Clamp01((1.0 - std::sqrt(dx * dx + dy * dy)) * radius / 1.5 + 0.35);
      p[0] = static_cast<uint8_t>(std::lround(255 * r / cover));
      p[1] = static_cast<uint8_t>(std::lround(255 * g / cover));
      p[2] = static_cast<uint8_t>(std::lround(255 * b / cover));
      p[3] = static_cast<uint8_t>(std::lround(255 * Clamp01(cover / n * fade)));
    }
  }
  return out;
}
