#pragma once
// One way to take over a window's procedure, and one exception boundary.
//
// TWindowSubclass installs one static procedure per slot (no executable thunks) and keeps
// the previous procedure; the static procedure finds its record by window and slot in a
// table of the GUI thread's subclasses (skinned windows all belong to it). Remove puts back exactly the saved
// procedure when ours is still the window's; when someone subclassed the window after us, our record stays as
// a pass-through to the saved procedure until the window is destroyed, so their chain keeps working. Distinct
// slots let several handlers subclass one window.
#include <windows.h>

#include <exception>
#include <utility>

#include "ui/Forms.h"

// Handlers that receive a subclassed window's messages.
class ISubclassTarget {
 public:
  virtual ~ISubclassTarget() = default;
  virtual LRESULT SubclassProc(UINT msg, WPARAM wParam, LPARAM lParam) = 0;
};

enum class TSubclassSlot : int { Form = 0, MdiClient = 1, PopupMenu = 2, Control = 3 };

class TWindowSubclass {
 public:
  TWindowSubclass() = default;
  ~TWindowSubclass() { Remove(); }
  TWindowSubclass(const TWindowSubclass&) = delete;
  TWindowSubclass& operator=(const TWindowSubclass&) = delete;

  // Saves wnd's procedure and installs the slot's one, with SetWindowLongPtrW when wide.
  // False when the window is already subclassed in this slot or the system refused.
  bool Install(HWND wnd, TSubclassSlot slot, ISubclassTarget& target, bool wide);
  // Puts the saved procedure back (see above). Safe to call when not installed.
  void Remove() noexcept;
  bool Installed() const noexcept { return FRecord != nullptr; }
  HWND Window() const noexcept { return FWnd; }
  WNDPROC OldProc() const noexcept { return FOld; }
  bool Wide() const noexcept { return FWide; }
  // The saved procedure, called as it was installed (narrow or wide). Works after Remove.
  LRESULT CallOld(UINT msg, WPARAM wParam, LPARAM lParam) const;
  // The procedure this type installs for a slot.
  static WNDPROC SlotProc(TSubclassSlot slot) noexcept;
  // Live windows whose chain still runs through one of our procedures: those installed, and
  // those left as pass-throughs because someone subclassed the window after us. Code that
  // would unload this module must not while any is left.
  static int LiveProcedures() noexcept;

 private:
  friend struct TSubclassRegistry;
  struct TSubclassRecord* FRecord = nullptr;
  HWND FWnd = nullptr;
  WNDPROC FOld = nullptr;
  bool FWide = false;
};

// Runs f; an exception that escapes goes to the application's handler of uncaught errors
// and the call answers false. For code that runs inside a window procedure or a hook.
template <class F>
bool GuardedCall(TObject* sender, F&& f) noexcept {
  try {
    std::forward<F>(f)();
    return true;
  } catch (...) {
    Application->HandleException(sender);
    return false;
  }
}
