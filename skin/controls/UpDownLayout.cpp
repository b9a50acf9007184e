#include "skin/controls/UpDownLayout.h"

#include "skin/controls/ControlMath.h"
#include "skin/data/WinConst.h"

int UpDownFrame(TArrowDirection direction, int state) {
  const int frame = state + 4 * static_cast<int>(direction);
  return direction == adLeft || direction == adRight ? frame - 8 : frame;
}

bool UpDownStyleHorizontal(uint32_t style) { return (style & WinCtl::UpDownHorz) != 0; }

TUpDownLayout UpDownLayout(const TUpDownInput& in) {
  TSkinRect c = in.Client;
  if (in.InEdit) c = {c.Left + 1, c.Top + 1, c.Right - 1, c.Bottom - 1};
  TUpDownLayout l;
  l.Horizontal = in.Horizontal;
  bool firstUnderCursor;
  if (in.Horizontal) {
    const int split = c.Left + HalfOf(c.Width());
    l.First = {{c.Left, c.Top, split, c.Bottom}, adLeft};
    l.Second = {{split, c.Top, c.Right, c.Bottom}, adRight};
    firstUnderCursor = in.CursorX < split;
  } else {
    const int split = c.Top + HalfOf(c.Height());
    l.First = {{c.Left, c.Top, c.Right, split}, adUp};
    l.Second = {{c.Left, split, c.Right, c.Bottom}, adDown};
    firstUnderCursor = in.CursorY < split;
  }
  auto state = [&](bool underCursor) {
    if (!in.Enabled) return static_cast<int>(psDisabled);
    return static_cast<int>(in.Pressed && underCursor ? psPressed : psNormal);
  };
  l.First.State = state(firstUnderCursor);
  l.Second.State = state(!firstUnderCursor);
  l.First.Frame = UpDownFrame(l.First.Direction, l.First.State);
  l.Second.Frame = UpDownFrame(l.Second.Direction, l.Second.State);
  return l;
}
