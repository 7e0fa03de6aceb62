// Reader for PNG files over libpng: every colour type and bit depth,
// composited on the file's background (or black), gamma-corrected for the
// screen, delivered as 8-bit grey or palette rows or blue-green-red rows.
// Interlaced files are shown pass by pass, each pass spread over what the
// earlier ones left.
#pragma once

#include "codecs/ImageReader.h"
#include "codecs/PngInterlace.h"
#include "codecs/PngLibrary.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

class PngReader : public ImageReader {
 public:
  explicit PngReader(const ImageSource& source) : ImageReader(source) {}
  ~PngReader() override;

 protected:
  CodecError ReadHeaderPart() override;
  CodecError StartDecode() override;
  CodecError DecodeRowsPart(int count, int* changed, ImageRect* rect) override;
  CodecError ReadStoredLine(const uint8_t** line) override;
  CodecError EndDecodePart() override;

 private:
  struct FreeDeleter {
    void operator()(uint8_t* block) const { std::free(block); }
  };

  // The next image row libpng delivers, with everything received so far
  // for interlaced files; its image row number goes to `imageRow`. Null on
  // a library error or when every row has been read.
  const uint8_t* ReadImageRow(int* imageRow);
  CodecError DecodeInterlacedRows(int count, int* changed, ImageRect* rect);
  bool AllRowsRead() const;
  uint8_t BlackValue() const;

  PngSession session_;
  PngHeader header_;
  int channels_ = 1;
  bool imageStarted_ = false;                        // transformations set
  size_t libraryRowBytes_ = 0;                       // what they give a row
  size_t rowBytes_ = 0;                              // width x channels
  std::vector<uint8_t> rowBuffer_;                   // what libpng delivers
  std::unique_ptr<uint8_t, FreeDeleter> imageRows_;  // interlaced: height rows
  InterlacePosition position_;
  int rowsRead_ = 0;         // over all passes
  bool rowComplete_ = true;  // no later pass adds to the row read last
  bool libraryFailed_ = false;
};
