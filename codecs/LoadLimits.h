// What one load may ask of the machine. Sizes from a file are checked
// against these before anything is allocated, so that a hostile header of
// a few bytes cannot ask for gigabytes.
#pragma once

#include <cstdint>

constexpr int kMaxImageWidth = 15000;
// The bitmaps: at most two of 3 bytes a pixel.
constexpr int64_t kMaxOutputPixels = 40000000;
// Everything else a load allocates: the reader's own large buffers and the
// working memory of the libraries beneath it, together. A 40-megapixel
// picture needs at most about half of it.
constexpr uint64_t kMaxLoadBytes = uint64_t{256} << 20;
