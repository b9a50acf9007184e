#pragma once
// A tab set: a row of captioned tabs painted along its top edge by the control itself, the
// way a notebook's tabs sit under a page. Tabs that do not fit are reached with a small
// horizontal scroller at the right end, which moves the first visible tab.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/Controls.h"

// The scroller: a native horizontal up-down owned by its tab set.
class TTabScroller : public TWinControl {
 public:
  explicit TTabScroller(TComponent* AOwner);
  DECLARE_CLASS_INFO;
  static constexpr int ScrollerWidth = 24;

 protected:
  void CreateParams(TCreateParams& params) override;
};

class TTabSet : public TWinControl {
 public:
  // The scroller is the first component the tab set owns.
  explicit TTabSet(TComponent* AOwner);
  DECLARE_CLASS_INFO;

  int AddTab(const std::string& text);
  int TabCount() const noexcept { return static_cast<int>(FTabs.size()); }
  const std::vector<std::string>& Tabs() const noexcept { return FTabs; }
  int TabIndex() const noexcept { return FTabIndex; }
  void SetTabIndex(int index);
  // The first tab shown; the ones before it are scrolled out at the left.
  int FirstIndex() const noexcept { return FFirstIndex; }
  void SetFirstIndex(int index);
  int StartMargin() const noexcept { return FStartMargin; }
  void SetStartMargin(int v);
  int EndMargin() const noexcept { return FEndMargin; }
  void SetEndMargin(int v);
  TTabScroller* Scroller() const noexcept { return FScroller; }
  // Pixels of text of each tab in the tab set's font (a tab is its text plus 9).
  int TabTextWidth(int index);
  // The tab under a client point, or -1.
  int TabAt(int x, int y);
  // Whether some tab from the first visible one on does not fit before the end margin.
  bool Overflows();

  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void WndProc(TMessage& m) override;
  void PaintWindow(HDC dc) override;

 private:
  struct TPlaced {
    int Index;
    RECT Rect;
  };
  std::vector<TPlaced> Layout(HDC dc, int width);
  void UpdateScroller();
  std::vector<std::string> FTabs;
  int FTabIndex = -1;
  int FFirstIndex = 0;
  int FStartMargin = 5;
  int FEndMargin = 5;
  TTabScroller* FScroller = nullptr;
};
