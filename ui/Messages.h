#pragma once
// Messages of the class library: the TMessage record, the replaceable message handler
// type, and the control notifications with their fixed numbers.
#include <windows.h>

#include <functional>
#include <memory>
#include <utility>

struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

// A message handler that can be saved and put back. Copies share one identity, so
// "is the handler I installed still there?" and "was exactly the saved one restored?"
// can be asked with ==.
class TWndMethod {
 public:
  TWndMethod() = default;
  template <class F, class = std::enable_if_t<!std::is_same_v<std::decay_t<F>, TWndMethod>>>
  TWndMethod(F&& f) : FFn(std::make_shared<std::function<void(TMessage&)>>(std::forward<F>(f))) {}
  void operator()(TMessage& m) const {
    auto fn = FFn;  // keeps the handler alive if it frees its owner (CM_RELEASE)
    if (fn && *fn) (*fn)(m);
  }
  explicit operator bool() const noexcept { return FFn && *FFn; }
  friend bool operator==(const TWndMethod& a, const TWndMethod& b) noexcept { return a.FFn == b.FFn; }

 private:
  std::shared_ptr<std::function<void(TMessage&)>> FFn;
};

// Control messages (sent by the class library to its controls).
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0x00;
constexpr UINT CM_DEACTIVATE = CM_BASE + 0x01;
constexpr UINT CM_DIALOGKEY = CM_BASE + 0x05;
constexpr UINT CM_DIALOGCHAR = CM_BASE + 0x06;
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 0x07;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 0x0B;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 0x0C;
constexpr UINT CM_COLORCHANGED = CM_BASE + 0x0D;
constexpr UINT CM_FONTCHANGED = CM_BASE + 0x0E;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 0x12;
constexpr UINT CM_MOUSEENTER = CM_BASE + 0x13;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 0x14;
constexpr UINT CM_MENUCHANGED = CM_BASE + 0x15;
constexpr UINT CM_ENTER = CM_BASE + 0x1A;
constexpr UINT CM_EXIT = CM_BASE + 0x1B;
constexpr UINT CM_ICONCHANGED = CM_BASE + 0x1D;
constexpr UINT CM_RELEASE = CM_BASE + 0x21;

// Notifications reflected from a parent to the child control that sent them.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG;
constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;

// Private messages of the skin engine (fixed numbers).
constexpr UINT CM_SKINCHANGED = 0x3401;
constexpr UINT CM_SKINMENU = 0x3502;
constexpr UINT CM_SKINSTART = 0x3503;
constexpr UINT CM_SKINQUERY = 0x3504;
constexpr UINT CM_SKINSWITCH = 0x3506;
constexpr UINT CM_SKINBUTTON = 0x3514;
constexpr UINT CM_SKINBUTTONVISIBLE = 0x3515;
