// Decode time of the LZH decoder against the textbook decoder, on a ~300 KB English-like text
// and on the built-in skin. Runs alternate between the two so both see the same machine load;
// the best and the median processor time of each are printed with their ratios.
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "LzhBaseline.h"
#include "skin/data/LZH.h"
#include "tools/skintool/LzhEncode.h"

namespace {

using Bytes = std::vector<uint8_t>;

// English-like prose: a few thousand made-up words of one to four syllables, drawn with the
// skewed frequencies of real words (the few common ones most of the time), in sentences and
// wrapped lines. LZHUF packs it to about 45% of its size, much as it does ordinary text.
Bytes ProseText(size_t size) {
  static const char* const onsets[] = {"",  "b", "c", "d",  "f",  "g",  "h",  "l",  "m",  "n",  "p", "r",
                                       "s", "t", "w", "br", "ch", "st", "th", "tr", "sh", "pl", "gr"};
  static const char* const vowels[] = {"a", "e", "i", "o", "u", "ea", "ou", "ai", "ee", "y"};
  static const char* const codas[] = {"", "", "n", "r", "s", "t", "l", "nd", "ng", "st", "ck", "m"};
  uint32_t state = 20240611;
  auto next = [&state] {
    state ^= state << 13, state ^= state >> 17, state ^= state << 5;
    return state;
  };
  std::vector<std::string> words(4000);
  for (size_t w = 0; w < words.size(); ++w) {
    // Common words are short.
    const uint32_t syllables = 1 + next() % (w < 100 ? 1 : w < 1000 ? 2 : 4);
    for (uint32_t k = 0; k < syllables; ++k)
      words[w] += std::string(onsets[next() % 23]) + vowels[next() % 10] + codas[next() % 12];
  }
  // Rank r is drawn with weight 1 / (r + 1): cumulative weights, then a search.
  std::vector<double> cumulative;
  double total = 0;
  for (size_t r = 0; r < words.size(); ++r) cumulative.push_back(total += 1.0 / static_cast<double>(r + 1));
  std::string text;
  size_t line = 0;
  bool capital = true;
  while (text.size() < size) {
    const double u = total * static_cast<double>(next() % 1000000) / 1000000.0;
    std::string w = words[static_cast<size_t>(std::upper_bound(cumulative.begin(), cumulative.end(), u) -
                                              cumulative.begin()) %
                          words.size()];
    if (capital) w[0] = static_cast<char>(w[0] - 'a' + 'A'), capital = false;
    const uint32_t end = next() % 100;
    if (end < 6)
      w += '.', capital = true;
    else if (end < 12)
      w += ',';
    if (line + w.size() + 1 > 72)
      text += '\n', line = 0;
    else if (line > 0)
      text += ' ', ++line;
    text += w;
    line += w.size();
    if (capital && next() % 8 == 0) text += "\n\n", line = 0;
  }
  text.resize(size);
  return Bytes(text.begin(), text.end());
}

Bytes ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

int32_t DeclaredSize(const Bytes& framed) {
  return static_cast<int32_t>(framed[0] | framed[1] << 8 | framed[2] << 16 |
                              static_cast<uint32_t>(framed[3]) << 24);
}

// Processor time of this thread: on a shared machine, time spent waiting for a core is not
// the decoder's.
double ThreadMilliseconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

template <class F>
double Milliseconds(F&& f) {
  const double t0 = ThreadMilliseconds();
  f();
  return ThreadMilliseconds() - t0;
}

// Returns false when the two decoders disagree.
bool Compare(const char* what, const Bytes& framed, int rounds) {
  const int32_t declared = DeclaredSize(framed);
  const std::span<const uint8_t> bits(framed.data() + 4, framed.size() - 4);
  Bytes fast = LzhUnpackFramed(framed);
  Bytes base = BaselineLzhDecode(bits, declared);
  base.resize(static_cast<size_t>(declared));
  if (fast != base) {
    std::printf("%s: the decoders disagree\n", what);
    return false;
  }
  std::vector<double> tb, tf;
  for (int i = 0; i < rounds; ++i) {
    tb.push_back(Milliseconds([&] { base = BaselineLzhDecode(bits, declared); }));
    tf.push_back(Milliseconds([&] { fast = LzhUnpackFramed(framed); }));
  }
  std::sort(tb.begin(), tb.end());
  std::sort(tf.begin(), tf.end());
  const double mb = tb[tb.size() / 2], mf = tf[tf.size() / 2];
  std::printf(
      "%-28s %7.1f KB -> %7.1f KB  baseline %6.3f ms (best %6.3f)  fast %6.3f ms (best %6.3f)"
      "  ratio %.2fx (best %.2fx)\n",
      what, (framed.size() - 4) / 1024.0, declared / 1024.0, mb, tb[0], mf, tf[0], mb / mf, tb[0] / tf[0]);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  // Arguments: rounds (40), then "text" or "skin" to run one stream only.
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 40;
  const std::string only = argc > 2 ? argv[2] : "";
  bool ok = only == "skin" || Compare("text (prose)", LzhEncodeFramed(ProseText(300 * 1024)), rounds);
  if (only == "text") return ok ? 0 : 1;
  const Bytes skin = ReadFile(BUILTIN_SKIN_ARCHIVE);
  if (skin.size() < 4) {
    std::printf("built-in skin not found at %s\n", BUILTIN_SKIN_ARCHIVE);
    return 1;
  }
  ok = Compare("built-in skin", skin, rounds) && ok;
  return ok ? 0 : 1;
}
