// Reader for Kodak Photo CD image packs: one of the three uncompressed
// resolutions (192 x 128, 384 x 256, 768 x 512), the smallest that covers
// the output, converted from luma and chroma to blue, green, red. Portrait
// packs are turned upright by delivering the stored lines as columns.
#pragma once

#include "codecs/BufferedInput.h"
#include "codecs/DetectFormat.h"
#include "codecs/ImageReader.h"
#include "codecs/PcdColorConverter.h"

#include <cstdint>
#include <memory>
#include <vector>

class PcdReader : public ImageReader {
 public:
  explicit PcdReader(const ImageSource& source) : ImageReader(source) {}

  int Rotation() const { return rotation_; }
  // 1, 2 or 3 once decoding has started.
  int Level() const { return level_; }

 protected:
  CodecError ReadHeaderPart() override;
  CodecError StartDecode() override;
  CodecError DecodeRowsPart(int count, int* changed, ImageRect* rect) override;
  CodecError ReadStoredLine(const uint8_t** line) override;
  CodecError EndDecodePart() override;

 private:
  CodecError ReadLine(bool convert);

  int rotation_ = 0;
  int level_ = 0;
  int lineLength_ = 0;  // samples per stored line

  BufferedInput input_;
  std::unique_ptr<PcdColorConverter> converter_;
  const uint8_t* group_ = nullptr;  // two luma lines and their chroma
  int lineCounter_ = 0;
  std::vector<uint8_t> line_;  // 3 x lineLength bytes
};

// Whether `head`, the first bytes of `source`, holds this format: its size
// and depth from the header, for detection.
bool IsPhotoCdImage(const uint8_t* head, size_t length, const ImageSource& source,
                    DetectedImage* out);
