#include "skin/controls/SkinListView.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "skin/controls/HeaderLayout.h"
#include "skin/controls/SkinChildren.h"
#include "skin/controls/SkinTab.h"
#include "skin/forms/FormSkin.h"
#include "skin/forms/SkinDrawBitmap_win.h"

namespace {
constexpr int HeaderTextChars = 201;

// Frame 1 of the header bar rendered into rect, copied opaque.
void DrawBarFrame(HDC dc, const RECT& rect, const TDataSkinObject& bar) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  DrawSkinImage(dc, rect, SkinBitmap(*bar.Image), false, bar.Tile == 1, false, std::max(1, bar.FrameCount), 1,
                bar.Margins());
}
}  // namespace

// ---------------------------------------------------------------- TSkinHeader

DEFINE_CLASS_INFO(TSkinHeader, TSkinControl)

TSkinHeader::TSkinHeader(TComponent* AOwner) : TSkinControl(AOwner) {}

bool TSkinHeader::SkinReady() const { return FSkinData && HasImage(FSkinData->Headerbar.get()); }

bool TSkinHeader::BeforeProc(TMessage& m) {
  if (m.Msg == WM_ERASEBKGND && SkinReady()) {
    m.Result = 1;
    return false;
  }
  return TSkinControl::BeforeProc(m);
}

void TSkinHeader::UnSkin() {
  TSkinControl::UnSkin();
  RepaintWithoutSkin(FHandle);
}

void TSkinHeader::DrawHeaderItem(HDC dc, int index, const RECT& rect, HIMAGELIST images) {
  const TDataSkinObject& bar = *FSkinData->Headerbar;
  wchar_t text[HeaderTextChars] = {};
  HDITEMW item{};
  item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
  item.pszText = text;
  item.cchTextMax = HeaderTextChars;
  // The frame first: an item that cannot be read still covers the buffer's last paint.
  DrawBarFrame(dc, rect, bar);
  if (!SendMessageW(FHandle, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)))
    return;
  if (!item.pszText || !item.pszText[0]) return;
  const auto format = static_cast<uint32_t>(item.fmt);
  DrawImageAndText(dc, rect, HeaderItemAlign(format), item.pszText, HeaderItemImage(format, item.iImage),
                   images, FEnabled);
}

void TSkinHeader::DrawSkin(HDC dc, const RECT& rect) {
  if (!SkinReady()) return;
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0) return;
  HDC buf = FBuffer.Begin(w, h);
  auto font = reinterpret_cast<HFONT>(SendMessageW(FHandle, WM_GETFONT, 0, 0));
  SelectGuard keepFont(buf, font ? font : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(buf, TRANSPARENT);
  SetTextColor(buf, SkinColorRef(FSkinData->Headerbar->NormalColour2));
  FEnabled = IsWindowEnabled(FHandle) != FALSE;
  auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(FHandle, HDM_GETIMAGELIST, 0, 0));
  const int count = static_cast<int>(SendMessageW(FHandle, HDM_GETITEMCOUNT, 0, 0));
  std::vector<TSkinRect> items;
  for (int i = 0; i < count; ++i) {
    RECT r{};
    if (!SendMessageW(FHandle, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r)))
      continue;
    DrawHeaderItem(buf, i, r, images);
    items.push_back(ToSkinRect(r));
  }
  if (const auto rest = HeaderFillRect(ToSkinRect(RECT{0, 0, w, h}), items))
    DrawBarFrame(buf, ToRect(*rest), *FSkinData->Headerbar);
  FBuffer.CopyTo(dc, rect.left, rect.top);
}

// ---------------------------------------------------------------- TSkinListView

DEFINE_CLASS_INFO(TSkinListView, TSkinScrollbar)

TSkinListView::TSkinListView(TComponent* AOwner) : TSkinScrollbar(AOwner) {}

void TSkinListView::InitScrollControl(TWinControl* Control, TSkinData* SkinData, TCanvas* Canvas,
                                      TSkinForm* Form) {
  if (FInitialized || !Control) return;
  TSkinScrollbar::InitScrollControl(Control, SkinData, Canvas, Form);
  if (FInitialized) AttachHeader();
}

void TSkinListView::AttachHeader() {
  HWND header = reinterpret_cast<HWND>(SendMessageW(FHandle, LVM_GETHEADER, 0, 0));
  if (!header || !FControl) return;
  FHeader = static_cast<TSkinHeader*>(AttachPart(*this, std::make_unique<TSkinHeader>(nullptr), header));
}

void TSkinListView::WindowRecreated() {
  TSkinScrollbar::WindowRecreated();
  if (FForm && FHeader) FForm->FreeControl(FHeader);  // its window is gone; the notification forgets it
  AttachHeader();
}

void TSkinListView::Notification(TComponent* AComponent, TOperation Operation) {
  TSkinScrollbar::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FHeader) FHeader = nullptr;
}
