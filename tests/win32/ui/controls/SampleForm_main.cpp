// A small form with a button, a label, a panel and a speed button, to look at under Wine.
#include <windows.h>

#include "support/Controls_win.h"
#include "ui/Buttons.h"
#include "ui/Dialogs.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

namespace {
class TSampleForm : public TForm {
 public:
  explicit TSampleForm(TComponent* owner) : TForm(owner) {
    BeginLoading();
    SetCaption("Lumetta sample");
    SetBorderStyle(bsDialog);
    Position = poScreenCenter;
    SetClientSize(360, 200);
    Panel1 = NewControl<TPanel>(this, this, 8, 8, 344, 120);
    Panel1->SetBevelInner(bvRaised);
    Panel1->SetBevelOuter(bvLowered);
    Label1 = new TLabel(this);
    Label1->SetParent(Panel1);
    Label1->SetLeft(16);
    Label1->SetTop(16);
    Label1->SetCaption("Hover this label: it turns red");
    Label1->Font()->SetStyle({fsUnderline});
    Label1->Font()->SetColor(clBlue);
    Label1->SetCursor(crHandPoint);
    Label1->OnMouseEnter = [this](TObject*) { Label1->Font()->SetColor(clRed); };
    Label1->OnMouseLeave = [this](TObject*) { Label1->Font()->SetColor(clBlue); };
    SpeedButton1 = NewControl<TSpeedButton>(this, Panel1, 16, 56, 216, 22);
    SpeedButton1->SetFlat(true);
    SpeedButton1->SetCaption("Auto-Start");
    SpeedButton2 = NewControl<TSpeedButton>(this, Panel1, 16, 84, 216, 25);
    SpeedButton2->SetCaption("Cancel Auto-Start");
    OKButton = NewControl<TButton>(this, this, 135, 156, 90, 21);
    OKButton->SetCaption("OK");
    OKButton->SetDefault(true);
    OKButton->OnClick = [this](TObject*) { Close(); };
    EndLoading();
  }
  TPanel* Panel1;
  TLabel* Label1;
  TSpeedButton* SpeedButton1;
  TSpeedButton* SpeedButton2;
  TButton* OKButton;
};
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Application->Initialize();
  Application->SetTitle("Lumetta sample");
  Application->CreateForm<TSampleForm>();
  Application->Run();
  return 0;
}
