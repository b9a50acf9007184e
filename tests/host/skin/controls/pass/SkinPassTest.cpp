#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/controls/SkinPass.h"

namespace {
using K = TSkinHandlerKind;
using A = TSkinAttach;
using C = TSkinChildPass;
using R = TOfferReason;

const std::vector<std::string> WinTail = {"TWINCONTROL", "TCONTROL", "TCOMPONENT", "TPERSISTENT", "TOBJECT"};
const std::vector<std::string> GraphicTail = {"TGRAPHICCONTROL", "TCONTROL", "TCOMPONENT", "TPERSISTENT",
                                              "TOBJECT"};

TControlFacts Win(std::vector<std::string> own, uint32_t style = 0, int tag = 0) {
  TControlFacts f;
  f.Classes = std::move(own);
  f.Classes.insert(f.Classes.end(), WinTail.begin(), WinTail.end());
  f.Windowed = true;
  f.HasHandle = true;
  f.Handle = 0x1234;
  f.Style = style;
  f.Tag = tag;
  return f;
}
TControlFacts Graphic(std::vector<std::string> own) {
  TControlFacts f;
  f.Classes = std::move(own);
  f.Classes.insert(f.Classes.end(), GraphicTail.begin(), GraphicTail.end());
  return f;
}

constexpr TSkinControlTypes Without(TSkinControlType t) { return DefaultSkinControls & ~SkinBit(t); }

struct PassSetup {
  TSkinControlTypes controls = DefaultSkinControls;
  std::vector<std::string> skin3rd = {};
  bool tabs = false;
};

// The configuration borrows the setup's lines: keep the setup alive while it is used.
TSkinPassConfig Config(const PassSetup& s) {
  TSkinPassConfig c;
  c.SkinControls = s.controls;
  c.Skin3rd = s.skin3rd;
  c.TabsExist = s.tabs;
  c.Families = TSkinFamilySet::All();
  return c;
}

TOfferDecision Offer(const TControlFacts& f, const PassSetup& s, const TOfferHooks& hooks = {}) {
  return OfferControl(f, Config(s), {}, "frmMain", hooks);
}
}  // namespace

TEST(OfferControl, DecidesByTagThirdPartyLinesAndFixedRules) {
  const TControlFacts button = Win({"TBUTTON", "TBUTTONCONTROL"});
  const TControlFacts bitBtn = Win({"TBITBTN", "TBUTTON", "TBUTTONCONTROL"});
  const TControlFacts rzBitBtn = Win({"TRZBITBTN", "TRZBUTTON", "TCUSTOMCONTROL"});
  const TControlFacts advPages = Win({"TADVPAGECONTROL", "TPAGECONTROL", "TCUSTOMTABCONTROL"});
  const TControlFacts qrPreview = Win({"TQRPREVIEW", "TCUSTOMPANEL", "TCUSTOMCONTROL"});
  const std::vector<std::string> rz = {"TRzBitbtn=bitbtn"};
  struct Case {
    const char* what;
    TControlFacts facts;
    PassSetup setup;
    R why;
    K handler;
    std::string detail;
  } cases[] = {
      {"plain button", button, {}, R::Rule, K::Button, "TButton"},
      {"Tag 99", Win({"TBUTTON"}, 0, 99), {}, R::DisabledTag, K::None, ""},
      {"Tag 100 + DisableTag", Win({"TBUTTON"}, 0, 199), {}, R::DisabledTag, K::None, ""},
      {"Tag 98", Win({"TBUTTON"}, 0, 98), {}, R::Rule, K::Button, "TButton"},
      {"Tag -99 is not 99 mod 100", Win({"TBUTTON"}, 0, -99), {}, R::Rule, K::Button, "TButton"},
      {"bit button", bitBtn, {}, R::Rule, K::BitButton, "TBitBtn"},
      {"bit button without xcBitBtn stays unskinned", bitBtn, {Without(xcBitBtn)}, R::NoRule, K::None, ""},
      {"bitbtn line gated by xcButton",
       rzBitBtn,
       {Without(xcBitBtn), rz},
       R::Skin3rd,
       K::BitButton,
       "bitbtn"},
      {"bitbtn line without xcButton", rzBitBtn, {Without(xcButton), rz}, R::Skin3rd, K::None, "bitbtn"},
      {"nil leaves the control alone",
       advPages,
       {DefaultSkinControls, {"TAdvPageControl=nil"}, true},
       R::Skin3rd,
       K::None,
       "nil"},
      {"without the nil line the page control gets tabs",
       advPages,
       {DefaultSkinControls, {}, true},
       R::Rule,
       K::Tab,
       "TPageControl"},
      {"an unknown kind still stops the rules",
       button,
       {DefaultSkinControls, {"TButton=gizmo"}},
       R::Skin3rd,
       K::None,
       "gizmo"},
      {"lines compare in lower case",
       button,
       {DefaultSkinControls, {"tBUTTON=CheckBox"}},
       R::Skin3rd,
       K::CheckBox,
       "checkbox"},
      {"a longer class name is another class",
       button,
       {DefaultSkinControls, {"TButtonX=nil"}},
       R::Rule,
       K::Button,
       "TButton"},
      {"skipped class", qrPreview, {}, R::SkippedClass, K::None, "TQRPREVIEW"},
      {"a label has no rule", Graphic({"TLABEL", "TCUSTOMLABEL"}), {}, R::NoRule, K::None, ""},
  };
  for (const Case& c : cases) {
    const TOfferDecision d = Offer(c.facts, c.setup);
    EXPECT_EQ(d.Why, c.why) << c.what;
    EXPECT_EQ(d.Offer.Handler, c.handler) << c.what;
    EXPECT_EQ(d.Detail, c.detail) << c.what;
  }
}

TEST(OfferControl, FixedRulesGiveAttachAndChildren) {
  const TControlFacts memoScrolled = Win({"TMEMO", "TCUSTOMMEMO", "TCUSTOMEDIT"}, WinStyle::VScroll);
  const TControlFacts radioGroup = Win({"TRADIOGROUP", "TCUSTOMRADIOGROUP", "TCUSTOMGROUPBOX"});
  struct Case {
    const char* what;
    TControlFacts facts;
    PassSetup setup;
    K handler;
    A attach;
    bool recolor;
    C children;
    K eachChild;
  } cases[] = {
      {"speed button", Graphic({"TSPEEDBUTTON"}), {}, K::SpeedButton, A::Graphic, false, C::None, K::None},
      {"panel", Win({"TPANEL", "TCUSTOMPANEL"}), {}, K::Box, A::Control, true, C::Offer, K::None},
      {"group box",
       Win({"TGROUPBOX", "TCUSTOMGROUPBOX"}),
       {},
       K::GroupBox,
       A::Control,
       true,
       C::Offer,
       K::None},
      {"radio group", radioGroup, {}, K::GroupBox, A::Control, true, C::EachChild, K::RadioButton},
      {"radio group without xcRadioButton is a group box",
       radioGroup,
       {Without(xcRadioButton)},
       K::GroupBox,
       A::Control,
       true,
       C::Offer,
       K::None},
      {"memo with a vertical bar", memoScrolled, {}, K::Scrollbar, A::ScrollControl, false, C::None, K::None},
      {"memo with a bar, no xcScrollbar",
       memoScrolled,
       {Without(xcScrollbar)},
       K::Edit,
       A::Handle,
       false,
       C::None,
       K::None},
      {"embedded form",
       Win({"TFORM1", "TFORM", "TCUSTOMFORM", "TSCROLLINGWINCONTROL"}),
       {},
       K::Box,
       A::Control,
       true,
       C::Offer,
       K::None},
      {"frame",
       Win({"TFRAME1", "TFRAME", "TCUSTOMFRAME", "TSCROLLINGWINCONTROL"}),
       {},
       K::None,
       A::Control,
       false,
       C::Offer,
       K::None},
      {"MVC panel", Win({"TMVCPANEL"}), {}, K::None, A::Control, false, C::Offer, K::None},
      {"tab set with Tabs",
       Win({"TTABSET", "TCUSTOMTABSET"}),
       {DefaultSkinControls, {}, true},
       K::Tab31,
       A::Control,
       false,
       C::None,
       K::None},
      {"up-down", Win({"TUPDOWN", "TCUSTOMUPDOWN"}), {}, K::UpDown, A::Control, false, C::None, K::None},
      {"rich edit",
       Win({"TRICHEDIT", "TCUSTOMRICHEDIT", "TCUSTOMMEMO", "TCUSTOMEDIT"}),
       {},
       K::Scrollbar,
       A::ScrollControl,
       false,
       C::None,
       K::None},
      {"list view",
       Win({"TLISTVIEW", "TCUSTOMLISTVIEW"}),
       {},
       K::ListView,
       A::ScrollControl,
       false,
       C::None,
       K::None},
      {"scroll-bar control", Win({"TSCROLLBAR"}), {}, K::ScControl, A::ScControl, false, C::None, K::None},
      {"check box",
       Win({"TCHECKBOX", "TCUSTOMCHECKBOX"}),
       {},
       K::CheckBox,
       A::Control,
       false,
       C::None,
       K::None},
      {"combo box",
       Win({"TCOMBOBOX", "TCUSTOMCOMBOBOX"}),
       {},
       K::ComBox,
       A::Control,
       false,
       C::None,
       K::None},
  };
  for (const Case& c : cases) {
    const TOfferDecision d = Offer(c.facts, c.setup);
    EXPECT_EQ(d.Offer.Handler, c.handler) << c.what;
    if (c.handler != K::None) {
      EXPECT_EQ(d.Offer.Attach, c.attach) << c.what;
      EXPECT_EQ(d.Offer.Recolor, c.recolor) << c.what;
    }
    EXPECT_EQ(d.Offer.Children, c.children) << c.what;
    EXPECT_EQ(d.Offer.EachChild, c.eachChild) << c.what;
  }
}

TEST(OfferControl, RowsWithSideEffects) {
  const TOfferDecision nav = Offer(Win({"TDBNAVIGATOR", "TCUSTOMPANEL"}), {});
  EXPECT_EQ(nav.Detail, "TDBNavigator");
  EXPECT_EQ(nav.Offer.Handler, K::Box);
  EXPECT_EQ(nav.Offer.SetProperty, "Flat");

  const TOfferDecision rz = Offer(Win({"TRZDBCHECKBOX", "TRZCUSTOMCHECKBOX"}), {});
  EXPECT_EQ(rz.Offer.Handler, K::ObjImage);
  EXPECT_TRUE(rz.Offer.FeedGlyphs);
  EXPECT_TRUE(rz.Offer.Recolor);

  // Our own glyph check box is a check box too, but it is fed glyphs, never overpainted.
  const TOfferDecision glyph = Offer(Win({"TGLYPHCHECKBOX", "TCUSTOMCHECKBOX"}), {});
  EXPECT_EQ(glyph.Detail, "TRzDBCheckBox");
  EXPECT_EQ(glyph.Offer.Handler, K::ObjImage);
  EXPECT_TRUE(glyph.Offer.FeedGlyphs);
  EXPECT_EQ(Offer(Win({"TCHECKBOX", "TCUSTOMCHECKBOX"}), {}).Offer.Handler, K::CheckBox);

  const TOfferDecision toolbar = Offer(Win({"TTOOLBAR", "TTOOLWINDOW"}), {});
  EXPECT_EQ(toolbar.Offer.Handler, K::Box);
  EXPECT_EQ(toolbar.Offer.SetProperty, "Flat");
  EXPECT_TRUE(toolbar.Offer.SkinMenuItems);

  const TOfferDecision box = Offer(Win({"TSCROLLBOX", "TSCROLLINGWINCONTROL"}), {});
  EXPECT_EQ(box.Offer.Handler, K::Scrollbar);
  EXPECT_TRUE(box.Offer.ButtonFaceColour);
}

TEST(OfferControl, DateTimePickerAndDcEditChooseByProperties) {
  struct Case {
    const char* kind;
    const char* mode;
    TSkinControlTypes controls;
    K handler;
  } pickers[] = {
      {"dtkDate", "dmComboBox", DefaultSkinControls, K::ComBox},
      {"dtkDate", "dmUpDown", DefaultSkinControls, K::Edit},
      {"DTKTIME", "dmComboBox", DefaultSkinControls, K::Edit},
      {"", "", DefaultSkinControls, K::ComBox},  // missing properties: a plain date picker
      {"dtkDate", "dmComboBox", Without(xcEdit), K::None},
  };
  for (const auto& p : pickers) {
    TControlFacts f = Win({"TDATETIMEPICKER", "TCOMMONCALENDAR"});
    f.DateTimeKind = p.kind;
    f.DateMode = p.mode;
    EXPECT_EQ(Offer(f, {p.controls}).Offer.Handler, p.handler) << p.kind << " " << p.mode;
  }

  struct DcCase {
    long buttons;
    TSkinControlTypes controls;
    K handler;
    A attach;
  } dcEdits[] = {
      {1, DefaultSkinControls, K::ComBox, A::Control}, {0, DefaultSkinControls, K::Edit, A::Handle},
      {2, DefaultSkinControls, K::None, A::Control},   {1, Without(xcCombo), K::None, A::Control},
      {0, Without(xcEdit), K::None, A::Control},
  };
  for (const auto& d : dcEdits) {
    TControlFacts f = Win({"TDCEDIT"});
    f.NumButtons = d.buttons;
    const TOfferDecision r = Offer(f, {d.controls});
    EXPECT_EQ(r.Why, R::Rule);
    EXPECT_EQ(r.Offer.Handler, d.handler) << d.buttons;
    EXPECT_EQ(r.Offer.Attach, d.attach) << d.buttons;
  }
}

TEST(OfferControl, RunsTheWindowAndEventStepsInOrder) {
  std::vector<std::string> calls;
  TOfferHooks hooks;
  hooks.EnsureWindow = [&](TControlFacts& f) {
    calls.push_back("window");
    f.HasHandle = true;
    f.Handle = 0x77;
    f.Style = WinStyle::VScroll;  // the new window shows a scroll bar
    return true;
  };
  bool eventGives = false;
  hooks.AskEvent = [&] {
    calls.push_back("event");
    return eventGives;
  };

  TControlFacts memo = Win({"TMEMO", "TCUSTOMEDIT"});
  memo.HasHandle = false;
  memo.Handle = 0;
  EXPECT_EQ(Offer(memo, {}, hooks).Offer.Handler, K::Scrollbar);  // decided on the fresh window's style
  EXPECT_EQ(calls, (std::vector<std::string>{"window", "event"}));

  calls.clear();
  EXPECT_EQ(Offer(Win({"TBUTTON"}, 0, 199), {}, hooks).Why, R::DisabledTag);
  EXPECT_TRUE(calls.empty());

  calls.clear();
  EXPECT_EQ(Offer(Graphic({"TSPEEDBUTTON"}), {}, hooks).Offer.Handler, K::SpeedButton);
  EXPECT_EQ(calls, (std::vector<std::string>{"event"}));  // windowless: no window to make

  calls.clear();
  hooks.EnsureWindow = [&](TControlFacts&) {
    calls.push_back("window");
    return false;
  };
  EXPECT_EQ(Offer(memo, {}, hooks).Why, R::NoWindow);
  EXPECT_EQ(calls, (std::vector<std::string>{"window"}));

  // The event's handler wins over Skin3rd and the rules; a panel's children follow it.
  eventGives = true;
  const TOfferDecision panel =
      Offer(Win({"TPANEL", "TCUSTOMPANEL"}), {DefaultSkinControls, {"TPanel=nil"}}, hooks);
  EXPECT_EQ(panel.Why, R::ByEvent);
  EXPECT_EQ(panel.Offer.Handler, K::None);
  EXPECT_EQ(panel.Offer.Children, C::Offer);
  EXPECT_EQ(Offer(Win({"TBUTTON"}), {}, hooks).Offer.Children, C::None);
}

TEST(OfferControl, RowsOfFamiliesNotYetLandedCreateNothing) {
  const PassSetup setup;
  TSkinPassConfig config = Config(setup);
  config.Families = TSkinFamilySet();
  config.Families.Add(K::Button);
  const TOfferDecision button = OfferControl(Win({"TBUTTON"}), config, {}, "frmMain");
  EXPECT_FALSE(button.FamilyMissing);
  EXPECT_EQ(button.Create(), K::Button);

  // The panel row still decides (no later row skins the panel) but makes no handler.
  const TOfferDecision panel = OfferControl(Win({"TPANEL", "TCUSTOMPANEL"}), config, {}, "frmMain");
  EXPECT_EQ(panel.Why, R::Rule);
  EXPECT_EQ(panel.Offer.Handler, K::Box);
  EXPECT_TRUE(panel.FamilyMissing);
  EXPECT_EQ(panel.Create(), K::None);
}

TEST(MapByName, EveryKindWithAndWithoutItsGate) {
  struct Case {
    const char* kind;
    std::vector<TSkinControlType> gate;  // members that must all be present
    bool needsTabs;
    TSkinOffer expected;
  };
  auto offer = [](K h, A a = A::Control, bool recolor = false) {
    TSkinOffer o;
    o.Handler = h;
    o.Attach = a;
    o.Recolor = recolor;
    return o;
  };
  auto children = [](TSkinOffer o, C pass, K each = K::None) {
    o.Children = pass;
    o.EachChild = each;
    return o;
  };
  auto prop = [](TSkinOffer o, std::string_view p) {
    o.SetProperty = p;
    return o;
  };
  const Case cases[] = {
      {"nil", {}, false, {}},
      {"combobox", {xcCombo}, false, offer(K::ComBox)},
      {"edit", {xcEdit}, false, offer(K::Edit, A::Handle)},
      {"radiobutton", {xcRadioButton}, false, offer(K::RadioButton)},
      {"panel", {xcPanel}, false, prop(offer(K::Box, A::Control, true), "Transparent")},
      {"trackbar", {xcButton}, false, prop(offer(K::TrackBar), "Transparent")},
      {"button", {xcButton}, false, offer(K::Button)},
      {"bitbtn", {xcButton}, false, offer(K::BitButton)},
      {"speedbutton", {xcSpeedButton}, false, offer(K::SpeedButton, A::Graphic)},
      {"tab", {xcTab}, true, offer(K::Tab, A::Handle)},
      {"progress", {xcProgress}, false, offer(K::Progress)},
      {"scrollbar", {xcScrollbar}, false, children(offer(K::Scrollbar, A::ScrollControl), C::Offer)},
      {"embedscrollbar", {xcScrollbar}, false, children({}, C::Embedded)},
      {"container", {}, false, children({}, C::MapByName)},
      {"groupbox", {xcGroupBox}, false, offer(K::GroupBox, A::Control, true)},
      {"radiogroup", {xcGroupBox, xcRadioButton}, false, children({}, C::EachChild, K::RadioButton)},
      {"checkgroup", {xcPanel, xcRadioButton}, false, children({}, C::EachChild, K::CheckBox)},
      {"checkbox", {xcCheckBox}, false, offer(K::CheckBox)},
  };
  for (const Case& c : cases) {
    const PassSetup setup = {AllSkinControlTypes, {"TOther=button", std::string("TThing=") + c.kind}, true};
    TSkinPassConfig config = Config(setup);
    TMapResult r = MapByName("TTHING", config);
    ASSERT_TRUE(r.Found) << c.kind;
    EXPECT_EQ(r.Kind, c.kind);
    EXPECT_EQ(r.Decision.Why, R::Skin3rd);
    EXPECT_EQ(r.Decision.Offer, c.expected) << c.kind;
    for (TSkinControlType member : c.gate) {
      config.SkinControls = AllSkinControlTypes & ~SkinBit(member);
      r = MapByName("TThing", config);
      EXPECT_TRUE(r.Found) << c.kind;
      EXPECT_EQ(r.Decision.Offer, TSkinOffer{}) << c.kind << " without member " << member;
    }
    if (c.needsTabs) {
      config.SkinControls = AllSkinControlTypes;
      config.TabsExist = false;
      EXPECT_EQ(MapByName("TThing", config).Decision.Offer, TSkinOffer{}) << c.kind;
    }
  }
}

TEST(MapByName, LinesAndTheirLimits) {
  const std::vector<std::string> lines = {
      "TShort=edit",                    //
      "TLong=" + std::string(60, 'x'),  // kinds are cut at 50 characters
      "TEmpty=",                        //
      "TTwice=Panel",
      "TTwice=checkbox",  // the first line wins
      "NoEquals",         //
      "TMixed=ComboBox",  //
  };
  const PassSetup setup = {AllSkinControlTypes, lines};
  const TSkinPassConfig config = Config(setup);
  EXPECT_FALSE(MapByName("TSHORTER", config).Found);
  EXPECT_FALSE(MapByName("TSHOR", config).Found);
  EXPECT_FALSE(MapByName("NOEQUALS", config).Found);
  EXPECT_FALSE(MapByName("", config).Found);
  EXPECT_EQ(MapByName("TLONG", config).Kind, std::string(50, 'x'));
  EXPECT_EQ(MapByName("TLONG", config).Decision.Offer.Handler, K::None);
  EXPECT_TRUE(MapByName("TEMPTY", config).Found);
  EXPECT_EQ(MapByName("TEMPTY", config).Kind, "");
  EXPECT_EQ(MapByName("ttwice", config).Decision.Offer.Handler, K::Box);
  EXPECT_EQ(MapByName("TMIXED", config).Decision.Offer.Handler, K::ComBox);
}

TEST(MapByName, DefaultLinesOfTheSkinComponent) {
  TSkinData data(nullptr, SoftwareSkinPlatform());
  const TSkinPassConfig config = PassConfigFrom(data, TSkinFamilySet::All());
  EXPECT_EQ(config.DisableTag, 99);
  EXPECT_EQ(config.Skin3rd.size(), 110u);
  struct Case {
    const char* upperClass;
    const char* kind;
    K handler;
  } cases[] = {
      {"TRZBITBTN", "bitbtn", K::BitButton},    {"TADVPAGECONTROL", "nil", K::None},
      {"TLMDGROUPBOX", "panel", K::Box},  // listed as "Panel" before "Groupbox": the first line decides
      {"TWWDBCOMBOBOX", "combobox", K::ComBox}, {"TRXSPEEDBUTTON", "speedbutton", K::SpeedButton},
      {"TRZRADIOGROUP", "radiogroup", K::None}, {"TADVMEMO", "scrollbar", K::Scrollbar},
  };
  for (const Case& c : cases) {
    const TMapResult r = MapByName(c.upperClass, config);
    EXPECT_TRUE(r.Found) << c.upperClass;
    EXPECT_EQ(r.Kind, c.kind) << c.upperClass;
    EXPECT_EQ(r.Decision.Offer.Handler, c.handler) << c.upperClass;
  }
  EXPECT_EQ(MapByName("TRZRADIOGROUP", config).Decision.Offer.EachChild, K::RadioButton);
  EXPECT_FALSE(MapByName("TBUTTON", config).Found);
}

TEST(PassConfig, TabRowsNeedTheTabsElement) {
  TSkinData data(nullptr, SoftwareSkinPlatform());
  data.Tabs.reset();
  const TControlFacts tabSet = Win({"TTABSET"});
  EXPECT_EQ(OfferControl(tabSet, PassConfigFrom(data, TSkinFamilySet::All()), {}, "f").Offer.Handler,
            K::None);
  data.Tabs = std::make_unique<TDataSkinBorder>("Tabs", SoftwareSkinPlatform());
  EXPECT_EQ(OfferControl(tabSet, PassConfigFrom(data, TSkinFamilySet::All()), {}, "f").Offer.Handler,
            K::Tab31);
  data.SkinControls &= ~SkinBit(xcTab);
  EXPECT_EQ(OfferControl(tabSet, PassConfigFrom(data, TSkinFamilySet::All()), {}, "f").Offer.Handler,
            K::None);
}

TEST(IsHandled, WalksTheFormsHandlers) {
  int controlA = 0, controlB = 0;
  TControlFacts a = Win({"TBUTTON"});
  a.Identity = &controlA;
  a.Handle = 0x100;
  TControlFacts noWindow = a;
  noWindow.HasHandle = false;
  noWindow.Handle = 0;
  TControlFacts graphic = Graphic({"TSPEEDBUTTON"});
  graphic.Identity = &controlA;

  const std::vector<TSkinHandlerRef> boundToB = {{&controlB, 0x200}};
  const std::vector<TSkinHandlerRef> boundToA = {{&controlB, 0x200}, {&controlA, 0x100}};
  const std::vector<TSkinHandlerRef> rawSame = {{nullptr, 0x100}};
  const std::vector<TSkinHandlerRef> rawOther = {{nullptr, 0x300}};
  const std::vector<TSkinHandlerRef> rawThenA = {{nullptr, 0x300}, {&controlA, 0x100}};
  struct Case {
    const char* what;
    const TControlFacts& control;
    const std::vector<TSkinHandlerRef>& list;
    const char* form;
    bool expected;
  } cases[] = {
      {"empty list", a, {}, "frmMain", false},
      {"another control's handler", a, boundToB, "frmMain", false},
      {"its own handler", a, boundToA, "frmMain", true},
      {"a raw handler of its window", a, rawSame, "frmMain", true},
      {"a raw handler of another window", a, rawOther, "frmMain", false},
      {"no window yet, ordinary form", noWindow, rawOther, "frmMain", false},
      {"no window yet, preview form", noWindow, rawOther, "frmPrintPreview", true},
      {"no window yet, named preview", noWindow, rawOther, "TQRStandardPreview", true},
      {"no window yet, no raw handler", noWindow, boundToB, "frmPreview", false},
      {"own handler after a raw one", noWindow, rawThenA, "frmMain", true},
      {"windowless control, raw handlers", graphic, rawSame, "frmPreview", false},
      {"windowless control, own handler", graphic, boundToA, "frmMain", true},
  };
  for (const Case& c : cases) EXPECT_EQ(IsHandled(c.control, c.list, c.form), c.expected) << c.what;

  // The pass skips what is handled.
  EXPECT_EQ(OfferControl(a, Config({}), boundToA, "frmMain").Why, R::AlreadyHandled);
}

TEST(IsScrollable, StyleTagAndClasses) {
  struct Case {
    const char* what;
    TControlFacts facts;
    bool expected;
  } cases[] = {
      {"plain", Win({"TEDIT"}), false},
      {"horizontal bar", Win({"TEDIT"}, WinStyle::HScroll), true},
      {"vertical bar", Win({"TEDIT"}, WinStyle::VScroll), true},
      {"Tag 55", Win({"TEDIT"}, 0, 55), true},
      {"Tag 155", Win({"TEDIT"}, 0, 155), false},
      {"list box", Win({"TLISTBOX", "TCUSTOMLISTBOX"}), true},
      {"grid", Win({"TSTRINGGRID", "TDRAWGRID", "TCUSTOMGRID"}), true},
      {"windowless Tag 55",
       [] {
         TControlFacts f = Graphic({"TIMAGE"});
         f.Tag = 55;
         return f;
       }(),
       false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsScrollable(c.facts), c.expected) << c.what;
}

TEST(EmbeddedChildOffer, ScrolledChildrenAndScrollBars) {
  const PassSetup all, noBars = {Without(xcScrollbar)};
  const TSkinPassConfig on = Config(all);
  const TSkinPassConfig off = Config(noBars);
  EXPECT_EQ(EmbeddedChildOffer(Win({"TMEMO"}, WinStyle::VScroll), on).Handler, K::Scrollbar);
  EXPECT_EQ(EmbeddedChildOffer(Win({"TSCROLLBAR"}), on).Handler, K::ScControl);
  EXPECT_EQ(EmbeddedChildOffer(Win({"TSCROLLBAR"}), on).Attach, A::ScControl);
  EXPECT_EQ(EmbeddedChildOffer(Win({"TBUTTON"}), on).Handler, K::None);
  EXPECT_EQ(EmbeddedChildOffer(Win({"TMEMO"}, WinStyle::VScroll), off).Handler, K::None);
}

TEST(OfferWindow, ButtonsByStyleAndOtherClasses) {
  const uint32_t extra = WinStyle::Child | 0x00010000;  // WS_TABSTOP and the like do not count
  const K byStyle[16] = {
      K::Button, K::Button,      K::CheckBox, K::CheckBox, K::RadioButton, K::CheckBox, K::CheckBox, K::None,
      K::Button, K::RadioButton, K::CheckBox, K::CheckBox, K::RadioButton, K::CheckBox, K::CheckBox, K::None};
  for (uint32_t style = 0; style < 16; ++style) {
    const TWindowOffer o = OfferWindow({"Button", style | extra, 0x10, 0}, {});
    EXPECT_EQ(o.Handler, byStyle[style]) << "button style " << style;
    EXPECT_EQ(o.Target, byStyle[style] == K::None ? 0u : 0x10u) << "button style " << style;
  }
  struct Case {
    const char* cls;
    uint32_t style;
    uintptr_t child;
    TWindowOffer expected;
  } cases[] = {
      {"ComboBox", WinCtl::ComboSimple, 0, {}},
      {"ComboBox", 2, 0, {K::ComBox, 0x10}},
      {"COMBOBOX", 3, 0, {K::ComBox, 0x10}},
      {"ComboBoxEx32", 0, 0x11, {K::ComBox, 0x11}},
      {"ComboBoxEx32", 0, 0, {}},
      {"ScrollBar", 0, 0, {K::Sizer, 0x10}},
      {"#32770", 0, 0, {K::BoxH, 0x10}},
      {"Edit", 0, 0, {K::Edit, 0x10}},
      {"SysTreeView32", 0, 0, {}},
      {"ToolbarWindow32", 0, 0, {}},
      {"Static", 0, 0, {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(OfferWindow({c.cls, c.style, 0x10, c.child}, {}), c.expected) << c.cls;
}

TEST(OfferWindow, NeverTwice) {
  const std::vector<TSkinHandlerRef> list = {{nullptr, 0x10}, {nullptr, 0x21}};
  EXPECT_EQ(OfferWindow({"Button", 0, 0x10, 0}, list).Handler, K::None);
  EXPECT_EQ(OfferWindow({"Button", 0, 0x11, 0}, list).Handler, K::Button);
  EXPECT_EQ(OfferWindow({"ComboBoxEx32", 0, 0x20, 0x21}, list).Handler, K::None);
}

TEST(OfferWindow, AStandardDialogsControls) {
  // A dialog made from a template: the dialog itself, a push button, a check box, a group box.
  struct Child {
    const char* cls;
    uint32_t style;
    K expected;
  } children[] = {
      {"#32770", 0x80C80000, K::BoxH},
      {"Button", WinStyle::Child | WinCtl::ButtonDefPush, K::Button},
      {"Button", WinStyle::Child | WinCtl::ButtonAutoCheckBox, K::CheckBox},
      {"Button", WinStyle::Child | WinCtl::ButtonGroupBox, K::None},
  };
  uintptr_t window = 0x500;
  for (const Child& c : children)
    EXPECT_EQ(OfferWindow({c.cls, c.style, ++window, 0}, {}).Handler, c.expected);
}

TEST(SkinFamilies, OnlyRegisteredFamiliesCreate) {
  TSkinFamilyTable<TComponent> table;
  EXPECT_FALSE(table.Kinds().Has(K::Button));
  TComponent owner(nullptr);
  table.Register(K::Button, [](TComponent* o) { return new TComponent(o); });
  EXPECT_TRUE(table.Has(K::Button));
  EXPECT_TRUE(table.Kinds().Has(K::Button));
  EXPECT_FALSE(table.Kinds().Has(K::Edit));
  EXPECT_FALSE(table.Has(K::None));
  TComponent* made = table.Create(K::Button, &owner);
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->Owner(), &owner);  // freed by its owner
  EXPECT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(table.Create(K::Edit, &owner), nullptr);
  EXPECT_EQ(owner.ComponentCount(), 1);
}

TEST(SkinRules, ClassChainUpperCaseMostDerivedFirst) {
  const TClassInfo base("TWinControl", nullptr);
  const TClassInfo button("TButton", &base);
  const TClassInfo bitBtn("TBitBtn", &button);
  EXPECT_EQ(ClassChain(bitBtn), (std::vector<std::string>{"TBITBTN", "TBUTTON", "TWINCONTROL"}));
  EXPECT_EQ(HandlerClassName(K::Progress), "TSkinProgress");
}
