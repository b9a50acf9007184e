#include "skin/controls/SkinPanels.h"

#include <algorithm>

#include "skin/controls/GroupBoxLayout.h"
#include "skin/controls/ProgressLayout.h"
#include "skin/controls/SkinChildren.h"
#include "skin/controls/StatusBarLayout.h"
#include "skin/controls/TrackBarThumb.h"
#include "skin/data/ImgUtil_win.h"
#include "skin/forms/FormSkin.h"
#include "skin/forms/SkinDrawBitmap_win.h"
#include "ui/ComCtrls.h"

namespace {
void FillColour(HDC dc, const RECT& r, COLORREF colour) {
  TBrushHandle brush(CreateSolidBrush(colour));
  if (brush) FillRect(dc, &r, brush.get());
}

// The buffer's DC, the buffer sized to at least 1 x 1.
}  // namespace

// ---------------------------------------------------------------- TSkinBox

DEFINE_CLASS_INFO(TSkinBox, TSkinControl)

void TSkinBox::InitControl(TSkinForm* Form, TSkinData* SkinData, TCanvas* Canvas, bool Recolor) {
  // Attached once; the state says so, as the handler never counts as initialised (it has
  // no message hook to start).
  if (FState != scsCreated) return;
  auto* control = OwnerControl();
  if (!control) return;
  FRecolor = Recolor;
  if (!BindControl(control, SkinData, Canvas, Form)) return;
  TakeSkinColour();
  FState = scsAttached;
}

void TSkinBox::UnSkin() {
  if (FRecolor && FControl) FControl->SetColor(FOldColor);
  FState = scsColourBack;
}

// ---------------------------------------------------------------- TSkinBoxH

DEFINE_CLASS_INFO(TSkinBoxH, TSkinControl)

bool TSkinBoxH::BeforeProc(TMessage& m) {
  if (m.Msg != WM_ERASEBKGND) return TSkinControl::BeforeProc(m);
  RECT r{};
  if (GetWindowRect(FHandle, &r)) {
    OffsetRect(&r, -r.left, -r.top);
    FillSkinBackground(reinterpret_cast<HDC>(m.WParam), r);
  }
  m.Result = 0;
  return false;
}

void TSkinBoxH::AfterProc(TMessage& m) {
  if (FSkinData && IsFaceColourMessage(m.Msg)) {
    if (HBRUSH face = AnswerFaceColour(*FSkinData, reinterpret_cast<HDC>(m.WParam)))
      m.Result = reinterpret_cast<LRESULT>(face);
    return;
  }
  TSkinControl::AfterProc(m);
}

// ---------------------------------------------------------------- TSkinSizer

DEFINE_CLASS_INFO(TSkinSizer, TSkinControl)

void TSkinSizer::DrawSkin(HDC dc, const RECT& rect) { FillSkinBackground(dc, rect); }

// ---------------------------------------------------------------- TSkinGroupBox

DEFINE_CLASS_INFO(TSkinGroupBox, TSkinControl)

void TSkinGroupBox::DrawGroupFrame(HDC dc, const RECT& rect) {
  if (!FSkinData) return;
  const std::wstring caption = GroupBoxCaption(
      WindowTextOf(FHandle), FControl ? GetTextProperty(FControl, "Caption") : std::wstring());
  HFONT font = FControl ? FControl->Font()->Handle()
                        : reinterpret_cast<HFONT>(SendMessageW(FHandle, WM_GETFONT, 0, 0));
  SelectGuard selectFont(dc, font);
  SIZE zero{};
  GetTextExtentPoint32W(dc, L"0", 1, &zero);
  const TGroupBoxLayout l = GroupBoxLayout(ToSkinRect(rect), zero.cy);

  // Two frames in the face colour wipe the etched frame the control drew.
  HBRUSH face = ButtonFaceBrushHandle(*FSkinData);
  TBrushHandle own;
  if (!face) {
    own.reset(CreateSolidBrush(SkinColorRef(FSkinData->ColorButtonFace)));
    face = own.get();
  }
  const RECT outer = ToRect(l.OuterWipe), inner = ToRect(l.InnerWipe);
  FrameRect(dc, &outer, face);
  FrameRect(dc, &inner, face);

  TPenHandle pen(CreatePen(PS_SOLID, 1, SkinColorRef(FSkinData->ColorButtonShadow)));
  {
    SelectGuard selectPen(dc, pen.get());
    SelectGuard selectBrush(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, l.Rounded.Left, l.Rounded.Top, l.Rounded.Right, l.Rounded.Bottom, GroupBoxCorner,
              GroupBoxCorner);
  }

  const COLORREF oldBack = SetBkColor(dc, SkinColorRef(FSkinData->ColorButtonFace));
  const int oldMode = SetBkMode(dc, OPAQUE);
  RECT text = ToRect(l.Caption);
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_EXPANDTABS);
  SetBkMode(dc, oldMode);
  SetBkColor(dc, oldBack);
}

// ---------------------------------------------------------------- TSkinStatusBar

DEFINE_CLASS_INFO(TSkinStatusBar, TSkinControl)

TSkinStatusBar::TSkinStatusBar(TComponent* AOwner) : TSkinControl(AOwner) {}

bool TSkinStatusBar::BeforeProc(TMessage& m) {
  // The whole bar is drawn in one copy from a buffer: the native paint would only flicker.
  const bool ours = FSkinData && dynamic_cast<TStatusBar*>(FControl) && FState != scsDestroyed;
  if (m.Msg == WM_PAINT || m.Msg == WM_ERASEBKGND) return !PaintWholeWindow(*this, m, ours);
  return TSkinControl::BeforeProc(m);
}

void TSkinStatusBar::DrawPanelFace(HDC dc, const RECT& rect, int frame) {
  const TDataSkinObject* edges = FSkinData ? FSkinData->StatusBarEdges.get() : nullptr;
  if (HasImage(edges)) {
    DrawSkinImage(dc, rect, SkinBitmap(*edges->Image), false, edges->Tile == 1, false, 3, frame,
                  edges->Margins());
    return;
  }
  const TPlainFace plain = StatusPlainFace(frame);
  if (plain == TPlainFace::Nothing) return;
  const COLORREF shadow = ColorToRGB(clBtnShadow), light = ColorToRGB(clBtnHighlight);
  const COLORREF topLeft = plain == TPlainFace::Sunken ? shadow : light;
  const COLORREF bottomRight = plain == TPlainFace::Sunken ? light : shadow;
  FillColour(dc, RECT{rect.left, rect.top, rect.right, rect.top + 1}, topLeft);
  FillColour(dc, RECT{rect.left, rect.top, rect.left + 1, rect.bottom}, topLeft);
  FillColour(dc, RECT{rect.left, rect.bottom - 1, rect.right, rect.bottom}, bottomRight);
  FillColour(dc, RECT{rect.right - 1, rect.top, rect.right, rect.bottom}, bottomRight);
}

void TSkinStatusBar::DrawSkin(HDC dc, const RECT& rect) {
  auto* bar = dynamic_cast<TStatusBar*>(FControl);
  if (!bar || !FSkinData) return;
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  HDC buf = FBuffer.Begin(width, height);
  const RECT whole{0, 0, width, height};
  FillColour(buf, whole, SkinColorRef(FSkinData->ColorButtonFace));
  TFont font;
  font.Assign(*bar->Font());
  font.SetStyle({});
  SelectGuard selectFont(buf, font.Handle());
  SetTextColor(buf, FSkinData->StatusBarEdges ? SkinColorRef(FSkinData->StatusBarEdges->NormalColour2)
                                              : ColorToRGB(bar->Font()->Color()));
  const bool rightToLeft = (GetWindowLongPtrW(FHandle, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0;

  if (bar->SimplePanel() || bar->PanelCount() == 0) {
    DrawPanelFace(buf, whole, 1);
    const std::wstring text = StatusPanelText(GetTextProperty(bar, "simpletext"));
    DrawCaptionText(buf, RECT{2, 0, width - 2, height}, text, true, DT_LEFT);
  } else {
    for (int i = 0; i < bar->PanelCount(); ++i) {
      RECT got{};
      if (!SendMessageW(FHandle, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&got)))
        continue;
      TStatusPanel* panel = bar->Panels(i);
      const RECT face =
          ToRect(StatusPanelRect(ToSkinRect(got), i == bar->PanelCount() - 1, ToSkinRect(whole)));
      DrawPanelFace(buf, face, StatusPanelFrame(PanelBevelFromIdent(GetEnumProperty(panel, "Bevel"))));
      if (LowerAscii(GetEnumProperty(panel, "Style")) != "pstext") continue;
      const std::wstring text = StatusPanelText(GetTextProperty(panel, "Text"));
      const UINT format =
          StatusTextFormat(PanelAlignFromIdent(GetEnumProperty(panel, "Alignment")), rightToLeft);
      DrawCaptionText(buf, ToRect(StatusTextRect(ToSkinRect(face))), text, true, format);
    }
  }

  const TDataSkinObject* extra = FSkinData->ExtraImages.get();
  if (HasImage(extra) && extra->FrameCount > 0) {
    TBitmap& strip = SkinBitmap(*extra->Image);
    const auto style = static_cast<uint32_t>(GetWindowLongPtrW(FHandle, GWL_STYLE));
    if (auto grip =
            StatusGripRect(ToSkinRect(whole), style, strip.Width() / extra->FrameCount, strip.Height()))
      DrawStripFrame(buf, ToRect(*grip), extra->FrameCount, 5, strip);
  }

  FBuffer.CopyTo(dc, rect.left, rect.top);

  if (bar->OnDrawPanel) {
    for (int i = 0; i < bar->PanelCount(); ++i) {
      RECT got{};
      if (!SendMessageW(FHandle, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&got)))
        continue;
      bar->DrawPanel(bar->Panels(i), dc, ToRect(StatusDrawPanelRect(ToSkinRect(got))));
    }
  }
}

// ---------------------------------------------------------------- TSkinProgress

DEFINE_CLASS_INFO(TSkinProgress, TSkinControl)

TSkinProgress::TSkinProgress(TComponent* AOwner) : TSkinControl(AOwner) {}

bool TSkinProgress::SkinReady() const { return FSkinData && HasImage(FSkinData->Progress.get()); }

bool TSkinProgress::BeforeProc(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      return !PaintWholeWindow(*this, m, SkinReady() && FState != scsDestroyed);
    case WM_ERASEBKGND:
      m.Result = 1;
      return false;
    default:
      return TSkinControl::BeforeProc(m);
  }
}

void TSkinProgress::DrawSkin(HDC dc, const RECT& rect) {
  if (!SkinReady()) return;
  const TDataSkinBorder& progress = *FSkinData->Progress;
  if (progress.Style == 1) {
    DrawChunkProgress(dc, rect);
    return;
  }
  const auto style = static_cast<uint32_t>(GetWindowLongPtrW(FHandle, GWL_STYLE));
  const int position = static_cast<int>(SendMessageW(FHandle, PBM_GETPOS, 0, 0));
  const int maximum = static_cast<int>(SendMessageW(FHandle, PBM_GETRANGE, FALSE, 0));
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  const TProgressLayout l = ProgressLayout(width, height, ProgressStyleVertical(style), position, maximum);
  if (l.WorkWidth <= 0 || l.WorkHeight <= 0) return;

  TBitmap work(l.WorkWidth, l.WorkHeight, pf24bit);
  TBitmap& strip = SkinBitmap(*progress.Image);
  const bool tile = progress.Tile == 1;
  {
    HDC w = work.Canvas()->Handle();
    FillColour(w, RECT{0, 0, l.WorkWidth, l.WorkHeight}, SkinColorRef(FSkinData->ColorButtonFace));
    DrawSkinImage(w, RECT{0, 0, l.WorkWidth, l.WorkHeight}, strip, false, tile, true, 2, 1,
                  progress.Margins());
    if (l.Fill) DrawSkinImage(w, ToRect(*l.Fill), strip, false, tile, true, 2, 2, progress.Margins());
  }
  if (l.Vertical) RotateLeft(work);
  BitBlt(dc, rect.left, rect.top, l.Copy.Width(), l.Copy.Height(), work.Canvas()->Handle(), 0, 0, SRCCOPY);
  // The row the copy leaves out is never painted natively either (the paint is ours):
  // it gets the face colour rather than whatever was on screen.
  FillColour(dc, RECT{rect.left, rect.top + l.Copy.Height(), rect.right, rect.bottom},
             SkinColorRef(FSkinData->ColorButtonFace));
}

void TSkinProgress::DrawChunkProgress(HDC dc, const RECT& rect) {
  const TDataSkinBorder& progress = *FSkinData->Progress;
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  HDC buf = FBuffer.Begin(width, height);
  const RECT whole{0, 0, width, height};
  FillColour(buf, whole, SkinColorRef(FSkinData->ColorButtonFace));
  DrawSkinImage(buf, whole, SkinBitmap(*progress.Image), false, progress.Tile == 1, true, 1, 1,
                progress.Margins());
  if (progress.SecondImage && !progress.SecondImage->Empty()) {
    TBitmap& chunk = SkinBitmap(*progress.SecondImage);
    const int position = static_cast<int>(SendMessageW(FHandle, PBM_GETPOS, 0, 0));
    const int maximum = static_cast<int>(SendMessageW(FHandle, PBM_GETRANGE, FALSE, 0));
    const TChunkLayout c = ChunkProgressLayout(ToSkinRect(whole), position, maximum, chunk.Width(),
                                               chunk.Height(), progress.LeftWidth);
    if (c.BarWidth > 0) {
      TBitmap bar(c.BarWidth, chunk.Height(), pf24bit);
      HDC b = bar.Canvas()->Handle();
      for (int i = 0; i < c.Copies; ++i)
        BitBlt(b, i * chunk.Width(), 0, chunk.Width(), chunk.Height(), chunk.Canvas()->Handle(), 0, 0,
               SRCCOPY);
      DrawTransparent(buf, ToRect(c.Strip), bar, static_cast<TColor>(SkinKeyColour));
    }
  }
  FBuffer.CopyTo(dc, rect.left, rect.top);
}

// ---------------------------------------------------------------- TSkinTrackBar

DEFINE_CLASS_INFO(TSkinTrackBar, TSkinControl)

bool TSkinTrackBar::BeforeProc(TMessage& m) {
  switch (m.Msg) {
    case WM_ERASEBKGND:
      m.Result = 1;
      return false;
    case WM_NOTIFY:
    case CN_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(m.LParam);
      if (!hdr || hdr->code != static_cast<UINT>(NM_CUSTOMDRAW)) return true;
      m.Result = TrackBarCustomDraw(*reinterpret_cast<NMCUSTOMDRAW*>(m.LParam));
      return false;
    }
    default:
      return TSkinControl::BeforeProc(m);
  }
}

LRESULT TSkinTrackBar::TrackBarCustomDraw(NMCUSTOMDRAW& draw) {
  const TTrackDrawAnswer a = ::TrackBarCustomDraw(draw.dwDrawStage, draw.dwItemSpec, draw.uItemState);
  if (a.DrawThumb) DrawTrackThumb(draw.hdc, a.ThumbFrame);
  return static_cast<LRESULT>(a.Result);
}

void TSkinTrackBar::DrawTrackThumb(HDC dc, int frame) {
  if (!FSkinData || !IsWindow(FHandle)) return;
  RECT thumb{};
  SendMessageW(FHandle, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  const auto style = static_cast<uint32_t>(GetWindowLongPtrW(FHandle, GWL_STYLE));
  const TDataSkinObject* vert = FSkinData->TrackbarThumbVert.get();
  const TDataSkinObject* horz = FSkinData->TrackbarThumbHorz.get();
  switch (TrackThumbPicture(style, HasImage(vert), HasImage(horz))) {
    case TTrackThumbPicture::Vertical:
      DrawStripFrame(dc, thumb, TrackThumbFrameCount, frame, SkinBitmap(*vert->Image));
      break;
    case TTrackThumbPicture::Horizontal:
      DrawStripFrame(dc, thumb, TrackThumbFrameCount, frame, SkinBitmap(*horz->Image));
      break;
    case TTrackThumbPicture::Outline: {
      TPenHandle pen(CreatePen(PS_SOLID, 1, SkinColorRef(FSkinData->ColorButtonShadow)));
      SelectGuard selectPen(dc, pen.get());
      SelectGuard selectBrush(dc, GetStockObject(NULL_BRUSH));
      Rectangle(dc, thumb.left, thumb.top, thumb.right, thumb.bottom);
      break;
    }
  }
}

void TSkinTrackBar::SkinChanged() {
  // A repaint goes through custom draw again; the keyboard focus stays where the user left it.
  RepaintControl();
}
