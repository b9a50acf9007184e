#pragma once
// The default particle picture: a glossy blue ball with a soft alpha edge, lit from the
// upper left, with a small white highlight.
#include <cstdint>
#include <vector>

// size x size pixels, rows top first, each pixel R, G, B, A (not premultiplied).
std::vector<uint8_t> RenderBall(uint32_t size);
