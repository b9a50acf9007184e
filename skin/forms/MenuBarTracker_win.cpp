#include "skin/forms/MenuBarTracker_win.h"

#include "skin/data/SkinManage_win.h"
#include "skin/forms/FormSkin.h"
#include "skin/forms/MenuBarLayout.h"
#include "skin/forms/SkinMenuBar_win.h"
#include "ui/WindowSubclass_win.h"

namespace {
// The selection of an open menu, read from the menu windows themselves: the deepest open
// level is the menu window on top, and its highlighted item is the selected one.
struct TMenuSelection {
  HMENU Deepest = nullptr;
  bool Selected = false;
  bool HasChildren = false;
};
TMenuSelection CurrentSelection() {
  TMenuSelection s;
  HWND top = ThreadMenuWindow();
  if (!top) return s;
  s.Deepest = reinterpret_cast<HMENU>(SendMessageA(top, MN_GETHMENU, 0, 0));
  if (!s.Deepest) return s;
  const int count = GetMenuItemCount(s.Deepest);
  for (int i = 0; i < count; ++i)
    if (GetMenuState(s.Deepest, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) {
      s.Selected = true;
      s.HasChildren = GetSubMenu(s.Deepest, i) != nullptr;
      break;
    }
  return s;
}
}  // namespace

// The one global besides the skin manager's: a hook procedure has no place for a pointer
// of its own, so this is how the message-filter hook finds the tracker whose drop-down is
// open. Per thread, as a menu loop is.
TMenuBarTracker*& TMenuBarTracker::Current() noexcept {
  static thread_local TMenuBarTracker* current = nullptr;
  return current;
}

int TMenuBarTracker::OpenIndexOnThread() noexcept {
  const TMenuBarTracker* t = Current();
  return t ? t->FOpenIndex : -1;
}

void TMenuBarTracker::Start(HMENU popup, int index, bool byKeyboard) {
  if (Current() && Current() != this) Current()->Stop();
  Current() = this;
  FOpenIndex = index;
  FPopup = popup;
  FSwitching = false;
  FEscaped = false;
  FFirstMessage = true;
  FByKeyboard = byKeyboard;
  GetCursorPos(&FLastPoint);
  if (!FHook) FHook.reset(SetWindowsHookExA(WH_MSGFILTER, HookProc, nullptr, GetCurrentThreadId()));
}

TTrackEnd TMenuBarTracker::Stop() noexcept {
  FHook.reset();
  if (!Tracking()) return {};
  const TTrackEnd end{FEscaped && !FSwitching, FSwitching};
  Current() = nullptr;
  FOpenIndex = -1;
  FFirstMessage = false;
  FPopup = nullptr;
  return end;
}

bool TMenuBarTracker::TakeKeyboardPress(int index) noexcept {
  const bool byKeyboard = FKeyboardIndex == index;
  FKeyboardIndex = -1;
  return byKeyboard;
}

LRESULT CALLBACK TMenuBarTracker::HookProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
  auto* msg = reinterpret_cast<MSG*>(lParam);
  TMenuBarTracker* tracker = Current();
  if (tracker && code == MSGF_MENU && msg && tracker->FForm.FRightToLeft &&
      (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP))
    msg->wParam = MirrorArrowKey(static_cast<unsigned>(msg->wParam), true);
  const LRESULT next = CallNextHookEx(nullptr, code, wParam, lParam);
  if (next != 0 || code != MSGF_MENU || !msg || !tracker || !tracker->FForm.FMenuBar) return next;
  // A hook must not raise into the system's menu loop; the menu goes on as it was.
  LRESULT result = next;
  SilentCall([&] { result = tracker->LoopMessage(*msg, next); });
  return result;
}

LRESULT TMenuBarTracker::LoopMessage(MSG& msg, LRESULT next) {
  if (FFirstMessage) {
    FFirstMessage = false;
    // Opened by the keyboard, the drop-down starts with its first item selected, as a
    // native bar's does; opened by the mouse, with none.
    if (FByKeyboard) PostMessageA(msg.hwnd, WM_KEYDOWN, VK_DOWN, 0);
  }
  TSkinMenuBar& bar = *FForm.FMenuBar;
  TMenuBtn* target = nullptr;
  bool swallow = false;
  bool byKeyboard = false;
  switch (msg.message) {
    case WM_KEYDOWN:
      byKeyboard = true;
      if (msg.wParam == VK_RETURN) {
        FSwitching = false;
      } else if (msg.wParam == VK_ESCAPE) {
        FSwitching = false;
        // In a nested submenu Escape closes only that submenu.
        const TMenuSelection s = CurrentSelection();
        if (!s.Deepest || s.Deepest == FPopup) FEscaped = true;
      } else if (msg.wParam == VK_LEFT) {
        // Inside a nested submenu the key only closes that submenu.
        const TMenuSelection s = CurrentSelection();
        if (!s.Deepest || s.Deepest == FPopup) target = bar.Neighbour(FOpenIndex, false);
      } else if (msg.wParam == VK_RIGHT) {
        // On an item with children the key opens them.
        const TMenuSelection s = CurrentSelection();
        if (!s.Selected || !s.HasChildren) target = bar.Neighbour(FOpenIndex, true);
      }
      swallow = target != nullptr;
      break;
    case WM_SYSKEYDOWN:
      if (msg.wParam == VK_MENU) {
        FForm.FMenuTracking = false;
        return next;
      }
      break;
    case WM_MOUSEMOVE: {
      const POINT p = msg.pt;
      if (p.x != FLastPoint.x || p.y != FLastPoint.y) {
        FLastPoint = p;
        target = bar.MenuButtonAt(FForm.ScreenToFrame(MAKELPARAM(p.x, p.y)));
      }
      break;
    }
    default:
      break;
  }
  if (!target || target->Index == FOpenIndex) return next;
  FSwitching = true;
  // The open drop-down ends first; the press posted next opens the other one once the
  // menu loop has returned.
  EndMenu();
  FForm.SwitchToButton(*target, byKeyboard);
  return swallow ? 1 : next;
}
