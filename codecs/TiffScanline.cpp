#include "codecs/TiffScanline.h"

#include <cstring>
#include <utility>

namespace {

// Backwards, so each byte is read before the wider result overwrites it.
void NibblesToBytes(uint8_t* row, int width, bool invert) {
  for (int x = width - 1; x >= 0; --x) {
    const uint8_t packed = row[x / 2];
    const uint8_t value = (x & 1) ? packed & 0x0F : packed >> 4;
    row[x] = invert ? static_cast<uint8_t>(15 - value) : value;
  }
}

// Forwards: each four-byte pixel is read whole before its three bytes land
// at or before where it started.
void FourSamplesToBgr(uint8_t* row, int width, bool inkToLight) {
  for (int x = 0; x < width; ++x) {
    const uint8_t first = row[4 * x];
    const uint8_t second = row[4 * x + 1];
    const uint8_t third = row[4 * x + 2];
    uint8_t* out = row + 3 * x;
    out[0] = inkToLight ? static_cast<uint8_t>(255 - third) : third;
    out[1] = inkToLight ? static_cast<uint8_t>(255 - second) : second;
    out[2] = inkToLight ? static_cast<uint8_t>(255 - first) : first;
  }
}

// Forwards: sample i's high byte lands at i, at or before where it was read.
void KeepHighBytes(uint8_t* row, int samples) {
  for (int i = 0; i < samples; ++i) {
    uint16_t sample;
    std::memcpy(&sample, row + 2 * i, 2);
    row[i] = static_cast<uint8_t>(sample >> 8);
  }
}

}  // namespace

bool IsConvertedLayout(const TiffPixelLayout& layout) {
  switch (layout.photometric) {
    case kPhotometricWhiteIsZero:
    case kPhotometricBlackIsZero:
    case kPhotometricPalette:
      return layout.samplesPerPixel == 1 && layout.bits <= 8;
    case kPhotometricRgb:
      return layout.bitsPerSample == 8 &&
             (layout.samplesPerPixel == 3 || layout.samplesPerPixel == 4);
    case kPhotometricSeparated:
      return layout.bitsPerSample == 8 && layout.samplesPerPixel == 4;
    default:
      return false;
  }
}

void ConvertTiffScanline(uint8_t* row, int width, const TiffPixelLayout& layout) {
  if (layout.wideSamples) KeepHighBytes(row, width * layout.samplesPerPixel);
  switch (layout.bits) {
    case 4:
      NibblesToBytes(row, width, layout.photometric == kPhotometricWhiteIsZero);
      break;
    case 8:
      if (layout.bitsPerSample == 8 && layout.photometric == kPhotometricWhiteIsZero)
        for (int x = 0; x < width; ++x) row[x] = static_cast<uint8_t>(255 - row[x]);
      break;
    case 24:
      if (layout.photometric == kPhotometricRgb)
        for (int x = 0; x < width; ++x) std::swap(row[3 * x], row[3 * x + 2]);
      break;
    case 32:
      FourSamplesToBgr(row, width, layout.photometric == kPhotometricSeparated);
      break;
    default:  // 1 bit: packed; the palette says which value is black
      break;
  }
}
