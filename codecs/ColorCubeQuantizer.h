// One-pass colour reduction onto a fixed cube of 240 colours (6 red x 8
// green x 5 blue levels), without dithering, with ordered dithering or with
// Floyd-Steinberg error diffusion; or, with colour count 0 and method 3, an
// ordered-dither conversion to 5-5-5 words for 16-bit displays. Input rows
// are blue, green, red triplets, or palette indices when the quantizer was
// given the image palette.
#pragma once

#include "codecs/FloydSteinberg.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class ColorCubeQuantizer {
 public:
  enum Method { None = 0, Ordered = 1, FloydSteinberg = 2, Ordered555 = 3 };

  static constexpr int kCubeColors = 240;

  // `palette` (red, green, blue triplets) makes the input palette indices.
  ColorCubeQuantizer(int colorCount, int method, int rowLength,
                     const uint8_t (*palette)[3] = nullptr, int paletteCount = 0);

  // Writes one palette index per pixel, or for method 3 one little-endian
  // 16-bit word per pixel (2 x rowLength bytes).
  void QuantizeRow(const uint8_t* input, uint8_t* output);

  // The cube's colours in palette-index order as red, green, blue; returns
  // the count (240), or 0 for method 3.
  int GetColorMap(uint8_t (*rgb)[3]) const;

  int Method() const { return method_; }

 private:
  // Index of channel value v (-255 .. 510 allowed) in the padded tables.
  static int Slot(int v) { return v < -255 ? 0 : v > 510 ? 765 : v + 255; }
  void Pixel(int x, int* blue, int* green, int* red, const uint8_t* input) const;
  void QuantizeOrdered(const uint8_t* input, uint8_t* output);
  void QuantizeDiffused(const uint8_t* input, uint8_t* output);
  void Quantize555(const uint8_t* input, uint8_t* output);

  int method_;
  int rowLength_;
  int rowPhase_ = 0;
  // Per channel (0 blue, 1 green, 2 red): index contribution of a value,
  // and the level value it stands for, over -255 .. 510.
  std::vector<int> weight_[3];
  std::vector<int> level_[3];
  // Methods 1 and 3: per channel, matrix cell and value, the index
  // contribution (method 1) or the 5-5-5 bits (method 3).
  std::vector<uint16_t> ditherTable_;
  const uint16_t* DitherEntry(int channel, int cell) const {
    return ditherTable_.data() + (static_cast<size_t>(channel) * 64 + cell) * 256;
  }
  ::FloydSteinberg diffusion_;  // method 2 only
  bool paletteInput_ = false;
  uint8_t paletteBlue_[256] = {};
  uint8_t paletteGreen_[256] = {};
  uint8_t paletteRed_[256] = {};
};
