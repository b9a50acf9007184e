// Hit-testing, the mouse on the frame, commands and the keyboard menu. Hit codes, the mouse
// state machine and the keyboard-menu rules come from HitTest, NCObject and MenuKeys; the
// title buttons and the system menu they act on are TTitleButtons' (TitleButtons_win.cpp).
#include "skin/data/SkinData_win.h"
#include "skin/forms/FormSkin.h"
#include "skin/forms/HitTest.h"
#include "skin/forms/TitleButtons.h"
#include "ui/Messages.h"

POINT TSkinForm::ScreenToFrame(LPARAM lParam) {
  POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  ScreenToClient(FWnd, &p);
  const TFramePoint f = ClientToFrame(p.x, p.y, Borders(), FWinState == wsMinimized);
  return {f.X, f.Y};
}

TNCObject* TSkinForm::ObjectAt(POINT p) {
  if (TNCObject* b = FButtons.ButtonAt(p)) return b;
  return FMenuBar ? FMenuBar->MenuButtonAt(p) : nullptr;
}

// ---- hover timer ----

void TSkinForm::HoverTimerTick() {
  if (FMenuTracking || FKeyboardMode || !FNCOwner.Hot()) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  const POINT p = ScreenToFrame(MAKELPARAM(cursor.x, cursor.y));
  FNCOwner.HoverTick(p.x, p.y);
}

// ---- hit-testing and the mouse ----

void TSkinForm::WmNcHitTest(TMessage& m) {
  CallOldProc(m);
  const POINT p = ScreenToFrame(m.LParam);
  m.Result = NcHitTest(static_cast<int>(m.Result), p.y, Borders().Top);
}

void TSkinForm::WmNcMouse(TMessage& m) {
  const POINT p = ScreenToFrame(m.LParam);
  switch (m.Msg) {
    case WM_NCMOUSEMOVE:
      if (FActive && FNCOwner.NcMouseMove(ObjectAt(p), (GetKeyState(VK_LBUTTON) & 0x8000) != 0)) {
        m.Result = 0;
        return;
      }
      break;
    case WM_NCLBUTTONDOWN: {
      TNCObject* under = ObjectAt(p);
      if (under) {
        if (!FActive) SetForegroundWindow(FWnd);
        FNCOwner.NcLButtonDown(under);
        m.Result = 0;
        if (auto* menuButton = dynamic_cast<TMenuBtn*>(under)) OpenMenuButton(*menuButton);
        return;
      }
      m.WParam =
          static_cast<WPARAM>(NcPressHit(static_cast<int>(m.WParam), FWinState == wsMaximized, FActive));
      break;
    }
    case WM_NCLBUTTONUP: {
      const TNCObjectOwner::TRelease r = FNCOwner.NcLButtonUp(ObjectAt(p));
      if (r.Act)
        FButtons.DoAction(static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam)));
      if (r.Swallow) {
        m.Result = 0;
        return;
      }
      break;
    }
    case WM_NCLBUTTONDBLCLK:
      switch (NcDoubleClick(FWinState, FIconFlags)) {
        case dcRestore:
          FButtons.RestoreWindow();
          break;
        case dcToggleMaximize:
          FButtons.ToggleMaximize();
          break;
        case dcNone:
          break;
      }
      m.Result = 0;
      return;
    case WM_NCRBUTTONDOWN:
      if (NcRightClickOpensMenu(static_cast<int>(m.WParam), FMDIKind == mkChild)) {
        FButtons.PopupSystemMenu(
            {static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))});
        m.Result = 0;
        return;
      }
      break;
    default:
      break;
  }
  CallOldProc(m);
}

// ---- commands ----

void TSkinForm::WmCommand(TMessage& m) {
  const UINT command = LOWORD(m.WParam);
  if (IsForwardedSysCommand(command)) {
    PostMessageA(FWnd, WM_SYSCOMMAND, command, 0);
    m.Result = 0;
    return;
  }
  CallOldProc(m);
}

TKeyMenu TSkinForm::KeyMenuOf(WPARAM command, LPARAM ch) {
  TKeyMenuState state;
  state.Tracking = FMenuTracking || FKeyboardMode;
  state.Captured = GetCapture() != nullptr;
  state.HasBarButton = FMenuBar && FMenuBar->Neighbour(-1, true) != nullptr;
  state.SkinnedSystemMenu = FButtons.SystemPopup() && FSkinData &&
                            (FSkinData->SkinControls & SkinBit(xcSystemMenu)) && FMDIKind != mkChild;
  const auto hasAccelerator = [this](int c) { return ButtonByAccel(static_cast<wchar_t>(c)) != nullptr; };
  return KeyMenuAction(command, ch, state, hasAccelerator);
}

bool TSkinForm::WantsKeyMenu(LPARAM ch) {
  if (!FFrameSkinned || !FSubclass.Installed()) return false;
  if (FMDIKind == mkChild) {
    // A child's keyboard menu is its frame's bar.
    auto* frame = dynamic_cast<TSkinForm*>(FManager.FindSkinForm(GetAncestor(FWnd, GA_ROOT)));
    return frame && frame != this && frame->WantsKeyMenu(ch);
  }
  if (FStyle & WS_CHILD) return false;
  return KeyMenuOf(SC_KEYMENU, ch) != TKeyMenu::Pass;
}

void TSkinForm::WmSysCommand(TMessage& m) {
  const wchar_t ch = static_cast<wchar_t>(m.LParam & 0xFFFF);
  if (FMDIKind == mkChild && (m.WParam & 0xFFF0) == SC_KEYMENU && WantsKeyMenu(m.LParam)) {
    PostMessageA(GetAncestor(FWnd, GA_ROOT), WM_SYSCOMMAND, SC_KEYMENU, m.LParam);
    m.Result = 0;
    return;
  }
  switch (FMDIKind == mkChild ? TKeyMenu::Pass : KeyMenuOf(m.WParam, m.LParam)) {
    case TKeyMenu::Pass:
      break;
    case TKeyMenu::Swallow:
      m.Result = 1;
      return;
    case TKeyMenu::BarMode:
      m.Result = 0;
      BarKeyboardMode(FMenuBar->Neighbour(-1, true)->Index);
      return;
    case TKeyMenu::SystemMenu:
      m.Result = 0;
      FButtons.SystemMenuByKeyboard();
      return;
    case TKeyMenu::OpenButton:
      m.Result = 0;
      if (TMenuBtn* b = ButtonByAccel(ch)) {
        FNCOwner.NcLButtonDown(b);
        OpenMenuButton(*b, true);
      }
      return;
  }
  if (const auto state = WinStateForSysCommand(m.WParam)) {
    FWinState = *state;
    if (FMDIKind == mkChild && *state == wsMinimized) SetNativeCaption(true);
    if (FMDIKind == mkChild && *state == wsNormal) SetNativeCaption(false);
  }
  CallOldProc(m);
}
