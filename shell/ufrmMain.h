#pragma once
// TfrmMain: the program's hidden, fully transparent main window. It keeps the cursor point
// that the hook library reports, hands it to the particles (it is their subject), starts
// the effect the settings choose, and carries the popup menu and the tray icon.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "effect/uGDIUtils_win.h"
#include "effect/uObserver.h"
#include "shell/EffectVisibility.h"
#include "shell/MainLogic.h"
#include "ui/Forms.h"
#include "ui/IniFiles.h"

class TPopupMenu;
class TMenuItem;
class TOpenDialog;
class TTimer;
class TTrayIcon;
struct TEffectStartContext;
class TSkinData;

// Where the program lives and how it waits between particles; the program uses its own
// folder and real sleeps, tests a folder of their own and no waiting.
struct TMainFormSetup {
  std::string AppDir;                      // with trailing separator; empty: the program's folder
  std::function<void(uint32_t ms)> Sleep;  // empty: block the GUI thread
};

class TfrmMain : public TForm, public ICursorSubject {
 public:
  explicit TfrmMain(TComponent* AOwner) : TfrmMain(AOwner, TMainFormSetup{}) {}
  TfrmMain(TComponent* AOwner, TMainFormSetup setup);
  ~TfrmMain() override;
  DECLARE_CLASS_INFO;

  // Components, as the form is laid out.
  TPopupMenu* pmMain = nullptr;
  TMenuItem* btnMagic = nullptr;
  TMenuItem* btnFlag = nullptr;
  TMenuItem* ChooseImage1 = nullptr;
  TMenuItem* MIOption = nullptr;
  TMenuItem* MIHelp = nullptr;
  TMenuItem* MIAbout = nullptr;
  TMenuItem* NewProgram1 = nullptr;
  TMenuItem* pmiExit = nullptr;
  TSkinData* SkinData1 = nullptr;  // the stored skin, loaded as the form is built
  TTrayIcon* TrayIcon1 = nullptr;  // set by CreateTrayIcon; freed first when the window closes
  TOpenDialog* OpenDialog1 = nullptr;
  TTimer* Timer1 = nullptr;

  // ICursorSubject. The list never owns a particle.
  void Attach(ICursorObserver* observer) override;
  void Detach(ICursorObserver* observer) override;
  void DetachAll() override;
  void NotifyObservers() override;

  TPoint CursorPos;                          // (0, 0) until the first cursor message
  std::unique_ptr<TObserverList> Observers;  // made by FormCreate, freed by FormDestroy
  std::string AppDir;                        // the program's folder, with trailing separator
  std::unique_ptr<TIniFile> IniFile;
  bool EffectStarted() const { return FLogic && FLogic->EffectStarted(); }

  // A new, tinted picture for one particle, from the "PNG" setting or the default picture.
  std::unique_ptr<TGPBitmap> LoadParticlePicture();
  void MagicClick();
  void FlagClick();

  // Event handlers.
  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormDestroy(TObject* Sender);
  void FormMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void Timer1Timer(TObject* Sender);
  void WMCursorMoved(TMessage& Message);
  void btnMagicClick(TObject* Sender);
  void btnFlagClick(TObject* Sender);
  void ChooseImage1Click(TObject* Sender);
  void NewProgram1Click(TObject* Sender);
  void MIOptionClick(TObject* Sender);
  void MIAboutClick(TObject* Sender);
  void pmiExitClick(TObject* Sender);

 protected:
  void WndProc(TMessage& m) override;

 private:
  void CreateMenu();
  void CreateSkinData();
  // Where the notification-area icon is made (after pmMain exists) and freed.
  void CreateTrayIcon();
  void FreeTrayIcon();
  // What either effect starts from: the cursor, this form as the subject, the picture loader.
  TEffectStartContext EffectStartContext();
  void CreateMagicParticles();
  void CreateFlagParticles();
  // The session and display notices: the particles' timers stop while nothing can be seen
  // and start again, at the cursor, once it can.
  void WatchVisibility();
  void UnwatchVisibility();
  bool VisibilityNotice(const TMessage& m);
  void ApplyVisibility(TVisibilityChange change);

  TMainFormSetup FSetup;
  TEffectVisibility FVisibility;
  bool FWatchingSession = false;
  void* FDisplayNotice = nullptr;  // the power-setting registration (HPOWERNOTIFY)
  std::unique_ptr<ISettingsStore> FSettings;
  std::unique_ptr<TMainLogic> FLogic;
};

extern TfrmMain* frmMain;

// The folder of a program file path, with its trailing separator.
std::string ProgramFolder(HMODULE module = nullptr);
