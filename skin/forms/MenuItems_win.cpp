// The system check-mark bitmap is one of the OEM resources.
#ifndef OEMRESOURCE
#define OEMRESOURCE
#endif
#include "skin/forms/MenuItems_win.h"

#include <cstring>
#include <optional>
#include <utility>
#include <vector>

#include "skin/data/MenuSkin_win.h"
#include "skin/data/SkinData_win.h"
#include "skin/data/SkinManage_win.h"
#include "skin/forms/MenuItems.h"
#include "skin/forms/SkinDrawBitmap_win.h"
#include "ui/ImgList.h"

static_assert(MaxAppCommand == 0xFFF);

namespace {
RECT ToWinRect(const TSkinRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

TMenu* MenuOf(const TMenuItemPainter& p, const TMenuItem& item) {
  TMenu* menu = item.GetParentMenu();
  return menu ? menu : p.FormMenu;
}

TImageList* ImagesOf(const TMenuItemPainter& p, const TMenuItem& item) {
  TMenu* menu = MenuOf(p, item);
  return menu ? menu->Images() : nullptr;
}

const TDataSkinObject* MenuItemImage(const TMenuItemPainter& p) {
  if (!p.Skin || !HasImage(p.Skin->MenuItem.get())) return nullptr;
  return p.Skin->MenuItem.get();
}

int LeftWidthOf(const TMenuItemPainter& p) {
  return p.Skin && p.Skin->MenuItem ? p.Skin->MenuItem->LeftWidth : 0;
}

// The system's menu font as a LOGFONT (false when the system does not tell).
bool SystemMenuFont(LOGFONTA& font) {
  NONCLIENTMETRICSA ncm{};
  ncm.cbSize = sizeof ncm;
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0)) return false;
  font = ncm.lfMenuFont;
  return true;
}

bool SameFont(const LOGFONTA& a, const LOGFONTA& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// A picture drawn once and copied out many times, keyed on magenta where it has the key
// colour: a 24-bit copy (no alpha bytes for the mask to trip on) and its mask.
struct TKeyedPicture {
  TBitmapHandle Picture;
  TBitmapHandle Mask;  // null for an opaque picture
  MemoryDc PictureDc;
  std::optional<SelectGuard> Selected;
  int Width = 0, Height = 0;
};

// Takes a rendered picture over, with its mask when keyed.
std::unique_ptr<TKeyedPicture> MakeKeyedPicture(HDC rendered, int w, int h, bool keyed) {
  auto pic = std::make_unique<TKeyedPicture>();
  // An opaque picture keeps the rendering's 32 bits as they are.
  pic->Picture = CreateSkinDib(w, h, nullptr, keyed ? 24 : 32);
  if (!pic->Picture) return nullptr;
  pic->Width = w;
  pic->Height = h;
  pic->Selected.emplace(pic->PictureDc.get(), pic->Picture.get());
  BitBlt(pic->PictureDc.get(), 0, 0, w, h, rendered, 0, 0, SRCCOPY);
  if (!keyed) return pic;
  TBitmapHandle mask(CreateBitmap(w, h, 1, 1, nullptr));
  if (!mask) return nullptr;
  {
    MemoryDc maskDc;
    SelectGuard sel(maskDc.get(), mask.get());
    const COLORREF oldBk = SetBkColor(pic->PictureDc.get(), SkinKeyColour);
    BitBlt(maskDc.get(), 0, 0, w, h, pic->PictureDc.get(), 0, 0, SRCCOPY);
    SetBkColor(pic->PictureDc.get(), oldBk);
  }
  pic->Mask = std::move(mask);
  return pic;
}

// Copies a picture to dc at (x, y), the destination kept under its key-coloured pixels.
void CopyPicture(HDC dc, int x, int y, const TKeyedPicture& pic) {
  HDC src = pic.PictureDc.get();
  if (!pic.Mask) {
    BitBlt(dc, x, y, pic.Width, pic.Height, src, 0, 0, SRCCOPY);
    return;
  }
  if (MaskBlt(dc, x, y, pic.Width, pic.Height, src, 0, 0, pic.Mask.get(), 0, 0,
              MAKEROP4(0x00AA0029, SRCCOPY)))
    return;
  // Systems without MaskBlt: three raster passes with the same mask.
  MemoryDc maskDc;
  SelectGuard sel(maskDc.get(), pic.Mask.get());
  const COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
  const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  BitBlt(dc, x, y, pic.Width, pic.Height, src, 0, 0, SRCINVERT);
  BitBlt(dc, x, y, pic.Width, pic.Height, maskDc.get(), 0, 0, SRCAND);
  BitBlt(dc, x, y, pic.Width, pic.Height, src, 0, 0, SRCINVERT);
  SetBkColor(dc, oldBk);
  SetTextColor(dc, oldText);
}

void DrawImageSeparator(const TDataSkinObject& o, HDC dc, const RECT& rect);

// What stays the same from item to item of an open menu: the scratch bitmap with the menu
// font, and the item frames and separators rendered once per size and state. Drawing a menu
// of ten items made thirty-odd bitmaps, masks and fonts per paint before.
class TItemCache {
 public:
  // The scratch of the item's size, its font the system's menu font.
  // The scratch of the item's size, its font the system's menu font. Items and separators
  // differ in height: each size keeps its own scratch.
  TBitmap& Scratch(int w, int h) {
    TScratchSlot* slot = nullptr;
    for (auto& s : FScratches)
      if (s->Bitmap.Width() == w && s->Bitmap.Height() == h) slot = s.get();
    if (!slot) {
      if (FScratches.size() >= MaxScratches) FScratches.erase(FScratches.begin());
      FScratches.push_back(std::make_unique<TScratchSlot>());
      slot = FScratches.back().get();
      slot->Bitmap.SetSize(w, h);
    }
    if (!FFontKnown) RefreshFont();
    TFont& font = *slot->Bitmap.Canvas()->Font();
    // The item's text may have made the font bold (a new handle): it goes back to the menu font.
    // (A freed handle's number may come back, so the style is compared too.)
    if (FFontKnown &&
        (slot->Font != FFontSerial || font.Handle() != slot->FontHandle || !(font.Style() == slot->Style))) {
      slot->FontHandle = CreateFontIndirectA(&FFont);
      font.SetHandle(slot->FontHandle);
      slot->Font = FFontSerial;
      slot->Style = font.Style();
    }
    return slot->Bitmap;
  }

  const TKeyedPicture* Frame(const TDataSkinObject& o, int w, int h, bool selected) {
    TBitmap& image = SkinBitmap(*o.Image);
    const TKey key{image.Handle(),
                   image.Width(),
                   image.Height(),
                   w,
                   h,
                   MenuItemFrame(false, selected),
                   false,
                   o.LeftWidth,
                   o.TopHeight,
                   o.RightWidth,
                   o.BottomHeight,
                   o.Tile != 0,
                   o.Trans != 0};
    if (auto* found = Find(key)) return found;
    std::unique_ptr<TBitmap> rendered =
        DrawSkinRect(RECT{0, 0, w, h}, image, o.Margins(), false, o.Tile != 0, MenuItemFrameCount, key.Frame);
    if (!rendered || rendered->Empty()) return nullptr;
    return Keep(key, MakeKeyedPicture(rendered->Canvas()->Handle(), w, h, o.Trans != 0));
  }

  // The three keyed pieces of a separator put together over the key colour, so that one
  // keyed copy draws them all.
  const TKeyedPicture* Separator(const TDataSkinObject& o, int w, int h) {
    TBitmap& image = SkinBitmap(*o.Image);
    const TKey key{
        image.Handle(), image.Width(), image.Height(), w, h, 0, true, o.LeftWidth, 0, o.RightWidth, 0,
        false,          true};
    if (auto* found = Find(key)) return found;
    TBitmap composed(w, h, pf24bit);
    HDC c = composed.Canvas()->Handle();
    TBrushHandle keyBrush(CreateSolidBrush(SkinKeyColour));
    RECT all{0, 0, w, h};
    FillRect(c, &all, keyBrush.get());
    DrawImageSeparator(o, c, all);
    return Keep(key, MakeKeyedPicture(c, w, h, true));
  }

  // Pictures serve one open menu: a new menu (a new background) starts afresh, so a skin
  // loaded since never meets pictures of the old one.
  void UseFor(HBITMAP background) {
    if (background && background == FBackground) return;
    FPictures.clear();
    FBackground = background;
    // The menu font is asked for again (the user may have changed it since).
    RefreshFont();
  }

 private:
  struct TKey {
    HBITMAP Image;
    int ImageWidth, ImageHeight, Width, Height, Frame;
    bool Separator;
    int Left, Top, Right, Bottom;
    bool Tile, Trans;
    bool operator==(const TKey&) const = default;
  };
  // A handful of sizes and states at most: a menu of ten items needs two or three.
  static constexpr size_t MaxPictures = 16;

  void RefreshFont() {
    LOGFONTA font{};
    FFontKnown = SystemMenuFont(font);
    if (FFontKnown && !SameFont(font, FFont)) {
      FFont = font;
      ++FFontSerial;
    }
  }

  const TKeyedPicture* Find(const TKey& key) const {
    for (const auto& [k, pic] : FPictures)
      if (k == key) return pic.get();
    return nullptr;
  }
  const TKeyedPicture* Keep(const TKey& key, std::unique_ptr<TKeyedPicture> pic) {
    if (!pic) return nullptr;
    if (FPictures.size() >= MaxPictures) FPictures.erase(FPictures.begin());
    FPictures.emplace_back(key, std::move(pic));
    return FPictures.back().second.get();
  }

  struct TScratchSlot {
    TBitmap Bitmap;
    HFONT FontHandle = nullptr;  // owned by the bitmap's canvas font
    int Font = 0;                // FFontSerial when it was made
    TFontStyles Style;           // the menu font's own style
  };
  static constexpr size_t MaxScratches = 4;

  std::vector<std::unique_ptr<TScratchSlot>> FScratches;
  HBITMAP FBackground = nullptr;
  LOGFONTA FFont{};
  bool FFontKnown = false;
  int FFontSerial = 1;
  std::vector<std::pair<TKey, std::unique_ptr<TKeyedPicture>>> FPictures;
};

TItemCache& ItemCache() {
  static TItemCache cache;
  return cache;
}

// The popup handler's background at the item's place, or null when none shows.
TBitmap* MenuBackground(HMENU menu) {
  TSkinManage* manager = SkinManage();
  TBitmap* background = manager && menu ? manager->PopupMenuBitmap(menu) : nullptr;
  return background && background->Width() > 0 ? background : nullptr;
}

// A scratch bitmap of the item's size, with the menu font, filled from the popup handler's
// background at the item's place (or with the menu colour).
TBitmap& ItemScratch(const TMenuItemPainter& p, TBitmap* background, const RECT& rect) {
  TBitmap& bmp = ItemCache().Scratch(rect.right - rect.left, rect.bottom - rect.top);
  TCanvas& c = *bmp.Canvas();
  if (background) {
    BitBlt(c.Handle(), 0, 0, bmp.Width(), bmp.Height(), background->Canvas()->Handle(),
           rect.left + MenuBackgroundOffset, rect.top + MenuBackgroundOffset, SRCCOPY);
  } else {
    c.Brush()->SetColor(p.Skin ? p.Skin->ColorMenu : clMenu);
    c.FillRect(RECT{0, 0, bmp.Width(), bmp.Height()});
  }
  return bmp;
}

void CopyToCanvas(TBitmap& bmp, TCanvas& canvas, const RECT& rect) {
  BitBlt(canvas.Handle(), rect.left, rect.top, bmp.Width(), bmp.Height(), bmp.Canvas()->Handle(), 0, 0,
         SRCCOPY);
}

// Frame 2 of the MenuItem image in three pieces, colour-keyed.
void DrawImageSeparator(const TDataSkinObject& o, HDC dc, const RECT& rect) {
  TBitmap& image = SkinBitmap(*o.Image);
  const TSeparatorPlan plan = PlanMenuSeparator({rect.left, rect.top, rect.right, rect.bottom}, image.Width(),
                                                image.Height(), o.LeftWidth, o.RightWidth);
  for (int i = 0; i < plan.Count; ++i) {
    const TSeparatorPiece& piece = plan.Pieces[i];
    TBitmap stretched;
    stretched.SetSize(piece.Target.Width(), piece.Target.Height());
    HDC s = stretched.Canvas()->Handle();
    SetStretchBltMode(s, COLORONCOLOR);
    StretchBlt(s, 0, 0, piece.Target.Width(), piece.Target.Height(), image.Canvas()->Handle(),
               piece.Source.Left, piece.Source.Top, piece.Source.Width(), piece.Source.Height(), SRCCOPY);
    DrawTransparent(dc, ToWinRect(piece.Target), stretched, static_cast<TColor>(SkinKeyColour));
  }
}

// The system's check mark, its background left as it is, in the button-text colour.
void DrawCheckMark(HDC dc, const RECT& box) {
  TBitmapHandle check(LoadBitmapA(nullptr, MAKEINTRESOURCEA(OBM_CHECK)));
  BITMAP info{};
  if (!check || !GetObjectA(check.get(), sizeof info, &info)) return;
  MemoryDc src;
  SelectGuard select(src.get(), check.get());
  const int x = box.left + (box.right - box.left - info.bmWidth) / 2 + 1;
  const int y = box.top + (box.bottom - box.top - info.bmHeight) / 2 + 1;
  TBrushHandle ink(CreateSolidBrush(GetSysColor(COLOR_BTNTEXT)));
  SelectGuard brush(dc, ink.get());
  // The mark's pixels are 0 in the monochrome bitmap: they become white, the rest black, and
  // the raster operation takes the brush where the source is white and keeps the rest.
  const COLORREF oldText = SetTextColor(dc, RGB(255, 255, 255));
  const COLORREF oldBack = SetBkColor(dc, RGB(0, 0, 0));
  constexpr DWORD BrushWhereSource = 0x00E20746;
  BitBlt(dc, x, y, info.bmWidth, info.bmHeight, src.get(), 0, 0, BrushWhereSource);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBack);
}

// The sunken, patterned box a checked item with a picture sits in.
void DrawSunkenBox(HDC dc, RECT box) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  TBitmap pattern;
  pattern.SetSize(8, 8);
  HDC pdc = pattern.Canvas()->Handle();
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) SetPixel(pdc, x, y, (x + y) % 2 ? light : face);
  pattern.FreeCanvasDc();
  TBrushHandle brush(CreatePatternBrush(pattern.Handle()));
  FillRect(dc, &box, brush.get());
  DrawEdge(dc, &box, BDR_SUNKENOUTER, BF_RECT);
}

void DrawItemOnImage(const TMenuItemPainter& p, const TDataSkinObject& o, HMENU menu, TMenuItem& item,
                     TCanvas& canvas, bool selected, const RECT& rect, bool nativeSeparator) {
  TBitmap* background = MenuBackground(menu);
  TItemCache& cache = ItemCache();
  cache.UseFor(background ? background->Handle() : nullptr);
  TBitmap& bmp = ItemScratch(p, background, rect);
  const RECT local{0, 0, bmp.Width(), bmp.Height()};
  HDC scratch = bmp.Canvas()->Handle();
  if (!item.IsLine()) {
    if (const TKeyedPicture* frame = cache.Frame(o, local.right, local.bottom, selected))
      CopyPicture(scratch, 0, 0, *frame);
    else
      DrawSkinImage(scratch, local, SkinBitmap(*o.Image), false, o.Tile != 0, o.Trans != 0,
                    MenuItemFrameCount, MenuItemFrame(false, selected), o.Margins());
    DrawItemContent(p, item, *bmp.Canvas(), selected, local);
    CopyToCanvas(bmp, canvas, rect);
  } else if (nativeSeparator) {
    RECT r = local;
    DrawItemText(p, item, *bmp.Canvas(), 0, selected, r, item.Caption());
    CopyToCanvas(bmp, canvas, rect);
  } else if (const TKeyedPicture* line = cache.Separator(o, local.right, local.bottom)) {
    CopyPicture(scratch, 0, 0, *line);
    CopyToCanvas(bmp, canvas, rect);
  } else {
    CopyToCanvas(bmp, canvas, rect);
    DrawImageSeparator(o, canvas.Handle(), rect);
  }
}
}  // namespace

void UseSystemMenuFont(TCanvas& canvas) {
  LOGFONTA font{};
  if (SystemMenuFont(font)) canvas.Font()->SetHandle(CreateFontIndirectA(&font));
}

void DrawSkinnedItem(const TMenuItemPainter& p, TMenuItem& item, TCanvas& canvas, bool selected,
                     const RECT& rect) {
  const TDataSkinObject* o = MenuItemImage(p);
  if (!o) {
    DrawPlainItem(p, item, canvas, selected, rect);
    return;
  }
  HMENU menu = item.Parent() ? item.Parent()->Handle() : nullptr;
  if (menu && PendingPopup()) TakePendingPopup(menu);
  DrawItemOnImage(p, *o, menu, item, canvas, selected, rect, false);
}

void DrawNativeItem(const TMenuItemPainter& p, HMENU menu, TMenuItem& item, bool selected, const RECT& rect,
                    TCanvas& canvas) {
  const TDataSkinObject* o = MenuItemImage(p);
  if (!o) {
    DrawPlainItem(p, item, canvas, selected, rect);
    return;
  }
  DrawItemOnImage(p, *o, menu, item, canvas, selected, rect, true);
}

void DrawPlainItem(const TMenuItemPainter& p, TMenuItem& item, TCanvas& canvas, bool selected,
                   const RECT& rect) {
  TBitmap bmp;
  bmp.SetSize(rect.right - rect.left, rect.bottom - rect.top);
  TCanvas& c = *bmp.Canvas();
  UseSystemMenuFont(c);
  const RECT local{0, 0, bmp.Width(), bmp.Height()};
  c.Brush()->SetColor(selected ? (p.Skin ? p.Skin->ColorHilight : clHighlight)
                               : (p.Skin ? p.Skin->ColorMenu : clMenu));
  c.FillRect(local);
  if (item.IsLine()) {
    RECT r = local;
    DrawItemText(p, item, c, 0, selected, r, item.Caption());
  } else {
    DrawItemContent(p, item, c, selected, local);
  }
  CopyToCanvas(bmp, canvas, rect);
}

void DrawItemContent(const TMenuItemPainter& p, TMenuItem& item, TCanvas& canvas, bool selected,
                     const RECT& rect) {
  // A native item carries its shortcut after a tab; an item of the class library as a key.
  const TMenuText parts = SplitMenuText(item.Caption());
  const std::string& caption = parts.Caption;
  TImageList* images = ImagesOf(p, item);
  const int boxSize = CheckBoxSize(images ? images->Width() : 0, images != nullptr, item.Checked());
  const TMenuItemLayout layout = LayoutMenuItem({rect.left, rect.top, rect.right, rect.bottom},
                                                LeftWidthOf(p), boxSize, item.IsLine(), p.RightToLeft);
  HDC dc = canvas.Handle();
  const RECT box = ToWinRect(layout.GlyphBox);
  switch (GlyphKindOf(item.IsLine(), images != nullptr, item.ImageIndex(), images ? images->Count() : 0,
                      item.Checked())) {
    case TGlyphKind::SunkenImage:
      DrawSunkenBox(dc, box);
      images->Draw(canvas, box.left, box.top, item.ImageIndex(), item.Enabled());
      break;
    case TGlyphKind::Image:
      images->Draw(canvas, box.left, box.top, item.ImageIndex(), item.Enabled());
      break;
    case TGlyphKind::CheckMark:
      DrawCheckMark(dc, box);
      break;
    case TGlyphKind::None:
      break;
  }
  const UINT align = layout.TextRight ? DT_RIGHT : 0u;
  RECT measured = ToWinRect(layout.TextArea);
  DrawItemText(p, item, canvas, DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE | align, selected,
               measured, caption);
  const int mw = measured.right - measured.left, mh = measured.bottom - measured.top;
  TSkinRect placed = CentreCaption(layout.TextArea, mw, mh);
  if (layout.TextRight)
    placed = {layout.TextArea.Right - mw, placed.Top, layout.TextArea.Right, placed.Bottom};
  RECT text{layout.TextArea.Left, placed.Top, layout.TextArea.Right, placed.Bottom};
  DrawItemText(p, item, canvas, DT_SINGLELINE | DT_EXPANDTABS | align, selected, text, caption);
  const std::string keys = parts.Keys.empty() ? ShortCutToText(item.ShortCut()) : parts.Keys;
  if (!keys.empty()) {
    const TShortcutPlace place =
        PlaceShortcut({rect.left, rect.top, rect.right, rect.bottom}, placed, layout.TextRight);
    RECT area = ToWinRect(place.Area);
    DrawItemText(p, item, canvas, DT_SINGLELINE | (place.AlignRight ? DT_RIGHT : DT_LEFT), selected, area,
                 keys);
  }
}

void DrawItemText(const TMenuItemPainter& p, TMenuItem& item, TCanvas& canvas, UINT flags, bool selected,
                  RECT& rect, const std::string& text) {
  const bool measuring = (flags & DT_CALCRECT) != 0;
  HDC dc = canvas.Handle();
  if (text != "-") {
    const std::string shown = measuring ? TextForMeasuring(text) : text;
    TFontStyles style = canvas.Font()->Style();
    if (item.Default())
      style.Include(fsBold);
    else
      style.Exclude(fsBold);
    canvas.Font()->SetStyle(style);
    const TSkinColour disabledSystem = SysColourRef(COLOR_GRAYTEXT);
    const TSkinColour colour =
        p.Skin ? MenuItemTextColour(selected, item.Enabled(), p.Skin->ColorHilightText, p.Skin->ColorMenuText,
                                    p.Skin->ColorButtonShadow, disabledSystem)
               : MenuItemTextColour(selected, item.Enabled(), clHighlightText, clMenuText, clBtnShadow,
                                    disabledSystem);
    canvas.Font()->SetColor(colour);
    canvas.Brush()->SetStyle(bsClear);
    SetBkMode(canvas.Handle(), TRANSPARENT);
    // Through the canvas, so its font is the one selected: the device context's own is the
    // system's larger bold font, which cut the text the menu font had measured.
    canvas.DrawText(shown, rect, flags);
  } else if (!measuring) {
    RECT line = rect;
    OffsetRect(&line, 0, 4);
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
  }
}

void MeasurePopupItem(const TMenuItemPainter& p, TMenuItem& item, int& width) {
  width = MeasurePopupItemWidth(width, LeftWidthOf(p), ImagesOf(p, item) != nullptr);
}

void MeasureSkinnedItem(const TMenuItemPainter& p, TMenuItem& item, int& width) {
  width = MeasureSkinnedItemWidth(width, LeftWidthOf(p), ImagesOf(p, item) != nullptr);
}

std::unique_ptr<TMenuItem> NativeMenuItem(HMENU menu, UINT command) {
  auto item = std::make_unique<TMenuItem>(nullptr);
  char text[NativeItemTextLength + 1] = {};
  const int n = GetMenuStringA(menu, command, text, sizeof text, MF_BYCOMMAND);
  item->SetCaption(n > 0 ? std::string(text, static_cast<size_t>(n)) : "-");
  MENUITEMINFOA mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_STATE;
  if (GetMenuItemInfoA(menu, command, FALSE, &mii)) {
    item->SetEnabled(!(mii.fState & (MFS_GRAYED | MFS_DISABLED)));
    item->SetChecked((mii.fState & MFS_CHECKED) != 0);
  }
  return item;
}
