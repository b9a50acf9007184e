#pragma once
// Skinned push buttons: class-library TButton controls and raw BUTTON windows
// (TSkinButton), glyph buttons laid out by their Layout, Margin and Spacing
// (TSkinBitButton), and windowless speed buttons (TSkinSpeedButton). Frames come from the
// skin's Buttons strip; every paint draws into one buffer and copies it with one BitBlt.
#include <windows.h>

#include <string>

#include "skin/controls/SkinSubclass.h"

class TSkinButton : public TSkinControl {
 public:
  explicit TSkinButton(TComponent* AOwner);
  DECLARE_CLASS_INFO;

  bool BeforeProc(TMessage& m) override;
  void AfterProc(TMessage& m) override;
  void DrawSkin(HDC dc, const RECT& rect) override;

  // "||" becomes a line break (kept in the caption cache); the block is centred vertically.
  void DrawButtonCaption(HDC dc, const RECT& rect, UINT alignment, const std::wstring& text);
  // The frame the last paint drew (0 before the first paint).
  int LastFrame() const noexcept { return FLastFrame; }

 protected:
  // The skin has a Buttons element with an image.
  bool SkinReady() const;
  // Applies a mouse or key event to the state bits and acts on the reaction.
  void React(TButtonEvent event, TButtonFamily family);
  virtual TButtonFamily Family() const { return TButtonFamily::Push; }
  bool RawWindow() const { return !FControl && !FGraphicControl; }
  TBackBuffer FBuffer;
  int FLastFrame = 0;
};

class TSkinBitButton : public TSkinButton {
 public:
  explicit TSkinBitButton(TComponent* AOwner);
  DECLARE_CLASS_INFO;
  void DrawSkin(HDC dc, const RECT& rect) override;

  // Cell `cell` of a glyph strip of numGlyphs cells (only a four-cell strip shows other
  // cells than the first), greyed for cell 2, keyed on its bottom-left pixel, at rect's corner.
  static void DrawGlyphCell(HDC dc, const RECT& rect, int numGlyphs, int cell, TBitmap& glyph);

 protected:
  TButtonFamily Family() const override { return TButtonFamily::Glyph; }
};

class TSkinSpeedButton : public TSkinBitButton {
 public:
  explicit TSkinSpeedButton(TComponent* AOwner);
  ~TSkinSpeedButton() override;
  DECLARE_CLASS_INFO;

  // Attaches to the windowless control that owns the handler.
  void InitGraphic(TSkinForm* Form, TSkinData* SkinData, TCanvas* Canvas);
  // The same for a handler owned elsewhere (the form handler): a windowless control frees
  // its owned components only after its own parts are gone, too late to give back its
  // WindowProc, so the pass makes these handlers owned by the form handler.
  void InitGraphicFor(TControl* control, TSkinForm* Form, TSkinData* SkinData, TCanvas* Canvas);
  bool BeforeProc(TMessage& m) override;
  void AfterProc(TMessage& m) override;
  void PaintSkin(HDC dc) override;
  void PaintSpeedButton(HDC dc, const RECT& rect);

 protected:
  TButtonFamily Family() const override { return TButtonFamily::Speed; }
};
