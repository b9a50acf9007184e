// One WM_PAINT of a skinned page control with 8 tabs (480 x 240) against the same page
// control's native paint, in one run: both are on one skinned form, and the native one's
// handler is switched off. The pages themselves are child windows and are not repainted.
#include <cstdio>
#include <string>

#include "bench/BenchHarness.h"
#include "bench/BenchSkin_win.h"
#include "skin/controls/SkinTab.h"
#include "support/Controls_win.h"
#include "support/Pump_win.h"
#include "ui/ComCtrls.h"
#include "ui/Forms.h"

namespace {

TPageControl* AddPageControl(TForm* form, int top) {
  auto* pc = NewControl<TPageControl>(form, form, 10, top, 480, 240);
  for (int i = 1; i <= 8; ++i) {
    auto* sheet = new TTabSheet(form);
    sheet->SetCaption("Page " + std::to_string(i));
    sheet->SetPageControl(pc);
  }
  return pc;
}
}  // namespace

int main() {
  TSkinData skin(nullptr);
  StartSkinEngine(skin);

  auto* form = new TForm(nullptr);
  form->SetClientSize(500, 510);
  TPageControl* native = AddPageControl(form, 10);
  TPageControl* skinned = AddPageControl(form, 260);
  TSkinForm* handler = ShowSkinnedForm(*form);
  if (!handler) return 1;
  int tabHandlers = 0;
  for (TSkinControl* h : handler->ControlHandlers()) {
    if (!dynamic_cast<TSkinTab*>(h)) continue;
    ++tabHandlers;
    if (h->Handle() == native->Handle()) SendMessageA(native->Handle(), CM_SKINSWITCH, 0, 0);
  }
  if (tabHandlers != 2) {
    std::printf("expected both page controls skinned, found %d tab handlers\n", tabHandlers);
    return 1;
  }

  HWND n = native->Handle(), s = skinned->Handle();
  CompareNativeAndSkinned(
      "WM_PAINT of a page control, 8 tabs, 480 x 240", [&] { PaintNow(n); }, [&] { PaintNow(s); });
  delete form;
  FreeSkinManager();
  return 0;
}
