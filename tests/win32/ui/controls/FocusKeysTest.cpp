// Dialog keys: Tab and Shift+Tab through the TabStop controls, arrows inside a radio
// group, the default and cancel buttons, and glyph buttons' kinds and published names.
#include <gtest/gtest.h>

#include <memory>

#include "UiTestSupport.h"
#include "ui/Buttons.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

namespace {

void SetShift(bool down) {
  BYTE state[256];
  GetKeyboardState(state);
  state[VK_SHIFT] = state[VK_LSHIFT] = down ? 0x80 : 0;
  state[VK_CONTROL] = state[VK_LCONTROL] = 0;
  SetKeyboardState(state);
}

// Posts a key press to the focused window and lets the application loop handle it.
void Press(WPARAM key) {
  PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
  Application->ProcessMessages();
}

struct FocusFixture {
  FocusFixture() {
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(60, 60, 300, 200);
    for (int i = 0; i < 3; ++i) {
      buttons[i] = new TButton(form.get());
      buttons[i]->SetParent(form.get());
      buttons[i]->SetBounds(10 + i * 90, 10, 80, 25);
    }
    buttons[1]->TabStop = false;  // skipped by Tab
    form->Show();
    SetForegroundWindow(form->Handle());
    Application->ProcessMessages();
  }
  ~FocusFixture() { SetShift(false); }
  std::unique_ptr<TForm> form;
  TButton* buttons[3] = {};
};

TEST(FocusKeys, TabAndShiftTabWalkTheTabStopsRoundInOrder) {
  FocusFixture f;
  f.buttons[0]->SetFocus();
  SetShift(false);
  Press(VK_TAB);
  EXPECT_EQ(GetFocus(), f.buttons[2]->Handle()) << "the control without TabStop is skipped";
  Press(VK_TAB);
  EXPECT_EQ(GetFocus(), f.buttons[0]->Handle()) << "round to the first";
  SetShift(true);
  Press(VK_TAB);
  EXPECT_EQ(GetFocus(), f.buttons[2]->Handle());
  f.buttons[2]->SetEnabled(false);
  f.buttons[0]->SetFocus();
  SetShift(false);
  Press(VK_TAB);
  EXPECT_EQ(GetFocus(), f.buttons[0]->Handle()) << "disabled controls are no stops";
}

TEST(FocusKeys, TabFollowsTabOrderNotCreationOrder) {
  FocusFixture f;
  f.buttons[1]->TabStop = true;
  f.buttons[2]->SetTabOrder(0);  // 2, 0, 1
  EXPECT_EQ(f.buttons[0]->TabOrder(), 1) << "the others move along";
  EXPECT_EQ(GetIntProperty(f.buttons[1], "TabOrder"), 2) << "published by name";
  f.buttons[1]->SetTabOrder(99);  // past the end: last
  EXPECT_EQ(f.buttons[1]->TabOrder(), 2);
  f.buttons[2]->SetFocus();
  SetShift(false);
  Press(VK_TAB);
  EXPECT_EQ(GetFocus(), f.buttons[0]->Handle());
  Press(VK_TAB);
  EXPECT_EQ(GetFocus(), f.buttons[1]->Handle());
  Press(VK_TAB);
  EXPECT_EQ(GetFocus(), f.buttons[2]->Handle()) << "round to the first in tab order";
  f.buttons[0]->SetParent(nullptr);
  EXPECT_EQ(f.buttons[0]->TabOrder(), -1);
  EXPECT_EQ(f.buttons[1]->TabOrder(), 1) << "a control leaving its parent leaves the order";
}

TEST(FocusKeys, ArrowsMoveWithinARadioGroup) {
  FocusFixture f;
  HWND parent = f.form->Handle();
  auto radio = [&](int y, DWORD extra) {
    return CreateWindowExA(0, "BUTTON", "r", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON | extra,
                           10, y, 80, 16, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  };
  HWND a = radio(50, WS_GROUP), b = radio(70, 0), c = radio(90, 0);
  HWND after = radio(110, WS_GROUP);
  SetFocus(a);
  Press(VK_DOWN);
  EXPECT_EQ(GetFocus(), b);
  EXPECT_EQ(SendMessageA(b, BM_GETCHECK, 0, 0), BST_CHECKED);
  Press(VK_DOWN);
  EXPECT_EQ(GetFocus(), c);
  Press(VK_DOWN);
  EXPECT_EQ(GetFocus(), a) << "round within the group, never into the next one";
  Press(VK_UP);
  EXPECT_EQ(GetFocus(), c);
  for (HWND w : {a, b, c, after}) DestroyWindow(w);
}

TEST(FocusKeys, EnterClicksTheDefaultAndEscapeTheCancelButton) {
  FocusFixture f;
  int ok = 0, cancel = 0;
  f.buttons[0]->SetDefault(true);
  f.buttons[0]->OnClick = [&](TObject*) { ++ok; };
  f.buttons[2]->Cancel = true;
  f.buttons[2]->OnClick = [&](TObject*) { ++cancel; };
  f.buttons[1]->SetFocus();
  Press(VK_RETURN);
  EXPECT_EQ(ok, 1);
  EXPECT_EQ(cancel, 0);
  Press(VK_ESCAPE);
  EXPECT_EQ(ok, 1);
  EXPECT_EQ(cancel, 1);
}

TEST(FocusKeys, GlyphButtonKindsAndPublishedNames) {
  FocusFixture f;
  auto* b = new TBitBtn(f.form.get());
  b->SetParent(f.form.get());
  struct Case {
    const char* Kind;
    const char* Caption;
    bool Default, Cancel;
  } cases[] = {{"bkOK", "OK", true, false}, {"bkCancel", "Cancel", false, true}};
  for (const Case& c : cases) {
    auto* x = new TBitBtn(f.form.get());
    x->SetParent(f.form.get());
    ASSERT_TRUE(SetPropertyText(x, "Kind", c.Kind));
    EXPECT_EQ(x->Caption(), c.Caption);
    EXPECT_EQ(x->Default(), c.Default);
    EXPECT_EQ(x->Cancel, c.Cancel);
  }
  EXPECT_TRUE(SetPropertyText(b, "Layout", "blGlyphTop"));
  EXPECT_EQ(b->Layout, blGlyphTop);
  EXPECT_EQ(GetEnumProperty(b, "Layout"), "blGlyphTop");
  EXPECT_TRUE(SetPropertyText(b, "Margin", "3"));
  EXPECT_EQ(GetIntProperty(b, "Margin"), 3);
  EXPECT_EQ(GetObjectProperty<TBitmap>(b, "Glyph"), b->Glyph());
  b->SetDefault(true);
  EXPECT_EQ(GetWindowLongPtrA(b->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW) << "drawn, not a style";
}

TEST(FocusKeys, OneSpeedButtonOfAGroupIsDown) {
  FocusFixture f;
  TSpeedButton* s[3];
  for (int i = 0; i < 3; ++i) {
    s[i] = new TSpeedButton(f.form.get());
    s[i]->SetParent(f.form.get());
    s[i]->GroupIndex = 1;
  }
  s[0]->Click();
  EXPECT_TRUE(s[0]->Down());
  s[2]->Click();
  EXPECT_FALSE(s[0]->Down());
  EXPECT_TRUE(s[2]->Down());
  s[2]->Click();
  EXPECT_TRUE(s[2]->Down()) << "without AllowAllUp one stays down";
  s[2]->AllowAllUp = true;
  s[2]->Click();
  EXPECT_FALSE(s[2]->Down());
}

}  // namespace
