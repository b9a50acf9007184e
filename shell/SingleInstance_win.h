#pragma once
// The second start of a program file asks the running one, with one message, to say in a
// balloon at its notification-area icon that it is already running.
#include <windows.h>

#include <string>

inline constexpr char kAlreadyRunningText[] = "Lumetta is already running";

// The message the running one receives (registered, so no other program's number collides).
UINT AlreadyRunningMessage();

// Posts AlreadyRunningMessage to the main window of the process started from programPath
// (the same file, in any letter case), waiting up to waitMs for it to appear while that
// process is still starting. False when none was found.
bool TellRunningInstance(const std::string& programPath, DWORD waitMs = 5000);
