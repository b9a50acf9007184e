#pragma once
// Which control handler a control or a foreign window gets, decided without the platform.
//
// The form handler describes each control as TControlFacts (class chain, Tag, window
// facts, the few properties the rules read) and asks OfferControl; the answer names the
// handler kind, how to attach it, what else to do (offer the children, set a property,
// skin a menu's items) and why. The fixed rules are one table (SkinRules); each row names
// a handler kind, and a kind makes a handler only once its family has been registered in
// a TSkinFamilyTable, so the rows of families that have not landed yet create nothing.
#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "skin/data/SkinData.h"
#include "skin/data/WinConst.h"
#include "ui/Classes.h"

// The control handler classes, one kind each.
enum class TSkinHandlerKind : int {
  None,
  Button,       // TSkinButton
  BitButton,    // TSkinBitButton
  SpeedButton,  // TSkinSpeedButton
  CheckBox,     // TSkinCheckBox
  RadioButton,  // TSkinRadioButton
  ObjImage,     // TSkinObjImage
  Scrollbar,    // TSkinScrollbar
  ScControl,    // TSkinScControl
  ListView,     // TSkinListView
  Sizer,        // TSkinSizer
  Edit,         // TSkinEdit
  ComBox,       // TSkinComBox
  UpDown,       // TSkinUpDown
  TrackBar,     // TSkinTrackBar
  Tab,          // TSkinTab
  Tab31,        // TSkinTab31
  Box,          // TSkinBox
  BoxH,         // TSkinBoxH
  GroupBox,     // TSkinGroupBox
  StatusBar,    // TSkinStatusBar
  Progress,     // TSkinProgress
  Count_
};
inline constexpr int SkinHandlerKindCount = static_cast<int>(TSkinHandlerKind::Count_);
// "TSkinButton" and so on; "" for None.
std::string_view HandlerClassName(TSkinHandlerKind kind);

// How a new handler is attached.
enum class TSkinAttach {
  Control,        // InitControl(form, skin, canvas, Recolor)
  Handle,         // InitHandle(window, skin, canvas, form)
  ScrollControl,  // InitScrollControl(control, skin, canvas, form)
  ScControl,      // InitScControl(control, skin, canvas, form)
  Graphic,        // InitGraphic(form, skin, canvas): windowless controls
};

// What happens to the control's children besides its own handler.
enum class TSkinChildPass {
  None,
  Offer,      // SkinChildren(control): the components it owns are offered in turn
  EachChild,  // every child control gets EachChild (when EachChildGate holds)
  Embedded,   // every child control asks EmbeddedChildOffer
  MapByName,  // every child control asks MapByName with its own class name
};

struct TSkinOffer {
  TSkinHandlerKind Handler = TSkinHandlerKind::None;
  TSkinAttach Attach = TSkinAttach::Control;
  bool Recolor = false;
  // Set before attaching: SetPropertyText(control, SetProperty, "True").
  std::string_view SetProperty;
  bool FeedGlyphs = false;        // TSkinObjImage feeds the control's glyph properties
  bool SkinMenuItems = false;     // the control's menu items get the owner-drawn item handlers
  bool ButtonFaceColour = false;  // the control's Color becomes the skin's ColorButtonFace
  TSkinChildPass Children = TSkinChildPass::None;
  TSkinHandlerKind EachChild = TSkinHandlerKind::None;
  bool operator==(const TSkinOffer&) const = default;
};

// What the pass knows of one control.
struct TControlFacts {
  // The class name and its ancestors' names, upper case, most derived first.
  std::vector<std::string> Classes;
  int Tag = 0;
  bool Windowed = false;   // a TWinControl
  bool HasHandle = false;  // its window exists
  uintptr_t Handle = 0;
  uint32_t Style = 0;              // window style, when it has a window
  const void* Identity = nullptr;  // the control object, matched by IsHandled
  long NumButtons = 0;             // integer property "NumButtons"
  std::string DateTimeKind;        // enumeration property "Kind", as its identifier
  std::string DateMode;            // enumeration property "DateMode"

  std::string_view ClassName() const { return Classes.empty() ? std::string_view() : Classes.front(); }
  // A descendant of (or the) class named upperName.
  bool IsA(std::string_view upperName) const;
};
// The upper-case names of a class and its ancestors, most derived first.
std::vector<std::string> ClassChain(const TClassInfo& cls);
std::string UpperAscii(std::string_view s);
std::string LowerAscii(std::string_view s);

// The handler kinds whose families have landed.
class TSkinFamilySet {
 public:
  void Add(TSkinHandlerKind k) { FBits |= Bit(k); }
  bool Has(TSkinHandlerKind k) const { return k != TSkinHandlerKind::None && (FBits & Bit(k)) != 0; }
  static TSkinFamilySet All();

 private:
  static uint64_t Bit(TSkinHandlerKind k) { return uint64_t{1} << static_cast<int>(k); }
  uint64_t FBits = 0;
};

// The factory of each kind's handler class; H is the handler base class, made with the
// control as its component owner until the attach hands it to its one owner.
template <class H>
class TSkinFamilyTable {
 public:
  using Factory = std::function<H*(TComponent* owner)>;
  void Register(TSkinHandlerKind kind, Factory make) {
    FMake.at(static_cast<size_t>(kind)) = std::move(make);
  }
  // Class C, made with its owner, serves kind.
  template <class C>
  void Register(TSkinHandlerKind kind) {
    Register(kind, [](TComponent* owner) -> H* { return new C(owner); });
  }
  bool Has(TSkinHandlerKind kind) const { return kind != TSkinHandlerKind::None && Slot(kind); }
  // nullptr when the family has not landed.
  H* Create(TSkinHandlerKind kind, TComponent* owner) const {
    return Has(kind) ? Slot(kind)(owner) : nullptr;
  }
  TSkinFamilySet Kinds() const {
    TSkinFamilySet s;
    for (int k = 1; k < SkinHandlerKindCount; ++k)
      if (FMake[static_cast<size_t>(k)]) s.Add(static_cast<TSkinHandlerKind>(k));
    return s;
  }

 private:
  const Factory& Slot(TSkinHandlerKind kind) const { return FMake.at(static_cast<size_t>(kind)); }
  std::array<Factory, SkinHandlerKindCount> FMake{};
};

// The skin component's configuration as the pass reads it.
struct TSkinPassConfig {
  int DisableTag = 99;
  TSkinControlTypes SkinControls = DefaultSkinControls;
  std::span<const std::string> Skin3rd;
  bool TabsExist = false;  // the skin has a Tabs element
  TSkinFamilySet Families;
  bool Has(TSkinControlType t) const { return (SkinControls & SkinBit(t)) != 0; }
};
// The configuration of a skin component (Skin3rd is borrowed from it).
TSkinPassConfig PassConfigFrom(const TSkinData& data, TSkinFamilySet families);

// One entry of the form handler's handler list: bound to a control, or (Control null) only
// to a window.
struct TSkinHandlerRef {
  const void* Control = nullptr;
  uintptr_t Window = 0;
};

// Why a control got what it got.
enum class TOfferReason {
  DisabledTag,     // Tag mod 100 is the DisableTag
  AlreadyHandled,  // IsHandled
  NoWindow,        // its window could not be made
  ByEvent,         // OnSkinControl supplied the handler
  Skin3rd,         // a Skin3rd line decided (Detail: the kind)
  SkippedClass,    // a class the pass never skins
  Rule,            // a fixed rule decided (Detail: the row)
  NoRule,          // nothing matched
};

struct TOfferDecision {
  TOfferReason Why = TOfferReason::NoRule;
  std::string Detail;
  TSkinOffer Offer;
  // The handler kind is named but its family has not landed: nothing is created.
  bool FamilyMissing = false;
  // The handler to create now (None when there is none or its family is missing).
  TSkinHandlerKind Create() const { return FamilyMissing ? TSkinHandlerKind::None : Offer.Handler; }
};

// The platform steps OfferControl runs in the middle of its decision.
struct TOfferHooks {
  // Makes the window of a windowed control that has none and fills in HasHandle, Handle
  // and Style; false when that failed.
  std::function<bool(TControlFacts& facts)> EnsureWindow;
  // Raises OnSkinControl when assigned; true when the event supplied a handler.
  std::function<bool()> AskEvent;
};

// The whole offer of one control: Tag and IsHandled, the window, the event, Skin3rd, the
// skipped classes, then the first matching fixed rule.
TOfferDecision OfferControl(TControlFacts control, const TSkinPassConfig& config,
                            std::span<const TSkinHandlerRef> handlers, std::string_view formName,
                            const TOfferHooks& hooks = {});

// The Skin3rd lookup alone; Found is false when no line names the class.
struct TMapResult {
  bool Found = false;
  std::string Kind;  // lower case, at most 50 characters
  TOfferDecision Decision;
};
TMapResult MapByName(std::string_view className, const TSkinPassConfig& config);

// What a child of an "embedscrollbar" control gets.
TSkinOffer EmbeddedChildOffer(const TControlFacts& child, const TSkinPassConfig& config);

bool IsScrollable(const TControlFacts& control);
bool IsHandled(const TControlFacts& control, std::span<const TSkinHandlerRef> handlers,
               std::string_view formName);
// A date-time picker shows a drop-down unless it is an up-down date picker or a time picker.
bool DateTimePickerHasDropDown(std::string_view kind, std::string_view dateMode);

// One row of the fixed rules.
struct TSkinRule {
  enum class TMatch { Names, Class, Scrollable };
  enum class TChoice { Fixed, DateTimePicker, NumButtons };
  std::string_view Row;  // how the row reads in a decision's Detail
  TMatch Match = TMatch::Names;
  std::vector<std::string_view> Names;   // upper-case class names (Names), or the class (Class)
  std::vector<std::string_view> Except;  // descendants of these classes, or these names, never match
  TSkinControlTypes Gate = 0;            // every member must be in SkinControls
  bool NeedsTabs = false;
  TSkinOffer Offer;
  TChoice Choice = TChoice::Fixed;
};
const std::vector<TSkinRule>& SkinRules();

// Foreign windows (not of the class library), by class name and style.
struct TWindowFacts {
  std::string ClassName;  // any case
  uint32_t Style = 0;
  uintptr_t Window = 0;
  uintptr_t FirstChild = 0;  // the first child window, for "comboboxex32"
};
struct TWindowOffer {
  TSkinHandlerKind Handler = TSkinHandlerKind::None;  // attached with InitHandle
  uintptr_t Target = 0;                               // the window that gets it
  bool operator==(const TWindowOffer&) const = default;
};
TWindowOffer OfferWindow(const TWindowFacts& window, std::span<const TSkinHandlerRef> handlers);
