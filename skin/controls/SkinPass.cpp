#include "skin/controls/SkinPass.h"

#include <algorithm>
#include <iterator>

#include "skin/controls/ControlMath.h"

namespace {
using K = TSkinHandlerKind;
using A = TSkinAttach;
using C = TSkinChildPass;
using M = TSkinRule::TMatch;

constexpr TSkinControlTypes Bit(TSkinControlType t) { return SkinBit(t); }

TSkinOffer Make(K handler, A attach = A::Control, bool recolor = false) {
  TSkinOffer o;
  o.Handler = handler;
  o.Attach = attach;
  o.Recolor = recolor;
  return o;
}
TSkinOffer With(TSkinOffer o, C children, K eachChild = K::None) {
  o.Children = children;
  o.EachChild = eachChild;
  return o;
}
TSkinOffer SetTrue(TSkinOffer o, std::string_view property) {
  o.SetProperty = property;
  return o;
}
TSkinOffer MenuItems(TSkinOffer o) {
  o.SkinMenuItems = true;
  return o;
}
TSkinOffer FeedGlyphs(TSkinOffer o) {
  o.FeedGlyphs = true;
  return o;
}
TSkinOffer ButtonFace(TSkinOffer o) {
  o.ButtonFaceColour = true;
  return o;
}

// Classes whose controls always count as scrolled: their scroll bars come and go with
// their content, so the bars' handler must be there before the first one shows.
constexpr std::string_view ScrolledClasses[] = {"TCUSTOMLISTBOX", "TCUSTOMTREEVIEW", "TCUSTOMLISTVIEW",
                                                "TCUSTOMGRID", "TSCROLLBOX"};

// Never skinned, whatever the configuration: they draw their own look.
constexpr std::string_view SkippedClasses[] = {"TDBCOMBOBOXEH", "TQRPREVIEW", "TFRDESIGNERPAGE", "TFRPBOX"};

bool Gated(const TSkinPassConfig& config, TSkinControlTypes gate, bool needsTabs) {
  return (config.SkinControls & gate) == gate && (!needsTabs || config.TabsExist);
}

bool RowMatches(const TSkinRule& row, const TControlFacts& c) {
  for (std::string_view ex : row.Except)
    if (c.IsA(ex)) return false;
  switch (row.Match) {
    case M::Names:
      return std::find(row.Names.begin(), row.Names.end(), c.ClassName()) != row.Names.end();
    case M::Class:
      return std::any_of(row.Names.begin(), row.Names.end(), [&](std::string_view n) { return c.IsA(n); });
    case M::Scrollable:
      return IsScrollable(c);
  }
  return false;
}

TOfferDecision Decided(TOfferReason why, std::string detail, TSkinOffer offer,
                       const TSkinPassConfig& config) {
  TOfferDecision d;
  d.Why = why;
  d.Detail = std::move(detail);
  d.Offer = offer;
  d.FamilyMissing = offer.Handler != K::None && !config.Families.Has(offer.Handler);
  return d;
}

// The first matching row decides; rows whose gate is closed do not match.
TOfferDecision ApplyRules(const TControlFacts& c, const TSkinPassConfig& config) {
  for (const TSkinRule& row : SkinRules()) {
    if (!Gated(config, row.Gate, row.NeedsTabs) || !RowMatches(row, c)) continue;
    TSkinOffer offer = row.Offer;
    switch (row.Choice) {
      case TSkinRule::TChoice::Fixed:
        break;
      case TSkinRule::TChoice::DateTimePicker:
        offer = DateTimePickerHasDropDown(c.DateTimeKind, c.DateMode) ? Make(K::ComBox)
                                                                      : Make(K::Edit, A::Handle);
        break;
      case TSkinRule::TChoice::NumButtons:
        if (c.NumButtons == 1 && config.Has(xcCombo))
          offer = Make(K::ComBox);
        else if (c.NumButtons == 0 && config.Has(xcEdit))
          offer = Make(K::Edit, A::Handle);
        else
          offer = TSkinOffer{};
        break;
    }
    return Decided(TOfferReason::Rule, std::string(row.Row), offer, config);
  }
  return Decided(TOfferReason::NoRule, {}, TSkinOffer{}, config);
}

// Skin3rd kinds: the kind, its gate, what it gives.
struct TKindRow {
  std::string_view Kind;
  TSkinControlTypes Gate;
  bool NeedsTabs;
  TSkinOffer Offer;
};

const std::vector<TKindRow>& KindRows() {
  static const std::vector<TKindRow> rows = {
      {"nil", 0, false, {}},
      {"combobox", Bit(xcCombo), false, Make(K::ComBox)},
      {"edit", Bit(xcEdit), false, Make(K::Edit, A::Handle)},
      {"radiobutton", Bit(xcRadioButton), false, Make(K::RadioButton)},
      {"panel", Bit(xcPanel), false, SetTrue(Make(K::Box, A::Control, true), "Transparent")},
      {"trackbar", Bit(xcButton), false, SetTrue(Make(K::TrackBar), "Transparent")},
      {"button", Bit(xcButton), false, Make(K::Button)},
      {"bitbtn", Bit(xcButton), false, Make(K::BitButton)},
      {"speedbutton", Bit(xcSpeedButton), false, Make(K::SpeedButton, A::Graphic)},
      {"tab", Bit(xcTab), true, Make(K::Tab, A::Handle)},
      {"progress", Bit(xcProgress), false, Make(K::Progress)},
      {"scrollbar", Bit(xcScrollbar), false, With(Make(K::Scrollbar, A::ScrollControl), C::Offer)},
      {"embedscrollbar", Bit(xcScrollbar), false, With(TSkinOffer{}, C::Embedded)},
      {"container", 0, false, With(TSkinOffer{}, C::MapByName)},
      {"groupbox", Bit(xcGroupBox), false, Make(K::GroupBox, A::Control, true)},
      {"radiogroup", Bit(xcGroupBox), false, With(TSkinOffer{}, C::EachChild, K::RadioButton)},
      {"checkgroup", Bit(xcPanel), false, With(TSkinOffer{}, C::EachChild, K::CheckBox)},
      {"checkbox", Bit(xcCheckBox), false, Make(K::CheckBox)},
  };
  return rows;
}
}  // namespace

std::string_view HandlerClassName(TSkinHandlerKind kind) {
  static constexpr std::string_view names[] = {"",
                                               "TSkinButton",
                                               "TSkinBitButton",
                                               "TSkinSpeedButton",
                                               "TSkinCheckBox",
                                               "TSkinRadioButton",
                                               "TSkinObjImage",
                                               "TSkinScrollbar",
                                               "TSkinScControl",
                                               "TSkinListView",
                                               "TSkinSizer",
                                               "TSkinEdit",
                                               "TSkinComBox",
                                               "TSkinUpDown",
                                               "TSkinTrackBar",
                                               "TSkinTab",
                                               "TSkinTab31",
                                               "TSkinBox",
                                               "TSkinBoxH",
                                               "TSkinGroupBox",
                                               "TSkinStatusBar",
                                               "TSkinProgress"};
  static_assert(std::size(names) == SkinHandlerKindCount);
  const int i = static_cast<int>(kind);
  return i >= 0 && i < SkinHandlerKindCount ? names[i] : std::string_view();
}

std::string UpperAscii(std::string_view s) {
  std::string r(s);
  for (char& ch : r)
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  return r;
}

bool TControlFacts::IsA(std::string_view upperName) const {
  return std::find(Classes.begin(), Classes.end(), upperName) != Classes.end();
}

std::vector<std::string> ClassChain(const TClassInfo& cls) {
  std::vector<std::string> chain;
  for (const TClassInfo* c = &cls; c; c = c->Parent()) chain.push_back(UpperAscii(c->Name()));
  return chain;
}

TSkinFamilySet TSkinFamilySet::All() {
  TSkinFamilySet s;
  for (int k = 1; k < SkinHandlerKindCount; ++k) s.Add(static_cast<TSkinHandlerKind>(k));
  return s;
}

TSkinPassConfig PassConfigFrom(const TSkinData& data, TSkinFamilySet families) {
  TSkinPassConfig c;
  c.DisableTag = data.DisableTag;
  c.SkinControls = data.SkinControls;
  c.Skin3rd = data.Skin3rd();
  c.TabsExist = data.Tabs != nullptr;
  c.Families = families;
  return c;
}

bool DateTimePickerHasDropDown(std::string_view kind, std::string_view dateMode) {
  return LowerAscii(kind) != "dtktime" && LowerAscii(dateMode) != "dmupdown";
}

bool IsScrollable(const TControlFacts& c) {
  if (!c.Windowed) return false;
  if ((c.Style & (WinStyle::HScroll | WinStyle::VScroll)) != 0) return true;
  if (c.Tag == 55) return true;
  return std::any_of(std::begin(ScrolledClasses), std::end(ScrolledClasses),
                     [&](std::string_view n) { return c.IsA(n); });
}

bool IsHandled(const TControlFacts& c, std::span<const TSkinHandlerRef> handlers, std::string_view formName) {
  // A handler bound to the control wins wherever it stands in the list, so a control whose
  // window was recreated is not given a second handler.
  for (const TSkinHandlerRef& h : handlers)
    if (h.Control && h.Control == c.Identity) return true;
  for (const TSkinHandlerRef& h : handlers) {
    if (h.Control || !c.Windowed) continue;
    if (!c.HasHandle) {
      // Print previews build their pages before their windows: leave them alone.
      return LowerAscii(formName).find("preview") != std::string::npos;
    }
    if (h.Window == c.Handle) return true;
  }
  return false;
}

TMapResult MapByName(std::string_view className, const TSkinPassConfig& config) {
  TMapResult r;
  const std::string prefix = LowerAscii(className) + "=";
  for (const std::string& line : config.Skin3rd) {
    if (line.size() < prefix.size() || LowerAscii(std::string_view(line).substr(0, prefix.size())) != prefix)
      continue;
    r.Found = true;
    r.Kind = LowerAscii(std::string_view(line).substr(prefix.size(), 50));
    break;
  }
  if (!r.Found) {
    r.Decision = Decided(TOfferReason::NoRule, {}, TSkinOffer{}, config);
    return r;
  }
  TSkinOffer offer;
  for (const TKindRow& row : KindRows()) {
    if (row.Kind != r.Kind) continue;
    if (Gated(config, row.Gate, row.NeedsTabs)) offer = row.Offer;
    // The group kinds' children need their own member as well.
    if (offer.Children == C::EachChild && !config.Has(xcRadioButton)) offer = TSkinOffer{};
    break;
  }
  r.Decision = Decided(TOfferReason::Skin3rd, r.Kind, offer, config);
  return r;
}

TSkinOffer EmbeddedChildOffer(const TControlFacts& child, const TSkinPassConfig& config) {
  if (!config.Has(xcScrollbar)) return {};
  if (IsScrollable(child)) return Make(K::Scrollbar, A::ScrollControl);
  if (child.IsA("TSCROLLBAR")) return Make(K::ScControl, A::ScControl);
  return {};
}

TOfferDecision OfferControl(TControlFacts c, const TSkinPassConfig& config,
                            std::span<const TSkinHandlerRef> handlers, std::string_view formName,
                            const TOfferHooks& hooks) {
  if (c.Tag % 100 == config.DisableTag) return Decided(TOfferReason::DisabledTag, {}, {}, config);
  if (IsHandled(c, handlers, formName)) return Decided(TOfferReason::AlreadyHandled, {}, {}, config);
  if (c.Windowed && !c.HasHandle && !(hooks.EnsureWindow && hooks.EnsureWindow(c)))
    return Decided(TOfferReason::NoWindow, {}, {}, config);
  if (hooks.AskEvent && hooks.AskEvent()) {
    TSkinOffer offer;
    if (c.IsA("TCUSTOMPANEL")) offer.Children = C::Offer;
    return Decided(TOfferReason::ByEvent, {}, offer, config);
  }
  TMapResult mapped = MapByName(c.ClassName(), config);
  if (mapped.Found) return mapped.Decision;
  if (std::find(std::begin(SkippedClasses), std::end(SkippedClasses), c.ClassName()) !=
      std::end(SkippedClasses))
    return Decided(TOfferReason::SkippedClass, std::string(c.ClassName()), {}, config);
  return ApplyRules(c, config);
}

TWindowOffer OfferWindow(const TWindowFacts& w, std::span<const TSkinHandlerRef> handlers) {
  auto taken = [&](uintptr_t window) {
    return std::any_of(handlers.begin(), handlers.end(),
                       [&](const TSkinHandlerRef& h) { return h.Window == window; });
  };
  if (taken(w.Window)) return {};
  const std::string name = LowerAscii(std::string_view(w.ClassName).substr(0, 100));
  if (name == "button") {
    const uint32_t type = w.Style & WinCtl::ButtonTypeMask;
    switch (type) {
      case WinCtl::ButtonGroupBox:
      case 15:
        return {};
      case WinCtl::ButtonPush:
      case WinCtl::ButtonDefPush:
      case WinCtl::ButtonUser:
        return {K::Button, w.Window};
      case WinCtl::ButtonRadio:
      case WinCtl::ButtonAutoRadio:
      case 12:
        return {K::RadioButton, w.Window};
      default:
        return {K::CheckBox, w.Window};
    }
  }
  if (name == "combobox")
    return (w.Style & WinCtl::ComboTypeMask) == WinCtl::ComboSimple ? TWindowOffer{}
                                                                    : TWindowOffer{K::ComBox, w.Window};
  if (name == "comboboxex32") {
    // The edit-and-list child is the combo box proper; it is offered once like any window.
    if (w.FirstChild == 0 || taken(w.FirstChild)) return {};
    return {K::ComBox, w.FirstChild};
  }
  if (name == "scrollbar") return {K::Sizer, w.Window};
  if (name == "#32770") return {K::BoxH, w.Window};
  if (name == "edit") return {K::Edit, w.Window};
  return {};
}

const std::vector<TSkinRule>& SkinRules() {
  using R = TSkinRule;
  const auto tabs = Bit(xcTab);
  const auto scroll = Bit(xcScrollbar);
  // clang-format off
  static const std::vector<TSkinRule> rules = {
      {"TPageControl", M::Class, {"TPAGECONTROL"}, {}, tabs, true, Make(K::Tab, A::Handle)},
      {"TActionMainMenuBar", M::Class, {"TACTIONMAINMENUBAR"}, {}, Bit(xcMainMenu), false, MenuItems({})},
      {"TTabSet", M::Names, {"TTABSET"}, {}, tabs, true, Make(K::Tab31)},
      {"TTabbedNotebook", M::Names, {"TTABBEDNOTEBOOK"}, {}, tabs, true, Make(K::Tab, A::Handle)},
      {"TMvcPanel", M::Names, {"TMVCPANEL"}, {}, 0, false, With({}, C::Offer)},
      {"TCustomTabControl", M::Class, {"TCUSTOMTABCONTROL"}, {}, tabs, true, Make(K::Tab, A::Handle)},
      // The glyph check box draws its own box: only the glyph-feeding row below may skin it.
      {"TCustomCheckBox", M::Class, {"TCUSTOMCHECKBOX"}, {"TGLYPHCHECKBOX"}, Bit(xcCheckBox), false,
       Make(K::CheckBox)},
      {"TTrackBar", M::Names, {"TTRACKBAR"}, {}, Bit(xcButton), false, Make(K::TrackBar)},
      {"TUpDown", M::Names, {"TUPDOWN", "TSPINBUTTON"}, {}, Bit(xcButton), false, Make(K::UpDown)},
      {"TCustomRadioGroup", M::Class, {"TCUSTOMRADIOGROUP"}, {}, Bit(xcRadioButton), false,
       With(Make(K::GroupBox, A::Control, true), C::EachChild, K::RadioButton)},
      {"TDBNavigator", M::Names, {"TDBNAVIGATOR"}, {}, Bit(xcPanel), false,
       SetTrue(Make(K::Box, A::Control, true), "Flat")},
      {"TRzDBCheckBox", M::Names, {"TRZDBCHECKBOX", "TGLYPHCHECKBOX"}, {}, Bit(xcCheckBox), false,
       FeedGlyphs(Make(K::ObjImage, A::Control, true))},
      {"TCustomGroupBox", M::Class, {"TCUSTOMGROUPBOX"}, {}, Bit(xcPanel), false,
       With(Make(K::GroupBox, A::Control, true), C::Offer)},
      {"TRadioButton", M::Class, {"TRADIOBUTTON"}, {}, Bit(xcRadioButton), false, Make(K::RadioButton)},
      {"TToolBar", M::Class, {"TTOOLBAR"}, {}, Bit(xcToolbar), false,
       MenuItems(SetTrue(Make(K::Box, A::Control, true), "Flat"))},
      {"TStatusBar", M::Class, {"TSTATUSBAR"}, {}, Bit(xcStatusBar), false, Make(K::StatusBar)},
      {"TProgressBar", M::Class, {"TPROGRESSBAR"}, {}, Bit(xcProgress), false, Make(K::Progress)},
      {"TScrollBar", M::Class, {"TSCROLLBAR"}, {}, scroll, false, Make(K::ScControl, A::ScControl)},
      {"TCustomComboBox", M::Class, {"TCUSTOMCOMBOBOX"}, {}, Bit(xcCombo), false, Make(K::ComBox)},
      {"TDateTimePicker", M::Names, {"TDATETIMEPICKER"}, {}, Bit(xcEdit), false,
       {}, R::TChoice::DateTimePicker},
      {"TRichEdit", M::Names, {"TRICHEDIT", "TWWDBRICHEDIT", "TDXDBMEMO"}, {}, scroll, false,
       Make(K::Scrollbar, A::ScrollControl)},
      {"TBitBtn", M::Class, {"TBITBTN"}, {}, Bit(xcBitBtn), false, Make(K::BitButton)},
      {"TSpeedButton", M::Class, {"TSPEEDBUTTON"}, {}, Bit(xcSpeedButton), false,
       Make(K::SpeedButton, A::Graphic)},
      {"TCustomPanel", M::Class, {"TCUSTOMPANEL"}, {}, Bit(xcPanel), false,
       With(Make(K::Box, A::Control, true), C::Offer)},
      {"TdxTreeList", M::Names, {"TDXTREELIST", "TDXDBTREELIST", "TDXDBGRID"}, {}, scroll, false,
       Make(K::Scrollbar, A::ScrollControl)},
      {"TCustomListView", M::Class, {"TCUSTOMLISTVIEW"}, {}, scroll, false,
       Make(K::ListView, A::ScrollControl)},
      {"TCustomListBox", M::Class, {"TCUSTOMLISTBOX"}, {}, scroll, false,
       Make(K::Scrollbar, A::ScrollControl)},
      {"TScrollBox", M::Class, {"TSCROLLBOX"}, {}, scroll, false,
       ButtonFace(Make(K::Scrollbar, A::ScrollControl))},
      {"scrollable", M::Scrollable, {}, {}, scroll, false, Make(K::Scrollbar, A::ScrollControl)},
      // A bit button is a button too, but only its own row may skin it.
      {"TButton", M::Class, {"TBUTTON"}, {"TBITBTN"}, Bit(xcButton), false, Make(K::Button)},
      {"TCustomEdit", M::Class, {"TCUSTOMEDIT"}, {}, Bit(xcEdit), false, Make(K::Edit, A::Handle)},
      {"TCustomFrame", M::Class, {"TCUSTOMFRAME"}, {}, 0, false, With({}, C::Offer)},
      {"TCustomForm", M::Class, {"TCUSTOMFORM"}, {"TDCEDIT", "TDCDBEDIT"}, 0, false,
       With(Make(K::Box, A::Control, true), C::Offer)},
      {"TDCEdit", M::Names, {"TDCEDIT", "TDCDBEDIT"}, {}, 0, false, {}, R::TChoice::NumButtons},
  };
  // clang-format on
  return rules;
}
