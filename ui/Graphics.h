#pragma once
// Canvases, drawing tools and pictures of the class library (Win32).
// Getters are named after the property (Width()), setters Set + name (SetWidth()).
// Owned sub-objects (a canvas's Font, a bitmap's Canvas) are handed out as pointers that
// stay valid as long as their owner lives.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "ui/Handles.h"
#include "ui/PixelBuffer.h"
#include "ui/SysUtils.h"

class TStream;

// 0x00BBGGRR for a direct colour, 0xFF0000nn for system colour nn.
using TColor = uint32_t;

constexpr TColor clSystemColor = 0xFF000000u;
constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF, clDefault = 0x20000000;
constexpr TColor clScrollBar = clSystemColor | COLOR_SCROLLBAR,
                 clBackground = clSystemColor | COLOR_BACKGROUND,
                 clActiveCaption = clSystemColor | COLOR_ACTIVECAPTION,
                 clInactiveCaption = clSystemColor | COLOR_INACTIVECAPTION,
                 clMenu = clSystemColor | COLOR_MENU, clWindow = clSystemColor | COLOR_WINDOW,
                 clWindowFrame = clSystemColor | COLOR_WINDOWFRAME,
                 clMenuText = clSystemColor | COLOR_MENUTEXT, clWindowText = clSystemColor | COLOR_WINDOWTEXT,
                 clCaptionText = clSystemColor | COLOR_CAPTIONTEXT,
                 clActiveBorder = clSystemColor | COLOR_ACTIVEBORDER,
                 clInactiveBorder = clSystemColor | COLOR_INACTIVEBORDER,
                 clAppWorkSpace = clSystemColor | COLOR_APPWORKSPACE,
                 clHighlight = clSystemColor | COLOR_HIGHLIGHT,
                 clHighlightText = clSystemColor | COLOR_HIGHLIGHTTEXT,
                 clBtnFace = clSystemColor | COLOR_BTNFACE, clBtnShadow = clSystemColor | COLOR_BTNSHADOW,
                 clGrayText = clSystemColor | COLOR_GRAYTEXT, clBtnText = clSystemColor | COLOR_BTNTEXT,
                 clInactiveCaptionText = clSystemColor | COLOR_INACTIVECAPTIONTEXT,
                 clBtnHighlight = clSystemColor | COLOR_BTNHIGHLIGHT,
                 cl3DDkShadow = clSystemColor | COLOR_3DDKSHADOW, cl3DLight = clSystemColor | COLOR_3DLIGHT,
                 clInfoText = clSystemColor | COLOR_INFOTEXT, clInfoBk = clSystemColor | COLOR_INFOBK,
                 clHotLight = clSystemColor | 26, clGradientActiveCaption = clSystemColor | 27,
                 clGradientInactiveCaption = clSystemColor | 28, clMenuHighlight = clSystemColor | 29,
                 clMenuBar = clSystemColor | 30;

// System colours resolved through GetSysColor; clNone and clDefault read as black.
COLORREF ColorToRGB(TColor color);

// Raised for unreadable pictures and bad bitmap sizes or rows.
class EInvalidGraphic : public Exception {
 public:
  using Exception::Exception;
};

using TChangeEvent = std::function<void()>;

// Common part of fonts, pens and brushes: a lazily made GDI handle and a change event.
class TGraphicsObject {
 public:
  TGraphicsObject() = default;
  virtual ~TGraphicsObject() = default;
  TGraphicsObject(const TGraphicsObject&) = delete;
  TGraphicsObject& operator=(const TGraphicsObject&) = delete;
  TChangeEvent OnChange;

 protected:
  void Changed();
};

// The screen's DPI (LOGPIXELSY), read once: the programs are system-DPI aware.
int ScreenPixelsPerInch();

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

class TFont : public TGraphicsObject {
 public:
  TFont();
  const std::string& Name() const { return FName; }
  void SetName(const std::string& name);
  // Points at the screen's vertical resolution; Height is pixels (negative: character height).
  int Size() const;
  void SetSize(int points);
  int Height() const { return FHeight; }
  void SetHeight(int pixels);
  // A height given in points, or taken from a system font, already follows the screen's DPI;
  // one given in pixels is for the DPI it was designed at (a scaled form scales it).
  bool FollowsDpi() const { return FFollowsDpi; }
  TColor Color() const { return FColor; }
  void SetColor(TColor color);  // the colour only: the handle stays
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles style);
  BYTE Charset() const { return FCharset; }
  void SetCharset(BYTE charset);
  int Orientation() const { return FOrientation; }  // tenths of a degree
  void SetOrientation(int tenths);

  // Made on first use from the properties; valid until the next change.
  HFONT Handle();
  // Takes over the font: its LOGFONT becomes the properties and the handle is owned.
  void SetHandle(HFONT font);
  void Assign(const TFont& source);

 private:
  std::string FName = "MS Sans Serif";
  int FHeight = -11;
  TColor FColor = clWindowText;
  TFontStyles FStyle;
  BYTE FCharset = DEFAULT_CHARSET;
  int FOrientation = 0;
  bool FFollowsDpi = false;
  TFontHandle FHandle;
  void Modified();
};

enum TBrushStyle {
  bsSolid,
  bsClear,
  bsHorizontal,
  bsVertical,
  bsFDiagonal,
  bsBDiagonal,
  bsCross,
  bsDiagCross
};

class TBrush : public TGraphicsObject {
 public:
  TColor Color() const { return FColor; }
  void SetColor(TColor color);  // a clear brush becomes solid, as users of Color expect
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle style);
  HBRUSH Handle();
  void Assign(const TBrush& source);

 private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
  TBrushHandle FHandle;
  void Modified();
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

class TPen : public TGraphicsObject {
 public:
  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  int Width() const { return FWidth; }
  void SetWidth(int width);
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle style);
  HPEN Handle();
  void Assign(const TPen& source);

 private:
  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenHandle FHandle;
  void Modified();
};

class TCanvas;

// A picture that draws itself on a canvas: bitmaps and icons.
class TGraphic {
 public:
  TGraphic() = default;
  virtual ~TGraphic() = default;
  TGraphic(const TGraphic&) = delete;
  TGraphic& operator=(const TGraphic&) = delete;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual bool Empty() const { return Width() <= 0 || Height() <= 0; }
  virtual void Draw(TCanvas& canvas, const RECT& dest) = 0;
  bool Transparent() const { return FTransparent; }
  virtual void SetTransparent(bool value) { FTransparent = value; }

 protected:
  bool FTransparent = false;
};

// Raster operations for CopyRect and Draw.
constexpr DWORD cmBlackness = BLACKNESS, cmDstInvert = DSTINVERT, cmMergeCopy = MERGECOPY,
                cmMergePaint = MERGEPAINT, cmNotSrcCopy = NOTSRCCOPY, cmNotSrcErase = NOTSRCERASE,
                cmPatCopy = PATCOPY, cmPatInvert = PATINVERT, cmPatPaint = PATPAINT, cmSrcAnd = SRCAND,
                cmSrcCopy = SRCCOPY, cmSrcErase = SRCERASE, cmSrcInvert = SRCINVERT, cmSrcPaint = SRCPAINT,
                cmWhiteness = WHITENESS;

// Drawing on a device context with the canvas's pen, brush and font. The canvas does not
// own an attached DC; it selects its tools into it on use and puts the DC's own objects
// back when the handle is detached (SetHandle(nullptr)) or the canvas is destroyed.
class TCanvas {
 public:
  TCanvas();
  virtual ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  HDC Handle();  // may create the DC on demand (bitmap canvases); null when there is none
  void SetHandle(HDC dc);
  // Puts the DC's own pen, brush and font back; the canvas's are selected again on next use.
  void Refresh() { DeselectTools(); }
  bool HandleAllocated() const { return FHandle != nullptr; }

  TFont* Font() { return &FFont; }
  TPen* Pen() { return &FPen; }
  TBrush* Brush() { return &FBrush; }
  DWORD CopyMode() const { return FCopyMode; }
  void SetCopyMode(DWORD rop) { FCopyMode = rop; }
  POINT PenPos();
  void SetPenPos(POINT p) { MoveTo(p.x, p.y); }
  RECT ClipRect();

  void TextOut(int x, int y, const std::string& text);
  void TextRect(const RECT& rect, int x, int y, const std::string& text);
  SIZE TextExtent(const std::string& text);
  int TextWidth(const std::string& text) { return TextExtent(text).cx; }
  int TextHeight(const std::string& text) { return TextExtent(text).cy; }
  // DrawTextA with the canvas font; returns the text height (rect may be updated by DT_CALCRECT).
  int DrawText(const std::string& text, RECT& rect, UINT format);

  void FillRect(const RECT& rect);
  void FrameRect(const RECT& rect);
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const RECT& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
  void Ellipse(int x1, int y1, int x2, int y2);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Polygon(const POINT* points, int count);
  void Polyline(const POINT* points, int count);

  void Draw(int x, int y, TGraphic& graphic);
  void StretchDraw(const RECT& dest, TGraphic& graphic);
  // Copies source's rectangle to dest with CopyMode, stretching when the sizes differ.
  void CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect);

  TColor Pixels(int x, int y);
  void SetPixels(int x, int y, TColor color);

 protected:
  // Hook for canvases that make their DC themselves (bitmaps, windows).
  virtual void CreateHandle() {}
  void DeselectTools();  // put the DC's own objects back

 private:
  enum : unsigned { csFont = 1, csPen = 2, csBrush = 4 };
  void RequireState(unsigned needed);
  HDC FHandle = nullptr;
  unsigned FValid = 0;
  HGDIOBJ FOldFont = nullptr, FOldPen = nullptr, FOldBrush = nullptr;
  TFont FFont;
  TPen FPen;
  TBrush FBrush;
  DWORD FCopyMode = cmSrcCopy;
};

enum TPixelFormat { pfDevice, pf24bit, pf32bit };
enum TTransparentMode { tmAuto, tmFixed };

class TBitmapCanvas;

// A bitmap held as a top-down DIB section, so rows can be written directly.
// pfDevice is kept as 32 bits per pixel (every display the program targets is true colour).
class TBitmap : public TGraphic {
 public:
  TBitmap();
  TBitmap(int width, int height, TPixelFormat format = pf24bit);
  ~TBitmap() override;

  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  void SetWidth(int width) { SetSize(width, FHeight); }
  void SetHeight(int height) { SetSize(FWidth, height); }
  // Keeps the pixels that still fit; new area is black. Negative sizes raise EInvalidGraphic.
  void SetSize(int width, int height);
  TPixelFormat PixelFormat() const { return FPixelFormat; }
  void SetPixelFormat(TPixelFormat format);  // converts the pixels
  int BitsPerPixel() const { return FPixelFormat == pf24bit ? 24 : 32; }

  // Row y (0 = top) of the DIB section; GDI drawing is flushed first. Raises EInvalidGraphic
  // for a row outside 0 .. Height - 1.
  uint8_t* ScanLine(int row);
  TCanvas* Canvas();

  // The bitmap may be selected into the canvas's DC; call FreeCanvasDc first when a platform
  // call needs it unselected (GetDIBits, SelectObject into another DC).
  HBITMAP Handle() const { return FHandle.get(); }
  // Puts the bitmap out of its canvas's DC and frees that DC; the canvas makes a new one
  // on its next use.
  void FreeCanvasDc();
  // Takes over a bitmap: a 24/32-bit top-down DIB section is kept as it is, anything else
  // is copied into a new DIB section and freed.
  void SetHandle(HBITMAP bitmap);
  // Gives the bitmap handle to the caller; the object becomes empty.
  HBITMAP ReleaseHandle();

  // BMP file (1/4/8/24/32 bits, either row order) from the stream's position to its end.
  // Raises EInvalidGraphic for malformed data and leaves the bitmap unchanged then.
  void LoadFromStream(TStream& stream);
  void LoadFromFile(const std::string& path);
  void SaveToStream(TStream& stream);
  // A bitmap resource (RT_BITMAP) of the module.
  void LoadFromResourceName(HINSTANCE instance, const std::string& name);
  void LoadFromResourceID(HINSTANCE instance, int id);

  void Assign(const TBitmap& source);
  // Plain copy of the pixels and back (the buffer's format becomes the bitmap's).
  TPixelBuffer ToPixelBuffer() const;
  void LoadFromPixelBuffer(const TPixelBuffer& pixels);

  bool Empty() const override { return FWidth == 0 || FHeight == 0; }
  void Draw(TCanvas& canvas, const RECT& dest) override;

  // With tmAuto the colour of the bottom-left pixel; setting it switches to tmFixed.
  TColor TransparentColor();
  void SetTransparentColor(TColor color);
  TTransparentMode TransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode mode) { FTransparentMode = mode; }

  TChangeEvent OnChange;

 private:
  friend class TBitmapCanvas;
  void Replace(TBitmapHandle handle, int width, int height, TPixelFormat format, uint8_t* bits);
  void Changed();
  TBitmapHandle FHandle;
  uint8_t* FBits = nullptr;
  int FWidth = 0;
  int FHeight = 0;
  TPixelFormat FPixelFormat = pfDevice;
  TTransparentMode FTransparentMode = tmAuto;
  TColor FTransparentColor = clDefault;
  std::unique_ptr<TBitmapCanvas> FCanvas;
};

// An icon (owned HICON).
class TIcon : public TGraphic {
 public:
  TIcon() = default;
  ~TIcon() override = default;
  HICON Handle() const { return FHandle.get(); }
  void SetHandle(HICON icon);  // takes ownership
  HICON ReleaseHandle();
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  // Loads at the given size (0: the resource's default size). Raises EInvalidGraphic when missing.
  void LoadFromResourceName(HINSTANCE instance, const std::string& name, int width = 0, int height = 0);
  void LoadFromResourceID(HINSTANCE instance, int id, int width = 0, int height = 0);
  void Assign(const TIcon& source);
  void Draw(TCanvas& canvas, const RECT& dest) override;

 private:
  void Adopt(HICON icon);
  TIconHandle FHandle;
  int FWidth = 0;
  int FHeight = 0;
};
