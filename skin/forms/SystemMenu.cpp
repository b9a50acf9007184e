#include "skin/forms/SystemMenu.h"

#include "skin/data/WinConst.h"

namespace {
// Pictures of the skin's menu glyphs, in the order the skin draws them.
constexpr int RestoreGlyph = 0, MaximizeGlyph = 1, MinimizeGlyph = 2, CloseGlyph = 3;
}  // namespace

TSystemMenuItem SystemMenuItemFor(const TSysMenuEntry& entry, const TSysMenuWindow& window) {
  const size_t tab = entry.Separator ? std::string::npos : entry.Text.find('\t');
  TSystemMenuItem item{entry.Separator ? std::string(1, '-') : entry.Text.substr(0, tab),
                       tab == std::string::npos ? std::string() : entry.Text.substr(tab + 1),
                       entry.Command,
                       -1,
                       !entry.Grayed,
                       entry.Checked,
                       entry.Default};
  if (entry.Separator) return item;
  const bool normal = window.State == wsNormal;
  switch (entry.Command) {
    case WinCmd::Restore:
      item.Enabled = !normal;
      item.ImageIndex = RestoreGlyph;
      break;
    case WinCmd::Move:
      item.Enabled = normal;
      break;
    case WinCmd::Size:
      item.Enabled = normal && window.Sizeable;
      break;
    case WinCmd::Minimize:
      item.Enabled = window.MinBox && window.State != wsMinimized;
      item.ImageIndex = MinimizeGlyph;
      break;
    case WinCmd::Maximize:
      item.Enabled = window.MaxBox && window.State != wsMaximized;
      item.ImageIndex = MaximizeGlyph;
      break;
    case WinCmd::Close:
      item.ImageIndex = CloseGlyph;
      if (item.ShortCut.empty()) item.ShortCut = "Alt+F4";
      break;
    default:
      break;
  }
  return item;
}

TMenuClick TSystemMenuGate::Click(uint32_t nowTicks, uint32_t doubleClickTime, bool onSystemMenuButton) {
  // Unsigned difference: right across the wrap of the tick count.
  if (!FOpened || nowTicks - FLast > doubleClickTime) {
    FOpened = true;
    FLast = nowTicks;
    return mcOpen;
  }
  return onSystemMenuButton ? mcCloseWindow : mcIgnore;
}

bool IsForwardedSysCommand(uint32_t lowWord) {
  switch (lowWord) {
    case WinCmd::Size:
    case WinCmd::Move:
    case WinCmd::Minimize:
    case WinCmd::Maximize:
    case WinCmd::NextWindow:
    case WinCmd::PrevWindow:
    case WinCmd::Close:
    case WinCmd::Restore:
      return true;
    default:
      return false;
  }
}

std::optional<TWinState> WinStateForSysCommand(uintptr_t command) {
  switch (command & 0xFFF0) {
    case WinCmd::Minimize:
      return wsMinimized;
    case WinCmd::Maximize:
      return wsMaximized;
    case WinCmd::Restore:
      return wsNormal;
    default:
      return std::nullopt;
  }
}
