// Two-pass colour reduction that chooses a palette for the image itself
// (median cut over a 32 x 64 x 32 histogram of blue, green, red). Pass one
// counts every row; ComputePalette cuts the colour space into up to
// `colorCount` boxes; pass two maps rows onto the chosen colours, with
// Floyd-Steinberg error diffusion when asked.
#pragma once

#include "codecs/FloydSteinberg.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class PaletteOptimizer {
 public:
  // `rowLength` is the width of the rows MapRow maps.
  PaletteOptimizer(int colorCount, bool dither, int rowLength);

  // Counts `count` pixels: a row, or a column of a picture delivered in
  // columns.
  void CountPixels(const uint8_t* bgr, int count);
  // Writes red, green, blue triplets; returns their number.
  int ComputePalette(uint8_t (*rgb)[3]);
  void MapRow(const uint8_t* bgr, uint8_t* indices);

 private:
  // An occupied histogram cell.
  struct Occupied {
    uint8_t at[3];  // blue, green, red cell coordinates
    uint16_t count;
  };
  // A box of the colour space and the occupied cells inside it, which are
  // the range [first, last) of `occupied_`.
  struct Box {
    int low[3];  // blue, green, red cell bounds, inclusive
    int high[3];
    int64_t volume;
    int64_t pixels;
    size_t first;
    size_t last;
  };

  static size_t Cell(int b, int g, int r) { return (static_cast<size_t>(b) * 64 + g) * 32 + r; }
  // Shrinks the box to its occupied cells and measures it.
  void Fit(Box* box) const;
  int Nearest(int blue, int green, int red) const;
  int Lookup(int blue, int green, int red);

  int colorCount_;
  bool dither_;
  int rowLength_;
  static constexpr size_t kHistogramCells = 32 * 64 * 32;
  std::unique_ptr<uint16_t[]> histogram_;  // zeroed once per load
  std::vector<Box> boxes_;
  std::vector<Occupied> occupied_;
  std::vector<uint16_t> firstSeen_;  // histogram cells in the order they filled
  int paletteCount_ = 0;
  uint8_t palette_[256][3] = {};  // red, green, blue
  FloydSteinberg diffusion_;      // dithering only
};
