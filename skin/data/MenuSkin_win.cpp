#include "skin/data/MenuSkin_win.h"

#include "skin/data/SkinData_win.h"
#include "skin/data/SkinManage_win.h"
#include "skin/forms/SkinDrawBitmap_win.h"
#include "ui/Messages.h"

namespace {
TSkinPopupMenu* gPending = nullptr;

// Restores a DC's background mode and clears its clip region on every path.
class TPrintClip {
 public:
  TPrintClip(HDC dc, HRGN clip) : FDc(dc), FOldMode(SetBkMode(dc, TRANSPARENT)) { SelectClipRgn(dc, clip); }
  ~TPrintClip() {
    SelectClipRgn(FDc, nullptr);
    SetBkMode(FDc, FOldMode);
  }
  TPrintClip(const TPrintClip&) = delete;
  TPrintClip& operator=(const TPrintClip&) = delete;

 private:
  HDC FDc;
  int FOldMode;
};
}  // namespace

TSkinPopupMenu* PendingPopup() { return gPending; }

TSkinPopupMenu* TakePendingPopup(HMENU menu) {
  TSkinPopupMenu* p = gPending;
  gPending = nullptr;
  if (p) p->SetMenu(menu);
  return p;
}

void ForgetPendingPopup(TSkinPopupMenu* handler) {
  if (gPending == handler) gPending = nullptr;
}

TSkinPopupMenu::~TSkinPopupMenu() {
  Detach();
  ForgetPendingPopup(this);
}

void TSkinPopupMenu::Attach(HWND wnd, TSkinData* skin, HMENU menu) {
  FWnd = wnd;
  FSkin = skin;
  FMenu = menu;
  // Menu windows take narrow procedures here, as the system's own menu code expects none.
  FSubclass.Install(wnd, TSubclassSlot::PopupMenu, *this, false);
}

void TSkinPopupMenu::Detach() {
  if (!FSubclass.Installed()) return;
  FSubclass.Remove();
  FBackground.SetSize(0, 0);
}

bool TSkinPopupMenu::CanPaint() const {
  return FSkin && !FSkin->NoSkin && HasImage(FSkin->MenuBackground.get());
}

void TSkinPopupMenu::RenderBackground(int width, int height) {
  if (!FMenu) gPending = this;
  const TDataSkinObject& bg = *FSkin->MenuBackground;
  std::unique_ptr<TBitmap> rendered =
      DrawSkinRect(RECT{0, 0, width, height}, SkinBitmap(*bg.Image), bg.Margins(), false, bg.Tile != 0, 1, 1);
  FBackgroundSource = SkinBitmap(*bg.Image).Handle();
  if (rendered)
    FBackground.SetHandle(rendered->ReleaseHandle());
  else
    FBackground.SetSize(0, 0);
}

void TSkinPopupMenu::CopyFrameBands(HDC dc, int w, int h) {
  HDC src = FBackground.Canvas()->Handle();
  const int b = MenuFrameWidth;
  BitBlt(dc, 0, 0, w, b, src, 0, 0, SRCCOPY);
  BitBlt(dc, 0, h - b, w, b, src, 0, h - b, SRCCOPY);
  BitBlt(dc, 0, b, b, h - 2 * b, src, 0, b, SRCCOPY);
  BitBlt(dc, w - b, b, b, h - 2 * b, src, w - b, b, SRCCOPY);
}

LRESULT TSkinPopupMenu::PaintFrame() {
  RECT r;
  if (!GetWindowRect(FWnd, &r)) return FSubclass.CallOld(WM_NCPAINT, 1, 0);
  const int w = r.right - r.left, h = r.bottom - r.top;
  RenderBackground(w, h);
  if (FBackground.Width() <= 0) return 0;
  WindowDc dc(FWnd);
  CopyFrameBands(dc.get(), w, h);
  return 0;
}

LRESULT TSkinPopupMenu::PaintClientFrame(UINT msg, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = FSubclass.CallOld(msg, wParam, lParam);
  // Where the menu window has no non-client area (Wine's), the system draws the menu's
  // border and margin inside the client area, and no WM_NCPAINT ever shows: the skin's
  // frame goes over them once the system has painted. The items start past these bands.
  RECT window, client;
  if (!GetWindowRect(FWnd, &window) || !GetClientRect(FWnd, &client)) return result;
  const int w = window.right - window.left, h = window.bottom - window.top;
  if (client.right != w || client.bottom != h) return result;
  if (FBackground.Width() != w || FBackground.Height() != h) RenderBackground(w, h);
  if (FBackground.Width() <= 0) return result;
  WindowDc dc(FWnd);
  CopyFrameBands(dc.get(), w, h);
  return result;
}

LRESULT TSkinPopupMenu::PrintWindow(UINT msg, WPARAM wParam, LPARAM lParam) {
  RECT r;
  if (!GetWindowRect(FWnd, &r)) return FSubclass.CallOld(msg, wParam, lParam);
  const int w = r.right - r.left, h = r.bottom - r.top;
  HDC target = reinterpret_cast<HDC>(wParam);
  TRegionHandle clip(CreateRectRgn(MenuFrameWidth, MenuFrameWidth, w - MenuFrameWidth, h - MenuFrameWidth));
  // The background of this size from this skin image is already there after the first print.
  if (!FMenu) gPending = this;
  if (FBackground.Width() != w || FBackground.Height() != h ||
      FBackgroundSource != SkinBitmap(*FSkin->MenuBackground->Image).Handle())
    RenderBackground(w, h);
  if (FBackground.Width() > 0) BitBlt(target, 0, 0, w, h, FBackground.Canvas()->Handle(), 0, 0, SRCCOPY);
  TPrintClip guard(target, clip.get());
  return FSubclass.CallOld(msg, wParam, lParam);
}

LRESULT TSkinPopupMenu::SubclassProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == CM_SKINQUERY) return 1;
  TSkinManage* manager = SkinManage();
  if (!manager || !manager->SkinningOn()) return FSubclass.CallOld(msg, wParam, lParam);
  switch (msg) {
    case WM_DESTROY:
      Detach();
      return FSubclass.CallOld(msg, wParam, lParam);
    case WM_NCPAINT:
      // Every system the program runs on paints the frame here (NT and the old 9x line alike).
      if (CanPaint()) return PaintFrame();
      break;
    case WM_PRINT:
      if (CanPaint()) return PrintWindow(msg, wParam, lParam);
      break;
    case WM_PAINT:
      if (CanPaint()) return PaintClientFrame(msg, wParam, lParam);
      break;
    default:
      break;
  }
  return FSubclass.CallOld(msg, wParam, lParam);
}
