// The system check-mark bitmap is one of the OEM resources.
#ifndef OEMRESOURCE
#define OEMRESOURCE
#endif
#include "skin/forms/MenuItems_win.h"

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
  if (!p.Skin || !p.Skin->MenuItem || !p.Skin->MenuItem->Image || p.Skin->MenuItem->Image->Empty()) return nullptr;
  return p.Skin->MenuItem.get();
}

int LeftWidthOf(const TMenuItemPainter& p) { return p.Skin && p.Skin->MenuItem ? p.Skin->MenuItem->LeftWidth : 0; }

TSkinMargins MarginsOf(const TDataSkinObject& o) { return {o.LeftWidth, o.TopHeight, o.RightWidth, o.BottomHeight}; }

// A scratch bitmap of the item's size, with the menu font, filled from the popup handler's
// background at the item's place (or with the menu colour).
std::unique_ptr<TBitmap> ItemScratch(const TMenuItemPainter& p, HMENU menu, const RECT& rect) {
  auto bmp = std::make_unique<TBitmap>();
  bmp->SetSize(rect.right - rect.left, rect.bottom - rect.top);
  TCanvas& c = *bmp->Canvas();
  UseSystemMenuFont(c);
  TSkinManage* manager = SkinManage();
  TBitmap* background = manager && menu ? manager->PopupMenuBitmap(menu) : nullptr;
  if (background && background->Width() > 0) {
    BitBlt(c.Handle(), 0, 0, bmp->Width(), bmp->Height(), background->Canvas()->Handle(),
           rect.left + MenuBackgroundOffset, rect.top + MenuBackgroundOffset, SRCCOPY);
  } else {
    c.Brush()->SetColor(p.Skin ? p.Skin->ColorMenu : clMenu);
    c.FillRect(RECT{0, 0, bmp->Width(), bmp->Height()});
  }
  return bmp;
}

void CopyToCanvas(TBitmap& bmp, TCanvas& canvas, const RECT& rect) {
  BitBlt(canvas.Handle(), rect.left, rect.top, bmp.Width(), bmp.Height(), bmp.Canvas()->Handle(), 0, 0, SRCCOPY);
}

// Frame 2 of the MenuItem image in three pieces, colour-keyed.
void DrawImageSeparator(const TDataSkinObject& o, HDC dc, const RECT& rect) {
  TBitmap& image = SkinBitmap(*o.Image);
  const TSeparatorPlan plan =
      PlanMenuSeparator({rect.left, rect.top, rect.right, rect.bottom}, image.Width(), image.Height(), o.LeftWidth,
                        o.RightWidth);
  for (int i = 0; i < plan.Count; ++i) {
    const TSeparatorPiece& piece = plan.Pieces[i];
    TBitmap stretched;
    stretched.SetSize(piece.Target.Width(), piece.Target.Height());
    HDC s = stretched.Canvas()->Handle();
    SetStretchBltMode(s, COLORONCOLOR);
    StretchBlt(s, 0, 0, piece.Target.Width(), piece.Target.Height(), image.Canvas()->Handle(), piece.Source.Left,
               piece.Source.Top, piece.Source.Width(), piece.Source.Height(), SRCCOPY);
    DrawTransparent(dc, ToWinRect(piece.Target), stretched, static_cast<TColor>(SkinKeyColorRef));
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
  std::unique_ptr<TBitmap> bmp = ItemScratch(p, menu, rect);
  const RECT local{0, 0, bmp->Width(), bmp->Height()};
  if (!item.IsLine()) {
    DrawSkinImage(bmp->Canvas()->Handle(), local, SkinBitmap(*o.Image), false, o.Tile != 0, o.Trans != 0,
                  MenuItemFrameCount, MenuItemFrame(false, selected), MarginsOf(o));
    DrawItemContent(p, item, *bmp->Canvas(), selected, local);
    CopyToCanvas(*bmp, canvas, rect);
  } else if (nativeSeparator) {
    RECT r = local;
    DrawItemText(p, item, *bmp->Canvas(), 0, selected, r, item.Caption());
    CopyToCanvas(*bmp, canvas, rect);
  } else {
    CopyToCanvas(*bmp, canvas, rect);
    DrawImageSeparator(o, canvas.Handle(), rect);
  }
}
}  // namespace

void UseSystemMenuFont(TCanvas& canvas) {
  NONCLIENTMETRICSA ncm{};
  ncm.cbSize = sizeof ncm;
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0))
    canvas.Font()->SetHandle(CreateFontIndirectA(&ncm.lfMenuFont));
}

void DrawSkinnedItem(const TMenuItemPainter& p, TMenuItem& item, TCanvas& canvas, bool selected, const RECT& rect) {
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

void DrawPlainItem(const TMenuItemPainter& p, TMenuItem& item, TCanvas& canvas, bool selected, const RECT& rect) {
  TBitmap bmp;
  bmp.SetSize(rect.right - rect.left, rect.bottom - rect.top);
  TCanvas& c = *bmp.Canvas();
  UseSystemMenuFont(c);
  const RECT local{0, 0, bmp.Width(), bmp.Height()};
  c.Brush()->SetColor(selected ? (p.Skin ? p.Skin->ColorHilight : clHighlight) : (p.Skin ? p.Skin->ColorMenu : clMenu));
  c.FillRect(local);
  if (item.IsLine()) {
    RECT r = local;
    DrawItemText(p, item, c, 0, selected, r, item.Caption());
  } else {
    DrawItemContent(p, item, c, selected, local);
  }
  CopyToCanvas(bmp, canvas, rect);
}

void DrawItemContent(const TMenuItemPainter& p, TMenuItem& item, TCanvas& canvas, bool selected, const RECT& rect) {
  const std::string caption = item.Caption();
  TImageList* images = ImagesOf(p, item);
  const int boxSize = CheckBoxSize(images ? images->Width() : 0, images != nullptr, item.Checked());
  const TMenuItemLayout layout =
      LayoutMenuItem({rect.left, rect.top, rect.right, rect.bottom}, LeftWidthOf(p), boxSize, item.IsLine(),
                     p.RightToLeft);
  HDC dc = canvas.Handle();
  const RECT box = ToWinRect(layout.GlyphBox);
  switch (GlyphKindOf(item.IsLine(), images != nullptr, item.ImageIndex(), images ? images->Count() : 0,
                      item.Checked())) {
    case TGlyphKind::SunkenImage:
      DrawSunkenBox(dc, box);
      images->Draw(canvas, box.left, box.top, item.ImageIndex(), item.Enabled());
      break;
    case TGlyphKind::Image: images->Draw(canvas, box.left, box.top, item.ImageIndex(), item.Enabled()); break;
    case TGlyphKind::CheckMark: DrawCheckMark(dc, box); break;
    case TGlyphKind::None: break;
  }
  const UINT align = layout.TextRight ? DT_RIGHT : 0u;
  RECT measured = ToWinRect(layout.TextArea);
  DrawItemText(p, item, canvas, DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE | align, selected, measured,
               caption);
  const int mw = measured.right - measured.left, mh = measured.bottom - measured.top;
  TSkinRect placed = CentreCaption(layout.TextArea, mw, mh);
  if (layout.TextRight) placed = {layout.TextArea.Right - mw, placed.Top, layout.TextArea.Right, placed.Bottom};
  RECT text{layout.TextArea.Left, placed.Top, layout.TextArea.Right, placed.Bottom};
  DrawItemText(p, item, canvas, DT_SINGLELINE | DT_EXPANDTABS | align, selected, text, caption);
  const std::string keys = ShortCutToText(item.ShortCut());
  if (!keys.empty()) {
    const TShortcutPlace place =
        PlaceShortcut({rect.left, rect.top, rect.right, rect.bottom}, placed, layout.TextRight);
    RECT area = ToWinRect(place.Area);
    DrawItemText(p, item, canvas, DT_SINGLELINE | (place.AlignRight ? DT_RIGHT : DT_LEFT), selected, area, keys);
  }
}

void DrawItemText(const TMenuItemPainter& p, TMenuItem& item, TCanvas& canvas, UINT flags, bool selected, RECT& rect,
                  const std::string& text) {
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
               : MenuItemTextColour(selected, item.Enabled(), clHighlightText, clMenuText, clBtnShadow, disabledSystem);
    canvas.Font()->SetColor(colour);
    canvas.Brush()->SetStyle(bsClear);
    dc = canvas.Handle();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(colour));
    DrawTextA(dc, shown.c_str(), static_cast<int>(shown.size()), &rect, flags);
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
