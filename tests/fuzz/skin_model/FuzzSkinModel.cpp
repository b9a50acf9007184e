// Colour texts and whole skin descriptions against the data model: the first byte picks
// which; a description is read over a fixed archive of small bitmaps of awkward sizes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "skin/data/SkinData.h"
#include "skin/data/SkinIni.h"
#include "skin/data/SkinRead.h"
#include "tools/skintool/ArchiveWriter.h"
#include "ui/BmpDecode.h"

namespace {

const TSkinReader& Archive() {
  static const TSkinReader reader = [] {
    std::vector<TArchiveEntry> entries;
    const int sizes[][2] = {{1, 1}, {12, 3}, {56, 14}, {102, 17}, {3, 40}, {200, 21}, {7, 7}};
    const char* names[] = {"a.bmp", "b.bmp", "c.bmp", "d.bmp", "e.bmp", "f.bmp", "g.bmp"};
    for (size_t i = 0; i < std::size(names); ++i) {
      TPixelBuffer p(sizes[i][0], sizes[i][1], 24);
      for (int y = 0; y < p.Height; ++y)
        for (int x = 0; x < p.Width; ++x) p.SetPixel(x, y, (x + y) % 3 == 0 ? 0xFF00FF : 0x102030u * (x % 7));
      entries.push_back({names[i], EncodeBmp(p)});
    }
    entries.push_back({"h.bmp", {'B', 'M', 1, 2, 3}});
    TMemoryStream packed(PackArchive(entries));
    TSkinReader r;
    r.LoadArchive(packed);
    return r;
  }();
  return reader;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  if (data[0] % 2 == 0) {
    (void)TSkinData::ParseColour(text, 0);
    return 0;
  }
  TMemoryStream stream(std::vector<uint8_t>(data + 1, data + size));
  TQuickIni ini;
  ini.LoadFromStream(&stream);
  TSkinData skin(nullptr, SoftwareSkinPlatform());
  skin.ReadSkin(ini, Archive());
  skin.ReadSkin(ini, Archive());  // a second load over the first
  return 0;
}
