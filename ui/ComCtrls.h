#pragma once
// Page controls, status bars, progress bars, track bars, tool bars, up-down controls and
// date-time pickers.
//
// Page controls: a native tab control (SysTabControl32) whose tabs are the captions of its
// pages; each page (TTabSheet) is a window of its own laid over the display area, and only
// the active page is visible.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/Controls.h"
#include "ui/StdCtrls.h"
#include "ui/TabPosition.h"

class TPageControl;

class TTabSheet : public TWinControl {
 public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;
  DECLARE_CLASS_INFO;

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
  DECLARE_CLASS_INFO;

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

// ---- Status bars, progress bars, track bars and tool bars ----

class TStatusBar;
class TPopupMenu;

enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };
enum TStatusPanelStyle { psText, psOwnerDraw };

// One panel of a status bar. Publishes "Text", "Width", "Bevel", "Style" and "Alignment".
class TStatusPanel : public TPersistent {
 public:
  explicit TStatusPanel(TStatusBar* owner) : FOwner(owner) {}
  DECLARE_CLASS_INFO;
  int Index() const;
  const std::string& Text() const noexcept { return FText; }
  void SetText(const std::string& v);
  int Width() const noexcept { return FWidth; }
  void SetWidth(int v);
  TStatusPanelBevel Bevel() const noexcept { return FBevel; }
  void SetBevel(TStatusPanelBevel v);
  TStatusPanelStyle Style() const noexcept { return FStyle; }
  void SetStyle(TStatusPanelStyle v);
  TAlignment Alignment() const noexcept { return FAlignment; }
  void SetAlignment(TAlignment v);

 private:
  friend class TStatusBar;  // scales the widths
  TStatusBar* FOwner;
  std::string FText;
  int FWidth = 50;
  TStatusPanelBevel FBevel = pbLowered;
  TStatusPanelStyle FStyle = psText;
  TAlignment FAlignment = taLeftJustify;
};

using TDrawPanelEvent = std::function<void(TStatusBar* StatusBar, TStatusPanel* Panel, const RECT& Rect)>;

// A native status bar (msctls_statusbar32) with panels, or one simple panel showing
// SimpleText. Placed by its bounds like any control (the gallery puts it at the bottom).
class TStatusBar : public TWinControl {
 public:
  explicit TStatusBar(TComponent* AOwner);
  ~TStatusBar() override;
  DECLARE_CLASS_INFO;

  int PanelCount() const noexcept { return static_cast<int>(FPanels.size()); }
  TStatusPanel* Panels(int i) const { return FPanels.at(static_cast<size_t>(i)).get(); }
  TStatusPanel* AddPanel();
  const std::string& SimpleText() const noexcept { return FSimpleText; }
  void SetSimpleText(const std::string& v);
  bool SimplePanel() const noexcept { return FSimplePanel; }
  void SetSimplePanel(bool v);
  bool SizeGrip() const noexcept { return FSizeGrip; }
  void SetSizeGrip(bool v);
  // Valid while OnDrawPanel runs: the DC the panel is drawn on.
  TCanvas* Canvas() noexcept { return &FCanvas; }
  // Owner-drawn panels (Style psOwnerDraw) are drawn by this handler.
  TDrawPanelEvent OnDrawPanel;
  // Calls OnDrawPanel for the panel on dc.
  void DrawPanel(TStatusPanel* panel, HDC dc, const RECT& rect);

  // The native parts again (widths, texts, bevels); panels call it when they change.
  void UpdatePanels();
  // The panels' widths scale with the bar.
  void ChangeScale(int toDpi, int fromDpi) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void WndProc(TMessage& m) override;

 private:
  std::vector<std::unique_ptr<TStatusPanel>> FPanels;
  std::string FSimpleText;
  bool FSimplePanel = false;
  bool FSizeGrip = true;
  TCanvas FCanvas;
};

// A native bar whose position stays within Min..Max (progress and track bars): a Max below
// Min becomes Min, and the position is clamped into every new range. Publishes "Min", "Max"
// and "Position".
class TRangeBar : public TWinControl {
 public:
  DECLARE_CLASS_INFO;
  int Min() const noexcept { return FMin; }
  int Max() const noexcept { return FMax; }
  void SetRange(int min, int max);
  void SetMin(int v) { SetRange(v, FMax); }
  void SetMax(int v) { SetRange(FMin, v); }
  // The window's while it exists.
  int Position() const;
  void SetPosition(int v);

 protected:
  TRangeBar(TComponent* AOwner, int max, UINT getPositionMessage);
  // Tells the made window the position.
  virtual void SendPosition() = 0;
  // Makes the window again with a changed creation style, at the position it had.
  void Recreate();
  template <class T>
  void SetCreationStyle(T& field, T v) {
    if (Changes(field, v)) Recreate();
  }
  int FMin = 0, FMax, FPosition = 0;

 private:
  UINT FGetPositionMessage;
};

enum TProgressBarOrientation { pbHorizontal, pbVertical };

// A native progress bar; publishes "Orientation" besides the range.
class TProgressBar : public TRangeBar {
 public:
  explicit TProgressBar(TComponent* AOwner);
  DECLARE_CLASS_INFO;
  TProgressBarOrientation Orientation() const noexcept { return FOrientation; }
  // Changing the orientation of a live bar makes its window again.
  void SetOrientation(TProgressBarOrientation v) { SetCreationStyle(FOrientation, v); }

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void SendPosition() override;

 private:
  TProgressBarOrientation FOrientation = pbHorizontal;
};

enum TTrackBarOrientation { trHorizontal, trVertical };
enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };
enum TTickStyle { tsNone, tsAuto, tsManual };

// A native track bar; publishes "Frequency", "Orientation", "TickMarks" and "TickStyle"
// besides the range. OnChange follows every move of the thumb.
class TTrackBar : public TRangeBar {
 public:
  explicit TTrackBar(TComponent* AOwner);
  DECLARE_CLASS_INFO;
  int Frequency() const noexcept { return FFrequency; }
  void SetFrequency(int v);
  TTrackBarOrientation Orientation() const noexcept { return FOrientation; }
  void SetOrientation(TTrackBarOrientation v) { SetCreationStyle(FOrientation, v); }
  TTickMark TickMarks() const noexcept { return FTickMarks; }
  void SetTickMarks(TTickMark v) { SetCreationStyle(FTickMarks, v); }
  TTickStyle TickStyle() const noexcept { return FTickStyle; }
  void SetTickStyle(TTickStyle v) { SetCreationStyle(FTickStyle, v); }
  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void SendPosition() override;
  void WndProc(TMessage& m) override;

 private:
  int FFrequency = 1;
  TTrackBarOrientation FOrientation = trHorizontal;
  TTickMark FTickMarks = tmBottomRight;
  TTickStyle FTickStyle = tsAuto;
};

class TToolBar;
enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator };

// One button of a tool bar: a caption, a style, and for tbsDropDown a menu opened from
// its arrow (or from the whole button when it has no OnClick).
class TToolButton : public TComponent {
 public:
  explicit TToolButton(TComponent* AOwner);
  ~TToolButton() override;
  DECLARE_CLASS_INFO;
  TToolBar* ToolBar() const noexcept { return FToolBar; }
  void SetToolBar(TToolBar* bar);
  const std::string& Caption() const noexcept { return FCaption; }
  void SetCaption(const std::string& v);
  TToolButtonStyle Style = tbsButton;
  TPopupMenu* DropdownMenu() const noexcept { return FDropdownMenu; }
  void SetDropdownMenu(TPopupMenu* menu);
  bool Down() const;
  TNotifyEvent OnClick;
  // The command id the native tool bar knows the button by.
  int CommandId() const noexcept { return FCommand; }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TToolBar;
  TToolBar* FToolBar = nullptr;
  std::string FCaption;
  TPopupMenu* FDropdownMenu = nullptr;
  int FCommand = 0;
};

// A native tool bar (ToolbarWindow32) with text buttons; publishes "Flat".
class TToolBar : public TWinControl {
 public:
  explicit TToolBar(TComponent* AOwner);
  ~TToolBar() override;
  DECLARE_CLASS_INFO;
  bool Flat() const noexcept { return FFlat; }
  void SetFlat(bool v);
  int ButtonCount() const noexcept { return static_cast<int>(FButtons.size()); }
  TToolButton* Buttons(int i) const { return FButtons.at(static_cast<size_t>(i)); }
  // Opens a drop-down button's menu under it.
  void DropDown(TToolButton* button);

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void WndProc(TMessage& m) override;

 private:
  friend class TToolButton;
  void InsertButton(TToolButton* b);
  void RemoveButton(TToolButton* b);
  void RebuildButtons();
  TToolButton* ButtonOf(int command) const;
  std::vector<TToolButton*> FButtons;
  bool FFlat = false;
  int FNextCommand = 1;
};

// ---- Tab controls, header controls and list views ----

class TImageList;

// A native tab control (SysTabControl32) with a list of tab captions. Without MultiLine the
// tabs stay on one row and the control shows its scroll arrows when they do not fit; tabs
// on the left or right always wrap (the native control draws them only in rows).
class TCustomTabControl : public TWinControl {
 public:
  explicit TCustomTabControl(TComponent* AOwner);
  ~TCustomTabControl() override;
  DECLARE_CLASS_INFO;

  int TabCount() const noexcept { return static_cast<int>(FTabs.size()); }
  const std::string& Tabs(int i) const { return FTabs.at(static_cast<size_t>(i)).Text; }
  // Adds a tab at the end; imageIndex -1 for none. Returns its index.
  int AddTab(const std::string& text, int imageIndex = -1);
  void ClearTabs();
  int TabIndex() const noexcept { return FTabIndex; }
  void SetTabIndex(int index);
  TTabPosition TabPosition() const noexcept { return FTabPosition; }
  void SetTabPosition(TTabPosition position);
  bool MultiLine() const noexcept { return FMultiLine; }
  void SetMultiLine(bool v);
  TImageList* Images() const noexcept { return FImages; }
  void SetImages(TImageList* images);
  // The display area in client coordinates.
  RECT DisplayRect();

  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void WndProc(TMessage& m) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  struct TTab {
    std::string Text;
    int ImageIndex = -1;
  };
  DWORD TabStyle() const;
  void ApplyStyle();
  void InsertNative(size_t index);
  void FitRowToArrows();
  std::vector<TTab> FTabs;
  int FTabIndex = -1;
  TTabPosition FTabPosition = tpTop;
  bool FMultiLine = false;
  TImageList* FImages = nullptr;
};

DECLARE_NAMED_CLASS(TTabControl, TCustomTabControl);

// A native header control (SysHeader32) with sections side by side.
enum THeaderAlignment { haLeft, haRight, haCenter };

class THeaderControl : public TWinControl {
 public:
  explicit THeaderControl(TComponent* AOwner);
  ~THeaderControl() override;
  DECLARE_CLASS_INFO;

  // Adds a section at the right end; imageIndex -1 for none. Returns its index.
  int AddSection(const std::string& text, int width, THeaderAlignment alignment = haLeft,
                 int imageIndex = -1);
  int SectionCount() const noexcept { return static_cast<int>(FSections.size()); }
  TImageList* Images() const noexcept { return FImages; }
  void SetImages(TImageList* images);
  int SectionWidth(int i) const { return FSections.at(static_cast<size_t>(i)).Width; }
  // The sections' widths scale with the control.
  void ChangeScale(int toDpi, int fromDpi) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  struct TSection {
    std::string Text;
    int Width = 50;
    THeaderAlignment Alignment = haLeft;
    int ImageIndex = -1;
  };
  void InsertNative(size_t index);
  std::vector<TSection> FSections;
  TImageList* FImages = nullptr;
};

// A native list view (SysListView32). Report view shows the columns in a header and each
// item's sub-items in the columns after the first.
enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

class TCustomListView : public TWinControl {
 public:
  explicit TCustomListView(TComponent* AOwner);
  ~TCustomListView() override;
  DECLARE_CLASS_INFO;

  TViewStyle ViewStyle() const noexcept { return FViewStyle; }
  void SetViewStyle(TViewStyle style);
  int AddColumn(const std::string& caption, int width, THeaderAlignment alignment = haLeft);
  int ColumnCount() const noexcept { return static_cast<int>(FColumns.size()); }
  // Adds a row: its caption, the texts of the later columns, an image of SmallImages.
  int AddItem(const std::string& caption, const std::vector<std::string>& subItems = {}, int imageIndex = -1);
  int ItemCount() const noexcept { return static_cast<int>(FItems.size()); }
  TImageList* SmallImages() const noexcept { return FSmallImages; }
  void SetSmallImages(TImageList* images);
  // The header window of a report view (null before the window exists).
  HWND HeaderHandle();
  int ColumnWidth(int i) const { return FColumns.at(static_cast<size_t>(i)).Width; }
  // The columns' widths scale with the control.
  void ChangeScale(int toDpi, int fromDpi) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  struct TColumn {
    std::string Caption;
    int Width = 50;
    THeaderAlignment Alignment = haLeft;
  };
  struct TItem {
    std::string Caption;
    std::vector<std::string> SubItems;
    int ImageIndex = -1;
  };
  void InsertColumn(size_t index);
  void InsertItem(size_t index);
  std::vector<TColumn> FColumns;
  std::vector<TItem> FItems;
  TViewStyle FViewStyle = vsIcon;
  TImageList* FSmallImages = nullptr;
};

DECLARE_NAMED_CLASS(TListView, TCustomListView);

// ---- up-down controls and date-time pickers ----

enum TUDOrientation { udHorizontal, udVertical };

// A wrapped native up-down (msctls_updown32). With an Associate it sits at the associate's
// right edge and shows its Position there.
class TUpDown : public TWinControl {
 public:
  explicit TUpDown(TComponent* AOwner);
  ~TUpDown() override;
  DECLARE_CLASS_INFO;

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
  DECLARE_CLASS_INFO;

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
