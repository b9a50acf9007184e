#include "gallery/Gallery.h"

#include <algorithm>

#include "gallery/GalleryMdiSample.h"
#include "skin/data/SkinData_win.h"
#include "ui/FormBuild.h"

TfrmGallery* frmGallery = nullptr;

namespace {

constexpr int kMargin = 8;

// The glyph of the popup menu's picture item: a blue diamond with a dark rim on magenta
// (the transparent colour), drawn here rather than shipped.
void AddDiamondGlyph(TImageList& list) {
  TBitmap bitmap(list.Width(), list.Height());
  TCanvas* c = bitmap.Canvas();
  c->Brush()->SetColor(clFuchsia);
  c->FillRect(RECT{0, 0, list.Width(), list.Height()});
  const int w = list.Width() - 1, h = list.Height() - 1;
  const POINT diamond[] = {{w / 2, 1}, {w - 1, h / 2}, {w / 2, h - 1}, {1, h / 2}};
  c->Brush()->SetColor(static_cast<TColor>(0xD07020));  // 0x00BBGGRR: a mid blue
  c->Pen()->SetColor(static_cast<TColor>(0x602000));
  c->Polygon(diamond, 4);
  bitmap.FreeCanvasDc();
  list.AddMasked(bitmap, clFuchsia);
}

// A glyph strip of `cells` 16 x 16 cells drawn here: a filled circle whose colour tells the
// cell (up, disabled, pressed, down), on a white ground that the buttons treat as transparent.
void DrawGalleryGlyph(TBitmap& glyph, int cells) {
  static const TColor colours[4] = {RGB(30, 120, 220), RGB(128, 128, 128), RGB(20, 80, 160),
                                    RGB(220, 120, 30)};
  glyph.SetSize(16 * cells, 16);
  TCanvas* c = glyph.Canvas();
  c->Brush()->SetColor(clWhite);
  c->FillRect(RECT{0, 0, 16 * cells, 16});
  for (int i = 0; i < cells; ++i) {
    c->Brush()->SetColor(colours[i]);
    c->Pen()->SetColor(colours[i]);
    c->Ellipse(16 * i + 2, 2, 16 * i + 14, 14);
  }
}

TBitBtn* AddBitBtn(TComponent* owner, TWinControl* parent, const char* name, const char* caption, int x,
                   int y, int cells) {
  auto* b = PlaceCaptioned<TBitBtn>(owner, parent, name, caption, x, y, 120, 30);
  DrawGalleryGlyph(*b->Glyph(), cells);
  b->NumGlyphs = cells;
  return b;
}

TSpeedButton* AddSpeedButton(TComponent* owner, TWinControl* parent, const char* name, const char* caption,
                             int x, int y, int width = 120) {
  return PlaceCaptioned<TSpeedButton>(owner, parent, name, caption, x, y, width, 25);
}

TButton* AddButton(TComponent* owner, TWinControl* parent, const char* name, const char* caption, int x,
                   int y, int w = 120) {
  return PlaceCaptioned<TButton>(owner, parent, name, caption, x, y, w, 25);
}

}  // namespace

// ---- TfrmGalleryAbout ----

DEFINE_CLASS_INFO(TfrmGalleryAbout, TForm)

TfrmGalleryAbout::TfrmGalleryAbout(TComponent* AOwner) : TForm(AOwner) {
  BeginForm(this, "frmGalleryAbout", "About Skin Gallery", bsDialog);
  SetClientSize(360, 120);
  Position = poScreenCenter;
  lblTitle = AddLabel(this, this, "lblTitle", GalleryTitle, 16, 16);
  lblTitle->Font()->SetStyle({fsBold});
  lblText = AddLabel(this, this, "lblText", "Every kind of window and control, drawn with a skin.", 16, 40);
  btnOK = AddButton(this, this, "btnOK", "OK", 142, 80, 75);
  btnOK->SetDefault(true);
  btnOK->Cancel = true;  // the one button: Escape closes the box too
  btnOK->OnClick = [this](TObject*) { ModalResult = mrOk; };
  EndLoading();
}

// ---- TfrmGallery ----

DEFINE_CLASS_INFO(TfrmGallery, TForm)

TfrmGallery::TfrmGallery(TComponent* AOwner) : TForm(AOwner) {
  BeginForm(this, "frmGallery", GalleryTitle, bsSizeable);
  Position = poDesigned;

  // Every kind of part skinned, so every part of the engine shows; only the report
  // designer's windows are not ours to have.
  SkinData1 = new TSkinData(this);
  SkinData1->Name = "SkinData1";
  SkinData1->SkinControls = AllSkinControlTypes & ~SkinBit(xcFastReport);
  SkinData1->SetActive(true);
  LoadBuiltinSkin();

  OpenDialog1 = new TOpenDialog(this);
  OpenDialog1->Name = "OpenDialog1";
  OpenDialog1->Filter = "Skins (*.skn)|*.skn|All Files|*.*";
  OpenDialog1->Title = "Open skin";

  CreateMenus();
  CreatePopupMenu();
  CreatePages();
  CreateStatusBar();

  // The menu is set before the size, so the client area is 640 x 480 below it.
  SetBounds(100, 80, Width(), Height());
  SetClientSize(640, 480);
  LayoutPages(640, 480);  // WM_SIZE keeps it so
  EndLoading();
  UpdateViewMenu();
  miSkinning->SetChecked(SkinData1->Active());
  ShowSkinName();
}

void TfrmGallery::LoadBuiltinSkin() { ReadSkinStreamResource(*SkinData1, GetModuleHandleA(nullptr)); }

void TfrmGallery::CreateMenus() {
  MainMenu1 = new TMainMenu(this);
  MainMenu1->Name = "MainMenu1";
  TMenuItem* root = MainMenu1->Items();
  miFile = AddItem(this, root, "miFile", "&File");
  miSkinning = AddItem(this, miFile, "miSkinning", "Skinning", [this](TObject* s) { miSkinningClick(s); });
  miSkinning->SetShortCut(ShortCut(VK_F2, 0));
  miOpenSkin =
      AddItem(this, miFile, "miOpenSkin", "Open skin...", [this](TObject* s) { miOpenSkinClick(s); });
  miOpenSkin->SetShortCut(ShortCut('O', scCtrl));
  AddItem(this, miFile, "N1", "-");
  miExit = AddItem(this, miFile, "miExit", "Exit", [this](TObject*) { Close(); });
  miView = AddItem(this, root, "miView", "&View");
  AddItem(this, miView, "N2", "-");
  miMdiSample =
      AddItem(this, miView, "miMdiSample", "MDI sample...", [this](TObject* s) { miMdiSampleClick(s); });
  miHelp = AddItem(this, root, "miHelp", "&Help");
  miAbout = AddItem(this, miHelp, "miAbout", "About", [this](TObject* s) { miAboutClick(s); });
  miMessageBox =
      AddItem(this, miHelp, "miMessageBox", "Message box", [this](TObject* s) { miMessageBoxClick(s); });
  SetMenu(MainMenu1);
}

void TfrmGallery::CreatePopupMenu() {
  ilGlyphs = new TImageList(this, 16, 16);
  ilGlyphs->Name = "ilGlyphs";
  AddDiamondGlyph(*ilGlyphs);

  pmGallery = new TPopupMenu(this);
  pmGallery->Name = "pmGallery";
  pmGallery->SetImages(ilGlyphs);
  TMenuItem* root = pmGallery->Items();
  miChecked = AddItem(this, root, "miChecked", "Checked item",
                      [this](TObject*) { miChecked->SetChecked(!miChecked->Checked()); });
  miChecked->SetChecked(true);
  miDisabled = AddItem(this, root, "miDisabled", "Disabled item");
  miDisabled->SetEnabled(false);
  AddItem(this, root, "N2", "-");
  miSubmenu = AddItem(this, root, "miSubmenu", "Submenu");
  AddItem(this, miSubmenu, "miFirst", "First item");
  AddItem(this, miSubmenu, "miSecond", "Second item");
  AddItem(this, root, "N3", "-");
  miGlyph = AddItem(this, root, "miGlyph", "Item with a picture");
  miGlyph->SetImageIndex(0);
  SetPopupMenu(pmGallery);
}

void TfrmGallery::CreatePages() {
  pcFamilies = new TPageControl(this);
  pcFamilies->Name = "pcFamilies";
  pcFamilies->SetParent(this);
  pcFamilies->OnChange = [this](TObject* s) { pcFamiliesChange(s); };
  CreateButtonsPage();
  CreateChoicesPage();
  CreateScrollingPage();
  CreateTextPage();
  CreateListsPage();
  CreatePanelsPage();
}

void TfrmGallery::CreateButtonsPage() {
  tsButtons = AddPage(this, pcFamilies, "tsButtons", "Buttons");

  AddLabel(this, tsButtons, "lblPush", "Push buttons", 16, 16);
  AddButton(this, tsButtons, "btnNormal", "Button", 16, 40);
  AddButton(this, tsButtons, "btnDefault", "Default button", 152, 40)->SetDefault(true);
  AddButton(this, tsButtons, "btnDisabled", "Disabled button", 288, 40)->SetEnabled(false);

  AddButton(this, tsButtons, "btnTwoLines", "Two||lines", 424, 32, 96)->SetHeight(40);

  AddLabel(this, tsButtons, "lblBitBtn", "Bitmap buttons", 16, 88);
  AddBitBtn(this, tsButtons, "bbTwoCells", "Two cells", 16, 112, 2);
  AddBitBtn(this, tsButtons, "bbTwoCellsOff", "Disabled", 152, 112, 2)->SetEnabled(false);
  AddBitBtn(this, tsButtons, "bbFourCells", "Four cells", 288, 112, 4)->Layout = blGlyphRight;
  AddBitBtn(this, tsButtons, "bbFourCellsOff", "Disabled", 424, 112, 4)->SetEnabled(false);

  AddLabel(this, tsButtons, "lblSpeed", "Speed buttons", 16, 160);
  AddSpeedButton(this, tsButtons, "sbNormal", "Speed button", 16, 184);
  AddSpeedButton(this, tsButtons, "sbFlat", "Flat speed button", 152, 184)->SetFlat(true);
  AddSpeedButton(this, tsButtons, "sbDisabled", "Disabled", 288, 184)->SetEnabled(false);
  auto* sbDown = AddSpeedButton(this, tsButtons, "sbDownDisabled", "Down, disabled", 424, 184);
  sbDown->SetDown(true);
  sbDown->SetEnabled(false);
  // A group: one of the three is down at a time.
  const char* names[] = {"sbLeft", "sbCentre", "sbRight"};
  const char* captions[] = {"Left", "Centre", "Right"};
  for (int i = 0; i < 3; ++i) {
    auto* b = AddSpeedButton(this, tsButtons, names[i], captions[i], 16 + i * 64, 216, 64);
    b->GroupIndex = 1;
    if (i == 0) b->SetDown(true);
  }

  AddLabel(this, tsButtons, "lblHint", "A right click anywhere in the window opens a popup menu.", 16, 256);
}

void TfrmGallery::LayoutPages() {
  const RECT r = ClientRect();
  LayoutPages(r.right, r.bottom);
}

void TfrmGallery::LayoutPages(int width, int height) {
  if (!pcFamilies) return;
  // The status bar takes the bottom edge; the pages keep their margin above it.
  const int bar = sbMain ? sbMain->Height() : 0;
  const int margin = ScalePixels(kMargin);
  if (sbMain) sbMain->SetBounds(0, std::max(0, height - bar), std::max(0, width), bar);
  pcFamilies->SetBounds(margin, margin, std::max(0, width - 2 * margin),
                        std::max(0, height - bar - 2 * margin));
}

void TfrmGallery::WndProc(TMessage& m) {
  TForm::WndProc(m);
  if (m.Msg == WM_SIZE) LayoutPages();
}

void TfrmGallery::UpdateViewMenu() {
  // Items are made again only when the pages changed (never from an item's own click,
  // which runs while the item lives); otherwise only the check moves. The separator and the
  // MDI sample stay after the page items.
  const int pages = pcFamilies->PageCount();
  const int fixed = miView->Count() - miView->IndexOf(miMdiSample) + 1;  // the separator and the MDI item
  bool same = miView->Count() == pages + fixed;
  for (int i = 0; same && i < pages; ++i)
    same = miView->Items(i)->Caption() == pcFamilies->Pages(i)->Caption();
  if (!same) {
    while (miView->Count() > fixed) delete miView->Items(0);
    for (int i = 0; i < pages; ++i) {
      TTabSheet* page = pcFamilies->Pages(i);
      auto* item = new TMenuItem(this);
      item->SetCaption(page->Caption());
      item->OnClick = [this, page](TObject*) {
        pcFamilies->SetActivePage(page);
        UpdateViewMenu();
      };
      miView->Insert(i, item);
    }
  }
  for (int i = 0; i < pages; ++i) miView->Items(i)->SetChecked(i == pcFamilies->ActivePageIndex());
}

void TfrmGallery::miMdiSampleClick(TObject*) {
  if (!frmMdiSample) frmMdiSample = new TfrmMdiSample(this);
  frmMdiSample->Open();
}

void TfrmGallery::pcFamiliesChange(TObject*) { UpdateViewMenu(); }

void TfrmGallery::miSkinningClick(TObject*) {
  SkinData1->SetActive(!SkinData1->Active());
  // The check shows the component's own value, whatever it did with the request.
  miSkinning->SetChecked(SkinData1->Active());
  ShowSkinName();
}

void TfrmGallery::ShowSkinName() {
  if (sbMain && sbMain->PanelCount() > 1)
    sbMain->Panels(1)->SetText(
        SkinStatusText(SkinData1->SkinName, SkinData1->SkinFile(), SkinData1->Active()));
}

void TfrmGallery::miOpenSkinClick(TObject*) {
  if (OpenDialog1->Execute(Handle())) LoadSkinFile(OpenDialog1->FileName);
}

void TfrmGallery::miAboutClick(TObject*) {
  TfrmGalleryAbout about(this);
  about.ShowModal();
}

void TfrmGallery::miMessageBoxClick(TObject*) {
  // The system's own box (not a form of ours): the skin reaches it through the manager.
  ShowMessageBox("This is a system message box.", GalleryTitle, MB_OK | MB_ICONINFORMATION);
}

bool TfrmGallery::LoadSkinFile(const std::string& path) {
  const std::string reason = LoadSkinFileReason(*SkinData1, path);
  if (reason.empty()) {
    ShowSkinName();
    return true;
  }
  // The failed load has replaced the component's archive: the built-in one comes back
  // first, so the report itself is shown in a skinned box.
  SkinData1->SetSkinFile("");
  LoadBuiltinSkin();
  if (!SkinData1->NoSkin) SkinData1->ApplySkin();
  ShowSkinName();
  ShowMessageBox(SkinLoadFailureText(path, reason), GalleryTitle, MB_OK | MB_ICONWARNING);
  return false;
}

bool TfrmGallery::OpenPage(const std::string& caption) {
  TTabSheet* page = pcFamilies->FindPage(caption);
  if (!page) return false;
  pcFamilies->SetActivePage(page);
  UpdateViewMenu();
  return true;
}

void TfrmGallery::ApplyArgs(const TGalleryArgs& args) {
  std::string problems;
  for (const std::string& e : args.Errors) problems += e + "\n";
  if (!args.SkinPath.empty()) LoadSkinFile(args.SkinPath);
  if (!args.PageName.empty() && !OpenPage(args.PageName)) {
    std::string pages;
    for (int i = 0; i < pcFamilies->PageCount(); ++i)
      pages += (i ? ", " : "") + pcFamilies->Pages(i)->Caption();
    problems += "There is no page \"" + args.PageName + "\"; the pages are: " + pages + ".\n";
  }
  if (!problems.empty())
    ShowMessageBox(problems + "\n" + GalleryUsage(), GalleryTitle, MB_OK | MB_ICONWARNING);
}
