// Decoding a 4000 x 3000 baseline JPEG: the codec layer's ImageFile loads
// (natural size into a 24-bit bitmap, and the 100 x 100 thumbnail) against
// libjpeg-turbo's own decode of the same bytes with the same settings (fast
// integer DCT, no fancy upsampling, blue, green, red output), at natural
// size and at 1/8; the synthetic picture, and the camera-like one as
// "Photo..." for the comparisons a camera's files make.
#include "bench/bench_jpeg_picture.h"
#include "codecs/ImageFile.h"
#include "platform/codec/HostCodecPlatform.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

using bench_jpeg::BaselineJpeg;
using Picture = const std::vector<uint8_t>& (*)();

ImageSource Memory(Picture picture = BaselineJpeg) {
  return ImageSource::FromMemory(picture().data(), static_cast<uint32_t>(picture().size()));
}

// The reference holds its picture in freshly allocated memory each time, as
// a decode into a new bitmap does.
void LibjpegNatural(benchmark::State& state) {
  for (auto _ : state) {
    bench_jpeg::OutputBuffer image;
    bench_jpeg::LibjpegDecode(BaselineJpeg(), 1, &image);
    benchmark::DoNotOptimize(image.bytes.get());
  }
  state.SetLabel(std::to_string(BaselineJpeg().size()) + " bytes");
}

// The same into one buffer kept across runs: the library's decoding alone.
void LibjpegNaturalReusedBuffer(benchmark::State& state) {
  bench_jpeg::OutputBuffer image;
  for (auto _ : state) {
    bench_jpeg::LibjpegDecode(BaselineJpeg(), 1, &image);
    benchmark::DoNotOptimize(image.bytes.get());
  }
}

void ImageFileLoadNatural(benchmark::State& state) {
  host_codec::SetScreenDepth(24);
  for (auto _ : state) {
    ImageFile image(Memory());
    if (image.Load(false, true) != CodecOk) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(image.GetDisplayBitmap());
  }
}

// What a natural-size load costs before any decoding: the 24-bit bitmap of
// the host platform, whose pixels are cleared when it is made.
void HostBitmapCreate(benchmark::State& state) {
  for (auto _ : state) {
    DibRequest request;
    request.width = bench_jpeg::kWidth;
    request.height = bench_jpeg::kHeight;
    request.depth = 24;
    DibHandle bitmap = nullptr;
    uint8_t* bits = nullptr;
    if (codec_platform::CreateDib(request, nullptr, &bitmap, &bits) != DibResult::Ok)
      state.SkipWithError("no bitmap");
    benchmark::DoNotOptimize(bits);
    codec_platform::DeleteBitmap(bitmap);
  }
}

void LibjpegEighth(benchmark::State& state) {
  for (auto _ : state) {
    bench_jpeg::OutputBuffer image;
    bench_jpeg::LibjpegDecode(BaselineJpeg(), 8, &image);
    benchmark::DoNotOptimize(image.bytes.get());
  }
}

void ImageFileLoadFitted100(benchmark::State& state) {
  host_codec::SetScreenDepth(24);
  for (auto _ : state) {
    ImageFile image(Memory());
    if (image.LoadFitted({.maxWidth = 100, .maxHeight = 100}) != CodecOk)
      state.SkipWithError("load failed");
    benchmark::DoNotOptimize(image.GetDisplayBitmap());
  }
}

void PhotoLibjpeg(benchmark::State& state, int scale) {
  for (auto _ : state) {
    bench_jpeg::OutputBuffer image;
    bench_jpeg::LibjpegDecode(bench_jpeg::PhotoJpeg(), scale, &image);
    benchmark::DoNotOptimize(image.bytes.get());
  }
  if (scale == 1) state.SetLabel(std::to_string(bench_jpeg::PhotoJpeg().size()) + " bytes");
}

void PhotoImageFileLoad(benchmark::State& state, int fit) {
  host_codec::SetScreenDepth(24);
  for (auto _ : state) {
    ImageFile image(Memory(bench_jpeg::PhotoJpeg));
    if (image.LoadFitted({.maxWidth = fit, .maxHeight = fit}) != CodecOk)
      state.SkipWithError("load failed");
    benchmark::DoNotOptimize(image.GetDisplayBitmap());
  }
}

template <typename Function, typename... Args>
void Register(const char* name, Function function, Args... args) {
  benchmark::RegisterBenchmark(name, function, args...)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime()
      ->Repetitions(9)
      ->ReportAggregatesOnly(true);
}

}  // namespace

int main(int argc, char** argv) {
  BaselineJpeg();  // made once, outside every measurement
  bench_jpeg::PhotoJpeg();
  Register("LibjpegNatural", LibjpegNatural);
  Register("LibjpegNaturalReusedBuffer", LibjpegNaturalReusedBuffer);
  Register("ImageFileLoadNatural", ImageFileLoadNatural);
  Register("HostBitmapCreate", HostBitmapCreate);
  Register("LibjpegEighth", LibjpegEighth);
  Register("ImageFileLoadFitted100", ImageFileLoadFitted100);
  Register("PhotoLibjpegNatural", PhotoLibjpeg, 1);
  Register("PhotoImageFileLoadNatural", PhotoImageFileLoad, 0);
  Register("PhotoLibjpegEighth", PhotoLibjpeg, 8);
  Register("PhotoImageFileLoadFitted100", PhotoImageFileLoad, 100);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
