#include "skin/forms/FormSkin.h"

#include <algorithm>
#include <exception>

#include "skin/controls/SkinSubclass.h"
#include "skin/data/SkinData_win.h"
#include "ui/Menus.h"
#include "ui/Messages.h"
#include "ui/ScopedValue.h"

// The MDI client's messages go to NewClientProc.
class TSkinForm::TClientTarget final : public ISubclassTarget {
 public:
  explicit TClientTarget(TSkinForm& form) : FForm(form) {}
  LRESULT SubclassProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    return FForm.NewClientProc(msg, wParam, lParam);
  }

 private:
  TSkinForm& FForm;
};

namespace {
TClassBackground ClassBackgroundOf(HWND wnd) {
  const auto brush = reinterpret_cast<HBRUSH>(GetClassLongPtrA(wnd, GCLP_HBRBACKGROUND));
  if (!brush) return cbNone;
  // A class gives a system colour as its index + 1, or as the system's brush of it.
  if (brush == reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)) ||
      brush == GetSysColorBrush(COLOR_BTNFACE))
    return cbSystemFace;
  LOGBRUSH lb{};
  if (reinterpret_cast<UINT_PTR>(brush) > COLOR_MENUBAR + 1 &&
      GetObjectA(brush, sizeof lb, &lb) == sizeof lb && lb.lbStyle == BS_SOLID &&
      lb.lbColor == GetSysColor(COLOR_BTNFACE))
    return cbSystemFace;
  return cbOther;
}

DWORD StyleOf(HWND wnd) { return static_cast<DWORD>(GetWindowLongPtrA(wnd, GWL_STYLE)); }
DWORD ExStyleOf(HWND wnd) { return static_cast<DWORD>(GetWindowLongPtrA(wnd, GWL_EXSTYLE)); }

// Whether the window's caption shows active now: the active window, or the active child of an
// MDI client whose frame is the active window. A handler made for a window that is not being
// activated (skinning switched on again) starts from this, not from "active".
bool CaptionActive(HWND wnd, bool mdiChild) {
  const HWND active = GetActiveWindow();
  if (!mdiChild) return active == wnd;
  HWND client = GetParent(wnd);
  return client && reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0)) == wnd &&
         active == GetAncestor(wnd, GA_ROOT);
}
}  // namespace

DEFINE_CLASS_INFO(TSkinForm, TComponent, Prop<&TSkinForm::DisableTag>("DisableTag"))

TSkinForm::TSkinForm(TSkinManage& manager, TForm* form, HWND wnd)
    : TComponent(nullptr), FManager(manager), FWnd(wnd), FForm(form) {
  if (FForm) FForm->FreeNotification(this);
}

TSkinForm::~TSkinForm() {
  GuardedCall(this, [this] { FreeControlHandlers(); });
  FButtons.Free();
  FFrame.FreeTitleBuffer();
  FHoverTimer.reset();
  FreeMenuBar(false);
  FButtons.FreeSystemMenu();
  UndoOwnerDrawn();
  // Freed while still attached (the manager going at program end): leave the window and
  // its form as they were.
  RestoreFormWindowProc();
  UnhookClient();
  FSubclass.Remove();
  if (FMDIKind == mkFrame) FManager.ForgetMDIFrame(FMDIClient);
  if (FForm) FForm->RemoveFreeNotification(this);
}

void TSkinForm::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FForm) {
    if (FManager.MDIMainForm == FForm) FManager.MDIMainForm = nullptr;
    FFormProc.ForgetControl();
    FForm = nullptr;
  }
  if (Operation == TOperation::opRemove)
    FControlMenus.erase(std::remove(FControlMenus.begin(), FControlMenus.end(), AComponent),
                        FControlMenus.end());
}

std::unique_ptr<ISkinFormHandler> CreateSkinForm(TSkinManage& manager, TForm* form, HWND wnd) {
  return std::make_unique<TSkinForm>(manager, form, wnd);
}

void InstallSkinEngine() { InstallSkinManager(CreateSkinForm); }

// ---- attaching ----

void TSkinForm::AttachToForm(TSkinData* skin, TForm* form) {
  FForm = form;
  if (!FForm) {
    AttachToWindow(skin);
    return;
  }
  FForm->FreeNotification(this);
  if (skin->SkinControls & SkinBit(xcMainMenu)) {
    FFormProc.Install(*FForm, TWndMethod([this](TMessage& m) { HookedWindowProc(m); }));
  }
  AttachToWindow(skin);
  if (!Attached()) {
    RestoreFormWindowProc();
    return;
  }
  FForm->AutoScroll = false;
  FFormColor = FForm->Color();
  FForm->SetColor(skin->ColorButtonFace);
  OwnerDrawMenus((skin->SkinControls & SkinBit(xcPopupMenu)) != 0,
                 (skin->SkinControls & SkinBit(xcMenuItem)) != 0, true);
}

void TSkinForm::AttachToWindow(TSkinData* skin) {
  if (FAttached || !skin) return;
  // 1
  FSkinData = skin;
  FHoverTimer = std::make_unique<TTimer>(nullptr);
  FHoverTimer->SetEnabled(false);
  FHoverTimer->SetInterval(250);
  FHoverTimer->OnTimer = [this](TObject*) { HoverTimerTick(); };
  // 2
  // A window with a menu bar keeps its native frame when no skinned bar can stand in for it:
  // a skinned frame without one would hide the menu.
  FFrameSkinned =
      (skin->SkinControls & SkinBit(xcMainMenu)) != 0 && (GetMenu(FWnd) == nullptr || MenuBarReady());
  FStyle = StyleOf(FWnd);
  FExStyle = ExStyleOf(FWnd);
  FDetachOnDestroy = true;
  // 3
  FFrame.LoadWindowIcon();
  FClassName = WindowClassName(FWnd);
  const TWindowTraits traits =
      AnalyseWindow(FStyle, FExStyle, FClassName, GetSystemMenu(FWnd, FALSE) != nullptr);
  FWide = traits.WideChar;
  FStandardDialog = traits.StandardDialog;
  FOwnerWnd = GetWindow(FWnd, GW_OWNER);
  FPaintsFace = PaintsForeignFace(FStandardDialog, ClassBackgroundOf(FWnd));
  ReadNativeClient();
  FNativeMenu = GetMenu(FWnd);
  // 4
  FIconFlags = traits.IconFlags;
  FRightToLeft = traits.RightToLeft;
  // 5
  FButtons.BuildSystemMenu();
  ReadWindowState();
  FSizeable = traits.Sizeable;
  // 10, before anything of the window is changed: a window that refuses the procedure is
  // left exactly as it was (caption, menu, MDI client), and the manager lets the handler go.
  if (!FSubclass.Install(FWnd, TSubclassSlot::Form, *this, FWide)) {
    FButtons.FreeSystemMenu();
    FHoverTimer.reset();
    return;
  }
  FAttached = true;
  // 6
  FindMDIClient();
  // Where the handler follows activation (stage 2), it starts from the window's own state.
  if (FFrameSkinned && (FMDIKind == mkChild || !(FStyle & WS_CHILD)))
    FActive = CaptionActive(FWnd, FMDIKind == mkChild);
  // 7
  FFrameKind = traits.FrameKind;
  // 8
  if (FMDIKind == mkFrame && FMDIClient) {
    FMenuUpdateAtAttach = skin->MenuUpdate;
    FClientTarget = std::make_unique<TClientTarget>(*this);
    FClientSubclass.Install(FMDIClient, TSubclassSlot::MdiClient, *FClientTarget, false);
  }
  // 9
  const bool maximizedMdiChild = FMDIKind == mkChild && FManager.MDIChildMaximized();
  if (FFrameSkinned) {
    if (FNativeMenu && FMDIKind != mkChild) CreateMenuBar();
    if (!maximizedMdiChild && FWinState != wsMinimized && TFramePainter::Ready() && !CaptionDeferred())
      SetNativeCaption(false);
    CalcFrameMetrics();
  } else {
    FStage = stReady;
  }
  // 11
  if (FMDIKind == mkChild && FWinState == wsMaximized && !FManager.MDIChildMaximized())
    FManager.SetMDIChildMaximized(true);
  // 12
  InvalidateRect(FWnd, nullptr, TRUE);
}

void TSkinForm::FindMDIClient() {
  FMDIKind = mkPlain;
  for (HWND child = GetTopWindow(FWnd); child; child = GetWindow(child, GW_HWNDNEXT))
    if (WindowClassName(child) == "MDIClient") {
      FMDIKind = mkFrame;
      FMDIClient = child;
      FManager.MDIClient = child;
      FManager.MDIMainForm = FForm;
      break;
    }
  if (FExStyle & WS_EX_MDICHILD) FMDIKind = mkChild;
}

void TSkinForm::ReadWindowState() {
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  if (GetWindowPlacement(FWnd, &wp)) FWinState = WinStateFromShowCmd(static_cast<int>(wp.showCmd));
}

bool TSkinForm::IsChildMaximized() {
  if (FMDIKind != mkFrame || !FMDIClient) return false;
  BOOL maximized = FALSE;
  const auto active = SendMessageA(FMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized));
  return active != 0 && maximized;
}

void TSkinForm::SetNativeCaption(bool restore) {
  if (FMDIKind == mkChild && FManager.MDIChildMaximized() && !restore) return;
  FCaptionRestored = restore;
  const bool ownedOrChild = FOwnerWnd != nullptr || FMDIKind == mkChild;
  const TCaptionStyle next = NativeCaptionStyle(StyleOf(FWnd), FIconFlags, restore, ownedOrChild);
  FIconFlags = next.IconFlags;
  SetWindowLongPtrA(FWnd, GWL_STYLE, static_cast<LONG_PTR>(next.Style));
}

void TSkinForm::ReadNativeClient() {
  RECT window{};
  GetWindowRect(FWnd, &window);
  GetClientRect(FWnd, &FClientRect);
  // Once the skinned bar holds the native menu, the native bar's rows count in the client.
  if (HasMenuBar() && !GetMenu(FWnd))
    FClientRect.bottom = std::max<LONG>(0, FClientRect.bottom - Borders().MenuBar);
  FNativeWindowSize = {window.right - window.left, window.bottom - window.top};
  FNativeFrameWidth = FNativeWindowSize.cx - (FClientRect.right - FClientRect.left);
  FNativeFrameHeight = FNativeWindowSize.cy - (FClientRect.bottom - FClientRect.top);
}

void TSkinForm::FrameChanged() {
  SetWindowPos(FWnd, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// ---- start, skin changes ----

void TSkinForm::SkinStart() {
  SkinChildren();
  if (FStage == stCreated) {
    if (FMDIKind == mkChild && FManager.MDIChildMaximized()) {
      SetNativeCaption(true);
      FrameChanged();
    } else {
      if (CaptionDeferred() && FFrameSkinned && FWinState != wsMinimized && TFramePainter::Ready()) {
        // The window may have gone on sizing itself natively since it was attached (the Open
        // dialog adds its template and sizing grip once shown): its client area is the one
        // it has now.
        RECT r{};
        GetWindowRect(FWnd, &r);
        if (r.right - r.left != FNativeWindowSize.cx || r.bottom - r.top != FNativeWindowSize.cy)
          ReadNativeClient();
        SetNativeCaption(false);
      }
      if (FWinState != wsMinimized && FFrameKind != fkNone) {
        {
          TScopedValue sizing(FStage, stSizing, stReady);
          AdjustWindowSize(false);
        }
        UpdateFrameRegion();
      }
    }
  }
  FStage = stReady;
  if (FHoverTimer) FHoverTimer->SetEnabled(true);
}

void TSkinForm::SkinChanged() {
  bool refocus = false;
  if (FForm && FSkinData) {
    FForm->SetColor(FSkinData->ColorButtonFace);
    for (int i = 0; i < FForm->ComponentCount(); ++i)
      if (auto* inner = dynamic_cast<TForm*>(FForm->Components(i)))
        inner->SetColor(FSkinData->ColorButtonFace);
    if (TWinControl* c = FForm->ActiveControl()) refocus = c->Focused();
  }
  ControlsSkinChanged();
  {
    TScopedValue reskinning(FStage, stReskinning, stReady);
    if (FFrameSkinned && FForm) {
      OwnerDrawMenus((FSkinData->SkinControls & SkinBit(xcPopupMenu)) != 0, false, true);
      AdjustWindowSize(true);
      FForm->SetHeight(FForm->Height() + 1);
      FForm->SetHeight(FForm->Height() - 1);
    } else if (FFrameSkinned && FWinState != wsMinimized) {
      // Any other window keeps its client area inside the new skin's borders and takes the new
      // pieces' shape (with the client's size unchanged no WM_SIZE comes to rebuild the region).
      AdjustWindowSize(true);
      UpdateFrameRegion();
    }
    if (refocus && FForm && FForm->ActiveControl()) FForm->ActiveControl()->SetFocus();
  }
  // Every skinned window shows the new skin at once: its frame, its client area and every
  // control in it, whatever kind of window it is.
  RedrawWindow(FWnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// ---- detaching ----

void TSkinForm::RestoreFormWindowProc() {
  if (FForm) FFormProc.Remove();
  FFormProc.ForgetControl();
}

void TSkinForm::UnhookClient() {
  FClientSubclass.Remove();
  FClientTarget.reset();
}

bool TSkinForm::BeginDetach() {
  if (!FFrameSkinned) {
    ReleaseSkin();
    return false;
  }
  FButtons.FreeSystemMenu();
  if (FHoverTimer) FHoverTimer->SetEnabled(false);
  if (!FSubclass.Installed()) return false;
  RestoreFormWindowProc();
  FSubclass.Remove();
  return true;
}

void TSkinForm::DetachSkin() {
  if (!BeginDetach()) return;
  // 3: every menu the bar made owner-drawn, a form's or not, draws itself again.
  FreeControlHandlers();
  UndoOwnerDrawn();
  if (FForm) {
    OwnerDrawMenus(true, (FSkinData->SkinControls & SkinBit(xcMenuItem)) != 0, false);
    if (FStage != stDestroying) FForm->SetColor(FFormColor);
  }
  // 4 (the bar's height still counts in the size below)
  const int menuBarHeight = Borders().MenuBar;
  SetNativeCaption(true);
  FreeMenuBar(true);
  UnhookClient();
  FFrame.FreeTitleBuffer();
  // 5: only a skinned frame changed the window's outer size.
  if (TFramePainter::Ready() && FStage != stDestroying && (FMDIKind == mkChild || !(FStyle & WS_CHILD))) {
    RECT r{};
    GetWindowRect(FWnd, &r);
    const int width = (r.right - r.left) - Borders().Left - Borders().Right + FNativeFrameWidth;
    const int height =
        (r.bottom - r.top) - Borders().Top - menuBarHeight - Borders().Bottom + FNativeFrameHeight;
    POINT topLeft{r.left, r.top};
    if (FMDIKind == mkChild) ScreenToClient(GetParent(FWnd), &topLeft);
    SetSizeKeepingControls(topLeft.x, topLeft.y, width, height,
                           SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER, 0);
  }
  // 6: the system frees a region it was given.
  FFrame.RemoveRegion(true);
  if (FStage != stDestroying)
    RedrawWindow(FWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TSkinForm::DetachOnDestroy() {
  if (!BeginDetach()) return;
  // A foreign window gets its menu back, so the system destroys it with the window as it
  // would have; a form's menu belongs to its TMainMenu, which frees it.
  FreeMenuBar(FForm == nullptr);
  UndoOwnerDrawn();  // a form's menu outlives the window
  FFrame.FreeTitleBuffer();
  FreeControlHandlers();
}

void TSkinForm::ReleaseSkin() {
  if (FHoverTimer) FHoverTimer->SetEnabled(false);
  FreeControlHandlers();
  UndoOwnerDrawn();
  if (FForm && FSkinData) {
    OwnerDrawMenus(true, (FSkinData->SkinControls & SkinBit(xcMenuItem)) != 0, false);
    if (FStage != stDestroying) FForm->SetColor(FFormColor);
  }
  RestoreFormWindowProc();
  FSubclass.Remove();
  UnhookClient();
  // Every control window, nested ones too: a control whose handler replaced its painting
  // shows the skin until it paints itself again.
  if (FStage != stDestroying && FForm)
    RedrawWindow(FWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// ---- dispatch ----

void TSkinForm::CallOldProc(TMessage& m) { m.Result = FSubclass.CallOld(m.Msg, m.WParam, m.LParam); }

LRESULT TSkinForm::SubclassProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  if (Stage1(m) || Stage2(m) || Stage3(m)) return m.Result;
  CallOldProc(m);
  return m.Result;
}

bool TSkinForm::Stage1(TMessage& m) {
  switch (m.Msg) {
    case WM_ERASEBKGND:
      CallOldProc(m);
      if (!FForm && FPaintsFace && FSkinData && FSkinData->ButtonFaceBrush) {
        RECT r;
        GetClientRect(FWnd, &r);
        FillRect(reinterpret_cast<HDC>(m.WParam), &r, ButtonFaceBrushHandle(*FSkinData));
        m.Result = 1;
      }
      return true;
    case WM_NCDESTROY: {
      FStage = stDestroying;
      // Whatever detaching raises, the window's own procedure gets its last message and the
      // handler is left for the purge; the error then goes on to the boundary.
      std::exception_ptr failure;
      try {
        if (FDetachOnDestroy) DetachOnDestroy();
      } catch (...) {
        failure = std::current_exception();
      }
      CallOldProc(m);
      FStage = stDestroyed;
      if (failure) std::rethrow_exception(failure);
      return true;
    }
    case WM_INITMENUPOPUP:
      FManager.SetPopupKind(reinterpret_cast<HMENU>(m.WParam) == FButtons.SystemMenu() ? pmkSystem
                                                                                       : pmkMenuBar);
      CallOldProc(m);
      return true;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORDLG:
      CallOldProc(m);
      if (!FForm && FPaintsFace && FSkinData)
        if (HBRUSH face = AnswerFaceColour(*FSkinData, reinterpret_cast<HDC>(m.WParam)))
          m.Result = reinterpret_cast<LRESULT>(face);
      return true;
    case CM_SKINSTART:
      SkinStart();
      return true;
    case CM_SKINQUERY:
      m.Result = 1;
      return true;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
      // The bar's keyboard mode waits for a message: it looks at the capture again and ends
      // when the capture went or the mode was cancelled (EndMenu, another window's modal loop).
      if (FKeyboardMode) {
        if (m.Msg == WM_CANCELMODE) FKeyCancelled = true;
        PostMessageA(FWnd, WM_NULL, 0, 0);
      }
      return false;
    default:
      return false;
  }
}

bool TSkinForm::Stage2(TMessage& m) {
  if (!FFrameSkinned) return false;
  if (FMDIKind != mkChild && (FStyle & WS_CHILD)) return false;
  switch (m.Msg) {
    case WM_SIZE:
      WmSize(m);
      return true;
    case WM_ACTIVATE:
      FActive = (m.WParam & 0xFF) != 0;
      return false;
    case WM_NCACTIVATE:
      FActive = (m.WParam & 0xFF) != 0;
      return false;
    case WM_GETMINMAXINFO:
      WmGetMinMaxInfo(m);
      return true;
    case WM_WINDOWPOSCHANGED:
      ReadWindowState();
      CallOldProc(m);
      FollowWindowMenu();  // every SetMenu ends here
      return true;
    case WM_COMMAND:
      WmCommand(m);
      return true;
    case WM_SYSCOMMAND:
      WmSysCommand(m);
      return true;
    case CM_MENUCHANGED:
      MenuChangedMessage(m);
      return true;
    default:
      return false;
  }
}

bool TSkinForm::Stage3(TMessage& m) {
  if (!FFrameSkinned || FStage == stCreated || FWinState == wsMinimized) return false;
  if (FMDIKind == mkChild && FWinState != wsNormal) return false;
  if (FMDIKind != mkChild && (FStyle & WS_CHILD)) return false;
  switch (m.Msg) {
    case WM_DRAWITEM:
      WmDrawItem(m);
      return true;
    case WM_MEASUREITEM:
      WmMeasureItem(m);
      return true;
    case WM_NCCALCSIZE:
      WmNcCalcSize(m);
      return true;
    case WM_NCHITTEST:
      WmNcHitTest(m);
      return true;
    case WM_NCPAINT:
      WmNcPaint(m);
      return true;
    case WM_NCACTIVATE:
      WmNcActivate(m);
      return true;
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
      WmNcMouse(m);
      return true;
    case CM_SKINMENU:
      SkinMenuPaint(m);
      return true;
    default:
      return false;
  }
}

void TSkinForm::MenuChangedMessage(TMessage& m) {
  // No frame paint while the menu changes underneath and the bar is rebuilt.
  bool unused = false;
  TScopedValue noPaint(FSkinData ? FSkinData->PaintFlag : unused, false);
  CallOldProc(m);
  if (!HasMenuBar() || !FSkinData) return;
  // The bar holds the window's menu while it exists, so the menu it holds counts as the window's.
  if (FSkinData->MenuUpdate && (GetMenu(FWnd) || FMenuBar->NativeMenu()))
    RebuildMenuBar(FSkinData->MenuMerge);
  else if (FMenuBar->NativeMenu())
    // Updates held back (MDI children exist): the bar still follows the menu it shows, by
    // command, so no button outlives its item.
    RebuildMenuBarByCommand(FMenuBar->NativeMenu());
}

void TSkinForm::HookedWindowProc(TMessage& m) {
  switch (m.Msg) {
    case WM_SETTEXT:
      FFormProc.CallOld(m);
      FrameChanged();
      return;
    case CM_SKINCHANGED:
      SkinChanged();
      return;
    case CM_DIALOGCHAR:
      if (MenuBarDialogChar(m)) return;
      break;
    default:
      break;
  }
  FFormProc.CallOld(m);
}

LRESULT TSkinForm::NewClientProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  auto pass = [&] { return FClientSubclass.CallOld(msg, wParam, lParam); };
  switch (msg) {
    case WM_NCDESTROY: {
      const LRESULT r = pass();
      UnhookClient();
      return r;
    }
    case WM_NCCALCSIZE:
      if (FFrameSkinned && FSkinData && !(FSkinData->Options & (1u << xoMDIScrollbar))) {
        const LONG_PTR style = GetWindowLongPtrA(FMDIClient, GWL_STYLE);
        SetWindowLongPtrA(FMDIClient, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_HSCROLL | WS_VSCROLL));
      }
      return pass();
    case WM_MDICREATE: {
      if (FSkinData) FSkinData->MenuUpdate = false;
      const LRESULT r = pass();
      FPendingChild = reinterpret_cast<HWND>(r);
      return r;
    }
    case WM_MDIDESTROY: {
      const LRESULT r = pass();
      if (FFrameSkinned) {
        FManager.SetMDIChildMaximized(IsChildMaximized());
        if (HasMenuBar() && !SendMessageA(FMDIClient, WM_MDIGETACTIVE, 0, 0)) {
          if (FSkinData) FSkinData->MenuUpdate = FMenuUpdateAtAttach;
          RebuildMenuBar(false);
        }
      }
      return r;
    }
    case WM_MDITILE:
    case WM_MDICASCADE:
      if (FFrameSkinned && FManager.MDIChildMaximized()) FManager.SetMDIChildMaximized(false);
      return pass();
    case WM_MDISETMENU: {
      LRESULT r = 0;
      {
        TScopedValue inSetMenu(FInMdiSetMenu, true);
        r = pass();
      }
      if (FFrameSkinned && wParam) {
        const bool topBit = (static_cast<uintptr_t>(wParam) >> (sizeof(WPARAM) * 8 - 1)) != 0;
        if (HasMenuBar() &&
            (topBit || reinterpret_cast<HMENU>(wParam) != FMenuBar->NativeMenu() || FPendingChild != nullptr))
          RebuildMenuBarByCommand(GetMenu(FWnd));
        SetMenu(FWnd, nullptr);
      }
      return r;
    }
    case WM_MDIREFRESHMENU: {
      const LRESULT r = pass();
      if (FPendingChild) {
        FManager.SkinWindow(FPendingChild);
        PostMessageA(FWnd, CM_SKINMENU, 0, 0);
        FPendingChild = nullptr;
      }
      return r;
    }
    default:
      return pass();
  }
}
