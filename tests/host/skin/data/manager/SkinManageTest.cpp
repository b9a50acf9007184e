// The skin manager's decisions: SkinWindow's tests and their order, the choice of the
// component for a window, the command table, commands before the first activation, the
// popup gate per menu kind, and the component list.
#include <gtest/gtest.h>

#include <map>

#include "skin/data/SkinManage.h"

namespace {

std::unique_ptr<TSkinData> Component(TSkinFormType type, bool hasSkin = true) {
  auto d = std::make_unique<TSkinData>(nullptr, SoftwareSkinPlatform());
  d->SkinFormtype = type;
  d->NoSkin = !hasSkin;
  return d;
}

// Answers from a table of facts and writes down every question asked, in order.
class TScriptedProbe : public ISkinWindowProbe {
 public:
  std::vector<std::string> Asked;
  bool On = true, Query = false, Handler = false, Form = true, Scan = false, Child = false;
  std::string Parent = "", Class = "TForm1";
  int Width = 300, Height = 200, Tag = 0;
  TSkinData* Main = nullptr;
  TSkinData* Found = nullptr;
  TSkinData* AttachedWith = nullptr;
  bool Takes = true;  // whether the window lets the handler take it over

  bool SkinningOn() override { return Ask("on", On); }
  void PurgeClosed() override { Asked.push_back("purge"); }
  bool AnswersSkinQuery() override { return Ask("query", Query); }
  bool HasFormHandler() override { return Ask("handler", Handler); }
  bool LookUpForm() override { return Ask("form", Form); }
  bool Scanning() override { return Ask("scanning", Scan); }
  bool IsChildWindow() override { return Ask("child", Child); }
  std::string ParentClassName() override { return Ask("parent", Parent); }
  int WindowWidth() override { return Ask("width", Width); }
  int WindowHeight() override { return Ask("height", Height); }
  int FormTag() override { return Ask("tag", Tag); }
  std::string ClassName() override { return Ask("class", Class); }
  TSkinData* MainSkinData() override { return Ask("main", Main); }
  TSkinData* FindSkinData() override { return Ask("find", Found); }
  bool Attach(TSkinData* d) override {
    Asked.push_back("attach");
    AttachedWith = d;
    return Takes;
  }

 private:
  template <class T>
  T Ask(const char* what, T value) {
    Asked.push_back(what);
    return value;
  }
};

using V = TSkinWindowVerdict;

TEST(SkinWindow, AQualifyingWindowIsAskedEverythingInOrderAndAttached) {
  auto data = Component(sfMainform);
  TScriptedProbe p;
  p.Main = data.get();
  p.Found = data.get();
  EXPECT_EQ(DecideSkinWindow(p), V::Attached);
  EXPECT_EQ(p.AttachedWith, data.get());
  const std::vector<std::string> order = {"on",       "purge", "query", "handler", "form",
                                          "scanning", "child", "width", "height",  "tag",
                                          "class",    "main",  "find",  "attach"};
  EXPECT_EQ(p.Asked, order);

  // A window that refuses the subclass is not reported as skinned.
  TScriptedProbe refusing;
  refusing.Found = data.get();
  refusing.Takes = false;
  EXPECT_EQ(DecideSkinWindow(refusing), V::NotAttached);
}

// Each failing test stops SkinWindow before the next one is asked and before any attach.
TEST(SkinWindow, StopsAtTheFirstFailingTest) {
  auto data = Component(sfMainform);
  auto noSkin = Component(sfMainform, false);
  auto refusing = Component(sfMainform);
  refusing->OnFormSkin = [](TObject*, const std::string&, bool& doSkin) { doSkin = false; };
  struct Case {
    const char* name;
    std::function<void(TScriptedProbe&)> set;
    V verdict;
    const char* lastAsked;
  };
  const Case cases[] = {
      {"off", [](TScriptedProbe& p) { p.On = false; }, V::SkinningOff, "on"},
      {"answers the query", [](TScriptedProbe& p) { p.Query = true; }, V::AlreadySkinned, "query"},
      {"has a handler", [](TScriptedProbe& p) { p.Handler = true; }, V::AlreadySkinned, "handler"},
      {"child of a form", [](TScriptedProbe& p) { p.Child = true, p.Parent = "TForm1"; }, V::ChildWindow,
       "parent"},
      {"zero width", [](TScriptedProbe& p) { p.Width = 0; }, V::ZeroSize, "width"},
      {"zero height", [](TScriptedProbe& p) { p.Height = 0; }, V::ZeroSize, "height"},
      {"form Tag 99", [](TScriptedProbe& p) { p.Tag = 99; }, V::Tag99, "tag"},
      {"TApplication", [](TScriptedProbe& p) { p.Class = "TApplication"; }, V::ExcludedClass, "class"},
      {"TQRStandardPreview", [](TScriptedProbe& p) { p.Class = "TQRStandardPreview"; }, V::ExcludedClass,
       "class"},
      {"month calendar", [](TScriptedProbe& p) { p.Class = "SysMonthCal32"; }, V::Refused, "main"},
      {"OnFormSkin says no", [&](TScriptedProbe& p) { p.Main = refusing.get(); }, V::Refused, "main"},
      {"no component", [](TScriptedProbe& p) { p.Found = nullptr; }, V::NoSkinData, "find"},
      {"component without skin", [&](TScriptedProbe& p) { p.Found = noSkin.get(); }, V::NoSkinData, "find"},
  };
  for (const Case& c : cases) {
    TScriptedProbe p;
    p.Main = data.get();
    p.Found = data.get();
    c.set(p);
    EXPECT_EQ(DecideSkinWindow(p), c.verdict) << c.name;
    EXPECT_EQ(p.Asked.back(), c.lastAsked) << c.name;
    EXPECT_EQ(p.AttachedWith, nullptr) << c.name;
  }
}

TEST(SkinWindow, WindowsThatPassTheTestsSomeOtherWay) {
  auto data = Component(sfMainform);
  struct Case {
    const char* name;
    std::function<void(TScriptedProbe&)> set;
  };
  const Case cases[] = {
      {"MDI child (any case of the client class)",
       [](TScriptedProbe& p) { p.Child = true, p.Parent = "MDIClient"; }},
      {"child while scanning", [](TScriptedProbe& p) { p.Scan = true, p.Child = true, p.Parent = "TForm1"; }},
      {"form Tag 199", [](TScriptedProbe& p) { p.Tag = 199; }},
      {"foreign window: its Tag is not asked", [](TScriptedProbe& p) { p.Form = false, p.Tag = 99; }},
      {"no main component: every class allowed",
       [](TScriptedProbe& p) { p.Main = nullptr, p.Class = "SysMonthCal32"; }},
      {"class name is case-sensitive", [](TScriptedProbe& p) { p.Class = "tapplication"; }},
  };
  for (const Case& c : cases) {
    TScriptedProbe p;
    p.Main = data.get();
    p.Found = data.get();
    c.set(p);
    EXPECT_EQ(DecideSkinWindow(p), V::Attached) << c.name;
  }
  TScriptedProbe foreign;
  foreign.Form = false;
  foreign.Found = data.get();
  DecideSkinWindow(foreign);
  EXPECT_EQ(std::count(foreign.Asked.begin(), foreign.Asked.end(), "tag"), 0);
}

struct FindSkinDataTest : ::testing::Test {
  std::unique_ptr<TSkinData> main1 = Component(sfMainform), main2 = Component(sfMainform),
                             dialog1 = Component(sfDialog), dialog2 = Component(sfDialog),
                             only1 = Component(sfOnlyThisForm), only2 = Component(sfOnlyThisForm);
  // The window of only1 and only2's owner.
  std::function<bool(const TSkinData&)> Owns = [this](const TSkinData& d) {
    return &d == only1.get() || &d == only2.get();
  };
  std::function<bool(const TSkinData&)> OwnsNone = [](const TSkinData&) { return false; };
};

TEST_F(FindSkinDataTest, OnlyThisFormOwnerComesFirstThenDialogsThenMainform) {
  const std::vector<TSkinData*> all = {main1.get(), dialog1.get(), only1.get(),
                                       main2.get(), only2.get(),   dialog2.get()};
  EXPECT_EQ(ChooseSkinData(all, Owns, "#32770"), only2.get());
  EXPECT_EQ(ChooseSkinData(all, OwnsNone, "#32770"), dialog2.get());
  EXPECT_EQ(ChooseSkinData(all, OwnsNone, "TMessageForm"), dialog2.get());
  EXPECT_EQ(ChooseSkinData(all, OwnsNone, "tmessageFORM"), dialog2.get());
  EXPECT_EQ(ChooseSkinData(all, OwnsNone, "TForm1"), main2.get());
  EXPECT_EQ(ChooseSkinData(all, OwnsNone, "#32768"), main2.get());
}

TEST_F(FindSkinDataTest, FallsBackToMainformThenToTheFirst) {
  EXPECT_EQ(ChooseSkinData({main1.get(), main2.get()}, OwnsNone, "#32770"), main2.get());
  // Only components of other windows: none is sfMainform, so the first registered one.
  EXPECT_EQ(ChooseSkinData({only1.get(), dialog1.get(), only2.get()}, OwnsNone, "TForm1"), only1.get());
  EXPECT_EQ(ChooseSkinData({dialog1.get(), only1.get()}, OwnsNone, "TForm1"), dialog1.get());
  EXPECT_EQ(ChooseSkinData({}, OwnsNone, "TForm1"), nullptr);
}

TEST(CommandTable, EveryCommandForBothKindsOfTarget) {
  using P = TCommandPlan;
  struct Case {
    int command;
    TSkinFormType type;
    P plan;
  };
  const Case cases[] = {
      {scmActivate, sfOnlyThisForm, {P::On, true, false, P::SkinOwnerForm}},
      {scmActivate, sfMainform, {P::On, true, true, P::SkinAllForms}},
      {scmActivate, sfDialog, {P::On, true, true, P::SkinAllForms}},
      {scmDeactivate, sfOnlyThisForm, {P::Off, false, true, P::DetachLast}},
      {scmDeactivate, sfMainform, {P::Off, false, true, P::DetachAll}},
      {scmRefresh, sfOnlyThisForm, {P::Keep, false, true, P::RefreshFirst}},
      {scmRefresh, sfMainform, {P::Keep, false, true, P::RefreshAll}},
      {scmPurge, sfOnlyThisForm, {P::Keep, false, true, P::NoStep}},
      {scmPurge, sfMainform, {P::Keep, false, true, P::NoStep}},
      {0, sfMainform, {P::Keep, false, false, P::NoStep}},
      {4, sfMainform, {P::Keep, false, false, P::NoStep}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PlanCommand(c.command, c.type), c.plan) << "command " << c.command << " type " << c.type;
}

TEST(PostCommand, BeforeTheFirstActivationOnlyActivateAndDeactivateActAtOnce) {
  TSkinManageState s;
  EXPECT_FALSE(s.PostCommand(scmActivate, 250));
  EXPECT_TRUE(s.SkinningOn);
  EXPECT_FALSE(s.PostCommand(scmRefresh, 250));
  EXPECT_TRUE(s.SkinningOn);
  EXPECT_FALSE(s.PostCommand(scmPurge, 250));
  EXPECT_TRUE(s.SkinningOn);
  EXPECT_FALSE(s.PostCommand(scmDeactivate, 250));
  EXPECT_FALSE(s.SkinningOn);
  EXPECT_EQ(s.StartState, StartStateWaiting);
}

TEST(PostCommand, AfterActivationTheTimerRunsTheLatestCommand) {
  TSkinManageState s;
  s.Activated();
  EXPECT_EQ(s.StartState, StartStateRunning);
  EXPECT_TRUE(s.PostCommand(scmDeactivate, 250));
  EXPECT_FALSE(s.SkinningOn);  // nothing switches before the tick
  EXPECT_TRUE(s.PostCommand(scmRefresh, 100));
  EXPECT_EQ(s.Command, scmRefresh);
  EXPECT_EQ(s.Interval, 100);
  s.StartState = StartStateClosing;
  s.Activated();
  EXPECT_EQ(s.StartState, StartStateClosing);
}

TEST(PopupGate, EachKindHasItsMember) {
  const TSkinControlTypes popup = SkinBit(xcPopupMenu), mainMenu = SkinBit(xcMainMenu),
                          item = SkinBit(xcMenuItem), sys = SkinBit(xcSystemMenu);
  struct Case {
    int kind;
    TSkinControlTypes controls;
    bool allowed;
  };
  const Case cases[] = {
      {pmkPopup, popup, true},
      {pmkPopup, AllSkinControlTypes & ~popup, false},
      {pmkMenuBar, mainMenu, true},
      {pmkMenuBar, item, true},
      {pmkMenuBar, popup | sys, false},
      {pmkSystem, sys, true},
      {pmkSystem, AllSkinControlTypes & ~sys, false},
      {3, AllSkinControlTypes, false},
      {-1, AllSkinControlTypes, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PopupMenuAllowed(static_cast<TPopupMenuKind>(c.kind), c.controls), c.allowed)
        << c.kind << " " << c.controls;
}

TEST(ComponentList, FirstMainformIsMainAndRemovalClearsMainAndTarget) {
  auto dialog = Component(sfDialog), main1 = Component(sfMainform), main2 = Component(sfMainform);
  TSkinManageState s;
  s.AddSkinData(dialog.get());
  EXPECT_EQ(s.MainSkinData(), nullptr);
  s.AddSkinData(main1.get());
  s.AddSkinData(main2.get());
  s.AddSkinData(main1.get());  // registered once
  EXPECT_EQ(s.MainSkinData(), main1.get());
  EXPECT_EQ(s.Components(), (std::vector<TSkinData*>{dialog.get(), main1.get(), main2.get()}));
  s.Target = main1.get();
  s.RemoveSkinData(main2.get());
  EXPECT_EQ(s.MainSkinData(), main1.get());
  EXPECT_EQ(s.Target, main1.get());
  s.RemoveSkinData(main1.get());
  EXPECT_EQ(s.MainSkinData(), nullptr);
  EXPECT_EQ(s.Target, nullptr);
  EXPECT_EQ(s.Components(), std::vector<TSkinData*>{dialog.get()});
}

}  // namespace
