// The gallery's "Text" page: edits, combo boxes of each style, an up-down bound to an edit
// and the two kinds of date-time picker.
#include "gallery/Gallery.h"
#include "ui/FormBuild.h"

namespace {

TComboBox* AddCombo(TComponent* owner, TWinControl* parent, const char* name, TComboBoxStyle style, int x,
                    int y, int h = 21) {
  auto* c = Place<TComboBox>(owner, parent, name, x, y, 150, h);
  c->SetStyle(style);
  for (const char* item : {"Amber", "Beryl", "Coral", "Garnet", "Jade", "Onyx", "Pearl", "Topaz"})
    c->AddItem(item);
  c->SetItemIndex(1);
  return c;
}

}  // namespace

void TfrmGallery::CreateTextPage() {
  tsText = AddPage(this, pcFamilies, "tsText", "Text");

  AddLabel(this, tsText, "lblEdits", "Edits", 16, 16);
  Place<TEdit>(this, tsText, "edBorder", 16, 40, 150, 21)->SetText("With a border");
  auto* noBorder = Place<TEdit>(this, tsText, "edNoBorder", 184, 40, 150, 21);
  noBorder->SetBorderStyle(bsNone);
  noBorder->SetText("Without a border");
  auto* readOnly = Place<TEdit>(this, tsText, "edReadOnly", 352, 40, 150, 21);
  readOnly->SetReadOnly(true);
  readOnly->SetText("Read-only");

  AddLabel(this, tsText, "lblCombos", "Combo boxes: drop-down, drop-down list, simple, disabled", 16, 88);
  AddCombo(this, tsText, "cbDropDown", csDropDown, 16, 112);
  AddCombo(this, tsText, "cbDropDownList", csDropDownList, 184, 112);
  AddCombo(this, tsText, "cbSimple", csSimple, 352, 112, 96);
  AddCombo(this, tsText, "cbDisabled", csDropDownList, 16, 148)->SetEnabled(false);

  AddLabel(this, tsText, "lblUpDown", "Up-down controls", 16, 224);
  auto* edCount = Place<TEdit>(this, tsText, "edCount", 16, 248, 80, 21);
  auto* udCount = Place<TUpDown>(this, tsText, "udCount", 96, 248, 17, 21);
  udCount->SetMin(0);
  udCount->SetMax(99);
  udCount->SetPosition(7);
  udCount->SetAssociate(edCount);
  auto* udSide = Place<TUpDown>(this, tsText, "udSideways", 184, 248, 40, 21);
  udSide->SetOrientation(udHorizontal);
  udSide->TabStop = true;  // without a buddy, the keyboard's way to it is its own focus
  Place<TUpDown>(this, tsText, "udDisabled", 248, 244, 17, 28)->SetEnabled(false);

  AddLabel(this, tsText, "lblDateTime", "Date with a drop-down calendar, and time", 16, 296);
  auto* date = Place<TDateTimePicker>(this, tsText, "dtpDate", 16, 320, 186, 21);
  date->SetKind(dtkDate);
  date->SetDateMode(dmComboBox);
  auto* time = Place<TDateTimePicker>(this, tsText, "dtpTime", 216, 320, 120, 21);
  time->SetKind(dtkTime);
}
