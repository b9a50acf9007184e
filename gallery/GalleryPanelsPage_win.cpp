// The gallery's "Panels" page (panels, group boxes, progress and track bars, a tool bar, a
// bevel) and the main window's status bar.
#include "gallery/Gallery.h"
#include "ui/ExtCtrls.h"
#include "ui/FormBuild.h"

namespace {

TPanel* AddPanel(TComponent* owner, TWinControl* parent, const char* name, int x, int y, TBevelCut outer) {
  auto* p = Place<TPanel>(owner, parent, name, x, y, 180, 64);
  p->SetBevelOuter(outer);
  return p;
}

TGroupBox* AddGroupBox(TComponent* owner, TWinControl* parent, const char* name, const char* caption, int x,
                       int y) {
  return PlaceCaptioned<TGroupBox>(owner, parent, name, caption, x, y, 180, 64);
}

TButton* AddInnerButton(TComponent* owner, TWinControl* parent, const char* name, const char* caption, int x,
                        int y) {
  return PlaceCaptioned<TButton>(owner, parent, name, caption, x, y, 130, 25);
}

TProgressBar* AddProgress(TComponent* owner, TWinControl* parent, const char* name, int x, int y, int w,
                          int h, TProgressBarOrientation o, int position) {
  auto* p = Place<TProgressBar>(owner, parent, name, x, y, w, h);
  p->SetOrientation(o);
  p->SetPosition(position);
  return p;
}

}  // namespace

void TfrmGallery::CreatePanelsPage() {
  tsPanels = AddPage(this, pcFamilies, "tsPanels", "Panels");

  // Containers with controls inside: their children are skinned through them.
  auto* raised = AddPanel(this, tsPanels, "pnlRaised", 16, 12, bvRaised);
  AddInnerButton(this, raised, "btnInRaised", "In a raised panel", 24, 20);
  auto* lowered = AddPanel(this, tsPanels, "pnlLowered", 16, 84, bvLowered);
  AddInnerButton(this, lowered, "btnInLowered", "In a lowered panel", 24, 20);
  auto* withCaption = AddGroupBox(this, tsPanels, "gbCaption", "Group box", 212, 12);
  AddInnerButton(this, withCaption, "btnInGroup", "In a group box", 24, 26);
  auto* noCaption = AddGroupBox(this, tsPanels, "gbNoCaption", "", 212, 84);
  AddLabel(this, noCaption, "lblInGroup", "No caption above", 12, 28);
  rgChoices = PlaceCaptioned<TRadioGroup>(this, tsPanels, "rgChoices", "Radio group", 408, 12, 180, 136);
  rgChoices->SetItems({"First", "Second", "Third", "Fourth"});
  rgChoices->SetItemIndex(1);

  AddLabel(this, tsPanels, "lblProgress", "Progress bars: 0, 50 and 100 %", 16, 162);
  const char* hnames[] = {"pbHorz0", "pbHorz50", "pbHorz100"};
  const char* vnames[] = {"pbVert0", "pbVert50", "pbVert100"};
  for (int i = 0; i < 3; ++i) {
    AddProgress(this, tsPanels, hnames[i], 16, 184 + i * 24, 180, 16, pbHorizontal, i * 50);
    AddProgress(this, tsPanels, vnames[i], 212 + i * 28, 162, 18, 88, pbVertical, i * 50);
  }

  AddLabel(this, tsPanels, "lblTrack", "Track bars", 320, 162);
  tbHorizontal = Place<TTrackBar>(this, tsPanels, "tbHorizontal", 316, 184, 180, 40);
  tbHorizontal->SetPosition(3);
  tbVertical = new TTrackBar(this);
  tbVertical->Name = "tbVertical";
  tbVertical->SetParent(tsPanels);
  tbVertical->SetOrientation(trVertical);
  tbVertical->SetTickMarks(tmBoth);
  tbVertical->SetBounds(520, 150, 44, 110);
  tbVertical->SetPosition(7);
  // The horizontal bar drives the first progress bar, so a move shows at once.
  tbHorizontal->OnChange = [this](TObject*) {
    if (auto* p = dynamic_cast<TProgressBar*>(FindComponent("pbHorz0")))
      p->SetPosition(tbHorizontal->Position() * 10);
  };

  // A flat tool bar with a drop-down button whose menu is skinned like every menu of the form.
  pmToolMore = new TPopupMenu(this);
  pmToolMore->Name = "pmToolMore";
  for (const char* caption : {"First choice", "Second choice", "Third choice"}) {
    auto* item = new TMenuItem(this);
    item->SetCaption(caption);
    pmToolMore->Items()->Add(item);
  }
  tbTools = Place<TToolBar>(this, tsPanels, "tbTools", 16, 272, 400, 26);
  tbTools->SetFlat(true);
  struct TTool {
    const char* Name;
    const char* Caption;
    TToolButtonStyle Style;
  };
  for (const TTool& t : {TTool{"tbNew", "New", tbsButton}, TTool{"tbOpen", "Open", tbsButton},
                         TTool{"tbSep", "", tbsSeparator}, TTool{"tbBold", "Bold", tbsCheck},
                         TTool{"tbMore", "More", tbsDropDown}}) {
    auto* b = new TToolButton(this);
    b->Name = t.Name;
    b->SetCaption(t.Caption);
    b->Style = t.Style;
    if (t.Style == tbsDropDown) b->SetDropdownMenu(pmToolMore);
    b->SetToolBar(tbTools);
  }

  auto* bevel = Place<TBevel>(this, tsPanels, "bvLine", 16, 310, 548, 2);
  bevel->SetShape(bsTopLine);
  AddLabel(this, tsPanels, "lblBevel", "Above: a bevel line. Below: the window's status bar.", 16, 320);
}

void TfrmGallery::CreateStatusBar() {
  sbMain = new TStatusBar(this);
  sbMain->Name = "sbMain";
  sbMain->SetParent(this);
  struct TPanelSpec {
    const char* Text;
    int Width;
    TStatusPanelBevel Bevel;
    TAlignment Alignment;
  };
  // The middle panel names the skin (ShowSkinName); the last has no text: it is still framed.
  for (const TPanelSpec& s :
       {TPanelSpec{"Ready", 200, pbLowered, taLeftJustify}, TPanelSpec{"", 200, pbRaised, taCenter},
        TPanelSpec{"", 100, pbLowered, taLeftJustify}}) {
    TStatusPanel* p = sbMain->AddPanel();
    p->SetText(s.Text);
    p->SetWidth(s.Width);
    p->SetBevel(s.Bevel);
    p->SetAlignment(s.Alignment);
  }
}
