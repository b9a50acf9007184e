// The skinned menu bar: the buttons built from the window's menu, their painting, opening a
// drop-down under its button, and the message-filter hook that lets the arrow keys and the
// mouse move from one drop-down to the next while one is open (MenuBarTracker_win).
#include <algorithm>

#include "skin/data/SkinData_win.h"
#include "skin/forms/FormSkin.h"
#include "skin/forms/SkinDrawBitmap_win.h"
#include "skin/forms/SkinMenuBar_win.h"
#include "skin/forms/TitleButtons.h"
#include "ui/Messages.h"
#include "ui/ScopedValue.h"

namespace {
COLORREF RgbOf(TSkinColour colour) { return ColorToRGB(static_cast<TColor>(colour)); }

std::wstring Widen(const std::string& text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(std::max(n, 0)), L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

TFontHandle MenuFont() {
  NONCLIENTMETRICSA ncm{};
  constexpr UINT legacySize = 340;  // the structure before the padded-border field
  ncm.cbSize = legacySize;
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, legacySize, &ncm, 0)) return TFontHandle();
  return TFontHandle(CreateFontIndirectA(&ncm.lfMenuFont));
}

// WM_SYSCHAR of a narrow window carries a character of the ANSI code page.
wchar_t CharOfMessage(WPARAM wParam) {
  if (wParam < 0x80 || wParam > 0xFF) return static_cast<wchar_t>(wParam);
  const char c = static_cast<char>(wParam);
  wchar_t w = 0;
  return MultiByteToWideChar(CP_ACP, 0, &c, 1, &w, 1) == 1 ? w : static_cast<wchar_t>(wParam);
}

// Accelerators compare in the system's case mapping, as a native menu's do.
wchar_t SystemUpper(wchar_t c) {
  wchar_t s[1] = {c};
  CharUpperBuffW(s, 1);
  return s[0];
}

HFONT SharedMenuFont() {
  static TFontHandle font = MenuFont();
  return font.get();
}

void EnsureSize(TBitmap& bmp, int width, int height) {
  if (bmp.PixelFormat() != pf32bit) bmp.SetPixelFormat(pf32bit);
  if (bmp.Width() < width || bmp.Height() < height)
    bmp.SetSize(std::max(bmp.Width(), width), std::max(bmp.Height(), height));
}

}  // namespace

// ---- TMenuBtn ----

void TMenuBtn::Paint() { FBar.PaintButton(*this); }

// ---- TSkinMenuBar ----

TSkinMenuBar::TSkinMenuBar(TNCObjectOwner& owner, HWND wnd, TSkinData* skin, TFormMenuSource formMenu,
                           bool rightToLeft)
    : FOwner(owner), FWnd(wnd), FSkin(skin), FFormMenu(std::move(formMenu)), FRightToLeft(rightToLeft) {
  FNativeMenu = GetMenu(wnd);
}

TSkinMenuBar::~TSkinMenuBar() {
  FOwner.ForgetHot();
  FButtons.clear();
}

void TSkinMenuBar::TakeMenuAway() {
  if (GetMenu(FWnd)) SetMenu(FWnd, nullptr);
}

void TSkinMenuBar::GiveMenuBack() {
  if (FNativeMenu && IsMenu(FNativeMenu) && GetMenu(FWnd) != FNativeMenu) SetMenu(FWnd, FNativeMenu);
}

void TSkinMenuBar::LoadFromMenu() {
  if (HMENU current = GetMenu(FWnd)) FNativeMenu = current;
  TMainMenu* menu = MainMenu();
  if (!FNativeMenu || !menu) return;
  FOwner.ForgetHot();
  FButtons.clear();
  TMenuItem* root = menu->Items();
  for (int i = 0; i < root->Count(); ++i) {
    TMenuItem* item = root->Items(i);
    auto b = std::make_unique<TMenuBtn>(FOwner, *this, i);
    b->Visible = item->Visible();
    b->Enabled = item->Enabled();
    b->Command = item->Command();
    b->Caption = Widen(item->Caption());
    b->SubMenu = item->Count() > 0 ? item->Handle() : nullptr;
    FButtons.push_back(std::move(b));
  }
  TakeMenuAway();
}

void TSkinMenuBar::LoadFromHandle() { LoadFromHandleByCommand(nullptr); }

void TSkinMenuBar::LoadFromHandleByCommand(HMENU handle) {
  const bool byCommand = handle != nullptr;
  if (handle) {
    FNativeMenu = handle;
  } else if (HMENU current = GetMenu(FWnd)) {
    FNativeMenu = current;
  }
  if (!FNativeMenu) return;
  FOwner.ForgetHot();
  FButtons.clear();
  const int count = GetMenuItemCount(FNativeMenu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[81] = {};
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_TYPE;
    mii.dwTypeData = text;
    mii.cch = 80;
    if (!GetMenuItemInfoW(FNativeMenu, static_cast<UINT>(i), TRUE, &mii)) continue;
    auto b = std::make_unique<TMenuBtn>(FOwner, *this, i);
    b->SubMenu = mii.hSubMenu;
    b->Enabled = !(mii.fState & (MFS_GRAYED | MFS_DISABLED));
    b->Command = mii.wID;
    if (!(mii.fType & (MFT_BITMAP | MFT_SEPARATOR | MFT_OWNERDRAW))) b->Caption = text;
    TMainMenu* menu = MainMenu();
    if (b->Caption.empty() && menu) {
      // An owner-drawn entry carries no text: its item in the form's menu does.
      TMenuItem* root = menu->Items();
      TMenuItem* item = nullptr;
      if (byCommand) {
        for (int k = 0; k < root->Count() && !item; ++k)
          if (root->Items(k)->Command() == b->Command) item = root->Items(k);
      } else if (i < root->Count()) {
        item = root->Items(i);
        b->Command = GetMenuItemID(FNativeMenu, i);
      }
      if (item) {
        b->Caption = Widen(item->Caption());
        b->Enabled = item->Enabled();
        if (item->Count() > 0) b->SubMenu = item->Handle();
      }
    }
    FButtons.push_back(std::move(b));
  }
  TakeMenuAway();
}

void TSkinMenuBar::DrawCaption(HDC dc, const TMenuBtn& b, RECT slot) {
  if (b.Caption.empty()) return;
  SetTextColor(dc, RgbOf(b.Enabled ? FSkin->ColorMenuBarText : FSkin->ColorButtonShadow));
  DrawTextW(dc, b.Caption.c_str(), static_cast<int>(b.Caption.size()), &slot,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TSkinMenuBar::PaintBar(HDC dc, const RECT& rect, bool active) {
  if (!FSkin) return;
  FBarRect = rect;
  const int W = rect.right - rect.left, H = rect.bottom - rect.top;
  if (W <= 0 || H <= 0) return;
  HDC buf = FScratch.BeginWithin(W, H);
  const RECT all{0, 0, W, H};
  TDataSkinObject* image = FSkin->MenuBar.get();
  TMenuBarOrigin origin;
  origin.HasImage = HasImage(image);
  origin.RightToLeft = FRightToLeft;
  origin.BarWidth = W;
  if (origin.HasImage) {
    origin.TileLeft = image->LeftWidth;
    origin.TileRight = image->RightWidth;
    TBitmap& src = SkinBitmap(*image->Image);
    const int frame = active ? 1 : 2;
    const TSkinMargins margins{image->LeftWidth, 0, image->RightWidth, 0};
    if (image->Tile == 1)
      DrawSkinImage(buf, all, src, true, false, false, 2, frame, margins);
    else
      DrawSkinBar(buf, all, SkinSourceOf(src), true, false, 2, frame, margins);
  } else {
    TBrushHandle brush(CreateSolidBrush(RgbOf(FSkin->ColorMenubar)));
    FillRect(buf, &all, brush.get());
  }
  EnsureSize(FBarBitmap, W, H);
  BitBlt(FBarBitmap.Canvas()->Handle(), 0, 0, W, H, buf, 0, 0, SRCCOPY);

  SelectGuard font(buf, SharedMenuFont());
  const int oldMode = SetBkMode(buf, TRANSPARENT);
  FPainting = true;
  std::vector<TMenuBarItem> items;
  for (const auto& b : FButtons) {
    TMenuBarItem item;
    item.Visible = b->Visible;
    item.EmptyCaption = b->Caption.empty();
    if (!item.EmptyCaption) {
      RECT r{0, 0, 0, 0};
      DrawTextW(buf, b->Caption.c_str(), static_cast<int>(b->Caption.size()), &r,
                DT_CALCRECT | DT_SINGLELINE);
      item.TextWidth = r.right - r.left;
    }
    items.push_back(item);
  }
  const auto slots = LayoutMenuBar(items, ToSkinRect(rect), MenuBarFirstOffset(origin), FRightToLeft);
  for (size_t i = 0; i < FButtons.size(); ++i) {
    TMenuBtn& b = *FButtons[i];
    b.BoundsRect = slots[i].Bounds;
    if (b.Visible) DrawCaption(buf, b, ToRect(slots[i].Slot));
  }
  FPainting = false;
  SetBkMode(buf, oldMode);
  if (OnOverlay) OnOverlay(buf);
  FScratch.CopyTo(dc, rect.left, rect.top);
}

void TSkinMenuBar::PaintButton(TMenuBtn& b) {
  if (!FSkin || FPainting || b.BoundsRect.Empty()) return;
  WindowDc dc(FWnd);
  if (!dc.get()) return;
  const int H = FBarRect.bottom - FBarRect.top;
  const int x = b.BoundsRect.Left - FBarRect.left;
  BitBlt(dc.get(), b.BoundsRect.Left, FBarRect.top, b.BoundsRect.Width(), H, FBarBitmap.Canvas()->Handle(), x,
         0, SRCCOPY);
  RECT bounds = ToRect(b.BoundsRect);
  if (b.State == ncsPressed || b.State == ncsHot) {
    TBrushHandle frame(CreateSolidBrush(RgbOf(FSkin->ColorButtonHilight)));
    FrameRect(dc.get(), &bounds, frame.get());
  }
  SelectGuard font(dc.get(), SharedMenuFont());
  const int oldMode = SetBkMode(dc.get(), TRANSPARENT);
  RECT slot{bounds.left, FBarRect.top, bounds.right, FBarRect.bottom - 1};
  DrawCaption(dc.get(), b, slot);
  SetBkMode(dc.get(), oldMode);
}

std::vector<TMenuBarButtonInfo> TSkinMenuBar::Infos() const {
  std::vector<TMenuBarButtonInfo> out;
  for (const auto& b : FButtons)
    out.push_back({b->Visible, b->Enabled, b->Caption.empty(), b->BoundsRect, AcceleratorOf(b->Caption)});
  return out;
}

TMenuBtn* TSkinMenuBar::Button(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return FButtons[static_cast<size_t>(index)].get();
}

TMenuItem* TSkinMenuBar::ItemOf(const TMenuBtn& button) const {
  TMainMenu* menu = MainMenu();
  if (!menu) return nullptr;
  TMenuItem* root = menu->Items();
  for (int i = 0; i < root->Count(); ++i) {
    TMenuItem* item = root->Items(i);
    if (item->Command() == button.Command ||
        (button.SubMenu && item->Count() > 0 && item->Handle() == button.SubMenu))
      return item;
  }
  return nullptr;
}

TMenuBtn* TSkinMenuBar::MenuButtonAt(POINT p) { return Button(MenuButtonIndexAt(Infos(), p.x, p.y)); }

TMenuBtn* TSkinMenuBar::ButtonByAccel(wchar_t ch) {
  return Button(ButtonIndexByAccel(Infos(), ch, SystemUpper));
}

TMenuBtn* TSkinMenuBar::Neighbour(int open, bool forward) {
  return Button(NeighbourButton(Infos(), open, forward));
}

void TidySeparators(TMenuItem& item) {
  std::vector<TTidyItem> entries;
  for (int i = 0; i < item.Count(); ++i)
    entries.push_back({item.Items(i)->IsLine(), item.Items(i)->Visible()});
  TidySeparators(entries);
  for (int i = 0; i < item.Count(); ++i) item.Items(i)->SetVisible(entries[static_cast<size_t>(i)].Visible);
}

// ---- TSkinForm: the bar's place in the form handler ----

// The skinned bar replaces the native one of every window with a menu.
bool TSkinForm::MenuBarReady() { return true; }

bool TSkinForm::HasMenuBar() const { return FMenuBar != nullptr; }

void TSkinForm::CreateMenuBar() {
  FMenuBar = std::make_unique<TSkinMenuBar>(
      FNCOwner, FWnd, FSkinData, [this] { return FormMenu(); }, FRightToLeft);
  FMenuBar->OnOverlay = [this](HDC bar) { FButtons.PaintChildButtons(bar); };
  FFrame.SetMenuBarHeight(GetSystemMetrics(SM_CYMENU));
  if (FForm && FForm->Menu())
    FMenuBar->LoadFromMenu();
  else
    FMenuBar->LoadFromHandle();
}

void TSkinForm::FreeMenuBar(bool giveMenuBack) {
  if (!FMenuBar) return;
  FTracker.Stop();
  if (giveMenuBack) FMenuBar->GiveMenuBack();
  FMenuBar.reset();
  FFrame.SetMenuBarHeight(0);
}

TMainMenu* TSkinForm::FormMenu() const {
  TMainMenu* menu = FForm ? FForm->Menu() : nullptr;
  // A menu being freed tells its form last, after its items went: it counts as gone.
  return menu && !(menu->ComponentState & csDestroying) ? menu : nullptr;
}

void TSkinForm::FollowWindowMenu() {
  if (!FFrameSkinned || FMDIKind == mkChild || FFollowingMenu || FInMdiSetMenu || FStage == stDestroying)
    return;
  TScopedValue following(FFollowingMenu, true);
  const HMENU current = GetMenu(FWnd);
  const int height = Borders().MenuBar;
  bool rebuilt = false;
  if (FForm) {
    TMainMenu* menu = FormMenu();
    if (!menu) {
      // Its TMainMenu went or was taken away; the handle the bar held was that menu's.
      if (FMenuBar) FreeMenuBar(false);
    } else if (!FMenuBar) {
      CreateMenuBar();
    } else if (current || FMenuBar->NativeMenu() != menu->Handle()) {
      FMenuBar->LoadFromMenu();
      rebuilt = true;
    }
  } else if (current) {
    if (!FMenuBar)
      CreateMenuBar();
    else
      FMenuBar->LoadFromHandle();
    rebuilt = true;
  } else if (FMenuBar && !IsMenu(FMenuBar->NativeMenu())) {
    FreeMenuBar(false);  // destroyed by its program
  }
  if (Borders().MenuBar != height)
    FrameChanged();
  else if (rebuilt)
    PostMessageA(FWnd, CM_SKINMENU, 0, 0);
}

void TSkinForm::RebuildMenuBar(bool fromNativeMenu) {
  if (!FMenuBar || FTidying) return;
  if (fromNativeMenu || !FMenuBar->MainMenu())
    FMenuBar->LoadFromHandle();
  else
    FMenuBar->LoadFromMenu();
  PostMessageA(FWnd, CM_SKINMENU, 0, 0);
}

void TSkinForm::RebuildMenuBarByCommand(HMENU menu) {
  if (!FMenuBar) return;
  FMenuBar->LoadFromHandleByCommand(menu);
  PostMessageA(FWnd, CM_SKINMENU, 0, 0);
}

void TSkinForm::PaintMenuBar(HDC dc) {
  if (!FMenuBar || Borders().MenuBar <= 0) return;
  const RECT rect{Borders().Left, Borders().Top, FFrame.WindowWidth() - Borders().Right,
                  Borders().Top + Borders().MenuBar};
  FMenuBar->PaintBar(dc, rect, FActive);
}

TMenuBtn* TSkinForm::ButtonByAccel(wchar_t ch) { return FMenuBar ? FMenuBar->ButtonByAccel(ch) : nullptr; }

bool TSkinForm::MenuTracking() const { return FMenuTracking; }

int TSkinForm::OpenMenuIndex() { return TMenuBarTracker::OpenIndexOnThread(); }

// ---- opening and switching ----

bool TSkinForm::OpenMenuButton(TMenuBtn& pressed, bool byKeyboard) {
  // Everything needed after the drop-down closes is copied: the menu may be rebuilt while
  // it is open, and the button with it.
  const int index = pressed.Index;
  if (FTracker.TakeKeyboardPress(index)) byKeyboard = true;
  const bool enabled = pressed.Enabled;
  const TSkinRect bounds = pressed.BoundsRect;
  TMenuItem* item = FMenuBar ? FMenuBar->ItemOf(pressed) : nullptr;
  // A form's top-level item hears its click this way (it may update its drop-down). The
  // identifier of a native top-level item with a drop-down is no command: a foreign window
  // would run whatever command has that number.
  if (FForm) PostMessageA(FWnd, WM_COMMAND, MAKEWPARAM(pressed.Command, 0), 0);
  if (!pressed.SubMenu) {
    pressed.MouseLeave();
    return false;
  }
  if (item) {
    TScopedValue tidying(FTidying, true);
    TidySeparators(*item);
  }
  HMENU popup = pressed.SubMenu;
  RECT window{};
  GetWindowRect(FWnd, &window);
  // Owner-drawn, so the items are drawn by the skin over the popup handler's background.
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  GetVersionExA(&version);
  if (!(version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion == 4)) MakeOwnerDrawn(popup);
  FMenuTracking = true;
  const POINT at{bounds.Left + window.left, bounds.Bottom + window.top};
  FManager.SetPopupKind(pmkMenuBar);
  FTracker.Start(popup, index, byKeyboard);
  ++FOpenings;
  // The menu loop runs messages of every kind; the window may even be destroyed and this
  // handler purged meanwhile. Nothing of it is touched after the loop unless it lives.
  const std::weak_ptr<int> alive = FAlive;
  if (enabled) TrackPopupMenu(popup, TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, 0, FWnd, nullptr);
  if (alive.expired()) return true;
  const TTrackEnd end = FTracker.Stop();
  const bool escaped = end.Escaped;
  FLastSwitched = end.Switched;
  FMenuTracking = false;
  if (FMenuBar)
    if (TMenuBtn* b = FMenuBar->Button(index)) b->MouseLeave();
  // Escape leaves the bar in keyboard mode on this button, as a native bar does.
  if (escaped && FMenuBar) {
    if (FKeyboardMode)
      FKeyReturn = index;
    else
      BarKeyboardMode(index);
  }
  return true;
}

void TSkinForm::MakeOwnerDrawn(HMENU menu) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_SUBMENU | MIIM_ID;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &mii)) continue;
    if (!(mii.fType & MFT_OWNERDRAW)) {
      MENUITEMINFOA set{};
      set.cbSize = sizeof set;
      set.fMask = MIIM_FTYPE;
      set.fType = mii.fType | MFT_OWNERDRAW;
      if (SetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &set))
        FOwnerDrawn.push_back({menu, static_cast<UINT>(i), mii.wID});
    }
    if (mii.hSubMenu) MakeOwnerDrawn(mii.hSubMenu);
  }
}

void TSkinForm::UndoOwnerDrawn() {
  for (const TOwnerDrawnItem& it : FOwnerDrawn) {
    if (!IsMenu(it.Menu)) continue;
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_ID;
    if (!GetMenuItemInfoA(it.Menu, it.Position, TRUE, &mii) || mii.wID != it.Id ||
        !(mii.fType & MFT_OWNERDRAW))
      continue;
    MENUITEMINFOA set{};
    set.cbSize = sizeof set;
    set.fMask = MIIM_FTYPE;
    set.fType = mii.fType & ~static_cast<UINT>(MFT_OWNERDRAW);
    SetMenuItemInfoA(it.Menu, it.Position, TRUE, &set);
  }
  FOwnerDrawn.clear();
}

void TSkinForm::SwitchToButton(TMenuBtn& button, bool byKeyboard) {
  FTracker.PressPosted(button.Index, byKeyboard);
  RECT window{};
  GetWindowRect(FWnd, &window);
  const int x = button.BoundsRect.Left + window.left + 1, y = button.BoundsRect.Top + window.top + 1;
  PostMessageA(FWnd, WM_NCLBUTTONDOWN, HTCLIENT, MAKELPARAM(x, y));
}

// ---- keyboard ----

bool TSkinForm::MenuBarDialogChar(TMessage& m) {
  const bool altOnly = GetKeyState(VK_MENU) < 0 && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0;
  if (altOnly && FMenuBar)
    if (TMenuBtn* b = FMenuBar->ButtonByAccel(CharOfMessage(m.WParam))) {
      SwitchToButton(*b, true);
      m.Result = 1;
      return true;
    }
  // A child's accelerators are the frame's menu (a child has no bar of its own).
  if (FMDIKind == mkChild && FManager.MDIMainForm && FManager.MDIMainForm != FForm)
    if (const LRESULT r = FManager.MDIMainForm->Perform(CM_DIALOGCHAR, m.WParam, m.LParam)) {
      m.Result = r;
      return true;
    }
  return false;
}

// ---- the bar's keyboard mode ----

void TSkinForm::KeepMenuButtonFace() {
  if (!FMenuBar) return;
  if (FTracker.OpenIndex() >= 0) {
    if (TMenuBtn* b = FMenuBar->Button(FTracker.OpenIndex())) b->MouseDown();
  } else if (FKeyboardMode) {
    if (TMenuBtn* b = FMenuBar->Button(FKeySelected)) b->MouseEnter();
  }
}

void TSkinForm::SelectKeyButton(int index) {
  FKeySelected = index;
  if (TMenuBtn* b = FMenuBar ? FMenuBar->Button(index) : nullptr)
    b->MouseEnter();
  else if (TNCObject* hot = FNCOwner.Hot())
    hot->MouseLeave();
}

void TSkinForm::BarKeyboardMode(int index) {
  if (!FMenuBar || FKeyboardMode || !FMenuBar->Button(index)) return;
  FKeyboardMode = true;
  FKeyCancelled = false;
  FKeyReturn = -1;
  SelectKeyButton(index);
  // The thread's keys come here while the mode lasts, whichever window has the focus; the
  // capture tells the mode when another window or a click takes the mouse.
  SetCapture(FWnd);
  const std::weak_ptr<int> alive = FAlive;
  POINT clickAt{0, 0};
  bool clicked = false, leave = false;
  MSG msg{};
  while (!leave && !FKeyCancelled && GetCapture() == FWnd && GetActiveWindow() == FWnd && FMenuBar) {
    if (!GetMessageW(&msg, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    int open = -1;
    const int openings = FOpenings;
    switch (msg.message) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
      case WM_KEYUP:
      case WM_SYSKEYUP: {
        const bool released = msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP;
        const unsigned vk = MirrorArrowKey(static_cast<unsigned>(msg.wParam), FRightToLeft);
        switch (BarKeyAction(vk, released)) {
          case TBarKey::Previous:
          case TBarKey::Next:
            if (TMenuBtn* b = FMenuBar->Neighbour(FKeySelected, BarKeyAction(vk, released) == TBarKey::Next))
              SelectKeyButton(b->Index);
            break;
          case TBarKey::Open:
            open = FKeySelected;
            break;
          case TBarKey::Leave:
            leave = true;
            break;
          case TBarKey::None:
            if (!released) TranslateMessage(&msg);  // a letter comes back as a character
            break;
        }
        break;
      }
      case WM_CHAR:
      case WM_SYSCHAR:
        if (TMenuBtn* b = FMenuBar->ButtonByAccel(static_cast<wchar_t>(msg.wParam))) open = b->Index;
        break;
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
        // A click ends the mode; on a button of the bar it opens that button's drop-down.
        leave = true;
        clicked = msg.message == WM_LBUTTONDOWN;
        clickAt = msg.pt;
        break;
      default:
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        if (alive.expired()) return;
        break;
    }
    if (open >= 0 && FMenuBar)
      if (TMenuBtn* b = FMenuBar->Button(open)) {
        FNCOwner.NcLButtonDown(b);
        OpenMenuButton(*b, true);
        if (alive.expired()) return;
      }
    if (FOpenings != openings) {
      // A drop-down opened and closed: Escape gives its button back to the mode, a move to the
      // next button goes on with the press already posted, anything else ends the mode.
      if (FKeyReturn >= 0) {
        SelectKeyButton(FKeyReturn);
        FKeyReturn = -1;
      } else if (!FLastSwitched) {
        leave = true;
      }
      if (!leave && GetCapture() != FWnd) SetCapture(FWnd);
    }
  }
  FKeyboardMode = false;
  FKeySelected = -1;
  if (TNCObject* hot = FNCOwner.Hot()) hot->MouseLeave();
  if (GetCapture() == FWnd) ReleaseCapture();
  if (clicked && FMenuBar)
    if (FMenuBar->MenuButtonAt(ScreenToFrame(MAKELPARAM(clickAt.x, clickAt.y))))
      PostMessageA(FWnd, WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(clickAt.x, clickAt.y));
}
