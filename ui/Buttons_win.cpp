#include "ui/Buttons.h"
// Message-cracking macros need <windows.h> first.
#include <windowsx.h>

const TClassInfo& TSpeedButton::StaticClass() {
  using namespace published;
  static const TClassInfo info(
      "TSpeedButton", &TGraphicControl::StaticClass(),
      {Bool<TSpeedButton>(
           "Flat", [](const TSpeedButton& b) { return b.Flat(); },
           [](TSpeedButton& b, bool v) { b.SetFlat(v); }),
       Object<TSpeedButton, TBitmap>("Glyph", [](const TSpeedButton& b) { return b.Glyph(); })});
  return info;
}

TSpeedButton::TSpeedButton(TComponent* AOwner)
    : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
  FWidth = 23;
  FHeight = 22;
}

void TSpeedButton::SetFlat(bool v) {
  if (v == FFlat) return;
  FFlat = v;
  Invalidate();
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
  if (FPressed) {
    DrawEdge(dc, &r, FFlat ? BDR_SUNKENOUTER : EDGE_SUNKEN, BF_RECT);
  } else if (!FFlat || (FMouseInControl && FEnabled)) {
    DrawEdge(dc, &r, FFlat ? BDR_RAISEDINNER : EDGE_RAISED, BF_RECT);
  }
  RECT text = r;
  if (FPressed) OffsetRect(&text, 1, 1);
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
