#include "ui/StdCtrls.h"

// ---- TButton ----

const TClassInfo& TButton::StaticClass() {
  using namespace published;
  static const TClassInfo info(
      "TButton", &TWinControl::StaticClass(),
      {Bool<TButton>(
           "Default", [](const TButton& b) { return b.Default(); },
           [](TButton& b, bool v) { b.SetDefault(v); }),
       Bool<TButton>(
           "Cancel", [](const TButton& b) { return b.Cancel; }, [](TButton& b, bool v) { b.Cancel = v; })});
  return info;
}

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 75;
  FHeight = 25;
  TabStop = true;
  ClicksOnMouseUp = false;  // the native button reports its clicks (CN_COMMAND)
}

void TButton::SetDefault(bool v) {
  if (v == FDefault) return;
  FDefault = v;
  if (HandleAllocated()) SendMessageA(FHandle, BM_SETSTYLE, v ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.NativeClass = "BUTTON";
  p.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND) {
    if (HIWORD(m.WParam) == BN_CLICKED) Click();
    return;
  }
  if (m.Msg == CM_DIALOGKEY && ((m.WParam == VK_RETURN && FDefault) || (m.WParam == VK_ESCAPE && Cancel))) {
    Click();
    m.Result = 1;
    return;
  }
  TWinControl::WndProc(m);
}

// ---- TLabel ----

const TClassInfo& TLabel::StaticClass() {
  using namespace published;
  static const TClassInfo info("TLabel", &TGraphicControl::StaticClass(),
                               {Bool<TLabel>(
                                    "AutoSize", [](const TLabel& l) { return l.AutoSize(); },
                                    [](TLabel& l, bool v) { l.SetAutoSize(v); }),
                                Bool<TLabel>(
                                    "WordWrap", [](const TLabel& l) { return l.WordWrap(); },
                                    [](TLabel& l, bool v) { l.SetWordWrap(v); }),
                                Bool<TLabel>(
                                    "Transparent", [](const TLabel& l) { return l.Transparent; },
                                    [](TLabel& l, bool v) { l.Transparent = v; })});
  return info;
}

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FWidth = 65;
  FHeight = 17;
}

void TLabel::SetAutoSize(bool v) {
  FAutoSize = v;
  AdjustBounds();
}

void TLabel::SetWordWrap(bool v) {
  if (v == FWordWrap) return;
  FWordWrap = v;
  AdjustBounds();
  Invalidate();
}

UINT TLabel::TextFlags() const {
  UINT flags = FWordWrap ? DT_WORDBREAK : DT_SINGLELINE;
  if (Alignment == taCenter) flags |= DT_CENTER;
  if (Alignment == taRightJustify) flags |= DT_RIGHT;
  return flags | DT_EXPANDTABS;
}

void TLabel::AdjustBounds() {
  if (!FAutoSize || (ComponentState & csLoading)) return;
  ClientDc screen(nullptr);
  HGDIOBJ old = SelectObject(screen.get(), FFont->Handle());
  RECT r{0, 0, FWordWrap ? FWidth : 0, 0};
  std::string text = FText.empty() ? std::string(" ") : FText;
  DrawTextA(screen.get(), text.c_str(), static_cast<int>(text.size()), &r, TextFlags() | DT_CALCRECT);
  SelectObject(screen.get(), old);
  SetBounds(FLeft, FTop, FWordWrap ? FWidth : r.right, r.bottom);
}

void TLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();  // sizing waits until the stored properties are all in
}

void TLabel::WndProc(TMessage& m) {
  TGraphicControl::WndProc(m);
  if (m.Msg == CM_TEXTCHANGED || m.Msg == CM_FONTCHANGED) AdjustBounds();
}

void TLabel::Paint() {
  TCanvas* c = Canvas();
  RECT r = ClientRect();
  if (!Transparent) {
    c->Brush()->SetColor(FColor);
    c->FillRect(r);
  }
  c->Brush()->SetStyle(bsClear);
  c->Font()->Assign(*FFont);
  if (!FEnabled) c->Font()->SetColor(clGrayText);
  c->DrawText(FText, r, TextFlags());
}
