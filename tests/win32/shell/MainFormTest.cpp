// The main form in this process, on a settings folder of the test's own, with real particle
// windows and the real hook library; the effect's pauses between particles are recorded
// instead of slept.
#include <windows.h>

#include <gtest/gtest.h>

#include "support/Pump_win.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "effect/uGDIUtils_win.h"
#include "effect/ufrmBaseParticle_win.h"
#include "shell/TavrinApi.h"
#include "shell/ufrmMain.h"
#include "skin/data/SkinData.h"
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
    CopyFileA((BinFolder() + "Images\\ball_blue.png").c_str(), (FPath + "Images\\ball_blue.png").c_str(), FALSE);
  }
  const std::string& Path() const { return FPath; }
  std::string Ini() const { return FPath + "Lumetta.ini"; }
  void WriteIni(const std::string& text) const {
    std::ofstream(Ini(), std::ios::binary) << text;
  }
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
  // which Wine answers only after a 2 s timeout on a desktop without a taskbar.
  ~MainForm() {
    Form->Hide();
    Application->OnException = nullptr;
  }
};

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
  std::printf("start-up: main form with eight particles built in %.1f ms, first particle frame %.1f ms after "
              "construction began (pauses of %u ms between particles skipped)\n",
              ms(created - t0).count(), ms(firstFrame - t0).count(),
              [&] { uint32_t t = 0; for (uint32_t s : m.Sleeps) t += s; return t; }());
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
      {"btnMagic", "Magic", true},   {"btnFlag", "Flag", true},          {"ChooseImage1", "ChooseImage (.PNG)", true},
      {"N1", "-", true},             {"MIOption", "Option", true},       {"N2", "-", true},
      {"MIHelp", "Help", false},     {"MIAbout", "About", true},         {"NewProgram1", "Clear", false},
      {"N3", "-", true},             {"pmiExit", "Exit", true},
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

    // A menu choice that cannot store itself is reported the same way, and the program
    // goes on: no particles, no restart.
    SendMessageA(PopupListWindow(), WM_COMMAND, MAKEWPARAM(m.Form->btnFlag->Command(), 0), 0);
    ASSERT_EQ(m.Errors.size(), 2u);
    EXPECT_EQ(m.Errors[1], "Unable to write to " + folder.Ini());
    EXPECT_EQ(ParticleWindows().size(), before);
  }
  SetFileAttributesA(folder.Ini().c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(MainForm, HidesRightAfterTheLoopStartsAndExitRemovesTheHook) {
  TempFolder folder;
  MainForm m(folder);
  TfrmMain* f = m.Form;
  f->Show();
  EXPECT_TRUE(IsWindowVisible(f->Handle()));
  PumpMessages(100);
  EXPECT_FALSE(IsWindowVisible(f->Handle()));
  EXPECT_FALSE(f->Timer1->Enabled());

  // Exit closes the window; the hook goes with it, so there is nothing left to remove.
  f->pmiExit->Click();
  EXPECT_FALSE(RemoveMouseHook());
  SetMouseHook();  // for the tests that follow
}
