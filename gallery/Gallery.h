#pragma once
// TfrmGallery: the gallery's main window. A page for each family of controls, a main menu,
// a popup menu with every kind of item, and the skin component that skins all of it.
// TfrmGalleryAbout: the modal About dialog.
#include <windows.h>

#include <string>

#include "gallery/GalleryArgs.h"
#include "ui/Buttons.h"
#include "ui/ComCtrls.h"
#include "ui/Dialogs.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/ImgList.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"

class TSkinData;
class TfrmMdiSample;

class TfrmGalleryAbout : public TForm {
 public:
  explicit TfrmGalleryAbout(TComponent* AOwner);
  DECLARE_CLASS_INFO;
  TLabel* lblTitle = nullptr;
  TLabel* lblText = nullptr;
  TButton* btnOK = nullptr;
};

class TfrmGallery : public TForm {
 public:
  explicit TfrmGallery(TComponent* AOwner);
  DECLARE_CLASS_INFO;

  // The command line: a skin file to show, a page to open. Errors are reported in a
  // message box and the rest is still done.
  void ApplyArgs(const TGalleryArgs& args);
  // Shows the skin file; one that cannot be loaded is reported (path and reason) and the
  // built-in skin comes back. True when the file's skin is shown.
  bool LoadSkinFile(const std::string& path);
  // Opens the page with that caption; false (and the page stays) when there is none.
  bool OpenPage(const std::string& caption);

  TSkinData* SkinData1 = nullptr;
  TMainMenu* MainMenu1 = nullptr;
  TMenuItem* miFile = nullptr;
  TMenuItem* miSkinning = nullptr;
  TMenuItem* miOpenSkin = nullptr;
  TMenuItem* miExit = nullptr;
  TMenuItem* miView = nullptr;
  TMenuItem* miHelp = nullptr;
  TMenuItem* miAbout = nullptr;
  TMenuItem* miMessageBox = nullptr;
  TMenuItem* miMdiSample = nullptr;  // in View, after the pages
  TfrmMdiSample* frmMdiSample = nullptr;
  TPopupMenu* pmGallery = nullptr;
  TMenuItem* miChecked = nullptr;
  TMenuItem* miDisabled = nullptr;
  TMenuItem* miSubmenu = nullptr;
  TMenuItem* miGlyph = nullptr;
  TImageList* ilGlyphs = nullptr;
  TOpenDialog* OpenDialog1 = nullptr;
  TPageControl* pcFamilies = nullptr;
  TTabSheet* tsButtons = nullptr;
  TTabSheet* tsChoices = nullptr;
  TTabSheet* tsPanels = nullptr;
  TRadioGroup* rgChoices = nullptr;
  TTrackBar* tbHorizontal = nullptr;
  TTrackBar* tbVertical = nullptr;
  TToolBar* tbTools = nullptr;
  TPopupMenu* pmToolMore = nullptr;
  TStatusBar* sbMain = nullptr;
  TTabSheet* tsScrolling = nullptr;
  TTabSheet* tsText = nullptr;

  void miSkinningClick(TObject* Sender);
  void miOpenSkinClick(TObject* Sender);
  void miAboutClick(TObject* Sender);
  void miMessageBoxClick(TObject* Sender);
  void miMdiSampleClick(TObject* Sender);
  void pcFamiliesChange(TObject* Sender);

 protected:
  void WndProc(TMessage& m) override;

 private:
  void CreateMenus();
  void CreatePopupMenu();
  void CreatePages();
  void CreateButtonsPage();
  void CreateChoicesPage();
  void CreatePanelsPage();
  void CreateStatusBar();
  void CreateScrollingPage();
  void CreateTextPage();
  void CreateListsPage();
  // One View item per page, checked for the page shown.
  void UpdateViewMenu();
  void LayoutPages();
  void LayoutPages(int width, int height);
  // The built-in skin, as stored with the form.
  void LoadBuiltinSkin();
  // Names the loaded skin in the status bar.
  void ShowSkinName();
};

extern TfrmGallery* frmGallery;
