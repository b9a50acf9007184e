#include "effect/ufrmMagicParticle.h"

#include "effect/uRandom.h"

namespace {
// Products are formed in extended precision and stored back in single precision.
constexpr long double kGrowth = 1.7L;
constexpr long double kShrink = 0.6L;
constexpr long double kUpperTurn = 0.8L;
constexpr long double kLowerTurn = 0.1L;
constexpr float kRestartScale = 0.1f;
}  // namespace

TfrmMagicParticle::TfrmMagicParticle(std::unique_ptr<IParticleImage> picture, TPoint target, uint8_t alpha,
                                     long double scale, int32_t index)
    : TfrmParticle(std::move(picture), target, alpha, scale, index) {
  const uint32_t interval = DrawFrameInterval();
  if (View()) View()->SetTimerInterval(interval);
}

void TfrmMagicParticle::PrepareFrame() {
  FFrame = ScaledCopy(*Picture, Scale);
  FrameImage = FFrame.get();
  if (Scale == 0.0f) Scale = kRestartScale;
  if (Growing) {
    Scale = static_cast<float>(static_cast<long double>(Scale) * kGrowth);
    if (static_cast<long double>(Scale) < kUpperTurn) return;
    Growing = false;
  } else {
    Scale = static_cast<float>(static_cast<long double>(Scale) * kShrink);
    if (static_cast<long double>(Scale) > kLowerTurn) return;
    Growing = true;
    Scale = kRestartScale;
  }
  Jump();
}

void TfrmMagicParticle::Jump() {
  // The size of the picture drawn in this frame, so its centre lands near the target.
  Position.x = Target.x + Random(60) - 30 - static_cast<int32_t>(FrameImage->Width() / 2);
  Position.y = Target.y + Random(60) - 30 - static_cast<int32_t>(FrameImage->Height() / 2);
}

void TfrmMagicParticle::FrameDrawn() {
  FrameImage = nullptr;
  FFrame.reset();
}

std::vector<TfrmMagicParticle*> StartMagicEffect(const TEffectStartContext& context) {
  Randomize();
  std::vector<TfrmMagicParticle*> particles;
  for (int32_t i = 0; i < kParticlesPerEffect; ++i) {
    const TPoint start = DrawStartPoint(context.CursorPos);
    context.Sleep(static_cast<uint32_t>(Random(200)));
    auto picture = context.LoadPicture();
    const auto alpha = static_cast<uint8_t>(Random(255));
    const long double scale = static_cast<long double>(Random(9)) / 9.0L;
    auto* particle = new TfrmMagicParticle(std::move(picture), start, alpha, scale, i);
    particle->AttachTo(context.Subject);
    particles.push_back(particle);
  }
  return particles;
}
