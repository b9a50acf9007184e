#pragma once
// What the control benches share: the engine with every control family and the built-in
// skin of the program's resources, and a paint forced at once.
#include <windows.h>

#include "skin/controls/SkinChildren.h"
#include "skin/data/SkinData_win.h"
#include "skin/forms/FormSkin.h"
#include "support/BuiltinSkin_win.h"

// Installs the engine and loads the built-in skin into skin as the main form's component.
inline void StartSkinEngine(TSkinData& skin) {
  InstallSkinEngine();
  InstallControlFamilies();
  LoadBuiltinSkin(skin);
}

// One whole repaint of the window, now.
inline void PaintNow(HWND wnd) {
  InvalidateRect(wnd, nullptr, FALSE);
  UpdateWindow(wnd);
}
