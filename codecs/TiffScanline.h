// The conversions from a TIFF scan line, as libtiff delivers it, to a row
// the decode pipeline takes: packed 1-bit rows stay packed, 4-bit nibbles
// become bytes, grey stored white-is-zero is inverted, and colour becomes
// blue, green, red (CMYK by ignoring the black channel).
#pragma once

#include <cstdint>

// What the pixels of a scan line are.
struct TiffPixelLayout {
  int bits = 1;  // bits per sample x samples per pixel: 1, 4, 8, 24 or 32
  int bitsPerSample = 1;
  int photometric = 0;  // 0 white is zero, 1 black is zero, 2 RGB, 5 CMYK ...
  // Samples stored with 16 bits (in the machine's byte order, as libtiff
  // hands them over); only their high bytes are kept, after which `bits`
  // and `bitsPerSample` describe the narrowed row.
  bool wideSamples = false;
  int samplesPerPixel = 1;
};

constexpr int kPhotometricWhiteIsZero = 0;
constexpr int kPhotometricBlackIsZero = 1;
constexpr int kPhotometricRgb = 2;
constexpr int kPhotometricPalette = 3;
constexpr int kPhotometricSeparated = 5;

// Whether the conversion below shows such pixels as they are meant: grey
// (either polarity) or palette pixels of one sample of 1, 4 or 8 bits, RGB
// of three samples or four (the fourth dropped), CMYK of four. Other
// colour spaces, and these with other sample counts, are not converted.
bool IsConvertedLayout(const TiffPixelLayout& layout);

// Converts `row` in place. It must hold at least `width` x 4 bytes (x 8
// with wide samples); the scan line occupies its start.
void ConvertTiffScanline(uint8_t* row, int width, const TiffPixelLayout& layout);
