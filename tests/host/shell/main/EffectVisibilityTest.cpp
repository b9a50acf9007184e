#include <gtest/gtest.h>

#include <vector>

#include "shell/EffectVisibility.h"

namespace {

struct Step {
  enum { Lock, Unlock, Display } What;
  int State;  // for Display
  TVisibilityChange Want;
};

using V = TVisibilityChange;
constexpr int kOff = 0, kOn = 1, kDimmed = 2;

void Walk(const std::vector<Step>& steps) {
  TEffectVisibility v;
  for (size_t i = 0; i < steps.size(); ++i) {
    const Step& s = steps[i];
    const V got = s.What == Step::Lock     ? v.SessionLocked(true)
                  : s.What == Step::Unlock ? v.SessionLocked(false)
                                           : v.DisplayChanged(s.State);
    EXPECT_EQ(got, s.Want) << "step " << i;
  }
}

}  // namespace

TEST(EffectVisibility, HidesOnTheFirstReasonAndShowsWhenTheLastOneGoes) {
  Walk({{Step::Lock, 0, V::Hide}, {Step::Unlock, 0, V::Show}});
  Walk({{Step::Display, kOff, V::Hide}, {Step::Display, kOn, V::Show}});
  // Locked, then the display goes off: still hidden; unlocked in the dark: still hidden;
  // only the display coming on shows the effect again.
  Walk({{Step::Lock, 0, V::Hide},
        {Step::Display, kOff, V::None},
        {Step::Unlock, 0, V::None},
        {Step::Display, kOn, V::Show}});
  Walk({{Step::Display, kOff, V::Hide},
        {Step::Lock, 0, V::None},
        {Step::Display, kOn, V::None},
        {Step::Unlock, 0, V::Show}});
}

TEST(EffectVisibility, RepeatedNoticesDimmedAndUnknownStatesChangeNothing) {
  // The system sends the display state once at registration: on is no change.
  Walk({{Step::Display, kOn, V::None}, {Step::Unlock, 0, V::None}});
  Walk({{Step::Lock, 0, V::Hide},
        {Step::Lock, 0, V::None},
        {Step::Unlock, 0, V::Show},
        {Step::Unlock, 0, V::None}});
  // A dimmed display still shows the particles.
  Walk(
      {{Step::Display, kDimmed, V::None}, {Step::Display, kOff, V::Hide}, {Step::Display, kDimmed, V::Show}});
  Walk({{Step::Display, kOff, V::Hide}, {Step::Display, 7, V::Show}});
}
