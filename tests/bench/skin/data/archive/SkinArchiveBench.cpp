// How fast a skin of a few hundred kilobytes decodes and loads.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "skin/data/LZH.h"
#include "skin/data/SkinRead.h"
#include "tools/skintool/ArchiveWriter.h"
#include "tools/skintool/LzhEncode.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A 24-bit bitmap like a skin's: magenta corners, soft gradients, a few edges.
Bytes SkinBitmap(int width, int height, unsigned seed) {
  const int stride = (width * 3 + 3) & ~3;
  const uint32_t pixels = static_cast<uint32_t>(stride * height);
  Bytes b = {'B', 'M'};
  auto le32 = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  auto le16 = [&](uint16_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
  };
  le32(54 + pixels), le32(0), le32(54), le32(40), le32(static_cast<uint32_t>(width)),
      le32(static_cast<uint32_t>(height)), le16(1), le16(24), le32(0), le32(pixels), le32(2835), le32(2835),
      le32(0), le32(0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool corner = (x < 3 || x >= width - 3) && (y < 3 || y >= height - 3);
      const bool edge = x == 3 || y == 3 || x == width - 4 || y == height - 4;
      uint8_t r = static_cast<uint8_t>(180 + (y * 40) / height + ((x * 7 + seed) % 3));
      uint8_t g = static_cast<uint8_t>(190 + (y * 30) / height);
      uint8_t bl = static_cast<uint8_t>(200 + (x * 20) / width);
      if (edge) r = 70, g = 115, bl = 150;
      if (corner) r = 255, g = 0, bl = 255;
      b.push_back(bl), b.push_back(g), b.push_back(r);
    }
    for (int p = width * 3; p < stride; ++p) b.push_back(0);
  }
  return b;
}

std::vector<TArchiveEntry> SkinEntries() {
  std::vector<TArchiveEntry> entries;
  const char* names[] = {"top.bmp",      "bottom.bmp",   "left.bmp",     "right.bmp",    "menu.bmp",
                         "buttons.bmp",  "chek.bmp",     "radio.bmp",    "progress.bmp", "tabborders3.bmp",
                         "tabframe.bmp", "tabs.bmp",     "combobut.bmp", "sunkedge.bmp", "scrollb1.bmp",
                         "hscroll1.bmp", "vscroll1.bmp", "hscroll2.bmp", "vscroll2.bmp", "grouptop.bmp",
                         "tool.bmp",     "close.bmp",    "max.bmp",      "min.bmp",      "min.bmp",
                         "icon.bmp"};
  unsigned seed = 1;
  for (const char* n : names) {
    const int w = 40 + static_cast<int>(seed * 37 % 160);
    const int h = 16 + static_cast<int>(seed * 13 % 60);
    entries.push_back({n, SkinBitmap(w, h, seed++)});
  }
  std::string ini;
  for (int s = 0; s < 40; ++s)
    ini += "[Section" + std::to_string(s) + "]\r\nImage=buttons.bmp\r\nLeftWidth=4\r\nColour=70 115 150\r\n";
  entries.push_back({"skin.ini", Bytes(ini.begin(), ini.end())});
  return entries;
}

const Bytes& Decoded() {
  static const Bytes archive = BuildArchive(SkinEntries());
  return archive;
}

const Bytes& Framed() {
  static const Bytes framed = LzhEncodeFramed(Decoded());
  return framed;
}

void BM_DecodeMemory(benchmark::State& state) {
  const Bytes& framed = Framed();
  for (auto _ : state) benchmark::DoNotOptimize(LzhUnpackFramed(framed));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(Decoded().size()));
  state.counters["decoded_KB"] = static_cast<double>(Decoded().size()) / 1024;
  state.counters["compressed_KB"] = static_cast<double>(framed.size()) / 1024;
}

void BM_DecodeByteCallbacks(benchmark::State& state) {
  const Bytes& framed = Framed();
  const int32_t size = static_cast<int32_t>(Decoded().size());
  Bytes out;
  out.reserve(static_cast<size_t>(size) + 64);
  for (auto _ : state) {
    size_t pos = 4;
    out.clear();
    TLZH lzh;
    lzh.LZHUnpack(
        size,
        [&](uint8_t* buf, int) {
          if (pos >= framed.size()) return 0;
          *buf = framed[pos++];
          return 1;
        },
        [&](const uint8_t* buf, int count) { out.insert(out.end(), buf, buf + count); });
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * size);
}

void BM_LoadArchive(benchmark::State& state) {
  TMemoryStream stream(Framed());
  for (auto _ : state) {
    TSkinReader reader;
    if (!reader.LoadArchive(stream)) state.SkipWithError("archive refused");
    TMemoryStream ini;
    std::string found;
    reader.ExtractEntryContaining(".ini", ini, found);
    benchmark::DoNotOptimize(ini.GetSize());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(Decoded().size()));
}

void BM_EncodeTool(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(LzhEncodeFramed(Decoded()));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(Decoded().size()));
}

// A real skin file when LUMETTA_SKIN_FILE names one (e.g. the built-in skin the build packs).
void BM_LoadSkinFile(benchmark::State& state) {
  TMemoryStream stream;
  stream.LoadFromFile(std::getenv("LUMETTA_SKIN_FILE"));
  int64_t decoded = 0;
  for (auto _ : state) {
    TSkinReader reader;
    if (!reader.LoadArchive(stream)) state.SkipWithError("archive refused");
    for (int i = 0; i < reader.Count(); ++i) decoded += reader.EntrySize(i);
  }
  state.SetBytesProcessed(decoded);
  state.counters["file_KB"] = static_cast<double>(stream.GetSize()) / 1024;
}

BENCHMARK(BM_DecodeMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeByteCallbacks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadArchive)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeTool)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("LUMETTA_SKIN_FILE")) BENCHMARK(BM_LoadSkinFile)->Unit(benchmark::kMillisecond);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
