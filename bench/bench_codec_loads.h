// What the decoding benchmarks do with the codec layer: check once, before
// timing, that a file in memory decodes to the same rows as the reference
// library gives, and time whole loads of it.
#pragma once

#include "codecs/ImageFile.h"
#include "platform/codec/CodecPlatform.h"
#include "platform/codec/HostCodecPlatform.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

// Which bitmap a load keeps: the reader's own rows (native) or the 24-bit
// display bitmap of a true-colour screen.
enum class KeptBitmap { kNative, kDisplay };

inline bool LoadKeeping(ImageFile& image, KeptBitmap kept) {
  const bool native = kept == KeptBitmap::kNative;
  return image.Load(native, !native) == CodecOk;
}

// Aborts the benchmark program unless `bytes` decodes to `height` rows of
// `rowBytes` equal to `expected`, top row first.
inline void AbortUnlessDecodesTo(const char* bench, const std::vector<uint8_t>& bytes,
                                 KeptBitmap kept, const uint8_t* expected, size_t rowBytes,
                                 int height) {
  host_codec::SetScreenDepth(24);
  ImageFile image(ImageSource::FromMemory(bytes.data(), static_cast<uint32_t>(bytes.size())));
  DibDescription dib;
  if (!expected || !LoadKeeping(image, kept) ||
      !codec_platform::DescribeDib(
          kept == KeptBitmap::kNative ? image.GetNativeBitmap() : image.GetDisplayBitmap(), &dib) ||
      dib.height != height || static_cast<size_t>(dib.stride) < rowBytes) {
    std::fprintf(stderr, "%s: the benchmark file does not decode\n", bench);
    std::abort();
  }
  for (int y = 0; y < height; ++y) {
    const uint8_t* row =
        dib.bits + static_cast<size_t>(dib.bottomUp ? height - 1 - y : y) * dib.stride;
    if (std::memcmp(row, expected + y * rowBytes, rowBytes) != 0) {
      std::fprintf(stderr, "%s: row %d differs from the reference decoder's\n", bench, y);
      std::abort();
    }
  }
}

inline void TimeCodecLayerLoads(benchmark::State& state, const std::vector<uint8_t>& bytes,
                                KeptBitmap kept, int64_t pixelBytes) {
  host_codec::SetScreenDepth(24);
  for (auto _ : state) {
    ImageFile image(ImageSource::FromMemory(bytes.data(), static_cast<uint32_t>(bytes.size())));
    if (!LoadKeeping(image, kept)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(image.GetNativeBitmap());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * pixelBytes);
}
