// Reader for Windows and OS/2 bitmap files: 1, 4, 8, 15, 16, 24 and 32 bits
// per pixel, RLE8 and RLE4, bottom-up and top-down.
#pragma once

#include "codecs/BufferedInput.h"
#include "codecs/DetectFormat.h"
#include "codecs/ImageReader.h"

#include <cstdint>
#include <vector>

class BmpReader : public ImageReader {
 public:
  explicit BmpReader(const ImageSource& source) : ImageReader(source) {}

 protected:
  CodecError ReadHeaderPart() override;
  CodecError StartDecode() override;
  CodecError DecodeRowsPart(int count, int* changed, ImageRect* rect) override;
  CodecError EndDecodePart() override;
  CodecError ReadStoredLine(const uint8_t** line) override;
  // Past the end-of-bitmap escape every row is blank.
  bool RestIsBlank() const override { return endOfBitmap_; }

 private:
  enum class RowKind { Bits1, Bits4, Rle4, Bits8, Rle8, Words555, Bits24, Bits32 };

  // One source row in the reader's native layout, or null when the data
  // ends or cannot be decoded.
  const uint8_t* ReadRow();
  const uint8_t* ReadRle8Row();
  const uint8_t* ReadRle4Row();
  int NextRleByte();

  uint32_t pixelDataOffset_ = 0;
  uint32_t headerSize_ = 0;
  int bitCount_ = 0;
  int compression_ = 0;
  bool isOs2_ = false;
  bool topDown_ = false;
  RowKind rowKind_ = RowKind::Bits8;
  int stride_ = 0;

  BufferedInput input_;
  std::vector<uint8_t> expanded_;  // width x 4 + 256 bytes
  uint32_t rleBytesRead_ = 0;      // for word alignment of literal runs
  bool endOfBitmap_ = false;
};

// Whether `head`, the first bytes of `source`, holds this format: its size
// and depth from the header, for detection.
bool IsBmpImage(const uint8_t* head, size_t length, const ImageSource& source, DetectedImage* out);
