#pragma once
// Forms, the screen's list of forms, and the application object (message loop, the
// application window with its taskbar button, and the handler of uncaught errors).
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/Controls.h"
#include "ui/DpiScale.h"
#include "ui/WindowSubclass_win.h"

class TMainMenu;
class TMenuItem;

enum TFormBorderStyle { bsNone = 0, bsSingle, bsSizeable, bsDialog };
// An MDI form (fsMDIForm) holds its children in an "MDIClient" window; an MDI child
// (fsMDIChild) lives in the MDI form's client.
enum TFormStyle { fsNormal, fsStayOnTop, fsMDIChild, fsMDIForm };
enum TPosition { poDesigned, poScreenCenter, poDesktopCenter };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
// Results of a modal form (the dialog-box identifiers).
using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL;

class TForm : public TWinControl {
 public:
  explicit TForm(TComponent* AOwner);
  ~TForm() override;
  DECLARE_CLASS_INFO;

  TFormBorderStyle BorderStyle() const noexcept { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle v);
  TFormStyle FormStyle() const noexcept { return FFormStyle; }
  void SetFormStyle(TFormStyle v);
  TPosition Position = poDesigned;
  bool AutoScroll = false;
  TMainMenu* Menu() const noexcept { return FMenu; }
  void SetMenu(TMainMenu* menu);
  TWinControl* ActiveControl() const noexcept { return FActiveControl; }
  void SetActiveControl(TWinControl* c);
  // Before the window exists the size is kept as client size and turned into the outer
  // size with the style the window will have.
  void SetClientSize(int width, int height) override;

  // A form is designed at DesignPixelsPerInch; when Scaled (the default) it is made at the
  // screen's DPI instead, once, as its constructor ends loading (EndLoading): client size,
  // controls and pixel-height fonts times screen DPI / design DPI (ChangeScale). Its place
  // on the screen stays.
  bool Scaled = true;
  int DesignPixelsPerInch = DesignDpi;
  // The DPI the form was made at: the screen's once scaled, else its design DPI.
  int PixelsPerInch() const noexcept { return FScaledForScreen ? FPixelsPerInch : DesignPixelsPerInch; }
  // Design pixels in the form's pixels, for layout done after creation (unchanged before).
  int ScalePixels(int designPixels) const {
    return ScaleDpi(designPixels, PixelsPerInch(), DesignPixelsPerInch);
  }
  // Scales the client size, the font and the controls; the place stays, but for an MDI
  // child's, which is inside a scaled frame.
  void ChangeScale(int toDpi, int fromDpi) override;
  // Scales a form to the screen's DPI as described above; only the first call counts.
  // EndLoading calls it; a form built without loading (an MDI child made in code) calls it
  // once its controls are in place.
  void ScaleForScreen();

  void Show();
  void Hide() { SetVisible(false); }
  // Asks OnClose; the main form's close ends the application.
  void Close();
  // Frees the form once the messages now queued have been handled.
  void Release();
  // Shows the form and handles messages until ModalResult is set (closing it sets
  // mrCancel), with the thread's other windows disabled meanwhile; hides it, gives the
  // activation and the focus back to where they were, and answers ModalResult.
  TModalResult ShowModal();
  TModalResult ModalResult = mrNone;
  bool Modal() const noexcept { return FModal; }
  // A key pressed in the form: with the modifier keys held now, does it match the ShortCut
  // of an item of the main menu? Then that item's click has run and the answer is true.
  // (The menu bar may be drawn by the skin, so the system's menu keys are not relied on.)
  bool IsShortCut(WPARAM key);
  // Moves the focus to the next (or previous) TabStop control after current, in tab order
  // (each parent's children in their TabOrder, depth first), wrapping round, and selects an
  // edit's text; false when there is none.
  bool SelectNext(TWinControl* current, bool forward);
  // The class-library control that has the keyboard focus, or holds the window that has it.
  static TWinControl* FocusedControl();
  // Arrow keys inside a group of radio buttons move to the next one of the group.
  bool SelectInGroup(HWND current, bool forward);

  // --- MDI (FormStyle fsMDIForm) ---
  // The "MDIClient" window, made with the form's window; none for other forms.
  HWND ClientHandle() const noexcept { return FClientHandle; }
  // The item whose drop-down lists the children (the system appends them); set before the
  // window exists.
  TMenuItem* WindowMenu = nullptr;
  TForm* ActiveMDIChild() const;
  int MDIChildCount() const;
  TForm* MDIChildren(int i) const;
  void Cascade();
  void Tile();
  // Gives the frame a new menu (and window menu) through WM_MDISETMENU; either may be null
  // to keep the current one.
  void SetMDIMenu(HMENU frameMenu, HMENU windowMenu);
  // The MDI form an MDI child is made in: the first visible-or-not form with fsMDIForm.
  static TForm* MDIParentForm();

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TCloseEvent OnClose;

 protected:
  // A descendant builds its components between BeginLoading() and EndLoading() in its
  // constructor; EndLoading calls Loaded on each component and then OnCreate.
  void EndLoading();
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  HWND CreateWindowHandle(const TCreateParams& params) override;
  void DefaultHandler(TMessage& m) override;
  void WndProc(TMessage& m) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TFormBorderStyle FBorderStyle = bsSizeable;
  TFormStyle FFormStyle = fsNormal;
  TMainMenu* FMenu = nullptr;
  TWinControl* FActiveControl = nullptr;
  bool FModal = false;
  int FPixelsPerInch = DesignDpi;
  bool FScaledForScreen = false;
  int FClientWidth = -1, FClientHeight = -1;  // pending client size while there is no window
  HWND FClientHandle = nullptr;
  void ApplyPendingClientSize();
  void StyleChanged();
};

class TScreen : public TComponent {
 public:
  explicit TScreen(TComponent* AOwner) : TComponent(AOwner) {}
  int FormCount() const noexcept { return static_cast<int>(FForms.size()); }
  TForm* Forms(int i) const { return FForms.at(static_cast<size_t>(i)); }
  // The form whose window is active, or null.
  TForm* ActiveForm() const;
  int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
  int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
  // The DPI forms are made for: the screen's, unless another is named (0 names none), e.g.
  // to build a form as it is at its design DPI beside the scaled one.
  int PixelsPerInch() const { return FPixelsPerInch > 0 ? FPixelsPerInch : ScreenPixelsPerInch(); }
  void SetPixelsPerInch(int dpi) { FPixelsPerInch = dpi; }

 private:
  friend class TForm;
  std::vector<TForm*> FForms;  // creation order
  int FPixelsPerInch = 0;
};

using TExceptionEvent = std::function<void(TObject* Sender, const std::string& Message)>;

class TApplication : public TComponent {
 public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  void Initialize();
  const std::string& Title() const noexcept { return FTitle; }
  void SetTitle(const std::string& title);
  // The program's icon: the "MAINICON" resource, else the system's application icon.
  TIcon* Icon();
  // The hidden application window that carries the taskbar button and owns the forms.
  HWND Handle();
  TForm* MainForm() const noexcept { return FMainForm; }
  bool ShowMainForm = true;
  bool Terminated() const noexcept { return FTerminated; }

  // Creates a form owned by the application; the first one becomes the main form.
  template <class T>
  T* CreateForm(T** reference = nullptr) {
    T* form = new T(this);
    if (reference) *reference = form;
    if (!FMainForm) FMainForm = form;
    return form;
  }
  // Shows the main form (unless ShowMainForm is false) and runs the message loop until
  // the main form closes or Terminate is called.
  void Run();
  // Handles one message, waiting for it; answers false once the loop has to end.
  bool HandleMessage();
  void ProcessMessages();
  void Terminate();
  void Minimize();
  void Restore();
  // Reports the exception being handled: OnException if set, otherwise a message box
  // with the error's message. Never throws.
  void HandleException(TObject* Sender) noexcept;
  void ShowException(const std::string& message);
  // Destroys the application window (made again when next asked for) and its class.
  void ReleaseHandle();

  TNotifyEvent OnMinimize;
  TNotifyEvent OnRestore;
  TExceptionEvent OnException;

 private:
  friend class TForm;
  bool WindowMessage(UINT msg, WPARAM wParam);
  bool ProcessMessage(MSG& msg);
  std::string FTitle;
  THiddenWindow FWindow;
  std::unique_ptr<TIcon> FIcon;
  TForm* FMainForm = nullptr;
  bool FTerminated = false;
};

extern TApplication* Application;
extern TScreen* Screen;

// Destroys the class library's own hidden windows (the application window, the popup menus'
// command window) and unregisters every window class it registered, so that nothing of this
// module stays with the system: for a DLL that carries the class library, before it is
// unloaded. A class whose windows still exist stays registered. Call it once no form is left:
// the application window owns the forms' windows.
void ReleaseClassLibraryWindows();
