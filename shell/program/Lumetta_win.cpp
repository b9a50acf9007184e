// The program entry: GDI+ first, then the application titled "Lumetta" and its forms in
// order (the main form first; it becomes the main form), then the message loop. The skin
// manager goes when the loop has ended, GDI+ when the forms are gone.
#include <windows.h>

#include "effect/uGDIUtils_win.h"
#include "effect/ufrmBaseParticle_win.h"
#include "shell/Unit1.h"
#include "shell/Unitabout.h"
#include "shell/ufrmMain.h"
#include "skin/controls/SkinChildren.h"
#include "skin/forms/FormSkin.h"
#include "ui/Forms.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
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
