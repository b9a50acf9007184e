#include "skin/data/SkinRead.h"

#include <windows.h>

void InstallSkinMessageBox() {
  // A hook someone already set (a test capturing messages) stays.
  TSkinMessageHook current = SetSkinMessageHook(nullptr);
  if (current) {
    SetSkinMessageHook(std::move(current));
    return;
  }
  SetSkinMessageHook([](const std::string& text) {
    MessageBoxA(nullptr, text.c_str(), "Lumetta", MB_OK | MB_ICONINFORMATION);
  });
}
