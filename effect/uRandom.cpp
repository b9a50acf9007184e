#include "effect/uRandom.h"

#include <chrono>

int32_t TLcgRandom::Next(int32_t n) {
  FSeed = FSeed * 0x08088405u + 1u;
  if (n <= 0) return 0;
  return static_cast<int32_t>((static_cast<uint64_t>(FSeed) * static_cast<uint32_t>(n)) >> 32);
}

void TLcgRandom::Reseed() {
  const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  FSeed = static_cast<uint32_t>(ticks) ^ static_cast<uint32_t>(static_cast<uint64_t>(ticks) >> 32);
}

namespace {
TLcgRandom gBuiltIn;
IRandomSource* gSource = &gBuiltIn;
}  // namespace

int32_t Random(int32_t n) { return gSource->Next(n); }
void Randomize() { gSource->Reseed(); }

IRandomSource* SetRandomSource(IRandomSource* source) {
  IRandomSource* previous = gSource == &gBuiltIn ? nullptr : gSource;
  gSource = source ? source : &gBuiltIn;
  return previous;
}
