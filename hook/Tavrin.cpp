// Tavrin.dll: a low-level mouse hook that stores every cursor point in a record shared by
// all processes that load the library and posts the cursor message to the program's window.
#include <windows.h>

#include "hook/HookData.h"

namespace {

// One copy for every process that loads the library: the section is marked shared.
__attribute__((section(".shared"), shared)) THookData GShared = {0, 0, 0};

// The hook belongs to the process that installed it (a low-level hook runs in that
// process's own thread), so its handle is per process.
HHOOK GHook = nullptr;
HINSTANCE GInstance = nullptr;

LRESULT CALLBACK LowLevelMouseProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == WM_MOUSEMOVE && lParam != 0) {
    const auto* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    GShared.X = info->pt.x;
    GShared.Y = info->pt.y;
    const HWND target = HookWindowHandle<HWND>(GShared.MainWindow);
    if (target != nullptr) PostMessageA(target, WM_CURSORMOVED, 0, 0);
  }
  return CallNextHookEx(GHook, code, wParam, lParam);
}

}  // namespace

extern "C" {

__declspec(dllexport) BOOL WINAPI GetDLLData(PHookData* data) {
  if (data == nullptr) return FALSE;
  *data = &GShared;
  return TRUE;
}

__declspec(dllexport) BOOL WINAPI SetMouseHook() {
  if (GHook != nullptr) return TRUE;  // one hook per process is enough
  GHook = SetWindowsHookExA(WH_MOUSE_LL, LowLevelMouseProc, GInstance, 0);
  return GHook != nullptr;
}

__declspec(dllexport) BOOL WINAPI RemoveMouseHook() {
  if (GHook == nullptr) return FALSE;
  const BOOL ok = UnhookWindowsHookEx(GHook);
  GHook = nullptr;
  return ok;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    GInstance = instance;
    DisableThreadLibraryCalls(instance);
  } else if (reason == DLL_PROCESS_DETACH && GHook != nullptr) {
    UnhookWindowsHookEx(GHook);
    GHook = nullptr;
  }
  return TRUE;
}

}  // extern "C"
