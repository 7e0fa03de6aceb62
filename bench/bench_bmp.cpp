// BMP decoding speed: a 4000 x 3000 24-bit file through ImageFile against
// the floor of reading the same file into memory and copying its rows once.
// Both run in the same process on the same file, generated here.
#include "codecs/ImageFile.h"
#include "platform/codec/HostCodecPlatform.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;
constexpr int kStride = kWidth * 3;  // already a multiple of 4
constexpr size_t kPixelOffset = 54;

void Put32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// Writes the test picture once per process and returns its path.
const std::string& PicturePath() {
  static const std::string path = [] {
    std::string file =
        (std::filesystem::temp_directory_path() / "zel95-bench-4000x3000.bmp").string();
    std::vector<uint8_t> bytes(kPixelOffset + static_cast<size_t>(kStride) * kHeight);
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32(&bytes[2], static_cast<uint32_t>(bytes.size()));
    Put32(&bytes[10], kPixelOffset);
    Put32(&bytes[14], 40);
    Put32(&bytes[18], kWidth);
    Put32(&bytes[22], kHeight);
    bytes[26] = 1;
    bytes[28] = 24;
    uint32_t seed = 12345;
    for (size_t i = kPixelOffset; i < bytes.size(); ++i) {
      seed = seed * 1103515245 + 12345;
      bytes[i] = static_cast<uint8_t>(seed >> 16);
    }
    FILE* out = std::fopen(file.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
    return file;
  }();
  return path;
}

// The floor: the whole file read into memory, then each row copied once
// into a bitmap-sized buffer (top-down, as the decoder stores it).
void BM_ReadFileAndCopyRows(benchmark::State& state) {
  const std::string& path = PicturePath();
  for (auto _ : state) {
    FILE* in = std::fopen(path.c_str(), "rb");
    std::fseek(in, 0, SEEK_END);
    long size = std::ftell(in);
    std::fseek(in, 0, SEEK_SET);
    std::vector<uint8_t> file(static_cast<size_t>(size));
    size_t got = std::fread(file.data(), 1, file.size(), in);
    std::fclose(in);
    std::vector<uint8_t> bitmap(static_cast<size_t>(kStride) * kHeight);
    for (int y = 0; y < kHeight && got == file.size(); ++y)
      std::memcpy(&bitmap[static_cast<size_t>(kHeight - 1 - y) * kStride],
                  &file[kPixelOffset + static_cast<size_t>(y) * kStride], kStride);
    benchmark::DoNotOptimize(bitmap.data());
    benchmark::ClobberMemory();
  }
}

// The decoder as the viewer uses it on a true-colour screen: one 24-bit
// display bitmap at natural size.
void BM_DecodeBmp24(benchmark::State& state) {
  const std::string& path = PicturePath();
  host_codec::SetScreenDepth(24);
  for (auto _ : state) {
    ImageFile image(path.c_str());
    if (image.Load(false, true) != CodecOk) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(image.GetDisplayBitmap());
  }
}

// The same file on palette and 16-bit screens, with colour reduction.
void BM_DecodeBmp24ForScreen(benchmark::State& state) {
  const std::string& path = PicturePath();
  host_codec::SetScreenDepth(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    ImageFile image(path.c_str());
    if (image.LoadFitted({.reductionMode = static_cast<int>(state.range(1))}) != CodecOk)
      state.SkipWithError("load failed");
    benchmark::DoNotOptimize(image.GetDisplayBitmap());
  }
  host_codec::SetScreenDepth(24);
}

// A thumbnail as the context menu makes it: fitted into 100 x 100.
void BM_DecodeBmp24Thumbnail(benchmark::State& state) {
  const std::string& path = PicturePath();
  host_codec::SetScreenDepth(24);
  for (auto _ : state) {
    ImageFile image(path.c_str());
    if (image.LoadFitted({.maxWidth = 100, .maxHeight = 100}) != CodecOk)
      state.SkipWithError("load failed");
    benchmark::DoNotOptimize(image.GetDisplayBitmap());
  }
}

}  // namespace

BENCHMARK(BM_ReadFileAndCopyRows)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DecodeBmp24)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DecodeBmp24ForScreen)
    ->ArgNames({"screen", "mode"})
    ->Args({16, 0})
    ->Args({16, 1})
    ->Args({8, 0})
    ->Args({8, 2})
    ->Args({8, 3})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_DecodeBmp24Thumbnail)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
