// Writes an 8-bit device-independent bitmap as a single-image GIF87a file
// with a global colour table of the bitmap's colours.
#pragma once

#include "codecs/GifLzwEncoder.h"
#include "codecs/ImageWriter.h"

#include <cstdint>
#include <vector>

class GifWriter : public ImageWriter {
 public:
  GifWriter(const char* outputPath, DibHandle bitmap) : ImageWriter(outputPath, bitmap) {}

 protected:
  CodecError WriteHeader() override;
  CodecError WriteRowsPart(int count) override;
  CodecError WriteTrailer() override;

 private:
  CodecError WriteEncoded();

  int tableBits_ = 0;
  GifLzwEncoder encoder_;
  std::vector<uint8_t> row_;
};
