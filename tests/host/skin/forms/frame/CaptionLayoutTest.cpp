#include <gtest/gtest.h>

#include "skin/forms/CaptionLayout.h"

namespace {
// A stand-in for the caption font: a space is 3 pixels, a dot 2, anything else 7; one
// line is 13 pixels high.
TTextExtent Measure(std::wstring_view s) {
  int w = 0;
  for (wchar_t c : s) w += c == L' ' ? 3 : c == L'.' ? 2 : 7;
  return {w, 13};
}

TCaptionInput Input(const wchar_t* text) {
  TCaptionInput in;
  in.Rect = {10, 0, 210, 30};  // 200 x 30
  in.WindowText = text;
  return in;
}
}  // namespace

TEST(CaptionLayout, AlignmentsPlaceTheBox) {
  // " Abc  " is 30 pixels wide: 3 + 3 x 7 + 2 x 3.
  struct Case {
    const char* name;
    int alignment, shift, rightClip;
    bool rtl;
    int left, right;
  } cases[] = {
      {"shifted", 0, 5, 0, false, 15, 45},
      {"centred", 1, 5, 0, false, 95, 125},
      {"right-aligned before the clip", 2, 5, 40, false, 140, 170},
      {"unknown alignment: at the left", 7, 5, 0, false, 10, 40},
      {"right-to-left always right-aligns", 0, 5, 40, true, 140, 170},
      {"right-to-left beats centring", 1, 5, 0, true, 180, 210},
  };
  for (const Case& c : cases) {
    TCaptionInput in = Input(L"Abc");
    in.TextAlignment = c.alignment;
    in.TextShift = c.shift;
    in.TextRightClip = c.rightClip;
    in.RightToLeft = c.rtl;
    const TCaptionLayout out = LayoutCaption(in, Measure);
    EXPECT_EQ(out.Box, (TSkinRect{c.left, 8, c.right, 21})) << c.name;
    EXPECT_EQ(out.Text, L" Abc  ") << c.name;
    EXPECT_EQ(out.AlignRight, c.rtl) << c.name;
  }
}

TEST(CaptionLayout, CentringAnOddRemainderLeavesTheExtraPixelOnTheRight) {
  TCaptionInput in = Input(L"Abcd");  // 37 wide: 163 pixels remain
  in.TextAlignment = 1;
  const TCaptionLayout out = LayoutCaption(in, Measure);
  EXPECT_EQ(out.Box.Left - in.Rect.Left, 81);
  EXPECT_EQ(in.Rect.Right - out.Box.Right, 82);
}

TEST(CaptionLayout, VerticalOffsetAddsHalfTheShiftTruncated) {
  struct Case {
    int rectHeight, shiftVert, top;
  } cases[] = {
      {30, 0, 8}, {30, 5, 10}, {30, -5, 6}, {31, 0, 9}, {10, 0, -1},  // a title lower than the text
  };
  for (const Case& c : cases) {
    TCaptionInput in = Input(L"Abc");
    in.Rect.Bottom = c.rectHeight;
    in.TextShiftVert = c.shiftVert;
    const TCaptionLayout out = LayoutCaption(in, Measure);
    EXPECT_EQ(out.Box.Top, c.top) << c.rectHeight << " " << c.shiftVert;
    EXPECT_EQ(out.Box.Height(), 13);
  }
}

TEST(CaptionLayout, TextBackWidensTheBoxAndFramesByActivation) {
  TCaptionInput in = Input(L"Abc");
  in.TextShift = 5;
  in.TextBackLeft = 4;
  in.TextBackRight = 6;
  TCaptionLayout out = LayoutCaption(in, Measure);
  EXPECT_EQ(out.Box, (TSkinRect{15, 8, 55, 21}));
  EXPECT_EQ(out.BackRect, (TSkinRect{15, 0, 55, 30}));  // the title's full height
  EXPECT_EQ(out.TextRect, (TSkinRect{19, 8, 49, 21}));
  EXPECT_EQ(out.BackFrame, 1);
  EXPECT_EQ(out.Text, L" Abc  ");

  in.Active = false;
  out = LayoutCaption(in, Measure);
  EXPECT_EQ(out.BackFrame, 2);
}

TEST(CaptionLayout, DialogsWithShiftedTextMoveLeftBySixteen) {
  TCaptionInput in = Input(L"Abc");
  in.Kind = fkDialog;
  in.TextShift = 20;
  EXPECT_EQ(LayoutCaption(in, Measure).Box, (TSkinRect{14, 8, 60, 21}));
  in.TextAlignment = 1;  // only the shifted alignment has room for an icon to give up
  EXPECT_EQ(LayoutCaption(in, Measure).Box, (TSkinRect{95, 8, 125, 21}));
}

TEST(CaptionLayout, LongCaptionEndsWithEllipsisBeforeTheRightClip) {
  TCaptionInput in;
  in.Rect = {0, 0, 100, 20};
  in.TextRightClip = 20;
  in.WindowText = L"Lumetta options and settings";
  const TCaptionLayout out = LayoutCaption(in, Measure);
  EXPECT_EQ(out.Box.Right, 80);
  EXPECT_EQ(out.TextRect.Right, 80);
  // The longest head that fits with its ellipsis in 80 pixels.
  EXPECT_EQ(out.Text, L" Lumetta op...");
  EXPECT_LE(Measure(out.Text).Width, out.TextRect.Width());
}

TEST(CaptionLayout, EveryCaptionEndsBeforeTheButtonsOnTheRight) {
  struct Case {
    int buttonsLeft, right;
  } cases[] = {
      {60, 55},   // five pixels before the buttons
      {200, 80},  // buttons beyond the text: it shows whole, whatever the skin's clip says
      {5, 60},    // not a real edge: the skin's clip
      {0, 60},    // no buttons on the right: the skin's clip
  };
  for (const Case& c : cases) {
    TCaptionInput in = Input(L"Abcdefgh");  // 65 wide, from 15 to 80
    in.TextShift = 5;
    in.TextRightClip = 150;  // the skin's clip at 60
    in.RightButtonsLeft = c.buttonsLeft;
    const TCaptionLayout out = LayoutCaption(in, Measure);
    EXPECT_EQ(out.Box.Right, c.right) << c.buttonsLeft;
    EXPECT_EQ(out.Text.find(L"..."), c.right < 80 ? out.Text.size() - 3 : std::wstring::npos)
        << c.buttonsLeft;
  }
}

TEST(CaptionLayout, ATitleThatFitsWithoutItsTrailingSpacesShowsWhole) {
  // " Abc  " is 30 wide, " Abc" 24: room for 26 shows the title, not "...".
  for (const int room : {24, 26, 29}) {
    TCaptionInput in = Input(L"Abc");
    in.TextShift = 5;
    in.RightButtonsLeft = in.Rect.Left + 5 + room + 5;
    EXPECT_EQ(LayoutCaption(in, Measure).Text, L" Abc") << room;
  }
  TCaptionInput in = Input(L"Abc");
  in.TextShift = 5;
  in.RightButtonsLeft = in.Rect.Left + 5 + 23 + 5;
  EXPECT_EQ(LayoutCaption(in, Measure).Text, L" Ab...") << "one pixel less";
}

TEST(CaptionLayout, NoRoomLeavesNoText) {
  TCaptionInput in = Input(L"Abc");
  in.TextRightClip = 200;  // clip at the rect's left edge
  in.TextShift = 5;
  const TCaptionLayout out = LayoutCaption(in, Measure);
  EXPECT_LE(out.TextRect.Width(), 0);
  EXPECT_TRUE(out.Text.empty());
}

TEST(FitWithEllipsis, FitsShortensOrGivesUp) {
  EXPECT_EQ(FitWithEllipsis(L"Abc", 21, Measure), L"Abc");
  EXPECT_EQ(FitWithEllipsis(L"Abc", 20, Measure), L"Ab...");
  EXPECT_EQ(FitWithEllipsis(L"Abc", 13, Measure), L"A...");
  EXPECT_EQ(FitWithEllipsis(L"Abc", 12, Measure), L"...");
  EXPECT_EQ(FitWithEllipsis(L"Abc", 3, Measure), L"...");
  EXPECT_EQ(FitWithEllipsis(L"", 0, Measure), L"");
  // The cut never separates the halves of a surrogate pair.
  const std::wstring pair = std::wstring(L"ab") + wchar_t(0xD83D) + wchar_t(0xDE00) + L"cd";
  EXPECT_EQ(FitWithEllipsis(pair, 27, Measure), L"ab...");
  EXPECT_EQ(FitWithEllipsis(pair, 34, Measure), pair.substr(0, 4) + L"...");
}
