#pragma once
// The text behind data/rebuild.lzh: about 35,000 symbols (so the decoder rebuilds its tree),
// literals of a small alphabet and short repeats. Deterministic on every platform; `onLiteral`
// and `onMatch(length, distance)` see the symbols as they are made.
#include <cstdint>
#include <vector>

template <class OnLiteral, class OnMatch>
std::vector<uint8_t> GoldenText(OnLiteral onLiteral, OnMatch onMatch) {
  std::vector<uint8_t> text;
  uint32_t state = 12345;
  auto next = [&state] {
    state = state * 1103515245u + 12345u;
    return (state >> 16) & 0x7FFF;
  };
  while (text.size() < 42000) {
    const uint32_t r = next();
    if (r % 50 == 0 && text.size() > 100) {
      const size_t distance = 1 + next() % 100;
      const size_t length = 3 + next() % 20;
      onMatch(static_cast<int>(length), static_cast<int>(distance));
      for (size_t k = 0; k < length; ++k) text.push_back(text[text.size() - distance]);
    } else {
      const uint8_t byte = static_cast<uint8_t>('a' + r % 8);
      onLiteral(byte);
      text.push_back(byte);
    }
  }
  return text;
}

inline std::vector<uint8_t> GoldenText() {
  return GoldenText([](uint8_t) {}, [](int, int) {});
}
