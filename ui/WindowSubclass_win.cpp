#include "ui/WindowSubclass_win.h"

#include <memory>
#include <unordered_map>

#include "ui/Controls.h"
#include "ui/Forms.h"
#include "ui/Handles.h"

void ReportUncaught(TObject* sender) noexcept {
  if (Application) Application->HandleException(sender ? sender : Application);
}

struct TSubclassRecord {
  HWND Wnd = nullptr;
  int Slot = 0;
  WNDPROC Old = nullptr;
  bool Wide = false;
  ISubclassTarget* Target = nullptr;  // none: pass-through after a Remove that could not restore
  TWindowSubclass* Owner = nullptr;
};

struct TSubclassRegistry {
  struct Key {
    HWND Wnd;
    int Slot;
    bool operator==(const Key&) const = default;
  };
  struct Hash {
    size_t operator()(const Key& k) const noexcept {
      return std::hash<uintptr_t>()(reinterpret_cast<uintptr_t>(k.Wnd)) * 4 + static_cast<size_t>(k.Slot);
    }
  };
  // Skinned windows all belong to the GUI thread, so one table serves. (A thread_local one
  // costs a call into the runtime's emulated TLS on every message here.)
  // Never freed: windows of ours may still be destroyed while static objects go at exit.
  static std::unordered_map<Key, std::unique_ptr<TSubclassRecord>, Hash>& Table() {
    static auto* table = new std::unordered_map<Key, std::unique_ptr<TSubclassRecord>, Hash>;
    return *table;
  }
  // The last record found: a window's messages come in runs.
  static inline TSubclassRecord* Last = nullptr;
  static TSubclassRecord* Find(HWND wnd, int slot) {
    if (Last && Last->Wnd == wnd && Last->Slot == slot) return Last;
    auto& t = Table();
    auto it = t.find({wnd, slot});
    if (it == t.end()) return nullptr;
    return Last = it->second.get();
  }
  static void Erase(const Key& key) {
    auto& t = Table();
    auto it = t.find(key);
    if (it == t.end()) return;
    if (Last == it->second.get()) Last = nullptr;
    if (it->second->Owner) it->second->Owner->FRecord = nullptr;
    t.erase(it);
  }
  static LRESULT Call(WNDPROC proc, bool wide, HWND wnd, UINT msg, WPARAM w, LPARAM l) {
    return wide ? CallWindowProcW(proc, wnd, msg, w, l) : CallWindowProcA(proc, wnd, msg, w, l);
  }

  template <int Slot>
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM w, LPARAM l) noexcept {
    TSubclassRecord* r = Find(wnd, Slot);
    if (!r) return DefWindowProcA(wnd, msg, w, l);  // cannot happen while the procedure is ours
    const WNDPROC old = r->Old;
    const bool wide = r->Wide;
    LRESULT result = 0;
    if (r->Target) {
      ISubclassTarget* target = r->Target;
      GuardedCall(target->ErrorSender(), [&] { result = target->SubclassProc(msg, w, l); });
    } else {
      result = Call(old, wide, wnd, msg, w, l);
    }
    if (msg == WM_NCDESTROY) Erase({wnd, Slot});
    return result;
  }
};

WNDPROC TWindowSubclass::SlotProc(TSubclassSlot slot) noexcept {
  switch (slot) {
    case TSubclassSlot::Form:
      return &TSubclassRegistry::Proc<0>;
    case TSubclassSlot::MdiClient:
      return &TSubclassRegistry::Proc<1>;
    case TSubclassSlot::PopupMenu:
      return &TSubclassRegistry::Proc<2>;
    case TSubclassSlot::Control:
      return &TSubclassRegistry::Proc<3>;
    case TSubclassSlot::Own:
      return &TSubclassRegistry::Proc<4>;
  }
  return nullptr;
}

int TWindowSubclass::LiveProcedures() noexcept {
  int n = 0;
  for (const auto& [key, record] : TSubclassRegistry::Table())
    if (IsWindow(key.Wnd)) ++n;
  return n;
}

bool TWindowSubclass::Install(HWND wnd, TSubclassSlot slot, ISubclassTarget& target, bool wide) {
  if (FRecord || FControl || !wnd || !IsWindow(wnd)) return false;
  const int s = static_cast<int>(slot);
  if (TSubclassRegistry::Find(wnd, s)) return false;
  auto record = std::make_unique<TSubclassRecord>();
  record->Wnd = wnd;
  record->Slot = s;
  record->Wide = wide;
  record->Target = &target;
  record->Owner = this;
  TSubclassRecord* r = record.get();
  // The record is in place before the procedure, so no message finds the procedure alone.
  TSubclassRegistry::Table()[{wnd, s}] = std::move(record);
  const LONG_PTR proc = reinterpret_cast<LONG_PTR>(SlotProc(slot));
  SetLastError(0);
  const LONG_PTR old =
      wide ? SetWindowLongPtrW(wnd, GWLP_WNDPROC, proc) : SetWindowLongPtrA(wnd, GWLP_WNDPROC, proc);
  if (!old && GetLastError() != 0) {
    TSubclassRegistry::Erase({wnd, s});
    return false;
  }
  r->Old = reinterpret_cast<WNDPROC>(old);
  FRecord = r;
  FWnd = wnd;
  FOld = r->Old;
  FWide = wide;
  return true;
}

bool TWindowSubclass::Install(TControl& control, TWndMethod ours) {
  if (FRecord || FControl) return false;
  FOldMethod = control.WindowProc;
  FLink = std::make_shared<TProcLink>(TProcLink{std::move(ours), FOldMethod});
  FInstalled = TWndMethod([link = FLink](TMessage& m) {
    if (link->Ours)
      link->Ours(m);
    else
      link->Old(m);
  });
  control.WindowProc = FInstalled;
  FControl = &control;
  return true;
}

void TWindowSubclass::ForgetControl() noexcept {
  if (FLink) FLink->Ours = TWndMethod();
  FLink.reset();
  FControl = nullptr;
  FInstalled = TWndMethod();
  FOldMethod = TWndMethod();
}

void TWindowSubclass::Remove() noexcept {
  if (FControl) {
    // Someone who hooked after us keeps their chain, in which our link now passes straight
    // to what we saved.
    if (FControl->WindowProc == FInstalled) FControl->WindowProc = FOldMethod;
    ForgetControl();
  }
  TSubclassRecord* r = FRecord;
  if (!r) return;
  r->Owner = nullptr;
  FRecord = nullptr;
  const WNDPROC ours = SlotProc(static_cast<TSubclassSlot>(r->Slot));
  const LONG_PTR current =
      FWide ? GetWindowLongPtrW(FWnd, GWLP_WNDPROC) : GetWindowLongPtrA(FWnd, GWLP_WNDPROC);
  if (IsWindow(FWnd) && reinterpret_cast<WNDPROC>(current) == ours) {
    const LONG_PTR old = reinterpret_cast<LONG_PTR>(FOld);
    FWide ? SetWindowLongPtrW(FWnd, GWLP_WNDPROC, old) : SetWindowLongPtrA(FWnd, GWLP_WNDPROC, old);
    TSubclassRegistry::Erase({r->Wnd, r->Slot});
  } else if (IsWindow(FWnd)) {
    r->Target = nullptr;  // someone chained after us: keep passing their calls on
  } else {
    TSubclassRegistry::Erase({r->Wnd, r->Slot});
  }
}

LRESULT TWindowSubclass::CallOld(UINT msg, WPARAM wParam, LPARAM lParam) const {
  if (!FOld) return DefWindowProcA(FWnd, msg, wParam, lParam);
  return TSubclassRegistry::Call(FOld, FWide, FWnd, msg, wParam, lParam);
}

void TWindowSubclass::CallOld(TMessage& m) const {
  if (FOldMethod)
    FOldMethod(m);
  else
    m.Result = CallOld(m.Msg, m.WParam, m.LParam);
}

// ---- THiddenWindow ----

HWND THiddenWindow::Create(const THiddenWindowParams& p, THandler handler, TObject* errorSender) {
  if (HWND wnd = Handle()) return wnd;
  const HINSTANCE instance = ThisModule();
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (!GetClassInfoExA(instance, p.ClassName, &wc)) {
    wc = WNDCLASSEXA{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.hIcon = p.Icon;
    wc.hCursor = p.Cursor;
    wc.lpszClassName = p.ClassName;
    RegisterClassExA(&wc);
  }
  FWnd = CreateWindowExA(p.ExStyle, p.ClassName, p.Title, p.Style, p.X, p.Y, 0, 0, nullptr, nullptr, instance,
                         nullptr);
  if (!FWnd) return nullptr;
  FHandler = std::move(handler);
  FErrorSender = errorSender;
  if (!FSubclass.Install(FWnd, TSubclassSlot::Own, *this, false)) {
    DestroyWindow(FWnd);
    FWnd = nullptr;
  }
  return FWnd;
}

void THiddenWindow::Destroy() noexcept {
  // What the window hears while it goes is no longer its owner's business.
  FHandler = nullptr;
  if (FWnd && IsWindow(FWnd)) DestroyWindow(FWnd);
  FSubclass.Remove();
  FWnd = nullptr;
}

LRESULT THiddenWindow::SubclassProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (FHandler && FHandler(msg, wParam, lParam, result)) return result;
  return FSubclass.CallOld(msg, wParam, lParam);
}
