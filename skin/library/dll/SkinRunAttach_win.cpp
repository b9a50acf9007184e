// LumettaSkinRunAttach: how SkinRun.exe starts the engine in a program it started suspended.
// SkinRun loads this DLL into the program with a remote thread and then runs this export on
// another one. The engine must live on the program's main thread, which has not run yet: this
// sets a WH_GETMESSAGE hook on that thread alone, and the hook starts the engine there at the
// first message the thread takes, then removes itself.
#include <windows.h>

#include <string>

#include "skin/library/LumettaSkin.h"
#include "skin/library/SkinRunChannel.h"

namespace {

HHOOK gHook = nullptr;
bool gFired = false;

// The block SkinRun shared, mapped for as long as it is used.
struct TChannelView {
  HANDLE Mapping = nullptr;
  TSkinRunChannel* View = nullptr;
  TChannelView() {
    Mapping = OpenFileMappingW(FILE_MAP_READ | FILE_MAP_WRITE, FALSE,
                               SkinRunChannelName(GetCurrentProcessId()).c_str());
    if (Mapping)
      View = static_cast<TSkinRunChannel*>(
          MapViewOfFile(Mapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(TSkinRunChannel)));
  }
  ~TChannelView() {
    if (View) UnmapViewOfFile(View);
    if (Mapping) CloseHandle(Mapping);
  }
  TChannelView(const TChannelView&) = delete;
  TChannelView& operator=(const TChannelView&) = delete;
  bool Ok() const { return View && View->Size == sizeof(TSkinRunChannel); }
};

void StartEngine() noexcept {
  TChannelView channel;
  if (!channel.Ok()) return;  // SkinRun is gone: nobody to skin for
  TSkinRunChannel& c = *channel.View;
  std::wstring skin(reinterpret_cast<const wchar_t*>(c.SkinFile));
  const int result = LumettaSkinStart(skin.empty() ? nullptr : skin.c_str());
  c.Result = result;
  if (result != LUMETTA_SKIN_OK) {
    wchar_t reason[512] = {};
    LumettaSkinLastError(reason, 512);
    CopyToField(c.Reason, std::wstring(reason));
  }
  c.State = result == LUMETTA_SKIN_OK ? TSkinRunState::Started : TSkinRunState::Failed;
  if (HANDLE started =
          OpenEventW(EVENT_MODIFY_STATE, FALSE, SkinRunEventName(GetCurrentProcessId()).c_str())) {
    SetEvent(started);
    CloseHandle(started);
  }
}

LRESULT CALLBACK FirstMessage(int code, WPARAM wParam, LPARAM lParam) {
  const LRESULT next = CallNextHookEx(gHook, code, wParam, lParam);
  // Once only: the engine's own start may take messages on this thread again.
  if (code == HC_ACTION && !gFired) {
    gFired = true;
    UnhookWindowsHookEx(gHook);
    gHook = nullptr;
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
  gHook = SetWindowsHookExW(WH_GETMESSAGE, FirstMessage, self, channel.View->MainThread);
  return gHook ? 0 : GetLastError();
}
