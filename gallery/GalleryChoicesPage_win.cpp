// The "Choices" page: check boxes in every state, left-text ones, radio buttons and a check
// box that draws its box from a glyph bitmap (which the skin feeds).
#include "gallery/Gallery.h"
#include "ui/ExtCtrls.h"
#include "ui/FormBuild.h"

namespace {

template <class T>
T* AddChoice(TComponent* owner, TWinControl* parent, const char* name, const char* caption, int x, int y,
             int width = 160) {
  return PlaceCaptioned<T>(owner, parent, name, caption, x, y, width, 20);
}

}  // namespace

void TfrmGallery::CreateChoicesPage() {
  tsChoices = AddPage(this, pcFamilies, "tsChoices", "Choices");

  AddLabel(this, tsChoices, "lblCheckBoxes", "Check boxes", 16, 16);
  struct Box {
    const char* name;
    const char* caption;
    TCheckBoxState state;
    bool enabled;
  } boxes[] = {
      {"cbUnchecked", "Unchecked", cbUnchecked, true},
      {"cbChecked", "Checked", cbChecked, true},
      {"cbGrayed", "Indeterminate", cbGrayed, true},
      {"cbUncheckedOff", "Disabled", cbUnchecked, false},
      {"cbCheckedOff", "Disabled, checked", cbChecked, false},
      {"cbGrayedOff", "Disabled, indeterminate", cbGrayed, false},
  };
  for (int i = 0; i < 6; ++i) {
    const Box& b = boxes[i];
    auto* c = AddChoice<TCheckBox>(this, tsChoices, b.name, b.caption, 16 + (i / 3) * 200, 40 + (i % 3) * 26);
    c->SetAllowGrayed(true);  // a click steps through all three states
    c->SetState(b.state);
    c->SetEnabled(b.enabled);
  }
  auto* leftText = AddChoice<TCheckBox>(this, tsChoices, "cbLeftText", "Text on the left", 416, 40, 120);
  leftText->SetLeftText(true);
  leftText->SetChecked(true);

  AddLabel(this, tsChoices, "lblRadioButtons", "Radio buttons", 16, 132);
  const char* radios[] = {"rbFirst", "rbSecond", "rbThird"};
  const char* radioCaptions[] = {"First", "Second", "Third"};
  for (int i = 0; i < 3; ++i)
    AddChoice<TRadioButton>(this, tsChoices, radios[i], radioCaptions[i], 16, 156 + i * 26)
        ->SetChecked(i == 1);
  // Radio buttons of another parent are another group: these keep their own check.
  auto* pnlRadios = Place<TPanel>(this, tsChoices, "pnlRadios", 216, 156, 360, 80);
  pnlRadios->SetBevelOuter(bvNone);
  AddChoice<TRadioButton>(this, pnlRadios, "rbOff", "Disabled", 0, 0)->SetEnabled(false);
  auto* rbOffChecked = AddChoice<TRadioButton>(this, pnlRadios, "rbOffChecked", "Disabled, checked", 0, 26);
  rbOffChecked->SetChecked(true);
  rbOffChecked->SetEnabled(false);
  AddChoice<TRadioButton>(this, pnlRadios, "rbLeftText", "Text on the left", 200, 0, 120)->SetLeftText(true);

  AddLabel(this, tsChoices, "lblGlyphBox", "A check box with glyphs of its own", 16, 252);
  auto* glyphs =
      AddChoice<TGlyphCheckBox>(this, tsChoices, "gcbGlyphs", "Glyphs from the skin", 16, 276, 200);
  glyphs->SetAllowGrayed(true);
  glyphs->SetChecked(true);
}
