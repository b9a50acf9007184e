// One WM_PAINT of a skinned 75 x 25 push button against the native button's own paint, in
// one run, and the process's GDI object count across 10,000 skinned paints.
#include <cstdio>

#include "bench/BenchHarness.h"
#include "bench/BenchSkin_win.h"
#include "skin/controls/SkinButton.h"
#include "support/Controls_win.h"
#include "support/GdiCount_win.h"
#include "support/Pump_win.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

int main() {
  TSkinData skin(nullptr);
  StartSkinEngine(skin);

  auto* form = new TForm(nullptr);
  form->SetClientSize(200, 100);
  auto* native = NewControl<TButton>(form, form, 10, 10, 75, 25);
  native->SetCaption("Native");
  auto* skinned = NewControl<TButton>(form, form, 100, 10, 75, 25);
  skinned->SetCaption("Skinned");
  // The native button keeps its look: its handler is switched off.
  TSkinForm* handler = ShowSkinnedForm(*form);
  if (!handler) return 1;
  for (TSkinControl* h : handler->ControlHandlers())
    if (h->Control() == native) SendMessageA(native->Handle(), CM_SKINSWITCH, 0, 0);

  HWND n = native->Handle(), s = skinned->Handle();
  CompareNativeAndSkinned(
      "WM_PAINT of a 75 x 25 push button", [&] { PaintNow(n); }, [&] { PaintNow(s); });

  const DWORD before = GdiObjectsInUse();
  for (int i = 0; i < 10000; ++i) PaintNow(s);
  const DWORD after = GdiObjectsInUse();
  std::printf("GDI objects before / after 10,000 skinned paints: %lu / %lu\n", before, after);
  delete form;
  FreeSkinManager();
  return after > before ? 2 : 0;
}
