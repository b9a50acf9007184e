// The form handler's side of the controls: its list of control handlers and the hand-over
// to the child-control pass. The pass itself lives with the control families
// (skin/controls), which install it; without it every offer is declined and the controls
// keep their native look.
#include <algorithm>
#include <exception>

#include "skin/controls/SkinSubclass.h"
#include "skin/forms/FormSkin.h"
#include "ui/Messages.h"

namespace {
IControlPass*& InstalledPass() {
  static IControlPass* pass = nullptr;
  return pass;
}
}  // namespace

void SetControlPass(IControlPass* pass) { InstalledPass() = pass; }
IControlPass* ControlPass() { return InstalledPass(); }

void TSkinForm::SkinChildren() {
  SweepControls();
  IControlPass* pass = ControlPass();
  if (!pass) return;
  if (FForm) {
    pass->SkinChildren(*this, FForm);
    return;
  }
  for (HWND child = GetTopWindow(FWnd); child; child = GetWindow(child, GW_HWNDNEXT))
    if (GetWindowLongPtrA(child, GWL_STYLE) & WS_CHILD) OfferWindow(child);
}

void TSkinForm::SkinChildrenOf(TComponent* owner) {
  if (IControlPass* pass = ControlPass()) pass->SkinChildren(*this, owner);
}

void TSkinForm::OfferControl(TControl* control) {
  if (IControlPass* pass = ControlPass()) pass->OfferControl(*this, control);
}

void TSkinForm::OfferWindow(HWND wnd) {
  if (IControlPass* pass = ControlPass()) pass->OfferWindow(*this, wnd);
}

bool TSkinForm::RegisterControl(TSkinControl* handler) {
  if (std::find(FControlHandlers.begin(), FControlHandlers.end(), handler) != FControlHandlers.end())
    return true;
  FControlHandlers.push_back(handler);
  return false;
}

void TSkinForm::UnregisterControl(TSkinControl* handler) noexcept {
  std::erase(FControlHandlers, handler);
  if (HotButton == handler) HotButton = nullptr;
}

void TSkinForm::SendMouseLeave(const void* handler) {
  auto it =
      std::find(FControlHandlers.begin(), FControlHandlers.end(), static_cast<const TSkinControl*>(handler));
  if (!handler || it == FControlHandlers.end()) return;
  TSkinControl* h = *it;
  if (h->Control())
    h->Control()->Perform(CM_MOUSELEAVE);
  else if (h->GraphicControl())
    h->GraphicControl()->Perform(CM_MOUSELEAVE);
  else if (h->Handle())
    SendMessageW(h->Handle(), CM_MOUSELEAVE, 0, 0);
}

TSkinControl* TSkinForm::AdoptControl(std::unique_ptr<TSkinControl> handler) {
  if (!handler) return nullptr;
  TSkinControl* h = handler.get();
  RegisterControl(h);
  FOwnedControls.push_back(std::move(handler));
  return h;
}

namespace {
// Moves the owned handlers that `pick` chooses out of `owned`, so that freeing them (which may
// free others through their controls) never walks a list that changes under it.
template <class Pick>
std::vector<std::unique_ptr<TSkinControl>> TakeOwned(std::vector<std::unique_ptr<TSkinControl>>& owned,
                                                     Pick pick) {
  std::vector<std::unique_ptr<TSkinControl>> taken;
  for (auto& p : owned)
    if (pick(p.get())) taken.push_back(std::move(p));
  std::erase(owned, nullptr);
  return taken;
}
}  // namespace

void TSkinForm::FreeControl(TSkinControl* handler) noexcept {
  TakeOwned(FOwnedControls, [handler](const TSkinControl* h) { return h == handler; });
}

void TSkinForm::LetGoUnowned(bool all) noexcept {
  const std::vector<TSkinControl*> listed = FControlHandlers;
  for (TSkinControl* h : listed) {
    if (!all && h->State() != scsDestroyed) continue;
    if (std::any_of(FOwnedControls.begin(), FOwnedControls.end(),
                    [h](const std::unique_ptr<TSkinControl>& p) { return p.get() == h; }))
      continue;
    // Made and registered by hand: its own owner frees it; it no longer reports here.
    UnregisterControl(h);
    h->ForgetForm();
  }
}

void TSkinForm::SweepControls() {
  TakeOwned(FOwnedControls, [](const TSkinControl* h) { return h->State() == scsDestroyed; });
  LetGoUnowned(false);
}

void TSkinForm::FreeControlHandlers() {
  // UnSkin first (not for windows already gone), then free: each leaves the list as it goes.
  // One that raises does not keep the others: all are freed, then the first error goes on.
  std::vector<TSkinControl*> all = FControlHandlers;
  std::exception_ptr failure;
  for (TSkinControl* h : all) {
    try {
      if (h->State() != scsDestroyed) h->UnSkin();
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
  }
  TakeOwned(FOwnedControls, [](const TSkinControl*) { return true; });
  LetGoUnowned(true);
  HotButton = nullptr;
  if (failure) std::rethrow_exception(failure);
}

void TSkinForm::ControlsSkinChanged() {
  SweepControls();
  std::vector<TSkinControl*> all = FControlHandlers;
  for (TSkinControl* h : all) h->SkinChanged();
}
