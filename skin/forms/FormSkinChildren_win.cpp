// The pass that gives a skinned window's controls their handlers. For a foreign window every
// child window is offered; a class-library form offers its own controls. Until the control
// families exist there is no handler to make, so every offer is declined.
#include "skin/forms/FormSkin.h"

void TSkinForm::SkinChildren() {
  if (FForm) return;
  for (HWND child = GetTopWindow(FWnd); child; child = GetWindow(child, GW_HWNDNEXT))
    if (GetWindowLongPtrA(child, GWL_STYLE) & WS_CHILD) OfferWindow(child);
}

void TSkinForm::OfferWindow(HWND) {}

void TSkinForm::FreeControlHandlers() {}

void TSkinForm::ControlsSkinChanged() {}
