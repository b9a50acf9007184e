#pragma once
// SkinRun.exe's command line, its exit codes and its messages (portable). SkinRun_win.cpp
// carries them out.
#include <cstddef>
#include <string>
#include <vector>

// A word of a Windows command line as the system's argument splitting sees it: its text and
// where it starts and ends in the line (so the rest of the line can be passed on as it came).
struct TCommandWord {
  std::wstring Text;
  std::size_t Begin = 0, End = 0;
};
// Splits a command line as CommandLineToArgvW does: the first word (the program) ends at the
// next blank or, when it starts with a quote, at the next quote; later words follow the
// rules of backslashes before quotes and doubled quotes inside quotes.
std::vector<TCommandWord> SplitCommandLine(const std::wstring& line);

// SkinRun's own exit codes, high so that they rarely meet a program's own; a program that
// ran is answered by its own exit code.
enum class TSkinRunExit : int {
  Ok = 0,
  Usage = 120,
  NotFound = 121,
  NotAProgram = 122,
  OtherArchitecture = 123,
  SkinRefused = 124,
  StartFailed = 125,
  EndedBeforeEngine = 126,
};

struct TSkinRunArgs {
  std::wstring SkinFile;        // empty: the built-in skin
  std::wstring Program;         // as the user wrote it
  std::size_t ProgramWord = 0;  // its index among the command line's words
  std::wstring Error;           // non-empty: the command line cannot be used
  bool Help = false;
};
// words: the whole command line split (SkinRun's own name first). SkinRun's options come
// before PROGRAM; everything after PROGRAM belongs to it.
TSkinRunArgs ParseSkinRunArgs(const std::vector<TCommandWord>& words);
std::wstring SkinRunUsage();

// The command line PROGRAM is started with: its full path, quoted, and the rest of SkinRun's
// line after PROGRAM, as it came.
std::wstring ChildCommandLine(const std::wstring& programPath, const std::wstring& line,
                              const std::vector<TCommandWord>& words, std::size_t programWord);
