// Tavrin.dll: a low-level mouse hook that stores every cursor point in a record shared by
// all processes that load the library and posts the cursor message to the program's window.
//
// The hook runs on a thread of its own. A low-level hook is called through the message loop
// of the thread that set it, and every mouse move on the desktop waits for that call: on the
// program's GUI thread, which sleeps while an effect starts, the desktop's mouse would stall
// and the system would in the end remove the hook. The same thread samples the cursor for
// moves no hook sees and puts the hook back when it looks removed (HookWatch.h).
#include <windows.h>

#include <cstdint>

#include "hook/HookData.h"
#include "hook/HookWatch.h"

namespace {

// One copy for every process that loads the library: the section is marked shared.
__attribute__((section(".shared"), shared)) THookData GShared = {0, 0, 0};

HINSTANCE GInstance = nullptr;

// Touched only by the hook thread (the hook procedure runs on it too).
HHOOK GHook = nullptr;
THookWatch* GWatch = nullptr;

// The thread as the exports see it, one per process; the lock keeps two callers from
// starting two threads or ending one twice.
SRWLOCK GLock = SRWLOCK_INIT;
HANDLE GThread = nullptr;
DWORD GThreadId = 0;
HANDLE GStop = nullptr;

struct TStart {
  HANDLE Ready;
  HANDLE Stop;
  bool Installed;
};

HWND Target() {
  // The record keeps a 32-bit handle value; window handles are sign-extended to full width.
  return HookWindowHandle<HWND>(GShared.MainWindow);
}

void Report(LONG x, LONG y) {
  GShared.X = x;
  GShared.Y = y;
  const HWND target = Target();
  if (target != nullptr) PostMessageA(target, WM_CURSORMOVED, 0, 0);
}

LRESULT CALLBACK LowLevelMouseProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == WM_MOUSEMOVE && lParam != 0) {
    const auto* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    Report(info->pt.x, info->pt.y);
    if (GWatch != nullptr) GWatch->HookCalled({info->pt.x, info->pt.y});
  }
  return CallNextHookEx(GHook, code, wParam, lParam);
}

HHOOK SetHook() { return SetWindowsHookExA(WH_MOUSE_LL, LowLevelMouseProc, GInstance, 0); }

void Reinstall() {
  // The new hook first: if it cannot be set, the old one (maybe still alive) stays.
  const HHOOK fresh = SetHook();
  if (fresh == nullptr) return;
  if (GHook != nullptr) UnhookWindowsHookEx(GHook);  // fails harmlessly when already removed
  GHook = fresh;
}

void SampleCursor(THookWatch& watch, ULONGLONG now) {
  POINT p{};
  if (!GetCursorPos(&p)) return;  // e.g. while another desktop has the input
  const TSampleVerdict verdict = watch.Sample({p.x, p.y}, now);
  if (verdict.Report) Report(p.x, p.y);
  if (verdict.Reinstall) Reinstall();
}

// Runs until stop is signalled; the result says whether the hook came off cleanly.
DWORD RunLoop(HANDLE stop) {
  POINT p{};
  GetCursorPos(&p);
  THookWatch watch({p.x, p.y}, GetTickCount64());
  GWatch = &watch;
  ULONGLONG due = GetTickCount64() + THookWatch::SampleMs;
  for (;;) {
    ULONGLONG now = GetTickCount64();
    const DWORD wait = due > now ? static_cast<DWORD>(due - now) : 0;
    const DWORD woke = MsgWaitForMultipleObjectsEx(1, &stop, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (woke == WAIT_OBJECT_0 || woke == WAIT_FAILED) break;
    // Hook calls are delivered while the queue is read; nothing else is expected here, and a
    // stray WM_QUIT does not end the thread (only the stop event does).
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    now = GetTickCount64();
    if (now >= due) {
      SampleCursor(watch, now);
      due = now + watch.NextSampleMs();
    }
  }
  GWatch = nullptr;
  const BOOL unhooked = UnhookWindowsHookEx(GHook);
  GHook = nullptr;
  return unhooked ? 1 : 0;
}

// The thread holds its own reference to the library (taken by SetMouseHook) and gives it
// back only as it exits, so the library's code cannot be unmapped under it.
DWORD WINAPI HookThread(LPVOID param) {
  auto* start = static_cast<TStart*>(param);
  const HANDLE stop = start->Stop;
  MSG msg;
  PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists before the hook does
  // Each hook call holds up a mouse move somewhere on the desktop: answer before other work.
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
  GHook = SetHook();
  start->Installed = GHook != nullptr;
  SetEvent(start->Ready);  // start belongs to the caller from here on
  const DWORD result = GHook != nullptr ? RunLoop(stop) : 0;
  FreeLibraryAndExitThread(GInstance, result);
}

bool StartThread() {
  HMODULE self = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&HookThread),
                          &self))
    return false;
  TStart start{CreateEventA(nullptr, TRUE, FALSE, nullptr), CreateEventA(nullptr, TRUE, FALSE, nullptr),
               false};
  DWORD id = 0;
  HANDLE thread = nullptr;
  if (start.Ready != nullptr && start.Stop != nullptr)
    thread = CreateThread(nullptr, 0, HookThread, &start, 0, &id);
  if (thread == nullptr) {
    FreeLibrary(self);  // the caller still holds its own reference
    if (start.Ready != nullptr) CloseHandle(start.Ready);
    if (start.Stop != nullptr) CloseHandle(start.Stop);
    return false;
  }
  const HANDLE started[] = {start.Ready, thread};
  WaitForMultipleObjects(2, started, FALSE, INFINITE);
  CloseHandle(start.Ready);
  if (!start.Installed) {
    WaitForSingleObject(thread, INFINITE);  // it is on its way out: leave no thread behind
    CloseHandle(thread);
    CloseHandle(start.Stop);
    return false;
  }
  GThread = thread;
  GThreadId = id;
  GStop = start.Stop;
  return true;
}

struct TLock {
  TLock() { AcquireSRWLockExclusive(&GLock); }
  ~TLock() { ReleaseSRWLockExclusive(&GLock); }
  TLock(const TLock&) = delete;
  TLock& operator=(const TLock&) = delete;
};

}  // namespace

extern "C" {

__declspec(dllexport) BOOL WINAPI GetDLLData(PHookData* data) {
  if (data == nullptr) return FALSE;
  *data = &GShared;
  return TRUE;
}

__declspec(dllexport) BOOL WINAPI SetMouseHook() {
  TLock lock;
  if (GThread != nullptr) return TRUE;  // one hook thread per process is enough
  return StartThread() ? TRUE : FALSE;
}

// Ends the hook thread and waits for it; FALSE when there was none.
__declspec(dllexport) BOOL WINAPI RemoveMouseHook() {
  TLock lock;
  if (GThread == nullptr || GetCurrentThreadId() == GThreadId) return FALSE;
  SetEvent(GStop);
  WaitForSingleObject(GThread, INFINITE);
  DWORD unhooked = 0;
  GetExitCodeThread(GThread, &unhooked);
  CloseHandle(GThread);
  CloseHandle(GStop);
  GThread = nullptr;
  GThreadId = 0;
  GStop = nullptr;
  return unhooked == 1 ? TRUE : FALSE;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    GInstance = instance;
    DisableThreadLibraryCalls(instance);
  }
  // Nothing to do on detach. While the hook thread runs it holds a reference to the library,
  // so an unload comes only after RemoveMouseHook has ended it; at process exit the system
  // has already ended the thread and drops its hook. Waiting for a thread here, under the
  // loader lock, would never return: the thread's exit needs that lock.
  return TRUE;
}

}  // extern "C"
