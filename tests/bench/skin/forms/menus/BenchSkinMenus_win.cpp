// Painting one open popup menu of 10 items: the skinned menu (frame and background from the
// popup handler, every item owner-drawn over the skin's MenuItem image) against the system
// painting the same menu with no skin engine installed, both in one run. Each side is timed
// as a whole-window WM_PRINT into a memory bitmap while the menu shows.
#include <windows.h>

#include <cstdio>
#include <memory>

#include "bench/BenchHarness.h"
#include "skin/data/SkinData_win.h"
#include "skin/forms/FormSkin.h"
#include "support/BuiltinSkin_win.h"
#include "support/MenuItems_win.h"
#include "support/MenuWindows_win.h"
#include "support/Pump_win.h"
#include "ui/Forms.h"
#include "ui/Menus.h"

namespace {

const char* const Captions[10] = {"Magic", "Flag", "ChooseImage (.PNG)", "-", "Option", "-", "Help", "About",
                                  "-",     "Exit"};

void AddItems(TPopupMenu& menu, TComponent* owner) {
  for (const char* caption : Captions) AddMenuItem(owner, menu.Items(), caption);
}

// Times WM_PRINT of the menu window from a timer the menu's own loop dispatches.
struct TPrintBench {
  int Ticks = 0;
  bool Done = false;
  TBenchResult Result;
  SIZE Size{};

  void OnTick() {
    HWND menu = TopMenuWindow();
    if (++Ticks > 100 || Done) {
      EndMenu();
      return;
    }
    if (!menu || Ticks < 3) return;
    RECT r{};
    GetWindowRect(menu, &r);
    Size = {r.right - r.left, r.bottom - r.top};
    HDC screen = GetDC(nullptr);
    HBITMAP target = CreateCompatibleBitmap(screen, Size.cx, Size.cy);
    HDC mem = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(mem, target);
    Result = Bench([&] {
      SendMessageA(menu, WM_PRINT, reinterpret_cast<WPARAM>(mem),
                   PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
    });
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(target);
    Done = true;
    EndMenu();
  }
};

TPrintBench TimeOpenMenu(TPopupMenu& menu) {
  TPrintBench b;
  RunWithTicks(
      30, [&] { b.OnTick(); }, [&] { menu.Popup(200, 150); });
  return b;
}

}  // namespace

int main() {
  // The system alone: no engine, no hook, the menu drawn as it comes.
  TPopupMenu plain(nullptr);
  AddItems(plain, &plain);
  const TPrintBench system = TimeOpenMenu(plain);

  // The skinned program: the engine, the built-in skin, a shown form owning the menu.
  InstallSkinEngine();
  auto data = std::make_unique<TSkinData>(nullptr);
  LoadBuiltinSkin(*data);
  auto* form = new TForm(nullptr);
  form->SetClientSize(200, 100);
  auto* menu = new TPopupMenu(form);
  AddItems(*menu, form);
  form->Show();
  SetActiveWindow(form->Handle());
  PumpMessages(50);
  if (!menu->OwnerDraw() || data->NoSkin || !data->MenuItem || !data->MenuBackground) {
    std::printf("the form's menu is not skinned: nothing to compare\n");
    return 1;
  }
  const TPrintBench skinned = TimeOpenMenu(*menu);
  delete form;
  data.reset();
  FreeSkinManager();

  if (!system.Done || !skinned.Done) {
    std::printf("a menu did not open\n");
    return 1;
  }
  std::printf("popup of 10 items (%ld x %ld system, %ld x %ld skinned), whole window painted:\n",
              system.Size.cx, system.Size.cy, skinned.Size.cx, skinned.Size.cy);
  PrintBench("  system drawing", system.Result);
  PrintBench("  skinned items over the skin's background", skinned.Result);
  std::printf("  ratio skinned / system: %.2f (aim: at most 3)\n",
              skinned.Result.MicrosPerCall / system.Result.MicrosPerCall);
  return 0;
}
