// The gallery's main window as the program builds it, with the built-in skin linked in.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "gallery/Gallery.h"
#include "gallery/GalleryMdiSample.h"
#include "host/ui/gfx/BmpBuilder.h"
#include "skin/data/SkinData.h"
#include "tools/skintool/ArchiveWriter.h"

namespace {

// The window is made but not shown where showing is not the point (it costs seconds
// under Wine).
struct GalleryFixture : ::testing::Test {
  void SetUp() override {
    form = std::make_unique<TfrmGallery>(nullptr);
    form->HandleNeeded();
  }
  // Native menu entries (captions with their key text) of a menu handle, with check and
  // enabled state: "Caption\tKey|checked|enabled".
  static std::vector<std::string> Entries(HMENU menu) {
    std::vector<std::string> out;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      char text[128] = {};
      GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
      // Not GetMenuState: for an item with a submenu its high byte is the submenu's item
      // count, which reads as flags (8 items look like MF_SEPARATOR).
      MENUITEMINFOA mi{};
      mi.cbSize = sizeof mi;
      mi.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU;
      GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &mi);
      std::string e = (mi.fType & MFT_SEPARATOR) ? "-" : text;
      if (mi.fState & MFS_CHECKED) e += "|checked";
      if (mi.fState & MF_GRAYED) e += "|disabled";
      if (mi.hSubMenu) e += "|sub";
      out.push_back(e);
    }
    return out;
  }
  void PressKey(int vk) {
    PostMessageA(form->pcFamilies->Handle(), WM_KEYDOWN, static_cast<WPARAM>(vk), 1);
    Application->ProcessMessages();
  }
  std::unique_ptr<TfrmGallery> form;
};

}  // namespace

TEST_F(GalleryFixture, MainWindowPlaceSizeAndStyle) {
  HWND w = form->Handle();
  char cls[64] = {}, caption[64] = {};
  GetClassNameA(w, cls, sizeof cls);
  GetWindowTextA(w, caption, sizeof caption);
  EXPECT_STREQ(caption, "Skin Gallery");
  RECT r{}, c{};
  GetWindowRect(w, &r);
  GetClientRect(w, &c);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 80);
  EXPECT_EQ(c.right, 640);
  EXPECT_EQ(c.bottom, 480);
  const LONG_PTR style = GetWindowLongPtrA(w, GWL_STYLE);
  for (LONG_PTR bit : {static_cast<LONG_PTR>(WS_THICKFRAME), static_cast<LONG_PTR>(WS_SYSMENU),
                       static_cast<LONG_PTR>(WS_MINIMIZEBOX), static_cast<LONG_PTR>(WS_MAXIMIZEBOX)})
    EXPECT_EQ(style & bit, bit) << std::hex << bit;
  // The status bar takes the bottom edge, the page control the rest but for a margin.
  RECT pr{}, sr{};
  GetWindowRect(form->pcFamilies->Handle(), &pr);
  MapWindowPoints(HWND_DESKTOP, w, reinterpret_cast<POINT*>(&pr), 2);
  GetWindowRect(form->sbMain->Handle(), &sr);
  MapWindowPoints(HWND_DESKTOP, w, reinterpret_cast<POINT*>(&sr), 2);
  const int bar = sr.bottom - sr.top;
  EXPECT_GT(bar, 10);
  EXPECT_EQ(sr.left, 0);
  EXPECT_EQ(sr.right, 640);
  EXPECT_EQ(sr.bottom, 480);
  EXPECT_EQ(pr.left, 8);
  EXPECT_EQ(pr.top, 8);
  EXPECT_EQ(pr.right, 632);
  EXPECT_EQ(pr.bottom, 480 - bar - 8);
  MoveWindow(w, 100, 80, 500, 400, TRUE);
  GetClientRect(w, &c);
  GetClientRect(form->pcFamilies->Handle(), &pr);
  EXPECT_EQ(pr.right, c.right - 16);
  EXPECT_EQ(pr.bottom, c.bottom - bar - 16);
  GetWindowRect(form->sbMain->Handle(), &sr);
  MapWindowPoints(HWND_DESKTOP, w, reinterpret_cast<POINT*>(&sr), 2);
  EXPECT_EQ(sr.bottom, c.bottom);
  EXPECT_EQ(sr.right, c.right);
}

TEST_F(GalleryFixture, SkinComponentIsSetUpWithTheBuiltInSkin) {
  TSkinData* d = form->SkinData1;
  EXPECT_FALSE(d->NoSkin);
  EXPECT_EQ(d->SkinName, "Lumetta Mist");
  EXPECT_TRUE(d->Active());
  EXPECT_EQ(d->SkinFormtype, sfMainform);
  // Everything but the report designer's windows; the menu items drop out when the form is
  // loaded because the menu bar is skinned.
  EXPECT_EQ(d->SkinControls, AllSkinControlTypes & ~SkinBit(xcFastReport) & ~SkinBit(xcMenuItem));
}

TEST_F(GalleryFixture, MenusHoldEveryKindOfItem) {
  HMENU bar = form->MainMenu1->Handle();  // the skinned bar holds it while skinning is on
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(Entries(bar), (std::vector<std::string>{"&File|sub", "&View|sub", "&Help|sub"}));
  EXPECT_EQ(Entries(GetSubMenu(bar, 0)),
            (std::vector<std::string>{"Skinning\tF2|checked", "Open skin...\tCtrl+O", "-", "Exit"}));
  // One View item per page, in page order (pages of later families follow these), then the
  // MDI sample after a separator.
  const std::vector<std::string> view = Entries(GetSubMenu(bar, 1));
  ASSERT_EQ(view.size(), static_cast<size_t>(form->pcFamilies->PageCount()) + 2);
  ASSERT_GE(view.size(), 5u);
  EXPECT_EQ(std::vector<std::string>(view.begin(), view.begin() + 3),
            (std::vector<std::string>{"Buttons|checked", "Choices", "Scrolling"}));
  EXPECT_EQ(std::vector<std::string>(view.end() - 2, view.end()),
            (std::vector<std::string>{"-", "MDI sample..."}));
  EXPECT_EQ(Entries(GetSubMenu(bar, 2)), (std::vector<std::string>{"About", "Message box"}));
  HMENU popup = form->pmGallery->Handle();
  EXPECT_EQ(Entries(popup), (std::vector<std::string>{"Checked item|checked", "Disabled item|disabled", "-",
                                                      "Submenu|sub", "-", "Item with a picture"}));
  EXPECT_EQ(Entries(GetSubMenu(popup, 3)), (std::vector<std::string>{"First item", "Second item"}));
  MENUITEMINFOA mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_BITMAP;
  GetMenuItemInfoA(popup, 5, TRUE, &mii);
  EXPECT_NE(mii.hbmpItem, nullptr);  // the picture item shows the drawn glyph
  EXPECT_EQ(form->PopupMenu(), form->pmGallery);
}

TEST_F(GalleryFixture, F2SwitchesSkinningOffAndOnAndTheCheckFollows) {
  for (bool expected : {false, true, false}) {
    PressKey(VK_F2);
    EXPECT_EQ(form->SkinData1->Active(), expected);
    EXPECT_EQ(form->miSkinning->Checked(), expected);
    EXPECT_EQ((GetMenuState(GetSubMenu(form->MainMenu1->Handle(), 0), 0, MF_BYPOSITION) & MF_CHECKED) != 0,
              expected);
  }
}

TEST_F(GalleryFixture, ASkinFileThatCannotBeLoadedIsReportedAndTheBuiltInSkinComesBack) {
  char dir[MAX_PATH] = {};
  GetTempPathA(sizeof dir, dir);
  const std::string garbage = std::string(dir) + "gallery-test-garbage.skn";
  if (FILE* f = fopen(garbage.c_str(), "wb")) {
    fputs("not a skin", f);
    fclose(f);
  }
  const std::string missing = std::string(dir) + "gallery-test-missing.skn";
  // A skin whose one bitmap would decode to gigabytes: never applied, whole or in part.
  const std::string refused = std::string(dir) + "gallery-test-refused.skn";
  {
    const std::string ini = "[Personality]\nTop=huge.bmp\n[Buttons]\nBitmap=huge.bmp\n";
    const std::vector<uint8_t> bytes = PackArchive(
        {{"skin.ini", {ini.begin(), ini.end()}}, {"huge.bmp", bmptest::EmptyRunLength(40000, 30000)}});
    if (FILE* f = fopen(refused.c_str(), "wb")) {
      fwrite(bytes.data(), 1, bytes.size(), f);
      fclose(f);
    }
  }
  struct Case {
    std::string path, reason;
  };
  for (const Case& c :
       {Case{missing, "The file does not exist."},
        Case{garbage, "It is not a skin archive this program can read."},
        Case{refused, "huge.bmp is 40000 x 30000 pixels, over the bound of 16777216 pixels"}}) {
    CapturedBoxes boxes;
    EXPECT_FALSE(form->LoadSkinFile(c.path));
    ASSERT_EQ(boxes.Texts.size(), 1u) << c.path;
    EXPECT_NE(boxes.Texts[0].find(c.path), std::string::npos) << boxes.Texts[0];
    EXPECT_NE(boxes.Texts[0].find(c.reason), std::string::npos) << boxes.Texts[0];
    EXPECT_FALSE(form->SkinData1->NoSkin);
    EXPECT_EQ(form->SkinData1->SkinName, "Lumetta Mist");
    EXPECT_EQ(form->SkinData1->SkinFile(), "");
    EXPECT_FALSE(form->SkinData1->Buttons->Image->Empty()) << c.path;
    EXPECT_TRUE(form->SkinData1->Active()) << c.path;
  }
  remove(garbage.c_str());
  remove(refused.c_str());
}

TEST_F(GalleryFixture, TheStatusBarNamesTheLoadedSkin) {
  auto shown = [this] { return form->sbMain->Panels(1)->Text(); };
  EXPECT_EQ(shown(), "Lumetta Mist");
  char dir[MAX_PATH] = {};
  GetTempPathA(sizeof dir, dir);
  auto write = [&](const char* name, const std::string& ini) {
    const std::string path = std::string(dir) + name;
    const std::vector<uint8_t> bytes =
        PackArchive({{"skin.ini", std::vector<uint8_t>(ini.begin(), ini.end())}});
    if (FILE* f = fopen(path.c_str(), "wb")) {
      fwrite(bytes.data(), 1, bytes.size(), f);
      fclose(f);
    }
    return path;
  };
  const std::string named = write("gallery-test-named.skn", "[TitlebarSkin]\r\nSkinName=Test Orange\r\n");
  const std::string nameless = write("gallery-test-nameless.skn", "[TitlebarSkin]\r\n");
  ASSERT_TRUE(form->LoadSkinFile(named));
  EXPECT_EQ(shown(), "Test Orange");
  ASSERT_TRUE(form->LoadSkinFile(nameless));
  EXPECT_EQ(shown(), "gallery-test-nameless.skn");
  PressKey(VK_F2);
  EXPECT_EQ(shown(), "gallery-test-nameless.skn (off)");
  PressKey(VK_F2);
  EXPECT_EQ(shown(), "gallery-test-nameless.skn");
  {
    CapturedBoxes boxes;  // a file that does not load brings the built-in skin back, and its name
    EXPECT_FALSE(form->LoadSkinFile(std::string(dir) + "gallery-test-missing.skn"));
  }
  EXPECT_EQ(shown(), "Lumetta Mist");
  remove(named.c_str());
  remove(nameless.c_str());
}

TEST_F(GalleryFixture, CommandLinePagesAndErrors) {
  {
    CapturedBoxes boxes;
    form->ApplyArgs(ParseGalleryArgs({"--page", "buttons"}));
    EXPECT_TRUE(boxes.Texts.empty());
    EXPECT_EQ(form->pcFamilies->ActivePage(), form->tsButtons);
  }
  {
    CapturedBoxes boxes;
    form->ApplyArgs(ParseGalleryArgs({"--page", "Gauges", "--frobnicate"}));
    ASSERT_EQ(boxes.Texts.size(), 1u);
    EXPECT_NE(boxes.Texts[0].find("Unknown option --frobnicate"), std::string::npos) << boxes.Texts[0];
    EXPECT_NE(boxes.Texts[0].find("There is no page \"Gauges\"; the pages are: Buttons, Choices"),
              std::string::npos)
        << boxes.Texts[0];
    EXPECT_NE(boxes.Texts[0].find("Usage:"), std::string::npos);
    EXPECT_EQ(form->pcFamilies->ActivePage(), form->tsButtons);
  }
}

namespace {
HWND gMain = nullptr;
bool gAboutShown = false, gMainDisabled = false;
UINT gCloseKey = 0;  // 0: a click on OK; else the key pressed in the box
void CALLBACK CloseAbout(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  for (int i = 0; i < Screen->FormCount(); ++i)
    if (auto* about = dynamic_cast<TfrmGalleryAbout*>(Screen->Forms(i))) {
      gAboutShown = IsWindowVisible(about->Handle()) != FALSE;
      gMainDisabled = !IsWindowEnabled(gMain);
      if (gCloseKey == 0) {
        about->btnOK->Click();
      } else {
        const HWND focus = GetFocus() ? GetFocus() : about->Handle();
        PostMessageA(focus, WM_KEYDOWN, gCloseKey, 1);
      }
    }
}
}  // namespace

// The modal box closes by its OK button, by Return (its default button) and by Escape (OK is
// its cancel button too); the main window then has the activation and the focus back.
TEST_F(GalleryFixture, AboutIsAModalDialogClosedByOkReturnOrEscape) {
  form->Show();
  gMain = form->Handle();
  TWinControl* focused = dynamic_cast<TWinControl*>(form->FindComponent("btnNormal"));
  ASSERT_NE(focused, nullptr);
  for (UINT key : {0u, static_cast<UINT>(VK_RETURN), static_cast<UINT>(VK_ESCAPE)}) {
    SCOPED_TRACE(key);
    SetActiveWindow(form->Handle());
    focused->SetFocus();
    gAboutShown = gMainDisabled = false;
    gCloseKey = key;
    SetTimer(nullptr, 0, 100, CloseAbout);
    form->miAbout->Click();  // returns when the dialog has closed
    EXPECT_TRUE(gAboutShown);
    EXPECT_TRUE(gMainDisabled);
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
    EXPECT_EQ(GetActiveWindow(), form->Handle());
    EXPECT_EQ(GetFocus(), focused->Handle());
    for (int i = 0; i < Screen->FormCount(); ++i)
      EXPECT_EQ(dynamic_cast<TfrmGalleryAbout*>(Screen->Forms(i)), nullptr);
  }
  gCloseKey = 0;
}

// Tab walks every enabled edit, combo box, up-down edit, the up-down without a buddy and
// date-time picker of the Text page in order, also out of a combo box whose focus sits in its
// edit part, and an edit reached by Tab has its text selected.
TEST_F(GalleryFixture, TabWalksTheTextPageInOrderAndSelectsEditText) {
  form->Show();
  ASSERT_TRUE(form->OpenPage("Text"));
  auto* first = dynamic_cast<TWinControl*>(form->FindComponent("edBorder"));
  ASSERT_NE(first, nullptr);
  SetActiveWindow(form->Handle());
  first->SetFocus();
  std::vector<std::string> walked;
  for (int i = 0; i < 11; ++i) {
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
    Application->ProcessMessages();
    TWinControl* at = TForm::FocusedControl();
    walked.push_back(at ? at->Name : "?");
    if (at && at->Name == "edNoBorder") {
      DWORD from = 1, to = 0;
      SendMessageA(at->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
      EXPECT_EQ(from, 0u);
      EXPECT_EQ(to, static_cast<DWORD>(GetWindowTextLengthA(at->Handle())));
    }
  }
  EXPECT_EQ(walked, (std::vector<std::string>{"edNoBorder", "edReadOnly", "cbDropDown", "cbDropDownList",
                                              "cbSimple", "edCount", "udSideways", "dtpDate", "dtpTime",
                                              "pcFamilies", "edBorder"}));
}

TEST_F(GalleryFixture, TheChoicesPageShowsEveryStateOfCheckBoxesAndRadioButtons) {
  ASSERT_TRUE(form->OpenPage("Choices"));
  EXPECT_EQ(form->pcFamilies->ActivePage(), form->tsChoices);
  struct Box {
    const char* name;
    TCheckBoxState state;
    bool enabled;
  } boxes[] = {
      {"cbUnchecked", cbUnchecked, true}, {"cbChecked", cbChecked, true},
      {"cbGrayed", cbGrayed, true},       {"cbUncheckedOff", cbUnchecked, false},
      {"cbCheckedOff", cbChecked, false}, {"cbGrayedOff", cbGrayed, false},
  };
  for (const Box& b : boxes) {
    auto* c = dynamic_cast<TCheckBox*>(form->FindComponent(b.name));
    ASSERT_NE(c, nullptr) << b.name;
    EXPECT_EQ(SendMessageA(c->Handle(), BM_GETCHECK, 0, 0), static_cast<LRESULT>(b.state)) << b.name;
    EXPECT_EQ(IsWindowEnabled(c->Handle()) != FALSE, b.enabled) << b.name;
  }
  auto* left = dynamic_cast<TCheckBox*>(form->FindComponent("cbLeftText"));
  ASSERT_NE(left, nullptr);
  EXPECT_NE(GetWindowLongPtrA(left->Handle(), GWL_STYLE) & BS_LEFTTEXT, 0);
  struct Radio {
    const char* name;
    bool checked, enabled;
  } radios[] = {{"rbFirst", false, true}, {"rbSecond", true, true},      {"rbThird", false, true},
                {"rbOff", false, false},  {"rbOffChecked", true, false}, {"rbLeftText", false, true}};
  for (const Radio& r : radios) {
    auto* c = dynamic_cast<TRadioButton*>(form->FindComponent(r.name));
    ASSERT_NE(c, nullptr) << r.name;
    EXPECT_EQ(c->Checked(), r.checked) << r.name;
    EXPECT_EQ(IsWindowEnabled(c->Handle()) != FALSE, r.enabled) << r.name;
  }
  EXPECT_NE(dynamic_cast<TGlyphCheckBox*>(form->FindComponent("gcbGlyphs")), nullptr);
}

TEST_F(GalleryFixture, TheScrollingPageShowsEveryKindOfScrolledControl) {
  ASSERT_TRUE(form->OpenPage("Scrolling"));
  EXPECT_EQ(form->pcFamilies->ActivePage(), form->tsScrolling);
  // The memo, the list box and the scroll box each need both of their bars.
  for (const char* name : {"mmScrolling", "lbScrolling", "sbxScrolling"}) {
    auto* c = dynamic_cast<TWinControl*>(form->FindComponent(name));
    ASSERT_NE(c, nullptr) << name;
    for (LONG bar : {OBJID_HSCROLL, OBJID_VSCROLL}) {
      SCROLLBARINFO info{};
      info.cbSize = sizeof info;
      ASSERT_TRUE(GetScrollBarInfo(c->Handle(), bar, &info)) << name;
      EXPECT_EQ(info.rgstate[0] & STATE_SYSTEM_INVISIBLE, 0u) << name << " bar " << bar;
    }
  }
  struct Bar {
    const char* name;
    TScrollKind kind;
    bool enabled;
  } bars[] = {{"scbHorizontal", sbHorizontal, true},
              {"scbVertical", sbVertical, true},
              {"scbDisabled", sbHorizontal, false}};
  for (const Bar& b : bars) {
    auto* c = dynamic_cast<TScrollBar*>(form->FindComponent(b.name));
    ASSERT_NE(c, nullptr) << b.name;
    EXPECT_EQ(c->Kind(), b.kind) << b.name;
    EXPECT_EQ(IsWindowEnabled(c->Handle()) != FALSE, b.enabled) << b.name;
  }
}

TEST_F(GalleryFixture, ViewOpensTheMdiSampleWithThreeChildrenOnce) {
  ASSERT_NE(form->miMdiSample, nullptr);
  for (int opening = 0; opening < 2; ++opening) {
    form->miMdiSample->Click();
    Application->ProcessMessages();
    ASSERT_NE(form->frmMdiSample, nullptr);
    TfrmMdiSample& mdi = *form->frmMdiSample;
    EXPECT_EQ(mdi.FormStyle(), fsMDIForm);
    ASSERT_NE(mdi.ClientHandle(), nullptr);
    EXPECT_EQ(mdi.MDIChildCount(), 3) << "opening again makes no more children";
    EXPECT_EQ(mdi.ActiveMDIChild(), mdi.MDIChildren(2));
    EXPECT_EQ(mdi.MDIChildren(0)->GetText(), "Child 1");
  }
  // The Window menu lists the children after Cascade and Tile.
  Application->ProcessMessages();
  EXPECT_GE(GetMenuItemCount(form->frmMdiSample->miWindow->Handle()), 2 + 3);
  // A closed child frees itself and leaves the list.
  form->frmMdiSample->MDIChildren(0)->Close();
  Application->ProcessMessages();
  EXPECT_EQ(form->frmMdiSample->MDIChildCount(), 2);
  EXPECT_EQ(form->frmMdiSample->Children().size(), 2u);
}
