// The portable control families copy these Win32 numbers (ControlConst.h); the system
// header is the judge.
#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>

#include "skin/controls/ControlConst.h"

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
