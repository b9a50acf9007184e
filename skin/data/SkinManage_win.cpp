#include "skin/data/SkinManage_win.h"

#include <algorithm>

#include "skin/data/MenuSkin_win.h"
#include "ui/Messages.h"
#include "ui/WindowSubclass_win.h"

namespace {

DWORD gWindowsVersion = 0;

bool AnswersSkinQuery(HWND wnd) { return SendMessageA(wnd, CM_SKINQUERY, 0, 0) == 1; }

// SkinWindow's facts, read from a real window.
class TWindowProbe final : public ISkinWindowProbe {
 public:
  TWindowProbe(TSkinManage& m, HWND wnd, std::function<bool(TForm*, TSkinData*)> attach)
      : FManager(m), FWnd(wnd), FAttach(std::move(attach)) {}
  bool SkinningOn() override { return FManager.SkinningOn(); }
  void PurgeClosed() override { FManager.PurgeClosed(); }
  bool AnswersSkinQuery() override { return ::AnswersSkinQuery(FWnd); }
  bool HasFormHandler() override { return FManager.FindSkinForm(FWnd) != nullptr; }
  bool LookUpForm() override { return (FForm = FindFormOfWindow(FWnd)) != nullptr; }
  bool Scanning() override { return FManager.Scanning(); }
  bool IsChildWindow() override { return (GetWindowLongPtrA(FWnd, GWL_STYLE) & WS_CHILD) != 0; }
  std::string ParentClassName() override { return WindowClassName(GetParent(FWnd)); }
  int WindowWidth() override { return Rect().right - Rect().left; }
  int WindowHeight() override { return Rect().bottom - Rect().top; }
  int FormTag() override { return FForm ? FForm->Tag : 0; }
  std::string ClassName() override { return WindowClassName(FWnd); }
  TSkinData* MainSkinData() override { return FManager.MainSkinData(); }
  TSkinData* FindSkinData() override { return FManager.FindSkinData(FWnd); }
  bool Attach(TSkinData* data) override { return FAttach(FForm, data); }

 private:
  const RECT& Rect() {
    if (!FRectRead) GetWindowRect(FWnd, &FRect);
    FRectRead = true;
    return FRect;
  }
  TSkinManage& FManager;
  HWND FWnd;
  std::function<bool(TForm*, TSkinData*)> FAttach;
  TForm* FForm = nullptr;
  RECT FRect{};
  bool FRectRead = false;
};

std::unique_ptr<ISkinManager> MakeManager(TFormHandlerFactory factory) {
  return std::make_unique<TSkinManage>(std::move(factory));
}

void Repaint(HWND wnd) {
  InvalidateRect(wnd, nullptr, TRUE);
  UpdateWindow(wnd);
}

}  // namespace

DWORD SkinWindowsVersion() { return gWindowsVersion; }

std::string WindowClassName(HWND wnd) {
  char name[101] = {};
  const int n = wnd ? GetClassNameA(wnd, name, 101) : 0;
  return std::string(name, n > 0 ? static_cast<size_t>(n) : 0);
}

TForm* FindFormOfWindow(HWND wnd) {
  if (!wnd) return nullptr;
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TForm* f = Screen->Forms(i);
    if (f->HandleAllocated() && f->Handle() == wnd) return f;
  }
  return nullptr;
}

HWND ThreadMenuWindow() {
  const DWORD thread = GetCurrentThreadId();
  for (HWND w = FindWindowExA(nullptr, nullptr, "#32768", nullptr); w;
       w = FindWindowExA(nullptr, w, "#32768", nullptr))
    if (IsWindowVisible(w) && GetWindowThreadProcessId(w, nullptr) == thread) return w;
  return nullptr;
}

bool ThreadInMenuMode() {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetCurrentThreadId(), &info) &&
         (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE)) != 0;
}

TSkinManage* SkinManage() { return dynamic_cast<TSkinManage*>(SkinManager()); }

void InstallSkinManager(TFormHandlerFactory factory) {
  SetSkinManagerFactory([factory] { return MakeManager(factory); });
}

TSkinManage::TSkinManage(TFormHandlerFactory factory) : FFactory(std::move(factory)) {
  FCommandTimer = std::make_unique<TTimer>(nullptr);
  FCommandTimer->SetEnabled(false);
  FCommandTimer->SetInterval(250);
  FCommandTimer->OnTimer = [this](TObject*) { ExecuteCommand(); };
}

TSkinManage::~TSkinManage() {
  FState.StartState = StartStateClosing;
  FCommandTimer.reset();
  FHook.reset();
  // Handlers detach from live windows as they go (their subclasses restore the procedures).
  while (!FForms.empty()) FForms.pop_back();
  while (!FPopups.empty()) FPopups.pop_back();
}

void TSkinManage::AddSkinData(TSkinData* data) { FState.AddSkinData(data); }

void TSkinManage::RemoveSkinData(TSkinData* data) {
  FState.RemoveSkinData(data);
  // The handlers that draw with the component let go of their windows before it goes.
  std::vector<ISkinFormHandler*> users;
  for (const auto& h : FForms)
    if (h->SkinData() == data) users.push_back(h.get());
  for (auto it = users.rbegin(); it != users.rend(); ++it) DetachAndFree(*it);
  for (auto it = FPopups.begin(); it != FPopups.end();) {
    if ((*it)->Skin() == data) {
      std::unique_ptr<TSkinPopupMenu> p = std::move(*it);
      it = FPopups.erase(it);
      p->Detach();
    } else {
      ++it;
    }
  }
}

void TSkinManage::InstallHook() {
  gWindowsVersion = GetVersion();
  if (FHook) return;
  FHook.reset(SetWindowsHookExA(WH_CBT, HookProc, nullptr, GetCurrentThreadId()));
}

LRESULT CALLBACK TSkinManage::HookProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
  TSkinManage* m = SkinManage();
  bool prevent = false;
  if (m && m->FState.StartState != StartStateClosing) {
    GuardedCall(Application, [&] {
      // A popup handler goes with its window even when skinning was switched off meanwhile:
      // left in the list it would hold a dead window, and a new window given the same
      // handle would be taken for skinned.
      if (code == HCBT_DESTROYWND && (m->FState.SkinningOn || !m->FPopups.empty()))
        m->ReleasePopupMenu(reinterpret_cast<HWND>(wParam));
      if (code >= 0 && m->FState.SkinningOn) {
        switch (code) {
          case HCBT_CREATEWND:
            m->OnCreateWindow(reinterpret_cast<HWND>(wParam), *reinterpret_cast<CBT_CREATEWNDA*>(lParam));
            break;
          case HCBT_ACTIVATE:
            m->FState.Activated();
            m->SkinWindow(reinterpret_cast<HWND>(wParam));
            break;
          case HCBT_SYSCOMMAND:
            prevent = m->KeyMenuOfFocus(wParam, lParam);
            break;
          default:
            break;
        }
      } else if (code == HCBT_ACTIVATE) {
        m->FState.Activated();
      }
    });
  }
  if (prevent) return 1;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool TSkinManage::KeyMenuOfFocus(WPARAM command, LPARAM ch) {
  if ((command & 0xFFF0) != SC_KEYMENU) return false;
  HWND focus = GetFocus();
  HWND root = focus ? GetAncestor(focus, GA_ROOT) : GetActiveWindow();
  ISkinFormHandler* h = root ? FindSkinForm(root) : nullptr;
  if (!h || !h->WantsKeyMenu(ch)) return false;
  // The skinned window opens its menu from its own procedure, outside this hook.
  PostMessageA(root, WM_SYSCOMMAND, SC_KEYMENU, ch);
  return true;
}

void TSkinManage::OnCreateWindow(HWND wnd, const CBT_CREATEWNDA& create) {
  const CREATESTRUCTA* cs = create.lpcs;
  if (!cs) return;
  const std::string cls = WindowClassName(wnd);
  const auto style = static_cast<DWORD>(cs->style);
  if (cls == "ScrollBar" && (style & SBS_SIZEGRIP))
    if (ISkinFormHandler* parent = FindSkinForm(cs->hwndParent)) parent->OfferWindow(wnd);
  if (style & WS_CHILD) return;
  if (cls == "#32768") SkinPopupMenu(wnd);
  TSkinData* main = FState.MainSkinData();
  if (main && main->OnCreateWindow) {
    try {
      main->OnCreateWindow(main, reinterpret_cast<uintptr_t>(wnd), cls);
    } catch (...) {
      // The application's notification must never stop the window from being made.
    }
  }
}

TSkinWindowVerdict TSkinManage::SkinWindow(HWND wnd) {
  if (!wnd) return TSkinWindowVerdict::ZeroSize;
  TWindowProbe probe(*this, wnd,
                     [this, wnd](TForm* form, TSkinData* data) { return Attach(wnd, form, data); });
  return DecideSkinWindow(probe);
}

bool TSkinManage::Attach(HWND wnd, TForm* form, TSkinData* data) {
  if (!FFactory) return false;
  std::unique_ptr<ISkinFormHandler> handler = FFactory(*this, form, wnd);
  if (!handler) return false;
  ISkinFormHandler* h = handler.get();
  FForms.push_back(std::move(handler));
  // Listed before attaching, so messages sent while attaching find it.
  if (form)
    h->AttachToForm(data, form);
  else
    h->AttachToWindow(data);
  if (!h->Attached()) {
    // The window refused the subclass and was left as it was; the next activation tries again.
    TakeForm(h);
    return false;
  }
  PostMessageA(wnd, CM_SKINSTART, 0, 1000);
  return true;
}

void TSkinManage::SkinForm(TComponent* component) {
  auto* form = dynamic_cast<TForm*>(component);
  if (!form || !form->Visible() || !form->HandleAllocated()) return;
  HWND wnd = form->Handle();
  const LONG_PTR style = GetWindowLongPtrA(wnd, GWL_STYLE);
  const LONG_PTR exStyle = GetWindowLongPtrA(wnd, GWL_EXSTYLE);
  if ((style & WS_CHILD) && !(exStyle & WS_EX_MDICHILD)) return;
  SkinWindow(wnd);
}

TSkinData* TSkinManage::FindSkinData(HWND wnd) const {
  auto owns = [wnd](const TSkinData& d) {
    auto* form = dynamic_cast<TForm*>(d.Owner());
    return form && form->HandleAllocated() && form->Handle() == wnd;
  };
  return ChooseSkinData(FState.Components(), owns, WindowClassName(wnd));
}

ISkinFormHandler* TSkinManage::FindSkinForm(HWND wnd) const {
  if (!wnd) return nullptr;
  for (const auto& h : FForms)
    if (h->Window() == wnd) return h.get();
  return nullptr;
}

void TSkinManage::PurgeClosed() {
  // Taken out of the list first: freeing a handler may send messages that reach the manager.
  std::vector<std::unique_ptr<ISkinFormHandler>> closed;
  for (auto it = FForms.begin(); it != FForms.end();) {
    if ((*it)->Stage() == stDestroyed) {
      closed.push_back(std::move(*it));
      it = FForms.erase(it);
    } else {
      ++it;
    }
  }
}

std::unique_ptr<ISkinFormHandler> TSkinManage::TakeForm(ISkinFormHandler* handler) {
  for (auto it = FForms.begin(); it != FForms.end(); ++it)
    if (it->get() == handler) {
      std::unique_ptr<ISkinFormHandler> h = std::move(*it);
      FForms.erase(it);
      return h;
    }
  return nullptr;
}

void TSkinManage::DetachAndFree(ISkinFormHandler* handler) {
  std::unique_ptr<ISkinFormHandler> h = TakeForm(handler);
  if (!h) return;
  const HWND wnd = h->Window();
  h->DetachSkin();
  h.reset();
  if (IsWindow(wnd)) Repaint(wnd);
}

void TSkinManage::SkinPopupMenu(HWND wnd) {
  if (!FState.SkinningOn || !wnd || AnswersSkinQuery(wnd) || FindPopupMenu(wnd)) return;
  TSkinData* data = FindSkinData(wnd);
  if (!data || data->NoSkin) return;
  if (!PopupMenuAllowed(FState.PopupKind, data->SkinControls)) return;
  auto popup = std::make_unique<TSkinPopupMenu>();
  popup->Attach(wnd, data, nullptr);
  FPopups.push_back(std::move(popup));
}

void TSkinManage::ReleasePopupMenu(HWND wnd) {
  for (auto it = FPopups.begin(); it != FPopups.end(); ++it)
    if ((*it)->Window() == wnd) {
      std::unique_ptr<TSkinPopupMenu> p = std::move(*it);
      FPopups.erase(it);
      p->Detach();
      break;
    }
  if (FPopups.empty()) FState.PopupKind = pmkPopup;
}

TSkinPopupMenu* TSkinManage::FindPopupMenu(HWND wnd) const {
  for (const auto& p : FPopups)
    if (p->Window() == wnd) return p.get();
  return nullptr;
}

TBitmap* TSkinManage::PopupMenuBitmap(HMENU menu) const {
  if (!menu) return nullptr;
  for (const auto& p : FPopups)
    if (p->Menu() == menu) return &p->Background();
  return nullptr;
}

void TSkinManage::PostCommand(int command, int intervalMs) {
  if (FState.PostCommand(command, intervalMs)) {
    FCommandTimer->SetInterval(static_cast<unsigned>(intervalMs));
    FCommandTimer->SetEnabled(true);
  }
}

bool TSkinManage::CommandTimerEnabled() const { return FCommandTimer && FCommandTimer->Enabled(); }

void TSkinManage::RefreshSkinForms() {
  for (size_t i = 0; i < FForms.size(); ++i)
    if (FForms[i]->SkinData() == FState.Target) FForms[i]->FreeTitleButtons();
}

void TSkinManage::ExecuteCommand() {
  TSkinData* target = FState.Target;
  if (!target) return;
  // Not while a menu is open: the switch would free the handler that tracks it, or take the
  // menu off its window mid-loop, and the open menu would mix the two looks. The timer stays
  // on and the command runs at a tick after the menu closed.
  if (ThreadInMenuMode()) return;
  FCommandTimer->SetEnabled(false);
  // Scanning ends and the target is cleared whatever a step raises: left on, scanning would
  // let child windows be skinned as forms.
  struct TEndCommand {
    TSkinManageState& State;
    ~TEndCommand() {
      State.Scanning = false;
      State.Target = nullptr;
    }
  } end{FState};
  const TCommandPlan plan = PlanCommand(FState.Command, target->SkinFormtype);
  if (plan.Skinning != TCommandPlan::Keep) FState.SkinningOn = plan.Skinning == TCommandPlan::On;
  if (plan.Scan) FState.Scanning = true;
  if (plan.PurgeFirst) PurgeClosed();
  // Handlers of a pass, picked before it starts: the pass itself may add or free some.
  auto pick = [this](bool onlyTarget) {
    std::vector<ISkinFormHandler*> list;
    for (const auto& h : FForms)
      if (!onlyTarget || h->SkinData() == FState.Target) list.push_back(h.get());
    return list;
  };
  auto stillListed = [this](ISkinFormHandler* h) {
    return std::any_of(FForms.begin(), FForms.end(), [h](const auto& p) { return p.get() == h; });
  };
  switch (plan.Step) {
    case TCommandPlan::SkinOwnerForm:
      for (int i = Screen->FormCount() - 1; i >= 0; --i)
        if (Screen->Forms(i) == target->Owner()) {
          SkinForm(Screen->Forms(i));
          break;
        }
      break;
    case TCommandPlan::SkinAllForms:
      for (int i = Screen->FormCount() - 1; i >= 0; --i)
        if (i < Screen->FormCount()) SkinForm(Screen->Forms(i));
      break;
    case TCommandPlan::DetachLast: {
      std::vector<ISkinFormHandler*> mine = pick(true);
      if (!mine.empty()) DetachAndFree(mine.back());
      break;
    }
    case TCommandPlan::DetachAll: {
      std::vector<ISkinFormHandler*> all = pick(false);
      for (auto it = all.rbegin(); it != all.rend(); ++it)
        if (stillListed(*it)) DetachAndFree(*it);
      break;
    }
    case TCommandPlan::RefreshFirst: {
      std::vector<ISkinFormHandler*> mine = pick(true);
      if (!mine.empty()) {
        mine.front()->FreeTitleButtons();
        mine.front()->CalcFrameMetrics();
        mine.front()->SkinChanged();
      }
      break;
    }
    case TCommandPlan::RefreshAll: {
      std::vector<ISkinFormHandler*> mine = pick(true);
      for (ISkinFormHandler* h : mine) {
        h->FreeTitleButtons();
        h->CalcFrameMetrics();
      }
      for (ISkinFormHandler* h : mine)
        if (stillListed(h)) h->SkinChanged();
      break;
    }
    case TCommandPlan::NoStep:
      break;
  }
  FState.Scanning = false;
  if (FState.Target) FState.Target->NotifySkinChanged();
}

void TSkinManage::ForgetMDIFrame(HWND client) {
  if (!client || client != MDIClient) return;
  MDIClient = nullptr;
  MDIMainForm = nullptr;
  FMDIChildMaximized = false;
}

void TSkinManage::SetMDIChildMaximized(bool state) {
  if (state == FMDIChildMaximized) return;
  FMDIChildMaximized = state;
  std::vector<ISkinFormHandler*> children;
  for (const auto& h : FForms)
    if (h->MDIKind() == mkChild) children.push_back(h.get());
  for (ISkinFormHandler* h : children) {
    if (state) {
      if (h->HasRegion()) h->RemoveRegion();
      h->SetNativeCaption(true);
    } else if (h->WinState() == wsMinimized) {
      h->SetNativeCaption(true);
    } else {
      h->SetWinState(wsNormal);
      h->UpdateFrameRegion();
      h->SetNativeCaption(false);
      if (!h->HasRegion()) h->FrameChanged();
    }
  }
}
