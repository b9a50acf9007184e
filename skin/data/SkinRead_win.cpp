#include <windows.h>

#include "skin/data/SkinRead.h"

void InstallSkinMessageBox() {
  SetSkinMessageHook([](const std::string& text) {
    MessageBoxA(nullptr, text.c_str(), "Lumetta", MB_OK | MB_ICONINFORMATION);
  });
}
