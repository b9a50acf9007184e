#pragma once
// Geometry and style decisions of a skinned window frame, free of any platform call.
//
// The Win32 side feeds in the window's styles, class name and state, and the sizes and
// frame counts of the skin's four border pieces; it gets back the frame kind and icon
// flags, the border widths (CalcFrameMetrics), the client rectangle to answer
// WM_NCCALCSIZE with, the style to write when the native caption is stripped or restored,
// which frame of a piece to paint, and the window state that WM_SIZE and the window
// placement mean.
#include <cstdint>
#include <string_view>

#include "skin/forms/SkinDraw.h"

class TSkinData;

enum TFrameKind : int { fkSizeable = 0, fkSingle = 1, fkNone = 2, fkDialog = 3 };
enum TMDIKind : int { mkPlain = 0, mkFrame = 1, mkChild = 2 };
enum TWinState : int { wsNormal = 0, wsMaximized = 1, wsMinimized = 2 };

// Bits of IconFlags.
inline constexpr int IconMaxBox = 1;
inline constexpr int IconMinBox = 2;
inline constexpr int IconSysMenu = 8;
inline constexpr int IconCaptionStripped = 16;  // the handler removed WS_CAPTION

// What a window's styles and class name say about its frame.
struct TWindowTraits {
  int IconFlags = 0;
  TFrameKind FrameKind = fkSingle;
  bool RightToLeft = false;
  bool Sizeable = false;
  bool StandardDialog = false;  // "#32770" or "TMessageForm": always a dialog frame
  bool WideChar = false;        // the class name contains ".UnicodeClass"
  bool MdiChild = false;        // WS_EX_MDICHILD
  bool operator==(const TWindowTraits&) const = default;
};
TWindowTraits AnalyseWindow(uint32_t style, uint32_t exStyle, std::string_view className, bool hasSystemMenu);

// What a window's class erases its background with.
enum TClassBackground : int { cbNone = 0, cbSystemFace = 1, cbOther = 2 };
// Whether the engine paints a foreign window's background in the skin's face and answers
// its WM_CTLCOLORSTATIC, WM_CTLCOLORBTN and WM_CTLCOLORDLG to match: a dialog ("#32770",
// "TMessageForm") or a window whose class background is the system's face colour. Any
// other window keeps the background it paints itself (a game's black board).
bool PaintsForeignFace(bool standardDialog, TClassBackground background);

// The style after stripping (restore = false) or restoring the native caption. An owned
// window or an MDI child loses only the system menu and the two boxes; any other window
// loses WS_CAPTION and IconCaptionStripped is added so that restoring gives it back.
// (The MDI rule "a maximized child keeps its caption" is the caller's: it skips the call.)
struct TCaptionStyle {
  uint32_t Style = 0;
  int IconFlags = 0;
  bool operator==(const TCaptionStyle&) const = default;
};
TCaptionStyle NativeCaptionStyle(uint32_t style, int iconFlags, bool restore, bool ownedOrMdiChild);

// Border widths of the skinned frame (the title bar is Top) and the menu-bar height.
struct TFrameBorders {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int MenuBar = 0;
  bool operator==(const TFrameBorders&) const = default;
};

// One border piece's image size and frame count. Top and Bottom stack their frames
// vertically, Left and Right side by side.
struct TPieceSize {
  int Width = 0, Height = 0, FrameCount = 1;
};
struct TFrameMetricsInput {
  bool NoSkin = false;
  TFrameKind Kind = fkSingle;
  TPieceSize Left, Top, Right, Bottom;
};
TFrameMetricsInput FrameMetricsInputOf(const TSkinData& skin, TFrameKind kind);

// The borders for the skin: `current` unchanged without a skin, all zero (menu bar too)
// for a borderless window, else each piece's frame size across the frame. A frame count
// below 1 counts as 1.
TFrameBorders CalcFrameMetrics(const TFrameMetricsInput& in, const TFrameBorders& current);

// WM_NCCALCSIZE with wParam TRUE. The default answer stands (and becomes the second
// rectangle too) for a borderless window and for an MDI child that is not normal;
// otherwise the client is the proposed window rectangle (x, y, cx, cy) less the borders
// and the menu bar, never inverted for a window smaller than its frame.
bool NcCalcKeepsDefault(TFrameKind kind, bool mdiChildNotNormal);
TSkinRect SkinnedClientRect(int x, int y, int cx, int cy, const TFrameBorders& b);

// WM_GETMINMAXINFO: whether the native caption comes back (a minimized window, a
// maximized MDI child) or is stripped (every other state).
bool MinMaxRestoresCaption(TWinState state, bool mdiChild);

// Frame 1 for the active window and for one-frame pieces, frame 2 for an inactive window.
int PieceFrame(bool active, int frameCount);

// WinState from WM_SIZE's wParam; other size kinds keep the current state.
TWinState WinStateFromSize(uintptr_t sizeKind, TWinState current);
// WinState from the show command of the window placement.
TWinState WinStateFromShowCmd(int showCmd);
