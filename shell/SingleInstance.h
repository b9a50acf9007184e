#pragma once
// One Lumetta per program file: the first start holds a named mutex for as long as it runs,
// and a second start of the same program finds it taken and leaves before it touches
// anything (the hook record, the tray, the settings).
#include <string>

// The mutex's name for a program file. The same file gives the same name in any letter case
// and with either separator; copies in other folders get names of their own, since each
// loads its own hook library and so has a cursor record of its own.
std::string InstanceMutexName(const std::string& programPath);
