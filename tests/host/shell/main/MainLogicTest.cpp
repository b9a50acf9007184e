#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

#include "shell/MainLogic.h"
#include "ui/SysUtils.h"

namespace {

const std::string App = "C:\\Lumetta\\";

// The settings file as a map; a read-only file refuses every write like the profile write does.
class TFakeStore final : public ISettingsStore {
 public:
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def) override {
    auto it = Values.find(section + "/" + key);
    return it == Values.end() ? def : it->second;
  }
  void WriteString(const std::string& section, const std::string& key, const std::string& value) override {
    if (ReadOnly) throw Exception(Format("Unable to write to %s", (App + "Lumetta.ini").c_str()));
    Values[section + "/" + key] = value;
    Log->push_back("write " + section + "/" + key + "=" + value);
  }
  std::map<std::string, std::string> Values;
  bool ReadOnly = false;
  std::vector<std::string>* Log = nullptr;
};

struct Fixture {
  std::vector<std::string> Log;
  TFakeStore Store;
  std::optional<std::string> Chosen;
  std::unique_ptr<TMainLogic> Logic;

  Fixture() {
    Store.Log = &Log;
    TMainActions a;
    a.CreateMagicParticles = [this] { Log.push_back("magic"); };
    a.CreateFlagParticles = [this] { Log.push_back("flag"); };
    a.TriggerClear = [this] { Logic->NewProgram1Click(); };
    a.Launch = [this](const std::string& p) { Log.push_back("launch " + p); };
    a.ChoosePicture = [this] {
      Log.push_back("choose");
      return Chosen;
    };
    a.SetChooserFolder = [this](const std::string& f) { Log.push_back("folder " + f); };
    Logic = std::make_unique<TMainLogic>(Store, App, a);
  }
  using Lines = std::vector<std::string>;
};

std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "";
}

}  // namespace

TEST(FlagSetting, AcceptsBooleanWordsInAnyCaseAndNumbers) {
  struct Case {
    std::optional<std::string> stored;  // nothing: key missing
    bool flag;
  };
  const Case cases[] = {
      {std::nullopt, false}, {"True", true},   {"TRUE", true},   {"true", true}, {"tRuE", true},
      {"False", false},      {"FALSE", false}, {"false", false}, {"1", true},    {"-1", true},
      {"42", true},          {"0", false},     {"00", false},
  };
  for (const Case& c : cases) {
    TFakeStore store;
    if (c.stored) store.Values["Image/Flag"] = *c.stored;
    EXPECT_EQ(ReadFlagSetting(store), c.flag) << c.stored.value_or("(missing)");
  }
}

TEST(FlagSetting, AnythingElseFailsWithTheValueInTheMessage) {
  for (const char* bad : {"yes", "no", "Truee", "T", "", "on", "1 0"}) {
    TFakeStore store;
    store.Values["Image/Flag"] = bad;
    EXPECT_EQ(ErrorOf([&] { ReadFlagSetting(store); }),
              std::string("'") + bad + "' is not a valid boolean value");
  }
}

TEST(MainLogic, StartUpRunsTheEffectTheSettingsChoose) {
  struct Case {
    std::optional<std::string> stored;
    Fixture::Lines expected;
  };
  const Case cases[] = {
      {std::nullopt, {"write Image/Flag=False", "magic", "folder C:\\Lumetta\\Images"}},
      {"False", {"write Image/Flag=False", "magic", "folder C:\\Lumetta\\Images"}},
      {"1", {"write Image/Flag=True", "flag", "folder C:\\Lumetta\\Images"}},
      {"true", {"write Image/Flag=True", "flag", "folder C:\\Lumetta\\Images"}},
  };
  for (const Case& c : cases) {
    Fixture f;
    if (c.stored) f.Store.Values["Image/Flag"] = *c.stored;
    f.Logic->StartEffectFromSettings();
    EXPECT_EQ(f.Log, c.expected) << c.stored.value_or("(missing)");
    EXPECT_TRUE(f.Logic->EffectStarted());
  }
}

TEST(MainLogic, BadFlagStartsNothingAndEachChoiceThenAddsParticles) {
  Fixture f;
  f.Store.Values["Image/Flag"] = "yes";
  EXPECT_EQ(ErrorOf([&] { f.Logic->StartEffectFromSettings(); }), "'yes' is not a valid boolean value");
  EXPECT_TRUE(f.Log.empty());
  EXPECT_FALSE(f.Logic->EffectStarted());

  f.Logic->btnMagicClick();
  f.Logic->btnFlagClick();
  f.Logic->btnMagicClick();
  const Fixture::Lines expected = {
      "write Image/Flag=False", "magic", "launch C:\\Lumetta\\Corvane.exe",
      "write Image/Flag=True",  "flag",  "launch C:\\Lumetta\\Corvane.exe",
      "write Image/Flag=False", "magic", "launch C:\\Lumetta\\Corvane.exe",
  };
  EXPECT_EQ(f.Log, expected);
  EXPECT_FALSE(f.Logic->EffectStarted());
}

TEST(MainLogic, UnwritableSettingsStopEveryHandlerBeforeItActs) {
  Fixture f;
  f.Store.ReadOnly = true;
  const std::string message = "Unable to write to C:\\Lumetta\\Lumetta.ini";
  EXPECT_EQ(ErrorOf([&] { f.Logic->StartEffectFromSettings(); }), message);
  EXPECT_FALSE(f.Logic->EffectStarted());
  EXPECT_EQ(ErrorOf([&] { f.Logic->btnMagicClick(); }), message);
  EXPECT_EQ(ErrorOf([&] { f.Logic->btnFlagClick(); }), message);
  f.Chosen = "D:\\pics\\star.png";
  EXPECT_EQ(ErrorOf([&] { f.Logic->ChooseImage1Click(); }), message);
  EXPECT_EQ(f.Log, Fixture::Lines{"choose"});  // no particles, no folder, no launch
}

TEST(MainLogic, ChoicesAfterANormalStartOnlyStoreAndRestart) {
  Fixture f;
  f.Store.Values["Image/Flag"] = "True";
  f.Logic->StartEffectFromSettings();
  f.Log.clear();
  f.Logic->btnMagicClick();
  EXPECT_EQ(f.Log, (Fixture::Lines{"write Image/Flag=False", "launch C:\\Lumetta\\Corvane.exe"}));
  EXPECT_EQ(f.Store.Values["Image/Flag"], "False");
  f.Log.clear();
  f.Logic->btnFlagClick();
  EXPECT_EQ(f.Log, (Fixture::Lines{"write Image/Flag=True", "launch C:\\Lumetta\\Corvane.exe"}));
}

TEST(MainLogic, PictureChooserStoresOnlyAChosenFile) {
  Fixture f;
  f.Logic->StartEffectFromSettings();
  f.Log.clear();
  f.Chosen = std::nullopt;
  f.Logic->ChooseImage1Click();
  EXPECT_EQ(f.Log, Fixture::Lines{"choose"});
  EXPECT_EQ(f.Logic->PicturePath(), "C:\\Lumetta\\Images/ball_blue.png");

  f.Chosen = "D:\\pics\\star.png";
  f.Logic->ChooseImage1Click();
  EXPECT_EQ(f.Log, (Fixture::Lines{"choose", "choose", "write Image/PNG=D:\\pics\\star.png",
                                   "launch C:\\Lumetta\\Corvane.exe"}));
  EXPECT_EQ(f.Logic->PicturePath(), "D:\\pics\\star.png");
}
