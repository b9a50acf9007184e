#pragma once
// The popup handler: takes over one menu window ("#32768") while it exists and paints its
// frame and background from the skin's MenuBackground. The items are drawn by the form
// unit over Background, which it finds through the manager's PopupMenuBitmap once it has
// told the handler its menu (PendingPopup).
#include <windows.h>

#include "skin/data/SkinData.h"
#include "ui/Graphics.h"
#include "ui/WindowSubclass_win.h"

// Width of the menu frame painted from the background.
constexpr int MenuFrameWidth = 3;

class TSkinPopupMenu final : public ISubclassTarget {
 public:
  TSkinPopupMenu() = default;
  ~TSkinPopupMenu() override;
  TSkinPopupMenu(const TSkinPopupMenu&) = delete;
  TSkinPopupMenu& operator=(const TSkinPopupMenu&) = delete;

  void Attach(HWND wnd, TSkinData* skin, HMENU menu);
  // Safe to call twice.
  void Detach();
  bool Attached() const { return FSubclass.Installed(); }
  HWND Window() const { return FWnd; }
  HMENU Menu() const { return FMenu; }
  void SetMenu(HMENU menu) { FMenu = menu; }
  TSkinData* Skin() const { return FSkin; }
  TBitmap& Background() { return FBackground; }

  LRESULT SubclassProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  bool CanPaint() const;
  void RenderBackground(int width, int height);
  LRESULT PaintFrame();
  LRESULT PaintClientFrame(UINT msg, WPARAM wParam, LPARAM lParam);
  void CopyFrameBands(HDC dc, int w, int h);
  LRESULT PrintWindow(UINT msg, WPARAM wParam, LPARAM lParam);

  HWND FWnd = nullptr;
  TSkinData* FSkin = nullptr;
  HMENU FMenu = nullptr;
  TWindowSubclass FSubclass;
  TBitmap FBackground;
  HBITMAP FBackgroundSource = nullptr;  // the skin image FBackground was rendered from
};

// The latest handler that painted before it knew its menu, or null.
TSkinPopupMenu* PendingPopup();
// Takes the pending handler (clearing it) and gives it its menu; null when none is pending.
TSkinPopupMenu* TakePendingPopup(HMENU menu);
// Forgets the pending handler if it is this one (it is being freed).
void ForgetPendingPopup(TSkinPopupMenu* handler);
