// Skinned list views on real windows: the header found and skinned through its list view,
// the bar right of the last column filled with the header frame, and item images shown
// only when the item's format asks for them.
#include "support/Canvas_win.h"
#include "tests/win32/skin/controls/tabs/TabTestEnv_win.h"

namespace {
using namespace tabtest;

TListView* AddReportView(controltest::ControlTest& t, int columnWidth) {
  auto* lv = t.Add<TListView>(10, 10, 300, 150);
  lv->SetViewStyle(vsReport);
  lv->AddColumn("Name", columnWidth);
  lv->AddColumn("Size", columnWidth, haRight);
  for (int i = 0; i < 20; ++i) lv->AddItem("Row " + std::to_string(i), {std::to_string(i)});
  return lv;
}

struct SkinListViewTest : TabTest {
  // A shown form with one report view of 20 rows (Lv); answers the list view's handler.
  TSkinListView* ShowReportView(int columnWidth) {
    MakeForm();
    Lv = AddReportView(*this, columnWidth);
    return ShowFormFor<TSkinListView>(Lv);
  }
  TListView* Lv = nullptr;
};

TEST_F(SkinListViewTest, AReportViewGetsItsHeaderAndItsScrollBarsSkinned) {
  TSkinListView* h = ShowReportView(60);
  ASSERT_NE(h, nullptr);
  TListView* lv = Lv;
  ASSERT_NE(h->Header(), nullptr);
  EXPECT_EQ(h->Header()->Handle(), lv->HeaderHandle());
  ASSERT_NE(h->Form(), nullptr);
  EXPECT_EQ(h->Header()->Form(), h->Form()) << "the form handler owns its header's handler";
  // Twenty rows do not fit in 150 pixels: the vertical bar shows, covered by a skinned one.
  ASSERT_NE(h->VertBar(), nullptr);
  EXPECT_TRUE(h->VertBar()->Shown());
  EXPECT_TRUE(h->HorzBar() == nullptr || !h->HorzBar()->Shown()) << "the columns fit across";
}

TEST_F(SkinListViewTest, TheHeaderOfAListViewWhoseWindowIsMadeAgainIsSkinned) {
  TSkinListView* h = ShowReportView(60);
  ASSERT_NE(h, nullptr);
  TListView* lv = Lv;
  lv->DestroyHandle();
  lv->HandleNeeded();
  PumpMessages(20);
  Handler(FormObj->Handle())->SweepControls();
  ASSERT_NE(lv->HeaderHandle(), nullptr);
  ASSERT_NE(h->Header(), nullptr);
  EXPECT_EQ(h->Header()->Handle(), lv->HeaderHandle());
  EXPECT_EQ(h->Header()->State(), scsAttached);
}

TEST_F(SkinListViewTest, AHeaderNarrowerThanItsListViewFillsTheRestWithTheHeaderFrame) {
  ASSERT_NE(ShowReportView(60), nullptr);
  HWND header = Lv->HeaderHandle();
  ASSERT_NE(header, nullptr);
  Repaint(header);
  RECT bar{};
  GetClientRect(header, &bar);
  RECT last{};
  ASSERT_TRUE(SendMessageA(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&last)));
  ASSERT_LT(last.right + 20, bar.right) << "the columns end well before the bar";
  const int y = (bar.bottom - bar.top) / 2;
  for (int x : {static_cast<int>(last.right) + 4, static_cast<int>((last.right + bar.right) / 2),
                static_cast<int>(bar.right) - 4})
    EXPECT_EQ(ScreenPixel(InClient(header, x, y)), HeaderFrame) << "x " << x;
  RECT first{};
  ASSERT_TRUE(SendMessageA(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first)));
  EXPECT_EQ(ScreenPixel(InClient(header, first.right - 4, y)), HeaderFrame)
      << "an item's own frame, right of its text";
}

// A header whose second item cannot be read (its HDM_GETITEMW fails).
WNDPROC gHeaderProc = nullptr;
LRESULT CALLBACK UnreadableSecondItem(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  if (msg == HDM_GETITEMW && w == 1) return FALSE;
  return CallWindowProcW(gHeaderProc, wnd, msg, w, l);
}

TEST_F(SkinListViewTest, AHeaderItemThatCannotBeReadShowsTheBareHeaderFrame) {
  ASSERT_NE(ShowReportView(60), nullptr);
  HWND header = Lv->HeaderHandle();
  ASSERT_NE(header, nullptr);
  RECT item{};
  ASSERT_TRUE(SendMessageA(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item)));
  auto notFrame = [&] {
    int n = 0;
    for (int y = item.top; y < item.bottom; ++y)
      for (int x = item.left; x < item.right; ++x) n += ScreenPixel(InClient(header, x, y)) != HeaderFrame;
    return n;
  };
  Repaint(header);
  ASSERT_GT(notFrame(), 0) << "its caption shows while it can be read";
  gHeaderProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(header, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&UnreadableSecondItem)));
  Repaint(header);
  EXPECT_EQ(notFrame(), 0) << "not the caption of the paint before";
  SetWindowLongPtrW(header, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gHeaderProc));
}

TEST_F(SkinListViewTest, AnItemImageShowsOnlyWhenItsFormatAsksForOne) {
  ASSERT_NE(ShowReportView(90), nullptr);
  HWND header = Lv->HeaderHandle();
  ASSERT_NE(header, nullptr);
  HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24, 1, 1);
  {
    TBitmap icon(16, 16);
    TCanvas* c = icon.Canvas();
    FillSolid(*c, RECT{0, 0, 16, 16}, IconColour);
    icon.FreeCanvasDc();
    ImageList_Add(images, icon.Handle(), nullptr);
  }
  SendMessageA(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
  const struct {
    const char* name;
    int format;
    bool icon;
  } cases[] = {
      {"neither flag", HDF_STRING | HDF_LEFT, false},
      {"HDF_IMAGE", HDF_STRING | HDF_LEFT | HDF_IMAGE, true},
      {"HDF_OWNERDRAW", HDF_OWNERDRAW | HDF_LEFT, true},
  };
  for (const auto& c : cases) {
    char text[] = "Name";
    HDITEMA item{};
    item.mask = HDI_FORMAT | HDI_IMAGE | HDI_TEXT;
    item.fmt = c.format;
    item.iImage = 0;
    item.pszText = text;
    SendMessageA(header, HDM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    Repaint(header);
    RECT r{};
    ASSERT_TRUE(SendMessageA(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r)));
    int iconPixels = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.left + 24; ++x)
        iconPixels += ScreenPixel(InClient(header, x, y)) == IconColour;
    if (c.icon)
      EXPECT_GT(iconPixels, 16 * 8) << c.name;
    else
      EXPECT_EQ(iconPixels, 0) << c.name;
  }
  SendMessageA(header, HDM_SETIMAGELIST, 0, 0);
  ImageList_Destroy(images);
}

}  // namespace
