#pragma once
// The one process-wide pseudo-random generator. The order of draws is part of the
// effects' behaviour, so every draw goes through here and tests can script them.
#include <cstdint>

class IRandomSource {
 public:
  virtual ~IRandomSource() = default;
  // A uniform integer from 0 to n - 1; 0 when n <= 0.
  virtual int32_t Next(int32_t n) = 0;
  // Re-seeds from the clock.
  virtual void Reseed() = 0;
};

// Linear congruential generator (multiplier 0x08088405, increment 1), scaled by n
// through the high 32 bits of seed * n. Small, fast and uniform enough for particles.
class TLcgRandom final : public IRandomSource {
 public:
  explicit TLcgRandom(uint32_t seed = 0) : FSeed(seed) {}
  int32_t Next(int32_t n) override;
  void Reseed() override;
  uint32_t Seed() const { return FSeed; }

 private:
  uint32_t FSeed;
};

int32_t Random(int32_t n);
void Randomize();

// Installs another source for the process (tests); returns the previous one.
// nullptr puts back the built-in generator.
IRandomSource* SetRandomSource(IRandomSource* source);
