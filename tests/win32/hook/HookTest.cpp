// Tavrin.dll as the program sees it: undecorated stdcall exports, one shared 12-byte record,
// and the cursor message after each real mouse move while the hook is installed.
#include <windows.h>

#include <gtest/gtest.h>

#include "support/Pump_win.h"

#include <string>
#include <vector>

#include "hook/HookData.h"

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

void MoveMouse(int x, int y) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = (x * 65535 + GetSystemMetrics(SM_CXSCREEN) / 2) / (GetSystemMetrics(SM_CXSCREEN) - 1);
  in.mi.dy = (y * 65535 + GetSystemMetrics(SM_CYSCREEN) / 2) / (GetSystemMetrics(SM_CYSCREEN) - 1);
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &in, sizeof(in));
}


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
  data->MainWindow = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window));
  EXPECT_TRUE(lib.Get<HookFn>("SetMouseHook")());

  GReceived.clear();
  // Each point must come back through the record, in order; a loaded machine may take a
  // while to deliver, so each waits up to two seconds.
  const POINT path[] = {{123, 234}, {400, 300}, {640, 90}};
  for (const POINT& p : path) {
    MoveMouse(p.x, p.y);
    const DWORD end = GetTickCount() + 2000;
    auto arrived = [&] { return !GReceived.empty() && GReceived.back().x == p.x && GReceived.back().y == p.y; };
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
