// Tavrin.dll as the program sees it: undecorated stdcall exports, one shared 12-byte record,
// and the cursor message after each mouse move while the hook is installed, delivered by a
// thread of the library's own even while the program's GUI thread sleeps.
#include <windows.h>

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <algorithm>
#include <atomic>
#include <iterator>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "hook/HookData.h"
#include "support/Pump_win.h"

namespace {

using GetDLLDataFn = BOOL(WINAPI*)(PHookData*);
using HookFn = BOOL(WINAPI*)();

// A private copy of the library: the record is shared by every process that maps the same
// file, and other tests running at the same time use the one beside them.
std::string PrivateCopy() {
  static std::string path = [] {
    char exe[MAX_PATH] = {}, temp[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string source(exe);
    source = source.substr(0, source.find_last_of('\\') + 1) + "Tavrin.dll";
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "tavrin-test-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string copy = folder + "\\Tavrin.dll";
    CopyFileA(source.c_str(), copy.c_str(), FALSE);
    return copy;
  }();
  return path;
}

struct Library {
  HMODULE Module = LoadLibraryA(PrivateCopy().c_str());
  ~Library() {
    if (Module) FreeLibrary(Module);
  }
  template <class F>
  F Get(const char* name) const {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(Module, name)));
  }
};

std::vector<POINT> GReceived;

LRESULT CALLBACK Receiver(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_CURSORMOVED) {
    PHookData data = nullptr;
    Library lib;
    lib.Get<GetDLLDataFn>("GetDLLData")(&data);
    GReceived.push_back(POINT{data->X, data->Y});
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

HWND MakeReceiver() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = Receiver;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "HookReceiver";
  RegisterClassA(&wc);
  return CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance,
                         nullptr);
}

// A real mouse move: the display's pointer goes there first, since Wine on a virtual X display
// does not move the X pointer for injected input and, 100 ms later, reports where the X
// pointer still is as the cursor position. The injected move to the same point is still a
// mouse input that every low-level hook sees. Returns how long SendInput took.
DWORD MoveMouse(int x, int y) {
  SetCursorPos(x, y);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = (x * 65535 + GetSystemMetrics(SM_CXSCREEN) / 2) / (GetSystemMetrics(SM_CXSCREEN) - 1);
  in.mi.dy = (y * 65535 + GetSystemMetrics(SM_CYSCREEN) / 2) / (GetSystemMetrics(SM_CYSCREEN) - 1);
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  const DWORD start = GetTickCount();
  SendInput(1, &in, sizeof(in));
  return GetTickCount() - start;
}

std::set<DWORD> ThreadIds() {
  std::set<DWORD> ids;
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return ids;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ids.insert(entry.th32ThreadID);
  CloseHandle(snapshot);
  return ids;
}

std::set<DWORD> Added(const std::set<DWORD>& before, const std::set<DWORD>& after) {
  std::set<DWORD> added;
  std::set_difference(after.begin(), after.end(), before.begin(), before.end(),
                      std::inserter(added, added.end()));
  return added;
}

bool RecordIs(PHookData data, POINT p) { return data->X == p.x && data->Y == p.y; }

// Waits for the record to hold p without reading this thread's queue.
bool WaitForRecord(PHookData data, POINT p, DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  while (!RecordIs(data, p)) {
    if (static_cast<int>(end - GetTickCount()) <= 0) return false;
    Sleep(2);
  }
  return true;
}

// Takes the cursor messages waiting for window out of the queue without handling them.
int TakeCursorMessages(HWND window) {
  int count = 0;
  MSG msg;
  while (PeekMessageA(&msg, window, WM_CURSORMOVED, WM_CURSORMOVED, PM_REMOVE)) ++count;
  return count;
}

// The library installed for a receiver window; removed and the window gone at the end.
struct Hooked {
  Library Lib;
  HWND Window = MakeReceiver();
  PHookData Data = nullptr;
  bool Installed = false;
  Hooked() {
    Lib.Get<GetDLLDataFn>("GetDLLData")(&Data);
    Data->MainWindow = HookWindowValue(Window);
    Installed = Lib.Get<HookFn>("SetMouseHook")() != FALSE;
    PumpMessages(50);
    TakeCursorMessages(Window);
    GReceived.clear();
  }
  ~Hooked() {
    Lib.Get<HookFn>("RemoveMouseHook")();
    Data->MainWindow = 0;
    DestroyWindow(Window);
  }
};

}  // namespace

TEST(TavrinLibrary, ExportsUndecoratedNamesAndOneSharedRecord) {
  Library lib;
  ASSERT_NE(lib.Module, nullptr);
  for (const char* name : {"GetDLLData", "SetMouseHook", "RemoveMouseHook"})
    EXPECT_NE(GetProcAddress(lib.Module, name), nullptr) << name;
  for (const char* name : {"GetDLLData@4", "_GetDLLData@4", "SetMouseHook@0"})
    EXPECT_EQ(GetProcAddress(lib.Module, name), nullptr) << name;

  PHookData first = nullptr, second = nullptr;
  auto get = lib.Get<GetDLLDataFn>("GetDLLData");
  get(&first);
  get(&second);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first, second);

  // The record must live in a section that every process maps to the same memory.
  auto* base = reinterpret_cast<BYTE*>(lib.Module);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
  IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
  bool inShared = false;
  for (int i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
    BYTE* start = base + section->VirtualAddress;
    BYTE* end = start + section->Misc.VirtualSize;
    auto* rec = reinterpret_cast<BYTE*>(first);
    if (rec >= start && rec + sizeof(THookData) <= end)
      inShared = (section->Characteristics & IMAGE_SCN_MEM_SHARED) != 0;
  }
  EXPECT_TRUE(inShared);
}

TEST(TavrinLibrary, PostsCursorMessageWithStoredPointUntilRemoved) {
  Library lib;
  ASSERT_NE(lib.Module, nullptr);
  HWND window = MakeReceiver();
  ASSERT_NE(window, nullptr);
  PHookData data = nullptr;
  lib.Get<GetDLLDataFn>("GetDLLData")(&data);
  data->MainWindow = HookWindowValue(window);
  EXPECT_TRUE(lib.Get<HookFn>("SetMouseHook")());

  GReceived.clear();
  // Each point must come back through the record, in order; a loaded machine may take a
  // while to deliver, so each waits up to five seconds.
  const POINT path[] = {{123, 234}, {400, 300}, {640, 90}};
  for (const POINT& p : path) {
    MoveMouse(p.x, p.y);
    const DWORD end = GetTickCount() + 5000;
    auto arrived = [&] {
      return !GReceived.empty() && GReceived.back().x == p.x && GReceived.back().y == p.y;
    };
    while (!arrived() && static_cast<int>(end - GetTickCount()) > 0) PumpMessages(10);
    EXPECT_TRUE(arrived()) << p.x << "," << p.y;
  }

  EXPECT_TRUE(lib.Get<HookFn>("RemoveMouseHook")());
  GReceived.clear();
  MoveMouse(50, 60);
  PumpMessages(300);
  EXPECT_TRUE(GReceived.empty());
  EXPECT_NE(data->X, 50);  // nothing stored once the hook is gone
  // A second removal has nothing to remove.
  EXPECT_FALSE(lib.Get<HookFn>("RemoveMouseHook")());
  data->MainWindow = 0;
  DestroyWindow(window);
}

TEST(TavrinThread, SleepingGuiThreadLosesNoMoveAndFindsTheMessagesQueued) {
  Hooked hook;
  ASSERT_TRUE(hook.Installed);
  // Another thread moves the mouse while this one, which owns the receiving window, sleeps as
  // start-up does; each point must reach the record while the sleep lasts.
  const POINT path[] = {{200, 150}, {260, 170}, {320, 190}, {380, 210}, {440, 230}, {500, 250}};
  std::vector<DWORD> stored(std::size(path), 0), sendTook(std::size(path), 0);
  std::atomic<bool> moverDone{false};
  std::thread mover([&] {
    for (size_t i = 0; i < std::size(path); ++i) {
      sendTook[i] = MoveMouse(path[i].x, path[i].y);
      if (WaitForRecord(hook.Data, path[i], 400)) stored[i] = GetTickCount();
      Sleep(20);
    }
    moverDone = true;
  });
  const DWORD sleepStart = GetTickCount();
  Sleep(1000);
  const DWORD sleepEnd = GetTickCount();
  const bool doneInSleep = moverDone.load();
  mover.join();
  EXPECT_TRUE(doneInSleep) << "mouse moves were held up by the sleeping thread";
  for (size_t i = 0; i < std::size(path); ++i) {
    EXPECT_NE(stored[i], 0u) << "point " << i << " never reached the record";
    // A hook on the sleeping thread would hold the move up until the thread woke.
    EXPECT_LT(sendTook[i], 500u) << "point " << i;
    EXPECT_LE(static_cast<int>(stored[i] - sleepStart), static_cast<int>(sleepEnd - sleepStart))
        << "point " << i;
  }
  // (Awaited: Wine can show a warped cursor's previous place for a moment.)
  EXPECT_TRUE(WaitForRecord(hook.Data, path[std::size(path) - 1], 500));
  // At least one message per move, all waiting for the loop.
  EXPECT_GE(TakeCursorMessages(hook.Window), static_cast<int>(std::size(path)));
}

TEST(TavrinThread, MoveWithoutMouseInputIsDelivered) {
  Hooked hook;
  ASSERT_TRUE(hook.Installed);
  // SetCursorPos makes no mouse input, so no hook call sees it; the sampling must.
  const POINT targets[] = {{333, 222}, {20, 700}};
  for (const POINT& p : targets) {
    std::thread mover([&] { SetCursorPos(p.x, p.y); });
    mover.join();
    // Not reading the queue meanwhile. Under Wine a warp made by another thread can show the
    // old position once more for a moment, so the point is awaited rather than read once.
    Sleep(100);
    EXPECT_TRUE(WaitForRecord(hook.Data, p, 1000)) << p.x << "," << p.y;
    EXPECT_GE(TakeCursorMessages(hook.Window), 1) << p.x << "," << p.y;
  }
  // The point reaches the program the way every other point does.
  SetCursorPos(150, 160);
  const DWORD end = GetTickCount() + 1000;
  auto arrived = [&] { return !GReceived.empty() && GReceived.back().x == 150 && GReceived.back().y == 160; };
  while (!arrived() && static_cast<int>(end - GetTickCount()) > 0) PumpMessages(10);
  EXPECT_TRUE(arrived());

  // Once removed, the sampling stops as well.
  ASSERT_TRUE(hook.Lib.Get<HookFn>("RemoveMouseHook")());
  SetCursorPos(444, 111);
  Sleep(200);
  EXPECT_EQ(TakeCursorMessages(hook.Window), 0);
  EXPECT_FALSE(RecordIs(hook.Data, POINT{444, 111}));
}

TEST(TavrinThread, OneThreadWhileInstalledAndNoneAfterRemoveOrUnload) {
  const std::string path = PrivateCopy();
  {
    Library warm;  // whatever the system starts once per process for a hook, start it now
    warm.Get<HookFn>("SetMouseHook")();
    warm.Get<HookFn>("RemoveMouseHook")();
  }
  const std::set<DWORD> baseline = ThreadIds();
  ASSERT_EQ(GetModuleHandleA(path.c_str()), nullptr);

  HMODULE module = LoadLibraryA(path.c_str());
  ASSERT_NE(module, nullptr);
  auto set = reinterpret_cast<HookFn>(reinterpret_cast<void*>(GetProcAddress(module, "SetMouseHook")));
  auto remove = reinterpret_cast<HookFn>(reinterpret_cast<void*>(GetProcAddress(module, "RemoveMouseHook")));
  for (int round = 0; round < 2; ++round) {  // install, remove, install again
    ASSERT_TRUE(set()) << round;
    const std::set<DWORD> installed = ThreadIds();
    EXPECT_EQ(Added(baseline, installed).size(), 1u) << round;
    EXPECT_TRUE(set()) << round;  // a second call keeps the one thread
    EXPECT_EQ(ThreadIds(), installed) << round;
    EXPECT_TRUE(remove()) << round;
    EXPECT_EQ(ThreadIds(), baseline) << round;  // gone by the time the call returns
  }
  EXPECT_FALSE(remove());
  FreeLibrary(module);
  EXPECT_EQ(GetModuleHandleA(path.c_str()), nullptr);
  EXPECT_EQ(ThreadIds(), baseline);

  // Unloaded while installed: the thread keeps the library's code mapped under it, and a later
  // removal ends the thread and lets the library go.
  const struct {
    const char* Export;
    bool Mapped;  // once the library is freed
  } steps[] = {{"SetMouseHook", true}, {"RemoveMouseHook", false}};
  for (const auto& step : steps) {
    {
      Library lib;
      ASSERT_NE(lib.Module, nullptr) << step.Export;
      ASSERT_TRUE(lib.Get<HookFn>(step.Export)()) << step.Export;
    }
    EXPECT_EQ(GetModuleHandleA(path.c_str()) != nullptr, step.Mapped) << step.Export;
    EXPECT_EQ(Added(baseline, ThreadIds()).size(), step.Mapped ? 1u : 0u) << step.Export;
  }
  EXPECT_EQ(ThreadIds(), baseline);
}

TEST(TavrinThread, StalledHookThreadStillReportsEachMoveOnce) {
  const std::set<DWORD> before = ThreadIds();
  Hooked hook;
  ASSERT_TRUE(hook.Installed);
  const std::set<DWORD> added = Added(before, ThreadIds());
  ASSERT_EQ(added.size(), 1u);
  // A hook thread that did not run for longer than a hook call may wait is how the system
  // comes to remove a hook; the thread must then put it back without doubling it.
  const HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, *added.begin());
  ASSERT_NE(thread, nullptr);
  ASSERT_NE(SuspendThread(thread), static_cast<DWORD>(-1));
  Sleep(400);
  ResumeThread(thread);
  CloseHandle(thread);
  PumpMessages(100);
  GReceived.clear();

  // The cursor is put on each point first and the sampling has reported it; an injected move
  // to the same point then reaches the record only through a hook call, once per hook.
  const POINT path[] = {{210, 310}, {620, 140}, {90, 480}};
  for (const POINT& p : path) {
    SetCursorPos(p.x, p.y);
    EXPECT_TRUE(WaitForRecord(hook.Data, p, 1000)) << p.x << "," << p.y;
    PumpMessages(50);
    GReceived.clear();
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_MOVE;  // relative, by nothing: no move the sampling could see
    SendInput(1, &in, sizeof(in));
    const DWORD end = GetTickCount() + 2000;
    while (GReceived.empty() && static_cast<int>(end - GetTickCount()) > 0) PumpMessages(10);
    PumpMessages(150);
    ASSERT_EQ(GReceived.size(), 1u) << p.x << "," << p.y;
    EXPECT_EQ(GReceived[0].x, p.x);
    EXPECT_EQ(GReceived[0].y, p.y);
  }
}
