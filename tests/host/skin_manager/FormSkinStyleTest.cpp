// The form handler's readings of window styles: frame kind, title-bar icon flags, window
// state, native caption stripping and restoring, and the class names it recognises.
#include <gtest/gtest.h>

#include "skin/forms/FormSkinStyle.h"

namespace {
using namespace winstyle;

TEST(FormSkinStyle, FrameKind) {
  struct Case {
    const char* name;
    uint32_t style, exStyle;
    bool standardDialog;
    int kind;
  };
  const Case cases[] = {
      {"overlapped, no thick frame", Caption | SysMenu, 0, false, fkSingle},
      {"sizeable", Caption | ThickFrame, 0, false, fkSizeable},
      {"popup without caption", Popup, 0, false, fkNone},
      {"popup with a border only", Popup | Border | ThickFrame, 0, false, fkNone},
      {"popup with full caption and thick frame", Popup | Caption | ThickFrame, 0, false, fkSizeable},
      {"modal frame style", Caption | DsModalFrame, 0, false, fkDialog},
      {"thick frame wins over modal frame style", Caption | ThickFrame | DsModalFrame, 0, false, fkSizeable},
      {"extended modal frame beats sizeable", Caption | ThickFrame, ExDlgModalFrame, false, fkDialog},
      {"extended modal frame beats none", Popup, ExDlgModalFrame, false, fkDialog},
      {"standard dialog whatever the style", Popup, 0, true, fkDialog},
      {"standard dialog, sizeable style", Caption | ThickFrame, 0, true, fkDialog},
  };
  for (const Case& c : cases) EXPECT_EQ(FrameKindOf(c.style, c.exStyle, c.standardDialog), c.kind) << c.name;
}

TEST(FormSkinStyle, IconFlagsAndWindowState) {
  EXPECT_EQ(IconFlagsOf(SysMenu | MinimizeBox | MaximizeBox, false), ifSysMenu | ifMinimize | ifMaximize);
  EXPECT_EQ(IconFlagsOf(MaximizeBox, false), ifMaximize);
  EXPECT_EQ(IconFlagsOf(0, true), ifSysMenu);
  EXPECT_EQ(IconFlagsOf(Caption | ThickFrame, false), 0);
  const std::pair<int, int> states[] = {{0, wsNormal}, {1, wsNormal}, {ShowMinimized, wsMinimized},
                                        {ShowMaximized, wsMaximized}, {4, wsNormal}, {5, wsNormal},
                                        {Minimize, wsMinimized}, {ShowMinNoActive, wsMinimized}, {9, wsNormal}};
  for (auto [cmd, state] : states) EXPECT_EQ(WinStateOfShowCommand(cmd), state) << cmd;
}

TEST(FormSkinStyle, StrippingAndRestoringTheCaption) {
  const uint32_t framed = Caption | SysMenu | MinimizeBox | MaximizeBox | ThickFrame;
  int flags = IconFlagsOf(framed, true);
  const uint32_t stripped = NativeCaptionStyle(framed, flags, false, false);
  EXPECT_EQ(stripped, SysMenu | MinimizeBox | MaximizeBox | ThickFrame);
  EXPECT_TRUE(flags & ifCaptionStripped);
  EXPECT_EQ(NativeCaptionStyle(stripped, flags, true, false), framed);

  // An owned window keeps its caption and loses only the boxes; restoring adds them back
  // but no caption that was never taken.
  int owned = IconFlagsOf(framed, true);
  const uint32_t boxless = NativeCaptionStyle(framed, owned, false, true);
  EXPECT_EQ(boxless, Caption | ThickFrame);
  EXPECT_FALSE(owned & ifCaptionStripped);
  EXPECT_EQ(NativeCaptionStyle(boxless & ~Caption, owned, true, true), SysMenu | MinimizeBox | MaximizeBox | ThickFrame);

  // A window that had no boxes gets none on restore.
  int bare = IconFlagsOf(Caption, false);
  EXPECT_EQ(NativeCaptionStyle(NativeCaptionStyle(Caption, bare, false, false), bare, true, false), Caption);
}

TEST(FormSkinStyle, ClassNames) {
  EXPECT_TRUE(IsStandardDialogClass("#32770"));
  EXPECT_TRUE(IsStandardDialogClass("TMessageForm"));
  EXPECT_FALSE(IsStandardDialogClass("tmessageform"));
  EXPECT_FALSE(IsStandardDialogClass("#32768"));
  EXPECT_TRUE(IsWideClass("TForm1.UnicodeClass"));
  EXPECT_FALSE(IsWideClass("TForm1"));
}

}  // namespace
