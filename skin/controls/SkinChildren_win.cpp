#include "skin/controls/SkinChildren.h"

#include <vector>

#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinChoices.h"
#include "skin/controls/SkinInput.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinPanels.h"
#include "skin/controls/SkinScroll.h"
#include "skin/controls/SkinTab.h"
#include "skin/forms/FormSkin.h"
#include "ui/ExtCtrls.h"

TSkinFamilyTable<TSkinControl>& SkinControlFamilies() {
  static TSkinFamilyTable<TSkinControl> table;
  return table;
}

TControlFacts ControlFactsOf(TControl& control) {
  TControlFacts f;
  f.Classes = ClassChain(control.ClassType());
  f.Tag = control.Tag;
  f.Identity = &control;
  if (auto* w = dynamic_cast<TWinControl*>(&control)) {
    f.Windowed = true;
    f.HasHandle = w->HandleAllocated();
    if (f.HasHandle) {
      f.Handle = reinterpret_cast<uintptr_t>(w->Handle());
      f.Style = static_cast<uint32_t>(GetWindowLongPtrW(w->Handle(), GWL_STYLE));
    }
  }
  f.NumButtons = GetIntProperty(&control, "NumButtons");
  f.DateTimeKind = GetEnumProperty(&control, "Kind");
  f.DateMode = GetEnumProperty(&control, "DateMode");
  return f;
}

namespace {

std::vector<TSkinHandlerRef> HandlerRefs(const TSkinForm& form) {
  std::vector<TSkinHandlerRef> refs;
  for (const TSkinControl* h : form.ControlHandlers())
    refs.push_back({h->BoundControl(), reinterpret_cast<uintptr_t>(h->Handle())});
  return refs;
}

class TControlPass final : public IControlPass {
 public:
  void SkinChildren(TSkinForm& form, TComponent* owner) override {
    form.SweepControls();
    // Handlers join the owner's components as they are made: walk a snapshot.
    std::vector<TControl*> controls;
    for (int i = 0; i < owner->ComponentCount(); ++i)
      if (auto* c = dynamic_cast<TControl*>(owner->Components(i))) controls.push_back(c);
    for (TControl* c : controls) OfferControl(form, c);
  }

  void OfferControl(TSkinForm& form, TControl* control) override {
    TSkinData* skin = form.SkinData();
    if (!skin || !control) return;
    const TSkinPassConfig config = PassConfigFrom(*skin, SkinControlFamilies().Kinds());
    const std::vector<TSkinHandlerRef> refs = HandlerRefs(form);
    TOfferHooks hooks;
    hooks.EnsureWindow = [control](TControlFacts& f) {
      auto* w = dynamic_cast<TWinControl*>(control);
      if (!w) return true;
      try {
        HWND h = w->Handle();
        f.HasHandle = h != nullptr;
        f.Handle = reinterpret_cast<uintptr_t>(h);
        f.Style = h ? static_cast<uint32_t>(GetWindowLongPtrW(h, GWL_STYLE)) : 0;
        return h != nullptr;
      } catch (...) {
        return false;  // a control whose window cannot be made stays unskinned
      }
    };
    hooks.AskEvent = [&]() { return AskEvent(form, *skin, control); };
    const std::string formName = form.Form() ? form.Form()->Name : std::string();
    const TOfferDecision d = ::OfferControl(ControlFactsOf(*control), config, refs, formName, hooks);
    if (d.Why == TOfferReason::ByEvent) return;
    Apply(form, *skin, *control, d.Offer, d.Create(), config);
  }

  void OfferWindow(TSkinForm& form, HWND wnd) override {
    TSkinData* skin = form.SkinData();
    if (!skin || !wnd) return;
    char cls[101] = {};
    GetClassNameA(wnd, cls, sizeof cls);
    TWindowFacts f;
    f.ClassName = cls;
    f.Style = static_cast<uint32_t>(GetWindowLongPtrW(wnd, GWL_STYLE));
    f.Window = reinterpret_cast<uintptr_t>(wnd);
    f.FirstChild = reinterpret_cast<uintptr_t>(GetWindow(wnd, GW_CHILD));
    const std::vector<TSkinHandlerRef> refs = HandlerRefs(form);
    const TWindowOffer o = ::OfferWindow(f, refs);
    if (!SkinControlFamilies().Has(o.Handler)) return;
    TSkinControl* h = SkinControlFamilies().Create(o.Handler, &form);
    h->InitHandle(reinterpret_cast<HWND>(o.Target), skin, form.ControlCanvas(), &form);
    if (h->State() == scsCreated) delete h;
  }

 private:
  static bool AskEvent(TSkinForm& form, TSkinData& skin, TControl* control) {
    if (!skin.OnSkinControl) return false;
    TComponent* made = nullptr;
    skin.OnSkinControl(&form, &skin, form.Form(), control, UpperAscii(control->ClassName()), made);
    auto* h = dynamic_cast<TSkinControl*>(made);
    if (!h) return false;
    if (!form.RegisterControl(h)) {
      h->InitControl(&form, &skin, form.ControlCanvas(), h->Recolor());
      if (control->InheritsFrom(TCustomPanel::StaticClass())) form.SkinChildrenOf(control);
    }
    return true;
  }

  void Make(TSkinForm& form, TSkinData& skin, TControl& control, TSkinHandlerKind kind,
            const TSkinOffer& offer) {
    // Windowless controls free what they own too late to be given their WindowProc back.
    const bool windowless = offer.Attach == TSkinAttach::Graphic;
    TSkinControl* h =
        SkinControlFamilies().Create(kind, windowless ? static_cast<TComponent*>(&form) : &control);
    if (!h) return;
    if (auto* glyphs = dynamic_cast<TSkinObjImage*>(h)) glyphs->FFeedGlyphs = offer.FeedGlyphs;
    switch (offer.Attach) {
      case TSkinAttach::Control:
        h->InitControl(&form, &skin, form.ControlCanvas(), offer.Recolor);
        break;
      case TSkinAttach::Handle:
        if (auto* w = dynamic_cast<TWinControl*>(&control))
          h->InitHandle(w->Handle(), &skin, form.ControlCanvas(), &form);
        break;
      case TSkinAttach::Graphic:
        if (auto* s = dynamic_cast<TSkinSpeedButton*>(h))
          s->InitGraphicFor(&control, &form, &skin, form.ControlCanvas());
        break;
      case TSkinAttach::ScrollControl:
        if (auto* w = dynamic_cast<TWinControl*>(&control))
          h->InitScrollControl(w, &skin, form.ControlCanvas(), &form);
        break;
      case TSkinAttach::ScControl:
        if (auto* w = dynamic_cast<TWinControl*>(&control))
          if (auto* s = dynamic_cast<TSkinScControl*>(h))
            s->InitScControl(w, &skin, form.ControlCanvas(), &form);
        break;
    }
    // Containers attach without a message hook, so the state tells, not Initialized.
    if (h->State() == scsCreated) delete h;
  }

  void Apply(TSkinForm& form, TSkinData& skin, TControl& control, const TSkinOffer& offer,
             TSkinHandlerKind kind, const TSkinPassConfig& config) {
    if (!offer.SetProperty.empty()) SetPropertyText(&control, offer.SetProperty, "True");
    if (offer.ButtonFaceColour) control.SetColor(skin.ColorButtonFace);
    if (offer.SkinMenuItems) form.OwnerDrawMenusOf(&control);
    if (kind != TSkinHandlerKind::None) Make(form, skin, control, kind, offer);
    auto* parent = dynamic_cast<TWinControl*>(&control);
    switch (offer.Children) {
      case TSkinChildPass::None:
        break;
      case TSkinChildPass::Offer:
        SkinChildren(form, &control);
        break;
      case TSkinChildPass::EachChild:
        if (parent && config.Families.Has(offer.EachChild))
          for (int i = 0; i < parent->ControlCount(); ++i)
            Make(form, skin, *parent->Controls(i), offer.EachChild, TSkinOffer{});
        break;
      case TSkinChildPass::Embedded:
        if (parent)
          for (int i = 0; i < parent->ControlCount(); ++i) {
            TControl& child = *parent->Controls(i);
            const TSkinOffer o = EmbeddedChildOffer(ControlFactsOf(child), config);
            if (config.Families.Has(o.Handler)) Make(form, skin, child, o.Handler, o);
          }
        break;
      case TSkinChildPass::MapByName:
        if (parent)
          for (int i = 0; i < parent->ControlCount(); ++i) {
            TControl& child = *parent->Controls(i);
            const TMapResult r = ::MapByName(UpperAscii(child.ClassName()), config);
            if (r.Found) Apply(form, skin, child, r.Decision.Offer, r.Decision.Create(), config);
          }
        break;
    }
  }
};

}  // namespace

void InstallControlFamilies() {
  static TControlPass pass;
  RegisterButtonFamily();
  RegisterChoiceFamily();
  RegisterPanelFamily();
  RegisterScrollFamily();
  RegisterInputFamily();
  RegisterTabFamily();
  RegisterListViewFamily();
  SetControlPass(&pass);
}
