#include "skin/forms/MenuItems.h"

#include <algorithm>

namespace {
// Room the class library's measuring leaves out: the glyph column and the gaps around it.
constexpr int PopupExtra = 12, PopupNoImagesExtra = 23;
constexpr int SkinnedExtra = 10, SkinnedNoImagesExtra = 25;
constexpr int NativeExtra = 26;
constexpr int DefaultCheckBox = 16;
// Gaps between the glyph box, the caption, the shortcut and the item's edges.
constexpr int GlyphInset = 1, TextGap = 3, TextInset = 1, ShortcutInset = 11;
// Between a caption and its shortcut.
constexpr int KeysGap = 12;
}  // namespace

int MenuItemFrame(bool separator, bool selected) {
  if (separator) return MenuItemFrameSeparator;
  return selected ? MenuItemFrameSelected : MenuItemFrameNormal;
}

int MeasurePopupItemWidth(int width, int leftWidth, bool hasImages) {
  return width + leftWidth + PopupExtra + (hasImages ? 0 : PopupNoImagesExtra);
}

int MeasureSkinnedItemWidth(int width, int leftWidth, bool hasImages) {
  return width + leftWidth + SkinnedExtra + (hasImages ? 0 : SkinnedNoImagesExtra);
}

TNativeItemSize MeasureNativeItem(int captionWidth, int keysWidth, bool hasText, int height, int leftWidth,
                                  bool win9x) {
  TNativeItemSize s;
  s.Width = captionWidth + NativeExtra + leftWidth;
  if (keysWidth > 0)
    s.Width = std::max(s.Width, GlyphInset + leftWidth + DefaultCheckBox + TextGap + captionWidth + KeysGap +
                                    keysWidth + ShortcutInset);
  s.Height = hasText ? height + 4 : 8;
  if (win9x) s.Height += 4;
  return s;
}

TMenuText SplitMenuText(const std::string& text) {
  const size_t tab = text.find('\t');
  if (tab == std::string::npos) return {text, {}};
  return {text.substr(0, tab), text.substr(tab + 1)};
}

bool IsWin9xVersion(unsigned version) { return (version & 0x80000000u) != 0; }

bool PopupMenuSkinnable(long long tag, int disableTag) { return tag % 100 != disableTag; }

bool PassItemToSystem(bool found, unsigned id) { return !found && id >= 1 && id <= MaxAppCommand; }

int CheckBoxSize(int imagesWidth, bool hasImages, bool checked) {
  const int size = hasImages ? imagesWidth : DefaultCheckBox;
  return checked ? std::max(size, DefaultCheckBox) : size;
}

TGlyphKind GlyphKindOf(bool separator, bool hasImages, int imageIndex, int imageCount, bool checked) {
  if (separator) return TGlyphKind::None;
  if (hasImages && imageIndex >= 0 && imageIndex < imageCount)
    return checked ? TGlyphKind::SunkenImage : TGlyphKind::Image;
  return checked ? TGlyphKind::CheckMark : TGlyphKind::None;
}

TMenuItemLayout LayoutMenuItem(const TSkinRect& item, int leftWidth, int boxSize, bool separator,
                               bool rightToLeft) {
  TMenuItemLayout l;
  l.TextRight = rightToLeft;
  const int box = separator ? 0 : boxSize;
  const int top = item.Top + GlyphInset;
  if (rightToLeft) {
    const int right = item.Right - GlyphInset - leftWidth;
    l.GlyphBox = {right - box, top, right, top + box};
    l.TextArea = {item.Left + TextInset, item.Top, l.GlyphBox.Left - TextGap, item.Bottom};
  } else {
    const int left = item.Left + GlyphInset + leftWidth;
    l.GlyphBox = {left, top, left + box, top + box};
    l.TextArea = {l.GlyphBox.Right + TextGap, item.Top, item.Right - TextInset, item.Bottom};
  }
  return l;
}

TShortcutPlace PlaceShortcut(const TSkinRect& item, const TSkinRect& measured, bool rightToLeft) {
  if (rightToLeft) return {{item.Left + ShortcutInset, measured.Top, measured.Left, measured.Bottom}, false};
  return {{measured.Right, measured.Top, item.Right - ShortcutInset, measured.Bottom}, true};
}

TSkinRect CentreCaption(const TSkinRect& textArea, int measuredWidth, int measuredHeight) {
  const int top = textArea.Top + (textArea.Height() - measuredHeight) / 2;
  return {textArea.Left, top, textArea.Left + measuredWidth, top + measuredHeight};
}

TSkinColour MenuItemTextColour(bool selected, bool enabled, TSkinColour hilightText, TSkinColour menuText,
                               TSkinColour buttonShadow, TSkinColour disabledSystem) {
  if (!enabled) return buttonShadow == menuText ? disabledSystem : buttonShadow;
  return selected ? hilightText : menuText;
}

std::string TextForMeasuring(const std::string& caption) {
  if (caption.empty() || caption == "&") return caption + " ";
  return caption;
}

TSeparatorPlan PlanMenuSeparator(const TSkinRect& item, int imageWidth, int imageHeight, int leftWidth,
                                 int rightWidth) {
  TSeparatorPlan plan;
  const int frameWidth = imageWidth / MenuItemFrameCount;
  if (frameWidth <= 0 || imageHeight <= 0 || item.Empty()) return plan;
  const int fx = frameWidth * (MenuItemFrame(true, false) - 1);
  // A low item shows the bottom rows of the image, where the line is drawn.
  const int rows = std::min(item.Height(), imageHeight);
  const int sy = imageHeight - rows;
  const int lw = std::clamp(leftWidth, 0, std::min(frameWidth, item.Width()));
  const int rw = std::clamp(rightWidth, 0, std::min(frameWidth - lw, item.Width() - lw));
  auto add = [&](int sl, int sr, int tl, int tr) {
    if (sr <= sl || tr <= tl) return;
    plan.Pieces[plan.Count++] = {{sl, sy, sr, sy + rows}, {tl, item.Top, tr, item.Bottom}};
  };
  add(fx, fx + lw, item.Left, item.Left + lw);
  add(fx + lw, fx + frameWidth - rw, item.Left + lw, item.Right - rw);
  add(fx + frameWidth - rw, fx + frameWidth, item.Right - rw, item.Right);
  return plan;
}
