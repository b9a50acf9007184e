// The window-style numbers the portable pass copies, checked against the system header.
#include <windows.h>

#include "skin/controls/ButtonLayout.h"
#include "skin/controls/SkinPass.h"

static_assert(SkinWin::StyleChild == WS_CHILD);
static_assert(SkinWin::StyleDisabled == WS_DISABLED);
static_assert(SkinWin::StyleHScroll == WS_HSCROLL);
static_assert(SkinWin::StyleVScroll == WS_VSCROLL);
static_assert(SkinWin::BsTypeMask == BS_TYPEMASK);
static_assert(SkinWin::BsPushButton == BS_PUSHBUTTON);
static_assert(SkinWin::BsDefPushButton == BS_DEFPUSHBUTTON);
static_assert(SkinWin::BsCheckBox == BS_CHECKBOX);
static_assert(SkinWin::BsAutoCheckBox == BS_AUTOCHECKBOX);
static_assert(SkinWin::BsRadioButton == BS_RADIOBUTTON);
static_assert(SkinWin::Bs3State == BS_3STATE);
static_assert(SkinWin::BsAuto3State == BS_AUTO3STATE);
static_assert(SkinWin::BsGroupBox == BS_GROUPBOX);
static_assert(SkinWin::BsUserButton == BS_USERBUTTON);
static_assert(SkinWin::BsAutoRadioButton == BS_AUTORADIOBUTTON);
static_assert(SkinWin::BsPushBox == BS_PUSHBOX);
static_assert(SkinWin::BsOwnerDraw == BS_OWNERDRAW);
static_assert(SkinWin::CbsSimple == CBS_SIMPLE);
static_assert(SkinWin::CbsTypeMask == (CBS_SIMPLE | CBS_DROPDOWN | CBS_DROPDOWNLIST));
static_assert(bfDefault == PushButtonFrameCount);
