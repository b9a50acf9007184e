#pragma once
// The title-bar buttons of a skinned frame and the skinned system menu one of them opens:
// building the buttons from the skin, their layout and faces, what a click on one does, and
// the system menu made from the window's own. Each form handler owns one; the handler's
// hit-testing and mouse messages (FormSkinButtons_win.cpp) find the buttons through it.
#include <windows.h>

#include <memory>
#include <vector>

#include "skin/forms/NCObject.h"
#include "skin/forms/SystemMenu.h"
#include "ui/Menus.h"

class TSkinForm;

class TTitleButtons {
 public:
  explicit TTitleButtons(TSkinForm& form) noexcept : FForm(form) {}
  TTitleButtons(const TTitleButtons&) = delete;
  TTitleButtons& operator=(const TTitleButtons&) = delete;

  // Makes the buttons the skin describes again (the icon button shows the window's icon).
  void Rebuild();
  void Free();
  const std::vector<std::unique_ptr<TSkinSysButton>>& Buttons() const noexcept { return FButtons; }
  // Places the visible buttons for the window as it is now.
  void Layout();
  // Where the buttons on the right begin, as the last layout found.
  int RightButtonsLeft() const noexcept { return FRightButtonsLeft; }
  // Paints the buttons that belong in the title bar into its buffer.
  void Paint(HDC dc);
  // Paints a maximized MDI child's buttons into the frame's menu bar.
  void PaintChildButtons(HDC bar);
  TSkinSysButton* ButtonAt(POINT framePoint) const;

  // What the hot button does when it is released; (x, y) is the release point on the screen.
  void DoAction(int x, int y);
  void ToggleMaximize();
  void RestoreWindow();

  // --- the system menu ---
  void BuildSystemMenu();
  void FreeSystemMenu() { FSystemPopup.reset(); }
  // The window's own system menu, as read last.
  HMENU SystemMenu() const noexcept { return FSystemMenu; }
  TPopupMenu* SystemPopup() const noexcept { return FSystemPopup.get(); }
  int SystemMenuOpenings() const noexcept { return FSystemMenuOpenings; }
  // Opens the skinned system menu (the native one where the skin leaves it to the system)
  // with its top-left corner at a screen point; a second request within the double-click
  // time opens nothing, or closes the window when it came from the system-menu button.
  void PopupSystemMenu(POINT screen);
  // Alt+Space: the skinned system menu under the icon, its first item selected.
  void SystemMenuByKeyboard();

 private:
  // A button's face in the given state, painted on the window (its OnPaint).
  void PaintButton(TSkinSysButton& button, int state);
  // The window's icon for the icon button, else the button's picture at frame.
  void DrawButton(HDC dc, TSkinSysButton& button, int frame);
  void ToggleMinimize();
  void SendToActiveChild(UINT command);
  void AddSystemMenuItems(TMenuItem& parent, HMENU menu, const TSysMenuWindow& window, int depth);
  // What choosing an item of the skinned system menu or the close button does: the window
  // gets the command (a close stops the hover timer first).
  void SystemCommand(UINT command);

  TSkinForm& FForm;
  std::vector<std::unique_ptr<TSkinSysButton>> FButtons;
  int FRightButtonsLeft = 0;
  HMENU FSystemMenu = nullptr;
  TSystemMenuGate FMenuGate;
  UINT FDoubleClickTime = GetDoubleClickTime();
  std::unique_ptr<TPopupMenu> FSystemPopup;
  int FSystemMenuOpenings = 0;
};
