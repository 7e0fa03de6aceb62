// JPEG reader over libjpeg: grey and colour, baseline and progressive.
// Colour rows come out of the library in blue, green, red order and go to
// the row sink as they are. The library's DCT scaling (1/2, 1/4, 1/8) does
// most of any shrinking; progressive files are shown twice through the
// library's buffered-image mode, first coarse (scan 2), then final.
#pragma once

#include "codecs/ImageReader.h"
#include "codecs/JpegLibrary.h"
#include "codecs/JpegSourceManager.h"

#include <cstdint>
#include <vector>

class JpegReader : public ImageReader {
 public:
  explicit JpegReader(const ImageSource& source);
  ~JpegReader() override;

 protected:
  CodecError ReadHeaderPart() override;
  CodecError StartDecode() override;
  CodecError DecodeRowsPart(int count, int* changed, ImageRect* rect) override;
  CodecError ReadStoredLine(const uint8_t** line) override;
  CodecError StoredLinesEnded() override;
  CodecError EndDecodePart() override;

 private:
  CodecError CreateDecoderAndReadHeader();
  CodecError StartLibraryDecode();
  // The next strip of scan lines into strip_; ErrBadData on a library error
  // or when the library has no more lines.
  CodecError ReadStrip();
  CodecError StartFinalPass();
  void DestroyDecoder();

  jpeg_decompress_struct decoder_;
  JpegErrorManager errors_;
  JpegSourceManager sourceManager_;
  bool decoderBroken_ = false;  // after a library error only destruction is safe

  int scale_ = 1;
  int scaledWidth_ = 0;
  int scaledHeight_ = 0;
  bool buffered_ = false;
  bool finalPass_ = false;
  // Every decoded line is an output row of the same width, so the library
  // may write straight into the bitmap where the base allows it.
  bool directRows_ = false;

  std::vector<uint8_t> strip_;  // stripRows_ scan lines, allocated once per load
  std::vector<JSAMPROW> stripRows_;
  int stripRowCount_ = 0;
  int stripFilled_ = 0;
  int lineCounter_ = 0;
};
