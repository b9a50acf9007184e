#pragma once
// Skinned scroll bars. A native scroll bar cannot be painted from outside, so each one is
// covered by a TWScrollbar: a small window of the same parent, directly above the scrolled
// window in Z order, that paints the skin's Scrollbar (arrows), HorzScroll/VertScroll
// (tracks) and HorzScrollThumb/VertScrollThumb from the native bar's current geometry, and
// hands every left press to the native bar, so scrolling itself stays the system's.
//
// The handlers that lay the bars:
//   TSkinScrollbar   a class-library control with window scroll bars (memo, list box,
//                    scroll box; list views derive from it): attach with InitScrollControl.
//   TSkinScrollbarH  a raw window with window scroll bars (the list of a simple combo box):
//                    attach with InitHandle.
//   TSkinScControl   a scroll-bar control: attach with InitScControl.
//
// A handler derived from TSkinScrollbar keeps the bars right by letting AfterProc see
// WM_NCPAINT, WM_SIZE, WM_HSCROLL/WM_VSCROLL and WM_PAINT (call the base for them), and calls
// UpdateBars after anything else that may show, hide or move the native bars.
#include <windows.h>

#include <memory>

#include "skin/controls/ScrollBarGeometry.h"
#include "skin/controls/SkinSubclass.h"

class TWScrollbar : public TWinControl {
 public:
  // Owned (and freed) by the handler that lends it the skin.
  explicit TWScrollbar(TSkinControl* Handler);
  ~TWScrollbar() override;
  DECLARE_CLASS_INFO;

  // Covers a bar of a class-library control (sbkHorizontal, sbkVertical: its window bars;
  // sbkControl: the control is a scroll-bar control, whose "Kind" gives the orientation).
  void AttachControl(TSkinControl* Handler, TWinControl* Control, TScrollBarKind Kind);
  // The same for a raw window.
  void AttachHandle(TSkinControl* Handler, HWND Window, TScrollBarKind Kind);
  void HideBar();
  // Follows the covered bar of `window`: hides when it is invisible, else takes its place
  // and size (just above the window in Z order). An unreadable bar leaves the window where
  // it is and not shown.
  void UpdatePosition(HWND Window);
  // The scroll code of the part under a point in bar coordinates.
  int HitTest(POINT p) const;
  // The covered bar as the system reports it (for a scroll-bar control, worked out from its
  // range, page and position); false when it cannot be read.
  bool ReadBar(SCROLLBARINFO& info);
  bool GetControlBarInfo(SCROLLBARINFO& info);

  bool Shown() const noexcept { return FShown; }
  TScrollBarKind Kind() const noexcept { return FKind; }
  bool Vertical() const noexcept { return FVertical != 0; }
  HWND Target() const noexcept { return FTarget; }
  // The covered bar in the target's client coordinates.
  const RECT& BarRect() const noexcept { return FBarRect; }
  int ArrowSize() const noexcept { return FArrowSize; }
  int HitCode() const noexcept { return FHitCode; }
  void SetHitCode(int code) noexcept { FHitCode = code; }
  bool MouseDown() const noexcept { return FMouseDown; }
  // The thumb the last paint drew, along the axis.
  TThumbExtent Thumb() const noexcept { return {FThumbStart, FThumbEnd}; }

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& m) override;
  void PaintWindow(HDC dc) override;

 private:
  void Attach(TSkinControl* Handler, HWND Window, TWinControl* Control, TScrollBarKind Kind);
  void Paint(HDC dc);
  void LeftDown(TMessage& m);
  void LeftUp(TMessage& m);
  POINT ScreenPointOf(const TMessage& m) const;

  int FLength = 0;
  int FThumbStart = 0, FThumbEnd = 0;
  POINT FScreenPos{};
  POINT FDownPos{};
  int FDownThumb = 0;
  int FDownScrollPos = 0;  // window bars: the scroll position at the press
  bool FMouseDown = false;
  int FVertical = 0;
  int FArrowSize = 0;
  HWND FTarget = nullptr;
  TWinControl* FTargetControl = nullptr;
  TSkinControl* FSkinControl = nullptr;
  TScrollBarKind FKind = sbkHorizontal;
  RECT FBarRect{};
  int FHitCode = -1;
  bool FShown = false;
  HWND FParentWindow = nullptr;
  TBackBuffer FBuffer;
  // Cleared by the destructor: a press waits inside the system's scroll loop, during which
  // the bar may be freed.
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

class TSkinScrollbar : public TSkinControl {
 public:
  explicit TSkinScrollbar(TComponent* AOwner);
  ~TSkinScrollbar() override;
  DECLARE_CLASS_INFO;

  void InitScrollControl(TWinControl* Control, TSkinData* SkinData, TCanvas* Canvas,
                         TSkinForm* Form) override;
  void UnSkin() override;
  void AfterProc(TMessage& m) override;
  // Repaints the shown bars and fills the square between two shown bars.
  void DrawSkin(HDC dc, const RECT& rect) override;
  void UpdateBars();
  TWScrollbar* HorzBar() const noexcept { return FHorz; }
  TWScrollbar* VertBar() const noexcept { return FVert; }

 protected:
  void WindowRecreated() override;
  void MakeBars(TWinControl* control, HWND window);
  void FreeBars();
  void HideBars();
  // WM_HSCROLL / WM_VSCROLL: the bar shows the part being operated.
  void ScrollNotified(const TMessage& m);
  // What every set of bars follows, true when it took the message: a move of the window and
  // its own scrolling.
  bool FollowWindow(const TMessage& m);
  TWScrollbar* FHorz = nullptr;
  TWScrollbar* FVert = nullptr;
};

class TSkinScrollbarH : public TSkinScrollbar {
 public:
  explicit TSkinScrollbarH(TComponent* AOwner);
  DECLARE_CLASS_INFO;
  void InitHandle(HWND Handle, TSkinData* SkinData, TCanvas* Canvas, TSkinForm* Form) override;
  void AfterProc(TMessage& m) override;
};

class TSkinScControl : public TSkinControl {
 public:
  explicit TSkinScControl(TComponent* AOwner);
  ~TSkinScControl() override;
  DECLARE_CLASS_INFO;

  void InitScControl(TWinControl* Control, TSkinData* SkinData, TCanvas* Canvas, TSkinForm* Form);
  void UnSkin() override;
  void AfterProc(TMessage& m) override;
  void DrawSkin(HDC dc, const RECT& rect) override;
  TWScrollbar* Bar() const noexcept { return FBar; }

 protected:
  // The bar covers the new window, in the orientation the control has now.
  void WindowRecreated() override;

 private:
  TWScrollbar* FBar = nullptr;
};
