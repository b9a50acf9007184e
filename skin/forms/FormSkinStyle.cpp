#include "skin/forms/FormSkinStyle.h"

bool IsStandardDialogClass(std::string_view className) {
  return className == "#32770" || className == "TMessageForm";
}

bool IsWideClass(std::string_view className) { return className.find(".UnicodeClass") != std::string_view::npos; }

int FrameKindOf(uint32_t style, uint32_t exStyle, bool standardDialog) {
  using namespace winstyle;
  int kind = fkSingle;
  if ((style & Popup) && (style & Caption) != Caption)
    kind = fkNone;
  else if (style & ThickFrame)
    kind = fkSizeable;
  else if (style & DsModalFrame)
    kind = fkDialog;
  if (exStyle & ExDlgModalFrame) kind = fkDialog;
  if (standardDialog) kind = fkDialog;
  return kind;
}

int IconFlagsOf(uint32_t style, bool hasSystemMenu) {
  using namespace winstyle;
  int flags = 0;
  if ((style & SysMenu) || hasSystemMenu) flags |= ifSysMenu;
  if (style & MinimizeBox) flags |= ifMinimize;
  if (style & MaximizeBox) flags |= ifMaximize;
  return flags;
}

int WinStateOfShowCommand(int showCmd) {
  using namespace winstyle;
  if (showCmd == ShowMinimized || showCmd == Minimize || showCmd == ShowMinNoActive) return wsMinimized;
  if (showCmd == ShowMaximized) return wsMaximized;
  return wsNormal;
}

uint32_t NativeCaptionStyle(uint32_t style, int& iconFlags, bool restore, bool ownedOrMdiChild) {
  using namespace winstyle;
  if (restore) {
    if (iconFlags & ifSysMenu) style |= SysMenu;
    if (iconFlags & ifMinimize) style |= MinimizeBox;
    if (iconFlags & ifMaximize) style |= MaximizeBox;
    if (iconFlags & ifCaptionStripped) style |= Caption;
    return style;
  }
  if (ownedOrMdiChild) return style & ~(SysMenu | MinimizeBox | MaximizeBox);
  iconFlags |= ifCaptionStripped;
  return style & ~Caption;
}
