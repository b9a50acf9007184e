#include "skin/controls/SkinChildren.h"

#include <algorithm>
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

std::unique_ptr<TSkinControl> AttachHandler(std::unique_ptr<TSkinControl> made, TSkinForm* form,
                                            const TAttachPlace& place) {
  if (!made) return nullptr;
  TSkinControl& h = *made;
  TSkinData* skin = form ? form->SkinData() : nullptr;
  TCanvas* canvas = form ? form->ControlCanvas() : nullptr;
  auto* windowed = dynamic_cast<TWinControl*>(place.Control);
  switch (place.How) {
    case TSkinAttach::Control:
      h.InitControl(form, skin, canvas, place.Recolor);
      break;
    case TSkinAttach::Handle:
      h.InitHandle(place.Window, skin, canvas, form);
      break;
    case TSkinAttach::Graphic:
      if (auto* s = dynamic_cast<TSkinSpeedButton*>(&h)) s->InitGraphicFor(place.Control, form, skin, canvas);
      break;
    case TSkinAttach::ScrollControl:
      if (windowed) h.InitScrollControl(windowed, skin, canvas, form);
      break;
    case TSkinAttach::ScControl:
      if (auto* s = dynamic_cast<TSkinScControl*>(&h); s && windowed)
        s->InitScControl(windowed, skin, canvas, form);
      break;
  }
  // Containers attach without a message hook, so the state tells, not Initialized.
  if (h.State() == scsCreated) return nullptr;
  // From here the answer is its one owner, not the control it was made for.
  if (TComponent* owner = h.Owner()) owner->RemoveComponent(&h);
  return made;
}

std::unique_ptr<TSkinControl> AttachHandler(TSkinHandlerKind kind, TSkinForm* form,
                                            const TAttachPlace& place) {
  // Made as the control's component so that InitControl finds its control.
  return AttachHandler(std::unique_ptr<TSkinControl>(SkinControlFamilies().Create(kind, place.Control)), form,
                       place);
}

TSkinControl* AdoptHandler(TSkinForm* form, std::unique_ptr<TSkinControl> handler, TControl* goesWith) {
  if (!form || !handler) return nullptr;
  TSkinControl* h = form->AdoptControl(std::move(handler));
  h->TetherTo(goesWith, [form, h] { form->FreeControl(h); });
  return h;
}

TSkinControl* AttachPart(TSkinControl& parent, std::unique_ptr<TSkinControl> made, HWND part) {
  TAttachPlace place;
  place.Window = part;
  place.Control = parent.Control();
  TSkinControl* h =
      AdoptHandler(parent.Form(), AttachHandler(std::move(made), parent.Form(), place), place.Control);
  if (h) h->FreeNotification(&parent);
  return h;
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
    TAttachPlace place;
    place.Window = reinterpret_cast<HWND>(o.Target);
    AdoptHandler(&form, AttachHandler(o.Handler, &form, place), nullptr);
  }

 private:
  static bool AskEvent(TSkinForm& form, TSkinData& skin, TControl* control) {
    if (!skin.OnSkinControl) return false;
    TComponent* made = nullptr;
    skin.OnSkinControl(&form, &skin, form.Form(), control, UpperAscii(control->ClassName()), made);
    auto* h = dynamic_cast<TSkinControl*>(made);
    if (!h) return false;
    const std::vector<TSkinControl*>& listed = form.ControlHandlers();
    if (std::find(listed.begin(), listed.end(), h) != listed.end()) return true;
    TAttachPlace place;
    place.How = TSkinAttach::Control;
    place.Control = control;
    place.Recolor = h->Recolor();
    if (!AdoptHandler(&form, AttachHandler(std::unique_ptr<TSkinControl>(h), &form, place), control))
      return true;
    if (control->InheritsFrom(TCustomPanel::StaticClass())) form.SkinChildrenOf(control);
    return true;
  }

  void Make(TSkinForm& form, TControl& control, TSkinHandlerKind kind, const TSkinOffer& offer) {
    TAttachPlace place;
    place.How = offer.Attach;
    place.Control = &control;
    place.Recolor = offer.Recolor;
    if (offer.Attach == TSkinAttach::Handle) {
      auto* w = dynamic_cast<TWinControl*>(&control);
      if (!w) return;
      place.Window = w->Handle();
    }
    std::unique_ptr<TSkinControl> made(SkinControlFamilies().Create(kind, &control));
    if (auto* glyphs = dynamic_cast<TSkinObjImage*>(made.get())) glyphs->FFeedGlyphs = offer.FeedGlyphs;
    AdoptHandler(&form, AttachHandler(std::move(made), &form, place), &control);
  }

  void Apply(TSkinForm& form, TSkinData& skin, TControl& control, const TSkinOffer& offer,
             TSkinHandlerKind kind, const TSkinPassConfig& config) {
    if (!offer.SetProperty.empty()) SetPropertyText(&control, offer.SetProperty, "True");
    if (offer.ButtonFaceColour) control.SetColor(skin.ColorButtonFace);
    if (offer.SkinMenuItems) form.OwnerDrawMenusOf(&control);
    if (kind != TSkinHandlerKind::None) Make(form, control, kind, offer);
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
            Make(form, *parent->Controls(i), offer.EachChild, TSkinOffer{});
        break;
      case TSkinChildPass::Embedded:
        if (parent)
          for (int i = 0; i < parent->ControlCount(); ++i) {
            TControl& child = *parent->Controls(i);
            const TSkinOffer o = EmbeddedChildOffer(ControlFactsOf(child), config);
            if (config.Families.Has(o.Handler)) Make(form, child, o.Handler, o);
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
  auto& table = SkinControlFamilies();
  using K = TSkinHandlerKind;
  table.Register<TSkinButton>(K::Button);
  table.Register<TSkinBitButton>(K::BitButton);
  table.Register<TSkinSpeedButton>(K::SpeedButton);
  table.Register<TSkinCheckBox>(K::CheckBox);
  table.Register<TSkinRadioButton>(K::RadioButton);
  table.Register<TSkinObjImage>(K::ObjImage);
  table.Register<TSkinBox>(K::Box);
  table.Register<TSkinBoxH>(K::BoxH);
  table.Register<TSkinSizer>(K::Sizer);
  table.Register<TSkinGroupBox>(K::GroupBox);
  table.Register<TSkinStatusBar>(K::StatusBar);
  table.Register<TSkinProgress>(K::Progress);
  table.Register<TSkinTrackBar>(K::TrackBar);
  table.Register<TSkinScrollbar>(K::Scrollbar);
  table.Register<TSkinScControl>(K::ScControl);
  table.Register<TSkinEdit>(K::Edit);
  table.Register<TSkinComBox>(K::ComBox);
  table.Register<TSkinUpDown>(K::UpDown);
  table.Register<TSkinTab>(K::Tab);
  table.Register<TSkinTab31>(K::Tab31);
  table.Register<TSkinListView>(K::ListView);
  SetControlPass(&pass);
}
