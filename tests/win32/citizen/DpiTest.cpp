// Particle windows live in physical pixels, like the hook's points: made and moved in a
// per-monitor thread DPI context, also in a system-aware program, also at high DPI and
// at negative coordinates.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "CitizenSupport.h"
#include "effect/PhysicalPixels_win.h"
#include "effect/uGDIUtils_win.h"
#include "effect/ufrmBaseParticle_win.h"
#include "effect/ufrmFlagParticle.h"
#include "host/effect/Fakes.h"
#include "support/Pump_win.h"
#include "support/ScriptedRandom.h"

namespace {

// A stand-in for SetThreadDpiAwarenessContext that accepts only the contexts listed and
// records every call.
struct TFakeSetter {
  static inline std::vector<LONG_PTR> Accepted;
  static inline std::vector<LONG_PTR> Calls;
  static HANDLE WINAPI Set(HANDLE context) {
    const auto value = reinterpret_cast<LONG_PTR>(context);
    Calls.push_back(value);
    for (LONG_PTR a : Accepted)
      if (a == value) return reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(0x111));  // "the previous one"
    return nullptr;
  }
};

// The thread in a chosen DPI context for a test's lifetime.
class TThreadContext {
 public:
  explicit TThreadContext(LONG_PTR context) {
    if (auto set = SystemSetThreadDpiContext()) FPrevious = set(reinterpret_cast<HANDLE>(context));
  }
  ~TThreadContext() {
    if (FPrevious) SystemSetThreadDpiContext()(FPrevious);
  }
  TThreadContext(const TThreadContext&) = delete;
  TThreadContext& operator=(const TThreadContext&) = delete;

 private:
  HANDLE FPrevious = nullptr;
};

constexpr LONG_PTR kUnawareContext = -1;
constexpr LONG_PTR kSystemAwareContext = -2;

HWND WindowOf(const TfrmParticle& p) { return static_cast<TfrmParticleForm*>(p.View())->Handle(); }

// The window's rectangle in physical pixels.
RECT PhysicalRect(HWND wnd) {
  TPhysicalPixelsScope physical;
  RECT r{};
  GetWindowRect(wnd, &r);
  return r;
}

// Real particle windows for the particles built during the guard's life.
struct TParticleWindows {
  TParticleWindows() { InstallParticleWindows(); }
  ~TParticleWindows() { SetParticleViewFactory(nullptr); }
};

std::unique_ptr<IParticleImage> LoadBall() { return LoadTintedPicture(BallPath()); }

struct TFlagChain {
  explicit TFlagChain(TPoint cursor) {
    Subject.CursorPos = cursor;
    TEffectStartContext context{cursor, &Subject, [] { return LoadBall(); }, [](uint32_t) {}};
    Head = StartFlagEffect(context);
    for (TfrmFlagParticle* p = Head; p; p = p->Next) Items.push_back(p);
  }
  ~TFlagChain() {
    // Tail first, so no particle's neighbours are gone before it.
    for (auto it = Items.rbegin(); it != Items.rend(); ++it) delete *it;
  }
  // The cursor stays at the point: the chain comes to rest.
  void Settle() {
    Subject.NotifyObservers();
    for (int tick = 0; tick < 40; ++tick) Head->DrawFrame();
    PumpMessages(200);
  }
  TFakeSubject Subject;
  TfrmFlagParticle* Head = nullptr;
  std::vector<TfrmFlagParticle*> Items;
};

}  // namespace

TEST(PhysicalPixelsScope, TriesVersionTwoThenOneAndRestoresWhatWasThere) {
  struct TCase {
    std::vector<LONG_PTR> Accepted;
    TThreadDpiMode Mode;
    std::vector<LONG_PTR> Calls;  // during the scope and at its end
  };
  const TCase cases[] = {
      {{-4, -3, 0x111}, TThreadDpiMode::PerMonitorV2, {-4, 0x111}},
      {{-3, 0x111}, TThreadDpiMode::PerMonitor, {-4, -3, 0x111}},  // before Windows 10 1703
      {{}, TThreadDpiMode::Unchanged, {-4, -3}},                   // nothing to restore
  };
  for (const TCase& c : cases) {
    TFakeSetter::Accepted = c.Accepted;
    TFakeSetter::Calls.clear();
    {
      TPhysicalPixelsScope scope(&TFakeSetter::Set);
      EXPECT_EQ(scope.Mode(), c.Mode);
    }
    EXPECT_EQ(TFakeSetter::Calls, c.Calls);
  }
  // Before Windows 10 the function is missing: the process's own awareness applies.
  TPhysicalPixelsScope missing(nullptr);
  EXPECT_EQ(missing.Mode(), TThreadDpiMode::Unchanged);
}

TEST(PhysicalPixelsScope, SwitchesThisThreadToPerMonitorAndBack) {
  if (!SystemSetThreadDpiContext()) GTEST_SKIP() << "the system cannot switch a thread's DPI awareness";
  TThreadContext system(kSystemAwareContext);
  ASSERT_EQ(ThreadAwareness(), kAwarenessSystem);
  {
    TPhysicalPixelsScope physical;
    EXPECT_NE(physical.Mode(), TThreadDpiMode::Unchanged);
    EXPECT_EQ(ThreadAwareness(), kAwarenessPerMonitor);
  }
  EXPECT_EQ(ThreadAwareness(), kAwarenessSystem);
}

TEST(ParticleDpi, ParticleWindowsArePerMonitorAwareInASystemAwareThread) {
  if (!SystemSetThreadDpiContext()) GTEST_SKIP() << "the system cannot switch a thread's DPI awareness";
  TScriptedRandom script;
  TParticleWindows windows;
  TThreadContext system(kSystemAwareContext);
  std::unique_ptr<TfrmFlagParticle> p(new TfrmFlagParticle(LoadBall(), {10, 10}, 255, 0.0L, 0, nullptr));
  EXPECT_EQ(WindowAwareness(WindowOf(*p)), kAwarenessPerMonitor);
  // The program's other windows keep the thread's awareness.
  EXPECT_EQ(ThreadAwareness(), kAwarenessSystem);
  HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(WindowAwareness(other), kAwarenessSystem);
  DestroyWindow(other);
}

TEST(ParticleDpi, ParticleGoesToNegativeCoordinatesAsTheyAre) {
  TScriptedRandom script;
  TParticleWindows windows;
  TFlagChain chain({-500, -300});
  chain.Settle();
  for (size_t i = 0; i < chain.Items.size(); ++i) {
    const RECT r = PhysicalRect(WindowOf(*chain.Items[i]));
    EXPECT_EQ(r.left, -500 + 30 * static_cast<LONG>(i)) << i;
    EXPECT_EQ(r.top, -300) << i;
    EXPECT_EQ(r.right - r.left, 32) << i;
  }
}

TEST_F(HighDpi, FlagChainRestsOnTheCursorInThirtyPixelStepsOfPhysicalPixels) {
  TScriptedRandom script;
  TParticleWindows windows;
  TThreadContext system(kSystemAwareContext);  // as the program runs, by its manifest
  const TPoint cursor{300, 200};
  TFlagChain chain(cursor);
  chain.Settle();
  ASSERT_EQ(chain.Items.size(), 8u);

  HDC screen = GetDC(nullptr);
  const COLORREF background = GetPixel(screen, cursor.x + 30 * 8 + 40, cursor.y + 16);
  for (size_t i = 0; i < chain.Items.size(); ++i) {
    SCOPED_TRACE(i);
    HWND wnd = WindowOf(*chain.Items[i]);
    EXPECT_EQ(WindowAwareness(wnd), kAwarenessPerMonitor);
    // The same row as at 96 DPI, and the picture at its own pixel size, not scaled up.
    const RECT r = PhysicalRect(wnd);
    EXPECT_EQ(r.left, cursor.x + 30 * static_cast<LONG>(i));
    EXPECT_EQ(r.top, cursor.y);
    EXPECT_EQ(r.right - r.left, 32);
    EXPECT_EQ(r.bottom - r.top, 32);
    // And on screen there: the ball's middle is drawn at the physical point.
    EXPECT_NE(GetPixel(screen, r.left + 16, r.top + 16), background);
  }
  ReleaseDC(nullptr, screen);

  // A DPI-unaware caller is told the scaled-down place: the system knows the particle's
  // coordinates are physical ones.
  {
    TThreadContext unaware(kUnawareContext);
    RECT r{};
    GetWindowRect(WindowOf(*chain.Items[1]), &r);
    EXPECT_EQ(r.left, MulDiv(cursor.x + 30, 96, Dpi));
    EXPECT_EQ(r.top, MulDiv(cursor.y, 96, Dpi));
  }
}
