#include "tools/icongen/IconArt.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

struct Rgba {
  double r = 0, g = 0, b = 0, a = 0;  // premultiplied
};

// Source-over of a straight colour with coverage alpha.
void Over(Rgba& dst, double r, double g, double b, double a) {
  a = std::clamp(a, 0.0, 1.0);
  dst.r = r * a + dst.r * (1 - a);
  dst.g = g * a + dst.g * (1 - a);
  dst.b = b * a + dst.b * (1 - a);
  dst.a = a + dst.a * (1 - a);
}

double Lerp(double a, double b, double t) { return a + (b - a) * t; }

// Astroid distance: 1 on the sparkle's outline, 0 at its centre.
double Astroid(double x, double y, double radius) {
  double s = std::cbrt(x * x) + std::cbrt(y * y);
  return s / std::cbrt(radius * radius);
}

Rgba Shade(double x, double y) {
  Rgba px;
  const double cx = 0.14, cy = -0.14;  // sparkle centre, up and to the right
  const double dx = x - cx, dy = y - cy;
  const double r = std::sqrt(dx * dx + dy * dy);
  // Glow.
  double glow = std::max(0.0, 1 - r / 0.8);
  Over(px, 0.47, 0.75, 1.0, 0.55 * glow * glow);
  // Trail of particles down-left, growing smaller away from the sparkle.
  struct Dot {
    double x, y, radius;
  } dots[] = {{-0.52, 0.52, 0.17}, {-0.80, 0.12, 0.11}, {-0.12, 0.84, 0.11}};
  for (const Dot& d : dots) {
    double dd = std::hypot(x - d.x, y - d.y) / d.radius;
    if (dd < 1) {
      double hl = std::pow(1 - dd, 1.5);
      Over(px, Lerp(0.10, 1.0, hl * 0.8), Lerp(0.42, 1.0, hl * 0.8), 1.0, 1.0);
    }
  }
  // Small diagonal sparkle behind the main one: rotate by 45 degrees.
  const double k = std::sqrt(0.5);
  double ax = (dx + dy) * k, ay = (dx - dy) * k;
  double diag = Astroid(ax, ay, 0.66);
  if (diag < 1) Over(px, 1.0, 0.93, 0.70, 1.0);
  // Main sparkle: white heart fading to gold at its tips.
  double main = Astroid(dx, dy, 0.86);
  if (main < 1) {
    double t = std::clamp(main, 0.0, 1.0);
    Over(px, 1.0, Lerp(1.0, 0.78, t), Lerp(1.0, 0.22, t), 1.0);
  }
  return px;
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void Put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

std::uint8_t Byte(double v) { return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); }

}  // namespace

TIconImage DrawLumettaIcon(int size) {
  if (size < 1 || size > 256) throw std::invalid_argument("icon size");
  TIconImage img;
  img.Size = size;
  img.Bgra.resize(static_cast<size_t>(size) * size * 4);
  const int ss = 6;  // samples per axis, for smooth edges at 16 pixels
  for (int py = 0; py < size; ++py)
    for (int px = 0; px < size; ++px) {
      Rgba sum;
      for (int sy = 0; sy < ss; ++sy)
        for (int sx = 0; sx < ss; ++sx) {
          double x = ((px + (sx + 0.5) / ss) / size) * 2 - 1;
          double y = ((py + (sy + 0.5) / ss) / size) * 2 - 1;
          Rgba s = Shade(x, y);
          sum.r += s.r;
          sum.g += s.g;
          sum.b += s.b;
          sum.a += s.a;
        }
      const double n = ss * ss;
      double a = sum.a / n;
      std::uint8_t* p = &img.Bgra[(static_cast<size_t>(py) * size + px) * 4];
      if (a < 1.0 / 512) {
        p[0] = p[1] = p[2] = p[3] = 0;
        continue;
      }
      p[0] = Byte(sum.b / n / a);
      p[1] = Byte(sum.g / n / a);
      p[2] = Byte(sum.r / n / a);
      p[3] = Byte(a);
    }
  return img;
}

std::vector<std::uint8_t> EncodeIco(const std::vector<TIconImage>& images) {
  std::vector<std::uint8_t> out;
  Put16(out, 0);  // reserved
  Put16(out, 1);  // icon
  Put16(out, static_cast<std::uint16_t>(images.size()));
  std::vector<std::vector<std::uint8_t>> blobs;
  for (const TIconImage& img : images) {
    const int n = img.Size;
    if (n < 1 || n > 256 || img.Bgra.size() != static_cast<size_t>(n) * n * 4)
      throw std::invalid_argument("icon image");
    std::vector<std::uint8_t> b;
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(n));
    Put32(b, static_cast<std::uint32_t>(n * 2));  // colour rows and mask rows
    Put16(b, 1);
    Put16(b, 32);
    Put32(b, 0);  // BI_RGB
    const int maskStride = ((n + 31) / 32) * 4;
    Put32(b, static_cast<std::uint32_t>(n * n * 4 + maskStride * n));
    for (int i = 0; i < 4; ++i) Put32(b, 0);
    for (int y = n - 1; y >= 0; --y)  // DIB rows run bottom-up
      b.insert(b.end(), img.Bgra.begin() + static_cast<long>(y) * n * 4,
               img.Bgra.begin() + static_cast<long>(y + 1) * n * 4);
    for (int y = n - 1; y >= 0; --y) {
      std::vector<std::uint8_t> row(static_cast<size_t>(maskStride), 0);
      for (int x = 0; x < n; ++x)
        if (img.Bgra[(static_cast<size_t>(y) * n + x) * 4 + 3] == 0) row[x / 8] |= 0x80 >> (x % 8);
      b.insert(b.end(), row.begin(), row.end());
    }
    blobs.push_back(std::move(b));
  }
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    const int n = images[i].Size;
    out.push_back(static_cast<std::uint8_t>(n == 256 ? 0 : n));
    out.push_back(static_cast<std::uint8_t>(n == 256 ? 0 : n));
    out.push_back(0);  // no palette
    out.push_back(0);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, static_cast<std::uint32_t>(blobs[i].size()));
    Put32(out, offset);
    offset += static_cast<std::uint32_t>(blobs[i].size());
  }
  for (const auto& b : blobs) out.insert(out.end(), b.begin(), b.end());
  return out;
}
