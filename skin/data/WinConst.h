#pragma once
// The Win32 numbers that the portable skin code copies, one name each, in one place. They are
// the system's own values; WinConst_win.cpp static_asserts every one against <windows.h>,
// so a typo here cannot survive the cross build.
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
inline constexpr uint32_t Disabled = 0x08000000u;     // WS_DISABLED
inline constexpr uint32_t HScroll = 0x00100000u;      // WS_HSCROLL
inline constexpr uint32_t VScroll = 0x00200000u;      // WS_VSCROLL
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

// Virtual keys of the menu bar's keyboard mode (VK_*).
inline constexpr unsigned VirtualKeyReturn = 0x0D, VirtualKeyMenu = 0x12, VirtualKeyEscape = 0x1B,
                          VirtualKeyLeft = 0x25, VirtualKeyUp = 0x26, VirtualKeyRight = 0x27,
                          VirtualKeyDown = 0x28, VirtualKeyF10 = 0x79;

namespace WinCtl {
// Button styles (BS_*) and BM_GETSTATE bits.
inline constexpr uint32_t ButtonTypeMask = 0x0F;     // BS_TYPEMASK
inline constexpr uint32_t ButtonPush = 0;            // BS_PUSHBUTTON
inline constexpr uint32_t ButtonDefPush = 1;         // BS_DEFPUSHBUTTON
inline constexpr uint32_t ButtonCheckBox = 2;        // BS_CHECKBOX
inline constexpr uint32_t ButtonAutoCheckBox = 3;    // BS_AUTOCHECKBOX
inline constexpr uint32_t ButtonRadio = 4;           // BS_RADIOBUTTON
inline constexpr uint32_t Button3State = 5;          // BS_3STATE
inline constexpr uint32_t ButtonAuto3State = 6;      // BS_AUTO3STATE
inline constexpr uint32_t ButtonGroupBox = 7;        // BS_GROUPBOX
inline constexpr uint32_t ButtonUser = 8;            // BS_USERBUTTON
inline constexpr uint32_t ButtonAutoRadio = 9;       // BS_AUTORADIOBUTTON
inline constexpr uint32_t ButtonPushBox = 10;        // BS_PUSHBOX
inline constexpr uint32_t ButtonOwnerDraw = 11;      // BS_OWNERDRAW
inline constexpr uint32_t ButtonLeftText = 0x20;     // BS_LEFTTEXT
inline constexpr uint32_t StateChecked = 0x1;        // BST_CHECKED
inline constexpr uint32_t StateIndeterminate = 0x2;  // BST_INDETERMINATE
inline constexpr uint32_t StatePushed = 0x4;         // BST_PUSHED

// Scroll codes (WM_HSCROLL / WM_VSCROLL low word, SB_*).
inline constexpr int LineUp = 0;      // SB_LINEUP
inline constexpr int LineDown = 1;    // SB_LINEDOWN
inline constexpr int PageUp = 2;      // SB_PAGEUP
inline constexpr int PageDown = 3;    // SB_PAGEDOWN
inline constexpr int ThumbTrack = 5;  // SB_THUMBTRACK

// Mouse messages handed on to the covered scroll bar, and the bar hit codes.
inline constexpr uint32_t MsgLButtonDown = 0x201;   // WM_LBUTTONDOWN
inline constexpr uint32_t MsgLButtonUp = 0x202;     // WM_LBUTTONUP
inline constexpr uint32_t MsgNcLButtonDown = 0xA1;  // WM_NCLBUTTONDOWN
inline constexpr uint32_t MsgNcLButtonUp = 0xA2;    // WM_NCLBUTTONUP
inline constexpr uintptr_t KeyLButton = 0x1;        // MK_LBUTTON
inline constexpr uintptr_t HitHScroll = 6;          // HTHSCROLL
inline constexpr uintptr_t HitVScroll = 7;          // HTVSCROLL

// SCROLLBARINFO / COMBOBOXINFO part states.
inline constexpr uint32_t SystemUnavailable = 0x1;   // STATE_SYSTEM_UNAVAILABLE
inline constexpr uint32_t SystemInvisible = 0x8000;  // STATE_SYSTEM_INVISIBLE

// Control styles.
inline constexpr uint32_t ComboTypeMask = 0x3;     // CBS_SIMPLE | CBS_DROPDOWN | CBS_DROPDOWNLIST
inline constexpr uint32_t ComboSimple = 0x1;       // CBS_SIMPLE
inline constexpr uint32_t UpDownHorz = 0x40;       // UDS_HORZ
inline constexpr uint32_t TabBottom = 0x2;         // TCS_BOTTOM
inline constexpr uint32_t TabVertical = 0x80;      // TCS_VERTICAL
inline constexpr uint32_t ProgressVertical = 0x4;  // PBS_VERTICAL
inline constexpr uint32_t TrackVert = 0x2;         // TBS_VERT
inline constexpr uint32_t StatusSizeGrip = 0x100;  // SBARS_SIZEGRIP

// Header item format (HDF_*).
inline constexpr uint32_t HeaderRight = 0x1;         // HDF_RIGHT
inline constexpr uint32_t HeaderCenter = 0x2;        // HDF_CENTER
inline constexpr uint32_t HeaderJustifyMask = 0x3;   // HDF_JUSTIFYMASK
inline constexpr uint32_t HeaderImage = 0x0800;      // HDF_IMAGE
inline constexpr uint32_t HeaderOwnerDraw = 0x8000;  // HDF_OWNERDRAW

// Text alignment of DrawText (DT_*).
inline constexpr uint32_t TextLeft = 0x0;    // DT_LEFT
inline constexpr uint32_t TextCenter = 0x1;  // DT_CENTER
inline constexpr uint32_t TextRight = 0x2;   // DT_RIGHT

// Custom draw (NM_CUSTOMDRAW) stages, track-bar parts and answers.
inline constexpr uint32_t DrawPrePaint = 0x1;          // CDDS_PREPAINT
inline constexpr uint32_t DrawItemPrePaint = 0x10001;  // CDDS_ITEMPREPAINT
inline constexpr uintptr_t TrackTics = 1;              // TBCD_TICS
inline constexpr uintptr_t TrackThumb = 2;             // TBCD_THUMB
inline constexpr uintptr_t TrackChannel = 3;           // TBCD_CHANNEL
inline constexpr uint32_t DrawDoDefault = 0x0;         // CDRF_DODEFAULT
inline constexpr uint32_t DrawSkipDefault = 0x4;       // CDRF_SKIPDEFAULT
inline constexpr uint32_t DrawNotifyItemDraw = 0x20;   // CDRF_NOTIFYITEMDRAW
inline constexpr uint32_t ItemSelected = 0x1;          // CDIS_SELECTED
inline constexpr uint32_t ItemHot = 0x40;              // CDIS_HOT

// UI state of a window (WM_QUERYUISTATE).
inline constexpr uint32_t UiHideFocus = 0x1;  // UISF_HIDEFOCUS
}  // namespace WinCtl
