// Reading the names out of 500 font files, as the Install New Fonts dialog
// does for a folder of 500 fonts: the TrueType files of Debian's font
// packages and of Wine, taken in turn until 500 files are read.
#include "fontcore/FontReaders.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr size_t kFolderSize = 500;

const std::vector<std::string>& FontFiles() {
  static const std::vector<std::string> files = [] {
    std::vector<std::string> found;
    for (const char* root : {"/usr/share/fonts/truetype", "/usr/share/wine/fonts"}) {
      std::error_code error;
      for (const auto& entry : std::filesystem::recursive_directory_iterator(root, error))
        if (entry.path().extension() == ".ttf") found.push_back(entry.path().string());
    }
    return found;
  }();
  return files;
}

void BM_ReadNamesOfAFolderOf500Fonts(benchmark::State& state) {
  const std::vector<std::string>& files = FontFiles();
  if (files.empty()) {
    state.SkipWithError("no TrueType files installed");
    return;
  }
  size_t read = 0;
  for (auto _ : state) {
    read = 0;
    for (size_t i = 0; i < kFolderSize; ++i) {
      std::string family, fullName;
      if (ReadTrueTypeNames(files[i % files.size()], family, fullName) == frOK) ++read;
      benchmark::DoNotOptimize(fullName);
    }
  }
  state.counters["files"] = static_cast<double>(kFolderSize);
  state.counters["named"] = static_cast<double>(read);
}
BENCHMARK(BM_ReadNamesOfAFolderOf500Fonts)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
