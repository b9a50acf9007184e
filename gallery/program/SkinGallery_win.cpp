// SkinGallery.exe: the gallery window with the built-in skin, or with the skin file named
// on the command line; "--page NAME" opens that page.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "gallery/Gallery.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Application->Initialize();
  Application->SetTitle(GalleryTitle);
  std::vector<std::string> args;
  for (int i = 1; i < __argc; ++i) args.emplace_back(__argv[i]);
  Application->CreateForm<TfrmGallery>(&frmGallery);
  frmGallery->ApplyArgs(ParseGalleryArgs(args));
  Application->Run();
  return 0;
}
