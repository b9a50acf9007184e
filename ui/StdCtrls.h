#pragma once
// Push buttons, check boxes and radio buttons (wrapped native BUTTONs), labels (windowless
// text), memos, list boxes and scroll bars.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/Controls.h"

class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* AOwner);
  static const TClassInfo& StaticClass();
  const TClassInfo& ClassType() const override { return StaticClass(); }
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
  static const TClassInfo& StaticClass();
  const TClassInfo& ClassType() const override { return StaticClass(); }
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

// A check box over the native BUTTON. The control keeps the state and the native box shows
// it: a click steps unchecked -> checked -> (grayed, with AllowGrayed) -> unchecked, then
// OnClick runs. Setting Checked or State does not click.
class TCustomCheckBox : public TWinControl {
 public:
  explicit TCustomCheckBox(TComponent* AOwner);
  static const TClassInfo& StaticClass();
  const TClassInfo& ClassType() const override { return StaticClass(); }
  bool Checked() const noexcept { return FState == cbChecked; }
  void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }
  TCheckBoxState State() const noexcept { return FState; }
  void SetState(TCheckBoxState s);
  bool AllowGrayed() const noexcept { return FAllowGrayed; }
  void SetAllowGrayed(bool v);
  // The box at the right edge, the text to its left (BS_LEFTTEXT).
  bool LeftText() const noexcept { return FLeftText; }
  void SetLeftText(bool v);

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void WndProc(TMessage& m) override;
  virtual void Toggle();
  // The native button type (low four bits of the style).
  virtual DWORD ButtonType() const { return BS_3STATE; }

 private:
  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
  bool FLeftText = false;
};

class TCheckBox : public TCustomCheckBox {
 public:
  explicit TCheckBox(TComponent* AOwner);
  static const TClassInfo& StaticClass();
  const TClassInfo& ClassType() const override { return StaticClass(); }
};

// A radio button over the native auto radio BUTTON: the system unchecks the others of its
// group on a click and moves with the arrow keys; checking one from code unchecks the other
// radio buttons of the same parent.
class TRadioButton : public TWinControl {
 public:
  explicit TRadioButton(TComponent* AOwner);
  static const TClassInfo& StaticClass();
  const TClassInfo& ClassType() const override { return StaticClass(); }
  bool Checked() const;
  void SetChecked(bool v);
  bool LeftText() const noexcept { return FLeftText; }
  void SetLeftText(bool v);

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void WndProc(TMessage& m) override;

 private:
  void SetOwnChecked(bool v);
  bool FChecked = false;
  bool FLeftText = false;
};

// A check box that draws its box from a glyph bitmap of its own: nine cells side by side,
// unchecked, checked and grayed, each normal, pushed and disabled (in that row order).
// The bitmap is read when UseCustomGlyphs becomes true, so whoever changes CustomGlyphs
// switches UseCustomGlyphs off and on again; without glyphs the box is the system's.
class TGlyphCheckBox : public TCustomCheckBox {
 public:
  explicit TGlyphCheckBox(TComponent* AOwner);
  ~TGlyphCheckBox() override;
  static const TClassInfo& StaticClass();
  const TClassInfo& ClassType() const override { return StaticClass(); }
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
  static const TClassInfo& StaticClass();
  const TClassInfo& ClassType() const override { return StaticClass(); }

 protected:
  void CreateParams(TCreateParams& params) override;
  void PaintWindow(HDC dc) override;
};

class TGroupBox : public TCustomGroupBox {
 public:
  explicit TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}
  static const TClassInfo& StaticClass();
  const TClassInfo& ClassType() const override { return StaticClass(); }
};

// Which bars a memo shows.
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// A multi-line text box (a wrapped native EDIT). The bars and the wrapping are read when
// the window is made.
class TMemo : public TWinControl {
 public:
  explicit TMemo(TComponent* AOwner);
  static const TClassInfo& StaticClass();
  const TClassInfo& ClassType() const override { return StaticClass(); }
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
  static const TClassInfo& StaticClass();
  const TClassInfo& ClassType() const override { return StaticClass(); }
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

class TListBox : public TCustomListBox {
 public:
  explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
  static const TClassInfo& StaticClass();
  const TClassInfo& ClassType() const override { return StaticClass(); }
};

enum TScrollKind { sbHorizontal, sbVertical };

// A stand-alone scroll bar (a wrapped native SCROLLBAR). The native bar only reports what
// the user did; the position moves here, clamped to Min..Max (less the page), and each
// change raises OnChange.
class TScrollBar : public TWinControl {
 public:
  explicit TScrollBar(TComponent* AOwner);
  static const TClassInfo& StaticClass();
  const TClassInfo& ClassType() const override { return StaticClass(); }
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
