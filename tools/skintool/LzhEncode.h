#pragma once
// LZHUF encoder for skin authors' tools (the program itself only decodes). Produces bit
// streams that the decoder in skin/data reads back exactly, from any input.
#include <cstdint>
#include <span>
#include <vector>

#include "skin/data/LzhTree.h"

// Writes symbols one by one, adapting its tree exactly as the decoder does.
class TLzhWriter {
 public:
  TLzhWriter();
  void PutLiteral(uint8_t byte);
  // length 3..60; position 0..4095 is the distance back from the write position, minus one.
  void PutMatch(int length, int position);
  // Pads the last byte with zero bits and returns the bit stream.
  std::vector<uint8_t> Finish();

 private:
  void PutSymbol(int c);
  void PutBits(unsigned value, int count);  // the low `count` bits of value, most significant first

  TLzhTree FTree;
  std::vector<uint8_t> FOut;
  uint32_t FBits = 0;
  int FCount = 0;
};

// The bit stream for `data` (no size field).
std::vector<uint8_t> LzhEncode(std::span<const uint8_t> data);
// 4-byte little-endian size, then the bit stream.
std::vector<uint8_t> LzhEncodeFramed(std::span<const uint8_t> data);
