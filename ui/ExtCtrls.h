#pragma once
// Timers, panels and images.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/Controls.h"
#include "ui/StdCtrls.h"

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;
  DECLARE_CLASS_INFO;
  unsigned Interval() const noexcept { return FInterval; }
  void SetInterval(unsigned ms);
  bool Enabled() const noexcept { return FEnabled; }
  void SetEnabled(bool v);
  // Ticks arrive as messages of the thread's loop; an interval of 0 stops the timer.
  TNotifyEvent OnTimer;
  bool Running() const noexcept { return FId != 0; }

 private:
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD) noexcept;
  void UpdateTimer();
  unsigned FInterval = 1000;
  bool FEnabled = true;
  UINT_PTR FId = 0;
};

enum TBevelCut { bvNone, bvLowered, bvRaised };

class TCustomPanel : public TWinControl {
 public:
  explicit TCustomPanel(TComponent* AOwner);
  DECLARE_CLASS_INFO;
  TBevelCut BevelInner() const noexcept { return FBevelInner; }
  void SetBevelInner(TBevelCut v);
  TBevelCut BevelOuter() const noexcept { return FBevelOuter; }
  void SetBevelOuter(TBevelCut v);
  int BevelWidth = 1;

 protected:
  void PaintWindow(HDC dc) override;

 private:
  TBevelCut FBevelInner = bvNone;
  TBevelCut FBevelOuter = bvRaised;
};

DECLARE_NAMED_CLASS(TPanel, TCustomPanel);

// Holds one picture (an icon or a bitmap).
class TPicture {
 public:
  TGraphic* Graphic() const noexcept { return FGraphic.get(); }
  // The picture as an icon / bitmap (replacing what was there by an empty one when needed).
  TIcon* Icon();
  TBitmap* Bitmap();
  void Clear() { FGraphic.reset(); }

 private:
  std::unique_ptr<TGraphic> FGraphic;
};

class TImage : public TGraphicControl {
 public:
  explicit TImage(TComponent* AOwner);
  DECLARE_CLASS_INFO;
  TPicture* Picture() noexcept { return &FPicture; }
  bool Stretch = false;
  bool Center = false;

 protected:
  void Paint() override;

 private:
  TPicture FPicture;
};

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

// A sunken or raised box, frame or line; windowless, drawn on its parent.
class TBevel : public TGraphicControl {
 public:
  explicit TBevel(TComponent* AOwner);
  DECLARE_CLASS_INFO;
  TBevelShape Shape() const noexcept { return FShape; }
  void SetShape(TBevelShape v);
  TBevelStyle Style() const noexcept { return FStyle; }
  void SetStyle(TBevelStyle v);

 protected:
  void Paint() override;

 private:
  TBevelShape FShape = bsBox;
  TBevelStyle FStyle = bsLowered;
};

class TRadioButton;

// A group box of radio buttons, one per item, laid out in Columns; ItemIndex is the
// checked one (-1: none). The buttons are TRadioButton children owned by the group.
class TCustomRadioGroup : public TCustomGroupBox {
 public:
  explicit TCustomRadioGroup(TComponent* AOwner);
  DECLARE_CLASS_INFO;
  const std::vector<std::string>& Items() const noexcept { return FItems; }
  void SetItems(const std::vector<std::string>& items);
  int ItemIndex() const noexcept { return FItemIndex; }
  void SetItemIndex(int index);
  int Columns() const noexcept { return FColumns; }
  void SetColumns(int columns);
  int ButtonCount() const noexcept { return static_cast<int>(FButtons.size()); }
  TRadioButton* Buttons(int i) const { return FButtons.at(static_cast<size_t>(i)); }
  // After the user checked another item.
  TNotifyEvent OnChange;
  void SetBounds(int left, int top, int width, int height) override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void ArrangeButtons();
  std::vector<std::string> FItems;
  std::vector<TRadioButton*> FButtons;
  int FItemIndex = -1;
  int FColumns = 1;
};

DECLARE_NAMED_CLASS(TRadioGroup, TCustomRadioGroup);

// A container whose children can be larger than it: its own bars scroll them. The content
// is Range wide and high (in pixels, from the unscrolled origin); each bar shows only while
// the content is larger than the box.
class TScrollBox : public TWinControl {
 public:
  explicit TScrollBox(TComponent* AOwner);
  DECLARE_CLASS_INFO;
  void SetRange(int width, int height);
  int HorzRange() const noexcept { return FRange.x; }
  int VertRange() const noexcept { return FRange.y; }
  // How far the content is scrolled.
  POINT ScrollPos() const noexcept { return FPos; }
  // Scrolls to (x, y), clamped to the content; the children move with it.
  void ScrollTo(int x, int y);

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void WndProc(TMessage& m) override;

 private:
  void UpdateBars();
  int NewPos(int bar, int code);
  POINT FRange{0, 0};
  POINT FPos{0, 0};
  bool FUpdating = false;
};
