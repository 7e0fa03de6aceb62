// Heap use of decoding the 4000 x 3000 baseline JPEG: every allocation of
// the process goes through the counting malloc below, and each run reports
// the peak of live heap bytes above what was live before it, next to the
// size of the output bitmap. The largest resident set (getrusage) is
// reported as a cross-check.
#include "bench/bench_jpeg_picture.h"
#include "codecs/ImageFile.h"
#include "platform/codec/HostCodecPlatform.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <malloc.h>
#include <sys/resource.h>

// ---- counting allocator ---------------------------------------------------

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* block);
}

namespace {

std::atomic<size_t> liveBytes{0};
std::atomic<size_t> peakBytes{0};

void Added(void* block) {
  if (!block) return;
  const size_t now = liveBytes += malloc_usable_size(block);
  size_t peak = peakBytes.load();
  while (now > peak && !peakBytes.compare_exchange_weak(peak, now)) {
  }
}

void Removed(void* block) {
  if (block) liveBytes -= malloc_usable_size(block);
}

}  // namespace

extern "C" {
void* malloc(size_t size) {
  void* block = __libc_malloc(size);
  Added(block);
  return block;
}
void* calloc(size_t count, size_t size) {
  void* block = __libc_calloc(count, size);
  Added(block);
  return block;
}
void* realloc(void* block, size_t size) {
  Removed(block);
  void* moved = __libc_realloc(block, size);
  Added(moved ? moved : (size ? block : nullptr));
  return moved;
}
void free(void* block) {
  Removed(block);
  __libc_free(block);
}
void* memalign(size_t alignment, size_t size) {
  void* block = __libc_memalign(alignment, size);
  Added(block);
  return block;
}
void* aligned_alloc(size_t alignment, size_t size) { return memalign(alignment, size); }
int posix_memalign(void** out, size_t alignment, size_t size) {
  void* block = memalign(alignment, size);
  if (!block) return 12;  // ENOMEM
  *out = block;
  return 0;
}
void* valloc(size_t size) { return memalign(4096, size); }
void* pvalloc(size_t size) { return memalign(4096, (size + 4095) & ~size_t{4095}); }
}

// ---- runs -----------------------------------------------------------------

namespace {

using bench_jpeg::BaselineJpeg;
constexpr double kMiB = 1024.0 * 1024.0;
// The 24-bit output bitmap: rows padded to 4 bytes.
constexpr double kBitmapBytes = ((3.0 * bench_jpeg::kWidth + 3) / 4 * 4) * bench_jpeg::kHeight;

ImageSource Memory() {
  return ImageSource::FromMemory(BaselineJpeg().data(),
                                 static_cast<uint32_t>(BaselineJpeg().size()));
}

template <class Decode>
void MeasurePeak(benchmark::State& state, double outputBytes, Decode decode) {
  double worstAbove = 0;
  for (auto _ : state) {
    const size_t before = liveBytes.load();
    peakBytes = before;
    decode();
    const double above = static_cast<double>(peakBytes.load() - before);
    if (above > worstAbove) worstAbove = above;
  }
  state.counters["peak_MiB"] = worstAbove / kMiB;
  state.counters["output_MiB"] = outputBytes / kMiB;
  state.counters["beyond_output_MiB"] = (worstAbove - outputBytes) / kMiB;
}

void ImageFileLoadNaturalPeak(benchmark::State& state) {
  host_codec::SetScreenDepth(24);
  MeasurePeak(state, kBitmapBytes, [] {
    ImageFile image(Memory());
    if (image.Load(false, true) != CodecOk) std::abort();
  });
}

void LibjpegNaturalPeak(benchmark::State& state) {
  MeasurePeak(state, kBitmapBytes, [] {
    bench_jpeg::OutputBuffer image;
    bench_jpeg::LibjpegDecode(BaselineJpeg(), 1, &image);
  });
}

void ImageFileLoadFitted100Peak(benchmark::State& state) {
  host_codec::SetScreenDepth(24);
  MeasurePeak(state, 300.0 * 75, [] {
    ImageFile image(Memory());
    if (image.LoadFitted({.maxWidth = 100, .maxHeight = 100}) != CodecOk) std::abort();
  });
}

long MaxResidentKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
  BaselineJpeg();
  // Cross-check before any benchmark runs: growth of the largest resident
  // set over one natural-size load.
  {
    const long before = MaxResidentKiB();
    host_codec::SetScreenDepth(24);
    ImageFile image(Memory());
    if (image.Load(false, true) != CodecOk) return 1;
    std::printf(
        "largest resident set grew by %.1f MiB over one natural-size load "
        "(bitmap %.1f MiB)\n",
        (MaxResidentKiB() - before) / 1024.0, kBitmapBytes / kMiB);
  }
  for (auto* b :
       {benchmark::RegisterBenchmark("ImageFileLoadNaturalPeak", ImageFileLoadNaturalPeak),
        benchmark::RegisterBenchmark("LibjpegNaturalPeak", LibjpegNaturalPeak),
        benchmark::RegisterBenchmark("ImageFileLoadFitted100Peak", ImageFileLoadFitted100Peak)})
    b->Unit(benchmark::kMillisecond)->Iterations(3);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
