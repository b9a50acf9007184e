/* The example's windows, in plain C and plain Win32: nothing here knows of the skin. */
#include "Example.h"

#include <commctrl.h>

static const wchar_t kFrameClass[] = L"LumettaExampleFrame";
static const wchar_t kChildClass[] = L"LumettaExampleChild";

static HWND gDialog;

static void FillDialog(HWND dialog) {
  static const wchar_t* const items[] = {L"Amber", L"Birch", L"Cedar", L"Dune", L"Elm", L"Fern", L"Grove"};
  static const wchar_t* const tabs[] = {L"General", L"Colours", L"Advanced"};
  HWND list = GetDlgItem(dialog, IDC_LIST), combo = GetDlgItem(dialog, IDC_COMBO);
  HWND tabControl = GetDlgItem(dialog, IDC_TABS);
  int i;
  for (i = 0; i < (int)(sizeof items / sizeof items[0]); ++i) {
    SendMessageW(list, LB_ADDSTRING, 0, (LPARAM)items[i]);
    SendMessageW(combo, CB_ADDSTRING, 0, (LPARAM)items[i]);
  }
  SendMessageW(list, LB_SETCURSEL, 1, 0);
  SendMessageW(combo, CB_SETCURSEL, 2, 0);
  for (i = 0; i < 3; ++i) {
    TCITEMW tab;
    ZeroMemory(&tab, sizeof tab);
    tab.mask = TCIF_TEXT;
    tab.pszText = (wchar_t*)tabs[i];
    SendMessageW(tabControl, TCM_INSERTITEMW, i, (LPARAM)&tab);
  }
  SetDlgItemTextW(dialog, IDC_NAME, L"Lumetta");
  CheckDlgButton(dialog, IDC_BOLD, BST_CHECKED);
  SendDlgItemMessageW(dialog, IDC_PROGRESS, PBM_SETRANGE, 0, MAKELPARAM(0, 10));
  SendDlgItemMessageW(dialog, IDC_PROGRESS, PBM_SETPOS, 6, 0);
}

static INT_PTR CALLBACK DialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
  (void)lParam;
  switch (msg) {
    case WM_INITDIALOG:
      FillDialog(dialog);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_STEP: {
          const LRESULT pos = SendDlgItemMessageW(dialog, IDC_PROGRESS, PBM_GETPOS, 0, 0);
          SendDlgItemMessageW(dialog, IDC_PROGRESS, PBM_SETPOS, (pos + 1) % 11, 0);
          return TRUE;
        }
        case IDM_HELP_ABOUT:
          MessageBoxW(dialog, L"A plain Win32 program in C, skinned by LumettaSkin.dll.", L"About", MB_OK);
          return TRUE;
        case IDOK:
        case IDCANCEL:
          DestroyWindow(dialog);
          return TRUE;
        default:
          return FALSE;
      }
    case WM_DESTROY:
      if (gDialog == dialog) gDialog = NULL;
      return FALSE;
    default:
      return FALSE;
  }
}

static HWND OpenDialog(HWND frame) {
  RECT r;
  if (gDialog) {
    SetActiveWindow(gDialog);
    return gDialog;
  }
  gDialog = CreateDialogParamW((HINSTANCE)GetWindowLongPtrW(frame, GWLP_HINSTANCE),
                               MAKEINTRESOURCEW(IDD_EXAMPLE), NULL, DialogProc, 0);
  if (!gDialog) return NULL;
  GetWindowRect(frame, &r);
  SetWindowPos(gDialog, NULL, r.right + 12, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(gDialog, SW_SHOW);
  return gDialog;
}

static LRESULT CALLBACK ChildProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    wchar_t title[64];
    RECT r;
    HDC dc = BeginPaint(wnd, &ps);
    GetClientRect(wnd, &r);
    GetWindowTextW(wnd, title, 64);
    DrawTextW(dc, title, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EndPaint(wnd, &ps);
    return 0;
  }
  return DefMDIChildProcW(wnd, msg, wParam, lParam);
}

static HWND gClient;

static LRESULT CALLBACK FrameProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: {
      CLIENTCREATESTRUCT ccs;
      ccs.hWindowMenu = GetSubMenu(GetMenu(wnd), 1);
      ccs.idFirstChild = IDM_FIRST_CHILD;
      gClient = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", NULL,
                                WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 0, 0, 0, 0,
                                wnd, NULL, ((LPCREATESTRUCTW)lParam)->hInstance, &ccs);
      return gClient ? 0 : -1;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDM_FILE_DIALOG:
          OpenDialog(wnd);
          return 0;
        case IDM_FILE_EXIT:
          DestroyWindow(wnd);
          return 0;
        case IDM_WINDOW_CASCADE:
          SendMessageW(gClient, WM_MDICASCADE, 0, 0);
          return 0;
        case IDM_WINDOW_TILE:
          SendMessageW(gClient, WM_MDITILE, MDITILE_VERTICAL, 0);
          return 0;
        default:
          break;
      }
      break;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefFrameProcW(wnd, gClient, msg, wParam, lParam);
}

BOOL ExampleCreateWindows(HINSTANCE instance, ExampleWindows* windows) {
  static const wchar_t* const titles[2] = {L"Document 1", L"Document 2"};
  INITCOMMONCONTROLSEX icc;
  WNDCLASSEXW wc;
  int i;
  icc.dwSize = sizeof icc;
  icc.dwICC = ICC_TAB_CLASSES | ICC_PROGRESS_CLASS;
  InitCommonControlsEx(&icc);
  ZeroMemory(&wc, sizeof wc);
  wc.cbSize = sizeof wc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
  wc.hIcon = LoadIconW(NULL, (LPCWSTR)IDI_APPLICATION);
  wc.lpfnWndProc = FrameProc;
  wc.hbrBackground = (HBRUSH)(COLOR_APPWORKSPACE + 1);
  wc.lpszClassName = kFrameClass;
  if (!GetClassInfoExW(instance, kFrameClass, &wc) && !RegisterClassExW(&wc)) return FALSE;
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = ChildProc;
  wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
  wc.lpszClassName = kChildClass;
  if (!GetClassInfoExW(instance, kChildClass, &wc) && !RegisterClassExW(&wc)) return FALSE;

  ZeroMemory(windows, sizeof *windows);
  windows->Frame =
      CreateWindowExW(0, kFrameClass, L"Lumetta skin example", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 20, 20,
                      480, 360, NULL, LoadMenuW(instance, MAKEINTRESOURCEW(IDM_FRAME_MENU)), instance, NULL);
  if (!windows->Frame) return FALSE;
  windows->Client = gClient;
  for (i = 0; i < 2; ++i) {
    MDICREATESTRUCTW mcs;
    ZeroMemory(&mcs, sizeof mcs);
    mcs.szClass = kChildClass;
    mcs.szTitle = titles[i];
    mcs.hOwner = instance;
    mcs.x = 10 + 40 * i;
    mcs.y = 10 + 40 * i;
    mcs.cx = 260;
    mcs.cy = 160;
    windows->Children[i] = (HWND)SendMessageW(gClient, WM_MDICREATE, 0, (LPARAM)&mcs);
    if (!windows->Children[i]) return FALSE;
  }
  ShowWindow(windows->Frame, SW_SHOW);
  UpdateWindow(windows->Frame);
  windows->Dialog = OpenDialog(windows->Frame);
  return windows->Dialog != NULL;
}

BOOL ExampleTranslate(const ExampleWindows* windows, MSG* msg) {
  if (gDialog && IsDialogMessageW(gDialog, msg)) return TRUE;
  return windows->Client && TranslateMDISysAccel(windows->Client, msg);
}
