// The skinned frame: metrics, painting of borders and title bar, the window region and the
// sizing that keeps the client area. Until the frame painter is built, the window keeps its
// native frame: the native caption stays, the metrics stay zero, and the frame messages go
// to the saved procedure.
#include "skin/forms/FormSkin.h"

bool TSkinForm::FramePainterReady() { return false; }

void TSkinForm::CalcFrameMetrics() {}

void TSkinForm::PaintFrame(HDC) {}

void TSkinForm::UpdateFrameRegion() {}

void TSkinForm::AdjustWindowSize(bool) {}

void TSkinForm::LoadWindowIcon() {}

void TSkinForm::RemoveRegion() {
  if (!FOwnsRegion) return;
  FTitleBuffer.SetSize(0, 0);
  SetWindowRgn(FWnd, nullptr, FMDIKind == mkChild);  // the system frees the region it held
  FOwnsRegion = false;
}

void TSkinForm::WmNcCalcSize(TMessage& m) { CallOldProc(m); }

void TSkinForm::WmNcPaint(TMessage& m) { CallOldProc(m); }

void TSkinForm::WmNcActivate(TMessage& m) { CallOldProc(m); }

void TSkinForm::WmSize(TMessage& m) {
  CallOldProc(m);
  switch (m.WParam) {
    case SIZE_RESTORED: FWinState = wsNormal; break;
    case SIZE_MINIMIZED: FWinState = wsMinimized; break;
    case SIZE_MAXIMIZED: FWinState = wsMaximized; break;
    default: break;
  }
}

void TSkinForm::WmGetMinMaxInfo(TMessage& m) { CallOldProc(m); }

void TSkinForm::SkinMenuPaint(TMessage& m) {
  PaintFrame(nullptr);
  m.Result = 0;
}
