// The skinned menu bar. Until it is built, a window keeps its native menu bar: there is no
// skinned one to make, rebuild or free, and menu keys go their usual way.
#include "skin/forms/FormSkin.h"

bool TSkinForm::MenuBarReady() { return false; }

void TSkinForm::CreateMenuBar() {}

void TSkinForm::FreeMenuBar(bool) {}

bool TSkinForm::HasMenuBar() const { return false; }

void TSkinForm::RebuildMenuBar(bool) {}

bool TSkinForm::MenuBarDialogChar(TMessage&) { return false; }
