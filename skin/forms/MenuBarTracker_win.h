#pragma once
// While one of a skinned menu bar's drop-downs is open, a message-filter hook on the menu
// loop lets the arrow keys and the mouse move to the neighbouring drop-down, as on a native
// bar. Each form handler owns one tracker; at most one tracks on a thread at a time, and it
// owns its hook and the state of the open drop-down.
#include <windows.h>

#include "ui/Handles.h"

class TSkinForm;

// How a tracked drop-down ended.
struct TTrackEnd {
  bool Escaped = false;   // Escape closed it at its top level
  bool Switched = false;  // it closed so that a neighbour opens
};

class TMenuBarTracker {
 public:
  explicit TMenuBarTracker(TSkinForm& form) noexcept : FForm(form) {}
  ~TMenuBarTracker() { Stop(); }
  TMenuBarTracker(const TMenuBarTracker&) = delete;
  TMenuBarTracker& operator=(const TMenuBarTracker&) = delete;

  // The drop-down `popup` of button `index` is about to open: hooks the menu loop. A tracker
  // that was tracking on this thread stops.
  void Start(HMENU popup, int index, bool byKeyboard);
  // The drop-down closed: unhooks and says how it ended (nothing when this one was not tracking).
  TTrackEnd Stop() noexcept;
  bool Tracking() const noexcept { return Current() == this; }
  bool Hooked() const noexcept { return static_cast<bool>(FHook); }
  int OpenIndex() const noexcept { return Tracking() ? FOpenIndex : -1; }
  // The button whose drop-down is open on this thread, -1 when none is.
  static int OpenIndexOnThread() noexcept;

  // A press was posted to open button `index`; by the keyboard, that press opens it so.
  void PressPosted(int index, bool byKeyboard) noexcept { FKeyboardIndex = byKeyboard ? index : -1; }
  // Whether the press now opening button `index` was posted by the keyboard; asked once.
  bool TakeKeyboardPress(int index) noexcept;

 private:
  static TMenuBarTracker*& Current() noexcept;
  static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam) noexcept;
  // One message of the menu loop; next is what the hooks after ours answered.
  LRESULT LoopMessage(MSG& msg, LRESULT next);

  TSkinForm& FForm;
  THookHandle FHook;
  int FOpenIndex = -1;
  HMENU FPopup = nullptr;   // the open drop-down
  bool FSwitching = false;  // a neighbour opens next
  bool FFirstMessage = false;
  bool FByKeyboard = false;  // the open drop-down starts with its first item selected
  bool FEscaped = false;     // Escape closed it at its top level
  int FKeyboardIndex = -1;   // the button a keyboard move posted a press for
  POINT FLastPoint{-100000, -100000};
};
