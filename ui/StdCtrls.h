#pragma once
// Push buttons, check boxes and radio buttons (wrapped native BUTTONs), labels (windowless
// text), memos, list boxes, scroll bars, edits and combo boxes.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/Controls.h"
#include "ui/Forms.h"
#include "ui/StringList.h"

class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* AOwner);
  DECLARE_CLASS_INFO;
  bool Default() const noexcept { return FDefault; }
  void SetDefault(bool v);
  // Escape clicks the cancel button of a form.
  bool Cancel = false;

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& m) override;

 private:
  bool FDefault = false;
};

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

class TLabel : public TGraphicControl {
 public:
  explicit TLabel(TComponent* AOwner);
  DECLARE_CLASS_INFO;
  bool AutoSize() const noexcept { return FAutoSize; }
  void SetAutoSize(bool v);
  bool WordWrap() const noexcept { return FWordWrap; }
  void SetWordWrap(bool v);
  TAlignment Alignment = taLeftJustify;
  bool Transparent = false;
  void Loaded() override;

 protected:
  void Paint() override;
  void WndProc(TMessage& m) override;

 private:
  UINT TextFlags() const;
  // With AutoSize the label takes its text's size (with WordWrap only the height changes).
  void AdjustBounds();
  bool FAutoSize = true;
  bool FWordWrap = false;
};

// ---- check boxes and radio buttons ----

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// The native BUTTON behind check boxes and radio buttons: the text on the left of the box
// or right of it, and a click that first changes the state (Clicked), then raises OnClick.
class TButtonControl : public TWinControl {
 public:
  // The box at the right edge, the text to its left (BS_LEFTTEXT).
  bool LeftText() const noexcept { return FLeftText; }
  void SetLeftText(bool v);

 protected:
  TButtonControl(TComponent* AOwner, int width);
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& m) override;
  // The native button type (low four bits of the style).
  virtual DWORD ButtonType() const = 0;
  virtual void Clicked() = 0;

 private:
  bool FLeftText = false;
};

// A check box over the native BUTTON. The control keeps the state and the native box shows
// it: a click steps unchecked -> checked -> (grayed, with AllowGrayed) -> unchecked, then
// OnClick runs. Setting Checked or State does not click.
class TCustomCheckBox : public TButtonControl {
 public:
  explicit TCustomCheckBox(TComponent* AOwner);
  DECLARE_CLASS_INFO;
  bool Checked() const noexcept { return FState == cbChecked; }
  void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }
  TCheckBoxState State() const noexcept { return FState; }
  void SetState(TCheckBoxState s);
  bool AllowGrayed() const noexcept { return FAllowGrayed; }
  void SetAllowGrayed(bool v);

 protected:
  void CreateHandleDone() override;
  void Clicked() override { Toggle(); }
  virtual void Toggle();
  DWORD ButtonType() const override { return BS_3STATE; }

 private:
  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
};

DECLARE_NAMED_CLASS(TCheckBox, TCustomCheckBox);

// A radio button over the native auto radio BUTTON: the system unchecks the others of its
// group on a click and moves with the arrow keys; checking one from code unchecks the other
// radio buttons of the same parent.
class TRadioButton : public TButtonControl {
 public:
  explicit TRadioButton(TComponent* AOwner);
  DECLARE_CLASS_INFO;
  bool Checked() const;
  void SetChecked(bool v);

 protected:
  void CreateHandleDone() override;
  void Clicked() override { SetChecked(true); }
  DWORD ButtonType() const override { return BS_AUTORADIOBUTTON; }

 private:
  void SetOwnChecked(bool v);
  bool FChecked = false;
};

// A check box that draws its box from a glyph bitmap of its own: nine cells side by side,
// unchecked, checked and grayed, each normal, pushed and disabled (in that row order).
// The bitmap is read when UseCustomGlyphs becomes true, so whoever changes CustomGlyphs
// switches UseCustomGlyphs off and on again; without glyphs the box is the system's.
class TGlyphCheckBox : public TCustomCheckBox {
 public:
  explicit TGlyphCheckBox(TComponent* AOwner);
  ~TGlyphCheckBox() override;
  DECLARE_CLASS_INFO;
  TBitmap* CustomGlyphs() const noexcept { return FCustomGlyphs.get(); }
  bool UseCustomGlyphs() const noexcept { return FUseCustomGlyphs; }
  void SetUseCustomGlyphs(bool v);
  TColor TransparentColor() const noexcept { return FTransparentColor; }
  void SetTransparentColor(TColor c);
  // The glyph cell the last paint drew (0..8), or -1 for the system's box.
  int LastCell() const noexcept { return FLastCell; }

 protected:
  DWORD ButtonType() const override { return BS_OWNERDRAW; }
  void WndProc(TMessage& m) override;

 private:
  void DrawItem(const DRAWITEMSTRUCT& item);
  std::unique_ptr<TBitmap> FCustomGlyphs;
  std::unique_ptr<TBitmap> FLoaded;  // what UseCustomGlyphs took from CustomGlyphs
  bool FUseCustomGlyphs = false;
  TColor FTransparentColor = clFuchsia;
  int FLastCell = -1;
};
// A frame with a caption around a group of controls. Painted by the class library (an
// etched frame whose top edge runs through the middle of the caption's line), so child
// controls behave as on any container.
class TCustomGroupBox : public TWinControl {
 public:
  explicit TCustomGroupBox(TComponent* AOwner);
  DECLARE_CLASS_INFO;

 protected:
  void CreateParams(TCreateParams& params) override;
  void PaintWindow(HDC dc) override;
};

DECLARE_NAMED_CLASS(TGroupBox, TCustomGroupBox);

// Which bars a memo shows.
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// A multi-line text box (a wrapped native EDIT). The bars and the wrapping are read when
// the window is made.
class TMemo : public TWinControl {
 public:
  explicit TMemo(TComponent* AOwner);
  DECLARE_CLASS_INFO;
  TScrollStyle ScrollBars = ssNone;
  // Long lines wrap; without wrapping they scroll sideways.
  bool WordWrap = true;
  bool ReadOnly = false;
  // Replaces the text by these lines.
  void SetLines(const std::vector<std::string>& lines);
  int LineCount();
  // The first line shown.
  int TopLine();

 protected:
  void CreateParams(TCreateParams& params) override;
};

// A list of text items (a wrapped native LISTBOX). Its bars come and go with the content;
// the horizontal one when ScrollWidth is wider than the box.
class TCustomListBox : public TWinControl {
 public:
  explicit TCustomListBox(TComponent* AOwner);
  DECLARE_CLASS_INFO;
  void AddItem(const std::string& text);
  void ClearItems();
  int ItemCount() const noexcept { return static_cast<int>(FItems.size()); }
  const std::string& Item(int i) const { return FItems.at(static_cast<size_t>(i)); }
  int ItemIndex();
  void SetItemIndex(int i);
  int TopIndex();
  void SetTopIndex(int i);
  int ScrollWidth() const noexcept { return FScrollWidth; }
  void SetScrollWidth(int width);

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void WndProc(TMessage& m) override;

 private:
  std::vector<std::string> FItems;
  int FItemIndex = -1;
  int FScrollWidth = 0;
};

DECLARE_NAMED_CLASS(TListBox, TCustomListBox);

enum TScrollKind { sbHorizontal, sbVertical };

// A stand-alone scroll bar (a wrapped native SCROLLBAR). The native bar only reports what
// the user did; the position moves here, clamped to Min..Max (less the page), and each
// change raises OnChange.
class TScrollBar : public TWinControl {
 public:
  explicit TScrollBar(TComponent* AOwner);
  DECLARE_CLASS_INFO;
  TScrollKind Kind() const noexcept { return FKind; }
  // Changing the kind of a made window makes it again.
  void SetKind(TScrollKind kind);
  int Min() const noexcept { return FMin; }
  int Max() const noexcept { return FMax; }
  int Position() const noexcept { return FPosition; }
  int PageSize() const noexcept { return FPageSize; }
  void SetMin(int v) { SetParams(FPosition, v, FMax); }
  void SetMax(int v) { SetParams(FPosition, FMin, v); }
  void SetPosition(int v) { SetParams(v, FMin, FMax); }
  void SetPageSize(int v);
  // Min above Max is taken as Max; the position is clamped into the range.
  void SetParams(int position, int min, int max);
  int SmallChange = 1;
  int LargeChange = 1;
  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void WndProc(TMessage& m) override;

 private:
  int Clamp(int position) const;
  void ApplyInfo();
  TScrollKind FKind = sbHorizontal;
  int FMin = 0, FMax = 100, FPosition = 0, FPageSize = 0;
};

// ---- edits and combo boxes ----

// A single-line edit: a wrapped native EDIT. BorderStyle is bsNone or bsSingle (a sunken
// client edge); the other form border styles count as bsSingle.
class TCustomEdit : public TWinControl {
 public:
  explicit TCustomEdit(TComponent* AOwner);
  DECLARE_CLASS_INFO;
  TFormBorderStyle BorderStyle() const noexcept { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle v);
  bool ReadOnly() const noexcept { return FReadOnly; }
  void SetReadOnly(bool v);
  // The text changed (typed or set).
  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& m) override;

 private:
  TFormBorderStyle FBorderStyle = bsSingle;
  bool FReadOnly = false;
};

DECLARE_NAMED_CLASS(TEdit, TCustomEdit);

// Simple: an edit over an always-open list; drop-down: an edit with a list that drops
// down; drop-down list: a list that drops down, no typing.
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

// A wrapped native COMBOBOX. The items live here as well as in the window, so they survive
// the window being made again.
class TCustomComboBox : public TWinControl {
 public:
  explicit TCustomComboBox(TComponent* AOwner);
  DECLARE_CLASS_INFO;

  TComboBoxStyle Style() const noexcept { return FStyle; }
  // Before the window exists only.
  void SetStyle(TComboBoxStyle v);
  const TStringList& Items() const noexcept { return FItems; }
  void AddItem(const std::string& item);
  void ClearItems();
  // -1: nothing chosen.
  int ItemIndex() const;
  void SetItemIndex(int index);
  // A drop-down list shows only its items: setting a text chooses the item of that text.
  void SetText(const std::string& text) override;
  // How many items the dropped list shows before it scrolls.
  int DropDownCount = 8;
  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void WndProc(TMessage& m) override;
  // A drop-down's window includes its dropped list.
  int WindowHeight(int height) const override;

 private:
  TComboBoxStyle FStyle = csDropDown;
  TStringList FItems;
  int FItemIndex = -1;
};

DECLARE_NAMED_CLASS(TComboBox, TCustomComboBox);
