#include <gtest/gtest.h>

#include "skin/controls/CheckGlyph.h"
#include "skin/controls/ControlMath.h"
#include "skin/controls/CustomGlyphs.h"

using V = TCheckValue;

TEST(CheckBoxFrame, EveryStateForShortAndTwelveFrameStrips) {
  struct Case {
    const char* what;
    TCheckGlyphState state;
    int frame4, frame8, frame12;
  } cases[] = {
      {"unchecked", {V::Unchecked, false, false}, 1, 1, 1},
      {"checked", {V::Checked, false, false}, 2, 2, 5},
      {"unchecked disabled", {V::Unchecked, true, false}, 3, 3, 4},
      {"checked disabled", {V::Checked, true, false}, 4, 4, 8},
      {"grayed", {V::Grayed, false, false}, 4, 4, 8},
      {"grayed disabled", {V::Grayed, true, false}, 6, 6, 6},
      {"pushed", {V::Unchecked, false, true}, 4, 4, 9},
      {"pushed checked", {V::Checked, false, true}, 4, 4, 9},
      {"pushed disabled", {V::Unchecked, true, true}, 4, 4, 12},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CheckBoxFrame(c.state, 4), c.frame4) << c.what;
    EXPECT_EQ(CheckBoxFrame(c.state, 8), c.frame8) << c.what;
    EXPECT_EQ(CheckBoxFrame(c.state, 12), c.frame12) << c.what;
  }
}

TEST(RadioFrame, RenumberedOnlyForEightFrames) {
  struct Case {
    bool checked, disabled;
    int frame4, frame8, frame12;
  } cases[] = {
      {false, false, 1, 1, 1}, {true, false, 2, 5, 2}, {false, true, 3, 4, 3}, {true, true, 4, 8, 4}};
  for (const Case& c : cases) {
    EXPECT_EQ(RadioFrame(c.checked, c.disabled, 4), c.frame4) << c.checked << c.disabled;
    EXPECT_EQ(RadioFrame(c.checked, c.disabled, 8), c.frame8) << c.checked << c.disabled;
    EXPECT_EQ(RadioFrame(c.checked, c.disabled, 12), c.frame12) << c.checked << c.disabled;
  }
}

TEST(CheckState, NativeBitsGiveValueAndPush) {
  // BM_GETSTATE: 1 checked, 2 indeterminate, 4 pushed, 8 focused.
  EXPECT_EQ(CheckBoxFrame(CheckStateFromButtonState(0, false), 4), 1);
  EXPECT_EQ(CheckBoxFrame(CheckStateFromButtonState(1 | 8, false), 4), 2);
  EXPECT_EQ(CheckBoxFrame(CheckStateFromButtonState(2, false), 12), 8);
  EXPECT_EQ(CheckBoxFrame(CheckStateFromButtonState(2, true), 4), 6);
  EXPECT_EQ(CheckBoxFrame(CheckStateFromButtonState(4, false), 12), 9);
  EXPECT_EQ(CheckBoxFrame(CheckStateFromButtonState(4 | 1, true), 12), 12);
  EXPECT_FALSE(CheckStateFromButtonState(8, false).Pushed);
}

TEST(CheckState, ClassLibraryPropertiesOverrideTheNativeValue) {
  struct Case {
    TCheckValue native;
    const char* state;
    const char* checked;
    TCheckValue expected;
  } cases[] = {
      {V::Checked, "cbUnchecked", "", V::Unchecked},  // "uncheck" wins over "check"
      {V::Unchecked, "cbChecked", "", V::Checked},
      {V::Unchecked, "cbGrayed", "True", V::Grayed},  // State is asked before Checked
      {V::Unchecked, "CBGRAYED", "", V::Grayed},
      {V::Checked, "cbOther", "False", V::Checked},  // State published but saying nothing
      {V::Unchecked, "", "True", V::Checked},        // only "Checked"
      {V::Checked, "", "False", V::Unchecked},
      {V::Grayed, "", "", V::Grayed},  // neither published
  };
  for (const Case& c : cases)
    EXPECT_EQ(CheckValueFromProperties(c.native, c.state, c.checked), c.expected)
        << c.state << "/" << c.checked;
  EXPECT_TRUE(RadioCheckedFromProperty(false, "True"));
  EXPECT_FALSE(RadioCheckedFromProperty(true, "False"));
  EXPECT_TRUE(RadioCheckedFromProperty(true, ""));
}

TEST(GlyphPlacement, LeftAndRightBoxesForNarrowAndWideCells) {
  const TSkinRect control{10, 20, 110, 40};  // 100 x 20
  struct Case {
    const char* what;
    bool radio, leftText;
    int w, h;
    TSkinRect glyph, erase;
  } cases[] = {
      {"10 px check on the left", false, false, 10, 10, {13, 25, 23, 35}, {10, 20, 26, 40}},
      {"10 px radio on the left", true, false, 10, 10, {12, 25, 22, 35}, {10, 20, 26, 40}},
      {"13 px check on the left", false, false, 13, 13, {11, 23, 24, 36}, {10, 20, 26, 40}},
      {"16 px check on the left", false, false, 16, 16, {12, 22, 28, 38}, {10, 20, 26, 40}},
      {"16 px radio on the left", true, false, 16, 16, {10, 22, 26, 38}, {10, 20, 26, 40}},
      {"10 px check, left text", false, true, 10, 10, {98, 25, 108, 35}, {92, 20, 110, 40}},
      {"16 px check, left text", false, true, 16, 16, {93, 22, 109, 38}, {92, 20, 110, 40}},
      {"15 px check, left text", false, true, 15, 15, {95, 22, 110, 37}, {92, 20, 110, 40}},
      {"10 px radio, left text", true, true, 10, 10, {98, 25, 108, 35}, {92, 20, 110, 40}},
      {"15 px radio, left text", true, true, 15, 15, {94, 22, 109, 37}, {92, 20, 110, 40}},
  };
  for (const Case& c : cases) {
    const TGlyphPlacement p = c.radio ? RadioGlyphPlacement(control, c.w, c.h, c.leftText)
                                      : CheckGlyphPlacement(control, c.w, c.h, c.leftText);
    EXPECT_EQ(p.Glyph, c.glyph) << c.what;
    EXPECT_EQ(p.Erase, c.erase) << c.what;
  }
}

TEST(GlyphPlacement, NoCellMeansNoDrawing) {
  int w = -1, h = -1;
  EXPECT_TRUE(GlyphCellSize(56, 14, 4, w, h));
  EXPECT_EQ(w, 14);
  EXPECT_EQ(h, 14);
  EXPECT_FALSE(GlyphCellSize(56, 14, 0, w, h));
  EXPECT_FALSE(GlyphCellSize(0, 14, 4, w, h));
  EXPECT_FALSE(GlyphCellSize(3, 14, 4, w, h));  // more frames than pixels
}

namespace {
// A strip of n cells of w x h, cell i in a colour of its own.
TPixelBuffer NumberedStrip(int n, int w, int h) {
  TPixelBuffer b(n * w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < n * w; ++x) b.SetPixel(x, y, 0x102030u * static_cast<uint32_t>(x / w + 1));
  return b;
}
// The source colour of every target cell, or -1 for a key-coloured (empty) cell; checks
// that each cell is uniform.
std::vector<int> CellSources(const TPixelBuffer& b, int w) {
  std::vector<int> out;
  for (int cell = 0; cell < b.Width / w; ++cell) {
    const uint32_t c = b.GetPixel(cell * w, 0);
    for (int y = 0; y < b.Height; ++y)
      for (int x = 0; x < w; ++x) EXPECT_EQ(b.GetPixel(cell * w + x, y), c) << "cell " << cell;
    out.push_back(c == 0xFF00FF ? -1 : static_cast<int>(c / 0x102030u) - 1);
  }
  return out;
}
}  // namespace

TEST(CustomGlyphs, FourFrameStripLeavesCellsTwoFiveAndEightEmpty) {
  const TPixelBuffer glyphs = BuildCustomGlyphStrip(NumberedStrip(4, 6, 5), 4);
  ASSERT_EQ(glyphs.Width, 54);
  ASSERT_EQ(glyphs.Height, 5);
  EXPECT_EQ(CellSources(glyphs, 6), (std::vector<int>{0, 1, -1, 0, 1, -1, 2, 3, -1}));
}

TEST(CustomGlyphs, FiveFrameStripFillsEveryCell) {
  const TPixelBuffer glyphs = BuildCustomGlyphStrip(NumberedStrip(5, 4, 3), 5);
  EXPECT_EQ(CellSources(glyphs, 4), (std::vector<int>{0, 1, 4, 0, 1, 4, 2, 3, 4}));
}

TEST(CustomGlyphs, ShortOrEmptyStripsNeverReadPastTheirEnd) {
  // Two frames: only the cells of sources 0 and 1.
  EXPECT_EQ(CellSources(BuildCustomGlyphStrip(NumberedStrip(2, 3, 3), 2), 3),
            (std::vector<int>{0, 1, -1, 0, 1, -1, -1, -1, -1}));
  EXPECT_EQ(CustomGlyphCellMap(6).size(), 6u);  // only five frames bring the extra cells
  EXPECT_TRUE(BuildCustomGlyphStrip(TPixelBuffer(), 4).Empty());
  EXPECT_TRUE(BuildCustomGlyphStrip(NumberedStrip(4, 6, 5), 0).Empty());
}

TEST(SkinMulDiv, RoundsLikeThePlatform) {
  EXPECT_EQ(SkinMulDiv(152, 50, 100), 76);
  EXPECT_EQ(SkinMulDiv(10, 1, 4), 3);  // 2.5 rounds away from zero
  EXPECT_EQ(SkinMulDiv(-10, 1, 4), -3);
  EXPECT_EQ(SkinMulDiv(7, 1, 3), 2);
  EXPECT_EQ(SkinMulDiv(100000, 100000, 100000), 100000);  // no 32-bit overflow inside
  EXPECT_EQ(SkinMulDiv(5, 5, 0), -1);
  EXPECT_EQ(SkinMulDiv(2000000000, 4, 1), -1);
}
