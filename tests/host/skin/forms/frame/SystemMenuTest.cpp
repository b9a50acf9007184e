#include <gtest/gtest.h>

#include "skin/data/WinConst.h"
#include "skin/forms/SystemMenu.h"

namespace {
TSysMenuEntry Entry(uint32_t command, const char* text, bool grayed = false) {
  TSysMenuEntry e;
  e.Command = command;
  e.Text = text;
  e.Grayed = grayed;
  return e;
}
}  // namespace

// The window commands follow the window as the system's own menu does at each opening,
// whatever state the menu was left in.
TEST(SystemMenuItemFor, WindowCommandsFollowStateAndFrame) {
  const TSysMenuWindow sizeable{wsNormal, true, true, true};
  struct Case {
    const char* name;
    uint32_t command;
    bool grayedInMenu;
    TSysMenuWindow window;
    bool enabled;
  } cases[] = {
      {"restore, normal", WinCmd::Restore, false, sizeable, false},
      {"restore, maximized", WinCmd::Restore, true, {wsMaximized, true, true, true}, true},
      {"restore, minimized", WinCmd::Restore, true, {wsMinimized, true, true, true}, true},
      {"move, normal", WinCmd::Move, true, sizeable, true},
      {"move, maximized", WinCmd::Move, false, {wsMaximized, true, true, true}, false},
      {"move, minimized", WinCmd::Move, false, {wsMinimized, true, true, true}, false},
      {"size, normal", WinCmd::Size, true, sizeable, true},
      {"size, fixed frame", WinCmd::Size, false, {wsNormal, false, true, true}, false},
      {"size, maximized", WinCmd::Size, false, {wsMaximized, true, true, true}, false},
      {"size, minimized", WinCmd::Size, false, {wsMinimized, true, true, true}, false},
      {"minimize, normal", WinCmd::Minimize, true, sizeable, true},
      {"minimize, minimized", WinCmd::Minimize, false, {wsMinimized, true, true, true}, false},
      {"minimize, no box", WinCmd::Minimize, false, {wsNormal, true, false, true}, false},
      {"maximize, normal", WinCmd::Maximize, true, sizeable, true},
      {"maximize, maximized", WinCmd::Maximize, false, {wsMaximized, true, true, true}, false},
      {"maximize, no box", WinCmd::Maximize, false, {wsNormal, true, true, false}, false},
      {"close keeps the program's state", WinCmd::Close, true, sizeable, false},
      {"close, enabled", WinCmd::Close, false, {wsMaximized, false, false, false}, true},
      {"a program's item, grayed", 0x0100, true, sizeable, false},
      {"a program's item", 0x0100, false, {wsMinimized, false, false, false}, true},
      {"another system command keeps its state", WinCmd::NextWindow, true, sizeable, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SystemMenuItemFor(Entry(c.command, "x", c.grayedInMenu), c.window).Enabled, c.enabled)
        << c.name;
}

TEST(SystemMenuItemFor, CaptionShortcutAndPicture) {
  const TSysMenuWindow w{wsNormal, true, true, true};
  struct Case {
    TSysMenuEntry entry;
    TSystemMenuItem item;
  } cases[] = {
      {Entry(WinCmd::Restore, "&Restore"), {"&Restore", "", WinCmd::Restore, 0, false}},
      {Entry(WinCmd::Move, "&Move"), {"&Move", "", WinCmd::Move, -1, true}},
      {Entry(WinCmd::Size, "&Size"), {"&Size", "", WinCmd::Size, -1, true}},
      {Entry(WinCmd::Minimize, "Mi&nimize"), {"Mi&nimize", "", WinCmd::Minimize, 2, true}},
      {Entry(WinCmd::Maximize, "Ma&ximize"), {"Ma&ximize", "", WinCmd::Maximize, 1, true}},
      {Entry(WinCmd::Close, "&Close\tAlt+F4"), {"&Close", "Alt+F4", WinCmd::Close, 3, true}},
      // A Close without its key text still shows the key that closes.
      {Entry(WinCmd::Close, "&Close"), {"&Close", "Alt+F4", WinCmd::Close, 3, true}},
      {Entry(0x0110, "&About Wine"), {"&About Wine", "", 0x0110, -1, true}},
      {Entry(0x0120, "Stay on &top\tCtrl+T"), {"Stay on &top", "Ctrl+T", 0x0120, -1, true}},
      {Entry(0x0130, ""), {"", "", 0x0130, -1, true}},
  };
  for (const Case& c : cases) EXPECT_EQ(SystemMenuItemFor(c.entry, w), c.item) << c.entry.Text;

  TSysMenuEntry separator;
  separator.Separator = true;
  EXPECT_EQ(SystemMenuItemFor(separator, w).Caption, "-");
  EXPECT_EQ(SystemMenuItemFor(separator, w).ImageIndex, -1);

  TSysMenuEntry marked = Entry(0x0140, "Checked");
  marked.Checked = true;
  marked.Default = true;
  const TSystemMenuItem m = SystemMenuItemFor(marked, w);
  EXPECT_TRUE(m.Checked);
  EXPECT_TRUE(m.Default);
}

TEST(SystemMenuGate, SecondClickWithinTheDoubleClickTime) {
  TSystemMenuGate caption;
  EXPECT_EQ(caption.Click(10, 500, false), mcOpen);     // just after boot: still opens
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
