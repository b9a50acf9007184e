#pragma once
// The adaptive Huffman tree of LZHUF, shared by the decoder and the tools' encoder so both
// sides adapt identically. Nodes are kept in non-decreasing frequency order; the children of
// an internal node sit side by side at son[node] and son[node] + 1.
//
// For the decoder, `pairs` walks two levels per look-up: pairs[node][two bits] names the child
// and grandchild those bits lead to, or the leaf reached on the way. Counts change with every
// symbol but the shape only when nodes trade places: the entries that depend on a moved node
// are marked stale then, and refreshed when a walk next comes through (early in a stream nodes
// move at nearly every symbol, mostly deep down where walks seldom pass).
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "skin/data/LZH.h"

struct TLzhTree {
  uint16_t freq[lzh::T + 1];
  int16_t prnt[lzh::T + lzh::N_CHAR];  // entries T.. map a symbol to its leaf
  int16_t son[lzh::T];                 // a value >= T is the leaf of symbol value - T
  uint32_t pairs[lzh::T][4];           // see PairChild .. PairLeafAtGrandchild
  bool pairsStale[lzh::T];             // pairs[node] must be refreshed before use

  // Fields of a `pairs` entry.
  static constexpr uint32_t PairNodeMask = 0x3FF;
  static int PairChild(uint32_t e) { return static_cast<int>(e & PairNodeMask); }
  static int PairGrandchild(uint32_t e) { return static_cast<int>((e >> 10) & PairNodeMask); }
  static int PairSymbol(uint32_t e) { return static_cast<int>((e >> 20) & 0x1FF); }  // of the leaf reached
  static constexpr uint32_t PairLeafAtChild = 1u << 30;                              // one bit used
  static constexpr uint32_t PairLeafAtGrandchild = 1u << 31;                         // two bits used

  void Start() {
    using namespace lzh;
    for (int i = 0; i < N_CHAR; ++i) {
      freq[i] = 1;
      son[i] = static_cast<int16_t>(i + T);
      prnt[i + T] = static_cast<int16_t>(i);
    }
    for (int i = 0, j = N_CHAR; j <= R; i += 2, ++j) {
      freq[j] = static_cast<uint16_t>(freq[i] + freq[i + 1]);
      son[j] = static_cast<int16_t>(i);
      prnt[i] = prnt[i + 1] = static_cast<int16_t>(j);
    }
    freq[T] = 0xFFFF;  // sentinel: stops the search for the end of a run of smaller counts
    prnt[R] = 0;
    RefreshAllPairs();
  }

  // Halves every leaf count and builds the internal nodes anew, keeping the order sorted.
  void Rebuild() {
    using namespace lzh;
    int j = 0;
    for (int i = 0; i < T; ++i) {
      if (son[i] >= T) {
        freq[j] = static_cast<uint16_t>((freq[i] + 1) >> 1);
        son[j] = son[i];
        ++j;
      }
    }
    for (int i = 0, n = N_CHAR; n < T; i += 2, ++n) {
      const uint16_t f = static_cast<uint16_t>(freq[i] + freq[i + 1]);
      int k = n - 1;
      while (f < freq[k]) --k;
      ++k;
      const size_t moved = static_cast<size_t>(n - k);
      std::memmove(&freq[k + 1], &freq[k], moved * sizeof freq[0]);
      std::memmove(&son[k + 1], &son[k], moved * sizeof son[0]);
      freq[k] = f;
      son[k] = static_cast<int16_t>(i);
    }
    for (int i = 0; i < T; ++i) {
      const int k = son[i];
      if (k >= T) {
        prnt[k] = static_cast<int16_t>(i);
      } else {
        prnt[k] = prnt[k + 1] = static_cast<int16_t>(i);
      }
    }
    RefreshAllPairs();
  }

  // Counts one more occurrence of symbol c and restores the order.
  void Update(int c) {
    if (freq[lzh::R] == lzh::MAX_FREQ) Rebuild();
    Climb(prnt[c + lzh::T]);
  }

  // The same for a symbol just decoded along path[0] = R .. path[depth] = its leaf. Until the
  // first exchange the tree is as it was during the walk, so the path names the parents and
  // their counts can be raised without chasing links one by one.
  void UpdateAlong(int c, const int16_t* path, int depth) {
    using namespace lzh;
    if (freq[R] == MAX_FREQ) {
      Rebuild();
      Climb(prnt[c + T]);
      return;
    }
    for (int d = depth; d >= 0; --d) {
      const int node = path[d];
      const unsigned k = ++freq[node];
      if (k > freq[node + 1]) [[unlikely]] {
        ClimbFrom(Exchange(node, k));
        return;
      }
    }
  }

 private:
  // From node c up to the root, raising each count by one.
  void Climb(int c) {
    do {
      const unsigned k = ++freq[c];
      if (k > freq[c + 1]) c = Exchange(c, k);
      c = prnt[c];
    } while (c != 0);
  }
  void ClimbFrom(int exchanged) {
    for (int c = prnt[exchanged]; c != 0; c = prnt[c]) {
      const unsigned k = ++freq[c];
      if (k > freq[c + 1]) c = Exchange(c, k);
    }
  }

  // Node c's count has just become k, above its successor's: c trades places with the last node
  // of the run of counts below k (all equal to k - 1), subtrees and all. Returns that position.
  int Exchange(int c, unsigned k) {
    using namespace lzh;
    int l = c + 1;
    // Counts are sorted, so a long run is found by binary search; short ones by stepping.
    int step = 0;
    while (step < 8 && k > freq[l + 1]) ++l, ++step;
    if (step == 8) l = static_cast<int>(std::lower_bound(freq + l + 1, freq + T + 1, k) - freq) - 1;
    freq[c] = freq[l];
    freq[l] = static_cast<uint16_t>(k);

    const int i = son[c];
    prnt[i] = static_cast<int16_t>(l);
    if (i < T) prnt[i + 1] = static_cast<int16_t>(l);
    const int j = son[l];
    son[l] = static_cast<int16_t>(i);
    prnt[j] = static_cast<int16_t>(c);
    if (j < T) prnt[j + 1] = static_cast<int16_t>(c);
    son[c] = static_cast<int16_t>(j);
    // Entries read a node's content from its parent and grandparent too.
    for (int moved : {c, l}) {
      const int parent = prnt[moved];
      pairsStale[moved] = pairsStale[parent] = pairsStale[prnt[parent]] = true;
    }
    return l;
  }

 public:
  void RefreshPairs(int node) {
    using namespace lzh;
    pairsStale[node] = false;
    if (son[node] >= T) return;  // a leaf has no entries
    for (int b1 = 0; b1 < 2; ++b1) {
      const int child = son[node] + b1;
      const int below = son[child];
      if (below >= T) {
        pairs[node][2 * b1] = pairs[node][2 * b1 + 1] =
            static_cast<uint32_t>(child) | static_cast<uint32_t>(below - T) << 20 | PairLeafAtChild;
        continue;
      }
      for (int b0 = 0; b0 < 2; ++b0) {
        const int grandchild = below + b0;
        const int content = son[grandchild];
        uint32_t e = static_cast<uint32_t>(child) | static_cast<uint32_t>(grandchild) << 10;
        if (content >= T) e |= static_cast<uint32_t>(content - T) << 20 | PairLeafAtGrandchild;
        pairs[node][2 * b1 + b0] = e;
      }
    }
  }
  void RefreshAllPairs() {
    for (int node = 0; node < lzh::T; ++node) RefreshPairs(node);
  }
};

// Position tables: the upper six bits of a match position and the bit length of their code,
// indexed by the first eight bits read. Runs of equal codes: 32 of code 0, then 16, 8, 4, 2, 1.
struct TLzhPositionTables {
  uint8_t code[256];
  uint8_t len[256];
  constexpr TLzhPositionTables() : code(), len() {
    // {first code, last code, entries per code, code length in bits}
    constexpr int runs[6][4] = {{0x00, 0x00, 32, 3}, {0x01, 0x03, 16, 4}, {0x04, 0x0B, 8, 5},
                                {0x0C, 0x17, 4, 6},  {0x18, 0x2F, 2, 7},  {0x30, 0x3F, 1, 8}};
    int i = 0;
    for (const auto& run : runs) {
      for (int c = run[0]; c <= run[1]; ++c) {
        for (int k = 0; k < run[2]; ++k, ++i) {
          code[i] = static_cast<uint8_t>(c);
          len[i] = static_cast<uint8_t>(run[3]);
        }
      }
    }
  }
};
inline constexpr TLzhPositionTables LzhPositions{};
