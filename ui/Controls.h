#pragma once
// Controls: TControl (bounds, colour, font, caption, enabled/visible, a replaceable
// WindowProc), TWinControl (a window of its own, created on demand through one window
// procedure) and TGraphicControl (windowless: painted and fed mouse messages by its parent).
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/Classes.h"
#include "ui/Graphics.h"
#include "ui/Messages.h"

class TWinControl;
class TPopupMenu;

using TNotifyEvent = std::function<void(TObject* Sender)>;
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftFlag>;
using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;

// Cursor numbers as the class library has them; Screen maps them to system cursors.
using TCursor = int;
constexpr TCursor crDefault = 0, crArrow = -2, crCross = -3, crIBeam = -4, crSizeAll = -22, crHourGlass = -11,
                  crHandPoint = -21;
HCURSOR CursorHandle(TCursor cursor);

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;
  DECLARE_CLASS_INFO;

  // The message handler every message of this control goes through. Skin handlers save
  // it, install their own, and put back exactly what they saved.
  TWndMethod WindowProc;
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

  TWinControl* Parent() const noexcept { return FParent; }
  virtual void SetParent(TWinControl* parent);

  int Left() const noexcept { return FLeft; }
  int Top() const noexcept { return FTop; }
  int Width() const noexcept { return FWidth; }
  int Height() const noexcept { return FHeight; }
  void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
  void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
  void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
  void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  RECT BoundsRect() const noexcept { return {FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
  virtual RECT ClientRect();
  int ClientWidth() { return ClientRect().right; }
  int ClientHeight() { return ClientRect().bottom; }
  virtual void SetClientSize(int width, int height);
  POINT ClientToScreen(POINT p);
  POINT ScreenToClient(POINT p);

  TColor Color() const noexcept { return FColor; }
  // An explicit colour: the control stops following its parent's.
  void SetColor(TColor c);
  // Whether the control shows its parent's colour, now and whenever that changes (labels,
  // check boxes and radio buttons do from the start: their text sits on their container).
  bool ParentColor() const noexcept { return FParentColor; }
  void SetParentColor(bool v);
  TFont* Font() const noexcept { return FFont.get(); }
  std::string Caption() const { return GetText(); }
  void SetCaption(const std::string& text) { SetText(text); }
  virtual std::string GetText() const { return FText; }
  virtual void SetText(const std::string& text);
  bool Enabled() const noexcept { return FEnabled; }
  void SetEnabled(bool v);
  bool Visible() const noexcept { return FVisible; }
  void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, with every parent visible and (for windows) shown.
  virtual bool Showing() const;
  TCursor Cursor() const noexcept { return FCursor; }
  void SetCursor(TCursor c) { FCursor = c; }
  TPopupMenu* PopupMenu() const noexcept { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* menu);
  bool MouseInControl() const noexcept { return FMouseInControl; }

  virtual void Invalidate();
  virtual void Update();
  void Repaint();
  virtual void Click();
  // Made for fromDpi, shown at toDpi: scales the bounds (by their edges, ScaleBounds) and a
  // font whose height is in pixels; descendants scale their other pixel measures, a windowed
  // control its children too. A form calls it once, as it is created.
  virtual void ChangeScale(int toDpi, int fromDpi);

  TNotifyEvent OnClick;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  // A left press and release inside the control clicks it (native buttons click on their own).
  bool ClicksOnMouseUp = true;

 protected:
  // The default message handling, installed as WindowProc at construction.
  virtual void WndProc(TMessage& m);
  // What happens to a message nobody handled (a window's native procedure).
  virtual void DefaultHandler(TMessage& m);
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  void Notification(TComponent* AComponent, TOperation Operation) override;
  virtual void FontChanged();
  void ScaleFont(int toDpi, int fromDpi);

  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TColor FColor = clBtnFace;
  bool FParentColor = false;
  std::string FText;
  bool FEnabled = true;
  bool FVisible = true;
  bool FMouseInControl = false;
  bool FClicking = false;
  TCursor FCursor = crDefault;
  TPopupMenu* FPopupMenu = nullptr;
  std::unique_ptr<TFont> FFont;

  friend class TWinControl;

 private:
  // Takes a colour (the parent's, or an explicit one) and hands it to the children that
  // follow this control's.
  void TakeColor(TColor c);
};

// What CreateWindowEx is called with; CreateParams may change any of it.
struct TCreateParams {
  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  // Class registered for this control (by default its class name); for a wrapped native
  // control NativeClass names the system class whose procedure gets unhandled messages.
  std::string WinClassName;
  std::string NativeClass;
  UINT ClassStyle = CS_DBLCLKS;
  HBRUSH Background = nullptr;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;
  DECLARE_CLASS_INFO;

  // The window, created on first use (with the parent's window first).
  HWND Handle();
  bool HandleAllocated() const noexcept { return FHandle != nullptr; }
  void HandleNeeded() { Handle(); }
  void DestroyHandle();
  // Makes a made window again, for a creation style that changed.
  void RecreateWnd() {
    if (!HandleAllocated()) return;
    DestroyHandle();
    HandleNeeded();
  }
  // Handle of the control that owns a window made by the class library, or null.
  static TWinControl* FindControl(HWND wnd);

  int ControlCount() const noexcept { return static_cast<int>(FControls.size()); }
  TControl* Controls(int i) const { return FControls.at(static_cast<size_t>(i)); }
  // The visible windowless child under a client point (topmost first), or null.
  TControl* ControlAtPos(POINT p, bool allowDisabled = false) const;

  bool Focused() const;
  void SetFocus();
  bool DoubleBuffered = false;
  bool TabStop = false;
  // Place among the parent's windowed children when Tab moves the focus (0 first; new
  // children go last); -1 without a parent. Setting it moves the others along, and an
  // order past the end puts the control last.
  int TabOrder() const;
  void SetTabOrder(int order);
  // The windowed children in tab order.
  int TabCount() const noexcept { return static_cast<int>(FTabList.size()); }
  TWinControl* TabControls(int i) const { return FTabList.at(static_cast<size_t>(i)); }

  void SetBounds(int left, int top, int width, int height) override;
  void ChangeScale(int toDpi, int fromDpi) override;
  RECT ClientRect() override;
  bool Showing() const override;
  void Invalidate() override;
  void Update() override;
  std::string GetText() const override;
  void SetText(const std::string& text) override;

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

 protected:
  // The height the window is made and placed with for a control of this height.
  virtual int WindowHeight(int height) const { return height; }
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  // Makes the native window for CreateWnd (CreateWindowEx; MDI children are made by their
  // MDI client instead).
  virtual HWND CreateWindowHandle(const TCreateParams& params);
  // Called once the window exists (apply state that needs the handle).
  virtual void CreateHandleDone() {}
  void WndProc(TMessage& m) override;
  void DefaultHandler(TMessage& m) override;
  // Paints the windowless children into dc (after the window painted itself).
  void PaintControls(HDC dc);
  virtual void PaintWindow(HDC dc);
  void ScaleChildren(int toDpi, int fromDpi);
  void UpdateShowing();

  HWND FHandle = nullptr;
  WNDPROC FDefWndProc = DefWindowProcA;

 private:
  static LRESULT CALLBACK StaticWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
  void InsertControl(TControl* c);
  void RemoveControl(TControl* c);
  bool ReflectToChild(TMessage& m);
  void RouteMouseToChildren(TMessage& m);
  void WmPaint(TMessage& m);
  std::vector<TControl*> FControls;    // children, windowed and windowless, in insertion order
  std::vector<TWinControl*> FTabList;  // the windowed children in tab order
  TControl* FMouseCapture = nullptr;   // windowless child holding the mouse between down and up

  friend class TControl;
};

class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  DECLARE_CLASS_INFO;
  // Valid while painting (WM_PAINT through WindowProc); the DC is the parent's, with the
  // origin moved to this control's top-left corner.
  // Outside painting it draws on the parent's window DC, clipped to the control.
  TCanvas* Canvas() noexcept { return FCanvas.get(); }

 protected:
  void WndProc(TMessage& m) override;
  virtual void Paint() {}

 private:
  std::unique_ptr<TCanvas> FCanvas;
};

// The control that currently has the mouse (receives CM_MOUSEENTER/LEAVE), or null.
TControl* MouseControl();
// Moves the mouse-over state to c (null: nobody), sending CM_MOUSELEAVE / CM_MOUSEENTER.
void SetMouseControl(TControl* c);

// Unregisters the window classes the controls registered (those whose windows are all gone).
void UnregisterControlClasses();
