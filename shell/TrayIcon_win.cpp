#include "shell/TrayIcon_win.h"

#include <shlwapi.h>

#include <cstring>

#include "ui/Forms.h"
#include "ui/Handles.h"
#include "ui/ImgList.h"
#include "ui/Menus.h"
#include "ui/Messages.h"

namespace {

constexpr UINT_PTR kAnimationTimer = 1;
const char kTrayWindowClass[] = "TTrayIconWindow";

// Registered while the units initialise, before any window exists.
const UINT gTaskbarCreated = RegisterWindowMessageA("TaskbarCreated");

}  // namespace

TTrayShellSeam& TrayShellSeam() {
  static TTrayShellSeam seam;
  return seam;
}

int ShellVersion() {
  if (TrayShellSeam().Version) return TrayShellSeam().Version();
  // Only a library that is already loaded is asked; it is never loaded for this.
  HMODULE shell = GetModuleHandleA("shell32.dll");
  if (!shell) return 0;
  auto getVersion =
      reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(GetProcAddress(shell, "DllGetVersion")));
  if (!getVersion) return 0;
  DLLVERSIONINFO info{};
  info.cbSize = 20;
  if (FAILED(getVersion(&info))) return 0;
  return static_cast<int>(info.dwMajorVersion);
}

UINT TaskbarCreatedMessage() { return gTaskbarCreated; }

namespace {
const std::vector<std::string> kClickNames{"ticNone",        "ticLeftClick",  "ticLeftDblClick",
                                           "ticLeftClickUp", "ticRightClick", "ticRightDblClick",
                                           "ticRightClickUp"};
}  // namespace

DEFINE_CLASS_INFO(TTrayIcon, TComponent, Prop<&TTrayIcon::Animate, &TTrayIcon::SetAnimate>("Animate"),
                  Prop<&TTrayIcon::Enabled, &TTrayIcon::SetEnabled>("Enabled"),
                  Prop<&TTrayIcon::HideOnMinimize, &TTrayIcon::SetHideOnMinimize>("HideOnMinimize"),
                  Prop<&TTrayIcon::Hint, &TTrayIcon::SetHint>("Hint"),
                  Prop<&TTrayIcon::IconIndex, &TTrayIcon::SetIconIndex>("IconIndex"),
                  Prop<&TTrayIcon::Interval, &TTrayIcon::SetInterval>("Interval"),
                  Prop<&TTrayIcon::RestoreOn, &TTrayIcon::SetRestoreOn>("RestoreOn", kClickNames),
                  Prop<&TTrayIcon::PopupMenuOn, &TTrayIcon::SetPopupMenuOn>("PopupMenuOn", kClickNames),
                  Prop<&TTrayIcon::PopupMenu>("PopupMenu"), Prop<&TTrayIcon::Icons>("Icons"))

TTrayIcon::TTrayIcon(TComponent* AOwner) : TComponent(AOwner) {
  // A hidden top-level window rather than a message-only one: only top-level windows
  // hear the "TaskbarCreated" and session-end broadcasts.
  // Layered, so that it can stand in for a hidden owner while the menu is open (below).
  THiddenWindowParams p;
  p.ClassName = kTrayWindowClass;
  p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_LAYERED;
  FWnd = FWindow.Create(
      p,
      [this](UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return WindowMessage(msg, wParam, lParam, result);
      },
      this);
  FCore = std::make_unique<TTrayIconCore>(static_cast<ITrayHost&>(*this), ShellVersion(),
                                          reinterpret_cast<std::uintptr_t>(FWnd),
                                          reinterpret_cast<std::uintptr_t>(this), TaskbarCreatedMessage());
}

TTrayIcon::~TTrayIcon() {
  FCore->Destroying();
  if (Application) {
    Application->OnMinimize = nullptr;
    Application->OnRestore = nullptr;
  }
  FWindow.Destroy();
  FWnd = nullptr;
  SetPopupMenu(nullptr);
  SetIcons(nullptr);
}

void TTrayIcon::Loaded() {
  TComponent::Loaded();
  FCore->Loaded();
}

void TTrayIcon::SetPopupMenu(TPopupMenu* menu) {
  if (menu == FPopupMenu) return;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = menu;
  if (menu) menu->FreeNotification(this);
}

void TTrayIcon::SetIcons(TImageList* list) {
  if (list == FIcons) return;
  if (FIcons) {
    FIcons->UnRegisterChanges(FIconsListener);
    FIcons->RemoveFreeNotification(this);
    FIconsListener = 0;
  }
  FIcons = list;
  if (list) {
    FIconsListener = list->RegisterChanges([this] { IconsChanged(); });
    list->FreeNotification(this);
  }
  IconsChanged();
}

void TTrayIcon::IconsChanged() {
  if (FCore) FCore->IconsChanged();
}

void TTrayIcon::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FPopupMenu) FPopupMenu = nullptr;
  if (AComponent == FIcons) {
    FIcons = nullptr;
    IconsChanged();
  }
}

bool TTrayIcon::WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (!FCore) return false;
  if (msg == WM_TIMER && wParam == kAnimationTimer) {
    FCore->AnimationTick();
    result = 0;
    return true;
  }
  // Never seen (at most one transparent pixel), so never given a skinned frame.
  if (msg == CM_SKINQUERY) {
    result = 1;
    return true;
  }
  std::intptr_t answer = 0;
  if (!FCore->HandleMessage(msg, wParam, lParam, answer)) return false;
  result = answer;
  return true;
}

// The record's layouts are given as their 32-bit sizes; a 64-bit shell expects the same
// layouts at its own sizes.
#ifndef _WIN64
static_assert(NOTIFYICONDATAA_V2_SIZE == tray::LargeRecordSize &&
                  NOTIFYICONDATAA_V1_SIZE == tray::SmallRecordSize,
              "the shell's icon record layouts");
#endif
static_assert(NIF_INFO == tray::NifInfo && NIIF_INFO == tray::NiifInfo, "the balloon's flags");
static unsigned ShellRecordSize(unsigned layoutSize) {
  return layoutSize == tray::LargeRecordSize ? NOTIFYICONDATAA_V2_SIZE : NOTIFYICONDATAA_V1_SIZE;
}

bool TTrayIcon::ShellNotify(TTrayCommand command, const TTrayRecord& record) {
  NOTIFYICONDATAA data{};
  data.cbSize = ShellRecordSize(record.Size);
  data.hWnd = reinterpret_cast<HWND>(record.Wnd);
  data.uID = static_cast<UINT>(record.Id);
  data.uFlags = record.Flags;
  data.uCallbackMessage = record.CallbackMessage;
  data.hIcon = reinterpret_cast<HICON>(record.Icon);
  // The tip is already cut to what the chosen layout holds.
  std::memcpy(data.szTip, record.Tip.data(), record.Tip.size());
  if (record.Flags & tray::NifInfo) {
    std::memcpy(data.szInfo, record.Info.data(), record.Info.size());
    std::memcpy(data.szInfoTitle, record.InfoTitle.data(), record.InfoTitle.size());
    data.dwInfoFlags = record.InfoFlags;
  }
  const DWORD message = static_cast<DWORD>(command);
  if (TrayShellSeam().Notify) return TrayShellSeam().Notify(message, data) != FALSE;
  return Shell_NotifyIconA(message, &data) != FALSE;
}

int TTrayIcon::IconCount() { return FIcons ? FIcons->Count() : -1; }

std::uintptr_t TTrayIcon::TakeIcon(int index) {
  if (index >= 0 && FIcons) {
    FIcons->GetIcon(index, FIcon);
  } else if (Application && Application->Icon()->Handle()) {
    FIcon.Assign(*Application->Icon());
  } else {
    FIcon.SetHandle(CopyIcon(LoadIconA(nullptr, IDI_APPLICATION)));
  }
  return reinterpret_cast<std::uintptr_t>(FIcon.Handle());
}

void TTrayIcon::HookApplicationEvents() {
  if (!Application) return;
  Application->OnMinimize = [this](TObject*) { FCore->MinimizeApp(); };
  Application->OnRestore = [this](TObject*) { FCore->ApplicationRestored(); };
}

void TTrayIcon::RestoreApplication() {
  if (Application) Application->Restore();
}

void TTrayIcon::MinimizeApplication() {
  if (Application) Application->Minimize();
}

void TTrayIcon::ShowApplicationWindow(bool show) {
  if (!Application || !Application->Handle()) return;
  if (show) {
    ShowWindow(Application->Handle(), SW_RESTORE);
    SetForegroundWindow(Application->Handle());
  } else {
    ShowWindow(Application->Handle(), SW_HIDE);
  }
}

void TTrayIcon::SetAnimationTimer(bool on, int interval) {
  if (!FWnd) return;
  if (FTimerRunning) KillTimer(FWnd, kAnimationTimer);
  FTimerRunning =
      on && SetTimer(FWnd, kAnimationTimer, static_cast<UINT>(interval > 0 ? interval : 1), nullptr);
}

void TTrayIcon::GetCursorPos(int& x, int& y) {
  POINT p{};
  ::GetCursorPos(&p);
  x = p.x;
  y = p.y;
}

namespace {

// Shows the window as one fully transparent pixel at the point: on screen, so it can hold the
// keyboard, and yet nothing is seen and no click is caught.
void ShowAsClearPixel(HWND wnd, int x, int y) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = 1;
  info.bmiHeader.biHeight = 1;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  MemoryDc dc(nullptr);
  TBitmapHandle pixel(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!pixel || !bits) return;
  *static_cast<std::uint32_t*>(bits) = 0;
  SelectGuard select(dc.get(), pixel.get());
  POINT source{0, 0}, place{x, y};
  SIZE size{1, 1};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  UpdateLayeredWindow(wnd, nullptr, &place, &size, dc.get(), &source, 0, &blend, ULW_ALPHA);
  ShowWindow(wnd, SW_SHOWNA);
}

}  // namespace

void TTrayIcon::ForegroundOwnerForm() {
  auto* form = dynamic_cast<TForm*>(Owner());
  if (!form) return;
  FLentForeground = false;
  if (IsWindowVisible(form->Handle()) || !FWnd) {
    SetForegroundWindow(form->Handle());
    return;
  }
  // A hidden window made the foreground does not get the keyboard: under Wine the keys go on
  // to the taskbar that was clicked, so Escape, the arrows and Return never reach the menu,
  // and the next click on the icon only closes the menu left open. This window stands in
  // for the hidden owner while the menu is open.
  POINT at{};
  ::GetCursorPos(&at);
  ShowAsClearPixel(FWnd, at.x, at.y);
  FLentForeground = SetForegroundWindow(FWnd) != FALSE;
}

void TTrayIcon::TrackPopupMenu(int x, int y) {
  struct TGiveBack {
    TTrayIcon& Tray;
    ~TGiveBack() { Tray.EndForegroundLoan(); }
  } giveBack{*this};
  FPopupMenu->Popup(x, y);
}

void TTrayIcon::EndForegroundLoan() noexcept {
  if (!FWnd || !IsWindowVisible(FWnd)) return;
  // The owner takes the foreground back before the stand-in goes, so the system never picks
  // another window of ours (a particle) to activate; a chosen dialog then comes up in front.
  if (FLentForeground && GetForegroundWindow() == FWnd)
    if (auto* form = dynamic_cast<TForm*>(Owner())) SetForegroundWindow(form->Handle());
  FLentForeground = false;
  ShowWindow(FWnd, SW_HIDE);
}

void TTrayIcon::PostNullMessage() { PostMessageA(nullptr, WM_NULL, 0, 0); }

void TTrayIcon::RaiseEvent(TTrayEvent event) {
  const TNotifyEvent* handler = nullptr;
  switch (event) {
    case TTrayEvent::LButtonDown:
      handler = &OnLButtonDown;
      break;
    case TTrayEvent::LButtonUp:
      handler = &OnLButtonUp;
      break;
    case TTrayEvent::LButtonDblClick:
      handler = &OnLButtonDblClick;
      break;
    case TTrayEvent::RButtonDown:
      handler = &OnRButtonDown;
      break;
    case TTrayEvent::RButtonUp:
      handler = &OnRButtonUp;
      break;
    case TTrayEvent::RButtonDblClick:
      handler = &OnRButtonDblClick;
      break;
    case TTrayEvent::BalloonHintHide:
      handler = &OnBalloonHintHide;
      break;
    case TTrayEvent::BalloonHintClose:
      handler = &OnBalloonHintClose;
      break;
    case TTrayEvent::BalloonHintClick:
      handler = &OnBalloonHintClick;
      break;
    case TTrayEvent::MinimizeApp:
      handler = &OnMinimizeApp;
      break;
    case TTrayEvent::RestoreApp:
      handler = &OnRestoreApp;
      break;
    case TTrayEvent::EndSession:
      handler = &OnEndSession;
      break;
  }
  if (handler && *handler) (*handler)(this);
}

void TTrayIcon::RaiseQueryEndSession(bool& canEnd) {
  if (OnQueryEndSession) OnQueryEndSession(this, canEnd);
}
