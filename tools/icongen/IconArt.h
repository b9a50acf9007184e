#pragma once
// The program's icon, drawn by code: a four-pointed sparkle with a smaller diagonal one, a soft
// blue glow and a short trail of particles, in straight (not premultiplied) 32-bit BGRA.
#include <cstdint>
#include <vector>

struct TIconImage {
  int Size = 0;                    // width = height
  std::vector<std::uint8_t> Bgra;  // Size * Size * 4, top row first
};

TIconImage DrawLumettaIcon(int size);

// A .ico file holding the images as 32-bit DIBs (with an AND mask set where alpha is 0),
// in the order given. Sizes must be 1..256.
std::vector<std::uint8_t> EncodeIco(const std::vector<TIconImage>& images);
