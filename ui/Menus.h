#pragma once
// Menus: items in a tree, built into native menus. Invisible items are left out of the
// native menu; every change rebuilds it and tells the form (CM_MENUCHANGED). Owner-drawn
// items raise OnMeasureItem / OnAdvancedDrawItem. Other items show the picture of their
// ImageIndex in the menu's Images beside their caption.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/Classes.h"
#include "ui/Controls.h"
#include "ui/Graphics.h"
#include "ui/Handles.h"
#include "ui/MenusShortCut.h"

class TImageList;
class TMenu;

enum TOwnerDrawStateFlag {
  odSelected,
  odGrayed,
  odDisabled,
  odChecked,
  odFocused,
  odDefault,
  odHotLight,
  odInactive,
  odNoAccel,
  odNoFocusRect
};
using TOwnerDrawState = TSet<TOwnerDrawStateFlag>;
using TMenuMeasureItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;
using TAdvancedMenuDrawItemEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, RECT ARect, TOwnerDrawState State)>;

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;
  DECLARE_CLASS_INFO;

  const std::string& Caption() const noexcept { return FCaption; }
  void SetCaption(const std::string& v);
  bool IsLine() const noexcept { return FCaption == "-"; }
  bool Visible() const noexcept { return FVisible; }
  void SetVisible(bool v);
  bool Enabled() const noexcept { return FEnabled; }
  void SetEnabled(bool v);
  bool Checked() const noexcept { return FChecked; }
  void SetChecked(bool v);
  bool Default() const noexcept { return FDefault; }
  void SetDefault(bool v);
  int ImageIndex() const noexcept { return FImageIndex; }
  void SetImageIndex(int v);
  TShortCut ShortCut() const noexcept { return FShortCut; }
  void SetShortCut(TShortCut v);

  // Children.
  int Count() const noexcept { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int i) const { return FItems.at(static_cast<size_t>(i)); }
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);
  int IndexOf(const TMenuItem* item) const;
  TMenuItem* Parent() const noexcept { return FParent; }
  TMenu* GetParentMenu() const;

  // The command identifier of this item in native menus.
  UINT Command() const noexcept { return FCommand; }
  // The native submenu of an item with children (built on demand).
  HMENU Handle();
  virtual void Click();

  TNotifyEvent OnClick;
  TMenuMeasureItemEvent OnMeasureItem;
  TAdvancedMenuDrawItemEvent OnAdvancedDrawItem;

  // Used by the owner window of a native menu.
  void MeasureItem(TCanvas* canvas, int& width, int& height);
  void AdvancedDrawItem(TCanvas* canvas, RECT rect, TOwnerDrawState state);

 private:
  friend class TMenu;
  friend class TMainMenu;
  void Changed();
  void RebuildHandle();
  void AppendTo(HMENU menu);
  HBITMAP Glyph();
  std::string FCaption;
  bool FVisible = true, FEnabled = true, FChecked = false, FDefault = false;
  int FImageIndex = -1;
  TShortCut FShortCut = scNone;
  std::vector<TMenuItem*> FItems;
  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr;  // set on the root item only
  UINT FCommand;
  TMenuHandle FHandle;
  std::unique_ptr<TBitmap> FGlyph;  // the native item's picture, made from the menu's Images
};

class TMenu : public TComponent {
 public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;
  DECLARE_CLASS_INFO;

  TMenuItem* Items() const noexcept { return FItems; }
  // The native menu, built on demand.
  HMENU Handle();
  // Items are drawn by their OnAdvancedDrawItem (or plainly) instead of by the system.
  bool OwnerDraw() const noexcept { return FOwnerDraw; }
  void SetOwnerDraw(bool v);
  TImageList* Images() const noexcept { return FImages; }
  void SetImages(TImageList* images);
  // Rebuilds the native menu after a change of the items.
  virtual void MenuChanged();
  // Runs the click of the first item with this shortcut that can be chosen (it and every
  // item above it visible and enabled); false when there is none.
  bool IsShortCut(TShortCut shortCut);

 protected:
  virtual HMENU CreateMenuHandle() = 0;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TMenuItem* FItems;
  bool FOwnerDraw = false;
  TImageList* FImages = nullptr;
};

class TMainMenu : public TMenu {
 public:
  explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
  ~TMainMenu() override;
  DECLARE_CLASS_INFO;
  // The form window showing this menu (set by the form).
  HWND WindowHandle = nullptr;
  void MenuChanged() override;

 protected:
  HMENU CreateMenuHandle() override { return CreateMenu(); }
};

class TPopupMenu : public TMenu {
 public:
  explicit TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}
  DECLARE_CLASS_INFO;
  // Shows the menu at a screen point and returns once it closed. The chosen item's click is
  // posted to PopupListWindow() and runs when the message loop next takes it.
  virtual void Popup(int x, int y);
  TComponent* PopupComponent = nullptr;
  TNotifyEvent OnPopup;

 protected:
  HMENU CreateMenuHandle() override { return CreatePopupMenu(); }
};

// The window that owns popup menus while they show (receives their owner-draw messages).
HWND PopupListWindow();
// Destroys that window and unregisters its class (see ReleaseClassLibraryWindows).
void ReleasePopupListWindow();
// Dispatch of native menu messages to items; false when the item is not one of ours.
bool DispatchMenuCommand(UINT command);
bool DispatchMenuDraw(const DRAWITEMSTRUCT& dis);
bool DispatchMenuMeasure(HWND owner, MEASUREITEMSTRUCT& mis);
// The item with a command identifier, or null.
TMenuItem* FindMenuItem(UINT command);
