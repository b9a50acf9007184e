#include "ui/Forms.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "ui/Dialogs.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"

TApplication* Application = new TApplication(nullptr);
TScreen* Screen = new TScreen(nullptr);

// ---- TForm ----

namespace {
// Offers a dialog key to every control of the form until one takes it (answers non-zero).
LRESULT BroadcastDialogKey(TWinControl& parent, const TMessage& m) {
  for (int i = 0; i < parent.ControlCount(); ++i) {
    TControl* c = parent.Controls(i);
    if (!c->Visible() || !c->Enabled()) continue;
    if (LRESULT r = c->Perform(CM_DIALOGKEY, m.WParam, m.LParam)) return r;
    if (auto* w = dynamic_cast<TWinControl*>(c))
      if (LRESULT r = BroadcastDialogKey(*w, m)) return r;
  }
  return 0;
}
}  // namespace

DEFINE_CLASS_INFO(TForm, TWinControl, Prop<&TForm::AutoScroll>("AutoScroll"),
                  Prop<&TForm::BorderStyle, &TForm::SetBorderStyle>("BorderStyle",
                                                                    {"bsNone", "bsSingle", "bsSizeable",
                                                                     "bsDialog"}),
                  Prop<&TForm::Scaled>("Scaled"), Prop<&TForm::DesignPixelsPerInch>("DesignPixelsPerInch"),
                  Prop<&TForm::FormStyle, &TForm::SetFormStyle>("FormStyle", {"fsNormal", "fsStayOnTop",
                                                                              "fsMDIChild", "fsMDIForm"}))

TForm::TForm(TComponent* AOwner) : TWinControl(AOwner) {
  FVisible = false;
  FWidth = 320;
  FHeight = 240;
  Screen->FForms.push_back(this);
}

TForm::~TForm() {
  if (OnDestroy) {
    try {
      OnDestroy(this);
    } catch (...) {
      Application->HandleException(this);
    }
  }
  // An MDI child leaves through its client, which keeps the window menu and the
  // maximized state right.
  if (FFormStyle == fsMDIChild && HandleAllocated())
    if (HWND client = GetParent(FHandle)) {
      SendMessageA(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(FHandle), 0);
      // A maximized child's place goes to the next child, maximized: it is painted afresh,
      // frame and contents, as what the system copies into it is what stood there before.
      BOOL maximized = FALSE;
      auto next = reinterpret_cast<HWND>(
          SendMessageA(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
      if (next && maximized)
        RedrawWindow(next, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
  auto& forms = Screen->FForms;
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  if (Application->FMainForm == this) Application->FMainForm = nullptr;
  if (FMenu && HandleAllocated()) ::SetMenu(FHandle, nullptr);  // the menu is not the window's to destroy
  // Components go now, while the form is still a form (TWinControl would do it later).
  DestroyComponents();
}

void TForm::ScaleForScreen() {
  if (FScaledForScreen) return;
  FScaledForScreen = true;
  FPixelsPerInch = DesignPixelsPerInch;
  if (Scaled && DesignPixelsPerInch > 0 && Screen->PixelsPerInch() != DesignPixelsPerInch)
    ChangeScale(Screen->PixelsPerInch(), DesignPixelsPerInch);
}

void TForm::EndLoading() {
  ScaleForScreen();
  for (int i = 0; i < ComponentCount(); ++i) Components(i)->Loaded();
  Loaded();
  if (OnCreate) OnCreate(this);
}

void TForm::SetBorderStyle(TFormBorderStyle v) {
  if (Changes(FBorderStyle, v)) StyleChanged();
}

void TForm::SetFormStyle(TFormStyle v) {
  if (v == FFormStyle) return;
  FFormStyle = v;
  if (HandleAllocated())
    SetWindowPos(FHandle, v == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm::StyleChanged() {
  if (!HandleAllocated()) {
    ApplyPendingClientSize();
    return;
  }
  TCreateParams p;
  CreateParams(p);
  SetWindowLongA(
      FHandle, GWL_STYLE,
      static_cast<LONG>(p.Style & ~WS_VISIBLE) | (GetWindowLongA(FHandle, GWL_STYLE) & WS_VISIBLE));
  SetWindowLongA(FHandle, GWL_EXSTYLE, static_cast<LONG>(p.ExStyle));
  SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TForm::SetClientSize(int width, int height) {
  if (HandleAllocated()) {
    TWinControl::SetClientSize(width, height);
    return;
  }
  FClientWidth = width;
  FClientHeight = height;
  ApplyPendingClientSize();
}

void TForm::ChangeScale(int toDpi, int fromDpi) {
  // The frame is the system's (or the skin's), already at the screen's DPI: the client area
  // is what was designed.
  if (HandleAllocated()) {
    const RECT c = ClientRect();
    SetClientSize(ScaleDpi(c.right, toDpi, fromDpi), ScaleDpi(c.bottom, toDpi, fromDpi));
  } else if (FClientWidth >= 0) {
    SetClientSize(ScaleDpi(FClientWidth, toDpi, fromDpi), ScaleDpi(FClientHeight, toDpi, fromDpi));
  } else {
    SetBounds(FLeft, FTop, ScaleDpi(FWidth, toDpi, fromDpi), ScaleDpi(FHeight, toDpi, fromDpi));
  }
  if (FFormStyle == fsMDIChild) {
    const TScaledBounds b = ScaleBounds(FLeft, FTop, FWidth, FHeight, toDpi, fromDpi);
    SetBounds(b.Left, b.Top, FWidth, FHeight);
  }
  ScaleFont(toDpi, fromDpi);
  ScaleChildren(toDpi, fromDpi);
  FPixelsPerInch = ScaleDpi(FPixelsPerInch, toDpi, fromDpi);
}

void TForm::ApplyPendingClientSize() {
  if (FClientWidth < 0) return;
  TCreateParams p;
  CreateParams(p);
  RECT r{0, 0, FClientWidth, FClientHeight};
  AdjustWindowRectEx(&r, p.Style, FMenu != nullptr, p.ExStyle);
  FWidth = r.right - r.left;
  FHeight = r.bottom - r.top;
}

void TForm::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.Style = WS_CLIPCHILDREN | (FEnabled ? 0 : WS_DISABLED);
  p.ExStyle = 0;
  switch (FBorderStyle) {
    case bsNone:
      p.Style |= WS_POPUP;
      break;
    case bsSingle:
      p.Style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
      break;
    case bsSizeable:
      p.Style |= WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
      break;
    case bsDialog:
      p.Style |= WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
      p.ExStyle |= WS_EX_DLGMODALFRAME;
      break;
  }
  if (FFormStyle == fsStayOnTop) p.ExStyle |= WS_EX_TOPMOST;
  p.WndParent = Application->Handle();
  if (FFormStyle == fsMDIChild) {
    TForm* frame = MDIParentForm();
    if (!frame || frame == this) throw Exception("Cannot create form. No MDI forms are currently active");
    frame->HandleNeeded();
    p.Style |= WS_CHILD | WS_CLIPSIBLINGS;
    p.ExStyle |= WS_EX_MDICHILD;
    p.WndParent = frame->ClientHandle();
    return;
  }
  if (Position == poScreenCenter || Position == poDesktopCenter) {
    const bool screen = Position == poScreenCenter;
    const int w = GetSystemMetrics(screen ? SM_CXSCREEN : SM_CXVIRTUALSCREEN);
    const int h = GetSystemMetrics(screen ? SM_CYSCREEN : SM_CYVIRTUALSCREEN);
    const int x0 = screen ? 0 : GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int y0 = screen ? 0 : GetSystemMetrics(SM_YVIRTUALSCREEN);
    p.X = x0 + (w - FWidth) / 2;
    p.Y = y0 + (h - FHeight) / 2;
  }
}

HWND TForm::CreateWindowHandle(const TCreateParams& p) {
  if (FFormStyle != fsMDIChild) return TWinControl::CreateWindowHandle(p);
  // The client makes its children: it gives them their place, the window menu entry and the
  // maximized state of the others.
  MDICREATESTRUCTA mcs{};
  mcs.szClass = p.WinClassName.c_str();
  mcs.szTitle = p.Caption.c_str();
  mcs.hOwner = ThisModule();
  mcs.x = p.X;
  mcs.y = p.Y;
  mcs.cx = p.Width;
  mcs.cy = p.Height;
  mcs.style = p.Style & ~static_cast<DWORD>(WS_CHILD);
  return reinterpret_cast<HWND>(SendMessageA(p.WndParent, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
}

void TForm::DefaultHandler(TMessage& m) {
  if (!HandleAllocated()) return;
  if (FFormStyle == fsMDIForm && FClientHandle) {
    m.Result = DefFrameProcA(FHandle, FClientHandle, m.Msg, m.WParam, m.LParam);
    return;
  }
  if (FFormStyle == fsMDIChild) {
    m.Result = DefMDIChildProcA(FHandle, m.Msg, m.WParam, m.LParam);
    return;
  }
  TWinControl::DefaultHandler(m);
}

TForm* TForm::MDIParentForm() {
  if (Application->MainForm() && Application->MainForm()->FormStyle() == fsMDIForm)
    return Application->MainForm();
  for (TForm* f : Screen->FForms)
    if (f->FormStyle() == fsMDIForm) return f;
  return nullptr;
}

TForm* TForm::ActiveMDIChild() const {
  if (!FClientHandle) return nullptr;
  HWND active = reinterpret_cast<HWND>(SendMessageA(FClientHandle, WM_MDIGETACTIVE, 0, 0));
  for (TForm* f : Screen->FForms)
    if (f->HandleAllocated() && f->FHandle == active) return f;
  return nullptr;
}

int TForm::MDIChildCount() const {
  int n = 0;
  for (TForm* f : Screen->FForms)
    if (FClientHandle && f->FFormStyle == fsMDIChild && f->HandleAllocated() &&
        GetParent(f->FHandle) == FClientHandle)
      ++n;
  return n;
}

TForm* TForm::MDIChildren(int i) const {
  for (TForm* f : Screen->FForms)
    if (FClientHandle && f->FFormStyle == fsMDIChild && f->HandleAllocated() &&
        GetParent(f->FHandle) == FClientHandle && i-- == 0)
      return f;
  return nullptr;
}

void TForm::Cascade() {
  if (FClientHandle) SendMessageA(FClientHandle, WM_MDICASCADE, 0, 0);
}

void TForm::Tile() {
  if (FClientHandle) SendMessageA(FClientHandle, WM_MDITILE, MDITILE_HORIZONTAL, 0);
}

void TForm::SetMDIMenu(HMENU frameMenu, HMENU windowMenu) {
  if (!FClientHandle) return;
  SendMessageA(FClientHandle, WM_MDISETMENU, reinterpret_cast<WPARAM>(frameMenu),
               reinterpret_cast<LPARAM>(windowMenu));
  DrawMenuBar(FHandle);
}

void TForm::CreateHandleDone() {
  // The client lists the new child in its window menu.
  if (FFormStyle == fsMDIChild) SendMessageA(GetParent(FHandle), WM_MDIREFRESHMENU, 0, 0);
  if (FFormStyle == fsMDIForm && !FClientHandle) {
    CLIENTCREATESTRUCT ccs{};
    ccs.hWindowMenu = WindowMenu ? WindowMenu->Handle() : nullptr;
    ccs.idFirstChild = 0xFF00;  // above every menu command of the class library
    RECT r{};
    GetClientRect(FHandle, &r);
    FClientHandle = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                    WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 0, 0,
                                    r.right, r.bottom, FHandle, nullptr, ThisModule(), &ccs);
  }
  // A form shows the program's icon in its title bar; a dialog-framed one shows none.
  if (FBorderStyle != bsDialog)
    SendMessageA(FHandle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Application->Icon()->Handle()));
  if (Position != poDesigned) {
    RECT r;
    GetWindowRect(FHandle, &r);
    FLeft = r.left;
    FTop = r.top;
  }
  if (FMenu) {
    ::SetMenu(FHandle, FMenu->Handle());
    FMenu->WindowHandle = FHandle;
    if (FClientWidth >= 0) TWinControl::SetClientSize(FClientWidth, FClientHeight);
  }
}

void TForm::SetMenu(TMainMenu* menu) {
  if (menu == FMenu) return;
  if (FMenu) {
    FMenu->RemoveFreeNotification(this);
    FMenu->WindowHandle = nullptr;
  }
  FMenu = menu;
  if (menu) menu->FreeNotification(this);
  if (HandleAllocated()) {
    ::SetMenu(FHandle, menu ? menu->Handle() : nullptr);
    if (menu) menu->WindowHandle = FHandle;
  } else {
    ApplyPendingClientSize();
  }
}

void TForm::SetActiveControl(TWinControl* c) {
  FActiveControl = c;
  if (c) {
    c->FreeNotification(this);
    if (HandleAllocated() && IsWindowVisible(FHandle)) c->SetFocus();
  }
}

void TForm::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FMenu) {
    if (HandleAllocated()) ::SetMenu(FHandle, nullptr);
    FMenu = nullptr;
  }
  if (AComponent == FActiveControl) FActiveControl = nullptr;
}

void TForm::Show() {
  SetVisible(true);
  if (!HandleAllocated()) return;
  if (FFormStyle == fsMDIChild)
    SendMessageA(GetParent(FHandle), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(FHandle), 0);
  else
    SetWindowPos(FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TForm::Close() {
  // A child of an MDI form cannot hide in its frame: it goes.
  TCloseAction action = FFormStyle == fsMDIChild ? caFree : caHide;
  if (OnClose) OnClose(this, action);
  if (action == caNone) return;
  if (FModal) {
    if (ModalResult == mrNone) ModalResult = mrCancel;  // ShowModal hides it
    return;
  }
  if (Application->MainForm() == this) {
    Application->Terminate();
    return;
  }
  if (action == caHide)
    Hide();
  else if (action == caMinimize)
    ShowWindow(Handle(), SW_MINIMIZE);
  else if (action == caFree)
    Release();
}

void TForm::Release() { PostMessageA(Handle(), CM_RELEASE, 0, 0); }

namespace {
struct TDisableList {
  HWND Keep;
  std::vector<HWND> Disabled;
};
BOOL CALLBACK DisableOthers(HWND wnd, LPARAM data) {
  auto* list = reinterpret_cast<TDisableList*>(data);
  if (wnd != list->Keep && IsWindowVisible(wnd) && IsWindowEnabled(wnd)) {
    EnableWindow(wnd, FALSE);
    list->Disabled.push_back(wnd);
  }
  return TRUE;
}
}  // namespace

namespace {
// The window that was active and the control that had the focus when a modal form opened:
// both come back when it closes, as they do when a native dialog ends.
class TActivationReturn {
 public:
  TActivationReturn() : FActive(GetActiveWindow()), FFocus(GetFocus()) {}
  void Restore() const {
    if (!FActive || !IsWindow(FActive) || !IsWindowVisible(FActive) || !IsWindowEnabled(FActive)) return;
    SetActiveWindow(FActive);
    if (FFocus && IsWindow(FFocus) && IsChild(FActive, FFocus) && IsWindowVisible(FFocus) &&
        IsWindowEnabled(FFocus))
      SetFocus(FFocus);
  }

 private:
  HWND FActive;
  HWND FFocus;
};
}  // namespace

TModalResult TForm::ShowModal() {
  if (FModal || Visible()) throw Exception("Cannot make a visible window modal");
  const TActivationReturn comeBack;
  TDisableList list{Handle(), {}};
  EnumThreadWindows(GetCurrentThreadId(), DisableOthers, reinterpret_cast<LPARAM>(&list));
  ModalResult = mrNone;
  FModal = true;
  try {
    Show();
    while (ModalResult == mrNone && !Application->Terminated()) Application->HandleMessage();
  } catch (...) {
    FModal = false;
    for (HWND wnd : list.Disabled)
      if (IsWindow(wnd)) EnableWindow(wnd, TRUE);
    throw;
  }
  FModal = false;
  for (HWND wnd : list.Disabled)
    if (IsWindow(wnd)) EnableWindow(wnd, TRUE);
  Hide();
  // Hiding the active window hands the activation to whichever window the system picks
  // (under Wine often none of ours): the window that was active takes it back.
  comeBack.Restore();
  return ModalResult;
}

namespace {
void CollectTabStops(TWinControl& parent, std::vector<TWinControl*>& out) {
  for (int i = 0; i < parent.TabCount(); ++i) {
    TWinControl* w = parent.TabControls(i);
    if (!w->Visible() || !w->Enabled()) continue;
    if (w->TabStop) out.push_back(w);
    CollectTabStops(*w, out);
  }
}
}  // namespace

bool TForm::SelectNext(TWinControl* current, bool forward) {
  std::vector<TWinControl*> stops;
  CollectTabStops(*this, stops);
  if (stops.empty()) return false;
  auto it = std::find(stops.begin(), stops.end(), current);
  size_t next = 0;
  if (it == stops.end()) {
    next = forward ? 0 : stops.size() - 1;
  } else {
    const size_t at = static_cast<size_t>(it - stops.begin());
    next = forward ? (at + 1) % stops.size() : (at + stops.size() - 1) % stops.size();
  }
  stops[next]->SetFocus();
  // As in a dialog: a control that takes a selection (an edit) comes with all its text
  // selected.
  const HWND focus = stops[next]->Handle();
  if (SendMessageA(focus, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageA(focus, EM_SETSEL, 0, -1);
  return true;
}

TWinControl* TForm::FocusedControl() {
  // The focus may sit in a window inside a control (a combo box's edit): the control counts.
  for (HWND wnd = GetFocus(); wnd; wnd = GetParent(wnd))
    if (TWinControl* control = TWinControl::FindControl(wnd)) return control;
  return nullptr;
}

bool TForm::SelectInGroup(HWND current, bool forward) {
  if (!current || !HandleAllocated()) return false;
  const LONG_PTR type = GetWindowLongPtrA(current, GWL_STYLE) & BS_TYPEMASK;
  char cls[16] = {};
  GetClassNameA(current, cls, sizeof cls);
  // Our radio buttons are BUTTONs registered under their own class name.
  const TWinControl* control = TWinControl::FindControl(current);
  const bool button =
      lstrcmpiA(cls, "BUTTON") == 0 || (control && control->InheritsFrom(TRadioButton::StaticClass()));
  if (!button || (type != BS_RADIOBUTTON && type != BS_AUTORADIOBUTTON)) return false;
  HWND next = GetNextDlgGroupItem(GetParent(current), current, forward ? FALSE : TRUE);
  if (!next || next == current) return false;
  ::SetFocus(next);
  if (type == BS_AUTORADIOBUTTON) SendMessageA(next, BM_CLICK, 0, 0);
  return true;
}

bool TForm::IsShortCut(WPARAM key) {
  if (!FMenu || key > 0xFF) return false;
  TShortCut modifiers = 0;
  if (GetKeyState(VK_SHIFT) < 0) modifiers |= scShift;
  if (GetKeyState(VK_CONTROL) < 0) modifiers |= scCtrl;
  if (GetKeyState(VK_MENU) < 0) modifiers |= scAlt;
  return FMenu->IsShortCut(::ShortCut(static_cast<uint8_t>(key), modifiers));
}

void TForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_CLOSE:
      Close();
      return;
    case CM_DIALOGKEY:
      m.Result = BroadcastDialogKey(*this, m);
      return;
    case CM_RELEASE:
      delete this;
      return;
    case CM_VISIBLECHANGED: {
      const bool mainForm = Application->MainForm() == this;
      if (FVisible) {
        if (mainForm) ShowWindow(Application->Handle(), SW_SHOWNORMAL);
        ShowWindow(Handle(), SW_SHOWNORMAL);
        if (OnShow) OnShow(this);
        if (FActiveControl) FActiveControl->SetFocus();
      } else if (HandleAllocated()) {
        ShowWindow(FHandle, SW_HIDE);
        if (mainForm) ShowWindow(Application->Handle(), SW_HIDE);
        if (OnHide) OnHide(this);
      }
      return;
    }
    case WM_ACTIVATE:
      if (LOWORD(m.WParam) != WA_INACTIVE && FActiveControl && FActiveControl->HandleAllocated()) {
        TWinControl::WndProc(m);
        ::SetFocus(FActiveControl->Handle());
        m.Result = 0;
        return;
      }
      break;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

// ---- TScreen ----

TForm* TScreen::ActiveForm() const {
  HWND active = GetActiveWindow();
  for (TForm* f : FForms)
    if (f->HandleAllocated() && f->Handle() == active) return f;
  return nullptr;
}

// ---- TApplication ----

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}

TApplication::~TApplication() { DestroyComponents(); }

void TApplication::Initialize() {}

void TApplication::ReleaseHandle() {
  FWindow.Destroy();
  UnregisterClassA("TApplication", ThisModule());
}

void ReleaseClassLibraryWindows() {
  Application->ReleaseHandle();
  ReleasePopupListWindow();
  UnregisterControlClasses();
}

void TApplication::SetTitle(const std::string& title) {
  FTitle = title;
  if (HWND wnd = FWindow.Handle()) SetWindowTextA(wnd, title.c_str());
}

TIcon* TApplication::Icon() {
  if (!FIcon) {
    FIcon = std::make_unique<TIcon>();
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
    if (icon) {
      FIcon->SetHandle(CopyIcon(icon));
    } else {
      FIcon->SetHandle(CopyIcon(LoadIconA(nullptr, IDI_APPLICATION)));
    }
  }
  return FIcon.get();
}

HWND TApplication::Handle() {
  if (HWND wnd = FWindow.Handle()) return wnd;
  // A zero-sized captioned window in the middle of the screen: only its taskbar button shows.
  THiddenWindowParams p;
  p.ClassName = "TApplication";
  p.Title = FTitle.c_str();
  p.Style = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;
  p.X = GetSystemMetrics(SM_CXSCREEN) / 2;
  p.Y = GetSystemMetrics(SM_CYSCREEN) / 2;
  p.Icon = Icon()->Handle();
  p.Cursor = LoadCursorA(nullptr, IDC_ARROW);
  HWND wnd = FWindow.Create(p, [this](UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    result = 0;
    return WindowMessage(msg, wParam);
  });
  if (wnd) SendMessageA(wnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Icon()->Handle()));
  return wnd;
}

bool TApplication::WindowMessage(UINT msg, WPARAM wParam) {
  switch (msg) {
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_MINIMIZE:
          Minimize();
          return true;
        case SC_RESTORE:
          Restore();
          return true;
        case SC_CLOSE:
          if (MainForm()) MainForm()->Close();
          return true;
        default:
          return false;
      }
    case WM_CLOSE:
      if (MainForm()) MainForm()->Close();
      return true;
    default:
      return false;
  }
}

void TApplication::Minimize() {
  if (!IsIconic(Handle())) ShowWindow(Handle(), SW_MINIMIZE);
  if (OnMinimize) OnMinimize(this);
}

void TApplication::Restore() {
  if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
  if (OnRestore) OnRestore(this);
}

bool TApplication::ProcessMessage(MSG& msg) {
  if (msg.message == WM_QUIT) {
    FTerminated = true;
    return false;
  }
  if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
    auto* form = dynamic_cast<TForm*>(TWinControl::FindControl(GetAncestor(msg.hwnd, GA_ROOT)));
    // Menu shortcuts first, then Enter and Escape (the default button), as in a dialog.
    if (form && form->IsShortCut(msg.wParam)) return true;
    if (form && msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE) &&
        form->Perform(CM_DIALOGKEY, msg.wParam, msg.lParam) != 0)
      return true;
    // Tab and Shift+Tab walk the TabStop controls; arrows move within a radio group. As in a
    // dialog, focus moved by the keyboard is shown from then on.
    const bool navigated =
        form && msg.message == WM_KEYDOWN &&
        ((msg.wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 &&
          form->SelectNext(TForm::FocusedControl(), GetKeyState(VK_SHIFT) >= 0)) ||
         (msg.wParam >= VK_LEFT && msg.wParam <= VK_DOWN &&
          form->SelectInGroup(GetFocus(), msg.wParam == VK_RIGHT || msg.wParam == VK_DOWN)));
    if (navigated) {
      SendMessageA(form->Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
      return true;
    }
  }
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  return true;
}

bool TApplication::HandleMessage() {
  MSG msg;
  const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
  if (got == 0 || got == -1) {
    FTerminated = true;
    return false;
  }
  ProcessMessage(msg);
  return !FTerminated;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    if (!ProcessMessage(msg)) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the loop that owns it
      break;
    }
}

void TApplication::Run() {
  FTerminated = false;
  if (FMainForm && ShowMainForm) FMainForm->Show();
  while (!FTerminated && HandleMessage()) {
  }
}

void TApplication::Terminate() {
  FTerminated = true;
  PostQuitMessage(0);
}

void TApplication::ShowException(const std::string& message) {
  ShowMessageBox(message, FTitle, MB_OK | MB_ICONSTOP);
}

void TApplication::HandleException(TObject* Sender) noexcept {
  std::string message = "Unknown error";
  if (std::exception_ptr current = std::current_exception()) {
    try {
      std::rethrow_exception(current);
    } catch (const std::exception& e) {
      message = e.what();
    } catch (...) {
    }
  }
  try {
    if (OnException)
      OnException(Sender, message);
    else
      ShowException(message);
  } catch (...) {
    // A failing report must not take the loop down with it.
  }
}
