#pragma once
// What the restart program decides, apart from the calls that gather and act on it:
// which top-level windows are a running Lumetta's main window, and where the program to
// start lies.
#include <cstdint>
#include <string>
#include <vector>

struct TTopWindow {
  uintptr_t Handle = 0;
  uint32_t ProcessId = 0;
  std::string ClassName;
  std::string Caption;
  std::string ImagePath;  // full path of the process's program file; empty when unknown
};

// The main form's window class and caption, as the program creates them.
inline constexpr const char* MainFormClass = "TfrmMain";
inline constexpr const char* MainFormCaption = "Lumetta";
inline constexpr const char* ProgramFile = "Lumetta.exe";

// The main windows of running Lumetta processes, at most one per process, in the given order.
// A window counts when its class and caption are the main form's and its program file is
// named Lumetta.exe (any letter case, any folder); an unknown program file does not count.
std::vector<TTopWindow> FindMainWindows(const std::vector<TTopWindow>& windows);

// The folder part of a program path, with its trailing separator ('\' or '/'); empty when
// the path has no folder.
std::string FolderOf(const std::string& path);

// Base name of a path after the last '\' or '/'.
std::string BaseNameOf(const std::string& path);

// How long the restart waits in all for the old processes to end, in milliseconds.
inline constexpr uint32_t CloseWaitMs = 10000;

// Exit codes of the restart program: 0 when Lumetta was started.
inline constexpr int ExitStillRunning = 2;  // an old Lumetta did not end: nothing was started
inline constexpr int ExitStartFailed = 3;   // the program could not be started

// Caption of the restart program's message boxes.
inline constexpr const char* RestartCaption = "Lumetta restart";

// Why nothing was started: the processes (by id) that were asked to close and had not
// ended after waitMs.
std::string StillRunningReport(const std::vector<uint32_t>& processIds, uint32_t waitMs);

// Why the program did not start: its path and the system's reason (may be empty).
std::string StartFailedReport(const std::string& program, const std::string& reason);
