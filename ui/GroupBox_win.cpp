// Group boxes and bevels: containers and shapes the class library paints itself.
#include <algorithm>

#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

// ---- TCustomGroupBox ----

DEFINE_CLASS_INFO(TCustomGroupBox, TWinControl)

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

DEFINE_CLASS_INFO(TGroupBox, TCustomGroupBox)

// ---- TBevel ----

DEFINE_CLASS_INFO(TBevel, TGraphicControl,
                  Prop<&TBevel::Shape, &TBevel::SetShape>("Shape",
                                                          {"bsBox", "bsFrame", "bsTopLine", "bsBottomLine",
                                                           "bsLeftLine", "bsRightLine", "bsSpacer"}),
                  Prop<&TBevel::Style, &TBevel::SetStyle>("Style", {"bsLowered", "bsRaised"}))

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
  if (!dc || FShape == bsSpacer) return;
  RECT r{0, 0, FWidth, FHeight};
  const bool raised = FStyle == bsRaised;
  // A box is one edge; a frame and the lines are two thin edges, one inside the other. A line
  // at the bottom or right is the top or left edge of the last two pixels.
  const UINT edge =
      FShape == bsBox ? (raised ? BDR_RAISEDINNER : BDR_SUNKENOUTER) : (raised ? EDGE_BUMP : EDGE_ETCHED);
  const bool horizontal = FShape == bsTopLine || FShape == bsBottomLine;
  const bool vertical = FShape == bsLeftLine || FShape == bsRightLine;
  if (FShape == bsBottomLine) r.top = r.bottom - 2;
  if (FShape == bsRightLine) r.left = r.right - 2;
  DrawEdge(dc, &r, edge, horizontal ? BF_TOP : vertical ? BF_LEFT : BF_RECT);
}

// ---- TCustomRadioGroup ----

DEFINE_CLASS_INFO(TCustomRadioGroup, TCustomGroupBox,
                  Prop<&TCustomRadioGroup::ItemIndex, &TCustomRadioGroup::SetItemIndex>("ItemIndex"),
                  Prop<&TCustomRadioGroup::Columns, &TCustomRadioGroup::SetColumns>("Columns"))

TCustomRadioGroup::TCustomRadioGroup(TComponent* AOwner) : TCustomGroupBox(AOwner) {}

void TCustomRadioGroup::SetItems(const std::vector<std::string>& items) {
  // The buttons go and come again with the items.
  std::vector<TRadioButton*> old;
  old.swap(FButtons);
  for (TRadioButton* b : old) delete b;
  FItems = items;
  for (size_t i = 0; i < FItems.size(); ++i) {
    auto* b = new TRadioButton(this);
    b->SetParent(this);
    b->SetCaption(FItems[i]);
    const int index = static_cast<int>(i);
    b->OnClick = [this, index](TObject*) {
      if (index == FItemIndex) return;
      FItemIndex = index;
      if (OnChange) OnChange(this);
    };
    FButtons.push_back(b);
  }
  if (FItemIndex >= static_cast<int>(FItems.size())) FItemIndex = -1;
  if (FItemIndex >= 0) FButtons[static_cast<size_t>(FItemIndex)]->SetChecked(true);
  ArrangeButtons();
}

void TCustomRadioGroup::SetItemIndex(int index) {
  if (index < -1 || index >= static_cast<int>(FButtons.size())) index = -1;
  FItemIndex = index;
  for (size_t i = 0; i < FButtons.size(); ++i) FButtons[i]->SetChecked(static_cast<int>(i) == index);
}

void TCustomRadioGroup::SetColumns(int columns) {
  FColumns = std::max(1, columns);
  ArrangeButtons();
}

void TCustomRadioGroup::SetBounds(int left, int top, int width, int height) {
  TCustomGroupBox::SetBounds(left, top, width, height);
  ArrangeButtons();
}

void TCustomRadioGroup::ArrangeButtons() {
  if (FButtons.empty()) return;
  // Below the caption's line, in columns filled top to bottom; rows share the height.
  const int captionHeight = 16;
  const int rows = (static_cast<int>(FButtons.size()) + FColumns - 1) / FColumns;
  const int inner = std::max(0, FHeight - captionHeight - 6);
  const int rowHeight = std::max(1, inner / std::max(1, rows));
  const int columnWidth = std::max(1, (FWidth - 16) / FColumns);
  for (size_t i = 0; i < FButtons.size(); ++i) {
    const int row = static_cast<int>(i) % rows, column = static_cast<int>(i) / rows;
    const int buttonHeight = std::min(rowHeight, 17);
    FButtons[i]->SetBounds(8 + column * columnWidth,
                           captionHeight + row * rowHeight + (rowHeight - buttonHeight) / 2, columnWidth - 4,
                           buttonHeight);
  }
}

void TCustomRadioGroup::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomGroupBox::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove)
    std::erase_if(FButtons,
                  [AComponent](TRadioButton* b) { return static_cast<TComponent*>(b) == AComponent; });
}

DEFINE_CLASS_INFO(TRadioGroup, TCustomRadioGroup)
