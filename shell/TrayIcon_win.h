#pragma once
// TTrayIcon: the program's icon in the notification area, with its popup menu, restore and
// minimise of the application, animation from an image list and the session-end messages.
// The decisions are TTrayIconCore's (TrayIcon.h); this half talks to the shell and USER.
#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <memory>
#include <string>

#include "shell/TrayIcon.h"
#include "ui/Classes.h"
#include "ui/Controls.h"
#include "ui/Graphics.h"
#include "ui/WindowSubclass_win.h"

class TPopupMenu;
class TImageList;

using TQueryEndSessionEvent = std::function<void(TObject* Sender, bool& CanEndSession)>;

// Replaceable shell calls, so tests can see the records sent and pick a layout.
// Empty members mean the real call.
struct TTrayShellSeam {
  std::function<BOOL(DWORD command, const NOTIFYICONDATAA& data)> Notify;
  std::function<int()> Version;
};
TTrayShellSeam& TrayShellSeam();

// Major version of the already loaded shell32.dll (DllGetVersion), 0 when unknown.
int ShellVersion();
// The number registered for "TaskbarCreated" (registered once, at start-up).
UINT TaskbarCreatedMessage();

class TTrayIcon : public TComponent, private ITrayHost {
 public:
  explicit TTrayIcon(TComponent* AOwner);
  ~TTrayIcon() override;
  DECLARE_CLASS_INFO;

  void Loaded() override;

  bool Animate() const noexcept { return FCore->Animate(); }
  void SetAnimate(bool v) { FCore->SetAnimate(v); }
  bool Enabled() const noexcept { return FCore->Enabled(); }
  void SetEnabled(bool v) { FCore->SetEnabled(v); }
  bool HideOnMinimize() const noexcept { return FCore->HideOnMinimize; }
  void SetHideOnMinimize(bool v) { FCore->HideOnMinimize = v; }
  const std::string& Hint() const noexcept { return FCore->Hint(); }
  void SetHint(const std::string& v) { FCore->SetHint(v); }
  TPopupMenu* PopupMenu() const noexcept { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* menu);
  TImageList* Icons() const noexcept { return FIcons; }
  void SetIcons(TImageList* list);
  int IconIndex() const noexcept { return FCore->IconIndex(); }
  void SetIconIndex(int v) { FCore->SetIconIndex(v); }
  int Interval() const noexcept { return FCore->Interval(); }
  void SetInterval(int v) { FCore->SetInterval(v); }
  TTrayIconClicks RestoreOn() const noexcept { return FCore->RestoreOn; }
  void SetRestoreOn(TTrayIconClicks v) { FCore->RestoreOn = v; }
  TTrayIconClicks PopupMenuOn() const noexcept { return FCore->PopupMenuOn; }
  void SetPopupMenuOn(TTrayIconClicks v) { FCore->PopupMenuOn = v; }

  // The component's own hidden window, which receives the shell's callbacks.
  HWND Handle() const noexcept { return FWnd; }
  // The icon shown now.
  HICON CurrentIcon() const noexcept { return FIcon.Handle(); }
  bool InPopup() const noexcept { return FCore->InPopup(); }

  void ShowPopupMenu() { FCore->ShowPopupMenu(); }
  void RestoreApp() { FCore->RestoreApp(); }
  void MinimizeApp() { FCore->MinimizeApp(); }
  void UpdateTray() { FCore->UpdateTray(); }
  bool ShowBalloonHint(const std::string& title, const std::string& text) {
    return FCore->ShowBalloonHint(title, text);
  }

  TNotifyEvent OnLButtonDown, OnLButtonUp, OnLButtonDblClick;
  TNotifyEvent OnRButtonDown, OnRButtonUp, OnRButtonDblClick;
  TNotifyEvent OnBalloonHintHide, OnBalloonHintClose, OnBalloonHintClick;
  TNotifyEvent OnMinimizeApp, OnRestoreApp;
  TQueryEndSessionEvent OnQueryEndSession;
  TNotifyEvent OnEndSession;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  // The hidden window's messages: true when taken, with the answer in result.
  bool WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void IconsChanged();
  // Hides the window that stood in for a hidden owner while the menu was open.
  void EndForegroundLoan() noexcept;

  // ITrayHost
  bool ShellNotify(TTrayCommand command, const TTrayRecord& record) override;
  int IconCount() override;
  std::uintptr_t TakeIcon(int index) override;
  void HookApplicationEvents() override;
  void RestoreApplication() override;
  void MinimizeApplication() override;
  void ShowApplicationWindow(bool show) override;
  void SetAnimationTimer(bool on, int interval) override;
  bool HasPopupMenu() override { return FPopupMenu != nullptr; }
  void GetCursorPos(int& x, int& y) override;
  void ForegroundOwnerForm() override;
  void TrackPopupMenu(int x, int y) override;
  void PostNullMessage() override;
  void RaiseEvent(TTrayEvent event) override;
  void RaiseQueryEndSession(bool& canEnd) override;

  THiddenWindow FWindow;
  HWND FWnd = nullptr;
  TIcon FIcon;
  TPopupMenu* FPopupMenu = nullptr;
  TImageList* FIcons = nullptr;
  int FIconsListener = 0;
  bool FTimerRunning = false;
  bool FLentForeground = false;  // FWnd holds the foreground for a hidden owner form
  std::unique_ptr<TTrayIconCore> FCore;
};
