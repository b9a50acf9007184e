#pragma once
// Speed buttons: windowless push buttons, optionally flat (edge only while hot or down),
// grouped (GroupIndex: one Down button per group of a parent), and glyph buttons (TBitBtn:
// a push button with a glyph strip laid out by Layout, Margin and Spacing, and kinds).
#include <windows.h>

#include <memory>

#include "ui/Controls.h"
#include "ui/StdCtrls.h"

class TImageList;

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* AOwner);
  DECLARE_CLASS_INFO;
  bool Flat() const noexcept { return FFlat; }
  void SetFlat(bool v);
  TBitmap* Glyph() const noexcept { return FGlyph.get(); }
  bool Pressed() const noexcept { return FPressed; }
  bool Down() const noexcept { return FDown; }
  // Down in a group puts the group's other buttons up.
  void SetDown(bool v);
  int GroupIndex = 0;
  bool AllowAllUp = false;
  int NumGlyphs = 1;
  int Margin = -1;
  int Spacing = 4;
  TButtonLayout Layout = blGlyphLeft;
  void Click() override;

 protected:
  void Paint() override;
  void WndProc(TMessage& m) override;

 private:
  bool FFlat = false;
  bool FPressed = false;
  bool FDown = false;
  std::unique_ptr<TBitmap> FGlyph;
};

enum TBitBtnKind {
  bkCustom,
  bkOK,
  bkCancel,
  bkHelp,
  bkYes,
  bkNo,
  bkClose,
  bkAbort,
  bkRetry,
  bkIgnore,
  bkAll
};

// A push button with a glyph, drawn by the class library (owner-drawn native button).
class TBitBtn : public TButton {
 public:
  explicit TBitBtn(TComponent* AOwner);
  DECLARE_CLASS_INFO;
  TBitmap* Glyph() const noexcept { return FGlyph.get(); }
  int NumGlyphs = 1;
  // Without a Glyph, the picture comes from an image list: ImageIndex, or when disabled
  // DisabledIndex (ImageIndex when -1) drawn greyed. The list is not owned.
  TImageList* Images = nullptr;
  int ImageIndex = -1;
  int DisabledIndex = -1;
  int Margin = -1;
  int Spacing = 4;
  TButtonLayout Layout = blGlyphLeft;
  TBitBtnKind Kind() const noexcept { return FKind; }
  // A kind other than bkCustom gives its caption, and OK / Cancel make the button the
  // dialog's default / cancel button.
  void SetKind(TBitBtnKind kind);

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& m) override;

 private:
  void DrawItem(const DRAWITEMSTRUCT& item);
  std::unique_ptr<TBitmap> FGlyph;
  TBitBtnKind FKind = bkCustom;
};
