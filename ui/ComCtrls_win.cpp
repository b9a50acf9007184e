#include "ui/ComCtrls.h"

#include <commctrl.h>

#include <algorithm>
#include <cctype>

#include "ui/CommonControls_win.h"
#include "ui/DpiScale.h"
#include "ui/ImgList.h"

namespace {

// Caption as a user reads it: no '&' markers ("&&" is one '&'), lower case.
std::string Plain(const std::string& caption) {
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size())
      ++i;
    else if (caption[i] == '&')
      continue;
    out.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(caption[i]))));
  }
  return out;
}

}  // namespace

// ---- TTabSheet ----

DEFINE_CLASS_INFO(TTabSheet, TWinControl)

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
  FVisible = false;  // shown when it becomes the active page
  FWidth = 200;
  FHeight = 150;
}

TTabSheet::~TTabSheet() {
  if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* control) { SetParent(control); }

void TTabSheet::SetParent(TWinControl* parent) {
  if (parent == FParent) return;
  if (FPageControl) FPageControl->RemovePage(this);
  TWinControl::SetParent(parent);
  if (auto* pc = dynamic_cast<TPageControl*>(parent)) pc->InsertPage(this);
}

int TTabSheet::PageIndex() const {
  if (!FPageControl) return -1;
  const auto& pages = FPageControl->FPages;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::WndProc(TMessage& m) {
  TWinControl::WndProc(m);
  if (m.Msg == CM_TEXTCHANGED && FPageControl) FPageControl->PageCaptionChanged(this);
}

// ---- TPageControl ----

DEFINE_CLASS_INFO(TPageControl, TWinControl)

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 289;
  FHeight = 193;
  TabStop = true;
}

TPageControl::~TPageControl() {
  // The pages outlive this part of us (their windows go with ours): they forget us now.
  for (TTabSheet* page : FPages) page->FPageControl = nullptr;
  FPages.clear();
  FActivePage = nullptr;
}

void TPageControl::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  WrapCommonControl(p, ICC_TAB_CLASSES, WC_TABCONTROLA);
  // The pages are our child windows: the tab control must not paint over them.
  p.Style |= WS_CLIPCHILDREN;
}

void TPageControl::CreateHandleDone() { RebuildTabs(); }

void TPageControl::InsertPage(TTabSheet* page) {
  page->FPageControl = this;
  FPages.push_back(page);
  if (!FActivePage) FActivePage = page;
  RebuildTabs();
}

void TPageControl::RemovePage(TTabSheet* page) {
  auto it = std::find(FPages.begin(), FPages.end(), page);
  if (it == FPages.end()) return;
  const size_t index = static_cast<size_t>(it - FPages.begin());
  FPages.erase(it);
  page->FPageControl = nullptr;
  if (FActivePage == page) {
    // The neighbour takes its place: the next page, or the one before at the end.
    FActivePage = FPages.empty() ? nullptr : FPages[std::min(index, FPages.size() - 1)];
  }
  RebuildTabs();
}

void TPageControl::PageCaptionChanged(TTabSheet* page) {
  if (!HandleAllocated()) return;
  const int index = page->PageIndex();
  std::string text = page->Caption();
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = text.data();
  SendMessageA(FHandle, TCM_SETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  AlignPages();  // a longer caption can add a row of tabs
}

void TPageControl::RebuildTabs() {
  if (HandleAllocated()) {
    SendMessageA(FHandle, TCM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < FPages.size(); ++i) {
      std::string text = FPages[i]->Caption();
      TCITEMA item{};
      item.mask = TCIF_TEXT;
      item.pszText = text.data();
      SendMessageA(FHandle, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(ActivePageIndex()), 0);
  }
  AlignPages();
  ShowActivePage();
}

RECT TPageControl::DisplayRect() {
  RECT r = ClientRect();
  if (HandleAllocated()) SendMessageA(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  return r;
}

void TPageControl::AlignPages() {
  if (!HandleAllocated()) return;
  const RECT r = DisplayRect();
  for (TTabSheet* page : FPages)
    page->SetBounds(r.left, r.top, std::max(0L, r.right - r.left), std::max(0L, r.bottom - r.top));
}

void TPageControl::ShowActivePage() {
  // The new page shows before the old one hides, so the area never flashes empty.
  if (FActivePage) {
    FActivePage->SetVisible(true);
    if (HandleAllocated()) FActivePage->HandleNeeded();
  }
  for (TTabSheet* page : FPages)
    if (page != FActivePage) page->SetVisible(false);
}

int TPageControl::ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && page->FPageControl != this) return;
  if (page == FActivePage) return;
  FActivePage = page;
  if (HandleAllocated()) SendMessageA(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(ActivePageIndex()), 0);
  ShowActivePage();
}

void TPageControl::SetActivePageIndex(int index) {
  SetActivePage(index >= 0 && index < PageCount() ? FPages[static_cast<size_t>(index)] : nullptr);
}

TTabSheet* TPageControl::FindPage(const std::string& caption) const {
  const std::string wanted = Plain(caption);
  for (TTabSheet* page : FPages)
    if (Plain(page->Caption()) == wanted) return page;
  return nullptr;
}

void TPageControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_NOTIFY: {
      const auto* hdr = reinterpret_cast<const NMHDR*>(m.LParam);
      if (hdr->code == static_cast<UINT>(TCN_SELCHANGING)) {
        bool allow = true;
        if (OnChanging) OnChanging(this, allow);
        m.Result = allow ? FALSE : TRUE;  // TRUE keeps the current tab
        return;
      }
      if (hdr->code == static_cast<UINT>(TCN_SELCHANGE)) {
        const int index = static_cast<int>(SendMessageA(FHandle, TCM_GETCURSEL, 0, 0));
        if (index >= 0 && index < PageCount() && FPages[static_cast<size_t>(index)] != FActivePage) {
          FActivePage = FPages[static_cast<size_t>(index)];
          ShowActivePage();
          if (OnChange) OnChange(this);
        }
        return;
      }
      break;
    }
    default:
      break;
  }
  TWinControl::WndProc(m);
  if (m.Msg == WM_SIZE) AlignPages();
}

// ---- TCustomTabControl ----

namespace {
HIMAGELIST ListHandle(TImageList* images) { return images ? images->Handle() : nullptr; }

// An image list a control shows but does not own: watched, so that the link clears when the
// list is freed, and handed to the made window with setMessage (which: the list's role).
void LinkImages(TWinControl& control, TImageList*& link, TImageList* images, UINT setMessage,
                WPARAM which = 0) {
  if (link) link->RemoveFreeNotification(&control);
  link = images;
  if (link) link->FreeNotification(&control);
  if (control.HandleAllocated())
    SendMessageA(control.Handle(), setMessage, which, reinterpret_cast<LPARAM>(ListHandle(link)));
}

// Drops the link when its list is the component being freed.
void UnlinkFreed(TWinControl& control, TImageList*& link, TComponent* freed, UINT setMessage,
                 WPARAM which = 0) {
  if (!link || freed != link) return;
  link = nullptr;
  if (control.HandleAllocated()) SendMessageA(control.Handle(), setMessage, which, 0);
}

int HeaderFormat(THeaderAlignment a) {
  switch (a) {
    case haRight:
      return HDF_RIGHT;
    case haCenter:
      return HDF_CENTER;
    case haLeft:
      break;
  }
  return HDF_LEFT;
}
}  // namespace

DEFINE_CLASS_INFO(TCustomTabControl, TWinControl,
                  Prop<&TCustomTabControl::TabIndex, &TCustomTabControl::SetTabIndex>("TabIndex"),
                  Prop<&TCustomTabControl::TabPosition, &TCustomTabControl::SetTabPosition>(
                      "TabPosition", {"tpTop", "tpBottom", "tpLeft", "tpRight"}),
                  Prop<&TCustomTabControl::MultiLine, &TCustomTabControl::SetMultiLine>("MultiLine"))

TCustomTabControl::TCustomTabControl(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 289;
  FHeight = 193;
  TabStop = true;
}

TCustomTabControl::~TCustomTabControl() {
  if (FImages) FImages->RemoveFreeNotification(this);
}

DWORD TCustomTabControl::TabStyle() const {
  DWORD s = 0;
  switch (FTabPosition) {
    case tpBottom:
      s = TCS_BOTTOM;
      break;
    case tpLeft:
      s = TCS_VERTICAL;
      break;
    case tpRight:
      s = TCS_VERTICAL | TCS_RIGHT;
      break;
    case tpTop:
      break;
  }
  // Side tabs exist only in rows.
  if (FMultiLine || FTabPosition == tpLeft || FTabPosition == tpRight) s |= TCS_MULTILINE;
  return s;
}

void TCustomTabControl::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  WrapCommonControl(p, ICC_TAB_CLASSES, WC_TABCONTROLA);
  p.Style |= TabStyle();
}

void TCustomTabControl::InsertNative(size_t i) {
  TCITEMA item{};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  std::string text = FTabs[i].Text;
  item.pszText = text.data();
  item.iImage = FTabs[i].ImageIndex;
  SendMessageA(FHandle, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
}

void TCustomTabControl::CreateHandleDone() {
  SendMessageA(FHandle, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(ListHandle(FImages)));
  for (size_t i = 0; i < FTabs.size(); ++i) InsertNative(i);
  SendMessageA(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(FTabIndex), 0);
  FitRowToArrows();
}

// The arrows that scroll a row of tabs too long for the control are as tall as the system's
// scroll-bar arrows, whatever the font; a lower row (a small font, a high DPI) would let them
// stick out of the control or over the page. The row grows to hold them instead.
void TCustomTabControl::FitRowToArrows() {
  if (FMultiLine || FTabs.empty() || (TabStyle() & TCS_VERTICAL)) return;
  RECT row{};
  if (!SendMessageA(FHandle, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row))) return;
  const int missing = GetSystemMetrics(SM_CYHSCROLL) - (row.bottom - row.top);
  if (missing <= 0) return;
  constexpr int defaultPadX = 6, defaultPadY = 3;  // the control's own padding
  SendMessageA(FHandle, TCM_SETPADDING, 0, MAKELPARAM(defaultPadX, defaultPadY + (missing + 1) / 2));
  // The control measures its row again when it is given its font.
  SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont->Handle()), TRUE);
}

int TCustomTabControl::AddTab(const std::string& text, int imageIndex) {
  FTabs.push_back({text, imageIndex});
  if (HandleAllocated()) {
    InsertNative(FTabs.size() - 1);
    FitRowToArrows();
  }
  if (FTabIndex < 0) SetTabIndex(0);
  return TabCount() - 1;
}

void TCustomTabControl::ClearTabs() {
  FTabs.clear();
  FTabIndex = -1;
  if (HandleAllocated()) SendMessageA(FHandle, TCM_DELETEALLITEMS, 0, 0);
}

void TCustomTabControl::SetTabIndex(int index) {
  if (index < -1 || index >= TabCount()) return;
  FTabIndex = index;
  if (HandleAllocated()) SendMessageA(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TCustomTabControl::ApplyStyle() {
  if (!HandleAllocated()) return;
  constexpr DWORD mask = TCS_BOTTOM | TCS_VERTICAL | TCS_MULTILINE;
  const DWORD style = (static_cast<DWORD>(GetWindowLongPtrA(FHandle, GWL_STYLE)) & ~mask) | TabStyle();
  SetWindowLongPtrA(FHandle, GWL_STYLE, static_cast<LONG_PTR>(style));
  SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  Invalidate();
}

void TCustomTabControl::SetTabPosition(TTabPosition position) {
  if (Changes(FTabPosition, position)) ApplyStyle();
}

void TCustomTabControl::SetMultiLine(bool v) {
  if (Changes(FMultiLine, v)) ApplyStyle();
}

void TCustomTabControl::SetImages(TImageList* images) {
  LinkImages(*this, FImages, images, TCM_SETIMAGELIST);
}

void TCustomTabControl::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove) UnlinkFreed(*this, FImages, AComponent, TCM_SETIMAGELIST);
}

RECT TCustomTabControl::DisplayRect() {
  RECT r = ClientRect();
  if (HandleAllocated()) SendMessageA(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  return r;
}

void TCustomTabControl::WndProc(TMessage& m) {
  if (m.Msg == CN_NOTIFY) {
    const auto* hdr = reinterpret_cast<const NMHDR*>(m.LParam);
    if (hdr->code == static_cast<UINT>(TCN_SELCHANGE)) {
      FTabIndex = static_cast<int>(SendMessageA(FHandle, TCM_GETCURSEL, 0, 0));
      if (OnChange) OnChange(this);
      return;
    }
  }
  TWinControl::WndProc(m);
}

DEFINE_CLASS_INFO(TTabControl, TCustomTabControl)

// ---- THeaderControl ----

DEFINE_CLASS_INFO(THeaderControl, TWinControl)

THeaderControl::THeaderControl(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 200;
  FHeight = 20;
}

THeaderControl::~THeaderControl() {
  if (FImages) FImages->RemoveFreeNotification(this);
}

void THeaderControl::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  WrapCommonControl(p, ICC_LISTVIEW_CLASSES, WC_HEADERA);
  p.Style |= HDS_BUTTONS | HDS_HORZ;
}

void THeaderControl::InsertNative(size_t i) {
  const TSection& s = FSections[i];
  HDITEMA item{};
  item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT | HDI_IMAGE;
  std::string text = s.Text;
  item.pszText = text.data();
  item.cxy = s.Width;
  item.iImage = s.ImageIndex;
  // An image shows only when the section has one.
  item.fmt = HDF_STRING | HeaderFormat(s.Alignment) | (s.ImageIndex >= 0 ? HDF_IMAGE : 0);
  SendMessageA(FHandle, HDM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
}

void THeaderControl::CreateHandleDone() {
  SendMessageA(FHandle, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(ListHandle(FImages)));
  for (size_t i = 0; i < FSections.size(); ++i) InsertNative(i);
}

void THeaderControl::ChangeScale(int toDpi, int fromDpi) {
  TWinControl::ChangeScale(toDpi, fromDpi);
  for (size_t i = 0; i < FSections.size(); ++i) {
    FSections[i].Width = ScaleDpi(FSections[i].Width, toDpi, fromDpi);
    if (!HandleAllocated()) continue;
    HDITEMA item{};
    item.mask = HDI_WIDTH;
    item.cxy = FSections[i].Width;
    SendMessageA(FHandle, HDM_SETITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
}

int THeaderControl::AddSection(const std::string& text, int width, THeaderAlignment alignment,
                               int imageIndex) {
  FSections.push_back({text, width, alignment, imageIndex});
  if (HandleAllocated()) InsertNative(FSections.size() - 1);
  return SectionCount() - 1;
}

void THeaderControl::SetImages(TImageList* images) { LinkImages(*this, FImages, images, HDM_SETIMAGELIST); }

void THeaderControl::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove) UnlinkFreed(*this, FImages, AComponent, HDM_SETIMAGELIST);
}

// ---- TCustomListView ----

DEFINE_CLASS_INFO(TCustomListView, TWinControl,
                  Prop<&TCustomListView::ViewStyle, &TCustomListView::SetViewStyle>("ViewStyle",
                                                                                    {"vsIcon", "vsSmallIcon",
                                                                                     "vsList", "vsReport"}))

TCustomListView::TCustomListView(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 250;
  FHeight = 150;
  FColor = clWindow;
  TabStop = true;
}

TCustomListView::~TCustomListView() {
  if (FSmallImages) FSmallImages->RemoveFreeNotification(this);
}

namespace {
DWORD ViewStyleBits(TViewStyle v) {
  switch (v) {
    case vsSmallIcon:
      return LVS_SMALLICON;
    case vsList:
      return LVS_LIST;
    case vsReport:
      return LVS_REPORT;
    case vsIcon:
      break;
  }
  return LVS_ICON;
}
}  // namespace

void TCustomListView::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  WrapCommonControl(p, ICC_LISTVIEW_CLASSES, WC_LISTVIEWA);
  p.Style |= ViewStyleBits(FViewStyle) | LVS_SHOWSELALWAYS | LVS_SINGLESEL | LVS_SHAREIMAGELISTS;
  p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListView::InsertColumn(size_t i) {
  const TColumn& c = FColumns[i];
  LVCOLUMNA col{};
  col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
  std::string text = c.Caption;
  col.pszText = text.data();
  col.cx = c.Width;
  col.iSubItem = static_cast<int>(i);
  col.fmt = c.Alignment == haRight ? LVCFMT_RIGHT : c.Alignment == haCenter ? LVCFMT_CENTER : LVCFMT_LEFT;
  SendMessageA(FHandle, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&col));
}

void TCustomListView::InsertItem(size_t i) {
  const TItem& it = FItems[i];
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = static_cast<int>(i);
  std::string text = it.Caption;
  item.pszText = text.data();
  item.iImage = it.ImageIndex;
  const int at = static_cast<int>(SendMessageA(FHandle, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  for (size_t s = 0; s < it.SubItems.size(); ++s) {
    LVITEMA sub{};
    sub.mask = LVIF_TEXT;
    sub.iItem = at;
    sub.iSubItem = static_cast<int>(s + 1);
    std::string subText = it.SubItems[s];
    sub.pszText = subText.data();
    SendMessageA(FHandle, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&sub));
  }
}

void TCustomListView::CreateHandleDone() {
  SendMessageA(FHandle, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(ListHandle(FSmallImages)));
  SendMessageA(FHandle, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  for (size_t i = 0; i < FColumns.size(); ++i) InsertColumn(i);
  for (size_t i = 0; i < FItems.size(); ++i) InsertItem(i);
}

void TCustomListView::SetViewStyle(TViewStyle style) {
  FViewStyle = style;
  if (!HandleAllocated()) return;
  const DWORD old = static_cast<DWORD>(GetWindowLongPtrA(FHandle, GWL_STYLE));
  SetWindowLongPtrA(FHandle, GWL_STYLE, static_cast<LONG_PTR>((old & ~LVS_TYPEMASK) | ViewStyleBits(style)));
  Invalidate();
}

void TCustomListView::ChangeScale(int toDpi, int fromDpi) {
  TWinControl::ChangeScale(toDpi, fromDpi);
  for (size_t i = 0; i < FColumns.size(); ++i) {
    FColumns[i].Width = ScaleDpi(FColumns[i].Width, toDpi, fromDpi);
    if (HandleAllocated()) SendMessageA(FHandle, LVM_SETCOLUMNWIDTH, i, FColumns[i].Width);
  }
}

int TCustomListView::AddColumn(const std::string& caption, int width, THeaderAlignment alignment) {
  FColumns.push_back({caption, width, alignment});
  if (HandleAllocated()) InsertColumn(FColumns.size() - 1);
  return ColumnCount() - 1;
}

int TCustomListView::AddItem(const std::string& caption, const std::vector<std::string>& subItems,
                             int imageIndex) {
  FItems.push_back({caption, subItems, imageIndex});
  if (HandleAllocated()) InsertItem(FItems.size() - 1);
  return ItemCount() - 1;
}

void TCustomListView::SetSmallImages(TImageList* images) {
  LinkImages(*this, FSmallImages, images, LVM_SETIMAGELIST, LVSIL_SMALL);
}

void TCustomListView::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove)
    UnlinkFreed(*this, FSmallImages, AComponent, LVM_SETIMAGELIST, LVSIL_SMALL);
}

HWND TCustomListView::HeaderHandle() {
  if (!HandleAllocated()) return nullptr;
  return reinterpret_cast<HWND>(SendMessageA(FHandle, LVM_GETHEADER, 0, 0));
}

DEFINE_CLASS_INFO(TListView, TCustomListView)

// ---- TUpDown ----

DEFINE_CLASS_INFO(TUpDown, TWinControl, Prop<&TUpDown::Associate>("Associate"),
                  Prop<&TUpDown::Min, &TUpDown::SetMin>("Min"), Prop<&TUpDown::Max, &TUpDown::SetMax>("Max"),
                  Prop<&TUpDown::Position, &TUpDown::SetPosition>("Position"),
                  Prop<&TUpDown::Orientation, &TUpDown::SetOrientation>("Orientation",
                                                                        {"udHorizontal", "udVertical"}))

TUpDown::TUpDown(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 17;
  FHeight = 25;
  ClicksOnMouseUp = false;
}

TUpDown::~TUpDown() {
  if (FAssociate) FAssociate->RemoveFreeNotification(this);
}

void TUpDown::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FAssociate) FAssociate = nullptr;
}

void TUpDown::SetAssociate(TWinControl* control) {
  if (control == this || control == FAssociate) return;
  if (FAssociate) FAssociate->RemoveFreeNotification(this);
  FAssociate = control;
  if (FAssociate) FAssociate->FreeNotification(this);
  if (!HandleAllocated()) return;
  HWND buddy = FAssociate ? FAssociate->Handle() : nullptr;
  SendMessageA(FHandle, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
  if (buddy) SendMessageA(FHandle, UDM_SETPOS32, 0, FPosition);
}

void TUpDown::SetMin(int v) {
  FMin = v;
  if (HandleAllocated()) SendMessageA(FHandle, UDM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
}

void TUpDown::SetMax(int v) {
  FMax = v;
  if (HandleAllocated()) SendMessageA(FHandle, UDM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
}

int TUpDown::Position() const {
  if (!FHandle) return FPosition;
  BOOL failed = FALSE;
  const int p = static_cast<int>(SendMessageA(FHandle, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
  return failed ? FPosition : p;
}

void TUpDown::SetPosition(int v) {
  FPosition = std::clamp(v, std::min(FMin, FMax), std::max(FMin, FMax));
  if (HandleAllocated()) SendMessageA(FHandle, UDM_SETPOS32, 0, FPosition);
}

void TUpDown::SetOrientation(TUDOrientation v) {
  if (!HandleAllocated()) FOrientation = v;
}

void TUpDown::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  WrapCommonControl(p, ICC_UPDOWN_CLASS, UPDOWN_CLASSA);
  p.Style |= UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_ALIGNRIGHT | UDS_NOTHOUSANDS;
  if (FOrientation == udHorizontal) p.Style |= UDS_HORZ;
}

void TUpDown::CreateHandleDone() {
  SendMessageA(FHandle, UDM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
  if (FAssociate) SendMessageA(FHandle, UDM_SETBUDDY, reinterpret_cast<WPARAM>(FAssociate->Handle()), 0);
  SendMessageA(FHandle, UDM_SETPOS32, 0, FPosition);
}

// ---- TDateTimePicker ----

DEFINE_CLASS_INFO(TDateTimePicker, TWinControl,
                  Prop<&TDateTimePicker::Kind, &TDateTimePicker::SetKind>("Kind", {"dtkDate", "dtkTime"}),
                  Prop<&TDateTimePicker::DateMode, &TDateTimePicker::SetDateMode>("DateMode",
                                                                                  {"dmComboBox", "dmUpDown"}))

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 186;
  FHeight = 21;
  FColor = clWindow;
  TabStop = true;
  ClicksOnMouseUp = false;
}

void TDateTimePicker::SetKind(TDateTimeKind v) {
  if (!HandleAllocated()) FKind = v;
}

void TDateTimePicker::SetDateMode(TDTDateMode v) {
  if (!HandleAllocated()) FDateMode = v;
}

SYSTEMTIME TDateTimePicker::DateTime() const {
  SYSTEMTIME t = FDateTime;
  if (FHandle) SendMessageA(FHandle, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&t));
  return t;
}

void TDateTimePicker::SetDateTime(const SYSTEMTIME& t) {
  FDateTime = t;
  FDateTimeSet = true;
  if (HandleAllocated()) SendMessageA(FHandle, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&t));
}

void TDateTimePicker::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  WrapCommonControl(p, ICC_DATE_CLASSES, DATETIMEPICK_CLASSA);
  // A time picker always steps with arrows; a date picker drops a calendar unless asked not to.
  if (FKind == dtkTime)
    p.Style |= DTS_TIMEFORMAT;
  else if (FDateMode == dmUpDown)
    p.Style |= DTS_UPDOWN;
}

void TDateTimePicker::CreateHandleDone() {
  if (FDateTimeSet) SendMessageA(FHandle, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&FDateTime));
}
