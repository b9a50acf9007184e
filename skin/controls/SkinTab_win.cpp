#include "skin/controls/SkinTab.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "skin/controls/FocusCue.h"
#include "skin/controls/ImageTextLayout.h"
#include "skin/controls/SkinChildren.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/ImgUtil_win.h"
#include "skin/forms/FormSkin.h"
#include "skin/forms/SkinDrawBitmap_win.h"
#include "ui/Tabs.h"

namespace {

// A pixel buffer or a device bitmap, turned in place.
template <class Image>
void Turn(Image& image, TImageTurn turn) {
  switch (turn) {
    case TImageTurn::FlipVert:
      FlipVert(image);
      break;
    case TImageTurn::RotateLeft:
      RotateLeft(image);
      break;
    case TImageTurn::RotateRight:
      RotateRight(image);
      break;
    case TImageTurn::None:
      break;
  }
}

// A copy of a skin image, turned; empty for a missing image.
void LoadTurned(TBitmap& target, const TSkinImage* image, TImageTurn turn) {
  if (!image || image->Empty()) {
    target.SetSize(0, 0);
    return;
  }
  TPixelBuffer px = image->Pixels();
  Turn(px, turn);
  target.LoadFromPixelBuffer(px);
}

RECT WindowRectIn(HWND child, HWND parent) {
  RECT c{}, p{};
  GetWindowRect(child, &c);
  GetWindowRect(parent, &p);
  OffsetRect(&c, -p.left, -p.top);
  return c;
}

// The up-down family's handler on a scroller window; null when that family is not installed
// or the window cannot be taken.
TSkinControl* AttachUpDown(TSkinControl& tab, HWND wnd) {
  return AttachPart(
      tab, std::unique_ptr<TSkinControl>(SkinControlFamilies().Create(TSkinHandlerKind::UpDown, nullptr)),
      wnd);
}

}  // namespace

void RepaintWithoutSkin(HWND wnd) {
  // Posted paint: it arrives after the handler has let go of the window.
  if (wnd && IsWindow(wnd)) InvalidateRect(wnd, nullptr, TRUE);
}

// ---------------------------------------------------------------- DrawImageAndText

void DrawImageAndText(HDC dc, const RECT& rect, TItemAlign alignment, const std::wstring& text,
                      int imageIndex, HIMAGELIST images, bool enabled) {
  constexpr UINT flags = DT_SINGLELINE | DT_EXPANDTABS | DT_END_ELLIPSIS;
  TImageTextInput in;
  in.Rect = ToSkinRect(rect);
  in.Align = alignment;
  in.ImageIndex = imageIndex;
  in.HasImageList = images != nullptr;
  if (images) ImageList_GetIconSize(images, &in.IconWidth, &in.IconHeight);
  const bool icon = imageIndex != -1 && images && in.IconWidth < in.Rect.Width();
  if (!text.empty()) {
    RECT measure = rect;
    if (icon) measure.right += in.IconWidth + 2;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measure, flags | DT_CALCRECT | DT_NOCLIP);
    in.TextWidth = measure.right - measure.left;
    in.TextHeight = measure.bottom - measure.top;
  }
  const TImageTextLayout at = ImageTextLayout(in);
  if (at.ShowIcon) ImageList_Draw(images, imageIndex, dc, at.IconX, at.IconY, ILD_TRANSPARENT);
  if (text.empty()) return;
  SetBkMode(dc, TRANSPARENT);
  if (!enabled) SetTextColor(dc, ColorToRGB(clBtnShadow));
  RECT tr = ToRect(at.Text);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &tr, flags);
}

// ---------------------------------------------------------------- TSkinTab

DEFINE_CLASS_INFO(TSkinTab, TSkinControl)

TSkinTab::TSkinTab(TComponent* AOwner) : TSkinControl(AOwner) {}

bool TSkinTab::SkinReady() const {
  const TDataSkinBorder* t = FSkinData ? FSkinData->Tabs.get() : nullptr;
  return HasImage(t) && t->SecondImage && !t->SecondImage->Empty();
}

void TSkinTab::InitHandle(HWND Handle, TSkinData* SkinData, TCanvas* Canvas, TSkinForm* Form) {
  TSkinControl::InitHandle(Handle, SkinData, Canvas, Form);
  if (!FInitialized) return;
  ReadWindowFacts();
  FCaption = WindowTextOf(FHandle);
  PrepareTabImages();
  FindScroller();
}

void TSkinTab::UnSkin() {
  TSkinControl::UnSkin();
  RepaintWithoutSkin(FHandle);
}

void TSkinTab::SkinChanged() {
  // The new pictures first: the base repaints at once.
  PrepareTabImages();
  TSkinControl::SkinChanged();
}

void TSkinTab::PrepareTabImages() {
  FTabPosition = ReadTabPosition(static_cast<uint32_t>(GetWindowLongPtrW(FHandle, GWL_STYLE)));
  if (!SkinReady()) {
    FTabImage.SetSize(0, 0);
    FBorderImage.SetSize(0, 0);
    return;
  }
  const TTabTurns turns = TabTurns(FTabPosition);
  LoadTurned(FTabImage, FSkinData->Tabs->Image.get(), turns.TabImage);
  LoadTurned(FBorderImage, FSkinData->Tabs->SecondImage.get(), turns.BorderImage);
}

bool TSkinTab::FindScroller() {
  HWND up = FindWindowExW(FHandle, nullptr, L"msctls_updown32", nullptr);
  FScroller = up;
  if (!up) return false;
  if (!FUpDown) {
    FUpDown = AttachUpDown(*this, up);
  }
  return (GetWindowLongPtrW(up, GWL_STYLE) & WS_VISIBLE) != 0;
}

void TSkinTab::Notification(TComponent* AComponent, TOperation Operation) {
  TSkinControl::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FUpDown) FUpDown = nullptr;
}

void TSkinTab::DrawSkin(HDC dc, const RECT& rect) {
  if (!SkinReady()) return;
  // The side can change after attaching (the style is the truth).
  if (ReadTabPosition(static_cast<uint32_t>(GetWindowLongPtrW(FHandle, GWL_STYLE))) != FTabPosition ||
      FTabImage.Empty())
    PrepareTabImages();
  const TDataSkinBorder& tabs = *FSkinData->Tabs;
  const TTabPosition side = FTabPosition;

  RECT display = rect;
  SendMessageW(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  const TSkinRect window = ToSkinRect(rect);
  const TSkinRect page = TabPageArea(ToSkinRect(display), side);
  const int count = static_cast<int>(SendMessageW(FHandle, TCM_GETITEMCOUNT, 0, 0));
  const int current = static_cast<int>(SendMessageW(FHandle, TCM_GETCURFOCUS, 0, 0));
  auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(FHandle, TCM_GETIMAGELIST, 0, 0));
  FEnabled = (GetWindowLongPtrW(FHandle, GWL_STYLE) & WS_DISABLED) == 0;

  const TSkinRect strip = TabStrip(window, page, side);
  int bw = 0, bh = 0;
  TabBufferSize(strip, side, bw, bh);
  RECT currentTab{};
  if (bw > 0 && bh > 0) {
    HDC buf = FBuffer.Begin(bw, bh);
    const RECT local{0, 0, bw, bh};
    FillParentBackground(buf, local);
    {
      auto font = reinterpret_cast<HFONT>(SendMessageW(FHandle, WM_GETFONT, 0, 0));
      SelectGuard keepFont(buf, font ? font : GetStockObject(DEFAULT_GUI_FONT));
      const TSkinMargins margins = tabs.Margins();
      for (int i = 0; i < count; ++i) {
        wchar_t text[80] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;
        item.pszText = text;
        item.cchTextMax = 80;
        if (!SendMessageW(FHandle, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item)))
          continue;
        RECT r{};
        if (!SendMessageW(FHandle, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r)))
          continue;
        const RECT at = ToRect(TabItemInBuffer(ToSkinRect(r), side, page, bw, window.Width()));
        const bool isCurrent = i == current;
        if (isCurrent) currentTab = r;
        DrawSkinImage(buf, at, FTabImage, false, tabs.Tile == 1, tabs.Trans == 1, tabs.FrameCount,
                      TabFrame(isCurrent), margins);
        SetTextColor(buf, SkinColorRef(isCurrent ? tabs.MouseOverColour2 : tabs.NormalColour2));
        DrawImageAndText(buf, at, TItemAlign::Centre,
                         item.pszText ? std::wstring(item.pszText) : std::wstring(), item.iImage, images,
                         FEnabled);
      }
    }
    Turn(FBuffer.Bitmap(), TabTurns(side).Buffer);
    HDC src = FBuffer.Dc();
    const SavedDc saved(dc);
    if (FindScroller()) {
      // The arrows keep what they drew: the strip goes around them.
      const TSkinRect hole = ToSkinRect(WindowRectIn(FScroller, FHandle));
      for (const TSkinRect& part : RectsAround(strip, hole))
        BitBlt(dc, part.Left, part.Top, part.Width(), part.Height(), src, part.Left - strip.Left,
               part.Top - strip.Top, SRCCOPY);
      ExcludeClipRect(dc, hole.Left, hole.Top, hole.Right, hole.Bottom);
    } else {
      BitBlt(dc, strip.Left, strip.Top, strip.Width(), strip.Height(), src, 0, 0, SRCCOPY);
    }
    // The strip is drawn whole (the system's own focus rectangle is gone under it): the
    // current tab carries the cue, on the screen's side of any turning.
    if (FocusCueShown() && currentTab.right > currentTab.left)
      DrawFocusCue(dc, currentTab, TabFocusInset, SkinColorRef(tabs.MouseOverColour2));
  }
  const TSkinMargins& edges = FSkinData->TabBorderMargins;
  if (!FBorderImage.Empty())
    DrawSkinBorder(dc, ToRect(page), FBorderImage, false, 1, 1,
                   {edges.Left, edges.Top, edges.Right, edges.Bottom});
}

// ---------------------------------------------------------------- TSkinTab31

DEFINE_CLASS_INFO(TSkinTab31, TSkinControl)

TSkinTab31::TSkinTab31(TComponent* AOwner) : TSkinControl(AOwner) {}

void TSkinTab31::PrepareTabImage() {
  const TDataSkinBorder* t = FSkinData ? FSkinData->Tabs.get() : nullptr;
  LoadTurned(FTabImage, t ? t->Image.get() : nullptr, TImageTurn::FlipVert);
}

void TSkinTab31::InitControl(TSkinForm* Form, TSkinData* SkinData, TCanvas* Canvas, bool Recolor) {
  if (FInitialized) return;
  auto* control = OwnerControl();
  if (!control) return;
  FControl = control;
  FRecolor = Recolor;
  TSkinControl::InitHandle(control->Handle(), SkinData, Canvas, Form);
  if (!FInitialized) {
    FControl = nullptr;
    return;
  }
  PrepareTabImage();
  if (control->ComponentCount() > 0)
    if (auto* scroller = dynamic_cast<TTabScroller*>(control->Components(0))) {
      FScroller = scroller;
      FUpDown = AttachUpDown(*this, scroller->Handle());
    }
}

void TSkinTab31::UnSkin() {
  TSkinControl::UnSkin();
  RepaintWithoutSkin(FHandle);
}

void TSkinTab31::SkinChanged() {
  PrepareTabImage();
  TSkinControl::SkinChanged();
}

void TSkinTab31::Notification(TComponent* AComponent, TOperation Operation) {
  TSkinControl::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FUpDown) FUpDown = nullptr;
  if (AComponent == FScroller) FScroller = nullptr;
}

bool TSkinTab31::BeforeProc(TMessage& m) {
  const bool ready = !FTabImage.Empty() && FState != scsDestroyed;
  switch (m.Msg) {
    case WM_PAINT:
      if (!ready) return true;
      // Painted here; the control's own paint then finds nothing left to do.
      DoPaintMessage(*this, m);
      return true;
    case WM_ERASEBKGND:
      if (!ready) return true;
      m.Result = 1;
      return false;
    default:
      return TSkinControl::BeforeProc(m);
  }
}

void TSkinTab31::AfterProc(TMessage& m) {
  // WM_PAINT was served before the control's own procedure ran.
  if (m.Msg == WM_PAINT && !FTabImage.Empty()) return;
  TSkinControl::AfterProc(m);
}

void TSkinTab31::DrawSkin(HDC dc, const RECT& rect) {
  auto* set = dynamic_cast<TTabSet*>(FControl);
  if (!set || FTabImage.Empty() || !FSkinData || !FSkinData->Tabs) return;
  const TDataSkinBorder& tabs = *FSkinData->Tabs;
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  HDC buf = FBuffer.Begin(w, h);
  const RECT local{0, 0, w, h};
  FillSkinBackground(buf, local);
  SelectGuard keepFont(buf, set->Font()->Handle());

  TTabSetInput in;
  for (const std::string& t : set->Tabs()) {
    SIZE size{};
    if (!t.empty()) GetTextExtentPoint32A(buf, t.c_str(), static_cast<int>(t.size()), &size);
    in.TextWidths.push_back(size.cx);
  }
  in.FirstVisible = static_cast<int>(GetIntProperty(set, "FirstIndex"));
  in.Current = static_cast<int>(GetIntProperty(set, "TabIndex"));
  in.StartMargin = static_cast<int>(GetIntProperty(set, "StartMargin"));
  in.EndMargin = static_cast<int>(GetIntProperty(set, "EndMargin"));
  in.Width = w;
  in.Height = h;
  in.ScrollerVisible = FScroller && FScroller->HandleAllocated() && IsWindowVisible(FScroller->Handle());
  FEnabled = (GetWindowLongPtrW(FHandle, GWL_STYLE) & WS_DISABLED) == 0;
  const TSkinMargins margins = tabs.Margins();
  for (const TTabSetTab& t : TabSetLayout(in)) {
    const RECT r = ToRect(t.Rect);
    DrawSkinImage(buf, r, FTabImage, false, tabs.Tile == 1, tabs.Trans == 1, tabs.FrameCount, t.Frame,
                  margins);
    SetTextColor(buf, SkinColorRef(t.Index == in.Current ? tabs.MouseOverColour2 : tabs.NormalColour2));
    DrawCaptionText(buf, r, AnsiToWide(set->Tabs()[static_cast<size_t>(t.Index)]), FEnabled, DT_CENTER);
  }
  FBuffer.CopyTo(dc, rect.left, rect.top);
}
