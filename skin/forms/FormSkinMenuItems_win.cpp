// Owner-drawn menu items. Until they are built, menus keep the system's drawing: nothing is
// made owner-drawn, and item messages go to the saved procedure.
#include "skin/forms/FormSkin.h"

void TSkinForm::OwnerDrawMenus(bool, bool, bool) {}

void TSkinForm::WmDrawItem(TMessage& m) { CallOldProc(m); }

void TSkinForm::WmMeasureItem(TMessage& m) { CallOldProc(m); }
