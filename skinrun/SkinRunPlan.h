#pragma once
// What SkinRun decides before it starts a program, and what it says (portable).
#include <filesystem>
#include <string>

#include "skin/data/SkinData.h"
#include "skinrun/ProgramLookup.h"
#include "skinrun/SkinRunArgs.h"

// Loads the skin file as the engine will in the program (the same loader, the same bounds),
// without showing it: a skin that fails here is never handed to a program.
TSkinLoadResult CheckSkinFile(const std::filesystem::path& file);

// Whether a program of `kind` can run under a SkinRun of `own` kind; Ok when it can.
TSkinRunExit ProgramVerdict(TProgramKind kind, TProgramKind own);

// The line SkinRun prints for each of its own exits: subject is the program (or skin file)
// the message is about, detail the reason or the number it adds.
std::wstring SkinRunMessage(TSkinRunExit exit, const std::wstring& subject, const std::wstring& detail = {});
// The line for a skin engine that could not start in a program that runs on without it.
std::wstring EngineFailedMessage(const std::wstring& program, const std::wstring& reason);
