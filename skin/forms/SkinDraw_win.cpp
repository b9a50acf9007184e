#include "skin/forms/SkinDraw_win.h"

#include <algorithm>
#include <optional>

namespace {
// Checked once at start-up: MaskBlt exists only on the NT family.
const bool HasMaskBlt = (GetVersion() & 0x80000000u) == 0;

// Keeps a DC's stretch mode at COLORONCOLOR for a scope.
class StretchModeGuard {
 public:
  explicit StretchModeGuard(HDC dc) : FDc(dc), FOld(SetStretchBltMode(dc, COLORONCOLOR)) {}
  ~StretchModeGuard() {
    if (FOld) SetStretchBltMode(FDc, FOld);
  }
  StretchModeGuard(const StretchModeGuard&) = delete;
  StretchModeGuard& operator=(const StretchModeGuard&) = delete;

 private:
  HDC FDc;
  int FOld;
};

void DrawPieces(HDC dst, HDC src, const std::vector<TSkinPiece>& pieces, int offX, int offY) {
  for (const TSkinPiece& p : pieces) {
    const int dx = p.Dst.Left + offX, dy = p.Dst.Top + offY;
    if (p.Tiled) {
      ForEachTile(p.Dst, p.Src.Width(), p.Src.Height(), [&](const TSkinRect& t) {
        BitBlt(dst, t.Left + offX, t.Top + offY, t.Width(), t.Height(), src, p.Src.Left, p.Src.Top, SRCCOPY);
      });
    } else if (p.Dst.Width() == p.Src.Width() && p.Dst.Height() == p.Src.Height())
      BitBlt(dst, dx, dy, p.Dst.Width(), p.Dst.Height(), src, p.Src.Left, p.Src.Top, SRCCOPY);
    else
      StretchBlt(dst, dx, dy, p.Dst.Width(), p.Dst.Height(), src, p.Src.Left, p.Src.Top, p.Src.Width(),
                 p.Src.Height(), SRCCOPY);
  }
}

// A cleared temporary bitmap and a DC to draw it in, ready to be copied out. Making and
// freeing a DIB section costs several times the drawing itself (most under 64-bit Wine), so
// one is kept (the engine draws on its GUI thread only), grown to the largest size asked up
// to a cap; a scratch asked for while that one is in use, or a larger one, is made for the
// call. It has no alpha byte, so a keyed copy out needs no further 24-bit copy of it. (Not a
// thread_local: one with a destructor pins a DLL that carries the engine in memory.)
class TScratch {
 public:
  TScratch(int w, int h) {
    static constexpr long long kCachedPixels = 1024LL * 256;
    TCache& c = Cache();
    if (!c.InUse && static_cast<long long>(w) * h <= kCachedPixels) {
      if (c.Width < w || c.Height < h || !c.Bitmap) {
        c.Bitmap = CreateSkinDib(std::max(c.Width, w), std::max(c.Height, h), nullptr, 24);
        c.Width = c.Bitmap ? std::max(c.Width, w) : 0;
        c.Height = c.Bitmap ? std::max(c.Height, h) : 0;
      }
      if (c.Bitmap) {
        c.InUse = true;
        FCache = &c;
        Bitmap = c.Bitmap.get();
        Dc = c.Dc.get();
      }
    }
    if (!FCache) {
      FOwned = CreateSkinDib(w, h, nullptr, 24);
      Bitmap = FOwned.get();
      Dc = FOwnedDc.get();
    }
    if (Bitmap) {
      SelectGuard sel(Dc, Bitmap);
      PatBlt(Dc, 0, 0, w, h, BLACKNESS);  // as a new DIB section starts
    }
  }
  ~TScratch() {
    if (FCache) FCache->InUse = false;
  }
  TScratch(const TScratch&) = delete;
  TScratch& operator=(const TScratch&) = delete;

  HBITMAP Bitmap = nullptr;
  HDC Dc = nullptr;

 private:
  friend void ::ReleaseSkinDrawScratch();
  struct TCache {
    TBitmapHandle Bitmap;
    MemoryDc Dc;
    int Width = 0, Height = 0;
    bool InUse = false;
  };
  static TCache& Cache() {
    static TCache cache;
    return cache;
  }
  TCache* FCache = nullptr;
  TBitmapHandle FOwned;
  MemoryDc FOwnedDc;
};

}  // namespace

void ReleaseSkinDrawScratch() {
  auto& c = TScratch::Cache();
  if (c.InUse) return;
  c.Bitmap.reset();
  c.Width = c.Height = 0;
}

namespace {

// Monochrome mask of src's rectangle: white where the pixel is the key colour.
TBitmapHandle MakeMask(HDC src, int sx, int sy, int w, int h, COLORREF key) {
  TBitmapHandle mask(CreateBitmap(w, h, 1, 1, nullptr));
  if (!mask) return mask;
  MemoryDc maskDc;
  SelectGuard sel(maskDc.get(), mask.get());
  const COLORREF oldBk = SetBkColor(src, key);
  BitBlt(maskDc.get(), 0, 0, w, h, src, sx, sy, SRCCOPY);
  SetBkColor(src, oldBk);
  return mask;
}

bool HasAlphaByte(HDC dc) {
  BITMAP bm{};
  const HGDIOBJ bmp = GetCurrentObject(dc, OBJ_BITMAP);
  return bmp && GetObjectW(bmp, sizeof(bm), &bm) && bm.bmBitsPixel == 32;
}

void CopyKeyed(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, COLORREF key, bool maskBlt) {
  if (w <= 0 || h <= 0) return;
  // A 32-bit source may carry alpha bytes, which some GDI implementations (Wine) compare
  // along with the colour when making the mask: its rectangle goes through a 24-bit copy.
  TBitmapHandle plain;
  std::optional<MemoryDc> plainDc;
  std::optional<SelectGuard> selected;
  if (HasAlphaByte(src)) {
    plain = CreateSkinDib(w, h, nullptr, 24);
    if (!plain) return;
    plainDc.emplace();
    selected.emplace(plainDc->get(), plain.get());
    BitBlt(plainDc->get(), 0, 0, w, h, src, sx, sy, SRCCOPY);
    src = plainDc->get();
    sx = sy = 0;
  }
  TBitmapHandle mask = MakeMask(src, sx, sy, w, h, key);
  if (!mask) return;
  if (maskBlt) {
    // Foreground (mask white = key colour): keep the destination; background: the source.
    MaskBlt(dst, x, y, w, h, src, sx, sy, mask.get(), 0, 0, MAKEROP4(0x00AA0029, SRCCOPY));
    return;
  }
  MemoryDc maskDc;
  SelectGuard sel(maskDc.get(), mask.get());
  const COLORREF oldBk = SetBkColor(dst, RGB(255, 255, 255));
  const COLORREF oldText = SetTextColor(dst, RGB(0, 0, 0));
  BitBlt(dst, x, y, w, h, src, sx, sy, SRCINVERT);
  BitBlt(dst, x, y, w, h, maskDc.get(), 0, 0, SRCAND);
  BitBlt(dst, x, y, w, h, src, sx, sy, SRCINVERT);
  SetBkColor(dst, oldBk);
  SetTextColor(dst, oldText);
}

// Copies a rendered scratch bitmap out to the target, keyed or opaque.
void CopyOut(HDC dc, const RECT& target, HDC scratch, int w, int h, bool keyed) {
  if (keyed)
    // Into a memory DC nobody sees the three-copy path's steps, and it is several times
    // faster than MaskBlt where MaskBlt is emulated (Wine); onto a visible DC MaskBlt.
    CopyKeyed(dc, target.left, target.top, w, h, scratch, 0, 0, SkinKeyColour,
              HasMaskBlt && GetObjectType(dc) != OBJ_MEMDC);
  else
    BitBlt(dc, target.left, target.top, w, h, scratch, 0, 0, SRCCOPY);
}

bool Inverted(const RECT& r) { return r.right < r.left || r.bottom < r.top; }

// Draws the target's picture into the scratch with render(scratchDc, width, height) and
// copies it out, keyed or opaque; an inverted target draws nothing.
template <class TRender>
void DrawThroughScratch(HDC dc, const RECT& target, bool keyed, TRender render) {
  if (Inverted(target)) return;
  const int w = target.right - target.left, h = target.bottom - target.top;
  TScratch scratch(w, h);
  if (!scratch.Bitmap) return;
  SelectGuard sel(scratch.Dc, scratch.Bitmap);
  render(scratch.Dc, w, h);
  CopyOut(dc, target, scratch.Dc, w, h, keyed);
}
}  // namespace

TSelectedBitmap::TSelectedBitmap(HBITMAP bitmap) : FSelect(FDc.get(), bitmap) {
  BITMAP info{};
  if (bitmap && GetObjectW(bitmap, sizeof(info), &info))
    FImage = {FDc.get(), info.bmWidth, std::abs(info.bmHeight)};
}

TBitmapHandle CreateSkinDib(int width, int height, void** bits, int bitsPerPixel) {
  if (width < 1 || height < 1) return {};
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = static_cast<WORD>(bitsPerPixel == 32 ? 32 : 24);
  bi.bmiHeader.biCompression = BI_RGB;
  void* p = nullptr;
  TBitmapHandle h(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0));
  if (bits) *bits = h ? p : nullptr;
  return h;
}

void RenderSkinRect(HDC dc, int width, int height, const TSkinSource& src, const TSkinMargins& margins,
                    bool vertical, bool tile, int frameCount, int frame) {
  StretchModeGuard mode(dc);
  const TSkinRect frameRect = FrameRect(src.Width, src.Height, vertical, frameCount, frame);
  DrawPieces(dc, src.Dc, NineSlicePieces(frameRect, margins, width, height, tile), 0, 0);
}

TBitmapHandle DrawSkinRect(const RECT& target, const TSkinSource& src, const TSkinMargins& margins,
                           bool vertical, bool tile, int frameCount, int frame) {
  const int w = target.right - target.left, h = target.bottom - target.top;
  TBitmapHandle bmp = CreateSkinDib(w, h);
  if (!bmp) return bmp;
  MemoryDc dc;
  SelectGuard sel(dc.get(), bmp.get());
  RenderSkinRect(dc.get(), w, h, src, margins, vertical, tile, frameCount, frame);
  return bmp;
}

void DrawSkinImage(HDC dc, const RECT& target, const TSkinSource& src, bool vertical, bool tile, bool keyed,
                   int frameCount, int frame, const TSkinMargins& margins) {
  // DrawSkinRect's rendering, kept in the DC it was drawn in for the copy out.
  DrawThroughScratch(dc, target, keyed, [&](HDC scratch, int w, int h) {
    RenderSkinRect(scratch, w, h, src, margins, vertical, tile, frameCount, frame);
  });
}

void DrawSkinBorder(HDC dc, const RECT& target, const TSkinSource& src, bool vertical, int frameCount,
                    int frame, const TSkinMargins& margins) {
  if (Inverted(target)) return;
  const TSkinRect frameRect = FrameRect(src.Width, src.Height, vertical, frameCount, frame);
  StretchModeGuard mode(dc);
  DrawPieces(dc, src.Dc,
             NineSlicePieces(frameRect, margins, target.right - target.left, target.bottom - target.top,
                             false, false),
             target.left, target.top);
}

void DrawSkinBar(HDC dc, const RECT& target, const TSkinSource& src, bool vertical, bool keyed,
                 int frameCount, int frame, const TSkinMargins& margins) {
  DrawThroughScratch(dc, target, keyed, [&](HDC scratch, int w, int h) {
    SetStretchBltMode(scratch, COLORONCOLOR);
    const TSkinRect frameRect = FrameRect(src.Width, src.Height, vertical, frameCount, frame);
    DrawPieces(scratch, src.Dc, ThreeSlicePieces(frameRect, margins.Left, margins.Right, w, h), 0, 0);
  });
}

void DrawFrameImage(HDC dc, const RECT& target, const TSkinSource& src, bool keyed, int frameCount,
                    int frame) {
  DrawThroughScratch(dc, target, keyed, [&](HDC scratch, int w, int h) {
    SetStretchBltMode(scratch, COLORONCOLOR);
    const TSkinRect f = FrameRect(src.Width, src.Height, false, frameCount, frame);
    if (!f.Empty()) DrawPieces(scratch, src.Dc, {{f, {0, 0, w, h}}}, 0, 0);
  });
}

void DrawFrameCentered(HDC dc, const RECT& target, const TSkinSource& src, bool keyed, int frameCount,
                       int frame) {
  if (Inverted(target)) return;
  const TSkinRect f = FrameRect(src.Width, src.Height, false, frameCount, frame);
  const TSkinRect at = CentredRect(ToSkinRect(target), f.Width(), f.Height());
  // The frame is copied straight from the image: one copy, no scaling, so no scratch bitmap.
  if (keyed)
    CopyKeyed(dc, at.Left, at.Top, f.Width(), f.Height(), src.Dc, f.Left, f.Top, SkinKeyColour, HasMaskBlt);
  else
    BitBlt(dc, at.Left, at.Top, f.Width(), f.Height(), src.Dc, f.Left, f.Top, SRCCOPY);
}

void DrawTransparent(HDC dc, const RECT& target, const TSkinSource& src, COLORREF key) {
  if (Inverted(target)) return;
  const int w = std::min<int>(target.right - target.left, src.Width);
  const int h = std::min<int>(target.bottom - target.top, src.Height);
  CopyKeyed(dc, target.left, target.top, w, h, src.Dc, 0, 0, key, HasMaskBlt);
}

void DrawTransparentThreePass(HDC dc, const RECT& target, const TSkinSource& src, COLORREF key) {
  if (Inverted(target)) return;
  const int w = std::min<int>(target.right - target.left, src.Width);
  const int h = std::min<int>(target.bottom - target.top, src.Height);
  CopyKeyed(dc, target.left, target.top, w, h, src.Dc, 0, 0, key, false);
}

void TileImage(HDC dc, const RECT& dst, const TSkinSource& src, const RECT& srcRect) {
  const int w = srcRect.right - srcRect.left, h = srcRect.bottom - srcRect.top;
  ForEachTile(ToSkinRect(dst), w, h, [&](const TSkinRect& t) {
    BitBlt(dc, t.Left, t.Top, w, h, src.Dc, srcRect.left, srcRect.top, SRCCOPY);
  });
}

TPixelBuffer ReadBitmapPixels(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info)) return {};
  TPixelBuffer px(info.bmWidth, std::abs(info.bmHeight), 32);
  if (px.Empty()) return {};
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = px.Width;
  bi.bmiHeader.biHeight = -px.Height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  ClientDc screen(nullptr);
  if (GetDIBits(screen.get(), bitmap, 0, px.Height, px.Bits.data(), &bi, DIB_RGB_COLORS) != px.Height)
    return {};
  return px;
}

TRegionHandle BitmapToRegion(const TPixelView& pixels, int dx, int dy, const TKeyRange& range) {
  TRegionHandle result;
  bool failed = false;
  TRegionBatcher batcher([&](const std::vector<int32_t>& data, int count) {
    if (failed) return;
    TRegionHandle part(ExtCreateRegion(nullptr, static_cast<DWORD>(32 + 16 * count),
                                       reinterpret_cast<const RGNDATA*>(data.data())));
    if (!part && count == 0) part.reset(CreateRectRgn(0, 0, 0, 0));
    if (!part) {
      failed = true;
      return;
    }
    if (!result)
      result = std::move(part);
    else if (CombineRgn(result.get(), result.get(), part.get(), RGN_OR) == ERROR)
      failed = true;
  });
  for (const TSkinRect& r : OpaqueRuns(pixels, dx, dy, range)) batcher.Add(r);
  batcher.Finish();
  if (failed) result.reset();
  return result;
}

TRegionHandle BitmapToRegion(const TPixelBuffer& pixels, int dx, int dy, const TKeyRange& range) {
  return BitmapToRegion(TPixelView::Of(pixels), dx, dy, range);
}

TRegionHandle PieceRegion(HBITMAP bitmap, const TSkinRect& at) {
  TRegionHandle shaped = BitmapToRegion(bitmap, at.Left, at.Top, 1, 1, 1, SkinKeyColour);
  if (shaped) return shaped;
  return TRegionHandle(CreateRectRgn(at.Left, at.Top, at.Right, at.Bottom));
}

TRegionHandle BitmapToRegion(HBITMAP bitmap, int dx, int dy, int tolBlue, int tolGreen, int tolRed,
                             COLORREF key) {
  const TKeyRange range{static_cast<uint32_t>(key & 0xFFFFFF), tolBlue, tolGreen, tolRed};
  // Read through GetDIBits: the row order of a DIB section cannot be learnt from its handle.
  const TPixelBuffer pixels = ReadBitmapPixels(bitmap);
  // A failed read is not a transparent image: an empty region would hide the whole window.
  if (pixels.Empty()) return {};
  return BitmapToRegion(pixels, dx, dy, range);
}
