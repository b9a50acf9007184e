#pragma once
// The form handler's readings of a window's styles (portable): frame kind, title-bar icon
// flags, the style with the native caption stripped or restored, the window state of a
// placement, and what a class name tells. The Win32 numbers copied here are checked
// against the system header in FormSkin_win.cpp.
#include <cstdint>
#include <string_view>

namespace winstyle {
constexpr uint32_t Popup = 0x80000000u;
constexpr uint32_t Child = 0x40000000u;
constexpr uint32_t Caption = 0x00C00000u;  // Border | DlgFrame
constexpr uint32_t Border = 0x00800000u;
constexpr uint32_t DlgFrame = 0x00400000u;
constexpr uint32_t SysMenu = 0x00080000u;
constexpr uint32_t ThickFrame = 0x00040000u;
constexpr uint32_t MinimizeBox = 0x00020000u;
constexpr uint32_t MaximizeBox = 0x00010000u;
constexpr uint32_t DsModalFrame = 0x80u;
constexpr uint32_t ExDlgModalFrame = 0x1u;
constexpr uint32_t ExMdiChild = 0x40u;
constexpr uint32_t ExLeftScrollBar = 0x4000u;
// Show commands of a window placement.
constexpr int ShowMinimized = 2, ShowMaximized = 3, Minimize = 6, ShowMinNoActive = 7;
}  // namespace winstyle

// FrameKind values.
enum TFrameKind : int { fkSizeable = 0, fkSingle = 1, fkNone = 2, fkDialog = 3 };
// MDIKind values.
enum TMdiKind : int { mkPlain = 0, mkFrame = 1, mkChild = 2 };
// WinState values.
enum TWinState : int { wsNormal = 0, wsMaximized = 1, wsMinimized = 2 };
// IconFlags bits.
constexpr int ifMaximize = 1, ifMinimize = 2, ifSysMenu = 8, ifCaptionStripped = 16;

// "#32770" and "TMessageForm": the system's and the class library's message dialogs.
bool IsStandardDialogClass(std::string_view className);
// A class registered for wide-character messages.
bool IsWideClass(std::string_view className);

int FrameKindOf(uint32_t style, uint32_t exStyle, bool standardDialog);
int IconFlagsOf(uint32_t style, bool hasSystemMenu);
int WinStateOfShowCommand(int showCmd);

// The style after stripping (restore false) or restoring the native caption. Stripping an
// owned window or MDI child only drops the title-bar boxes; any other loses the caption and
// iconFlags records that (ifCaptionStripped) so restoring puts it back.
uint32_t NativeCaptionStyle(uint32_t style, int& iconFlags, bool restore, bool ownedOrMdiChild);
