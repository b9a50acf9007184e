#include <gtest/gtest.h>

#include "skin/controls/FocusCue.h"

TEST(FocusCue, ShowsOnlyWhileFocusedAndNotHidden) {
  struct Case {
    bool focused;
    uint32_t uiState;
    bool shows;
  } cases[] = {
      {true, 0, true},    {true, 0x1, false},  // the window hides focus cues: the mouse moved the focus
      {true, 0x2, true},                       // hidden accelerators say nothing of focus
      {true, 0x3, false}, {false, 0, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ShowsFocusCue(c.focused, c.uiState), c.shows) << c.focused << " " << c.uiState;
}

TEST(FocusCue, RectangleInsideTheFace) {
  struct Case {
    TSkinRect face;
    int inset;
    TSkinRect cue;
  } cases[] = {
      {{0, 0, 75, 25}, ButtonFocusInset, {3, 3, 72, 22}},
      {{10, 2, 60, 22}, TabFocusInset, {13, 5, 57, 19}},
      {{0, 0, 40, 21}, UpDownFocusInset, {1, 1, 39, 20}},
      {{0, 0, 8, 8}, ButtonFocusInset, {3, 3, 5, 5}},  // the smallest that still shows
      {{0, 0, 7, 25}, ButtonFocusInset, {}},           // too narrow: nothing
      {{0, 0, 25, 5}, 2, {}},                          // too low
      {{5, 5, 5, 5}, 0, {}},                           // an empty face
  };
  for (const Case& c : cases)
    EXPECT_EQ(FocusCueRect(c.face, c.inset), c.cue) << c.face.Left << "," << c.face.Right;
}

TEST(FocusCue, FramedControlsWithoutACaret) {
  EXPECT_TRUE(FramedControlShowsFocusCue("SysDateTimePick32"));
  EXPECT_TRUE(FramedControlShowsFocusCue("sysdatetimepick32"));
  EXPECT_TRUE(FramedControlShowsFocusCue("TDateTimePicker"));  // the class library's window
  for (const char* cls : {"Edit", "TEdit", "SysDateTimePick", "", "RichEdit20A"})
    EXPECT_FALSE(FramedControlShowsFocusCue(cls)) << cls;
}
