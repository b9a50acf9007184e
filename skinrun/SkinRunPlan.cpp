#include "skinrun/SkinRunPlan.h"

TSkinLoadResult CheckSkinFile(const std::filesystem::path& file) {
  TSkinData data(nullptr, SoftwareSkinPlatform());
  data.SkinFormtype = sfDialog;  // load only: nothing to apply it to here
  return data.LoadSkinFile(file);
}

TSkinRunExit ProgramVerdict(TProgramKind kind, TProgramKind own) {
  if (kind == TProgramKind::NotAProgram || kind == TProgramKind::OtherMachine)
    return TSkinRunExit::NotAProgram;
  if (kind != own) return TSkinRunExit::OtherArchitecture;
  return TSkinRunExit::Ok;
}

std::wstring SkinRunMessage(TSkinRunExit exit, const std::wstring& subject, const std::wstring& detail) {
  const std::wstring s = L"SkinRun: ";
  switch (exit) {
    case TSkinRunExit::Ok:
      return {};
    case TSkinRunExit::Usage:
      return s + detail + L"\n" + SkinRunUsage();
    case TSkinRunExit::NotFound:
      return s + L"cannot find the program " + subject +
             L" (looked in the current folder, the system folders and the folders of PATH).";
    case TSkinRunExit::NotAProgram:
      return s + subject + L" is not a Windows program this machine runs.";
    case TSkinRunExit::OtherArchitecture:
      // detail: this SkinRun's kind ("64-bit"); the program is of the other one.
      return s + subject + L" is a " + (detail == L"64-bit" ? L"32-bit" : L"64-bit") +
             L" program and this SkinRun.exe is " + detail + L": run it with the " +
             (detail == L"64-bit" ? L"32-bit SkinRun.exe (Lumetta-win32.zip)."
                                  : L"64-bit SkinRun.exe (Lumetta-win64.zip).");
    case TSkinRunExit::SkinRefused:
      return s + L"cannot use the skin file " + subject + L": " + detail + L" The program was not started.";
    case TSkinRunExit::StartFailed:
      return s + L"cannot start " + subject + L": " + detail;
    case TSkinRunExit::EndedBeforeEngine:
      return s + subject + L" ended (exit code " + detail +
             L") before the skin engine could start in it. (A program that only starts another one, such as "
             L"a "
             L"32-bit copy that starts its 64-bit one, cannot be skinned this way.)";
  }
  return s + detail;
}

std::wstring EngineFailedMessage(const std::wstring& program, const std::wstring& reason) {
  return L"SkinRun: the skin engine could not start in " + program + L": " + reason +
         L" It runs without a skin.";
}
