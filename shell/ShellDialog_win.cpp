#include "shell/ShellDialog.h"

#include "effect/ufrmBaseParticle_win.h"

void TShellDialog::WndProc(TMessage& m) {
  TForm::WndProc(m);
  const bool raised =
      (m.Msg == WM_ACTIVATE && LOWORD(m.WParam) != WA_INACTIVE) ||
      (m.Msg == WM_WINDOWPOSCHANGED && m.LParam &&
       !(reinterpret_cast<const WINDOWPOS*>(m.LParam)->flags & SWP_NOZORDER) && IsWindowVisible(Handle()));
  if (raised) RaiseParticleWindows();
}
