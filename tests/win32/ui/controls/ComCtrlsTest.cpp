#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "ui/ComCtrls.h"
#include "ui/Forms.h"
#include "ui/ImgList.h"

namespace {

// A form with a page control over most of it and pages captioned as given. The form's
// window is made but not shown (showing costs seconds under Wine); page visibility is the
// pages' own WS_VISIBLE.
struct PageFixture {
  explicit PageFixture(const std::vector<std::string>& captions) {
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(40, 40, 420, 320);
    pages = new TPageControl(form.get());
    pages->SetParent(form.get());
    pages->SetBounds(8, 8, 380, 260);
    for (const std::string& c : captions) Add(c);
    form->HandleNeeded();
  }
  TTabSheet* Add(const std::string& caption) {
    auto* page = new TTabSheet(form.get());
    page->SetCaption(caption);
    page->SetPageControl(pages);
    return page;
  }
  std::vector<std::string> Tabs() {
    std::vector<std::string> out;
    HWND tab = pages->Handle();
    const int n = static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      char buf[64] = {};
      TCITEMA item{};
      item.mask = TCIF_TEXT;
      item.pszText = buf;
      item.cchTextMax = sizeof buf;
      SendMessageA(tab, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
      out.push_back(buf);
    }
    return out;
  }
  int NativeSelection() { return static_cast<int>(SendMessageA(pages->Handle(), TCM_GETCURSEL, 0, 0)); }
  // Which pages' windows show, by caption.
  std::vector<std::string> ShownPages() {
    std::vector<std::string> out;
    for (int i = 0; i < pages->PageCount(); ++i)
      if (pages->Pages(i)->HandleAllocated() &&
          (GetWindowLongPtrA(pages->Pages(i)->Handle(), GWL_STYLE) & WS_VISIBLE))
        out.push_back(pages->Pages(i)->Caption());
    return out;
  }
  // A click on tab i as the mouse gives it.
  void ClickTab(int i) {
    RECT r{};
    SendMessageA(pages->Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageA(pages->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(pages->Handle(), WM_LBUTTONUP, 0, at);
    PumpUntil([] { return false; }, 20);
  }
  std::unique_ptr<TForm> form;
  TPageControl* pages;
};

}  // namespace

TEST(PageControl, PagesBecomeTabsInOrderAndOnlyTheFirstShows) {
  PageFixture f({"Buttons", "Choices", "Text"});
  EXPECT_EQ(f.Tabs(), (std::vector<std::string>{"Buttons", "Choices", "Text"}));
  EXPECT_EQ(f.pages->PageCount(), 3);
  EXPECT_EQ(f.pages->ActivePageIndex(), 0);
  EXPECT_EQ(f.NativeSelection(), 0);
  EXPECT_EQ(f.ShownPages(), (std::vector<std::string>{"Buttons"}));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(f.pages->Pages(i)->PageIndex(), i);
  // The page's window is a child of the tab control, below the row of tabs and inside it.
  HWND page = f.pages->Pages(0)->Handle();
  EXPECT_EQ(GetParent(page), f.pages->Handle());
  RECT tab{}, pr{}, client{};
  SendMessageA(f.pages->Handle(), TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
  GetWindowRect(page, &pr);
  MapWindowPoints(HWND_DESKTOP, f.pages->Handle(), reinterpret_cast<POINT*>(&pr), 2);
  GetClientRect(f.pages->Handle(), &client);
  EXPECT_GE(pr.top, tab.bottom);
  EXPECT_GT(pr.left, client.left);
  EXPECT_LT(pr.right, client.right);
  EXPECT_LT(pr.bottom, client.bottom);
  EXPECT_GT(pr.right - pr.left, 300);  // most of the 380 pixels
}

TEST(PageControl, ClickingATabSwitchesThePageAndTellsOnChange) {
  PageFixture f({"Buttons", "Choices", "Text"});
  int changes = 0;
  f.pages->OnChange = [&](TObject* s) {
    EXPECT_EQ(s, f.pages);
    ++changes;
  };
  f.ClickTab(2);
  EXPECT_EQ(f.pages->ActivePageIndex(), 2);
  EXPECT_EQ(f.ShownPages(), (std::vector<std::string>{"Text"}));
  EXPECT_EQ(changes, 1);
  f.ClickTab(2);  // the current tab again: nothing changes
  EXPECT_EQ(changes, 1);
  // OnChanging can refuse: the tab and the page stay.
  f.pages->OnChanging = [](TObject*, bool& allow) { allow = false; };
  f.ClickTab(0);
  EXPECT_EQ(f.pages->ActivePageIndex(), 2);
  EXPECT_EQ(f.NativeSelection(), 2);
  EXPECT_EQ(f.ShownPages(), (std::vector<std::string>{"Text"}));
  EXPECT_EQ(changes, 1);
}

TEST(PageControl, SettingThePageFromCodeMovesTheTabWithoutEvents) {
  PageFixture f({"Buttons", "Choices"});
  int events = 0;
  f.pages->OnChange = [&](TObject*) { ++events; };
  f.pages->OnChanging = [&](TObject*, bool&) { ++events; };
  f.pages->SetActivePage(f.pages->Pages(1));
  EXPECT_EQ(f.NativeSelection(), 1);
  EXPECT_EQ(f.ShownPages(), (std::vector<std::string>{"Choices"}));
  f.pages->SetActivePageIndex(7);  // out of range: no page at all
  EXPECT_EQ(f.pages->ActivePage(), nullptr);
  EXPECT_EQ(f.NativeSelection(), -1);
  EXPECT_TRUE(f.ShownPages().empty());
  TTabSheet stranger(nullptr);  // not one of ours: ignored
  f.pages->SetActivePageIndex(0);
  f.pages->SetActivePage(&stranger);
  EXPECT_EQ(f.pages->ActivePageIndex(), 0);
  EXPECT_EQ(events, 0);
}

TEST(PageControl, CaptionsFindPagesAndRenameTabs) {
  PageFixture f({"&Buttons", "Scrolling"});
  EXPECT_EQ(f.pages->FindPage("buttons"), f.pages->Pages(0));
  EXPECT_EQ(f.pages->FindPage("SCROLLING"), f.pages->Pages(1));
  EXPECT_EQ(f.pages->FindPage("Scroll"), nullptr);
  EXPECT_EQ(f.pages->FindPage(""), nullptr);
  f.pages->Pages(1)->SetCaption("Lists");
  EXPECT_EQ(f.Tabs(), (std::vector<std::string>{"&Buttons", "Lists"}));
  EXPECT_EQ(f.pages->FindPage("Lists"), f.pages->Pages(1));
}

TEST(PageControl, RemovingPagesMovesTheSelectionToANeighbour) {
  PageFixture f({"A", "B", "C"});
  f.pages->SetActivePageIndex(1);
  delete f.pages->Pages(1);  // the active page goes: the next one takes its place
  EXPECT_EQ(f.Tabs(), (std::vector<std::string>{"A", "C"}));
  EXPECT_EQ(f.pages->ActivePage()->Caption(), "C");
  EXPECT_EQ(f.NativeSelection(), 1);
  EXPECT_EQ(f.ShownPages(), (std::vector<std::string>{"C"}));
  f.pages->Pages(1)->SetPageControl(nullptr);  // the last one, taken out: the one before
  EXPECT_EQ(f.Tabs(), (std::vector<std::string>{"A"}));
  EXPECT_EQ(f.pages->ActivePage()->Caption(), "A");
  TTabSheet* moved = f.Add("D");
  EXPECT_EQ(moved->PageIndex(), 1);
  EXPECT_EQ(f.pages->ActivePage()->Caption(), "A");  // a new page does not take the selection
  // The page control goes first: its pages go with it, and nothing dangles.
  delete f.pages;
  f.pages = nullptr;
  EXPECT_EQ(f.form->ControlCount(), 0);
}

TEST(PageControl, PagesFollowTheControlsSize) {
  PageFixture f({"Only"});
  RECT before = f.pages->DisplayRect();
  f.pages->SetBounds(8, 8, 300, 200);
  PumpUntil([] { return false; }, 20);
  RECT after = f.pages->DisplayRect();
  EXPECT_EQ((before.right - before.left) - (after.right - after.left), 80);
  EXPECT_EQ((before.bottom - before.top) - (after.bottom - after.top), 60);
  RECT pr{};
  GetClientRect(f.pages->Pages(0)->Handle(), &pr);
  EXPECT_EQ(pr.right, after.right - after.left);
  EXPECT_EQ(pr.bottom, after.bottom - after.top);
}

// Progress and track bars share their range: a Max below Min becomes Min, the position is
// clamped into every range, read back from the window while it exists, and kept when a
// creation style makes the window again.
TEST(RangeBars, ClampTheirPositionAndKeepItThroughANewWindow) {
  TForm form(nullptr);
  form.SetBounds(40, 40, 400, 200);
  auto* progress = new TProgressBar(&form);
  auto* track = new TTrackBar(&form);
  struct Case {
    const char* name;
    TRangeBar* bar;
    UINT getPos;
    std::function<void(HWND, int)> setNative;  // as the user or the system moves it
    std::function<void()> restyle;
  };
  const Case cases[] = {
      {"progress", progress, PBM_GETPOS, [](HWND w, int p) { SendMessageA(w, PBM_SETPOS, p, 0); },
       [&] { progress->SetOrientation(pbVertical); }},
      {"track", track, TBM_GETPOS, [](HWND w, int p) { SendMessageA(w, TBM_SETPOS, TRUE, p); },
       [&] { track->SetTickMarks(tmBoth); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.bar->SetParent(&form);
    c.bar->SetRange(10, 5);  // Max below Min
    EXPECT_EQ(c.bar->Max(), 10);
    EXPECT_EQ(c.bar->Position(), 10);
    c.bar->SetRange(0, 50);
    EXPECT_TRUE(SetIntProperty(c.bar, "Position", 80));
    EXPECT_EQ(c.bar->Position(), 50);
    EXPECT_TRUE(SetIntProperty(c.bar, "Max", 40));  // the position follows the range down
    EXPECT_EQ(GetIntProperty(c.bar, "Position"), 40);

    HWND first = c.bar->Handle();
    EXPECT_EQ(SendMessageA(first, c.getPos, 0, 0), 40);
    c.setNative(first, 25);
    EXPECT_EQ(c.bar->Position(), 25);  // the window's, while it exists
    c.restyle();
    EXPECT_NE(c.bar->Handle(), first);
    EXPECT_EQ(SendMessageA(c.bar->Handle(), c.getPos, 0, 0), 25);
    c.bar->SetRange(30, 60);
    EXPECT_EQ(SendMessageA(c.bar->Handle(), c.getPos, 0, 0), 30);
  }
}

// A control's image list is borrowed: the window gets it, and when the list is freed first
// the control forgets it and the window is told, so nothing draws from a freed list.
TEST(ImageLinks, AFreedListLeavesTheControlAndItsWindow) {
  TForm form(nullptr);
  form.SetBounds(40, 40, 400, 300);
  auto* tabs = new TTabControl(&form);
  auto* header = new THeaderControl(&form);
  auto* list = new TListView(&form);
  struct Case {
    const char* name;
    TWinControl* control;
    std::function<void(TImageList*)> link;
    std::function<TImageList*()> linked;
    std::function<LRESULT()> windowList;
  };
  const Case cases[] = {
      {"tabs", tabs, [&](TImageList* i) { tabs->SetImages(i); }, [&] { return tabs->Images(); },
       [&] { return SendMessageA(tabs->Handle(), TCM_GETIMAGELIST, 0, 0); }},
      {"header", header, [&](TImageList* i) { header->SetImages(i); }, [&] { return header->Images(); },
       [&] { return SendMessageA(header->Handle(), HDM_GETIMAGELIST, 0, 0); }},
      {"list view", list, [&](TImageList* i) { list->SetSmallImages(i); },
       [&] { return list->SmallImages(); },
       [&] { return SendMessageA(list->Handle(), LVM_GETIMAGELIST, LVSIL_SMALL, 0); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.control->SetParent(&form);
    auto images = std::make_unique<TImageList>(nullptr);
    c.control->HandleNeeded();
    c.link(images.get());
    EXPECT_EQ(c.windowList(), reinterpret_cast<LRESULT>(images->Handle()));
    images.reset();
    EXPECT_EQ(c.linked(), nullptr);
    EXPECT_EQ(c.windowList(), 0);
  }
}
