#pragma once
// The clickable objects of a skinned frame (title-bar buttons, menu-bar buttons) and their
// mouse state machine, free of any platform call.
//
// The form handler owns a TNCObjectOwner (the hot object and the pressed one). Its Win32
// side finds the object under the mouse (SysButtonAt, the menu bar) and hands it to
// NcMouseMove / NcLButtonDown / NcLButtonUp / HoverTick; it gets back whether the message
// is swallowed and which title button's action runs. Faces are repainted through Paint,
// which a title button forwards to its OnPaint (the handler's PaintSysButton).
#include <functional>

#include "skin/forms/SkinDraw.h"

class TDataSkinSysButton;
class TNCObject;

enum TNCState : int { ncsNormal = 1, ncsPressed = 2, ncsHot = 3 };

class TNCObjectOwner {
 public:
  TNCObjectOwner() = default;
  TNCObjectOwner(const TNCObjectOwner&) = delete;
  TNCObjectOwner& operator=(const TNCObjectOwner&) = delete;

  TNCObject* Hot() const { return FHot; }
  // The object the left button went down on, until the release (or until a mouse move
  // shows the button is up again).
  TNCObject* Pressed() const { return FPressed; }
  // A full frame paint shows every face as normal, so nothing stays hot.
  void ForgetHot() { FHot = nullptr; }

  // WM_NCMOUSEMOVE (while the window is active) with the object under the point or none.
  // Returns true when the message is swallowed (an object is there).
  bool NcMouseMove(TNCObject* under, bool leftButtonDown);
  // WM_NCLBUTTONDOWN: true (swallow) when an object is there; it is pressed.
  bool NcLButtonDown(TNCObject* under);
  // WM_NCLBUTTONUP. Act is the title button whose action runs: the release must hit the
  // object that is hot and that the press went down on.
  struct TRelease {
    bool Swallow = false;
    TNCObject* Act = nullptr;
  };
  TRelease NcLButtonUp(TNCObject* under);
  // Hover timer tick: the hot object is left when the cursor is outside it.
  void HoverTick(int frameX, int frameY);

 private:
  friend class TNCObject;
  TNCObject* FHot = nullptr;
  TNCObject* FPressed = nullptr;
};

class TNCObject {
 public:
  explicit TNCObject(TNCObjectOwner& owner) : FOwner(owner) {}
  virtual ~TNCObject();
  TNCObject(const TNCObject&) = delete;
  TNCObject& operator=(const TNCObject&) = delete;

  // Every transition needs Visible; the MouseLeave sent to another hot object happens
  // all the same.
  virtual void MouseDown();
  virtual void MouseUp();
  virtual void MouseEnter();
  virtual void MouseLeave();
  virtual void Paint() {}
  // Title-bar buttons act on release; menu-bar buttons act on press.
  virtual bool ActsOnRelease() const { return false; }

  bool Contains(int x, int y) const {
    return x >= BoundsRect.Left && x < BoundsRect.Right && y >= BoundsRect.Top && y < BoundsRect.Bottom;
  }
  TNCObjectOwner& Owner() const { return FOwner; }

  TSkinRect BoundsRect;  // window-frame coordinates
  bool Visible = true;
  int State = ncsNormal;

 private:
  void LeaveOtherHot();
  TNCObjectOwner& FOwner;
};

// A title-bar button bound to one button description of the skin. A skin load replaces the
// descriptions, so the buttons are rebuilt (BuildSysButtons) after every load.
class TSkinSysButton : public TNCObject {
 public:
  TSkinSysButton(TNCObjectOwner& owner, TDataSkinSysButton& description)
      : TNCObject(owner), FDescription(&description) {}
  TDataSkinSysButton& Description() const { return *FDescription; }
  void Paint() override {
    if (OnPaint) OnPaint(*this, State);
  }
  bool ActsOnRelease() const override { return true; }

  std::function<void(TSkinSysButton&, int state)> OnPaint;

 private:
  TDataSkinSysButton* FDescription;
};
