#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/controls/ButtonLayout.h"

namespace {
using F = TButtonFamily;
using E = TButtonEvent;
}  // namespace

TEST(ButtonFrame, EachStateOfEachFamily) {
  struct Case {
    const char* what;
    F family;
    TButtonStateFacts s;
    int frame;
  } cases[] = {
      {"push normal", F::Push, {}, bfNormal},
      {"push hot", F::Push, {.Hot = true}, bfHot},
      {"push focused", F::Push, {.Focused = true}, bfHot},
      {"push default", F::Push, {.Default = true}, bfDefault},
      {"push default outranks focus", F::Push, {.Focused = true, .Default = true}, bfDefault},
      {"push default and hot", F::Push, {.Hot = true, .Default = true}, bfHot},
      {"push pressed", F::Push, {.Hot = true, .Pressed = true, .Default = true}, bfPressed},
      {"push disabled", F::Push, {.Hot = true, .Pressed = true, .Enabled = false}, bfDisabled},
      {"push Down is not read", F::Push, {.Down = true}, bfNormal},
      {"glyph focus outranks default", F::Glyph, {.Focused = true, .Default = true}, bfHot},
      {"glyph default", F::Glyph, {.Default = true}, bfDefault},
      {"glyph pressed", F::Glyph, {.Pressed = true, .Focused = true}, bfPressed},
      {"glyph disabled", F::Glyph, {.Default = true, .Enabled = false}, bfDisabled},
      {"speed normal", F::Speed, {.Focused = true, .Default = true}, bfNormal},
      {"speed hot", F::Speed, {.Hot = true}, bfHot},
      {"speed pressed", F::Speed, {.Hot = true, .Pressed = true}, bfPressed},
      {"speed disabled", F::Speed, {.Hot = true, .Enabled = false}, bfDisabled},
      {"speed down", F::Speed, {.Down = true}, bfPressed},
      {"speed down outranks disabled", F::Speed, {.Enabled = false, .Down = true}, bfPressed},
  };
  for (const Case& c : cases) EXPECT_EQ(ButtonFrame(c.family, c.s), c.frame) << c.what;

  EXPECT_FALSE(SpeedButtonDrawsFace(true, bfNormal));  // flat at rest: background, glyph, caption only
  EXPECT_TRUE(SpeedButtonDrawsFace(true, bfHot));
  EXPECT_TRUE(SpeedButtonDrawsFace(true, bfPressed));
  EXPECT_TRUE(SpeedButtonDrawsFace(false, bfNormal));
}

TEST(GlyphCells, FrameToCellAndCellToStripPart) {
  EXPECT_EQ(GlyphCellForFrame(bfNormal), 1);
  EXPECT_EQ(GlyphCellForFrame(bfPressed), 3);
  EXPECT_EQ(GlyphCellForFrame(bfDisabled), 2);
  EXPECT_EQ(GlyphCellForFrame(bfHot), 1);
  EXPECT_EQ(GlyphCellForFrame(bfDefault), 1);

  struct Case {
    const char* what;
    int width, cells, cell;
    TGlyphCell expected;
  } cases[] = {
      {"one cell", 16, 1, 1, {0, 16, false}},
      {"no cell count counts as one", 16, 0, 1, {0, 16, false}},
      {"two cells, disabled: first cell in grey", 32, 2, 2, {0, 16, true}},
      {"two cells, pressed: first cell", 32, 2, 3, {0, 16, false}},
      {"three cells, disabled: first cell in grey", 48, 3, 2, {0, 16, true}},
      {"four cells, up", 64, 4, 1, {0, 16, false}},
      {"four cells, disabled: second cell in grey", 64, 4, 2, {16, 16, true}},
      {"four cells, pressed", 64, 4, 3, {32, 16, false}},
      {"four cells, exclusive", 64, 4, 4, {48, 16, false}},
      {"narrower than its cells", 3, 4, 3, {0, 0, false}},
      {"remainder column unused", 66, 4, 4, {48, 16, false}},
  };
  for (const Case& c : cases) EXPECT_EQ(GlyphCellRect(c.width, c.cells, c.cell), c.expected) << c.what;
}

TEST(CaptionLines, DoubleBarBreaksTheLine) {
  struct Case {
    std::wstring in, out;
  } cases[] = {
      {L"Apply||now", L"Apply\r\nnow"},
      {L"a||b||c", L"a\r\nb\r\nc"},
      {L"||", L"\r\n"},
      {L"|||", L"\r\n|"},
      {L"a|b", L"a|b"},
      {L"|", L"|"},
      {L"", L""},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitCaptionLines(c.in), c.out);
}

TEST(CaptionRect, OnePixelAboveTheMiddle) {
  EXPECT_EQ(CaptionRect({0, 0, 75, 25}, 20, 13, true), (TSkinRect{27, 5, 47, 18}));
  EXPECT_EQ(CaptionRect({0, 0, 75, 25}, 20, 13, false), (TSkinRect{0, 5, 75, 18}));
  EXPECT_EQ(CaptionRect({10, 20, 85, 45}, 20, 13, true), (TSkinRect{37, 25, 57, 38}));
  // Two lines in a short button: (10 - 26) / 2 truncates toward zero to -8.
  EXPECT_EQ(CaptionRect({0, 0, 75, 10}, 30, 26, true), (TSkinRect{22, -9, 52, 17}));
  EXPECT_EQ(CaptionRect({0, 0, 20, 25}, 25, 13, true), (TSkinRect{-2, 5, 23, 18}));
}

TEST(GlyphLayout, LayoutIdentifiers) {
  EXPECT_EQ(GlyphLayoutFrom("blGlyphLeft"), TGlyphLayout::Left);
  EXPECT_EQ(GlyphLayoutFrom("BLGLYPHRIGHT"), TGlyphLayout::Right);
  EXPECT_EQ(GlyphLayoutFrom("blGlyphTop"), TGlyphLayout::Top);
  EXPECT_EQ(GlyphLayoutFrom("blglyphbottom"), TGlyphLayout::Bottom);
  EXPECT_EQ(GlyphLayoutFrom(""), TGlyphLayout::Left);
  EXPECT_EQ(GlyphLayoutFrom("glyphRight"), TGlyphLayout::Left);
}

TEST(GlyphLayout, MarginSpacingAndPlacement) {
  using L = TGlyphLayout;
  struct Case {
    const char* what;
    TGlyphLayoutInput in;
    TGlyphLayoutResult out;  // margin, spacing, glyph x/y, text x/y
  } cases[] = {
      {"centred left: (100 - 56) div 3",
       {L::Left, -1, -1, {100, 25}, {16, 16}, {40, 13}},
       {14, 14, 14, 5, 44, 6}},
      {"centred right", {L::Right, -1, -1, {100, 25}, {16, 16}, {40, 13}}, {14, 14, 70, 5, 16, 6}},
      {"centred top", {L::Top, -1, -1, {100, 60}, {16, 16}, {40, 13}}, {10, 10, 42, 10, 30, 36}},
      {"centred bottom", {L::Bottom, -1, -1, {100, 60}, {16, 16}, {40, 13}}, {10, 10, 42, 34, 30, 11}},
      {"given margin, shared spacing", {L::Left, 4, -1, {100, 25}, {16, 16}, {40, 13}}, {4, 20, 4, 5, 40, 6}},
      {"given margin and spacing", {L::Left, 4, 2, {100, 25}, {16, 16}, {40, 13}}, {4, 2, 4, 5, 22, 6}},
      {"centred with given spacing", {L::Left, -1, 4, {100, 25}, {16, 16}, {40, 13}}, {20, 4, 20, 5, 40, 6}},
      {"centre alignment overrides the margin",
       {L::Left, 4, 2, {100, 25}, {16, 16}, {40, 13}, true},
       {21, 2, 21, 5, 39, 6}},
      {"no caption: spacing 0, glyph centred",
       {L::Left, -1, 4, {100, 25}, {16, 16}, {0, 0}},
       {42, 0, 42, 5, 58, 13}},
      {"no glyph: text centred", {L::Left, -1, -1, {100, 25}, {0, 0}, {40, 13}}, {30, 0, 30, 13, 30, 6}},
      {"too narrow: negative halves truncate toward zero",
       {L::Left, -1, -1, {30, 25}, {16, 16}, {40, 13}},
       {-8, -8, -8, 5, 0, 6}},
      {"speed button: centred with given spacing, one further",
       {L::Left, -1, 4, {100, 25}, {16, 16}, {40, 13}, false, true},
       {21, 4, 21, 5, 41, 6}},
      {"speed button: alignment is not read",
       {L::Left, 4, 2, {100, 25}, {16, 16}, {40, 13}, true, true},
       {4, 2, 4, 5, 22, 6}},
      {"speed button: both shared out as for glyph buttons",
       {L::Left, -1, -1, {100, 25}, {16, 16}, {40, 13}, false, true},
       {14, 14, 14, 5, 44, 6}},
  };
  for (const Case& c : cases) EXPECT_EQ(LayoutGlyphButton(c.in), c.out) << c.what;
}

TEST(ButtonTextColour, ClassLibraryAndRawWindows) {
  TSkinData skin(nullptr, SoftwareSkinPlatform());
  skin.ColorButtonText = 0x000011;
  TDataSkinButton e("Buttons", SoftwareSkinPlatform());
  e.NormalColour2 = 0x0000AA;
  e.MouseOverColour2 = 0x00BB00;
  e.PressedColour2 = 0xCC0000;
  constexpr TSkinColour shadow = 0xFF000010;

  // Without the skin's flags a class-library button keeps its font's colour.
  for (int frame : {bfNormal, bfPressed, bfHot, bfDefault})
    EXPECT_FALSE(ButtonTextColour(e, skin, frame, true, false).has_value()) << frame;
  EXPECT_EQ(ButtonTextColour(e, skin, bfDisabled, false, false), shadow);

  e.HasNormalColour2 = e.HasMouseOverColour2 = e.HasPressedColour2 = true;
  EXPECT_EQ(ButtonTextColour(e, skin, bfNormal, true, false), 0x0000AAu);
  EXPECT_EQ(ButtonTextColour(e, skin, bfHot, true, false), 0x00BB00u);
  EXPECT_EQ(ButtonTextColour(e, skin, bfPressed, true, false), 0xCC0000u);
  EXPECT_FALSE(ButtonTextColour(e, skin, bfDefault, true, false).has_value());
  EXPECT_EQ(ButtonTextColour(e, skin, bfPressed, false, false), shadow);  // a speed button down and disabled

  // Raw windows: the skin's button text, the element's colours whatever the flags, grey when disabled.
  e.HasNormalColour2 = e.HasMouseOverColour2 = e.HasPressedColour2 = false;
  EXPECT_EQ(ButtonTextColour(e, skin, bfNormal, true, true), 0x0000AAu);
  EXPECT_EQ(ButtonTextColour(e, skin, bfHot, true, true), 0x00BB00u);
  EXPECT_EQ(ButtonTextColour(e, skin, bfPressed, true, true), 0xCC0000u);
  EXPECT_EQ(ButtonTextColour(e, skin, bfDefault, true, true), 0x000011u);
  EXPECT_EQ(ButtonTextColour(e, skin, bfDisabled, false, true), 0x808080u);
}

TEST(ButtonMouseState, EventSequences) {
  struct Case {
    const char* what;
    F family;
    bool enabled;
    std::vector<E> events;
    uint8_t bits;
    int clicks;
  } cases[] = {
      {"click", F::Push, true, {E::MouseEnter, E::LeftDown, E::LeftUp}, msHot, 1},
      {"press, move off, release: no click",
       F::Push,
       true,
       {E::MouseEnter, E::LeftDown, E::MouseLeave, E::LeftUp},
       0,
       0},
      {"release without a press", F::Push, true, {E::MouseMove, E::LeftUp}, msHot, 0},
      {"one press, one click", F::Push, true, {E::LeftDown, E::LeftUp, E::LeftUp}, 0, 1},
      {"double click counts as a second press",
       F::Glyph,
       true,
       {E::LeftDown, E::LeftUp, E::LeftDown, E::LeftUp},
       0,
       2},
      {"space: the native button clicks", F::Push, true, {E::SpaceDown}, msPressed, 0},
      {"space released", F::Push, true, {E::SpaceDown, E::SpaceUp}, 0, 0},
      {"space then mouse release: pressed was cleared",
       F::Push,
       true,
       {E::SpaceDown, E::SpaceUp, E::LeftUp},
       0,
       0},
      {"disabled ignores enter", F::Push, false, {E::MouseEnter}, 0, 0},
      {"disabled ignores leave", F::Push, false, {E::MouseMove, E::MouseLeave}, msHot, 0},
      {"speed buttons never click themselves",
       F::Speed,
       true,
       {E::MouseEnter, E::LeftDown, E::LeftUp},
       msHot,
       0},
      {"speed release clears pressed", F::Speed, true, {E::SpaceDown, E::LeftUp}, 0, 0},
      {"disabled speed button still tracks hot", F::Speed, false, {E::MouseEnter}, msHot, 0},
  };
  for (const Case& c : cases) {
    TButtonMouseState state;
    THotButton hot;
    int clicks = 0;
    for (E e : c.events) clicks += state.Handle(e, c.family, &state, hot, c.enabled).Click ? 1 : 0;
    EXPECT_EQ(state.Bits, c.bits) << c.what;
    EXPECT_EQ(clicks, c.clicks) << c.what;
  }
}

TEST(ButtonMouseState, MovingOntoAnotherButtonClearsTheFirst) {
  TButtonMouseState a, b;
  THotButton hot;
  TButtonReaction r = a.Handle(E::MouseMove, F::Push, &a, hot);
  EXPECT_TRUE(r.Repaint);
  EXPECT_EQ(r.LeaveOther, nullptr);
  EXPECT_EQ(hot.Handler, &a);
  EXPECT_EQ(a.Handle(E::MouseMove, F::Push, &a, hot), TButtonReaction{});  // still over a: nothing to do

  r = b.Handle(E::MouseMove, F::Push, &b, hot);
  EXPECT_EQ(r.LeaveOther, &a);  // b tells a at once
  EXPECT_TRUE(r.Repaint);
  EXPECT_EQ(hot.Handler, &b);
  r = a.Handle(E::MouseLeave, F::Push, &a, hot);  // what a does with it
  EXPECT_TRUE(r.Repaint);
  EXPECT_FALSE(a.Hot());
  EXPECT_EQ(hot.Handler, &b);  // a was not the hot button any more
  EXPECT_TRUE(b.Hot());

  r = b.Handle(E::MouseLeave, F::Push, &b, hot);
  EXPECT_EQ(hot.Handler, nullptr);
  EXPECT_FALSE(b.Hot());
}

TEST(ButtonMouseState, FocusVisibilityAndRepaints) {
  TButtonMouseState s;
  THotButton hot;
  EXPECT_TRUE(s.Handle(E::LeftDown, F::Push, &s, hot, true, false).TakeFocus);
  s = {};
  EXPECT_FALSE(s.Handle(E::LeftDown, F::Push, &s, hot, true, true).TakeFocus);
  s = {};
  EXPECT_FALSE(s.Handle(E::LeftDown, F::Speed, &s, hot, true, false).TakeFocus);

  // A hidden speed button drops its state without painting.
  s = {};
  s.Handle(E::MouseEnter, F::Speed, &s, hot);
  const TButtonReaction hidden = s.Handle(E::MouseLeave, F::Speed, &s, hot, true, false, false);
  EXPECT_FALSE(hidden.Repaint);
  EXPECT_EQ(s.Bits, 0);
  s.Handle(E::MouseEnter, F::Speed, &s, hot);
  EXPECT_TRUE(s.Handle(E::MouseLeave, F::Speed, &s, hot, true, false, true).Repaint);

  // Entering makes a push button the form's hot button; a speed button does not claim it.
  TButtonMouseState p;
  hot = {};
  p.Handle(E::MouseEnter, F::Push, &p, hot);
  EXPECT_EQ(hot.Handler, &p);
  TButtonMouseState q;
  q.Handle(E::MouseEnter, F::Speed, &q, hot);
  EXPECT_EQ(hot.Handler, &p);
}
