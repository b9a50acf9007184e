#pragma once
// The hook library's exports as the program imports them (Tavrin.dll, stdcall, undecorated).
// Their results are ignored by the program.
#include <windows.h>

#include "hook/HookData.h"

extern "C" {
__declspec(dllimport) BOOL WINAPI GetDLLData(PHookData* data);
__declspec(dllimport) BOOL WINAPI SetMouseHook();
__declspec(dllimport) BOOL WINAPI RemoveMouseHook();
}
