#include "effect/ufrmBaseParticle_win.h"

#include <string>
#include <utility>

#include "effect/uGDIUtils_win.h"
#include "ui/Handles.h"

namespace {

constexpr UINT_PTR kFrameTimerId = 1;

void RegisterParticleClass() {
  static const bool registered = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;  // replaced per window once the object is attached
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = TParticleWindow::kClassName;
    return RegisterClassA(&wc) != 0;
  }();
  (void)registered;
}

std::string SystemErrorText(DWORD code) {
  char* text = nullptr;
  const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                     FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, code, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
  std::string s = n && text ? std::string(text, n) : "System Error. Code: " + std::to_string(code);
  if (text) LocalFree(text);
  while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ')) s.pop_back();
  return s;
}

}  // namespace

TParticleWindow::TParticleWindow(TfrmParticle& particle) : FParticle(&particle) {
  RegisterParticleClass();
  // Creation parameters: no border, the desktop as parent, top-most and without a taskbar
  // button (tool window).
  FHandle = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, "", WS_POPUP, 0, 0, kDesignWidth,
                            kDesignHeight, GetDesktopWindow(), nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!FHandle) return;
  SetWindowLongPtrA(FHandle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrA(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WndProc));
  RestartTimer();
}

TParticleWindow::~TParticleWindow() {
  if (FHandle) {
    SetWindowLongPtrA(FHandle, GWLP_USERDATA, 0);
    DestroyWindow(FHandle);
  }
}

TfrmParticle* TParticleWindow::ParticleOf(HWND wnd) {
  if (!wnd || GetWindowLongPtrA(wnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&WndProc)) return nullptr;
  auto* self = reinterpret_cast<TParticleWindow*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
  return self ? self->FParticle : nullptr;
}

void TParticleWindow::MakeLayered() {
  if (!FHandle) return;
  const LONG ex = GetWindowLongA(FHandle, GWL_EXSTYLE);
  // SetWindowLong answers the previous value, so 0 is a failure only with an error set.
  SetLastError(0);
  if (SetWindowLongA(FHandle, GWL_EXSTYLE, ex | WS_EX_LAYERED | WS_EX_TRANSPARENT) == 0) {
    const DWORD code = GetLastError();
    if (code != 0) MessageBoxA(nullptr, SystemErrorText(code).c_str(), "Lumetta", MB_OK | MB_ICONERROR);
  }
}

void TParticleWindow::ShowNoActivate() {
  // SW_SHOWMINNOACTIVE leaves the window minimised under Wine (parked off its place, and
  // UpdateLayeredWindow does not restore it); SW_SHOWNOACTIVATE shows it in place without
  // activation on both, and a layered window shows nothing until its first update.
  if (FHandle) ShowWindow(FHandle, SW_SHOWNOACTIVATE);
}

void TParticleWindow::Present(const IParticleImage& image, TPoint position, uint8_t alpha) {
  const auto* picture = dynamic_cast<const TGPImage*>(&image);
  if (!FHandle || !picture) return;
  // Made and released within the frame; a picture that yields no bitmap changes nothing.
  TBitmapHandle bitmap = picture->MakeHBitmap(0);
  if (!bitmap) return;
  ClientDc windowDc(FHandle);
  MemoryDc memory(windowDc.get());
  if (!memory) return;
  SelectGuard selected(memory.get(), bitmap.get());
  POINT dst{position.x, position.y};
  POINT src{0, 0};
  SIZE size{static_cast<LONG>(image.Width()), static_cast<LONG>(image.Height())};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
  UpdateLayeredWindow(FHandle, windowDc.get(), &dst, &size, memory.get(), &src, 0, &blend, ULW_ALPHA);
}

void TParticleWindow::SetTimerInterval(uint32_t ms) {
  FInterval = ms;
  RestartTimer();
}

void TParticleWindow::SetTimerEnabled(bool enabled) {
  FEnabled = enabled;
  RestartTimer();
}

void TParticleWindow::RestartTimer() {
  if (!FHandle) return;
  KillTimer(FHandle, kFrameTimerId);
  if (FEnabled && FInterval > 0) SetTimer(FHandle, kFrameTimerId, FInterval, nullptr);
}

void TParticleWindow::tmrDrawFormTimer() { FParticle->DrawFrame(); }

void TParticleWindow::FormClose() {
  // A closed particle frees itself: the window goes first, then the particle (and with it
  // this object). Nothing of this object is touched afterwards.
  KillTimer(FHandle, kFrameTimerId);
  SetWindowLongPtrA(FHandle, GWLP_USERDATA, 0);
  const HWND wnd = std::exchange(FHandle, nullptr);
  DestroyWindow(wnd);
  FParticle->WindowClosed();
}

LRESULT CALLBACK TParticleWindow::WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  auto* self = reinterpret_cast<TParticleWindow*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(wnd, msg, wParam, lParam);
  try {
    switch (msg) {
      case WM_TIMER:
        if (wParam == kFrameTimerId) {
          self->tmrDrawFormTimer();
          return 0;
        }
        break;
      case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
      case WM_CLOSE:
        self->FormClose();
        return 0;
      default:
        break;
    }
  } catch (...) {
    // A frame that fails is skipped; the next tick tries again.
    return 0;
  }
  return DefWindowProcA(wnd, msg, wParam, lParam);
}

void InstallParticleWindows() {
  SetParticleViewFactory([](TfrmParticle& particle) -> std::unique_ptr<IParticleView> {
    return std::make_unique<TParticleWindow>(particle);
  });
}
