#pragma once
// Containers, size grips, group boxes, status bars, progress bars and track bars. Most of
// them recolour or overpaint their control and keep no state of their own:
//   TSkinBox       class-library containers (panels, embedded forms, tool bars): recolours
//                  only, with no message hook; their children are offered to the pass
//   TSkinBoxH      a standard dialog inside another window: erased in the skin colour
//   TSkinSizer     size grips: painted in the skin colour
//   TSkinGroupBox  the etched frame replaced by a rounded one, the caption redrawn over it
//   TSkinStatusBar every panel, the simple text and the size grip drawn from the skin
//   TSkinProgress  the bar drawn from the Progress strip (or its chunk picture)
//   TSkinTrackBar  only the thumb, through the control's custom-draw notification
#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>

#include "skin/controls/SkinSubclass.h"

class TSkinBox : public TSkinControl {
 public:
  explicit TSkinBox(TComponent* AOwner) : TSkinControl(AOwner) {}
  DECLARE_CLASS_INFO;
  // Registers and recolours; the control's WindowProc stays as it is.
  void InitControl(TSkinForm* Form, TSkinData* SkinData, TCanvas* Canvas, bool Recolor) override;
  void UnSkin() override;
  void AfterProc(TMessage&) override {}
};

class TSkinBoxH : public TSkinControl {
 public:
  explicit TSkinBoxH(TComponent* AOwner) : TSkinControl(AOwner) {}
  DECLARE_CLASS_INFO;
  bool BeforeProc(TMessage& m) override;
  // The texts and buttons of the page are drawn on the face it is erased with.
  void AfterProc(TMessage& m) override;
};

class TSkinSizer : public TSkinControl {
 public:
  explicit TSkinSizer(TComponent* AOwner) : TSkinControl(AOwner) {}
  DECLARE_CLASS_INFO;
  void DrawSkin(HDC dc, const RECT& rect) override;
};

class TSkinGroupBox : public TSkinControl {
 public:
  explicit TSkinGroupBox(TComponent* AOwner) : TSkinControl(AOwner) {}
  DECLARE_CLASS_INFO;
  void DrawSkin(HDC dc, const RECT& rect) override { DrawGroupFrame(dc, rect); }
  void DrawGroupFrame(HDC dc, const RECT& rect);
};

class TSkinStatusBar : public TSkinControl {
 public:
  explicit TSkinStatusBar(TComponent* AOwner);
  DECLARE_CLASS_INFO;
  bool BeforeProc(TMessage& m) override;
  void DrawSkin(HDC dc, const RECT& rect) override;
  // A panel face: frame `frame` of the 3-frame StatusBarEdges strip, or without it a
  // one-pixel sunken (1) or raised (2) frame, or nothing (3).
  void DrawPanelFace(HDC dc, const RECT& rect, int frame);

 private:
  TBackBuffer FBuffer;
};

class TSkinProgress : public TSkinControl {
 public:
  explicit TSkinProgress(TComponent* AOwner);
  DECLARE_CLASS_INFO;
  bool BeforeProc(TMessage& m) override;
  void DrawSkin(HDC dc, const RECT& rect) override;
  void DrawChunkProgress(HDC dc, const RECT& rect);

 private:
  bool SkinReady() const;
  TBackBuffer FBuffer;
};

class TSkinTrackBar : public TSkinControl {
 public:
  explicit TSkinTrackBar(TComponent* AOwner) : TSkinControl(AOwner) {}
  DECLARE_CLASS_INFO;
  bool BeforeProc(TMessage& m) override;
  void SkinChanged() override;
  // The answer to one NM_CUSTOMDRAW of the track bar.
  LRESULT TrackBarCustomDraw(NMCUSTOMDRAW& draw);
  void DrawTrackThumb(HDC dc, int frame);
};
