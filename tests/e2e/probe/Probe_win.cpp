// LumettaProbe.exe: looks at a running program from the outside, as a user would see it.
// Run inside the same Wine desktop as the program; writes its answer to the file given by
// --out (a program started by the desktop has no console to print to).
//   (NAME: a program file name, or a full path to match only that copy)
//   list NAME           top-level windows of processes named NAME: handle, pid, class,
//                       caption, rect, extended style, visible
//   boxes NAME          text of every message box of those processes
//   close-boxes NAME    presses OK on those message boxes
//   gui NAME            GDI and USER object counts and private memory (KB) of those processes
//   children CLASS      child windows of every top-level window of that class
//   menus               open popup menus: their rect and item texts
//   close-main NAME     posts WM_CLOSE to the main form of those processes (what Exit does)
//   kill NAME           ends those processes at once
//   readonly PATH       gives a file the read-only attribute
#include <windows.h>

#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "support/ProbeCall_win.h"

namespace {

std::string GOut;

void Line(const char* fmt, ...) {
  char buf[2048];
  va_list args;
  va_start(args, fmt);
  vsnprintf(buf, sizeof(buf), fmt, args);
  va_end(args);
  GOut += buf;
  GOut += "\n";
}

std::string ImagePath(DWORD pid) {
  HANDLE p = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!p) return {};
  char path[MAX_PATH * 2] = {};
  DWORD size = sizeof(path);
  const bool ok = QueryFullProcessImageNameA(p, 0, path, &size);
  CloseHandle(p);
  return ok ? std::string(path, size) : std::string();
}

// Processes by program: a bare file name matches that name in any folder; a path with a
// folder matches only that program file, so runs side by side never touch each other.
std::set<DWORD> ProcessesNamed(const std::string& name) {
  const bool byPath = name.find_first_of("\\/") != std::string::npos;
  std::set<DWORD> ids;
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snap == INVALID_HANDLE_VALUE) return ids;
  PROCESSENTRY32 e{};
  e.dwSize = sizeof(e);
  for (BOOL ok = Process32First(snap, &e); ok; ok = Process32Next(snap, &e)) {
    const bool match = byPath ? lstrcmpiA(ImagePath(e.th32ProcessID).c_str(), name.c_str()) == 0
                              : lstrcmpiA(e.szExeFile, name.c_str()) == 0;
    if (match) ids.insert(e.th32ProcessID);
  }
  CloseHandle(snap);
  return ids;
}

BOOL CALLBACK CollectTop(HWND w, LPARAM p) {
  reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
  return TRUE;
}

void Describe(HWND w);

BOOL CALLBACK DescribeChild(HWND c, LPARAM) {
  GOut += "  ";
  Describe(c);
  return TRUE;
}

std::vector<HWND> TopWindows() {
  std::vector<HWND> all;
  EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&all));
  return all;
}

std::vector<HWND> WindowsOf(const std::string& name) {
  const std::set<DWORD> ids = ProcessesNamed(name);
  std::vector<HWND> out;
  for (HWND w : TopWindows()) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (ids.count(pid)) out.push_back(w);
  }
  return out;
}

std::string ClassOf(HWND w) {
  char c[256] = {};
  GetClassNameA(w, c, sizeof(c));
  return c;
}

std::string TextOf(HWND w) {
  char t[1024] = {};
  GetWindowTextA(w, t, sizeof(t));
  return t;
}

void Describe(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  Line("%p\t%lu\t%s\t%s\t%ld\t%ld\t%ld\t%ld\t%08lx\t%d", static_cast<void*>(w), pid, ClassOf(w).c_str(),
       TextOf(w).c_str(), r.left, r.top, r.right, r.bottom,
       static_cast<unsigned long>(GetWindowLongA(w, GWL_EXSTYLE)), IsWindowVisible(w) ? 1 : 0);
}

// GDI objects of another process as Windows counts them; Wine answers 0 there, so the
// process's private memory is given too: leaked bitmaps and device contexts show in it.
unsigned long CountGdi(HANDLE process) { return GetGuiResources(process, GR_GDIOBJECTS); }

unsigned long PrivateKb(HANDLE process) {
  PROCESS_MEMORY_COUNTERS_EX mem{};
  mem.cb = sizeof(mem);
  if (!K32GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&mem), sizeof(mem)))
    return 0;
  return static_cast<unsigned long>(mem.PrivateUsage / 1024);
}

BOOL CALLBACK CountChild(HWND, LPARAM p) {
  ++*reinterpret_cast<unsigned long*>(p);
  return TRUE;
}

// USER objects: the system count, or else the process's windows, top-level and child.
unsigned long CountUser(HANDLE process, DWORD pid) {
  if (const DWORD n = GetGuiResources(process, GR_USEROBJECTS)) return n;
  unsigned long count = 0;
  for (HWND w : TopWindows()) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner != pid) continue;
    ++count;
    EnumChildWindows(w, CountChild, reinterpret_cast<LPARAM>(&count));
  }
  return count;
}

std::vector<HWND> Boxes(const std::string& name) {
  std::vector<HWND> out;
  for (HWND w : WindowsOf(name))
    if (ClassOf(w) == "#32770" && IsWindowVisible(w)) out.push_back(w);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  const TProbeCall call = ParseProbeCall(argc, argv);
  const std::string cmd = call.Arg(0);
  const std::string arg = call.Arg(1);
  if (cmd == "list") {
    for (HWND w : WindowsOf(arg)) Describe(w);
  } else if (cmd == "boxes") {
    for (HWND box : Boxes(arg)) {
      std::string texts;
      for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (ClassOf(c) == "Static" && !TextOf(c).empty()) {
          if (!texts.empty()) texts.push_back('|');
          texts.append(TextOf(c));
        }
      Line("BOX\t%s\t%s", TextOf(box).c_str(), texts.c_str());
    }
  } else if (cmd == "close-boxes") {
    for (HWND box : Boxes(arg)) PostMessageA(box, WM_COMMAND, IDOK, 0);
  } else if (cmd == "gui") {
    for (DWORD pid : ProcessesNamed(arg)) {
      HANDLE p = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
      Line("GUI\t%lu\t%lu\t%lu\t%lu", pid, p ? CountGdi(p) : 0UL, p ? CountUser(p, pid) : 0UL,
           p ? PrivateKb(p) : 0UL);
      if (p) CloseHandle(p);
    }
  } else if (cmd == "close-main") {
    for (HWND w : WindowsOf(arg))
      if (ClassOf(w) == "TfrmMain") PostMessageA(w, WM_CLOSE, 0, 0);
  } else if (cmd == "kill") {
    for (DWORD pid : ProcessesNamed(arg)) {
      HANDLE p = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
      if (!p) continue;
      TerminateProcess(p, 1);
      WaitForSingleObject(p, 5000);
      CloseHandle(p);
    }
  } else if (cmd == "readonly") {
    Line("READONLY\t%d", SetFileAttributesA(arg.c_str(), FILE_ATTRIBUTE_READONLY) ? 1 : 0);
  } else if (cmd == "children") {
    for (HWND w : TopWindows()) {
      if (ClassOf(w) != arg) continue;
      Describe(w);
      EnumChildWindows(w, DescribeChild, 0);
    }
  } else if (cmd == "skinquery") {
    // Whether each visible top-level window of the class has a skin handler (answers 1).
    for (HWND w : TopWindows()) {
      if (ClassOf(w) != arg || !IsWindowVisible(w)) continue;
      DWORD_PTR answer = 0;
      SendMessageTimeoutA(w, 0x3504 /* the skin query */, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer);
      Line("SKINQUERY\t%p\t%lu", static_cast<void*>(w), static_cast<unsigned long>(answer));
    }
  } else if (cmd == "menus") {
    for (HWND w : TopWindows()) {
      if (ClassOf(w) != "#32768" || !IsWindowVisible(w)) continue;
      Describe(w);
      HMENU menu = reinterpret_cast<HMENU>(SendMessageA(w, MN_GETHMENU, 0, 0));
      for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
        char text[256] = {};
        GetMenuStringA(menu, i, text, sizeof(text), MF_BYPOSITION);
        Line("ITEM\t%d\t%s", i, text);
      }
    }
  } else {
    Line(
        "usage: LumettaProbe [--out FILE] list|boxes|close-boxes|gui NAME | children CLASS | skinquery CLASS "
        "| menus");
  }
  WriteProbeAnswer(call, GOut);
  return 0;
}
