#pragma once
// The notification-area icon's decisions, free of the platform: which record is sent to the
// shell and when, which mouse action restores the application or opens the menu, which event
// fires, the animation step and the flags that keep a restore out of an open menu.
// The Win32 component (TrayIcon_win.h) supplies an ITrayHost and routes its messages here.
#include <cstdint>
#include <string>

enum class TTrayIconClicks {
  ticNone,
  ticLeftClick,
  ticLeftDblClick,
  ticLeftClickUp,
  ticRightClick,
  ticRightDblClick,
  ticRightClickUp
};

namespace tray {
// The callback message the shell sends to the component's window.
constexpr unsigned MsgTrayCallback = 0x2422;
constexpr unsigned MsgQueryEndSession = 0x0011;
constexpr unsigned MsgEndSession = 0x0016;
constexpr unsigned MsgLButtonDown = 0x0201;
constexpr unsigned MsgLButtonUp = 0x0202;
constexpr unsigned MsgLButtonDblClk = 0x0203;
constexpr unsigned MsgRButtonDown = 0x0204;
constexpr unsigned MsgRButtonUp = 0x0205;
constexpr unsigned MsgRButtonDblClk = 0x0206;
constexpr unsigned MsgBalloonHide = 0x0403;
constexpr unsigned MsgBalloonTimeout = 0x0404;
constexpr unsigned MsgBalloonUserClick = 0x0405;

// Record flags (NIF_*).
constexpr unsigned NifMessage = 1;
constexpr unsigned NifIcon = 2;
constexpr unsigned NifTip = 4;
constexpr unsigned NifInfo = 0x10;
constexpr unsigned NiifInfo = 1;  // the balloon's information icon

// Record layouts: the shell's version-5 one (128-character tooltip buffer) and its first one
// (64 characters), chosen by the loaded shell library's major version.
constexpr unsigned LargeRecordSize = 488;
constexpr unsigned SmallRecordSize = 88;
constexpr int LargeLayoutShellVersion = 5;
}  // namespace tray

// Shell_NotifyIcon commands, with the platform's values.
enum class TTrayCommand : unsigned { Add = 0, Modify = 1, Delete = 2 };

// What goes into the shell's icon record. Handles are carried as plain numbers.
struct TTrayRecord {
  unsigned Size = 0;
  std::uintptr_t Wnd = 0;
  std::uintptr_t Id = 0;
  unsigned Flags = 0;
  unsigned CallbackMessage = 0;
  std::uintptr_t Icon = 0;
  std::string Tip;  // already cut to TipLimit()
  // A balloon, sent once with NifInfo (only the large layout has one); cut to 255 and 63.
  std::string Info, InfoTitle;
  unsigned InfoFlags = 0;
  // Characters of tooltip the layout holds, without the terminator.
  unsigned TipLimit() const noexcept { return Size == tray::LargeRecordSize ? 127u : 63u; }
};

// Record of the layout the given shell version takes, for a window and an identifier.
TTrayRecord MakeTrayRecord(int shellVersion, std::uintptr_t wnd, std::uintptr_t id);

enum class TTrayEvent {
  LButtonDown,
  LButtonUp,
  LButtonDblClick,
  RButtonDown,
  RButtonUp,
  RButtonDblClick,
  BalloonHintHide,
  BalloonHintClose,
  BalloonHintClick,
  MinimizeApp,
  RestoreApp,
  EndSession
};

// The platform's side of the tray icon. All calls come on the GUI thread.
class ITrayHost {
 public:
  virtual ~ITrayHost() = default;
  // Shell_NotifyIcon; answers whether the shell accepted.
  virtual bool ShellNotify(TTrayCommand command, const TTrayRecord& record) = 0;
  // Entries in the linked image list, or -1 when there is none.
  virtual int IconCount() = 0;
  // Makes the current icon a copy of list entry index, or of the application's icon for -1,
  // and answers its handle.
  virtual std::uintptr_t TakeIcon(int index) = 0;
  // Takes over the application's minimise and restore events.
  virtual void HookApplicationEvents() = 0;
  virtual void RestoreApplication() = 0;
  virtual void MinimizeApplication() = 0;
  // Shows (restore, and brings to the foreground) or hides the application's taskbar window.
  virtual void ShowApplicationWindow(bool show) = 0;
  // Starts or stops the animation timer.
  virtual void SetAnimationTimer(bool on, int interval) = 0;
  virtual bool HasPopupMenu() = 0;
  virtual void GetCursorPos(int& x, int& y) = 0;
  // Brings the owning form to the foreground, when the owner is a form.
  virtual void ForegroundOwnerForm() = 0;
  // Shows the menu at the point and returns when it has closed.
  virtual void TrackPopupMenu(int x, int y) = 0;
  virtual void PostNullMessage() = 0;
  virtual void RaiseEvent(TTrayEvent event) = 0;
  virtual void RaiseQueryEndSession(bool& canEnd) = 0;
};

class TTrayIconCore {
 public:
  // taskbarCreated: the number registered for "TaskbarCreated".
  TTrayIconCore(ITrayHost& host, int shellVersion, std::uintptr_t wnd, std::uintptr_t id,
                unsigned taskbarCreated);
  TTrayIconCore(const TTrayIconCore&) = delete;
  TTrayIconCore& operator=(const TTrayIconCore&) = delete;

  // After the stored properties are in: picks the icon and adds it when enabled.
  void Loaded();
  bool IsLoading() const noexcept { return FLoading; }
  // The component goes: the icon leaves the notification area.
  void Destroying();

  bool Enabled() const noexcept { return FEnabled; }
  void SetEnabled(bool value);
  const std::string& Hint() const noexcept { return FHint; }
  void SetHint(const std::string& value);
  int IconIndex() const noexcept { return FIconIndex; }
  void SetIconIndex(int value);
  // The image list was linked, unlinked or changed: the index is applied again.
  void IconsChanged() { SetIconIndex(FIconIndex); }
  bool Animate() const noexcept { return FAnimate; }
  void SetAnimate(bool value);
  int Interval() const noexcept { return FInterval; }
  void SetInterval(int value);

  TTrayIconClicks RestoreOn = TTrayIconClicks::ticLeftDblClick;
  TTrayIconClicks PopupMenuOn = TTrayIconClicks::ticRightClickUp;
  bool HideOnMinimize = true;

  // Messages of the component's window; answers whether it handled msg (result set then).
  bool HandleMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam, std::intptr_t& result);
  void AnimationTick();
  void ShowPopupMenu();
  void RestoreApp();
  void MinimizeApp();
  // The application raised its own restore event.
  void ApplicationRestored();
  void UpdateTray();
  // Shows a balloon at the icon. Answers false (and sends nothing) when the icon is not in
  // the notification area or the shell's layout has no balloons.
  bool ShowBalloonHint(const std::string& title, const std::string& text);

  const TTrayRecord& Record() const noexcept { return FRecord; }
  bool InPopup() const noexcept { return FInPopup; }

 private:
  void AddIcon();
  void RemoveIcon();
  void MouseAction(TTrayIconClicks click, TTrayEvent event);

  ITrayHost& FHost;
  TTrayRecord FRecord;
  unsigned FTaskbarCreated;
  bool FLoading = true;
  bool FEnabled = true;
  std::string FHint;
  int FIconIndex = 0;
  bool FAnimate = false;
  int FInterval = 1000;
  bool FInPopup = false;
  bool FRestoring = false;
  bool FMinimizing = false;
  bool FReinserting = false;
};
