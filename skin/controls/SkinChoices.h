#pragma once
// Skinned check boxes and radio buttons keep their own text and focus: after the control
// has painted itself, the native box is erased in the parent's colour and one frame of the
// skin's check or radio strip drawn in its place. Check boxes that draw their own glyphs
// from a bitmap property get a nine-cell glyph bitmap built from the skin instead
// (TSkinObjImage), and no window procedure of ours at all.
#include <windows.h>

#include "skin/controls/CheckGlyph.h"
#include "skin/controls/SkinSubclass.h"

// A repaint request some check-box classes send themselves when their state changes
// without a button message.
inline constexpr UINT CM_GLYPHREPAINT = 0xB0D0;

class TSkinCheckBox : public TSkinControl {
 public:
  explicit TSkinCheckBox(TComponent* AOwner);
  DECLARE_CLASS_INFO;
  void AfterProc(TMessage& m) override;
  void DrawSkin(HDC dc, const RECT& rect) override;
  // The native box comes back at the next paint, wherever the control sits.
  void UnSkin() override;
  // The strip frame (1-based) the last paint drew; 0 when the native box was left alone.
  int LastFrame() const noexcept { return FLastFrame; }

 protected:
  // The strip frame to draw and where, for the box's state as the control has it now.
  struct TGlyph {
    int Frame;
    TGlyphPlacement At;
  };
  virtual bool Radio() const { return false; }
  virtual TGlyph GlyphFor(const TSkinRect& rect, int count, int w, int h, LONG_PTR style) const;
  int FLastFrame = 0;
};

class TSkinRadioButton : public TSkinCheckBox {
 public:
  explicit TSkinRadioButton(TComponent* AOwner);
  DECLARE_CLASS_INFO;

 protected:
  bool Radio() const override { return true; }
  TGlyph GlyphFor(const TSkinRect& rect, int count, int w, int h, LONG_PTR style) const override;
};

class TSkinObjImage : public TSkinControl {
 public:
  explicit TSkinObjImage(TComponent* AOwner);
  DECLARE_CLASS_INFO;
  void InitControl(TSkinForm* Form, TSkinData* SkinData, TCanvas* Canvas, bool Recolor) override;
  void UnSkin() override;
  void SkinChanged() override;
  // Builds the nine-cell glyph bitmap from the skin's check strip and hands it to the
  // control's "CustomGlyphs", keyed on magenta, switching "UseCustomGlyphs" off and on so
  // the control reloads it. Nothing without a check strip or without "CustomGlyphs".
  void BuildCustomGlyphs();
  // Set by the form handler before attaching; without it the handler does nothing.
  bool FFeedGlyphs = false;
};
