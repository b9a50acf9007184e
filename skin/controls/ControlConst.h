#pragma once
// The Win32 numbers that the portable control-family code copies, one name each. They are
// the system's own values; ControlConst_win.cpp static_asserts every one against
// <windows.h>, so a typo here cannot survive the cross build.
#include <cstdint>

#include "skin/forms/FrameConst.h"

namespace WinCtl {
// Button styles and BM_GETSTATE bits.
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

// Window styles the families look at (the window styles are named once, with the frame's).
inline constexpr uint32_t WindowPopup = WinStyle::Popup;
inline constexpr uint32_t WindowChild = WinStyle::Child;
inline constexpr uint32_t ExLeftScrollBar = WinExStyle::LeftScrollBar;
inline constexpr uint32_t ComboTypeMask = 0x3;        // CBS_SIMPLE | CBS_DROPDOWN | CBS_DROPDOWNLIST
inline constexpr uint32_t ComboSimple = 0x1;          // CBS_SIMPLE
inline constexpr uint32_t UpDownHorz = 0x40;          // UDS_HORZ
inline constexpr uint32_t TabBottom = 0x2;            // TCS_BOTTOM
inline constexpr uint32_t TabVertical = 0x80;         // TCS_VERTICAL
inline constexpr uint32_t ProgressVertical = 0x4;     // PBS_VERTICAL
inline constexpr uint32_t TrackVert = 0x2;            // TBS_VERT
inline constexpr uint32_t StatusSizeGrip = 0x100;     // SBARS_SIZEGRIP

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
