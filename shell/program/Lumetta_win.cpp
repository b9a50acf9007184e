// The program entry: GDI+ first, then the application titled "Lumetta" and its forms in
// order (the main form first; it becomes the main form), then the message loop. GDI+ is
// shut down when the loop has ended and the forms are gone.
#include <windows.h>

#include "effect/uGDIUtils_win.h"
#include "effect/ufrmBaseParticle_win.h"
#include "shell/Unit1.h"
#include "shell/Unitabout.h"
#include "shell/ufrmMain.h"
#include "ui/Forms.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  TGdiplusSession gdiplus;
  InstallParticleWindows();
  Application->Initialize();
  Application->SetTitle("Lumetta");
  Application->CreateForm<TfrmMain>(&frmMain);
  // The Option and About dialogs, hidden until the menu shows them.
  Application->CreateForm(&Form1);
  Application->CreateForm(&AboutBox);
  Application->Run();
  return 0;
}
