#include "skin/controls/SkinSubclass.h"

#include <utility>
#include <vector>

#include "skin/controls/FocusCue.h"
#include "skin/forms/FormSkin.h"
#include "skin/forms/SkinDrawBitmap_win.h"
#include "ui/SysUtils.h"

// Lives among a control's components, which a windowed control frees first in its own end,
// while it is still whole; its end tells the handler's owner to free the handler.
class TControlTether final : public TComponent {
 public:
  TControlTether(TComponent* control, std::function<void()> going)
      : TComponent(control), FGoing(std::move(going)) {}
  ~TControlTether() override {
    if (auto going = std::exchange(FGoing, nullptr)) going();
  }
  void Disarm() noexcept { FGoing = nullptr; }

 private:
  std::function<void()> FGoing;
};

DEFINE_CLASS_INFO(TSkinControl, TComponent)

TSkinControl::TSkinControl(TComponent* AOwner) : TComponent(AOwner) {}

TSkinControl::~TSkinControl() {
  if (FTether) {
    FTether->Disarm();
    delete FTether;  // out of the control's components
  }
  UnhookWindowProc();
  FSubclass.Remove();
  if (FForm) FForm->UnregisterControl(this);
}

void TSkinControl::TetherTo(TComponent* control, std::function<void()> going) {
  if (!control || FTether) return;
  FTether = new TControlTether(control, [this, going = std::move(going)] {
    FTether = nullptr;  // the control frees it
    going();
  });
}

void TSkinControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  // The skinned control goes before us (we are not always its owned component): forget it.
  if (FHooked && AComponent == FHooked) {
    FSubclass.ForgetControl();
    FHooked = nullptr;
  }
  if (AComponent == FControl || AComponent == FGraphicControl) {
    FControl = nullptr;
    FGraphicControl = nullptr;
    FState = scsDestroyed;
  }
}

void TSkinControl::HookWindowProc(TControl* target) {
  if (!FSubclass.Install(*target, TWndMethod([this](TMessage& m) { SkinWndProc(m); }))) return;
  FHooked = target;
  // Also when we are still the control's component: AttachHandler takes us out of its
  // components, and then only this tells us that the control went.
  target->FreeNotification(this);
}

void TSkinControl::UnhookWindowProc() noexcept {
  if (!FHooked) return;
  FSubclass.Remove();
  FHooked->RemoveFreeNotification(this);
  FHooked = nullptr;
}

void TSkinControl::RegisterWithForm() {
  if (FForm) FForm->RegisterControl(this);
}

void TSkinControl::BindWindow(HWND wnd, TSkinData* skin, TCanvas* canvas, TSkinForm* form) {
  FSkinData = skin;
  FCanvas = canvas;
  FForm = form;
  FHandle = wnd;
  RegisterWithForm();
}

bool TSkinControl::BindControl(TWinControl* control, TSkinData* skin, TCanvas* canvas, TSkinForm* form) {
  FControl = control;
  HWND wnd = control->Handle();
  if (!wnd) return false;
  BindWindow(wnd, skin, canvas, form);
  return true;
}

bool TSkinControl::SubclassWindow() {
  return FSubclass.Install(FHandle, TSubclassSlot::Control, *this, IsWindowUnicode(FHandle) != FALSE);
}

void TSkinControl::ReadWindowFacts() {
  FFocused = GetFocus() == FHandle;
  FEnabled = (GetWindowLongPtrW(FHandle, GWL_STYLE) & WS_DISABLED) == 0;
}

void TSkinControl::TakeSkinColour() {
  if (!FRecolor || !FSkinData || !FControl) return;
  FOldColor = FControl->Color();
  FControl->SetColor(FSkinData->ColorButtonFace);
}

void TSkinControl::InitControl(TSkinForm* Form, TSkinData* SkinData, TCanvas* Canvas, bool Recolor) {
  if (FInitialized) return;
  auto* control = OwnerControl();
  if (!control) return;
  FRecolor = Recolor;
  if (!BindControl(control, SkinData, Canvas, Form)) return;
  HookWindowProc(control);
  control->DoubleBuffered = true;
  ReadWindowFacts();
  FCaption = WindowTextOf(FHandle);
  TakeSkinColour();
  control->Invalidate();
  FInitialized = true;
  FState = scsAttached;
}

void TSkinControl::InitHandle(HWND Handle, TSkinData* SkinData, TCanvas* Canvas, TSkinForm* Form) {
  if (FInitialized || !Handle) return;
  FEnabled = true;
  BindWindow(Handle, SkinData, Canvas, Form);
  FCaption = WindowTextOf(FHandle);
  if (!SubclassWindow()) return;
  InvalidateRect(FHandle, nullptr, TRUE);
  FInitialized = true;
  FState = scsAttached;
}

void TSkinControl::InitScrollControl(TWinControl*, TSkinData*, TCanvas*, TSkinForm*) {}

void TSkinControl::AttachCovered(TWinControl* control, TSkinData* skin, TCanvas* canvas, TSkinForm* form,
                                 const std::function<void()>& cover) {
  if (FInitialized || !control || !BindControl(control, skin, canvas, form)) return;
  cover();
  HookWindowProc(control);
  ReadWindowFacts();
  FInitialized = true;
  FState = scsAttached;
}

void TSkinControl::WindowRecreated() {
  FHandle = FControl->Handle();
  FState = scsAttached;
  FMouseState = 0;
  ReadWindowFacts();
  FCaption = WindowTextOf(FHandle);
  // The old window's end gave the colour back.
  if (FRecolor && FSkinData) FControl->SetColor(FSkinData->ColorButtonFace);
}

void TSkinControl::UnSkin() {
  if (FRecolor && FControl) FControl->SetColor(FOldColor);
}

void TSkinControl::SkinChanged() {
  if (FRecolor && FControl && FSkinData) FControl->SetColor(FSkinData->ColorButtonFace);
  RepaintControl();
}

LRESULT TSkinControl::SubclassProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  SkinWndProc(m);
  return m.Result;
}

void TSkinControl::SkinWndProc(TMessage& m) {
  if (FState == scsDestroyed) {
    // The window is gone. A class-library control may make another one (a change of kind
    // or orientation recreates it): once the control's own creation has run, follow it.
    CallOldProc(m);
    if (m.Msg == WM_CREATE && m.Result != -1 && FControl && FControl->HandleAllocated()) WindowRecreated();
    return;
  }
  if (!FActive) {
    if (m.Msg == CM_SKINSWITCH) {
      FActive = static_cast<LONG_PTR>(m.WParam) > 0;
      if (FActive) RepaintControl();
      return;
    }
    CallOldProc(m);
    return;
  }
  if (BeforeProc(m)) {
    CallOldProc(m);
    AfterProc(m);
  }
}

void TSkinControl::CallOldProc(TMessage& m) { FSubclass.CallOld(m); }

bool TSkinControl::BeforeProc(TMessage& m) {
  if (m.Msg == WM_NCDESTROY) {
    CallOldProc(m);
    FState = scsDestroyed;
    UnSkin();
    return false;
  }
  return true;
}

void TSkinControl::AfterProc(TMessage& m) {
  switch (m.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:  // focus cues shown or hidden
    case WM_ENABLE:
    case CM_ENABLEDCHANGED:
      RepaintControl();
      break;
    case WM_SETTEXT:
      if (m.LParam) {
        // The window's own procedure decides narrow or wide; read back what it stored.
        FCaption = WindowTextOf(FHandle);
      }
      RepaintControl();
      break;
    case WM_PAINT:
      PaintSkin(reinterpret_cast<HDC>(m.WParam));
      break;
    case CM_SKINSWITCH:
      FActive = static_cast<LONG_PTR>(m.WParam) > 0;
      break;
    default:
      break;
  }
}

bool TSkinControl::ReadRect() {
  RECT r{};
  if (!FHandle || !GetWindowRect(FHandle, &r)) return false;
  FWindowRect = r;
  return true;
}

void TSkinControl::PaintSkin(HDC dc) {
  if (FState == scsDestroyed || !ReadRect()) return;
  RECT r{0, 0, FWindowRect.right - FWindowRect.left, FWindowRect.bottom - FWindowRect.top};
  // A broken skin image never breaks the control's message loop.
  SilentCall([&] {
    if (dc) {
      DrawSkin(dc, r);
    } else {
      WindowDc own(FHandle);
      if (own.get()) DrawSkin(own.get(), r);
    }
  });
}

void TSkinControl::DrawSkin(HDC, const RECT&) {}

void TSkinControl::RepaintControl() {
  if (FControl) {
    FControl->Invalidate();
  } else if (FGraphicControl) {
    FGraphicControl->Invalidate();
  } else if (FHandle) {
    InvalidateRect(FHandle, nullptr, TRUE);
    UpdateWindow(FHandle);
  }
}

TColor TSkinControl::GetParentColor(TColor Default) const {
  const TControl* c = FControl ? static_cast<const TControl*>(FControl) : FGraphicControl;
  if (!c || !c->Parent()) return Default;
  return c->Parent()->Color();
}

namespace {
void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
  TBrushHandle brush(CreateSolidBrush(colour));
  if (brush) FillRect(dc, &rect, brush.get());
}
}  // namespace

COLORREF SkinColorRef(TSkinColour c) { return ColorToRGB(static_cast<TColor>(c)); }

void TSkinControl::FillSkinBackground(HDC dc, const RECT& rect) const {
  FillSolid(dc, rect, SkinColorRef(FSkinData ? FSkinData->ColorButtonFace : clBtnFace));
}

void TSkinControl::FillParentBackground(HDC dc, const RECT& rect) const {
  const TColor def = FSkinData ? FSkinData->ColorButtonFace : clBtnFace;
  FillSolid(dc, rect, ColorToRGB(GetParentColor(def)));
}

void DoPaintMessage(TSkinControl& handler, TMessage& m) {
  HWND wnd = handler.Handle();
  RECT r{};
  auto draw = [&](HDC dc) {
    if (!GetWindowRect(wnd, &r)) return;
    OffsetRect(&r, -r.left, -r.top);
    SilentCall([&] { handler.DrawSkin(dc, r); });  // as PaintSkin
  };
  if (m.WParam) {
    draw(reinterpret_cast<HDC>(m.WParam));
  } else {
    PaintDc pd(wnd);
    if (pd.get()) draw(pd.get());
  }
  m.Result = 0;
}

bool PaintWholeWindow(TSkinControl& handler, TMessage& m, bool ready) {
  if (!ready) return false;
  if (m.Msg == WM_PAINT) {
    DoPaintMessage(handler, m);
    return true;
  }
  if (m.Msg != WM_ERASEBKGND) return false;
  m.Result = 1;
  return true;
}

bool TSkinControl::FocusCueShown() const {
  if (!FHandle || GetFocus() != FHandle) return false;
  return ShowsFocusCue(true, static_cast<uint32_t>(SendMessageW(FHandle, WM_QUERYUISTATE, 0, 0)));
}

void DrawFocusCue(HDC dc, const RECT& face, int inset, COLORREF colour) {
  const TSkinRect r = FocusCueRect(TSkinRect{face.left, face.top, face.right, face.bottom}, inset);
  if (r.Width() <= 0) return;
  // Every other pixel, gaps left as they are.
  const LOGBRUSH lb{BS_SOLID, colour, 0};
  TPenHandle pen(ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &lb, 0, nullptr));
  if (!pen) return;
  SelectGuard keepPen(dc, pen.get());
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const POINT corners[] = {{r.Left, r.Top},
                           {r.Right - 1, r.Top},
                           {r.Right - 1, r.Bottom - 1},
                           {r.Left, r.Bottom - 1},
                           {r.Left, r.Top}};
  Polyline(dc, corners, 5);
  SetBkMode(dc, oldMode);
}

void DrawSkinElement(HDC dc, const RECT& rect, int frameCount, int frame, const TDataSkinObject& element) {
  if (rect.right < rect.left || rect.bottom < rect.top) return;
  if (!element.HasImage()) return;
  DrawSkinImage(dc, rect, SkinBitmap(*element.Image), false, element.Tile == 1, element.Trans == 1,
                frameCount, frame, element.Margins());
}

void DrawStripFrame(HDC dc, const RECT& rect, int frameCount, int frame, TBitmap& strip) {
  if (rect.right < rect.left || rect.bottom < rect.top || frameCount <= 0 || strip.Empty()) return;
  DrawFrameImage(dc, rect, strip, true, frameCount, frame);
}

void DrawCaptionText(HDC dc, const RECT& rect, const std::wstring& text, bool enabled, UINT alignment) {
  SetBkMode(dc, TRANSPARENT);
  if (!enabled) SetTextColor(dc, ColorToRGB(clBtnShadow));
  RECT measure = rect;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measure,
            DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | alignment);
  const TSkinRect placed =
      CaptionRect(TSkinRect{rect.left, rect.top, rect.right, rect.bottom}, measure.right - measure.left,
                  measure.bottom - measure.top, alignment == DT_CENTER);
  RECT out{placed.Left, placed.Top, placed.Right, placed.Bottom};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &out, DT_EXPANDTABS | alignment);
}

std::wstring WindowTextOf(HWND wnd) {
  if (!wnd) return {};
  const int n = GetWindowTextLengthW(wnd);
  if (n <= 0) return {};
  std::vector<wchar_t> buf(static_cast<size_t>(n) + 1);
  const int got = GetWindowTextW(wnd, buf.data(), n + 1);
  return std::wstring(buf.data(), static_cast<size_t>(got > 0 ? got : 0));
}
