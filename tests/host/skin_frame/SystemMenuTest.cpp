#include <gtest/gtest.h>

#include "skin/forms/FrameConst.h"
#include "skin/forms/SystemMenu.h"

TEST(SystemPopupItems, ItemsFollowTheBoxes) {
  const std::vector<TSystemMenuItem> all = {{" Restore ", 0, ""},
                                            {" Maximize ", 1, ""},
                                            {" Minimize ", 2, ""},
                                            {"-", 100, ""},
                                            {" Close ", 3, "Shift+F4"}};
  EXPECT_EQ(SystemPopupItems(IconSysMenu | IconMinBox | IconMaxBox), all);
  const std::vector<TSystemMenuItem> bare = {{" Restore ", 0, ""}, {"-", 100, ""}, {" Close ", 3, "Shift+F4"}};
  EXPECT_EQ(SystemPopupItems(IconSysMenu), bare);
  EXPECT_EQ(SystemPopupItems(IconMinBox).size(), 4u);
  EXPECT_EQ(SystemPopupItems(IconMinBox)[1].Tag, 2);
}

TEST(SystemPopupItems, EnabledByWindowState) {
  struct Case {
    int tag;
    TWinState state;
    std::optional<bool> enabled;
  } cases[] = {
      {0, wsNormal, false},    {0, wsMaximized, true},  {0, wsMinimized, true},
      {1, wsNormal, true},     {1, wsMaximized, false}, {1, wsMinimized, true},
      {2, wsNormal, true},     {2, wsMaximized, true},  {2, wsMinimized, false},
      {3, wsNormal, std::nullopt}, {100, wsMaximized, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(SystemItemEnabled(c.tag, c.state), c.enabled) << c.tag << " " << c.state;
}

TEST(SystemMenuGate, SecondClickWithinTheDoubleClickTime) {
  TSystemMenuGate caption;
  EXPECT_EQ(caption.Click(10, 500, false), mcOpen);  // just after boot: still opens
  EXPECT_EQ(caption.Click(300, 500, false), mcIgnore);  // two right clicks: the menu opens once
  EXPECT_EQ(caption.Click(510, 500, false), mcIgnore);  // exactly the double-click time
  EXPECT_EQ(caption.Click(511, 500, false), mcOpen);

  TSystemMenuGate iconButton;  // the second click is on the system-menu button
  EXPECT_EQ(iconButton.Click(5000, 500, true), mcOpen);
  EXPECT_EQ(iconButton.Click(5200, 500, true), mcCloseWindow);  // double click on the icon closes

  // Across the wrap of the tick count.
  TSystemMenuGate wrap;
  EXPECT_EQ(wrap.Click(0xFFFFFF00u, 500, false), mcOpen);
  EXPECT_EQ(wrap.Click(0x00000010u, 500, false), mcIgnore);
  EXPECT_EQ(wrap.Click(0x00000200u, 500, false), mcOpen);
}

TEST(SysCommands, ForwardingAndWindowState) {
  for (uint32_t c : {WinCmd::Size, WinCmd::Move, WinCmd::Minimize, WinCmd::Maximize, WinCmd::NextWindow,
                     WinCmd::PrevWindow, WinCmd::Close, WinCmd::Restore})
    EXPECT_TRUE(IsForwardedSysCommand(c)) << std::hex << c;
  for (uint32_t c : {WinCmd::KeyMenu, 0xF080u /*SC_VSCROLL*/, 0xF130u /*SC_TASKLIST*/, 100u, 0u})
    EXPECT_FALSE(IsForwardedSysCommand(c)) << std::hex << c;

  EXPECT_EQ(WinStateForSysCommand(WinCmd::Minimize), wsMinimized);
  EXPECT_EQ(WinStateForSysCommand(WinCmd::Maximize | 2), wsMaximized);  // HTCAPTION in the low bits
  EXPECT_EQ(WinStateForSysCommand(WinCmd::Restore), wsNormal);
  EXPECT_EQ(WinStateForSysCommand(WinCmd::Close), std::nullopt);
  EXPECT_EQ(WinStateForSysCommand(WinCmd::Move | 2), std::nullopt);
}
