// How long the Windows build takes to decode a 4000 x 3000 JPEG at natural
// size and at 1/8: libjpeg-turbo alone with the JPEG reader's settings, and
// the codec layer's whole load into a bitmap, for the synthetic picture and
// the camera-like one. Run under Wine:
//   wine jpeg_decode_bench.exe [rounds]
#include "BenchTiming.h"
#include "bench/bench_jpeg_picture.h"
#include "codecs/ImageFile.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void Report(const std::string& what, const RoundTimes& times, int rounds) {
  std::printf("%-52s median %6.1f ms, min %6.1f ms, max %6.1f ms (%d rounds)\n", what.c_str(),
              times.Median(), times.Min(), times.Max(), rounds);
}

void MeasurePicture(const char* name, const std::vector<uint8_t>& picture, int rounds) {
  std::printf("%s: %u bytes\n", name, static_cast<unsigned>(picture.size()));
  // A load writes into a bitmap made for it, whose memory is new to the
  // process; the reused buffer shows the library's decoding alone.
  for (int scale : {1, 8}) {
    RoundTimes fresh, reused;
    fresh.Measure(rounds, [&] {
      bench_jpeg::OutputBuffer image;
      bench_jpeg::LibjpegDecode(picture, scale, &image);
    });
    bench_jpeg::OutputBuffer kept;
    reused.Measure(rounds, [&] { bench_jpeg::LibjpegDecode(picture, scale, &kept); });
    const std::string size = scale == 1 ? "natural size" : "1/8";
    Report("  libjpeg decode, " + size + ", new memory", fresh, rounds);
    Report("  libjpeg decode, " + size + ", reused buffer", reused, rounds);
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
    Report(fit ? "  ImageFile load fitted to 500x375 (1/8)" : "  ImageFile load, natural size",
           times, rounds);
    if (!loaded) std::printf("  (a load failed)\n");
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
  MeasurePicture("synthetic, quality 75", bench_jpeg::BaselineJpeg(), rounds);
  MeasurePicture("camera-like, quality 90", bench_jpeg::PhotoJpeg(), rounds);
  return 0;
}
