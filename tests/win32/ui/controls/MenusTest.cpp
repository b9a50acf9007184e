#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "support/MenuItems_win.h"
#include "ui/Forms.h"
#include "ui/Menus.h"

namespace {
TMenuItem* AddItem(TMenu& menu, TComponent* owner, const std::string& caption,
                   std::vector<std::string>* clicks) {
  auto* item = new TMenuItem(owner);
  item->SetCaption(caption);
  if (clicks) item->OnClick = [clicks, caption](TObject*) { clicks->push_back(caption); };
  menu.Items()->Add(item);
  return item;
}

std::vector<std::string> NativeTexts(HMENU menu) {
  std::vector<std::string> texts;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_STRING;
    char buf[128] = {};
    mii.dwTypeData = buf;
    mii.cch = sizeof buf;
    GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &mii);
    texts.push_back((mii.fType & MFT_SEPARATOR) ? "-" : buf);
  }
  return texts;
}
int gKeyStep = 0;
void CALLBACK PressMenuKeys(HWND, UINT, UINT_PTR, DWORD) {
  HWND popup = FindWindowA("#32768", nullptr);
  if (!popup) return;
  const WPARAM keys[] = {VK_DOWN, VK_DOWN, VK_RETURN};
  if (gKeyStep < 3) PostMessageA(popup, WM_KEYDOWN, keys[gKeyStep++], 0);
}
}  // namespace

TEST(Menus, PopupMenuLeavesOutInvisibleItemsAndRunsTheChosenClick) {
  TComponent owner(nullptr);
  TPopupMenu menu(&owner);
  std::vector<std::string> clicks;
  AddItem(menu, &owner, "Magic", &clicks);
  TMenuItem* help = AddItem(menu, &owner, "Help", &clicks);
  help->SetVisible(false);
  AddItem(menu, &owner, "-", nullptr);
  TMenuItem* save = AddItem(menu, &owner, "Save", &clicks);
  save->SetShortCut(ShortCut('S', scCtrl));
  TMenuItem* clear = AddItem(menu, &owner, "Clear", &clicks);
  clear->SetVisible(false);
  AddItem(menu, &owner, "Exit", &clicks);

  HMENU h = menu.Handle();
  EXPECT_EQ(NativeTexts(h), (std::vector<std::string>{"Magic", "-", "Save\tCtrl+S", "Exit"}));
  // The command of the third native entry is "Save"'s; dispatching it runs that click.
  EXPECT_TRUE(DispatchMenuCommand(GetMenuItemID(h, 2)));
  EXPECT_EQ(clicks, std::vector<std::string>{"Save"});
  // An invisible item still clicks from code.
  clear->Click();
  EXPECT_EQ(clicks.back(), "Clear");
  // A change rebuilds the native menu.
  help->SetVisible(true);
  EXPECT_EQ(NativeTexts(h), (std::vector<std::string>{"Magic", "Help", "-", "Save\tCtrl+S", "Exit"}));
  // Freed items leave the menu and their commands are forgotten.
  const UINT exitCommand = GetMenuItemID(h, 4);
  delete menu.Items()->Items(menu.Items()->Count() - 1);
  EXPECT_EQ(GetMenuItemCount(h), 4);
  EXPECT_FALSE(DispatchMenuCommand(exitCommand));
}

TEST(Menus, PopupShownAtAPointRunsTheItemChosenWithTheKeyboard) {
  TComponent owner(nullptr);
  TPopupMenu menu(&owner);
  std::vector<std::string> clicks;
  AddItem(menu, &owner, "First", &clicks)->SetVisible(false);
  AddItem(menu, &owner, "Second", &clicks);
  AddItem(menu, &owner, "Third", &clicks);
  // While the menu loop runs, a timer presses Down twice and Enter.
  gKeyStep = 0;
  UINT_PTR timer = SetTimer(nullptr, 0, 100, PressMenuKeys);
  SetForegroundWindow(PopupListWindow());
  menu.Popup(100, 100);
  KillTimer(nullptr, timer);
  // The choice runs from the queue once the popup call has returned, so a handler can free
  // whatever opened the menu.
  EXPECT_TRUE(clicks.empty());
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  EXPECT_EQ(clicks, std::vector<std::string>{"Third"});
}

TEST(Menus, AnErrorInAChosenItemGoesToTheApplicationsHandler) {
  TComponent owner(nullptr);
  TPopupMenu menu(&owner);
  TMenuItem* item = AddItem(menu, &owner, "Save", nullptr);
  item->OnClick = [](TObject*) { throw Exception("Unable to write to C:\\x.ini"); };
  std::vector<std::string> reported;
  Application->OnException = [&](TObject*, const std::string& message) { reported.push_back(message); };
  // What the popup leaves in the queue for a chosen item.
  PostMessageA(PopupListWindow(), WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  Application->OnException = nullptr;
  EXPECT_EQ(reported, std::vector<std::string>{"Unable to write to C:\\x.ini"});
}

TEST(Menus, OwnerDrawnItemsRaiseMeasureAndDrawEvents) {
  TComponent owner(nullptr);
  TPopupMenu menu(&owner);
  menu.SetOwnerDraw(true);
  TMenuItem* item = AddItem(menu, &owner, "Option", nullptr);
  AddItem(menu, &owner, "-", nullptr);
  int measured = 0;
  std::vector<TOwnerDrawState> drawn;
  RECT drawnRect{};
  item->OnMeasureItem = [&](TObject* sender, TCanvas* canvas, int& w, int& h) {
    EXPECT_EQ(sender, item);
    EXPECT_TRUE(canvas && canvas->HandleAllocated());
    ++measured;
    w = 123;
    h = 21;
  };
  item->OnAdvancedDrawItem = [&](TObject*, TCanvas* canvas, RECT r, TOwnerDrawState state) {
    EXPECT_TRUE(canvas && canvas->HandleAllocated());
    drawn.push_back(state);
    drawnRect = r;
  };
  HMENU h = menu.Handle();
  MENUITEMINFOA mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_FTYPE;
  GetMenuItemInfoA(h, 0, TRUE, &mii);
  EXPECT_TRUE(mii.fType & MFT_OWNERDRAW);
  GetMenuItemInfoA(h, 1, TRUE, &mii);
  EXPECT_TRUE(mii.fType & MFT_OWNERDRAW);  // separators are drawn by the owner as well

  // The owner window of popups turns the system's messages into the item's events.
  MEASUREITEMSTRUCT mis{ODT_MENU, 0, item->Command(), 0, 0, reinterpret_cast<ULONG_PTR>(item)};
  SendMessageA(PopupListWindow(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
  EXPECT_EQ(measured, 1);
  EXPECT_EQ(mis.itemWidth, 123u);
  EXPECT_EQ(mis.itemHeight, 21u);

  HDC screen = GetDC(nullptr);
  MemoryDc mem(screen);
  ReleaseDC(nullptr, screen);
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_MENU;
  dis.itemID = item->Command();
  dis.itemAction = ODA_DRAWENTIRE;
  dis.itemState = ODS_SELECTED | ODS_CHECKED;
  dis.hDC = mem.get();
  dis.rcItem = {0, 0, 123, 21};
  dis.itemData = reinterpret_cast<ULONG_PTR>(item);
  SendMessageA(PopupListWindow(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_TRUE(drawn[0].Contains(odSelected));
  EXPECT_TRUE(drawn[0].Contains(odChecked));
  EXPECT_FALSE(drawn[0].Contains(odGrayed));
  EXPECT_EQ(drawnRect.right, 123);

  // Item data that is not a live item of ours is ignored, not followed.
  dis.itemData = reinterpret_cast<ULONG_PTR>(&measured);
  SendMessageA(PopupListWindow(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
  EXPECT_EQ(drawn.size(), 1u);
}

TEST(Menus, MainMenuChangesReachTheFormAsMenuChanged) {
  TForm form(nullptr);
  TMainMenu* menu = GiveMenuBar(form, "File");
  TMenuItem* file = menu->Items()->Items(0);
  HWND wnd = form.Handle();
  EXPECT_EQ(GetMenu(wnd), menu->Handle());
  int changes = 0;
  const TWndMethod saved = form.WindowProc;
  form.WindowProc = [&, saved](TMessage& m) {
    if (m.Msg == CM_MENUCHANGED) ++changes;
    saved(m);
  };
  file->SetCaption("Files");
  file->SetEnabled(false);
  EXPECT_EQ(changes, 2);
  form.WindowProc = saved;
  // A menu bar item's command sent by the system clicks the item.
  int clicks = 0;
  file->OnClick = [&](TObject*) { ++clicks; };
  SendMessageA(wnd, WM_COMMAND, MAKEWPARAM(file->Command(), 0), 0);
  EXPECT_EQ(clicks, 1);
}
