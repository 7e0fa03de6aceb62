// Photo CD luma and chroma samples to blue, green, red through fixed
// tables: each channel is the luma term plus one or two chroma terms,
// clamped to 0 .. 255.
#pragma once

#include <cstdint>

class PcdColorConverter {
 public:
  PcdColorConverter();

  uint8_t Blue(int y, int c1, int c2) const { return Clamp(luma_[y] + blueC1_[c1] + blueC2_[c2]); }
  uint8_t Green(int y, int c1, int c2) const {
    return Clamp(luma_[y] + greenC1_[c1] + greenC2_[c2]);
  }
  uint8_t Red(int y, int c1, int c2) const { return Clamp(luma_[y] + redC1_[c1] + redC2_[c2]); }

  // Converts `length` luma samples (length even) with their `length / 2`
  // chroma pairs into blue, green, red triplets; with `reversed` the last
  // pixel comes first.
  void ConvertLine(const uint8_t* luma, const uint8_t* chroma1, const uint8_t* chroma2, int length,
                   bool reversed, uint8_t* bgr) const;

 private:
  uint8_t Clamp(int32_t value) const { return clamp_[value + kClampOffset]; }

  int32_t luma_[256];
  int32_t blueC1_[256];
  int32_t blueC2_[256];
  int32_t greenC1_[256];
  int32_t greenC2_[256];
  int32_t redC1_[256];
  int32_t redC2_[256];
  // Sums reach from -346 to 564 (blue from chroma 1 alone spans -346 ..
  // 219), so the clamping table covers -512 .. 767.
  static constexpr int kClampOffset = 512;
  uint8_t clamp_[1280];
};
