// skingen SKINDIR GLYPHS: writes the built-in skin into SKINDIR (every bitmap, the
// description "skin.ini" and "order.txt", the archive's entries in order, one a line) and
// the menu glyph bitmap, a program resource rather than part of the archive, to GLYPHS.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/skingen/Elements.h"
#include "ui/BmpDecode.h"

namespace {

bool WriteFile(const std::string& path, const void* data, size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
  return static_cast<bool>(out);
}

}  // namespace

// skingen --stream ARCHIVE OUT: writes OUT as the stored form of a skin archive, a 4-byte
// little-endian byte count followed by the archive's bytes.
int WriteStream(const char* archive, const char* out) {
  std::ifstream in(archive, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.eof() && !in) {
    std::fprintf(stderr, "skingen: cannot read %s\n", archive);
    return 1;
  }
  const uint32_t n = static_cast<uint32_t>(bytes.size());
  std::vector<char> stream = {static_cast<char>(n & 0xFF), static_cast<char>((n >> 8) & 0xFF),
                              static_cast<char>((n >> 16) & 0xFF), static_cast<char>(n >> 24)};
  stream.insert(stream.end(), bytes.begin(), bytes.end());
  if (bytes.empty() || !WriteFile(out, stream.data(), stream.size())) {
    std::fprintf(stderr, "skingen: cannot make %s from %s\n", out, archive);
    return 1;
  }
  return 0;
}

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--stream") return WriteStream(argv[2], argv[3]);
  if (argc != 3) {
    std::fprintf(stderr, "usage: skingen SKINDIR GLYPHS.bmp | skingen --stream ARCHIVE OUT\n");
    return 2;
  }
  const std::string dir = std::string(argv[1]) + "/";
  std::string list;
  for (const skingen::TSkinFile& f : skingen::BuildSkinImages()) {
    std::vector<unsigned char> bmp = EncodeBmp(f.Image);
    if (!WriteFile(dir + f.Name, bmp.data(), bmp.size())) {
      std::fprintf(stderr, "skingen: cannot write %s%s\n", dir.c_str(), f.Name.c_str());
      return 1;
    }
    list += f.Name + "\n";
  }
  const std::string ini = skingen::BuildSkinIni();
  std::vector<unsigned char> glyphs = skingen::BuildMenuGlyphsBmp();
  list += "skin.ini\n";
  if (!WriteFile(dir + "skin.ini", ini.data(), ini.size()) ||
      !WriteFile(argv[2], glyphs.data(), glyphs.size()) ||
      !WriteFile(dir + "order.txt", list.data(), list.size())) {
    std::fprintf(stderr, "skingen: cannot write into %s\n", dir.c_str());
    return 1;
  }
  return 0;
}
