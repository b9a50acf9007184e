// icongen OUT.ico: writes the program's icon (16 and 32 pixels).
#include <cstdio>
#include <exception>
#include <fstream>

#include "tools/icongen/IconArt.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: icongen OUT.ico\n");
    return 2;
  }
  try {
    auto bytes = EncodeIco({DrawLumettaIcon(16), DrawLumettaIcon(32)});
    std::ofstream f(argv[1], std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!f) {
      std::fprintf(stderr, "icongen: cannot write %s\n", argv[1]);
      return 1;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "icongen: %s\n", e.what());
    return 1;
  }
  return 0;
}
