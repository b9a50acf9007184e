#pragma once
// One way to take over a window's procedure, and one exception boundary.
//
// TWindowSubclass installs one static procedure per slot (no executable thunks) and keeps
// the previous procedure; the static procedure finds its record by window and slot in a
// table of the GUI thread's subclasses (skinned windows all belong to it). Remove puts back exactly the saved
// procedure when ours is still the window's; when someone subclassed the window after us, our record stays as
// a pass-through to the saved procedure until the window is destroyed, so their chain keeps working. Distinct
// slots let several handlers subclass one window.
//
// A class-library control is taken over the same way one level up, at its WindowProc (so the
// handler sees its messages as the class library delivers them): saved, replaced, put back
// while ours is still there, else left as a pass-through to what was saved.
#include <windows.h>

#include <functional>
#include <memory>
#include <utility>

#include "ui/Messages.h"

class TObject;
class TControl;

// Handlers that receive a subclassed window's messages.
class ISubclassTarget {
 public:
  virtual ~ISubclassTarget() = default;
  virtual LRESULT SubclassProc(UINT msg, WPARAM wParam, LPARAM lParam) = 0;
  // Whom an error escaping SubclassProc is reported for (null: the application).
  virtual TObject* ErrorSender() const noexcept { return nullptr; }
};

// Own: windows this program makes for itself (THiddenWindow).
enum class TSubclassSlot : int { Form = 0, MdiClient = 1, PopupMenu = 2, Control = 3, Own = 4 };

class TWindowSubclass {
 public:
  TWindowSubclass() = default;
  ~TWindowSubclass() { Remove(); }
  TWindowSubclass(const TWindowSubclass&) = delete;
  TWindowSubclass& operator=(const TWindowSubclass&) = delete;

  // Saves wnd's procedure and installs the slot's one, with SetWindowLongPtrW when wide.
  // False when the window is already subclassed in this slot or the system refused.
  bool Install(HWND wnd, TSubclassSlot slot, ISubclassTarget& target, bool wide);
  // Saves control's WindowProc and installs one that calls ours. False when this object
  // already holds a window or a control.
  bool Install(TControl& control, TWndMethod ours);
  // The control is being freed: forget it without touching it.
  void ForgetControl() noexcept;
  // Puts the saved procedure back (see above). Safe to call when not installed.
  void Remove() noexcept;
  bool Installed() const noexcept { return FRecord != nullptr || FControl != nullptr; }
  HWND Window() const noexcept { return FWnd; }
  TControl* Control() const noexcept { return FControl; }
  WNDPROC OldProc() const noexcept { return FOld; }
  bool Wide() const noexcept { return FWide; }
  // The saved procedure, called as it was installed (narrow or wide). Works after Remove.
  LRESULT CallOld(UINT msg, WPARAM wParam, LPARAM lParam) const;
  // The same for a message in class-library form: the saved WindowProc of a control, or the
  // window's saved procedure.
  void CallOld(TMessage& m) const;
  // The procedure this type installs for a slot.
  static WNDPROC SlotProc(TSubclassSlot slot) noexcept;
  // Live windows whose chain still runs through one of our procedures: those installed, and
  // those left as pass-throughs because someone subclassed the window after us. Code that
  // would unload this module must not while any is left.
  static int LiveProcedures() noexcept;

 private:
  friend struct TSubclassRegistry;
  // What our installed WindowProc calls: the handler while installed, else the saved one.
  struct TProcLink {
    TWndMethod Ours;
    TWndMethod Old;
  };
  struct TSubclassRecord* FRecord = nullptr;
  HWND FWnd = nullptr;
  WNDPROC FOld = nullptr;
  bool FWide = false;
  TControl* FControl = nullptr;
  TWndMethod FOldMethod;
  TWndMethod FInstalled;
  std::shared_ptr<TProcLink> FLink;
};

// Sends the exception being handled to the application's handler of uncaught errors.
void ReportUncaught(TObject* sender) noexcept;

// Runs f; an exception that escapes goes to the application's handler of uncaught errors
// and the call answers false. For code that runs inside a window procedure or a hook.
template <class F>
bool GuardedCall(TObject* sender, F&& f) noexcept {
  try {
    std::forward<F>(f)();
    return true;
  } catch (...) {
    ReportUncaught(sender);
    return false;
  }
}

// Runs f and drops whatever it raises, answering false. Only for a paint and for the
// message-filter hook of a menu loop: a message box there would come up inside the paint
// or the menu loop and be worse than the frame or the tracking staying as it was.
template <class F>
bool SilentCall(F&& f) noexcept {
  try {
    std::forward<F>(f)();
    return true;
  } catch (...) {
    return false;
  }
}

// A window this program makes to hear messages (hidden top-level windows): its class has
// the system's default procedure, ours comes in through TWindowSubclass, so it has the one
// boundary every procedure has. The handler answers true when it took the message (its
// result in `result`); the rest goes to the default procedure.
struct THiddenWindowParams {
  const char* ClassName = "";
  const char* Title = "";
  DWORD Style = WS_POPUP;
  DWORD ExStyle = 0;
  int X = 0;
  int Y = 0;
  HICON Icon = nullptr;
  HCURSOR Cursor = nullptr;
};

class THiddenWindow : private ISubclassTarget {
 public:
  using THandler = std::function<bool(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)>;
  THiddenWindow() = default;
  ~THiddenWindow() { Destroy(); }
  THiddenWindow(const THiddenWindow&) = delete;
  THiddenWindow& operator=(const THiddenWindow&) = delete;

  // Registers the class in this module if it is not yet, and makes the window. Null when
  // the system refused; a second call while the window lives answers it unchanged.
  HWND Create(const THiddenWindowParams& params, THandler handler, TObject* errorSender = nullptr);
  void Destroy() noexcept;
  HWND Handle() const noexcept { return FWnd && IsWindow(FWnd) ? FWnd : nullptr; }

 private:
  LRESULT SubclassProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  TObject* ErrorSender() const noexcept override { return FErrorSender; }

  TWindowSubclass FSubclass;
  THandler FHandler;
  TObject* FErrorSender = nullptr;
  HWND FWnd = nullptr;
};
