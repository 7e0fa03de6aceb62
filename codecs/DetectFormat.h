// Content detection: which format a source holds, and its size and depth,
// from its first bytes. Extensions play no part.
#pragma once

#include "codecs/ByteSource.h"
#include "codecs/ImageReader.h"

#include <cstddef>
#include <cstdint>
#include <memory>

constexpr uint32_t kDetectBytes = 4095;

struct DetectedImage {
  int format = -1;
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  // The reader that confirmed the format by reading its header (TIFF,
  // JPEG, PNG), ready for a load to go on from there; null otherwise.
  std::unique_ptr<ImageReader> reader;
};

// The tests of the formats whose readers confirm them: whether `head` (the
// first bytes of `source`) holds that format, and its size and depth. The
// other formats' tests lie beside their readers; the format table names all.
bool IsTiffImage(const uint8_t* head, size_t length, const ImageSource& source, DetectedImage* out);
bool IsJpegImage(const uint8_t* head, size_t length, const ImageSource& source, DetectedImage* out);
bool IsPngImage(const uint8_t* head, size_t length, const ImageSource& source, DetectedImage* out);

// Runs the format table's tests on `head` (the first up to kDetectBytes
// bytes of `source`) in the table's detection order; the first that
// accepts wins.
bool DetectFormat(const uint8_t* head, size_t length, const ImageSource& source,
                  DetectedImage* out);

// Reads the head of `source` and detects. Returns a CodecError: 0, the
// source's open error, or ErrNotSupported when no format accepts.
int DetectSourceFormat(const ImageSource& source, DetectedImage* out);
