// LumettaSkin.dll: the exports of LumettaSkin.h. Each export checks who calls (portable
// CheckLibraryCall), runs inside one exception boundary and answers a result, with the reason
// kept for LumettaSkinLastError. The engine is the one the program uses: a skin component as
// the program's main form holds it, the skin manager, the form handlers and the control
// families, with the built-in skin read from this module's resources.
#include "skin/library/LumettaSkin.h"

#include <windows.h>

#include <atomic>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "skin/controls/SkinChildren.h"
#include "skin/data/SkinData_win.h"
#include "skin/data/SkinManage_win.h"
#include "skin/data/SkinRead.h"
#include "skin/forms/FormSkin.h"
#include "skin/forms/SkinDraw_win.h"
#include "skin/library/SkinLibrary.h"
#include "ui/Forms.h"
#include "ui/WindowSubclass_win.h"

static_assert(PackedVersion(LUMETTA_VERSION) == LUMETTA_SKIN_VERSION,
              "LumettaSkin.h names the project's version");
static_assert(static_cast<int>(TLibraryResult::Ok) == LUMETTA_SKIN_OK);
static_assert(static_cast<int>(TLibraryResult::NoSuchFile) == LUMETTA_SKIN_NO_SUCH_FILE);
static_assert(static_cast<int>(TLibraryResult::NotAFile) == LUMETTA_SKIN_NOT_A_FILE);
static_assert(static_cast<int>(TLibraryResult::Unreadable) == LUMETTA_SKIN_UNREADABLE);
static_assert(static_cast<int>(TLibraryResult::NotASkin) == LUMETTA_SKIN_NOT_A_SKIN);
static_assert(static_cast<int>(TLibraryResult::ImagesRefused) == LUMETTA_SKIN_IMAGES_REFUSED);
static_assert(static_cast<int>(TLibraryResult::WrongThread) == LUMETTA_SKIN_WRONG_THREAD);
static_assert(static_cast<int>(TLibraryResult::AlreadyStarted) == LUMETTA_SKIN_ALREADY_STARTED);
static_assert(static_cast<int>(TLibraryResult::NotStarted) == LUMETTA_SKIN_NOT_STARTED);
static_assert(static_cast<int>(TLibraryResult::Failed) == LUMETTA_SKIN_FAILED);
static_assert(LUMETTA_SKIN_QUERY == CM_SKINQUERY);

namespace {

// The thread the engine runs on (0: not started). Every export reads it; only that thread
// (Start, Stop) writes it, and only that thread touches the engine itself.
std::atomic<DWORD> gEngineThread{0};

struct TEngine {
  std::unique_ptr<TSkinData> Data;
  HMODULE SelfReference = nullptr;  // keeps the module mapped while the engine runs
  TSkinMessageHook PreviousMessageHook;
};
TEngine* gEngine = nullptr;

// The reason of each thread's last failed call.
SRWLOCK gReasonsLock = SRWLOCK_INIT;
std::map<DWORD, std::wstring>& Reasons() {
  static std::map<DWORD, std::wstring> reasons;
  return reasons;
}

std::wstring Wide(const std::string& text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

int Finish(TLibraryResult result, const std::string& reason = {}) {
  const DWORD thread = GetCurrentThreadId();
  AcquireSRWLockExclusive(&gReasonsLock);
  try {
    if (result == TLibraryResult::Ok)
      Reasons().erase(thread);
    else
      Reasons()[thread] = Wide(reason);
  } catch (...) {
    // Out of memory for a reason text: the result still says what happened.
  }
  ReleaseSRWLockExclusive(&gReasonsLock);
  return static_cast<int>(result);
}

// The boundary of every export: nothing thrown crosses into the caller.
template <class F>
int Guarded(F&& f) noexcept {
  try {
    return f();
  } catch (const std::exception& e) {
    return Finish(TLibraryResult::Failed, std::string("The skin engine failed: ") + e.what());
  } catch (...) {
    return Finish(TLibraryResult::Failed, "The skin engine failed.");
  }
}

TSkinManage& Manager() {
  TSkinManage* m = SkinManage();
  if (!m) throw Exception("the skin manager is gone");
  return *m;
}

// Carries out the command the component just queued now, rather than on the manager's timer,
// so that a call's effect is on the screen when it returns.
void RunQueuedCommand() {
  TSkinManage& m = Manager();
  if (m.CommandTarget()) m.ExecuteCommand();
}

BOOL CALLBACK CollectWindow(HWND wnd, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(wnd);
  return TRUE;
}

TThreadWindow FactsOf(HWND wnd) {
  TThreadWindow w;
  w.ClassName = WindowClassName(wnd);
  w.Visible = IsWindowVisible(wnd) != FALSE;
  w.Child = (GetWindowLongPtrA(wnd, GWL_STYLE) & WS_CHILD) != 0;
  RECT r{};
  GetWindowRect(wnd, &r);
  w.Width = r.right - r.left;
  w.Height = r.bottom - r.top;
  return w;
}

// Skins the windows the thread shows now, and the MDI children inside them: they are not
// activated again until the user moves to them.
void SkinThreadWindows() {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
  TSkinManage& m = Manager();
  for (HWND wnd : windows) {
    if (!IsWindow(wnd) || !SkinnedAtStart(FactsOf(wnd))) continue;
    m.SkinWindow(wnd);
    for (HWND client = GetWindow(wnd, GW_CHILD); client; client = GetWindow(client, GW_HWNDNEXT)) {
      if (WindowClassName(client) != "MDIClient") continue;
      for (HWND child = GetWindow(client, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child)) m.SkinWindow(child);
    }
  }
}

// Loads a skin file, or the built-in skin for none, into the component; a failure leaves the
// skin in use (LoadSkinFile's contract).
TLibraryVerdict LoadInto(TSkinData& data, const wchar_t* skinFile) {
  if (skinFile) {
    const TSkinLoadResult r = data.LoadSkinFile(std::filesystem::path(skinFile));
    if (r.Ok()) return {};
    return {LibraryResultOf(r.Status), r.Reason};
  }
  if (!ReadSkinStreamResource(data, ThisModule()) || data.NoSkin)
    return {TLibraryResult::Failed, "The built-in skin could not be read from the library."};
  data.ApplySkin();
  return {};
}

// Takes out what the engine left with the system: the manager (its timer and hook), the
// class library's hidden windows and classes. Windows are already native again. Each step
// runs whatever the one before did, so a failure leaves as little as it can.
void TearDown(TEngine& engine) noexcept {
  auto step = [](auto&& f) {
    try {
      f();
    } catch (...) {
    }
  };
  step([&] { engine.Data.reset(); });
  step([] { FreeSkinManager(); });
  step([] { SetSkinManagerFactory({}); });
  SetControlPass(nullptr);
  step([] { ReleaseClassLibraryWindows(); });
  step([] { ReleaseSkinDrawScratch(); });
  step([] { Application->OnException = nullptr; });
  step([&] { SetSkinMessageHook(std::move(engine.PreviousMessageHook)); });
}

}  // namespace

extern "C" {

LUMETTA_SKIN_API int __stdcall LumettaSkinStart(const wchar_t* skinFile) {
  return Guarded([&] {
    const DWORD thread = GetCurrentThreadId();
    const TLibraryVerdict may = CheckLibraryCall(TLibraryCall::Start, gEngineThread, thread);
    if (!may.Ok()) return Finish(may.Result, may.Reason);

    auto engine = std::make_unique<TEngine>();
    // A start that fails half-way takes out what it had set up: no hook or timer of a
    // library that is not running may stay behind.
    struct TUndo {
      TEngine* Engine;
      ~TUndo() {
        if (Engine) TearDown(*Engine);
      }
    } undo{engine.get()};
    // In someone else's program a failure comes back as a reason, never as a box of ours.
    GdiSkinPlatform();
    engine->PreviousMessageHook = SetSkinMessageHook([](const std::string&) {});
    Application->OnException = [](TObject*, const std::string& message) {
      OutputDebugStringA(("LumettaSkin: " + message).c_str());
    };
    InstallSkinEngine();
    InstallControlFamilies();
    // The component as the program's main form holds it: read while loading, then Loaded.
    engine->Data = std::make_unique<TSkinData>(nullptr);
    TSkinData& data = *engine->Data;
    data.BeginLoading();
    data.SkinFormtype = sfMainform;
    data.SetActive(true);
    const TLibraryVerdict loaded = LoadInto(data, skinFile);
    if (!loaded.Ok()) return Finish(loaded.Result, loaded.Reason);
    data.Loaded();  // the manager, its hook, skinning on
    Manager().SetStartState(StartStateRunning);
    SkinThreadWindows();
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&LumettaSkinStart),
                       &engine->SelfReference);
    undo.Engine = nullptr;
    gEngine = engine.release();
    gEngineThread = thread;
    return Finish(TLibraryResult::Ok);
  });
}

LUMETTA_SKIN_API int __stdcall LumettaSkinLoad(const wchar_t* skinFile) {
  return Guarded([&] {
    const TLibraryVerdict may = CheckLibraryCall(TLibraryCall::Load, gEngineThread, GetCurrentThreadId());
    if (!may.Ok()) return Finish(may.Result, may.Reason);
    const TLibraryVerdict loaded = LoadInto(*gEngine->Data, skinFile);
    if (!loaded.Ok()) return Finish(loaded.Result, loaded.Reason);
    RunQueuedCommand();
    return Finish(TLibraryResult::Ok);
  });
}

LUMETTA_SKIN_API int __stdcall LumettaSkinSetEnabled(int enabled) {
  return Guarded([&] {
    const TLibraryVerdict may =
        CheckLibraryCall(TLibraryCall::SetEnabled, gEngineThread, GetCurrentThreadId());
    if (!may.Ok()) return Finish(may.Result, may.Reason);
    gEngine->Data->SetActive(enabled != 0);
    RunQueuedCommand();
    // The manager's own pass finds only forms of the class library.
    if (enabled) SkinThreadWindows();
    return Finish(TLibraryResult::Ok);
  });
}

LUMETTA_SKIN_API int __stdcall LumettaSkinStop(void) {
  return Guarded([&] {
    const TLibraryVerdict may = CheckLibraryCall(TLibraryCall::Stop, gEngineThread, GetCurrentThreadId());
    if (!may.Ok()) return Finish(may.Result, may.Reason);
    std::unique_ptr<TEngine> engine(gEngine);
    gEngine = nullptr;
    gEngineThread = 0;
    // Every window native again (the deactivate command), then nothing of ours left, also
    // when a window's detaching failed (freeing the manager then frees its handler).
    std::string failure;
    try {
      engine->Data->SetActive(false);
      RunQueuedCommand();
    } catch (const std::exception& e) {
      failure = std::string("A window could not be given its native look back: ") + e.what();
    }
    TearDown(*engine);
    // A window someone subclassed after us still calls our pass-through procedure: this
    // module must stay mapped for as long as the process lives.
    if (TWindowSubclass::LiveProcedures() > 0) {
      HMODULE pinned = nullptr;
      GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                         reinterpret_cast<LPCWSTR>(&LumettaSkinStop), &pinned);
    }
    // The caller holds its own reference: this one never unmaps the code that runs here.
    if (engine->SelfReference) FreeLibrary(engine->SelfReference);
    if (!failure.empty()) return Finish(TLibraryResult::Failed, failure);
    return Finish(TLibraryResult::Ok);
  });
}

LUMETTA_SKIN_API unsigned long __stdcall LumettaSkinVersion(void) { return LUMETTA_SKIN_VERSION; }

LUMETTA_SKIN_API int __stdcall LumettaSkinLastError(wchar_t* buffer, int capacity) {
  std::wstring reason;
  AcquireSRWLockShared(&gReasonsLock);
  try {
    auto it = Reasons().find(GetCurrentThreadId());
    if (it != Reasons().end()) reason = it->second;
  } catch (...) {
  }
  ReleaseSRWLockShared(&gReasonsLock);
  if (buffer && capacity > 0) {
    const size_t n = std::min(reason.size(), static_cast<size_t>(capacity - 1));
    reason.copy(buffer, n);
    buffer[n] = L'\0';
  }
  return static_cast<int>(reason.size());
}

}  // extern "C"
