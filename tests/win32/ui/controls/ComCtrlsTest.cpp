#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "ui/ComCtrls.h"
#include "ui/Forms.h"

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
