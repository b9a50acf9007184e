#include "tools/skingen/Elements.h"

#include <algorithm>
#include <cstdint>
#include <functional>

#include "tools/skingen/Canvas.h"

namespace skingen {
namespace {

// The palette: soft greys, one accent.
constexpr uint32_t Accent = 0x3A7BD5;
constexpr uint32_t AccentDark = 0x2F66B3;
constexpr uint32_t AccentSoft = 0xA9C3E6;
constexpr uint32_t AccentWash = 0xEEF4FB;
constexpr uint32_t Ink = 0x202020;
constexpr uint32_t InkSoft = 0x505860;
constexpr uint32_t InkMuted = 0x8A929C;
constexpr uint32_t InkDisabled = 0xB4BAC1;
constexpr uint32_t FrameFill = 0xF7F8FA;
constexpr uint32_t FrameFillIdle = 0xFBFBFB;
constexpr uint32_t FrameLine = 0xE3E7EC;
constexpr uint32_t OutlineIdle = 0xB4BAC2;
constexpr uint32_t Border = 0xC4CBD3;
constexpr uint32_t BorderStrong = 0x9AA3AE;
constexpr uint32_t BorderDisabled = 0xDADDE1;
constexpr uint32_t Field = 0xFFFFFF;
constexpr uint32_t FieldDisabled = 0xF3F4F5;
constexpr uint32_t Face = 0xFDFDFD;
constexpr uint32_t FacePressed = 0xDDE4EC;
constexpr uint32_t Track = 0xF0F2F4;
constexpr uint32_t CloseRed = 0xD9342B;
constexpr uint32_t CloseRedDark = 0xA8231C;

// Window frame geometry shared by the four border pieces and the title-bar buttons.
constexpr int BorderWidth = 4;
constexpr int TitleHeight = 30;
constexpr int TopRadius = 8;
constexpr int BottomRadius = 4;
constexpr int SysButtonW = 30;
constexpr int SysButtonH = 22;

TPixelBuffer Blank(int w, int h) {
  TPixelBuffer b(w, h, 24);
  TCanvas(b).Fill(SkinKeyColour);
  return b;
}

// Paints the frames of a strip laid side by side (or stacked), one call per frame.
TPixelBuffer Strip(int frameW, int frameH, int frames, const std::function<void(TCanvas&, int)>& paint,
                   bool stacked = false) {
  TPixelBuffer b = stacked ? Blank(frameW, frameH * frames) : Blank(frameW * frames, frameH);
  for (int i = 1; i <= frames; ++i) {
    TCanvas c = stacked ? TCanvas(b).Sub(0, frameH * (i - 1), frameW, frameH)
                        : TCanvas(b).Sub(frameW * (i - 1), 0, frameW, frameH);
    paint(c, i);
  }
  return b;
}

TPixelBuffer Crop(const TPixelBuffer& src, int x, int y, int w, int h) {
  TPixelBuffer b(w, h, 24);
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) b.SetPixel(i, j, src.GetPixel(x + i, y + j));
  return b;
}

// Stacks (vertical) or lines up (horizontal) equally sized images.
TPixelBuffer Join(const std::vector<TPixelBuffer>& parts, bool stacked) {
  int w = parts[0].Width, h = parts[0].Height;
  int n = static_cast<int>(parts.size());
  TPixelBuffer b(stacked ? w : w * n, stacked ? h * n : h, 24);
  for (int k = 0; k < n; ++k)
    for (int j = 0; j < h; ++j)
      for (int i = 0; i < w; ++i)
        b.SetPixel(stacked ? i : i + k * w, stacked ? j + k * h : j, parts[k].GetPixel(i, j));
  return b;
}

bool InWindowShape(double px, double py, double w, double h, double inset) {
  double x0 = inset, y0 = inset, x1 = w - inset, y1 = h - inset;
  if (px < x0 || py < y0 || px > x1 || py > y1) return false;
  double r = py < h / 2 ? TopRadius - inset : BottomRadius - inset;
  if (r < 0) r = 0;
  return TCanvas::InRoundRect(px, py, x0, y0, x1, y1, r);
}

// A whole small window frame; the border pieces are cut from it so corners line up.
TPixelBuffer VirtualWindow(bool active) {
  const int w = BorderWidth * 2 + 40, h = TitleHeight + 20 + BorderWidth;
  TPixelBuffer b = Blank(w, h);
  TCanvas c(b);
  uint32_t outline = active ? Accent : OutlineIdle;
  uint32_t fill = active ? FrameFill : FrameFillIdle;
  c.Shape(outline, [=](double x, double y) { return InWindowShape(x, y, w, h, 0); });
  c.Shape(fill, [=](double x, double y) { return InWindowShape(x, y, w, h, 1); });
  // A hairline around the client area.
  c.FillRect(BorderWidth - 1, TitleHeight - 1, w - BorderWidth + 1, TitleHeight, FrameLine);
  c.FillRect(BorderWidth - 1, TitleHeight - 1, BorderWidth, h - BorderWidth + 1, FrameLine);
  c.FillRect(w - BorderWidth, TitleHeight - 1, w - BorderWidth + 1, h - BorderWidth + 1, FrameLine);
  c.FillRect(BorderWidth - 1, h - BorderWidth, w - BorderWidth + 1, h - BorderWidth + 1, FrameLine);
  return b;
}

struct TBorders {
  TPixelBuffer Left, Right, Top, Bottom;
};

TBorders BuildBorders() {
  TPixelBuffer on = VirtualWindow(true), off = VirtualWindow(false);
  const int w = on.Width, h = on.Height, mid = w - 2 * BorderWidth;
  TBorders r;
  r.Left = Join({Crop(on, 0, 0, BorderWidth, h), Crop(off, 0, 0, BorderWidth, h)}, false);
  r.Right = Join(
      {Crop(on, w - BorderWidth, 0, BorderWidth, h), Crop(off, w - BorderWidth, 0, BorderWidth, h)}, false);
  r.Top =
      Join({Crop(on, BorderWidth, 0, mid, TitleHeight), Crop(off, BorderWidth, 0, mid, TitleHeight)}, true);
  r.Bottom = Join({Crop(on, BorderWidth, h - BorderWidth, mid, BorderWidth),
                   Crop(off, BorderWidth, h - BorderWidth, mid, BorderWidth)},
                  true);
  return r;
}

// Caption underline: an accent bar under the title text, transparent elsewhere.
TPixelBuffer BuildTextBack() {
  return Strip(
      16, TitleHeight, 2,
      [](TCanvas& c, int f) { c.RoundRect(2, 25, 14, 27, 1, f == 1 ? Accent : 0xC8CDD3); }, true);
}

// Title-bar button faces. Frames: 1 normal, 2 pressed, 3 hot, 4 inactive window, 5 disabled, 6 normal.
using TGlyph = std::function<void(TCanvas&, uint32_t)>;

void CrossGlyph(TCanvas& c, uint32_t ink) {
  double cx = c.Width() / 2.0, cy = c.Height() / 2.0;
  c.Line(cx - 4.5, cy - 4.5, cx + 4.5, cy + 4.5, 1.3, ink);
  c.Line(cx - 4.5, cy + 4.5, cx + 4.5, cy - 4.5, 1.3, ink);
}
void MaxGlyph(TCanvas& c, uint32_t ink) {
  double cx = c.Width() / 2.0, cy = c.Height() / 2.0;
  c.Shape(ink, [=](double x, double y) {
    bool outer = x >= cx - 5 && x <= cx + 5 && y >= cy - 5 && y <= cy + 5;
    bool inner = x > cx - 4 && x < cx + 4 && y > cy - 4 && y < cy + 4;
    return outer && !inner;
  });
}
void RestoreGlyph(TCanvas& c, uint32_t ink) {
  double cx = c.Width() / 2.0, cy = c.Height() / 2.0;
  auto frame = [](double x, double y, double x0, double y0, double x1, double y1) {
    return x >= x0 && x <= x1 && y >= y0 && y <= y1 &&
           !(x > x0 + 1 && x < x1 - 1 && y > y0 + 1 && y < y1 - 1);
  };
  c.Shape(ink, [=](double x, double y) {
    bool front = frame(x, y, cx - 5, cy - 2, cx + 3, cy + 5);
    bool back = frame(x, y, cx - 2, cy - 5, cx + 5, cy + 2) &&
                !(x > cx - 5 && x < cx + 3 && y > cy - 2 && y < cy + 5);
    return front || back;
  });
}
void MinGlyph(TCanvas& c, uint32_t ink) {
  double cx = c.Width() / 2.0, cy = c.Height() / 2.0;
  c.FillRect(static_cast<int>(cx - 5), static_cast<int>(cy), static_cast<int>(cx + 5),
             static_cast<int>(cy + 1), ink);
}

TPixelBuffer SysButton(const TGlyph& glyph, bool danger) {
  return Strip(SysButtonW, SysButtonH, 6, [&](TCanvas& c, int f) {
    c.Fill(f == 4 ? FrameFillIdle : FrameFill);
    uint32_t ink = Ink;
    if (f == 2) {
      c.RoundRect(1, 1, SysButtonW - 1, SysButtonH - 1, 4, danger ? CloseRedDark : 0xD3DAE2);
      if (danger) ink = 0xFFFFFF;
    } else if (f == 3) {
      c.RoundRect(1, 1, SysButtonW - 1, SysButtonH - 1, 4, danger ? CloseRed : 0xE6EAEF);
      if (danger) ink = 0xFFFFFF;
    } else if (f == 4) {
      ink = 0x9AA0A8;
    } else if (f == 5) {
      ink = InkDisabled;
    }
    glyph(c, ink);
  });
}

// Buttons of a maximized MDI child in the menu bar: minimize, restore, close, four frames
// each (normal, pressed, hot, hot), 16 x 14 per frame.
TPixelBuffer BuildMdiStrip() {
  const TGlyph glyphs[3] = {MinGlyph, RestoreGlyph, CrossGlyph};
  return Strip(16, 14, 12, [&](TCanvas& c, int f) {
    int state = (f - 1) % 4 + 1;
    c.Fill(FrameFill);
    if (state == 2) c.RoundRect(0, 0, 16, 14, 3, 0xD3DAE2);
    if (state >= 3) c.RoundRect(0, 0, 16, 14, 3, 0xE6EAEF);
    TCanvas g = c.Sub(1, 0, 14, 14);
    // Glyphs are drawn at 10 px in a 14 px cell: shrink by painting into a centred sub-canvas.
    TCanvas small = g.Sub(1, 1, 12, 12);
    int kind = (f - 1) / 4;
    if (kind == 0) small.FillRect(2, 8, 10, 9, Ink);
    if (kind == 1) {
      small.Shape(Ink, [](double x, double y) {
        auto frame = [&](double x0, double y0, double x1, double y1) {
          return x >= x0 && x <= x1 && y >= y0 && y <= y1 &&
                 !(x > x0 + 1 && x < x1 - 1 && y > y0 + 1 && y < y1 - 1);
        };
        bool front = frame(2, 4, 8, 10);
        bool back = frame(4, 2, 10, 8) && !(x > 2 && x < 8 && y > 4 && y < 10);
        return front || back;
      });
    }
    if (kind == 2) {
      small.Line(2.5, 2.5, 9.5, 9.5, 1.2, Ink);
      small.Line(2.5, 9.5, 9.5, 2.5, 1.2, Ink);
    }
  });
}

// Push buttons: 1 normal, 2 pressed, 3 disabled, 4 hot or focused, 5 default.
TPixelBuffer BuildButtons() {
  return Strip(24, 24, 5, [](TCanvas& c, int f) {
    switch (f) {
      case 1:
        c.Box(0, 0, 24, 24, 4, Border, Face);
        break;
      case 2:
        c.Box(0, 0, 24, 24, 4, BorderStrong, FacePressed);
        break;
      case 3:
        c.Box(0, 0, 24, 24, 4, BorderDisabled, FieldDisabled);
        break;
      case 4:
        c.Box(0, 0, 24, 24, 4, Accent, AccentWash);
        break;
      default:
        c.Box(0, 0, 24, 24, 4, Accent, Face);
        c.RoundFrame(1, 1, 23, 23, 3, 1, 0xC9DBF2);
        break;
    }
  });
}

void Tick(TCanvas& c, uint32_t ink) {
  c.Line(3.2, 6.8, 5.6, 9.2, 1.7, ink);
  c.Line(5.6, 9.2, 10.0, 4.0, 1.7, ink);
}

// Check boxes, 13 x 13: 1 unchecked, 2 checked, 3 unchecked disabled, 4 checked disabled or
// grayed or pushed, 5 unchecked hot, 6 grayed disabled.
TPixelBuffer BuildCheck() {
  return Strip(13, 13, 6, [](TCanvas& c, int f) {
    switch (f) {
      case 1:
        c.Box(0, 0, 13, 13, 3, BorderStrong, Field);
        break;
      case 2:
        c.Box(0, 0, 13, 13, 3, Accent, Accent);
        Tick(c, 0xFFFFFF);
        break;
      case 3:
        c.Box(0, 0, 13, 13, 3, BorderDisabled, FieldDisabled);
        break;
      case 4:
        c.Box(0, 0, 13, 13, 3, AccentSoft, AccentSoft);
        Tick(c, 0xFFFFFF);
        break;
      case 5:
        c.Box(0, 0, 13, 13, 3, Accent, AccentWash);
        break;
      default:
        c.Box(0, 0, 13, 13, 3, BorderDisabled, FieldDisabled);
        c.FillRect(3, 6, 10, 8, InkDisabled);
        break;
    }
  });
}

// Radio buttons, 13 x 13: 1 unchecked, 2 checked, 3 unchecked disabled, 4 checked disabled.
TPixelBuffer BuildRadio() {
  return Strip(13, 13, 4, [](TCanvas& c, int f) {
    bool disabled = f >= 3, checked = f % 2 == 0;
    uint32_t ring = disabled ? (checked ? AccentSoft : BorderDisabled) : (checked ? Accent : BorderStrong);
    c.Disc(6.5, 6.5, 6.5, ring);
    c.Disc(6.5, 6.5, 5.5, disabled ? FieldDisabled : Field);
    if (checked) c.Disc(6.5, 6.5, 3.2, ring);
  });
}

TPixelBuffer BuildProgress() {
  return Strip(24, 14, 2, [](TCanvas& c, int f) {
    if (f == 1)
      c.Box(0, 0, 24, 14, 5, 0xCCD3DB, 0xEEF1F4);
    else
      c.Box(0, 0, 24, 14, 5, AccentDark, Accent);
  });
}

TPixelBuffer BuildChunk() {
  TPixelBuffer b = Blank(8, 8);
  TCanvas(b).FillRect(0, 0, 6, 8, Accent);
  return b;
}

bool InTopRounded(double x, double y, double x0, double y0, double x1, double y1, double r) {
  return y <= y1 && TCanvas::InRoundRect(x, y, x0, y0, x1, y1 + r, r);
}

// Tabs: 1 ordinary, 2 current, 3 hot, 4 and 5 like 1. The current tab is open at the
// bottom so it joins its page.
TPixelBuffer BuildTabs() {
  return Strip(24, 24, 5, [](TCanvas& c, int f) {
    uint32_t fill = f == 2 ? Field : (f == 3 ? 0xF6F8FA : 0xEEF1F4);
    c.Shape(0xCCD3DB, [](double x, double y) { return InTopRounded(x, y, 0, 0, 24, 24, 4); });
    c.Shape(fill, [=](double x, double y) { return InTopRounded(x, y, 1, 1, 23, f == 2 ? 24 : 23, 3); });
    if (f == 2)
      c.Shape(Accent, [](double x, double y) { return y < 3 && InTopRounded(x, y, 0, 0, 24, 24, 4); });
  });
}

// Page border drawn around a tab control's page (edges only).
TPixelBuffer BuildTabBorder() {
  TPixelBuffer b = Blank(16, 16);
  TCanvas c(b);
  c.Fill(0xCCD3DB);
  c.FillRect(1, 1, 15, 15, Field);
  return b;
}

// Drop-down button of a combo box: 1 normal, 2 pressed, 3 disabled, 4 hot. It is laid over
// the field, so its outer pixels stay transparent and the field's border shows.
TPixelBuffer BuildComboButton() {
  return Strip(18, 21, 4, [](TCanvas& c, int f) {
    if (f == 2) c.RoundRect(2, 2, 16, 19, 3, 0xD6E4F5);
    if (f == 4) c.RoundRect(2, 2, 16, 19, 3, 0xEAF1FA);
    if (f != 3) c.FillRect(0, 5, 1, 16, 0xE1E5EA);
  });
}

// Entry field edge: 1 normal, 2 pressed, 3 disabled, 4 focused or hot.
TPixelBuffer BuildSunkEdge() {
  return Strip(24, 21, 4, [](TCanvas& c, int f) {
    if (f == 3) {
      c.Box(0, 0, 24, 21, 3, BorderDisabled, FieldDisabled);
      return;
    }
    c.Box(0, 0, 24, 21, 3, f == 1 ? Border : Accent, Field);
    if (f != 1) c.FillRect(3, 19, 21, 20, Accent);
  });
}

void TriangleDown(TCanvas& c, double cx, double cy, double half, uint32_t ink) {
  // A chevron pointing down, centred on (cx, cy).
  c.Line(cx - half, cy - half / 2, cx, cy + half / 2, 1.5, ink);
  c.Line(cx, cy + half / 2, cx + half, cy - half / 2, 1.5, ink);
}

// Extra glyphs: 1-4 the drop-down chevron by state (normal, pressed, disabled, hot), 5 the size grip.
TPixelBuffer BuildExtraImages() {
  return Strip(12, 12, 5, [](TCanvas& c, int f) {
    if (f <= 4) {
      const uint32_t inks[4] = {InkSoft, Ink, InkDisabled, AccentDark};
      TriangleDown(c, 6, 6, 3.5, inks[f - 1]);
      return;
    }
    for (int row = 0; row < 3; ++row)
      for (int col = 0; col <= row; ++col)
        c.FillRect(10 - col * 4, 2 + row * 4, 12 - col * 4, 4 + row * 4, 0xA8AFB8);
  });
}

bool InTriangle(double x, double y, double ax, double ay, double bx, double by, double cx, double cy) {
  auto side = [&](double px, double py, double qx, double qy) {
    return (qx - px) * (y - py) - (qy - py) * (x - px);
  };
  double d1 = side(ax, ay, bx, by), d2 = side(bx, by, cx, cy), d3 = side(cx, cy, ax, ay);
  bool neg = d1 < 0 || d2 < 0 || d3<0, pos = d1> 0 || d2 > 0 || d3 > 0;
  return !(neg && pos);
}

// A solid arrow head pointing in direction d (0 left, 1 right, 2 up, 3 down) centred in c.
void Arrow(TCanvas& c, int d, double size, uint32_t ink) {
  double cx = c.Width() / 2.0, cy = c.Height() / 2.0, s = size, h = size / 2;
  c.Shape(ink, [=](double x, double y) {
    switch (d) {
      case 0:
        return InTriangle(x, y, cx - h, cy, cx + h, cy - s, cx + h, cy + s);
      case 1:
        return InTriangle(x, y, cx + h, cy, cx - h, cy - s, cx - h, cy + s);
      case 2:
        return InTriangle(x, y, cx, cy - h, cx - s, cy + h, cx + s, cy + h);
      default:
        return InTriangle(x, y, cx, cy + h, cx - s, cy - h, cx + s, cy - h);
    }
  });
}

// Scroll-bar arrow buttons: four frames per direction (left, right, up, down): normal,
// pressed, hot, disabled; frames 17-23 are plain track.
TPixelBuffer BuildScrollArrows() {
  return Strip(17, 17, 23, [](TCanvas& c, int f) {
    c.Fill(Track);
    if (f > 16) return;
    int dir = (f - 1) / 4, state = (f - 1) % 4 + 1;
    uint32_t ink = InkMuted;
    if (state == 2) {
      c.RoundRect(2, 2, 15, 15, 3, 0xC9D0D8);
      ink = 0x303840;
    } else if (state == 3) {
      c.RoundRect(2, 2, 15, 15, 3, 0xE1E5EA);
      ink = InkSoft;
    } else if (state == 4) {
      ink = 0xC8CDD3;
    }
    Arrow(c, dir, 3.5, ink);
  });
}

TPixelBuffer BuildScrollTrack() {
  return Strip(17, 17, 4, [](TCanvas& c, int f) { c.Fill(f == 3 ? 0xF6F7F8 : Track); });
}

// Scroll thumbs: 1 normal, 2 dragged, 3 hot; opaque over the track colour.
TPixelBuffer BuildThumb(bool vertical) {
  int w = vertical ? 17 : 24, h = vertical ? 24 : 17;
  return Strip(w, h, 3, [=](TCanvas& c, int f) {
    c.Fill(Track);
    const uint32_t fills[3] = {0xC2C9D1, 0x8E98A4, 0xA9B1BB};
    if (vertical)
      c.RoundRect(4, 1, 13, 23, 4.5, fills[f - 1]);
    else
      c.RoundRect(1, 4, 23, 13, 4.5, fills[f - 1]);
  });
}

// Track-bar thumbs: 1 normal, 2 (the one drawn), 3 hot, 4 pressed, 5 disabled. kind: 0 horz
// (upright pill), 1 vert (lying pill), 2..5 pointers left, right, up, down.
TPixelBuffer BuildTrackThumb(int kind) {
  bool lying = kind == 1 || kind == 2 || kind == 3;
  int w = lying ? 20 : 12, h = lying ? 12 : 20;
  return Strip(w, h, 5, [=](TCanvas& c, int f) {
    const uint32_t fills[5] = {Accent, Accent, 0x5A93E0, AccentDark, 0xC4CBD3};
    uint32_t fill = fills[f - 1];
    double W = w, H = h;
    c.Shape(fill, [=](double x, double y) {
      switch (kind) {
        case 0:
        case 1:
          return TCanvas::InRoundRect(x, y, 0, 0, W, H, 4);
        case 2:
          return TCanvas::InRoundRect(x, y, 5, 0, W, H, 3) || InTriangle(x, y, 0, H / 2, 6, 0, 6, H);
        case 3:
          return TCanvas::InRoundRect(x, y, 0, 0, W - 5, H, 3) ||
                 InTriangle(x, y, W, H / 2, W - 6, 0, W - 6, H);
        case 4:
          return TCanvas::InRoundRect(x, y, 0, 5, W, H, 3) || InTriangle(x, y, W / 2, 0, 0, 6, W, 6);
        default:
          return TCanvas::InRoundRect(x, y, 0, 0, W, H - 5, 3) ||
                 InTriangle(x, y, W / 2, H, 0, H - 6, W, H - 6);
      }
    });
    if (kind <= 1) c.RoundFrame(1, 1, W - 1, H - 1, 3, 1, f == 5 ? 0xD6DBE0 : 0x6FA0E3);
  });
}

// Up-down buttons, 8 frames: the first button (up or left) then the second (down or right),
// each normal, pressed, disabled, hot; glyph strips with the arrows in the same frames.
TPixelBuffer BuildUpDown(bool horizontal) {
  int w = horizontal ? 11 : 16, h = horizontal ? 16 : 11;
  return Strip(w, h, 8, [=](TCanvas& c, int f) {
    int state = (f - 1) % 4 + 1;
    const uint32_t borders[4] = {Border, BorderStrong, BorderDisabled, Accent};
    const uint32_t fills[4] = {Face, FacePressed, FieldDisabled, AccentWash};
    c.Box(0, 0, w, h, 2, borders[state - 1], fills[state - 1]);
  });
}

TPixelBuffer BuildUpDownGlyphs(bool horizontal) {
  int w = horizontal ? 5 : 9, h = horizontal ? 9 : 5;
  return Strip(w, h, 8, [=](TCanvas& c, int f) {
    int state = (f - 1) % 4 + 1, second = f > 4;
    const uint32_t inks[4] = {InkSoft, Ink, InkDisabled, AccentDark};
    int dir = horizontal ? (second ? 1 : 0) : (second ? 3 : 2);
    Arrow(c, dir, horizontal ? 4.0 : 4.0, inks[state - 1]);
  });
}

// Menu item: 1 normal (transparent), 2 separator line low in the frame, 3 like 1, 4 selected, 5 hot.
TPixelBuffer BuildMenuItem() {
  return Strip(24, 20, 5, [](TCanvas& c, int f) {
    if (f == 2) c.FillRect(0, 15, 24, 16, FrameLine);
    if (f == 4) c.RoundRect(1, 1, 23, 19, 4, Accent);
    if (f == 5) c.RoundRect(1, 1, 23, 19, 4, AccentWash);
  });
}

TPixelBuffer BuildMenuBackground() {
  TPixelBuffer b = Blank(24, 24);
  TCanvas c(b);
  c.Fill(0xC9D0D8);
  c.FillRect(1, 1, 23, 23, Field);
  return b;
}

TPixelBuffer BuildMenuBar() {
  return Strip(
      20, 20, 2,
      [](TCanvas& c, int f) {
        c.Fill(f == 1 ? FrameFill : FrameFillIdle);
        c.FillRect(0, 19, 20, 20, FrameLine);
      },
      true);
}

// Status bar panels: 1 lowered, 2 raised, 3 flat.
TPixelBuffer BuildStatusEdges() {
  return Strip(16, 20, 3, [](TCanvas& c, int f) {
    c.Fill(0xF3F4F6);
    c.FillRect(0, 0, 16, 1, FrameLine);
    if (f != 3) c.FillRect(15, 4, 16, 16, 0xD5DBE2);
  });
}

TPixelBuffer BuildHeader() {
  return Strip(20, 22, 5, [](TCanvas& c, int f) {
    const uint32_t fills[5] = {FrameFill, 0xEEF3F9, 0xE1E8F0, FrameFill, FrameFill};
    c.Fill(fills[f - 1]);
    c.FillRect(0, 21, 20, 22, 0xD5DBE2);
    c.FillRect(19, 4, 20, 18, 0xE1E5EA);
  });
}

TPixelBuffer BuildGroupEdge() {
  return Strip(16, 16, 2,
               [](TCanvas& c, int f) { c.RoundFrame(0, 0, 16, 16, 5, 1, f == 1 ? 0xD5DBE2 : 0xE6E9ED); });
}

TPixelBuffer BuildGroupLabel() {
  TPixelBuffer b = Blank(20, 18);
  TCanvas(b).RoundRect(0, 0, 20, 18, 6, 0xEEF1F4);
  return b;
}

// Tool buttons: 1 normal (transparent), 2 hot, 3 pressed, 4 checked, 5 disabled.
TPixelBuffer BuildToolbar() {
  return Strip(22, 22, 5, [](TCanvas& c, int f) {
    if (f == 2) c.RoundRect(0, 0, 22, 22, 4, 0xE5ECF4);
    if (f == 3) c.RoundRect(0, 0, 22, 22, 4, 0xD0DCEA);
    if (f == 4) c.Box(0, 0, 22, 22, 4, AccentSoft, 0xDCE8F7);
  });
}

}  // namespace

std::vector<TSkinFile> BuildSkinImages() {
  TBorders borders = BuildBorders();
  std::vector<TSkinFile> files;
  auto add = [&](const char* name, TPixelBuffer image) { files.push_back({name, std::move(image)}); };
  add("left.bmp", std::move(borders.Left));
  add("right.bmp", std::move(borders.Right));
  add("top.bmp", std::move(borders.Top));
  add("bottom.bmp", std::move(borders.Bottom));
  add("textback.bmp", BuildTextBack());
  add("menubar.bmp", BuildMenuBar());
  add("close.bmp", SysButton(CrossGlyph, true));
  add("max.bmp", SysButton(MaxGlyph, false));
  add("restore.bmp", SysButton(RestoreGlyph, false));
  add("min.bmp", SysButton(MinGlyph, false));
  add("mdi.bmp", BuildMdiStrip());
  add("buttons.bmp", BuildButtons());
  add("check.bmp", BuildCheck());
  add("radio.bmp", BuildRadio());
  add("progress.bmp", BuildProgress());
  add("chunk.bmp", BuildChunk());
  add("tabs.bmp", BuildTabs());
  add("tabborder.bmp", BuildTabBorder());
  add("combobut.bmp", BuildComboButton());
  add("sunkedge.bmp", BuildSunkEdge());
  add("extra.bmp", BuildExtraImages());
  add("scrollbar.bmp", BuildScrollArrows());
  add("hscroll.bmp", BuildScrollTrack());
  add("vscroll.bmp", BuildScrollTrack());
  add("hthumb.bmp", BuildThumb(false));
  add("vthumb.bmp", BuildThumb(true));
  add("trackhorz.bmp", BuildTrackThumb(0));
  add("trackvert.bmp", BuildTrackThumb(1));
  add("trackleft.bmp", BuildTrackThumb(2));
  add("trackright.bmp", BuildTrackThumb(3));
  add("trackup.bmp", BuildTrackThumb(4));
  add("trackdown.bmp", BuildTrackThumb(5));
  add("updownh.bmp", BuildUpDown(true));
  add("updownhg.bmp", BuildUpDownGlyphs(true));
  add("updownv.bmp", BuildUpDown(false));
  add("updownvg.bmp", BuildUpDownGlyphs(false));
  add("menuitem.bmp", BuildMenuItem());
  add("menuback.bmp", BuildMenuBackground());
  add("status.bmp", BuildStatusEdges());
  add("header.bmp", BuildHeader());
  add("groupedge.bmp", BuildGroupEdge());
  add("grouplabel.bmp", BuildGroupLabel());
  add("toolbar.bmp", BuildToolbar());
  return files;
}

std::vector<unsigned char> BuildMenuGlyphsBmp() {
  // Draw the glyphs into a 24-bit buffer first (ink black on white), then pack to 1 bit.
  TPixelBuffer b(64, 16, 24);
  TCanvas all(b);
  all.Fill(0xFFFFFF);
  auto box = [](TCanvas& c, int x0, int y0, int x1, int y1, int top) {
    c.FillRect(x0, y0, x1, y0 + top, 0x000000);
    c.FillRect(x0, y1 - 1, x1, y1, 0x000000);
    c.FillRect(x0, y0, x0 + 1, y1, 0x000000);
    c.FillRect(x1 - 1, y0, x1, y1, 0x000000);
  };
  TCanvas restore = all.Sub(0, 0, 16, 16), maximize = all.Sub(16, 0, 16, 16);
  TCanvas minimize = all.Sub(32, 0, 16, 16), close = all.Sub(48, 0, 16, 16);
  box(restore, 6, 3, 13, 9, 2);
  restore.FillRect(7, 5, 12, 9, 0xFFFFFF);
  box(restore, 3, 6, 10, 12, 2);
  restore.FillRect(4, 8, 9, 11, 0xFFFFFF);
  box(maximize, 3, 3, 13, 12, 2);
  minimize.FillRect(4, 10, 11, 12, 0x000000);
  for (int i = 0; i < 8; ++i) {
    close.FillRect(4 + i, 4 + i, 6 + i, 5 + i, 0x000000);
    close.FillRect(10 - i, 4 + i, 12 - i, 5 + i, 0x000000);
  }
  const int stride = 8;  // 64 bits per row, already a multiple of 4 bytes
  std::vector<unsigned char> out;
  auto u16 = [&](uint32_t v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
  };
  auto u32 = [&](uint32_t v) {
    u16(v & 0xFFFF);
    u16(v >> 16);
  };
  const uint32_t offset = 14 + 40 + 8, pixels = stride * 16;
  out.push_back('B');
  out.push_back('M');
  u32(offset + pixels);
  u32(0);
  u32(offset);
  u32(40);
  u32(64);
  u32(16);
  u16(1);
  u16(1);
  u32(0);
  u32(pixels);
  u32(2835);
  u32(2835);
  u32(2);
  u32(2);
  u32(0x00000000);  // index 0: black
  u32(0x00FFFFFF);  // index 1: white
  for (int y = 15; y >= 0; --y)
    for (int byte = 0; byte < stride; ++byte) {
      unsigned char bits = 0;
      for (int bit = 0; bit < 8; ++bit)
        if (b.GetPixel(byte * 8 + bit, y) != 0) bits |= static_cast<unsigned char>(0x80 >> bit);
      out.push_back(bits);
    }
  return out;
}

}  // namespace skingen
