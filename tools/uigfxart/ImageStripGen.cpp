// Writes the 16 x 16 image strip the class library's image-list tests load from a resource:
// four images side by side, each a magenta (key colour) field with a centred 8 x 8 square of
// its own colour (red, green, blue, yellow) and, in the top-left corner, as many dark pixels
// as its index + 1, so a wrong image or a shifted cut is visible.
// Usage: ImageStripGen out.bmp
#include <cstdio>

#include "ui/BmpDecode.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s out.bmp\n", argv[0]);
    return 2;
  }
  const uint32_t squares[4] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF};  // 0x00BBGGRR
  TPixelBuffer px(64, 16, 24);
  for (int i = 0; i < 4; ++i)
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        uint32_t c = 0xFF00FF;
        if (x >= 4 && x < 12 && y >= 4 && y < 12) c = squares[i];
        if (y == 0 && x <= i) c = 0x202020;
        px.SetPixel(i * 16 + x, y, c);
      }
  const std::vector<uint8_t> bytes = EncodeBmp(px);
  FILE* f = std::fopen(argv[1], "wb");
  if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || std::fclose(f) != 0) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
