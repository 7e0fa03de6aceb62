// Writes an 8-, 16- or 24-bit device-independent bitmap as a single-plane
// run-length encoded PCX file of version 5, with the 769-byte palette block
// at its end.
#pragma once

#include "codecs/ImageWriter.h"

#include <cstdint>
#include <vector>

class PcxWriter : public ImageWriter {
 public:
  PcxWriter(const char* outputPath, DibHandle bitmap) : ImageWriter(outputPath, bitmap) {}

 protected:
  CodecError WriteHeader() override;
  CodecError WriteRowsPart(int count) override;
  CodecError WriteTrailer() override;

 private:
  int dataBytes_ = 0;  // bytes of pixel data in a row
  bool padLine_ = false;
  std::vector<uint8_t> line_;     // 16 bits: the row as 5-6-5 words
  std::vector<uint8_t> encoded_;  // 6 x width + 6 bytes
};
