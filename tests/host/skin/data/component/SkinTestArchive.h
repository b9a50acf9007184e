#pragma once
// Small skin archives built in the tests: solid-colour BMP entries and a description.
#include <string>
#include <vector>

#include "skin/data/SkinData.h"
#include "support/SolidFrames.h"
#include "tools/skintool/ArchiveWriter.h"
#include "ui/BmpDecode.h"

namespace skintest {

// A w x h image of frames side by side, frame i (from 1) filled with colours[i - 1].
inline TPixelBuffer Frames(int frameW, int h, const std::vector<uint32_t>& colours) {
  return SolidFrames(static_cast<int>(colours.size()), frameW, h,
                     [&](int f) { return colours[static_cast<size_t>(f - 1)]; });
}
inline TPixelBuffer Solid(int w, int h, uint32_t colour = 0x808080) { return Frames(w, h, {colour}); }

struct TSkinArchive {
  std::vector<TArchiveEntry> Entries;
  TSkinArchive& Bmp(const std::string& name, const TPixelBuffer& image) {
    std::vector<uint8_t> bytes = EncodeBmp(image);
    Entries.push_back({name, bytes});
    return *this;
  }
  TSkinArchive& Raw(const std::string& name, const std::string& text) {
    Entries.push_back({name, std::vector<uint8_t>(text.begin(), text.end())});
    return *this;
  }
  TSkinArchive& Ini(const std::string& text) { return Raw("skin.ini", text); }
  std::vector<uint8_t> Pack(int32_t version = 20000) const { return PackArchive(Entries, version); }
};

// Loads the archive into the component; returns LoadSkin's answer.
inline bool Load(TSkinData& data, const TSkinArchive& archive, int32_t version = 20000) {
  data.SkinArchive.Clear();
  const std::vector<uint8_t> bytes = archive.Pack(version);
  data.SkinArchive.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  return data.LoadSkin();
}

}  // namespace skintest
