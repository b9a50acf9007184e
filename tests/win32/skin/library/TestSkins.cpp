// Draws the skins the library's tests load, as folders for `skintool pack`:
//   second/   solid border pieces of one colour (kSecondColour), unlike the built-in skin
//   refused/  a 40000 x 30000 picture in a few bytes, past the load bounds
// Usage: testskins OUTDIR
#include "tests/win32/skin/library/TestSkins.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/host/ui/gfx/BmpBuilder.h"
#include "ui/BmpDecode.h"

namespace fs = std::filesystem;

namespace {

void Write(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}
void Write(const fs::path& path, const std::string& text) {
  Write(path, std::vector<uint8_t>(text.begin(), text.end()));
}

std::vector<uint8_t> Solid(int w, int h, uint32_t bgr) {
  TPixelBuffer b(w, h, 24);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, bgr);
  return EncodeBmp(b);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: testskins OUTDIR\n");
    return 2;
  }
  try {
    const fs::path out = argv[1];
    const fs::path second = out / "second", refused = out / "refused";
    fs::create_directories(second);
    fs::create_directories(refused);
    const uint32_t c = kSecondColour;
    Write(second / "top.bmp", Solid(60, kSecondTop, c));
    Write(second / "bottom.bmp", Solid(60, kSecondSide, c));
    Write(second / "left.bmp", Solid(kSecondSide, 40, c));
    Write(second / "right.bmp", Solid(kSecondSide, 40, c));
    Write(second / "skin.ini",
          "[TitlebarSkin]\r\nSkinName=Second\r\n[Personality]\r\nTop=top.bmp\r\nBottom=bottom.bmp\r\n"
          "Left=left.bmp\r\nRight=right.bmp\r\n");
    Write(refused / "huge.bmp", bmptest::EmptyRunLength(40000, 30000));
    Write(refused / "top.bmp", Solid(60, 20, c));
    Write(refused / "skin.ini", "[Personality]\r\nTop=top.bmp\r\nLeft=huge.bmp\r\n");
    Write(out / "notaskin.skn", "[Personality]\r\nTop=top.bmp\r\n");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "testskins: %s\n", e.what());
    return 1;
  }
  return 0;
}
