// A 200-line memo scrolled by one line, repainted with its skinned vertical bar, against the
// same memo with the native bar, in one run; and the bar's own repaint alone (the skinned
// bar window's paint against the native bar's non-client paint).
#include <cstdio>
#include <string>

#include "bench/BenchHarness.h"
#include "bench/BenchSkin_win.h"
#include "skin/controls/SkinScroll.h"
#include "support/Controls_win.h"
#include "support/Pump_win.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

namespace {
TMemo* AddMemo(TForm* form, int left, int tag) {
  auto* m = NewControl<TMemo>(form, form, left, 10, 160, 200);
  m->ScrollBars = ssVertical;
  m->Tag = tag;
  std::vector<std::string> lines;
  for (int i = 1; i <= 200; ++i) lines.push_back("Line " + std::to_string(i));
  m->SetLines(lines);
  return m;
}
// One line down, then one up, so the run never reaches an end.
void ScrollOneLine(HWND memo, HWND bar, bool& down) {
  SendMessageA(memo, WM_VSCROLL, down ? SB_LINEDOWN : SB_LINEUP, 0);
  down = !down;
  UpdateWindow(memo);
  if (bar) UpdateWindow(bar);
}
}  // namespace

int main() {
  TSkinData skin(nullptr);
  StartSkinEngine(skin);

  auto* form = new TForm(nullptr);
  form->SetClientSize(360, 220);
  TMemo* native = AddMemo(form, 10, 99);  // the disable tag: never skinned
  TMemo* skinned = AddMemo(form, 190, 0);
  TSkinForm* handler = ShowSkinnedForm(*form);
  TSkinScrollbar* bars = nullptr;
  if (handler)
    for (TSkinControl* h : handler->ControlHandlers())
      if (h->Control() == skinned) bars = dynamic_cast<TSkinScrollbar*>(h);
  if (!bars || !bars->VertBar() || !bars->VertBar()->Shown()) {
    std::printf("the memo's bar was not skinned\n");
    return 1;
  }
  HWND n = native->Handle(), s = skinned->Handle(), bar = bars->VertBar()->Handle();
  bool downN = true, downS = true;
  CompareNativeAndSkinned(
      "one-line scroll of a 200-line memo", [&] { ScrollOneLine(n, nullptr, downN); },
      [&] { ScrollOneLine(s, bar, downS); });
  // The native bar is painted with the memo's frame; the skinned bar is a window of its own.
  CompareNativeAndSkinned(
      "the bar's paint", [&] { SendMessageA(n, WM_NCPAINT, 1, 0); }, [&] { PaintNow(bar); });
  delete form;
  FreeSkinManager();
  return 0;
}
