// The restart program, run for real against stand-ins for a running Lumetta (a program file
// copied in as Lumetta.exe that shows the main form's window), each in a folder of its own.
#include <windows.h>
// The platform's own headers after <windows.h>.
#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <string>
#include <vector>

#include "restart/RestartPlan.h"
#include "shell/ufrmMain.h"

namespace {

std::string NewFolder(const char* name) {
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  static int counter = 0;
  std::string path = std::string(base) + "lumetta-restart-" + std::to_string(GetCurrentProcessId()) + "-" +
                     std::to_string(++counter) + "-" + name + "\\";
  CreateDirectoryA(path.c_str(), nullptr);
  return path;
}

void CopyFromBin(const char* from, const std::string& to) {
  ASSERT_TRUE(CopyFileA((ProgramFolder() + from).c_str(), to.c_str(), FALSE)) << from << " -> " << to;
}

std::string ImagePathOf(DWORD pid) {
  HANDLE p = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!p) return {};
  char path[MAX_PATH * 2] = {};
  DWORD size = sizeof path;
  const bool ok = QueryFullProcessImageNameA(p, 0, path, &size);
  CloseHandle(p);
  return ok ? std::string(path, size) : std::string();
}

// Processes running the given program file.
std::vector<DWORD> ProcessesOf(const std::string& program) {
  std::vector<DWORD> ids;
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 e{};
  e.dwSize = sizeof e;
  for (BOOL ok = Process32First(snap, &e); ok; ok = Process32Next(snap, &e))
    if (lstrcmpiA(ImagePathOf(e.th32ProcessID).c_str(), program.c_str()) == 0) ids.push_back(e.th32ProcessID);
  CloseHandle(snap);
  return ids;
}

// A started program, ended by the test if it is still running at the end.
struct Started {
  PROCESS_INFORMATION Info{};
  Started(const std::string& program, const std::string& arguments = "") {
    std::string commandLine = "\"" + program + "\" " + arguments;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    EXPECT_TRUE(CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &si, &Info))
        << program;
  }
  ~Started() {
    if (!Info.hProcess) return;
    if (WaitForSingleObject(Info.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(Info.hProcess, 99);
    CloseHandle(Info.hThread);
    CloseHandle(Info.hProcess);
  }
  bool Ended(DWORD ms) const { return WaitForSingleObject(Info.hProcess, ms) == WAIT_OBJECT_0; }
  DWORD ExitCode() const {
    DWORD code = 0;
    GetExitCodeProcess(Info.hProcess, &code);
    return code;
  }
};

struct WindowsOfProcess {
  DWORD Pid;
  std::string Class;
  std::vector<HWND> Found;
};
BOOL CALLBACK CollectOf(HWND w, LPARAM p) {
  auto* want = reinterpret_cast<WindowsOfProcess*>(p);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  char cls[64] = {};
  GetClassNameA(w, cls, sizeof cls);
  if (pid == want->Pid && want->Class == cls && IsWindowVisible(w) == (want->Class == "#32770"))
    want->Found.push_back(w);
  return TRUE;
}

// Waits for a top-level window of a class in a process: the stand-in's hidden main window,
// or a visible message box.
HWND WaitForWindow(DWORD pid, const char* cls, DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  do {
    WindowsOfProcess want{pid, cls, {}};
    EnumWindows(CollectOf, reinterpret_cast<LPARAM>(&want));
    if (!want.Found.empty()) return want.Found.front();
    Sleep(50);
  } while (static_cast<int>(end - GetTickCount()) > 0);
  return nullptr;
}

BOOL CALLBACK CollectText(HWND c, LPARAM p) {
  char cls[32] = {}, text[1024] = {};
  GetClassNameA(c, cls, sizeof cls);
  GetWindowTextA(c, text, sizeof text);
  if (std::string(cls) == "Static" && text[0]) *reinterpret_cast<std::string*>(p) += text;
  return TRUE;
}

std::string TextOfBox(HWND box) {
  std::string text;
  EnumChildWindows(box, CollectText, reinterpret_cast<LPARAM>(&text));
  return text;
}

}  // namespace

TEST(Restart, ClosesTheRunningLumettaThenStartsTheOneBesideItself) {
  const std::string oldFolder = NewFolder("old"), newFolder = NewFolder("new");
  CopyFromBin("LumettaStandIn.exe", oldFolder + "Lumetta.exe");
  CopyFromBin("LumettaStandIn.exe", newFolder + "Lumetta.exe");
  CopyFromBin("Corvane.exe", newFolder + "Corvane.exe");
  Started old(oldFolder + "Lumetta.exe");
  ASSERT_NE(WaitForWindow(old.Info.dwProcessId, "TfrmMain", 10000), nullptr);

  Started restart(newFolder + "Corvane.exe");
  ASSERT_TRUE(restart.Ended(15000));
  EXPECT_EQ(restart.ExitCode(), 0u);
  EXPECT_TRUE(old.Ended(0));
  const std::vector<DWORD> started = ProcessesOf(newFolder + "Lumetta.exe");
  ASSERT_EQ(started.size(), 1u);
  for (DWORD pid : started) {
    HANDLE p = OpenProcess(PROCESS_TERMINATE, FALSE, pid);
    TerminateProcess(p, 0);
    CloseHandle(p);
  }
}

TEST(Restart, AnOldLumettaThatDoesNotEndStartsNothingAndIsReported) {
  const std::string oldFolder = NewFolder("stuck"), newFolder = NewFolder("refused");
  CopyFromBin("LumettaStandIn.exe", oldFolder + "Lumetta.exe");
  CopyFromBin("LumettaStandIn.exe", newFolder + "Lumetta.exe");
  CopyFromBin("Corvane.exe", newFolder + "Corvane.exe");
  Started old(oldFolder + "Lumetta.exe", "--ignore-close");
  ASSERT_NE(WaitForWindow(old.Info.dwProcessId, "TfrmMain", 10000), nullptr);

  const DWORD t0 = GetTickCount();
  Started restart(newFolder + "Corvane.exe");
  const HWND box = WaitForWindow(restart.Info.dwProcessId, "#32770", CloseWaitMs + 15000);
  const DWORD waited = GetTickCount() - t0;
  ASSERT_NE(box, nullptr) << "no message box";
  EXPECT_GE(waited, CloseWaitMs - 500);  // it gave the old one its time
  char caption[64] = {};
  GetWindowTextA(box, caption, sizeof caption);
  EXPECT_STREQ(caption, RestartCaption);
  const std::string text = TextOfBox(box);
  EXPECT_NE(text.find("(process " + std::to_string(old.Info.dwProcessId) + ")"), std::string::npos) << text;
  EXPECT_NE(text.find("did not end within 10 seconds"), std::string::npos) << text;
  // Nothing was started, before the box or after it.
  EXPECT_TRUE(ProcessesOf(newFolder + "Lumetta.exe").empty());
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(restart.Ended(10000));
  EXPECT_EQ(restart.ExitCode(), static_cast<DWORD>(ExitStillRunning));
  EXPECT_TRUE(ProcessesOf(newFolder + "Lumetta.exe").empty());
  EXPECT_FALSE(old.Ended(0));  // left alone
}

TEST(Restart, AProgramThatCannotStartIsReported) {
  const std::string folder = NewFolder("missing");
  CopyFromBin("Corvane.exe", folder + "Corvane.exe");  // and no Lumetta.exe beside it
  Started restart(folder + "Corvane.exe");
  const HWND box = WaitForWindow(restart.Info.dwProcessId, "#32770", 10000);
  ASSERT_NE(box, nullptr) << "no message box";
  const std::string text = TextOfBox(box);
  EXPECT_NE(text.find("Lumetta could not be started from \"" + folder + "Lumetta.exe\""), std::string::npos)
      << text;
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(restart.Ended(10000));
  EXPECT_EQ(restart.ExitCode(), static_cast<DWORD>(ExitStartFailed));
}
