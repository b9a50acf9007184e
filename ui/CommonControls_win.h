#pragma once
// The controls that wrap a window class of the common controls library (tabs, list views,
// headers, bars, up-downs, date pickers).
#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>

#include <atomic>

#include "ui/Controls.h"

// Makes params wrap nativeClass, a class of the common controls, registering the classes of
// icc with the system first, once per process (a failed registration is tried again).
inline void WrapCommonControl(TCreateParams& params, DWORD icc, const char* nativeClass) {
  static std::atomic<DWORD> registered{0};
  if ((registered.load() & icc) != icc) {
    INITCOMMONCONTROLSEX init{sizeof init, icc};
    if (InitCommonControlsEx(&init)) registered.fetch_or(icc);
  }
  params.NativeClass = nativeClass;
}
