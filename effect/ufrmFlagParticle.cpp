#include "effect/ufrmFlagParticle.h"

#include "effect/uRandom.h"

int32_t EaseOffset(int32_t d) {
  // Integer arithmetic: 0.7 * 90 in doubles is 62.99..., which would truncate to 62.
  return static_cast<int32_t>(7 * static_cast<int64_t>(d) / 10);
}

TfrmFlagParticle::TfrmFlagParticle(std::unique_ptr<IParticleImage> picture, TPoint target, uint8_t alpha,
                                   long double scale, int32_t index, TfrmFlagParticle* previous)
    : TfrmParticle(std::move(picture), target, alpha, scale, index), Previous(previous) {
  FrameImage = Picture.get();
  if (index > 0 && View()) View()->SetTimerEnabled(false);
  const uint32_t interval = DrawFrameInterval();  // drawn for the stopped ones too
  if (View()) View()->SetTimerInterval(interval);
}

TfrmFlagParticle::~TfrmFlagParticle() {
  if (Previous) Previous->Next = Next;
  if (Next) Next->Previous = Previous;
}

void TfrmFlagParticle::PrepareFrame() {
  FrameImage = Picture.get();
  if (!Previous) {
    Position = Target;
    return;
  }
  const TPoint p = Previous->Position;
  Position.x = p.x + kFlagSpacing + EaseOffset(Position.x - p.x - kFlagSpacing);
  Position.y = p.y + EaseOffset(Position.y - p.y);
}

void TfrmFlagParticle::FrameDrawn() {
  if (Next) Next->DrawFrame();
  // The head's frame returns once the whole chain is drawn: at rest, its ticks would only
  // draw the same pictures at the same places again, so they stop until the cursor moves.
  if (!Previous && ChainAtRest(*this)) {
    FResting = true;
    SetTicking(false);
  }
}

void TfrmFlagParticle::CursorMoved(const TPoint& point) {
  const bool moved = !(point == Target);
  TfrmParticle::CursorMoved(point);
  if (FResting && moved) {
    FResting = false;
    SetTicking(true);
  }
}

bool ChainAtRest(const TfrmFlagParticle& head) {
  if (!(head.Position == head.Target)) return false;
  for (const TfrmFlagParticle* p = head.Next; p; p = p->Next) {
    const TPoint spot{p->Previous->Position.x + kFlagSpacing, p->Previous->Position.y};
    if (!(p->Position == spot)) return false;
  }
  return true;
}

TfrmFlagParticle* StartFlagEffect(const TEffectStartContext& context) {
  Randomize();
  TfrmFlagParticle* head = nullptr;
  TfrmFlagParticle* previous = nullptr;
  for (int32_t i = 0; i < kParticlesPerEffect; ++i) {
    const TPoint start = DrawStartPoint(context.CursorPos);
    context.Sleep(static_cast<uint32_t>(Random(200)));
    auto picture = context.LoadPicture();
    auto* particle = new TfrmFlagParticle(std::move(picture), start, 255, 0.0L, i, previous);
    particle->AttachTo(context.Subject);
    if (previous) previous->Next = particle;
    previous = particle;
    if (!head) head = particle;
  }
  return head;
}
