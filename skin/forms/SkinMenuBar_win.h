#pragma once
// The skinned menu bar of a skinned window: one TMenuBtn per top-level menu item, painted
// into a strip under the title bar. The window's native menu is taken away while the bar
// exists and given back when it goes. Layout, accelerators and separator tidying are the
// portable MenuBarLayout's; this unit measures, paints and owns the native handles.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/forms/MenuBarLayout.h"
#include "skin/forms/NCObject.h"
#include "ui/Graphics.h"
#include "ui/Menus.h"
#include "ui/PaintGuards_win.h"

class TSkinData;
class TSkinMenuBar;

class TMenuBtn final : public TNCObject {
 public:
  TMenuBtn(TNCObjectOwner& owner, TSkinMenuBar& bar, int index) : TNCObject(owner), Index(index), FBar(bar) {}
  void Paint() override;

  int Index;
  std::wstring Caption;
  bool Enabled = true;
  HMENU SubMenu = nullptr;  // the drop-down; none for an item without children
  UINT Command = 0;

 private:
  TSkinMenuBar& FBar;
};

// The bar keeps no pointer into the class library's menus: the form's menu is asked for
// each time (it may be replaced or freed), and a button's item is looked up when needed.
using TFormMenuSource = std::function<TMainMenu*()>;

class TSkinMenuBar {
 public:
  // wnd is the skinned window; formMenu answers its form's menu now, or none.
  TSkinMenuBar(TNCObjectOwner& owner, HWND wnd, TSkinData* skin, TFormMenuSource formMenu, bool rightToLeft);
  ~TSkinMenuBar();
  TSkinMenuBar(const TSkinMenuBar&) = delete;
  TSkinMenuBar& operator=(const TSkinMenuBar&) = delete;

  // Rebuild the buttons; each takes the window's native menu away.
  void LoadFromMenu();
  void LoadFromHandle();
  void LoadFromHandleByCommand(HMENU handle);
  // Gives the window its native menu back (detach).
  void GiveMenuBack();

  // Paints the bar into rect (window-frame coordinates) of the window DC.
  void PaintBar(HDC dc, const RECT& rect, bool active);
  void PaintButton(TMenuBtn& button);

  TMenuBtn* MenuButtonAt(POINT framePoint);
  TMenuBtn* ButtonByAccel(wchar_t ch);
  TMenuBtn* Neighbour(int open, bool forward);
  TMenuBtn* Button(int index) const;
  int Count() const { return static_cast<int>(FButtons.size()); }
  HMENU NativeMenu() const { return FNativeMenu; }
  TMainMenu* MainMenu() const { return FFormMenu ? FFormMenu() : nullptr; }
  // The top-level item of the form's menu a button stands for now, or none.
  TMenuItem* ItemOf(const TMenuBtn& button) const;
  RECT BarRect() const { return FBarRect; }
  bool Painting() const { return FPainting; }
  // Draws over the bar's scratch before it is copied to the window (the MDI buttons).
  std::function<void(HDC bar)> OnOverlay;

 private:
  std::vector<TMenuBarButtonInfo> Infos() const;
  void TakeMenuAway();
  void DrawCaption(HDC dc, const TMenuBtn& b, RECT slot);

  TNCObjectOwner& FOwner;
  HWND FWnd;
  TSkinData* FSkin;
  TFormMenuSource FFormMenu;
  bool FRightToLeft;
  HMENU FNativeMenu = nullptr;
  RECT FBarRect{};
  TBitmap FBarBitmap;  // the last painted background, for repainting single buttons
  TBackBuffer FScratch;
  bool FPainting = false;
  std::vector<std::unique_ptr<TMenuBtn>> FButtons;
};

// Hides the separators of an item's drop-down that would stand at its ends or next to each
// other, and shows again those that stand between two visible items.
void TidySeparators(TMenuItem& item);
