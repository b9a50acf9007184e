// SkinGallery.exe: the gallery window with the built-in skin, or with the skin file named
// on the command line; "--page NAME" opens that page.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "gallery/Gallery.h"
#include "skin/controls/SkinChildren.h"
#include "skin/forms/FormSkin.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Application->Initialize();
  Application->SetTitle(GalleryTitle);
  // The skin engine and the control families, before the gallery's skin component loads.
  InstallSkinEngine();
  InstallControlFamilies();
  std::vector<std::string> args;
  for (int i = 1; i < __argc; ++i) args.emplace_back(__argv[i]);
  Application->CreateForm<TfrmGallery>(&frmGallery);
  frmGallery->ApplyArgs(ParseGalleryArgs(args));
  Application->Run();
  FreeSkinManager();
  return 0;
}
