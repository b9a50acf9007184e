#include <gtest/gtest.h>

#include <string>

#include "ui/MenusShortCut.h"

TEST(ShortCut, TextRoundTrip) {
  struct Case {
    TShortCut shortCut;
    const char* text;
  };
  const Case cases[] = {
      {ShortCut('S', scCtrl), "Ctrl+S"}, {ShortCut('S', scCtrl | scShift), "Shift+Ctrl+S"},
      {ShortCut(0x70, scNone), "F1"},    {ShortCut(0x7B, scAlt), "Alt+F12"},
      {ShortCut(0x2E, scNone), "Del"},   {ShortCut('5', scAlt), "Alt+5"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShortCutToText(c.shortCut), c.text);
    EXPECT_EQ(TextToShortCut(c.text), c.shortCut) << c.text;
  }
}

TEST(ShortCut, NoKeyNoText) {
  EXPECT_EQ(ShortCutToText(scNone), "");
  EXPECT_EQ(ShortCutToText(scCtrl), "");  // a modifier alone names nothing
  EXPECT_EQ(ShortCutToText(0x07), "");    // a key without a name
  EXPECT_EQ(TextToShortCut("Ctrl+"), scNone);
  EXPECT_EQ(TextToShortCut("Hyper+X"), scNone);
  EXPECT_EQ(TextToShortCut("ctrl+x"), ShortCut('X', scCtrl));
}
