// The keyboard's ways into a skinned menu bar: what each keyboard-menu command does, and what
// each key does while the bar is in keyboard mode.
#include <gtest/gtest.h>

#include <vector>

#include "skin/data/WinConst.h"
#include "skin/forms/MenuKeys.h"

namespace {

TEST(MenuKeys, KeyboardMenuCommands) {
  std::vector<int> asked;
  auto accel = [&](int ch) {
    asked.push_back(ch);
    return ch == 'F';
  };
  const TKeyMenuState plain{false, false, true, true};
  TKeyMenuState noBar = plain;
  noBar.HasBarButton = false;
  TKeyMenuState nativeSystemMenu = plain;
  nativeSystemMenu.SkinnedSystemMenu = false;
  TKeyMenuState tracking = plain;
  tracking.Tracking = true;
  TKeyMenuState captured = plain;
  captured.Captured = true;
  struct Case {
    const char* name;
    uintptr_t cmd;
    intptr_t ch;
    TKeyMenuState state;
    TKeyMenu action;
  } cases[] = {
      {"F10 / a lone Alt", WinCmd::KeyMenu, 0, plain, TKeyMenu::BarMode},
      {"F10 without a bar", WinCmd::KeyMenu, 0, noBar, TKeyMenu::Swallow},
      {"Alt+F, low bits set", WinCmd::KeyMenu | 1, 'F', plain, TKeyMenu::OpenButton},
      {"Alt+Q, no such accelerator", WinCmd::KeyMenu, 'Q', plain, TKeyMenu::Swallow},
      {"Alt+Space", WinCmd::KeyMenu, ' ', plain, TKeyMenu::SystemMenu},
      {"Alt+Space, native system menu", WinCmd::KeyMenu, ' ', nativeSystemMenu, TKeyMenu::Pass},
      {"Alt+Space without a bar", WinCmd::KeyMenu, ' ', noBar, TKeyMenu::SystemMenu},
      {"Alt+-", WinCmd::KeyMenu, '-', plain, TKeyMenu::Pass},
      {"a drop-down is open", WinCmd::KeyMenu, 0, tracking, TKeyMenu::Pass},
      {"a window has the capture", WinCmd::KeyMenu, 'F', captured, TKeyMenu::Pass},
      {"another command", WinCmd::Close, 0, plain, TKeyMenu::Pass},
      {"the character in the low word only", WinCmd::KeyMenu, 0x10000 | 'F', plain, TKeyMenu::OpenButton},
  };
  for (const Case& c : cases) EXPECT_EQ(KeyMenuAction(c.cmd, c.ch, c.state, accel), c.action) << c.name;
  EXPECT_EQ(asked, (std::vector<int>{'F', 'Q', 'F'})) << "only letters are looked up";
}

TEST(MenuKeys, KeysInKeyboardMode) {
  struct Case {
    unsigned vk;
    bool released;
    TBarKey action;
  } cases[] = {
      {0x25, false, TBarKey::Previous}, {0x27, false, TBarKey::Next},  // Left, Right
      {0x28, false, TBarKey::Open},     {0x26, false, TBarKey::Open},  // Down, Up
      {0x0D, false, TBarKey::Open},                                    // Return
      {0x1B, false, TBarKey::Leave},                                   // Escape
      {0x12, false, TBarKey::None},     {0x12, true, TBarKey::Leave},  // Alt leaves on release
      {0x79, false, TBarKey::None},     {0x79, true, TBarKey::Leave},  // F10 too
      {0x25, true, TBarKey::None},      {0x1B, true, TBarKey::None},   // other releases
      {'A', false, TBarKey::None},      {0x09, false, TBarKey::None},  // a letter, Tab
  };
  for (const Case& c : cases)
    EXPECT_EQ(BarKeyAction(c.vk, c.released), c.action) << std::hex << c.vk << " " << c.released;
}

}  // namespace
