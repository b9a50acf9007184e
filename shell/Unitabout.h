#pragma once
// TAboutBox: the program's icon, name and version, and links to its web page and its authors.
#include <windows.h>

#include <functional>
#include <string>

#include "shell/ShellDialog.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

inline constexpr char kWebPage[] = "https://lumetta.example.com/";
// Short enough for "Email :  " and the address to share the label's one line (161 pixels);
// a reserved domain, so no stranger's mailbox is ever written to.
inline constexpr char kEmailAddress[] = "hi@lumetta.test";

// How the links are opened (ShellExecuteA with the default verb); tests record instead.
using TShellOpenSeam = std::function<void(HWND owner, const std::string& target, int show)>;
TShellOpenSeam& AboutShellOpenSeam();

class TAboutBox : public TShellDialog {
 public:
  explicit TAboutBox(TComponent* AOwner);
  DECLARE_CLASS_INFO;

  TPanel* Panel1;
  TImage* ProgramIcon;
  TLabel* ProductName;
  TLabel* Version;
  TLabel* Label1;  // the web page
  TPanel* Panel2;  // separator
  TLabel* lblEmail;
  TButton* OKButton;

  void FormCreate(TObject* Sender);
  void lblEmailMouseEnter(TObject* Sender);
  void lblEmailMouseLeave(TObject* Sender);
  void lblEmailClick(TObject* Sender);
  void Label1Click(TObject* Sender);
  void OKButtonClick(TObject* Sender);
};

extern TAboutBox* AboutBox;
