// The portable skin code copies these Win32 numbers (WinConst.h); the system headers are
// the judge.
#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>

#include "skin/data/WinConst.h"

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
static_assert(WinStyle::ModalFrame == DS_MODALFRAME && WinStyle::Disabled == WS_DISABLED);
static_assert(WinStyle::HScroll == WS_HSCROLL && WinStyle::VScroll == WS_VSCROLL);

static_assert(WinExStyle::DlgModalFrame == WS_EX_DLGMODALFRAME && WinExStyle::MdiChild == WS_EX_MDICHILD);
static_assert(WinExStyle::LeftScrollBar == WS_EX_LEFTSCROLLBAR);
static_assert(WinValidRects == WVR_VALIDRECTS);

static_assert(WinSize::Restored == SIZE_RESTORED && WinSize::Minimized == SIZE_MINIMIZED);
static_assert(WinSize::Maximized == SIZE_MAXIMIZED);

static_assert(WinShow::ShowMinimized == SW_SHOWMINIMIZED && WinShow::ShowMaximized == SW_SHOWMAXIMIZED);
static_assert(WinShow::Minimize == SW_MINIMIZE && WinShow::ShowMinNoActive == SW_SHOWMINNOACTIVE);

static_assert(VirtualKeyLeft == VK_LEFT && VirtualKeyRight == VK_RIGHT);
static_assert(VirtualKeyReturn == VK_RETURN && VirtualKeyMenu == VK_MENU && VirtualKeyEscape == VK_ESCAPE &&
              VirtualKeyUp == VK_UP && VirtualKeyDown == VK_DOWN && VirtualKeyF10 == VK_F10);

static_assert(WinCtl::ButtonTypeMask == BS_TYPEMASK && WinCtl::ButtonPush == BS_PUSHBUTTON);
static_assert(WinCtl::ButtonDefPush == BS_DEFPUSHBUTTON && WinCtl::ButtonCheckBox == BS_CHECKBOX);
static_assert(WinCtl::ButtonAutoCheckBox == BS_AUTOCHECKBOX && WinCtl::ButtonRadio == BS_RADIOBUTTON);
static_assert(WinCtl::Button3State == BS_3STATE && WinCtl::ButtonAuto3State == BS_AUTO3STATE);
static_assert(WinCtl::ButtonGroupBox == BS_GROUPBOX && WinCtl::ButtonUser == BS_USERBUTTON);
static_assert(WinCtl::ButtonAutoRadio == BS_AUTORADIOBUTTON && WinCtl::ButtonPushBox == BS_PUSHBOX);
static_assert(WinCtl::ButtonOwnerDraw == BS_OWNERDRAW);
static_assert(WinCtl::ButtonLeftText == BS_LEFTTEXT && WinCtl::StateChecked == BST_CHECKED);
static_assert(WinCtl::StateIndeterminate == BST_INDETERMINATE && WinCtl::StatePushed == BST_PUSHED);

static_assert(WinCtl::LineUp == SB_LINEUP && WinCtl::LineDown == SB_LINEDOWN && WinCtl::PageUp == SB_PAGEUP);
static_assert(WinCtl::PageDown == SB_PAGEDOWN && WinCtl::ThumbTrack == SB_THUMBTRACK);

static_assert(WinCtl::MsgLButtonDown == WM_LBUTTONDOWN && WinCtl::MsgLButtonUp == WM_LBUTTONUP);
static_assert(WinCtl::MsgNcLButtonDown == WM_NCLBUTTONDOWN && WinCtl::MsgNcLButtonUp == WM_NCLBUTTONUP);
static_assert(WinCtl::KeyLButton == MK_LBUTTON && WinCtl::HitHScroll == HTHSCROLL &&
              WinCtl::HitVScroll == HTVSCROLL);

static_assert(WinCtl::SystemUnavailable == STATE_SYSTEM_UNAVAILABLE);
static_assert(WinCtl::SystemInvisible == STATE_SYSTEM_INVISIBLE);

static_assert(WinCtl::ComboTypeMask == (CBS_SIMPLE | CBS_DROPDOWN | CBS_DROPDOWNLIST));
static_assert(WinCtl::ComboSimple == CBS_SIMPLE && WinCtl::UpDownHorz == UDS_HORZ);
static_assert(WinCtl::TabBottom == TCS_BOTTOM && WinCtl::TabVertical == TCS_VERTICAL);
static_assert(WinCtl::ProgressVertical == PBS_VERTICAL && WinCtl::TrackVert == TBS_VERT);
static_assert(WinCtl::StatusSizeGrip == SBARS_SIZEGRIP);

static_assert(WinCtl::HeaderRight == HDF_RIGHT && WinCtl::HeaderCenter == HDF_CENTER);
static_assert(WinCtl::HeaderJustifyMask == HDF_JUSTIFYMASK);
static_assert(WinCtl::HeaderImage == HDF_IMAGE && WinCtl::HeaderOwnerDraw == HDF_OWNERDRAW);

static_assert(WinCtl::TextLeft == DT_LEFT && WinCtl::TextCenter == DT_CENTER &&
              WinCtl::TextRight == DT_RIGHT);

static_assert(WinCtl::DrawPrePaint == CDDS_PREPAINT && WinCtl::DrawItemPrePaint == CDDS_ITEMPREPAINT);
static_assert(WinCtl::TrackTics == TBCD_TICS && WinCtl::TrackThumb == TBCD_THUMB);
static_assert(WinCtl::TrackChannel == TBCD_CHANNEL);
static_assert(WinCtl::DrawDoDefault == CDRF_DODEFAULT && WinCtl::DrawSkipDefault == CDRF_SKIPDEFAULT);
static_assert(WinCtl::DrawNotifyItemDraw == CDRF_NOTIFYITEMDRAW);
static_assert(WinCtl::ItemSelected == CDIS_SELECTED && WinCtl::ItemHot == CDIS_HOT);

static_assert(WinCtl::UiHideFocus == UISF_HIDEFOCUS);
