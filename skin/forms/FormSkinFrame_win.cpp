// The skinned frame: metrics, painting of borders and title bar, the window region and the
// sizing that keeps the client area. The decisions come from FrameGeometry, CaptionLayout,
// FrameRegion and WindowSizing; this file only executes them on GDI.
#include <algorithm>
#include <array>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "skin/data/SkinData_win.h"
#include "skin/forms/CaptionLayout.h"
#include "skin/forms/FormSkin.h"
#include "skin/forms/FrameRegion.h"
#include "skin/forms/SkinDrawBitmap_win.h"
#include "skin/forms/TitleButtons.h"
#include "skin/forms/WindowSizing.h"

namespace {
enum TPieceIndex : int { piLeft = 1, piRight = 2, piTop = 3, piBottom = 4 };

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

// One shared scratch per unit is the guard of the frame painter; GDI always has it here.
bool TSkinForm::FramePainterReady() { return true; }

TDataSkinBorder* TSkinForm::Piece(int index) const {
  if (!FSkinData) return nullptr;
  switch (index) {
    case piLeft:
      return FSkinData->BorderLeft.get();
    case piRight:
      return FSkinData->BorderRight.get();
    case piTop:
      return FSkinData->BorderTop.get();
    case piBottom:
      return FSkinData->BorderBottom.get();
    default:
      return nullptr;
  }
}

void TSkinForm::CalcFrameMetrics() {
  if (!FSkinData || FSkinData->NoSkin) return;
  const TFrameBorders b =
      ::CalcFrameMetrics(FrameMetricsInputOf(*FSkinData, static_cast<TFrameKind>(FFrameKind)), Borders());
  FLeftWidth = b.Left;
  FTopHeight = b.Top;
  FRightWidth = b.Right;
  FBottomHeight = b.Bottom;
  FMenuBarHeight = b.MenuBar;
  RebuildSysButtons();
}

void TSkinForm::RebuildSysButtons() {
  FNCOwner.ForgetHot();
  FSysButtons.clear();
  if (!FSkinData) return;
  auto icon = FSkinData->Platform().NewImage();
  if (FIconBitmap.Width() > 0) {
    FIconBitmap.FreeCanvasDc();
    icon->Assign(ReadBitmapPixels(FIconBitmap.Handle()));
  }
  PrepareIconButtons(*FSkinData, *icon);
  FSysButtons = BuildSysButtons(FNCOwner, *FSkinData);
  for (auto& b : FSysButtons)
    b->OnPaint = [this](TSkinSysButton& button, int state) { PaintSysButton(button, state); };
}

// ---- painting ----

void TSkinForm::PaintFrame(HDC given) {
  if (!FSkinData || FSkinData->NoSkin) return;
  if (FStage != stReady && FStage != stReskinning) return;
  if (FFrameKind == fkNone || (FMDIKind == mkChild && FWinState != wsNormal)) return;
  HDC own = given ? nullptr : GetWindowDC(FWnd);
  HDC dc = given ? given : own;
  // A paint that fails leaves the frame as it was; the window procedure must not raise.
  if (dc) {
    SilentCall([&] {
      RECT r{};
      GetWindowRect(FWnd, &r);
      FWindowWidth = r.right - r.left;
      FWindowHeight = r.bottom - r.top;
      const int W = FWindowWidth, H = FWindowHeight;
      if (W > 0 && FTopHeight > 0) {
        if (FTitleBuffer.PixelFormat() != pf32bit) FTitleBuffer.SetPixelFormat(pf32bit);
        if (FTitleBuffer.Width() != W || FTitleBuffer.Height() != FTopHeight)
          FTitleBuffer.SetSize(W, FTopHeight);
      }
      const bool left = PaintBorderPiece(piLeft, {0, 0, FLeftWidth, H}, dc);
      const bool right = PaintBorderPiece(piRight, {W - FRightWidth, 0, W, H}, dc);
      PaintBorderPiece(piBottom, {FLeftWidth, H - FBottomHeight, W - FRightWidth, H}, dc);
      PaintTitleBar(dc, left && right);
      PaintMenuBar(dc);
    });
  }
  FNCOwner.ForgetHot();
  KeepMenuButtonFace();
  if (own) ReleaseDC(FWnd, own);
}

bool TSkinForm::PaintBorderPiece(int index, const RECT& rect, HDC dc) {
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
                   piece->FrameCount, PieceFrame(FActive, piece->FrameCount));
  };
  const bool intoTitle = side && FTopHeight > 0 && FTitleBuffer.Width() >= rect.right;
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
      HDC title = FTitleBuffer.Canvas()->Handle();
      SetViewportOrgEx(title, rect.left, 0, nullptr);
      render(title);
      SetViewportOrgEx(title, 0, 0, nullptr);
    }
    return true;
  }
  render(buf);
  buffer.CopyTo(dc, rect.left, rect.top);
  if (intoTitle)
    BitBlt(FTitleBuffer.Canvas()->Handle(), rect.left, 0, w, std::min(h, FTopHeight), buf, 0, 0, SRCCOPY);
  return true;
}

void TSkinForm::PaintTitleBar(HDC dc, bool sidesInBuffer) {
  const int W = FWindowWidth, top = FTopHeight;
  if (W <= 0 || top <= 0) return;
  HDC buf = FTitleBuffer.Canvas()->Handle();
  // The side pieces run the full height: keep what they painted beside the title. Read
  // back from the screen only when they were not painted just now (a slow path).
  if (!sidesInBuffer) BitBlt(buf, 0, 0, W, top, dc, 0, 0, SRCCOPY);
  const RECT rect{FLeftWidth, 0, W - FRightWidth, top};
  TDataSkinBorder* piece = Piece(piTop);
  if (HasImage(piece) && rect.right > rect.left) {
    SetViewportOrgEx(buf, rect.left, 0, nullptr);
    RenderSkinRect(buf, rect.right - rect.left, top, SkinSourceOf(SkinBitmap(*piece->Image)),
                   piece->Margins(), true, piece->Tile != 1, piece->FrameCount,
                   PieceFrame(FActive, piece->FrameCount));
    SetViewportOrgEx(buf, 0, 0, nullptr);
  }
  // The buttons on the right are laid out first: the caption ends before them, at this
  // width. Those anchored to the caption follow it afterwards.
  LayoutTitleButtons();
  PaintCaptionText(buf, rect);
  LayoutTitleButtons();
  PaintSysButtons(buf);
  BitBlt(dc, 0, 0, W, top, buf, 0, 0, SRCCOPY);
  SetBkMode(dc, OPAQUE);
}

void TSkinForm::PaintCaptionText(HDC dc, const RECT& rect) {
  const TDataSkinTitle* title = FSkinData->Title.get();
  TCaptionInput in;
  in.Rect = ToSkinRect(rect);
  in.WindowText = WindowTextOf(FWnd);
  in.TextAlignment = title ? title->TextAlignment : 0;
  in.TextShift = title ? title->LeftWidth : 0;
  in.TextShiftVert = title ? title->TopHeight : 0;
  in.TextRightClip = title ? title->RightWidth : 0;
  in.TextBackLeft = title ? title->TextBackLeft : 0;
  in.TextBackRight = title ? title->TextBackRight : 0;
  in.Kind = static_cast<TFrameKind>(FFrameKind);
  in.RightToLeft = FRightToLeft;
  in.Active = FActive;
  in.RightButtonsLeft = FRightButtonsLeft;

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
  SetTextColor(dc, RgbOf(FActive ? FSkinData->ColorTitleTextActive : FSkinData->ColorTitleTextNoActive));
  RECT text = ToRect(layout.TextRect);
  DrawTextW(dc, layout.Text.c_str(), static_cast<int>(layout.Text.size()), &text,
            DT_SINGLELINE | DT_END_ELLIPSIS | (layout.AlignRight ? DT_RIGHT : 0));
  SetBkMode(dc, oldMode);
}

std::array<HICON, 4> TSkinForm::WindowIcons() const {
  return {reinterpret_cast<HICON>(SendMessageA(FWnd, WM_GETICON, ICON_SMALL, 0)),
          reinterpret_cast<HICON>(SendMessageA(FWnd, WM_GETICON, ICON_BIG, 0)),
          reinterpret_cast<HICON>(GetClassLongPtrA(FWnd, GCLP_HICONSM)),
          reinterpret_cast<HICON>(GetClassLongPtrA(FWnd, GCLP_HICON))};
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

bool TSkinForm::DrawWindowIcon(HDC dc, int x, int y) const {
  for (HICON icon : WindowIcons())
    if (DrawSmallIcon(dc, x, y, icon)) return true;
  return false;
}

void TSkinForm::LoadWindowIcon() {
  const auto icons = WindowIcons();
  if (std::any_of(icons.begin(), icons.end(), [](HICON i) { return i != nullptr; })) {
    const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    FIconBitmap.SetPixelFormat(pf32bit);
    FIconBitmap.SetSize(cx, cy);
    HDC dc = FIconBitmap.Canvas()->Handle();
    const RECT all{0, 0, cx, cy};
    FillRect(dc, &all,
             ButtonFaceBrushHandle(*FSkinData) ? ButtonFaceBrushHandle(*FSkinData)
                                               : GetSysColorBrush(COLOR_BTNFACE));
    if (DrawWindowIcon(dc, 0, 0)) return;
    FIconBitmap.SetSize(0, 0);
  }
  // No icon that draws: the skin's default icon, else that of a main form's component.
  const TSkinImage* fallback = FSkinData && FSkinData->DefaultIcon && !FSkinData->DefaultIcon->Empty()
                                   ? FSkinData->DefaultIcon.get()
                                   : nullptr;
  if (!fallback)
    for (TSkinData* d : FManager.Components())
      if (d && d->SkinFormtype == sfMainform && d->DefaultIcon && !d->DefaultIcon->Empty())
        fallback = d->DefaultIcon.get();
  if (fallback) {
    FIconBitmap.SetPixelFormat(pf32bit);
    FIconBitmap.SetSize(fallback->Width(), fallback->Height());
    BitBlt(FIconBitmap.Canvas()->Handle(), 0, 0, fallback->Width(), fallback->Height(),
           SkinBitmap(*fallback).Canvas()->Handle(), 0, 0, SRCCOPY);
  }
}

void TSkinForm::PaintIcon(HDC dc, int x, int y) {
  if (DrawWindowIcon(dc, x, y)) return;
  // Without an icon of its own the window shows the bitmap it was given (the default icon).
  if (FIconBitmap.Width() > 0)
    DrawTransparent(dc, {x, y, x + FIconBitmap.Width(), y + FIconBitmap.Height()}, FIconBitmap,
                    static_cast<TColor>(SkinKeyColour));
}

// ---- region ----

void TSkinForm::UpdateFrameRegion() {
  if (!FSkinData) return;
  RECT r{};
  GetWindowRect(FWnd, &r);
  TRegionInput in;
  in.Width = r.right - r.left;
  in.Height = r.bottom - r.top;
  in.LastWidth = FRegionWidth;
  in.LastHeight = FRegionHeight;
  in.Destroyed = FStage == stDestroyed;
  in.MdiChild = FMDIKind == mkChild;
  in.MdiChildNotNormal = FMDIKind == mkChild && FWinState != wsNormal;
  in.Reskinning = FStage == stReskinning;
  in.Kind = static_cast<TFrameKind>(FFrameKind);
  in.Borders = Borders();
  in.TransLeft = FSkinData->BorderLeft->Trans;
  in.TransRight = FSkinData->BorderRight->Trans;
  in.TransTop = FSkinData->BorderTop->Trans;
  in.TransBottom = FSkinData->BorderBottom->Trans;
  in.TitleBufferWidth = FTitleBuffer.Width();
  in.TitleBufferHeight = FTitleBuffer.Height();
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
            BitBlt(mem.get(), 0, 0, w, h, FTitleBuffer.Canvas()->Handle(), s.Rect.Left, 0, SRCCOPY);
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
  if (SetWindowRgn(FWnd, region.get(), TRUE)) {
    region.release();  // the system owns it now
    FOwnsRegion = true;
    ++FRegionBuilds;
  }
}

void TSkinForm::RemoveRegion() {
  if (!FOwnsRegion) return;
  FTitleBuffer.SetSize(0, 0);
  SetWindowRgn(FWnd, nullptr, FMDIKind == mkChild);  // the system frees the region it held
  FOwnsRegion = false;
  FRegionWidth = FRegionHeight = 0;
}

// ---- sizing ----

void TSkinForm::AdjustWindowSize(bool refresh) {
  RECT window{}, client{};
  GetWindowRect(FWnd, &window);
  GetClientRect(FWnd, &client);
  TAdjustInput in;
  in.Maximized = FWinState == wsMaximized;
  in.Refresh = refresh;
  in.IsForm = FForm != nullptr;
  in.SavedClientWidth = FClientRect.right - FClientRect.left;
  in.SavedClientHeight = FClientRect.bottom - FClientRect.top;
  in.ClientWidth = client.right - client.left;
  in.ClientHeight = client.bottom - client.top;
  in.WindowHeight = window.bottom - window.top;
  in.FormClientWidth = FForm ? FForm->ClientWidth() : in.ClientWidth;
  in.CyFrame = GetSystemMetrics(SM_CYFRAME);
  in.CyCaption = GetSystemMetrics(SM_CYCAPTION);
  in.Borders = Borders();
  in.MessageBox = FStandardDialog;
  if (FSkinData && FSkinData->Title) {
    in.TextShift = FSkinData->Title->LeftWidth;
    in.TextRightClip = FSkinData->Title->RightWidth;
  }
  if (in.MessageBox && !refresh) {
    ClientDc screen(nullptr);
    SelectGuard font(screen.get(), FCaptionFont.get());
    const std::wstring text = L" " + WindowTextOf(FWnd) + L"  ";  // as the title bar shows it
    RECT r{0, 0, 0, 0};
    DrawTextW(screen.get(), text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
    in.CaptionWidth = r.right - r.left;
  }
  const TAdjustResult out = ::AdjustWindowSize(in);
  if (out.FrameChangedOnly) {
    FrameChanged();
    return;
  }
  FClientRect = {0, 0, out.SavedClientWidth, out.SavedClientHeight};
  SetSizeKeepingControls(0, 0, out.Width, out.Height,
                         SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE, out.ChildShift);
}

namespace {
struct TControlPlace {
  HWND Wnd, Parent;
  RECT Rect;  // in the parent's client coordinates
};

RECT PlaceInParent(HWND wnd, HWND parent) {
  RECT r{};
  GetWindowRect(wnd, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

BOOL CALLBACK CollectPlace(HWND wnd, LPARAM p) noexcept {
  auto& places = *reinterpret_cast<std::vector<TControlPlace>*>(p);
  HWND parent = GetParent(wnd);
  try {
    places.push_back({wnd, parent, PlaceInParent(wnd, parent)});
  } catch (const std::bad_alloc&) {
    return FALSE;  // the controls found so far are kept
  }
  return TRUE;
}
}  // namespace

void TSkinForm::SetSizeKeepingControls(int x, int y, int width, int height, UINT flags, int childShift) {
  // A foreign window lays itself out again when it is resized, some by the change of the
  // window's size (the Open dialog) rather than of its client area. Replacing the frame
  // changes no client area, so every control (in nested dialogs too) goes back where it was.
  // A form's controls follow its client area, and the class library keeps their bounds.
  std::vector<TControlPlace> places;
  if (!FForm) {
    EnumChildWindows(FWnd, CollectPlace, reinterpret_cast<LPARAM>(&places));
  } else if (childShift != 0) {
    for (HWND child = GetWindow(FWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      places.push_back({child, FWnd, PlaceInParent(child, FWnd)});
  }
  RECT before{}, after{};
  GetClientRect(FWnd, &before);
  SetWindowPos(FWnd, nullptr, x, y, width, height, flags);
  GetClientRect(FWnd, &after);
  // Controls laid out for another client size (the caption was taken off just before, and the
  // window followed its larger client) stay where the window's own layout has put them now;
  // a window widened on purpose (a message box to its caption) has its controls shifted below.
  if (!FForm && childShift == 0 && (before.right != after.right || before.bottom != after.bottom)) return;
  // Parents come before their children, so a nested dialog that lays out again when it is
  // put back is followed by its controls.
  for (const TControlPlace& p : places) {
    if (!IsWindow(p.Wnd) || GetParent(p.Wnd) != p.Parent) continue;
    RECT want = p.Rect;
    if (p.Parent == FWnd) OffsetRect(&want, childShift, 0);
    const RECT now = PlaceInParent(p.Wnd, p.Parent);
    if (EqualRect(&now, &want)) continue;
    SetWindowPos(p.Wnd, nullptr, want.left, want.top, want.right - want.left, want.bottom - want.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER | (FForm ? SWP_NOSENDCHANGING : 0));
  }
}

// ---- messages ----

void TSkinForm::WmNcCalcSize(TMessage& m) {
  CallOldProc(m);
  if (!m.WParam) return;
  auto* p = reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam);
  if (NcCalcKeepsDefault(static_cast<TFrameKind>(FFrameKind), FMDIKind == mkChild && FWinState != wsNormal)) {
    p->rgrc[1] = p->rgrc[0];
    m.Result = WVR_VALIDRECTS;
    return;
  }
  const WINDOWPOS& pos = *p->lppos;
  p->rgrc[0] = ToRect(SkinnedClientRect(pos.x, pos.y, pos.cx, pos.cy, Borders()));
  p->rgrc[1] = p->rgrc[0];
  m.Result = WVR_VALIDRECTS;
}

void TSkinForm::WmNcPaint(TMessage& m) {
  m.Result = 0;
  if (!FSkinData || !FSkinData->PaintFlag) return;
  if ((FMDIKind == mkChild && FWinState != wsNormal) || FFrameKind == fkNone) {
    CallOldProc(m);
    m.Result = 0;
    return;
  }
  PaintFrame(nullptr);
}

void TSkinForm::WmNcActivate(TMessage& m) {
  FActive = (m.WParam & 0xFF) != 0;
  if (FHoverTimer) FHoverTimer->SetEnabled(FActive);
  // A foreign window's hot push button (a message box's) gets no leave of its own when the
  // window goes inactive under a resting mouse: it would stay hot until the mouse moves.
  if (!FActive && !FForm && HotButton) {
    SendMouseLeave(HotButton);
    HotButton = nullptr;
  }
  if (FMDIKind == mkFrame && FMDIClient) SendMessageA(FMDIClient, WM_NCACTIVATE, m.WParam, 0);
  if (!(FMDIKind == mkChild && FWinState != wsNormal)) PaintFrame(nullptr);
  m.Result = TRUE;
}

void TSkinForm::WmSize(TMessage& m) {
  CallOldProc(m);
  FWinState = WinStateFromSize(m.WParam, FWinState);
  if (FWinState == wsMinimized) return;
  if (FMDIKind == mkChild && (FManager.MDIChildMaximized() || FWinState != wsNormal)) return;
  if (FStage == stReady || FStage == stReskinning) UpdateFrameRegion();
}

void TSkinForm::WmGetMinMaxInfo(TMessage& m) {
  CallOldProc(m);
  ReadWindowState();
  if (CaptionDeferred()) return;  // sized natively until CM_SKINSTART
  if (MinMaxRestoresCaption(FWinState, FMDIKind == mkChild))
    SetNativeCaption(true);
  else
    SetNativeCaption(false);
  if (FFrameKind == fkSizeable) {
    auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
    info->ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
  }
}

void TSkinForm::SkinMenuPaint(TMessage& m) {
  PaintFrame(nullptr);
  m.Result = 0;
}
