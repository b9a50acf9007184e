// Owner-drawn menu items of a skinned window: the form's popup and main menus get the skin's
// draw and measure routines; item messages of the window's native menus (the system menu,
// menus of foreign windows) are drawn here through temporary items.
#include <algorithm>
#include <memory>

#include "skin/data/MenuSkin_win.h"
#include "skin/forms/FormSkin.h"
#include "skin/forms/MenuItems.h"
#include "skin/forms/MenuItems_win.h"

namespace {
// The handlers given to menu items share the painter: it lives as long as one of them.
using TPainterRef = std::shared_ptr<const TMenuItemPainter>;

void SetPopupHandlers(TMenuItem& item, const TPainterRef& p) {
  for (int i = 0; i < item.Count(); ++i) {
    TMenuItem& child = *item.Items(i);
    if (p) {
      child.OnAdvancedDrawItem = [p](TObject* s, TCanvas* c, RECT r, TOwnerDrawState st) {
        DrawSkinnedItem(*p, *static_cast<TMenuItem*>(s), *c, st.Contains(odSelected), r);
      };
      child.OnMeasureItem = [p](TObject* s, TCanvas*, int& w, int&) {
        MeasurePopupItem(*p, *static_cast<TMenuItem*>(s), w);
      };
    } else {
      child.OnAdvancedDrawItem = nullptr;
      child.OnMeasureItem = nullptr;
    }
    SetPopupHandlers(child, p);
  }
}

// Items below the top level that draw themselves keep their own handler.
void SetMainMenuHandlers(TMenuItem& item, int depth, const TPainterRef& p) {
  for (int i = 0; i < item.Count(); ++i) {
    TMenuItem& child = *item.Items(i);
    if (!p) {
      child.OnAdvancedDrawItem = nullptr;
      child.OnMeasureItem = nullptr;
    } else if (depth >= 2 && !child.OnAdvancedDrawItem) {
      child.OnAdvancedDrawItem = [p](TObject* s, TCanvas* c, RECT r, TOwnerDrawState st) {
        DrawSkinnedItem(*p, *static_cast<TMenuItem*>(s), *c, st.Contains(odSelected), r);
      };
      child.OnMeasureItem = [p](TObject* s, TCanvas*, int& w, int&) {
        MeasureSkinnedItem(*p, *static_cast<TMenuItem*>(s), w);
      };
    }
    SetMainMenuHandlers(child, depth + 1, p);
  }
}

}  // namespace

const TMenuItemPainter& TSkinForm::MenuPainter() {
  if (!FMenuPainter) FMenuPainter = std::make_shared<TMenuItemPainter>();
  FMenuPainter->Skin = FSkinData;
  FMenuPainter->RightToLeft = FRightToLeft;
  FMenuPainter->FormMenu = FormMenu();
  return *FMenuPainter;
}

void TSkinForm::OwnerDrawMenus(bool popupMenus, bool mainMenus, bool on) {
  if (!FForm || !FSkinData) return;
  TPainterRef p;
  if (on) {
    MenuPainter();
    p = FMenuPainter;
  }
  for (int i = 0; i < FForm->ComponentCount(); ++i) {
    TComponent* c = FForm->Components(i);
    if (auto* popup = dynamic_cast<TPopupMenu*>(c)) {
      if (!popupMenus || !PopupMenuSkinnable(popup->Tag, FSkinData->DisableTag) ||
          FForm->ClassName() == "TwwRichEditForm")
        continue;
      popup->SetOwnerDraw(on);
      SetPopupHandlers(*popup->Items(), p);
    } else if (auto* main = dynamic_cast<TMainMenu*>(c)) {
      if (!mainMenus) continue;
      main->SetOwnerDraw(on);
      SetMainMenuHandlers(*main->Items(), 1, p);
    }
  }
  if (!on && popupMenus) {
    for (TPopupMenu* popup : FControlMenus) {
      popup->RemoveFreeNotification(this);
      popup->SetOwnerDraw(false);
      SetPopupHandlers(*popup->Items(), nullptr);
    }
    FControlMenus.clear();
  }
}

void TSkinForm::OwnerDrawMenusOf(TComponent* owner) {
  if (!owner || !FSkinData || !(FSkinData->SkinControls & SkinBit(xcPopupMenu))) return;
  for (int i = 0; i < owner->ComponentCount(); ++i) {
    auto* popup = dynamic_cast<TPopupMenu*>(owner->Components(i));
    if (!popup || !PopupMenuSkinnable(popup->Tag, FSkinData->DisableTag)) continue;
    if (std::find(FControlMenus.begin(), FControlMenus.end(), popup) != FControlMenus.end()) continue;
    OwnerDrawPopup(*popup);
    popup->FreeNotification(this);  // a menu freed before the skin goes is forgotten
    FControlMenus.push_back(popup);
  }
}

void TSkinForm::OwnerDrawPopup(TPopupMenu& popup) {
  popup.SetOwnerDraw(true);
  MenuPainter();
  SetPopupHandlers(*popup.Items(), FMenuPainter);
}

void TSkinForm::WmMeasureItem(TMessage& m) {
  auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
  if (!mis || mis->CtlType != ODT_MENU || !FNativeMenu) {
    CallOldProc(m);
    return;
  }
  const TMenuItemPainter& p = MenuPainter();
  if (FForm) {
    if (TMenuItem* item = FindMenuItem(mis->itemID)) {
      ClientDc dc(FWnd);
      TCanvas canvas;
      canvas.SetHandle(dc.get());
      UseSystemMenuFont(canvas);
      int width = static_cast<int>(mis->itemWidth), height = static_cast<int>(mis->itemHeight);
      item->MeasureItem(&canvas, width, height);
      if (!item->OnMeasureItem) MeasureSkinnedItem(p, *item, width);
      canvas.SetHandle(nullptr);
      mis->itemWidth = static_cast<UINT>(std::max(width, 0));
      mis->itemHeight = static_cast<UINT>(std::max(height, 0));
      m.Result = TRUE;
      return;
    }
    if (PassItemToSystem(false, mis->itemID)) {
      CallOldProc(m);
      return;
    }
  }
  char text[NativeItemTextLength + 1] = {};
  int n = GetMenuStringA(FNativeMenu, mis->itemID, text, sizeof text, MF_BYCOMMAND);
  if (n <= 0 && FButtons.SystemMenu())
    n = GetMenuStringA(FButtons.SystemMenu(), mis->itemID, text, sizeof text, MF_BYCOMMAND);
  ClientDc dc(FWnd);
  TCanvas canvas;
  canvas.SetHandle(dc.get());
  UseSystemMenuFont(canvas);
  // Measured as DrawItemContent draws it: caption and shortcut apart, the "&" a prefix.
  const TMenuText parts = SplitMenuText(n > 0 ? std::string(text, static_cast<size_t>(n)) : std::string());
  const auto widthOf = [&canvas](const std::string& s) {
    if (s.empty()) return 0;
    RECT r{0, 0, 0, 0};
    canvas.DrawText(s, r, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP);
    return static_cast<int>(r.right - r.left);
  };
  const int captionWidth = widthOf(parts.Caption), keysWidth = widthOf(parts.Keys);
  canvas.SetHandle(nullptr);
  const TNativeItemSize s =
      MeasureNativeItem(captionWidth, keysWidth, n > 0, static_cast<int>(mis->itemHeight), LeftWidthOfSkin(),
                        IsWin9xVersion(GetVersion()));
  mis->itemWidth = static_cast<UINT>(s.Width);
  mis->itemHeight = static_cast<UINT>(s.Height);
  m.Result = TRUE;
}

int TSkinForm::LeftWidthOfSkin() const {
  return FSkinData && FSkinData->MenuItem ? FSkinData->MenuItem->LeftWidth : 0;
}

void TSkinForm::WmDrawItem(TMessage& m) {
  auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
  if (!dis || dis->CtlType != ODT_MENU || !FNativeMenu) {
    CallOldProc(m);
    return;
  }
  HMENU menu = reinterpret_cast<HMENU>(dis->hwndItem);
  if (PendingPopup()) TakePendingPopup(menu);
  const TMenuItemPainter& p = MenuPainter();
  const bool selected = (dis->itemState & ODS_SELECTED) != 0;
  bool passOn = false;
  {
    TBorrowedCanvas canvas(dis->hDC);
    TMenuItem* item = FForm ? FindMenuItem(dis->itemID) : nullptr;
    if (item) {
      DrawSkinnedItem(p, *item, *canvas.get(), selected, dis->rcItem);
    } else if (FForm && PassItemToSystem(false, dis->itemID)) {
      passOn = true;
    } else {
      std::unique_ptr<TMenuItem> temp = NativeMenuItem(menu, dis->itemID);
      DrawNativeItem(p, menu, *temp, selected, dis->rcItem, *canvas.get());
    }
  }
  if (passOn) {
    CallOldProc(m);
    return;
  }
  m.Result = TRUE;
}
