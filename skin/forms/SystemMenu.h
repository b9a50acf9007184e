#pragma once
// Decisions around the skinned system menu and the system commands, free of any platform
// call.
//
// The Win32 side builds the skinned popup from the window's own system menu with
// SystemMenuItemFor at each opening, asks TSystemMenuGate whether a click opens the menu
// (GetTickCount and the double-click time in), and uses the command helpers for WM_COMMAND
// forwarding, WM_SYSCOMMAND's window state and the keyboard-menu check.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "skin/forms/FrameGeometry.h"

inline constexpr int SystemPopupTag = 33333;

// One entry of a window's own system menu, as GetMenuItemInfo reports it.
struct TSysMenuEntry {
  uint32_t Command = 0;  // the identifier the item sends as WM_SYSCOMMAND
  std::string Text;      // the caption, then a tab and the shortcut when it has one
  bool Separator = false;
  bool Grayed = false;  // grayed or disabled
  bool Checked = false;
  bool Default = false;
};
// What the item states depend on.
struct TSysMenuWindow {
  TWinState State = wsNormal;
  bool Sizeable = false;  // a thick frame
  bool MinBox = false;
  bool MaxBox = false;
};
// An item of the skinned system menu.
struct TSystemMenuItem {
  std::string Caption;   // "-" for a separator
  std::string ShortCut;  // the text after the tab
  uint32_t Command = 0;
  int ImageIndex = -1;  // the picture in the skin's menu glyphs, -1 for none
  bool Enabled = true;
  bool Checked = false;
  bool Default = false;
  bool operator==(const TSystemMenuItem&) const = default;
};
// The skinned item standing for an entry of the window's system menu: the window commands
// are enabled by the window's state and frame each time the menu opens, as the system does
// for its own menu; Close and the items a program added keep the state the program gave
// them. Restore, Maximize, Minimize and Close show their picture, and Close its Alt+F4.
TSystemMenuItem SystemMenuItemFor(const TSysMenuEntry& entry, const TSysMenuWindow& window);

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
// The keyboard-menu check of WM_SYSCOMMAND: true when the command is answered with 1 and
// not passed on. `hasAccelerator` is asked only for a non-zero character.
bool SwallowKeyMenu(uintptr_t command, intptr_t lParam, bool menuBarTracking, bool captured,
                    const std::function<bool(int ch)>& hasAccelerator);
