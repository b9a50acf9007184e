#pragma once
// The built-in skin "Lumetta Mist": flat soft greys with one blue accent. Every image of
// the skin is painted here from code, so the skin is reproducible byte for byte.
#include <string>
#include <vector>

#include "ui/PixelBuffer.h"

namespace skingen {

struct TSkinFile {
  std::string Name;    // archive entry name, lower case
  TPixelBuffer Image;  // 24-bit
};

// All bitmaps of the skin, in archive order.
std::vector<TSkinFile> BuildSkinImages();

// The description text that names the images above.
std::string BuildSkinIni();

// The four 16 x 16 menu glyphs (restore, maximize, minimize, close) side by side, as a
// 64 x 16 1-bit BMP file: glyph pixels black, background white.
std::vector<unsigned char> BuildMenuGlyphsBmp();

}  // namespace skingen
