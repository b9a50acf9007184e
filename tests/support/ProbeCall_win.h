#pragma once
// What the outside probes share: their command line, [--out FILE] COMMAND ARGS..., and their
// answer, printed or written to FILE (a program a Wine desktop starts has no console).
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

struct TProbeCall {
  std::string OutPath;
  std::vector<std::string> Args;  // the command first
  std::string Arg(size_t i) const { return i < Args.size() ? Args[i] : ""; }
};

inline TProbeCall ParseProbeCall(int argc, char** argv) {
  TProbeCall call;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--out" && i + 1 < argc)
      call.OutPath = argv[++i];
    else
      call.Args.push_back(argv[i]);
  }
  return call;
}

// Written whole and then renamed, so a reader never sees half an answer.
inline void WriteProbeAnswer(const TProbeCall& call, const std::string& answer) {
  if (call.OutPath.empty()) {
    fputs(answer.c_str(), stdout);
    return;
  }
  const std::string temp = call.OutPath + ".part";
  if (FILE* f = fopen(temp.c_str(), "wb")) {
    fputs(answer.c_str(), f);
    fclose(f);
    MoveFileExA(temp.c_str(), call.OutPath.c_str(), MOVEFILE_REPLACE_EXISTING);
  }
}
