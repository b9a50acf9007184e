#include "skin/forms/NCObject.h"

TNCObject::~TNCObject() {
  // Buttons are rebuilt with every skin change: the owner must not keep pointing here.
  if (FOwner.FHot == this) FOwner.FHot = nullptr;
  if (FOwner.FPressed == this) FOwner.FPressed = nullptr;
}

void TNCObject::LeaveOtherHot() {
  if (FOwner.FHot && FOwner.FHot != this) FOwner.FHot->MouseLeave();
}

void TNCObject::MouseDown() {
  LeaveOtherHot();
  if (!Visible) return;
  FOwner.FHot = this;
  FOwner.FPressed = this;
  State = ncsPressed;
  Paint();
}

void TNCObject::MouseUp() {
  if (!Visible) return;
  if (FOwner.FPressed == this) FOwner.FPressed = nullptr;
  State = ncsHot;
  Paint();
}

void TNCObject::MouseEnter() {
  if (FOwner.FHot == this) return;
  LeaveOtherHot();
  if (!Visible) return;
  FOwner.FHot = this;
  // Coming back onto the button still held down shows it pressed again.
  State = FOwner.FPressed == this ? ncsPressed : ncsHot;
  Paint();
}

void TNCObject::MouseLeave() {
  if (!Visible) return;
  if (FOwner.FHot == this) FOwner.FHot = nullptr;
  State = ncsNormal;
  Paint();
}

bool TNCObjectOwner::NcMouseMove(TNCObject* under, bool leftButtonDown) {
  // The release may have happened outside the frame, where no WM_NCLBUTTONUP comes.
  if (!leftButtonDown) FPressed = nullptr;
  if (under) {
    under->MouseEnter();
    return true;
  }
  if (FHot) FHot->MouseLeave();
  return false;
}

bool TNCObjectOwner::NcLButtonDown(TNCObject* under) {
  if (!under) return false;
  under->MouseDown();
  return true;
}

TNCObjectOwner::TRelease TNCObjectOwner::NcLButtonUp(TNCObject* under) {
  TRelease r;
  TNCObject* pressed = FPressed;
  FPressed = nullptr;
  if (!under) return r;
  r.Swallow = true;
  if (under->ActsOnRelease() && under == FHot && under == pressed) {
    FPressed = under;  // MouseUp clears it
    under->MouseUp();
    r.Act = under;
  }
  return r;
}

void TNCObjectOwner::HoverTick(int frameX, int frameY) {
  if (FHot && !FHot->Contains(frameX, frameY)) FHot->MouseLeave();
}
