#pragma once
// Push buttons, check boxes and radio buttons (wrapped native BUTTONs) and labels
// (windowless text).
#include <windows.h>

#include <memory>

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
