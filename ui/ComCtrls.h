#pragma once
// Page controls: a native tab control (SysTabControl32) whose tabs are the captions of its
// pages; each page (TTabSheet) is a window of its own laid over the display area, and only
// the active page is visible.
#include <windows.h>

#include <functional>
#include <vector>

#include "ui/Controls.h"

class TPageControl;

class TTabSheet : public TWinControl {
 public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;
  static const TClassInfo& StaticClass();
  const TClassInfo& ClassType() const override { return StaticClass(); }

  TPageControl* PageControl() const noexcept { return FPageControl; }
  // Puts the page into a page control (its tab is added last), or takes it out (null).
  void SetPageControl(TPageControl* control);
  // Parenting a page to a page control is what makes it one of its pages.
  void SetParent(TWinControl* parent) override;
  // Position among the pages, -1 outside a page control.
  int PageIndex() const;

 protected:
  void WndProc(TMessage& m) override;

 private:
  friend class TPageControl;
  TPageControl* FPageControl = nullptr;
};

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

class TPageControl : public TWinControl {
 public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;
  static const TClassInfo& StaticClass();
  const TClassInfo& ClassType() const override { return StaticClass(); }

  int PageCount() const noexcept { return static_cast<int>(FPages.size()); }
  TTabSheet* Pages(int i) const { return FPages.at(static_cast<size_t>(i)); }
  TTabSheet* ActivePage() const noexcept { return FActivePage; }
  // Shows the page (one of ours, or nothing for null); OnChanging/OnChange are for the user's
  // clicks only.
  void SetActivePage(TTabSheet* page);
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);
  // The page whose caption is text (case-insensitive, '&' markers ignored), or null.
  TTabSheet* FindPage(const std::string& caption) const;
  // The display area in client coordinates: where the pages go.
  RECT DisplayRect();

  // A tab was clicked: OnChanging may refuse (AllowChange false), OnChange follows the switch.
  TTabChangingEvent OnChanging;
  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void WndProc(TMessage& m) override;

 private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void PageCaptionChanged(TTabSheet* page);
  // Native tabs from the pages, then the selection and the page bounds.
  void RebuildTabs();
  void AlignPages();
  void ShowActivePage();
  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
};
