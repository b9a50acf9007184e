// effect_demo [SECONDS] [X Y]: the Magic effect around a fixed point, for screenshots.
// Eight tinted particles pulse and jump around (X, Y) (default the screen centre).
#include <windows.h>

#include <cstdlib>
#include <string>

#include "effect/uGDIUtils_win.h"
#include "effect/ufrmBaseParticle_win.h"
#include "effect/ufrmMagicParticle.h"

namespace {

struct TPointSubject final : ICursorSubject {
  void Attach(ICursorObserver* o) override { List.Attach(o); }
  void Detach(ICursorObserver* o) override { List.Detach(o); }
  void DetachAll() override { List.DetachAll(); }
  void NotifyObservers() override { List.Notify(CursorPos); }
  TPoint CursorPos;
  TObserverList List;
};

std::string ExeDir() {
  char buf[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, buf, MAX_PATH);
  std::string s(buf);
  return s.substr(0, s.find_last_of("\\/") + 1);
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
  TPointSubject subject;
  subject.CursorPos = {argc > 3 ? std::atoi(argv[2]) : GetSystemMetrics(SM_CXSCREEN) / 2,
                       argc > 3 ? std::atoi(argv[3]) : GetSystemMetrics(SM_CYSCREEN) / 2};
  TGdiplusSession gdiplus;
  InstallParticleWindows();
  const std::string picture = ExeDir() + "Images/ball_blue.png";
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
