#pragma once
// Flag: eight particles in a chain. The head sits on the cursor point; every other particle
// eases toward 30 pixels right of the one before it, keeping 7/10 of its offset per frame.
// Only the head's timer runs: its tick draws the whole chain, head first.
#include <cstdint>
#include <memory>

#include "effect/ufrmBaseParticle.h"

class TfrmFlagParticle final : public TfrmParticle {
 public:
  TfrmFlagParticle(std::unique_ptr<IParticleImage> picture, TPoint target, uint8_t alpha, long double scale,
                   int32_t index, TfrmFlagParticle* previous);
  // A particle closed anyway leaves the chain joined around it, never a dangling link.
  ~TfrmFlagParticle() override;

  // A new target wakes a chain at rest.
  void CursorMoved(const TPoint& point) override;

  TfrmFlagParticle* Previous = nullptr;
  TfrmFlagParticle* Next = nullptr;
  // The head only: the chain came to rest and its timer stopped; the next frame would
  // draw every picture where it already is.
  bool Resting() const noexcept { return FResting; }

 protected:
  void PrepareFrame() override;
  void FrameDrawn() override;

 private:
  bool FResting = false;
};

// Whether the chain from this head is at rest: the head on its target and every follower on
// its spot 30 pixels right of the one before, so a frame would change nothing.
bool ChainAtRest(const TfrmFlagParticle& head);

inline constexpr int32_t kFlagSpacing = 30;

// One easing step of a follower's offset d from its resting spot: 7 * d / 10, truncated
// toward zero (so 1 and -1 end at 0 and nothing overshoots).
int32_t EaseOffset(int32_t d);

// Re-seeds the generator, then builds, attaches and links the eight Flag particles.
// Returns the head; the chain follows through Next.
TfrmFlagParticle* StartFlagEffect(const TEffectStartContext& context);
