// Reader for Truevision Targa files: colour-mapped, true-colour and grey
// images of 8, 16, 24 or 32 bits, stored or run-length encoded, bottom-up or
// top-down.
#pragma once

#include "codecs/BufferedInput.h"
#include "codecs/DetectFormat.h"
#include "codecs/ImageReader.h"
#include "codecs/TgaRows.h"

#include <cstdint>
#include <vector>

class TgaReader : public ImageReader {
 public:
  explicit TgaReader(const ImageSource& source) : ImageReader(source) {}

  bool TopDown() const { return topDown_; }

 protected:
  CodecError ReadHeaderPart() override;
  CodecError StartDecode() override;
  CodecError DecodeRowsPart(int count, int* changed, ImageRect* rect) override;
  CodecError ReadStoredLine(const uint8_t** line) override;
  CodecError EndDecodePart() override;

 private:
  CodecError ReadColourMap(int length, int entrySize);

  TgaRowFormat rowFormat_;
  bool topDown_ = false;

  BufferedInput input_;
  std::vector<uint8_t> row_;  // width x 4 bytes
};

// Whether `head`, the first bytes of `source`, holds this format: its size
// and depth from the header, for detection.
bool IsTargaImage(const uint8_t* head, size_t length, const ImageSource& source,
                  DetectedImage* out);
