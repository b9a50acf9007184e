#pragma once
// A tiny software painter for the skin generator: filled shapes with 4x4 supersampled
// coverage. Over opaque pixels the coverage blends; over the transparent key colour a pixel
// is either taken (coverage at least one half) or left as key, so key edges never get a
// pinkish fringe.
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>

#include "skin/data/SkinTypes.h"
#include "ui/PixelBuffer.h"

namespace skingen {

// Colours are written as 0xRRGGBB here for readability; PixelBuffer wants 0x00BBGGRR.
inline uint32_t Rgb(uint32_t rrggbb) {
  return ((rrggbb >> 16) & 0xFF) | (rrggbb & 0xFF00) | ((rrggbb & 0xFF) << 16);
}

class TCanvas {
 public:
  explicit TCanvas(TPixelBuffer& buffer, int ox = 0, int oy = 0, int w = -1, int h = -1)
      : Buf(buffer), Ox(ox), Oy(oy), W(w < 0 ? buffer.Width : w), H(h < 0 ? buffer.Height : h) {}

  int Width() const { return W; }
  int Height() const { return H; }
  TCanvas Sub(int x, int y, int w, int h) const { return TCanvas(Buf, Ox + x, Oy + y, w, h); }

  void Fill(uint32_t rgb) { FillRect(0, 0, W, H, rgb); }
  void FillRect(int x0, int y0, int x1, int y1, uint32_t rgb) {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) Put(x, y, rgb);
  }
  void Put(int x, int y, uint32_t rgb) {
    if (x < 0 || y < 0 || x >= W || y >= H) return;
    Buf.SetPixel(Ox + x, Oy + y, rgb == SkinKeyColour ? SkinKeyColour : Rgb(rgb));
  }
  uint32_t Get(int x, int y) const {
    uint32_t c = Buf.GetPixel(Ox + x, Oy + y);
    return c == SkinKeyColour ? SkinKeyColour : Rgb(c);  // Rgb swaps R and B, so it is its own inverse
  }

  // Paints every pixel by its coverage under inside(px, py) (pixel-space coordinates).
  void Shape(uint32_t rgb, const std::function<bool(double, double)>& inside) {
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) {
        int hits = 0;
        for (int sy = 0; sy < 4; ++sy)
          for (int sx = 0; sx < 4; ++sx)
            if (inside(x + (sx + 0.5) / 4.0, y + (sy + 0.5) / 4.0)) ++hits;
        if (hits == 0) continue;
        uint32_t under = Get(x, y);
        if (under == SkinKeyColour) {
          if (hits >= 8) Put(x, y, rgb);
          continue;
        }
        Put(x, y, Blend(under, rgb, hits / 16.0));
      }
  }

  static bool InRoundRect(double px, double py, double x0, double y0, double x1, double y1, double r) {
    if (px < x0 || py < y0 || px > x1 || py > y1) return false;
    double cx = px < x0 + r ? x0 + r : (px > x1 - r ? x1 - r : px);
    double cy = py < y0 + r ? y0 + r : (py > y1 - r ? y1 - r : py);
    double dx = px - cx, dy = py - cy;
    return dx * dx + dy * dy <= r * r;
  }
  void RoundRect(double x0, double y0, double x1, double y1, double r, uint32_t rgb) {
    Shape(rgb, [=](double px, double py) { return InRoundRect(px, py, x0, y0, x1, y1, r); });
  }
  // A rounded outline of the given thickness, inside the box.
  void RoundFrame(double x0, double y0, double x1, double y1, double r, double t, uint32_t rgb) {
    Shape(rgb, [=](double px, double py) {
      return InRoundRect(px, py, x0, y0, x1, y1, r) &&
             !InRoundRect(px, py, x0 + t, y0 + t, x1 - t, y1 - t, r > t ? r - t : 0);
    });
  }
  // A bordered rounded box: outline colour, then the fill inside it.
  void Box(double x0, double y0, double x1, double y1, double r, uint32_t border, uint32_t fill) {
    RoundRect(x0, y0, x1, y1, r, border);
    RoundRect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, r > 1 ? r - 1 : 0, fill);
  }
  void Line(double ax, double ay, double bx, double by, double thick, uint32_t rgb) {
    Shape(rgb, [=](double px, double py) {
      double vx = bx - ax, vy = by - ay;
      double len2 = vx * vx + vy * vy;
      double t = len2 > 0 ? ((px - ax) * vx + (py - ay) * vy) / len2 : 0;
      t = t < 0 ? 0 : (t > 1 ? 1 : t);
      double dx = px - (ax + t * vx), dy = py - (ay + t * vy);
      return dx * dx + dy * dy <= thick * thick / 4;
    });
  }
  void Disc(double cx, double cy, double r, uint32_t rgb) {
    Shape(rgb, [=](double px, double py) { return (px - cx) * (px - cx) + (py - cy) * (py - cy) <= r * r; });
  }

  static uint32_t Blend(uint32_t a, uint32_t b, double t) {
    auto ch = [&](int s) {
      double v = ((a >> s) & 0xFF) * (1 - t) + ((b >> s) & 0xFF) * t;
      return static_cast<uint32_t>(std::lround(v)) << s;
    };
    return ch(16) | ch(8) | ch(0);
  }

 private:
  TPixelBuffer& Buf;
  int Ox, Oy, W, H;
};

}  // namespace skingen
