#include "ui/Graphics.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "ui/BmpDecode.h"
#include "ui/Streams.h"

COLORREF ColorToRGB(TColor color) {
  if ((color & 0xFF000000u) == clSystemColor) return GetSysColor(static_cast<int>(color & 0xFF));
  if (color == clNone || color == clDefault) return 0;
  return color & 0x00FFFFFF;
}

void TGraphicsObject::Changed() {
  if (OnChange) OnChange();
}

// ---- TFont -----------------------------------------------------------------------------

int ScreenPixelsPerInch() {
  static const int ppi = [] {
    ClientDc screen(nullptr);
    const int v = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return v > 0 ? v : 96;
  }();
  return ppi;
}

TFont::TFont() = default;

// Listeners (a canvas) deselect the old font before its handle goes.
void TFont::Modified() {
  // The old font lives until the listeners are done: canvases deselect it, controls that
  // ask for Handle() during the change get one made from the new properties.
  TFontHandle old(FHandle.release());
  Changed();
}

void TFont::SetName(const std::string& name) {
  if (Changes(FName, name)) Modified();
}

int TFont::Size() const { return -MulDiv(FHeight, 72, ScreenPixelsPerInch()); }

void TFont::SetSize(int points) {
  SetHeight(-MulDiv(points, ScreenPixelsPerInch(), 72));
  FFollowsDpi = true;
}

void TFont::SetHeight(int pixels) {
  FFollowsDpi = false;
  if (Changes(FHeight, pixels)) Modified();
}

void TFont::SetColor(TColor color) {
  if (Changes(FColor, color)) Changed();
}

void TFont::SetStyle(TFontStyles style) {
  if (Changes(FStyle, style)) Modified();
}

void TFont::SetCharset(BYTE charset) {
  if (Changes(FCharset, charset)) Modified();
}

void TFont::SetOrientation(int tenths) {
  if (Changes(FOrientation, tenths)) Modified();
}

HFONT TFont::Handle() {
  if (!FHandle) {
    LOGFONTA lf{};
    lf.lfHeight = FHeight;
    lf.lfEscapement = FOrientation;
    lf.lfOrientation = FOrientation;
    lf.lfWeight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = FStyle.Contains(fsItalic);
    lf.lfUnderline = FStyle.Contains(fsUnderline);
    lf.lfStrikeOut = FStyle.Contains(fsStrikeOut);
    lf.lfCharSet = FCharset;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    const size_t n = std::min(FName.size(), sizeof lf.lfFaceName - 1);
    std::memcpy(lf.lfFaceName, FName.data(), n);
    FHandle.reset(CreateFontIndirectA(&lf));
  }
  return FHandle.get();
}

void TFont::SetHandle(HFONT font) {
  LOGFONTA lf{};
  if (font && GetObjectA(font, sizeof lf, &lf) == sizeof lf) {
    FName = std::string(lf.lfFaceName, strnlen(lf.lfFaceName, sizeof lf.lfFaceName));
    FHeight = lf.lfHeight;
    FFollowsDpi = true;
    FOrientation = lf.lfEscapement;
    FCharset = lf.lfCharSet;
    TFontStyles s;
    if (lf.lfWeight >= FW_BOLD) s.Include(fsBold);
    if (lf.lfItalic) s.Include(fsItalic);
    if (lf.lfUnderline) s.Include(fsUnderline);
    if (lf.lfStrikeOut) s.Include(fsStrikeOut);
    FStyle = s;
  }
  Changed();
  FHandle.reset(font);
}

void TFont::Assign(const TFont& source) {
  if (&source == this) return;
  FName = source.FName;
  FHeight = source.FHeight;
  FFollowsDpi = source.FFollowsDpi;
  FColor = source.FColor;
  FStyle = source.FStyle;
  FCharset = source.FCharset;
  FOrientation = source.FOrientation;
  Modified();
}

// ---- TBrush / TPen ---------------------------------------------------------------------

void TBrush::Modified() {
  Changed();
  FHandle.reset();
}

void TBrush::SetColor(TColor color) {
  if (color == FColor && FStyle != bsClear) return;
  FColor = color;
  if (FStyle == bsClear) FStyle = bsSolid;
  Modified();
}

void TBrush::SetStyle(TBrushStyle style) {
  if (Changes(FStyle, style)) Modified();
}

HBRUSH TBrush::Handle() {
  if (!FHandle) {
    LOGBRUSH lb{};
    lb.lbColor = ColorToRGB(FColor);
    switch (FStyle) {
      case bsSolid:
        lb.lbStyle = BS_SOLID;
        break;
      case bsClear:
        lb.lbStyle = BS_NULL;
        break;
      default:
        lb.lbStyle = BS_HATCHED;
        lb.lbHatch = static_cast<ULONG_PTR>(FStyle - bsHorizontal + HS_HORIZONTAL);
    }
    FHandle.reset(CreateBrushIndirect(&lb));
  }
  return FHandle.get();
}

void TBrush::Assign(const TBrush& source) {
  if (&source == this) return;
  FColor = source.FColor;
  FStyle = source.FStyle;
  Modified();
}

void TPen::Modified() {
  Changed();
  FHandle.reset();
}

void TPen::SetColor(TColor color) {
  if (Changes(FColor, color)) Modified();
}

void TPen::SetWidth(int width) {
  if (Changes(FWidth, width)) Modified();
}

void TPen::SetStyle(TPenStyle style) {
  if (Changes(FStyle, style)) Modified();
}

HPEN TPen::Handle() {
  // The pen styles are listed in the platform's PS_ order.
  if (!FHandle) FHandle.reset(CreatePen(static_cast<int>(FStyle), FWidth, ColorToRGB(FColor)));
  return FHandle.get();
}

void TPen::Assign(const TPen& source) {
  if (&source == this) return;
  FColor = source.FColor;
  FWidth = source.FWidth;
  FStyle = source.FStyle;
  Modified();
}

// ---- TCanvas ---------------------------------------------------------------------------

TCanvas::TCanvas() {
  FFont.OnChange = [this] {
    if (FHandle && FOldFont) SelectObject(FHandle, FOldFont);
    FOldFont = nullptr;
    FValid &= ~csFont;
  };
  FPen.OnChange = [this] {
    if (FHandle && FOldPen) SelectObject(FHandle, FOldPen);
    FOldPen = nullptr;
    FValid &= ~csPen;
  };
  FBrush.OnChange = [this] {
    if (FHandle && FOldBrush) SelectObject(FHandle, FOldBrush);
    FOldBrush = nullptr;
    FValid &= ~csBrush;
  };
}

TCanvas::~TCanvas() {
  if (FHandle) DeselectTools();
}

void TCanvas::DeselectTools() {
  if (FHandle) {
    if (FOldFont) SelectObject(FHandle, FOldFont);
    if (FOldPen) SelectObject(FHandle, FOldPen);
    if (FOldBrush) SelectObject(FHandle, FOldBrush);
  }
  FOldFont = FOldPen = FOldBrush = nullptr;
  FValid = 0;
}

HDC TCanvas::Handle() {
  if (!FHandle) CreateHandle();
  return FHandle;
}

void TCanvas::SetHandle(HDC dc) {
  if (dc == FHandle) return;
  DeselectTools();
  FHandle = dc;
}

void TCanvas::RequireState(unsigned needed) {
  HDC dc = Handle();
  if (!dc) throw Exception("Canvas does not allow drawing");
  const unsigned missing = needed & ~FValid;
  if (missing & csFont) {
    HGDIOBJ old = SelectObject(dc, FFont.Handle());
    if (!FOldFont) FOldFont = old;
    SetTextColor(dc, ColorToRGB(FFont.Color()));
  }
  if (missing & csPen) {
    HGDIOBJ old = SelectObject(dc, FPen.Handle());
    if (!FOldPen) FOldPen = old;
  }
  if (missing & csBrush) {
    HGDIOBJ old = SelectObject(dc, FBrush.Handle());
    if (!FOldBrush) FOldBrush = old;
    // Text is drawn on the brush: opaque on a solid brush, transparent otherwise.
    SetBkColor(dc, ColorToRGB(FBrush.Color()));
    SetBkMode(dc, FBrush.Style() == bsSolid ? OPAQUE : TRANSPARENT);
  }
  FValid |= missing;
}

POINT TCanvas::PenPos() {
  POINT p{};
  RequireState(0);
  GetCurrentPositionEx(FHandle, &p);
  return p;
}

RECT TCanvas::ClipRect() {
  RECT r{};
  RequireState(0);
  GetClipBox(FHandle, &r);
  return r;
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  RequireState(csFont | csBrush);
  ::TextOutA(FHandle, x, y, text.data(), static_cast<int>(text.size()));
  MoveTo(x + TextWidth(text), y);
}

void TCanvas::TextRect(const RECT& rect, int x, int y, const std::string& text) {
  RequireState(csFont | csBrush);
  UINT options = ETO_CLIPPED;
  if (FBrush.Style() == bsSolid) options |= ETO_OPAQUE;
  ExtTextOutA(FHandle, x, y, options, &rect, text.data(), static_cast<UINT>(text.size()), nullptr);
}

SIZE TCanvas::TextExtent(const std::string& text) {
  SIZE s{};
  RequireState(csFont);
  GetTextExtentPoint32A(FHandle, text.data(), static_cast<int>(text.size()), &s);
  return s;
}

int TCanvas::DrawText(const std::string& text, RECT& rect, UINT format) {
  RequireState(csFont | csBrush);
  return ::DrawTextA(FHandle, text.data(), static_cast<int>(text.size()), &rect, format);
}

void TCanvas::FillRect(const RECT& rect) {
  RequireState(csBrush);
  ::FillRect(FHandle, &rect, FBrush.Handle());
}

void TCanvas::FrameRect(const RECT& rect) {
  RequireState(csBrush);
  ::FrameRect(FHandle, &rect, FBrush.Handle());
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  RequireState(csPen | csBrush);
  ::Rectangle(FHandle, x1, y1, x2, y2);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  RequireState(csPen | csBrush);
  ::Ellipse(FHandle, x1, y1, x2, y2);
}

void TCanvas::MoveTo(int x, int y) {
  RequireState(0);
  MoveToEx(FHandle, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
  RequireState(csPen | csBrush);
  ::LineTo(FHandle, x, y);
}

void TCanvas::Polygon(const POINT* points, int count) {
  RequireState(csPen | csBrush);
  ::Polygon(FHandle, points, count);
}

void TCanvas::Polyline(const POINT* points, int count) {
  RequireState(csPen | csBrush);
  ::Polyline(FHandle, points, count);
}

void TCanvas::Draw(int x, int y, TGraphic& graphic) {
  if (graphic.Empty()) return;
  const RECT r{x, y, x + graphic.Width(), y + graphic.Height()};
  graphic.Draw(*this, r);
}

void TCanvas::StretchDraw(const RECT& dest, TGraphic& graphic) {
  if (graphic.Empty()) return;
  graphic.Draw(*this, dest);
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect) {
  RequireState(csBrush);
  HDC src = source.Handle();
  if (!src) return;
  StretchBlt(FHandle, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, src,
             sourceRect.left, sourceRect.top, sourceRect.right - sourceRect.left,
             sourceRect.bottom - sourceRect.top, FCopyMode);
}

TColor TCanvas::Pixels(int x, int y) {
  RequireState(0);
  return ::GetPixel(FHandle, x, y);
}

void TCanvas::SetPixels(int x, int y, TColor color) {
  RequireState(csPen);
  ::SetPixel(FHandle, x, y, ColorToRGB(color));
}

// ---- TBitmap ---------------------------------------------------------------------------

// The bitmap's canvas: a memory DC made on first use with the bitmap selected; dropped
// whenever the bitmap's handle is replaced, so it never holds a stale bitmap.
class TBitmapCanvas : public TCanvas {
 public:
  explicit TBitmapCanvas(TBitmap* owner) : FOwner(owner) {}
  ~TBitmapCanvas() override { FreeDc(); }
  void FreeDc() {
    if (!FDc) return;
    SetHandle(nullptr);
    if (FOldBitmap) SelectObject(FDc.get(), FOldBitmap);
    FOldBitmap = nullptr;
    FDc.reset();
  }

 protected:
  void CreateHandle() override {
    TDcHandle dc(CreateCompatibleDC(nullptr));
    if (!dc) return;
    if (FOwner->Handle()) FOldBitmap = SelectObject(dc.get(), FOwner->Handle());
    FDc = std::move(dc);
    SetHandle(FDc.get());
  }

 private:
  TBitmap* FOwner;
  TDcHandle FDc;
  HGDIOBJ FOldBitmap = nullptr;
};

namespace {
int BitsOf(TPixelFormat f) { return f == pf24bit ? 24 : 32; }

TBitmapHandle MakeDib(int width, int height, int bitsPerPixel, uint8_t*& bits) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // top-down: row 0 is the top
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = static_cast<WORD>(bitsPerPixel);
  bi.bmiHeader.biCompression = BI_RGB;
  void* p = nullptr;
  TBitmapHandle h(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0));
  if (!h || !p) throw EInvalidGraphic(Format("Unable to create a %d x %d bitmap", width, height));
  bits = static_cast<uint8_t*>(p);
  return h;
}
}  // namespace

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TPixelFormat format) {
  FPixelFormat = format;
  SetSize(width, height);
}

TBitmap::~TBitmap() { FreeCanvasDc(); }

void TBitmap::FreeCanvasDc() {
  if (FCanvas) FCanvas->FreeDc();
}

void TBitmap::Changed() {
  if (OnChange) OnChange();
}

void TBitmap::Replace(TBitmapHandle handle, int width, int height, TPixelFormat format, uint8_t* bits) {
  FreeCanvasDc();
  FHandle = std::move(handle);
  FBits = bits;
  FWidth = FHandle ? width : 0;
  FHeight = FHandle ? height : 0;
  FPixelFormat = format;
  Changed();
}

void TBitmap::SetSize(int width, int height) {
  if (width < 0 || height < 0) throw EInvalidGraphic("Invalid bitmap size");
  if (width == FWidth && height == FHeight) return;
  if (width == 0 || height == 0) {
    Replace(TBitmapHandle(), 0, 0, FPixelFormat, nullptr);
    return;
  }
  uint8_t* bits = nullptr;
  TBitmapHandle h = MakeDib(width, height, BitsPerPixel(), bits);
  if (FBits) {
    GdiFlush();
    const int oldStride = TPixelBuffer::StrideFor(FWidth, BitsPerPixel());
    const int newStride = TPixelBuffer::StrideFor(width, BitsPerPixel());
    const size_t rowBytes = static_cast<size_t>(std::min(FWidth, width)) * (BitsPerPixel() / 8);
    for (int y = 0; y < std::min(FHeight, height); ++y)
      std::memcpy(bits + static_cast<size_t>(y) * newStride, FBits + static_cast<size_t>(y) * oldStride,
                  rowBytes);
  }
  Replace(std::move(h), width, height, FPixelFormat, bits);
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == FPixelFormat) return;
  if (!FHandle || BitsOf(format) == BitsPerPixel()) {
    FPixelFormat = format;
    Changed();
    return;
  }
  const TPixelBuffer old = ToPixelBuffer();
  TPixelBuffer converted(FWidth, FHeight, BitsOf(format));
  const int inBytes = old.BytesPerPixel(), outBytes = converted.BytesPerPixel();
  for (int y = 0; y < FHeight; ++y) {
    const uint8_t* s = old.Row(y);
    uint8_t* d = converted.Row(y);
    for (int x = 0; x < FWidth; ++x) std::memcpy(d + x * outBytes, s + x * inBytes, 3);
  }
  LoadFromPixelBuffer(converted);
  FPixelFormat = format;
}

uint8_t* TBitmap::ScanLine(int row) {
  if (row < 0 || row >= FHeight || !FBits) throw EInvalidGraphic("Scan line index out of range");
  GdiFlush();  // GDI may still hold drawing for these pixels in its batch
  return FBits + static_cast<size_t>(row) * TPixelBuffer::StrideFor(FWidth, BitsPerPixel());
}

TCanvas* TBitmap::Canvas() {
  if (!FCanvas) FCanvas = std::make_unique<TBitmapCanvas>(this);
  return FCanvas.get();
}

void TBitmap::SetHandle(HBITMAP bitmap) {
  if (bitmap == FHandle.get()) return;
  if (!bitmap) {
    Replace(TBitmapHandle(), 0, 0, FPixelFormat, nullptr);
    return;
  }
  TBitmapHandle owned(bitmap);
  DIBSECTION ds{};
  if (GetObjectA(bitmap, sizeof ds, &ds) == sizeof ds && ds.dsBm.bmBits && ds.dsBmih.biHeight < 0 &&
      ds.dsBmih.biCompression == BI_RGB && (ds.dsBmih.biBitCount == 24 || ds.dsBmih.biBitCount == 32)) {
    const TPixelFormat f =
        ds.dsBmih.biBitCount == 24 ? pf24bit : (FPixelFormat == pfDevice ? pfDevice : pf32bit);
    Replace(std::move(owned), ds.dsBm.bmWidth, -ds.dsBmih.biHeight, f, static_cast<uint8_t*>(ds.dsBm.bmBits));
    return;
  }
  BITMAP bm{};
  if (GetObjectA(bitmap, sizeof bm, &bm) != sizeof bm) throw EInvalidGraphic("Invalid bitmap handle");
  const TPixelFormat f = bm.bmBitsPixel == 24 ? pf24bit : pfDevice;
  if (bm.bmWidth <= 0 || bm.bmHeight <= 0) {
    Replace(TBitmapHandle(), 0, 0, f, nullptr);
    return;
  }
  uint8_t* bits = nullptr;
  TBitmapHandle dib = MakeDib(bm.bmWidth, bm.bmHeight, BitsOf(f), bits);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = bm.bmWidth;
  bi.bmiHeader.biHeight = -bm.bmHeight;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = static_cast<WORD>(BitsOf(f));
  bi.bmiHeader.biCompression = BI_RGB;
  ClientDc screen(nullptr);
  GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(bm.bmHeight), bits, &bi, DIB_RGB_COLORS);
  Replace(std::move(dib), bm.bmWidth, bm.bmHeight, f, bits);
}

HBITMAP TBitmap::ReleaseHandle() {
  FreeCanvasDc();
  GdiFlush();
  HBITMAP h = FHandle.release();
  FBits = nullptr;
  FWidth = FHeight = 0;
  Changed();
  return h;
}

void TBitmap::LoadFromStream(TStream& stream) {
  const int64_t start = stream.GetPosition();
  const int64_t available = stream.GetSize() - start;
  if (available <= 0) throw EInvalidGraphic("Bitmap image is not valid");
  std::vector<uint8_t> bytes(static_cast<size_t>(available));
  stream.ReadBuffer(bytes.data(), available);
  TPixelBuffer pixels;
  if (!DecodeBmp(bytes, pixels)) {
    stream.SetPosition(start);
    throw EInvalidGraphic("Bitmap image is not valid");
  }
  // Leave the stream just past this file when its header says where that is, so bitmaps
  // stored one after another can be read in turn.
  const uint32_t fileSize = static_cast<uint32_t>(bytes[2]) | (static_cast<uint32_t>(bytes[3]) << 8) |
                            (static_cast<uint32_t>(bytes[4]) << 16) | (static_cast<uint32_t>(bytes[5]) << 24);
  stream.SetPosition(fileSize >= 26 && fileSize <= available ? start + fileSize : start + available);
  LoadFromPixelBuffer(pixels);
}

void TBitmap::LoadFromFile(const std::string& path) {
  TMemoryStream s;
  s.LoadFromFile(path);
  LoadFromStream(s);
}

void TBitmap::SaveToStream(TStream& stream) {
  const std::vector<uint8_t> bytes = EncodeBmp(ToPixelBuffer());
  stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
  HRSRC res = FindResourceA(instance, name.c_str(), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
  if (!res) throw EInvalidGraphic(Format("Resource %s not found", name.c_str()));
  HGLOBAL data = LoadResource(instance, res);
  const void* p = data ? LockResource(data) : nullptr;
  const DWORD size = SizeofResource(instance, res);
  TPixelBuffer pixels;
  if (!p || !DecodeDib(std::span<const uint8_t>(static_cast<const uint8_t*>(p), size), pixels))
    throw EInvalidGraphic("Bitmap image is not valid");
  LoadFromPixelBuffer(pixels);
}

void TBitmap::LoadFromResourceID(HINSTANCE instance, int id) {
  HRSRC res = FindResourceA(instance, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2));
  if (!res) throw EInvalidGraphic(Format("Resource %d not found", id));
  HGLOBAL data = LoadResource(instance, res);
  const void* p = data ? LockResource(data) : nullptr;
  const DWORD size = SizeofResource(instance, res);
  TPixelBuffer pixels;
  if (!p || !DecodeDib(std::span<const uint8_t>(static_cast<const uint8_t*>(p), size), pixels))
    throw EInvalidGraphic("Bitmap image is not valid");
  LoadFromPixelBuffer(pixels);
}

void TBitmap::Assign(const TBitmap& source) {
  if (&source == this) return;
  if (source.Empty()) {
    Replace(TBitmapHandle(), 0, 0, source.FPixelFormat, nullptr);
  } else {
    LoadFromPixelBuffer(source.ToPixelBuffer());
    FPixelFormat = source.FPixelFormat;
  }
  FTransparent = source.FTransparent;
  FTransparentMode = source.FTransparentMode;
  FTransparentColor = source.FTransparentColor;
}

TPixelBuffer TBitmap::ToPixelBuffer() const {
  TPixelBuffer px(FWidth, FHeight, BitsPerPixel());
  if (FBits) {
    GdiFlush();
    std::memcpy(px.Bits.data(), FBits, px.Bits.size());  // same row layout on both sides
  }
  return px;
}

void TBitmap::LoadFromPixelBuffer(const TPixelBuffer& pixels) {
  const TPixelFormat f = pixels.BitsPerPixel == 32 ? pf32bit : pf24bit;
  if (pixels.Empty()) {
    Replace(TBitmapHandle(), 0, 0, f, nullptr);
    return;
  }
  uint8_t* bits = nullptr;
  TBitmapHandle h = MakeDib(pixels.Width, pixels.Height, pixels.BitsPerPixel, bits);
  std::memcpy(bits, pixels.Bits.data(), pixels.Bits.size());
  Replace(std::move(h), pixels.Width, pixels.Height, f, bits);
}

void TBitmap::Draw(TCanvas& canvas, const RECT& dest) {
  if (Empty()) return;
  HDC target = canvas.Handle();
  if (!target) return;
  // Use the canvas's DC when it already has one; otherwise a DC just for this copy, so
  // drawing many bitmaps does not keep a DC alive for each.
  std::optional<MemoryDc> temporary;
  std::optional<SelectGuard> selected;
  HDC source = nullptr;
  if (FCanvas && FCanvas->HandleAllocated()) {
    source = FCanvas->Handle();
  } else {
    temporary.emplace(target);
    source = temporary->get();
    if (source) selected.emplace(source, FHandle.get());
  }
  if (!source) return;
  const int w = dest.right - dest.left, h = dest.bottom - dest.top;
  if (FTransparent) {
    TransparentBlt(target, dest.left, dest.top, w, h, source, 0, 0, FWidth, FHeight,
                   ColorToRGB(TransparentColor()));
  } else {
    StretchBlt(target, dest.left, dest.top, w, h, source, 0, 0, FWidth, FHeight, canvas.CopyMode());
  }
}

TColor TBitmap::TransparentColor() {
  if (FTransparentMode == tmFixed) return FTransparentColor;
  if (Empty()) return clDefault;
  const uint8_t* p = ScanLine(FHeight - 1);
  return static_cast<TColor>(p[2]) | (static_cast<TColor>(p[1]) << 8) | (static_cast<TColor>(p[0]) << 16);
}

void TBitmap::SetTransparentColor(TColor color) {
  FTransparentColor = color;
  FTransparentMode = color == clDefault ? tmAuto : tmFixed;
}

// ---- TIcon -----------------------------------------------------------------------------

void TIcon::Adopt(HICON icon) {
  FHandle.reset(icon);
  FWidth = FHeight = 0;
  ICONINFO info{};
  if (icon && GetIconInfo(icon, &info)) {
    BITMAP bm{};
    if (info.hbmColor && GetObjectA(info.hbmColor, sizeof bm, &bm)) {
      FWidth = bm.bmWidth;
      FHeight = bm.bmHeight;
    } else if (info.hbmMask && GetObjectA(info.hbmMask, sizeof bm, &bm)) {
      FWidth = bm.bmWidth;
      FHeight = bm.bmHeight / 2;  // a monochrome icon stacks its AND and XOR masks
    }
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
  }
}

void TIcon::SetHandle(HICON icon) {
  if (icon != FHandle.get()) Adopt(icon);
}

HICON TIcon::ReleaseHandle() {
  FWidth = FHeight = 0;
  return FHandle.release();
}

void TIcon::LoadFromResourceName(HINSTANCE instance, const std::string& name, int width, int height) {
  HANDLE h =
      LoadImageA(instance, name.c_str(), IMAGE_ICON, width, height, (width || height) ? 0 : LR_DEFAULTSIZE);
  if (!h) throw EInvalidGraphic(Format("Resource %s not found", name.c_str()));
  Adopt(static_cast<HICON>(h));
}

void TIcon::LoadFromResourceID(HINSTANCE instance, int id, int width, int height) {
  HANDLE h = LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, width, height,
                        (width || height) ? 0 : LR_DEFAULTSIZE);
  if (!h) throw EInvalidGraphic(Format("Resource %d not found", id));
  Adopt(static_cast<HICON>(h));
}

void TIcon::Assign(const TIcon& source) {
  if (&source == this) return;
  Adopt(source.Handle() ? CopyIcon(source.Handle()) : nullptr);
}

void TIcon::Draw(TCanvas& canvas, const RECT& dest) {
  HDC dc = canvas.Handle();
  if (!FHandle || !dc) return;
  DrawIconEx(dc, dest.left, dest.top, FHandle.get(), dest.right - dest.left, dest.bottom - dest.top, 0,
             nullptr, DI_NORMAL);
}
