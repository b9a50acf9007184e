#pragma once
// The base of every control handler: it sits between one control and its own message
// handling, keeps the few facts painting needs (enabled, focused, mouse over, pressed,
// caption), and paints the skin over the control.
//
// A class-library control is reached through its WindowProc (saved, replaced, put back
// when ours is still there; under a hook set after ours, our link stays as a pass-through
// to what we saved, so that hook's chain keeps working); a raw window through
// TWindowSubclass in the Control slot, so detaching restores exactly the procedure that
// was there. A class-library control whose window is made again (a change of kind or
// orientation recreates it) keeps its handler, which follows the new window. A handler has
// one owner, whoever holds the pointer AttachHandler answers (the form handler, for all the
// pass makes); it is listed in the form handler's list and takes itself out as it goes.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "skin/controls/ButtonLayout.h"
#include "skin/data/SkinData_win.h"
#include "ui/Controls.h"
#include "ui/Graphics.h"
#include "ui/PaintGuards_win.h"
#include "ui/WindowSubclass_win.h"

class TSkinForm;
class TControlTether;

// Lifecycle states.
enum TSkinControlState : int {
  scsCreated = 0,
  scsAttached = 1,
  scsColourBack = 2,  // panels: their colour was given back
  scsDestroyed = 6,   // the window got WM_NCDESTROY; waits for the form handler's sweep
};

class TSkinControl : public TComponent, public ISubclassTarget {
 public:
  explicit TSkinControl(TComponent* AOwner);
  ~TSkinControl() override;
  DECLARE_CLASS_INFO;

  // Attaches to the class-library windowed control that owns the handler; once only.
  virtual void InitControl(TSkinForm* Form, TSkinData* SkinData, TCanvas* Canvas, bool Recolor);
  // Attaches to a raw window.
  virtual void InitHandle(HWND Handle, TSkinData* SkinData, TCanvas* Canvas, TSkinForm* Form);
  // Gives the control back its own look.
  virtual void UnSkin();
  // Pre-filter: true lets the control's own handling and then AfterProc run.
  virtual bool BeforeProc(TMessage& m);
  virtual void AfterProc(TMessage& m);
  // Paints the whole window now, on dc or (null) the window's own DC.
  virtual void PaintSkin(HDC dc);
  // The family's drawing into rect (the window rectangle moved to the origin).
  virtual void DrawSkin(HDC dc, const RECT& rect);
  virtual void SkinChanged();
  // Attaches a handler that covers a control's scroll bars with skinned bar windows
  // (TSkinScrollbar and the handlers derived from it); the base attaches nothing, so
  // Initialized() stays false.
  virtual void InitScrollControl(TWinControl* Control, TSkinData* SkinData, TCanvas* Canvas, TSkinForm* Form);

  // The replacement message handler, and what was there before.
  void SkinWndProc(TMessage& m);
  void CallOldProc(TMessage& m);
  void RepaintControl();
  TColor GetParentColor(TColor Default) const;
  void FillSkinBackground(HDC dc, const RECT& rect) const;
  void FillParentBackground(HDC dc, const RECT& rect) const;
  // The control has the focus and its window shows focus cues (the keyboard moved it there).
  bool FocusCueShown() const;

  // --- what tests and the form handler read ---
  int State() const noexcept { return FState; }
  bool Active() const noexcept { return FActive; }
  bool Initialized() const noexcept { return FInitialized; }
  uint8_t MouseState() const noexcept { return FMouseState; }
  const std::wstring& CachedCaption() const noexcept { return FCaption; }
  HWND Handle() const noexcept { return FHandle; }
  TWinControl* Control() const noexcept { return FControl; }
  TControl* GraphicControl() const noexcept { return FGraphicControl; }
  TSkinForm* Form() const noexcept { return FForm; }
  // The form handler let go of this handler without freeing it (it is not the owner).
  void ForgetForm() noexcept { FForm = nullptr; }
  // Calls `going` as soon as `control` starts to go, while it is still whole (its components
  // go first): the owner frees the handler then, before the control's window goes. Once.
  void TetherTo(TComponent* control, std::function<void()> going);
  TSkinData* SkinData() const noexcept { return FSkinData; }
  bool Recolor() const noexcept { return FRecolor; }
  // The control object this handler is bound to (windowed or windowless), or null.
  const void* BoundControl() const noexcept {
    return FControl ? static_cast<const void*>(FControl) : static_cast<const void*>(FGraphicControl);
  }

  LRESULT SubclassProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Installs SkinWndProc as target's WindowProc, saving the old one.
  void HookWindowProc(TControl* target);
  void UnhookWindowProc() noexcept;
  void RegisterWithForm();
  // The class-library windowed control that owns the handler: what InitControl attaches to.
  TWinControl* OwnerControl() const { return dynamic_cast<TWinControl*>(Owner()); }
  // The first steps of every attach: the context, the window, the form handler's list; for a
  // class-library control the control too (false when it has no window).
  void BindWindow(HWND wnd, TSkinData* skin, TCanvas* canvas, TSkinForm* form);
  bool BindControl(TWinControl* control, TSkinData* skin, TCanvas* canvas, TSkinForm* form);
  // Takes FHandle's procedure in the Control slot, narrow or wide as the window is.
  bool SubclassWindow();
  // Focus and enabled state as the window has them now.
  void ReadWindowFacts();
  // While recoloring, the control shows the skin's face colour; its own is kept for UnSkin.
  void TakeSkinColour();
  // The attach of the handlers that cover a control with skinned bar windows: the context,
  // the window, the form handler's list; `cover` lays the bars over the control before its
  // WindowProc is hooked. Nothing is attached to a control without a window.
  void AttachCovered(TWinControl* control, TSkinData* skin, TCanvas* canvas, TSkinForm* form,
                     const std::function<void()>& cover);
  bool ReadRect();
  // The control has a new window (its old one is gone): the base takes it as FHandle and
  // re-reads the facts and colour; families redo what belonged to the old window.
  virtual void WindowRecreated();

  uint8_t FMouseState = 0;
  TCanvas* FCanvas = nullptr;
  bool FEnabled = true;
  bool FFocused = false;
  std::wstring FCaption;
  TWindowSubclass FSubclass;  // the saved procedure (raw window) or WindowProc (class-library control)
  bool FActive = true;
  TSkinData* FSkinData = nullptr;
  HWND FHandle = nullptr;
  TControl* FHooked = nullptr;  // the class-library control whose WindowProc we took
  TWinControl* FControl = nullptr;
  RECT FWindowRect{};
  TControl* FGraphicControl = nullptr;
  bool FRecolor = false;
  TColor FOldColor = clBtnFace;
  bool FInitialized = false;
  int FState = scsCreated;
  TSkinForm* FForm = nullptr;

 private:
  TControlTether* FTether = nullptr;  // among the control's components; taken back when we go first
};

// Serves WM_PAINT for handlers that replace the control's painting: the DC of the message
// or BeginPaint's, the window rectangle at the origin, DrawSkin.
void DoPaintMessage(TSkinControl& handler, TMessage& m);
// While `ready`, the skin paints the whole window: WM_PAINT through DoPaintMessage, and
// WM_ERASEBKGND answered with nothing erased. True when it took the message.
bool PaintWholeWindow(TSkinControl& handler, TMessage& m, bool ready);
// Frame `frame` (1-based) of the element's strip, nine-sliced into rect; keyed on magenta
// when the element is transparent. Nothing for an inverted rect or an empty image.
void DrawSkinElement(HDC dc, const RECT& rect, int frameCount, int frame, const TDataSkinObject& element);
// Frame `frame` of a horizontal strip stretched to rect, keyed on magenta.
void DrawStripFrame(HDC dc, const RECT& rect, int frameCount, int frame, TBitmap& strip);
// The dotted focus rectangle, inset into face, in one colour; drawn over whatever is there
// and the same however often it is drawn (not inverted as the system's own is, since a
// frame may be painted again without the face under it).
void DrawFocusCue(HDC dc, const RECT& face, int inset, COLORREF colour);
// One line of text, vertically centred one pixel high; alignment DT_LEFT/DT_CENTER/DT_RIGHT.
void DrawCaptionText(HDC dc, const RECT& rect, const std::wstring& text, bool enabled, UINT alignment);
// The window text as wide text.
std::wstring WindowTextOf(HWND wnd);
// A COLORREF for a skin or class-library colour (system references resolved).
COLORREF SkinColorRef(TSkinColour c);
