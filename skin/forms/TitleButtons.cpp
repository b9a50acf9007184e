#include "skin/forms/TitleButtons.h"

#include <algorithm>
#include <optional>

#include "skin/data/SkinData.h"

namespace {
// The rules both visibility numbers read alike: the window's state and boxes; none for a
// number each reads in its own way.
std::optional<bool> WindowStateRule(int v, const TButtonWindowState& w) {
  switch (v) {
    case 1:
      return w.Maximized;
    case 2:
      return !w.Maximized;
    case 3:
      return w.Active;
    case 4:
      return !w.Active;
    case 7:
      return !(w.IconFlags & IconMaxBox);
    case 9:
      return !(w.IconFlags & IconMinBox);
    case 200:
      return w.Kind == fkDialog && !w.StandardDialog;
    default:
      return std::nullopt;
  }
}

bool FirstRule(const TDataSkinSysButton& d, int index, const TButtonWindowState& w,
               const TAskButtonVisible& ask) {
  const bool sysMenu = w.IconFlags & IconSysMenu;
  const int v = d.Visibility;
  switch (v) {
    case 0:
      return d.Action != 0 || sysMenu;
    case 6:
      return (w.IconFlags & IconMaxBox) && sysMenu;
    case 8:
      return (w.IconFlags & IconMinBox) && sysMenu;
    case 100:
      return w.ChildMaximized && w.MenuBarHeight > 0;
    default:
      break;
  }
  if (const auto rule = WindowStateRule(v, w)) return *rule;
  if (v >= 201 && v <= 999) return true;
  if (v >= 1000 && v <= 2000) return ask && ask(index) > 0;
  return false;  // 5, 10, 11, negatives and anything unknown
}

bool SecondRule(const TDataSkinSysButton& d, const TButtonWindowState& w, bool first) {
  const int v = d.Visibility1;
  switch (v) {
    case 0:
      return true;
    case 6:
      return (w.IconFlags & IconMaxBox) != 0;
    case 8:
      return (w.IconFlags & IconMinBox) != 0;
    case 100:
      return first;
    default:
      break;
  }
  if (const auto rule = WindowStateRule(v, w)) return *rule;
  return v >= 201 && v <= 2000;
}
}  // namespace

bool CalcButtonVisible(const TDataSkinSysButton& d, int index, const TButtonWindowState& w,
                       const TAskButtonVisible& ask) {
  const bool r = FirstRule(d, index, w, ask);
  bool visible = r && SecondRule(d, w, r);
  // A button whose command the window cannot carry out never shows.
  if (d.Action == 1 && !(w.IconFlags & IconMaxBox)) visible = false;
  if (d.Action == 2 && !(w.IconFlags & IconMinBox)) visible = false;
  if ((d.Action == 3 || d.Action == 11 || d.Action == 12) && w.Kind == fkDialog) visible = false;
  return visible;
}

TButtonSize ButtonFrameSize(const TDataSkinSysButton& d) {
  if (!d.Image) return {};
  return {d.Image->Width() / std::max(d.FrameCount, 1), d.Image->Height()};
}

TSkinRect ButtonBounds(const TDataSkinSysButton& d, const TButtonLayoutInput& in) {
  const TButtonSize s = ButtonFrameSize(d);
  int x = 0, y = 0;
  switch (d.Align) {
    case 0:
      x = d.XCoord;
      y = d.YCoord;
      break;
    case 1:
      x = in.WindowWidth - d.XCoord;
      y = d.YCoord;
      break;
    case 2:
    case 8:
      x = in.CaptionBox.Left - s.Width - d.XCoord;
      y = d.YCoord;
      break;
    case 3:
    case 9:
      x = d.XCoord + in.CaptionBox.Right;
      y = d.YCoord;
      break;
    case 100:
      x = in.RightToLeft ? in.Borders.Left + d.XCoord + in.TileLeftMenu
                         : in.WindowWidth - d.XCoord - in.Borders.Right - in.TileLeftMenu;
      y = in.Borders.Top + (in.Borders.MenuBar - s.Height) / 2;
      break;
    default:
      break;
  }
  return {x, y, x + s.Width, y + s.Height};
}

namespace {
bool Shows(const TSkinSysButton& b) {
  const TDataSkinSysButton& d = b.Description();
  return b.Visible && d.HasImage();
}

// The right-anchored row's places (distances from the right edge), nearest the edge first;
// a place no visible button takes is left to the buttons beyond it.
void CloseUpRightRow(std::vector<std::unique_ptr<TSkinSysButton>>& buttons) {
  std::vector<int> places, taken;
  for (const auto& b : buttons) {
    const TDataSkinSysButton& d = b->Description();
    if (d.Align != 1 || !d.HasImage()) continue;
    places.push_back(d.XCoord);
    if (b->Visible) taken.push_back(d.XCoord);
  }
  std::sort(places.begin(), places.end());
  places.erase(std::unique(places.begin(), places.end()), places.end());
  std::sort(taken.begin(), taken.end());
  taken.erase(std::unique(taken.begin(), taken.end()), taken.end());
  for (auto& b : buttons) {
    if (b->Description().Align != 1 || !Shows(*b)) continue;
    const size_t rank = std::lower_bound(taken.begin(), taken.end(), b->Description().XCoord) - taken.begin();
    const int shift = b->Description().XCoord - places[rank];
    b->BoundsRect.Left += shift;
    b->BoundsRect.Right += shift;
  }
}
}  // namespace

int LayoutSysButtons(std::vector<std::unique_ptr<TSkinSysButton>>& buttons, const TButtonWindowState& w,
                     const TAskButtonVisible& ask, const TButtonLayoutInput& in) {
  for (size_t i = 0; i < buttons.size(); ++i) {
    TSkinSysButton& b = *buttons[i];
    const TDataSkinSysButton& d = b.Description();
    b.Visible = CalcButtonVisible(d, static_cast<int>(i), w, ask);
    if (Shows(b)) b.BoundsRect = ButtonBounds(d, in);
  }
  // A button the window lacks (a maximize box, say) leaves no gap in the row: the ones
  // beyond it close up toward the edge, as a native title bar has no hole either, and the
  // caption gets the room.
  CloseUpRightRow(buttons);
  int leftmost = 0;
  bool any = false;
  for (const auto& p : buttons) {
    const TSkinSysButton& b = *p;
    if (!Shows(b) || b.Description().Align != 1) continue;
    leftmost = any ? std::min(leftmost, b.BoundsRect.Left) : b.BoundsRect.Left;
    any = true;
  }
  return any ? std::max(leftmost, 0) : 0;
}

TSkinSysButton* SysButtonAt(const std::vector<std::unique_ptr<TSkinSysButton>>& buttons, int x, int y) {
  for (const auto& b : buttons)
    if (b->Visible && b->Description().Action >= 0 && b->Contains(x, y)) return b.get();
  return nullptr;
}

bool IsIconAction(int action) { return action == 3 || action == 11; }

std::vector<std::unique_ptr<TSkinSysButton>> BuildSysButtons(TNCObjectOwner& owner, TSkinData& skin) {
  std::vector<std::unique_ptr<TSkinSysButton>> buttons;
  buttons.reserve(skin.SysButtons.size());
  for (const auto& d : skin.SysButtons)
    if (d) buttons.push_back(std::make_unique<TSkinSysButton>(owner, *d));
  return buttons;
}

void PrepareIconButtons(TSkinData& skin, const TSkinImage& windowIcon) {
  for (const auto& d : skin.SysButtons) {
    if (!d || !IsIconAction(d->Action)) continue;
    if (!windowIcon.Empty()) {
      if (d->Image && d->Image->Empty()) d->Image->Assign(windowIcon.Pixels());
      if (skin.DefaultIcon && skin.DefaultIcon->Empty()) skin.DefaultIcon->Assign(windowIcon.Pixels());
    }
    d->FrameCount = 1;
  }
}

int ButtonPaintFrame(bool active, int frameCount) { return !active && frameCount >= 4 ? 4 : 1; }

int ButtonStateFrame(int state, int visibility) { return state == ncsHot && visibility == 100 ? 4 : state; }

bool PaintedInTitleBar(const TSkinSysButton& b) {
  const TDataSkinSysButton& d = b.Description();
  return b.Visible && d.HasImage() && d.Visibility != 100;
}

TButtonCommand ButtonCommand(int action) {
  switch (action) {
    case 0:
      return bcClose;
    case 1:
    case 22:
      return bcToggleMaximize;
    case 2:
    case 23:
      return bcToggleMinimize;
    case 3:
    case 11:
    case 12:
      return bcSystemMenu;
    case 7:
    case 60:
      return bcChildMinimize;
    case 8:
    case 61:
      return bcChildRestore;
    case 9:
    case 62:
      return bcChildClose;
    default:
      return bcCustom;
  }
}
