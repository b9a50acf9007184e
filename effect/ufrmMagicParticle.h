#pragma once
// Magic: eight independent particles, each pulsing in size (x1.7 per frame up to 0.8,
// x0.6 per frame down to 0.1) and jumping near the last cursor point at both turns.
#include <memory>
#include <vector>

#include "effect/ufrmBaseParticle.h"

class TfrmMagicParticle final : public TfrmParticle {
 public:
  TfrmMagicParticle(std::unique_ptr<IParticleImage> picture, TPoint target, uint8_t alpha, long double scale,
                    int32_t index);

  bool Growing = true;

 protected:
  void PrepareFrame() override;
  void FrameDrawn() override;

 private:
  void Jump();
  std::unique_ptr<IParticleImage> FFrame;  // lives for one frame
};

// Re-seeds the generator, then builds and attaches the eight Magic particles (start point,
// sleep, picture, alpha, scale, construction, attach, for each in turn). Returns them in
// creation order; they are owned by nobody and live until the process ends.
std::vector<TfrmMagicParticle*> StartMagicEffect(const TEffectStartContext& context);
