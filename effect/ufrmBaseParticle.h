#pragma once
// The particle: state and per-frame hooks, apart from the window that shows it.
// A particle draws one frame per tick of its timer: PrepareFrame decides what and where,
// the view shows it, FrameDrawn finishes. The window, its timer and the drawing call sit
// behind IParticleView, so the effects run unchanged with a recording view in tests.
#include <cstdint>
#include <functional>
#include <memory>

#include "effect/uGDIUtils.h"
#include "effect/uObserver.h"

class TfrmParticle;

// The platform side of one particle: a top-most, click-through, never activated window
// with a frame timer whose ticks call the particle's DrawFrame.
class IParticleView {
 public:
  virtual ~IParticleView() = default;
  // Adds the layered and transparent styles (after the window exists).
  virtual void MakeLayered() = 0;
  // Shows the window without activating it.
  virtual void ShowNoActivate() = 0;
  // Puts the picture's top-left corner at position, at its own size, with the constant
  // alpha over its per-pixel alpha. Never called with an empty image.
  virtual void Present(const IParticleImage& image, TPoint position, uint8_t alpha) = 0;
  virtual void SetTimerInterval(uint32_t ms) = 0;
  virtual uint32_t TimerInterval() const = 0;
  virtual void SetTimerEnabled(bool enabled) = 0;
  virtual bool TimerEnabled() const = 0;
};

// Makes the view of a particle being built; the view calls particle.DrawFrame on each tick.
// With no factory installed particles run without a window (their hooks still run).
using TParticleViewFactory = std::function<std::unique_ptr<IParticleView>(TfrmParticle& particle)>;
// Installs the factory for every particle built afterwards; returns the previous one.
TParticleViewFactory SetParticleViewFactory(TParticleViewFactory factory);

// Frame interval the window is built with, before an effect sets its own.
inline constexpr uint32_t kStoredTimerInterval = 50;

class TfrmParticle : public ICursorObserver {
 public:
  // Builds the window, makes it layered, takes the picture, target, index, alpha and
  // scale (stored in single precision), then shows it without activation.
  TfrmParticle(std::unique_ptr<IParticleImage> picture, TPoint target, uint8_t alpha, long double scale,
               int32_t index);
  virtual ~TfrmParticle();
  TfrmParticle(const TfrmParticle&) = delete;
  TfrmParticle& operator=(const TfrmParticle&) = delete;

  // Stores the point as the target; never draws.
  void CursorMoved(const TPoint& point) override { SetTarget(point); }

  // One frame: PrepareFrame, show FrameImage at Position (skipped while it has no
  // pixels, so the window keeps what it showed), FrameDrawn.
  void DrawFrame();

  void SetPicture(std::unique_ptr<IParticleImage> picture);
  void SetTarget(const TPoint& point) { Target = point; }
  void SetScale(float value) { Scale = value; }

  // Attaches to the subject and remembers it, so a particle that is closed anyway takes
  // itself off the subject's list instead of leaving a dangling entry.
  void AttachTo(ICursorSubject* subject);

  // The window was closed and is freeing itself: the particle lets go of it and frees
  // itself with its picture.
  void WindowClosed();

  IParticleView* View() const { return FView.get(); }

  // While nothing can be seen (the session is locked, the display is off) the frame timer
  // stops; Resume starts it again if it ran, or if the particle asked for it meanwhile.
  void Suspend();
  void Resume();
  bool Suspended() const noexcept { return FSuspended; }

  std::unique_ptr<IParticleImage> Picture;
  uint8_t Alpha = 255;
  TPoint Target;
  TPoint Position;
  float Scale = 0.0f;
  int32_t Index = 0;
  // What the next frame draws; who owns it is the descendant's business.
  const IParticleImage* FrameImage = nullptr;

 protected:
  virtual void PrepareFrame() = 0;
  virtual void FrameDrawn() = 0;
  // Starts or stops the frame timer; while suspended, only what Resume will do changes.
  void SetTicking(bool on);

 private:
  std::unique_ptr<IParticleView> FView;
  ICursorSubject* FSubject = nullptr;
  bool FSuspended = false;
  bool FTickAfterResume = false;
};

inline constexpr int32_t kParticlesPerEffect = 8;

// What an effect start needs from the main window. Every member is required.
struct TEffectStartContext {
  TPoint CursorPos;                                              // the last cursor point
  ICursorSubject* Subject = nullptr;                             // particles attach here
  std::function<std::unique_ptr<IParticleImage>()> LoadPicture;  // a new tinted picture
  std::function<void(uint32_t ms)> Sleep;                        // blocks the calling thread
};

// The random start point of particle number i: x drawn first, each within 30 pixels.
TPoint DrawStartPoint(const TPoint& cursor);

// Frame interval of an effect's particle: 80 + a draw of 0..39 ms.
uint32_t DrawFrameInterval();
