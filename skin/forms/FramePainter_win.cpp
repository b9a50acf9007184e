// The frame painter: border pieces, title bar and region. The decisions come from
// FrameGeometry, CaptionLayout and FrameRegion; this file only executes them on GDI.
#include "skin/forms/FramePainter_win.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "skin/data/SkinData_win.h"
#include "skin/forms/CaptionLayout.h"
#include "skin/forms/FormSkin.h"
#include "skin/forms/FrameRegion.h"
#include "skin/forms/SkinDrawBitmap_win.h"
#include "skin/forms/TitleButtons.h"

namespace {
enum TPieceIndex : int { piLeft = 1, piRight = 2, piTop = 3, piBottom = 4 };

// The caption font of the system's non-client metrics (the structure as it was before the
// padded-border field, which every system accepts).
TFontHandle SystemCaptionFont() {
  NONCLIENTMETRICSA ncm{};
  constexpr UINT legacySize = 340;
  static_assert(sizeof(ncm) >= legacySize);
  ncm.cbSize = legacySize;
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, legacySize, &ncm, 0)) return TFontHandle();
  return TFontHandle(CreateFontIndirectA(&ncm.lfCaptionFont));
}

COLORREF RgbOf(TSkinColour colour) { return ColorToRGB(static_cast<TColor>(colour)); }

std::wstring WindowTextOf(HWND wnd) {
  const int length = GetWindowTextLengthW(wnd);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(wnd, text.data(), length + 1);
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return text;
}

// The piece's buffer, grown and never shrunk so repeated paints reuse it; null when it
// cannot be had.
HDC PieceBuffer(TBackBuffer& buffer, int width, int height) {
  try {
    return buffer.BeginWithin(width, height);
  } catch (const EInvalidGraphic&) {
    return nullptr;
  }
}
}  // namespace

TDataSkinBorder* TFramePainter::Piece(int index) const {
  if (!FForm.FSkinData) return nullptr;
  switch (index) {
    case piLeft:
      return FForm.FSkinData->BorderLeft.get();
    case piRight:
      return FForm.FSkinData->BorderRight.get();
    case piTop:
      return FForm.FSkinData->BorderTop.get();
    case piBottom:
      return FForm.FSkinData->BorderBottom.get();
    default:
      return nullptr;
  }
}

TFramePainter::TFramePainter(TSkinForm& form) : FForm(form), FCaptionFont(SystemCaptionFont()) {}

void TFramePainter::CalcMetrics() {
  if (!FForm.FSkinData || FForm.FSkinData->NoSkin) return;
  FBorders = ::CalcFrameMetrics(
      FrameMetricsInputOf(*FForm.FSkinData, static_cast<TFrameKind>(FForm.FFrameKind)), FBorders);
}

int TFramePainter::CaptionWidth() const {
  ClientDc screen(nullptr);
  SelectGuard font(screen.get(), FCaptionFont.get());
  const std::wstring text = L" " + WindowTextOf(FForm.FWnd) + L"  ";  // as the title bar shows it
  RECT r{0, 0, 0, 0};
  DrawTextW(screen.get(), text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
  return r.right - r.left;
}

// ---- painting ----

void TFramePainter::Paint(HDC given) {
  if (!FForm.FSkinData || FForm.FSkinData->NoSkin) return;
  if (FForm.FStage != stReady && FForm.FStage != stReskinning) return;
  if (FForm.FFrameKind == fkNone || (FForm.FMDIKind == mkChild && FForm.FWinState != wsNormal)) return;
  HDC own = given ? nullptr : GetWindowDC(FForm.FWnd);
  HDC dc = given ? given : own;
  // A paint that fails leaves the frame as it was; the window procedure must not raise.
  if (dc) {
    SilentCall([&] {
      RECT r{};
      GetWindowRect(FForm.FWnd, &r);
      FWindowWidth = r.right - r.left;
      FWindowHeight = r.bottom - r.top;
      const int W = FWindowWidth, H = FWindowHeight;
      if (W > 0 && FBorders.Top > 0) FTitleBuffer.Begin(W, FBorders.Top);
      const bool left = PaintBorderPiece(piLeft, {0, 0, FBorders.Left, H}, dc);
      const bool right = PaintBorderPiece(piRight, {W - FBorders.Right, 0, W, H}, dc);
      PaintBorderPiece(piBottom, {FBorders.Left, H - FBorders.Bottom, W - FBorders.Right, H}, dc);
      PaintTitleBar(dc, left && right);
      FForm.PaintMenuBar(dc);
    });
  }
  FForm.FNCOwner.ForgetHot();
  FForm.KeepMenuButtonFace();
  if (own) ReleaseDC(FForm.FWnd, own);
}

bool TFramePainter::PaintBorderPiece(int index, const RECT& rect, HDC dc) {
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (w < 0 || h < 0) return false;
  TDataSkinBorder* piece = Piece(index);
  if (w == 0 || h == 0) return true;  // nothing to paint, nothing missing
  if (!HasImage(piece)) return false;
  TBitmap& src = SkinBitmap(*piece->Image);
  const bool vertical = index == piTop || index == piBottom;
  const bool side = index == piLeft || index == piRight;
  auto render = [&](HDC target) {
    RenderSkinRect(target, w, h, SkinSourceOf(src), piece->Margins(), vertical, piece->Tile != 1,
                   piece->FrameCount, PieceFrame(FForm.FActive, piece->FrameCount));
  };
  const bool intoTitle = side && FBorders.Top > 0 && FTitleBuffer.Bitmap().Width() >= rect.right;
  // The side pieces (narrow and as high as the window) and the bottom one (wide and low)
  // each have a buffer of their own shape: one for both would be as large as the window.
  TBackBuffer& buffer = side ? FPieceBuffer : FBottomBuffer;
  HDC buf = PieceBuffer(buffer, w, h);
  if (!buf) {
    // Without a buffer the piece is rendered where it goes (the rest of the frame still paints).
    {
      const SavedDc saved(dc);
      SetViewportOrgEx(dc, rect.left, rect.top, nullptr);
      IntersectClipRect(dc, 0, 0, w, h);
      render(dc);
    }
    if (intoTitle) {
      HDC title = FTitleBuffer.Dc();
      SetViewportOrgEx(title, rect.left, 0, nullptr);
      render(title);
      SetViewportOrgEx(title, 0, 0, nullptr);
    }
    return true;
  }
  render(buf);
  buffer.CopyTo(dc, rect.left, rect.top);
  if (intoTitle) BitBlt(FTitleBuffer.Dc(), rect.left, 0, w, std::min(h, FBorders.Top), buf, 0, 0, SRCCOPY);
  return true;
}

void TFramePainter::PaintTitleBar(HDC dc, bool sidesInBuffer) {
  const int W = FWindowWidth, top = FBorders.Top;
  if (W <= 0 || top <= 0) return;
  HDC buf = FTitleBuffer.Dc();
  // The side pieces run the full height: keep what they painted beside the title. Read
  // back from the screen only when they were not painted just now (a slow path).
  if (!sidesInBuffer) BitBlt(buf, 0, 0, W, top, dc, 0, 0, SRCCOPY);
  const RECT rect{FBorders.Left, 0, W - FBorders.Right, top};
  TDataSkinBorder* piece = Piece(piTop);
  if (HasImage(piece) && rect.right > rect.left) {
    SetViewportOrgEx(buf, rect.left, 0, nullptr);
    RenderSkinRect(buf, rect.right - rect.left, top, SkinSourceOf(SkinBitmap(*piece->Image)),
                   piece->Margins(), true, piece->Tile != 1, piece->FrameCount,
                   PieceFrame(FForm.FActive, piece->FrameCount));
    SetViewportOrgEx(buf, 0, 0, nullptr);
  }
  // The buttons on the right are laid out first: the caption ends before them, at this
  // width. Those anchored to the caption follow it afterwards.
  FForm.FButtons.Layout();
  PaintCaptionText(buf, rect);
  FForm.FButtons.Layout();
  FForm.FButtons.Paint(buf);
  FTitleBuffer.CopyTo(dc, 0, 0);  // begun at W x top by Paint
  SetBkMode(dc, OPAQUE);
}

void TFramePainter::PaintCaptionText(HDC dc, const RECT& rect) {
  const TDataSkinTitle* title = FForm.FSkinData->Title.get();
  TCaptionInput in;
  in.Rect = ToSkinRect(rect);
  in.WindowText = WindowTextOf(FForm.FWnd);
  in.TextAlignment = title ? title->TextAlignment : 0;
  in.TextShift = title ? title->LeftWidth : 0;
  in.TextShiftVert = title ? title->TopHeight : 0;
  in.TextRightClip = title ? title->RightWidth : 0;
  in.TextBackLeft = title ? title->TextBackLeft : 0;
  in.TextBackRight = title ? title->TextBackRight : 0;
  in.Kind = static_cast<TFrameKind>(FForm.FFrameKind);
  in.RightToLeft = FForm.FRightToLeft;
  in.Active = FForm.FActive;
  in.RightButtonsLeft = FForm.FButtons.RightButtonsLeft();

  SelectGuard font(dc, FCaptionFont.get());
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const TCaptionLayout layout = LayoutCaption(in, [dc](std::wstring_view text) {
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, text.data(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE);
    return TTextExtent{r.right - r.left, r.bottom - r.top};
  });
  FCaptionRect = layout.Box;
  if (title && HasImage(title)) {
    DrawSkinBar(dc, ToRect(layout.BackRect), SkinSourceOf(SkinBitmap(*title->Image)), true, true, 2,
                layout.BackFrame, {title->TextBackLeft, 0, title->TextBackRight, 0});
  }
  SetTextColor(dc, RgbOf(FForm.FActive ? FForm.FSkinData->ColorTitleTextActive
                                       : FForm.FSkinData->ColorTitleTextNoActive));
  RECT text = ToRect(layout.TextRect);
  DrawTextW(dc, layout.Text.c_str(), static_cast<int>(layout.Text.size()), &text,
            DT_SINGLELINE | DT_END_ELLIPSIS | (layout.AlignRight ? DT_RIGHT : 0));
  SetBkMode(dc, oldMode);
}

std::array<HICON, 4> TFramePainter::WindowIcons() const {
  return {reinterpret_cast<HICON>(SendMessageA(FForm.FWnd, WM_GETICON, ICON_SMALL, 0)),
          reinterpret_cast<HICON>(SendMessageA(FForm.FWnd, WM_GETICON, ICON_BIG, 0)),
          reinterpret_cast<HICON>(GetClassLongPtrA(FForm.FWnd, GCLP_HICONSM)),
          reinterpret_cast<HICON>(GetClassLongPtrA(FForm.FWnd, GCLP_HICON))};
}

namespace {
// Draws the icon at the small-icon size: the image of that size the icon's resource holds
// when it can be copied, else the icon itself shrunk to it. False when neither draws (no
// icon, or one already destroyed).
bool DrawSmallIcon(HDC dc, int x, int y, HICON icon) {
  if (!icon) return false;
  const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
  if (HICON copy = static_cast<HICON>(CopyImage(icon, IMAGE_ICON, cx, cy, LR_COPYFROMRESOURCE))) {
    const BOOL drawn = DrawIconEx(dc, x, y, copy, cx, cy, 0, nullptr, DI_NORMAL);
    DestroyIcon(copy);
    if (drawn) return true;
  }
  return DrawIconEx(dc, x, y, icon, cx, cy, 0, nullptr, DI_NORMAL) != FALSE;
}
}  // namespace

bool TFramePainter::DrawWindowIcon(HDC dc, int x, int y) const {
  for (HICON icon : WindowIcons())
    if (DrawSmallIcon(dc, x, y, icon)) return true;
  return false;
}

void TFramePainter::LoadWindowIcon() {
  const auto icons = WindowIcons();
  if (std::any_of(icons.begin(), icons.end(), [](HICON i) { return i != nullptr; })) {
    const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    FIconBitmap.SetPixelFormat(pf32bit);
    FIconBitmap.SetSize(cx, cy);
    HDC dc = FIconBitmap.Canvas()->Handle();
    const RECT all{0, 0, cx, cy};
    FillRect(dc, &all,
             ButtonFaceBrushHandle(*FForm.FSkinData) ? ButtonFaceBrushHandle(*FForm.FSkinData)
                                                     : GetSysColorBrush(COLOR_BTNFACE));
    if (DrawWindowIcon(dc, 0, 0)) return;
    FIconBitmap.SetSize(0, 0);
  }
  // No icon that draws: the skin's default icon, else that of a main form's component.
  const TSkinImage* fallback =
      FForm.FSkinData && FForm.FSkinData->DefaultIcon && !FForm.FSkinData->DefaultIcon->Empty()
          ? FForm.FSkinData->DefaultIcon.get()
          : nullptr;
  if (!fallback)
    for (TSkinData* d : FForm.FManager.Components())
      if (d && d->SkinFormtype == sfMainform && d->DefaultIcon && !d->DefaultIcon->Empty())
        fallback = d->DefaultIcon.get();
  if (fallback) {
    FIconBitmap.SetPixelFormat(pf32bit);
    FIconBitmap.SetSize(fallback->Width(), fallback->Height());
    BitBlt(FIconBitmap.Canvas()->Handle(), 0, 0, fallback->Width(), fallback->Height(),
           SkinBitmap(*fallback).Canvas()->Handle(), 0, 0, SRCCOPY);
  }
}

void TFramePainter::PaintIcon(HDC dc, int x, int y) {
  if (DrawWindowIcon(dc, x, y)) return;
  // Without an icon of its own the window shows the bitmap it was given (the default icon).
  if (FIconBitmap.Width() > 0)
    DrawTransparent(dc, {x, y, x + FIconBitmap.Width(), y + FIconBitmap.Height()}, FIconBitmap,
                    static_cast<TColor>(SkinKeyColour));
}

// ---- region ----

void TFramePainter::UpdateRegion() {
  if (!FForm.FSkinData) return;
  RECT r{};
  GetWindowRect(FForm.FWnd, &r);
  TRegionInput in;
  in.Width = r.right - r.left;
  in.Height = r.bottom - r.top;
  in.LastWidth = FRegionWidth;
  in.LastHeight = FRegionHeight;
  in.Destroyed = FForm.FStage == stDestroyed;
  in.MdiChild = FForm.FMDIKind == mkChild;
  in.MdiChildNotNormal = FForm.FMDIKind == mkChild && FForm.FWinState != wsNormal;
  in.Reskinning = FForm.FStage == stReskinning;
  in.Kind = static_cast<TFrameKind>(FForm.FFrameKind);
  in.Borders = FBorders;
  in.TransLeft = FForm.FSkinData->BorderLeft->Trans;
  in.TransRight = FForm.FSkinData->BorderRight->Trans;
  in.TransTop = FForm.FSkinData->BorderTop->Trans;
  in.TransBottom = FForm.FSkinData->BorderBottom->Trans;
  in.TitleBufferWidth = FTitleBuffer.Bitmap().Width();
  in.TitleBufferHeight = FTitleBuffer.Bitmap().Height();
  const TRegionPlan plan = PlanFrameRegion(in);
  if (plan.Action == raNone || plan.Action == raKeep) return;

  TRegionHandle region;
  if (plan.Action == raRectangle) {
    region.reset(CreateRectRgn(0, 0, in.Width, in.Height));
  } else {
    FRegionWidth = in.Width;
    FRegionHeight = in.Height;
    region.reset(CreateRectRgn(plan.Inner.Left, plan.Inner.Top, plan.Inner.Right, plan.Inner.Bottom));
    if (plan.WithSides) {
      auto side = [&](int index, const TRegionSide& s) {
        const int w = s.Rect.Right - s.Rect.Left, h = s.Rect.Bottom - s.Rect.Top;
        if (!s.FromBitmap)
          return TRegionHandle(CreateRectRgn(s.Rect.Left, s.Rect.Top, s.Rect.Right, s.Rect.Bottom));
        TBitmapHandle bmp(CreateSkinDib(w, h));
        if (bmp) {
          MemoryDc mem;
          SelectGuard sel(mem.get(), bmp.get());
          if (s.FromTitleBuffer) {
            BitBlt(mem.get(), 0, 0, w, h, FTitleBuffer.Dc(), s.Rect.Left, 0, SRCCOPY);
          } else {
            TDataSkinBorder* piece = Piece(index);
            if (HasImage(piece))
              RenderSkinRect(mem.get(), w, h, SkinSourceOf(SkinBitmap(*piece->Image)), piece->Margins(),
                             index == piTop || index == piBottom, piece->Tile != 1, piece->FrameCount, 1);
          }
        }
        return PieceRegion(bmp.get(), s.Rect);
      };
      // Each side on its own, so one that cannot be made takes none of the others with it.
      for (const auto& [index, plannedSide] : {std::pair{piLeft, plan.Left}, std::pair{piRight, plan.Right},
                                               std::pair{piTop, plan.Top}, std::pair{piBottom, plan.Bottom}})
        if (TRegionHandle part = side(index, plannedSide))
          CombineRgn(region.get(), region.get(), part.get(), RGN_OR);
    }
  }
  if (!region) return;
  if (SetWindowRgn(FForm.FWnd, region.get(), TRUE)) {
    region.release();  // the system owns it now
    FOwnsRegion = true;
    ++FRegionBuilds;
  }
}

void TFramePainter::RemoveRegion(bool redraw) {
  if (!FOwnsRegion) return;
  FreeTitleBuffer();
  SetWindowRgn(FForm.FWnd, nullptr, redraw);  // the system frees the region it held
  FOwnsRegion = false;
  FRegionWidth = FRegionHeight = 0;
}
