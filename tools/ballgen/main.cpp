// ballgen OUTPUT.png [SIZE]: writes the default particle picture.
#include <cstdio>
#include <cstdlib>

#include "tools/ballgen/Ball.h"
#include "tools/ballgen/PngWriter.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: ballgen OUTPUT.png [SIZE]\n");
    return 2;
  }
  const long size = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 32;
  if (size < 4 || size > 1024) {
    std::fprintf(stderr, "ballgen: size must be 4..1024\n");
    return 2;
  }
  const auto pixels = RenderBall(static_cast<uint32_t>(size));
  const auto file = png::EncodeRgba(static_cast<uint32_t>(size), static_cast<uint32_t>(size), pixels);
  if (!png::WriteFile(argv[1], file)) {
    std::fprintf(stderr, "ballgen: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
