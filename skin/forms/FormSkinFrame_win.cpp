// The skinned frame's messages and the sizing that keeps the client area; the frame painter
// (FramePainter_win.cpp) paints it. The decisions come from FrameGeometry and WindowSizing.
#include <new>
#include <vector>

#include "skin/data/SkinData_win.h"
#include "skin/forms/FormSkin.h"
#include "skin/forms/SkinDrawBitmap_win.h"
#include "skin/forms/TitleButtons.h"
#include "skin/forms/WindowSizing.h"

void TSkinForm::CalcFrameMetrics() {
  if (!FSkinData || FSkinData->NoSkin) return;
  FFrame.CalcMetrics();
  FButtons.Rebuild();
}

void TSkinForm::UpdateFrameRegion() { FFrame.UpdateRegion(); }

void TSkinForm::RemoveRegion() { FFrame.RemoveRegion(FMDIKind == mkChild); }

// ---- sizing ----

void TSkinForm::AdjustWindowSize(bool refresh) {
  RECT window{}, client{};
  GetWindowRect(FWnd, &window);
  GetClientRect(FWnd, &client);
  TAdjustInput in;
  in.Maximized = FWinState == wsMaximized;
  in.Refresh = refresh;
  in.IsForm = FForm != nullptr;
  in.SavedClientWidth = FClientRect.right - FClientRect.left;
  in.SavedClientHeight = FClientRect.bottom - FClientRect.top;
  in.ClientWidth = client.right - client.left;
  in.ClientHeight = client.bottom - client.top;
  in.WindowHeight = window.bottom - window.top;
  in.FormClientWidth = FForm ? FForm->ClientWidth() : in.ClientWidth;
  in.CyFrame = GetSystemMetrics(SM_CYFRAME);
  in.CyCaption = GetSystemMetrics(SM_CYCAPTION);
  in.Borders = Borders();
  in.MessageBox = FStandardDialog;
  if (FSkinData && FSkinData->Title) {
    in.TextShift = FSkinData->Title->LeftWidth;
    in.TextRightClip = FSkinData->Title->RightWidth;
  }
  if (in.MessageBox && !refresh) {
    in.CaptionWidth = FFrame.CaptionWidth();
  }
  const TAdjustResult out = ::AdjustWindowSize(in);
  if (out.FrameChangedOnly) {
    FrameChanged();
    return;
  }
  FClientRect = {0, 0, out.SavedClientWidth, out.SavedClientHeight};
  SetSizeKeepingControls(0, 0, out.Width, out.Height,
                         SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE, out.ChildShift);
}

namespace {
struct TControlPlace {
  HWND Wnd, Parent;
  RECT Rect;  // in the parent's client coordinates
};

RECT PlaceInParent(HWND wnd, HWND parent) {
  RECT r{};
  GetWindowRect(wnd, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

BOOL CALLBACK CollectPlace(HWND wnd, LPARAM p) noexcept {
  auto& places = *reinterpret_cast<std::vector<TControlPlace>*>(p);
  HWND parent = GetParent(wnd);
  try {
    places.push_back({wnd, parent, PlaceInParent(wnd, parent)});
  } catch (const std::bad_alloc&) {
    return FALSE;  // the controls found so far are kept
  }
  return TRUE;
}
}  // namespace

void TSkinForm::SetSizeKeepingControls(int x, int y, int width, int height, UINT flags, int childShift) {
  // A foreign window lays itself out again when it is resized, some by the change of the
  // window's size (the Open dialog) rather than of its client area. Replacing the frame
  // changes no client area, so every control (in nested dialogs too) goes back where it was.
  // A form's controls follow its client area, and the class library keeps their bounds.
  std::vector<TControlPlace> places;
  if (!FForm) {
    EnumChildWindows(FWnd, CollectPlace, reinterpret_cast<LPARAM>(&places));
  } else if (childShift != 0) {
    for (HWND child = GetWindow(FWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      places.push_back({child, FWnd, PlaceInParent(child, FWnd)});
  }
  RECT before{}, after{};
  GetClientRect(FWnd, &before);
  SetWindowPos(FWnd, nullptr, x, y, width, height, flags);
  GetClientRect(FWnd, &after);
  // Controls laid out for another client size (the caption was taken off just before, and the
  // window followed its larger client) stay where the window's own layout has put them now;
  // a window widened on purpose (a message box to its caption) has its controls shifted below.
  if (!FForm && childShift == 0 && (before.right != after.right || before.bottom != after.bottom)) return;
  // Parents come before their children, so a nested dialog that lays out again when it is
  // put back is followed by its controls.
  for (const TControlPlace& p : places) {
    if (!IsWindow(p.Wnd) || GetParent(p.Wnd) != p.Parent) continue;
    RECT want = p.Rect;
    if (p.Parent == FWnd) OffsetRect(&want, childShift, 0);
    const RECT now = PlaceInParent(p.Wnd, p.Parent);
    if (EqualRect(&now, &want)) continue;
    SetWindowPos(p.Wnd, nullptr, want.left, want.top, want.right - want.left, want.bottom - want.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER | (FForm ? SWP_NOSENDCHANGING : 0));
  }
}

// ---- messages ----

void TSkinForm::WmNcCalcSize(TMessage& m) {
  CallOldProc(m);
  if (!m.WParam) return;
  auto* p = reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam);
  if (NcCalcKeepsDefault(static_cast<TFrameKind>(FFrameKind), FMDIKind == mkChild && FWinState != wsNormal)) {
    p->rgrc[1] = p->rgrc[0];
    m.Result = WVR_VALIDRECTS;
    return;
  }
  const WINDOWPOS& pos = *p->lppos;
  p->rgrc[0] = ToRect(SkinnedClientRect(pos.x, pos.y, pos.cx, pos.cy, Borders()));
  p->rgrc[1] = p->rgrc[0];
  m.Result = WVR_VALIDRECTS;
}

void TSkinForm::WmNcPaint(TMessage& m) {
  m.Result = 0;
  if (!FSkinData || !FSkinData->PaintFlag) return;
  if ((FMDIKind == mkChild && FWinState != wsNormal) || FFrameKind == fkNone) {
    CallOldProc(m);
    m.Result = 0;
    return;
  }
  FFrame.Paint(nullptr);
}

void TSkinForm::WmNcActivate(TMessage& m) {
  FActive = (m.WParam & 0xFF) != 0;
  if (FHoverTimer) FHoverTimer->SetEnabled(FActive);
  // A foreign window's hot push button (a message box's) gets no leave of its own when the
  // window goes inactive under a resting mouse: it would stay hot until the mouse moves.
  if (!FActive && !FForm && HotButton) {
    SendMouseLeave(HotButton);
    HotButton = nullptr;
  }
  if (FMDIKind == mkFrame && FMDIClient) SendMessageA(FMDIClient, WM_NCACTIVATE, m.WParam, 0);
  if (!(FMDIKind == mkChild && FWinState != wsNormal)) FFrame.Paint(nullptr);
  m.Result = TRUE;
}

void TSkinForm::WmSize(TMessage& m) {
  CallOldProc(m);
  FWinState = WinStateFromSize(m.WParam, FWinState);
  if (FWinState == wsMinimized) return;
  if (FMDIKind == mkChild && (FManager.MDIChildMaximized() || FWinState != wsNormal)) return;
  if (FStage == stReady || FStage == stReskinning) UpdateFrameRegion();
}

void TSkinForm::WmGetMinMaxInfo(TMessage& m) {
  CallOldProc(m);
  ReadWindowState();
  if (CaptionDeferred()) return;  // sized natively until CM_SKINSTART
  if (MinMaxRestoresCaption(FWinState, FMDIKind == mkChild))
    SetNativeCaption(true);
  else
    SetNativeCaption(false);
  if (FFrameKind == fkSizeable) {
    auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
    info->ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
  }
}

void TSkinForm::SkinMenuPaint(TMessage& m) {
  FFrame.Paint(nullptr);
  m.Result = 0;
}
