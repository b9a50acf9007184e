// GalleryProbe.exe: what the gallery's main window shows, seen from outside (run inside
// the gallery's Wine desktop; the answer goes to the file given by --out).
//   state CLASS      each top-level window of that class: caption, window rectangle,
//                    client size, visible, enabled, foreground, client origin on screen;
//                    then every item of its menu bar as MENU path, checked, enabled (where
//                    the system lets another process read menus: Wine does not)
//   popups           every open popup menu window: its rectangle
//   boxes            every visible dialog box of the desktop: caption, then its texts
//                    joined by '|' (line breaks shown as " / ")
//   key CLASS VK     presses and releases the key at the window's focus, as the keyboard
//                    driver would post it
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/ProbeCall_win.h"

namespace {

std::string GOut;

void Line(const std::string& text) { GOut += text + "\n"; }

std::string Text(HWND w) {
  char t[512] = {};
  GetWindowTextA(w, t, sizeof t);
  return t;
}

struct Finder {
  std::string cls;
  std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND w, LPARAM p) {
  auto* f = reinterpret_cast<Finder*>(p);
  char c[256] = {};
  GetClassNameA(w, c, sizeof c);
  if (f->cls == c) f->found.push_back(w);
  return TRUE;
}

std::vector<HWND> WindowsOfClass(const std::string& cls) {
  Finder f{cls, {}};
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&f));
  return f.found;
}

void DescribeMenu(HMENU menu, const std::string& path) {
  const int n = GetMenuItemCount(menu);
  for (int i = 0; i < n; ++i) {
    char text[256] = {};
    GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    std::string name = text;
    const size_t tab = name.find('\t');
    if (tab != std::string::npos) name.resize(tab);
    const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
    const std::string here = path.empty() ? name : path + "/" + name;
    Line("MENU\t" + here + "\t" + ((state & MF_CHECKED) ? "1" : "0") + "\t" +
         ((state & (MF_GRAYED | MF_DISABLED)) ? "0" : "1"));
    if (HMENU sub = GetSubMenu(menu, i)) DescribeMenu(sub, here);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const TProbeCall call = ParseProbeCall(argc, argv);
  const std::string cmd = call.Arg(0);
  const std::string cls = call.Arg(1);
  if (cmd == "state") {
    for (HWND w : WindowsOfClass(cls)) {
      RECT r{}, c{};
      GetWindowRect(w, &r);
      GetClientRect(w, &c);
      POINT origin{0, 0};
      ClientToScreen(w, &origin);
      char buf[512];
      snprintf(buf, sizeof buf, "WIN\t%s\t%ld\t%ld\t%ld\t%ld\t%ld\t%ld\t%d\t%d\t%d\t%ld\t%ld",
               Text(w).c_str(), r.left, r.top, r.right, r.bottom, c.right, c.bottom,
               IsWindowVisible(w) ? 1 : 0, IsWindowEnabled(w) ? 1 : 0, GetForegroundWindow() == w ? 1 : 0,
               origin.x, origin.y);
      Line(buf);
      if (HMENU menu = GetMenu(w)) DescribeMenu(menu, "");
    }
  } else if (cmd == "popups") {
    for (HWND p : WindowsOfClass("#32768")) {
      if (!IsWindowVisible(p)) continue;
      RECT r{};
      GetWindowRect(p, &r);
      char buf[128];
      snprintf(buf, sizeof buf, "POPUP\t%ld\t%ld\t%ld\t%ld", r.left, r.top, r.right, r.bottom);
      Line(buf);
    }
  } else if (cmd == "boxes") {
    for (HWND box : WindowsOfClass("#32770")) {
      if (!IsWindowVisible(box)) continue;
      std::string texts;
      for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char k[64] = {};
        GetClassNameA(c, k, sizeof k);
        std::string t = Text(c);
        if (lstrcmpiA(k, "Static") != 0 || t.empty()) continue;
        for (size_t at; (at = t.find_first_of("\r\n")) != std::string::npos;)
          t.replace(at, t[at] == '\r' && at + 1 < t.size() && t[at + 1] == '\n' ? 2 : 1, " / ");
        texts += (texts.empty() ? "" : "|") + t;
      }
      Line("BOX\t" + Text(box) + "\t" + texts);
    }
  } else if (cmd == "key" && call.Args.size() > 2) {
    const WPARAM vk = static_cast<WPARAM>(strtoul(call.Args[2].c_str(), nullptr, 0));
    for (HWND w : WindowsOfClass(cls)) {
      GUITHREADINFO info{};
      info.cbSize = sizeof info;
      HWND target = w;
      if (GetGUIThreadInfo(GetWindowThreadProcessId(w, nullptr), &info) && info.hwndFocus)
        target = info.hwndFocus;
      const UINT scan = MapVirtualKeyA(static_cast<UINT>(vk), MAPVK_VK_TO_VSC);
      PostMessageA(target, WM_KEYDOWN, vk, 1 | (static_cast<LPARAM>(scan) << 16));
      PostMessageA(target, WM_KEYUP, vk, 1 | (static_cast<LPARAM>(scan) << 16) | (3L << 30));
      Line("KEY\tposted");
    }
  } else {
    Line("usage: GalleryProbe [--out FILE] state CLASS | key CLASS VK");
  }
  WriteProbeAnswer(call, GOut);
  return 0;
}
