#include "gallery/GalleryMdiSample.h"

#include <algorithm>
#include <string>

#include "ui/FormBuild.h"
#include "ui/StdCtrls.h"

DEFINE_CLASS_INFO(TfrmMdiSample, TForm)

TfrmMdiSample::TfrmMdiSample(TComponent* AOwner) : TForm(AOwner) {
  BeginForm(this, "frmMdiSample", "MDI sample", bsSizeable);
  SetFormStyle(fsMDIForm);
  MainMenu1 = new TMainMenu(this);
  MainMenu1->Name = "MainMenu1";
  TMenuItem* file = AddItem(this, MainMenu1->Items(), "miFile", "&File");
  AddItem(this, file, "miClose", "Close", [this](TObject*) { Close(); });
  miWindow = AddItem(this, MainMenu1->Items(), "miWindow", "&Window");
  miCascade = AddItem(this, miWindow, "miCascade", "&Cascade", [this](TObject*) { Cascade(); });
  miTile = AddItem(this, miWindow, "miTile", "&Tile", [this](TObject*) { Tile(); });
  WindowMenu = miWindow;
  SetMenu(MainMenu1);
  SetBounds(160, 120, 560, 400);
  EndLoading();
}

TfrmMdiSample::~TfrmMdiSample() {
  // The children go first, through the client that still exists.
  while (!FChildren.empty()) delete FChildren.back();
}

void TfrmMdiSample::Notification(TComponent* AComponent, TOperation Operation) {
  TForm::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove)
    FChildren.erase(std::remove(FChildren.begin(), FChildren.end(), AComponent), FChildren.end());
}

void TfrmMdiSample::Open() {
  Show();
  if (FOpened) return;
  FOpened = true;
  for (int i = 0; i < 3; ++i) {
    auto* child = new TForm(nullptr);
    child->FreeNotification(this);
    FChildren.push_back(child);
    child->Name = "frmChild" + std::to_string(i + 1);
    child->SetFormStyle(fsMDIChild);
    child->SetCaption("Child " + std::to_string(i + 1));
    child->SetBounds(12 + 36 * i, 12 + 30 * i, 260, 170);
    auto* text = Place<TLabel>(child, child, "", 12, 12, 220, 20);
    std::string label = "MDI child ";  // built in steps: GCC 12 misreads a chained + here
    label += std::to_string(i + 1);
    label += " of 3";
    text->SetCaption(label);
    child->ScaleForScreen();
    child->Show();
  }
}
