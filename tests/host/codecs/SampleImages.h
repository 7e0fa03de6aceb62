// The committed sample pictures under tests/data/images and the colour of
// each of their pixels (see the README there).
#pragma once

#include "tests/host/codecs/DibPixels.h"

#include <string>
#include <vector>

struct SampleImage {
  const char* file;
  int width;
  int height;
  int bitsPerPixel;
  Rgb (*pixel)(int x, int y);
};

inline Rgb SampleTrueColour(int x, int y) { return Rgb{60 * x, 100 * y, 30}; }
inline Rgb SampleWords(int x, int y) { return Rgb{x << 3, y << 3, 2 << 3}; }
inline Rgb SamplePalette16(int x, int y) {
  int i = (x + 2 * y) % 16;
  return Rgb{16 * i, 255 - 16 * i, 100};
}
inline Rgb SamplePalette256(int x, int y) {
  int i = (x + 2 * y) % 16;
  return Rgb{i, 255 - i, 100};
}
inline Rgb SampleMono(int x, int y) { return (x + y) % 2 ? Rgb{255, 255, 255} : Rgb{0, 0, 0}; }

inline const std::vector<SampleImage>& SampleImages() {
  static const std::vector<SampleImage> samples = {
      {"rgb24-5x3.bmp", 5, 3, 24, SampleTrueColour},
      {"rgb24-topdown-5x3.bmp", 5, 3, 24, SampleTrueColour},
      {"rgb32-5x3.bmp", 5, 3, 32, SampleTrueColour},
      {"rgb16-5x3.bmp", 5, 3, 16, SampleWords},
      {"pal4-5x3.bmp", 5, 3, 4, SamplePalette16},
      {"rle4-5x3.bmp", 5, 3, 4, SamplePalette16},
      {"pal8-5x3.bmp", 5, 3, 8, SamplePalette256},
      {"os2-pal8-5x3.bmp", 5, 3, 8, SamplePalette256},
      {"rle8-5x3.bmp", 5, 3, 8, SamplePalette256},
      {"mono1-10x3.bmp", 10, 3, 1, SampleMono},
  };
  return samples;
}

inline std::string SamplePath(const SampleImage& sample) {
  return std::string(ZEL95_TEST_DATA) + "/images/" + sample.file;
}
