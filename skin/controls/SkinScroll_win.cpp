#include "skin/controls/SkinScroll.h"

#include <algorithm>

#include "skin/controls/SkinChildren.h"
#include "skin/data/WinConst.h"
#include "skin/forms/FormSkin.h"
#include "skin/forms/SkinDrawBitmap_win.h"

static_assert(sizeof(SCROLLBARINFO) == 60, "the covered bar is read as the system's 60-byte record");

namespace {

// The arrow strip always holds 23 frames and the tracks 4, whatever their FrameCount says.
constexpr int ArrowStripFrames = 23;
constexpr int TrackStripFrames = 4;

// The signed client point of a mouse message.
POINT MessagePoint(const TMessage& m) {
  return {static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
}
// A WM_WINDOWPOSCHANGED that moved the window.
bool Moved(const TMessage& m) {
  const auto* pos = reinterpret_cast<const WINDOWPOS*>(m.LParam);
  return pos && (pos->flags & SWP_NOMOVE) == 0;
}

}  // namespace

// ---------------------------------------------------------------- TWScrollbar

DEFINE_CLASS_INFO(TWScrollbar, TWinControl)

TWScrollbar::TWScrollbar(TSkinControl* Handler)
    : TWinControl(Handler), FArrowSize(GetSystemMetrics(SM_CXHSCROLL)) {
  FSkinControl = Handler;
  FVisible = false;
  ClicksOnMouseUp = false;  // a press is the native bar's, never a click of ours
}

TWScrollbar::~TWScrollbar() { *FAlive = false; }

void TWScrollbar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  // Never visible before it has a place; never a tab stop or a focus target.
  p.Style = WS_CHILD | WS_CLIPSIBLINGS;
  p.WndParent = FParentWindow;
  p.X = 0;
  p.Y = 0;
  p.Width = 0;
  p.Height = 0;
  p.Background = nullptr;
}

void TWScrollbar::AttachControl(TSkinControl* Handler, TWinControl* Control, TScrollBarKind Kind) {
  if (!Control) return;
  Attach(Handler, Control->Handle(), Control, Kind);
}

void TWScrollbar::AttachHandle(TSkinControl* Handler, HWND Window, TScrollBarKind Kind) {
  Attach(Handler, Window, nullptr, Kind);
}

void TWScrollbar::Attach(TSkinControl* Handler, HWND Window, TWinControl* Control, TScrollBarKind Kind) {
  if (!Window) return;
  FSkinControl = Handler;
  FTarget = Window;
  FTargetControl = Control;
  FKind = Kind;
  if (Kind == sbkControl) {
    FVertical = Control ? ScrollKindIsVertical(GetEnumProperty(Control, "Kind"))
                        : (GetWindowLongPtrW(Window, GWL_STYLE) & SBS_VERT) != 0;
  } else {
    FVertical = Kind == sbkVertical ? 1 : 0;
  }
  FParentWindow = GetParent(Window);
  if (HandleAllocated()) {
    if (GetParent(FHandle) != FParentWindow) ::SetParent(FHandle, FParentWindow);
  } else {
    HandleNeeded();
  }
  UpdatePosition(Window);
}

void TWScrollbar::HideBar() {
  if (HandleAllocated()) ShowWindow(FHandle, SW_HIDE);
  FShown = false;
}

bool TWScrollbar::GetControlBarInfo(SCROLLBARINFO& info) {
  info = SCROLLBARINFO{};
  info.cbSize = sizeof info;
  RECT r{};
  GetClientRect(FTarget, &r);
  MapWindowPoints(FTarget, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
  info.rcScrollBar = r;
  FLength = FVertical ? r.bottom - r.top : r.right - r.left;
  info.rgstate[0] = IsWindowEnabled(FTarget) ? 0 : STATE_SYSTEM_UNAVAILABLE;
  // The control's own thumb, where the system has it and as long as it makes it (at least
  // its minimum length, so that a press on the skinned thumb lands on the native one).
  SCROLLBARINFO native{};
  native.cbSize = sizeof native;
  if (GetScrollBarInfo(FTarget, OBJID_CLIENT, &native)) {
    info.xyThumbTop = native.xyThumbTop;
    info.xyThumbBottom = native.xyThumbBottom;
    return true;
  }
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(FTarget, SB_CTL, &si);
  // The thumb arithmetic counts from a minimum of 0.
  const TThumbExtent t = ControlBarThumb(FLength, FArrowSize, static_cast<int64_t>(si.nPos) - si.nMin,
                                         static_cast<int64_t>(si.nMax) - si.nMin, si.nPage);
  info.xyThumbTop = t.Start;
  info.xyThumbBottom = t.End;
  return true;
}

bool TWScrollbar::ReadBar(SCROLLBARINFO& info) {
  if (!FTarget || !IsWindow(FTarget)) return false;
  if (FKind == sbkControl) return GetControlBarInfo(info);
  info = SCROLLBARINFO{};
  info.cbSize = sizeof info;
  return GetScrollBarInfo(FTarget, FKind == sbkVertical ? OBJID_VSCROLL : OBJID_HSCROLL, &info) != FALSE;
}

void TWScrollbar::UpdatePosition(HWND Window) {
  FTarget = Window;
  SCROLLBARINFO info;
  if (!ReadBar(info)) {
    FShown = false;
    return;
  }
  if (FKind != sbkControl && (info.rgstate[0] & STATE_SYSTEM_INVISIBLE) != 0) {
    HideBar();
    return;
  }
  const RECT bar = info.rcScrollBar;
  FScreenPos = {bar.left, bar.top};
  FBarRect = bar;
  MapWindowPoints(HWND_DESKTOP, FTarget, reinterpret_cast<POINT*>(&FBarRect), 2);
  const int w = bar.right - bar.left, h = bar.bottom - bar.top;
  FLength = FVertical ? h : w;
  if (!HandleAllocated()) return;
  POINT at{bar.left, bar.top};
  ::ScreenToClient(GetParent(FHandle), &at);
  ShowWindow(FHandle, SW_SHOWNA);
  FShown = true;
  if (FKind == sbkControl) {
    SetWindowPos(FHandle, HWND_TOP, at.x, at.y, w, h, SWP_NOREDRAW | SWP_NOACTIVATE);
  } else {
    // Directly above the target, so it covers the native bar and nothing else covers it.
    HWND prev = GetWindow(FTarget, GW_HWNDPREV);
    UINT flags = SWP_NOREDRAW | SWP_NOACTIVATE;
    if (prev == FHandle) flags |= SWP_NOZORDER;
    SetWindowPos(FHandle, prev ? prev : HWND_TOP, at.x, at.y, w, h, flags);
  }
  MoveWindow(FHandle, at.x, at.y, w, h, TRUE);
  InvalidateRect(FHandle, nullptr, FALSE);
}

int TWScrollbar::HitTest(POINT p) const {
  return ScrollHitTest(FVertical ? p.y : p.x, FArrowSize, TThumbExtent{FThumbStart, FThumbEnd}, FLength);
}

POINT TWScrollbar::ScreenPointOf(const TMessage& m) const {
  POINT p = MessagePoint(m);
  if (FKind != sbkControl) {
    p.x += FScreenPos.x;
    p.y += FScreenPos.y;
  }
  return p;
}

void TWScrollbar::LeftDown(TMessage& m) {
  const POINT local = MessagePoint(m);
  const POINT sent = ScreenPointOf(m);
  SCROLLBARINFO info;
  const bool read = ReadBar(info);
  // A disabled bar takes no press, as natively (handed on, it would come back to life).
  if (read && (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) != 0) return;
  GetCursorPos(&FDownPos);
  if (read) FDownThumb = info.xyThumbTop;
  if (FKind != sbkControl) {
    SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, 0, 0};
    if (GetScrollInfo(FTarget, FKind == sbkVertical ? SB_VERT : SB_HORZ, &si)) FDownScrollPos = si.nPos;
  }
  if (FKind == sbkControl) FHitCode = HitTest(local);
  FMouseDown = true;
  if (FKind == sbkControl) Invalidate();
  ReleaseCapture();
  // The system's scroll loop runs inside this call until the button is released; it
  // scrolls the target, whose WM_HSCROLL / WM_VSCROLL repaint this bar meanwhile.
  const std::shared_ptr<bool> alive = FAlive;
  const TScrollForward fwd = ScrollForward(FKind, false);
  SendMessageW(FTarget, fwd.Msg, fwd.WParam, MAKELPARAM(sent.x, sent.y));
  if (!*alive) return;
  FMouseDown = false;
  ReleaseCapture();
  if (FKind == sbkControl) Invalidate();
}

void TWScrollbar::LeftUp(TMessage& m) {
  const POINT sent = ScreenPointOf(m);
  FMouseDown = false;
  ReleaseCapture();
  const TScrollForward fwd = ScrollForward(FKind, true);
  PostMessageW(FTarget, fwd.Msg, fwd.WParam, MAKELPARAM(sent.x, sent.y));
  if (FKind == sbkControl) Invalidate();
}

void TWScrollbar::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_ERASEBKGND:
      m.Result = 1;  // the paint covers every pixel
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      TWinControl::WndProc(m);
      LeftDown(m);
      return;
    case WM_LBUTTONUP:
      TWinControl::WndProc(m);
      LeftUp(m);
      return;
    default:
      TWinControl::WndProc(m);
      return;
  }
}

void TWScrollbar::PaintWindow(HDC dc) {
  // A broken skin image never breaks the bar's message loop.
  SilentCall([&] { Paint(dc); });
}

void TWScrollbar::Paint(HDC dc) {
  TSkinData* skin = FSkinControl ? FSkinControl->SkinData() : nullptr;
  if (!skin || !HasImage(skin->Scrollbar.get())) return;
  SCROLLBARINFO info;
  if (!ReadBar(info)) return;
  if (FKind != sbkControl && (info.rgstate[0] & STATE_SYSTEM_INVISIBLE) != 0) return;
  const RECT& bar = info.rcScrollBar;
  const int w = std::max<int>(bar.right - bar.left, 1), h = std::max<int>(bar.bottom - bar.top, 1);
  FLength = FVertical ? h : w;

  TBitmap& arrows = SkinBitmap(*skin->Scrollbar->Image);
  TScrollPaintInput in;
  in.Width = w;
  in.Height = h;
  in.Kind = FKind;
  in.Vertical = FVertical != 0;
  in.Arrow = FArrowSize;
  in.StripHeight = arrows.Height();
  in.Enabled = (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) == 0;
  in.MouseDown = FMouseDown;
  in.HitCode = FHitCode;
  in.NativeThumb = {static_cast<int>(info.xyThumbTop), static_cast<int>(info.xyThumbBottom)};
  in.ThumbAtPress = FDownThumb;
  POINT cursor{};
  GetCursorPos(&cursor);
  in.CursorTravel = FVertical ? cursor.y - FDownPos.y : cursor.x - FDownPos.x;
  if (FKind != sbkControl && FMouseDown && FHitCode == SB_THUMBTRACK) {
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    if (GetScrollInfo(FTarget, FKind == sbkVertical ? SB_VERT : SB_HORZ, &si)) {
      in.TrackAtPress = si.nTrackPos == FDownScrollPos;
      in.TrackPositions = static_cast<int64_t>(si.nMax) - si.nMin - (si.nPage > 0 ? si.nPage - 1 : 0);
    }
  }

  HDC buf = FBuffer.Begin(w, h);
  SetStretchBltMode(buf, COLORONCOLOR);
  {
    TBrushHandle face(CreateSolidBrush(SkinColorRef(skin->ColorButtonFace)));
    const RECT all{0, 0, w, h};
    if (face) FillRect(buf, &all, face.get());
  }
  const auto& track = FVertical ? skin->VertScroll : skin->HorzScroll;
  const auto& thumb = FVertical ? skin->VertScrollThumb : skin->HorzScrollThumb;
  // The horizontal elements' settings stand for both orientations.
  const bool trackTile = skin->HorzScroll && skin->HorzScroll->Tile == 1;
  const TDataSkinObject* thumbSettings = skin->HorzScrollThumb ? skin->HorzScrollThumb.get() : thumb.get();
  FThumbStart = FThumbEnd = 0;
  for (const TScrollPaintStep& step : ScrollBarPaintPlan(in)) {
    const RECT r = ToRect(step.Rect);
    switch (step.Part) {
      case TScrollPart::Track:
        if (HasImage(track.get()))
          DrawSkinImage(buf, r, SkinBitmap(*track->Image), false, trackTile, track->Trans == 1,
                        TrackStripFrames, step.Frame, track->Margins());
        break;
      case TScrollPart::FirstArrow:
      case TScrollPart::SecondArrow:
        DrawStripFrame(buf, r, ArrowStripFrames, step.Frame, arrows);
        break;
      case TScrollPart::Thumb:
        FThumbStart = FVertical ? r.top : r.left;
        FThumbEnd = FVertical ? r.bottom : r.right;
        if (HasImage(thumb.get()))
          DrawSkinImage(buf, r, SkinBitmap(*thumb->Image), false, false, thumbSettings->Trans == 1,
                        thumbSettings->FrameCount, step.Frame, thumb->Margins());
        break;
    }
  }
  FBuffer.CopyTo(dc, 0, 0);
}

// ---------------------------------------------------------------- TSkinScrollbar

DEFINE_CLASS_INFO(TSkinScrollbar, TSkinControl)

TSkinScrollbar::TSkinScrollbar(TComponent* AOwner) : TSkinControl(AOwner) {}

TSkinScrollbar::~TSkinScrollbar() { FreeBars(); }

void TSkinScrollbar::MakeBars(TWinControl* control, HWND window) {
  FreeBars();
  FHorz = new TWScrollbar(this);
  FVert = new TWScrollbar(this);
  if (control) {
    FHorz->AttachControl(this, control, sbkHorizontal);
    FVert->AttachControl(this, control, sbkVertical);
  } else {
    FHorz->AttachHandle(this, window, sbkHorizontal);
    FVert->AttachHandle(this, window, sbkVertical);
  }
}

void TSkinScrollbar::FreeBars() {
  delete FHorz;
  FHorz = nullptr;
  delete FVert;
  FVert = nullptr;
}

void TSkinScrollbar::HideBars() {
  if (FHorz) FHorz->HideBar();
  if (FVert) FVert->HideBar();
}

void TSkinScrollbar::InitScrollControl(TWinControl* Control, TSkinData* SkinData, TCanvas* Canvas,
                                       TSkinForm* Form) {
  AttachCovered(Control, SkinData, Canvas, Form, [&] {
    MakeBars(Control, nullptr);
    if (!Control->Visible()) HideBars();
  });
}

void TSkinScrollbar::WindowRecreated() {
  TSkinControl::WindowRecreated();
  if (FHorz) FHorz->AttachControl(this, FControl, sbkHorizontal);
  if (FVert) FVert->AttachControl(this, FControl, sbkVertical);
  if (!FControl->Visible()) HideBars();
}

void TSkinScrollbar::UpdateBars() {
  if (FHorz) FHorz->UpdatePosition(FHandle);
  if (FVert) FVert->UpdatePosition(FHandle);
}

void TSkinScrollbar::UnSkin() {
  TSkinControl::UnSkin();
  // A window being destroyed takes its parent's children with it: the bars are only
  // hidden now and go with the handler.
  if (FState != scsDestroyed)
    FreeBars();
  else
    HideBars();
}

void TSkinScrollbar::ScrollNotified(const TMessage& m) {
  // Only the window's own bars: a scroll-bar control inside reports through the same
  // messages with its window in lParam.
  if (m.LParam != 0) return;
  TWScrollbar* bar = m.Msg == WM_HSCROLL ? FHorz : FVert;
  if (!bar) return;
  bar->SetHitCode(LOWORD(m.WParam));
  bar->Invalidate();
}

bool TSkinScrollbar::FollowWindow(const TMessage& m) {
  if (m.Msg == WM_HSCROLL || m.Msg == WM_VSCROLL) {
    ScrollNotified(m);
    return true;
  }
  if (m.Msg != WM_WINDOWPOSCHANGED) return false;
  // A move without a new size repaints nothing of the window: follow it here.
  if (Moved(m)) UpdateBars();
  return true;
}

void TSkinScrollbar::AfterProc(TMessage& m) {
  switch (m.Msg) {
    case WM_SIZE:
      RepaintControl();
      break;
    case WM_NCPAINT:
      // The window may have been made again.
      if (FControl && FControl->HandleAllocated()) FHandle = FControl->Handle();
      UpdateBars();
      break;
    case WM_MOUSEWHEEL:
      for (TWScrollbar* b : {FHorz, FVert})
        if (b && b->Shown()) b->Invalidate();
      break;
    case CM_VISIBLECHANGED:
      if (m.WParam == 0) HideBars();
      break;
    default:
      if (!FollowWindow(m)) TSkinControl::AfterProc(m);
      break;
  }
}

void TSkinScrollbar::DrawSkin(HDC dc, const RECT&) {
  const bool h = FHorz && FHorz->Shown(), v = FVert && FVert->Shown();
  if (h) FHorz->Invalidate();
  if (v) FVert->Invalidate();
  if (!h || !v || !FSkinData) return;
  // The bars' rectangles are client coordinates and the DC is the window's.
  RECT window{};
  POINT client{0, 0};
  GetWindowRect(FHandle, &window);
  ClientToScreen(FHandle, &client);
  const RECT corner = ToRect(ScrollCornerRect(ToSkinRect(FVert->BarRect()), ToSkinRect(FHorz->BarRect()),
                                              client.x - window.left, client.y - window.top));
  FillSkinBackground(dc, corner);
}

// ---------------------------------------------------------------- TSkinScrollbarH

DEFINE_CLASS_INFO(TSkinScrollbarH, TSkinScrollbar)

TSkinScrollbarH::TSkinScrollbarH(TComponent* AOwner) : TSkinScrollbar(AOwner) {}

void TSkinScrollbarH::InitHandle(HWND Handle, TSkinData* SkinData, TCanvas* Canvas, TSkinForm* Form) {
  if (FInitialized || !Handle) return;
  BindWindow(Handle, SkinData, Canvas, Form);
  MakeBars(nullptr, Handle);
  if (!SubclassWindow()) {
    FreeBars();
    return;
  }
  FInitialized = true;
  FState = scsAttached;
}

void TSkinScrollbarH::AfterProc(TMessage& m) {
  if (FHandle && !IsWindowVisible(FHandle) && FVert) FVert->HideBar();
  if (m.Msg == WM_SIZE || m.Msg == WM_NCPAINT) {
    UpdateBars();
    RepaintControl();
  } else if (!FollowWindow(m)) {
    TSkinControl::AfterProc(m);
  }
}

// ---------------------------------------------------------------- TSkinScControl

DEFINE_CLASS_INFO(TSkinScControl, TSkinControl)

TSkinScControl::TSkinScControl(TComponent* AOwner) : TSkinControl(AOwner) {}

TSkinScControl::~TSkinScControl() {
  delete FBar;
  FBar = nullptr;
}

void TSkinScControl::InitScControl(TWinControl* Control, TSkinData* SkinData, TCanvas* Canvas,
                                   TSkinForm* Form) {
  AttachCovered(Control, SkinData, Canvas, Form, [&] {
    FBar = new TWScrollbar(this);
    FBar->AttachControl(this, Control, sbkControl);
    if (!Control->Visible()) FBar->HideBar();
  });
}

void TSkinScControl::WindowRecreated() {
  TSkinControl::WindowRecreated();
  if (!FBar) return;
  FBar->AttachControl(this, FControl, sbkControl);
  if (!FControl->Visible()) FBar->HideBar();
}

void TSkinScControl::UnSkin() {
  TSkinControl::UnSkin();
  if (FState != scsDestroyed) {
    delete FBar;
    FBar = nullptr;
  } else if (FBar) {
    FBar->HideBar();
  }
}

void TSkinScControl::AfterProc(TMessage& m) {
  switch (m.Msg) {
    case WM_NCPAINT:
      if (FControl && FControl->HandleAllocated()) FHandle = FControl->Handle();
      if (FBar) FBar->UpdatePosition(FHandle);
      break;
    case WM_WINDOWPOSCHANGED:
      if (FBar && Moved(m)) FBar->UpdatePosition(FHandle);
      break;
    case SBM_SETSCROLLINFO:
      if (FBar) FBar->Invalidate();
      break;
    case CM_VISIBLECHANGED:
      if (m.WParam == 0 && FBar) FBar->HideBar();
      break;
    default:
      TSkinControl::AfterProc(m);
      break;
  }
}

void TSkinScControl::DrawSkin(HDC, const RECT&) {
  if (FBar) FBar->Invalidate();
}
