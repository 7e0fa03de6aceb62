#include "codecs/PcdColorConverter.h"

namespace {
int32_t Scaled(int value, double factor) { return static_cast<int32_t>(value * factor); }
}  // namespace

PcdColorConverter::PcdColorConverter() {
  for (int i = 0; i < 256; ++i) {
    luma_[i] = Scaled(i, 1.35638);
    blueC1_[i] = Scaled(i - 156, 2.21802);
    greenC1_[i] = Scaled(156 - i, 0.43018);
    greenC2_[i] = Scaled(137 - i, 0.92725);
    redC2_[i] = Scaled(i - 137, 1.82153);
    redC1_[i] = 0;
    blueC2_[i] = 0;
  }
  for (int i = 0; i < static_cast<int>(sizeof clamp_); ++i) {
    const int value = i - kClampOffset;
    clamp_[i] = static_cast<uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
  }
}

void PcdColorConverter::ConvertLine(const uint8_t* luma, const uint8_t* chroma1,
                                    const uint8_t* chroma2, int length, bool reversed,
                                    uint8_t* bgr) const {
  for (int j = 0; j < length; ++j) {
    const int y = luma[j];
    const int c1 = chroma1[j / 2];
    const int c2 = chroma2[j / 2];
    uint8_t* out = bgr + 3 * (reversed ? length - 1 - j : j);
    out[0] = Blue(y, c1, c2);
    out[1] = Green(y, c1, c2);
    out[2] = Red(y, c1, c2);
  }
}
