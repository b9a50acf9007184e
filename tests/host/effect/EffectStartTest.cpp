#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Fakes.h"
#include "effect/ufrmFlagParticle.h"
#include "effect/ufrmMagicParticle.h"
#include "support/ScriptedRandom.h"

namespace {

// A main window stand-in: records sleeps and picture loads into one event list, and loads
// a picture the way the main window does (a fresh image, then the three tint draws).
struct TStartHarness {
  TStartHarness() {
    Context.CursorPos = {200, 100};
    Context.Subject = &Subject;
    Context.Sleep = [this](uint32_t ms) { Events.push_back("sleep " + std::to_string(ms)); };
    Context.LoadPicture = [this]() -> std::unique_ptr<IParticleImage> {
      Events.push_back("picture");
      const TTint tint = DrawTint();
      Tints.push_back(tint);
      return std::make_unique<TFakeImage>(32, 32);
    };
  }
  TEffectStartContext Context;
  TFakeSubject Subject;
  std::vector<std::string> Events;
  std::vector<TTint> Tints;
};

}  // namespace

TEST(MagicStart, DrawsInOrderAndBuildsEightAttachedParticles) {
  TRecordingViews views;
  // Per particle: x, y, sleep, blue, green, red, alpha, scale, then the interval at construction.
  std::vector<int> answers;
  for (int i = 0; i < 8; ++i) {
    const std::vector<int> one{i, 59 - i, 10 * i, 1 + i, 2 + i, 3 + i, 100 + i, i, 39 - i};
    answers.insert(answers.end(), one.begin(), one.end());
  }
  TScriptedRandom script(answers);
  TStartHarness h;
  const auto particles = StartMagicEffect(h.Context);

  EXPECT_EQ(script.Reseeds, 1);
  std::vector<int> ranges;
  for (int i = 0; i < 8; ++i) ranges.insert(ranges.end(), {60, 60, 200, 255, 255, 255, 255, 9, 40});
  EXPECT_EQ(script.Ranges, ranges);

  ASSERT_EQ(particles.size(), 8u);
  ASSERT_EQ(h.Subject.List.Count(), 8u);
  for (int i = 0; i < 8; ++i) {
    const TfrmMagicParticle& p = *particles[i];
    EXPECT_EQ(h.Subject.List.Items(i), &p) << "attached in creation order";
    EXPECT_EQ(p.Index, i);
    EXPECT_EQ(p.Target, (TPoint{200 + i - 30, 100 + 59 - i - 30}));
    EXPECT_EQ(p.Position, (TPoint{0, 0}));
    EXPECT_EQ(p.Alpha, 100 + i);
    EXPECT_EQ(p.Scale, static_cast<float>(i / 9.0L));
    EXPECT_TRUE(p.Growing);
    EXPECT_EQ(TRecordingViews::Of(p).TimerInterval(), 80u + 39u - i);
    EXPECT_TRUE(TRecordingViews::Of(p).TimerEnabled());
    EXPECT_EQ(h.Events[2 * i], "sleep " + std::to_string(10 * i));
    EXPECT_EQ(h.Events[2 * i + 1], "picture");
    EXPECT_EQ(h.Tints[i].Blue, 1 + i);
    EXPECT_EQ(h.Tints[i].Red, 3 + i);
  }
  // A cursor message now reaches all eight.
  h.Subject.CursorPos = {640, 480};
  h.Subject.NotifyObservers();
  for (auto* p : particles) EXPECT_EQ(p->Target, (TPoint{640, 480}));
  for (auto* p : particles) delete p;
  EXPECT_EQ(h.Subject.List.Count(), 0u);
}

TEST(FlagStart, DrawsInOrderAndBuildsAnOpaqueLinkedChain) {
  TRecordingViews views;
  std::vector<int> answers;
  for (int i = 0; i < 8; ++i) {
    const std::vector<int> one{30, 30, 199, 0, 0, 0, i};
    answers.insert(answers.end(), one.begin(), one.end());
  }
  TScriptedRandom script(answers);
  TStartHarness h;
  h.Context.CursorPos = {0, 0};  // at start-up no cursor point has been read yet
  TfrmFlagParticle* head = StartFlagEffect(h.Context);

  EXPECT_EQ(script.Reseeds, 1);
  std::vector<int> ranges;
  for (int i = 0; i < 8; ++i) ranges.insert(ranges.end(), {60, 60, 200, 255, 255, 255, 40});
  EXPECT_EQ(script.Ranges, ranges);

  ASSERT_NE(head, nullptr);
  EXPECT_EQ(head->Previous, nullptr);
  std::vector<TfrmFlagParticle*> chain;
  for (TfrmFlagParticle* p = head; p; p = p->Next) chain.push_back(p);
  ASSERT_EQ(chain.size(), 8u);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(chain[i]->Index, i);
    EXPECT_EQ(chain[i]->Alpha, 255);
    EXPECT_EQ(chain[i]->Target, (TPoint{0, 0}));
    EXPECT_EQ(h.Subject.List.Items(i), chain[i]);
    if (i > 0) EXPECT_EQ(chain[i]->Previous, chain[i - 1]);
    EXPECT_EQ(TRecordingViews::Of(*chain[i]).TimerEnabled(), i == 0);
    EXPECT_EQ(TRecordingViews::Of(*chain[i]).TimerInterval(), 80u + i);
    EXPECT_EQ(h.Events[2 * i], "sleep 199");
  }
  // The followers sit at the screen corner and fly in over the first frames.
  head->DrawFrame();
  EXPECT_EQ(views.Log.Presented.size(), 8u);
  for (auto* p : chain) delete p;
}
