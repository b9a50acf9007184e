#include "shell/Unitabout.h"

#include <shellapi.h>

#include "ui/FormBuild.h"

TAboutBox* AboutBox = nullptr;

TShellOpenSeam& AboutShellOpenSeam() {
  static TShellOpenSeam seam;
  return seam;
}

namespace {

// The result is not looked at: without a browser or mail program nothing is reported.
void OpenThroughShell(HWND owner, const std::string& target, int show) {
  if (AboutShellOpenSeam()) {
    AboutShellOpenSeam()(owner, target, show);
    return;
  }
  ShellExecuteA(owner, nullptr, target.c_str(), nullptr, nullptr, show);
}

}  // namespace

DEFINE_CLASS_INFO(TAboutBox, TForm)

TAboutBox::TAboutBox(TComponent* AOwner) : TShellDialog(AOwner) {
  BeginForm(this, "AboutBox", "About", bsDialog);
  SetClientSize(434, 194);
  Position = poScreenCenter;

  Panel1 = Place<TPanel>(this, this, "Panel1", 8, 8, 417, 129);
  Panel1->SetBevelInner(bvRaised);
  Panel1->SetBevelOuter(bvLowered);
  Panel1->SetCaption("");

  ProgramIcon = Place<TImage>(this, Panel1, "ProgramIcon", 16, 16, 65, 57);
  ProgramIcon->Stretch = true;

  ProductName = AddLabel(this, Panel1, "ProductName", "Lumetta", 88, 16);
  Version = AddLabel(this, Panel1, "Version", "Version:" LUMETTA_VERSION, 89, 38);

  Label1 = AddLabel(this, Panel1, "Label1", kWebPage, 88, 56);
  Label1->SetAutoSize(false);
  Label1->SetBounds(88, 56, 294, 13);
  Label1->Font()->SetColor(clBlue);
  Label1->Font()->SetStyle({fsUnderline});
  Label1->SetCursor(crHandPoint);
  Label1->OnClick = [this](TObject* s) { Label1Click(s); };

  Panel2 = Place<TPanel>(this, Panel1, "Panel2", 8, 80, 385, 9);
  Panel2->SetBevelOuter(bvLowered);
  Panel2->SetCaption("");

  lblEmail = AddLabel(this, Panel1, "lblEmail", std::string("Email :  ") + kEmailAddress, 136, 104);
  lblEmail->SetBounds(136, 104, 161, 13);
  // Wrapped within its width; the height follows the text.
  lblEmail->SetWordWrap(true);
  lblEmail->Font()->SetColor(clBlack);
  lblEmail->SetCursor(crHandPoint);
  lblEmail->OnMouseEnter = [this](TObject* s) { lblEmailMouseEnter(s); };
  lblEmail->OnMouseLeave = [this](TObject* s) { lblEmailMouseLeave(s); };
  lblEmail->OnClick = [this](TObject* s) { lblEmailClick(s); };

  OKButton = PlaceCaptioned<TButton>(this, this, "OKButton", "OK", 175, 156, 90, 21);
  OKButton->SetDefault(true);
  OKButton->OnClick = [this](TObject* s) { OKButtonClick(s); };

  OnCreate = [this](TObject* s) { FormCreate(s); };
  EndLoading();
}

void TAboutBox::FormCreate(TObject*) { ProgramIcon->Picture()->Icon()->Assign(*Application->Icon()); }

void TAboutBox::lblEmailMouseEnter(TObject*) {
  lblEmail->Font()->SetColor(clRed);
  lblEmail->Font()->SetStyle({fsUnderline});
  lblEmail->Invalidate();
}

void TAboutBox::lblEmailMouseLeave(TObject*) {
  lblEmail->Font()->SetColor(clBlack);
  lblEmail->Font()->SetStyle({});
  lblEmail->Invalidate();
}

void TAboutBox::lblEmailClick(TObject*) {
  OpenThroughShell(Handle(), std::string("mailto:") + kEmailAddress, SW_SHOWMINIMIZED);
}

void TAboutBox::Label1Click(TObject*) { OpenThroughShell(Handle(), Label1->Caption(), SW_SHOW); }

void TAboutBox::OKButtonClick(TObject*) { Close(); }
