/* The example's windows: an MDI frame with a native menu of its own (File, Window) and two
 * children, and a dialog from a resource with a menu and the common controls. */
#ifndef LUMETTA_EXAMPLE_H
#define LUMETTA_EXAMPLE_H

#include <windows.h>

typedef struct ExampleWindows {
  HWND Frame;
  HWND Client;
  HWND Children[2];
  HWND Dialog;
} ExampleWindows;

/* Registers the classes and shows every window (the dialog beside the frame). */
BOOL ExampleCreateWindows(HINSTANCE instance, ExampleWindows* windows);
/* Gives the dialog its keyboard, then the frame's accelerators; FALSE when the message is the
 * caller's to dispatch. */
BOOL ExampleTranslate(const ExampleWindows* windows, MSG* msg);

#define IDD_EXAMPLE 100
#define IDM_DIALOG_MENU 101
#define IDM_FRAME_MENU 102
#define IDC_NAME 1001
#define IDC_BOLD 1002
#define IDC_ITALIC 1003
#define IDC_LIST 1004
#define IDC_COMBO 1005
#define IDC_TABS 1006
#define IDC_PROGRESS 1007
#define IDC_STEP 1008
#define IDM_FILE_DIALOG 2001
#define IDM_FILE_EXIT 2002
#define IDM_WINDOW_CASCADE 2003
#define IDM_WINDOW_TILE 2004
#define IDM_HELP_ABOUT 2005
#define IDM_FIRST_CHILD 0xFF00

#endif
