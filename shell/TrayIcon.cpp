#include "shell/TrayIcon.h"

TTrayRecord MakeTrayRecord(int shellVersion, std::uintptr_t wnd, std::uintptr_t id) {
  TTrayRecord r;
  r.Size = shellVersion >= tray::LargeLayoutShellVersion ? tray::LargeRecordSize : tray::SmallRecordSize;
  r.Wnd = wnd;
  r.Id = id;
  r.Flags = tray::NifMessage | tray::NifIcon;
  r.CallbackMessage = tray::MsgTrayCallback;
  return r;
}

TTrayIconCore::TTrayIconCore(ITrayHost& host, int shellVersion, std::uintptr_t wnd, std::uintptr_t id,
                             unsigned taskbarCreated)
    : FHost(host), FRecord(MakeTrayRecord(shellVersion, wnd, id)), FTaskbarCreated(taskbarCreated) {
  FRecord.Icon = FHost.TakeIcon(-1);
  FHost.SetAnimationTimer(false, FInterval);
  FHost.HookApplicationEvents();
  UpdateTray();
}

void TTrayIconCore::Loaded() {
  FLoading = false;
  int count = FHost.IconCount();
  FRecord.Icon = FHost.TakeIcon(count >= 0 && FIconIndex >= 0 && FIconIndex < count ? FIconIndex : -1);
  if (FEnabled) AddIcon();
  UpdateTray();
}

void TTrayIconCore::Destroying() {
  FHost.SetAnimationTimer(false, FInterval);
  RemoveIcon();
}

void TTrayIconCore::AddIcon() {
  if (!FHost.ShellNotify(TTrayCommand::Add, FRecord)) FEnabled = false;
  FHost.HookApplicationEvents();
}

void TTrayIconCore::RemoveIcon() { FHost.ShellNotify(TTrayCommand::Delete, FRecord); }

void TTrayIconCore::UpdateTray() { FHost.ShellNotify(TTrayCommand::Modify, FRecord); }

bool TTrayIconCore::ShowBalloonHint(const std::string& title, const std::string& text) {
  if (!FEnabled || FLoading || FRecord.Size != tray::LargeRecordSize) return false;
  // A copy: the balloon goes with this one record, and later updates do not show it again.
  TTrayRecord balloon = FRecord;
  balloon.Flags |= tray::NifInfo;
  balloon.Info = text.substr(0, 255);
  balloon.InfoTitle = title.substr(0, 63);
  balloon.InfoFlags = tray::NiifInfo;
  return FHost.ShellNotify(TTrayCommand::Modify, balloon);
}

void TTrayIconCore::SetEnabled(bool value) {
  if (value == FEnabled && !FReinserting) return;
  FEnabled = value;
  // While the stored properties load, the icon waits for Loaded.
  if (FLoading) return;
  if (value)
    AddIcon();
  else
    RemoveIcon();
}

void TTrayIconCore::SetHint(const std::string& value) {
  if (value == FHint) return;
  FHint = value;
  FRecord.Tip = value.substr(0, FRecord.TipLimit());
  if (value.empty())
    FRecord.Flags &= ~tray::NifTip;
  else
    FRecord.Flags |= tray::NifTip;
  UpdateTray();
}

void TTrayIconCore::SetIconIndex(int value) {
  FIconIndex = value;
  int count = FHost.IconCount();
  bool fromList = count >= 0 && value >= 0 && value < count;
  FRecord.Icon = FHost.TakeIcon(fromList ? value : -1);
  UpdateTray();
}

void TTrayIconCore::SetAnimate(bool value) {
  FAnimate = value;
  FHost.SetAnimationTimer(value, FInterval);
}

void TTrayIconCore::SetInterval(int value) {
  FInterval = value;
  if (FAnimate) FHost.SetAnimationTimer(true, FInterval);
}

void TTrayIconCore::AnimationTick() {
  if (!FAnimate) return;
  int count = FHost.IconCount();
  if (count < 0) return;
  int next = FIconIndex + 1;
  if (next >= count || next < 0) next = 0;
  SetIconIndex(next);
}

void TTrayIconCore::ShowPopupMenu() {
  if (!FHost.HasPopupMenu()) return;
  int x = 0, y = 0;
  FHost.GetCursorPos(x, y);
  // Without the foreground the menu would not close on a click elsewhere.
  FHost.ForegroundOwnerForm();
  FInPopup = true;
  try {
    FHost.TrackPopupMenu(x, y);
    FHost.PostNullMessage();
  } catch (...) {
    FInPopup = false;
    throw;
  }
  FInPopup = false;
}

void TTrayIconCore::RestoreApp() {
  // A restore while the menu is open would pull the application up behind the menu.
  if (FInPopup) return;
  FRestoring = true;
  try {
    FHost.RestoreApplication();
    if (FEnabled) FHost.ShowApplicationWindow(true);
    FHost.RaiseEvent(TTrayEvent::RestoreApp);
  } catch (...) {
    FRestoring = false;
    throw;
  }
  FRestoring = false;
}

void TTrayIconCore::ApplicationRestored() {
  // Our own restore raises the application's event again; that one is already being handled.
  if (!FRestoring) RestoreApp();
}

void TTrayIconCore::MinimizeApp() {
  // Minimising the application raises its minimise event, which lands here again.
  if (FMinimizing) return;
  FMinimizing = true;
  try {
    FHost.MinimizeApplication();
    if (FEnabled && HideOnMinimize) FHost.ShowApplicationWindow(false);
    FHost.RaiseEvent(TTrayEvent::MinimizeApp);
  } catch (...) {
    FMinimizing = false;
    throw;
  }
  FMinimizing = false;
}

namespace {
// What each notification from the icon is: the click a user may restore the program or open
// its menu with (none for the balloon's), and the event it raises.
struct TTrayCallback {
  unsigned Msg;
  TTrayIconClicks Click;
  TTrayEvent Event;
};
constexpr TTrayCallback kTrayCallbacks[] = {
    {tray::MsgLButtonDown, TTrayIconClicks::ticLeftClick, TTrayEvent::LButtonDown},
    {tray::MsgLButtonUp, TTrayIconClicks::ticLeftClickUp, TTrayEvent::LButtonUp},
    {tray::MsgLButtonDblClk, TTrayIconClicks::ticLeftDblClick, TTrayEvent::LButtonDblClick},
    {tray::MsgRButtonDown, TTrayIconClicks::ticRightClick, TTrayEvent::RButtonDown},
    {tray::MsgRButtonUp, TTrayIconClicks::ticRightClickUp, TTrayEvent::RButtonUp},
    {tray::MsgRButtonDblClk, TTrayIconClicks::ticRightDblClick, TTrayEvent::RButtonDblClick},
    {tray::MsgBalloonHide, TTrayIconClicks::ticNone, TTrayEvent::BalloonHintHide},
    {tray::MsgBalloonTimeout, TTrayIconClicks::ticNone, TTrayEvent::BalloonHintClose},
    {tray::MsgBalloonUserClick, TTrayIconClicks::ticNone, TTrayEvent::BalloonHintClick},
};
}  // namespace

void TTrayIconCore::MouseAction(TTrayIconClicks click, TTrayEvent event) {
  if (RestoreOn == click) RestoreApp();
  if (PopupMenuOn == click) ShowPopupMenu();
  FHost.RaiseEvent(event);
}

bool TTrayIconCore::HandleMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam,
                                  std::intptr_t& result) {
  result = 0;
  if (msg == tray::MsgQueryEndSession) {
    bool canEnd = true;
    FHost.RaiseQueryEndSession(canEnd);
    result = canEnd ? 1 : 0;
    return true;
  }
  if (msg == tray::MsgEndSession) {
    FHost.RaiseEvent(TTrayEvent::EndSession);
    if (wParam != 0) RemoveIcon();
    return true;
  }
  if (msg == tray::MsgTrayCallback) {
    for (const TTrayCallback& c : kTrayCallbacks) {
      if (c.Msg != static_cast<unsigned>(lParam)) continue;
      if (c.Click != TTrayIconClicks::ticNone)
        MouseAction(c.Click, c.Event);
      else
        FHost.RaiseEvent(c.Event);
    }
    return true;
  }
  if (FTaskbarCreated != 0 && msg == FTaskbarCreated) {
    if (FEnabled) {
      FReinserting = true;
      try {
        SetEnabled(true);
      } catch (...) {
        // A failed re-add must not take the program down; the icon just stays away.
      }
      FReinserting = false;
    }
    return true;
  }
  return false;
}
