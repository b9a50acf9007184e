#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/ui/gfx/BmpBuilder.h"
#include "ui/Graphics.h"
#include "ui/Streams.h"

using bmptest::Build;
using bmptest::TBmpSpec;

namespace {

uint32_t ToBgr(uint32_t rgb) { return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF); }

// Pixel colour (0x00BBGGRR) read straight from the bitmap's rows.
TColor RowPixel(TBitmap& b, int x, int y) {
  const uint8_t* p = b.ScanLine(y) + x * (b.BitsPerPixel() / 8);
  return static_cast<TColor>(p[2]) | (static_cast<TColor>(p[1]) << 8) | (static_cast<TColor>(p[0]) << 16);
}

TMemoryStream StreamOf(const std::vector<uint8_t>& bytes) { return TMemoryStream(bytes); }

void Fill(TBitmap& b, TColor c) {
  b.Canvas()->Brush()->SetColor(c);
  b.Canvas()->FillRect(RECT{0, 0, b.Width(), b.Height()});
}

int CountPixels(TBitmap& b, const RECT& r, bool (*pred)(TColor)) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += pred(RowPixel(b, x, y)) ? 1 : 0;
  return n;
}

// Every depth, both row orders: pixels read back through GDI (the canvas) and through the
// rows must both show the file's picture the right way up.
TEST(Bitmap, LoadsEveryDepthTheRightWayUp) {
  for (int bits : {1, 4, 8, 24, 32})
    for (bool topDown : {false, true}) {
      TBmpSpec s;
      s.Width = 5;
      s.Height = 3;
      s.BitCount = bits;
      s.TopDown = topDown;
      for (int i = 0; bits <= 8 && i < (1 << bits); ++i)
        s.Palette.push_back(static_cast<uint32_t>((i * 70 + 10) & 0xFF) << 16 |
                            static_cast<uint32_t>(i * 20 & 0xFF) << 8 | static_cast<uint32_t>(255 - i));
      auto colour = [&](int x, int y) -> uint32_t {
        if (bits <= 8) return static_cast<uint32_t>(x + y) % (1u << bits);
        return static_cast<uint32_t>(x * 50) << 16 | static_cast<uint32_t>(y * 100) << 8 | 0x33;
      };
      TMemoryStream stream = StreamOf(Build(s, colour));
      TBitmap b;
      b.LoadFromStream(stream);
      ASSERT_EQ(b.Width(), 5);
      ASSERT_EQ(b.Height(), 3);
      EXPECT_EQ(b.PixelFormat(), bits == 32 ? pf32bit : pf24bit);
      for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
          const uint32_t rgb = bits <= 8 ? s.Palette[colour(x, y)] : colour(x, y);
          EXPECT_EQ(b.Canvas()->Pixels(x, y), ToBgr(rgb))
              << bits << " bits, top-down " << topDown << " at " << x << "," << y;
          EXPECT_EQ(RowPixel(b, x, y), ToBgr(rgb)) << bits << " bits at " << x << "," << y;
        }
    }
}

TEST(Bitmap, BadStreamRaisesAndKeepsThePicture) {
  TBitmap b(3, 2);
  Fill(b, clRed);
  TBmpSpec s;
  s.Width = 4;
  s.Height = 4;
  auto bytes = Build(s, [](int, int) { return 0u; });
  bytes.resize(bytes.size() - 3);  // pixel rows cut short
  for (const auto& bad : {bytes, std::vector<uint8_t>{'B', 'M'}, std::vector<uint8_t>{}}) {
    TMemoryStream stream = StreamOf(bad);
    try {
      b.LoadFromStream(stream);
      ADD_FAILURE() << "no error";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(e.Message(), "Bitmap image is not valid");
    }
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(RowPixel(b, 2, 1), clRed);
  }
}

TEST(Bitmap, BitmapsStoredOneAfterAnotherLoadInTurn) {
  TBmpSpec a, c;
  a.Width = 2, a.Height = 2;
  c.Width = 3, c.Height = 1;
  auto bytes = Build(a, [](int, int) { return 0x0000FFu; });
  const auto second = Build(c, [](int, int) { return 0x00FF00u; });
  bytes.insert(bytes.end(), second.begin(), second.end());
  TMemoryStream stream = StreamOf(bytes);
  TBitmap b;
  b.LoadFromStream(stream);
  EXPECT_EQ(b.Width(), 2);
  EXPECT_EQ(RowPixel(b, 1, 1), ToBgr(0x0000FF));
  b.LoadFromStream(stream);
  EXPECT_EQ(b.Width(), 3);
  EXPECT_EQ(RowPixel(b, 2, 0), ToBgr(0x00FF00));
  EXPECT_EQ(stream.GetPosition(), stream.GetSize());
}

TEST(Bitmap, SaveAndLoadKeepPixels) {
  TBitmap b(4, 3, pf32bit);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x)
      b.Canvas()->SetPixels(x, y, static_cast<TColor>(x * 60 + y * 0x1000 + 0x50000));
  TMemoryStream s;
  b.SaveToStream(s);
  s.SetPosition(0);
  TBitmap c;
  c.LoadFromStream(s);
  EXPECT_EQ(RowPixel(c, 3, 2), static_cast<TColor>(3 * 60 + 2 * 0x1000 + 0x50000));
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(RowPixel(c, x, y), RowPixel(b, x, y));
}

TEST(Bitmap, SizeFormatAndRows) {
  TBitmap b;
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(b.Handle(), nullptr);
  b.SetPixelFormat(pf24bit);
  b.SetSize(6, 4);
  Fill(b, clBlue);
  b.Canvas()->SetPixels(1, 2, clLime);
  b.SetSize(3, 5);  // narrower and taller: what fits stays, the new row is black
  EXPECT_EQ(RowPixel(b, 1, 2), clLime);
  EXPECT_EQ(RowPixel(b, 2, 3), clBlue);
  EXPECT_EQ(RowPixel(b, 0, 4), clBlack);
  EXPECT_EQ(b.Canvas()->Pixels(1, 2), clLime) << "the canvas follows the new handle";

  b.SetPixelFormat(pf32bit);
  EXPECT_EQ(b.BitsPerPixel(), 32);
  EXPECT_EQ(RowPixel(b, 1, 2), clLime);
  b.SetPixelFormat(pf24bit);
  EXPECT_EQ(RowPixel(b, 2, 3), clBlue);

  // Rows are separate and stride-padded: writing row 1 leaves rows 0 and 2 alone.
  uint8_t* row1 = b.ScanLine(1);
  for (int x = 0; x < 3; ++x) row1[x * 3] = 0x11, row1[x * 3 + 1] = 0x22, row1[x * 3 + 2] = 0x33;
  EXPECT_EQ(b.Canvas()->Pixels(2, 1), 0x112233u);
  EXPECT_EQ(b.Canvas()->Pixels(2, 0), clBlue);
  EXPECT_EQ(b.Canvas()->Pixels(0, 2), clBlue);

  for (int bad : {-1, 5, 1000}) EXPECT_THROW(b.ScanLine(bad), EInvalidGraphic) << bad;
  EXPECT_THROW(b.SetSize(-1, 3), EInvalidGraphic);
  b.SetSize(0, 7);
  EXPECT_TRUE(b.Empty());
  EXPECT_THROW(b.ScanLine(0), EInvalidGraphic);
}

TEST(Bitmap, AssignHandlesAndRelease) {
  TBitmap a(4, 4);
  Fill(a, clYellow);
  a.SetTransparent(true);
  a.SetTransparentColor(clYellow);
  TBitmap b;
  b.Assign(a);
  Fill(a, clRed);
  EXPECT_EQ(RowPixel(b, 3, 3), clYellow) << "a copy, not a shared handle";
  EXPECT_NE(a.Handle(), b.Handle());
  EXPECT_TRUE(b.Transparent());
  EXPECT_EQ(b.TransparentColor(), clYellow);

  // A device-dependent bitmap handed over becomes a DIB with the same pixels.
  HBITMAP ddb = nullptr;
  {
    ClientDc screen(nullptr);
    ddb = CreateCompatibleBitmap(screen.get(), 5, 2);
    MemoryDc dc(screen.get());
    SelectGuard sel(dc.get(), ddb);
    TBrushHandle brush(CreateSolidBrush(RGB(10, 200, 30)));
    RECT r{0, 0, 5, 2};
    ::FillRect(dc.get(), &r, brush.get());
  }
  TBitmap c;
  c.SetHandle(ddb);
  ASSERT_EQ(c.Width(), 5);
  EXPECT_EQ(RowPixel(c, 4, 1), static_cast<TColor>(RGB(10, 200, 30)));

  HBITMAP given = c.ReleaseHandle();
  EXPECT_TRUE(c.Empty());
  BITMAP bm{};
  ASSERT_EQ(GetObjectA(given, sizeof bm, &bm), static_cast<int>(sizeof bm)) << "still a live bitmap";
  EXPECT_EQ(bm.bmWidth, 5);
  DeleteObject(given);
}

TEST(Bitmap, TransparentDrawKeepsTheKeyColourOut) {
  TBitmap sprite(4, 4);
  Fill(sprite, clFuchsia);
  sprite.Canvas()->Brush()->SetColor(clBlue);
  sprite.Canvas()->FillRect(RECT{1, 1, 3, 3});
  EXPECT_EQ(sprite.TransparentColor(), clFuchsia) << "automatic: the bottom-left pixel";
  sprite.SetTransparent(true);

  TBitmap target(10, 10);
  Fill(target, clWhite);
  target.Canvas()->Draw(2, 3, sprite);
  EXPECT_EQ(RowPixel(target, 2, 3), clWhite);
  EXPECT_EQ(RowPixel(target, 3, 4), clBlue);
  EXPECT_EQ(RowPixel(target, 4, 5), clBlue);
  EXPECT_EQ(RowPixel(target, 5, 6), clWhite);

  sprite.SetTransparent(false);
  Fill(target, clWhite);
  target.Canvas()->StretchDraw(RECT{0, 0, 8, 8}, sprite);  // twice the size
  EXPECT_EQ(RowPixel(target, 0, 0), clFuchsia);
  EXPECT_EQ(RowPixel(target, 2, 2), clBlue);
  EXPECT_EQ(RowPixel(target, 5, 5), clBlue);
  EXPECT_EQ(RowPixel(target, 6, 6), clFuchsia);
  EXPECT_EQ(RowPixel(target, 8, 8), clWhite);

  // CopyRect takes a part of another canvas, stretched when sizes differ.
  Fill(target, clWhite);
  target.Canvas()->CopyRect(RECT{0, 0, 2, 2}, *sprite.Canvas(), RECT{1, 1, 3, 3});
  EXPECT_EQ(RowPixel(target, 0, 0), clBlue);
  EXPECT_EQ(RowPixel(target, 1, 1), clBlue);
  EXPECT_EQ(RowPixel(target, 2, 2), clWhite);
}

TEST(Bitmap, DrawsWithoutACanvasOfItsOwnAndLetsGoOfItsDc) {
  TBitmap source(3, 3);
  Fill(source, clAqua);
  TBitmap copy;
  copy.Assign(source);  // pixels only: no canvas made yet
  TBitmap target(5, 5);
  Fill(target, clBlack);
  target.Canvas()->Draw(1, 1, copy);
  EXPECT_EQ(RowPixel(target, 3, 3), clAqua);
  EXPECT_EQ(RowPixel(target, 4, 4), clBlack);

  // With its canvas's DC freed, the bitmap can be read by GetDIBits and then drawn on again.
  source.FreeCanvasDc();
  std::vector<uint32_t> pixels(9);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = 3;
  bi.bmiHeader.biHeight = -3;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  ClientDc screen(nullptr);
  ASSERT_EQ(GetDIBits(screen.get(), source.Handle(), 0, 3, pixels.data(), &bi, DIB_RGB_COLORS), 3);
  EXPECT_EQ(pixels[8] & 0xFFFFFF, 0x00FFFFu) << "aqua as 0x00RRGGBB";
  source.Canvas()->SetPixels(0, 0, clRed);
  EXPECT_EQ(RowPixel(source, 0, 0), clRed);
}

bool Dark(TColor c) { return (c & 0xFF) < 0x80 && ((c >> 8) & 0xFF) < 0x80 && ((c >> 16) & 0xFF) < 0x80; }
bool NotWhite(TColor c) { return c != clWhite; }

TEST(Canvas, TextAndFillOnABitmap) {
  TBitmap b(120, 40);
  Fill(b, clWhite);
  TCanvas& c = *b.Canvas();
  c.Font()->SetName("Tahoma");
  c.Font()->SetColor(clBlack);
  c.Brush()->SetStyle(bsClear);
  const SIZE ext = c.TextExtent("Lumetta");
  ASSERT_GT(ext.cx, 10);
  ASSERT_GT(ext.cy, 5);
  c.TextOut(5, 5, "Lumetta");
  const RECT inside{5, 5, 5 + ext.cx, 5 + ext.cy};
  EXPECT_GT(CountPixels(b, inside, Dark), 10) << "glyphs drawn";
  EXPECT_EQ(CountPixels(b, RECT{0, 0, 120, 5}, NotWhite), 0) << "nothing above the text";
  EXPECT_EQ(CountPixels(b, RECT{5 + ext.cx + 1, 0, 120, 40}, NotWhite), 0) << "nothing right of it";
  EXPECT_EQ(c.PenPos().x, 5 + ext.cx) << "the pen moves past the text";

  // A larger font while the old one is selected: the canvas swaps it before the next use.
  const int before = c.TextWidth("Lumetta");
  c.Font()->SetSize(c.Font()->Size() * 2);
  EXPECT_GT(c.TextWidth("Lumetta"), before * 3 / 2);
  c.Font()->SetStyle(TFontStyles{fsBold});
  const int bold = c.TextWidth("WWWW");
  c.Font()->SetStyle(TFontStyles{});
  EXPECT_GT(bold, c.TextWidth("WWWW"));

  // A solid brush paints the text background; FillRect and FrameRect use the brush.
  Fill(b, clWhite);
  c.Brush()->SetColor(clYellow);
  EXPECT_EQ(c.Brush()->Style(), bsSolid);
  c.Brush()->SetStyle(bsClear);
  c.Brush()->SetColor(clYellow);
  EXPECT_EQ(c.Brush()->Style(), bsSolid) << "setting a colour makes a clear brush solid";
  c.Font()->SetSize(8);
  c.TextOut(0, 0, "ii");
  EXPECT_EQ(RowPixel(b, 0, 0), clYellow);
  c.Brush()->SetColor(clRed);
  c.FrameRect(RECT{50, 10, 60, 20});
  EXPECT_EQ(RowPixel(b, 50, 10), clRed);
  EXPECT_EQ(RowPixel(b, 59, 19), clRed);
  EXPECT_EQ(RowPixel(b, 55, 15), clWhite) << "only the frame";
  c.Pen()->SetColor(clGreen);
  c.Brush()->SetColor(clBlue);
  c.Rectangle(70, 10, 80, 20);
  EXPECT_EQ(RowPixel(b, 70, 15), clGreen);
  EXPECT_EQ(RowPixel(b, 75, 15), clBlue);
  c.MoveTo(90, 30);
  c.LineTo(100, 30);
  EXPECT_EQ(RowPixel(b, 95, 30), clGreen);
  EXPECT_EQ(RowPixel(b, 100, 30), clWhite) << "lines stop before their end point";

  // DrawText measures with DT_CALCRECT and wraps within the width.
  RECT r{0, 0, 40, 0};
  const int h1 = c.DrawText("one", r, DT_CALCRECT | DT_WORDBREAK);
  RECT r2{0, 0, 40, 0};
  const int h3 = c.DrawText("one two three four", r2, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_GT(h1, 0);
  EXPECT_GE(h3, 2 * h1);
}

TEST(Canvas, AttachedDcGetsItsObjectsBack) {
  MemoryDc dc;
  HGDIOBJ font0 = GetCurrentObject(dc.get(), OBJ_FONT);
  HGDIOBJ brush0 = GetCurrentObject(dc.get(), OBJ_BRUSH);
  HGDIOBJ pen0 = GetCurrentObject(dc.get(), OBJ_PEN);
  {
    TCanvas c;
    c.SetHandle(dc.get());
    c.Brush()->SetColor(clRed);
    c.Pen()->SetWidth(3);
    (void)c.TextWidth("x");
    c.Rectangle(0, 0, 1, 1);
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_FONT), c.Font()->Handle());
    c.Refresh();
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_PEN), pen0);
    c.MoveTo(0, 0);
    c.LineTo(1, 1);
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_PEN), c.Pen()->Handle()) << "selected again on use";
    c.SetHandle(nullptr);
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_FONT), font0);
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BRUSH), brush0);
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_PEN), pen0);
    c.SetHandle(dc.get());
    c.FillRect(RECT{0, 0, 1, 1});
  }  // destroyed while attached
  EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BRUSH), brush0);
  EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_FONT), font0);

  TCanvas none;
  EXPECT_THROW(none.FillRect(RECT{0, 0, 1, 1}), Exception) << "no DC to draw on";
}

TEST(Font, PropertiesAndHandles) {
  TFont f;
  f.SetHeight(-11);
  const int ppi = [] {
    ClientDc s(nullptr);
    return GetDeviceCaps(s.get(), LOGPIXELSY);
  }();
  if (ppi == 96) {
    EXPECT_EQ(f.Size(), 8);
  }
  f.SetSize(12);
  EXPECT_EQ(f.Height(), -MulDiv(12, ppi, 72));

  int changes = 0;
  f.OnChange = [&] { ++changes; };
  f.SetStyle(TFontStyles{fsBold, fsItalic});
  f.SetStyle(TFontStyles{fsBold, fsItalic});  // unchanged: no event
  f.SetColor(clRed);
  EXPECT_EQ(changes, 2);

  LOGFONTA lf{};
  GetObjectA(f.Handle(), sizeof lf, &lf);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_TRUE(lf.lfItalic);
  EXPECT_FALSE(lf.lfUnderline);

  // Taking over a handle reads its description back.
  LOGFONTA mine{};
  mine.lfHeight = -20;
  mine.lfWeight = FW_NORMAL;
  mine.lfUnderline = TRUE;
  lstrcpyA(mine.lfFaceName, "Courier New");
  TFont g;
  g.SetHandle(CreateFontIndirectA(&mine));
  EXPECT_EQ(g.Name(), "Courier New");
  EXPECT_EQ(g.Height(), -20);
  EXPECT_EQ(g.Style(), TFontStyles{fsUnderline});

  TFont h;
  h.Assign(f);
  EXPECT_EQ(h.Color(), clRed);
  EXPECT_EQ(h.Style(), (TFontStyles{fsBold, fsItalic}));
  EXPECT_NE(h.Handle(), f.Handle());
}

TEST(Colours, SystemColoursResolve) {
  EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ColorToRGB(clHighlightText), GetSysColor(COLOR_HIGHLIGHTTEXT));
  EXPECT_EQ(ColorToRGB(0x123456), 0x123456u);
  EXPECT_EQ(ColorToRGB(clNone), 0u);
}

TEST(Icon, FromResourceDrawsAndCopies) {
  TIcon icon;
  icon.LoadFromResourceName(GetModuleHandleA(nullptr), "MAINICON");
  ASSERT_NE(icon.Handle(), nullptr);
  EXPECT_EQ(icon.Width(), GetSystemMetrics(SM_CXICON));
  TIcon small;
  small.LoadFromResourceName(GetModuleHandleA(nullptr), "MAINICON", 16, 16);
  EXPECT_EQ(small.Width(), 16);
  EXPECT_EQ(small.Height(), 16);

  TBitmap b(40, 40);
  Fill(b, clWhite);
  b.Canvas()->Draw(4, 4, icon);
  EXPECT_GT(CountPixels(b, RECT{4, 4, 4 + icon.Width(), 4 + icon.Height()}, NotWhite), 0);
  EXPECT_EQ(CountPixels(b, RECT{0, 0, 40, 4}, NotWhite), 0);

  TIcon copy;
  copy.Assign(icon);
  EXPECT_NE(copy.Handle(), icon.Handle());
  EXPECT_EQ(copy.Width(), icon.Width());

  try {
    icon.LoadFromResourceName(GetModuleHandleA(nullptr), "NOSUCHICON");
    ADD_FAILURE() << "no error";
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(e.Message(), "Resource NOSUCHICON not found");
  }
  EXPECT_NE(icon.Handle(), nullptr) << "a failed load keeps the icon";
}

}  // namespace
