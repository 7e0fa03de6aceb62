// The one place where each format's content test, reader and writer are
// hooked in. To add one, include its header in FormatTable.cpp and name it
// in the format's row.
#pragma once

#include "codecs/ByteSource.h"
#include "codecs/ImageFormat.h"
#include "platform/codec/CodecPlatform.h"

#include <cstddef>
#include <cstdint>
#include <memory>

class ImageReader;
class ImageWriter;
struct DetectedImage;

using ReaderFactory = std::unique_ptr<ImageReader> (*)(const ImageSource& source);
using WriterFactory = std::unique_ptr<ImageWriter> (*)(const char* outputPath, DibHandle bitmap);

template <class Reader>
std::unique_ptr<ImageReader> MakeReader(const ImageSource& source) {
  return std::unique_ptr<ImageReader>(new Reader(source));
}

template <class Writer>
std::unique_ptr<ImageWriter> MakeWriter(const char* outputPath, DibHandle bitmap) {
  return std::unique_ptr<ImageWriter>(new Writer(outputPath, bitmap));
}

// Whether the first `length` bytes of `source` (in `head`) hold the format.
using FormatTest = bool (*)(const uint8_t* head, size_t length, const ImageSource& source,
                            DetectedImage* out);

struct FormatEntry {
  const char* text;      // "BMP \tWindows Bitmap"
  FormatTest test;       // content detection
  ReaderFactory reader;  // null: the format cannot be read
  WriterFactory writer;  // null: the format cannot be written
};

// The order in which detection runs the tests: the first that accepts
// decides.
extern const int kDetectionOrder[kFormatCount];

// Null for a code outside the table.
const FormatEntry* FindFormatEntry(int format);

// Null when the format has no reader (writer).
std::unique_ptr<ImageReader> CreateReader(int format, const ImageSource& source);
std::unique_ptr<ImageWriter> CreateWriter(int format, const char* outputPath, DibHandle bitmap);
