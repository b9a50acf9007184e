#include "ui/ExtCtrls.h"

#include <map>

#include "ui/Forms.h"

namespace {
std::map<UINT_PTR, TTimer*>& Timers() {
  static std::map<UINT_PTR, TTimer*> timers;
  return timers;
}

UINT BevelEdge(TBevelCut cut) { return cut == bvRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER; }
}  // namespace

// ---- TTimer ----

DEFINE_CLASS_INFO(TTimer, TComponent,
                  Computed<TTimer, long>(
                      "Interval", [](const TTimer& t) { return static_cast<long>(t.Interval()); },
                      [](TTimer& t, long v) { t.SetInterval(static_cast<unsigned>(v < 0 ? 0 : v)); }),
                  Prop<&TTimer::Enabled, &TTimer::SetEnabled>("Enabled"))

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) { UpdateTimer(); }

TTimer::~TTimer() {
  FEnabled = false;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned ms) {
  if (Changes(FInterval, ms)) UpdateTimer();
}

void TTimer::SetEnabled(bool v) {
  if (Changes(FEnabled, v)) UpdateTimer();
}

void TTimer::UpdateTimer() {
  if (FId) {
    KillTimer(nullptr, FId);
    Timers().erase(FId);
    FId = 0;
  }
  if (!FEnabled || FInterval == 0) return;
  FId = SetTimer(nullptr, 0, FInterval, TimerProc);
  if (!FId) throw Exception("Not enough timers available");
  Timers()[FId] = this;
}

void CALLBACK TTimer::TimerProc(HWND, UINT, UINT_PTR id, DWORD) noexcept {
  auto it = Timers().find(id);
  if (it == Timers().end()) return;
  TTimer* timer = it->second;
  try {
    if (timer->OnTimer) timer->OnTimer(timer);
  } catch (...) {
    Application->HandleException(timer);
  }
}

// ---- TCustomPanel ----

namespace {
const std::vector<std::string> kBevelCutNames{"bvNone", "bvLowered", "bvRaised"};
}  // namespace

DEFINE_CLASS_INFO(TCustomPanel, TWinControl,
                  Prop<&TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner>("BevelInner", kBevelCutNames),
                  Prop<&TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter>("BevelOuter", kBevelCutNames))

TCustomPanel::TCustomPanel(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 185;
  FHeight = 41;
}

void TCustomPanel::SetBevelInner(TBevelCut v) {
  FBevelInner = v;
  Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut v) {
  FBevelOuter = v;
  Invalidate();
}

void TCustomPanel::PaintWindow(HDC dc) {
  RECT r;
  GetClientRect(FHandle, &r);
  // Outer bevel, then inner bevel inside it; each is BevelWidth pixels.
  for (TBevelCut cut : {FBevelOuter, FBevelInner}) {
    if (cut == bvNone) continue;
    for (int i = 0; i < BevelWidth; ++i) DrawEdge(dc, &r, BevelEdge(cut), BF_RECT | BF_ADJUST);
  }
  std::string text = GetText();
  if (!text.empty()) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(FFont->Color()));
    HGDIOBJ old = SelectObject(dc, FFont->Handle());
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, old);
  }
}

DEFINE_CLASS_INFO(TPanel, TCustomPanel)

// ---- TPicture / TImage ----

namespace {
// The graphic as a T, replacing what was there by an empty T when it is not one.
template <class T>
T* GraphicAs(std::unique_ptr<TGraphic>& graphic) {
  if (auto* t = dynamic_cast<T*>(graphic.get())) return t;
  graphic = std::make_unique<T>();
  return static_cast<T*>(graphic.get());
}
}  // namespace

TIcon* TPicture::Icon() { return GraphicAs<TIcon>(FGraphic); }

TBitmap* TPicture::Bitmap() { return GraphicAs<TBitmap>(FGraphic); }

DEFINE_CLASS_INFO(TImage, TGraphicControl, Prop<&TImage::Stretch>("Stretch"))

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner) {
  FWidth = 105;
  FHeight = 105;
}

void TImage::Paint() {
  TGraphic* g = FPicture.Graphic();
  if (!g || g->Empty()) return;
  RECT dest{0, 0, g->Width(), g->Height()};
  if (Stretch) {
    dest = {0, 0, FWidth, FHeight};
  } else if (Center) {
    OffsetRect(&dest, (FWidth - g->Width()) / 2, (FHeight - g->Height()) / 2);
  }
  Canvas()->StretchDraw(dest, *g);
}

// ---- TScrollBox ----

DEFINE_CLASS_INFO(TScrollBox, TWinControl)

TScrollBox::TScrollBox(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 185;
  FHeight = 41;
}

void TScrollBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.ExStyle |= WS_EX_CLIENTEDGE;
  p.Style |= WS_HSCROLL | WS_VSCROLL | WS_CLIPCHILDREN;
}

void TScrollBox::CreateHandleDone() { UpdateBars(); }

void TScrollBox::SetRange(int width, int height) {
  FRange = {width < 0 ? 0 : width, height < 0 ? 0 : height};
  UpdateBars();
}

void TScrollBox::UpdateBars() {
  if (!HandleAllocated() || FUpdating) return;
  // Showing a bar shrinks the client area, which may call for the other bar: two rounds
  // settle it, and the flag keeps the WM_SIZE they cause from coming back here.
  FUpdating = true;
  for (int round = 0; round < 2; ++round) {
    RECT r;
    GetClientRect(FHandle, &r);
    SCROLLINFO h{sizeof h, SIF_RANGE | SIF_PAGE, 0, FRange.x - 1, static_cast<UINT>(r.right), 0, 0};
    SCROLLINFO v{sizeof v, SIF_RANGE | SIF_PAGE, 0, FRange.y - 1, static_cast<UINT>(r.bottom), 0, 0};
    SetScrollInfo(FHandle, SB_HORZ, &h, TRUE);
    SetScrollInfo(FHandle, SB_VERT, &v, TRUE);
  }
  FUpdating = false;
  RECT r;
  GetClientRect(FHandle, &r);
  ScrollTo(FPos.x > FRange.x - r.right ? FRange.x - r.right : FPos.x,
           FPos.y > FRange.y - r.bottom ? FRange.y - r.bottom : FPos.y);
}

void TScrollBox::ScrollTo(int x, int y) {
  RECT r{0, 0, FWidth, FHeight};
  if (HandleAllocated()) GetClientRect(FHandle, &r);
  const int maxX = FRange.x - r.right > 0 ? FRange.x - r.right : 0;
  const int maxY = FRange.y - r.bottom > 0 ? FRange.y - r.bottom : 0;
  x = x < 0 ? 0 : (x > maxX ? maxX : x);
  y = y < 0 ? 0 : (y > maxY ? maxY : y);
  const int dx = x - FPos.x, dy = y - FPos.y;
  FPos = {x, y};
  if (!HandleAllocated()) return;
  SetScrollPos(FHandle, SB_HORZ, x, TRUE);
  SetScrollPos(FHandle, SB_VERT, y, TRUE);
  if (dx == 0 && dy == 0) return;
  // Windowed and windowless children alike keep their place in the content.
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    c->SetBounds(c->Left() - dx, c->Top() - dy, c->Width(), c->Height());
  }
  InvalidateRect(FHandle, nullptr, TRUE);
}

int TScrollBox::NewPos(int bar, int code) {
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(FHandle, bar, &si);
  const int line = 16;
  const int page = si.nPage > 0 ? static_cast<int>(si.nPage) : line;
  switch (code) {
    case SB_LINEUP:
      return si.nPos - line;
    case SB_LINEDOWN:
      return si.nPos + line;
    case SB_PAGEUP:
      return si.nPos - page;
    case SB_PAGEDOWN:
      return si.nPos + page;
    case SB_TOP:
      return 0;
    case SB_BOTTOM:
      return si.nMax;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      return si.nTrackPos;
    default:
      return si.nPos;
  }
}

void TScrollBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_HSCROLL:
      if (m.LParam == 0) {
        ScrollTo(NewPos(SB_HORZ, LOWORD(m.WParam)), FPos.y);
        return;
      }
      break;
    case WM_VSCROLL:
      if (m.LParam == 0) {
        ScrollTo(FPos.x, NewPos(SB_VERT, LOWORD(m.WParam)));
        return;
      }
      break;
    case WM_MOUSEWHEEL:
      ScrollTo(FPos.x, FPos.y - GET_WHEEL_DELTA_WPARAM(m.WParam) / WHEEL_DELTA * 3 * 16);
      return;
    default:
      break;
  }
  TWinControl::WndProc(m);
  if (m.Msg == WM_SIZE) UpdateBars();
}
