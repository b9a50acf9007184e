#include "ui/Controls.h"
// Message-cracking macros need <windows.h> first.
#include <windowsx.h>

#include <algorithm>
#include <map>

#include "ui/DpiScale.h"
#include "ui/Forms.h"
#include "ui/Menus.h"

namespace {
// The window currently being created: the first message of a new window attaches it.
thread_local TWinControl* gCreating = nullptr;
TControl* gMouseControl = nullptr;
// System procedure behind each class registered over a native one (BUTTON, EDIT, ...).
std::map<std::string, WNDPROC>& NativeProcs() {
  static std::map<std::string, WNDPROC> procs;
  return procs;
}

LPCWSTR ControlProp() {
  static const ATOM atom = GlobalAddAtomW(L"Lumetta.Control");
  return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(atom));
}

TShiftState KeysToShift(WPARAM keys) {
  TShiftState s;
  if (keys & MK_SHIFT) s.Include(ssShift);
  if (keys & MK_CONTROL) s.Include(ssCtrl);
  if (keys & MK_LBUTTON) s.Include(ssLeft);
  if (keys & MK_RBUTTON) s.Include(ssRight);
  if (keys & MK_MBUTTON) s.Include(ssMiddle);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  return s;
}

// Windowless controls keep a canvas over the parent's DC; it is made on demand.
class TControlCanvas : public TCanvas {
 public:
  explicit TControlCanvas(TControl& c) : FControl(c) {}
  ~TControlCanvas() override { FreeDc(); }
  void FreeDc() {
    if (!FWnd) return;
    HDC dc = HandleAllocated() ? Handle() : nullptr;
    SetHandle(nullptr);
    if (dc) ReleaseDC(FWnd, dc);
    FWnd = nullptr;
  }

 protected:
  void CreateHandle() override {
    TWinControl* parent = FControl.Parent();
    if (!parent || !parent->HandleAllocated()) return;
    FWnd = parent->Handle();
    HDC dc = GetDC(FWnd);
    if (!dc) {
      FWnd = nullptr;
      return;
    }
    SetViewportOrgEx(dc, FControl.Left(), FControl.Top(), nullptr);
    IntersectClipRect(dc, 0, 0, FControl.Width(), FControl.Height());
    SetHandle(dc);
  }

 private:
  TControl& FControl;
  HWND FWnd = nullptr;
};
}  // namespace

HCURSOR CursorHandle(TCursor cursor) {
  LPCSTR id = IDC_ARROW;
  switch (cursor) {
    case crCross:
      id = IDC_CROSS;
      break;
    case crIBeam:
      id = IDC_IBEAM;
      break;
    case crSizeAll:
      id = IDC_SIZEALL;
      break;
    case crHourGlass:
      id = IDC_WAIT;
      break;
    case crHandPoint:
      id = IDC_HAND;
      break;
    default:
      break;
  }
  return LoadCursorA(nullptr, id);
}

TControl* MouseControl() { return gMouseControl; }

void SetMouseControl(TControl* c) {
  if (c == gMouseControl) return;
  TControl* old = gMouseControl;
  gMouseControl = c;
  if (old) old->Perform(CM_MOUSELEAVE);
  if (c && gMouseControl == c) c->Perform(CM_MOUSEENTER);
}

// ---- TControl ----

DEFINE_CLASS_INFO(TControl, TComponent, Prop<&TControl::Left, &TControl::SetLeft>("Left"),
                  Prop<&TControl::Top, &TControl::SetTop>("Top"),
                  Prop<&TControl::Width, &TControl::SetWidth>("Width"),
                  Prop<&TControl::Height, &TControl::SetHeight>("Height"),
                  Prop<&TControl::Color, &TControl::SetColor>("Color"),
                  Prop<&TControl::ParentColor, &TControl::SetParentColor>("ParentColor"),
                  Prop<&TControl::Caption, &TControl::SetCaption>("Caption"),
                  Prop<&TControl::Enabled, &TControl::SetEnabled>("Enabled"),
                  Prop<&TControl::Visible, &TControl::SetVisible>("Visible"),
                  Prop<&TControl::Cursor, &TControl::SetCursor>("Cursor"), Prop<&TControl::Font>("Font"))

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), FFont(std::make_unique<TFont>()) {
  WindowProc = [this](TMessage& m) { WndProc(m); };
  FFont->OnChange = [this] { FontChanged(); };
}

TControl::~TControl() {
  if (gMouseControl == this) gMouseControl = nullptr;
  if (FParent) FParent->RemoveControl(this);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  WindowProc(m);
  return m.Result;
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == FParent) return;
  if (parent == this) throw Exception("A control cannot be its own parent");
  if (FParent) {
    Invalidate();
    FParent->RemoveControl(this);
  }
  if (parent) {
    parent->InsertControl(this);
    if (FParentColor) TakeColor(parent->Color());
    Invalidate();
  }
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  Invalidate();
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  Invalidate();
}

RECT TControl::ClientRect() { return {0, 0, FWidth, FHeight}; }

void TControl::SetClientSize(int width, int height) {
  RECT r = ClientRect();
  SetBounds(FLeft, FTop, FWidth - (r.right - r.left) + width, FHeight - (r.bottom - r.top) + height);
}

POINT TControl::ClientToScreen(POINT p) {
  if (auto* w = dynamic_cast<TWinControl*>(this)) {
    ::ClientToScreen(w->Handle(), &p);
    return p;
  }
  if (!FParent) return p;
  return FParent->ClientToScreen({p.x + FLeft, p.y + FTop});
}

POINT TControl::ScreenToClient(POINT p) {
  if (auto* w = dynamic_cast<TWinControl*>(this)) {
    ::ScreenToClient(w->Handle(), &p);
    return p;
  }
  if (!FParent) return p;
  POINT q = FParent->ScreenToClient(p);
  return {q.x - FLeft, q.y - FTop};
}

void TControl::SetColor(TColor c) {
  if (c == FColor) return;
  FParentColor = false;
  TakeColor(c);
}

void TControl::SetParentColor(bool v) {
  FParentColor = v;
  if (v && FParent) TakeColor(FParent->Color());
}

void TControl::TakeColor(TColor c) {
  if (c == FColor) return;
  FColor = c;
  Perform(CM_COLORCHANGED);
  if (auto* w = dynamic_cast<TWinControl*>(this))
    for (int i = 0; i < w->ControlCount(); ++i)
      if (TControl* child = w->Controls(i); child->FParentColor) child->TakeColor(c);
}

void TControl::SetText(const std::string& text) {
  if (text == FText) return;
  FText = text;
  Perform(CM_TEXTCHANGED);
}

void TControl::SetEnabled(bool v) {
  if (v == FEnabled) return;
  FEnabled = v;
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetVisible(bool v) {
  if (v == FVisible) return;
  if (!v) Invalidate();
  FVisible = v;
  Perform(CM_VISIBLECHANGED, v ? 1 : 0);
  if (v) Invalidate();
}

bool TControl::Showing() const { return FVisible && FParent && FParent->Showing(); }

void TControl::SetPopupMenu(TPopupMenu* menu) {
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = menu;
  if (menu) menu->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

void TControl::Invalidate() {
  if (FParent && FParent->HandleAllocated() && FWidth > 0 && FHeight > 0) {
    RECT r = BoundsRect();
    InvalidateRect(FParent->Handle(), &r, TRUE);
  }
}

void TControl::Update() {
  if (FParent && FParent->HandleAllocated()) UpdateWindow(FParent->Handle());
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}
void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}
void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::FontChanged() { Perform(CM_FONTCHANGED); }

void TControl::ChangeScale(int toDpi, int fromDpi) {
  const TScaledBounds b = ScaleBounds(FLeft, FTop, FWidth, FHeight, toDpi, fromDpi);
  SetBounds(b.Left, b.Top, b.Width, b.Height);
  // After the bounds: a control that sizes itself to its text does so with the new font.
  ScaleFont(toDpi, fromDpi);
}

void TControl::ScaleFont(int toDpi, int fromDpi) {
  if (!FFont->FollowsDpi()) FFont->SetHeight(ScaleDpi(FFont->Height(), toDpi, fromDpi));
}

void TWinControl::ChangeScale(int toDpi, int fromDpi) {
  TControl::ChangeScale(toDpi, fromDpi);
  ScaleChildren(toDpi, fromDpi);
}

void TWinControl::ScaleChildren(int toDpi, int fromDpi) {
  const std::vector<TControl*> children = FControls;
  for (TControl* c : children) c->ChangeScale(toDpi, fromDpi);
}

void TControl::WndProc(TMessage& m) {
  const int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      FClicking = ClicksOnMouseUp && FEnabled;
      MouseDown(mbLeft, KeysToShift(m.WParam), x, y);
      break;
    case WM_RBUTTONDOWN:
      MouseDown(mbRight, KeysToShift(m.WParam), x, y);
      break;
    case WM_LBUTTONUP: {
      const bool click = FClicking && x >= 0 && y >= 0 && x < FWidth && y < FHeight;
      FClicking = false;
      MouseUp(mbLeft, KeysToShift(m.WParam), x, y);
      if (click) Click();
      break;
    }
    case WM_RBUTTONUP:
      MouseUp(mbRight, KeysToShift(m.WParam), x, y);
      break;
    case WM_MOUSEMOVE:
      MouseMove(KeysToShift(m.WParam), x, y);
      break;
    case CM_MOUSEENTER:
      FMouseInControl = true;
      if (OnMouseEnter) OnMouseEnter(this);
      return;
    case CM_MOUSELEAVE:
      FMouseInControl = false;
      FClicking = false;
      if (OnMouseLeave) OnMouseLeave(this);
      return;
    case CM_ENABLEDCHANGED:
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
      Invalidate();
      return;
    default:
      if (m.Msg >= CM_BASE && m.Msg < CN_BASE + 0x400) return;  // class-library messages end here
      break;
  }
  DefaultHandler(m);
}

void TControl::DefaultHandler(TMessage&) {}

// ---- TWinControl ----

DEFINE_CLASS_INFO(TWinControl, TControl, Prop<&TWinControl::DoubleBuffered>("DoubleBuffered"),
                  Prop<&TWinControl::TabStop>("TabStop"),
                  Prop<&TWinControl::TabOrder, &TWinControl::SetTabOrder>("TabOrder"))

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  // Owned components and children go first, while this control is still whole.
  DestroyComponents();
  while (!FControls.empty()) delete FControls.back();
  DestroyHandle();
}

TWinControl* TWinControl::FindControl(HWND wnd) {
  return wnd ? static_cast<TWinControl*>(GetPropW(wnd, ControlProp())) : nullptr;
}

void TWinControl::InsertControl(TControl* c) {
  FControls.push_back(c);
  c->FParent = this;
  if (auto* w = dynamic_cast<TWinControl*>(c)) FTabList.push_back(w);
  if (auto* w = dynamic_cast<TWinControl*>(c); w && w->HandleAllocated() && HandleAllocated())
    ::SetParent(w->FHandle, FHandle);
}

void TWinControl::RemoveControl(TControl* c) {
  if (FMouseCapture == c) {
    FMouseCapture = nullptr;
    if (HandleAllocated() && GetCapture() == FHandle) ReleaseCapture();
  }
  FControls.erase(std::remove(FControls.begin(), FControls.end(), c), FControls.end());
  FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), c), FTabList.end());
  c->FParent = nullptr;
  if (auto* w = dynamic_cast<TWinControl*>(c); w && w->HandleAllocated()) w->DestroyHandle();
}

int TWinControl::TabOrder() const {
  if (!FParent) return -1;
  const auto& list = FParent->FTabList;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int order) {
  if (!FParent || order < 0) return;
  auto& list = FParent->FTabList;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  list.insert(list.begin() + std::min<size_t>(static_cast<size_t>(order), list.size()), this);
}

TControl* TWinControl::ControlAtPos(POINT p, bool allowDisabled) const {
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* c = *it;
    if (dynamic_cast<TWinControl*>(c)) continue;
    if (!c->Visible() || (!c->Enabled() && !allowDisabled)) continue;
    RECT r = c->BoundsRect();
    if (PtInRect(&r, p)) return c;
  }
  return nullptr;
}

HWND TWinControl::Handle() {
  if (!FHandle) {
    // The parent's window first: making it also makes ours, as one of its children.
    if (FParent) FParent->HandleNeeded();
    if (!FHandle) CreateWnd();
  }
  return FHandle;
}

void TWinControl::CreateParams(TCreateParams& p) {
  p.Caption = FText;
  p.Style = WS_CHILD | WS_CLIPSIBLINGS | (FVisible ? WS_VISIBLE : 0) | (FEnabled ? 0 : WS_DISABLED) |
            (TabStop ? WS_TABSTOP : 0);
  p.X = FLeft;
  p.Y = FTop;
  p.Width = FWidth;
  p.Height = WindowHeight(FHeight);
  p.WndParent = FParent ? FParent->Handle() : nullptr;
  p.WinClassName = ClassName();
}

void TWinControl::CreateWnd() {
  TCreateParams p;
  CreateParams(p);
  if (FHandle) return;  // CreateParams asked the parent for its window, which made ours
  if ((p.Style & WS_CHILD) && !p.WndParent) throw Exception("Control '" + Name + "' has no parent window");
  HINSTANCE instance = ThisModule();
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  auto& natives = NativeProcs();
  if (!GetClassInfoExA(instance, p.WinClassName.c_str(), &wc)) {
    WNDPROC native = DefWindowProcA;
    if (!p.NativeClass.empty()) {
      if (!GetClassInfoExA(nullptr, p.NativeClass.c_str(), &wc))
        throw Exception("Unknown window class " + p.NativeClass);
      native = wc.lpfnWndProc;
      wc.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
    } else {
      wc.style = p.ClassStyle;
      wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
      wc.hbrBackground = p.Background;
    }
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = StaticWndProc;
    wc.hInstance = instance;
    wc.lpszClassName = p.WinClassName.c_str();
    if (!RegisterClassExA(&wc)) throw Exception("Cannot register window class " + p.WinClassName);
    natives[p.WinClassName] = native;
  }
  FDefWndProc = natives.count(p.WinClassName) ? natives[p.WinClassName] : DefWindowProcA;
  gCreating = this;
  HWND wnd = nullptr;
  try {
    wnd = CreateWindowHandle(p);
  } catch (...) {
    gCreating = nullptr;
    throw;
  }
  gCreating = nullptr;
  if (!wnd) throw Exception("Error creating window " + p.WinClassName);
  FHandle = wnd;
  if (!GetPropW(wnd, ControlProp())) SetPropW(wnd, ControlProp(), this);
  if (!p.NativeClass.empty()) SendMessageA(wnd, WM_SETFONT, reinterpret_cast<WPARAM>(FFont->Handle()), 0);
  for (TControl* c : FControls)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->HandleNeeded();
  CreateHandleDone();
}

HWND TWinControl::CreateWindowHandle(const TCreateParams& p) {
  return CreateWindowExA(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width,
                         p.Height, p.WndParent, nullptr, ThisModule(), nullptr);
}

void TWinControl::DestroyHandle() {
  if (FHandle) DestroyWindow(FHandle);
  FHandle = nullptr;
}

LRESULT CALLBACK TWinControl::StaticWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  auto* c = static_cast<TWinControl*>(GetPropW(wnd, ControlProp()));
  if (!c) {
    c = gCreating;
    if (!c) return DefWindowProcA(wnd, msg, wParam, lParam);
    gCreating = nullptr;
    c->FHandle = wnd;
    SetPropW(wnd, ControlProp(), c);
  }
  TMessage m{msg, wParam, lParam, 0};
  try {
    c->WindowProc(m);
  } catch (...) {
    // Nothing may cross into the system: the application reports it and the loop goes on.
    Application->HandleException(c);
  }
  if (msg == WM_NCDESTROY) {
    RemovePropW(wnd, ControlProp());
    if (c->FHandle == wnd) c->FHandle = nullptr;
  }
  return m.Result;
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (FHandle) m.Result = CallWindowProcA(FDefWndProc, FHandle, m.Msg, m.WParam, m.LParam);
}

bool TWinControl::ReflectToChild(TMessage& m) {
  HWND child = nullptr;
  switch (m.Msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      child = reinterpret_cast<HWND>(m.LParam);
      break;
    case WM_NOTIFY:
      child = reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom;
      break;
    case WM_DRAWITEM:
      child = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam)->hwndItem;
      break;
    default:
      return false;
  }
  TWinControl* target = FindControl(child);
  if (!target || target == this) return false;
  m.Result = target->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
  return true;
}

void TWinControl::RouteMouseToChildren(TMessage& m) {
  POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  if (m.Msg == WM_MOUSEMOVE) {
    TControl* over = FMouseCapture ? FMouseCapture : ControlAtPos(p, true);
    SetMouseControl(over ? over : this);
    TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, FHandle, 0};
    TrackMouseEvent(&tme);
  }
  TControl* target = FMouseCapture ? FMouseCapture : ControlAtPos(p);
  if (!target) {
    TControl::WndProc(m);
    return;
  }
  const bool down = m.Msg == WM_LBUTTONDOWN || m.Msg == WM_RBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK;
  const bool up = m.Msg == WM_LBUTTONUP || m.Msg == WM_RBUTTONUP;
  if (down && !FMouseCapture) {
    FMouseCapture = target;
    SetCapture(FHandle);
  }
  m.Result = target->Perform(m.Msg, m.WParam, MAKELPARAM(p.x - target->Left(), p.y - target->Top()));
  if (auto* g = dynamic_cast<TGraphicControl*>(target)) static_cast<TControlCanvas*>(g->Canvas())->FreeDc();
  if (up && FMouseCapture == target) {
    FMouseCapture = nullptr;
    if (GetCapture() == FHandle) ReleaseCapture();
  }
}

void TWinControl::PaintWindow(HDC dc) {
  if (FDefWndProc != DefWindowProcA)
    CallWindowProcA(FDefWndProc, FHandle, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
}

void TWinControl::PaintControls(HDC dc) {
  for (TControl* c : FControls) {
    if (dynamic_cast<TWinControl*>(c) || !c->Visible() || c->Width() <= 0 || c->Height() <= 0) continue;
    RECT r = c->BoundsRect();
    if (!RectVisible(dc, &r)) continue;
    const SavedDc saved(dc);
    POINT org;
    GetViewportOrgEx(dc, &org);
    SetViewportOrgEx(dc, org.x + c->Left(), org.y + c->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  }
}

void TWinControl::WmPaint(TMessage& m) {
  const bool hasGraphicChildren = std::any_of(FControls.begin(), FControls.end(),
                                              [](TControl* c) { return !dynamic_cast<TWinControl*>(c); });
  if (FDefWndProc != DefWindowProcA && !hasGraphicChildren) {
    DefaultHandler(m);  // a native control paints itself
    return;
  }
  if (m.WParam) {
    PaintWindow(reinterpret_cast<HDC>(m.WParam));
    PaintControls(reinterpret_cast<HDC>(m.WParam));
    return;
  }
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(FHandle, &ps);
  try {
    PaintWindow(dc);
    PaintControls(dc);
  } catch (...) {
    EndPaint(FHandle, &ps);
    throw;
  }
  EndPaint(FHandle, &ps);
}

void TWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_COMMAND:
      if (m.LParam == 0 && HIWORD(m.WParam) == 0 && DispatchMenuCommand(LOWORD(m.WParam))) return;
      if (ReflectToChild(m)) return;
      break;
    case WM_DRAWITEM:
      if (reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam)->CtlType == ODT_MENU &&
          DispatchMenuDraw(*reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam))) {
        m.Result = TRUE;
        return;
      }
      if (ReflectToChild(m)) return;
      break;
    case WM_MEASUREITEM:
      if (reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)->CtlType == ODT_MENU &&
          DispatchMenuMeasure(FHandle, *reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam))) {
        m.Result = TRUE;
        return;
      }
      break;
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLOREDIT: {
      // A wrapped native control asks its own colours: our font colour on our colour.
      HDC dc = reinterpret_cast<HDC>(m.WParam);
      SetTextColor(dc, ColorToRGB(FFont->Color()));
      SetBkColor(dc, ColorToRGB(FColor));
      m.Result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      if ((FColor & clSystemColor) == 0 || FColor != clBtnFace) {
        SetDCBrushColor(dc, ColorToRGB(FColor));
        m.Result = reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
      }
      return;
    }
    case WM_PAINT:
      WmPaint(m);
      return;
    case WM_ERASEBKGND:
      if (FDefWndProc == DefWindowProcA) {
        RECT r;
        GetClientRect(FHandle, &r);
        HDC dc = reinterpret_cast<HDC>(m.WParam);
        SetDCBrushColor(dc, ColorToRGB(FColor));
        ::FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        m.Result = 1;
        return;
      }
      break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      RouteMouseToChildren(m);
      return;
    case WM_MOUSELEAVE:
      if (gMouseControl == this ||
          (gMouseControl && gMouseControl->Parent() == this && !dynamic_cast<TWinControl*>(gMouseControl)))
        SetMouseControl(nullptr);
      break;
    case WM_SETCURSOR:
      if (LOWORD(m.LParam) == HTCLIENT && reinterpret_cast<HWND>(m.WParam) == FHandle) {
        POINT p;
        GetCursorPos(&p);
        ::ScreenToClient(FHandle, &p);
        TControl* c = ControlAtPos(p, true);
        if (!c) c = this;
        if (c->Cursor() != crDefault) {
          ::SetCursor(CursorHandle(c->Cursor()));
          m.Result = TRUE;
          return;
        }
      }
      break;
    case WM_CONTEXTMENU:
      if (FPopupMenu) {
        POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        if (m.LParam == -1) GetCursorPos(&p);
        FPopupMenu->PopupComponent = this;
        FPopupMenu->Popup(p.x, p.y);
        return;
      }
      break;
    case WM_SYSCHAR: {
      // Alt+letter: the form gets the first say (menu-bar accelerators of the skin).
      TWinControl* top = this;
      while (top->Parent()) top = top->Parent();
      if (top->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0) return;
      break;
    }
    case WM_SETFOCUS:
      if (OnEnter) OnEnter(this);
      break;
    case WM_KILLFOCUS:
      Perform(CM_EXIT);
      if (OnExit) OnExit(this);
      break;
    case WM_MOVE:
    case WM_SIZE: {
      RECT r;
      GetWindowRect(FHandle, &r);
      if (GetWindowLongA(FHandle, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(HWND_DESKTOP, GetParent(FHandle), reinterpret_cast<POINT*>(&r), 2);
      FLeft = r.left;
      FTop = r.top;
      FWidth = r.right - r.left;
      FHeight = r.bottom - r.top;
      break;
    }
    case CM_ENABLEDCHANGED:
      if (FHandle) EnableWindow(FHandle, FEnabled);
      break;
    case CM_VISIBLECHANGED:
      if (FHandle) ShowWindow(FHandle, FVisible ? SW_SHOWNA : SW_HIDE);
      return;
    case CM_FONTCHANGED:
      if (FHandle && FDefWndProc != DefWindowProcA)
        SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont->Handle()), TRUE);
      break;
    default:
      // Notifications, scroll and colour requests go to the child control that sent them.
      if (ReflectToChild(m)) return;
      break;
  }
  TControl::WndProc(m);
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  if (FHandle)
    SetWindowPos(FHandle, nullptr, left, top, width, WindowHeight(height), SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT TWinControl::ClientRect() {
  RECT r{0, 0, FWidth, FHeight};
  if (FHandle) GetClientRect(FHandle, &r);
  return r;
}

bool TWinControl::Showing() const { return FHandle && IsWindowVisible(FHandle); }

void TWinControl::Invalidate() {
  if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

void TWinControl::Update() {
  if (FHandle) UpdateWindow(FHandle);
}

std::string TWinControl::GetText() const {
  if (!FHandle) return FText;
  const int n = GetWindowTextLengthA(FHandle);
  std::string s(static_cast<size_t>(n) + 1, '\0');
  s.resize(static_cast<size_t>(GetWindowTextA(FHandle, s.data(), n + 1)));
  return s;
}

void TWinControl::SetText(const std::string& text) {
  if (text == GetText()) return;
  FText = text;
  if (FHandle) SetWindowTextA(FHandle, text.c_str());
  Perform(CM_TEXTCHANGED);
}

bool TWinControl::Focused() const { return FHandle && GetFocus() == FHandle; }

void TWinControl::SetFocus() { ::SetFocus(Handle()); }

// ---- TGraphicControl ----

DEFINE_CLASS_INFO(TGraphicControl, TControl)

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(*this)) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::WndProc(TMessage& m) {
  if (m.Msg == WM_PAINT && m.WParam) {
    auto* canvas = static_cast<TControlCanvas*>(FCanvas.get());
    canvas->FreeDc();
    canvas->SetHandle(reinterpret_cast<HDC>(m.WParam));
    try {
      Paint();
    } catch (...) {
      canvas->SetHandle(nullptr);
      throw;
    }
    canvas->SetHandle(nullptr);
    return;
  }
  TControl::WndProc(m);
}

void UnregisterControlClasses() {
  auto& natives = NativeProcs();
  for (auto it = natives.begin(); it != natives.end();)
    it = UnregisterClassA(it->first.c_str(), ThisModule()) ? natives.erase(it) : std::next(it);
}
