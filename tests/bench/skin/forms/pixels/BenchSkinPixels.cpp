// Cost of the skin primitives on the two hottest paths of a skinned window, each against the
// bare GDI copy of the same area measured in the same run: the title bar (nine-slice of a
// two-frame strip into 1024 x 30, then copied out) and the window region of a 1024 x 30
// strip with transparent corners.
#include <cstdio>

#include "bench/BenchHarness.h"
#include "skin/forms/SkinDrawBitmap_win.h"

namespace {
TBitmapHandle Dib(int w, int h, uint32_t (*colour)(int, int)) {
  void* bits = nullptr;
  TBitmapHandle bmp = CreateSkinDib(w, h, &bits, 32);
  auto* p = static_cast<uint32_t*>(bits);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint32_t c = colour(x, y);  // 0x00BBGGRR -> DIB word 0x00RRGGBB
      p[y * w + x] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    }
  return bmp;
}
}  // namespace

int main() {
  // Two 80 x 30 title frames with 20-pixel caps; a 1024 x 30 target like a form's caption.
  TBitmapHandle strip =
      Dib(160, 30, [](int x, int y) -> uint32_t { return RGB(x, y * 8, x < 80 ? 40 : 200); });
  TSelectedBitmap src(strip.get());
  TBitmapHandle target = CreateSkinDib(1024, 30, nullptr, 32);  // like a true-colour window
  MemoryDc dc;
  SelectGuard sel(dc.get(), target.get());
  SetStretchBltMode(dc.get(), COLORONCOLOR);
  const RECT bar{0, 0, 1024, 30};
  const TSkinMargins caps{20, 0, 20, 0};

  const TBenchResult bareStretch =
      Bench([&] { StretchBlt(dc.get(), 0, 0, 1024, 30, src.Image().Dc, 80, 0, 80, 30, SRCCOPY); });
  const TBenchResult title = Bench([&] {
    TBitmapHandle rendered = DrawSkinRect(bar, src.Image(), caps, false, false, 2, 2);
    MemoryDc mem;
    SelectGuard s(mem.get(), rendered.get());
    BitBlt(dc.get(), 0, 0, 1024, 30, mem.get(), 0, 0, SRCCOPY);
  });
  const TBenchResult titleImage =
      Bench([&] { DrawSkinImage(dc.get(), bar, src.Image(), false, false, false, 2, 2, caps); });
  const TBenchResult titleTiled = Bench([&] {
    TBitmapHandle rendered = DrawSkinRect(bar, src.Image(), caps, false, true, 2, 2);
    MemoryDc mem;
    SelectGuard s(mem.get(), rendered.get());
    BitBlt(dc.get(), 0, 0, 1024, 30, mem.get(), 0, 0, SRCCOPY);
  });

  TBitmapHandle shape = Dib(1024, 30, [](int x, int y) -> uint32_t {
    const int cx = x < 4 ? 4 - x : (x > 1019 ? x - 1019 : 0);
    const int cy = y < 4 ? 4 - y : (y > 25 ? y - 25 : 0);
    return cx * cx + cy * cy > 9 ? 0xFF00FFu : 0x808080u;  // rounded corners
  });
  TSelectedBitmap shapeSrc(shape.get());
  const TBenchResult bareBlt =
      Bench([&] { BitBlt(dc.get(), 0, 0, 1024, 30, shapeSrc.Image().Dc, 0, 0, SRCCOPY); });
  const TBenchResult region =
      Bench([&] { TRegionHandle r = BitmapToRegion(shape.get(), 0, 0, 1, 1, 1, SkinKeyColour); });
  // Skin images are TBitmaps (top-down DIB sections), read in place.
  TBitmap shapeBitmap;
  shapeBitmap.LoadFromPixelBuffer(ReadBitmapPixels(shape.get()));
  const TBenchResult regionBitmap =
      Bench([&] { TRegionHandle r = BitmapToRegion(shapeBitmap, 0, 0, 1, 1, 1, clFuchsia); });

  PrintBench("bare StretchBlt of one frame into 1024 x 30", bareStretch);
  PrintBench("title bar: DrawSkinRect 1024 x 30 + copy", title);
  PrintBench("title bar, tiled centre: DrawSkinRect + copy", titleTiled);
  PrintBench("title bar in one call: DrawSkinImage", titleImage);
  PrintBench("bare BitBlt 1024 x 30", bareBlt);
  PrintBench("BitmapToRegion 1024 x 30 raw bitmap (GetDIBits)", region);
  PrintBench("BitmapToRegion 1024 x 30 TBitmap (in place)", regionBitmap);
  std::printf("ratio title bar / bare StretchBlt:        %.2f\n",
              title.MicrosPerCall / bareStretch.MicrosPerCall);
  std::printf("ratio tiled title bar / bare StretchBlt:  %.2f\n",
              titleTiled.MicrosPerCall / bareStretch.MicrosPerCall);
  std::printf("ratio DrawSkinImage / bare StretchBlt:     %.2f\n",
              titleImage.MicrosPerCall / bareStretch.MicrosPerCall);
  std::printf("ratio BitmapToRegion raw / bare BitBlt:   %.2f\n",
              region.MicrosPerCall / bareBlt.MicrosPerCall);
  std::printf("ratio BitmapToRegion TBitmap / bare BitBlt: %.2f\n",
              regionBitmap.MicrosPerCall / bareBlt.MicrosPerCall);
  return 0;
}
