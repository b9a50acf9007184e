// SkinRun.exe [--skin FILE] PROGRAM [ARGS...]: runs PROGRAM with the skin engine in it and
// answers its exit code. PROGRAM starts suspended; a remote thread loads LumettaSkin.dll (found
// beside SkinRun.exe) into it and a second one runs LumettaSkinRunAttach, which hooks the
// program's main thread so that the engine starts there at its first message. Nothing here
// touches any process but the one it started; the checks that can refuse a run come first.
#include <windows.h>
// after windows.h, whose types it uses
#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "skin/library/LumettaSkin.h"
#include "skin/library/SkinRunChannel.h"
#include "skinrun/SkinRunPlan.h"
#include "ui/Handles.h"

namespace {

constexpr TProgramKind OwnKind = sizeof(void*) == 8 ? TProgramKind::Amd64 : TProgramKind::I386;
constexpr DWORD RemoteTimeoutMs = 30000;

void Say(const std::wstring& line) {
  const std::wstring text = line + (line.empty() || line.back() != L'\n' ? L"\n" : L"");
  // The console's own code page where there is a console; bytes of the ANSI page through a pipe.
  HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
  DWORD written = 0;
  if (!WriteConsoleW(err, text.c_str(), static_cast<DWORD>(text.size()), &written, nullptr)) {
    const int n = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), n, nullptr,
                        nullptr);
    WriteFile(err, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  }
}

int Exit(TSkinRunExit exit, const std::wstring& subject, const std::wstring& detail = {}) {
  Say(SkinRunMessage(exit, subject, detail));
  return static_cast<int>(exit);
}

std::wstring SystemError(DWORD code) {
  wchar_t* text = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring out = text ? text : L"";
  if (text) LocalFree(text);
  while (!out.empty() &&
         (out.back() == L'\n' || out.back() == L'\r' || out.back() == L' ' || out.back() == L'.'))
    out.pop_back();
  return out + (out.empty() ? L"" : L" ") + L"(error " + std::to_wstring(code) + L").";
}

std::wstring Folder(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring ModulePath(HMODULE module) {
  std::wstring path(32768, L'\0');
  const DWORD n = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
  path.resize(n);
  return path;
}

std::wstring FullPath(const std::wstring& path) {
  const DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (n == 0) return path;
  std::wstring out(n, L'\0');
  const DWORD m = GetFullPathNameW(path.c_str(), n, out.data(), nullptr);
  out.resize(m);
  return out;
}

bool IsFile(const std::wstring& path) {
  const DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring Env(const wchar_t* name) {
  const DWORD n = GetEnvironmentVariableW(name, nullptr, 0);
  if (n == 0) return {};
  std::wstring out(n, L'\0');
  out.resize(GetEnvironmentVariableW(name, out.data(), n));
  return out;
}

std::wstring SystemFolder(UINT(WINAPI* get)(LPWSTR, UINT)) {
  wchar_t buf[MAX_PATH] = {};
  const UINT n = get(buf, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::wstring(buf, n) : std::wstring();
}

TProgramKind KindOf(const std::wstring& path) {
  TFileHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                               0, nullptr));
  if (!file) return TProgramKind::NotAProgram;
  return ClassifyProgram([&](uint64_t offset, size_t count) {
    std::vector<uint8_t> bytes(count);
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(offset);
    DWORD got = 0;
    if (!SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN) ||
        !ReadFile(file.get(), bytes.data(), static_cast<DWORD>(count), &got, nullptr))
      got = 0;
    bytes.resize(got);
    return bytes;
  });
}

// Runs `start` at `parameter` on a new thread of the process and answers the thread's exit
// code, or nothing when it could not run or did not end in time.
bool RunRemote(HANDLE process, LPTHREAD_START_ROUTINE start, void* parameter, DWORD& exitCode,
               std::wstring& why) {
  TKernelHandle thread(CreateRemoteThread(process, nullptr, 0, start, parameter, 0, nullptr));
  if (!thread) {
    why = SystemError(GetLastError());
    return false;
  }
  if (WaitForSingleObject(thread.get(), RemoteTimeoutMs) != WAIT_OBJECT_0) {
    why = L"the program did not answer in time.";
    return false;
  }
  GetExitCodeThread(thread.get(), &exitCode);
  return true;
}

// Where the library was mapped in the program: the module whose base's low 32 bits the
// remote LoadLibraryW answered (a thread's exit code holds no more).
HMODULE RemoteModule(HANDLE process, DWORD low, const std::wstring& dllPath) {
  std::vector<HMODULE> modules(1024);
  DWORD bytes = 0;
  if (!K32EnumProcessModules(process, modules.data(), static_cast<DWORD>(modules.size() * sizeof(HMODULE)),
                             &bytes))
    return nullptr;
  modules.resize(bytes / sizeof(HMODULE));
  for (HMODULE m : modules) {
    if (static_cast<DWORD>(reinterpret_cast<uintptr_t>(m)) != low) continue;
    wchar_t name[MAX_PATH * 2] = {};
    if (K32GetModuleFileNameExW(process, m, name, MAX_PATH * 2) && lstrcmpiW(name, dllPath.c_str()) != 0)
      continue;
    return m;
  }
  return nullptr;
}

// The process memory a remote call reads, freed when it is no longer needed.
class TRemoteText {
 public:
  TRemoteText(HANDLE process, const std::wstring& text) : FProcess(process) {
    const SIZE_T size = (text.size() + 1) * sizeof(wchar_t);
    FAddress = VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (FAddress && !WriteProcessMemory(process, FAddress, text.c_str(), size, nullptr)) {
      VirtualFreeEx(process, FAddress, 0, MEM_RELEASE);
      FAddress = nullptr;
    }
  }
  ~TRemoteText() {
    if (FAddress) VirtualFreeEx(FProcess, FAddress, 0, MEM_RELEASE);
  }
  TRemoteText(const TRemoteText&) = delete;
  TRemoteText& operator=(const TRemoteText&) = delete;
  void* Address() const { return FAddress; }

 private:
  HANDLE FProcess;
  void* FAddress = nullptr;
};

// Loads the library into the suspended program and sets the engine's hook on its main
// thread; an empty answer means it is done, else the reason.
std::wstring Attach(HANDLE process, const std::wstring& dllPath) {
  // kernel32 is mapped at the same address in every process of one architecture.
  const auto loadLibrary = reinterpret_cast<LPTHREAD_START_ROUTINE>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW")));
  TRemoteText remotePath(process, dllPath);
  if (!remotePath.Address()) return L"cannot write into it: " + SystemError(GetLastError());
  DWORD loaded = 0;
  std::wstring why;
  if (!RunRemote(process, loadLibrary, remotePath.Address(), loaded, why))
    return L"cannot load LumettaSkin.dll into it: " + why;
  if (loaded == 0) return L"LumettaSkin.dll could not be loaded into it.";
  HMODULE remote = sizeof(void*) == 4 ? reinterpret_cast<HMODULE>(static_cast<uintptr_t>(loaded))
                                      : RemoteModule(process, loaded, dllPath);
  if (!remote) return L"LumettaSkin.dll was loaded into it but cannot be found there.";
  // The export's place in the remote mapping: its offset in a mapping of our own.
  HMODULE local = LoadLibraryExW(dllPath.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
  if (!local) return L"cannot read LumettaSkin.dll: " + SystemError(GetLastError());
  const auto attach = reinterpret_cast<uintptr_t>(GetProcAddress(local, "LumettaSkinRunAttach"));
  const uintptr_t offset = attach - reinterpret_cast<uintptr_t>(local);
  FreeLibrary(local);
  if (!attach) return L"this LumettaSkin.dll has no LumettaSkinRunAttach (another version?).";
  const auto remoteAttach = reinterpret_cast<LPTHREAD_START_ROUTINE>(
      reinterpret_cast<void*>(reinterpret_cast<uintptr_t>(remote) + offset));
  DWORD attached = 0;
  if (!RunRemote(process, remoteAttach, nullptr, attached, why))
    return L"cannot start the skin engine in it: " + why;
  if (attached != 0) return L"cannot hook its main thread: " + SystemError(attached);
  return {};
}

// The shared block and the event the engine answers through, made before the program runs.
struct TChannel {
  TKernelHandle Mapping, Started;
  TSkinRunChannel* View = nullptr;
  ~TChannel() {
    if (View) UnmapViewOfFile(View);
  }
  bool Open(DWORD pid) {
    Mapping.reset(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                     sizeof(TSkinRunChannel), SkinRunChannelName(pid).c_str()));
    Started.reset(CreateEventW(nullptr, TRUE, FALSE, SkinRunEventName(pid).c_str()));
    if (!Mapping || !Started) return false;
    View =
        static_cast<TSkinRunChannel*>(MapViewOfFile(Mapping.get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, 0));
    return View != nullptr;
  }
};

int Run(const TSkinRunArgs& args, const std::wstring& line, const std::vector<TCommandWord>& words) {
  const std::wstring current = FullPath(L".");
  const auto found = FindProgram(args.Program,
                                 SearchFolders(current, SystemFolder(GetSystemDirectoryW),
                                               SystemFolder(GetWindowsDirectoryW), Env(L"PATH")),
                                 IsFile);
  if (!found) return Exit(TSkinRunExit::NotFound, args.Program);
  const std::wstring program = FullPath(*found);
  if (const TSkinRunExit verdict = ProgramVerdict(KindOf(program), OwnKind); verdict != TSkinRunExit::Ok)
    return Exit(verdict, program, BitsOf(OwnKind));

  std::wstring skin;
  if (!args.SkinFile.empty()) {
    skin = FullPath(args.SkinFile);
    if (skin.size() >= std::size(TSkinRunChannel{}.SkinFile))
      return Exit(TSkinRunExit::SkinRefused, skin, L"Its path is too long.");
    const TSkinLoadResult loaded = CheckSkinFile(std::filesystem::path(skin));
    if (!loaded.Ok()) {
      const int n = MultiByteToWideChar(CP_ACP, 0, loaded.Reason.c_str(), -1, nullptr, 0);
      std::wstring reason(static_cast<size_t>(n > 0 ? n - 1 : 0), L'\0');
      MultiByteToWideChar(CP_ACP, 0, loaded.Reason.c_str(), -1, reason.data(), n);
      return Exit(TSkinRunExit::SkinRefused, skin, reason);
    }
  }
  const std::wstring dll = Folder(ModulePath(nullptr)) + L"\\LumettaSkin.dll";
  if (!IsFile(dll))
    return Exit(TSkinRunExit::StartFailed, program,
                L"LumettaSkin.dll is not beside SkinRun.exe (" + dll + L").");

  std::wstring command = ChildCommandLine(program, line, words, args.ProgramWord);
  // The program writes where SkinRun's own output goes, as it would started on its own.
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  si.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr,
                      nullptr, &si, &pi))
    return Exit(TSkinRunExit::StartFailed, program, SystemError(GetLastError()));
  TKernelHandle process(pi.hProcess), mainThread(pi.hThread);
  // A program that never ran ends here when the engine cannot be put in it.
  auto abandon = [&](const std::wstring& why) {
    TerminateProcess(process.get(), static_cast<UINT>(TSkinRunExit::StartFailed));
    WaitForSingleObject(process.get(), 5000);
    return Exit(TSkinRunExit::StartFailed, program, why);
  };
  TChannel channel;
  if (!channel.Open(pi.dwProcessId))
    return abandon(L"cannot share the skin with it: " + SystemError(GetLastError()));
  *channel.View = TSkinRunChannel{};
  channel.View->Size = sizeof(TSkinRunChannel);
  channel.View->MainThread = pi.dwThreadId;
  CopyToField(channel.View->SkinFile, skin);
  if (const std::wstring why = Attach(process.get(), dll); !why.empty()) return abandon(why);
  ResumeThread(mainThread.get());

  HANDLE both[] = {process.get(), channel.Started.get()};
  const DWORD first = WaitForMultipleObjects(2, both, FALSE, INFINITE);
  const bool engineAnswered =
      first == WAIT_OBJECT_0 + 1 || WaitForSingleObject(channel.Started.get(), 0) == WAIT_OBJECT_0;
  if (engineAnswered && channel.View->State == TSkinRunState::Failed)
    Say(EngineFailedMessage(program, reinterpret_cast<const wchar_t*>(channel.View->Reason)));
  WaitForSingleObject(process.get(), INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.get(), &code);
  if (!engineAnswered) return Exit(TSkinRunExit::EndedBeforeEngine, program, std::to_wstring(code));
  return static_cast<int>(code);
}

}  // namespace

int wmain() {
  try {
    const std::wstring line = GetCommandLineW();
    const std::vector<TCommandWord> words = SplitCommandLine(line);
    const TSkinRunArgs args = ParseSkinRunArgs(words);
    if (args.Help) {
      Say(SkinRunUsage());
      return 0;
    }
    if (!args.Error.empty()) return Exit(TSkinRunExit::Usage, {}, args.Error);
    return Run(args, line, words);
  } catch (const std::exception& e) {
    Say(L"SkinRun: " + std::wstring(e.what(), e.what() + strlen(e.what())));
    return static_cast<int>(TSkinRunExit::StartFailed);
  }
}
