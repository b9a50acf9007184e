// The title-bar buttons and the system menu. Visibility, layout, the buttons' commands and
// the system-menu rules come from TitleButtons and SystemMenu; this file feeds them the
// window and carries out their answers.
#include "skin/forms/TitleButtons_win.h"

#include <utility>
#include <vector>

#include "skin/data/SkinData_win.h"
#include "skin/forms/FormSkin.h"
#include "skin/forms/SkinDrawBitmap_win.h"
#include "skin/forms/TitleButtons.h"
#include "ui/MenusShortCut.h"
#include "ui/Messages.h"

void TTitleButtons::Rebuild() {
  Free();
  if (!FForm.FSkinData) return;
  auto icon = FForm.FSkinData->Platform().NewImage();
  if (FForm.FFrame.IconBitmap().Width() > 0) {
    FForm.FFrame.IconBitmap().FreeCanvasDc();
    icon->Assign(ReadBitmapPixels(FForm.FFrame.IconBitmap().Handle()));
  }
  PrepareIconButtons(*FForm.FSkinData, *icon);
  FButtons = BuildSysButtons(FForm.FNCOwner, *FForm.FSkinData);
  for (auto& b : FButtons)
    b->OnPaint = [this](TSkinSysButton& button, int state) { PaintButton(button, state); };
}

void TTitleButtons::Free() {
  FForm.FNCOwner.ForgetHot();
  FButtons.clear();
}

void TTitleButtons::Layout() {
  TButtonWindowState w;
  w.Maximized = FForm.FWinState == wsMaximized;
  w.Active = FForm.FActive;
  w.IconFlags = FForm.FIconFlags;
  w.Kind = static_cast<TFrameKind>(FForm.FFrameKind);
  w.StandardDialog = FForm.FStandardDialog;
  w.ChildMaximized = FForm.IsChildMaximized();
  w.MenuBarHeight = FForm.Borders().MenuBar;
  TButtonLayoutInput in;
  in.WindowWidth = FForm.FFrame.WindowWidth();
  in.CaptionBox = FForm.FFrame.CaptionRect();
  in.Borders = FForm.Borders();
  in.RightToLeft = FForm.FRightToLeft;
  in.TileLeftMenu =
      FForm.FSkinData && HasImage(FForm.FSkinData->MenuBar.get()) ? FForm.FSkinData->MenuBar->LeftWidth : 0;
  const TAskButtonVisible ask = [this](int index) -> intptr_t {
    return SendMessageA(FForm.FWnd, CM_SKINBUTTONVISIBLE, static_cast<WPARAM>(index), 0);
  };
  FRightButtonsLeft = ::LayoutSysButtons(FButtons, w, ask, in);
}

void TTitleButtons::Paint(HDC dc) {
  for (auto& b : FButtons) {
    TDataSkinSysButton& d = b->Description();
    if (!b->Visible || !d.HasImage() || !PaintedInTitleBar(*b)) continue;
    DrawButton(dc, *b, ButtonPaintFrame(FForm.FActive, d.FrameCount));
  }
}

void TTitleButtons::PaintButton(TSkinSysButton& button, int state) {
  TDataSkinSysButton& d = button.Description();
  if (!d.HasImage()) return;
  WindowDc dc(FForm.FWnd);
  if (!dc.get()) return;
  DrawButton(dc.get(), button, ButtonStateFrame(state, d.Visibility));
}

void TTitleButtons::DrawButton(HDC dc, TSkinSysButton& button, int frame) {
  TDataSkinSysButton& d = button.Description();
  if (IsIconAction(d.Action))
    FForm.FFrame.PaintIcon(dc, button.BoundsRect.Left, button.BoundsRect.Top);
  else
    DrawFrameImage(dc, ToRect(button.BoundsRect), SkinBitmap(*d.Image), true, d.FrameCount, frame);
}

// ---- actions ----

TSkinSysButton* TTitleButtons::ButtonAt(POINT p) const { return ::SysButtonAt(FButtons, p.x, p.y); }

void TTitleButtons::DoAction(int x, int y) {
  auto* hot = dynamic_cast<TSkinSysButton*>(FForm.FNCOwner.Hot());
  if (!hot) return;
  const int action = hot->Description().Action;
  switch (ButtonCommand(action)) {
    case bcClose:
      SystemCommand(SC_CLOSE);
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
      PostMessageA(FForm.FWnd, CM_SKINBUTTON, static_cast<WPARAM>(action), 0);
      break;
  }
}

void TTitleButtons::ToggleMaximize() {
  if (FForm.FWinState == wsMaximized) {
    RestoreWindow();
    return;
  }
  if (FForm.FMDIKind == mkChild) FForm.FManager.SetMDIChildMaximized(true);
  FForm.FWinState = wsMaximized;
  PostMessageA(FForm.FWnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  FForm.FNCOwner.ForgetHot();
}

void TTitleButtons::ToggleMinimize() {
  if (FForm.FWinState == wsMinimized) {
    RestoreWindow();
    return;
  }
  FForm.FWinState = wsMinimized;
  PostMessageA(FForm.FWnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TTitleButtons::RestoreWindow() {
  FForm.FWinState = wsNormal;
  PostMessageA(FForm.FWnd, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void TTitleButtons::SendToActiveChild(UINT command) {
  if (FForm.FMDIKind != mkFrame || !FForm.FMDIClient) return;
  HWND child = reinterpret_cast<HWND>(SendMessageA(FForm.FMDIClient, WM_MDIGETACTIVE, 0, 0));
  if (!child) return;
  SendMessageA(child, WM_SYSCOMMAND, command, 0);
  if (FForm.FManager.MDIChildMaximized() && !IsZoomed(child)) FForm.FManager.SetMDIChildMaximized(false);
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

void TTitleButtons::BuildSystemMenu() {
  FreeSystemMenu();
  if (!FForm.FSkinData) return;
  FSystemPopup = std::make_unique<TPopupMenu>(nullptr);
  FSystemPopup->Tag = SystemPopupTag;
  FSystemPopup->SetImages(&MenuGlyphImages(*FForm.FSkinData));
  // The window's own menu, asked for again: a program may have replaced or reset it.
  FSystemMenu = GetSystemMenu(FForm.FWnd, FALSE);
  if (FSystemMenu) {
    // The boxes as the window had them: a skinned frame may have taken the native ones away.
    const TWinState state = IsIconic(FForm.FWnd)   ? wsMinimized
                            : IsZoomed(FForm.FWnd) ? wsMaximized
                                                   : wsNormal;
    const TSysMenuWindow window{state, FForm.FSizeable, (FForm.FIconFlags & IconMinBox) != 0,
                                (FForm.FIconFlags & IconMaxBox) != 0};
    AddSystemMenuItems(*FSystemPopup->Items(), FSystemMenu, window, 0);
  }
  FForm.OwnerDrawPopup(*FSystemPopup);
}

void TTitleButtons::AddSystemMenuItems(TMenuItem& parent, HMENU menu, const TSysMenuWindow& window,
                                       int depth) {
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
      item->OnClick = [this, command](TObject*) { SystemCommand(command); };
    }
    parent.Add(item);
    if (submenu && depth < MaxDepth) AddSystemMenuItems(*item, submenu, window, depth + 1);
  }
}

void TTitleButtons::PopupSystemMenu(POINT screen) {
  const auto* hot = dynamic_cast<TSkinSysButton*>(FForm.FNCOwner.Hot());
  const bool onSystemMenuButton = hot && ButtonCommand(hot->Description().Action) == bcSystemMenu;
  switch (FMenuGate.Click(GetTickCount(), FDoubleClickTime, onSystemMenuButton)) {
    case mcOpen: {
      FForm.FManager.SetPopupKind(pmkSystem);
      ++FSystemMenuOpenings;
      const bool native =
          !(FForm.FSkinData->SkinControls & SkinBit(xcSystemMenu)) || FForm.FMDIKind == mkChild;
      if (native) {
        if (FSystemMenu)
          TrackPopupMenu(FSystemMenu, TPM_RIGHTBUTTON, screen.x, screen.y, 0, FForm.FWnd, nullptr);
        break;
      }
      // As the system opens a window menu: the program may set its items' states first.
      if (HMENU own = GetSystemMenu(FForm.FWnd, FALSE)) {
        SendMessageA(FForm.FWnd, WM_INITMENU, reinterpret_cast<WPARAM>(own), 0);
        SendMessageA(FForm.FWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(own), MAKELPARAM(0, TRUE));
      }
      BuildSystemMenu();  // the items and their states as the window's menu has them now
      if (FSystemPopup && FSystemPopup->Items()->Count() > 0) FSystemPopup->Popup(screen.x, screen.y);
      break;
    }
    case mcCloseWindow:
      if (FForm.FHoverTimer) FForm.FHoverTimer->SetEnabled(false);
      PostMessageA(FForm.FWnd, WM_CLOSE, 0, 0);
      break;
    case mcIgnore:
      break;
  }
}

void TTitleButtons::SystemCommand(UINT command) {
  if (command == SC_CLOSE && FForm.FHoverTimer) FForm.FHoverTimer->SetEnabled(false);
  PostMessageA(FForm.FWnd, WM_SYSCOMMAND, command, 0);
}

void TTitleButtons::SystemMenuByKeyboard() {
  RECT window{};
  GetWindowRect(FForm.FWnd, &window);
  // Under the icon; at the title bar's left edge on a frame without one.
  POINT at{window.left, window.top + FForm.Borders().Top};
  for (const auto& b : FButtons)
    if (b->Visible && IsIconAction(b->Description().Action) && PaintedInTitleBar(*b) &&
        !b->BoundsRect.Empty()) {
      at = {window.left + b->BoundsRect.Left, window.top + b->BoundsRect.Bottom};
      break;
    }
  // Opened by the keyboard: the menu loop takes this key first and selects the first item.
  PostMessageA(FForm.FWnd, WM_KEYDOWN, VK_DOWN, 0);
  PopupSystemMenu(at);
}

void TTitleButtons::PaintChildButtons(HDC bar) {
  if (FForm.FMDIKind != mkFrame || !FForm.IsChildMaximized()) return;
  for (auto& b : FButtons) {
    TDataSkinSysButton& d = b->Description();
    if (!b->Visible || d.Visibility != 100 || !d.HasImage()) continue;
    RECT r = ToRect(b->BoundsRect);
    OffsetRect(&r, -FForm.Borders().Left, -FForm.Borders().Top);
    DrawFrameImage(bar, r, SkinBitmap(*d.Image), true, d.FrameCount, 1);
  }
  if (!FForm.FManager.MDIChildMaximized()) FForm.FManager.SetMDIChildMaximized(true);
}
