// Form-level menu shortcuts, modal forms and menu item pictures.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "support/Canvas_win.h"
#include "ui/Forms.h"
#include "ui/ImgList.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"

namespace {

// The modifier keys this thread believes are down (what GetKeyState answers).
void HoldKeys(const std::vector<int>& keys) {
  BYTE state[256];
  GetKeyboardState(state);
  for (int k : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_LSHIFT, VK_LCONTROL, VK_LMENU}) state[k] = 0;
  for (int k : keys) state[k] = 0x80;
  SetKeyboardState(state);
}

struct KeyFixture {
  KeyFixture() {
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(60, 60, 300, 200);
    menu = new TMainMenu(form.get());
    file = Add(menu->Items(), "&File");
    Add(file, "Skinning", ShortCut(VK_F2, 0));
    Add(file, "Open skin...", ShortCut('O', scCtrl));
    TMenuItem* more = Add(file, "More");
    Add(more, "Deep", ShortCut(VK_F3, 0));
    Add(file, "Disabled", ShortCut(VK_F4, 0))->SetEnabled(false);
    Add(file, "Hidden", ShortCut(VK_F5, 0))->SetVisible(false);
    TMenuItem* off = Add(file, "Off");
    off->SetEnabled(false);
    Add(off, "Under a disabled item", ShortCut(VK_F6, 0));
    Add(file, "Exit", ShortCut('X', scAlt));
    form->SetMenu(menu);
    button = new TButton(form.get());
    button->SetParent(form.get());
    button->SetBounds(10, 10, 80, 25);
    // What reaches the control after the form had its say.
    TWndMethod saved = button->WindowProc;
    button->WindowProc = [this, saved](TMessage& m) {
      if (m.Msg == WM_KEYDOWN || m.Msg == WM_SYSKEYDOWN) keysAtButton.push_back(static_cast<int>(m.WParam));
      saved(m);
    };
    form->HandleNeeded();  // keys reach a hidden form the same way, without the cost of showing it
  }
  ~KeyFixture() { HoldKeys({}); }
  TMenuItem* Add(TMenuItem* parent, const std::string& caption, TShortCut key = scNone) {
    auto* item = new TMenuItem(form.get());
    item->SetCaption(caption);
    item->SetShortCut(key);
    item->OnClick = [this, caption](TObject*) { clicks.push_back(caption); };
    parent->Add(item);
    return item;
  }
  // A key as the message loop gets it, at the button that has the focus.
  void Press(UINT message, int key, const std::vector<int>& held = {}) {
    HoldKeys(held);
    PostMessageA(button->Handle(), message, static_cast<WPARAM>(key), 1);
    Application->ProcessMessages();
    HoldKeys({});
  }
  std::unique_ptr<TForm> form;
  TMainMenu* menu;
  TMenuItem* file;
  TButton* button;
  std::vector<std::string> clicks;
  std::vector<int> keysAtButton;
};

}  // namespace

TEST(FormShortCuts, AKeyMatchingAMenuItemRunsItsClickInsteadOfReachingTheControl) {
  struct Case {
    UINT message;
    int key;
    std::vector<int> held;
    const char* click;  // null: no item, the key goes on to the control
  };
  const Case cases[] = {
      {WM_KEYDOWN, VK_F2, {}, "Skinning"},
      {WM_KEYDOWN, 'O', {VK_CONTROL}, "Open skin..."},
      {WM_KEYDOWN, 'O', {}, nullptr},                      // the modifier is part of the key
      {WM_KEYDOWN, 'O', {VK_CONTROL, VK_SHIFT}, nullptr},  // and so is a modifier too many
      {WM_KEYDOWN, VK_F2, {VK_SHIFT}, nullptr},
      {WM_KEYDOWN, VK_F3, {}, "Deep"},          // items in submenus count
      {WM_KEYDOWN, VK_F4, {}, nullptr},         // a disabled item cannot be chosen
      {WM_KEYDOWN, VK_F5, {}, nullptr},         // nor an invisible one
      {WM_KEYDOWN, VK_F6, {}, nullptr},         // nor one under a disabled item
      {WM_SYSKEYDOWN, 'X', {VK_MENU}, "Exit"},  // Alt comes as a system key
  };
  for (const Case& c : cases) {
    KeyFixture f;
    f.Press(c.message, c.key, c.held);
    SCOPED_TRACE(std::string("key ") + std::to_string(c.key));
    if (c.click) {
      EXPECT_EQ(f.clicks, std::vector<std::string>{c.click});
      EXPECT_TRUE(f.keysAtButton.empty());
    } else {
      EXPECT_TRUE(f.clicks.empty());
      EXPECT_EQ(f.keysAtButton, std::vector<int>{c.key});
    }
  }
}

TEST(FormShortCuts, ChangesToTheMenuCountAtOnceAndAFormWithoutAMenuPassesKeysOn) {
  KeyFixture f;
  f.Press(WM_KEYDOWN, VK_F2);
  f.file->Items(0)->SetShortCut(ShortCut(VK_F9, 0));
  f.Press(WM_KEYDOWN, VK_F2);
  f.Press(WM_KEYDOWN, VK_F9);
  EXPECT_EQ(f.clicks, (std::vector<std::string>{"Skinning", "Skinning"}));
  EXPECT_EQ(f.keysAtButton, std::vector<int>{VK_F2});
  f.form->SetMenu(nullptr);
  f.Press(WM_KEYDOWN, VK_F9);
  EXPECT_EQ(f.clicks.size(), 2u);
  EXPECT_EQ(f.keysAtButton, (std::vector<int>{VK_F2, VK_F9}));
}

namespace {
TForm* gModal = nullptr;
HWND gOwner = nullptr;
bool gOwnerEnabledDuring = true;
TModalResult gAnswer = mrNone;
void CALLBACK AnswerModal(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  gOwnerEnabledDuring = IsWindowEnabled(gOwner) != FALSE;
  if (gAnswer == mrNone)
    gModal->Close();
  else
    gModal->ModalResult = gAnswer;
}
}  // namespace

TEST(FormModal, RunsUntilAResultDisablesTheOtherWindowsMeanwhileAndHidesAfter) {
  TForm owner(nullptr);
  owner.SetBounds(50, 50, 300, 200);
  owner.Show();
  for (TModalResult answer : {mrOk, mrNone}) {
    TForm dialog(nullptr);
    dialog.SetBounds(80, 80, 200, 120);
    gModal = &dialog;
    gOwner = owner.Handle();
    gOwnerEnabledDuring = true;
    gAnswer = answer;
    SetTimer(nullptr, 0, 50, AnswerModal);
    const TModalResult result = dialog.ShowModal();
    // Closing a modal form answers Cancel; the form is hidden, not freed, and the
    // application goes on.
    EXPECT_EQ(result, answer == mrNone ? mrCancel : answer);
    EXPECT_FALSE(gOwnerEnabledDuring);
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
    EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
    EXPECT_FALSE(dialog.Modal());
    EXPECT_FALSE(Application->Terminated());
  }
  TForm shown(nullptr);
  shown.Show();
  EXPECT_THROW(shown.ShowModal(), Exception);  // a visible form cannot become modal
}

namespace {
HBITMAP ItemBitmap(HMENU menu, int position) {
  MENUITEMINFOA mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_BITMAP;
  GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &mii);
  return mii.hbmpItem;
}
COLORREF CentrePixel(HBITMAP bitmap) {
  BITMAP info{};
  GetObjectA(bitmap, sizeof info, &info);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  const COLORREF c = GetPixel(dc, info.bmWidth / 2, info.bmHeight / 2);
  SelectObject(dc, old);
  DeleteDC(dc);
  return c;
}
}  // namespace

TEST(MenuPictures, AnItemShowsTheImageOfItsIndexFromTheMenusImages) {
  TComponent owner(nullptr);
  TImageList images(&owner, 16, 16);
  TBitmap strip(32, 16);
  FillSolid(*strip.Canvas(), RECT{0, 0, 16, 16}, 0x0000FF);
  FillSolid(*strip.Canvas(), RECT{16, 0, 32, 16}, 0xFF0000);
  strip.FreeCanvasDc();
  ASSERT_EQ(images.AddMasked(strip, clFuchsia), 0);
  TPopupMenu menu(&owner);
  const int indexes[] = {0, 1, -1, 2};
  for (int index : indexes) {
    auto* item = new TMenuItem(&owner);
    item->SetCaption("Item " + std::to_string(index));
    item->SetImageIndex(index);
    menu.Items()->Add(item);
  }
  // Without an image list no item has a picture.
  for (int i = 0; i < 4; ++i) EXPECT_EQ(ItemBitmap(menu.Handle(), i), nullptr) << i;
  menu.SetImages(&images);
  HMENU h = menu.Handle();
  ASSERT_NE(ItemBitmap(h, 0), nullptr);
  ASSERT_NE(ItemBitmap(h, 1), nullptr);
  EXPECT_EQ(CentrePixel(ItemBitmap(h, 0)), RGB(255, 0, 0));
  EXPECT_EQ(CentrePixel(ItemBitmap(h, 1)), RGB(0, 0, 255));
  EXPECT_EQ(ItemBitmap(h, 2), nullptr);  // no index
  EXPECT_EQ(ItemBitmap(h, 3), nullptr);  // an index past the list
  menu.Items()->Items(0)->SetImageIndex(1);
  EXPECT_EQ(CentrePixel(ItemBitmap(h, 0)), RGB(0, 0, 255));
  menu.Items()->Items(1)->SetImageIndex(-1);
  EXPECT_EQ(ItemBitmap(h, 1), nullptr);
}
