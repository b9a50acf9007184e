#include "ui/Menus.h"

#include <algorithm>
#include <map>

#include "ui/Forms.h"
#include "ui/ImgList.h"
#include "ui/PaintGuards_win.h"

namespace {
// Never destroyed: menu items owned by objects that are themselves destroyed at exit (the
// skin engine's handlers in a program it was put into) still take themselves out of it then;
// a map destroyed before them would be erased from after its end (a program hung at exit).
std::map<UINT, TMenuItem*>& LiveItems() {
  static auto* items = new std::map<UINT, TMenuItem*>;
  return *items;
}

UINT NextCommand() {
  // Below the system commands (0xF000 and up); identifiers of freed items are reused.
  static UINT next = 100;
  auto& live = LiveItems();
  for (int tries = 0; tries < 0xEF00; ++tries) {
    UINT id = next++;
    if (next >= 0xF000) next = 100;
    if (!live.count(id)) return id;
  }
  throw Exception("Too many menu items");
}

TMenuItem* LiveItem(ULONG_PTR data) {
  // Item data comes from the system: only a pointer we handed out and that is alive counts.
  auto* item = reinterpret_cast<TMenuItem*>(data);
  for (const auto& [command, live] : LiveItems())
    if (live == item) return item;
  return nullptr;
}

void UseMenuFont(TCanvas* canvas) {
  NONCLIENTMETRICSA ncm{};
  ncm.cbSize = sizeof ncm;
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0))
    canvas->Font()->SetHandle(CreateFontIndirectA(&ncm.lfMenuFont));
}

// Takes the entries out without destroying their submenus (those belong to other items).
void RemoveAllEntries(HMENU menu) {
  for (int n = GetMenuItemCount(menu); n > 0; --n)
    if (!RemoveMenu(menu, 0, MF_BYPOSITION)) break;
}

std::string NativeText(const TMenuItem& item) {
  std::string text = item.Caption();
  std::string keys = ShortCutToText(item.ShortCut());
  if (!keys.empty()) text += "\t" + keys;
  return text;
}

// The popup-list window's messages: owner-drawn items and commands of the class library's menus.
bool PopupListMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_DRAWITEM:
      result = TRUE;
      return DispatchMenuDraw(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    case WM_MEASUREITEM:
      result = TRUE;
      return DispatchMenuMeasure(wnd, *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    case WM_COMMAND:
      result = 0;
      return lParam == 0 && DispatchMenuCommand(LOWORD(wParam));
    default:
      return false;
  }
}
}  // namespace

// ---- TMenuItem ----

DEFINE_CLASS_INFO(TMenuItem, TComponent, Prop<&TMenuItem::Caption, &TMenuItem::SetCaption>("Caption"),
                  Prop<&TMenuItem::Visible, &TMenuItem::SetVisible>("Visible"),
                  Prop<&TMenuItem::Enabled, &TMenuItem::SetEnabled>("Enabled"),
                  Prop<&TMenuItem::Checked, &TMenuItem::SetChecked>("Checked"),
                  Prop<&TMenuItem::ImageIndex, &TMenuItem::SetImageIndex>("ImageIndex"))

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FCommand(NextCommand()) {
  LiveItems()[FCommand] = this;
}

TMenuItem::~TMenuItem() {
  ComponentState |= csDestroying;
  if (FParent) FParent->Remove(this);
  // Detach the submenus first, so destroying our menu never reaches theirs.
  if (FHandle) RemoveAllEntries(FHandle.get());
  while (!FItems.empty()) delete FItems.back();
  LiveItems().erase(FCommand);
}

void TMenuItem::SetCaption(const std::string& v) {
  if (Changes(FCaption, v)) Changed();
}
void TMenuItem::SetVisible(bool v) {
  if (Changes(FVisible, v)) Changed();
}
void TMenuItem::SetEnabled(bool v) {
  if (Changes(FEnabled, v)) Changed();
}
void TMenuItem::SetChecked(bool v) {
  if (Changes(FChecked, v)) Changed();
}
void TMenuItem::SetDefault(bool v) {
  if (Changes(FDefault, v)) Changed();
}
void TMenuItem::SetImageIndex(int v) {
  if (Changes(FImageIndex, v)) Changed();
}
void TMenuItem::SetShortCut(TShortCut v) {
  if (Changes(FShortCut, v)) Changed();
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item || item == this) return;
  for (TMenuItem* p = this; p; p = p->FParent)
    if (p == item) throw Exception("A menu item cannot contain itself");
  if (item->FParent) item->FParent->Remove(item);
  index = std::clamp(index, 0, Count());
  FItems.insert(FItems.begin() + index, item);
  item->FParent = this;
  Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  if (it == FItems.end()) return;
  FItems.erase(it);
  item->FParent = nullptr;
  Changed();
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* root = this;
  while (root->FParent) root = root->FParent;
  return root->FMenu;
}

void TMenuItem::Changed() {
  if (ComponentState & csDestroying) return;
  if (TMenu* menu = GetParentMenu()) menu->MenuChanged();
}

HMENU TMenuItem::Handle() {
  if (!FHandle) {
    FHandle.reset(CreatePopupMenu());
    RebuildHandle();
  }
  return FHandle.get();
}

void TMenuItem::RebuildHandle() {
  HMENU menu = FHandle.get();
  if (!menu) return;
  RemoveAllEntries(menu);
  for (TMenuItem* child : FItems)
    if (child->FVisible) child->AppendTo(menu);
}

void TMenuItem::AppendTo(HMENU menu) {
  TMenu* owner = GetParentMenu();
  const bool ownerDraw = owner && owner->OwnerDraw();
  MENUITEMINFOA mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA;
  mii.wID = FCommand;
  mii.dwItemData = reinterpret_cast<ULONG_PTR>(this);
  mii.fState = (FEnabled ? 0u : MFS_DISABLED | MFS_GRAYED) | (FChecked ? MFS_CHECKED : 0u) |
               (FDefault ? MFS_DEFAULT : 0u);
  std::string text = NativeText(*this);
  if (IsLine()) {
    mii.fType = MFT_SEPARATOR | (ownerDraw ? MFT_OWNERDRAW : 0u);
  } else if (ownerDraw) {
    // The caption goes along although we draw the item: GetMenuString and screen readers
    // still find it by its text.
    mii.fType = MFT_OWNERDRAW;
    mii.fMask |= MIIM_STRING;
    mii.dwTypeData = text.data();
  } else {
    mii.fType = MFT_STRING;
    mii.fMask |= MIIM_STRING;
    mii.dwTypeData = text.data();
    if (HBITMAP glyph = Glyph()) {
      mii.fMask |= MIIM_BITMAP;
      mii.hbmpItem = glyph;
    }
  }
  if (!FItems.empty()) {
    mii.fMask |= MIIM_SUBMENU;
    if (FHandle) RebuildHandle();
    mii.hSubMenu = Handle();
  }
  InsertMenuItemA(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &mii);
}

HBITMAP TMenuItem::Glyph() {
  TMenu* owner = GetParentMenu();
  TImageList* images = owner ? owner->Images() : nullptr;
  if (!images || FImageIndex < 0 || FImageIndex >= images->Count()) {
    FGlyph.reset();
    return nullptr;
  }
  // The menu shows a plain bitmap: the image on the menu colour, remade at every rebuild.
  if (!FGlyph) FGlyph = std::make_unique<TBitmap>();
  FGlyph->SetSize(images->Width(), images->Height());
  FGlyph->Canvas()->Brush()->SetColor(clMenu);
  FGlyph->Canvas()->FillRect(RECT{0, 0, images->Width(), images->Height()});
  images->Draw(*FGlyph->Canvas(), 0, 0, FImageIndex, FEnabled);
  FGlyph->FreeCanvasDc();  // a bitmap still selected into a DC cannot be drawn by the menu
  return FGlyph->Handle();
}

void TMenuItem::Click() {
  if (OnClick) OnClick(this);
}

void TMenuItem::MeasureItem(TCanvas* canvas, int& width, int& height) {
  if (IsLine()) {
    height = 8;
    width = 0;
  } else {
    SIZE s = canvas->TextExtent(NativeText(*this));
    width = s.cx + 32;
    height = std::max<int>(s.cy + 4, GetSystemMetrics(SM_CYMENUSIZE));
  }
  if (OnMeasureItem) OnMeasureItem(this, canvas, width, height);
}

void TMenuItem::AdvancedDrawItem(TCanvas* canvas, RECT rect, TOwnerDrawState state) {
  if (OnAdvancedDrawItem) {
    OnAdvancedDrawItem(this, canvas, rect, state);
    return;
  }
  // Plain drawing for owner-drawn menus without a handler.
  const bool selected = state.Contains(odSelected);
  canvas->Brush()->SetColor(selected ? clHighlight : clMenu);
  canvas->FillRect(rect);
  if (IsLine()) {
    RECT line{rect.left, (rect.top + rect.bottom) / 2 - 1, rect.right, (rect.top + rect.bottom) / 2 + 1};
    DrawEdge(canvas->Handle(), &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  canvas->Brush()->SetStyle(bsClear);
  canvas->Font()->SetColor(state.Contains(odGrayed) || state.Contains(odDisabled) ? clGrayText
                           : selected                                             ? clHighlightText
                                                                                  : clMenuText);
  RECT text{rect.left + 20, rect.top, rect.right - 4, rect.bottom};
  std::string caption = NativeText(*this);
  canvas->DrawText(caption, text, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS);
}

// ---- TMenu ----

DEFINE_CLASS_INFO(TMenu, TComponent, Prop<&TMenu::OwnerDraw, &TMenu::SetOwnerDraw>("OwnerDraw"),
                  Prop<&TMenu::Images>("Images"), Prop<&TMenu::Items>("Items"))

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(nullptr)) {
  FItems->FMenu = this;
}

TMenu::~TMenu() {
  FItems->FMenu = nullptr;
  delete FItems;
}

HMENU TMenu::Handle() {
  if (!FItems->FHandle) {
    FItems->FHandle.reset(CreateMenuHandle());
    FItems->RebuildHandle();
  }
  return FItems->FHandle.get();
}

void TMenu::SetOwnerDraw(bool v) {
  if (Changes(FOwnerDraw, v)) MenuChanged();
}

void TMenu::SetImages(TImageList* images) {
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = images;
  if (images) images->FreeNotification(this);
  MenuChanged();
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FImages) FImages = nullptr;
}

namespace {
TMenuItem* FindShortCutItem(TMenuItem* parent, TShortCut shortCut) {
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    if (!item->Visible() || !item->Enabled()) continue;
    if (item->ShortCut() == shortCut && item->Count() == 0) return item;
    if (TMenuItem* found = FindShortCutItem(item, shortCut)) return found;
  }
  return nullptr;
}
}  // namespace

bool TMenu::IsShortCut(TShortCut shortCut) {
  if (shortCut == scNone) return false;
  TMenuItem* item = FindShortCutItem(FItems, shortCut);
  if (!item) return false;
  item->Click();
  return true;
}

void TMenu::MenuChanged() {
  if (ComponentState & csDestroying) return;
  FItems->RebuildHandle();
}

DEFINE_CLASS_INFO(TMainMenu, TMenu)

TMainMenu::~TMainMenu() {
  // The window would destroy a menu it still shows; ours is freed by us alone.
  HMENU handle = Items()->FHandle.get();
  if (handle && WindowHandle && IsWindow(WindowHandle) && GetMenu(WindowHandle) == handle)
    SetMenu(WindowHandle, nullptr);
}

void TMainMenu::MenuChanged() {
  TMenu::MenuChanged();
  if (WindowHandle && IsWindow(WindowHandle)) {
    DrawMenuBar(WindowHandle);
    SendMessageA(WindowHandle, CM_MENUCHANGED, 0, 0);
  }
}

DEFINE_CLASS_INFO(TPopupMenu, TMenu)

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup(this);
  const HWND owner = PopupListWindow();
  const UINT command = static_cast<UINT>(TrackPopupMenuEx(
      Handle(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y, owner, nullptr));
  // The choice runs from the queue, as the system does for a menu owned by a window: a
  // handler may free whatever showed the menu (Exit frees the tray icon), so nothing of the
  // caller's may still be on the stack when it runs. Its errors then reach the owner
  // window's boundary, which hands them to the application's handler.
  if (command) PostMessageA(owner, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

// ---- dispatch ----

namespace {
// Never freed: the window may be asked for until the process ends.
THiddenWindow& PopupList() {
  static auto* window = new THiddenWindow;
  return *window;
}
}  // namespace

HWND PopupListWindow() {
  THiddenWindowParams p;
  p.ClassName = "TPopupList";
  p.ExStyle = WS_EX_TOOLWINDOW;
  THiddenWindow& list = PopupList();
  return list.Create(p, [&list](UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return PopupListMessage(list.Handle(), msg, wParam, lParam, result);
  });
}

void ReleasePopupListWindow() {
  PopupList().Destroy();
  UnregisterClassA("TPopupList", ThisModule());
}

TMenuItem* FindMenuItem(UINT command) {
  auto it = LiveItems().find(command);
  return it == LiveItems().end() ? nullptr : it->second;
}

bool DispatchMenuCommand(UINT command) {
  TMenuItem* item = FindMenuItem(command);
  if (!item) return false;
  item->Click();
  return true;
}

bool DispatchMenuDraw(const DRAWITEMSTRUCT& dis) {
  if (dis.CtlType != ODT_MENU) return false;
  TMenuItem* item = LiveItem(dis.itemData);
  if (!item) return false;
  TOwnerDrawState state;
  const std::pair<UINT, TOwnerDrawStateFlag> flags[] = {
      {ODS_SELECTED, odSelected}, {ODS_GRAYED, odGrayed},     {ODS_DISABLED, odDisabled},
      {ODS_CHECKED, odChecked},   {ODS_FOCUS, odFocused},     {ODS_DEFAULT, odDefault},
      {ODS_HOTLIGHT, odHotLight}, {ODS_INACTIVE, odInactive}, {ODS_NOACCEL, odNoAccel}};
  for (auto [bit, flag] : flags)
    if (dis.itemState & bit) state.Include(flag);
  TBorrowedCanvas canvas(dis.hDC);
  UseMenuFont(canvas.get());
  item->AdvancedDrawItem(canvas.get(), dis.rcItem, state);
  return true;
}

bool DispatchMenuMeasure(HWND owner, MEASUREITEMSTRUCT& mis) {
  if (mis.CtlType != ODT_MENU) return false;
  TMenuItem* item = LiveItem(mis.itemData);
  if (!item) return false;
  ClientDc dc(owner);
  TBorrowedCanvas canvas(dc.get());
  UseMenuFont(canvas.get());
  int width = static_cast<int>(mis.itemWidth), height = static_cast<int>(mis.itemHeight);
  item->MeasureItem(canvas.get(), width, height);
  mis.itemWidth = static_cast<UINT>(std::max(width, 0));
  mis.itemHeight = static_cast<UINT>(std::max(height, 0));
  return true;
}
