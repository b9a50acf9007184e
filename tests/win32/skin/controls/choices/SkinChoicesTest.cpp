// Skinned check boxes and radio buttons: the strip frame each state shows, read back from
// the window's DC; where the glyph lands and what is repainted in the parent's colour (box
// on the left, box on the right); raw BUTTON windows; a control whose only
// state property is "Checked"; the glyph bitmap fed to a glyph check box.
#include "skin/controls/SkinChoices.h"
#include "tests/win32/skin/controls/base/ControlTestEnv_win.h"
#include "ui/ComCtrls.h"
#include "ui/Menus.h"

namespace {
using namespace controltest;

// Twelve plain frame colours, 1-based; none is the form's or the key colour.
COLORREF StripColour(int frame) { return RGB(16 * frame, 250 - 13 * frame, 60 + 7 * frame); }

std::unique_ptr<TSkinImage> SolidStrip(ISkinPlatform& platform, int frames, int cell) {
  return SolidFrameImage(platform, frames, cell, cell, StripColour);
}

// The frame shown at (x, y) of the window, 0 for none of the strip's colours.
int FrameAt(HWND wnd, int x, int y) {
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  const COLORREF c = WindowPixel(wnd, x, y);
  for (int f = 1; f <= 12; ++f)
    if (c == StripColour(f)) return f;
  return 0;
}

struct SkinChoicesTest : ControlTest {
  void UseStrips(int checkFrames, int radioFrames, int cell = 12) {
    Main->Buttons->CheckImage = SolidStrip(Main->Platform(), checkFrames, cell);
    Main->Buttons->CheckFrameCount = checkFrames;
    Main->Buttons->RadioImage = SolidStrip(Main->Platform(), radioFrames, cell);
    Main->Buttons->RadioFrameCount = radioFrames;
  }
  TForm* MakeChoiceForm() { return MakeForm(); }
};

TEST_F(SkinChoicesTest, CheckBoxFramesByStateForSixAndTwelveFrameStrips) {
  struct Case {
    const char* what;
    TCheckBoxState state;
    bool disabled, pushed;
    int frame6, frame12;
  } cases[] = {
      {"unchecked", cbUnchecked, false, false, 1, 1},
      {"checked", cbChecked, false, false, 2, 5},
      {"indeterminate", cbGrayed, false, false, 4, 8},
      {"disabled", cbUnchecked, true, false, 3, 4},
      {"disabled, checked", cbChecked, true, false, 4, 8},
      {"disabled, indeterminate", cbGrayed, true, false, 6, 6},
      {"pushed", cbUnchecked, false, true, 4, 9},
      {"pushed, checked", cbChecked, false, true, 4, 9},
      {"pushed, disabled", cbUnchecked, true, true, 4, 12},
  };
  for (int frames : {6, 12}) {
    UseStrips(frames, 4);
    MakeChoiceForm();
    auto* box = Add<TCheckBox>(10, 10, 150, 20, "Check");
    box->SetAllowGrayed(true);
    auto* h = ShowFormFor<TSkinCheckBox>(box);
    ASSERT_NE(h, nullptr) << "a check box gets TSkinCheckBox";
    HWND w = box->Handle();
    for (const Case& c : cases) {
      box->SetState(c.state);
      box->SetEnabled(!c.disabled);
      SendMessageA(w, BM_SETSTATE, c.pushed, 0);
      PumpMessages(5);
      const int want = frames == 12 ? c.frame12 : c.frame6;
      // 12-pixel cells on the left: left + 2 + (14 - 12) / 2 - 1 = 2.. 13; 20 high: top 4.
      EXPECT_EQ(FrameAt(w, 2 + 6, 10), want) << c.what << ", " << frames << " frames";
      EXPECT_EQ(h->LastFrame(), want) << c.what;
      SendMessageA(w, BM_SETSTATE, FALSE, 0);
    }
    delete FormObj;
    FormObj = nullptr;
  }
}

TEST_F(SkinChoicesTest, RadioFramesByStateForFourAndEightFrameStrips) {
  struct Case {
    bool checked, disabled;
    int frame4, frame8;
  } cases[] = {
      {false, false, 1, 1},
      {true, false, 2, 5},
      {false, true, 3, 4},
      {true, true, 4, 8},
  };
  for (int frames : {4, 8}) {
    UseStrips(4, frames);
    MakeChoiceForm();
    auto* radio = Add<TRadioButton>(10, 10, 150, 20, "Radio");
    TSkinForm* form = ShowForm();
    ASSERT_NE(form, nullptr);
    ASSERT_NE(dynamic_cast<TSkinRadioButton*>(HandlerOf(*form, radio)), nullptr);
    for (const Case& c : cases) {
      radio->SetChecked(c.checked);
      radio->SetEnabled(!c.disabled);
      PumpMessages(5);
      // 12-pixel radio cells on the left: left + (14 - 12) / 2 = 1.
      EXPECT_EQ(FrameAt(radio->Handle(), 1 + 6, 10), frames == 8 ? c.frame8 : c.frame4)
          << "checked " << c.checked << " disabled " << c.disabled << ", " << frames << " frames";
    }
    delete FormObj;
    FormObj = nullptr;
  }
}

TEST_F(SkinChoicesTest, AClickShowsThePushedFrameThenTheNewState) {
  UseStrips(6, 4);
  MakeChoiceForm();
  auto* box = Add<TCheckBox>(10, 10, 150, 20, "Check");
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  HWND w = box->Handle();
  SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 10));
  PumpMessages(5);
  EXPECT_EQ(FrameAt(w, 8, 10), 4) << "held down";
  SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(8, 10));
  PumpMessages(5);
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(FrameAt(w, 8, 10), 2) << "released: checked";
  SendMessageA(w, WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(FrameAt(w, 8, 10), 4) << "held down by the space key";
  SendMessageA(w, WM_KEYUP, VK_SPACE, 0);
  PumpMessages(5);
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(FrameAt(w, 8, 10), 1);
}

// Ten-pixel cells: a check lands at left + 3, a radio at left + 2; the first 16 pixels
// (left text: the last 18) are the parent's colour wherever the glyph is not.
TEST_F(SkinChoicesTest, GlyphPlacesAndTheErasedBoxOnEitherSide) {
  UseStrips(4, 4, 10);
  MakeChoiceForm();
  auto* check = Add<TCheckBox>(10, 10, 150, 20, "Check");
  auto* radio = Add<TRadioButton>(10, 40, 150, 20, "Radio");
  auto* checkRight = Add<TCheckBox>(10, 70, 150, 20, "Check");
  checkRight->SetLeftText(true);
  auto* radioRight = Add<TRadioButton>(10, 100, 150, 20, "Radio");
  radioRight->SetLeftText(true);
  // The controls' own colour is what the native box sits on: the erased part must differ.
  for (TWinControl* c : std::initializer_list<TWinControl*>{check, radio, checkRight, radioRight})
    c->SetColor(RGB(180, 180, 250));
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  // A skinned form may take the skin's face colour: the parent's colour is read now.
  const COLORREF parent = ColorToRGB(FormObj->Color());
  ASSERT_NE(parent, RGB(180, 180, 250));
  struct Case {
    const char* what;
    TWinControl* control;
    int glyphLeft;           // first column of the 10-pixel glyph
    int eraseFrom, eraseTo;  // columns in the parent's colour, glyph excepted
  } cases[] = {
      {"check, box on the left", check, 3, 0, 16},
      {"radio, box on the left", radio, 2, 0, 16},
      // 150 - (15 - 10) / 2 = 148 is the right edge of the check glyph; 150 - 2 for a radio.
      {"check, box on the right", checkRight, 138, 132, 150},
      {"radio, box on the right", radioRight, 138, 132, 150},
  };
  for (const Case& c : cases) {
    HWND w = c.control->Handle();
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    WindowDc dc(w);
    EXPECT_EQ(GetPixel(dc.get(), c.glyphLeft, 10), StripColour(1)) << c.what << ": first glyph column";
    EXPECT_EQ(GetPixel(dc.get(), c.glyphLeft + 9, 10), StripColour(1)) << c.what << ": last glyph column";
    EXPECT_NE(GetPixel(dc.get(), c.glyphLeft - 1, 10), StripColour(1)) << c.what << ": not a column earlier";
    EXPECT_NE(GetPixel(dc.get(), c.glyphLeft + 10, 10), StripColour(1)) << c.what << ": not a column later";
    for (int x = c.eraseFrom; x < c.eraseTo; ++x) {
      if (x >= c.glyphLeft && x < c.glyphLeft + 10) continue;
      for (int y : {0, 2, 10, 19}) {
        ASSERT_EQ(GetPixel(dc.get(), x, y), parent) << c.what << " at " << x << "," << y;
      }
    }
  }
}

TEST_F(SkinChoicesTest, SwitchingSkinningOffBringsTheNativeBoxBackOnAPageToo) {
  UseStrips(6, 4);
  MakeChoiceForm();
  // With a menu bar the form keeps its native frame: nothing resizes it when the skin goes.
  GiveMenuBar(*FormObj, "&File");
  // A page control clips its children: repainting it leaves the page's controls alone.
  auto* box = AddTo<TCheckBox>(AddPage(10, 10, 260, 150), 10, 10, 150, 20);
  box->SetChecked(true);
  ASSERT_NE(ShowFormFor(box), nullptr);
  EXPECT_EQ(FrameAt(box->Handle(), 8, 10), 2);
  Main->SetActive(false);
  PumpMessages(600);  // the manager runs the switch on its 250 ms command timer
  // No forced redraw here: the switch itself must get the box repainted.
  UpdateWindow(box->Handle());
  const COLORREF c = WindowPixel(box->Handle(), 8, 10);
  EXPECT_NE(c, StripColour(2)) << "the skin's glyph stayed after skinning was switched off";
}

TEST_F(SkinChoicesTest, WithoutAStripTheNativeBoxStays) {
  struct Case {
    const char* what;
    int frames;
    bool emptyImage;
  } cases[] = {{"no frames", 0, false}, {"an empty image", 4, true}};
  for (const Case& c : cases) {
    UseStrips(4, 4);
    Main->Buttons->CheckFrameCount = c.frames;
    if (c.emptyImage) Main->Buttons->CheckImage = Main->Platform().NewImage();
    MakeChoiceForm();
    auto* box = Add<TCheckBox>(10, 10, 150, 20, "Check");
    auto* h = ShowFormFor<TSkinCheckBox>(box);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(FrameAt(box->Handle(), 8, 10), 0) << c.what;
    EXPECT_EQ(h->LastFrame(), 0) << c.what;
    delete FormObj;
    FormObj = nullptr;
  }
}

// A check box class that publishes only "Checked" (no "State"): the property decides the
// frame whatever the native window says. The pass reaches it through a Skin3rd line.
class TPlainCheck : public TWinControl {
 public:
  explicit TPlainCheck(TComponent* owner) : TWinControl(owner) {}
  DECLARE_CLASS_INFO;
  bool Value = false;

 protected:
  void CreateParams(TCreateParams& p) override {
    TWinControl::CreateParams(p);
    p.NativeClass = "BUTTON";
    p.Style |= BS_CHECKBOX;
  }
};
DEFINE_CLASS_INFO(TPlainCheck, TWinControl, Prop<&TPlainCheck::Value>("Checked"))

TEST_F(SkinChoicesTest, AControlWithOnlyCheckedShowsWhatThePropertySays) {
  UseStrips(6, 4);
  Main->SetSkin3rd({"TPlainCheck=checkbox"});
  MakeChoiceForm();
  auto* plain = Add<TPlainCheck>(10, 10, 150, 20, "Plain");
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  ASSERT_NE(dynamic_cast<TSkinCheckBox*>(HandlerOf(*form, plain)), nullptr);
  HWND w = plain->Handle();
  struct Case {
    bool property;
    WPARAM native;
    int frame;
  } cases[] = {{false, BST_CHECKED, 1}, {true, BST_UNCHECKED, 2}, {false, BST_INDETERMINATE, 1}};
  for (const Case& c : cases) {
    plain->Value = c.property;
    SendMessageA(w, BM_SETCHECK, c.native, 0);
    EXPECT_EQ(FrameAt(w, 8, 10), c.frame) << "Checked " << c.property << ", native " << c.native;
  }
}

// Raw BUTTON windows of a window that is no form of ours (a standard dialog's, say).
TEST_F(SkinChoicesTest, RawButtonWindowsGetTheirHandlersAndFrames) {
  UseStrips(6, 4);
  Manager().SetSkinningOn(false);  // the form handler is made by hand
  HWND top = skintest::MakeWindow(WS_POPUP | WS_CAPTION | WS_VISIBLE);
  ASSERT_NE(top, nullptr);
  skintest::TWindow keep(top);
  auto button = [&](DWORD style, int y, const char* text) {
    return CreateWindowExA(0, "BUTTON", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 10, y, 120, 20, top,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
  };
  HWND check = button(BS_AUTOCHECKBOX, 10, "Check"), three = button(BS_AUTO3STATE, 40, "Three states"),
       radio = button(BS_AUTORADIOBUTTON | WS_GROUP, 70, "Radio");
  TSkinForm h(Manager(), nullptr, top);
  h.AttachToWindow(Main.get());
  SendMessageA(top, CM_SKINSTART, 0, 1000);
  auto handlerOf = [&](HWND w) -> TSkinCheckBox* {
    for (TSkinControl* c : h.ControlHandlers())
      if (c->Handle() == w) return dynamic_cast<TSkinCheckBox*>(c);
    return nullptr;
  };
  ASSERT_NE(handlerOf(check), nullptr);
  ASSERT_NE(handlerOf(three), nullptr);
  ASSERT_NE(dynamic_cast<TSkinRadioButton*>(handlerOf(radio)), nullptr);
  EXPECT_EQ(handlerOf(check)->ClassName(), "TSkinCheckBox");

  struct Case {
    HWND wnd;
    int clicks;
    int frame;
  } cases[] = {
      {check, 0, 1}, {check, 1, 2}, {three, 2, 4}, {three, 1, 1}, {radio, 1, 2},
  };
  for (const Case& c : cases) {
    for (int i = 0; i < c.clicks; ++i) SendMessageA(c.wnd, BM_CLICK, 0, 0);
    // 12-pixel cells centred in 20 pixels: a check from x = 2, a radio from x = 1.
    EXPECT_EQ(FrameAt(c.wnd, c.wnd == radio ? 7 : 8, 10), c.frame) << "window " << c.wnd << ", " << c.clicks;
  }
  EnableWindow(check, FALSE);
  EXPECT_EQ(FrameAt(check, 8, 10), 4) << "checked and disabled";
  h.DetachSkin();
  EXPECT_TRUE(h.ControlHandlers().empty());
  EXPECT_EQ(FrameAt(check, 8, 10), 0) << "detached: the native box is back";
}

TEST_F(SkinChoicesTest, TheGlyphCheckBoxIsFedTheSkinsGlyphs) {
  UseStrips(4, 4);
  MakeChoiceForm();
  auto* glyph = Add<TGlyphCheckBox>(10, 10, 150, 20, "Glyphs");
  glyph->SetAllowGrayed(true);
  glyph->SetColor(RGB(200, 250, 200));
  auto* plain = Add<TCheckBox>(10, 40, 150, 20, "Plain");
  TSkinForm* form = ShowForm();
  ASSERT_NE(form, nullptr);
  auto* h = dynamic_cast<TSkinObjImage*>(HandlerOf(*form, glyph));
  ASSERT_NE(h, nullptr) << "the glyph check box gets TSkinObjImage";
  EXPECT_TRUE(h->FFeedGlyphs);
  EXPECT_NE(dynamic_cast<TSkinCheckBox*>(HandlerOf(*form, plain)), nullptr);
  EXPECT_EQ(GetEnumProperty(glyph, "UseCustomGlyphs"), "True");
  EXPECT_EQ(GetIntProperty(glyph, "TransparentColor"), 0xFF00FF);
  ASSERT_EQ(glyph->CustomGlyphs()->Width(), 9 * 12);

  // Cells: unchecked 0, checked 1, grayed 2; disabled 6, 7, 8. Four frames leave the
  // grayed cells empty (magenta, keyed out: the box's own colour shows).
  struct Case {
    const char* what;
    TCheckBoxState state;
    bool disabled;
    COLORREF colour;
  } cases[] = {
      {"unchecked", cbUnchecked, false, StripColour(1)},
      {"checked", cbChecked, false, StripColour(2)},
      {"grayed", cbGrayed, false, RGB(200, 250, 200)},
      {"disabled", cbUnchecked, true, StripColour(3)},
      {"disabled, checked", cbChecked, true, StripColour(4)},
      {"disabled, grayed", cbGrayed, true, RGB(200, 250, 200)},
  };
  for (const Case& c : cases) {
    glyph->SetState(c.state);
    glyph->SetEnabled(!c.disabled);
    RedrawWindow(glyph->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(WindowPixel(glyph->Handle(), 6, 10), c.colour) << c.what;
  }
  h->UnSkin();
  EXPECT_EQ(GetEnumProperty(glyph, "UseCustomGlyphs"), "False") << "unskinned: the control's own box";
  RedrawWindow(glyph->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(glyph->LastCell(), -1);
}

TEST_F(SkinChoicesTest, AGlyphCheckBoxGetsNothingWithoutAStripAndFollowsASkinChange) {
  UseStrips(4, 4);
  Main->Buttons->CheckFrameCount = 0;
  MakeChoiceForm();
  auto* glyph = Add<TGlyphCheckBox>(10, 10, 150, 20, "Glyphs");
  auto* h = ShowFormFor<TSkinObjImage>(glyph);
  ASSERT_NE(h, nullptr);
  EXPECT_TRUE(glyph->CustomGlyphs()->Empty());
  EXPECT_EQ(GetEnumProperty(glyph, "UseCustomGlyphs"), "False");
  UseStrips(5, 4, 8);
  h->SkinChanged();
  EXPECT_EQ(glyph->CustomGlyphs()->Width(), 9 * 8) << "five frames of 8 pixels";
  EXPECT_EQ(GetEnumProperty(glyph, "UseCustomGlyphs"), "True");
  glyph->SetAllowGrayed(true);
  glyph->SetState(cbGrayed);
  RedrawWindow(glyph->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(WindowPixel(glyph->Handle(), 4, 10), StripColour(5))
      << "a five-frame strip fills the grayed cells";
}

}  // namespace
