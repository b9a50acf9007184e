#include "effect/ufrmBaseParticle_win.h"

#include <string>

#include "effect/PhysicalPixels_win.h"
#include "effect/uGDIUtils_win.h"
#include "ui/Handles.h"
#include "ui/SysUtils.h"

namespace {

// A hidden window that owns every particle window. Owned windows never get a taskbar button,
// on Windows as under Wine (whose taskbar lists unowned tool windows too). It is never shown
// or minimised, so the particles stay on screen whatever the program's other windows do.
HWND ParticleOwnerWindow() {
  static const HWND owner = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TParticleOwner";
    RegisterClassA(&wc);
    return CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                           wc.hInstance, nullptr);
  }();
  return owner;
}

}  // namespace

TfrmParticleForm::TfrmParticleForm(TfrmParticle& particle) : TForm(nullptr), FParticle(&particle) {
  BeginLoading();
  SetBorderStyle(bsNone);
  SetFormStyle(fsStayOnTop);
  SetClientSize(kDesignWidth, kDesignHeight);
  tmrDrawForm = new TTimer(this);
  tmrDrawForm->SetInterval(kStoredTimerInterval);
  tmrDrawForm->OnTimer = [this](TObject* sender) { tmrDrawFormTimer(sender); };
  OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
  EndLoading();
  // A window takes its DPI awareness from the thread that makes it: physical pixels, like
  // the hook's points (the hidden owner is made here too, so both agree). Moved only by
  // UpdateLayeredWindow, it never follows the system's suggestion when its monitor's scale
  // changes (WM_DPICHANGED goes to the default handling, which does not move it).
  TPhysicalPixelsScope physical;
  HandleNeeded();
}

TfrmParticleForm::~TfrmParticleForm() {
  // Freed by its own close (caFree): the particle goes with its window. Freed by the
  // particle: nothing to tell.
  if (FFreedByClose) FParticle->WindowClosed();
}

void TfrmParticleForm::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  // The desktop as parent, as a top-level window; owned by the hidden particle owner (above)
  // when there is one, so no particle shows up in a taskbar.
  params.WndParent = ParticleOwnerWindow() ? ParticleOwnerWindow() : GetDesktopWindow();
  params.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
}

TfrmParticle* TfrmParticleForm::ParticleOf(HWND wnd) {
  auto* form = dynamic_cast<TfrmParticleForm*>(TWinControl::FindControl(wnd));
  return form ? form->FParticle : nullptr;
}

void TfrmParticleForm::MakeLayered() {
  const LONG ex = GetWindowLongA(Handle(), GWL_EXSTYLE);
  // SetWindowLong answers the previous value, so 0 is a failure only with an error set.
  SetLastError(0);
  if (SetWindowLongA(Handle(), GWL_EXSTYLE, ex | WS_EX_LAYERED | WS_EX_TRANSPARENT) == 0) {
    const DWORD code = GetLastError();
    if (code != 0) MessageBoxA(nullptr, SysErrorMessage(code).c_str(), "Lumetta", MB_OK | MB_ICONERROR);
  }
}

void TfrmParticleForm::ShowNoActivate() {
  // SW_SHOWMINNOACTIVE leaves the window minimised under Wine (parked off its place, and
  // UpdateLayeredWindow does not restore it); SW_SHOWNOACTIVATE shows it in place without
  // activation on both, and a layered window shows nothing until its first update.
  FVisible = true;  // the form's own Show would activate it
  ShowWindow(Handle(), SW_SHOWNOACTIVATE);
}

void TfrmParticleForm::Present(const IParticleImage& image, TPoint position, uint8_t alpha) {
  const auto* picture = dynamic_cast<const TGPImage*>(&image);
  if (!picture) return;
  // Made and released within the frame; a picture that yields no bitmap changes nothing.
  TBitmapHandle bitmap = picture->MakeHBitmap(0);
  if (!bitmap) return;
  const HWND wnd = Handle();
  ClientDc windowDc(wnd);
  MemoryDc memory(windowDc.get());
  if (!memory) return;
  SelectGuard selected(memory.get(), bitmap.get());
  POINT dst{position.x, position.y};
  POINT src{0, 0};
  SIZE size{static_cast<LONG>(image.Width()), static_cast<LONG>(image.Height())};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
  // The position is read in the calling thread's coordinate space: physical here too.
  TPhysicalPixelsScope physical;
  UpdateLayeredWindow(wnd, windowDc.get(), &dst, &size, memory.get(), &src, 0, &blend, ULW_ALPHA);
}

void TfrmParticleForm::tmrDrawFormTimer(TObject*) { FParticle->DrawFrame(); }

void TfrmParticleForm::FormClose(TObject*, TCloseAction& Action) {
  Action = caFree;
  FFreedByClose = true;
}

void InstallParticleWindows() {
  SetParticleViewFactory([](TfrmParticle& particle) -> std::unique_ptr<IParticleView> {
    return std::make_unique<TfrmParticleForm>(particle);
  });
}

namespace {
BOOL CALLBACK RaiseIfParticle(HWND wnd, LPARAM) {
  if (TfrmParticleForm::ParticleOf(wnd))
    SetWindowPos(wnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  return TRUE;
}
}  // namespace

void RaiseParticleWindows() { EnumThreadWindows(GetCurrentThreadId(), RaiseIfParticle, 0); }
