#include "ui/Buttons.h"

#include "ui/ImgList.h"
// Message-cracking macros need <windows.h> first.
#include <windowsx.h>

namespace {
const std::vector<std::string> kLayoutNames{"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"};
}  // namespace

DEFINE_CLASS_INFO(TSpeedButton, TGraphicControl, Prop<&TSpeedButton::Flat, &TSpeedButton::SetFlat>("Flat"),
                  Prop<&TSpeedButton::Glyph>("Glyph"),
                  Prop<&TSpeedButton::Down, &TSpeedButton::SetDown>("Down"),
                  Prop<&TSpeedButton::GroupIndex>("GroupIndex"),
                  Prop<&TSpeedButton::AllowAllUp>("AllowAllUp"), Prop<&TSpeedButton::NumGlyphs>("NumGlyphs"),
                  Prop<&TSpeedButton::Margin>("Margin"), Prop<&TSpeedButton::Spacing>("Spacing"),
                  Prop<&TSpeedButton::Layout>("Layout", kLayoutNames))

void TSpeedButton::SetDown(bool v) {
  if (v == FDown) return;
  if (!v && GroupIndex != 0 && !AllowAllUp) return;  // one of the group stays down
  FDown = v;
  if (v && GroupIndex != 0 && FParent) {
    for (int i = 0; i < FParent->ControlCount(); ++i) {
      auto* other = dynamic_cast<TSpeedButton*>(FParent->Controls(i));
      if (other && other != this && other->GroupIndex == GroupIndex && other->FDown) {
        other->FDown = false;
        other->Invalidate();
      }
    }
  }
  Invalidate();
}

void TSpeedButton::Click() {
  if (GroupIndex != 0) {
    if (!FDown)
      SetDown(true);
    else if (AllowAllUp)
      SetDown(false);
  }
  TGraphicControl::Click();
}

TSpeedButton::TSpeedButton(TComponent* AOwner)
    : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
  FWidth = 23;
  FHeight = 22;
}

void TSpeedButton::SetFlat(bool v) {
  if (Changes(FFlat, v)) Invalidate();
}

void TSpeedButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (FEnabled) {
        FPressed = true;
        Invalidate();
      }
      break;
    case WM_LBUTTONUP:
      if (FPressed) {
        FPressed = false;
        Invalidate();
      }
      break;
    case WM_MOUSEMOVE: {
      // Pressed only while the mouse stays on the button.
      const bool inside = GET_X_LPARAM(m.LParam) >= 0 && GET_Y_LPARAM(m.LParam) >= 0 &&
                          GET_X_LPARAM(m.LParam) < FWidth && GET_Y_LPARAM(m.LParam) < FHeight;
      if ((m.WParam & MK_LBUTTON) && FClicking && inside != FPressed) {
        FPressed = inside;
        Invalidate();
      }
      break;
    }
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      if (FFlat) Invalidate();
      break;
    default:
      break;
  }
  TGraphicControl::WndProc(m);
}

void TSpeedButton::Paint() {
  TCanvas* c = Canvas();
  RECT r = ClientRect();
  c->Brush()->SetColor(FColor);
  c->FillRect(r);
  HDC dc = c->Handle();
  if (FPressed || FDown) {
    DrawEdge(dc, &r, FFlat ? BDR_SUNKENOUTER : EDGE_SUNKEN, BF_RECT);
  } else if (!FFlat || (FMouseInControl && FEnabled)) {
    DrawEdge(dc, &r, FFlat ? BDR_RAISEDINNER : EDGE_RAISED, BF_RECT);
  }
  RECT text = r;
  if (FPressed || FDown) OffsetRect(&text, 1, 1);
  if (!FGlyph->Empty()) {
    RECT g{text.left + 4, text.top + (FHeight - FGlyph->Height()) / 2, 0, 0};
    g.right = g.left + FGlyph->Width();
    g.bottom = g.top + FGlyph->Height();
    c->StretchDraw(g, *FGlyph);
    text.left = g.right + 4;
  }
  c->Brush()->SetStyle(bsClear);
  c->Font()->Assign(*FFont);
  if (!FEnabled) c->Font()->SetColor(clGrayText);
  c->DrawText(FText, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// ---- TBitBtn ----

namespace {
struct TKindInfo {
  const char* Caption;
  bool Default;
  bool Cancel;
};
constexpr TKindInfo KindInfo[] = {{"", false, false},        {"OK", true, false},    {"Cancel", false, true},
                                  {"&Help", false, false},   {"&Yes", true, false},  {"&No", false, true},
                                  {"&Close", false, false},  {"Abort", false, true}, {"&Retry", false, false},
                                  {"&Ignore", false, false}, {"&All", false, false}};
}  // namespace

DEFINE_CLASS_INFO(TBitBtn, TButton, Prop<&TBitBtn::Glyph>("Glyph"), Prop<&TBitBtn::NumGlyphs>("NumGlyphs"),
                  Prop<&TBitBtn::Images>("Images"), Prop<&TBitBtn::ImageIndex>("ImageIndex"),
                  Prop<&TBitBtn::DisabledIndex>("DisabledIndex"), Prop<&TBitBtn::Margin>("Margin"),
                  Prop<&TBitBtn::Spacing>("Spacing"), Prop<&TBitBtn::Layout>("Layout", kLayoutNames),
                  Prop<&TBitBtn::Kind, &TBitBtn::SetKind>("Kind", {"bkCustom", "bkOK", "bkCancel", "bkHelp",
                                                                   "bkYes", "bkNo", "bkClose", "bkAbort",
                                                                   "bkRetry", "bkIgnore", "bkAll"}))

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner), FGlyph(std::make_unique<TBitmap>()) {}

void TBitBtn::SetKind(TBitBtnKind kind) {
  if (kind < bkCustom || kind > bkAll) return;
  FKind = kind;
  if (kind == bkCustom) return;
  SetCaption(KindInfo[kind].Caption);
  if (KindInfo[kind].Default) SetDefault(true);
  Cancel = KindInfo[kind].Cancel;
}

void TBitBtn::CreateParams(TCreateParams& p) {
  TButton::CreateParams(p);
  p.Style = (p.Style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_OWNERDRAW;
}

void TBitBtn::WndProc(TMessage& m) {
  if (m.Msg == BM_SETSTYLE) m.WParam = BS_OWNERDRAW;  // the default state is drawn, not a style
  if (m.Msg == CN_DRAWITEM) {
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam));
    m.Result = 1;
    return;
  }
  TButton::WndProc(m);
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  if (Default() || (item.itemState & ODS_FOCUS)) {
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&r, -1, -1);
  }
  DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  if (pressed) OffsetRect(&r, 1, 1);
  // Cells: 1 up, 2 disabled, 3 pressed, as far as the strip has them.
  const int cells = NumGlyphs > 0 ? NumGlyphs : 1;
  int cell = 1;
  if (disabled && cells >= 2) cell = 2;
  if (pressed && cells >= 3) cell = 3;
  SelectGuard font(dc, FFont->Handle());
  SIZE text{};
  GetTextExtentPoint32A(dc, FText.c_str(), static_cast<int>(FText.size()), &text);
  const bool listed = FGlyph->Empty() && Images && ImageIndex >= 0;
  const int gw = listed ? Images->Width() : FGlyph->Empty() ? 0 : FGlyph->Width() / cells;
  const int gh = listed ? Images->Height() : FGlyph->Height();
  const int spacing = (gw == 0 || FText.empty()) ? 0 : Spacing;
  const int width = r.right - r.left, height = r.bottom - r.top;
  const int margin = Margin >= 0 ? Margin : (width - gw - spacing - text.cx) / 2;
  int x = r.left + margin;
  if (listed) {
    const int index = disabled && DisabledIndex >= 0 ? DisabledIndex : ImageIndex;
    // A picture made for the disabled state is shown as it is; the normal one greyed.
    Images->Draw(dc, x, r.top + (height - gh) / 2, index, index == DisabledIndex || !disabled);
    x += gw + spacing;
  } else if (gw > 0) {
    FGlyph->FreeCanvasDc();
    MemoryDc src(dc);
    SelectGuard sel(src.get(), FGlyph->Handle());
    const COLORREF key = GetPixel(src.get(), 0, gh - 1);
    TransparentBlt(dc, x, r.top + (height - gh) / 2, gw, gh, src.get(), (cell - 1) * gw, 0, gw, gh, key);
    x += gw + spacing;
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(disabled ? clGrayText : FFont->Color()));
  RECT tr{x, r.top, r.right, r.bottom};
  DrawTextA(dc, FText.c_str(), static_cast<int>(FText.size()), &tr, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  if (item.itemState & ODS_FOCUS) {
    RECT fr = item.rcItem;
    InflateRect(&fr, -4, -4);
    DrawFocusRect(dc, &fr);
  }
}
