#pragma once
// Drawing and measuring of owner-drawn menu items over the skin: items of the class
// library's menus (DrawSkinnedItem, DrawPlainItem) and items of native menus drawn through a
// temporary item (DrawNativeItem). The decisions come from MenuItems.h.
#include <windows.h>

#include <memory>
#include <string>

#include "skin/data/SkinData.h"
#include "ui/Graphics.h"
#include "ui/Menus.h"

// What the drawing needs from the form handler.
struct TMenuItemPainter {
  TSkinData* Skin = nullptr;
  bool RightToLeft = false;
  TMenu* FormMenu = nullptr;  // the menu of items that have no parent menu
};

void DrawSkinnedItem(const TMenuItemPainter& p, TMenuItem& item, TCanvas& canvas, bool selected,
                     const RECT& rect);
void DrawNativeItem(const TMenuItemPainter& p, HMENU menu, TMenuItem& item, bool selected, const RECT& rect,
                    TCanvas& canvas);
void DrawPlainItem(const TMenuItemPainter& p, TMenuItem& item, TCanvas& canvas, bool selected,
                   const RECT& rect);
void DrawItemContent(const TMenuItemPainter& p, TMenuItem& item, TCanvas& canvas, bool selected,
                     const RECT& rect);
// Draws (or with DT_CALCRECT measures into rect) one text of an item.
void DrawItemText(const TMenuItemPainter& p, TMenuItem& item, TCanvas& canvas, UINT flags, bool selected,
                  RECT& rect, const std::string& text);

void MeasurePopupItem(const TMenuItemPainter& p, TMenuItem& item, int& width);
void MeasureSkinnedItem(const TMenuItemPainter& p, TMenuItem& item, int& width);

// A temporary item standing for an entry of a native menu (freed by its owner).
std::unique_ptr<TMenuItem> NativeMenuItem(HMENU menu, UINT command);

// Selects the system's menu font into a canvas.
void UseSystemMenuFont(TCanvas& canvas);
