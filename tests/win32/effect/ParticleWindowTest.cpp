// Particle windows for real under Wine: styles, never activated, click-through, placed and
// sized by the frame, silent without a picture, no GDI objects left behind by frames.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "effect/uGDIUtils_win.h"
#include "effect/ufrmBaseParticle_win.h"
#include "effect/ufrmFlagParticle.h"
#include "effect/ufrmMagicParticle.h"
#include "host/effect/Fakes.h"
#include "support/ExeDir_win.h"
#include "support/GdiCount_win.h"
#include "support/Pump_win.h"
#include "support/ScriptedRandom.h"

namespace {

LRESULT CALLBACK PlainProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

// An ordinary application window underneath, active and in the foreground.
struct TBelowWindow {
  TBelowWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "EffectTestBelow";
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassA(&wc);
    Handle = CreateWindowExA(0, wc.lpszClassName, "below", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 500,
                             400, nullptr, nullptr, wc.hInstance, nullptr);
    // Under Wine the foreground change goes through the X server: ask again until it is done.
    for (int i = 0; i < 40 && GetForegroundWindow() != Handle; ++i) {
      SetForegroundWindow(Handle);
      PumpMessages(50);
    }
  }
  ~TBelowWindow() { DestroyWindow(Handle); }
  HWND Handle = nullptr;
};

HWND WindowOf(const TfrmParticle& p) { return static_cast<TfrmParticleForm*>(p.View())->Handle(); }

RECT RectOf(const TfrmParticle& p) {
  RECT r{};
  GetWindowRect(WindowOf(p), &r);
  return r;
}

BOOL CALLBACK CountDialogs(HWND w, LPARAM counter) {
  char cls[64] = {};
  GetClassNameA(w, cls, sizeof cls);
  if (IsWindowVisible(w) && std::string(cls) == "#32770") ++*reinterpret_cast<int*>(counter);
  return TRUE;
}

class ParticleWindows : public testing::Test {
 protected:
  void SetUp() override { InstallParticleWindows(); }
  void TearDown() override { SetParticleViewFactory(nullptr); }
};

}  // namespace

TEST_F(ParticleWindows, LayeredClickThroughTopMostToolWindowThatNeverActivates) {
  TBelowWindow below;
  const HWND foreground = GetForegroundWindow();
  ASSERT_EQ(foreground, below.Handle);

  TScriptedRandom script;
  std::unique_ptr<TfrmMagicParticle> p(
      new TfrmMagicParticle(LoadTintedPicture(BallPath()), {200, 150}, 255, 1.0L, 0));
  const HWND wnd = WindowOf(*p);
  ASSERT_NE(wnd, nullptr);
  const LONG ex = GetWindowLongA(wnd, GWL_EXSTYLE);
  for (LONG bit : {LONG(WS_EX_LAYERED), LONG(WS_EX_TRANSPARENT), LONG(WS_EX_TOPMOST), LONG(WS_EX_TOOLWINDOW)})
    EXPECT_EQ(ex & bit, bit) << std::hex << bit;
  EXPECT_TRUE(IsWindowVisible(wnd));
  EXPECT_FALSE(IsIconic(wnd));
  EXPECT_EQ(TfrmParticleForm::ParticleOf(wnd), p.get());
  // Owned by a hidden window, a top-level window all the same: no taskbar button anywhere.
  const HWND owner = GetWindow(wnd, GW_OWNER);
  ASSERT_NE(owner, nullptr);
  EXPECT_FALSE(IsWindowVisible(owner));
  EXPECT_EQ(GetAncestor(wnd, GA_PARENT), GetDesktopWindow());

  for (int i = 0; i < 12; ++i) {
    p->DrawFrame();
    PumpMessages(10);
  }
  PumpMessages(300);  // timer frames too
  EXPECT_EQ(GetForegroundWindow(), foreground);
  EXPECT_NE(GetActiveWindow(), wnd);
  EXPECT_NE(GetFocus(), wnd);
}

TEST_F(ParticleWindows, AfterAFrameSitsAtPositionWithThePictureSizeAndClicksPassThrough) {
  TBelowWindow below;
  TScriptedRandom script;
  std::unique_ptr<TfrmFlagParticle> head(
      new TfrmFlagParticle(LoadTintedPicture(BallPath()), {7, 7}, 255, 0.0L, 0, nullptr));
  head->View()->SetTimerEnabled(false);  // frames by hand only
  // Before its first frame the particle sits at the screen corner with the design size.
  RECT r = RectOf(*head);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);

  head->CursorMoved({240, 180});
  head->DrawFrame();
  PumpMessages(50);
  r = RectOf(*head);
  EXPECT_EQ(r.left, 240);
  EXPECT_EQ(r.top, 180);
  EXPECT_EQ(r.right - r.left, 32);
  EXPECT_EQ(r.bottom - r.top, 32);
  // Over the ball's opaque middle the window beneath is found, not the particle.
  EXPECT_EQ(WindowFromPoint(POINT{256, 196}), below.Handle);
  EXPECT_EQ(
      ChildWindowFromPointEx(GetDesktopWindow(), POINT{256, 196}, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT),
      below.Handle);
}

TEST_F(ParticleWindows, MissingPictureRunsSilentlyAndShowsNothing) {
  TScriptedRandom script;
  std::unique_ptr<TfrmMagicParticle> p(
      new TfrmMagicParticle(LoadTintedPicture("Z:/no/such/ball.png"), {300, 300}, 255, 0.5L, 0));
  for (int i = 0; i < 30; ++i) p->DrawFrame();
  PumpMessages(250);  // and some timer frames
  // It keeps jumping after its target, but its window was never updated.
  EXPECT_NE(p->Position, (TPoint{0, 0}));
  const RECT r = RectOf(*p);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, TfrmParticleForm::kDesignWidth);
  // No message box or other window of ours appeared.
  int dialogs = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountDialogs, reinterpret_cast<LPARAM>(&dialogs));
  EXPECT_EQ(dialogs, 0);
}

TEST_F(ParticleWindows, FramesLeaveNoGdiObjectsBehind) {
  TScriptedRandom script;
  std::unique_ptr<TfrmMagicParticle> magic(
      new TfrmMagicParticle(LoadTintedPicture(BallPath()), {300, 200}, 200, 0.3L, 0));
  std::unique_ptr<TfrmFlagParticle> flag(
      new TfrmFlagParticle(LoadTintedPicture(BallPath()), {400, 200}, 255, 0.0L, 0, nullptr));
  magic->View()->SetTimerEnabled(false);
  flag->View()->SetTimerEnabled(false);
  int drawn = 0;
  auto framesUpTo = [&](int total) {
    for (; drawn < total; drawn += 2) {
      magic->DrawFrame();
      flag->CursorMoved({400 + drawn % 50, 200});
      flag->DrawFrame();
    }
    PumpMessages(20);
  };
  framesUpTo(100);
  const DWORD after100 = GdiObjectsInUse();
  framesUpTo(2000);
  const DWORD after2000 = GdiObjectsInUse();
  // Pumping messages lets the system make a few objects of its own (cached window DCs);
  // a frame that leaked would leave about 1,900 behind.
  EXPECT_LE(after2000, after100 + 16) << after100 << " before, " << after2000 << " after";
  // The measure is real: bitmaps kept alive show in it.
  std::vector<TBitmapHandle> kept;
  for (int i = 0; i < 32; ++i) kept.emplace_back(CreateBitmap(4, 4, 1, 32, nullptr));
  EXPECT_GE(GdiObjectsInUse(), after2000 + 32);
}

TEST_F(ParticleWindows, HeadTimerDrawsTheWholeFlagChainAndAClosedParticleLeavesCleanly) {
  TFakeSubject subject;
  TEffectStartContext context;
  context.Subject = &subject;
  context.LoadPicture = [] { return std::unique_ptr<IParticleImage>(LoadTintedPicture(BallPath())); };
  context.Sleep = [](uint32_t) {};  // the phases do not matter here
  TfrmFlagParticle* head = StartFlagEffect(context);
  std::vector<std::unique_ptr<TfrmFlagParticle>> chain;
  for (TfrmFlagParticle* p = head; p; p = p->Next) chain.emplace_back(p);
  ASSERT_EQ(chain.size(), 8u);

  subject.CursorPos = {300, 260};
  subject.NotifyObservers();
  PumpMessages(700);  // several ticks of the head's timer (80..119 ms)
  RECT r = RectOf(*chain[0]);
  EXPECT_EQ(r.left, 300);
  EXPECT_EQ(r.top, 260);
  for (size_t i = 1; i < chain.size(); ++i) {
    r = RectOf(*chain[i]);
    EXPECT_GT(r.left, 0) << "follower " << i << " flew in";
    EXPECT_EQ(r.right - r.left, 32);
  }

  // A particle closed anyway frees itself, leaves the observer list and the chain.
  TfrmFlagParticle* third = chain[3].release();
  const HWND wnd = WindowOf(*third);
  PostMessageA(wnd, WM_CLOSE, 0, 0);
  PumpMessages(100);
  EXPECT_FALSE(IsWindow(wnd));
  EXPECT_EQ(subject.List.Count(), 7u);
  EXPECT_EQ(chain[2]->Next, chain[4].get());
  subject.CursorPos = {350, 300};
  subject.NotifyObservers();
  PumpMessages(400);
  EXPECT_EQ(RectOf(*chain[0]).left, 350);
  chain.erase(chain.begin() + 3);
}
