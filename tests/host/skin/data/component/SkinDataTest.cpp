// The skin data model: ReadSkin's loaders, defaults, clamps, frame counts, system buttons,
// colours and the combo composite, on small archives built here.
#include <gtest/gtest.h>

#include <array>

#include "skin/data/SkinData.h"
#include "skin/data/SkinRead.h"
#include "tests/host/skin/data/component/SkinTestArchive.h"

using skintest::Frames;
using skintest::Solid;
using skintest::TSkinArchive;

namespace {

constexpr uint32_t Key = SkinKeyColour;

struct SkinDataTest : ::testing::Test {
  TSkinData Data{nullptr, SoftwareSkinPlatform()};
  void LoadOk(const TSkinArchive& a) { ASSERT_TRUE(skintest::Load(Data, a)); }
};

TEST(ParseColourTest, ReadsRedGreenBlueTriples) {
  struct Case {
    const char* text;
    uint32_t expected;
  } cases[] = {
      {"70 115 150", 0x00967346},
      {"  10 20 30  ", 0x001E140A},
      {"1,2,3", 0x00030201},
      {"r10g20b30", 0x001E140A},  // letters end numbers
      {"-5 6 7", 0x00070605},     // a minus sign is only a separator
      {"1 2 3 4 5", 0x00030201},  // numbers after the third are ignored
      {"300 2 3", 0x0003022C},    // each component keeps its low eight bits
      {"70", 0x00000000},         // a single number gives black
      {"70 115", 0x00000046},     // two numbers give only red
      {"99999999999 1 2 3", 0},   // too long: neither it nor anything later is taken
      {"1 2 99999999999", 0x00000201},
      {"1 99999999999 3", 0x00000001},
  };
  for (const Case& c : cases) EXPECT_EQ(TSkinData::ParseColour(c.text, 0x123456), c.expected) << c.text;
  EXPECT_EQ(TSkinData::ParseColour("", 0xFF000012), 0xFF000012u);
}

TEST_F(SkinDataTest, BitmapNamesKeepCaseOfTheExtension) {
  TSkinArchive a;
  a.Bmp("top.bmp", Solid(6, 4)).Raw("notabmp.bmp", "hello").Ini("[x]\n");
  LoadOk(a);
  TSkinReader reader;
  TMemoryStream archive(a.Pack());
  ASSERT_TRUE(reader.LoadArchive(archive));
  struct Case {
    const char* value;
    int width;
  } cases[] = {
      {"Top.bmp", 6},     {"top.bmp", 6},     {"skins\\top.bmp", 6}, {"c:top.bmp", 6},
      {"TOP.BMP", 0},     {"top.Bmp", 0},     {"top.png", 0},        {"top", 0},
      {"missing.bmp", 0}, {"notabmp.bmp", 0}, {"skins\\", 0},        {"", 0},
  };
  for (const Case& c : cases) {
    auto image = SoftwareSkinPlatform().NewImage();
    image->Assign(Solid(3, 3));  // a previous picture must go when nothing is found
    TSkinData::LoadSkinBitmap(reader, *image, c.value);
    EXPECT_EQ(image->Width(), c.width) << c.value;
  }
}

TEST_F(SkinDataTest, WindowBordersReadTheirPrefixedKeysAndDefaults) {
  TSkinArchive a;
  a.Bmp("top.bmp", Solid(40, 60)).Bmp("left.bmp", Solid(8, 50));
  a.Ini(
      "[Personality]\n"
      "Top=top.bmp\nTopTopHeight=7\nTopBotHeight=9\nTopFrame=2\nTopStretch=0\nTopTrans=0\n"
      "Left=left.bmp\nLeftTopHeight=25\nLeftBotHeight=29\n");
  LoadOk(a);
  const TDataSkinBorder& top = *Data.BorderTop;
  EXPECT_EQ(top.Name, "Top");
  EXPECT_EQ(top.Margins(), (TSkinMargins{7, 0, 9, 0}));
  EXPECT_EQ((std::array{top.FrameCount, top.Tile, top.Trans}), (std::array{2, 0, 0}));
  EXPECT_EQ(top.Image->Width(), 40);
  const TDataSkinBorder& left = *Data.BorderLeft;
  EXPECT_EQ(left.Margins(), (TSkinMargins{0, 25, 0, 29}));
  // Unset frame, stretch and transparency keys default to 1.
  EXPECT_EQ((std::array{left.FrameCount, left.Tile, left.Trans}), (std::array{1, 1, 1}));
  EXPECT_TRUE(Data.BorderRight->Image->Empty());
  EXPECT_EQ(Data.BorderRight->FrameCount, 1);
  EXPECT_FALSE(Data.NoSkin);
}

// Painters ask the element whether there is anything to draw: an absent element, a missing
// image object, a bitmap the archive lacks and one without area all mean "draw unskinned".
TEST_F(SkinDataTest, AnElementHasAnImageOnlyWithPixels) {
  TSkinArchive a;
  a.Bmp("top.bmp", Solid(40, 6)).Bmp("one.bmp", Solid(1, 1));
  a.Ini("[Personality]\nTop=top.bmp\nLeft=missing.bmp\nRight=one.bmp\n");
  LoadOk(a);
  EXPECT_TRUE(HasImage(Data.BorderTop.get()));
  EXPECT_FALSE(HasImage(Data.BorderLeft.get())) << "named, but not in the archive";
  EXPECT_TRUE(Data.BorderRight->HasImage()) << "one pixel is an image";
  EXPECT_FALSE(HasImage(nullptr));
  TDataSkinObject bare("bare", SoftwareSkinPlatform());
  EXPECT_FALSE(bare.HasImage());
  TPixelBuffer flat(8, 0, 24);
  bare.Image->Assign(flat);
  EXPECT_FALSE(bare.HasImage()) << "no rows";
  bare.Image.reset();
  EXPECT_FALSE(bare.HasImage()) << "no image object";
  bare.Image = SoftwareSkinPlatform().NewImage();
  bare.Image->Assign(TPixelBuffer(3, 2, 24));
  EXPECT_TRUE(bare.HasImage());
}

TEST_F(SkinDataTest, ElementLoadersApplyTheirDefaultsAndClamps) {
  TSkinArchive a;
  a.Bmp("e.bmp", Solid(20, 10)).Bmp("chunk.bmp", Solid(4, 4));
  a.Ini(
      "[Colours]\nButtonText=1 2 3\n"
      "[Toolbars]\nImage=e.bmp\n"
      "[Tabs]\nImage=e.bmp\nBorder=chunk.bmp\nTile=2\nStyle=7\nNormalColour=5\nMouseOverColour2=9 9 9\n"
      "[Progress]\nBitmap=e.bmp\nChunk=chunk.bmp\nTile=5\nStyle=1\nLeftWidth=3\nNormalColour2=9 9 9\n"
      "[GroupBox]\nImage=e.bmp\nTile=1\nBackgroundAlignment=2\nBackgroundLeftShift=4\nBackgroundRightShift="
      "6\n"
      "[Headerbar]\nStyle=3\n"                 // no image key: absent
      "[MenuItem]\nImage=gone.bmp\nTrans=1\n"  // image key but no such entry: present, empty image
      "[Personality]\nmenuBar=e.bmp\n");
  LoadOk(a);
  const uint32_t text = 0x030201;

  ASSERT_TRUE(Data.Toolbars);
  const TDataSkinObject& plain = *Data.Toolbars;
  EXPECT_EQ(plain.Name, "Toolbars");
  EXPECT_EQ((std::array{plain.LeftWidth, plain.TopHeight, plain.RightWidth, plain.BottomHeight, plain.Trans,
                        plain.Tile, plain.Style}),
            (std::array{0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ((std::array{plain.NormalColour, plain.MouseOverColour, plain.PressedColour}),
            (std::array{-1, -1, -1}));
  EXPECT_EQ((std::array{plain.NormalColour2, plain.MouseOverColour2, plain.PressedColour2}),
            (std::array{text, text, text}));

  ASSERT_TRUE(Data.Tabs);
  EXPECT_EQ(Data.Tabs->Tile, 0) << "a tile flag above 1 is cleared";
  EXPECT_EQ(Data.Tabs->Style, 0) << "the bordered loader reads no style";
  EXPECT_EQ(Data.Tabs->NormalColour, 5);
  EXPECT_EQ(Data.Tabs->MouseOverColour2, 0x090909u);
  EXPECT_EQ(Data.Tabs->SecondImage->Width(), 4);

  ASSERT_TRUE(Data.Progress);
  EXPECT_EQ(Data.Progress->Tile, 5) << "the progress loader does not clamp";
  EXPECT_EQ(Data.Progress->Style, 1);
  EXPECT_EQ(Data.Progress->LeftWidth, 3);
  EXPECT_EQ(Data.Progress->SecondImage->Width(), 4);
  EXPECT_EQ(
      (std::array{Data.Progress->NormalColour, Data.Progress->MouseOverColour, Data.Progress->PressedColour}),
      (std::array{0, 0, 0}));
  EXPECT_EQ(Data.Progress->NormalColour2, 0u) << "progress colours are not read";

  ASSERT_TRUE(Data.GroupBox);
  EXPECT_EQ(Data.GroupBox->Tile, 1);
  EXPECT_EQ((std::array{Data.GroupBox->BackgroundAlignment, Data.GroupBox->BackgroundLeftShift,
                        Data.GroupBox->BackgroundRightShift}),
            (std::array{2, 4, 6}));

  EXPECT_FALSE(Data.Headerbar);
  ASSERT_TRUE(Data.MenuItem);
  EXPECT_TRUE(Data.MenuItem->Image->Empty());
  EXPECT_EQ(Data.MenuItem->Trans, 1);

  ASSERT_TRUE(Data.MenuBar);
  EXPECT_EQ((std::array{Data.MenuBar->LeftWidth, Data.MenuBar->TopHeight, Data.MenuBar->RightWidth,
                        Data.MenuBar->BottomHeight, Data.MenuBar->Tile}),
            (std::array{1, 0, 1, 0, 0}));
  for (auto* absent : {&Data.Scrollbar, &Data.SunkEdge, &Data.ExtraImages, &Data.StatusBarEdges})
    EXPECT_FALSE(*absent);
}

TEST_F(SkinDataTest, ReloadingDropsElementsTheNewSkinLacks) {
  TSkinArchive first;
  first.Bmp("e.bmp", Solid(8, 8)).Ini("[Scrollbar]\nImage=e.bmp\n[Toolbars]\nImage=e.bmp\n");
  LoadOk(first);
  ASSERT_TRUE(Data.Scrollbar);
  TSkinArchive second;
  second.Bmp("e.bmp", Solid(8, 8)).Ini("[Toolbars]\nImage=e.bmp\nLeftWidth=2\n");
  LoadOk(second);
  EXPECT_FALSE(Data.Scrollbar);
  ASSERT_TRUE(Data.Toolbars);
  EXPECT_EQ(Data.Toolbars->LeftWidth, 2);
}

TEST_F(SkinDataTest, FrameCountsOverrideWhatTheSectionsSay) {
  TSkinArchive a;
  a.Bmp("e.bmp", Solid(40, 10));
  std::string ini;
  const char* plain[] = {"GroupBoxEdge",
                         "Toolbars",
                         "StatusBarEdges",
                         "SunkEdge",
                         "ExtraImages",
                         "Headerbar",
                         "MenuItem",
                         "MenuBackground",
                         "Scrollbar",
                         "HorzScroll",
                         "VertScroll",
                         "HorzScrollThumb",
                         "VertScrollThumb",
                         "Trackbar.ThumbHorz",
                         "Trackbar.ThumbVert",
                         "Trackbar.ThumbLeft",
                         "Trackbar.ThumbRight",
                         "Trackbar.ThumbUp",
                         "Trackbar.ThumbDown",
                         "GroupBox",
                         "Tabs",
                         "UpDown.Horz",
                         "UpDown.Vert"};
  for (const char* s : plain) ini += std::string("[") + s + "]\nImage=e.bmp\nFrameCount=9\nframe=9\n";
  ini += "[Progress]\nBitmap=e.bmp\nFrameCount=9\n[Personality]\nmenuBar=e.bmp\n";
  ini += "[VertScrollThumb]\nFrameCount=5\n";  // a second section of that name is never read
  a.Ini(ini);
  LoadOk(a);
  struct Case {
    const char* name;
    const TDataSkinObject* e;
    int frames;
  } cases[] = {
      {"Buttons", Data.Buttons.get(), 5},
      {"Title", Data.Title.get(), 2},
      {"Progress", Data.Progress.get(), 2},
      {"MenuBar", Data.MenuBar.get(), 2},
      {"GroupBoxEdge", Data.GroupBoxEdge.get(), 2},
      {"Toolbars", Data.Toolbars.get(), 5},
      {"Tabs", Data.Tabs.get(), 5},
      {"ExtraImages", Data.ExtraImages.get(), 5},
      {"Headerbar", Data.Headerbar.get(), 5},
      {"MenuItem", Data.MenuItem.get(), 5},
      {"ThumbHorz", Data.TrackbarThumbHorz.get(), 5},
      {"ThumbDown", Data.TrackbarThumbDown.get(), 5},
      {"StatusBarEdges", Data.StatusBarEdges.get(), 3},
      {"GroupBox", Data.GroupBox.get(), 1},
      {"MenuBackground", Data.MenuBackground.get(), 1},
      {"ComboButton-less SunkEdge", Data.SunkEdge.get(), 4},
      {"HorzScroll", Data.HorzScroll.get(), 4},
      {"VertScroll", Data.VertScroll.get(), 4},
      {"Scrollbar", Data.Scrollbar.get(), 23},
      {"UpDownHorz", Data.UpDownHorz.get(), 8},
      {"UpDownVert", Data.UpDownVert.get(), 8},
      {"HorzScrollThumb", Data.HorzScrollThumb.get(), 9},
      {"VertScrollThumb", Data.VertScrollThumb.get(), 9},
  };
  for (const Case& c : cases) {
    ASSERT_NE(c.e, nullptr) << c.name;
    EXPECT_EQ(c.e->FrameCount, c.frames) << c.name;
  }
}

TEST_F(SkinDataTest, ScrollThumbFramesDefaultToThree) {
  TSkinArchive a;
  a.Bmp("e.bmp", Solid(30, 10))
      .Ini("[HorzScrollThumb]\nImage=e.bmp\n[VertScrollThumb]\nImage=e.bmp\nFrameCount=x\n");
  LoadOk(a);
  EXPECT_EQ(Data.HorzScrollThumb->FrameCount, 3);
  EXPECT_EQ(Data.VertScrollThumb->FrameCount, 3);
}

TEST_F(SkinDataTest, CheckAndRadioFrameCountsComeFromTheStripWhenNotGiven) {
  struct Case {
    int w, h;
    const char* givenKey;  // CheckButtonFrame value, or nullptr
    int expected;
  } cases[] = {
      {56, 14, nullptr, 4},  // 56 div 13
      {91, 13, nullptr, 7},  // 91 div 13
      {96, 16, nullptr, 6},  // 16 high and more: div 16
      {20, 13, nullptr, 4},  // at least 4
      {56, 14, "12", 12},    // a count in the description stays
  };
  for (const Case& c : cases) {
    TSkinArchive a;
    std::string ini = "[Buttons]\nCheckButton=c.bmp\nRadioButton=r.bmp\n";
    if (c.givenKey)
      ini += std::string("CheckButtonFrame=") + c.givenKey + "\nRadioButtonFrame=" + c.givenKey + "\n";
    a.Bmp("c.bmp", Solid(c.w, c.h)).Bmp("r.bmp", Solid(c.w, c.h)).Ini(ini);
    LoadOk(a);
    EXPECT_EQ(Data.Buttons->CheckFrameCount, c.expected) << c.w << "x" << c.h;
    EXPECT_EQ(Data.Buttons->RadioFrameCount, c.expected) << c.w << "x" << c.h;
  }
}

TEST_F(SkinDataTest, ButtonsReadTextColoursAndTheirPresence) {
  TSkinArchive a;
  a.Bmp("b.bmp", Solid(50, 20))
      .Ini(
          "[Colours]\nButtonText=7 8 9\n[Buttons]\nBitmap=b.bmp\nTile=3\nStyle=4\nNormalColour2=1 2 3\n"
          "PressedColour2=\nNormalColour=12\n");
  LoadOk(a);
  const TDataSkinButton& b = *Data.Buttons;
  EXPECT_EQ(b.Tile, 3) << "no clamping for buttons";
  EXPECT_EQ(b.Style, 0) << "buttons read no style";
  EXPECT_TRUE(b.HasNormalColour2);
  EXPECT_FALSE(b.HasMouseOverColour2);
  EXPECT_FALSE(b.HasPressedColour2);
  EXPECT_EQ(b.NormalColour2, 0x030201u);
  EXPECT_EQ(b.MouseOverColour2, 0x090807u);
  EXPECT_EQ(b.PressedColour2, 0x090807u);
  EXPECT_EQ(b.NormalColour, 12);
  EXPECT_EQ(b.MouseOverColour, -1);
  EXPECT_EQ(b.FrameCount, 5);
}

TEST_F(SkinDataTest, TitleTakesTextKeysAndCompleteColourTriplesOnly) {
  TSkinArchive a;
  a.Bmp("tb.bmp", Solid(16, 60))
      .Ini(
          "[Personality]\nTextBack=tb.bmp\nTextShift=22\nTextShiftVert=3\nTextRightClip=100\nTextAlignment="
          "1\n"
          "Textbackground=1\nTXTBackleft=4\nTXTBackRight=5\nActiveTextR=300\nActiveTextG=2\nActiveTextB=3\n"
          "InActiveTextR=1\nInActiveTextG=2\n"
          "[Fonts]\nFontHeight=17\n");
  LoadOk(a);
  const TDataSkinTitle& t = *Data.Title;
  EXPECT_EQ((std::array{t.LeftWidth, t.TopHeight, t.RightWidth, t.BottomHeight}),
            (std::array{22, 3, 100, 0}));
  EXPECT_EQ((std::array{t.TextAlignment, t.TextBackground, t.TextBackLeft, t.TextBackRight, t.FontHeight}),
            (std::array{1, 1, 4, 5, 17}));
  EXPECT_EQ(t.ActiveTextColor, 0x0003022Cu);
  EXPECT_EQ(t.InactiveTextColor, NoTitleColour) << "an incomplete triple leaves the colour unset";
  EXPECT_EQ(t.Image->Height(), 60);

  TSkinArchive bare;
  bare.Ini("[Personality]\n");
  LoadOk(bare);
  EXPECT_EQ(Data.Title->FontHeight, 14);
  EXPECT_EQ(Data.Title->ActiveTextColor, NoTitleColour) << "colours reset at every load";
  EXPECT_TRUE(Data.Title->Image->Empty());
}

TEST_F(SkinDataTest, ColoursIndexedAndCustomColours) {
  TSkinArchive a;
  a.Ini(
      "[Colours]\nButtonFace=10 20 30\nHilight=1 1 1\n"
      "[Colour]\ncolor=1 0 0\n"
      "[Colours2]\ncolor=2 0 0\n"
      "[Colour0]\nColor=3 0 0\n"
      "[Something]\n"
      "[COLOUR7]\n"
      "[Customcolors]\nColor0=0 0 9\nColor9=9 0 0\n");
  LoadOk(a);
  EXPECT_EQ(Data.ColorButtonFace, 0x1E140Au);
  EXPECT_EQ(Data.ColorMenubar, 0x1E140Au) << "menu bar defaults to the button face just read";
  EXPECT_EQ(Data.ColorHilight, 0x010101u);
  EXPECT_EQ(Data.ColorWindowText, SysColourRef(scWindowText));
  EXPECT_EQ(Data.ColorButtonLight, SysColourRef(scBtnHighlight));
  EXPECT_EQ(Data.ColorTitleTextNoActive, SysColourRef(scInactiveCaptionText));
  EXPECT_EQ(Data.IndexedColours,
            (std::vector<TSkinColour>{0x000001, 0x000002, 0x000003, SysColourRef(scWindowText)}));
  EXPECT_EQ(Data.CustomColors[0], 0x090000u);
  EXPECT_EQ(Data.CustomColors[5], 0xFFFFFFu);
  EXPECT_EQ(Data.CustomColors[9], 0x000009u);

  TSkinArchive none;
  none.Ini("[Colours]\n");
  LoadOk(none);
  EXPECT_TRUE(Data.IndexedColours.empty());
  EXPECT_EQ(Data.ColorMenubar, SysColourRef(scBtnFace));
}

TEST_F(SkinDataTest, SystemButtonsKeepOnlyTitleButtonSections) {
  TSkinArchive a;
  a.Bmp("close.bmp", Solid(102, 17))     // ratio 6: six frames
      .Bmp("narrow.bmp", Solid(51, 17))  // ratio 3: three frames
      .Bmp("icon.bmp", Solid(16, 16));
  a.Ini(
      "[Buttons]\n[Button]\n[Button.Radio]\n[BUTTON.CHECKBOX]\n"
      "[Button0]\nButtonImage=close.bmp\nAction=0\nAlign=1\nXcoord=20\nYcoord=4\nVisibility=0\n"
      "[button1]\nButtonImage=narrow.bmp\nAction=1\n"
      "[Button2]\nButtonImage=close.bmp\nframe=2\nAction=3\n"
      "[Button3]\nAction=-1\nVisibility=1\n"  // skipped: no action and visible by a rule
      "[Button4]\nAction=-1\nVisibility=0\nButtonImage=narrow.bmp\n"
      "[Button5]\nButtonImage=icon.bmp\nAction=3\n"
      "[Button6]\nButtonImage=icon.bmp\nAction=11\nCombineOp=2\nVisibility1=4\n"
      "[ButtonX]\nAction=-1\n");  // Visibility defaults to -1 in the test: skipped
  LoadOk(a);
  ASSERT_EQ(Data.SysButtons.size(), 6u + 3u);
  struct Case {
    const char* name;
    int action, frames, imageWidth, visibility1, combineOp;
  } cases[] = {
      {"BUTTON0", 0, 6, 102, 0, -1},  {"BUTTON1", 1, 3, 51, 0, -1},
      {"BUTTON2", 3, 2, 102, 0, -1},   // a count from the description stays, and so does the image
      {"BUTTON4", -1, 6, 51, -1, -1},  // no action: six frames regardless of the picture
      {"BUTTON5", 3, 3, 0, 0, -1},     // counted from its square image, which it then loses
      {"BUTTON6", 11, 3, 0, 4, 2},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const TDataSkinSysButton& b = *Data.SysButtons[i];
    EXPECT_EQ(b.Name, cases[i].name);
    EXPECT_EQ(b.Action, cases[i].action) << b.Name;
    EXPECT_EQ(b.FrameCount, cases[i].frames) << b.Name;
    EXPECT_EQ(b.Image->Width(), cases[i].imageWidth) << b.Name;
    EXPECT_EQ(b.Visibility1, cases[i].visibility1) << b.Name;
    EXPECT_EQ(b.CombineOp, cases[i].combineOp) << b.Name;
  }
  EXPECT_EQ((std::array{Data.SysButtons[0]->Align, Data.SysButtons[0]->XCoord, Data.SysButtons[0]->YCoord}),
            (std::array{1, 20, 4}));
  for (int i = 0; i < 3; ++i) {
    const TDataSkinSysButton& m = *Data.SysButtons[6 + static_cast<size_t>(i)];
    EXPECT_EQ(m.Action, 7 + i);
    EXPECT_EQ((std::array{m.Align, m.Visibility, m.Visibility1, m.FrameCount, m.XCoord}),
              (std::array{100, 100, 100, 4, 0}));
    EXPECT_TRUE(m.Image->Empty()) << "no [MDICONTROLS] strip";
  }
}

TEST_F(SkinDataTest, MdiStripIsCutIntoThreeButtonsOfFourFrames) {
  // 12 cells of 8 x 10, cell k coloured k + 1.
  std::vector<uint32_t> cells;
  for (uint32_t k = 0; k < 12; ++k) cells.push_back(k + 1);
  TSkinArchive a;
  a.Bmp("mdi.bmp", Frames(8, 10, cells)).Ini("[MDICONTROLS]\nImage=mdi.bmp\n");
  LoadOk(a);
  ASSERT_EQ(Data.SysButtons.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    const TSkinImage& img = *Data.SysButtons[static_cast<size_t>(i)]->Image;
    ASSERT_EQ(img.Width(), 32);
    ASSERT_EQ(img.Height(), 10);
    const TPixelBuffer p = img.Pixels();
    for (int f = 0; f < 4; ++f) EXPECT_EQ(p.GetPixel(f * 8 + 3, 5), static_cast<uint32_t>(4 * i + f + 1));
    EXPECT_EQ(Data.SysButtons[static_cast<size_t>(i)]->XCoord, 12 * (3 - i));
  }
}

TEST_F(SkinDataTest, ComboButtonWithoutSunkEdgeKeepsItsImageAndAMirror) {
  TSkinArchive a;
  a.Bmp("cb.bmp", Frames(4, 6, {1, 2, 3, 4})).Ini("[ComboButton]\nImage=cb.bmp\nLeftWidth=1\n");
  LoadOk(a);
  ASSERT_TRUE(Data.ComboButton);
  EXPECT_EQ(Data.ComboButton->Style, 0);
  EXPECT_EQ(Data.ComboButton->LeftWidth, 1);
  const TPixelBuffer img = Data.ComboButton->Image->Pixels();
  const TPixelBuffer mirror = Data.ComboButton->SecondImage->Pixels();
  ASSERT_EQ(img.Width, 16);
  ASSERT_EQ(mirror.Width, 16);
  EXPECT_EQ(img.GetPixel(0, 0), 1u);
  for (int x = 0; x < 16; ++x) EXPECT_EQ(mirror.GetPixel(x, 3), img.GetPixel(15 - x, 3));
}

TEST_F(SkinDataTest, ComboCompositeBuildsBothButtonSides) {
  // Edge frames: key corners around solid colours 0x10 * j; button frames solid 0xA0 + j; a
  // 3 x 3 glyph per state in the extra images.
  TPixelBuffer edge = Frames(10, 21, {0x10, 0x20, 0x30, 0x40});
  for (int f = 0; f < 4; ++f) edge.SetPixel(f * 10, 0, Key);
  TSkinArchive a;
  a.Bmp("edge.bmp", edge)
      .Bmp("cb.bmp", Frames(6, 21, {0xA1, 0xA2, 0xA3, 0xA4}))
      .Bmp("x.bmp", Frames(3, 3, {0xB1, 0xB2, 0xB3, 0xB4, 0xB5}));
  a.Ini(
      "[SunkEdge]\nImage=edge.bmp\nLeftWidth=2\nTopHeight=3\nRightWidth=2\nBottomHeight=4\nTrans=1\n"
      "[ComboButton]\nImage=cb.bmp\nLeftWidth=1\nRightWidth=1\n"
      "[ExtraImages]\nImage=x.bmp\n");
  LoadOk(a);
  const int B = 17 + 2;
  const TDataSkinBorder& cb = *Data.ComboButton;
  const TDataSkinObject& se = *Data.SunkEdge;
  EXPECT_EQ(cb.Style, 2);
  EXPECT_EQ((std::array{cb.LeftWidth, cb.TopHeight, cb.RightWidth, cb.BottomHeight}),
            (std::array{2, 3, B + 2, 4}));
  EXPECT_EQ((std::array{se.LeftWidth, se.TopHeight, se.RightWidth, se.BottomHeight}),
            (std::array{B + 2, 3, 2, 4}));
  const TPixelBuffer strip = cb.Image->Pixels();
  const TPixelBuffer mirrored = se.Image->Pixels();
  ASSERT_EQ(strip.Width, 200);
  ASSERT_EQ(strip.Height, 21);
  ASSERT_EQ(mirrored.Width, 200);
  for (int j = 1; j <= 4; ++j) {
    const int x0 = 50 * (j - 1);
    EXPECT_EQ(strip.GetPixel(x0 + 1, 10), 0x10u * static_cast<uint32_t>(j)) << "edge of frame " << j;
    EXPECT_EQ(strip.GetPixel(x0 + 10, 10), Key) << "the text area is transparent";
    EXPECT_EQ(strip.GetPixel(x0 + 48 - B, 17), Key);
    EXPECT_EQ(strip.GetPixel(x0 + 49 - B, 17), 0x10u * static_cast<uint32_t>(j))
        << "just right of the text area";
    EXPECT_EQ(strip.GetPixel(x0 + 50 - B + 2, 2), 0xA0u + static_cast<uint32_t>(j))
        << "button of frame " << j;
    EXPECT_EQ(strip.GetPixel(x0 + 50 - B + (B - 3) / 2 + 1, 10), 0xB0u + static_cast<uint32_t>(j)) << "glyph";
    EXPECT_EQ(strip.GetPixel(x0, 0), Key) << "a keyed corner stays transparent";
  }
  for (int x = 0; x < 200; ++x)
    for (int y : {0, 10, 20}) ASSERT_EQ(mirrored.GetPixel(x, y), strip.GetPixel(199 - x, y));
}

TEST_F(SkinDataTest, CompositeNeedsBothElements) {
  TSkinArchive a;
  a.Bmp("edge.bmp", Solid(40, 21)).Ini("[SunkEdge]\nImage=edge.bmp\nLeftWidth=3\nRightWidth=3\n");
  LoadOk(a);
  EXPECT_EQ(Data.SunkEdge->Image->Width(), 40);
  EXPECT_EQ(Data.SunkEdge->LeftWidth, 3);
}

}  // namespace
