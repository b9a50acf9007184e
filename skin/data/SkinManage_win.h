#pragma once
// The skin manager of the process: a CBT hook on the GUI thread attaches form handlers to
// windows as they are activated and popup handlers to menu windows as they are created;
// queued commands from the skin components switch skinning on, off, or refresh it.
// The form handlers themselves are made by the form unit through a factory, so this unit
// knows only what it uses of them (ISkinFormHandler).
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "skin/data/SkinManage.h"
#include "skin/forms/FrameGeometry.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/Handles.h"

class TSkinManage;
class TSkinPopupMenu;

// What the manager uses of a form handler.
class ISkinFormHandler {
 public:
  virtual ~ISkinFormHandler() = default;
  virtual HWND Window() const = 0;
  virtual TSkinData* SkinData() const = 0;
  virtual TSkinFormStage Stage() const = 0;
  virtual TMDIKind MDIKind() const = 0;
  virtual TWinState WinState() const = 0;
  virtual void SetWinState(TWinState state) = 0;
  virtual void AttachToForm(TSkinData* skin, TForm* form) = 0;
  virtual void AttachToWindow(TSkinData* skin) = 0;
  // Whether the last attach took the window over (a window may refuse the subclass).
  virtual bool Attached() const = 0;
  virtual void DetachSkin() = 0;
  virtual void FreeTitleButtons() = 0;
  virtual void CalcFrameMetrics() = 0;
  virtual void SkinChanged() = 0;
  virtual void SetNativeCaption(bool restore) = 0;
  virtual void UpdateFrameRegion() = 0;
  virtual void FrameChanged() = 0;
  virtual bool HasRegion() const = 0;
  virtual void RemoveRegion() = 0;
  virtual void OfferWindow(HWND wnd) = 0;
  // Whether a keyboard-menu command with this character (F10, Alt, Alt+letter, Alt+Space)
  // opens something of the skin in this window. The system sends it to the window that has
  // the keyboard focus, often a control, and never to the top-level window behind it.
  virtual bool WantsKeyMenu(LPARAM ch) = 0;
};

// Makes a form handler for a window (form: its class-library form, or null).
using TFormHandlerFactory =
    std::function<std::unique_ptr<ISkinFormHandler>(TSkinManage& manager, TForm* form, HWND wnd)>;

// GetVersion() as InstallHook recorded it (0 before).
DWORD SkinWindowsVersion();

class TSkinManage final : public ISkinManager {
 public:
  explicit TSkinManage(TFormHandlerFactory factory);
  ~TSkinManage() override;
  TSkinManage(const TSkinManage&) = delete;
  TSkinManage& operator=(const TSkinManage&) = delete;

  // --- what the components ask (ISkinManager) ---
  void AddSkinData(TSkinData* data) override;
  // Also detaches and frees the form and popup handlers that use the component.
  void RemoveSkinData(TSkinData* data) override;
  void InstallHook() override;
  void SetSkinningOn(bool on) override { FState.SkinningOn = on; }
  TStartState StartState() const override { return FState.StartState; }
  void SetStartState(TStartState state) override { FState.StartState = state; }
  void SkinForm(TComponent* form) override;
  void PostCommand(int command, int intervalMs) override;
  void SetCommandTarget(TSkinData* data) override { FState.Target = data; }
  void RefreshSkinForms() override;

  // --- windows ---
  bool SkinningOn() const { return FState.SkinningOn; }
  bool Scanning() const { return FState.Scanning; }
  bool HookInstalled() const { return static_cast<bool>(FHook); }
  TSkinData* MainSkinData() const { return FState.MainSkinData(); }
  const std::vector<TSkinData*>& Components() const { return FState.Components(); }
  TSkinData* CommandTarget() const { return FState.Target; }
  bool CommandTimerEnabled() const;

  // Attaches a form handler when the window qualifies; the verdict says why not.
  TSkinWindowVerdict SkinWindow(HWND wnd);
  TSkinData* FindSkinData(HWND wnd) const;
  ISkinFormHandler* FindSkinForm(HWND wnd) const;
  int FormHandlerCount() const { return static_cast<int>(FForms.size()); }
  void PurgeClosed();

  // --- menu windows ---
  TPopupMenuKind PopupKind() const { return FState.PopupKind; }
  void SetPopupKind(TPopupMenuKind kind) { FState.PopupKind = kind; }
  void SkinPopupMenu(HWND wnd);
  void ReleasePopupMenu(HWND wnd);
  TSkinPopupMenu* FindPopupMenu(HWND wnd) const;
  int PopupMenuCount() const { return static_cast<int>(FPopups.size()); }
  // The background of the popup handler showing this menu, or null.
  TBitmap* PopupMenuBitmap(HMENU menu) const;

  // --- commands ---
  void ExecuteCommand();

  // --- MDI state (set by the MDI frame's handler, cleared when it goes) ---
  HWND MDIClient = nullptr;
  TForm* MDIMainForm = nullptr;
  bool MDIChildMaximized() const { return FMDIChildMaximized; }
  void SetMDIChildMaximized(bool state);
  // The frame whose client this is no longer has a handler: the state is no one's.
  void ForgetMDIFrame(HWND client);

 private:
  static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam) noexcept;
  void OnCreateWindow(HWND wnd, const CBT_CREATEWNDA& create);
  // A keyboard-menu command on its way to the system's menus of the focused window: true
  // when the skinned window the focus is in takes it instead.
  bool KeyMenuOfFocus(WPARAM command, LPARAM ch);
  std::unique_ptr<ISkinFormHandler> TakeForm(ISkinFormHandler* handler);
  void DetachAndFree(ISkinFormHandler* handler);
  bool Attach(HWND wnd, TForm* form, TSkinData* data);

  TFormHandlerFactory FFactory;
  TSkinManageState FState;
  std::unique_ptr<TTimer> FCommandTimer;
  THookHandle FHook;
  std::vector<std::unique_ptr<ISkinFormHandler>> FForms;
  std::vector<std::unique_ptr<TSkinPopupMenu>> FPopups;
  bool FMDIChildMaximized = false;
};

// The process's manager as the platform sees it (null when none, or while it is freed).
TSkinManage* SkinManage();
// Lets the skin components create the manager (Loaded) with this form handler factory.
void InstallSkinManager(TFormHandlerFactory factory);

// Small platform readings shared by the manager and the handlers.
std::string WindowClassName(HWND wnd);
// The class-library form whose window this is (search of the screen's forms), or null.
TForm* FindFormOfWindow(HWND wnd);
// The topmost shown menu window ("#32768") of the calling thread, or null: menus of other
// threads and programs on the same desktop are none of ours.
HWND ThreadMenuWindow();
// Whether the calling thread is inside a menu loop (a popup menu or a menu bar tracked).
bool ThreadInMenuMode();
