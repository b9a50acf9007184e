#pragma once
// TShellDialog: the base of the program's own dialogs (Option, About). The particles are
// above every window, these included: whenever such a dialog is shown, activated or
// brought forward, the particles are put back on top of it.
#include <windows.h>

#include "ui/Forms.h"

class TShellDialog : public TForm {
 public:
  using TForm::TForm;

 protected:
  void WndProc(TMessage& m) override;
};
