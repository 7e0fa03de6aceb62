// Reader for ZSoft PCX files: 1, 4, 8, 15, 16 and 24 bits per pixel, in one
// plane or in bit or byte planes, run-length encoded scan lines.
#pragma once

#include "codecs/BufferedInput.h"
#include "codecs/DetectFormat.h"
#include "codecs/ImageReader.h"
#include "codecs/PcxScanLine.h"

#include <cstdint>
#include <vector>

class PcxReader : public ImageReader {
 public:
  explicit PcxReader(const ImageSource& source) : ImageReader(source) {}

  int Version() const { return version_; }

 protected:
  CodecError ReadHeaderPart() override;
  CodecError StartDecode() override;
  CodecError DecodeRowsPart(int count, int* changed, ImageRect* rect) override;
  CodecError ReadStoredLine(const uint8_t** line) override;
  CodecError EndDecodePart() override;

 private:
  CodecError ReadPalette(const uint8_t* header);

  int version_ = 0;
  PcxLayout layout_;

  BufferedInput input_;
  std::vector<uint8_t> line_;  // one decoded scan line, all planes
  std::vector<uint8_t> row_;   // width x 3 bytes
};

// Whether `head`, the first bytes of `source`, holds this format: its size
// and depth from the header, for detection.
bool IsPcxImage(const uint8_t* head, size_t length, const ImageSource& source, DetectedImage* out);
