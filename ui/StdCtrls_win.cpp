#include "ui/StdCtrls.h"

#include <algorithm>

// ---- TButton ----

DEFINE_CLASS_INFO(TButton, TWinControl, Prop<&TButton::Default, &TButton::SetDefault>("Default"),
                  Prop<&TButton::Cancel>("Cancel"))

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

DEFINE_CLASS_INFO(TLabel, TGraphicControl, Prop<&TLabel::AutoSize, &TLabel::SetAutoSize>("AutoSize"),
                  Prop<&TLabel::WordWrap, &TLabel::SetWordWrap>("WordWrap"),
                  Prop<&TLabel::Transparent>("Transparent"))

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FWidth = 65;
  FHeight = 17;
  FParentColor = true;
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

// ---- TButtonControl ----

TButtonControl::TButtonControl(TComponent* AOwner, int width) : TWinControl(AOwner) {
  FWidth = width;
  FHeight = 17;
  FParentColor = true;
  TabStop = true;
  ClicksOnMouseUp = false;  // the native button reports its clicks (CN_COMMAND)
}

void TButtonControl::SetLeftText(bool v) {
  if (v == FLeftText) return;
  FLeftText = v;
  if (!HandleAllocated()) return;
  LONG_PTR style = GetWindowLongPtrA(FHandle, GWL_STYLE);
  style = v ? (style | BS_LEFTTEXT) : (style & ~static_cast<LONG_PTR>(BS_LEFTTEXT));
  SetWindowLongPtrA(FHandle, GWL_STYLE, style);
  Invalidate();
}

void TButtonControl::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.NativeClass = "BUTTON";
  p.Style |= ButtonType() | (FLeftText ? BS_LEFTTEXT : 0);
}

void TButtonControl::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND) {
    if (HIWORD(m.WParam) == BN_CLICKED) {
      Clicked();
      Click();
    }
    return;
  }
  TWinControl::WndProc(m);
}

// ---- TCustomCheckBox ----

DEFINE_CLASS_INFO(TCustomCheckBox, TWinControl,
                  Prop<&TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked>("Checked"),
                  Prop<&TCustomCheckBox::AllowGrayed, &TCustomCheckBox::SetAllowGrayed>("AllowGrayed"),
                  Prop<&TCustomCheckBox::State, &TCustomCheckBox::SetState>("State",
                                                                            {"cbUnchecked", "cbChecked",
                                                                             "cbGrayed"}))

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner, 97) {}

void TCustomCheckBox::SetState(TCheckBoxState s) {
  if (s == cbGrayed && !FAllowGrayed) s = cbChecked;
  if (s == FState) return;
  FState = s;
  if (HandleAllocated()) SendMessageA(FHandle, BM_SETCHECK, static_cast<WPARAM>(s), 0);
}

void TCustomCheckBox::SetAllowGrayed(bool v) {
  FAllowGrayed = v;
  if (!v && FState == cbGrayed) SetState(cbChecked);
}

void TCustomCheckBox::CreateHandleDone() {
  SendMessageA(FHandle, BM_SETCHECK, static_cast<WPARAM>(FState), 0);
}

void TCustomCheckBox::Toggle() {
  switch (FState) {
    case cbUnchecked:
      SetState(cbChecked);
      break;
    case cbChecked:
      SetState(FAllowGrayed ? cbGrayed : cbUnchecked);
      break;
    case cbGrayed:
      SetState(cbUnchecked);
      break;
  }
}

// ---- TCheckBox ----

DEFINE_CLASS_INFO(TCheckBox, TCustomCheckBox)

// ---- TRadioButton ----

DEFINE_CLASS_INFO(TRadioButton, TWinControl,
                  Prop<&TRadioButton::Checked, &TRadioButton::SetChecked>("Checked"))

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner, 113) {}

bool TRadioButton::Checked() const {
  // The system unchecks group members on its own: the window is the truth while it exists.
  if (FHandle) return SendMessageA(FHandle, BM_GETCHECK, 0, 0) == BST_CHECKED;
  return FChecked;
}

void TRadioButton::SetOwnChecked(bool v) {
  FChecked = v;
  if (HandleAllocated() && (SendMessageA(FHandle, BM_GETCHECK, 0, 0) == BST_CHECKED) != v)
    SendMessageA(FHandle, BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool v) {
  SetOwnChecked(v);
  if (!v || !FParent) return;
  for (int i = 0; i < FParent->ControlCount(); ++i)
    if (auto* other = dynamic_cast<TRadioButton*>(FParent->Controls(i)); other && other != this)
      other->SetOwnChecked(false);
}

void TRadioButton::CreateHandleDone() {
  if (FChecked) SendMessageA(FHandle, BM_SETCHECK, BST_CHECKED, 0);
}

// ---- TGlyphCheckBox ----

DEFINE_CLASS_INFO(
    TGlyphCheckBox, TCustomCheckBox, Prop<&TGlyphCheckBox::CustomGlyphs>("CustomGlyphs"),
    Prop<&TGlyphCheckBox::UseCustomGlyphs, &TGlyphCheckBox::SetUseCustomGlyphs>("UseCustomGlyphs"),
    Prop<&TGlyphCheckBox::TransparentColor, &TGlyphCheckBox::SetTransparentColor>("TransparentColor"))

TGlyphCheckBox::TGlyphCheckBox(TComponent* AOwner)
    : TCustomCheckBox(AOwner), FCustomGlyphs(std::make_unique<TBitmap>()) {}

TGlyphCheckBox::~TGlyphCheckBox() = default;

void TGlyphCheckBox::SetUseCustomGlyphs(bool v) {
  FUseCustomGlyphs = v;
  FLoaded.reset();
  if (v && !FCustomGlyphs->Empty()) {
    FLoaded = std::make_unique<TBitmap>();
    FLoaded->Assign(*FCustomGlyphs);
  }
  Invalidate();
}

void TGlyphCheckBox::SetTransparentColor(TColor c) {
  FTransparentColor = c;
  Invalidate();
}

void TGlyphCheckBox::WndProc(TMessage& m) {
  if (m.Msg == CN_DRAWITEM) {
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam));
    m.Result = 1;
    return;
  }
  if (m.Msg == BM_SETCHECK) {
    // An owner-drawn button keeps no check of its own: show the new state.
    Invalidate();
    return;
  }
  TCustomCheckBox::WndProc(m);
}

namespace {
constexpr int GlyphCellCount = 9;
constexpr int SystemBoxSize = 13;
}  // namespace

void TGlyphCheckBox::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  const RECT r = item.rcItem;
  const bool pushed = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  SetDCBrushColor(dc, ColorToRGB(FColor));
  ::FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));

  const int height = r.bottom - r.top;
  int boxWidth = SystemBoxSize;
  if (FLoaded && FLoaded->Width() >= GlyphCellCount) {
    const int cw = FLoaded->Width() / GlyphCellCount, ch = FLoaded->Height();
    FLastCell = (disabled ? 6 : pushed ? 3 : 0) + static_cast<int>(State());
    FLoaded->FreeCanvasDc();
    MemoryDc src(dc);
    SelectGuard sel(src.get(), FLoaded->Handle());
    TransparentBlt(dc, r.left, r.top + (height - ch) / 2, cw, ch, src.get(), FLastCell * cw, 0, cw, ch,
                   ColorToRGB(FTransparentColor));
    boxWidth = cw;
  } else {
    FLastCell = -1;
    UINT state = DFCS_BUTTONCHECK;
    if (State() == cbGrayed) state = DFCS_BUTTON3STATE | DFCS_CHECKED;
    if (State() == cbChecked) state |= DFCS_CHECKED;
    if (pushed) state |= DFCS_PUSHED;
    if (disabled) state |= DFCS_INACTIVE;
    RECT box{r.left, r.top + (height - SystemBoxSize) / 2, r.left + SystemBoxSize,
             r.top + (height - SystemBoxSize) / 2 + SystemBoxSize};
    DrawFrameControl(dc, &box, DFC_BUTTON, state);
  }
  SelectGuard font(dc, FFont->Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(disabled ? clGrayText : FFont->Color()));
  RECT tr{r.left + boxWidth + 4, r.top, r.right, r.bottom};
  RECT measure = tr;
  DrawTextA(dc, FText.c_str(), static_cast<int>(FText.size()), &measure,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_CALCRECT);
  DrawTextA(dc, FText.c_str(), static_cast<int>(FText.size()), &tr, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  if ((item.itemState & ODS_FOCUS) && !FText.empty()) {
    RECT fr{tr.left - 1, tr.top + (height - (measure.bottom - measure.top)) / 2 - 1, measure.right + 1,
            tr.top + (height + (measure.bottom - measure.top)) / 2 + 1};
    DrawFocusRect(dc, &fr);
  }
}

// ---- TMemo ----

DEFINE_CLASS_INFO(TMemo, TWinControl,
                  Prop<&TMemo::ScrollBars>("ScrollBars", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"}),
                  Prop<&TMemo::WordWrap>("WordWrap"), Prop<&TMemo::ReadOnly>("ReadOnly"))

TMemo::TMemo(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 185;
  FHeight = 89;
  FColor = clWindow;
  TabStop = true;
}

void TMemo::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.NativeClass = "EDIT";
  p.ExStyle |= WS_EX_CLIENTEDGE;
  p.Style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
  if (!WordWrap || ScrollBars == ssHorizontal || ScrollBars == ssBoth) p.Style |= ES_AUTOHSCROLL;
  if (ScrollBars == ssHorizontal || ScrollBars == ssBoth) p.Style |= WS_HSCROLL;
  if (ScrollBars == ssVertical || ScrollBars == ssBoth) p.Style |= WS_VSCROLL;
  if (ReadOnly) p.Style |= ES_READONLY;
}

void TMemo::SetLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) text += "\r\n";
    text += lines[i];
  }
  SetText(text);
}

// Both ask the window, which is made for them when needed.
int TMemo::LineCount() { return static_cast<int>(SendMessageA(Handle(), EM_GETLINECOUNT, 0, 0)); }

int TMemo::TopLine() { return static_cast<int>(SendMessageA(Handle(), EM_GETFIRSTVISIBLELINE, 0, 0)); }

// ---- TCustomListBox / TListBox ----

DEFINE_CLASS_INFO(TCustomListBox, TWinControl,
                  Prop<&TCustomListBox::ItemIndex, &TCustomListBox::SetItemIndex>("ItemIndex"),
                  Prop<&TCustomListBox::ScrollWidth, &TCustomListBox::SetScrollWidth>("ScrollWidth"))

TCustomListBox::TCustomListBox(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 121;
  FHeight = 97;
  FColor = clWindow;
  TabStop = true;
}

void TCustomListBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.NativeClass = "LISTBOX";
  p.ExStyle |= WS_EX_CLIENTEDGE;
  // Without LBS_DISABLENOSCROLL the system shows each bar only while it is needed.
  p.Style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL;
}

void TCustomListBox::CreateHandleDone() {
  for (const std::string& s : FItems)
    SendMessageA(FHandle, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
  SendMessageA(FHandle, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(FScrollWidth), 0);
  if (FItemIndex >= 0) SendMessageA(FHandle, LB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
}

void TCustomListBox::AddItem(const std::string& text) {
  FItems.push_back(text);
  if (HandleAllocated()) SendMessageA(FHandle, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TCustomListBox::ClearItems() {
  FItems.clear();
  FItemIndex = -1;
  if (HandleAllocated()) SendMessageA(FHandle, LB_RESETCONTENT, 0, 0);
}

int TCustomListBox::ItemIndex() {
  if (HandleAllocated()) FItemIndex = static_cast<int>(SendMessageA(FHandle, LB_GETCURSEL, 0, 0));
  return FItemIndex;
}

void TCustomListBox::SetItemIndex(int i) {
  FItemIndex = i >= 0 && i < ItemCount() ? i : -1;
  if (HandleAllocated()) SendMessageA(FHandle, LB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
}

int TCustomListBox::TopIndex() {
  return HandleAllocated() ? static_cast<int>(SendMessageA(FHandle, LB_GETTOPINDEX, 0, 0)) : 0;
}

void TCustomListBox::SetTopIndex(int i) {
  if (HandleAllocated()) SendMessageA(FHandle, LB_SETTOPINDEX, static_cast<WPARAM>(i), 0);
}

void TCustomListBox::SetScrollWidth(int width) {
  FScrollWidth = width < 0 ? 0 : width;
  if (HandleAllocated()) SendMessageA(FHandle, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(FScrollWidth), 0);
}

void TCustomListBox::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND) {
    if (HIWORD(m.WParam) == LBN_SELCHANGE) Click();
    return;
  }
  TWinControl::WndProc(m);
}

DEFINE_CLASS_INFO(TListBox, TCustomListBox)

// ---- TScrollBar ----

DEFINE_CLASS_INFO(TScrollBar, TWinControl,
                  Prop<&TScrollBar::Kind, &TScrollBar::SetKind>("Kind", {"sbHorizontal", "sbVertical"}),
                  Prop<&TScrollBar::Min, &TScrollBar::SetMin>("Min"),
                  Prop<&TScrollBar::Max, &TScrollBar::SetMax>("Max"),
                  Prop<&TScrollBar::Position, &TScrollBar::SetPosition>("Position"),
                  Prop<&TScrollBar::PageSize, &TScrollBar::SetPageSize>("PageSize"))

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 121;
  FHeight = GetSystemMetrics(SM_CYHSCROLL);
  TabStop = true;
}

void TScrollBar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.NativeClass = "SCROLLBAR";
  p.Style |= FKind == sbHorizontal ? SBS_HORZ : SBS_VERT;
}

void TScrollBar::CreateHandleDone() { ApplyInfo(); }

void TScrollBar::SetKind(TScrollKind kind) {
  if (Changes(FKind, kind)) RecreateWnd();
}

int TScrollBar::Clamp(int position) const {
  const int last = FPageSize > 0 ? FMax - FPageSize + 1 : FMax;
  if (position > last) position = last;
  if (position < FMin) position = FMin;
  return position;
}

void TScrollBar::SetPageSize(int v) {
  FPageSize = v < 0 ? 0 : v;
  SetParams(FPosition, FMin, FMax);
}

void TScrollBar::SetParams(int position, int min, int max) {
  if (min > max) min = max;
  FMin = min;
  FMax = max;
  const int p = Clamp(position);
  const bool changed = p != FPosition;
  FPosition = p;
  ApplyInfo();
  if (changed && OnChange) OnChange(this);
}

void TScrollBar::ApplyInfo() {
  if (!HandleAllocated()) return;
  SCROLLINFO si{sizeof si, SIF_ALL, FMin, FMax, static_cast<UINT>(FPageSize), FPosition, 0};
  SetScrollInfo(FHandle, SB_CTL, &si, TRUE);
}

void TScrollBar::WndProc(TMessage& m) {
  if (m.Msg != CN_HSCROLL && m.Msg != CN_VSCROLL) {
    TWinControl::WndProc(m);
    return;
  }
  int p = FPosition;
  switch (LOWORD(m.WParam)) {
    case SB_LINEUP:
      p -= SmallChange;
      break;
    case SB_LINEDOWN:
      p += SmallChange;
      break;
    case SB_PAGEUP:
      p -= LargeChange;
      break;
    case SB_PAGEDOWN:
      p += LargeChange;
      break;
    case SB_TOP:
      p = FMin;
      break;
    case SB_BOTTOM:
      p = FMax;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      // The 32-bit track position, not the message's 16-bit one.
      SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
      GetScrollInfo(FHandle, SB_CTL, &si);
      p = si.nTrackPos;
      break;
    }
    default:
      return;
  }
  SetPosition(p);
}

// ---- TCustomEdit ----

DEFINE_CLASS_INFO(TCustomEdit, TWinControl,
                  Prop<&TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle>("BorderStyle",
                                                                                {"bsNone", "bsSingle"}),
                  Prop<&TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly>("ReadOnly"),
                  Prop<&TCustomEdit::GetText, &TCustomEdit::SetText>("Text"))

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 121;
  FHeight = 21;
  FColor = clWindow;
  TabStop = true;
  ClicksOnMouseUp = false;
}

void TCustomEdit::SetBorderStyle(TFormBorderStyle v) {
  if (v != bsNone) v = bsSingle;
  if (v == FBorderStyle) return;
  FBorderStyle = v;
  if (!HandleAllocated()) return;
  LONG_PTR ex = GetWindowLongPtrA(FHandle, GWL_EXSTYLE);
  ex = v == bsNone ? (ex & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE)) : (ex | WS_EX_CLIENTEDGE);
  SetWindowLongPtrA(FHandle, GWL_EXSTYLE, ex);
  SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TCustomEdit::SetReadOnly(bool v) {
  FReadOnly = v;
  if (HandleAllocated()) SendMessageA(FHandle, EM_SETREADONLY, v ? TRUE : FALSE, 0);
}

void TCustomEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.NativeClass = "EDIT";
  p.Style |= ES_AUTOHSCROLL | (FReadOnly ? ES_READONLY : 0);
  if (FBorderStyle != bsNone) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND) {
    if (HIWORD(m.WParam) == EN_CHANGE && OnChange) OnChange(this);
    return;
  }
  TWinControl::WndProc(m);
}

DEFINE_CLASS_INFO(TEdit, TCustomEdit)

// ---- TCustomComboBox ----

DEFINE_CLASS_INFO(TCustomComboBox, TWinControl,
                  Prop<&TCustomComboBox::Style, &TCustomComboBox::SetStyle>("Style",
                                                                            {"csDropDown", "csSimple",
                                                                             "csDropDownList"}),
                  Prop<&TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex>("ItemIndex"),
                  Prop<&TCustomComboBox::GetText, &TCustomComboBox::SetText>("Text"))

TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 145;
  FHeight = 21;
  FColor = clWindow;
  TabStop = true;
  ClicksOnMouseUp = false;
}

void TCustomComboBox::SetStyle(TComboBoxStyle v) {
  if (!HandleAllocated()) FStyle = v;
}

int TCustomComboBox::WindowHeight(int height) const {
  if (FStyle == csSimple) return height;
  // The closed box keeps the height its font gives it; the rest is the dropped list.
  return height + std::max(DropDownCount, 1) * 16 + 2;
}

void TCustomComboBox::AddItem(const std::string& item) {
  FItems.Add(item);
  if (HandleAllocated()) SendMessageA(FHandle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void TCustomComboBox::ClearItems() {
  FItems.Clear();
  FItemIndex = -1;
  if (HandleAllocated()) SendMessageA(FHandle, CB_RESETCONTENT, 0, 0);
}

int TCustomComboBox::ItemIndex() const {
  if (FHandle) return static_cast<int>(SendMessageA(FHandle, CB_GETCURSEL, 0, 0));
  return FItemIndex;
}

void TCustomComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= FItems.Count()) index = -1;
  FItemIndex = index;
  if (HandleAllocated()) SendMessageA(FHandle, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TCustomComboBox::SetText(const std::string& text) {
  if (FStyle == csDropDownList) {
    SetItemIndex(FItems.IndexOf(text));
    return;
  }
  TWinControl::SetText(text);
}

void TCustomComboBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.NativeClass = "COMBOBOX";
  static constexpr DWORD kinds[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST};
  p.Style |= kinds[FStyle] | CBS_AUTOHSCROLL | WS_VSCROLL;
}

void TCustomComboBox::CreateHandleDone() {
  for (int i = 0; i < FItems.Count(); ++i)
    SendMessageA(FHandle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FItems[i].c_str()));
  if (FItemIndex >= 0)
    SendMessageA(FHandle, CB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
  else if (FStyle != csDropDownList && !FText.empty())
    SetWindowTextA(FHandle, FText.c_str());
}

void TCustomComboBox::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND) {
    const WORD code = HIWORD(m.WParam);
    if (code == CBN_SELCHANGE) FItemIndex = ItemIndex();
    if ((code == CBN_SELCHANGE || code == CBN_EDITCHANGE) && OnChange) OnChange(this);
    return;
  }
  TWinControl::WndProc(m);
}

DEFINE_CLASS_INFO(TComboBox, TCustomComboBox)
