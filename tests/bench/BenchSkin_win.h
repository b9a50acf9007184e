#pragma once
// What the control benches share: the engine with every control family and the built-in
// skin of the program's resources, and a paint forced at once.
#include <windows.h>

#include <cstdio>
#include <string>

#include "bench/BenchHarness.h"
#include "skin/controls/SkinChildren.h"
#include "skin/data/SkinData_win.h"
#include "skin/forms/FormSkin.h"
#include "support/BuiltinSkin_win.h"
#include "support/Pump_win.h"
#include "ui/Forms.h"

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

// Shows the form and answers its skin handler, or null (and says so) when it was not skinned.
inline TSkinForm* ShowSkinnedForm(TForm& form) {
  form.Show();
  PumpMessages(100);
  auto* handler = dynamic_cast<TSkinForm*>(SkinManage()->FindSkinForm(form.Handle()));
  if (!handler) std::printf("the form was not skinned\n");
  return handler;
}

// Times the same work on the native and on the skinned control, and prints both and the ratio.
template <class Native, class Skinned>
void CompareNativeAndSkinned(const char* what, Native&& native, Skinned&& skinned) {
  const TBenchResult rn = Bench(native);
  const TBenchResult rs = Bench(skinned);
  PrintBench((std::string(what) + ", native").c_str(), rn);
  PrintBench((std::string(what) + ", skinned").c_str(), rs);
  std::printf("skinned / native: %.2f\n", rs.MicrosPerCall / rn.MicrosPerCall);
}
