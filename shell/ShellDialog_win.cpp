#include "shell/ShellDialog.h"

#include "effect/ufrmBaseParticle_win.h"

void TShellDialog::WndProc(TMessage& m) {
  TForm::WndProc(m);
  // Any change of place, size or frame counts, not only of the window order: under Wine a
  // frame change (the skin's, as it attaches) raises the window on the screen as well.
  const bool raised = (m.Msg == WM_ACTIVATE && LOWORD(m.WParam) != WA_INACTIVE) ||
                      (m.Msg == WM_WINDOWPOSCHANGED && IsWindowVisible(Handle()));
  if (raised) RaiseParticleWindows();
}
