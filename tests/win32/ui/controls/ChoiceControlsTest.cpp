// Check boxes, radio buttons and the glyph check box of the class library over real BUTTON
// windows: the click cycle, the state the native window shows, the published names the skin
// reads, radio groups (clicks, code, arrow keys) and the glyph cell a paint shows.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "UiTestSupport.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

namespace {

struct ChoiceFixture {
  ChoiceFixture() {
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(60, 60, 320, 240);
  }
  void Show() {
    form->Show();
    SetForegroundWindow(form->Handle());
    Application->ProcessMessages();
  }
  template <class T>
  T* Add(int left, int top, const char* caption = "choice") {
    auto* c = new T(form.get());
    c->SetParent(form.get());
    c->SetBounds(left, top, 120, 20);
    c->SetCaption(caption);
    return c;
  }
  std::unique_ptr<TForm> form;
};

LRESULT NativeCheck(TWinControl* c) { return SendMessageA(c->Handle(), BM_GETCHECK, 0, 0); }

TEST(CheckBox, ClicksStepThroughTheStatesAndTheWindowShowsEach) {
  struct Case {
    bool allowGrayed;
    TCheckBoxState after[3];  // after the first, second and third click
  } cases[] = {
      {false, {cbChecked, cbUnchecked, cbChecked}},
      {true, {cbChecked, cbGrayed, cbUnchecked}},
  };
  for (const Case& c : cases) {
    ChoiceFixture f;
    auto* box = f.Add<TCheckBox>(10, 10);
    box->SetAllowGrayed(c.allowGrayed);
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    f.Show();
    for (int i = 0; i < 3; ++i) {
      SendMessageA(box->Handle(), BM_CLICK, 0, 0);
      EXPECT_EQ(box->State(), c.after[i]) << "allowGrayed " << c.allowGrayed << " click " << i + 1;
      EXPECT_EQ(NativeCheck(box), static_cast<LRESULT>(c.after[i])) << "click " << i + 1;
      EXPECT_EQ(box->Checked(), c.after[i] == cbChecked);
    }
    EXPECT_EQ(clicks, 3);
  }
}

TEST(CheckBox, StateSetBeforeTheWindowExistsReachesItAndCodeDoesNotClick) {
  ChoiceFixture f;
  auto* box = f.Add<TCheckBox>(10, 10);
  box->SetAllowGrayed(true);
  box->SetState(cbGrayed);
  int clicks = 0;
  box->OnClick = [&](TObject*) { ++clicks; };
  f.Show();
  EXPECT_EQ(NativeCheck(box), BST_INDETERMINATE);
  box->SetChecked(false);
  EXPECT_EQ(NativeCheck(box), BST_UNCHECKED);
  EXPECT_EQ(clicks, 0);
  box->SetAllowGrayed(false);
  box->SetState(cbGrayed);
  EXPECT_EQ(box->State(), cbChecked) << "grayed needs AllowGrayed";
  box->SetAllowGrayed(true);
  box->SetState(cbGrayed);
  box->SetAllowGrayed(false);
  EXPECT_EQ(box->State(), cbChecked) << "taking AllowGrayed away leaves no grayed box";
}

TEST(CheckBox, PublishedNamesAsTheSkinReadsThem) {
  ChoiceFixture f;
  auto* box = f.Add<TCheckBox>(10, 10);
  struct Case {
    const char* set;  // written to "State" by identifier
    bool allowGrayed;
    const char* state;    // "State" read back
    const char* checked;  // "Checked" read back
  } cases[] = {
      {"cbUnchecked", false, "cbUnchecked", "False"},
      {"CBCHECKED", false, "cbChecked", "True"},
      {"cbGrayed", true, "cbGrayed", "False"},
      {"cbGrayed", false, "cbChecked", "True"},
  };
  for (const Case& c : cases) {
    box->SetAllowGrayed(c.allowGrayed);
    box->SetState(cbUnchecked);
    EXPECT_TRUE(SetPropertyText(box, "State", c.set)) << c.set;
    EXPECT_EQ(GetEnumProperty(box, "State"), c.state) << c.set;
    EXPECT_EQ(GetEnumProperty(box, "Checked"), c.checked) << c.set;
  }
  EXPECT_EQ(GetEnumProperty(box, "AllowGrayed"), "False");
  EXPECT_TRUE(box->InheritsFrom(TCustomCheckBox::StaticClass()));
}

TEST(CheckBox, LeftTextIsTheNativeStyleBeforeAndAfterTheWindowIsMade) {
  ChoiceFixture f;
  auto* before = f.Add<TCheckBox>(10, 10);
  before->SetLeftText(true);
  auto* after = f.Add<TRadioButton>(10, 40);
  f.Show();
  EXPECT_NE(GetWindowLongPtrA(before->Handle(), GWL_STYLE) & BS_LEFTTEXT, 0);
  EXPECT_EQ(GetWindowLongPtrA(after->Handle(), GWL_STYLE) & BS_LEFTTEXT, 0);
  after->SetLeftText(true);
  EXPECT_NE(GetWindowLongPtrA(after->Handle(), GWL_STYLE) & BS_LEFTTEXT, 0);
  before->SetLeftText(false);
  EXPECT_EQ(GetWindowLongPtrA(before->Handle(), GWL_STYLE) & BS_LEFTTEXT, 0);
}

TEST(RadioButton, OneCheckedPerParentByClickByCodeAndByArrowKeys) {
  ChoiceFixture f;
  TRadioButton* r[3];
  for (int i = 0; i < 3; ++i) r[i] = f.Add<TRadioButton>(10, 10 + 25 * i);
  r[1]->SetChecked(true);  // before the windows exist
  int clicks[3] = {};
  for (int i = 0; i < 3; ++i) r[i]->OnClick = [&clicks, i](TObject*) { ++clicks[i]; };
  f.Show();
  auto checkedOnes = [&] {
    int mask = 0;
    for (int i = 0; i < 3; ++i) mask |= (r[i]->Checked() ? 1 : 0) << i;
    return mask;
  };
  EXPECT_EQ(checkedOnes(), 0b010);
  EXPECT_EQ(NativeCheck(r[1]), BST_CHECKED);

  SendMessageA(r[2]->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(checkedOnes(), 0b100) << "a click";
  EXPECT_EQ(clicks[2], 1);

  r[0]->SetChecked(true);
  EXPECT_EQ(checkedOnes(), 0b001) << "code";
  EXPECT_EQ(NativeCheck(r[2]), BST_UNCHECKED);
  EXPECT_EQ(clicks[0], 0) << "code does not click";

  r[0]->SetFocus();
  PostMessageA(GetFocus(), WM_KEYDOWN, VK_DOWN, 1);
  Application->ProcessMessages();
  EXPECT_EQ(GetFocus(), r[1]->Handle()) << "arrow keys walk our radio buttons too";
  EXPECT_EQ(checkedOnes(), 0b010);
  EXPECT_EQ(clicks[1], 1);
  EXPECT_EQ(GetEnumProperty(r[1], "Checked"), "True");
  EXPECT_EQ(GetEnumProperty(r[0], "Checked"), "False");
}

// A nine-cell glyph bitmap, each cell one solid colour.
COLORREF CellColour(int cell) { return RGB(20 + cell * 20, 200 - cell * 15, 40 + cell * 10); }
void FillGlyphs(TBitmap& glyphs, int cell) {
  TPixelBuffer px(cell * 9, cell, 24);
  for (int c = 0; c < 9; ++c)
    for (int y = 0; y < cell; ++y)
      for (int x = 0; x < cell; ++x) px.SetPixel(c * cell + x, y, CellColour(c));
  glyphs.LoadFromPixelBuffer(px);
}

TEST(ParentColor, LabelsAndChoicesFollowTheirContainerUntilGivenAColourOfTheirOwn) {
  ChoiceFixture f;
  f.form->SetColor(clWhite);
  auto* check = f.Add<TCheckBox>(10, 10);
  auto* radio = f.Add<TRadioButton>(10, 40);
  auto* label = f.Add<TLabel>(10, 70);
  auto* panel = f.Add<TPanel>(150, 10);
  auto* inPanel = new TCheckBox(f.form.get());
  inPanel->SetParent(panel);
  // The colour a native check box is handed to paint its text on.
  auto answered = [](TWinControl* c) {
    HDC dc = GetDC(c->Handle());
    SendMessageA(GetParent(c->Handle()), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(c->Handle()));
    const COLORREF bk = GetBkColor(dc);
    ReleaseDC(c->Handle(), dc);
    return bk;
  };
  for (TControl* c :
       {static_cast<TControl*>(check), static_cast<TControl*>(radio), static_cast<TControl*>(label)})
    EXPECT_EQ(c->Color(), clWhite) << c->ClassName() << " takes its container's colour when placed";
  EXPECT_EQ(panel->Color(), clBtnFace) << "a panel keeps its own";
  EXPECT_EQ(answered(check), RGB(255, 255, 255));

  f.form->SetColor(clRed);
  panel->SetColor(clYellow);
  EXPECT_EQ(check->Color(), clRed);
  EXPECT_EQ(label->Color(), clRed);
  EXPECT_EQ(answered(check), RGB(255, 0, 0));
  EXPECT_EQ(inPanel->Color(), clYellow) << "the panel is its container";

  check->SetColor(clBlue);
  EXPECT_FALSE(check->ParentColor());
  f.form->SetColor(clLime);
  EXPECT_EQ(check->Color(), clBlue) << "a colour of its own stays";
  EXPECT_EQ(radio->Color(), clLime);
  check->SetParentColor(true);
  EXPECT_EQ(check->Color(), clLime) << "and following again takes the container's at once";
  EXPECT_EQ(GetEnumProperty(check, "ParentColor"), "True") << "published for the skin to read";
}

TEST(GlyphCheckBox, CellByStateReadBackFromTheWindow) {
  ChoiceFixture f;
  auto* box = f.Add<TGlyphCheckBox>(10, 10);
  box->SetAllowGrayed(true);
  FillGlyphs(*GetObjectProperty<TBitmap>(box, "CustomGlyphs"), 12);
  f.Show();
  HWND w = box->Handle();
  auto shown = [&] {
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetDC(w);
    const COLORREF c = GetPixel(dc, 6, 10);
    ReleaseDC(w, dc);
    for (int i = 0; i < 9; ++i)
      if (c == CellColour(i)) return i;
    return -1;
  };
  EXPECT_EQ(shown(), -1) << "glyphs are read only when UseCustomGlyphs turns on";
  EXPECT_EQ(box->LastCell(), -1);
  EXPECT_TRUE(SetPropertyText(box, "UseCustomGlyphs", "true"));
  struct Case {
    TCheckBoxState state;
    bool pushed, disabled;
    int cell;
  } cases[] = {
      {cbUnchecked, false, false, 0}, {cbChecked, false, false, 1}, {cbGrayed, false, false, 2},
      {cbUnchecked, true, false, 3},  {cbChecked, true, false, 4},  {cbGrayed, true, false, 5},
      {cbUnchecked, false, true, 6},  {cbChecked, false, true, 7},  {cbGrayed, false, true, 8},
  };
  for (const Case& c : cases) {
    box->SetState(c.state);
    box->SetEnabled(!c.disabled);
    SendMessageA(w, BM_SETSTATE, c.pushed, 0);
    EXPECT_EQ(shown(), c.cell) << "state " << c.state << " pushed " << c.pushed << " disabled " << c.disabled;
    EXPECT_EQ(box->LastCell(), c.cell);
    SendMessageA(w, BM_SETSTATE, FALSE, 0);
  }
  box->SetEnabled(true);
  // New glyphs show only after the switch goes off and on again.
  TBitmap* glyphs = GetObjectProperty<TBitmap>(box, "CustomGlyphs");
  glyphs->SetSize(0, 0);
  box->SetState(cbChecked);
  EXPECT_EQ(shown(), 1) << "the loaded glyphs stay";
  SetPropertyText(box, "UseCustomGlyphs", "false");
  SetPropertyText(box, "UseCustomGlyphs", "true");
  EXPECT_EQ(shown(), -1) << "an empty bitmap leaves the system's box";
}

// A drop-down's window is made and moved with room for its dropped list below the closed box,
// so the list opens DropDownCount items tall; a simple box's window is the control.
TEST(ComboBox, ADroppedListHasRoomForItsItemsWhenMadeAndWhenMoved) {
  ChoiceFixture f;
  for (TComboBoxStyle style : {csDropDown, csDropDownList, csSimple}) {
    auto* box = new TComboBox(f.form.get());
    box->SetStyle(style);
    box->SetParent(f.form.get());
    box->SetBounds(10, 10, 120, 80);
    for (int i = 0; i < 12; ++i) box->AddItem("item " + std::to_string(i));
    f.Show();
    const HWND w = box->Handle();
    auto listRoom = [&] {
      RECT closed{}, dropped{};
      GetWindowRect(w, &closed);
      SendMessageA(w, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
      return (dropped.bottom - dropped.top) - (closed.bottom - closed.top);
    };
    auto windowHeight = [&] {
      RECT r{};
      GetWindowRect(w, &r);
      return r.bottom - r.top;
    };
    const int item = static_cast<int>(SendMessageA(w, CB_GETITEMHEIGHT, 0, 0));
    for (int height : {80, 21, 120}) {
      box->SetBounds(10, 10, 120, height);
      if (style == csSimple) {
        EXPECT_EQ(windowHeight(), height) << "simple, height " << height;
      } else {
        EXPECT_GE(listRoom(), box->DropDownCount * item) << "style " << style << ", height " << height;
      }
    }
    delete box;
  }
}

}  // namespace
