// Draws the skins the library's tests load, as folders for `skintool pack`:
//   second/   solid border pieces of one colour (kSecondColour), unlike the built-in skin
//   refused/  a 40000 x 30000 picture in a few bytes, past the load bounds
// Usage: testskins OUTDIR
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/win32/skin_library/TestSkins.h"
#include "ui/BmpDecode.h"

namespace fs = std::filesystem;

namespace {

void Write(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}
void Write(const fs::path& path, const std::string& text) { Write(path, std::vector<uint8_t>(text.begin(), text.end())); }

std::vector<uint8_t> Solid(int w, int h, uint32_t bgr) {
  TPixelBuffer b(w, h, 24);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, bgr);
  return EncodeBmp(b);
}

void Put32(std::vector<uint8_t>& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Put16(std::vector<uint8_t>& b, uint16_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}

// An 8-bit run-length bitmap of w x h pixels whose stream only says "end of bitmap".
std::vector<uint8_t> HugeRunLength(int32_t w, int32_t h) {
  std::vector<uint8_t> b = {'B', 'M'};
  const uint32_t offBits = 14 + 40 + 4;
  Put32(b, offBits + 2);
  Put32(b, 0);
  Put32(b, offBits);
  Put32(b, 40);
  Put32(b, static_cast<uint32_t>(w));
  Put32(b, static_cast<uint32_t>(h));
  Put16(b, 1);
  Put16(b, 8);
  Put32(b, 1);  // BI_RLE8
  Put32(b, 2);
  Put32(b, 0);
  Put32(b, 0);
  Put32(b, 1);
  Put32(b, 0);
  Put32(b, 0x00336699);  // the palette's one colour
  b.push_back(0);
  b.push_back(1);
  return b;
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
    Write(refused / "huge.bmp", HugeRunLength(40000, 30000));
    Write(refused / "top.bmp", Solid(60, 20, c));
    Write(refused / "skin.ini", "[Personality]\r\nTop=top.bmp\r\nLeft=huge.bmp\r\n");
    Write(out / "notaskin.skn", "[Personality]\r\nTop=top.bmp\r\n");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "testskins: %s\n", e.what());
    return 1;
  }
  return 0;
}
