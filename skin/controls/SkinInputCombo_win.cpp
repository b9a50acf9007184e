#include <optional>

#include "skin/controls/ComboLayout.h"
#include "skin/controls/FocusCue.h"
#include "skin/controls/SkinChildren.h"
#include "skin/controls/SkinInput.h"
#include "skin/controls/SkinScroll.h"
#include "skin/data/SkinManage_win.h"
#include "skin/data/WinConst.h"
#include "skin/forms/FormSkin.h"
#include "skin/forms/SkinDrawBitmap_win.h"

// The record the system fills: 52 bytes in the 32-bit build, with 8-byte handles and their
// padding in the 64-bit one.
static_assert(sizeof(void*) != 4 || sizeof(COMBOBOXINFO) == 52);
static_assert(sizeof(void*) != 8 || sizeof(COMBOBOXINFO) == 64);

namespace {
// What a mouse message does to the pressed look: a press or double click presses, a release
// lets go, anything else leaves it.
std::optional<bool> PressOf(UINT msg) {
  if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) return true;
  if (msg == WM_LBUTTONUP) return false;
  return std::nullopt;
}
}  // namespace

DEFINE_CLASS_INFO(TSkinComBox, TSkinControl)

TSkinComBox::TSkinComBox(TComponent* AOwner) : TSkinControl(AOwner) { FComboInfo.cbSize = sizeof FComboInfo; }

// The list's bars are not freed here: the form handler owns them.
TSkinComBox::~TSkinComBox() { FEditHook.Remove(); }

void TSkinComBox::Notification(TComponent* AComponent, TOperation Operation) {
  TSkinControl::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FListBars) FListBars = nullptr;
}

void TSkinComBox::InitControl(TSkinForm* Form, TSkinData* SkinData, TCanvas* Canvas, bool Recolor) {
  if (FInitialized) return;
  TSkinControl::InitControl(Form, SkinData, Canvas, Recolor);
  if (FInitialized) AttachParts();
}

void TSkinComBox::AttachParts() {
  FStyle = static_cast<uint32_t>(GetWindowLongPtrW(FHandle, GWL_STYLE));
  if ((FStyle & WinCtl::ComboTypeMask) != WinCtl::ComboSimple) {
    HookEdit();
    return;
  }
  ReadComboInfo();
  FListWnd = FComboInfo.hwndList;
  SkinListBars();
}

void TSkinComBox::WindowRecreated() {
  TSkinControl::WindowRecreated();
  // The edit part and the list went with the old window.
  FEditHook.Remove();
  FEditWnd = FListWnd = nullptr;
  if (FForm && FListBars) FForm->FreeControl(FListBars);  // the notification forgets it
  AttachParts();
}

void TSkinComBox::SkinListBars() {
  if (!FListWnd || FListBars) return;
  const auto listStyle = static_cast<uint32_t>(GetWindowLongPtrW(FListWnd, GWL_STYLE));
  const bool onDesktop = GetAncestor(FListWnd, GA_PARENT) == GetDesktopWindow();
  if (!ComboListGetsScrollBars(FStyle, listStyle, onDesktop)) return;
  FListBars =
      static_cast<TSkinScrollbarH*>(AttachPart(*this, std::make_unique<TSkinScrollbarH>(nullptr), FListWnd));
}

void TSkinComBox::UnSkin() {
  TSkinControl::UnSkin();
  FEditHook.Remove();
}

void TSkinComBox::HookEdit() {
  FEditWnd = GetWindow(FHandle, GW_CHILD);
  if (FEditWnd) FEditHook.Install(FEditWnd);
}

bool TSkinComBox::TEditHook::Install(HWND wnd) {
  return FSubclass.Install(wnd, TSubclassSlot::Control, *this, IsWindowUnicode(wnd) != FALSE);
}

LRESULT TSkinComBox::TEditHook::SubclassProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  // The edit's own handling first; its answer is the answer.
  const LRESULT result = FSubclass.CallOld(msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    FSubclass.Remove();
    return result;
  }
  FOwner.EditMessage(msg);
  return result;
}

void TSkinComBox::EditMessage(UINT msg) {
  if (!FActive || FState == scsDestroyed) return;
  if (const auto pressed = PressOf(msg)) {
    SetPressed(*pressed);
    return;
  }
  switch (msg) {
    case WM_PAINT:
      PaintSkin(nullptr);
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      // The focus lives in the edit part; the combo itself is not told, and its button
      // would keep the focused frame after the focus left.
      RepaintControl();
      break;
    default:
      break;
  }
}

void TSkinComBox::SetPressed(bool pressed) {
  if (pressed)
    FMouseState |= msPressed;
  else
    FMouseState &= static_cast<uint8_t>(~msPressed);
  RepaintControl();
}

void TSkinComBox::AfterProc(TMessage& m) {
  if (const auto pressed = PressOf(m.Msg)) {
    SetPressed(*pressed);
    return;
  }
  switch (m.Msg) {
    case WM_DRAWITEM:
    case WM_NCPAINT:
      RepaintControl();
      break;
    case CM_MOUSEENTER:
      if (FEnabled) FMouseState |= msHot;
      break;
    case CM_MOUSELEAVE:
      if (FEnabled) FMouseState &= static_cast<uint8_t>(~msHot);
      break;
    default:
      TSkinControl::AfterProc(m);
      break;
  }
}

void TSkinComBox::ReadComboInfo() {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  // A window that is no combo box (a date picker) answers nothing: no parts, button shown.
  if (!FHandle || !GetComboBoxInfo(FHandle, &info)) {
    info = COMBOBOXINFO{};
    info.cbSize = sizeof info;
  }
  FComboInfo = info;
}

bool TSkinComBox::SkinReady() const { return FSkinData && HasImage(FSkinData->ComboButton.get()); }

int TSkinComBox::CurrentState() const {
  HWND focus = GetFocus();
  const bool focused = focus && (focus == FHandle || IsChild(FHandle, focus));
  const bool enabled = (GetWindowLongPtrW(FHandle, GWL_STYLE) & WS_DISABLED) == 0;
  return ComboState((FMouseState & msPressed) != 0, focused, (FMouseState & msHot) != 0, enabled);
}

void TSkinComBox::DrawSkin(HDC dc, const RECT& rect) {
  if (!SkinReady()) return;
  FStyle = static_cast<uint32_t>(GetWindowLongPtrW(FHandle, GWL_STYLE));
  FExStyle = static_cast<uint32_t>(GetWindowLongPtrW(FHandle, GWL_EXSTYLE));
  FEnabled = (FStyle & WS_DISABLED) == 0;
  ReadComboInfo();
  if (FComboInfo.stateButton & WinCtl::SystemInvisible) return;
  DrawComboFace(dc, rect);
  // A date picker's fields show no caret, and its focused frame is the hovered one.
  if (FramedControlShowsFocusCue(WindowClassName(FHandle)) && FocusCueShown()) {
    const TSkinRect edit =
        ComboButtonLayout(ToSkinRect(rect), GetSystemMetrics(SM_CXHSCROLL), ComboButtonOnLeft(FExStyle))
            .EditExclude;
    DrawFocusCue(dc, ToRect(edit), 0, SkinColorRef(FSkinData->ColorButtonText));
  }
}

void TSkinComBox::DrawComboFace(HDC dc, const RECT& rect) {
  const TDataSkinBorder& button = *FSkinData->ComboButton;
  const TComboDrawing drawing = ComboDrawingFor(button.Style);
  if (drawing == TComboDrawing::Classic) {
    DrawClassicCombo(dc, rect);
    return;
  }
  const int state = CurrentState();
  FLastState = state;
  const bool left = ComboButtonOnLeft(FExStyle);

  if (drawing == TComboDrawing::Composite) {
    const TDataSkinObject* element =
        left ? static_cast<const TDataSkinObject*>(FSkinData->SunkEdge.get()) : &button;
    if (!HasImage(element)) return;
    DrawSkinImage(dc, rect, SkinBitmap(*element->Image), false, false, true, std::max(1, element->FrameCount),
                  state, element->Margins());
    return;
  }

  const TComboLayout l = ComboButtonLayout(ToSkinRect(rect), GetSystemMetrics(SM_CXHSCROLL), left);
  const SavedDc saved(dc);
  ExcludeClipRect(dc, l.EditExclude.Left, l.EditExclude.Top, l.EditExclude.Right, l.EditExclude.Bottom);
  if (FSkinData->SunkEdge)
    DrawSkinElement(dc, rect, FSkinData->SunkEdge->FrameCount, state, *FSkinData->SunkEdge);
  const TSkinImage* picture = l.Mirrored ? button.SecondImage.get() : button.Image.get();
  const RECT b{l.Button.Left, l.Button.Top, l.Button.Right, l.Button.Bottom};
  if (picture && !picture->Empty()) DrawStripFrame(dc, b, button.FrameCount, state, SkinBitmap(*picture));
  const TDataSkinObject* extra = FSkinData->ExtraImages.get();
  if (HasImage(extra)) {
    const RECT g{l.GlyphArea.Left, l.GlyphArea.Top, l.GlyphArea.Right, l.GlyphArea.Bottom};
    DrawFrameCentered(dc, g, SkinBitmap(*extra->Image), true, std::max(1, extra->FrameCount), state);
  }
}

void TSkinComBox::DrawClassicCombo(HDC dc, const RECT& rect) {
  const int state = CurrentState();
  FLastState = state;
  // The frame and the button's ground in whatever brush the DC holds (the control's own).
  HBRUSH brush = static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH));
  const RECT inner{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
  FrameRect(dc, &inner, brush);
  const TSkinRect cell = ClassicComboButton(ToSkinRect(rect), GetSystemMetrics(SM_CYVTHUMB));
  const RECT b{cell.Left, cell.Top, cell.Right, cell.Bottom};
  FillRect(dc, &b, brush);
  const TDataSkinBorder& button = *FSkinData->ComboButton;
  DrawStripFrame(dc, b, button.FrameCount, state, SkinBitmap(*button.Image));
  TBrushHandle shadow(CreateSolidBrush(SkinColorRef(FSkinData->ColorButtonShadow)));
  if (shadow) FrameRect(dc, &rect, shadow.get());
}
