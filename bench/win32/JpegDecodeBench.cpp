// How long libjpeg-turbo, as the Windows build links it, takes to decode a
// 4000 x 3000 JPEG at natural size and at 1/8 with the JPEG reader's
// settings. Run under Wine:  wine jpeg_decode_bench.exe [rounds]
#include "BenchTiming.h"
#include "bench_jpeg_picture.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    const std::vector<uint8_t> &picture = bench_jpeg::BaselineJpeg();
    bench_jpeg::OutputBuffer image;
    for (int scale : {1, 8}) {
        RoundTimes times;
        times.Measure(rounds, [&] { bench_jpeg::LibjpegDecode(picture, scale, &image); });
        std::printf("libjpeg decode 4000x3000 at 1/%d: median %.1f ms, min %.1f ms, max %.1f ms (%d rounds)\n", scale,
                    times.Median(), times.Min(), times.Max(), rounds);
    }
    return 0;
}
