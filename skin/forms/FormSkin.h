#pragma once
// The form handler: one per skinned top-level window (a class-library form or any other
// window of the process). It replaces the window's procedure, dispatches messages in three
// stages to the frame, title-bar button, menu-bar and menu-item handlers, starts the skinning
// of the window's controls, and puts everything back when it detaches.
//
// The handlers of each concern live in files of their own (FormSkinFrame_win.cpp,
// FormSkinButtons_win.cpp, FormSkinMenuBar_win.cpp, FormSkinMenuItems_win.cpp,
// FormSkinChildren_win.cpp); a concern not built yet passes its messages to the saved
// procedure, so the window keeps its native look there. The frame painter, the title buttons
// and the menu-bar tracker are parts the handler owns, each with its own state.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/data/SkinManage_win.h"
#include "skin/forms/FrameGeometry.h"
#include "skin/forms/FramePainter_win.h"
#include "skin/forms/MenuBarTracker_win.h"
#include "skin/forms/MenuKeys.h"
#include "skin/forms/NCObject.h"
#include "skin/forms/SkinMenuBar_win.h"
#include "skin/forms/SystemMenu.h"
#include "skin/forms/TitleButtons_win.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/Graphics.h"
#include "ui/Handles.h"
#include "ui/Menus.h"
#include "ui/PaintGuards_win.h"
#include "ui/WindowSubclass_win.h"

class TSkinControl;
class TSkinMenuBar;
class TMenuBtn;

class TSkinForm final : public TComponent, public ISkinFormHandler, public ISubclassTarget {
 public:
  // The manager makes and owns the handler; form is the window's class-library form or null.
  TSkinForm(TSkinManage& manager, TForm* form, HWND wnd);
  ~TSkinForm() override;
  DECLARE_CLASS_INFO;

  // --- ISkinFormHandler ---
  HWND Window() const override { return FWnd; }
  TSkinData* SkinData() const override { return FSkinData; }
  TSkinFormStage Stage() const override { return FStage; }
  TMDIKind MDIKind() const override { return FMDIKind; }
  TWinState WinState() const override { return FWinState; }
  void SetWinState(TWinState state) override { FWinState = state; }
  void AttachToForm(TSkinData* skin, TForm* form) override;
  void AttachToWindow(TSkinData* skin) override;
  void DetachSkin() override;
  void FreeTitleButtons() override { FButtons.Free(); }
  void CalcFrameMetrics() override;
  void SkinChanged() override;
  void SetNativeCaption(bool restore) override;
  void UpdateFrameRegion() override;
  void FrameChanged() override;
  bool HasRegion() const override { return FFrame.OwnsRegion(); }
  void RemoveRegion() override;
  void OfferWindow(HWND wnd) override;
  bool WantsKeyMenu(LPARAM ch) override;

  void DetachOnDestroy();
  void ReleaseSkin();
  void ReadWindowState();
  bool IsChildMaximized();

  // --- what the attachment found ---
  TForm* Form() const { return FForm; }
  bool Attached() const override { return FSubclass.Installed(); }
  bool FrameSkinned() const { return FFrameSkinned; }
  int FrameKind() const { return FFrameKind; }
  int IconFlags() const { return FIconFlags; }
  bool StandardDialog() const { return FStandardDialog; }
  bool Wide() const { return FWide; }
  bool Active() const { return FActive; }
  HWND MDIClientWindow() const { return FMDIClient; }
  bool HoverTimerEnabled() const { return FHoverTimer && FHoverTimer->Enabled(); }
  // The painter of this handler's owner-drawn menu items, while it exists.
  std::weak_ptr<const struct TMenuItemPainter> MenuItemPainter() const { return FMenuPainter; }
  const TFrameBorders& Borders() const noexcept { return FFrame.Borders(); }
  const TFramePainter& Frame() const noexcept { return FFrame; }
  const TTitleButtons& TitleButtons() const noexcept { return FButtons; }
  int DisableTag = 99;

  // --- the skinned menu bar (FormSkinMenuBar_win.cpp) ---
  TSkinMenuBar* MenuBar() const { return FMenuBar.get(); }
  // Opens the button's drop-down under it and returns once it closed; false for a button
  // without one (its command is posted all the same). Opened by the keyboard, the
  // drop-down starts with its first item selected; by the mouse, with none.
  bool OpenMenuButton(TMenuBtn& button, bool byKeyboard = false);
  // Closes what is open and opens the button's drop-down through a posted press.
  void SwitchToButton(TMenuBtn& button, bool byKeyboard);
  // The bar's keyboard mode (F10, a lone Alt, Escape from a drop-down): the button selected,
  // moved by Left and Right, opened by Down, Up, Return or its letter; Escape, Alt, F10 or a
  // click leave. Returns when the mode ends.
  void BarKeyboardMode(int index);
  bool KeyboardMode() const { return FKeyboardMode; }
  int KeyboardSelection() const { return FKeyboardMode ? FKeySelected : -1; }
  TMenuBtn* ButtonByAccel(wchar_t ch);
  bool MenuTracking() const;
  // The index of the bar button whose drop-down is open in this process, -1 for none.
  static int OpenMenuIndex();

  // --- control handlers (FormSkinChildren_win.cpp) ---
  // Adds a handler to the list; answers whether it was there already.
  bool RegisterControl(TSkinControl* handler);
  void UnregisterControl(TSkinControl* handler) noexcept;
  // Takes the one ownership of an attached handler (AttachHandler's answer) and lists it.
  TSkinControl* AdoptControl(std::unique_ptr<TSkinControl> handler);
  // Frees an owned handler now (its control is going); nothing for one not owned here.
  void FreeControl(TSkinControl* handler) noexcept;
  // Frees the owned handlers whose window is gone; a listed one owned elsewhere is let go.
  void SweepControls();
  const std::vector<TSkinControl*>& ControlHandlers() const noexcept { return FControlHandlers; }
  // The last button handler the mouse entered: only one shows the hot frame.
  const void* HotButton = nullptr;
  // Tells a control handler of this form that the mouse has left it (nothing when it is
  // no longer in the list: it may have gone with its window).
  void SendMouseLeave(const void* handler);
  // The canvas lent to control handlers.
  TCanvas* ControlCanvas() noexcept { return &FControlCanvas; }
  // Offers a class-library control (and, for containers, its children) to the pass.
  void OfferControl(TControl* control);
  void SkinChildrenOf(TComponent* owner);
  // The popup menus a control owns (a toolbar's drop-down menus) draw their items from the
  // skin like the form's own, until the skin goes.
  void OwnerDrawMenusOf(TComponent* owner);

  // The window procedure (NewWndProc).
  LRESULT SubclassProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TMenuBarTracker;  // the menu bar it tracks, and the switch to a neighbour
  friend class TFramePainter;    // the window's state it paints by
  friend class TTitleButtons;    // the window's state, and the buttons' effects on it
  class TClientTarget;

  // Dispatch (FormSkin_win.cpp).
  bool Stage1(TMessage& m);
  bool Stage2(TMessage& m);
  bool Stage3(TMessage& m);
  void CallOldProc(TMessage& m);
  void HookedWindowProc(TMessage& m);
  LRESULT NewClientProc(UINT msg, WPARAM wParam, LPARAM lParam);
  void SkinStart();
  void FindMDIClient();
  // Saves the client rectangle and the native frame's size as the window has them now.
  void ReadNativeClient();
  // A foreign top-level window keeps its native caption until CM_SKINSTART: until then it
  // may still size itself, and does so with the frame it knows. (MDI children follow the
  // frame's maximized state from the start.)
  bool CaptionDeferred() const { return !FForm && FStage == stCreated && FMDIKind != mkChild; }
  void UnhookClient();
  void RestoreFormWindowProc();
  // The first steps of both ways of detaching: the system menu and hover timer go and the
  // window gets its procedure back. False when no more is to be done (a window whose frame
  // was not skinned is released whole; a handler no longer installed has nothing to undo).
  bool BeginDetach();
  void MenuChangedMessage(TMessage& m);

  // The frame's messages and sizing (FormSkinFrame_win.cpp); the painter paints it.
  // Whether a skinned menu bar can replace a window's native one.
  static bool MenuBarReady();
  void AdjustWindowSize(bool refresh);
  // SetWindowPos of the window, its controls kept where they were in their parents' client
  // areas (a foreign window's, nested ones too), the window's own children moved right by
  // childShift.
  void SetSizeKeepingControls(int x, int y, int width, int height, UINT flags, int childShift);
  void WmNcCalcSize(TMessage& m);
  void WmNcPaint(TMessage& m);
  void WmNcActivate(TMessage& m);
  void WmSize(TMessage& m);
  void WmGetMinMaxInfo(TMessage& m);
  void SkinMenuPaint(TMessage& m);

  // Hit-testing, the mouse on the frame and the keyboard menu (FormSkinButtons_win.cpp); the
  // title buttons and the system menu are the title-buttons part's.
  POINT ScreenToFrame(LPARAM lParam);
  TNCObject* ObjectAt(POINT framePoint);
  void HoverTimerTick();
  void WmCommand(TMessage& m);
  void WmSysCommand(TMessage& m);
  // The keyboard-menu decision for this window now.
  TKeyMenu KeyMenuOf(WPARAM command, LPARAM ch);
  void WmNcHitTest(TMessage& m);
  void WmNcMouse(TMessage& m);

  // Menu bar (FormSkinMenuBar_win.cpp).
  void CreateMenuBar();
  // Follows the menu the window has now (set on the window, replaced or freed on the form).
  void FollowWindowMenu();
  // The form's main menu now; none while it is being freed.
  TMainMenu* FormMenu() const;
  void FreeMenuBar(bool giveMenuBack);
  bool HasMenuBar() const;
  void RebuildMenuBar(bool fromNativeMenu);
  void RebuildMenuBarByCommand(HMENU menu);
  bool MenuBarDialogChar(TMessage& m);
  void PaintMenuBar(HDC dc);
  // After a full paint: the open drop-down's button keeps its pressed face, the button the
  // keyboard selected its hot one.
  void KeepMenuButtonFace();
  void SelectKeyButton(int index);
  // Makes a drop-down's items owner-drawn, recursively, and remembers each item it changed.
  void MakeOwnerDrawn(HMENU menu);
  // Gives every item MakeOwnerDrawn changed its own drawing back (skinning switched off).
  void UndoOwnerDrawn();

  // Menu items (FormSkinMenuItems_win.cpp).
  void OwnerDrawMenus(bool popupMenus, bool mainMenus, bool on);
  // Gives a popup menu of the handler's own the skin's item drawing and measuring.
  void OwnerDrawPopup(TPopupMenu& popup);
  std::vector<TPopupMenu*> FControlMenus;  // skinned through OwnerDrawMenusOf
  void WmDrawItem(TMessage& m);
  void WmMeasureItem(TMessage& m);
  const struct TMenuItemPainter& MenuPainter();
  // Shared with the draw and measure handlers given to menu items, which may outlive this
  // handler (a form's menus are freed after its window).
  std::shared_ptr<struct TMenuItemPainter> FMenuPainter;
  int LeftWidthOfSkin() const;

  // The controls of the window (FormSkinChildren_win.cpp).
  void SkinChildren();
  void FreeControlHandlers();
  // Takes out of the list the handlers registered by hand (not owned here): all, or those
  // whose window is gone.
  void LetGoUnowned(bool all) noexcept;
  void ControlsSkinChanged();

  TSkinManage& FManager;
  HWND FWnd;
  TForm* FForm;
  TSkinData* FSkinData = nullptr;
  bool FAttached = false;

  // Saved originals.
  TWindowSubclass FFormProc;  // a class-library form's WindowProc (HookedWindowProc)
  TWindowSubclass FSubclass;
  std::unique_ptr<TClientTarget> FClientTarget;
  TWindowSubclass FClientSubclass;
  HWND FMDIClient = nullptr;
  bool FMenuUpdateAtAttach = true;
  HWND FPendingChild = nullptr;
  DWORD FStyle = 0, FExStyle = 0;
  TColor FFormColor = clBtnFace;
  HMENU FNativeMenu = nullptr;
  RECT FClientRect{};
  int FNativeFrameWidth = 0, FNativeFrameHeight = 0;
  SIZE FNativeWindowSize{};  // when the client above was read

  // Analysis.
  bool FFrameSkinned = false;
  bool FRightToLeft = false;
  bool FSizeable = false;
  bool FWide = false;
  bool FStandardDialog = false;
  bool FPaintsFace = false;  // paints a foreign window's background in the skin's face
  bool FDetachOnDestroy = true;
  bool FCaptionRestored = true;
  HWND FOwnerWnd = nullptr;
  std::string FClassName;
  int FIconFlags = 0;
  int FFrameKind = fkSingle;
  TMDIKind FMDIKind = mkPlain;
  TWinState FWinState = wsNormal;
  bool FActive = true;
  TSkinFormStage FStage = stCreated;

  TFramePainter FFrame{*this};
  std::unique_ptr<TTimer> FHoverTimer;

  // The frame's mouse state, over the title buttons and the menu bar's buttons alike.
  TNCObjectOwner FNCOwner;
  TTitleButtons FButtons{*this};  // after the owner its buttons are registered with

  // The menu bar.
  std::unique_ptr<TSkinMenuBar> FMenuBar;
  TMenuBarTracker FTracker{*this};
  bool FMenuTracking = false;
  bool FTidying = false;
  bool FFollowingMenu = false;
  std::shared_ptr<int> FAlive = std::make_shared<int>(0);  // expires with the handler
  bool FInMdiSetMenu = false;  // the MDI client sets the frame's menu; it rebuilds the bar itself
  // Items of native drop-downs the bar made owner-drawn: the menu, the item's place and its
  // identifier (an item moved or replaced since is not ours to change).
  struct TOwnerDrawnItem {
    HMENU Menu;
    UINT Position;
    UINT Id;
  };
  std::vector<TOwnerDrawnItem> FOwnerDrawn;
  bool FKeyboardMode = false;
  bool FKeyCancelled = false;
  int FKeySelected = -1;
  // How the last drop-down closed: Escape at its top level gives the keyboard mode its
  // button back; a move to the next button keeps the mode while the posted press opens it.
  int FKeyReturn = -1;
  bool FLastSwitched = false;
  int FOpenings = 0;

  // Control handlers, listed; those this handler owns (every one the pass made) also in
  // FOwnedControls, their one owner.
  std::vector<TSkinControl*> FControlHandlers;
  std::vector<std::unique_ptr<TSkinControl>> FOwnedControls;
  TCanvas FControlCanvas;
};

// The child-control pass, installed by the control families (InstallControlFamilies).
class IControlPass {
 public:
  virtual ~IControlPass() = default;
  // Offers every control owned by owner.
  virtual void SkinChildren(TSkinForm& form, TComponent* owner) = 0;
  virtual void OfferControl(TSkinForm& form, TControl* control) = 0;
  // A window that does not belong to the class library.
  virtual void OfferWindow(TSkinForm& form, HWND wnd) = 0;
};
void SetControlPass(IControlPass* pass);
IControlPass* ControlPass();

// The factory the manager uses (InstallSkinManager).
std::unique_ptr<ISkinFormHandler> CreateSkinForm(TSkinManage& manager, TForm* form, HWND wnd);
// Lets skin components create the manager with form handlers of this unit. The program
// calls it before its main form is built, so the main form's component registers.
void InstallSkinEngine();
