#pragma once
// The decisions behind owner-drawn menu items, free of the platform: how wide and high an
// item is measured, which frame of the skin's MenuItem image it shows, what sits in its
// glyph box, where glyph, caption and shortcut go (mirrored for right-to-left menus), the
// text colour, the separator pieces, and which popup menus are left to the system.
#include <string>

#include "skin/data/SkinData.h"
#include "skin/forms/SkinDraw.h"

// Frames of the MenuItem image (1-based, five side by side).
inline constexpr int MenuItemFrameCount = 5;
inline constexpr int MenuItemFrameNormal = 1;
inline constexpr int MenuItemFrameSeparator = 2;
inline constexpr int MenuItemFrameSelected = 4;
// The popup handler's background is read at the item's place moved by its frame width.
inline constexpr int MenuBackgroundOffset = 3;
// Identifiers from 1 to this are the application's own commands.
inline constexpr unsigned MaxAppCommand = 4095;
// Text measured for a native item is read up to this many characters.
inline constexpr int NativeItemTextLength = 80;

int MenuItemFrame(bool separator, bool selected);

// Width of a popup-menu item after the class library measured it.
int MeasurePopupItemWidth(int width, int leftWidth, bool hasImages);
// Width of a main-menu item (depth 2 and deeper) after the default measuring.
int MeasureSkinnedItemWidth(int width, int leftWidth, bool hasImages);

struct TNativeItemSize {
  int Width = 0;
  int Height = 0;
};
// An item of a native menu: from the widths of its caption and of its shortcut text (0 for
// none), whether it has text, the height the system proposed, and whether the system is of
// the Windows 95 family. A shortcut gets its column right of the caption, as it is drawn.
TNativeItemSize MeasureNativeItem(int captionWidth, int keysWidth, bool hasText, int height, int leftWidth,
                                  bool win9x);

// A native item's text: the caption, and the shortcut after a tab ("&Find...\tCtrl+F").
struct TMenuText {
  std::string Caption;
  std::string Keys;
};
TMenuText SplitMenuText(const std::string& text);
// The Windows 95 family sets the top bit of the version word.
bool IsWin9xVersion(unsigned version);

// True when a popup menu with this Tag is drawn by the skin (Tag mod 100 is not DisableTag).
bool PopupMenuSkinnable(long long tag, int disableTag);
// An item not found among the form's menus is left to the system when its identifier is an
// application command; system commands (and 0) are drawn as native items.
bool PassItemToSystem(bool found, unsigned id);

// Side of the square glyph box: the image list's width when there is one, else 16, never
// below 16 for a checked item.
int CheckBoxSize(int imagesWidth, bool hasImages, bool checked);

enum class TGlyphKind {
  None,         // nothing in the glyph box
  CheckMark,    // the system's check mark
  Image,        // the image-list picture
  SunkenImage,  // the picture in a sunken, patterned box (checked)
};
TGlyphKind GlyphKindOf(bool separator, bool hasImages, int imageIndex, int imageCount, bool checked);

struct TMenuItemLayout {
  TSkinRect GlyphBox;      // empty for separators
  TSkinRect TextArea;      // where the caption is measured and drawn
  bool TextRight = false;  // caption drawn right-aligned (right-to-left)
};
TMenuItemLayout LayoutMenuItem(const TSkinRect& item, int leftWidth, int boxSize, bool separator,
                               bool rightToLeft);

// Where the shortcut goes once the caption has been measured (measured is the caption's box
// after centring); it is right-aligned, or left-aligned in a right-to-left menu.
struct TShortcutPlace {
  TSkinRect Area;
  bool AlignRight = true;
};
TShortcutPlace PlaceShortcut(const TSkinRect& item, const TSkinRect& measured, bool rightToLeft);

// The measured caption box centred vertically in the text area.
TSkinRect CentreCaption(const TSkinRect& textArea, int measuredWidth, int measuredHeight);

// Text colour of an item; disabledSystem is what a disabled item falls back to when the
// skin's shadow colour cannot be told from its menu text.
TSkinColour MenuItemTextColour(bool selected, bool enabled, TSkinColour hilightText, TSkinColour menuText,
                               TSkinColour buttonShadow, TSkinColour disabledSystem);

// The text measured for an item: an empty caption or a lone "&" gets a space, so the item
// keeps a height.
std::string TextForMeasuring(const std::string& caption);

// The separator drawn from frame 2 of the MenuItem image: the source rows (the bottom part of
// the image when the item is lower than it) and three pieces over the item.
struct TSeparatorPiece {
  TSkinRect Source;  // in the whole image
  TSkinRect Target;
};
struct TSeparatorPlan {
  TSeparatorPiece Pieces[3];
  int Count = 0;
};
TSeparatorPlan PlanMenuSeparator(const TSkinRect& item, int imageWidth, int imageHeight, int leftWidth,
                                 int rightWidth);
