#include "effect/ufrmBaseParticle.h"

#include <utility>

#include "effect/uRandom.h"

namespace {
TParticleViewFactory& ViewFactory() {
  static TParticleViewFactory factory;
  return factory;
}
}  // namespace

TParticleViewFactory SetParticleViewFactory(TParticleViewFactory factory) {
  return std::exchange(ViewFactory(), std::move(factory));
}

TfrmParticle::TfrmParticle(std::unique_ptr<IParticleImage> picture, TPoint target, uint8_t alpha,
                           long double scale, int32_t index) {
  if (ViewFactory()) FView = ViewFactory()(*this);
  if (FView) FView->MakeLayered();
  SetPicture(std::move(picture));
  SetTarget(target);
  Index = index;
  Alpha = alpha;
  Scale = static_cast<float>(scale);
  if (FView) FView->ShowNoActivate();
}

TfrmParticle::~TfrmParticle() {
  if (FSubject) FSubject->Detach(this);
}

void TfrmParticle::SetPicture(std::unique_ptr<IParticleImage> picture) {
  Picture = std::move(picture);
  if (!Picture) Picture = std::make_unique<TEmptyImage>();
}

void TfrmParticle::DrawFrame() {
  PrepareFrame();
  if (FView && FrameImage && FrameImage->Width() > 0 && FrameImage->Height() > 0)
    FView->Present(*FrameImage, Position, Alpha);
  FrameDrawn();
}

void TfrmParticle::Suspend() {
  if (FSuspended) return;
  FTickAfterResume = FView && FView->TimerEnabled();
  FSuspended = true;
  if (FView) FView->SetTimerEnabled(false);
}

void TfrmParticle::Resume() {
  if (!FSuspended) return;
  FSuspended = false;
  if (FView && FTickAfterResume) FView->SetTimerEnabled(true);
}

void TfrmParticle::SetTicking(bool on) {
  if (FSuspended)
    FTickAfterResume = on;
  else if (FView)
    FView->SetTimerEnabled(on);
}

void TfrmParticle::AttachTo(ICursorSubject* subject) {
  FSubject = subject;
  if (subject) subject->Attach(this);
}

void TfrmParticle::WindowClosed() {
  (void)FView.release();  // the window is freeing itself
  delete this;
}

TPoint DrawStartPoint(const TPoint& cursor) {
  TPoint p;
  p.x = cursor.x + Random(60) - 30;
  p.y = cursor.y + Random(60) - 30;
  return p;
}

uint32_t DrawFrameInterval() { return 80u + static_cast<uint32_t>(Random(40)); }
