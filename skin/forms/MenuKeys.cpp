#include "skin/forms/MenuKeys.h"

#include "skin/data/WinConst.h"

TKeyMenu KeyMenuAction(uintptr_t command, intptr_t lParam, const TKeyMenuState& state,
                       const std::function<bool(int ch)>& hasAccelerator) {
  if ((command & 0xFFF0) != WinCmd::KeyMenu || state.Tracking || state.Captured) return TKeyMenu::Pass;
  const int ch = static_cast<int>(lParam & 0xFFFF);
  if (ch == '-') return TKeyMenu::Pass;  // an MDI child's system menu: the system's
  if (ch == ' ') return state.SkinnedSystemMenu ? TKeyMenu::SystemMenu : TKeyMenu::Pass;
  if (ch == 0) return state.HasBarButton ? TKeyMenu::BarMode : TKeyMenu::Swallow;
  // A letter no button has: taken all the same, as a native bar beeps and opens nothing (the
  // system would open its unskinned menus of the window instead).
  return hasAccelerator && hasAccelerator(ch) ? TKeyMenu::OpenButton : TKeyMenu::Swallow;
}

TBarKey BarKeyAction(unsigned virtualKey, bool released) {
  if (virtualKey == VirtualKeyMenu || virtualKey == VirtualKeyF10)
    return released ? TBarKey::Leave : TBarKey::None;
  if (released) return TBarKey::None;
  switch (virtualKey) {
    case VirtualKeyLeft:
      return TBarKey::Previous;
    case VirtualKeyRight:
      return TBarKey::Next;
    case VirtualKeyDown:
    case VirtualKeyUp:
    case VirtualKeyReturn:
      return TBarKey::Open;
    case VirtualKeyEscape:
      return TBarKey::Leave;
    default:
      return TBarKey::None;
  }
}
