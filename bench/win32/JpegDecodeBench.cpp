// How long the Windows build takes to decode a 4000 x 3000 JPEG at natural
// size and at 1/8: libjpeg-turbo alone with the JPEG reader's settings, and
// the codec layer's whole load into a bitmap. Run under Wine:
//   wine jpeg_decode_bench.exe [rounds]
#include "BenchTiming.h"
#include "bench_jpeg_picture.h"
#include "codecs/ImageFile.h"

#include <cstdio>
#include <cstdlib>

namespace {

void Report(const char* what, const RoundTimes& times, int rounds) {
  std::printf("%-44s median %6.1f ms, min %6.1f ms, max %6.1f ms (%d rounds)\n", what,
              times.Median(), times.Min(), times.Max(), rounds);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
  const std::vector<uint8_t>& picture = bench_jpeg::BaselineJpeg();
  bench_jpeg::OutputBuffer image;
  for (int scale : {1, 8}) {
    RoundTimes times;
    times.Measure(rounds, [&] { bench_jpeg::LibjpegDecode(picture, scale, &image); });
    Report(scale == 1 ? "libjpeg decode, natural size" : "libjpeg decode, 1/8", times, rounds);
  }
  const ImageSource source = ImageSource::FromMemory(picture.data(), picture.size());
  for (int fit : {0, 500}) {
    LoadOptions options;
    options.maxWidth = fit;
    options.maxHeight = fit * 3 / 4;
    RoundTimes times;
    bool loaded = true;
    times.Measure(rounds, [&] {
      ImageFile file(source);
      loaded = loaded && file.LoadFitted(options) == CodecOk;
    });
    Report(fit ? "ImageFile load fitted to 500x375 (1/8)" : "ImageFile load, natural size", times,
           rounds);
    if (!loaded) std::printf("  (a load failed)\n");
  }
  return 0;
}
