#pragma once
// The child-control pass on Win32: describes each control or foreign window to the
// portable decisions (SkinPass.h), creates the handler they name from the family table,
// attaches it and runs the child passes the decision asks for.
#include <windows.h>

#include "skin/controls/SkinPass.h"
#include "skin/controls/SkinSubclass.h"

// Where each control family plugs in its handler class.
TSkinFamilyTable<TSkinControl>& SkinControlFamilies();
// Registers the families built so far and installs the pass in the form handlers.
void InstallControlFamilies();
// What the pass reads of a control (class chain, Tag, window, properties).
TControlFacts ControlFactsOf(TControl& control);
