// Status bars, progress bars, track bars and tool bars: thin wrappers over the common
// controls, keeping their state so a window made again gets it back.
#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>

#include <algorithm>

#include "ui/ComCtrls.h"
#include "ui/CommonControls_win.h"
#include "ui/DpiScale.h"
#include "ui/Menus.h"

// ---- TStatusPanel ----

DEFINE_CLASS_INFO(TStatusPanel, TPersistent, Prop<&TStatusPanel::Text, &TStatusPanel::SetText>("Text"),
                  Prop<&TStatusPanel::Width, &TStatusPanel::SetWidth>("Width"),
                  Prop<&TStatusPanel::Bevel, &TStatusPanel::SetBevel>("Bevel",
                                                                      {"pbNone", "pbLowered", "pbRaised"}),
                  Prop<&TStatusPanel::Style, &TStatusPanel::SetStyle>("Style", {"psText", "psOwnerDraw"}),
                  Prop<&TStatusPanel::Alignment, &TStatusPanel::SetAlignment>("Alignment",
                                                                              {"taLeftJustify",
                                                                               "taRightJustify", "taCenter"}))

int TStatusPanel::Index() const {
  for (int i = 0; i < FOwner->PanelCount(); ++i)
    if (FOwner->Panels(i) == this) return i;
  return -1;
}

void TStatusPanel::SetText(const std::string& v) {
  FText = v;
  FOwner->UpdatePanels();
}
void TStatusPanel::SetWidth(int v) {
  FWidth = std::max(0, v);
  FOwner->UpdatePanels();
}
void TStatusBar::ChangeScale(int toDpi, int fromDpi) {
  TWinControl::ChangeScale(toDpi, fromDpi);
  for (auto& p : FPanels) p->FWidth = ScaleDpi(p->FWidth, toDpi, fromDpi);
  UpdatePanels();
}

void TStatusPanel::SetBevel(TStatusPanelBevel v) {
  FBevel = v;
  FOwner->UpdatePanels();
}
void TStatusPanel::SetStyle(TStatusPanelStyle v) {
  FStyle = v;
  FOwner->UpdatePanels();
}
void TStatusPanel::SetAlignment(TAlignment v) {
  FAlignment = v;
  FOwner->UpdatePanels();
}

// ---- TStatusBar ----

DEFINE_CLASS_INFO(TStatusBar, TWinControl,
                  Prop<&TStatusBar::SimpleText, &TStatusBar::SetSimpleText>("SimpleText"),
                  Prop<&TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel>("SimplePanel"),
                  Prop<&TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip>("SizeGrip"))

TStatusBar::TStatusBar(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 200;
  FHeight = 19;
}

TStatusBar::~TStatusBar() { FCanvas.SetHandle(nullptr); }

TStatusPanel* TStatusBar::AddPanel() {
  FPanels.push_back(std::make_unique<TStatusPanel>(this));
  UpdatePanels();
  return FPanels.back().get();
}

void TStatusBar::SetSimpleText(const std::string& v) {
  FSimpleText = v;
  UpdatePanels();
}

void TStatusBar::SetSimplePanel(bool v) {
  FSimplePanel = v;
  UpdatePanels();
}

void TStatusBar::SetSizeGrip(bool v) {
  if (v == FSizeGrip) return;
  FSizeGrip = v;
  RecreateWnd();  // the grip is a creation style
}

void TStatusBar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  WrapCommonControl(p, ICC_BAR_CLASSES, STATUSCLASSNAMEA);
  // Placed by its bounds, like every other control.
  p.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
  if (FSizeGrip) p.Style |= SBARS_SIZEGRIP;
}

void TStatusBar::CreateHandleDone() { UpdatePanels(); }

void TStatusBar::UpdatePanels() {
  if (!HandleAllocated()) return;
  const bool simple = FSimplePanel || FPanels.empty();
  SendMessageA(FHandle, SB_SIMPLE, simple ? TRUE : FALSE, 0);
  if (simple) {
    SendMessageA(FHandle, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(FSimpleText.c_str()));
  } else {
    std::vector<int> rights;
    int x = 0;
    for (size_t i = 0; i < FPanels.size(); ++i) {
      x += FPanels[i]->Width();
      rights.push_back(i + 1 == FPanels.size() ? -1 : x);  // the last panel reaches the end
    }
    SendMessageA(FHandle, SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
    for (size_t i = 0; i < FPanels.size(); ++i) {
      const TStatusPanel& panel = *FPanels[i];
      WPARAM flags = i;
      if (panel.Bevel() == pbNone) flags |= SBT_NOBORDERS;
      if (panel.Bevel() == pbRaised) flags |= SBT_POPOUT;
      if (panel.Style() == psOwnerDraw) flags |= SBT_OWNERDRAW;
      // The native bar aligns by tab characters: one before centres, two right-align.
      std::string text = panel.Text();
      if (panel.Alignment() == taCenter) text = "\t" + text;
      if (panel.Alignment() == taRightJustify) text = "\t\t" + text;
      SendMessageA(FHandle, SB_SETTEXTA, flags,
                   panel.Style() == psOwnerDraw ? reinterpret_cast<LPARAM>(&panel)
                                                : reinterpret_cast<LPARAM>(text.c_str()));
    }
  }
  InvalidateRect(FHandle, nullptr, TRUE);
}

void TStatusBar::DrawPanel(TStatusPanel* panel, HDC dc, const RECT& rect) {
  if (!OnDrawPanel) return;
  FCanvas.SetHandle(dc);
  try {
    OnDrawPanel(this, panel, rect);
  } catch (...) {
    FCanvas.SetHandle(nullptr);
    throw;
  }
  FCanvas.SetHandle(nullptr);
}

void TStatusBar::WndProc(TMessage& m) {
  if (m.Msg == CN_DRAWITEM) {
    const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
    const int index = static_cast<int>(dis->itemID);
    if (index >= 0 && index < PanelCount()) DrawPanel(Panels(index), dis->hDC, dis->rcItem);
    m.Result = TRUE;
    return;
  }
  TWinControl::WndProc(m);
}

// ---- TRangeBar ----

DEFINE_CLASS_INFO(TRangeBar, TWinControl, Prop<&TRangeBar::Min, &TRangeBar::SetMin>("Min"),
                  Prop<&TRangeBar::Max, &TRangeBar::SetMax>("Max"),
                  Prop<&TRangeBar::Position, &TRangeBar::SetPosition>("Position"))

TRangeBar::TRangeBar(TComponent* AOwner, int max, UINT getPositionMessage)
    : TWinControl(AOwner), FMax(max), FGetPositionMessage(getPositionMessage) {}

void TRangeBar::SetRange(int min, int max) {
  FMin = min;
  FMax = std::max(min, max);
  FPosition = std::clamp(FPosition, FMin, FMax);
  if (HandleAllocated()) CreateHandleDone();
}

int TRangeBar::Position() const {
  if (FHandle) return static_cast<int>(SendMessageA(FHandle, FGetPositionMessage, 0, 0));
  return FPosition;
}

void TRangeBar::SetPosition(int v) {
  FPosition = std::clamp(v, FMin, FMax);
  if (HandleAllocated()) SendPosition();
}

void TRangeBar::Recreate() {
  if (!HandleAllocated()) return;
  FPosition = Position();
  RecreateWnd();
}

// ---- TProgressBar ----

DEFINE_CLASS_INFO(TProgressBar, TRangeBar,
                  Prop<&TProgressBar::Orientation, &TProgressBar::SetOrientation>("Orientation",
                                                                                  {"pbHorizontal",
                                                                                   "pbVertical"}))

TProgressBar::TProgressBar(TComponent* AOwner) : TRangeBar(AOwner, 100, PBM_GETPOS) {
  FWidth = 150;
  FHeight = 16;
}

void TProgressBar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  WrapCommonControl(p, ICC_PROGRESS_CLASS, PROGRESS_CLASSA);
  if (FOrientation == pbVertical) p.Style |= PBS_VERTICAL;
}

void TProgressBar::CreateHandleDone() {
  SendMessageA(FHandle, PBM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
  SendPosition();
}

void TProgressBar::SendPosition() { SendMessageA(FHandle, PBM_SETPOS, static_cast<WPARAM>(FPosition), 0); }

// ---- TTrackBar ----

DEFINE_CLASS_INFO(
    TTrackBar, TRangeBar, Prop<&TTrackBar::Frequency, &TTrackBar::SetFrequency>("Frequency"),
    Prop<&TTrackBar::Orientation, &TTrackBar::SetOrientation>("Orientation", {"trHorizontal", "trVertical"}),
    Prop<&TTrackBar::TickMarks, &TTrackBar::SetTickMarks>("TickMarks",
                                                          {"tmBottomRight", "tmTopLeft", "tmBoth"}),
    Prop<&TTrackBar::TickStyle, &TTrackBar::SetTickStyle>("TickStyle", {"tsNone", "tsAuto", "tsManual"}))

TTrackBar::TTrackBar(TComponent* AOwner) : TRangeBar(AOwner, 10, TBM_GETPOS) {
  FWidth = 150;
  FHeight = 45;
  TabStop = true;
}

void TTrackBar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  WrapCommonControl(p, ICC_BAR_CLASSES, TRACKBAR_CLASSA);
  if (FOrientation == trVertical) p.Style |= TBS_VERT;
  if (FTickMarks == tmTopLeft) p.Style |= TBS_TOP;  // TBS_LEFT for vertical bars: the same bit
  if (FTickMarks == tmBoth) p.Style |= TBS_BOTH;
  if (FTickStyle == tsAuto) p.Style |= TBS_AUTOTICKS;
  if (FTickStyle == tsNone) p.Style |= TBS_NOTICKS;
}

void TTrackBar::CreateHandleDone() {
  SendMessageA(FHandle, TBM_SETRANGEMIN, FALSE, FMin);
  SendMessageA(FHandle, TBM_SETRANGEMAX, FALSE, FMax);
  SendMessageA(FHandle, TBM_SETTICFREQ, static_cast<WPARAM>(FFrequency), 0);
  SendPosition();
}

void TTrackBar::SendPosition() { SendMessageA(FHandle, TBM_SETPOS, TRUE, FPosition); }

void TTrackBar::SetFrequency(int v) {
  FFrequency = std::max(1, v);
  if (HandleAllocated()) SendMessageA(FHandle, TBM_SETTICFREQ, static_cast<WPARAM>(FFrequency), 0);
}

void TTrackBar::WndProc(TMessage& m) {
  if (m.Msg == CN_HSCROLL || m.Msg == CN_VSCROLL) {
    FPosition = Position();
    if (OnChange) OnChange(this);
    m.Result = 0;
    return;
  }
  TWinControl::WndProc(m);
}

// ---- TToolButton ----

DEFINE_CLASS_INFO(TToolButton, TComponent, Prop<&TToolButton::Caption, &TToolButton::SetCaption>("Caption"),
                  Prop<&TToolButton::Style>("Style",
                                            {"tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator"}))

TToolButton::TToolButton(TComponent* AOwner) : TComponent(AOwner) {}

TToolButton::~TToolButton() { SetToolBar(nullptr); }

void TToolButton::SetToolBar(TToolBar* bar) {
  if (bar == FToolBar) return;
  if (FToolBar) FToolBar->RemoveButton(this);
  if (bar) bar->InsertButton(this);
}

void TToolButton::SetCaption(const std::string& v) {
  FCaption = v;
  if (FToolBar) FToolBar->RebuildButtons();
}

bool TToolButton::Down() const {
  if (!FToolBar || !FToolBar->HandleAllocated()) return false;
  return SendMessageA(const_cast<TToolBar*>(FToolBar)->Handle(), TB_ISBUTTONCHECKED, FCommand, 0) != 0;
}

void TToolButton::SetDropdownMenu(TPopupMenu* menu) {
  if (FDropdownMenu && FDropdownMenu != menu) FDropdownMenu->RemoveFreeNotification(this);
  FDropdownMenu = menu;
  if (menu) menu->FreeNotification(this);
}

void TToolButton::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FDropdownMenu) FDropdownMenu = nullptr;
}

// ---- TToolBar ----

DEFINE_CLASS_INFO(TToolBar, TWinControl, Prop<&TToolBar::Flat, &TToolBar::SetFlat>("Flat"))

TToolBar::TToolBar(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 150;
  FHeight = 29;
}

TToolBar::~TToolBar() {
  // The buttons may outlive us (they belong to the form): they forget us now.
  for (TToolButton* b : FButtons) b->FToolBar = nullptr;
  FButtons.clear();
}

void TToolBar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  WrapCommonControl(p, ICC_BAR_CLASSES, TOOLBARCLASSNAMEA);
  p.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | TBSTYLE_LIST;
  if (FFlat) p.Style |= TBSTYLE_FLAT;
}

void TToolBar::CreateHandleDone() {
  SendMessageA(FHandle, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(FHandle, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  SendMessageA(FHandle, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
  RebuildButtons();
}

void TToolBar::SetFlat(bool v) {
  if (v == FFlat) return;
  FFlat = v;
  if (!HandleAllocated()) return;
  const LONG_PTR style = GetWindowLongPtrA(FHandle, GWL_STYLE);
  SetWindowLongPtrA(FHandle, GWL_STYLE,
                    v ? (style | TBSTYLE_FLAT) : (style & ~static_cast<LONG_PTR>(TBSTYLE_FLAT)));
  InvalidateRect(FHandle, nullptr, TRUE);
}

void TToolBar::InsertButton(TToolButton* b) {
  b->FToolBar = this;
  b->FCommand = FNextCommand++;
  FButtons.push_back(b);
  RebuildButtons();
}

void TToolBar::RemoveButton(TToolButton* b) {
  b->FToolBar = nullptr;
  std::erase(FButtons, b);
  RebuildButtons();
}

TToolButton* TToolBar::ButtonOf(int command) const {
  for (TToolButton* b : FButtons)
    if (b->FCommand == command) return b;
  return nullptr;
}

void TToolBar::RebuildButtons() {
  if (!HandleAllocated()) return;
  while (SendMessageA(FHandle, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageA(FHandle, TB_DELETEBUTTON, 0, 0);
  for (TToolButton* b : FButtons) {
    TBBUTTON tb{};
    tb.iBitmap = I_IMAGENONE;
    tb.idCommand = b->FCommand;
    tb.fsState = TBSTATE_ENABLED;
    switch (b->Style) {
      case tbsCheck:
        tb.fsStyle = BTNS_CHECK;
        break;
      case tbsDropDown:
        tb.fsStyle = BTNS_DROPDOWN;
        break;
      case tbsSeparator:
        tb.fsStyle = BTNS_SEP;
        tb.iBitmap = 8;  // a separator's width
        break;
      case tbsButton:
        tb.fsStyle = BTNS_BUTTON;
        break;
    }
    if (b->Style != tbsSeparator) {
      tb.fsStyle |= BTNS_AUTOSIZE | BTNS_SHOWTEXT;
      tb.iString = reinterpret_cast<INT_PTR>(b->FCaption.c_str());
    }
    SendMessageA(FHandle, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&tb));
  }
  SendMessageA(FHandle, TB_AUTOSIZE, 0, 0);
}

void TToolBar::DropDown(TToolButton* button) {
  if (!button || !button->DropdownMenu() || !HandleAllocated()) return;
  RECT r{};
  SendMessageA(FHandle, TB_GETRECT, static_cast<WPARAM>(button->FCommand), reinterpret_cast<LPARAM>(&r));
  POINT p{r.left, r.bottom};
  ::ClientToScreen(FHandle, &p);
  button->DropdownMenu()->Popup(p.x, p.y);
}

void TToolBar::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND:
      if (TToolButton* b = ButtonOf(LOWORD(m.WParam))) {
        if (b->OnClick)
          b->OnClick(b);
        else if (b->Style == tbsDropDown)
          DropDown(b);
      }
      m.Result = 0;
      return;
    case CN_NOTIFY: {
      const auto* hdr = reinterpret_cast<const NMHDR*>(m.LParam);
      if (hdr->code == static_cast<UINT>(TBN_DROPDOWN)) {
        DropDown(ButtonOf(reinterpret_cast<const NMTOOLBARA*>(m.LParam)->iItem));
        m.Result = TBDDRET_DEFAULT;
        return;
      }
      break;
    }
    default:
      break;
  }
  TWinControl::WndProc(m);
}
