#include "skin/controls/SkinInput.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "skin/controls/ControlMath.h"
#include "skin/controls/FocusCue.h"
#include "skin/controls/SkinChildren.h"
#include "skin/data/SkinManage_win.h"
#include "skin/forms/SkinDrawBitmap_win.h"

namespace {

void FrameWith(HDC dc, const RECT& r, COLORREF colour) {
  TBrushHandle brush(CreateSolidBrush(colour));
  if (brush) FrameRect(dc, &r, brush.get());
}

RECT Inset(const RECT& r, int by) { return {r.left + by, r.top + by, r.right - by, r.bottom - by}; }

bool LooksLikeSpinButton(HWND wnd) {
  char cls[101] = {};
  GetClassNameA(wnd, cls, sizeof cls);
  const std::string name = LowerAscii(cls);
  return name == "msctls_updown32" || name.find("spin") != std::string::npos ||
         name.find("updown") != std::string::npos;
}

}  // namespace

// ---------------------------------------------------------------- TSkinEdit

DEFINE_CLASS_INFO(TSkinEdit, TSkinControl)

TSkinEdit::TSkinEdit(TComponent* AOwner) : TSkinControl(AOwner) {}

void TSkinEdit::Notification(TComponent* AComponent, TOperation Operation) {
  TSkinControl::Notification(AComponent, Operation);
  // The spin button's handler may be freed before us (the form handler frees its list).
  if (Operation == TOperation::opRemove && AComponent == FUpDown) FUpDown = nullptr;
}

void TSkinEdit::AfterProc(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      // A paint into someone else's DC (a print, a double buffer) is not ours to frame.
      if (!m.WParam) PaintSkin(nullptr);
      break;
    case WM_PRINT:
      PaintPrintFrame(reinterpret_cast<HDC>(m.WParam));
      break;
    case WM_NCPAINT:
      // A frame change repaints the border alone: ours goes back over it.
      PaintSkin(nullptr);
      break;
    default:
      TSkinControl::AfterProc(m);
      break;
  }
}

bool TSkinEdit::Borderless(int extra) const {
  RECT client{}, window{};
  if (!GetClientRect(FHandle, &client) || !GetWindowRect(FHandle, &window)) return true;
  return client.right + extra >= window.right - window.left ||
         client.bottom + extra >= window.bottom - window.top;
}

void TSkinEdit::DrawSkin(HDC dc, const RECT& rect) {
  if (!FUpDown) FindSpinButton();
  if (Borderless(0)) return;
  FrameWith(dc, rect, SkinColorRef(FSkinData ? FSkinData->ColorButtonShadow : clBtnShadow));
  FrameWith(dc, Inset(rect, 1), RGB(255, 255, 255));
  // A picker shows no caret: without the cue nothing would tell that it has the focus.
  if (FramedControlShowsFocusCue(WindowClassName(FHandle)) && FocusCueShown())
    DrawFocusCue(dc, rect, FrameFocusInset, SkinColorRef(FSkinData ? FSkinData->ColorButtonText : clBtnText));
}

void TSkinEdit::PaintPrintFrame(HDC dc) {
  if (FState == scsDestroyed || !ReadRect()) return;
  const RECT r{0, 0, FWindowRect.right - FWindowRect.left, FWindowRect.bottom - FWindowRect.top};
  // As every paint: a failure leaves the control usable.
  SilentCall([&] {
    if (Borderless(2)) return;
    WindowDc own(dc ? nullptr : FHandle);
    HDC target = dc ? dc : own.get();
    if (!target) return;
    const RECT inner = Inset(r, 1);
    FrameRect(target, &inner, static_cast<HBRUSH>(GetCurrentObject(target, OBJ_BRUSH)));
    FrameWith(target, r, SkinColorRef(FSkinData ? FSkinData->ColorButtonShadow : clBtnShadow));
  });
}

void TSkinEdit::FindSpinButton() {
  if (!FHandle) return;
  for (HWND child = GetWindow(FHandle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!LooksLikeSpinButton(child)) continue;
    auto spin = std::make_unique<TSkinUpDown>(nullptr);
    spin->InEdit = true;
    FUpDown = static_cast<TSkinUpDown*>(AttachPart(*this, std::move(spin), child));
    if (FUpDown) return;
  }
}

// ---------------------------------------------------------------- TSkinUpDown

DEFINE_CLASS_INFO(TSkinUpDown, TSkinControl)

TSkinUpDown::TSkinUpDown(TComponent* AOwner) : TSkinControl(AOwner) {}

bool TSkinUpDown::BeforeProc(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      if (FState == scsDestroyed) return true;
      DoPaintMessage(*this, m);
      return false;
    case WM_ERASEBKGND:
      EraseUpDown(reinterpret_cast<HDC>(m.WParam));
      m.Result = 1;
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      CallOldProc(m);
      FMouseState |= msPressed;
      PaintSkin(nullptr);
      return false;
    case WM_LBUTTONUP:
      FMouseState &= static_cast<uint8_t>(~msPressed);
      CallOldProc(m);
      PaintSkin(nullptr);
      return false;
    default:
      return TSkinControl::BeforeProc(m);
  }
}

void TSkinUpDown::EraseUpDown(HDC dc) {
  if (FControl || FGraphicControl || !dc) return;
  RECT r{};
  GetClientRect(FHandle, &r);
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

void TSkinUpDown::DrawSkin(HDC dc, const RECT& rect) {
  RECT client{};
  if (!GetClientRect(FHandle, &client) || client.right <= 0 || client.bottom <= 0) return;
  TBackBuffer buffer;
  HDC buf = buffer.Begin(client.right, client.bottom);
  FillSkinBackground(buf, client);

  POINT cursor{};
  GetCursorPos(&cursor);
  ScreenToClient(FHandle, &cursor);
  const LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
  FEnabled = (style & WS_DISABLED) == 0;

  TUpDownInput in;
  in.Client = ToSkinRect(client);
  in.InEdit = InEdit;
  in.Horizontal = Horizontal || UpDownStyleHorizontal(static_cast<uint32_t>(style));
  in.Enabled = FEnabled;
  in.Pressed = (FMouseState & msPressed) != 0;
  in.CursorX = cursor.x;
  in.CursorY = cursor.y;
  FLastLayout = UpDownLayout(in);

  const TDataSkinBorder* element = nullptr;
  if (FSkinData) element = in.Horizontal ? FSkinData->UpDownHorz.get() : FSkinData->UpDownVert.get();
  const bool skinned = HasImage(element);
  for (const TUpDownButton* b : {&FLastLayout.First, &FLastLayout.Second}) {
    const RECT r{b->Rect.Left, b->Rect.Top, b->Rect.Right, b->Rect.Bottom};
    if (skinned)
      DrawUpDownButton(buf, r, b->Direction, b->State, *element);
    else
      DrawPlainUpDownButton(buf, r, b->Direction, b->State);
  }
  if (FocusCueShown())
    DrawFocusCue(buf, client, UpDownFocusInset,
                 SkinColorRef(FSkinData ? FSkinData->ColorButtonText : clBtnText));
  buffer.CopyTo(dc, rect.left, rect.top);
}

void TSkinUpDown::DrawUpDownButton(HDC dc, const RECT& rect, TArrowDirection direction, int state,
                                   const TDataSkinBorder& element) {
  const int frame = UpDownFrame(direction, state);
  DrawFrameImage(dc, rect, SkinBitmap(*element.Image), true, 8, frame);
  if (element.SecondImage && !element.SecondImage->Empty())
    DrawFrameCentered(dc, rect, SkinBitmap(*element.SecondImage), true, std::max(1, element.FrameCount),
                      frame);
}

void TSkinUpDown::DrawPlainUpDownButton(HDC dc, const RECT& rect, TArrowDirection direction, int state) {
  const TSkinColour face = FSkinData ? FSkinData->ColorButtonFace : static_cast<TSkinColour>(clBtnFace);
  const TSkinColour shadow = FSkinData ? FSkinData->ColorButtonShadow : static_cast<TSkinColour>(clBtnShadow);
  const TSkinColour dark =
      FSkinData ? FSkinData->ColorButtonDkShadow : static_cast<TSkinColour>(cl3DDkShadow);
  const bool sunk = state == psPressed || state == psHot;
  TBrushHandle brush(CreateSolidBrush(SkinColorRef(sunk ? shadow : face)));
  TPenHandle pen(CreatePen(PS_SOLID, 1, SkinColorRef(dark)));
  SelectGuard keepBrush(dc, brush.get());
  SelectGuard keepPen(dc, pen.get());
  Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  const bool vertical = direction == adUp || direction == adDown;
  DrawArrowLines(dc, rect.left + w / 2, rect.top + h / 2 - (vertical ? 2 : 0), direction);
}

void DrawArrowLines(HDC dc, int x, int y, TArrowDirection direction) {
  auto line = [dc](int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
  };
  switch (direction) {
    case adUp:
      line(x, y, x, y - 1);
      line(x + 1, y + 1, x + 4, y + 4);
      line(x, y + 1, x + 3, y + 4);
      line(x, y + 2, x + 2, y + 4);
      line(x - 1, y + 1, x - 4, y + 4);
      line(x, y + 2, x - 3, y + 4);
      line(x, y + 1, x - 2, y + 4);
      break;
    case adDown:
      line(x, y + 3, x, y + 4);
      line(x + 1, y + 2, x + 4, y - 1);
      line(x, y + 2, x + 3, y - 1);
      line(x, y + 1, x + 2, y);
      line(x - 1, y + 2, x - 4, y - 1);
      line(x, y + 2, x - 3, y - 1);
      line(x, y + 1, x - 2, y);
      break;
    case adLeft:
    case adRight: {
      // Left points at x - 1; right is its mirror about x.
      const int s = direction == adLeft ? 1 : -1;
      const POINT p[] = {{x, y}, {x + s, y + 2}, {x + s, y - 2}, {x - s, y}, {x + s, y + 2}};
      Polyline(dc, p, 5);
      break;
    }
  }
}
