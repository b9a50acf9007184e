#pragma once
// Flag: eight particles in a chain. The head sits on the cursor point; every other particle
// eases toward 30 pixels right of the one before it, keeping 7/10 of its offset per frame.
// Only the head's timer runs: its tick draws the whole chain, head first.
#include <cstdint>
#include <memory>

#include "effect/ufrmBaseParticle.h"

class TfrmFlagParticle final : public TfrmParticle {
 public:
  TfrmFlagParticle(std::unique_ptr<IParticleImage> picture, TPoint target, uint8_t alpha,
                   long double scale, int32_t index, TfrmFlagParticle* previous);
  // A particle closed anyway leaves the chain joined around it, never a dangling link.
  ~TfrmFlagParticle() override;

  TfrmFlagParticle* Previous = nullptr;
  TfrmFlagParticle* Next = nullptr;

 protected:
  void PrepareFrame() override;
  void FrameDrawn() override;
};

inline constexpr int32_t kFlagSpacing = 30;

// One easing step of a follower's offset d from its resting spot: 7 * d / 10, truncated
// toward zero (so 1 and -1 end at 0 and nothing overshoots).
int32_t EaseOffset(int32_t d);

// Re-seeds the generator, then builds, attaches and links the eight Flag particles.
// Returns the head; the chain follows through Next.
TfrmFlagParticle* StartFlagEffect(const TEffectStartContext& context);
