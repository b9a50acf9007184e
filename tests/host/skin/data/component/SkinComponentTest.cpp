// The skin component: configuration at construction, loading, the stored archive, the
// decisions of Loaded, SetActive, ApplySkin and MayBeSkinned, and what it asks of the manager.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "skin/data/SkinData.h"
#include "skin/data/SkinRead.h"
#include "support/StoredSkinStream.h"
#include "tests/host/skin/data/component/SkinTestArchive.h"

using skintest::Solid;
using skintest::TSkinArchive;

namespace {

// Records every call the component makes on the manager.
class TRecordingManager : public ISkinManager {
 public:
  explicit TRecordingManager(std::vector<std::string>& log, TStartState startState = StartStateWaiting)
      : Log(log), State(startState) {}
  void AddSkinData(TSkinData*) override { Log.push_back("add"); }
  void RemoveSkinData(TSkinData*) override { Log.push_back("remove"); }
  void InstallHook() override { Log.push_back("hook"); }
  void SetSkinningOn(bool on) override { Log.push_back(on ? "on" : "off"); }
  TStartState StartState() const override { return State; }
  void SetStartState(TStartState s) override {
    State = s;
    Log.push_back("state " + std::to_string(s));
  }
  void SkinForm(TComponent*) override { Log.push_back("skinform"); }
  void PostCommand(int c, int ms) override {
    Log.push_back("post " + std::to_string(c) + " " + std::to_string(ms));
  }
  void SetCommandTarget(TSkinData*) override { Log.push_back("target"); }
  void RefreshSkinForms() override { Log.push_back("refresh"); }
  std::vector<std::string>& Log;
  TStartState State;
};

TSkinArchive SmallSkin() {
  TSkinArchive a;
  a.Bmp("top.bmp", Solid(10, 20)).Ini("[TitlebarSkin]\nSkinName=Small\n[Personality]\nTop=top.bmp\n");
  return a;
}

struct SkinComponentTest : ::testing::Test {
  std::vector<std::string> Log;
  TStartState StartState = StartStateWaiting;
  void SetUp() override {
    SetSkinManagerFactory([this] { return std::make_unique<TRecordingManager>(Log, StartState); });
  }
  void TearDown() override {
    FreeSkinManager();
    SetSkinManagerFactory({});
  }
  // A component built the way a form reads it: properties while loading, stream, Loaded.
  std::unique_ptr<TSkinData> FromForm(bool active, const std::vector<uint8_t>& stream,
                                      TSkinFormType type = sfMainform) {
    auto d = std::make_unique<TSkinData>(nullptr, SoftwareSkinPlatform());
    d->BeginLoading();
    d->SkinFormtype = type;
    d->SetActive(active);
    TMemoryStream s(stream);
    d->ReadSkinStream(s);
    d->Loaded();
    return d;
  }
};

TEST_F(SkinComponentTest, ConstructionValues) {
  TSkinData d(nullptr, SoftwareSkinPlatform());
  EXPECT_FALSE(d.Active());
  EXPECT_EQ(d.DisableTag, 99);
  EXPECT_EQ(d.SkinControls, AllSkinControlTypes & ~(SkinBit(xcMenuItem) | SkinBit(xcFastReport)));
  EXPECT_TRUE(d.SkinControls & SkinBit(xcSystemMenu));
  EXPECT_EQ(d.Options, 0u);
  EXPECT_EQ(d.SkinFormtype, sfMainform);
  EXPECT_EQ(d.Version(), "3.02.03.09");
  EXPECT_TRUE(d.MenuUpdate);
  EXPECT_FALSE(d.MenuMerge);
  EXPECT_TRUE(d.SkinFile().empty());
  EXPECT_TRUE(d.NoSkin);
  EXPECT_TRUE(d.PaintFlag);
  EXPECT_EQ(d.SkinArchive.GetSize(), 0);
  ASSERT_EQ(d.Skin3rd().size(), 110u);
  EXPECT_EQ(d.Skin3rd().front(), "TAdvPanelGroup=embedscrollbar");
  EXPECT_NE(std::find(d.Skin3rd().begin(), d.Skin3rd().end(), "TAdvPageControl=nil"), d.Skin3rd().end());
  EXPECT_EQ(std::count(d.Skin3rd().begin(), d.Skin3rd().end(), "TWWDBCombobox=Combobox"), 2);
  const std::pair<const TDataSkinObject*, const char*> always[] = {
      {d.BorderLeft.get(), "Left"},     {d.BorderRight.get(), "Right"}, {d.BorderTop.get(), "Top"},
      {d.BorderBottom.get(), "Bottom"}, {d.Title.get(), "Title"},       {d.Buttons.get(), "Buttons"}};
  for (const auto& [e, name] : always) {
    ASSERT_NE(e, nullptr) << name;
    EXPECT_EQ(e->Name, name);
  }
  EXPECT_FALSE(d.Progress);
  EXPECT_TRUE(d.SysButtons.empty());
  EXPECT_TRUE(Log.empty()) << "construction does not reach for the manager";
}

TEST_F(SkinComponentTest, PublishedPropertiesByName) {
  TSkinData d(nullptr, SoftwareSkinPlatform());
  EXPECT_EQ(GetIntProperty(&d, "DisableTag"), 99);
  EXPECT_EQ(GetEnumProperty(&d, "SkinFormtype"), "sfMainform");
  EXPECT_EQ(GetEnumProperty(&d, "MenuUpdate"), "True");
  EXPECT_EQ(GetStrProperty(&d, "SkinStore"), "(none)");
  EXPECT_TRUE(SetPropertyText(&d, "SkinFormtype", "sfDialog"));
  EXPECT_EQ(d.SkinFormtype, sfDialog);
  SetStrProperty(&d, "Version", "9.9");
  EXPECT_EQ(GetStrProperty(&d, "Version"), "3.02.03.09");
  SetStrProperty(&d, "Skin3rd", "TFoo=edit\r\nTBar=nil\r\n");
  EXPECT_EQ(d.Skin3rd(), (std::vector<std::string>{"TFoo=edit", "TBar=nil"}));
}

TEST_F(SkinComponentTest, StoredStreamLoadsAtOnceAndWritesBackTheSameBytes) {
  const std::vector<uint8_t> archive = SmallSkin().Pack();
  auto d = FromForm(true, StoredSkinStream(archive));
  EXPECT_FALSE(d->NoSkin);
  EXPECT_EQ(d->SkinName, "Small");
  EXPECT_TRUE(d->Active());
  EXPECT_EQ(Log, (std::vector<std::string>{"add", "hook", "post 1 250"}));
  TMemoryStream out;
  d->WriteSkinStream(out);
  EXPECT_EQ(std::vector<uint8_t>(out.Bytes().begin(), out.Bytes().end()), StoredSkinStream(archive));
}

TEST_F(SkinComponentTest, EmptyStoredStreamTurnsActiveOff) {
  auto d = FromForm(true, {0, 0, 0, 0});
  EXPECT_EQ(d->SkinArchive.GetSize(), 0);
  EXPECT_TRUE(d->NoSkin);
  EXPECT_FALSE(d->Active());
  EXPECT_EQ(Log, (std::vector<std::string>{"add", "hook"}));
  TMemoryStream out;
  d->WriteSkinStream(out);
  EXPECT_EQ(out.GetSize(), 4);
}

TEST_F(SkinComponentTest, StoredCountBeyondTheDataIsRefused) {
  TSkinData d(nullptr, SoftwareSkinPlatform());
  TMemoryStream s(std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3});
  EXPECT_THROW(d.ReadSkinStream(s), EStreamError);
  EXPECT_EQ(d.SkinArchive.GetSize(), 0);
  EXPECT_TRUE(d.NoSkin);
}

TEST_F(SkinComponentTest, ArchiveOfAnotherVersionLeavesNoSkin) {
  std::vector<std::string> messages;
  TSkinMessageHook previous = SetSkinMessageHook([&](const std::string& m) { messages.push_back(m); });
  auto d = FromForm(true, StoredSkinStream(SmallSkin().Pack(19999)));
  SetSkinMessageHook(previous);
  EXPECT_TRUE(d->NoSkin);
  EXPECT_FALSE(d->Active());
  EXPECT_TRUE(d->SkinName.empty());
  EXPECT_EQ(messages, (std::vector<std::string>{SkinOldVersionMessage}));
}

TEST_F(SkinComponentTest, LoadingAgainKeepsNoSkinUntilTheLoadCompletes) {
  TSkinData d(nullptr, SoftwareSkinPlatform());
  ASSERT_TRUE(skintest::Load(d, SmallSkin()));
  EXPECT_FALSE(d.NoSkin);
  TSkinMessageHook previous = SetSkinMessageHook([](const std::string&) {});
  EXPECT_FALSE(skintest::Load(d, SmallSkin(), 20001));
  SetSkinMessageHook(previous);
  EXPECT_TRUE(d.NoSkin);
}

TEST_F(SkinComponentTest, LoadedAdjustsSkinControls) {
  struct Case {
    TSkinControlTypes in, out;
  } cases[] = {
      {DefaultSkinControls, DefaultSkinControls},
      {SkinBit(xcMainMenu) | SkinBit(xcMenuItem) | SkinBit(xcSystemMenu),
       SkinBit(xcMainMenu) | SkinBit(xcSystemMenu)},
      {SkinBit(xcMenuItem) | SkinBit(xcSystemMenu) | SkinBit(xcEdit), SkinBit(xcMenuItem) | SkinBit(xcEdit)},
  };
  for (const Case& c : cases) {
    TSkinData d(nullptr, SoftwareSkinPlatform());
    d.SkinControls = c.in;
    d.Loaded();
    EXPECT_EQ(d.SkinControls, c.out) << std::hex << c.in;
  }
}

TEST_F(SkinComponentTest, SingleFormAndDialogComponentsStartSkinningAtOnce) {
  TComponent form(nullptr);
  TSkinData d(&form, SoftwareSkinPlatform());
  d.SkinFormtype = sfOnlyThisForm;
  d.SkinControls = SkinBit(xcMenuItem) | SkinBit(xcSystemMenu);
  d.Loaded();
  EXPECT_EQ(Log, (std::vector<std::string>{"add", "on", "state 1", "skinform"}));
  EXPECT_EQ(d.SkinControls, SkinBit(xcMenuItem) | SkinBit(xcSystemMenu))
      << "these stop before the adjustment";
}

// Each single-form or dialog component starts the manager; the ones after the first find it
// running and leave it so. Counting them up would leave the running state (a skin change no
// longer rebuilt the title buttons) and, at the fourth, reach the closing one, where the
// manager's hook stops skinning windows.
TEST_F(SkinComponentTest, MoreSingleFormComponentsKeepTheManagerRunning) {
  std::vector<std::unique_ptr<TComponent>> forms;
  std::vector<std::unique_ptr<TSkinData>> skins;
  for (TSkinFormType type : {sfDialog, sfOnlyThisForm, sfDialog, sfDialog}) {
    forms.push_back(std::make_unique<TComponent>(nullptr));
    skins.push_back(std::make_unique<TSkinData>(forms.back().get(), SoftwareSkinPlatform()));
    skins.back()->SkinFormtype = type;
    skins.back()->Loaded();
    ASSERT_NE(SkinManager(), nullptr);
    EXPECT_EQ(SkinManager()->StartState(), StartStateRunning) << "after component " << skins.size();
  }
  Log.clear();
  skins[1]->ApplySkin();
  EXPECT_EQ(Log, (std::vector<std::string>{"target", "refresh", "post 3 250"}))
      << "a running manager rebuilds the title buttons it dropped";
}

TEST_F(SkinComponentTest, SetActiveQueuesCommandsByFormType) {
  auto d = FromForm(false, StoredSkinStream(SmallSkin().Pack()));
  Log.clear();
  d->SetActive(false);
  EXPECT_TRUE(Log.empty()) << "an unchanged value does nothing";
  d->SetActive(true);
  EXPECT_EQ(Log, (std::vector<std::string>{"post 1 250", "state 1", "target"}));
  Log.clear();
  d->SetActive(false);
  EXPECT_EQ(Log, (std::vector<std::string>{"post 2 250", "target"}));

  Log.clear();
  d->SkinFormtype = sfOnlyThisForm;
  d->SetActive(true);
  EXPECT_EQ(Log, (std::vector<std::string>{"target", "post 1 250"}));
  Log.clear();
  d->SkinFormtype = sfDialog;
  d->SetActive(false);
  EXPECT_TRUE(Log.empty());
  EXPECT_FALSE(d->Active());
}

TEST_F(SkinComponentTest, ActivationWithoutASkinIsIgnored) {
  auto d = FromForm(false, {0, 0, 0, 0});
  Log.clear();
  d->SetActive(true);
  EXPECT_TRUE(d->Active());
  EXPECT_TRUE(Log.empty());
}

TEST_F(SkinComponentTest, SkinFileLoadsAndAppliesOrIsIgnoredWhenMissing) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "lumetta-skindata-test";
  std::filesystem::create_directories(dir);
  const std::string file = (dir / "small.skn").string();
  {
    const std::vector<uint8_t> bytes = SmallSkin().Pack();
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  StartState = StartStateRunning;
  auto d = FromForm(true, {0, 0, 0, 0});
  Log.clear();

  d->SetSkinFile((dir / "missing.skn").string());
  EXPECT_TRUE(d->NoSkin);
  EXPECT_EQ(d->SkinArchive.GetSize(), 0);
  EXPECT_TRUE(Log.empty());

  d->SetSkinFile(file);
  EXPECT_FALSE(d->NoSkin);
  EXPECT_EQ(d->SkinName, "Small");
  EXPECT_EQ(d->SkinFile(), file);
  EXPECT_EQ(Log, (std::vector<std::string>{"target", "refresh", "post 3 250"}));

  // A file that is not a skin is never pushed to the windows: with NoSkin they would lose
  // their frames.
  const std::string text = (dir / "text.skn").string();
  std::ofstream(text) << "[Personality]\n";
  Log.clear();
  d->SetSkinFile(text);
  EXPECT_TRUE(d->NoSkin);
  EXPECT_TRUE(Log.empty());
  std::filesystem::remove_all(dir);
}

TEST_F(SkinComponentTest, MayBeSkinned) {
  TSkinData d(nullptr, SoftwareSkinPlatform());
  auto ask = [&](const std::string& cls) {
    bool doSkin = true;
    d.MayBeSkinned(cls, doSkin);
    return doSkin;
  };
  EXPECT_FALSE(ask("SysMonthCal32"));
  EXPECT_TRUE(ask("TfrPreview")) << "report windows are skinned unless asked otherwise";
  EXPECT_TRUE(ask("TForm1"));
  d.SkinControls |= SkinBit(xcFastReport);
  EXPECT_FALSE(ask("TfrPreview"));
  EXPECT_TRUE(ask("TFrame"));
  std::string seen;
  d.OnFormSkin = [&](TObject*, const std::string& name, bool& doSkin) {
    seen = name;
    doSkin = name == "SysMonthCal32";
  };
  EXPECT_TRUE(ask("SysMonthCal32")) << "the handler alone decides";
  EXPECT_FALSE(ask("TForm1"));
  EXPECT_EQ(seen, "TForm1");
}

TEST_F(SkinComponentTest, DestructionUnregistersFromTheManager) {
  {
    auto d = FromForm(false, {0, 0, 0, 0});
    Log.clear();
  }
  EXPECT_EQ(Log, (std::vector<std::string>{"remove"}));
}

TEST_F(SkinComponentTest, WorksWithoutAManager) {
  SetSkinManagerFactory({});
  auto d = FromForm(true, StoredSkinStream(SmallSkin().Pack()));
  EXPECT_TRUE(d->Active());
  EXPECT_FALSE(d->NoSkin);
  d->SetActive(false);
  d->ApplySkin();
  EXPECT_EQ(SkinManager(), nullptr);
  EXPECT_TRUE(Log.empty());
}

}  // namespace
