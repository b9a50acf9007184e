// The portable frame code copies these Win32 numbers (FrameConst.h); the system header
// is the judge.
#include <windows.h>

#include "skin/forms/FrameConst.h"

static_assert(WinHit::Nowhere == HTNOWHERE && WinHit::Client == HTCLIENT && WinHit::Caption == HTCAPTION);
static_assert(WinHit::SysMenu == HTSYSMENU && WinHit::Menu == HTMENU && WinHit::Border == HTBORDER);

static_assert(WinCmd::Size == SC_SIZE && WinCmd::Move == SC_MOVE && WinCmd::Minimize == SC_MINIMIZE);
static_assert(WinCmd::Maximize == SC_MAXIMIZE && WinCmd::NextWindow == SC_NEXTWINDOW);
static_assert(WinCmd::PrevWindow == SC_PREVWINDOW && WinCmd::Close == SC_CLOSE);
static_assert(WinCmd::KeyMenu == SC_KEYMENU && WinCmd::Restore == SC_RESTORE);

static_assert(WinStyle::Popup == WS_POPUP && WinStyle::Child == WS_CHILD && WinStyle::Caption == WS_CAPTION);
static_assert(WinStyle::SysMenu == WS_SYSMENU && WinStyle::ThickFrame == WS_THICKFRAME);
static_assert(WinStyle::MinimizeBox == WS_MINIMIZEBOX && WinStyle::MaximizeBox == WS_MAXIMIZEBOX);
static_assert(WinStyle::Border == WS_BORDER && WinStyle::DlgFrame == WS_DLGFRAME);
static_assert(WinStyle::ModalFrame == DS_MODALFRAME);

static_assert(WinExStyle::DlgModalFrame == WS_EX_DLGMODALFRAME && WinExStyle::MdiChild == WS_EX_MDICHILD);
static_assert(WinExStyle::LeftScrollBar == WS_EX_LEFTSCROLLBAR);
static_assert(WinValidRects == WVR_VALIDRECTS);

static_assert(WinSize::Restored == SIZE_RESTORED && WinSize::Minimized == SIZE_MINIMIZED);
static_assert(WinSize::Maximized == SIZE_MAXIMIZED);

static_assert(WinShow::ShowMinimized == SW_SHOWMINIMIZED && WinShow::ShowMaximized == SW_SHOWMAXIMIZED);
static_assert(WinShow::Minimize == SW_MINIMIZE && WinShow::ShowMinNoActive == SW_SHOWMINNOACTIVE);
