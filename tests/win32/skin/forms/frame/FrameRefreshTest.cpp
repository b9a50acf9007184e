// A skin refresh on windows of every kind: a dialog window that is not a form of ours, and a
// form whose skin leaves its frame native, both show the second skin at once, read back from
// the screen, with their client areas kept.
#include "host/skin/data/component/SkinTestArchive.h"
#include "skin/data/SkinData_win.h"
#include "tests/win32/skin/forms/frame/FrameTestEnv_win.h"
#include "ui/Forms.h"

namespace {
using namespace skintest;
using namespace frametest;

// Solid border pieces of one colour; `top` is the title bar's height, `side` the width of
// the other three borders.
TSkinArchive SolidFrameSkin(uint32_t colour, int top, int side, uint32_t face) {
  TSkinArchive a;
  a.Bmp("top.bmp", Solid(60, top, colour)).Bmp("left.bmp", Solid(side, 40, colour));
  a.Bmp("right.bmp", Solid(side, 40, colour)).Bmp("bottom.bmp", Solid(60, side, colour));
  const auto rgb = [](uint32_t c) {
    return std::to_string(c & 0xFF) + " " + std::to_string((c >> 8) & 0xFF) + " " + std::to_string(c >> 16);
  };
  a.Ini(
      "[Personality]\nTop=top.bmp\nLeft=left.bmp\nRight=right.bmp\nBottom=bottom.bmp\n[Colours]"
      "\nButtonFace=" +
      rgb(face) + "\n");
  return a;
}

struct FrameRefreshTest : EngineTest {
  // Loads the archive into the main component and pushes it to the windows, as a skin file
  // chosen at run time is; waits until the queued refresh ran.
  void Refresh(const TSkinArchive& archive) {
    ASSERT_TRUE(skintest::Load(*Main, archive));
    Main->ApplySkin();
    for (int i = 0; i < 40 && Manager().CommandTarget(); ++i) PumpMessages(25);
    ASSERT_EQ(Manager().CommandTarget(), nullptr) << "the refresh ran";
  }
  static std::pair<int, int> ClientSize(HWND wnd) {
    RECT r{};
    GetClientRect(wnd, &r);
    return {r.right, r.bottom};
  }
};

constexpr COLORREF kFirst = RGB(200, 30, 30), kSecond = RGB(30, 30, 200);
constexpr COLORREF kFirstFace = RGB(230, 220, 200), kSecondFace = RGB(180, 230, 180);

TEST_F(FrameRefreshTest, ADialogWindowOfAnotherKindShowsTheSecondSkinsFrame) {
  Main = LoadedComponent();
  ASSERT_TRUE(skintest::Load(*Main, SolidFrameSkin(kFirst, 24, 6, kFirstFace)));
  TWindow box(MakeWindow(WS_POPUP | WS_CAPTION | WS_SYSMENU, 300, 200, "#32770"));
  TSkinForm* h = ActivatedHandler(box.Wnd);
  ASSERT_NE(h, nullptr);
  ASSERT_TRUE(h->FrameSkinned());
  const auto client = ClientSize(box.Wnd);
  EXPECT_EQ(SettledScreenPixel(InWindow(box.Wnd, 100, 5)), kFirst);
  EXPECT_EQ(SettledScreenPixel(InWindow(box.Wnd, 2, 100)), kFirst);

  Refresh(SolidFrameSkin(kSecond, 30, 10, kSecondFace));
  EXPECT_EQ(h->Borders(), (TFrameBorders{10, 30, 10, 10, 0}));
  EXPECT_EQ(ClientSize(box.Wnd), client) << "the client area stays";
  EXPECT_EQ(SettledScreenPixel(InWindow(box.Wnd, 100, 5)), kSecond) << "title bar";
  EXPECT_EQ(SettledScreenPixel(InWindow(box.Wnd, 100, 28)), kSecond) << "the title bar's new rows";
  EXPECT_EQ(SettledScreenPixel(InWindow(box.Wnd, 8, 100)), kSecond)
      << "left border, where the client area was";
  RECT w{};
  GetWindowRect(box.Wnd, &w);
  EXPECT_EQ(SettledScreenPixel(InWindow(box.Wnd, w.right - w.left - 3, w.bottom - w.top - 3)), kSecond)
      << "bottom-right corner";
  EXPECT_EQ(SettledScreenPixel(InWindow(box.Wnd, 150, 100)), kSecondFace) << "the client area's face";
}

// A form skinned without the main-menu part keeps its native frame; its controls' faces
// follow the skin all the same.
TEST_F(FrameRefreshTest, AFormWithANativeFrameRepaintsWithTheSecondSkin) {
  Main = LoadedComponent();
  Main->SkinControls &= ~SkinBit(xcMainMenu);
  ASSERT_TRUE(skintest::Load(*Main, SolidFrameSkin(kFirst, 24, 6, kFirstFace)));
  TWindow box(MakeWindow(WS_POPUP | WS_CAPTION | WS_SYSMENU, 300, 200, "#32770"));
  TSkinForm* h = ActivatedHandler(box.Wnd);
  ASSERT_NE(h, nullptr);
  ASSERT_FALSE(h->FrameSkinned());
  RECT c{};
  GetClientRect(box.Wnd, &c);
  const POINT mid = InClient(box.Wnd, c.right / 2, c.bottom / 2);
  EXPECT_EQ(SettledScreenPixel(mid), kFirstFace);

  Refresh(SolidFrameSkin(kSecond, 30, 10, kSecondFace));
  EXPECT_EQ(SettledScreenPixel(mid), kSecondFace);
}

}  // namespace
