#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "shell/TrayIcon.h"

namespace {

constexpr unsigned kTaskbarCreated = 0xC0DE;
constexpr std::uintptr_t kWnd = 0x1234, kId = 0xABCD;
constexpr std::uintptr_t kAppIcon = 0x900;  // list entries are 0x100 + index

// Records every call as a short line, so tests can check what reached the platform and in what order.
class FakeHost : public ITrayHost {
 public:
  std::vector<std::string> Log;
  std::vector<TTrayRecord> Sent;
  std::vector<TTrayRecord> Added;
  bool AcceptAdd = true;
  bool ThrowOnAdd = false;
  int Count = -1;
  bool Menu = true;
  bool CanEnd = true;
  std::function<void()> DuringMenu, DuringRestore, DuringMinimize;

  bool ShellNotify(TTrayCommand c, const TTrayRecord& r) override {
    static const char* names[] = {"Add", "Modify", "Delete"};
    Log.push_back(names[static_cast<unsigned>(c)]);
    Sent.push_back(r);
    if (c == TTrayCommand::Add) {
      Added.push_back(r);
      if (ThrowOnAdd) throw std::runtime_error("shell gone");
      return AcceptAdd;
    }
    return true;
  }
  int IconCount() override { return Count; }
  std::uintptr_t TakeIcon(int index) override { return index < 0 ? kAppIcon : 0x100 + index; }
  void HookApplicationEvents() override { Log.push_back("Hook"); }
  void RestoreApplication() override {
    Log.push_back("Restore");
    if (DuringRestore) DuringRestore();
  }
  void MinimizeApplication() override {
    Log.push_back("Minimize");
    if (DuringMinimize) DuringMinimize();
  }
  void ShowApplicationWindow(bool show) override { Log.push_back(show ? "ShowApp" : "HideApp"); }
  void SetAnimationTimer(bool on, int interval) override {
    Log.push_back((on ? "TimerOn " : "TimerOff ") + std::to_string(interval));
  }
  bool HasPopupMenu() override { return Menu; }
  void GetCursorPos(int& x, int& y) override {
    x = 640;
    y = 700;
    Log.push_back("Cursor");
  }
  void ForegroundOwnerForm() override { Log.push_back("Foreground"); }
  void TrackPopupMenu(int x, int y) override {
    Log.push_back("Track " + std::to_string(x) + "," + std::to_string(y));
    if (DuringMenu) DuringMenu();
  }
  void PostNullMessage() override { Log.push_back("PostNull"); }
  void RaiseEvent(TTrayEvent e) override { Log.push_back("Event " + std::to_string(static_cast<int>(e))); }
  void RaiseQueryEndSession(bool& canEnd) override { canEnd = CanEnd; }

  // Calls after the ones already seen.
  std::vector<std::string> Take() {
    auto out = std::move(Log);
    Log.clear();
    return out;
  }
};

std::string Ev(TTrayEvent e) { return "Event " + std::to_string(static_cast<int>(e)); }

struct Fixture {
  explicit Fixture(int shellVersion = 6) : core(host, shellVersion, kWnd, kId, kTaskbarCreated) {}
  std::intptr_t Send(unsigned msg, std::uintptr_t w = 0, std::intptr_t l = 0) {
    std::intptr_t r = -7;
    handled = core.HandleMessage(msg, w, l, r);
    return r;
  }
  std::intptr_t Click(unsigned mouseMsg) { return Send(tray::MsgTrayCallback, kId, mouseMsg); }
  FakeHost host;
  TTrayIconCore core;
  bool handled = false;
};

using Calls = std::vector<std::string>;

TEST(TrayIcon, RecordLayoutFollowsShellVersion) {
  struct Case {
    int version;
    unsigned size, tipLimit;
  } cases[] = {{0, 88, 63}, {4, 88, 63}, {5, 488, 127}, {6, 488, 127}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.version);
    Fixture f(c.version);
    f.core.Loaded();
    ASSERT_EQ(f.host.Log, (Calls{"TimerOff 1000", "Hook", "Modify", "Add", "Hook", "Modify"}));
    // The add carries the size, window, identifier, message and icon flags, callback and icon.
    ASSERT_EQ(f.host.Added.size(), 1u);
    const TTrayRecord* add = &f.host.Added[0];
    EXPECT_EQ(add->Size, c.size);
    EXPECT_EQ(add->Wnd, kWnd);
    EXPECT_EQ(add->Id, kId);
    EXPECT_EQ(add->Flags, 3u);
    EXPECT_EQ(add->CallbackMessage, 0x2422u);
    EXPECT_EQ(add->Icon, kAppIcon);
    EXPECT_TRUE(add->Tip.empty());
    // A long hint is cut to what the layout holds.
    f.core.SetHint(std::string(300, 'h'));
    EXPECT_EQ(f.host.Sent.back().Tip.size(), c.tipLimit);
    EXPECT_EQ(f.core.Hint().size(), 300u);
  }
}

TEST(TrayIcon, IconIsAddedOnlyOnceLoadedAndOnlyWhenEnabled) {
  Fixture f;
  f.host.Take();
  f.core.SetEnabled(false);  // stored while loading, nothing sent
  f.core.SetEnabled(true);
  EXPECT_TRUE(f.host.Take().empty());
  f.core.Loaded();
  EXPECT_EQ(f.host.Take(), (Calls{"Add", "Hook", "Modify"}));

  Fixture g;
  g.core.SetEnabled(false);
  g.host.Take();
  g.core.Loaded();
  EXPECT_EQ(g.host.Take(), (Calls{"Modify"}));
  EXPECT_FALSE(g.core.Enabled());
}

TEST(TrayIcon, EnabledSetterAddsRemovesAndIgnoresSameValue) {
  Fixture f;
  f.core.Loaded();
  f.host.Take();
  f.core.SetEnabled(true);
  EXPECT_TRUE(f.host.Take().empty());
  f.core.SetEnabled(false);
  EXPECT_EQ(f.host.Take(), (Calls{"Delete"}));
  f.core.SetEnabled(false);
  EXPECT_TRUE(f.host.Take().empty());
  f.core.SetEnabled(true);
  EXPECT_EQ(f.host.Take(), (Calls{"Add", "Hook"}));
  f.core.Destroying();
  EXPECT_EQ(f.host.Take(), (Calls{"TimerOff 1000", "Delete"}));
}

TEST(TrayIcon, TaskbarRestartAddsTheIconAgainAndSwallowsErrors) {
  Fixture f;
  f.core.Loaded();
  f.host.Take();
  f.Send(kTaskbarCreated);
  EXPECT_EQ(f.host.Take(), (Calls{"Add", "Hook"}));
  EXPECT_EQ(f.host.Sent.back().Flags, 3u);
  EXPECT_TRUE(f.core.Enabled());

  f.host.ThrowOnAdd = true;
  EXPECT_NO_THROW(f.Send(kTaskbarCreated));
  // Still enabled, and the next restart tries again.
  f.host.ThrowOnAdd = false;
  f.host.Take();
  f.Send(kTaskbarCreated);
  EXPECT_EQ(f.host.Take(), (Calls{"Add", "Hook"}));

  // An unrelated message is left to the default procedure.
  f.Send(0x0401);
  EXPECT_FALSE(f.handled);
}

TEST(TrayIcon, DefaultClicksOnlyDoubleClickRestoresAndRightReleaseOpensMenu) {
  const std::string restore[] = {"Restore", "ShowApp", Ev(TTrayEvent::RestoreApp)};
  const std::string popup[] = {"Cursor", "Foreground", "Track 640,700", "PostNull"};
  struct Case {
    unsigned msg;
    TTrayEvent event;
    bool restores, pops;
  } cases[] = {
      {tray::MsgLButtonDown, TTrayEvent::LButtonDown, false, false},
      {tray::MsgLButtonUp, TTrayEvent::LButtonUp, false, false},
      {tray::MsgLButtonDblClk, TTrayEvent::LButtonDblClick, true, false},
      {tray::MsgRButtonDown, TTrayEvent::RButtonDown, false, false},
      {tray::MsgRButtonUp, TTrayEvent::RButtonUp, false, true},
      {tray::MsgRButtonDblClk, TTrayEvent::RButtonDblClick, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.msg);
    Fixture f;
    f.core.Loaded();
    f.host.Take();
    EXPECT_EQ(f.Click(c.msg), 0);
    EXPECT_TRUE(f.handled);
    Calls want;
    if (c.restores) want.insert(want.end(), std::begin(restore), std::end(restore));
    if (c.pops) want.insert(want.end(), std::begin(popup), std::end(popup));
    want.push_back(Ev(c.event));  // the user's event comes after the built-in action
    EXPECT_EQ(f.host.Take(), want);
  }
}

TEST(TrayIcon, EveryClickKindCanBeChosenForRestoreAndMenu) {
  struct Case {
    TTrayIconClicks click;
    unsigned msg;
  } cases[] = {
      {TTrayIconClicks::ticLeftClick, tray::MsgLButtonDown},
      {TTrayIconClicks::ticLeftDblClick, tray::MsgLButtonDblClk},
      {TTrayIconClicks::ticLeftClickUp, tray::MsgLButtonUp},
      {TTrayIconClicks::ticRightClick, tray::MsgRButtonDown},
      {TTrayIconClicks::ticRightDblClick, tray::MsgRButtonDblClk},
      {TTrayIconClicks::ticRightClickUp, tray::MsgRButtonUp},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.click));
    Fixture f;
    f.core.Loaded();
    f.core.RestoreOn = c.click;
    f.core.PopupMenuOn = c.click;
    for (const auto& other : cases) {
      f.host.Take();
      f.Click(other.msg);
      auto calls = f.host.Take();
      bool restored = std::find(calls.begin(), calls.end(), "Restore") != calls.end();
      bool tracked = std::find(calls.begin(), calls.end(), "Track 640,700") != calls.end();
      EXPECT_EQ(restored, other.click == c.click);
      EXPECT_EQ(tracked, other.click == c.click);
    }
  }
  // ticNone: no mouse action restores or opens the menu.
  Fixture f;
  f.core.Loaded();
  f.core.RestoreOn = TTrayIconClicks::ticNone;
  f.core.PopupMenuOn = TTrayIconClicks::ticNone;
  for (const auto& c : cases) {
    f.host.Take();
    f.Click(c.msg);
    EXPECT_EQ(f.host.Take().size(), 1u);
  }
}

TEST(TrayIcon, BalloonNotificationsRaiseTheirEvents) {
  Fixture f;
  f.core.Loaded();
  f.host.Take();
  f.Click(tray::MsgBalloonHide);
  f.Click(tray::MsgBalloonTimeout);
  f.Click(tray::MsgBalloonUserClick);
  f.Click(0x0402);  // balloon shown: no event
  EXPECT_EQ(f.host.Take(), (Calls{Ev(TTrayEvent::BalloonHintHide), Ev(TTrayEvent::BalloonHintClose),
                                  Ev(TTrayEvent::BalloonHintClick)}));
}

TEST(TrayIcon, OpenMenuBlocksRestoreUntilItCloses) {
  Fixture f;
  f.core.Loaded();
  bool inPopupSeen = false;
  f.host.DuringMenu = [&] {
    inPopupSeen = f.core.InPopup();
    f.Click(tray::MsgLButtonDblClk);  // the double click arrives while the menu runs
  };
  f.host.Take();
  f.Click(tray::MsgRButtonUp);
  auto calls = f.host.Take();
  EXPECT_TRUE(inPopupSeen);
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "Restore"), 0);
  EXPECT_FALSE(f.core.InPopup());
  f.Click(tray::MsgLButtonDblClk);
  EXPECT_EQ(f.host.Take().front(), "Restore");

  // A menu handler that throws still clears the flag.
  f.host.DuringMenu = [] { throw std::runtime_error("menu"); };
  EXPECT_THROW(f.core.ShowPopupMenu(), std::runtime_error);
  EXPECT_FALSE(f.core.InPopup());

  f.host.Menu = false;
  f.host.Take();
  f.core.ShowPopupMenu();
  EXPECT_TRUE(f.host.Take().empty());
}

TEST(TrayIcon, RestoreAndMinimizeDoNotReenterAndRespectEnabled) {
  Fixture f;
  f.core.Loaded();
  // Restoring the application raises its restore event, which must not restore again.
  f.host.DuringRestore = [&] { f.core.ApplicationRestored(); };
  f.host.DuringMinimize = [&] { f.core.MinimizeApp(); };
  f.host.Take();
  f.core.ApplicationRestored();
  EXPECT_EQ(f.host.Take(), (Calls{"Restore", "ShowApp", Ev(TTrayEvent::RestoreApp)}));
  f.core.MinimizeApp();
  EXPECT_EQ(f.host.Take(), (Calls{"Minimize", "HideApp", Ev(TTrayEvent::MinimizeApp)}));

  f.core.HideOnMinimize = false;
  f.core.MinimizeApp();
  EXPECT_EQ(f.host.Take(), (Calls{"Minimize", Ev(TTrayEvent::MinimizeApp)}));

  f.core.HideOnMinimize = true;
  f.core.SetEnabled(false);
  f.host.Take();
  f.core.MinimizeApp();
  f.core.RestoreApp();
  EXPECT_EQ(f.host.Take(),
            (Calls{"Minimize", Ev(TTrayEvent::MinimizeApp), "Restore", Ev(TTrayEvent::RestoreApp)}));
}

TEST(TrayIcon, AnimationCyclesThroughTheListAndWraps) {
  Fixture f;
  f.host.Count = 3;
  f.core.Loaded();
  f.core.AnimationTick();  // not animating yet
  EXPECT_EQ(f.core.IconIndex(), 0);
  f.core.SetInterval(250);
  f.core.SetAnimate(true);
  EXPECT_EQ(f.host.Log.back(), "TimerOn 250");
  std::vector<std::uintptr_t> shown;
  for (int i = 0; i < 5; ++i) {
    f.core.AnimationTick();
    shown.push_back(f.host.Sent.back().Icon);
  }
  EXPECT_EQ(shown, (std::vector<std::uintptr_t>{0x101, 0x102, 0x100, 0x101, 0x102}));
  // The list shrinks under a running animation: the next tick starts over.
  f.host.Count = 2;
  f.core.AnimationTick();
  EXPECT_EQ(f.core.IconIndex(), 0);
  // Without a list nothing moves.
  f.host.Count = -1;
  f.core.AnimationTick();
  EXPECT_EQ(f.core.IconIndex(), 0);
  f.core.SetAnimate(false);
  EXPECT_EQ(f.host.Log.back(), "TimerOff 250");
}

TEST(TrayIcon, IconIndexOutsideTheListShowsTheApplicationIcon) {
  Fixture f;
  f.host.Count = 2;
  f.core.SetIconIndex(1);
  f.core.Loaded();
  EXPECT_EQ(f.host.Sent.back().Icon, 0x101u);
  struct Case {
    int count, index;
    std::uintptr_t icon;
  } cases[] = {{2, 0, 0x100}, {2, 2, kAppIcon}, {2, -1, kAppIcon}, {-1, 0, kAppIcon}, {0, 0, kAppIcon}};
  for (const auto& c : cases) {
    f.host.Count = c.count;
    f.core.SetIconIndex(c.index);
    EXPECT_EQ(f.host.Log.back(), "Modify");
    EXPECT_EQ(f.host.Sent.back().Icon, c.icon) << c.count << " " << c.index;
  }
  // A change of the list re-applies the index.
  f.host.Count = 5;
  f.core.SetIconIndex(4);
  f.host.Count = 4;
  f.core.IconsChanged();
  EXPECT_EQ(f.host.Sent.back().Icon, kAppIcon);
}

}  // namespace

// A balloon goes with one modify of the large layout only; the icon's later updates do not
// show it again. The small layout has no balloon, and an icon not in the area shows none.
TEST(TrayIcon, BalloonIsSentOnceWithTheLargeLayoutOnly) {
  Fixture f;
  EXPECT_FALSE(f.core.ShowBalloonHint("Lumetta", "early"));  // still loading: no icon yet
  f.core.Loaded();
  f.host.Take();
  ASSERT_TRUE(f.core.ShowBalloonHint("Lumetta", "Lumetta is already running"));
  ASSERT_EQ(f.host.Take(), (Calls{"Modify"}));
  const TTrayRecord& balloon = f.host.Sent.back();
  EXPECT_EQ(balloon.Flags, tray::NifMessage | tray::NifIcon | tray::NifInfo);
  EXPECT_EQ(balloon.Info, "Lumetta is already running");
  EXPECT_EQ(balloon.InfoTitle, "Lumetta");
  EXPECT_EQ(balloon.InfoFlags, tray::NiifInfo);
  EXPECT_EQ(balloon.Icon, kAppIcon);
  f.core.UpdateTray();
  EXPECT_EQ(f.host.Sent.back().Flags & tray::NifInfo, 0u);
  // Texts longer than the record's fields are cut to them.
  ASSERT_TRUE(f.core.ShowBalloonHint(std::string(100, 't'), std::string(400, 'x')));
  EXPECT_EQ(f.host.Sent.back().InfoTitle.size(), 63u);
  EXPECT_EQ(f.host.Sent.back().Info.size(), 255u);

  f.core.SetEnabled(false);
  f.host.Take();
  EXPECT_FALSE(f.core.ShowBalloonHint("Lumetta", "gone"));
  EXPECT_TRUE(f.host.Take().empty());

  Fixture old(4);
  old.core.Loaded();
  old.host.Take();
  EXPECT_FALSE(old.core.ShowBalloonHint("Lumetta", "no balloons here"));
  EXPECT_TRUE(old.host.Take().empty());
}
