// Reader for the first image of a GIF87a or GIF89a file. Extensions before
// the image are skipped; a local colour table replaces the global one;
// interlaced images arrive pass by pass on a black picture.
#pragma once

#include "codecs/BufferedInput.h"
#include "codecs/GifLzwDecoder.h"
#include "codecs/DetectFormat.h"
#include "codecs/ImageReader.h"

#include <cstdint>
#include <memory>
#include <vector>

class GifReader : public ImageReader {
 public:
  explicit GifReader(const ImageSource& source) : ImageReader(source) {}

  bool Interlaced() const { return interlaced_; }
  // Stored from the screen descriptor; not used for decoding.
  int Background() const { return background_; }
  int Aspect() const { return aspect_; }

 protected:
  CodecError ReadHeaderPart() override;
  CodecError StartDecode() override;
  // For an interlaced image `rect` is an array with room for `count`
  // rectangles: one per output row produced, `*changed` counting them.
  CodecError DecodeRowsPart(int count, int* changed, ImageRect* rect) override;
  CodecError EndDecodePart() override;

 private:
  // Header reads: a header cut short is not this format, unless the source
  // failed.
  CodecError NotGif() const { return Source().FailureOr(ErrNotSupported); }
  CodecError ReadColourTable(int entries);
  CodecError SkipSubBlocks();
  CodecError TakeBytes(uint8_t* out, size_t count);
  const uint8_t* OutputRow();

  bool interlaced_ = false;
  int background_ = 0;
  int aspect_ = 0;
  int minimumCodeSize_ = 0;

  BufferedInput input_;
  std::unique_ptr<GifLzwDecoder> decoder_;
  std::vector<uint8_t> row_;     // one byte per pixel
  std::vector<uint8_t> packed_;  // 1-bit images: eight pixels a byte
  int rowsDone_ = 0;
  int sourceRowsRead_ = 0;
  int interlaceRow_ = 0;
};

// Whether `head`, the first bytes of `source`, holds this format: its size
// and depth from the header, for detection.
bool IsGifImage(const uint8_t* head, size_t length, const ImageSource& source, DetectedImage* out);
