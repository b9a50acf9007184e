// Runs a fuzz target over every file of the given folders (or files), without libFuzzer,
// so the seed corpus is replayed by any compiler and under any sanitizer.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {
int RunFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", path.string().c_str());
    return 1;
  }
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  return 0;
}
}  // namespace

int main(int argc, char** argv) {
  int files = 0, failures = 0;
  for (int i = 1; i < argc; ++i) {
    std::filesystem::path arg(argv[i]);
    if (std::filesystem::is_directory(arg)) {
      for (const auto& entry : std::filesystem::directory_iterator(arg)) {
        if (entry.is_regular_file()) {
          failures += RunFile(entry.path());
          ++files;
        }
      }
    } else {
      failures += RunFile(arg);
      ++files;
    }
  }
  std::printf("replayed %d inputs\n", files);
  return failures == 0 && files > 0 ? 0 : 1;
}
