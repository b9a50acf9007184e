#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/Classes.h"
#include "ui/SysUtils.h"

namespace {
std::vector<std::string>* gFreed = nullptr;

// Records its name when freed and every removal it is told about.
class TProbe : public TComponent {
 public:
  TProbe(TComponent* owner, std::string name) : TComponent(owner) { Name = std::move(name); }
  ~TProbe() override {
    if (gFreed) gFreed->push_back(Name);
  }
  DECLARE_CLASS_INFO;
  std::vector<uintptr_t> Removed;  // addresses only: the components may be gone
  bool Active = false;
  int Mode = 0;
  std::wstring Title = L"wide";
  TProbe* Buddy = nullptr;
  // A getter that is not const, a setter that keeps the value in range, and an object
  // that is not a TObject.
  int Level() { return FLevel; }
  void SetLevel(int v) { FLevel = v < 0 ? 0 : v; }
  std::string* Note() const { return FNote.get(); }
  uint32_t Colour = 0;  // unsigned, like colours with their high bit set
  size_t RemovedCount() const { return Removed.size(); }

 protected:
  void Notification(TComponent* c, TOperation op) override {
    if (op == TOperation::opRemove) Removed.push_back(reinterpret_cast<uintptr_t>(c));
  }

 private:
  int FLevel = 0;
  std::unique_ptr<std::string> FNote = std::make_unique<std::string>("note");
};

DEFINE_CLASS_INFO(TProbe, TComponent, Prop<&TProbe::Active>("Active"),
                  Prop<&TProbe::Mode>("Mode", {"pmOff", "pmSlow", "pmFast"}), Prop<&TProbe::Title>("Title"),
                  Prop<&TProbe::Buddy>("Buddy"), Prop<&TProbe::Note>("Note"),
                  Prop<&TProbe::Level, &TProbe::SetLevel>("Level"), Prop<&TProbe::Colour>("Colour"),
                  Prop<&TProbe::RemovedCount>("RemovedCount"))

class TOther : public TComponent {
 public:
  using TComponent::TComponent;
  DECLARE_CLASS_INFO;
  // Written through a setter of this class, read from a field of the base class.
  void SetOrder(int v) {
    Tag = v;
    ++Writes;
  }
  int Writes = 0;
};
DEFINE_CLASS_INFO(TOther, TComponent, Prop<&TOther::Tag, &TOther::SetOrder>("Order"))

struct FreedLog {
  std::vector<std::string> names;
  FreedLog() { gFreed = &names; }
  ~FreedLog() { gFreed = nullptr; }
};
}  // namespace

TEST(Component, OwnerFreesOwnedComponentsLastFirst) {
  FreedLog log;
  auto* owner = new TProbe(nullptr, "owner");
  new TProbe(owner, "a");
  auto* b = new TProbe(owner, "b");
  new TProbe(b, "b1");
  new TProbe(owner, "c");
  ASSERT_EQ(owner->ComponentCount(), 3);
  EXPECT_EQ(owner->FindComponent("B"), b);  // names match without case
  delete owner;
  EXPECT_EQ(log.names, (std::vector<std::string>{"owner", "c", "b", "b1", "a"}));
}

TEST(Component, FreeingAnOwnedComponentTakesItOutOfItsOwner) {
  FreedLog log;
  TProbe owner(nullptr, "owner");
  auto* a = new TProbe(&owner, "a");
  auto* b = new TProbe(&owner, "b");
  const auto aAddress = reinterpret_cast<uintptr_t>(a);
  delete a;
  ASSERT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.Components(0), b);
  EXPECT_EQ(owner.Removed, std::vector<uintptr_t>{aAddress});  // the owner hears of the removal
  EXPECT_EQ(b->Owner(), &owner);
}

TEST(Component, FreeNotificationTellsTheWatcherAndNoOneAfterItIsGone) {
  TProbe watcher(nullptr, "watcher");
  auto* watched = new TProbe(nullptr, "watched");
  watched->FreeNotification(&watcher);
  const auto watchedAddress = reinterpret_cast<uintptr_t>(watched);
  delete watched;
  EXPECT_EQ(watcher.Removed, std::vector<uintptr_t>{watchedAddress});

  // The link works both ways: a watcher freed first is reported to the watched one, and
  // is never reached again when that one goes (ASan would see it).
  auto* target = new TProbe(nullptr, "target");
  uintptr_t gone = 0;
  {
    TProbe shortLived(nullptr, "short");
    gone = reinterpret_cast<uintptr_t>(&shortLived);
    target->FreeNotification(&shortLived);
  }
  EXPECT_EQ(target->Removed, std::vector<uintptr_t>{gone});
  delete target;
}

TEST(Component, LoadingStateReachesComponentsAddedWhileLoadingAndLoadedClearsIt) {
  TProbe form(nullptr, "form");
  form.BeginLoading();
  auto* child = new TProbe(&form, "child");
  EXPECT_TRUE(child->ComponentState & csLoading);
  child->Loaded();
  form.Loaded();
  EXPECT_FALSE(child->ComponentState & csLoading);
  EXPECT_FALSE(form.ComponentState & csLoading);
}

TEST(Properties, ReadByNameWithoutCaseAndMissingOnesReadEmpty) {
  TProbe p(nullptr, "probe");
  TProbe buddy(nullptr, "buddy");
  p.Tag = 99;
  p.Active = true;
  p.Mode = 2;
  p.Buddy = &buddy;
  EXPECT_EQ(GetIntProperty(&p, "tag"), 99);
  EXPECT_EQ(GetEnumProperty(&p, "ACTIVE"), "True");
  EXPECT_EQ(GetEnumProperty(&p, "Mode"), "pmFast");
  EXPECT_EQ(GetStrProperty(&p, "Name"), "probe");
  EXPECT_EQ(GetObjectProperty<TProbe>(&p, "Buddy"), &buddy);
  EXPECT_EQ(GetObjectProperty<std::string>(&p, "Note"), p.Note());
  EXPECT_TRUE(IsPublishedProp(&p, "Mode"));

  // Missing properties, wrong kinds, wrong classes and no object: 0, empty, none.
  EXPECT_EQ(GetIntProperty(&p, "Missing"), 0);
  EXPECT_EQ(GetIntProperty(&p, "Active"), 0);  // an enumeration is not an integer
  EXPECT_EQ(GetEnumProperty(&p, "Tag"), "");
  EXPECT_EQ(GetEnumProperty(&p, "Missing"), "");
  EXPECT_EQ(GetStrProperty(&p, "Title"), "");  // wide strings are not read as narrow ones
  EXPECT_EQ(GetObjectProperty<TOther>(&p, "Buddy"), nullptr);
  EXPECT_EQ(GetObjectProperty<int>(&p, "Note"), nullptr);
  EXPECT_EQ(GetObjectProperty<TProbe>(&p, "Missing"), nullptr);
  EXPECT_EQ(GetIntProperty(nullptr, "Tag"), 0);
  EXPECT_FALSE(IsPublishedProp(&p, "Missing"));
}

TEST(Properties, SetPropertyTextWritesEnumerationsAndIntegersOnly) {
  TProbe p(nullptr, "probe");
  struct Case {
    const char* name;
    const char* value;
    bool written;
  };
  const Case cases[] = {
      {"Active", "true", true}, {"Mode", "PMSLOW", true}, {"Tag", "-42", true},     {"Mode", "pmWarp", false},
      {"Tag", "12abc", false},  {"Tag", "", false},       {"Name", "other", false}, {"Missing", "1", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SetPropertyText(&p, c.name, c.value), c.written) << c.name << "=" << c.value;
  EXPECT_TRUE(p.Active);
  EXPECT_EQ(p.Mode, 1);
  EXPECT_EQ(p.Tag, -42);
  EXPECT_EQ(p.Name, "probe");
  EXPECT_FALSE(SetIntProperty(&p, "Mode", 7));  // out of the enumeration's range
  EXPECT_EQ(p.Mode, 1);
  EXPECT_FALSE(SetPropertyText(nullptr, "Tag", "1"));
}

TEST(Properties, DescendantsInheritAndNameTheirClass) {
  TProbe p(nullptr, "probe");
  EXPECT_EQ(p.ClassName(), "TProbe");
  EXPECT_TRUE(p.InheritsFrom(TComponent::StaticClass()));
  EXPECT_FALSE(TComponent::StaticClass().InheritsFrom(TProbe::StaticClass()));
  EXPECT_NE(GetPropInfo(&p, "Tag"), nullptr);  // from TComponent
}

TEST(Properties, MemberPointersGiveEachKindItsReadsAndWrites) {
  TProbe p(nullptr, "probe");
  // A setter method is what writes, not the field behind it.
  EXPECT_TRUE(SetIntProperty(&p, "Level", -5));
  EXPECT_EQ(p.Level(), 0);
  EXPECT_TRUE(SetPropertyText(&p, "Level", "7"));
  EXPECT_EQ(GetIntProperty(&p, "Level"), 7);

  // Fields are read and written in place, each kind by its own accessors.
  EXPECT_TRUE(SetPropertyText(&p, "Active", "True"));
  EXPECT_TRUE(p.Active);
  const TPropInfo* title = GetPropInfo(&p, "Title");
  ASSERT_NE(title, nullptr);
  ASSERT_TRUE(title->GetWStr && title->SetWStr);
  EXPECT_EQ(title->GetWStr(p), L"wide");
  title->SetWStr(p, L"\u00e9t\u00e9");
  EXPECT_EQ(p.Title, L"\u00e9t\u00e9");
  EXPECT_TRUE(SetStrProperty(&p, "Name", "renamed"));
  EXPECT_EQ(p.Name, "renamed");

  // An unsigned value with its high bit set comes back whole through the signed ordinal.
  p.Colour = 0xFF00000Fu;
  const long colour = GetIntProperty(&p, "Colour");
  p.Colour = 0;
  EXPECT_TRUE(SetIntProperty(&p, "Colour", colour));
  EXPECT_EQ(p.Colour, 0xFF00000Fu);

  // A getter without a setter is read-only: writes are refused and change nothing.
  p.Removed.push_back(1);
  EXPECT_EQ(GetIntProperty(&p, "RemovedCount"), 1);
  EXPECT_FALSE(SetIntProperty(&p, "RemovedCount", 5));
  EXPECT_FALSE(SetPropertyText(&p, "RemovedCount", "5"));
  EXPECT_EQ(p.Removed.size(), 1u);

  // Getter and setter declared on different levels of the hierarchy.
  TOther o(nullptr);
  o.Tag = 3;
  EXPECT_EQ(GetIntProperty(&o, "Order"), 3);
  EXPECT_TRUE(SetIntProperty(&o, "Order", 9));
  EXPECT_EQ(o.Tag, 9);
  EXPECT_EQ(o.Writes, 1);
}

TEST(Properties, ChangesStoresAndAnswersWhetherTheValueMoved) {
  std::string text = "a";
  EXPECT_FALSE(Changes(text, "a"));
  EXPECT_TRUE(Changes(text, "b"));
  EXPECT_EQ(text, "b");
  int n = 3;
  EXPECT_FALSE(Changes(n, 3));
  EXPECT_TRUE(Changes(n, -3));
  EXPECT_EQ(n, -3);
}
