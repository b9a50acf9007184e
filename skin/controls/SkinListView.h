#pragma once
// Skinned list views and their column header. The header (TSkinHeader) is drawn from the
// skin's Headerbar element: each item in frame 1 with its text and (only when its format
// asks for one) its image, and the bar right of the last item in frame 1 too. A header
// gets its handler only through the list view that owns it.
#include <windows.h>

#include "skin/controls/SkinScroll.h"
#include "skin/controls/SkinSubclass.h"

class TSkinHeader : public TSkinControl {
 public:
  explicit TSkinHeader(TComponent* AOwner);
  DECLARE_CLASS_INFO;

  bool BeforeProc(TMessage& m) override;
  void UnSkin() override;
  void DrawSkin(HDC dc, const RECT& rect) override;
  void DrawHeaderItem(HDC dc, int index, const RECT& rect, HIMAGELIST images);

 protected:
  bool SkinReady() const;
  TBackBuffer FBuffer;
};

// The list view's own scroll bars come from the scroll-bar handler it derives from.
class TSkinListView : public TSkinScrollbar {
 public:
  explicit TSkinListView(TComponent* AOwner);
  DECLARE_CLASS_INFO;

  // Attaches as a scrolled control, then gives the header window (if any) a TSkinHeader
  // owned by the list view.
  void InitScrollControl(TWinControl* Control, TSkinData* SkinData, TCanvas* Canvas,
                         TSkinForm* Form) override;
  TSkinHeader* Header() const noexcept { return FHeader; }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // The old header went with the old window: the new one gets a handler of its own.
  void WindowRecreated() override;
  void AttachHeader();
  TSkinHeader* FHeader = nullptr;
};
