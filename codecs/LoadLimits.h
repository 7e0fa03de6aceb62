// What one load may ask of the machine. Sizes from a file are checked
// against these before anything is allocated, so that a hostile header of
// a few bytes cannot ask for gigabytes.
#pragma once

#include <cstdint>

// The size rule. A picture's size is checked twice:
//  - at its header, by its reader: each side at least 1 and no more than
//    its format stores. GIF, PCX and Targa sides are 16-bit and JPEG's at
//    most 65500; PNG and TIFF sides are 32-bit and reach their libraries,
//    which size buffers by them, before the decode set-up, so SideFits holds
//    them to kLargestSide. BMP sides, read by the layer alone, wait for:
//  - the decode set-up (ImageReader::BeginDecode), the same for every
//    format: at most kMaxImageWidth wide (ErrTooWide), and an output of at
//    most kMaxOutputPixels.
constexpr int64_t kLargestSide = 32767;
constexpr int kMaxImageWidth = 15000;
// The delivered line of a reader decoding at a scale is at most this long.
constexpr int kMaxDeliveredLine = 4 * kMaxImageWidth;
// The bitmaps: at most two of 3 bytes a pixel.
constexpr int64_t kMaxOutputPixels = 40000000;
// Everything else a load allocates: the reader's own large buffers and the
// working memory of the libraries beneath it, together. A 40-megapixel
// picture needs at most about half of it.
constexpr uint64_t kMaxLoadBytes = uint64_t{256} << 20;

inline bool SideFits(int64_t side) { return side >= 1 && side <= kLargestSide; }

struct PixelSize {
  int width;
  int height;
};

// The largest size of the proportions of width x height whose pixels stay
// within `maxPixels` (at least 1): the longer side as long as it can be, the
// shorter one in proportion, rounded, at least 1. A size within the bound is
// kept as it is.
inline PixelSize WithinOutputPixels(int width, int height, int64_t maxPixels) {
  if (width <= 0 || height <= 0 || int64_t{width} * height <= maxPixels) return {width, height};
  const bool wide = width >= height;
  const int64_t along = wide ? width : height;
  const int64_t across = wide ? height : width;
  const auto acrossFor = [&](int64_t k) {
    const int64_t scaled = (k * across + along / 2) / along;
    return scaled > 1 ? scaled : int64_t{1};
  };
  // k * acrossFor(k) grows with k: 1 always fits, `along` never does.
  int64_t fits = 1, tooLong = along;
  while (tooLong - fits > 1) {
    const int64_t k = fits + (tooLong - fits) / 2;
    if (k * acrossFor(k) <= maxPixels)
      fits = k;
    else
      tooLong = k;
  }
  const int longSide = static_cast<int>(fits);
  const int shortSide = static_cast<int>(acrossFor(fits));
  return wide ? PixelSize{longSide, shortSide} : PixelSize{shortSide, longSide};
}
