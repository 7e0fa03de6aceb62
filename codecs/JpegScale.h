// The DCT scaling the JPEG decoder is asked for: the largest of 1/1, 1/2,
// 1/4 and 1/8 that still leaves at least the output size, so the base only
// ever shrinks the rest of the way.
#pragma once

inline int JpegScaleFactor(int width, int height, int outputWidth, int outputHeight) {
  if (outputWidth <= 0 || outputHeight <= 0) return 1;
  const int byHeight = height / outputHeight;
  const int byWidth = width / outputWidth;
  const int ratio = byHeight < byWidth ? byHeight : byWidth;
  if (ratio >= 8) return 8;
  if (ratio >= 4) return 4;
  if (ratio >= 2) return 2;
  return 1;
}
