// Title-bar buttons, hit-testing and the skinned system menu. Visibility, layout, hit codes,
// the mouse state machine and the system-menu rules come from TitleButtons, NCObject,
// HitTest and SystemMenu; this file feeds them the window and carries out their answers.
#include <utility>
#include <vector>

#include "skin/data/SkinData_win.h"
#include "skin/forms/FormSkin.h"
#include "skin/forms/HitTest.h"
#include "skin/forms/SkinDrawBitmap_win.h"
#include "skin/forms/TitleButtons.h"
#include "ui/MenusShortCut.h"
#include "ui/Messages.h"

void TSkinForm::FreeTitleButtons() {
  FNCOwner.ForgetHot();
  FSysButtons.clear();
}

void TSkinForm::LayoutTitleButtons() {
  TButtonWindowState w;
  w.Maximized = FWinState == wsMaximized;
  w.Active = FActive;
  w.IconFlags = FIconFlags;
  w.Kind = static_cast<TFrameKind>(FFrameKind);
  w.StandardDialog = FStandardDialog;
  w.ChildMaximized = IsChildMaximized();
  w.MenuBarHeight = FMenuBarHeight;
  TButtonLayoutInput in;
  in.WindowWidth = FWindowWidth;
  in.CaptionBox = FCaptionRect;
  in.Borders = Borders();
  in.RightToLeft = FRightToLeft;
  in.TileLeftMenu = FSkinData && HasImage(FSkinData->MenuBar.get()) ? FSkinData->MenuBar->LeftWidth : 0;
  const TAskButtonVisible ask = [this](int index) -> intptr_t {
    return SendMessageA(FWnd, CM_SKINBUTTONVISIBLE, static_cast<WPARAM>(index), 0);
  };
  FRightButtonsLeft = ::LayoutSysButtons(FSysButtons, w, ask, in);
}

void TSkinForm::PaintSysButtons(HDC dc) {
  for (auto& b : FSysButtons) {
    TDataSkinSysButton& d = b->Description();
    if (!b->Visible || !d.HasImage() || !PaintedInTitleBar(*b)) continue;
    if (IsIconAction(d.Action)) {
      PaintIcon(dc, b->BoundsRect.Left, b->BoundsRect.Top);
      continue;
    }
    DrawFrameImage(dc, ToRect(b->BoundsRect), SkinBitmap(*d.Image), true, d.FrameCount,
                   ButtonPaintFrame(FActive, d.FrameCount));
  }
}

void TSkinForm::PaintSysButton(TSkinSysButton& button, int state) {
  TDataSkinSysButton& d = button.Description();
  if (!d.HasImage()) return;
  WindowDc dc(FWnd);
  if (!dc.get()) return;
  if (IsIconAction(d.Action))
    PaintIcon(dc.get(), button.BoundsRect.Left, button.BoundsRect.Top);
  else
    DrawFrameImage(dc.get(), ToRect(button.BoundsRect), SkinBitmap(*d.Image), true, d.FrameCount,
                   ButtonStateFrame(state, d.Visibility));
}

POINT TSkinForm::ScreenToFrame(LPARAM lParam) {
  POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  ScreenToClient(FWnd, &p);
  const TFramePoint f = ClientToFrame(p.x, p.y, Borders(), FWinState == wsMinimized);
  return {f.X, f.Y};
}

TNCObject* TSkinForm::ObjectAt(POINT p) {
  if (TNCObject* b = ::SysButtonAt(FSysButtons, p.x, p.y)) return b;
  return FMenuBar ? FMenuBar->MenuButtonAt(p) : nullptr;
}

// ---- hover timer ----

void TSkinForm::HoverTimerTick() {
  if (FMenuTracking || FKeyboardMode || !FNCOwner.Hot()) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  const POINT p = ScreenToFrame(MAKELPARAM(cursor.x, cursor.y));
  FNCOwner.HoverTick(p.x, p.y);
}

// ---- hit-testing and the mouse ----

void TSkinForm::WmNcHitTest(TMessage& m) {
  CallOldProc(m);
  const POINT p = ScreenToFrame(m.LParam);
  m.Result = NcHitTest(static_cast<int>(m.Result), p.y, FTopHeight);
}

void TSkinForm::WmNcMouse(TMessage& m) {
  const POINT p = ScreenToFrame(m.LParam);
  switch (m.Msg) {
    case WM_NCMOUSEMOVE:
      if (FActive && FNCOwner.NcMouseMove(ObjectAt(p), (GetKeyState(VK_LBUTTON) & 0x8000) != 0)) {
        m.Result = 0;
        return;
      }
      break;
    case WM_NCLBUTTONDOWN: {
      TNCObject* under = ObjectAt(p);
      if (under) {
        if (!FActive) SetForegroundWindow(FWnd);
        FNCOwner.NcLButtonDown(under);
        m.Result = 0;
        if (auto* menuButton = dynamic_cast<TMenuBtn*>(under)) OpenMenuButton(*menuButton);
        return;
      }
      m.WParam =
          static_cast<WPARAM>(NcPressHit(static_cast<int>(m.WParam), FWinState == wsMaximized, FActive));
      break;
    }
    case WM_NCLBUTTONUP: {
      const TNCObjectOwner::TRelease r = FNCOwner.NcLButtonUp(ObjectAt(p));
      if (r.Act) DoButtonAction(static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam)));
      if (r.Swallow) {
        m.Result = 0;
        return;
      }
      break;
    }
    case WM_NCLBUTTONDBLCLK:
      switch (NcDoubleClick(FWinState, FIconFlags)) {
        case dcRestore:
          RestoreWindow();
          break;
        case dcToggleMaximize:
          ToggleMaximize();
          break;
        case dcNone:
          break;
      }
      m.Result = 0;
      return;
    case WM_NCRBUTTONDOWN:
      if (NcRightClickOpensMenu(static_cast<int>(m.WParam), FMDIKind == mkChild)) {
        PopupSystemMenu({static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))});
        m.Result = 0;
        return;
      }
      break;
    default:
      break;
  }
  CallOldProc(m);
}

// ---- actions ----

void TSkinForm::DoButtonAction(int x, int y) {
  auto* hot = dynamic_cast<TSkinSysButton*>(FNCOwner.Hot());
  if (!hot) return;
  const int action = hot->Description().Action;
  switch (ButtonCommand(action)) {
    case bcClose:
      if (FHoverTimer) FHoverTimer->SetEnabled(false);
      PostMessageA(FWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    case bcToggleMaximize:
      ToggleMaximize();
      break;
    case bcToggleMinimize:
      ToggleMinimize();
      break;
    case bcSystemMenu:
      PopupSystemMenu({x + 1, y + 1});
      break;
    case bcChildMinimize:
      SendToActiveChild(SC_MINIMIZE);
      break;
    case bcChildRestore:
      SendToActiveChild(SC_RESTORE);
      break;
    case bcChildClose:
      SendToActiveChild(SC_CLOSE);
      break;
    case bcCustom:
      PostMessageA(FWnd, CM_SKINBUTTON, static_cast<WPARAM>(action), 0);
      break;
  }
}

void TSkinForm::ToggleMaximize() {
  if (FWinState == wsMaximized) {
    RestoreWindow();
    return;
  }
  if (FMDIKind == mkChild) FManager.SetMDIChildMaximized(true);
  FWinState = wsMaximized;
  PostMessageA(FWnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  FNCOwner.ForgetHot();
}

void TSkinForm::ToggleMinimize() {
  if (FWinState == wsMinimized) {
    RestoreWindow();
    return;
  }
  FWinState = wsMinimized;
  PostMessageA(FWnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TSkinForm::RestoreWindow() {
  FWinState = wsNormal;
  PostMessageA(FWnd, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void TSkinForm::SendToActiveChild(UINT command) {
  if (FMDIKind != mkFrame || !FMDIClient) return;
  HWND child = reinterpret_cast<HWND>(SendMessageA(FMDIClient, WM_MDIGETACTIVE, 0, 0));
  if (!child) return;
  SendMessageA(child, WM_SYSCOMMAND, command, 0);
  if (FManager.MDIChildMaximized() && !IsZoomed(child)) FManager.SetMDIChildMaximized(false);
}

// ---- the system menu ----

namespace {
// The entries of a native menu, read as the system holds them.
std::vector<std::pair<TSysMenuEntry, HMENU>> ReadMenuEntries(HMENU menu) {
  std::vector<std::pair<TSysMenuEntry, HMENU>> entries;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    char text[256] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof text - 1;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    TSysMenuEntry e;
    e.Command = info.wID;
    e.Separator = (info.fType & MFT_SEPARATOR) != 0;
    e.Text = text;
    e.Grayed = (info.fState & (MFS_GRAYED | MFS_DISABLED)) != 0;
    e.Checked = (info.fState & MFS_CHECKED) != 0;
    e.Default = (info.fState & MFS_DEFAULT) != 0;
    entries.emplace_back(std::move(e), info.hSubMenu);
  }
  return entries;
}
}  // namespace

void TSkinForm::BuildSystemMenu() {
  FreeSystemMenu();
  if (!FSkinData) return;
  FSystemPopup = std::make_unique<TPopupMenu>(nullptr);
  FSystemPopup->Tag = SystemPopupTag;
  FSystemPopup->SetImages(&MenuGlyphImages(*FSkinData));
  // The window's own menu, asked for again: a program may have replaced or reset it.
  FSystemMenu = GetSystemMenu(FWnd, FALSE);
  if (FSystemMenu) {
    // The boxes as the window had them: a skinned frame may have taken the native ones away.
    const TWinState state = IsIconic(FWnd) ? wsMinimized : IsZoomed(FWnd) ? wsMaximized : wsNormal;
    const TSysMenuWindow window{state, FSizeable, (FIconFlags & IconMinBox) != 0,
                                (FIconFlags & IconMaxBox) != 0};
    AddSystemMenuItems(*FSystemPopup->Items(), FSystemMenu, window, 0);
  }
  OwnerDrawPopup(*FSystemPopup);
}

void TSkinForm::AddSystemMenuItems(TMenuItem& parent, HMENU menu, const TSysMenuWindow& window, int depth) {
  constexpr int MaxDepth = 8;  // a menu that holds itself must not recurse for ever
  for (const auto& [entry, submenu] : ReadMenuEntries(menu)) {
    const TSystemMenuItem def = SystemMenuItemFor(entry, window);
    auto* item = new TMenuItem(FSystemPopup.get());
    item->SetCaption(def.Caption);
    item->SetImageIndex(def.ImageIndex);
    item->SetEnabled(def.Enabled);
    item->SetChecked(def.Checked);
    item->SetDefault(def.Default);
    if (!def.ShortCut.empty()) {
      const TShortCut key = TextToShortCut(def.ShortCut);
      // A key text the class library cannot spell stays in the caption, after its tab.
      if (key != scNone)
        item->SetShortCut(key);
      else
        item->SetCaption(def.Caption + "\t" + def.ShortCut);
    }
    if (!def.Caption.empty() && def.Caption != "-" && !submenu) {
      const UINT command = def.Command;
      item->OnClick = [this, command](TObject*) { SystemMenuCommand(command); };
    }
    parent.Add(item);
    if (submenu && depth < MaxDepth) AddSystemMenuItems(*item, submenu, window, depth + 1);
  }
}

void TSkinForm::FreeSystemMenu() { FSystemPopup.reset(); }

void TSkinForm::PopupSystemMenu(POINT screen) {
  const auto* hot = dynamic_cast<TSkinSysButton*>(FNCOwner.Hot());
  const bool onSystemMenuButton = hot && ButtonCommand(hot->Description().Action) == bcSystemMenu;
  switch (FMenuGate.Click(GetTickCount(), FDoubleClickTime, onSystemMenuButton)) {
    case mcOpen: {
      FManager.SetPopupKind(pmkSystem);
      ++FSystemMenuOpenings;
      const bool native = !(FSkinData->SkinControls & SkinBit(xcSystemMenu)) || FMDIKind == mkChild;
      if (native) {
        if (FSystemMenu) TrackPopupMenu(FSystemMenu, TPM_RIGHTBUTTON, screen.x, screen.y, 0, FWnd, nullptr);
        break;
      }
      // As the system opens a window menu: the program may set its items' states first.
      if (HMENU own = GetSystemMenu(FWnd, FALSE)) {
        SendMessageA(FWnd, WM_INITMENU, reinterpret_cast<WPARAM>(own), 0);
        SendMessageA(FWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(own), MAKELPARAM(0, TRUE));
      }
      BuildSystemMenu();  // the items and their states as the window's menu has them now
      if (FSystemPopup && FSystemPopup->Items()->Count() > 0) FSystemPopup->Popup(screen.x, screen.y);
      break;
    }
    case mcCloseWindow:
      if (FHoverTimer) FHoverTimer->SetEnabled(false);
      PostMessageA(FWnd, WM_CLOSE, 0, 0);
      break;
    case mcIgnore:
      break;
  }
}

void TSkinForm::SystemMenuCommand(UINT command) {
  if (command == SC_CLOSE && FHoverTimer) FHoverTimer->SetEnabled(false);
  PostMessageA(FWnd, WM_SYSCOMMAND, command, 0);
}

// ---- commands ----

void TSkinForm::WmCommand(TMessage& m) {
  const UINT command = LOWORD(m.WParam);
  if (IsForwardedSysCommand(command)) {
    PostMessageA(FWnd, WM_SYSCOMMAND, command, 0);
    m.Result = 0;
    return;
  }
  CallOldProc(m);
}

TKeyMenu TSkinForm::KeyMenuOf(WPARAM command, LPARAM ch) {
  TKeyMenuState state;
  state.Tracking = FMenuTracking || FKeyboardMode;
  state.Captured = GetCapture() != nullptr;
  state.HasBarButton = FMenuBar && FMenuBar->Neighbour(-1, true) != nullptr;
  state.SkinnedSystemMenu =
      FSystemPopup && FSkinData && (FSkinData->SkinControls & SkinBit(xcSystemMenu)) && FMDIKind != mkChild;
  const auto hasAccelerator = [this](int c) { return ButtonByAccel(static_cast<wchar_t>(c)) != nullptr; };
  return KeyMenuAction(command, ch, state, hasAccelerator);
}

bool TSkinForm::WantsKeyMenu(LPARAM ch) {
  if (!FFrameSkinned || !FSubclass.Installed()) return false;
  if (FMDIKind == mkChild) {
    // A child's keyboard menu is its frame's bar.
    auto* frame = dynamic_cast<TSkinForm*>(FManager.FindSkinForm(GetAncestor(FWnd, GA_ROOT)));
    return frame && frame != this && frame->WantsKeyMenu(ch);
  }
  if (FStyle & WS_CHILD) return false;
  return KeyMenuOf(SC_KEYMENU, ch) != TKeyMenu::Pass;
}

void TSkinForm::SystemMenuByKeyboard() {
  RECT window{};
  GetWindowRect(FWnd, &window);
  // Under the icon; at the title bar's left edge on a frame without one.
  POINT at{window.left, window.top + FTopHeight};
  for (const auto& b : FSysButtons)
    if (b->Visible && IsIconAction(b->Description().Action) && PaintedInTitleBar(*b) &&
        !b->BoundsRect.Empty()) {
      at = {window.left + b->BoundsRect.Left, window.top + b->BoundsRect.Bottom};
      break;
    }
  // Opened by the keyboard: the menu loop takes this key first and selects the first item.
  PostMessageA(FWnd, WM_KEYDOWN, VK_DOWN, 0);
  PopupSystemMenu(at);
}

void TSkinForm::WmSysCommand(TMessage& m) {
  const wchar_t ch = static_cast<wchar_t>(m.LParam & 0xFFFF);
  if (FMDIKind == mkChild && (m.WParam & 0xFFF0) == SC_KEYMENU && WantsKeyMenu(m.LParam)) {
    PostMessageA(GetAncestor(FWnd, GA_ROOT), WM_SYSCOMMAND, SC_KEYMENU, m.LParam);
    m.Result = 0;
    return;
  }
  switch (FMDIKind == mkChild ? TKeyMenu::Pass : KeyMenuOf(m.WParam, m.LParam)) {
    case TKeyMenu::Pass:
      break;
    case TKeyMenu::Swallow:
      m.Result = 1;
      return;
    case TKeyMenu::BarMode:
      m.Result = 0;
      BarKeyboardMode(FMenuBar->Neighbour(-1, true)->Index);
      return;
    case TKeyMenu::SystemMenu:
      m.Result = 0;
      SystemMenuByKeyboard();
      return;
    case TKeyMenu::OpenButton:
      m.Result = 0;
      if (TMenuBtn* b = ButtonByAccel(ch)) {
        FNCOwner.NcLButtonDown(b);
        OpenMenuButton(*b, true);
      }
      return;
  }
  if (const auto state = WinStateForSysCommand(m.WParam)) {
    FWinState = *state;
    if (FMDIKind == mkChild && *state == wsMinimized) SetNativeCaption(true);
    if (FMDIKind == mkChild && *state == wsNormal) SetNativeCaption(false);
  }
  CallOldProc(m);
}
