#pragma once
// Paths beside the test program: the build puts the programs beside it and the default
// picture in Images/.
#include <windows.h>

#include <string>

inline std::string ExeDir() {
  char buf[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, buf, MAX_PATH);
  std::string s(buf);
  return s.substr(0, s.find_last_of("\\/") + 1);
}

inline std::string BallPath() { return ExeDir() + "Images/ball_blue.png"; }
