// LumettaSkinRunAttach: how SkinRun.exe starts the engine in a program it started suspended.
// SkinRun loads this DLL into the program with a remote thread and then runs this export on
// another one. The engine must live on the program's main thread, which has not run yet: this
// sets a WH_GETMESSAGE hook on that thread alone, and the hook starts the engine there at the
// first message the thread takes, then removes itself.
#include <windows.h>

#include <string>

#include "skin/library/LumettaSkin.h"
#include "skin/library/SkinRunChannel.h"
#include "ui/Handles.h"

namespace {

THookHandle gHook;
bool gFired = false;

// The block SkinRun shared, mapped for as long as it is used.
struct TChannelView {
  TKernelHandle Mapping;
  TSkinRunChannel* View = nullptr;
  TChannelView()
      : Mapping(OpenFileMappingW(FILE_MAP_READ | FILE_MAP_WRITE, FALSE,
                                 SkinRunChannelName(GetCurrentProcessId()).c_str())) {
    if (Mapping)
      View = static_cast<TSkinRunChannel*>(
          MapViewOfFile(Mapping.get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(TSkinRunChannel)));
  }
  ~TChannelView() {
    if (View) UnmapViewOfFile(View);
  }
  TChannelView(const TChannelView&) = delete;
  TChannelView& operator=(const TChannelView&) = delete;
  bool Ok() const { return View && View->Size == sizeof(TSkinRunChannel); }
};

// Runs inside someone else's program: nothing may escape into it.
void StartEngine() noexcept {
  try {
    TChannelView channel;
    if (!channel.Ok()) return;  // SkinRun is gone: nobody to skin for
    TSkinRunChannel& c = *channel.View;
    const wchar_t* skin = reinterpret_cast<const wchar_t*>(c.SkinFile);
    const int result = LumettaSkinStart(*skin ? skin : nullptr);
    c.Result = result;
    if (result != LUMETTA_SKIN_OK) {
      wchar_t reason[512] = {};
      LumettaSkinLastError(reason, 512);
      CopyToField(c.Reason, std::wstring(reason));
    }
    c.State = result == LUMETTA_SKIN_OK ? TSkinRunState::Started : TSkinRunState::Failed;
    TKernelHandle started(
        OpenEventW(EVENT_MODIFY_STATE, FALSE, SkinRunEventName(GetCurrentProcessId()).c_str()));
    if (started) SetEvent(started.get());
  } catch (...) {
    // SkinRun then says the engine never started; the program runs on without it.
  }
}

LRESULT CALLBACK FirstMessage(int code, WPARAM wParam, LPARAM lParam) noexcept {
  const LRESULT next = CallNextHookEx(gHook.get(), code, wParam, lParam);
  // Once only: the engine's own start may take messages on this thread again.
  if (code == HC_ACTION && !gFired) {
    gFired = true;
    gHook.reset();
    StartEngine();
  }
  return next;
}

}  // namespace

extern "C" LUMETTA_SKIN_API unsigned long __stdcall LumettaSkinRunAttach(void*) {
  TChannelView channel;
  if (!channel.Ok()) return ERROR_FILE_NOT_FOUND;
  if (gHook || gFired) return ERROR_ALREADY_EXISTS;
  HMODULE self = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&FirstMessage), &self);
  gHook.reset(SetWindowsHookExW(WH_GETMESSAGE, FirstMessage, self, channel.View->MainThread));
  return gHook ? 0 : GetLastError();
}
