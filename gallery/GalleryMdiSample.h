#pragma once
// TfrmMdiSample: the gallery's MDI window, opened from its View menu: an MDI form with a
// Window menu (Cascade, Tile and the list of children) and three children, so a skin can be
// seen on an MDI frame, on its children and on a maximized child's buttons in the bar.
#include <vector>

#include "ui/Forms.h"
#include "ui/Menus.h"

class TfrmMdiSample : public TForm {
 public:
  explicit TfrmMdiSample(TComponent* AOwner);
  ~TfrmMdiSample() override;
  DECLARE_CLASS_INFO;
  // Shows the window; the first time also its three children.
  void Open();
  const std::vector<TForm*>& Children() const noexcept { return FChildren; }

  TMainMenu* MainMenu1 = nullptr;
  TMenuItem* miWindow = nullptr;
  TMenuItem* miCascade = nullptr;
  TMenuItem* miTile = nullptr;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  std::vector<TForm*> FChildren;  // each frees itself when closed
  bool FOpened = false;
};
