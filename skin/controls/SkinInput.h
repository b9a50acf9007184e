#pragma once
// Skinned input controls: edits (a flat two-pixel frame instead of the sunken border, and a
// skinned spin button when one sits inside), combo boxes (frame and drop-down button from
// the skin in one of three drawings; a simple combo's list gets skinned scroll bars) and
// up-down controls (painted entirely by us).
#include <windows.h>

#include "skin/controls/SkinSubclass.h"
#include "skin/controls/UpDownLayout.h"

class TSkinScrollbarH;
class TSkinUpDown;

class TSkinEdit : public TSkinControl {
 public:
  explicit TSkinEdit(TComponent* AOwner);
  DECLARE_CLASS_INFO;

  void AfterProc(TMessage& m) override;
  void DrawSkin(HDC dc, const RECT& rect) override;
  // WM_PRINT: the frame drawn with the DC's own brush inside the shadow line.
  void PaintPrintFrame(HDC dc);
  // A spin button among the edit's child windows gets a TSkinUpDown (looked for at every
  // paint until one is found).
  void FindSpinButton();
  TSkinUpDown* SpinButton() const noexcept { return FUpDown; }

 private:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // The edit draws its own border: no frame of ours.
  bool Borderless(int extra) const;
  TSkinUpDown* FUpDown = nullptr;
};

class TSkinComBox : public TSkinControl {
 public:
  explicit TSkinComBox(TComponent* AOwner);
  ~TSkinComBox() override;
  DECLARE_CLASS_INFO;

  void InitControl(TSkinForm* Form, TSkinData* SkinData, TCanvas* Canvas, bool Recolor) override;
  void UnSkin() override;
  void AfterProc(TMessage& m) override;
  void DrawSkin(HDC dc, const RECT& rect) override;
  void DrawClassicCombo(HDC dc, const RECT& rect);
  // The frame and button in the drawing the skin chose.
  void DrawComboFace(HDC dc, const RECT& rect);

  // What tests read: the hooked edit, the list of a simple combo, the info as last read,
  // and the state number the last paint used (0 before the first paint).
  HWND EditWindow() const noexcept { return FEditWnd; }
  HWND ListWindow() const noexcept { return FListWnd; }
  // The skinned bars of a simple combo's list, or null.
  TSkinScrollbarH* ListBars() const noexcept { return FListBars; }
  const COMBOBOXINFO& ComboInfo() const noexcept { return FComboInfo; }
  bool EditHooked() const noexcept { return FEditHook.Installed(); }
  int LastState() const noexcept { return FLastState; }

 private:
  // The edit part reports its presses and paints to us.
  class TEditHook final : public ISubclassTarget {
   public:
    explicit TEditHook(TSkinComBox& owner) : FOwner(owner) {}
    LRESULT SubclassProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool Install(HWND wnd);
    void Remove() noexcept { FSubclass.Remove(); }
    bool Installed() const noexcept { return FSubclass.Installed(); }

   private:
    TSkinComBox& FOwner;
    TWindowSubclass FSubclass;
  };
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void WindowRecreated() override;
  // The edit part of a drop-down combo, or the list of a simple one.
  void AttachParts();
  void HookEdit();
  void SkinListBars();
  void EditMessage(UINT msg);
  // Held down on the combo or its edit part: the button shows pressed.
  void SetPressed(bool pressed);
  void ReadComboInfo();
  bool SkinReady() const;
  int CurrentState() const;

  uint32_t FStyle = 0;
  uint32_t FExStyle = 0;
  HWND FListWnd = nullptr;
  HWND FEditWnd = nullptr;
  TEditHook FEditHook{*this};
  TSkinScrollbarH* FListBars = nullptr;  // owned by the combo's owner; we are told when it goes
  COMBOBOXINFO FComboInfo{};
  int FLastState = 0;
};

class TSkinUpDown : public TSkinControl {
 public:
  explicit TSkinUpDown(TComponent* AOwner);
  DECLARE_CLASS_INFO;

  bool BeforeProc(TMessage& m) override;
  void DrawSkin(HDC dc, const RECT& rect) override;
  // For a raw window the background is white.
  void EraseUpDown(HDC dc);
  void DrawUpDownButton(HDC dc, const RECT& rect, TArrowDirection direction, int state,
                        const TDataSkinBorder& element);
  // Without the skin's up-down pictures: a plain box and line arrows.
  void DrawPlainUpDownButton(HDC dc, const RECT& rect, TArrowDirection direction, int state);

  // The spin button sits inside an edit.
  bool InEdit = false;
  // Laid out side by side whatever the style says.
  bool Horizontal = false;
  // The layout the last paint used.

 private:
  TUpDownLayout FLastLayout;
};

// The arrow of a plain up-down button, in the DC's pen, around (x, y).
void DrawArrowLines(HDC dc, int x, int y, TArrowDirection direction);
