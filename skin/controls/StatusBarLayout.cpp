#include "skin/controls/StatusBarLayout.h"

#include <algorithm>
#include <cctype>

#include "skin/controls/ControlMath.h"
#include "skin/data/WinConst.h"

TPanelBevel PanelBevelFromIdent(std::string_view ident) {
  const std::string s = LowerAscii(ident);
  if (s == "pbraised") return TPanelBevel::Raised;
  if (s == "pbnone") return TPanelBevel::None;
  return TPanelBevel::Lowered;
}

int StatusPanelFrame(TPanelBevel bevel) {
  switch (bevel) {
    case TPanelBevel::Raised:
      return 2;
    case TPanelBevel::None:
      return 3;
    case TPanelBevel::Lowered:
      break;
  }
  return 1;
}

TPlainFace StatusPlainFace(int frame) {
  if (frame == 1) return TPlainFace::Sunken;
  if (frame == 2) return TPlainFace::Raised;
  return TPlainFace::Nothing;
}

TSkinRect StatusPanelRect(const TSkinRect& p, bool last, const TSkinRect& bar) {
  return {p.Left, p.Top, last ? bar.Right : p.Right + 2, p.Bottom};
}

TSkinRect StatusTextRect(const TSkinRect& f) { return {f.Left + 2, f.Top, f.Right - 2, f.Bottom}; }

std::wstring StatusPanelText(const std::wstring& text) { return text.empty() ? std::wstring(L" ") : text; }

TPanelAlign PanelAlignFromIdent(std::string_view ident) {
  const std::string s = LowerAscii(ident);
  if (s == "tarightjustify") return TPanelAlign::Right;
  if (s == "tacenter") return TPanelAlign::Centre;
  return TPanelAlign::Left;
}

uint32_t StatusTextFormat(TPanelAlign align, bool rightToLeft) {
  switch (align) {
    case TPanelAlign::Centre:
      return WinCtl::TextCenter;
    case TPanelAlign::Right:
      return rightToLeft ? WinCtl::TextLeft : WinCtl::TextRight;
    case TPanelAlign::Left:
      break;
  }
  return rightToLeft ? WinCtl::TextRight : WinCtl::TextLeft;
}

std::optional<TSkinRect> StatusGripRect(const TSkinRect& bar, uint32_t style, int cellWidth, int cellHeight) {
  if (!(style & WinCtl::StatusSizeGrip) || cellWidth <= 0 || cellHeight <= 0) return std::nullopt;
  return TSkinRect{bar.Right - 1 - cellWidth, bar.Bottom - 1 - cellHeight, bar.Right - 1, bar.Bottom - 1};
}

TSkinRect StatusDrawPanelRect(const TSkinRect& p) {
  return {p.Left + 1, p.Top + 1, p.Right - 1, p.Bottom - 1};
}
