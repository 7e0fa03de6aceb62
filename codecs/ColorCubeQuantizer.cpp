#include "codecs/ColorCubeQuantizer.h"

#include "codecs/DitherMatrices.h"

#include <algorithm>
#include <cstring>

namespace {

// Channels in the order of the input triplets: blue, green, red.
constexpr int kLevels[3] = {5, 8, 6};
constexpr int kIndexWeight[3] = {48, 6, 1};

int LevelValue(int level, int levels) { return (level * 255 + (levels - 1) / 2) / (levels - 1); }

}  // namespace

ColorCubeQuantizer::ColorCubeQuantizer(int colorCount, int method, int rowLength,
                                       const uint8_t (*palette)[3], int paletteCount)
    : method_(method < None || method > Ordered555 ? None : method),
      rowLength_(rowLength > 0 ? rowLength : 0),
      diffusion_(method == FloydSteinberg && colorCount != 0 ? rowLength_ : 0) {
  if (colorCount == 0) method_ = Ordered555;
  for (int c = 0; c < 3; ++c) {
    weight_[c].resize(766);
    level_[c].resize(766);
    // One walk over the values, moving to the next level past each bound.
    const int levels = kLevels[c];
    int level = 0;
    for (int slot = 0; slot < 766; ++slot) {
      int v = std::min(std::max(slot - 255, 0), 255);
      while (level < levels - 1 && ((2 * level + 1) * 255 + (levels - 1)) / (2 * (levels - 1)) < v)
        ++level;
      weight_[c][slot] = level * kIndexWeight[c];
      level_[c][slot] = LevelValue(level, levels);
    }
  }
  if (method_ == Ordered) {
    // Blue follows matrix A, green B, red C.
    const uint8_t* matrices[3] = {kDitherMatrixA, kDitherMatrixB, kDitherMatrixC};
    ditherTable_.resize(3 * 64 * 256);
    for (int c = 0; c < 3; ++c)
      for (int cell = 0; cell < 64; ++cell) {
        int offset = (255 * (65 - 2 * matrices[c][cell])) / (130 * (kLevels[c] - 1));
        uint16_t* entry = ditherTable_.data() + (static_cast<size_t>(c) * 64 + cell) * 256;
        for (int v = 0; v < 256; ++v)
          entry[v] = static_cast<uint16_t>(weight_[c][Slot(v + offset)]);
      }
  } else if (method_ == Ordered555) {
    // Red follows matrix A, green B, blue C; channels in blue, green, red order.
    const uint8_t* matrices[3] = {kDitherMatrixC, kDitherMatrixB, kDitherMatrixA};
    const int shifts[3] = {0, 5, 10};
    ditherTable_.resize(3 * 64 * 256);
    for (int c = 0; c < 3; ++c)
      for (int cell = 0; cell < 64; ++cell) {
        const int m = matrices[c][cell];
        uint16_t* entry = ditherTable_.data() + (static_cast<size_t>(c) * 64 + cell) * 256;
        for (int v = 0; v < 256; ++v) {
          int out = (v & 7) * 63 > 7 * (m - 1) ? std::min(((v >> 3) + 1) << 3, 255) : (v >> 3) << 3;
          entry[v] = static_cast<uint16_t>((out >> 3) << shifts[c]);
        }
      }
  }
  if (palette && paletteCount > 0) {
    paletteInput_ = true;
    for (int i = 0; i < paletteCount && i < 256; ++i) {
      paletteRed_[i] = palette[i][0];
      paletteGreen_[i] = palette[i][1];
      paletteBlue_[i] = palette[i][2];
    }
  }
}

int ColorCubeQuantizer::GetColorMap(uint8_t (*rgb)[3]) const {
  if (method_ == Ordered555) return 0;
  for (int index = 0; index < kCubeColors; ++index) {
    rgb[index][0] = static_cast<uint8_t>(LevelValue(index % 6, 6));
    rgb[index][1] = static_cast<uint8_t>(LevelValue(index / 6 % 8, 8));
    rgb[index][2] = static_cast<uint8_t>(LevelValue(index / 48, 5));
  }
  return kCubeColors;
}

void ColorCubeQuantizer::Pixel(int x, int* blue, int* green, int* red, const uint8_t* input) const {
  if (paletteInput_) {
    uint8_t index = input[x];
    *blue = paletteBlue_[index];
    *green = paletteGreen_[index];
    *red = paletteRed_[index];
  } else {
    *blue = input[3 * x];
    *green = input[3 * x + 1];
    *red = input[3 * x + 2];
  }
}

void ColorCubeQuantizer::QuantizeRow(const uint8_t* input, uint8_t* output) {
  switch (method_) {
    case Ordered:
      QuantizeOrdered(input, output);
      break;
    case FloydSteinberg:
      QuantizeDiffused(input, output);
      break;
    case Ordered555:
      Quantize555(input, output);
      break;
    default:
      for (int x = 0; x < rowLength_; ++x) {
        int channel[3];
        Pixel(x, &channel[0], &channel[1], &channel[2], input);
        output[x] =
            static_cast<uint8_t>(weight_[0][Slot(channel[0])] + weight_[1][Slot(channel[1])] +
                                 weight_[2][Slot(channel[2])]);
      }
      break;
  }
  rowPhase_ = (rowPhase_ + 1) & 7;
}

void ColorCubeQuantizer::QuantizeOrdered(const uint8_t* input, uint8_t* output) {
  for (int x = 0; x < rowLength_; ++x) {
    const int cell = rowPhase_ * 8 + (x & 7);
    int channel[3];
    Pixel(x, &channel[0], &channel[1], &channel[2], input);
    output[x] =
        static_cast<uint8_t>(DitherEntry(0, cell)[channel[0]] + DitherEntry(1, cell)[channel[1]] +
                             DitherEntry(2, cell)[channel[2]]);
  }
}

void ColorCubeQuantizer::QuantizeDiffused(const uint8_t* input, uint8_t* output) {
  diffusion_.DiffuseRow([&](int x, const int error[3], int residual[3]) {
    int channel[3];
    Pixel(x, &channel[0], &channel[1], &channel[2], input);
    int index = 0;
    for (int c = 0; c < 3; ++c) {
      // The padded tables take values pushed past either end.
      const int v = channel[c] + error[c];
      const int slot = Slot(v);
      index += weight_[c][slot];
      residual[c] = std::min(std::max(v, 0), 255) - level_[c][slot];
    }
    output[x] = static_cast<uint8_t>(index);
  });
}

void ColorCubeQuantizer::Quantize555(const uint8_t* input, uint8_t* output) {
  for (int x = 0; x < rowLength_; ++x) {
    const int cell = rowPhase_ * 8 + (x & 7);
    int channel[3];
    Pixel(x, &channel[0], &channel[1], &channel[2], input);
    const int word = DitherEntry(0, cell)[channel[0]] | DitherEntry(1, cell)[channel[1]] |
                     DitherEntry(2, cell)[channel[2]];
    output[2 * x] = static_cast<uint8_t>(word & 0xFF);
    output[2 * x + 1] = static_cast<uint8_t>(word >> 8);
  }
}
