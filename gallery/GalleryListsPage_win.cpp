// The gallery's "Lists" page: a report list view with enough rows to scroll, a header
// control narrower than its parent, tab controls with their tabs on each side, and a tab
// set with more tabs than fit.
#include <string>

#include "gallery/Gallery.h"
#include "ui/FormBuild.h"
#include "ui/Tabs.h"

namespace {

// Two 16 x 16 row icons drawn here: a page and a folder, on magenta (transparent).
void AddRowIcons(TImageList& list) {
  TBitmap bitmap(32, 16);
  TCanvas* c = bitmap.Canvas();
  c->Brush()->SetColor(clFuchsia);
  c->FillRect(RECT{0, 0, 32, 16});
  c->Pen()->SetColor(static_cast<TColor>(0x604020));
  c->Brush()->SetColor(clWhite);
  c->Rectangle(3, 1, 13, 15);
  c->Brush()->SetColor(static_cast<TColor>(0x30B0E8));  // 0x00BBGGRR: amber
  c->Rectangle(17, 4, 31, 14);
  c->Rectangle(17, 2, 23, 5);
  bitmap.FreeCanvasDc();
  list.AddMasked(bitmap, clFuchsia);
}

TTabControl* AddTabControl(TComponent* owner, TWinControl* parent, const char* name, TTabPosition side, int x,
                           int y, int tabs) {
  static const char* const captions[] = {"One", "Two", "Three", "Four", "Five", "Six", "Seven"};
  auto* t = Place<TTabControl>(owner, parent, name, x, y, 140, 130);
  t->SetTabPosition(side);
  for (int i = 0; i < tabs; ++i) t->AddTab(captions[i % 7]);
  return t;
}

}  // namespace

void TfrmGallery::CreateListsPage() {
  auto* page = AddPage(this, pcFamilies, "tsLists", "Lists");

  auto* ilRows = new TImageList(this);
  ilRows->Name = "ilRows";
  AddRowIcons(*ilRows);

  AddLabel(this, page, "lblListView", "List view", 16, 8);
  auto* lv = Place<TListView>(this, page, "lvFiles", 16, 26, 300, 160);
  lv->SetViewStyle(vsReport);
  lv->SetSmallImages(ilRows);
  lv->AddColumn("Name", 110);
  lv->AddColumn("Size", 60, haRight);
  lv->AddColumn("Kind", 80);
  for (int i = 1; i <= 30; ++i) {
    const bool folder = i % 5 == 0;
    lv->AddItem((folder ? "Folder " : "File ") + std::to_string(i),
                {folder ? "" : std::to_string(i * 37 % 900 + 12) + " KB", folder ? "Folder" : "Document"},
                folder ? 1 : 0);
  }

  AddLabel(this, page, "lblHeader", "Header control", 336, 8);
  auto* hc = Place<THeaderControl>(this, page, "hcColumns", 336, 26, 220, 20);
  hc->AddSection("Left", 60);
  hc->AddSection("Centre", 70, haCenter);
  hc->AddSection("Right", 50, haRight);

  AddLabel(this, page, "lblTabs", "Tab controls: tabs top (too many to fit), bottom, left and right", 16,
           196);
  AddTabControl(this, page, "tcTop", tpTop, 16, 214, 6);
  AddTabControl(this, page, "tcBottom", tpBottom, 166, 214, 3);
  AddTabControl(this, page, "tcLeft", tpLeft, 316, 214, 3);
  AddTabControl(this, page, "tcRight", tpRight, 466, 214, 3);

  AddLabel(this, page, "lblTabSet", "Tab set with more tabs than fit", 16, 356);
  auto* ts = Place<TTabSet>(this, page, "tsSheets", 16, 374, 300, 21);
  for (int i = 1; i <= 10; ++i) ts->AddTab("Sheet " + std::to_string(i));
}
