#include "shell/ufrmMain.h"

#include <shellapi.h>
#include <wtsapi32.h>

#include <cstring>
#include <vector>

#include "effect/PhysicalPixels_win.h"
#include "effect/ufrmFlagParticle.h"
#include "effect/ufrmMagicParticle.h"
#include "hook/HookData.h"
#include "restart/RestartPlan.h"
#include "shell/SingleInstance_win.h"
#include "shell/TavrinApi.h"
#include "shell/TrayIcon_win.h"
#include "shell/Unit1.h"
#include "shell/Unitabout.h"
#include "skin/data/SkinData_win.h"
#include "ui/Dialogs.h"
#include "ui/ExtCtrls.h"
#include "ui/FormBuild.h"
#include "ui/Menus.h"

TfrmMain* frmMain = nullptr;

namespace {

// The settings file through the profile operations.
class TIniSettings final : public ISettingsStore {
 public:
  explicit TIniSettings(TIniFile& file) : FFile(file) {}
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def) override {
    return FFile.ReadString(section, key, def);
  }
  void WriteString(const std::string& section, const std::string& key, const std::string& value) override {
    FFile.WriteString(section, key, value);
  }

 private:
  TIniFile& FFile;
};

}  // namespace

std::string ProgramFolder(HMODULE module) {
  char path[MAX_PATH * 2] = {};
  const DWORD n = GetModuleFileNameA(module, path, sizeof(path));
  return FolderOf(std::string(path, n));
}

DEFINE_CLASS_INFO(TfrmMain, TForm)

TfrmMain::TfrmMain(TComponent* AOwner, TMainFormSetup setup) : TForm(AOwner), FSetup(std::move(setup)) {
  if (FSetup.AppDir.empty()) FSetup.AppDir = ProgramFolder();
  if (!FSetup.Sleep) FSetup.Sleep = [](uint32_t ms) { ::Sleep(ms); };
  BeginLoading();
  Name = "frmMain";
  SetBorderStyle(bsNone);
  SetBounds(188, 244, Width(), Height());
  SetClientSize(149, 192);
  SetCaption("Lumetta");

  CreateMenu();
  SetPopupMenu(pmMain);

  OpenDialog1 = new TOpenDialog(this);
  OpenDialog1->Name = "OpenDialog1";
  OpenDialog1->Filter = "PNG|*.png|All Files|*.*";

  CreateSkinData();

  Timer1 = new TTimer(this);
  Timer1->Name = "Timer1";
  Timer1->SetInterval(1);
  Timer1->OnTimer = [this](TObject* s) { Timer1Timer(s); };
  Timer1->SetEnabled(true);

  CreateTrayIcon();

  OnMouseMove = [this](TObject* s, TShiftState shift, int x, int y) { FormMouseMove(s, shift, x, y); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
  OnDestroy = [this](TObject* s) { FormDestroy(s); };
  // An error in the creation handler is reported and the form is made all the same.
  OnCreate = [this](TObject* s) { GuardedCall(this, [&] { FormCreate(s); }); };
  EndLoading();
}

TfrmMain::~TfrmMain() {
  UnwatchVisibility();
  // The destroy handler runs while the form and its components are whole.
  FormDestroy(this);
  OnDestroy = nullptr;
  if (frmMain == this) frmMain = nullptr;
}

void TfrmMain::CreateMenu() {
  pmMain = new TPopupMenu(this);
  pmMain->Name = "pmMain";
  btnMagic = AddItem(this, pmMain->Items(), "btnMagic", "Magic", [this](TObject* s) { btnMagicClick(s); });
  btnFlag = AddItem(this, pmMain->Items(), "btnFlag", "Flag", [this](TObject* s) { btnFlagClick(s); });
  ChooseImage1 = AddItem(this, pmMain->Items(), "ChooseImage1", "ChooseImage (.PNG)",
                         [this](TObject* s) { ChooseImage1Click(s); });
  AddItem(this, pmMain->Items(), "N1", "-");
  MIOption = AddItem(this, pmMain->Items(), "MIOption", "Option", [this](TObject* s) { MIOptionClick(s); });
  AddItem(this, pmMain->Items(), "N2", "-");
  MIHelp = AddItem(this, pmMain->Items(), "MIHelp", "Help");
  MIHelp->SetVisible(false);
  MIAbout = AddItem(this, pmMain->Items(), "MIAbout", "About", [this](TObject* s) { MIAboutClick(s); });
  NewProgram1 =
      AddItem(this, pmMain->Items(), "NewProgram1", "Clear", [this](TObject* s) { NewProgram1Click(s); });
  NewProgram1->SetVisible(false);
  AddItem(this, pmMain->Items(), "N3", "-");
  pmiExit = AddItem(this, pmMain->Items(), "pmiExit", "Exit", [this](TObject* s) { pmiExitClick(s); });
}

void TfrmMain::CreateSkinData() {
  // The stored values of the form's skin component; Loaded (at the end of the build) applies them.
  SkinData1 = new TSkinData(this);
  SkinData1->Name = "SkinData1";
  SkinData1->SetActive(true);
  ReadSkinStreamResource(*SkinData1, GetModuleHandleA(nullptr));
}

void TfrmMain::CreateTrayIcon() {
  TrayIcon1 = new TTrayIcon(this);  // added to the notification area when the form has loaded
  TrayIcon1->Name = "TrayIcon1";
  TrayIcon1->SetPopupMenu(pmMain);
}

void TfrmMain::FreeTrayIcon() {
  delete TrayIcon1;  // takes the icon out of the notification area
  TrayIcon1 = nullptr;
}

void TfrmMain::FormCreate(TObject*) {
  // 1. Fully transparent from now on.
  const HWND wnd = Handle();
  SetWindowLongA(wnd, GWL_EXSTYLE, GetWindowLongA(wnd, GWL_EXSTYLE) | WS_EX_LAYERED);
  SetLayeredWindowAttributes(wnd, 0, 0, LWA_ALPHA);
  WatchVisibility();
  // 2, 3. The program's folder and the settings file beside it.
  AppDir = FSetup.AppDir;
  IniFile = std::make_unique<TIniFile>(AppDir + SettingsFileName);
  FSettings = std::make_unique<TIniSettings>(*IniFile);
  TMainActions actions;
  actions.CreateMagicParticles = [this] { CreateMagicParticles(); };
  actions.CreateFlagParticles = [this] { CreateFlagParticles(); };
  actions.TriggerClear = [this] { NewProgram1->Click(); };
  actions.Launch = [](const std::string& program) {
    ShellExecuteA(Application->Handle(), "open", program.c_str(), "", nullptr, SW_SHOWNORMAL);
  };
  actions.ChoosePicture = [this]() -> std::optional<std::string> {
    if (!OpenDialog1->Execute()) return std::nullopt;
    return OpenDialog1->FileName;
  };
  actions.SetChooserFolder = [this](const std::string& folder) { OpenDialog1->InitialDir = folder; };
  FLogic = std::make_unique<TMainLogic>(*FSettings, AppDir, std::move(actions));
  // 4. The observer list.
  Observers = std::make_unique<TObserverList>();
  // 5, 6. The hook library reports to this window from now on.
  PHookData data = nullptr;
  GetDLLData(&data);
  if (data) data->MainWindow = HookWindowValue(wnd);
  SetMouseHook();
  // 7 to 10: the effect the settings choose; an error stops here.
  FLogic->StartEffectFromSettings();
}

void TfrmMain::Timer1Timer(TObject*) {
  Hide();
  Timer1->SetEnabled(false);
}

void TfrmMain::WndProc(TMessage& m) {
  if (m.Msg == WM_CURSORMOVED) {
    WMCursorMoved(m);
    return;
  }
  if (VisibilityNotice(m)) return;
  if (m.Msg == AlreadyRunningMessage()) {
    // A second start of this program left at once and asked this one to say so.
    if (TrayIcon1) TrayIcon1->ShowBalloonHint("Lumetta", kAlreadyRunningText);
    return;
  }
  TForm::WndProc(m);
  // An error box shown while the form is built runs a message loop of its own, and with it
  // Timer1, before the application's loop shows the form; the hide is then long gone. So
  // every show of this form arms the hide again: the window never stays on screen, nor its
  // taskbar button, whatever start-up raised.
  if (m.Msg == CM_VISIBLECHANGED && Visible() && Timer1) Timer1->SetEnabled(true);
}

namespace {
// The console display's state notice (GUID_CONSOLE_DISPLAY_STATE), spelled out so no GUID
// library is needed.
const GUID kConsoleDisplayState = {
    0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
}  // namespace

void TfrmMain::WatchVisibility() {
  // Either may be missing (an old system, a session without them): the effect then simply
  // runs on, as it always did.
  FWatchingSession = WTSRegisterSessionNotification(Handle(), NOTIFY_FOR_THIS_SESSION) != FALSE;
  FDisplayNotice =
      RegisterPowerSettingNotification(Handle(), &kConsoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE);
}

void TfrmMain::UnwatchVisibility() {
  if (FWatchingSession && HandleAllocated()) WTSUnRegisterSessionNotification(Handle());
  FWatchingSession = false;
  if (FDisplayNotice) UnregisterPowerSettingNotification(static_cast<HPOWERNOTIFY>(FDisplayNotice));
  FDisplayNotice = nullptr;
}

bool TfrmMain::VisibilityNotice(const TMessage& m) {
  if (m.Msg == WM_WTSSESSION_CHANGE) {
    if (m.WParam == WTS_SESSION_LOCK || m.WParam == WTS_SESSION_UNLOCK)
      ApplyVisibility(FVisibility.SessionLocked(m.WParam == WTS_SESSION_LOCK));
    return true;
  }
  if (m.Msg == WM_POWERBROADCAST && m.WParam == PBT_POWERSETTINGCHANGE && m.LParam) {
    const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(m.LParam);
    if (IsEqualGUID(setting->PowerSetting, kConsoleDisplayState) && setting->DataLength >= sizeof(DWORD)) {
      DWORD state = 0;
      memcpy(&state, setting->Data, sizeof state);
      ApplyVisibility(FVisibility.DisplayChanged(static_cast<int>(state)));
    }
    return false;  // the default answer (TRUE) still goes back
  }
  return false;
}

void TfrmMain::ApplyVisibility(TVisibilityChange change) {
  if (change == TVisibilityChange::None || !Observers) return;
  std::vector<TfrmParticle*> particles;
  for (std::size_t i = 0; i < Observers->Count(); ++i)
    if (auto* p = dynamic_cast<TfrmParticle*>(Observers->Items(i))) particles.push_back(p);
  if (change == TVisibilityChange::Hide) {
    for (TfrmParticle* p : particles) p->Suspend();
    return;
  }
  // Where the cursor is now: it may have moved while nothing was drawn (and the hook's
  // points, in physical pixels, may have stopped).
  {
    TPhysicalPixelsScope physical;
    POINT at{};
    if (GetCursorPos(&at)) {
      CursorPos.x = at.x;
      CursorPos.y = at.y;
    }
  }
  NotifyObservers();
  for (TfrmParticle* p : particles) p->Resume();
}

void TfrmMain::WMCursorMoved(TMessage&) {
  PHookData data = nullptr;
  GetDLLData(&data);
  if (!data) return;
  CursorPos.x = data->X;
  CursorPos.y = data->Y;
  NotifyObservers();
}

void TfrmMain::Attach(ICursorObserver* observer) {
  if (Observers) Observers->Attach(observer);
}
void TfrmMain::Detach(ICursorObserver* observer) {
  if (Observers) Observers->Detach(observer);
}
void TfrmMain::DetachAll() {
  if (Observers) Observers->DetachAll();
}
void TfrmMain::NotifyObservers() {
  if (Observers) Observers->Notify(CursorPos);
}

std::unique_ptr<TGPBitmap> TfrmMain::LoadParticlePicture() {
  return LoadTintedPicture(FLogic->PicturePath());
}

void TfrmMain::MagicClick() { FLogic->MagicClick(); }
void TfrmMain::FlagClick() { FLogic->FlagClick(); }

TEffectStartContext TfrmMain::EffectStartContext() {
  TEffectStartContext context;
  context.CursorPos = CursorPos;
  context.Subject = this;
  context.LoadPicture = [this]() -> std::unique_ptr<IParticleImage> { return LoadParticlePicture(); };
  context.Sleep = FSetup.Sleep;
  return context;
}

void TfrmMain::CreateMagicParticles() { StartMagicEffect(EffectStartContext()); }
void TfrmMain::CreateFlagParticles() { StartFlagEffect(EffectStartContext()); }

void TfrmMain::FormMouseMove(TObject*, TShiftState, int, int) {
  ReleaseCapture();
  SendMessageA(Handle(), WM_SYSCOMMAND, 0xF012, 0);
}

void TfrmMain::FormClose(TObject*, TCloseAction&) {
  FreeTrayIcon();
  RemoveMouseHook();
}

void TfrmMain::FormDestroy(TObject*) { Observers.reset(); }

void TfrmMain::btnMagicClick(TObject*) { FLogic->btnMagicClick(); }
void TfrmMain::btnFlagClick(TObject*) { FLogic->btnFlagClick(); }
void TfrmMain::ChooseImage1Click(TObject*) { FLogic->ChooseImage1Click(); }
void TfrmMain::NewProgram1Click(TObject*) { FLogic->NewProgram1Click(); }

// The dialogs exist hidden from the start; choosing one again only brings it up.
static void ShowDialog(TForm* dialog) {
  if (!dialog) return;
  dialog->Show();
  SetForegroundWindow(dialog->Handle());
}

void TfrmMain::MIOptionClick(TObject*) { ShowDialog(Form1); }
void TfrmMain::MIAboutClick(TObject*) { ShowDialog(AboutBox); }

void TfrmMain::pmiExitClick(TObject*) { Close(); }
