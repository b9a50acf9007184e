#pragma once
// The child-control pass on Win32: describes each control or foreign window to the
// portable decisions (SkinPass.h), creates the handler they name from the family table,
// attaches it and runs the child passes the decision asks for.
#include <windows.h>

#include <memory>

#include "skin/controls/SkinPass.h"
#include "skin/controls/SkinSubclass.h"

// Where a handler takes its control, and how.
struct TAttachPlace {
  TSkinAttach How = TSkinAttach::Handle;
  // The class-library control the handler skins, or (Handle) whose window or part it takes;
  // the handler goes as soon as this control starts to go. None for a foreign window.
  TControl* Control = nullptr;
  HWND Window = nullptr;  // Handle: the window to subclass
  bool Recolor = false;   // Control: the control takes the skin's face colour while skinned
};

// The one way a control handler is made and attached: the family's handler of `kind` (or
// `made`, whose component owner, if any, must be the control for Control), attached for
// `form` as the place says and then held by the answer alone. Null when the family is not
// installed or the handler took nothing (it is freed then).
std::unique_ptr<TSkinControl> AttachHandler(TSkinHandlerKind kind, TSkinForm* form,
                                            const TAttachPlace& place);
std::unique_ptr<TSkinControl> AttachHandler(std::unique_ptr<TSkinControl> made, TSkinForm* form,
                                            const TAttachPlace& place);
// Hands an attached handler to the form handler, its owner from then on: it frees the handler
// at its sweep once the window is gone, with its whole list, or as soon as `goesWith` starts
// to go. Without a form there is no owner and the handler is freed; null then.
TSkinControl* AdoptHandler(TSkinForm* form, std::unique_ptr<TSkinControl> handler, TControl* goesWith);

// A handler for a part of parent's window (an edit's spin button, a combo's list, a list
// view's header, a tab control's scroller): attached, owned by the parent's form handler,
// gone with the parent's control; the parent is told when it goes. Null when not taken.
TSkinControl* AttachPart(TSkinControl& parent, std::unique_ptr<TSkinControl> made, HWND part);

// The handler class of each kind (InstallControlFamilies fills it).
TSkinFamilyTable<TSkinControl>& SkinControlFamilies();
// Registers every family's handler classes and installs the pass in the form handlers.
void InstallControlFamilies();
// What the pass reads of a control (class chain, Tag, window, properties).
TControlFacts ControlFactsOf(TControl& control);
