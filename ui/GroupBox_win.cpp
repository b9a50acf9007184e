// Group boxes and bevels: containers and shapes the class library paints itself.
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

// ---- TCustomGroupBox ----

const TClassInfo& TCustomGroupBox::StaticClass() {
  static const TClassInfo info("TCustomGroupBox", &TWinControl::StaticClass());
  return info;
}

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 185;
  FHeight = 105;
}

void TCustomGroupBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  // Children paint themselves; the frame must not be drawn over them.
  p.Style |= WS_CLIPCHILDREN;
}

void TCustomGroupBox::PaintWindow(HDC dc) {
  RECT r;
  GetClientRect(FHandle, &r);
  HGDIOBJ old = SelectObject(dc, FFont->Handle());
  SIZE zero{};
  GetTextExtentPoint32A(dc, "0", 1, &zero);
  // The frame's top edge runs through the middle of the caption's line.
  RECT frame{r.left, r.top + zero.cy / 2 - 1, r.right, r.bottom};
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  const std::string text = GetText();
  if (!text.empty()) {
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, ColorToRGB(FColor));
    SetTextColor(dc, ColorToRGB(FEnabled ? FFont->Color() : clGrayText));
    RECT t{r.left + 8, r.top, r.right - 8, r.top + zero.cy};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &t, DT_SINGLELINE | DT_EXPANDTABS);
  }
  SelectObject(dc, old);
}

const TClassInfo& TGroupBox::StaticClass() {
  static const TClassInfo info("TGroupBox", &TCustomGroupBox::StaticClass());
  return info;
}

// ---- TBevel ----

const TClassInfo& TBevel::StaticClass() {
  using namespace published;
  static const TClassInfo info(
      "TBevel", &TGraphicControl::StaticClass(),
      {Enum<TBevel>(
           "Shape", {"bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine", "bsSpacer"},
           [](const TBevel& b) -> long { return b.Shape(); },
           [](TBevel& b, long v) { b.SetShape(static_cast<TBevelShape>(v)); }),
       Enum<TBevel>(
           "Style", {"bsLowered", "bsRaised"}, [](const TBevel& b) -> long { return b.Style(); },
           [](TBevel& b, long v) { b.SetStyle(static_cast<TBevelStyle>(v)); })});
  return info;
}

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FWidth = 50;
  FHeight = 50;
}

void TBevel::SetShape(TBevelShape v) {
  FShape = v;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle v) {
  FStyle = v;
  Invalidate();
}

void TBevel::Paint() {
  HDC dc = Canvas()->Handle();
  if (!dc) return;
  RECT r{0, 0, FWidth, FHeight};
  const bool raised = FStyle == bsRaised;
  // A box is one edge; a frame is two thin edges, one inside the other.
  switch (FShape) {
    case bsBox:
      DrawEdge(dc, &r, raised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
      break;
    case bsFrame:
      DrawEdge(dc, &r, raised ? EDGE_BUMP : EDGE_ETCHED, BF_RECT);
      break;
    case bsTopLine:
      DrawEdge(dc, &r, raised ? EDGE_BUMP : EDGE_ETCHED, BF_TOP);
      break;
    case bsBottomLine:
      r.top = r.bottom - 2;
      DrawEdge(dc, &r, raised ? EDGE_BUMP : EDGE_ETCHED, BF_TOP);
      break;
    case bsLeftLine:
      DrawEdge(dc, &r, raised ? EDGE_BUMP : EDGE_ETCHED, BF_LEFT);
      break;
    case bsRightLine:
      r.left = r.right - 2;
      DrawEdge(dc, &r, raised ? EDGE_BUMP : EDGE_ETCHED, BF_LEFT);
      break;
    case bsSpacer:
      break;
  }
}
