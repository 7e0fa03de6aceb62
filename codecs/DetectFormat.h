// Content detection: which format a source holds, and its size and depth,
// from its first bytes. Extensions play no part.
#pragma once

#include "codecs/ByteSource.h"

#include <cstddef>
#include <cstdint>

constexpr uint32_t kDetectBytes = 4095;

struct DetectedImage {
  int format = -1;
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
};

// Tests `head` (the first up to kDetectBytes bytes of `source`) for each
// format in turn; the first that accepts wins. TIFF, JPEG and PNG confirm
// by reading the header with their reader on `source`.
bool DetectFormat(const uint8_t* head, size_t length, const ImageSource& source,
                  DetectedImage* out);

// Reads the head of `source` and detects. Returns a CodecError: 0, the
// source's open error, or ErrNotSupported when no format accepts.
int DetectSourceFormat(const ImageSource& source, DetectedImage* out);
