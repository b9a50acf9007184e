// The program entry: one instance per program file, GDI+, then the application titled
// "Lumetta" and its forms in order (the main form first; it becomes the main form), then the
// message loop. The skin manager goes when the loop has ended, GDI+ when the forms are gone.
#include <windows.h>

#include "effect/uGDIUtils_win.h"
#include "effect/ufrmBaseParticle_win.h"
#include "shell/SingleInstance.h"
#include "shell/SingleInstance_win.h"
#include "shell/Unit1.h"
#include "shell/Unitabout.h"
#include "shell/ufrmMain.h"
#include "skin/controls/SkinChildren.h"
#include "skin/forms/FormSkin.h"
#include "ui/Forms.h"
#include "ui/Handles.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Before anything else, above all before the hook is installed: a second start of this
  // program leaves at once, so the running one keeps its icon and its cursor feed. It only
  // asks the running one to say, at its icon, that it is already running.
  char path[MAX_PATH * 2] = {};
  GetModuleFileNameA(nullptr, path, sizeof path - 1);
  const TKernelHandle instance(CreateMutexA(nullptr, FALSE, InstanceMutexName(path).c_str()));
  if (instance && GetLastError() == ERROR_ALREADY_EXISTS) {
    TellRunningInstance(path);
    return 0;
  }

  TGdiplusSession gdiplus;
  InstallParticleWindows();
  Application->Initialize();
  Application->SetTitle("Lumetta");
  // Before the main form is read, so its skin component creates the manager and registers.
  InstallSkinEngine();
  InstallControlFamilies();
  Application->CreateForm<TfrmMain>(&frmMain);
  // The Option and About dialogs, hidden until the menu shows them.
  Application->CreateForm(&Form1);
  Application->CreateForm(&AboutBox);
  Application->Run();
  FreeSkinManager();
  return 0;
}
