// effect_demo [SECONDS] [X Y]: the Magic effect around a fixed point, for screenshots.
// Eight tinted particles pulse and jump around (X, Y) (default the screen centre).
#include <windows.h>

#include <cstdlib>
#include <string>

#include "effect/uGDIUtils_win.h"
#include "effect/ufrmBaseParticle_win.h"
#include "effect/ufrmMagicParticle.h"
#include "support/ExeDir_win.h"
#include "support/FakeSubject.h"

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
  TFakeSubject subject;
  subject.CursorPos = {argc > 3 ? std::atoi(argv[2]) : GetSystemMetrics(SM_CXSCREEN) / 2,
                       argc > 3 ? std::atoi(argv[3]) : GetSystemMetrics(SM_CYSCREEN) / 2};
  TGdiplusSession gdiplus;
  InstallParticleWindows();
  const std::string picture = BallPath();
  TEffectStartContext context;
  context.CursorPos = subject.CursorPos;
  context.Subject = &subject;
  context.LoadPicture = [&] { return std::unique_ptr<IParticleImage>(LoadTintedPicture(picture)); };
  context.Sleep = [](uint32_t ms) { Sleep(ms); };
  StartMagicEffect(context);
  subject.NotifyObservers();

  const DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
  while (static_cast<LONG>(end - GetTickCount()) > 0) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  return 0;  // the particle windows end with the process
}
