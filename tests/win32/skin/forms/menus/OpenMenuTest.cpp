// A form's popup menu opened for real (TrackPopupMenu) and read back from the screen while
// it shows: the skin's menu background in the frame and behind separators, frame 4 of the
// MenuItem image under the item the keyboard selected and frame 1 under the others; a menu
// tagged off keeps the system's item drawing; owner-drawn items keep their captions.
#include <vector>

#include "skin/data/SkinData_win.h"
#include "support/MenuItems_win.h"
#include "support/MenuWindows_win.h"
#include "tests/win32/skin/data/manager/SkinTestEnv_win.h"
#include "tests/win32/skin/forms/menus/MenuItemStrip_win.h"
#include "ui/Forms.h"
#include "ui/Menus.h"

namespace {
using namespace skintest;
using namespace menutest;

constexpr COLORREF Normal = Frame1, Selected = Frame4, Line = SeparatorLine, Back = RGB(30, 160, 160);

TPixelBuffer Solid(int w, int h, COLORREF c) {
  TPixelBuffer px(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) px.SetPixel(x, y, c);
  return px;
}

// What the screen showed of an open menu window.
struct TMenuShot {
  RECT Rect{};  // the menu window, screen coordinates
  int Width = 0, Height = 0;
  std::vector<COLORREF> Pixels;
  COLORREF At(int x, int y) const { return Pixels[static_cast<size_t>(y * Width + x)]; }
  // Pixels of the colour in a row of the window, from x0 to x1.
  int CountInRow(int y, int x0, int x1, COLORREF c) const {
    int n = 0;
    for (int x = x0; x < x1; ++x) n += At(x, y) == c;
    return n;
  }
  bool Taken() const { return !Pixels.empty(); }
};

TMenuShot CaptureScreen(const RECT& r) {
  TMenuShot shot;
  shot.Rect = r;
  shot.Width = r.right - r.left;
  shot.Height = r.bottom - r.top;
  if (shot.Width <= 0 || shot.Height <= 0) return shot;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = shot.Width;
  bi.bmiHeader.biHeight = -shot.Height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  TBitmapHandle dib(CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  {
    MemoryDc mem(screen);
    SelectGuard sel(mem.get(), dib.get());
    BitBlt(mem.get(), 0, 0, shot.Width, shot.Height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
  }
  ReleaseDC(nullptr, screen);
  const auto* p = static_cast<const uint32_t*>(bits);
  shot.Pixels.reserve(static_cast<size_t>(shot.Width * shot.Height));
  for (int i = 0; i < shot.Width * shot.Height; ++i)
    shot.Pixels.push_back(RGB((p[i] >> 16) & 0xFF, (p[i] >> 8) & 0xFF, p[i] & 0xFF));
  return shot;
}

// Drives one TrackPopupMenu from a thread timer, which the menu's own loop dispatches:
// waits for the menu window, presses the down arrow a number of times, lets it repaint,
// captures it and closes the menu.
struct TMenuDriver {
  int Downs = 0;
  int Tick = 0;
  int PressedAt = -1;
  TMenuShot Shot;

  void OnTick() {
    ++Tick;
    HWND menu = TopMenuWindow();
    if (PressedAt < 0 && menu && Tick >= 3) {
      for (int i = 0; i < Downs; ++i) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
      PressedAt = Tick;
    } else if (PressedAt >= 0 && Tick >= PressedAt + 4 && !Shot.Taken() && menu) {
      RECT r{};
      GetWindowRect(menu, &r);
      Shot = CaptureScreen(r);
      EndMenu();
    } else if (Tick > 100) {
      EndMenu();  // never left open, whatever went wrong
    }
  }
};

TMenuShot OpenAndCapture(TPopupMenu& menu, int downs) {
  TMenuDriver driver;
  driver.Downs = downs;
  RunWithTicks(
      40, [&] { driver.OnTick(); }, [&] { menu.Popup(200, 150); });
  return driver.Shot;
}

struct OpenMenuTest : EngineTest {
  TForm* Form = nullptr;
  TPopupMenu* Skinned = nullptr;
  TPopupMenu* Tagged = nullptr;

  void SetUp() override {
    EngineTest::SetUp();
    Main = LoadedComponent();
    UseMenuItemStrip(*Main);
    Main->MenuBackground = std::make_unique<TDataSkinObject>("MenuBackground", Main->Platform());
    Main->MenuBackground->Image->Assign(Solid(12, 12, Back));
    Main->MenuBackground->LeftWidth = Main->MenuBackground->RightWidth = 3;
    Main->MenuBackground->TopHeight = Main->MenuBackground->BottomHeight = 3;
    Form = new TForm(nullptr);
    Form->SetClientSize(200, 100);
    Skinned = MakeMenu(0);
    Tagged = MakeMenu(100 + Main->DisableTag);
    Activate(*Form);
  }
  void TearDown() override {
    delete Form;
    EngineTest::TearDown();
  }
  TPopupMenu* MakeMenu(int tag) {
    auto* menu = new TPopupMenu(Form);
    menu->Tag = tag;
    for (const char* caption : {"Magic", "Flag", "-", "Exit"}) AddMenuItem(Form, menu->Items(), caption);
    return menu;
  }
};

// Rows of the captured menu whose right part (past any text) is mostly the colour.
std::vector<int> RowsOf(const TMenuShot& s, COLORREF c) {
  std::vector<int> rows;
  const int x0 = s.Width * 3 / 4, x1 = s.Width - 4;
  for (int y = 0; y < s.Height; ++y)
    if (s.CountInRow(y, x0, x1, c) > (x1 - x0) / 2) rows.push_back(y);
  return rows;
}

TEST_F(OpenMenuTest, ShowsTheSkinBackgroundAndItemFrames) {
  ASSERT_NE(Handler(Form->Handle()), nullptr);
  ASSERT_TRUE(Skinned->OwnerDraw());
  const TMenuShot open = OpenAndCapture(*Skinned, 1);
  ASSERT_TRUE(open.Taken()) << "the menu window showed and was captured";
  ASSERT_GT(open.Width, 40);
  // The frame: the skin's background, in every band.
  EXPECT_EQ(open.At(1, open.Height / 2), Back);
  EXPECT_EQ(open.At(open.Width - 2, open.Height / 2), Back);
  EXPECT_EQ(open.At(open.Width / 2, 1), Back);
  EXPECT_EQ(open.At(open.Width / 2, open.Height - 2), Back);
  // One item (the first, selected by the arrow key) over frame 4, two over frame 1.
  const std::vector<int> selected = RowsOf(open, Selected), normal = RowsOf(open, Normal);
  ASSERT_FALSE(selected.empty()) << "a selected item drawn from frame 4";
  ASSERT_FALSE(normal.empty());
  EXPECT_LT(selected.front(), normal.front()) << "the first item is the selected one";
  EXPECT_GT(normal.size(), selected.size()) << "the two others are normal";
  // The separator: frame 2's line, with the background showing through its keyed rows.
  const std::vector<int> line = RowsOf(open, Line);
  ASSERT_FALSE(line.empty()) << "the separator drawn from frame 2";
  EXPECT_GT(RowsOf(open, Back).size(), 4u)
      << "background between the frame and the items, and behind the separator";
  EXPECT_GT(line.front(), normal.front());
  EXPECT_LT(line.back(), normal.back()) << "between Flag and Exit";

  // With another item selected the frames follow it.
  const TMenuShot second = OpenAndCapture(*Skinned, 2);
  ASSERT_TRUE(second.Taken());
  const std::vector<int> selected2 = RowsOf(second, Selected);
  ASSERT_FALSE(selected2.empty());
  EXPECT_GT(selected2.front(), selected.back()) << "Flag selected, below Magic";
}

TEST_F(OpenMenuTest, AMenuTaggedOffKeepsTheSystemsItemDrawing) {
  ASSERT_FALSE(Tagged->OwnerDraw());
  const TMenuShot open = OpenAndCapture(*Tagged, 1);
  ASSERT_TRUE(open.Taken());
  EXPECT_TRUE(RowsOf(open, Selected).empty()) << "no skin frame under the selected item";
  EXPECT_TRUE(RowsOf(open, Normal).empty());
  EXPECT_TRUE(RowsOf(open, Line).empty());
  // The system marks the selection in its own colour.
  const COLORREF hilight[] = {GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_MENUHILIGHT)};
  EXPECT_TRUE(!RowsOf(open, hilight[0]).empty() || !RowsOf(open, hilight[1]).empty())
      << "the selected item in the system's highlight";
}

TEST_F(OpenMenuTest, OwnerDrawnItemsKeepTheirCaptions) {
  ASSERT_TRUE(Skinned->OwnerDraw());
  HMENU menu = Skinned->Handle();
  char text[32] = {};
  struct Row {
    int Position;
    const char* Caption;
  };
  for (const Row& r : {Row{0, "Magic"}, Row{1, "Flag"}, Row{3, "Exit"}}) {
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE;
    ASSERT_TRUE(GetMenuItemInfoA(menu, static_cast<UINT>(r.Position), TRUE, &mii));
    EXPECT_NE(mii.fType & MFT_OWNERDRAW, 0u) << r.Caption;
    EXPECT_GT(GetMenuStringA(menu, static_cast<UINT>(r.Position), text, sizeof text, MF_BYPOSITION), 0)
        << r.Caption;
    EXPECT_STREQ(text, r.Caption);
  }
  EXPECT_EQ(GetMenuStringA(menu, 2, text, sizeof text, MF_BYPOSITION), 0) << "a separator has no caption";
}

}  // namespace
