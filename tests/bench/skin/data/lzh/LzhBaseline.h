#pragma once
// A plain reference decoder of the same LZHUF stream, written the textbook way: bytes come one
// at a time through stdio's getc, bits are taken one at a time, the adaptive tree lives in three
// arrays and is searched linearly. It shares no code with skin/data, so the fast decoder can be
// measured against it and checked for byte-identical output.
#include <cstdint>
#include <cstdio>
#include <span>
#include <vector>

// Decodes from `in` until at least textSize bytes exist (a final match may add up to 59 more).
// Past the end of `in` every bit reads as zero, forever.
std::vector<uint8_t> BaselineLzhDecode(std::FILE* in, int32_t textSize);

// The same over memory, through an fmemopen'd stdio stream.
std::vector<uint8_t> BaselineLzhDecode(std::span<const uint8_t> bits, int32_t textSize);
