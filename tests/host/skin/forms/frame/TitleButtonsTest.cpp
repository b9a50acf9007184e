#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/data/SkinData.h"
#include "skin/forms/TitleButtons.h"

namespace {
std::unique_ptr<TDataSkinSysButton> Desc(int action, int visibility, int visibility1, int align = 0,
                                         int x = 0, int y = 0, int imageW = 102, int imageH = 17,
                                         int frames = 6) {
  auto d = std::make_unique<TDataSkinSysButton>("BUTTON", SoftwareSkinPlatform());
  d->Action = action;
  d->Visibility = visibility;
  d->Visibility1 = visibility1;
  d->Align = align;
  d->XCoord = x;
  d->YCoord = y;
  if (imageW > 0) d->Image->Assign(TPixelBuffer(imageW, imageH));
  d->FrameCount = frames;
  return d;
}

constexpr int AllBoxes = IconSysMenu | IconMinBox | IconMaxBox;

// The window states every visibility rule is checked against, in column order.
struct NamedState {
  const char* name;
  TButtonWindowState s;
};
const NamedState States[] = {
    {"plain", {false, true, AllBoxes, fkSingle, false, false, 0}},
    {"maximized", {true, true, AllBoxes, fkSingle, false, false, 0}},
    {"inactive", {false, false, AllBoxes, fkSingle, false, false, 0}},
    {"bare", {false, true, 0, fkSingle, false, false, 0}},
    {"boxes without system menu", {false, true, IconMinBox | IconMaxBox, fkSingle, false, false, 0}},
    {"dialog frame", {false, true, IconSysMenu, fkDialog, false, false, 0}},
    {"standard dialog", {false, true, IconSysMenu, fkDialog, true, false, 0}},
    {"maximized MDI child", {false, true, AllBoxes, fkSizeable, false, true, 20}},
    {"maximized MDI child, no menu bar", {false, true, AllBoxes, fkSizeable, false, true, 0}},
};

std::string VisibleRow(int action, int v, int v1) {
  auto d = Desc(action, v, v1);
  std::string row;
  for (const NamedState& st : States) row += CalcButtonVisible(*d, 0, st.s, nullptr) ? '1' : '0';
  return row;
}
}  // namespace

TEST(CalcButtonVisible, FirstRuleByVisibility) {
  // Action 5 is a custom action: no override applies.
  struct Case {
    int v;
    const char* row;
  } cases[] = {
      {0, "111111111"},   {1, "010000000"},   {2, "101111111"},   {3, "110111111"},    {4, "001000000"},
      {5, "000000000"},   {6, "111000011"},   {7, "000101100"},   {8, "111000011"},    {9, "000101100"},
      {10, "000000000"},  {11, "000000000"},  {12, "000000000"},  {99, "000000000"},   {100, "000000010"},
      {200, "000001000"}, {201, "111111111"}, {999, "111111111"}, {2001, "000000000"}, {-1, "000000000"},
  };
  for (const Case& c : cases) EXPECT_EQ(VisibleRow(5, c.v, 0), c.row) << "Visibility " << c.v;
}

TEST(CalcButtonVisible, SecondRuleByVisibility1) {
  struct Case {
    int v, v1;
    const char* row;
  } cases[] = {
      {201, 0, "111111111"},   {201, 1, "010000000"},   {201, 2, "101111111"},    {201, 3, "110111111"},
      {201, 4, "001000000"},   {201, 5, "000000000"},   {201, 6, "111010011"},    {201, 7, "000101100"},
      {201, 8, "111010011"},   {201, 9, "000101100"},   {201, 10, "000000000"},   {201, 11, "000000000"},
      {201, 200, "000001000"}, {201, 201, "111111111"}, {201, 2000, "111111111"}, {201, 2001, "000000000"},
      {201, -1, "000000000"},  {201, 100, "111111111"},  // 100 repeats the first rule
      {1, 100, "010000000"},   {100, 100, "000000010"},
  };
  for (const Case& c : cases) EXPECT_EQ(VisibleRow(5, c.v, c.v1), c.row) << c.v << "/" << c.v1;
}

TEST(CalcButtonVisible, ActionsTheWindowCannotPerformAreHidden) {
  struct Case {
    const char* name;
    int action, v;
    const char* row;
  } cases[] = {
      {"close needs a system menu", 0, 0, "111001111"},
      {"close with a visibility that ignores the menu", 0, 201, "111111111"},
      {"maximize needs a maximize box", 1, 201, "111010011"},
      {"minimize needs a minimize box", 2, 201, "111010011"},
      {"system menu button: not on dialogs", 3, 201, "111110011"},
      {"icon button 11: not on dialogs", 11, 201, "111110011"},
      {"action 12: not on dialogs", 12, 201, "111110011"},
      {"custom action shows everywhere", 40, 201, "111111111"},
  };
  for (const Case& c : cases) EXPECT_EQ(VisibleRow(c.action, c.v, 0), c.row) << c.name;
}

TEST(CalcButtonVisible, ApplicationDecidesFrom1000To2000) {
  const TButtonWindowState w = States[0].s;
  std::vector<int> asked;
  intptr_t answer = 1;
  const TAskButtonVisible ask = [&](int index) {
    asked.push_back(index);
    return answer;
  };
  auto d = Desc(5, 1000, 0);
  EXPECT_TRUE(CalcButtonVisible(*d, 4, w, ask));
  answer = 0;
  EXPECT_FALSE(CalcButtonVisible(*d, 4, w, ask));
  answer = -7;
  d->Visibility = 2000;
  EXPECT_FALSE(CalcButtonVisible(*d, 2, w, ask));
  EXPECT_EQ(asked, (std::vector<int>{4, 4, 2}));

  // Outside the range the application is not asked.
  answer = 1;
  for (int v : {999, 2001, 0, 100}) {
    d->Visibility = v;
    CalcButtonVisible(*d, 1, w, ask);
  }
  d->Visibility = 201;
  d->Visibility1 = 1500;
  EXPECT_TRUE(CalcButtonVisible(*d, 1, w, ask));
  EXPECT_EQ(asked.size(), 3u);

  // No application to ask: hidden.
  d->Visibility = 1500;
  d->Visibility1 = 0;
  EXPECT_FALSE(CalcButtonVisible(*d, 1, w, nullptr));
}

class LayoutTest : public ::testing::Test {
 protected:
  TSkinSysButton& Add(std::unique_ptr<TDataSkinSysButton> d) {
    Descs.push_back(std::move(d));
    Buttons.push_back(std::make_unique<TSkinSysButton>(Owner, *Descs.back()));
    return *Buttons.back();
  }
  int Layout(const TButtonWindowState& w) { return LayoutSysButtons(Buttons, w, nullptr, In); }
  TNCObjectOwner Owner;
  std::vector<std::unique_ptr<TDataSkinSysButton>> Descs;
  std::vector<std::unique_ptr<TSkinSysButton>> Buttons;
  TButtonLayoutInput In{300, {40, 5, 120, 20}, {4, 30, 5, 6, 20}, false, 3};
};

TEST_F(LayoutTest, EachAlignPlacesOneFrame) {
  struct Case {
    int align;
    bool rtl;
    TSkinRect expected;
  } cases[] = {
      {0, false, {10, 7, 25, 22}},      {1, false, {290, 7, 305, 22}}, {2, false, {15, 7, 30, 22}},
      {8, false, {15, 7, 30, 22}},      {3, false, {130, 7, 145, 22}}, {9, false, {130, 7, 145, 22}},
      {100, false, {282, 32, 297, 47}}, {100, true, {17, 32, 32, 47}}, {5, false, {0, 0, 15, 15}},
  };
  for (const Case& c : cases) {
    auto d = Desc(5, 201, 0, c.align, 10, 7, 60, 15, 4);  // 15 x 15 frames
    TButtonLayoutInput in = In;
    in.RightToLeft = c.rtl;
    EXPECT_EQ(ButtonBounds(*d, in), c.expected) << "Align " << c.align << (c.rtl ? " rtl" : "");
  }
}

TEST_F(LayoutTest, MaximizeAndRestoreButtonsSwapAtOnePlace) {
  TSkinSysButton& maximize = Add(Desc(1, 2, 0, 1, 40));  // shown while not maximized
  TSkinSysButton& restore = Add(Desc(22, 1, 0, 1, 40));  // shown while maximized
  TButtonWindowState w = States[0].s;
  Layout(w);
  EXPECT_TRUE(maximize.Visible);
  EXPECT_FALSE(restore.Visible);
  EXPECT_EQ(maximize.BoundsRect, (TSkinRect{260, 0, 277, 17}));
  EXPECT_EQ(SysButtonAt(Buttons, 265, 5), &maximize);

  w.Maximized = true;
  Layout(w);
  EXPECT_FALSE(maximize.Visible);
  EXPECT_TRUE(restore.Visible);
  EXPECT_EQ(SysButtonAt(Buttons, 265, 5), &restore);

  w.Maximized = false;
  Layout(w);
  EXPECT_EQ(SysButtonAt(Buttons, 265, 5), &maximize);
}

TEST_F(LayoutTest, MdiChildButtonsShowOnlyWhileTheChildIsMaximized) {
  // As the skin reader makes them: Align, Visibility and Visibility1 100, four frames.
  TSkinSysButton& close = Add(Desc(9, 100, 100, 100, 18, 0, 64, 14, 4));
  TButtonWindowState w = States[0].s;
  w.MenuBarHeight = 20;
  Layout(w);
  EXPECT_FALSE(close.Visible);

  w.ChildMaximized = true;
  Layout(w);
  EXPECT_TRUE(close.Visible);
  EXPECT_EQ(close.BoundsRect, (TSkinRect{274, 33, 290, 47}));  // centred in the menu bar
  EXPECT_FALSE(PaintedInTitleBar(close));                      // the menu bar paints it

  w.MenuBarHeight = 0;
  Layout(w);
  EXPECT_FALSE(close.Visible);
}

TEST_F(LayoutTest, RightButtonsEdgeAndUntouchedBounds) {
  Add(Desc(0, 201, 0, 1, 20));
  Add(Desc(1, 201, 0, 1, 60));
  Add(Desc(2, 201, 0, 1, 40));
  TSkinSysButton& hidden = Add(Desc(5, 5, 0, 1, 90));
  TSkinSysButton& imageless = Add(Desc(5, 201, 0, 0, 1, 1, 0, 0));
  hidden.BoundsRect = {1, 2, 3, 4};
  imageless.BoundsRect = {5, 6, 7, 8};
  EXPECT_EQ(Layout(States[0].s), 240);  // the leftmost visible one's left edge
  EXPECT_EQ(hidden.BoundsRect, (TSkinRect{1, 2, 3, 4}));
  EXPECT_EQ(imageless.BoundsRect, (TSkinRect{5, 6, 7, 8}));
  EXPECT_TRUE(imageless.Visible);
  EXPECT_FALSE(PaintedInTitleBar(imageless));

  // Without right-anchored buttons (or only at the window's left edge) there is no edge:
  // none is kept from an earlier layout.
  Buttons.clear();
  Add(Desc(0, 201, 0, 0, 20));
  EXPECT_EQ(Layout(States[0].s), 0);
  Add(Desc(0, 201, 0, 1, 300));
  EXPECT_EQ(Layout(States[0].s), 0);
}

TEST_F(LayoutTest, SysButtonAtTakesTheFirstVisibleHittableButton) {
  TSkinSysButton& a = Add(Desc(0, 201, 0, 0, 10, 0));
  TSkinSysButton& b = Add(Desc(1, 201, 0, 0, 10, 0));  // same place, later in order
  TSkinSysButton& neg = Add(Desc(-1, 201, 0, 0, 50, 0));
  Layout(States[0].s);
  EXPECT_EQ(SysButtonAt(Buttons, 10, 0), &a);
  EXPECT_EQ(SysButtonAt(Buttons, 26, 16), &a);
  EXPECT_EQ(SysButtonAt(Buttons, 27, 5), nullptr);   // right edge is outside
  EXPECT_EQ(SysButtonAt(Buttons, 12, 17), nullptr);  // bottom edge is outside
  EXPECT_EQ(SysButtonAt(Buttons, 9, 5), nullptr);
  a.Visible = false;
  EXPECT_EQ(SysButtonAt(Buttons, 12, 5), &b);
  EXPECT_TRUE(neg.Visible);
  EXPECT_EQ(SysButtonAt(Buttons, 55, 5), nullptr);  // a negative action is never hit
}

TEST(TitleButtonFrames, FullPaintAndStateChanges) {
  EXPECT_EQ(ButtonPaintFrame(true, 6), 1);
  EXPECT_EQ(ButtonPaintFrame(false, 6), 4);
  EXPECT_EQ(ButtonPaintFrame(false, 4), 4);
  EXPECT_EQ(ButtonPaintFrame(false, 3), 1);  // no inactive frame in the strip

  EXPECT_EQ(ButtonStateFrame(ncsNormal, 0), 1);
  EXPECT_EQ(ButtonStateFrame(ncsPressed, 0), 2);
  EXPECT_EQ(ButtonStateFrame(ncsHot, 0), 3);
  EXPECT_EQ(ButtonStateFrame(ncsHot, 100), 4);
  EXPECT_EQ(ButtonStateFrame(ncsPressed, 100), 2);

  EXPECT_TRUE(IsIconAction(3));
  EXPECT_TRUE(IsIconAction(11));
  EXPECT_FALSE(IsIconAction(12));
  EXPECT_FALSE(IsIconAction(0));
}

TEST(ButtonCommand, ActionsMapToCommands) {
  struct Case {
    int action;
    TButtonCommand command;
  } cases[] = {
      {0, bcClose},           {1, bcToggleMaximize}, {22, bcToggleMaximize}, {2, bcToggleMinimize},
      {23, bcToggleMinimize}, {3, bcSystemMenu},     {11, bcSystemMenu},     {12, bcSystemMenu},
      {7, bcChildMinimize},   {60, bcChildMinimize}, {8, bcChildRestore},    {61, bcChildRestore},
      {9, bcChildClose},      {62, bcChildClose},    {4, bcCustom},          {40, bcCustom},
      {-1, bcCustom},
  };
  for (const Case& c : cases) EXPECT_EQ(ButtonCommand(c.action), c.command) << c.action;
}

TEST(BuildSysButtons, OneButtonPerDescriptionInOrder) {
  TSkinData skin{nullptr, SoftwareSkinPlatform()};
  skin.SysButtons.push_back(Desc(0, 0, 0));
  skin.SysButtons.push_back(Desc(1, 6, 0));
  skin.SysButtons.push_back(Desc(7, 100, 100));
  TNCObjectOwner owner;
  const auto buttons = BuildSysButtons(owner, skin);
  ASSERT_EQ(buttons.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(&buttons[i]->Description(), skin.SysButtons[i].get());
    EXPECT_EQ(&buttons[i]->Owner(), &owner);
    EXPECT_EQ(buttons[i]->State, ncsNormal);
  }
}

TEST(PrepareIconButtons, SystemMenuButtonsTakeTheWindowIcon) {
  TSkinData skin{nullptr, SoftwareSkinPlatform()};
  skin.SysButtons.push_back(Desc(0, 0, 0));                       // close: untouched
  skin.SysButtons.push_back(Desc(3, 0, 0, 0, 0, 0, 0, 0, 6));     // no image of its own
  skin.SysButtons.push_back(Desc(11, 0, 0, 0, 0, 0, 20, 20, 3));  // keeps its own image
  auto icon = SoftwareSkinPlatform().NewImage();
  icon->Assign(TPixelBuffer(16, 16));

  PrepareIconButtons(skin, *icon);
  EXPECT_EQ(skin.SysButtons[0]->FrameCount, 6);
  EXPECT_EQ(skin.SysButtons[1]->Image->Width(), 16);
  EXPECT_EQ(skin.SysButtons[1]->FrameCount, 1);
  EXPECT_EQ(skin.SysButtons[2]->Image->Width(), 20);
  EXPECT_EQ(skin.SysButtons[2]->FrameCount, 1);
  EXPECT_EQ(skin.DefaultIcon->Width(), 16);
  EXPECT_EQ(ButtonFrameSize(*skin.SysButtons[1]).Width, 16);

  // A later window's icon does not replace what is there.
  icon->Assign(TPixelBuffer(32, 32));
  PrepareIconButtons(skin, *icon);
  EXPECT_EQ(skin.SysButtons[1]->Image->Width(), 16);
  EXPECT_EQ(skin.DefaultIcon->Width(), 16);

  // A window without an icon leaves the images empty.
  TSkinData bare{nullptr, SoftwareSkinPlatform()};
  bare.SysButtons.push_back(Desc(3, 0, 0, 0, 0, 0, 0, 0, 6));
  icon->Clear();
  PrepareIconButtons(bare, *icon);
  EXPECT_TRUE(bare.SysButtons[0]->Image->Empty());
  EXPECT_TRUE(bare.DefaultIcon->Empty());
  EXPECT_EQ(bare.SysButtons[0]->FrameCount, 1);
}
