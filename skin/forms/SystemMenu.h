#pragma once
// Decisions around the skinned system menu and the system commands, free of any platform
// call.
//
// The Win32 side builds the skinned popup from SystemPopupItems, enables its items with
// SystemItemEnabled before each opening, asks TSystemMenuGate whether a click opens the
// menu (GetTickCount and the double-click time in), and uses the command helpers for
// WM_COMMAND forwarding and WM_SYSCOMMAND's window state (the keyboard's ways in are MenuKeys').
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "skin/forms/FrameGeometry.h"

inline constexpr int SystemPopupTag = 33333;

struct TSystemMenuItem {
  std::string Caption;
  int Tag = 0;  // also the image index in the skin's menu glyphs
  std::string ShortCut;
  bool operator==(const TSystemMenuItem&) const = default;
};
// Restore, Maximize (with a maximize box), Minimize (with a minimize box), a separator,
// Close.
std::vector<TSystemMenuItem> SystemPopupItems(int iconFlags);
// Whether the item with this Tag is enabled in this state; nullopt leaves it as it is.
std::optional<bool> SystemItemEnabled(int tag, TWinState state);

// What a click that asks for the system menu does. A second click within the double-click
// time does not open the menu again; on the system-menu button (hot under the mouse) it
// closes the window, as a double click on a native window icon does. Any other hot object
// (a close button the mouse just left, a menu-bar button) does not make it a close.
enum TMenuClick : int { mcOpen, mcCloseWindow, mcIgnore };
class TSystemMenuGate {
 public:
  TMenuClick Click(uint32_t nowTicks, uint32_t doubleClickTime, bool onSystemMenuButton);

 private:
  bool FOpened = false;  // the tick count may be below the double-click time just after boot
  uint32_t FLast = 0;
};

// WM_COMMAND whose low word is one of these system commands is posted as WM_SYSCOMMAND
// (the native system menu opened by TrackPopupMenu reports its choice that way).
bool IsForwardedSysCommand(uint32_t lowWord);
// The window state a system command announces (the low four bits of the command are the
// system's own and are ignored); nullopt for other commands.
std::optional<TWinState> WinStateForSysCommand(uintptr_t command);
