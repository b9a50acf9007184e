// Title-bar buttons, hit-testing and the skinned system menu. Until they are built, the
// native caption's own buttons and menu serve, and their messages go to the saved procedure.
#include "skin/forms/FormSkin.h"

void TSkinForm::FreeTitleButtons() {}

void TSkinForm::BuildSystemMenu() {}

void TSkinForm::FreeSystemMenu() {}

void TSkinForm::HoverTimerTick() {}

void TSkinForm::WmCommand(TMessage& m) { CallOldProc(m); }

void TSkinForm::WmSysCommand(TMessage& m) { CallOldProc(m); }

void TSkinForm::WmNcHitTest(TMessage& m) { CallOldProc(m); }

void TSkinForm::WmNcMouse(TMessage& m) { CallOldProc(m); }
