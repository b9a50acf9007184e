#pragma once
// Speed buttons: windowless push buttons, optionally flat (edge only while hot or down).
#include <windows.h>

#include <memory>

#include "ui/Controls.h"

class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* AOwner);
  static const TClassInfo& StaticClass();
  const TClassInfo& ClassType() const override { return StaticClass(); }
  bool Flat() const noexcept { return FFlat; }
  void SetFlat(bool v);
  TBitmap* Glyph() const noexcept { return FGlyph.get(); }
  bool Pressed() const noexcept { return FPressed; }

 protected:
  void Paint() override;
  void WndProc(TMessage& m) override;

 private:
  bool FFlat = false;
  bool FPressed = false;
  std::unique_ptr<TBitmap> FGlyph;
};
