#pragma once
// Whether anything of the effect can be seen: not while the session is locked, nor while the
// display is off (dimmed still shows). The main window feeds it the system's notices and
// stops or restarts the particles' timers on the changes it answers.
enum class TVisibilityChange { None, Hide, Show };

// The display states of the system's console display notice.
enum class TDisplayState { Off = 0, On = 1, Dimmed = 2 };

class TEffectVisibility {
 public:
  TVisibilityChange SessionLocked(bool locked);
  // A state the notice may carry beyond the three known ones counts as on.
  TVisibilityChange DisplayChanged(int state);
  bool Visible() const noexcept { return !FLocked && !FDisplayOff; }

 private:
  TVisibilityChange After(bool wasVisible) const;
  bool FLocked = false;
  bool FDisplayOff = false;
};
