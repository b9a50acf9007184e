// The main form in this process, on a settings folder of the test's own, with real particle
// windows and the real hook library; the effect's pauses between particles are recorded
// instead of slept.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "effect/uGDIUtils_win.h"
#include "effect/ufrmBaseParticle_win.h"
#include "effect/ufrmFlagParticle.h"
#include "shell/SingleInstance_win.h"
#include "shell/TavrinApi.h"
#include "shell/TrayIcon_win.h"
#include "shell/ufrmMain.h"
#include "skin/data/SkinData.h"
#include "support/Pump_win.h"
#include "ui/Dialogs.h"
#include "ui/ExtCtrls.h"
#include "ui/Menus.h"

namespace {

std::string BinFolder() { return ProgramFolder(); }

class TempFolder {
 public:
  TempFolder() {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    static int counter = 0;
    FPath = std::string(base) + "lumetta-shell-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++counter) + "\\";
    CreateDirectoryA(FPath.c_str(), nullptr);
    CreateDirectoryA((FPath + "Images").c_str(), nullptr);
    // A folder left by an earlier run under the same process id starts empty again.
    SetFileAttributesA(Ini().c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(Ini().c_str());
    CopyFileA((BinFolder() + "Images\\ball_blue.png").c_str(), (FPath + "Images\\ball_blue.png").c_str(),
              FALSE);
  }
  const std::string& Path() const { return FPath; }
  std::string Ini() const { return FPath + "Lumetta.ini"; }
  void WriteIni(const std::string& text) const { std::ofstream(Ini(), std::ios::binary) << text; }
  std::string ReadIni() const {
    std::ifstream in(Ini(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

 private:
  std::string FPath;
};

struct Environment : ::testing::Environment {
  std::unique_ptr<TGdiplusSession> Gdiplus;
  void SetUp() override {
    Gdiplus = std::make_unique<TGdiplusSession>();
    InstallParticleWindows();
  }
  void TearDown() override { Gdiplus.reset(); }
};
const auto* const GEnvironment = ::testing::AddGlobalTestEnvironment(new Environment);

BOOL CALLBACK CollectParticle(HWND w, LPARAM p) {
  if (TfrmParticleForm::ParticleOf(w)) reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
  return TRUE;
}

std::vector<HWND> ParticleWindows() {
  std::vector<HWND> all;
  EnumThreadWindows(GetCurrentThreadId(), CollectParticle, reinterpret_cast<LPARAM>(&all));
  return all;
}

// Builds the main form the way the program does, on a folder of its own.
struct MainForm {
  std::vector<uint32_t> Sleeps;
  std::vector<std::string> Errors;
  TfrmMain* Form = nullptr;

  explicit MainForm(const TempFolder& folder) {
    Application->OnException = [this](TObject*, const std::string& message) { Errors.push_back(message); };
    TMainFormSetup setup;
    setup.AppDir = folder.Path();
    setup.Sleep = [this](uint32_t ms) { Sleeps.push_back(ms); };
    Form = new TfrmMain(Application, setup);
  }
  // The forms stay, like the particles they started: freeing one frees its tray icon,
  // which Wine answers only after a 2 s timeout on a desktop without a taskbar. Their
  // particles stop: left drawing, the tests before would share the thread's timer messages
  // with the ones after, and on a loaded machine a later Flag chain got a tick a second.
  ~MainForm() {
    for (std::size_t i = 0; Form->Observers && i < Form->Observers->Count(); ++i)
      if (auto* p = dynamic_cast<TfrmParticle*>(Form->Observers->Items(i))) p->Suspend();
    Form->Hide();
    Application->OnException = nullptr;
  }
};

// Stands in for the shell's notification area, so freeing a tray icon does not wait on
// a taskbar that is not there; keeps what was sent.
struct ShellRecorder {
  std::vector<DWORD> Commands;
  std::vector<std::string> Balloons;  // title|text of each balloon shown
  ShellRecorder() {
    TrayShellSeam().Notify = [this](DWORD command, const NOTIFYICONDATAA& data) {
      Commands.push_back(command);
      if (data.uFlags & NIF_INFO) Balloons.push_back(std::string(data.szInfoTitle) + "|" + data.szInfo);
      return TRUE;
    };
  }
  ~ShellRecorder() { TrayShellSeam() = {}; }
};

// Chooses an item in the open popup menu from inside its modal loop, one key per timer
// tick: Down until the item is highlighted, then Enter.
HMENU gMenu = nullptr;
UINT gMenuTarget = 0;
int gMenuTicks = 0;
bool gMenuSeen = false;

BOOL CALLBACK FindVisibleMenu(HWND w, LPARAM p) {
  char cls[16] = {};
  GetClassNameA(w, cls, sizeof cls);
  if (std::string(cls) != "#32768" || !IsWindowVisible(w)) return TRUE;
  *reinterpret_cast<HWND*>(p) = w;
  return FALSE;
}

bool TargetHighlighted() {
  MENUITEMINFOA mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_STATE;
  return GetMenuItemInfoA(gMenu, gMenuTarget, FALSE, &mii) && (mii.fState & MFS_HILITE);
}

void CALLBACK PressMenuKeys(HWND, UINT, UINT_PTR, DWORD) {
  HWND menu = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindVisibleMenu, reinterpret_cast<LPARAM>(&menu));
  if (!menu) return;
  gMenuSeen = true;
  if (++gMenuTicks > 40)
    EndMenu();  // the item never came up: fail rather than hang
  else
    PostMessageA(menu, WM_KEYDOWN, TargetHighlighted() ? VK_RETURN : VK_DOWN, 0);
}

// A right-button release on the tray icon, as the shell reports it, with `item` chosen in
// the menu it opens. Returns once the tray's window procedure has returned, without running
// the queue afterwards.
void ChooseFromTray(TTrayIcon* tray, TMenuItem* item) {
  gMenu = tray->PopupMenu()->Handle();
  gMenuTarget = item->Command();
  gMenuTicks = 0;
  gMenuSeen = false;
  const UINT_PTR timer = SetTimer(nullptr, 0, 30, PressMenuKeys);
  SendMessageA(tray->Handle(), 0x2422, 0, WM_RBUTTONUP);
  KillTimer(nullptr, timer);
}

PHookData Record() {
  PHookData data = nullptr;
  GetDLLData(&data);
  return data;
}

}  // namespace

TEST(MainForm, StartsHiddenTransparentHookedAndRunsTheDefaultEffect) {
  TempFolder folder;
  const size_t particlesBefore = ParticleWindows().size();
  const auto t0 = std::chrono::steady_clock::now();
  MainForm m(folder);
  const auto created = std::chrono::steady_clock::now();
  TfrmMain* f = m.Form;
  const HWND wnd = f->Handle();

  EXPECT_TRUE(m.Errors.empty()) << m.Errors.front();
  EXPECT_TRUE(f->EffectStarted());
  EXPECT_EQ(f->AppDir, folder.Path());
  EXPECT_NE(folder.ReadIni().find("Flag=False"), std::string::npos) << folder.ReadIni();
  EXPECT_EQ(f->OpenDialog1->InitialDir, folder.Path() + "Images");
  EXPECT_EQ(f->OpenDialog1->Filter, "PNG|*.png|All Files|*.*");

  // The window: no border, the design's client size and caption, fully transparent.
  char cls[64] = {}, caption[64] = {};
  GetClassNameA(wnd, cls, sizeof(cls));
  GetWindowTextA(wnd, caption, sizeof(caption));
  EXPECT_STREQ(cls, "TfrmMain");
  EXPECT_STREQ(caption, "Lumetta");
  EXPECT_EQ(GetWindowLongA(wnd, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
  RECT client{};
  GetClientRect(wnd, &client);
  EXPECT_EQ(client.right, 149);
  EXPECT_EQ(client.bottom, 192);
  RECT outer{};
  GetWindowRect(wnd, &outer);
  EXPECT_EQ(outer.left, 188);
  EXPECT_EQ(outer.top, 244);
  EXPECT_TRUE(GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_LAYERED);
  BYTE alpha = 255;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(wnd, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 0);
  EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));

  // The form's skin component holds the skin stored in the program, loaded and active.
  ASSERT_NE(f->SkinData1, nullptr);
  EXPECT_FALSE(f->SkinData1->NoSkin);
  EXPECT_TRUE(f->SkinData1->Active());
  EXPECT_NE(f->SkinData1->BorderTop, nullptr);
  EXPECT_NE(f->SkinData1->Title, nullptr);

  // The hook library reports to this window.
  EXPECT_EQ(Record()->MainWindow, HookWindowValue(wnd));

  // Eight particles, each after a pause below 200 ms; all attached.
  EXPECT_EQ(ParticleWindows().size(), particlesBefore + 8);
  ASSERT_EQ(m.Sleeps.size(), 8u);
  for (uint32_t ms : m.Sleeps) EXPECT_LT(ms, 200u);
  EXPECT_EQ(f->Observers->Count(), 8u);

  // The first frame reaches the screen once the loop runs: a drawn particle has the
  // picture's size instead of the window's stored one.
  std::vector<HWND> mine = ParticleWindows();
  mine.erase(mine.begin(), mine.begin() + static_cast<long>(particlesBefore));
  auto drawn = [&] {
    for (HWND p : mine) {
      RECT r{};
      GetWindowRect(p, &r);
      if (r.right - r.left != TfrmParticleForm::kDesignWidth) return true;
    }
    return false;
  };
  while (!drawn() && std::chrono::steady_clock::now() - t0 < std::chrono::seconds(5)) PumpMessages(1);
  const auto firstFrame = std::chrono::steady_clock::now();
  EXPECT_TRUE(drawn());
  using ms = std::chrono::duration<double, std::milli>;
  std::printf(
      "start-up: main form with eight particles built in %.1f ms, first particle frame %.1f ms after "
      "construction began (pauses of %u ms between particles skipped)\n",
      ms(created - t0).count(), ms(firstFrame - t0).count(), [&] {
        uint32_t t = 0;
        for (uint32_t s : m.Sleeps) t += s;
        return t;
      }());
}

TEST(MainForm, CursorMessageFeedsThePointToEveryParticle) {
  TempFolder folder;
  folder.WriteIni("[Image]\r\nFlag=1\r\n");
  MainForm m(folder);
  TfrmMain* f = m.Form;
  EXPECT_EQ(f->CursorPos, (TPoint{0, 0}));
  EXPECT_NE(folder.ReadIni().find("Flag=True"), std::string::npos);

  struct Spy final : ICursorObserver {
    std::vector<TPoint> Points;
    void CursorMoved(const TPoint& p) override { Points.push_back(p); }
  } spy;
  f->Attach(&spy);
  PHookData data = Record();
  data->X = 321;
  data->Y = -45;  // a screen left of or above the primary one
  SendMessageA(f->Handle(), WM_CURSORMOVED, 0, 0);
  EXPECT_EQ(f->CursorPos, (TPoint{321, -45}));
  ASSERT_EQ(spy.Points.size(), 1u);
  EXPECT_EQ(spy.Points[0], (TPoint{321, -45}));
  // The message's own parameters carry nothing: the record is what counts.
  data->X = 10;
  data->Y = 20;
  SendMessageA(f->Handle(), WM_CURSORMOVED, 999, 999);
  EXPECT_EQ(spy.Points.back(), (TPoint{10, 20}));
  f->Detach(&spy);
}

TEST(MainForm, MenuHasTheItemsCaptionsAndVisibility) {
  TempFolder folder;
  MainForm m(folder);
  TPopupMenu* menu = m.Form->pmMain;
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(m.Form->PopupMenu(), menu);
  struct Item {
    const char* name;
    const char* caption;
    bool visible;
  };
  const Item expected[] = {
      {"btnMagic", "Magic", true}, {"btnFlag", "Flag", true},    {"ChooseImage1", "ChooseImage (.PNG)", true},
      {"N1", "-", true},           {"MIOption", "Option", true}, {"N2", "-", true},
      {"MIHelp", "Help", false},   {"MIAbout", "About", true},   {"NewProgram1", "Clear", false},
      {"N3", "-", true},           {"pmiExit", "Exit", true},
  };
  ASSERT_EQ(menu->Items()->Count(), 11);
  for (int i = 0; i < 11; ++i) {
    TMenuItem* item = menu->Items()->Items(i);
    EXPECT_EQ(item->Name, expected[i].name);
    EXPECT_EQ(item->Caption(), expected[i].caption);
    EXPECT_EQ(item->Visible(), expected[i].visible) << expected[i].name;
  }
}

TEST(MainForm, BadFlagReportsAndStartsNothingUntilAChoice) {
  TempFolder folder;
  folder.WriteIni("[Image]\r\nFlag=yes\r\n");
  const size_t before = ParticleWindows().size();
  MainForm m(folder);
  ASSERT_EQ(m.Errors.size(), 1u);
  EXPECT_EQ(m.Errors[0], "'yes' is not a valid boolean value");
  EXPECT_FALSE(m.Form->EffectStarted());
  EXPECT_EQ(ParticleWindows().size(), before);
  EXPECT_TRUE(m.Form->OpenDialog1->InitialDir.empty());
  // The hook is in place all the same.
  EXPECT_EQ(Record()->MainWindow, HookWindowValue(m.Form->Handle()));

  // Each choice now adds eight particles; the missing restart program is not reported.
  m.Form->btnFlag->Click();
  EXPECT_EQ(ParticleWindows().size(), before + 8);
  EXPECT_NE(folder.ReadIni().find("Flag=True"), std::string::npos);
  m.Form->btnMagic->Click();
  EXPECT_EQ(ParticleWindows().size(), before + 16);
  EXPECT_NE(folder.ReadIni().find("Flag=False"), std::string::npos);
  EXPECT_EQ(m.Errors.size(), 1u);
}

TEST(MainForm, UnwritableSettingsReportThePathAndCreateNoParticle) {
  TempFolder folder;
  folder.WriteIni("[Image]\r\nFlag=False\r\n");
  SetFileAttributesA(folder.Ini().c_str(), FILE_ATTRIBUTE_READONLY);
  const size_t before = ParticleWindows().size();
  {
    MainForm m(folder);
    ASSERT_EQ(m.Errors.size(), 1u);
    EXPECT_EQ(m.Errors[0], "Unable to write to " + folder.Ini());
    EXPECT_FALSE(m.Form->EffectStarted());
    EXPECT_EQ(ParticleWindows().size(), before);
    EXPECT_TRUE(m.Form->OpenDialog1->InitialDir.empty());

    // A choice from the tray menu that cannot store itself is reported the same way, through
    // the application's handler (never a box of its own), and the program goes on: no
    // particles, no restart.
    std::vector<std::string> boxes;
    SetMessageBoxHook([&](const std::string& text, const std::string&, UINT) {
      boxes.push_back(text);
      return IDOK;
    });
    ChooseFromTray(m.Form->TrayIcon1, m.Form->btnFlag);
    PumpUntil([&] { return m.Errors.size() > 1 || !boxes.empty(); }, 3000);
    SetMessageBoxHook(nullptr);
    EXPECT_TRUE(gMenuSeen);
    EXPECT_TRUE(boxes.empty()) << boxes.front();
    ASSERT_EQ(m.Errors.size(), 2u);
    EXPECT_EQ(m.Errors[1], "Unable to write to " + folder.Ini());
    EXPECT_EQ(ParticleWindows().size(), before);
  }
  SetFileAttributesA(folder.Ini().c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(MainForm, StaysHiddenAfterAFailedStartUp) {
  struct Case {
    const char* settings;
    bool readOnly;
    const char* error;
  };
  TempFolder folder;
  const Case cases[] = {{"[Image]\r\nFlag=abc\r\n", false, "'abc' is not a valid boolean value"},
                        {"[Image]\r\nFlag=False\r\n", true, "Unable to write to "}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.settings);
    folder.WriteIni(c.settings);
    if (c.readOnly) SetFileAttributesA(folder.Ini().c_str(), FILE_ATTRIBUTE_READONLY);
    {
      // The program's error box runs a loop of its own while the form is being built.
      std::vector<std::string> errors;
      // It runs the form's timers, the 1 ms hide among them, before the form is ever shown.
      bool hideRanInBox = false;
      Application->OnException = [&](TObject* sender, const std::string& message) {
        errors.push_back(message);
        auto* form = dynamic_cast<TfrmMain*>(sender);
        hideRanInBox = form && PumpUntil([form] { return !form->Timer1->Enabled(); }, 3000);
      };
      TMainFormSetup setup;
      setup.AppDir = folder.Path();
      setup.Sleep = [](uint32_t) {};
      TfrmMain* f = new TfrmMain(Application, setup);
      Application->OnException = nullptr;
      ASSERT_EQ(errors.size(), 1u);
      EXPECT_EQ(errors[0].rfind(c.error, 0), 0u) << errors[0];
      EXPECT_TRUE(hideRanInBox);
      // Then the application's loop shows the main form; it must go at once all the same.
      f->Show();
      EXPECT_TRUE(PumpUntil([f] { return !IsWindowVisible(f->Handle()); }, 3000));
      EXPECT_FALSE(f->Visible());
      EXPECT_FALSE(f->Timer1->Enabled());
      BYTE alpha = 255;
      DWORD flags = 0;
      ASSERT_TRUE(GetLayeredWindowAttributes(f->Handle(), nullptr, &alpha, &flags));
      EXPECT_EQ(alpha, 0);
    }
    SetFileAttributesA(folder.Ini().c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

TEST(MainForm, ExitFromTheTrayMenuRunsAfterTheMenuCallHasUnwound) {
  ShellRecorder shell;
  TempFolder folder;
  MainForm m(folder);
  TfrmMain* f = m.Form;
  TTrayIcon* tray = f->TrayIcon1;
  ASSERT_NE(tray, nullptr);
  const HWND trayWindow = tray->Handle();
  ASSERT_TRUE(IsWindow(trayWindow));

  // Exit frees the tray icon: by then the tray's own popup call must be over.
  int exits = 0;
  bool trayInPopup = true;
  TNotifyEvent exitClick = f->pmiExit->OnClick;
  f->pmiExit->OnClick = [&, exitClick](TObject* sender) {
    ++exits;
    trayInPopup = f->TrayIcon1 && f->TrayIcon1->InPopup();
    exitClick(sender);
  };
  ChooseFromTray(tray, f->pmiExit);
  EXPECT_TRUE(gMenuSeen);
  EXPECT_EQ(exits, 0);  // chosen, waiting in the queue
  EXPECT_NE(f->TrayIcon1, nullptr);
  PumpUntil([&] { return exits > 0; }, 3000);
  ASSERT_EQ(exits, 1);
  EXPECT_FALSE(trayInPopup);
  // The icon left the notification area and its window is gone; the hook went with it.
  EXPECT_EQ(f->TrayIcon1, nullptr);
  ASSERT_FALSE(shell.Commands.empty());
  EXPECT_EQ(shell.Commands.back(), static_cast<DWORD>(NIM_DELETE));
  EXPECT_FALSE(IsWindow(trayWindow));
  EXPECT_FALSE(RemoveMouseHook());
  SetMouseHook();  // for the tests that follow
}

TEST(MainForm, HidesRightAfterTheLoopStartsAndExitRemovesTheHook) {
  TempFolder folder;
  MainForm m(folder);
  TfrmMain* f = m.Form;
  f->Show();
  EXPECT_TRUE(IsWindowVisible(f->Handle()));
  EXPECT_TRUE(PumpUntil([f] { return !IsWindowVisible(f->Handle()); }, 3000));
  EXPECT_FALSE(f->Timer1->Enabled());

  // Exit closes the window; the hook goes with it, so there is nothing left to remove.
  f->pmiExit->Click();
  EXPECT_FALSE(RemoveMouseHook());
  SetMouseHook();  // for the tests that follow
}

// A second start of the same program file tells the running one, which says so in a balloon
// at its icon; a copy of the program in another folder is another program and is not told.
TEST(MainForm, ASecondStartMakesTheRunningOneShowItsBalloon) {
  ShellRecorder shell;
  TempFolder folder;
  MainForm m(folder);
  // Forms of earlier tests live on in this process; this one is the first found.
  SetWindowPos(m.Form->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  char self[MAX_PATH * 2] = {};
  GetModuleFileNameA(nullptr, self, sizeof self - 1);
  EXPECT_FALSE(TellRunningInstance(folder.Path() + "Lumetta.exe", 0));
  PumpMessages(50);
  EXPECT_TRUE(shell.Balloons.empty());

  std::string upper = self;
  for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  ASSERT_TRUE(TellRunningInstance(upper, 0));  // the same file in other letters
  EXPECT_TRUE(PumpUntil([&] { return !shell.Balloons.empty(); }, 3000));
  EXPECT_EQ(shell.Balloons, std::vector<std::string>{"Lumetta|Lumetta is already running"});
}

namespace {

std::vector<TfrmParticle*> ParticlesOf(TfrmMain& form) {
  std::vector<TfrmParticle*> out;
  for (std::size_t i = 0; form.Observers && i < form.Observers->Count(); ++i)
    if (auto* p = dynamic_cast<TfrmParticle*>(form.Observers->Items(i))) out.push_back(p);
  return out;
}

int TimersRunning(TfrmMain& form) {
  int n = 0;
  for (TfrmParticle* p : ParticlesOf(form)) n += p->View() && p->View()->TimerEnabled();
  return n;
}

// The real particle window, with every frame it shows counted.
class TCountingView final : public IParticleView {
 public:
  TCountingView(TfrmParticle& particle, int& frames) : FForm(particle), FFrames(frames) {}
  void MakeLayered() override { FForm.MakeLayered(); }
  void ShowNoActivate() override { FForm.ShowNoActivate(); }
  void Present(const IParticleImage& image, TPoint position, uint8_t alpha) override {
    ++FFrames;
    FForm.Present(image, position, alpha);
  }
  void SetTimerInterval(uint32_t ms) override { FForm.SetTimerInterval(ms); }
  uint32_t TimerInterval() const override { return FForm.TimerInterval(); }
  void SetTimerEnabled(bool enabled) override { FForm.SetTimerEnabled(enabled); }
  bool TimerEnabled() const override { return FForm.TimerEnabled(); }

 private:
  TfrmParticleForm FForm;
  int& FFrames;
};

}  // namespace

// A locked session (or a display that is off) shows nothing: every particle's timer stops,
// and the unlock starts them again with the particles heading for where the cursor is now.
TEST(MainForm, SessionLockStopsTheParticlesTimersAndUnlockRestartsThemAtTheCursor) {
  TempFolder folder;
  MainForm m(folder);
  TfrmMain& f = *m.Form;
  ASSERT_EQ(ParticlesOf(f).size(), 8u);
  EXPECT_EQ(TimersRunning(f), 8);
  SendMessageA(f.Handle(), WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 0);
  EXPECT_EQ(TimersRunning(f), 0);
  SetCursorPos(321, 234);
  SendMessageA(f.Handle(), WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 0);
  EXPECT_EQ(TimersRunning(f), 8);
  for (TfrmParticle* p : ParticlesOf(f)) EXPECT_EQ(p->Target, (TPoint{321, 234}));
  // The display going off while unlocked hides too, and only its coming on shows again.
  POWERBROADCAST_SETTING off{};
  off.PowerSetting = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
  off.DataLength = sizeof(DWORD);
  off.Data[0] = 0;
  SendMessageA(f.Handle(), WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(&off));
  EXPECT_EQ(TimersRunning(f), 0);
  SendMessageA(f.Handle(), WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 0);
  EXPECT_EQ(TimersRunning(f), 0);
  POWERBROADCAST_SETTING on = off;
  on.Data[0] = 1;
  SendMessageA(f.Handle(), WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(&on));
  EXPECT_EQ(TimersRunning(f), 8);
}

// Flag with a still cursor: once the chain rests on it no frame is drawn; the first move
// draws again. Should the chain not come to rest, the failure says where each particle
// stood, how the head's timer was set, and how many frames a second still came.
TEST(MainForm, FlagAtRestDrawsNoFramesUntilTheCursorMoves) {
  int frames = 0;
  TParticleViewFactory previous =
      SetParticleViewFactory([&frames](TfrmParticle& p) -> std::unique_ptr<IParticleView> {
        return std::make_unique<TCountingView>(p, frames);
      });
  TempFolder folder;
  folder.WriteIni("[Image]\r\nFlag=True\r\n");
  MainForm m(folder);
  SetParticleViewFactory(std::move(previous));
  TfrmMain& f = *m.Form;
  ASSERT_EQ(ParticlesOf(f).size(), 8u);
  // Only this test moves the cursor here: the hook library's record is shared with every
  // process that loads it (other test programs running side by side move their mice).
  if (PHookData data = Record()) data->MainWindow = 0;
  f.CursorPos = {300, 200};
  f.NotifyObservers();
  auto row = [&] {
    const std::vector<TfrmParticle*> chain = ParticlesOf(f);
    const TPoint head = chain.front()->Target;
    for (size_t i = 0; i < chain.size(); ++i)
      if (!(chain[i]->Position == TPoint{head.x + 30 * static_cast<int32_t>(i), head.y})) return false;
    return true;
  };
  ASSERT_TRUE(PumpUntil(row, 10000)) << [&] {
    std::string where =
        "cursor " + std::to_string(f.CursorPos.x) + "," + std::to_string(f.CursorPos.y) + "; chain";
    for (TfrmParticle* p : ParticlesOf(f))
      where += " " + std::to_string(p->Position.x) + "," + std::to_string(p->Position.y) + "->" +
               std::to_string(p->Target.x) + "," + std::to_string(p->Target.y);
    auto* head = dynamic_cast<TfrmFlagParticle*>(ParticlesOf(f).front());
    int links = 0;
    for (TfrmFlagParticle* p = head; p; p = p->Next) ++links;
    where += "; links " + std::to_string(links) + " resting " + std::to_string(head->Resting()) +
             " suspended " + std::to_string(head->Suspended()) + " timer " +
             std::to_string(head->View()->TimerEnabled()) + " errors " + std::to_string(m.Errors.size());
    for (auto& e : m.Errors) where += " [" + e + "]";
    const int before = frames;
    PumpMessages(1000);
    where += " frames in 1 s " + std::to_string(frames - before);
    return where;
  }();
  PumpMessages(300);  // the frame that found the rest
  frames = 0;
  PumpMessages(1500);  // some 15 ticks of a running head
  EXPECT_EQ(frames, 0);
  const TPoint moved{ParticlesOf(f).front()->Target.x + 40, ParticlesOf(f).front()->Target.y + 60};
  f.CursorPos = moved;
  f.NotifyObservers();
  EXPECT_TRUE(PumpUntil([&] { return frames >= 8; }, 2000));
  EXPECT_TRUE(PumpUntil([&] { return ParticlesOf(f).front()->Position == moved; }, 2000));
}
