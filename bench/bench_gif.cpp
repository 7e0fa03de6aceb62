// Decoding a 2000 x 2000 8-bit GIF: the codec layer's load from memory
// against giflib's DGifSlurp of the same bytes. The file is written by the
// GIF writer from a picture of gradients, edges and noise, so that the
// string table fills and is cleared many times.
#include "bench/bench_codec_loads.h"
#include "codecs/GifWriter.h"

#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

namespace {

constexpr int kSide = 2000;

std::vector<uint8_t> MakeGifFile() {
  uint8_t rgb[256][3];
  for (int i = 0; i < 256; ++i) {
    rgb[i][0] = static_cast<uint8_t>(i);
    rgb[i][1] = static_cast<uint8_t>((i * 3) & 255);
    rgb[i][2] = static_cast<uint8_t>(255 - i);
  }
  PaletteHandle palette = codec_platform::CreateLogicalPalette(rgb, 256);
  uint16_t indices[256];
  for (int i = 0; i < 256; ++i) indices[i] = static_cast<uint16_t>(i);
  DibRequest request;
  request.width = kSide;
  request.height = kSide;
  request.depth = 8;
  request.paletteIndices = indices;
  request.colorCount = 256;
  DibHandle bitmap = nullptr;
  uint8_t* bits = nullptr;
  codec_platform::CreateDib(request, palette, &bitmap, &bits);
  const int stride = (kSide + 3) & ~3;
  std::mt19937 random(2000);
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x) {
      int value = (x / 8 + y / 5) & 255;                            // gradient bands
      if (((x / 250) + (y / 250)) & 1) value = (x * y / 97) & 255;  // patterned tiles
      if ((random() & 15) == 0) value = random() & 255;             // noise
      bits[static_cast<size_t>(y) * stride + x] = static_cast<uint8_t>(value);
    }
  const std::string path =
      (std::filesystem::temp_directory_path() / "zel95-bench-2000.gif").string();
  GifWriter writer(path.c_str(), bitmap);
  if ((writer.Begin() != CodecOk) || (writer.WriteRows(kSide) != CodecOk) ||
      (writer.Finish() != CodecOk))
    std::abort();
  codec_platform::DeleteBitmap(bitmap);
  codec_platform::DeletePalette(palette);
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
  std::remove(path.c_str());
  return bytes;
}

const std::vector<uint8_t>& GifFile() {
  static const std::vector<uint8_t> bytes = MakeGifFile();
  return bytes;
}

struct MemoryReader {
  const std::vector<uint8_t>* bytes;
  size_t at;
};

int ReadFromMemory(GifFileType* gif, GifByteType* buffer, int count) {
  auto* reader = static_cast<MemoryReader*>(gif->UserData);
  size_t n = std::min<size_t>(static_cast<size_t>(count), reader->bytes->size() - reader->at);
  std::memcpy(buffer, reader->bytes->data() + reader->at, n);
  reader->at += n;
  return static_cast<int>(n);
}

// giflib's pixels of the first image, or empty on failure.
std::vector<uint8_t> SlurpWithGiflib(const std::vector<uint8_t>& bytes) {
  MemoryReader reader{&bytes, 0};
  int error = 0;
  GifFileType* gif = DGifOpen(&reader, ReadFromMemory, &error);
  if (!gif) return {};
  std::vector<uint8_t> pixels;
  if (DGifSlurp(gif) == GIF_OK && gif->ImageCount > 0) {
    const SavedImage& image = gif->SavedImages[0];
    pixels.assign(image.RasterBits, image.RasterBits + static_cast<size_t>(image.ImageDesc.Width) *
                                                           image.ImageDesc.Height);
  }
  DGifCloseFile(gif, &error);
  return pixels;
}

void CheckBothDecodeTheSamePixels() {
  const std::vector<uint8_t> expected = SlurpWithGiflib(GifFile());
  AbortUnlessDecodesTo(
      "bench_gif", GifFile(), KeptBitmap::kNative,
      expected.size() == static_cast<size_t>(kSide) * kSide ? expected.data() : nullptr, kSide,
      kSide);
}

void BM_GifDecodeCodecLayer(benchmark::State& state) {
  TimeCodecLayerLoads(state, GifFile(), KeptBitmap::kNative, int64_t{kSide} * kSide);
}

void BM_GifDecodeGiflibSlurp(benchmark::State& state) {
  const std::vector<uint8_t>& bytes = GifFile();
  for (auto _ : state) {
    std::vector<uint8_t> pixels = SlurpWithGiflib(bytes);
    if (pixels.empty()) state.SkipWithError("DGifSlurp failed");
    benchmark::DoNotOptimize(pixels.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kSide * kSide);
}

void BM_GifEncode(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(MakeGifFile().size());
}

}  // namespace

BENCHMARK(BM_GifDecodeCodecLayer)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_GifDecodeGiflibSlurp)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_GifEncode)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
  CheckBothDecodeTheSamePixels();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
