#pragma once
// Push buttons (a wrapped native BUTTON) and labels (windowless text).
#include <windows.h>

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
