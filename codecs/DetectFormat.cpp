#include "codecs/DetectFormat.h"

#include "codecs/ByteOrder.h"
#include "codecs/CodecError.h"
#include "codecs/FormatTable.h"
#include "codecs/ImageFormat.h"
#include "codecs/ImageReader.h"

#include <cstring>

namespace {

// Set by a test that recognises its format but cannot read the file.
constexpr int kUnreadable = -2;

// Accepts when the format's reader, built on the same source, reads a
// header; a format without a reader is never confirmed.
bool ConfirmWithReader(int format, const ImageSource& source, DetectedImage* out) {
  std::unique_ptr<ImageReader> reader = CreateReader(format, source);
  if (!reader || reader->ReadHeader() != CodecOk) return false;
  out->width = reader->Width();
  out->height = reader->Height();
  out->bitsPerPixel = reader->BitsPerPixel();
  out->reader = std::move(reader);
  return true;
}

}  // namespace

// A file with the full signature (byte order and 42) that the TIFF reader
// refuses is an unreadable TIFF: its pixel data may hold anything, a JPEG
// start marker included, so no later test may claim it.
bool IsTiffImage(const uint8_t* head, size_t length, const ImageSource& source,
                 DetectedImage* out) {
  if (length < 3) return false;
  const bool intel = head[0] == 'I' && head[1] == 'I';
  const bool motorola = head[0] == 'M' && head[1] == 'M';
  if (!intel && !motorola) return false;
  if (ConfirmWithReader(FormatTif, source, out)) return true;
  const bool signature =
      length >= 4 && (intel ? head[2] == 42 && head[3] == 0 : head[2] == 0 && head[3] == 42);
  if (signature) out->format = kUnreadable;
  return false;
}

// A quick walk over the JFIF markers for the frame header; when it cannot
// decide, the JPEG reader has the last word.
bool IsJpegImage(const uint8_t* head, size_t length, const ImageSource& source,
                 DetectedImage* out) {
  size_t p = 0;
  while (p + 1 < length && !(head[p] == 0xFF && head[p + 1] == 0xD8)) ++p;
  if (p + 1 >= length) return false;
  p += 1;  // at the 0xD8
  if (length - p < 2) return false;
  bool jfifSeen = false;
  ++p;
  while (p < length) {
    while (p < length && head[p] != 0xFF) ++p;  // up to the next marker
    while (p < length && head[p] == 0xFF) ++p;  // fill bytes
    if (p >= length) break;
    const uint8_t marker = head[p];
    const size_t left = length - p;  // from the marker byte on
    if (marker == 0xE0) {
      if (left < 8 || std::memcmp(head + p + 3, "JFIF", 5) != 0) break;
      jfifSeen = true;
      size_t segment = ReadU16BE(head + p + 1);
      if (segment + 1 > left) break;
      p += 1 + segment;
    } else if (marker >= 0xE2 && marker <= 0xEF) {
      if (left < 3) break;
      p += 1 + ReadU16BE(head + p + 1);
    } else if (marker >= 0xC0 && marker <= 0xC2) {
      if (!jfifSeen || left < 9) break;
      out->height = ReadU16BE(head + p + 4);
      out->width = ReadU16BE(head + p + 6);
      out->bitsPerPixel = head[p + 8] == 1 ? 8 : 24;
      return true;
    } else {
      ++p;
    }
  }
  return ConfirmWithReader(FormatJpg, source, out);
}

bool IsPngImage(const uint8_t* head, size_t length, const ImageSource& source, DetectedImage* out) {
  static const uint8_t kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
  if (length < 8 || std::memcmp(head, kSignature, 8) != 0) return false;
  return ConfirmWithReader(FormatPng, source, out);
}

bool DetectFormat(const uint8_t* head, size_t length, const ImageSource& source,
                  DetectedImage* out) {
  if (length > kDetectBytes) length = kDetectBytes;
  for (int format : kDetectionOrder) {
    DetectedImage found;
    if (FindFormatEntry(format)->test(head, length, source, &found)) {
      found.format = format;
      *out = std::move(found);
      return true;
    }
    if (found.format == kUnreadable) return false;
  }
  return false;
}

int DetectSourceFormat(const ImageSource& source, DetectedImage* out) {
  uint8_t head[kDetectBytes];
  uint32_t got = 0;
  {
    ByteSource bytes(source);
    int code = bytes.Open();
    if (code != CodecOk) return code;
    code = bytes.Read(head, kDetectBytes, &got);
    if (code != CodecOk && code != ErrDataEnded) return code;
  }
  return DetectFormat(head, got, source, out) ? CodecOk : ErrNotSupported;
}
