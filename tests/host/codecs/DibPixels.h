// Reading pixels back out of a bitmap made by the codec layer, in image
// coordinates (row 0 at the top) whatever the bitmap's row order.
#pragma once

#include "platform/codec/CodecPlatform.h"

#include <cstdint>
#include <ostream>
#include <string>

struct Rgb {
  int red = 0;
  int green = 0;
  int blue = 0;
  bool operator==(const Rgb& other) const {
    return red == other.red && green == other.green && blue == other.blue;
  }
};

inline std::string ToString(const Rgb& c) {
  return "(" + std::to_string(c.red) + ", " + std::to_string(c.green) + ", " +
         std::to_string(c.blue) + ")";
}

// How GoogleTest shows a colour in a failure.
inline void PrintTo(const Rgb& c, std::ostream* os) { *os << ToString(c); }

inline const uint8_t* DibImageRow(const DibDescription& dib, int y) {
  int m = dib.bottomUp ? dib.height - 1 - y : y;
  return dib.bits + static_cast<size_t>(m) * dib.stride;
}

// The stored value: palette index, 16-bit word or 0xRRGGBB.
inline uint32_t DibValue(const DibDescription& dib, int x, int y) {
  const uint8_t* row = DibImageRow(dib, y);
  switch (dib.bitsPerPixel) {
    case 1:
      return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4:
      return (x & 1) ? row[x >> 1] & 15 : row[x >> 1] >> 4;
    case 8:
      return row[x];
    case 16:
      return row[2 * x] | row[2 * x + 1] << 8;
    case 24:
      return row[3 * x + 2] << 16 | row[3 * x + 1] << 8 | row[3 * x];
    default:
      return row[4 * x + 2] << 16 | row[4 * x + 1] << 8 | row[4 * x];
  }
}

inline Rgb DibColour(const DibDescription& dib, int x, int y) {
  uint32_t v = DibValue(dib, x, y);
  if (dib.bitsPerPixel <= 8) {
    if (static_cast<int>(v) >= dib.colorCount) return Rgb{-1, -1, -1};
    const RgbQuad& q = dib.colorTable[v];
    return Rgb{q.red, q.green, q.blue};
  }
  if (dib.bitsPerPixel == 16)
    return Rgb{static_cast<int>((v >> 10) & 31) << 3, static_cast<int>((v >> 5) & 31) << 3,
               static_cast<int>(v & 31) << 3};
  return Rgb{static_cast<int>(v >> 16), static_cast<int>((v >> 8) & 255),
             static_cast<int>(v & 255)};
}

inline DibDescription Describe(DibHandle bitmap) {
  DibDescription dib;
  if (!codec_platform::DescribeDib(bitmap, &dib)) dib = DibDescription();
  return dib;
}
