#include "LzhBaseline.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

namespace {

constexpr int kWindow = 4096;
constexpr int kLongest = 60;
constexpr int kThreshold = 2;
constexpr int kSymbols = 256 - kThreshold + kLongest;  // 314
constexpr int kNodes = 2 * kSymbols - 1;               // 627
constexpr int kRoot = kNodes - 1;
constexpr unsigned kMaxFreq = 0x8000;

// Indexed by the first eight bits of a position code: its upper six position bits and its
// length. Codes of 3 bits cover 32 first bytes each, 4 bits 16, ... 8 bits 1.
struct PositionTables {
  uint8_t upper[256];
  uint8_t length[256];
  constexpr PositionTables() : upper(), length() {
    for (int i = 0; i < 256; ++i) {
      int u;
      int n;
      if (i < 32)
        u = 0, n = 3;
      else if (i < 80)
        u = 1 + (i - 32) / 16, n = 4;
      else if (i < 144)
        u = 4 + (i - 80) / 8, n = 5;
      else if (i < 192)
        u = 12 + (i - 144) / 4, n = 6;
      else if (i < 240)
        u = 24 + (i - 192) / 2, n = 7;
      else
        u = 48 + (i - 240), n = 8;
      upper[i] = static_cast<uint8_t>(u);
      length[i] = static_cast<uint8_t>(n);
    }
  }
};
constexpr PositionTables kPositions{};

class Decoder {
 public:
  explicit Decoder(std::FILE* in) : in_(in) {}

  std::vector<uint8_t> Run(int32_t textSize) {
    std::vector<uint8_t> out;
    if (textSize <= 0) return out;
    out.reserve(static_cast<size_t>(std::min<int32_t>(textSize, 1 << 24)) + kLongest);
    StartTree();
    for (int i = 0; i < kWindow - kLongest; ++i) text_[i] = ' ';
    for (int i = kWindow - kLongest; i < kWindow; ++i) text_[i] = 0;
    int r = kWindow - kLongest;
    int64_t count = 0;
    while (count < textSize) {
      int c = DecodeChar();
      if (c < 256) {
        out.push_back(static_cast<uint8_t>(c));
        text_[r] = static_cast<uint8_t>(c);
        r = (r + 1) & (kWindow - 1);
        ++count;
      } else {
        const int from = (r - DecodePosition() - 1) & (kWindow - 1);
        const int length = c - 255 + kThreshold;
        for (int k = 0; k < length; ++k) {
          const uint8_t b = text_[(from + k) & (kWindow - 1)];
          out.push_back(b);
          text_[r] = b;
          r = (r + 1) & (kWindow - 1);
          ++count;
        }
      }
    }
    return out;
  }

 private:
  // Keeps at least nine bits in a 16-bit buffer, fetching whole bytes below the ones held.
  void Refill() {
    while (bitCount_ <= 8) {
      int byte = std::getc(in_);
      if (byte == EOF) byte = 0;
      bitBuf_ = static_cast<uint16_t>(bitBuf_ | (byte << (8 - bitCount_)));
      bitCount_ += 8;
    }
  }
  int GetBit() {
    Refill();
    const int bit = bitBuf_ >> 15;
    bitBuf_ = static_cast<uint16_t>(bitBuf_ << 1);
    --bitCount_;
    return bit;
  }
  int GetByte() {
    Refill();
    const int byte = bitBuf_ >> 8;
    bitBuf_ = static_cast<uint16_t>(bitBuf_ << 8);
    bitCount_ -= 8;
    return byte;
  }

  void StartTree() {
    for (int i = 0; i < kSymbols; ++i) {
      freq_[i] = 1;
      son_[i] = i + kNodes;
      prnt_[i + kNodes] = i;
    }
    int i = 0;
    for (int j = kSymbols; j <= kRoot; ++j, i += 2) {
      freq_[j] = freq_[i] + freq_[i + 1];
      son_[j] = i;
      prnt_[i] = prnt_[i + 1] = j;
    }
    freq_[kNodes] = 0xFFFF;
    prnt_[kRoot] = 0;
  }

  // Halve the leaves, rebuild the inner nodes by insertion, relink the parents.
  void Reconstruct() {
    int j = 0;
    for (int i = 0; i < kNodes; ++i) {
      if (son_[i] >= kNodes) {
        freq_[j] = (freq_[i] + 1) / 2;
        son_[j] = son_[i];
        ++j;
      }
    }
    int i = 0;
    for (j = kSymbols; j < kNodes; ++j, i += 2) {
      const unsigned f = freq_[i] + freq_[i + 1];
      int k = j - 1;
      while (f < freq_[k]) --k;
      ++k;
      for (int m = j; m > k; --m) {
        freq_[m] = freq_[m - 1];
        son_[m] = son_[m - 1];
      }
      freq_[k] = f;
      son_[k] = i;
    }
    for (i = 0; i < kNodes; ++i) {
      const int k = son_[i];
      prnt_[k] = i;
      if (k < kNodes) prnt_[k + 1] = i;
    }
  }

  void Update(int symbol) {
    if (freq_[kRoot] == kMaxFreq) Reconstruct();
    int c = prnt_[symbol + kNodes];
    do {
      const unsigned k = ++freq_[c];
      int l = c + 1;
      if (k > freq_[l]) {
        while (k > freq_[l + 1]) ++l;
        freq_[c] = freq_[l];
        freq_[l] = k;
        const int i = son_[c];
        prnt_[i] = l;
        if (i < kNodes) prnt_[i + 1] = l;
        const int j = son_[l];
        son_[l] = i;
        prnt_[j] = c;
        if (j < kNodes) prnt_[j + 1] = c;
        son_[c] = j;
        c = l;
      }
      c = prnt_[c];
    } while (c != 0);
  }

  int DecodeChar() {
    int c = son_[kRoot];
    while (c < kNodes) c = son_[c + GetBit()];
    c -= kNodes;
    Update(c);
    return c;
  }

  // Upper six bits from the fixed code (3 to 8 bits long, read as one byte plus extra bits),
  // then the lower six raw.
  int DecodePosition() {
    int i = GetByte();
    const int upper = kPositions.upper[i];
    for (int j = kPositions.length[i] - 2; j > 0; --j) i = (i << 1) + GetBit();
    return (upper << 6) | (i & 0x3F);
  }

  std::FILE* in_;
  uint16_t bitBuf_ = 0;
  int bitCount_ = 0;
  uint16_t freq_[kNodes + 1];
  int16_t prnt_[kNodes + kSymbols];
  int16_t son_[kNodes];
  uint8_t text_[kWindow];
};

}  // namespace

std::vector<uint8_t> BaselineLzhDecode(std::FILE* in, int32_t textSize) {
  auto decoder = std::make_unique<Decoder>(in);
  return decoder->Run(textSize);
}

std::vector<uint8_t> BaselineLzhDecode(std::span<const uint8_t> bits, int32_t textSize) {
  static uint8_t empty = 0;
  void* data = bits.empty() ? &empty : const_cast<uint8_t*>(bits.data());
  std::FILE* in = fmemopen(data, bits.size(), "rb");
  if (!in) throw std::runtime_error("fmemopen failed");
  std::vector<uint8_t> out;
  try {
    out = BaselineLzhDecode(in, textSize);
  } catch (...) {
    std::fclose(in);
    throw;
  }
  std::fclose(in);
  return out;
}
