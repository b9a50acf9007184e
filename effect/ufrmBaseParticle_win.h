#pragma once
// The particle's window: a borderless, stay-on-top form parented to the desktop, a tool
// window without a taskbar button, made layered and click-through, shown without
// activation and drawn only through UpdateLayeredWindow. It owns the frame timer
// (tmrDrawForm) whose ticks draw the particle's frames.
//
// The shell builds an effect with InstallParticleWindows() once, then
//   TEffectStartContext c{CursorPos, this, [this] { return LoadParticlePicture(); },
//                         [](uint32_t ms) { ::Sleep(ms); }};
//   StartMagicEffect(c);   // or StartFlagEffect(c)
#include <windows.h>

#include "effect/ufrmBaseParticle.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"

class TfrmParticleForm final : public TForm, public IParticleView {
 public:
  static constexpr int kDesignWidth = 104;  // client size before the first frame
  static constexpr int kDesignHeight = 70;

  // Builds the form (no owner) with the timer running at the stored 50 ms.
  explicit TfrmParticleForm(TfrmParticle& particle);
  ~TfrmParticleForm() override;

  void MakeLayered() override;
  void ShowNoActivate() override;
  void Present(const IParticleImage& image, TPoint position, uint8_t alpha) override;
  void SetTimerInterval(uint32_t ms) override { tmrDrawForm->SetInterval(ms); }
  uint32_t TimerInterval() const override { return tmrDrawForm->Interval(); }
  void SetTimerEnabled(bool enabled) override { tmrDrawForm->SetEnabled(enabled); }
  bool TimerEnabled() const override { return tmrDrawForm->Enabled(); }

  // The particle shown by a window, or null for any other window.
  static TfrmParticle* ParticleOf(HWND wnd);

  TTimer* tmrDrawForm = nullptr;

 protected:
  void CreateParams(TCreateParams& params) override;

 private:
  void tmrDrawFormTimer(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  TfrmParticle* FParticle;
  bool FFreedByClose = false;
};

// From now on every particle built gets a TfrmParticleForm.
void InstallParticleWindows();

// Puts this thread's particle windows back on top of every other window. A window that is
// activated (one of our dialogs) is raised over them on the screen under Wine, which
// leaves their place in the system's window order as it was.
void RaiseParticleWindows();
