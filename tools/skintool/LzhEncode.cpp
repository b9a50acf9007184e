#include "tools/skintool/LzhEncode.h"

#include <algorithm>
#include <stdexcept>

using namespace lzh;

namespace {

// Code of the upper six position bits: its length and value, taken from the decoder's tables so
// both sides agree by construction.
struct TPositionCodes {
  uint8_t len[64];
  uint8_t code[64];
  constexpr TPositionCodes() : len(), code() {
    for (int i = 255; i >= 0; --i) {
      const int upper = LzhPositions.code[i];
      len[upper] = LzhPositions.len[i];
      code[upper] = static_cast<uint8_t>(i >> (8 - LzhPositions.len[i]));
    }
  }
};
constexpr TPositionCodes PositionCodes{};

constexpr int HashBits = 13;
constexpr int MaxChain = 96;

unsigned Hash3(const uint8_t* p) {
  return ((static_cast<unsigned>(p[0]) << 16 | static_cast<unsigned>(p[1]) << 8 | p[2]) * 2654435761u) >>
         (32 - HashBits);
}

}  // namespace

TLzhWriter::TLzhWriter() { FTree.Start(); }

void TLzhWriter::PutBits(unsigned value, int count) {
  for (int i = count - 1; i >= 0; --i) {
    FBits = (FBits << 1) | ((value >> i) & 1u);
    if (++FCount == 8) {
      FOut.push_back(static_cast<uint8_t>(FBits));
      FBits = 0;
      FCount = 0;
    }
  }
}

void TLzhWriter::PutSymbol(int c) {
  // Walk leaf to root; a node at an odd position is the second child of its parent.
  uint8_t path[T];
  int depth = 0;
  for (int k = FTree.prnt[c + T]; k != R; k = FTree.prnt[k]) path[depth++] = static_cast<uint8_t>(k & 1);
  while (depth > 0) PutBits(path[--depth], 1);
  FTree.Update(c);
}

void TLzhWriter::PutLiteral(uint8_t byte) { PutSymbol(byte); }

void TLzhWriter::PutMatch(int length, int position) {
  if (length <= THRESHOLD || length > F || position < 0 || position >= N)
    throw std::invalid_argument("match out of range");
  PutSymbol(255 - THRESHOLD + length);
  const int upper = position >> 6;
  PutBits(PositionCodes.code[upper], PositionCodes.len[upper]);
  PutBits(static_cast<unsigned>(position & 0x3F), 6);
}

std::vector<uint8_t> TLzhWriter::Finish() {
  if (FCount > 0) PutBits(0, 8 - FCount);
  return std::move(FOut);
}

std::vector<uint8_t> LzhEncode(std::span<const uint8_t> data) {
  TLzhWriter writer;
  const size_t n = data.size();
  std::vector<int32_t> head(size_t{1} << HashBits, -1);
  std::vector<int32_t> prev(n, -1);
  auto insert = [&](size_t at) {
    if (at + 3 > n) return;
    const unsigned h = Hash3(&data[at]);
    prev[at] = head[h];
    head[h] = static_cast<int32_t>(at);
  };

  size_t cur = 0;
  while (cur < n) {
    int bestLength = 0;
    size_t bestFrom = 0;
    const int limit = static_cast<int>(std::min<size_t>(F, n - cur));
    if (limit > THRESHOLD) {
      int32_t cand = head[Hash3(&data[cur])];
      for (int chain = 0; cand >= 0 && chain < MaxChain; ++chain, cand = prev[static_cast<size_t>(cand)]) {
        const size_t from = static_cast<size_t>(cand);
        if (cur - from > static_cast<size_t>(N)) break;  // positions reach 4096 bytes back
        int len = 0;
        while (len < limit && data[from + static_cast<size_t>(len)] == data[cur + static_cast<size_t>(len)])
          ++len;
        if (len > bestLength) {
          bestLength = len;
          bestFrom = from;
          if (len == limit) break;
        }
      }
    }
    if (bestLength > THRESHOLD) {
      writer.PutMatch(bestLength, static_cast<int>(cur - bestFrom - 1));
      for (int k = 0; k < bestLength; ++k) insert(cur + static_cast<size_t>(k));
      cur += static_cast<size_t>(bestLength);
    } else {
      writer.PutLiteral(data[cur]);
      insert(cur);
      ++cur;
    }
  }
  return writer.Finish();
}

std::vector<uint8_t> LzhEncodeFramed(std::span<const uint8_t> data) {
  if (data.size() > static_cast<size_t>(LzhMaxDecodedSize))
    throw std::length_error("input is larger than the " + std::to_string(LzhMaxDecodedSize) + "-byte limit");
  const uint32_t size = static_cast<uint32_t>(data.size());
  std::vector<uint8_t> out = {static_cast<uint8_t>(size), static_cast<uint8_t>(size >> 8),
                              static_cast<uint8_t>(size >> 16), static_cast<uint8_t>(size >> 24)};
  const std::vector<uint8_t> bits = LzhEncode(data);
  out.insert(out.end(), bits.begin(), bits.end());
  return out;
}
