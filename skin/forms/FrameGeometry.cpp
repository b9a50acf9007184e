#include "skin/forms/FrameGeometry.h"

#include <algorithm>

#include "skin/data/SkinData.h"
#include "skin/data/WinConst.h"

TWindowTraits AnalyseWindow(uint32_t style, uint32_t exStyle, std::string_view className,
                            bool hasSystemMenu) {
  TWindowTraits t;
  if ((style & WinStyle::SysMenu) || hasSystemMenu) t.IconFlags |= IconSysMenu;
  if (style & WinStyle::MinimizeBox) t.IconFlags |= IconMinBox;
  if (style & WinStyle::MaximizeBox) t.IconFlags |= IconMaxBox;
  t.RightToLeft = (exStyle & WinExStyle::LeftScrollBar) != 0;
  t.Sizeable = (style & WinStyle::ThickFrame) != 0;
  t.WideChar = className.find(".UnicodeClass") != std::string_view::npos;
  t.MdiChild = (exStyle & WinExStyle::MdiChild) != 0;

  // A popup counts as framed only with both halves of WS_CAPTION.
  if ((style & WinStyle::Popup) && (style & WinStyle::Caption) != WinStyle::Caption)
    t.FrameKind = fkNone;
  else if (style & WinStyle::ThickFrame)
    t.FrameKind = fkSizeable;
  else if (style & WinStyle::ModalFrame)
    t.FrameKind = fkDialog;
  if (exStyle & WinExStyle::DlgModalFrame) t.FrameKind = fkDialog;
  t.StandardDialog = className == "#32770" || className == "TMessageForm";
  if (t.StandardDialog) t.FrameKind = fkDialog;
  return t;
}

bool PaintsForeignFace(bool standardDialog, TClassBackground background) {
  return standardDialog || background == cbSystemFace;
}

TCaptionStyle NativeCaptionStyle(uint32_t style, int iconFlags, bool restore, bool ownedOrMdiChild) {
  TCaptionStyle r{style, iconFlags};
  if (restore) {
    if (iconFlags & IconSysMenu) r.Style |= WinStyle::SysMenu;
    if (iconFlags & IconMinBox) r.Style |= WinStyle::MinimizeBox;
    if (iconFlags & IconMaxBox) r.Style |= WinStyle::MaximizeBox;
    if (iconFlags & IconCaptionStripped) r.Style |= WinStyle::Caption;
  } else if (ownedOrMdiChild) {
    // The caption stays so that WM_NCCALCSIZE and WM_NCPAINT keep arriving; only the
    // native buttons go.
    r.Style &= ~(WinStyle::SysMenu | WinStyle::MinimizeBox | WinStyle::MaximizeBox);
  } else {
    r.IconFlags |= IconCaptionStripped;
    r.Style &= ~WinStyle::Caption;
  }
  return r;
}

namespace {
TPieceSize PieceOf(const TDataSkinObject* piece) {
  if (!piece || !piece->Image) return {};
  return {piece->Image->Width(), piece->Image->Height(), piece->FrameCount};
}
int Across(int size, int frames) { return size / std::max(frames, 1); }
}  // namespace

TFrameMetricsInput FrameMetricsInputOf(const TSkinData& skin, TFrameKind kind) {
  TFrameMetricsInput in;
  in.NoSkin = skin.NoSkin;
  in.Kind = kind;
  in.Left = PieceOf(skin.BorderLeft.get());
  in.Top = PieceOf(skin.BorderTop.get());
  in.Right = PieceOf(skin.BorderRight.get());
  in.Bottom = PieceOf(skin.BorderBottom.get());
  return in;
}

TFrameBorders CalcFrameMetrics(const TFrameMetricsInput& in, const TFrameBorders& current) {
  if (in.NoSkin) return current;
  if (in.Kind == fkNone) return {};
  TFrameBorders b;
  b.Top = Across(in.Top.Height, in.Top.FrameCount);
  b.Left = Across(in.Left.Width, in.Left.FrameCount);
  b.Right = Across(in.Right.Width, in.Right.FrameCount);
  b.Bottom = Across(in.Bottom.Height, in.Bottom.FrameCount);
  b.MenuBar = current.MenuBar;
  return b;
}

bool NcCalcKeepsDefault(TFrameKind kind, bool mdiChildNotNormal) {
  return mdiChildNotNormal || kind == fkNone;
}

TSkinRect SkinnedClientRect(int x, int y, int cx, int cy, const TFrameBorders& b) {
  TSkinRect r{x + b.Left, y + b.Top + b.MenuBar, x + cx - b.Right, y + cy - b.Bottom};
  // A window smaller than its frame gets an empty client, not an inverted one.
  r.Right = std::max(r.Right, r.Left);
  r.Bottom = std::max(r.Bottom, r.Top);
  return r;
}

bool MinMaxRestoresCaption(TWinState state, bool mdiChild) {
  if (state == wsMinimized) return true;
  return mdiChild && state != wsNormal;
}

int PieceFrame(bool active, int frameCount) { return active || frameCount < 2 ? 1 : 2; }

TWinState WinStateFromSize(uintptr_t sizeKind, TWinState current) {
  switch (sizeKind) {
    case WinSize::Restored:
      return wsNormal;
    case WinSize::Minimized:
      return wsMinimized;
    case WinSize::Maximized:
      return wsMaximized;
    default:
      return current;
  }
}

TWinState WinStateFromShowCmd(int showCmd) {
  switch (showCmd) {
    case WinShow::ShowMinimized:
    case WinShow::Minimize:
    case WinShow::ShowMinNoActive:
      return wsMinimized;
    case WinShow::ShowMaximized:
      return wsMaximized;
    default:
      return wsNormal;
  }
}
