#include "skin/forms/SystemMenu.h"

#include "skin/forms/FrameConst.h"

std::vector<TSystemMenuItem> SystemPopupItems(int iconFlags) {
  std::vector<TSystemMenuItem> items{{" Restore ", 0, ""}};
  if (iconFlags & IconMaxBox) items.push_back({" Maximize ", 1, ""});
  if (iconFlags & IconMinBox) items.push_back({" Minimize ", 2, ""});
  items.push_back({"-", 100, ""});
  items.push_back({" Close ", 3, "Shift+F4"});
  return items;
}

std::optional<bool> SystemItemEnabled(int tag, TWinState state) {
  switch (tag) {
    case 0: return state != wsNormal;
    case 1: return state != wsMaximized;
    case 2: return state != wsMinimized;
    default: return std::nullopt;
  }
}

TMenuClick TSystemMenuGate::Click(uint32_t nowTicks, uint32_t doubleClickTime, bool onSystemMenuButton) {
  // Unsigned difference: right across the wrap of the tick count.
  if (!FOpened || nowTicks - FLast > doubleClickTime) {
    FOpened = true;
    FLast = nowTicks;
    return mcOpen;
  }
  return onSystemMenuButton ? mcCloseWindow : mcIgnore;
}

bool IsForwardedSysCommand(uint32_t lowWord) {
  switch (lowWord) {
    case WinCmd::Size:
    case WinCmd::Move:
    case WinCmd::Minimize:
    case WinCmd::Maximize:
    case WinCmd::NextWindow:
    case WinCmd::PrevWindow:
    case WinCmd::Close:
    case WinCmd::Restore: return true;
    default: return false;
  }
}

std::optional<TWinState> WinStateForSysCommand(uintptr_t command) {
  switch (command & 0xFFF0) {
    case WinCmd::Minimize: return wsMinimized;
    case WinCmd::Maximize: return wsMaximized;
    case WinCmd::Restore: return wsNormal;
    default: return std::nullopt;
  }
}
