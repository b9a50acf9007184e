#pragma once
// Skinned tab strips: native tab controls and page controls with their tabs on any side
// (TSkinTab), and tab sets, which paint their own tabs along one edge (TSkinTab31). Tabs
// come from the skin's Tabs element (frame 2 for the current tab, 1 for the others), the
// page border from its second image. The tab control's own scroll arrows and the tab set's
// scroller get the up-down handler when that family is installed.
#include <windows.h>

#include <string>

#include "skin/controls/HeaderLayout.h"
#include "skin/controls/SkinSubclass.h"
#include "skin/controls/TabLayout.h"

class TSkinTab : public TSkinControl {
 public:
  explicit TSkinTab(TComponent* AOwner);
  DECLARE_CLASS_INFO;

  void InitHandle(HWND Handle, TSkinData* SkinData, TCanvas* Canvas, TSkinForm* Form) override;
  void UnSkin() override;
  void SkinChanged() override;
  void DrawSkin(HDC dc, const RECT& rect) override;

  // The side from the window style, and the tab picture and page border turned for it.
  void PrepareTabImages();
  // Gives the scroll arrows (an msctls_updown32 child) their handler once; true while they show.
  bool FindScroller();

  TTabPosition TabPosition() const noexcept { return FTabPosition; }
  TSkinControl* UpDown() const noexcept { return FUpDown; }
  HWND ScrollerWindow() const noexcept { return FScroller; }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  bool SkinReady() const;

  TTabPosition FTabPosition = tpTop;
  TBitmap FTabImage;
  TBitmap FBorderImage;
  TBackBuffer FBuffer;
  TSkinControl* FUpDown = nullptr;
  HWND FScroller = nullptr;
};

class TSkinTab31 : public TSkinControl {
 public:
  explicit TSkinTab31(TComponent* AOwner);
  DECLARE_CLASS_INFO;

  void InitControl(TSkinForm* Form, TSkinData* SkinData, TCanvas* Canvas, bool Recolor) override;
  void UnSkin() override;
  bool BeforeProc(TMessage& m) override;
  void AfterProc(TMessage& m) override;
  void DrawSkin(HDC dc, const RECT& rect) override;
  void SkinChanged() override;

  TSkinControl* UpDown() const noexcept { return FUpDown; }
  TWinControl* Scroller() const noexcept { return FScroller; }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void PrepareTabImage();

  TBitmap FTabImage;
  TSkinControl* FUpDown = nullptr;
  TWinControl* FScroller = nullptr;
  TBackBuffer FBuffer;
};

// Asks a window that a handler painted to paint itself again once the handler is gone.
void RepaintWithoutSkin(HWND wnd);

// An item's icon (from the image list, when the index is not -1 and it fits) and its text,
// one line, placed by the alignment; grey text when disabled.
void DrawImageAndText(HDC dc, const RECT& rect, TItemAlign alignment, const std::wstring& text,
                      int imageIndex, HIMAGELIST images, bool enabled);
