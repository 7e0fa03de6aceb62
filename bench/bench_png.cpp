// Decoding a 4000 x 3000 RGB PNG: the codec layer's load from memory
// against libpng reading the same bytes with the same transformations
// (background, gamma, blue-green-red order) into a buffer of its own. The
// file is made here by libpng from gradients and noise.
#include "bench/bench_codec_loads.h"

#include <benchmark/benchmark.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;
constexpr size_t kRowBytes = 3 * kWidth;

void AppendBytes(png_structp png, png_bytep data, size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

// Runs under libpng's recovery point: nothing here has a destructor.
bool WriteRows(png_structp png, png_infop info, png_bytepp rows, std::vector<uint8_t>* out) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, out, AppendBytes, NoFlush);
  png_set_IHDR(png, info, kWidth, kHeight, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  return true;
}

std::vector<uint8_t> MakePngFile() {
  std::vector<uint8_t> pixels(kRowBytes * kHeight);
  std::mt19937 random(4000);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      uint8_t* p = &pixels[y * kRowBytes + 3 * x];
      p[0] = static_cast<uint8_t>(x / 16 + y / 12);
      p[1] = static_cast<uint8_t>(((x / 300 + y / 300) & 1) ? x * y / 101 : y / 12);
      p[2] = static_cast<uint8_t>((random() & 7) == 0 ? random() : x / 16);
    }
  std::vector<png_bytep> rows(kHeight);
  for (int y = 0; y < kHeight; ++y) rows[y] = &pixels[y * kRowBytes];
  std::vector<uint8_t> bytes;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  const bool written = WriteRows(png, info, rows.data(), &bytes);
  png_destroy_write_struct(&png, &info);
  if (!written) std::abort();
  return bytes;
}

const std::vector<uint8_t>& PngFile() {
  static const std::vector<uint8_t> bytes = MakePngFile();
  return bytes;
}

struct MemoryReader {
  const uint8_t* bytes;
  size_t length;
  size_t at;
};

void ReadFromMemory(png_structp png, png_bytep data, size_t length) {
  auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
  if (length > reader->length - reader->at) png_error(png, "data ended");
  std::memcpy(data, reader->bytes + reader->at, length);
  reader->at += length;
}

// libpng on its own, set up as the codec layer sets it up, every row read
// into `image`. Runs under libpng's recovery point.
bool ReadWithLibpng(png_structp png, png_infop info, MemoryReader* reader, uint8_t* image) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_read_fn(png, reader, ReadFromMemory);
  png_read_info(png, info);
  png_color_16 black = {};
  png_set_background(png, &black, PNG_BACKGROUND_GAMMA_SCREEN, 0, 1.0);
  png_set_gamma(png, 2.2, 0.45);
  png_set_bgr(png);
  png_read_update_info(png, info);
  for (int y = 0; y < kHeight; ++y) png_read_row(png, image + y * kRowBytes, nullptr);
  png_read_end(png, nullptr);
  return true;
}

bool DecodeWithLibpng(uint8_t* image) {
  const std::vector<uint8_t>& bytes = PngFile();
  MemoryReader reader{bytes.data(), bytes.size(), 0};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  const bool read = ReadWithLibpng(png, info, &reader, image);
  png_destroy_read_struct(&png, &info, nullptr);
  return read;
}

void CheckBothDecodeTheSamePixels() {
  std::unique_ptr<uint8_t[]> expected(new uint8_t[kRowBytes * kHeight]);
  AbortUnlessDecodesTo("bench_png", PngFile(), KeptBitmap::kDisplay,
                       DecodeWithLibpng(expected.get()) ? expected.get() : nullptr, kRowBytes,
                       kHeight);
}

void BM_PngDecodeCodecLayer(benchmark::State& state) {
  TimeCodecLayerLoads(state, PngFile(), KeptBitmap::kDisplay, int64_t{kRowBytes} * kHeight);
}

void BM_PngDecodeLibpng(benchmark::State& state) {
  for (auto _ : state) {
    std::unique_ptr<uint8_t[]> image(new uint8_t[kRowBytes * kHeight]);
    if (!DecodeWithLibpng(image.get())) state.SkipWithError("libpng read failed");
    benchmark::DoNotOptimize(image.get());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kRowBytes * kHeight);
}

}  // namespace

BENCHMARK(BM_PngDecodeCodecLayer)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_PngDecodeLibpng)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

int main(int argc, char** argv) {
  CheckBothDecodeTheSamePixels();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
