#include "codecs/GreyPalette.h"

#include <cmath>

namespace {

// trunc(n x factor) computed exactly: the double's value is mantissa x 2^e,
// so the product needs no rounding and no compiler's choice of precision
// can move it across an integer.
int TruncatedProduct(int n, double factor) {
  int exponent = 0;
  double fraction = std::frexp(factor, &exponent);  // factor = fraction x 2^exponent
  uint64_t mantissa = static_cast<uint64_t>(std::ldexp(fraction, 53));
  int shift = 53 - exponent;  // factor = mantissa / 2^shift
  return static_cast<int>((static_cast<uint64_t>(n) * mantissa) >> shift);
}

}  // namespace

int MakeGreyLevels(uint8_t (*rgb)[3]) {
  for (int i = 0; i < kGreyLevels; ++i) {
    uint8_t level = static_cast<uint8_t>(TruncatedProduct(i, 1.0851063829787233));
    rgb[i][0] = rgb[i][1] = rgb[i][2] = level;
  }
  return kGreyLevels;
}

void MakeGreyIndexTable(uint16_t table[256]) {
  for (int v = 0; v < 256; ++v)
    table[v] = static_cast<uint16_t>(TruncatedProduct(v, 0.9215686274509804));
}

int MakeGreyRamp(int bits, uint8_t (*rgb)[3]) {
  if (bits < 1) bits = 1;
  if (bits > 8) bits = 8;
  int count = 1 << bits;
  for (int i = 0; i < count; ++i) {
    uint8_t grey = static_cast<uint8_t>(i * 255 / (count - 1));
    rgb[i][0] = rgb[i][1] = rgb[i][2] = grey;
  }
  return count;
}
