#include "ui/Tabs.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/CommonControls_win.h"

// ---- TTabScroller ----

DEFINE_CLASS_INFO(TTabScroller, TWinControl)

TTabScroller::TTabScroller(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = ScrollerWidth;
  FHeight = 16;
  FVisible = false;  // shown only while the tabs overflow
}

void TTabScroller::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  WrapCommonControl(p, ICC_UPDOWN_CLASS, UPDOWN_CLASSA);
  p.Style |= UDS_HORZ;
}

// ---- TTabSet ----

namespace {
// A tab is its text plus this much; with the scroller shown, the last tab keeps room for it.
constexpr int TabPadding = 9;
constexpr int ScrollerRoom = 21;
}  // namespace

DEFINE_CLASS_INFO(TTabSet, TWinControl, Prop<&TTabSet::TabIndex, &TTabSet::SetTabIndex>("TabIndex"),
                  Prop<&TTabSet::FirstIndex, &TTabSet::SetFirstIndex>("FirstIndex"),
                  Prop<&TTabSet::StartMargin, &TTabSet::SetStartMargin>("StartMargin"),
                  Prop<&TTabSet::EndMargin, &TTabSet::SetEndMargin>("EndMargin"))

TTabSet::TTabSet(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 185;
  FHeight = 21;
  TabStop = true;
  FScroller = new TTabScroller(this);
  FScroller->Name = "Scroller";
  FScroller->SetParent(this);
}

void TTabSet::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.Style |= WS_CLIPCHILDREN;
  p.Background = GetSysColorBrush(COLOR_BTNFACE);
}

void TTabSet::CreateHandleDone() { UpdateScroller(); }

int TTabSet::AddTab(const std::string& text) {
  FTabs.push_back(text);
  if (FTabIndex < 0) FTabIndex = 0;
  UpdateScroller();
  Invalidate();
  return TabCount() - 1;
}

void TTabSet::SetTabIndex(int index) {
  if (index < -1 || index >= TabCount() || index == FTabIndex) return;
  FTabIndex = index;
  Invalidate();
}

void TTabSet::SetFirstIndex(int index) {
  index = std::clamp(index, 0, std::max(0, TabCount() - 1));
  if (index == FFirstIndex) return;
  FFirstIndex = index;
  UpdateScroller();
  Invalidate();
}

void TTabSet::SetStartMargin(int v) {
  FStartMargin = std::max(0, v);
  UpdateScroller();
  Invalidate();
}

void TTabSet::SetEndMargin(int v) {
  FEndMargin = std::max(0, v);
  UpdateScroller();
  Invalidate();
}

int TTabSet::TabTextWidth(int index) {
  if (index < 0 || index >= TabCount()) return 0;
  const std::string& text = FTabs[static_cast<size_t>(index)];
  if (text.empty()) return 0;
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, FFont->Handle());
  SIZE size{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size.cx;
}

bool TTabSet::Overflows() {
  int x = FStartMargin;
  const int limit = FWidth - FEndMargin;
  for (int i = FFirstIndex; i < TabCount(); ++i) {
    x += TabTextWidth(i) + TabPadding;
    if (x > limit) return true;
  }
  return false;
}

std::vector<TTabSet::TPlaced> TTabSet::Layout(HDC, int width) {
  const bool scroller = FScroller && FScroller->Visible();
  std::vector<TPlaced> out;
  int x = FStartMargin;
  const int limit = width - FEndMargin;
  for (int i = FFirstIndex; i < TabCount(); ++i) {
    const int w = TabTextWidth(i);
    if (x + w + (scroller ? ScrollerRoom : TabPadding) > limit) continue;
    out.push_back({i, RECT{x, 0, x + w + TabPadding, FHeight}});
    x += w + TabPadding;
  }
  return out;
}

int TTabSet::TabAt(int x, int y) {
  for (const TPlaced& p : Layout(nullptr, FWidth)) {
    const POINT pt{x, y};
    if (PtInRect(&p.Rect, pt)) return p.Index;
  }
  return -1;
}

void TTabSet::UpdateScroller() {
  if (!FScroller) return;
  const bool show = FFirstIndex > 0 || Overflows();
  const int h = std::min(FHeight, 16);
  FScroller->SetBounds(FWidth - TTabScroller::ScrollerWidth, 0, TTabScroller::ScrollerWidth, h);
  FScroller->SetVisible(show);
  if (HandleAllocated() && FScroller->HandleAllocated()) {
    SendMessageA(FScroller->Handle(), UDM_SETRANGE32, 0, std::max(0, TabCount() - 1));
    SendMessageA(FScroller->Handle(), UDM_SETPOS32, 0, FFirstIndex);
  }
}

void TTabSet::PaintWindow(HDC dc) {
  RECT client;
  GetClientRect(FHandle, &client);
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  FillRect(dc, &client, face);
  // The edge of the page the tabs hang from.
  RECT edge{client.left, client.top, client.right, client.top + 1};
  FillRect(dc, &edge, GetSysColorBrush(COLOR_3DDKSHADOW));
  HGDIOBJ old = SelectObject(dc, FFont->Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(FFont->Color()));
  for (const TPlaced& p : Layout(dc, client.right)) {
    RECT r = p.Rect;
    const bool current = p.Index == FTabIndex;
    if (!current) r.top += 1;
    FillRect(dc, &r, current ? GetSysColorBrush(COLOR_WINDOW) : face);
    DrawEdge(dc, &r, EDGE_RAISED, BF_LEFT | BF_RIGHT | BF_BOTTOM);
    const std::string& text = FTabs[static_cast<size_t>(p.Index)];
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  SelectObject(dc, old);
}

void TTabSet::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_HSCROLL:
      if (FScroller && FScroller->HandleAllocated() &&
          reinterpret_cast<HWND>(m.LParam) == FScroller->Handle()) {
        SetFirstIndex(static_cast<int>(SendMessageA(FScroller->Handle(), UDM_GETPOS32, 0, 0)));
        return;
      }
      break;
    case WM_LBUTTONDOWN: {
      const int hit = TabAt(static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam)));
      if (hit >= 0 && hit != FTabIndex) {
        SetTabIndex(hit);
        if (OnChange) OnChange(this);
      }
      break;
    }
    default:
      break;
  }
  TWinControl::WndProc(m);
  if (m.Msg == WM_SIZE) UpdateScroller();
}
