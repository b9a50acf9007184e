#pragma once
// Stand-ins for the platform side of a particle: a picture that only has a size and
// records the thumbnails asked of it, and a view that records what it is told to do.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "effect/ufrmBaseParticle.h"
#include "support/FakeSubject.h"

class TFakeImage final : public IParticleImage {
 public:
  TFakeImage(uint32_t w, uint32_t h, std::vector<std::pair<uint32_t, uint32_t>>* requests = nullptr)
      : FW(w), FH(h), FRequests(requests) {}
  uint32_t Width() const override { return FW; }
  uint32_t Height() const override { return FH; }
  std::unique_ptr<IParticleImage> Thumbnail(uint32_t w, uint32_t h) const override {
    if (FRequests) FRequests->push_back({w, h});
    return std::make_unique<TFakeImage>(w, h);
  }

 private:
  uint32_t FW, FH;
  std::vector<std::pair<uint32_t, uint32_t>>* FRequests;
};

struct TPresented {
  int32_t Index;  // which particle
  uint32_t Width, Height;
  TPoint Position;
  uint8_t Alpha;
};

// Shared by every view made while it is installed.
struct TViewLog {
  std::vector<std::string> Calls;  // "layered", "show", "interval", "enabled", "disabled"
  std::vector<TPresented> Presented;
};

class TRecordingView final : public IParticleView {
 public:
  TRecordingView(TfrmParticle& particle, TViewLog& log) : FParticle(particle), FLog(log) {}
  void MakeLayered() override { FLog.Calls.push_back("layered"); }
  void ShowNoActivate() override { FLog.Calls.push_back("show"); }
  void Present(const IParticleImage& image, TPoint position, uint8_t alpha) override {
    FLog.Presented.push_back({FParticle.Index, image.Width(), image.Height(), position, alpha});
  }
  void SetTimerInterval(uint32_t ms) override {
    FLog.Calls.push_back("interval");
    Interval = ms;
  }
  uint32_t TimerInterval() const override { return Interval; }
  void SetTimerEnabled(bool enabled) override {
    FLog.Calls.push_back(enabled ? "enabled" : "disabled");
    Enabled = enabled;
  }
  bool TimerEnabled() const override { return Enabled; }

  uint32_t Interval = kStoredTimerInterval;
  bool Enabled = true;

 private:
  TfrmParticle& FParticle;
  TViewLog& FLog;
};

// Installs recording views for the particles built during its lifetime.
class TRecordingViews {
 public:
  TRecordingViews() {
    FPrevious = SetParticleViewFactory([this](TfrmParticle& p) -> std::unique_ptr<IParticleView> {
      return std::make_unique<TRecordingView>(p, Log);
    });
  }
  ~TRecordingViews() { SetParticleViewFactory(std::move(FPrevious)); }
  TRecordingViews(const TRecordingViews&) = delete;
  TRecordingViews& operator=(const TRecordingViews&) = delete;

  static TRecordingView& Of(const TfrmParticle& p) { return static_cast<TRecordingView&>(*p.View()); }

  TViewLog Log;

 private:
  TParticleViewFactory FPrevious;
};
