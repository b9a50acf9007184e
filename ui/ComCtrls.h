#pragma once
// Page controls, up-down controls and date-time pickers.
//
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

// ---- up-down controls and date-time pickers ----

enum TUDOrientation { udHorizontal, udVertical };

// A wrapped native up-down (msctls_updown32). With an Associate it sits at the associate's
// right edge and shows its Position there.
class TUpDown : public TWinControl {
 public:
  explicit TUpDown(TComponent* AOwner);
  ~TUpDown() override;
  static const TClassInfo& StaticClass();
  const TClassInfo& ClassType() const override { return StaticClass(); }

  TWinControl* Associate() const noexcept { return FAssociate; }
  void SetAssociate(TWinControl* control);
  int Min() const noexcept { return FMin; }
  int Max() const noexcept { return FMax; }
  void SetMin(int v);
  void SetMax(int v);
  int Position() const;
  void SetPosition(int v);
  TUDOrientation Orientation() const noexcept { return FOrientation; }
  // Before the window exists only.
  void SetOrientation(TUDOrientation v);

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TWinControl* FAssociate = nullptr;
  int FMin = 0, FMax = 100, FPosition = 0;
  TUDOrientation FOrientation = udVertical;
};

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateMode { dmComboBox, dmUpDown };

// A wrapped native date-time picker (SysDateTimePick32): a date with a drop-down calendar,
// a date with up-down arrows, or a time (always with up-down arrows).
class TDateTimePicker : public TWinControl {
 public:
  explicit TDateTimePicker(TComponent* AOwner);
  static const TClassInfo& StaticClass();
  const TClassInfo& ClassType() const override { return StaticClass(); }

  TDateTimeKind Kind() const noexcept { return FKind; }
  TDTDateMode DateMode() const noexcept { return FDateMode; }
  // Both before the window exists only.
  void SetKind(TDateTimeKind v);
  void SetDateMode(TDTDateMode v);
  // The shown date and time.
  SYSTEMTIME DateTime() const;
  void SetDateTime(const SYSTEMTIME& t);

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;

 private:
  TDateTimeKind FKind = dtkDate;
  TDTDateMode FDateMode = dmComboBox;
  SYSTEMTIME FDateTime{};
  bool FDateTimeSet = false;
};
