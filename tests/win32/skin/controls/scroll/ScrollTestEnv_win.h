#pragma once
// What the scroll-bar tests share: the control test environment with the scroll strips
// replaced by solid frames, the covered native bar as the system reports it, and the
// skinned parts read back from the screen.
#include <functional>
#include <string>
#include <vector>

#include "skin/controls/SkinScroll.h"
#include "tests/win32/skin/controls/base/ControlTestEnv_win.h"
#include "ui/ExtCtrls.h"

namespace scrolltest {

using controltest::SolidElement;

// Frame f (1-based) of the 23-frame arrow strip.
inline COLORREF ArrowColour(int f) { return RGB(8 * f, 40, 240 - 8 * f); }
inline COLORREF TrackColour(int f) { return RGB(20, 100 + 30 * f, 20); }
inline COLORREF ThumbColour(int f) { return RGB(240 - 60 * f, 30, 30); }

// The native bar of a window (OBJID_VSCROLL / OBJID_HSCROLL) as the system reports it.
inline SCROLLBARINFO NativeBar(HWND wnd, LONG object) {
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  GetScrollBarInfo(wnd, object, &info);
  return info;
}

// The thumb as painted: the first and one-past-last pixel of the thumb's colour along the
// middle of the bar window, read from its DC (-1, -1 when there is none).
inline TThumbExtent PaintedThumb(TWScrollbar& bar, int frame = 1) {
  HWND w = bar.Handle();
  UpdateWindow(w);
  RECT r;
  GetClientRect(w, &r);
  const bool vertical = bar.Vertical();
  const int length = vertical ? r.bottom : r.right;
  const int across = (vertical ? r.right : r.bottom) / 2;
  WindowDc dc(w);
  int start = -1, end = -1;
  for (int i = 0; i < length; ++i) {
    const COLORREF c = vertical ? GetPixel(dc.get(), across, i) : GetPixel(dc.get(), i, across);
    if (c == ThumbColour(frame)) {
      if (start < 0) start = i;
      end = i + 1;
    }
  }
  return {start, end};
}

struct ScrollTest : controltest::ControlTest {
  void SetUp() override {
    ControlTest::SetUp();
    const int arrow = GetSystemMetrics(SM_CXHSCROLL);
    ISkinPlatform& p = Main->Platform();
    Main->Scrollbar = SolidElement<TDataSkinObject>(p, "Scrollbar", 23, arrow, arrow, ArrowColour);
    Main->HorzScroll = SolidElement<TDataSkinObject>(p, "HorzScroll", 4, arrow, arrow, TrackColour);
    Main->VertScroll = SolidElement<TDataSkinObject>(p, "VertScroll", 4, arrow, arrow, TrackColour);
    Main->HorzScrollThumb = SolidElement<TDataSkinObject>(p, "HorzScrollThumb", 3, arrow, arrow, ThumbColour);
    Main->VertScrollThumb = SolidElement<TDataSkinObject>(p, "VertScrollThumb", 3, arrow, arrow, ThumbColour);
  }
  // The handler the pass gave a control, as a scroll-bar handler.
  template <class H = TSkinScrollbar>
  H* ScrollHandlerOf(TSkinForm& form, const void* control) {
    return dynamic_cast<H*>(HandlerOf(form, control));
  }
  // A horizontal scroll-bar control of the system's thickness at (10, 10) on the form.
  TScrollBar* AddScrollBar(int width, int position = 0, bool enabled = true) {
    auto* bar = Add<TScrollBar>(10, 10, width, GetSystemMetrics(SM_CYHSCROLL));
    bar->SetPosition(position);
    bar->SetEnabled(enabled);
    return bar;
  }
  // A memo of 200 lines with a vertical bar on a new shown form; answers the skinned bar
  // over it, or null.
  TWScrollbar* LongMemoBar(int height, TMemo*& memo) {
    MakeForm();
    memo = Add<TMemo>(10, 10, 160, height);
    memo->ScrollBars = ssVertical;
    memo->SetLines(Lines(200));
    TSkinScrollbar* h = ShowFormFor<TSkinScrollbar>(memo);
    return h ? h->VertBar() : nullptr;
  }
  static std::vector<std::string> Lines(int n) {
    std::vector<std::string> lines;
    for (int i = 1; i <= n; ++i) lines.push_back("Line " + std::to_string(i));
    return lines;
  }
};

// Runs `probe` inside the system's scroll loop, when that loop meets a message for which
// `when` answers true (before the loop handles it). Several may be active at once.
class TScrollLoopProbe {
 public:
  TScrollLoopProbe(std::function<bool(const MSG&)> when, std::function<void()> probe)
      : FWhen(std::move(when)), FProbe(std::move(probe)) {
    if (Active().empty()) HookHandle() = SetWindowsHookExA(WH_MSGFILTER, Hook, nullptr, GetCurrentThreadId());
    Active().push_back(this);
  }
  ~TScrollLoopProbe() {
    std::erase(Active(), this);
    if (Active().empty() && HookHandle()) {
      UnhookWindowsHookEx(HookHandle());
      HookHandle() = nullptr;
    }
  }
  TScrollLoopProbe(const TScrollLoopProbe&) = delete;
  TScrollLoopProbe& operator=(const TScrollLoopProbe&) = delete;
  int Runs = 0;

 private:
  static std::vector<TScrollLoopProbe*>& Active() {
    static std::vector<TScrollLoopProbe*> list;
    return list;
  }
  static HHOOK& HookHandle() {
    static HHOOK hook = nullptr;
    return hook;
  }
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_SCROLLBAR) {
      const MSG& m = *reinterpret_cast<MSG*>(lParam);
      for (TScrollLoopProbe* p : std::vector<TScrollLoopProbe*>(Active()))
        if (p->FWhen(m)) {
          ++p->Runs;
          p->FProbe();
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  std::function<bool(const MSG&)> FWhen;
  std::function<void()> FProbe;
};

}  // namespace scrolltest
