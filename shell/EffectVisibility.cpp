#include "shell/EffectVisibility.h"

TVisibilityChange TEffectVisibility::SessionLocked(bool locked) {
  const bool was = Visible();
  FLocked = locked;
  return After(was);
}

TVisibilityChange TEffectVisibility::DisplayChanged(int state) {
  const bool was = Visible();
  FDisplayOff = state == static_cast<int>(TDisplayState::Off);
  return After(was);
}

TVisibilityChange TEffectVisibility::After(bool wasVisible) const {
  // Only a change is answered: a second lock, or the display going off while locked, changes
  // nothing, and unlocking with the display still off shows nothing yet.
  if (wasVisible == Visible()) return TVisibilityChange::None;
  return Visible() ? TVisibilityChange::Show : TVisibilityChange::Hide;
}
