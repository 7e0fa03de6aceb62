#include "codecs/DetectFormat.h"

#include "codecs/ByteOrder.h"
#include "codecs/CodecError.h"
#include "codecs/FormatTable.h"
#include "codecs/ImageFormat.h"
#include "codecs/ImageReader.h"
#include "codecs/StoredDepths.h"

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

bool IsBmpImage(const uint8_t* head, size_t length, const ImageSource&, DetectedImage* out) {
  if (length < 54) return false;
  if (!(head[0] == 'B' && head[1] == 'M') && !(head[0] == 'M' && head[1] == 'B')) return false;
  uint32_t headerSize = ReadU32LE(head + 14);
  int64_t width, height;
  int bits;
  uint32_t compression = 0;
  if (headerSize == 12) {
    width = ReadU16LE(head + 18);
    height = ReadU16LE(head + 20);
    bits = ReadU16LE(head + 24);
  } else if (headerSize == 40 || headerSize == 64) {
    width = ReadS32LE(head + 18);
    height = ReadS32LE(head + 22);
    bits = ReadU16LE(head + 28);
    compression = ReadU32LE(head + 30);
  } else {
    return false;
  }
  if (!IsBmpDepth(bits)) return false;
  if (compression > 2) return false;
  out->width = static_cast<int>(width);
  // Top-down files store their height negated.
  out->height = static_cast<int>(height < 0 ? -height : height);
  out->bitsPerPixel = bits;
  return true;
}

bool IsGifImage(const uint8_t* head, size_t length, const ImageSource&, DetectedImage* out) {
  if (length < 13) return false;
  if (std::memcmp(head, "GIF87a", 6) != 0 && std::memcmp(head, "GIF89a", 6) != 0) return false;
  out->width = ReadU16LE(head + 6);
  out->height = ReadU16LE(head + 8);
  out->bitsPerPixel = (head[10] & 7) + 1;
  return true;
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

bool IsPhotoCdImage(const uint8_t* head, size_t length, const ImageSource&, DetectedImage* out) {
  if (length < 3587) return false;
  if (std::memcmp(head + 2048, "PCD", 3) != 0) return false;
  const bool rotated = (head[3586] & 3) != 0;
  out->width = rotated ? 512 : 768;
  out->height = rotated ? 768 : 512;
  out->bitsPerPixel = 24;
  return true;
}

bool IsPcxImage(const uint8_t* head, size_t length, const ImageSource&, DetectedImage* out) {
  if (length < 128 || head[0] != 10) return false;
  const int bits = head[3] * head[65];
  if (!IsPcxDepth(bits)) return false;
  out->width = ReadU16LE(head + 8) - ReadU16LE(head + 4) + 1;
  out->height = ReadU16LE(head + 10) - ReadU16LE(head + 6) + 1;
  out->bitsPerPixel = bits;
  return true;
}

bool IsPngImage(const uint8_t* head, size_t length, const ImageSource& source, DetectedImage* out) {
  static const uint8_t kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
  if (length < 8 || std::memcmp(head, kSignature, 8) != 0) return false;
  return ConfirmWithReader(FormatPng, source, out);
}

bool IsTargaImage(const uint8_t* head, size_t length, const ImageSource&, DetectedImage* out) {
  if (length < 18) return false;
  switch (head[2]) {
    case 1:
    case 2:
    case 3:
    case 9:
    case 10:
    case 11:
      break;
    default:
      return false;
  }
  if (head[1] > 1) return false;
  if (head[1] == 1 && head[7] != 16 && head[7] != 24) return false;
  if (head[17] >= 64) return false;
  switch (head[16]) {
    case 8:
    case 16:
    case 24:
    case 32:
      break;
    default:
      return false;
  }
  out->width = ReadU16LE(head + 12);
  out->height = ReadU16LE(head + 14);
  out->bitsPerPixel = head[16];
  return true;
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
