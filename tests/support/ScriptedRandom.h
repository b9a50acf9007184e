#pragma once
// Replaces the process-wide generator for one test: answers the scripted values in order
// and records every draw's range, so a test can check the exact order of draws.
#include <cstddef>
#include <stdexcept>
#include <vector>

#include "effect/uRandom.h"

class TScriptedRandom final : public IRandomSource {
 public:
  explicit TScriptedRandom(std::vector<int> answers = {}) : FAnswers(std::move(answers)) {
    FPrevious = SetRandomSource(this);
  }
  ~TScriptedRandom() override { SetRandomSource(FPrevious); }
  TScriptedRandom(const TScriptedRandom&) = delete;
  TScriptedRandom& operator=(const TScriptedRandom&) = delete;

  int32_t Next(int32_t n) override {
    Ranges.push_back(n);
    if (FNext >= FAnswers.size()) return n > 0 ? n - 1 : 0;  // past the script: the top value
    const int v = FAnswers[FNext++];
    if (v < 0 || (n > 0 && v >= n)) throw std::out_of_range("scripted draw outside 0..n-1");
    return v;
  }
  void Reseed() override { ++Reseeds; }

  std::vector<int> Ranges;  // the n of every draw, in order
  int Reseeds = 0;

 private:
  std::vector<int> FAnswers;
  std::size_t FNext = 0;
  IRandomSource* FPrevious = nullptr;
};
