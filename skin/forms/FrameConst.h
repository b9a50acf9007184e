#pragma once
// The Win32 numbers that the portable frame code copies, one name each. They are the
// system's own values; the Win32 half static_asserts every one against <windows.h>, so a
// typo here cannot survive the cross build.
#include <cstdint>

// Hit-test answers (WM_NCHITTEST, HT*).
namespace WinHit {
inline constexpr int Nowhere = 0;  // HTNOWHERE
inline constexpr int Client = 1;   // HTCLIENT
inline constexpr int Caption = 2;  // HTCAPTION
inline constexpr int SysMenu = 3;  // HTSYSMENU
inline constexpr int Menu = 5;     // HTMENU
inline constexpr int Border = 18;  // HTBORDER
}  // namespace WinHit

// System commands (WM_SYSCOMMAND wParam, SC_*).
namespace WinCmd {
inline constexpr uint32_t Size = 0xF000;        // SC_SIZE
inline constexpr uint32_t Move = 0xF010;        // SC_MOVE
inline constexpr uint32_t Minimize = 0xF020;    // SC_MINIMIZE
inline constexpr uint32_t Maximize = 0xF030;    // SC_MAXIMIZE
inline constexpr uint32_t NextWindow = 0xF040;  // SC_NEXTWINDOW
inline constexpr uint32_t PrevWindow = 0xF050;  // SC_PREVWINDOW
inline constexpr uint32_t Close = 0xF060;       // SC_CLOSE
inline constexpr uint32_t KeyMenu = 0xF100;     // SC_KEYMENU
inline constexpr uint32_t Restore = 0xF120;     // SC_RESTORE
}  // namespace WinCmd

// Window styles (WS_*, DS_*).
namespace WinStyle {
inline constexpr uint32_t Popup = 0x80000000u;        // WS_POPUP
inline constexpr uint32_t Child = 0x40000000u;        // WS_CHILD
inline constexpr uint32_t Caption = 0x00C00000u;      // WS_CAPTION (WS_BORDER | WS_DLGFRAME)
inline constexpr uint32_t Border = 0x00800000u;       // WS_BORDER
inline constexpr uint32_t DlgFrame = 0x00400000u;     // WS_DLGFRAME
inline constexpr uint32_t SysMenu = 0x00080000u;      // WS_SYSMENU
inline constexpr uint32_t ThickFrame = 0x00040000u;   // WS_THICKFRAME
inline constexpr uint32_t MinimizeBox = 0x00020000u;  // WS_MINIMIZEBOX
inline constexpr uint32_t MaximizeBox = 0x00010000u;  // WS_MAXIMIZEBOX
inline constexpr uint32_t ModalFrame = 0x00000080u;   // DS_MODALFRAME
}  // namespace WinStyle

// Extended window styles (WS_EX_*).
namespace WinExStyle {
inline constexpr uint32_t DlgModalFrame = 0x00000001u;  // WS_EX_DLGMODALFRAME
inline constexpr uint32_t MdiChild = 0x00000040u;       // WS_EX_MDICHILD
inline constexpr uint32_t LeftScrollBar = 0x00004000u;  // WS_EX_LEFTSCROLLBAR (right-to-left)
}  // namespace WinExStyle

// WM_NCCALCSIZE answer: both rectangles of the parameter block are valid.
inline constexpr int WinValidRects = 0x0400;  // WVR_VALIDRECTS

// WM_SIZE wParam (SIZE_*).
namespace WinSize {
inline constexpr uintptr_t Restored = 0;   // SIZE_RESTORED
inline constexpr uintptr_t Minimized = 1;  // SIZE_MINIMIZED
inline constexpr uintptr_t Maximized = 2;  // SIZE_MAXIMIZED
}  // namespace WinSize

// Show commands of a window placement (SW_*).
namespace WinShow {
inline constexpr int ShowMinimized = 2;    // SW_SHOWMINIMIZED
inline constexpr int ShowMaximized = 3;    // SW_SHOWMAXIMIZED
inline constexpr int Minimize = 6;         // SW_MINIMIZE
inline constexpr int ShowMinNoActive = 7;  // SW_SHOWMINNOACTIVE
}  // namespace WinShow
