#pragma once
// The particle's window: a borderless, top-most tool window on the desktop, layered and
// click-through, shown without activation and drawn only through UpdateLayeredWindow.
// It owns the frame timer (tmrDrawForm) whose ticks draw the particle's frames.
//
// The shell builds an effect with InstallParticleWindows() once, then
//   TEffectStartContext c{CursorPos, this, [this] { return LoadParticlePicture(); },
//                         [](uint32_t ms) { ::Sleep(ms); }};
//   StartMagicEffect(c);   // or StartFlagEffect(c)
#include <windows.h>

#include "effect/ufrmBaseParticle.h"

class TParticleWindow final : public IParticleView {
 public:
  static constexpr const char* kClassName = "TfrmParticle";
  static constexpr int kDesignWidth = 104;  // client size before the first frame
  static constexpr int kDesignHeight = 70;

  // Creates the window with the timer running at the stored 50 ms.
  explicit TParticleWindow(TfrmParticle& particle);
  ~TParticleWindow() override;
  TParticleWindow(const TParticleWindow&) = delete;
  TParticleWindow& operator=(const TParticleWindow&) = delete;

  HWND Handle() const { return FHandle; }

  void MakeLayered() override;
  void ShowNoActivate() override;
  void Present(const IParticleImage& image, TPoint position, uint8_t alpha) override;
  void SetTimerInterval(uint32_t ms) override;
  uint32_t TimerInterval() const override { return FInterval; }
  void SetTimerEnabled(bool enabled) override;
  bool TimerEnabled() const override { return FEnabled; }

  // The particle that owns the window, from the window handle (null for other windows).
  static TfrmParticle* ParticleOf(HWND wnd);

 private:
  static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
  void tmrDrawFormTimer();
  void FormClose();
  void RestartTimer();

  TfrmParticle* FParticle;
  HWND FHandle = nullptr;
  uint32_t FInterval = kStoredTimerInterval;
  bool FEnabled = true;
};

// From now on every particle built gets a TParticleWindow.
void InstallParticleWindows();
