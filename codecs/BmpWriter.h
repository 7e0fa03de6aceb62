// Writes a device-independent bitmap as an uncompressed, bottom-up BMP
// file in the bitmap's own depth.
#pragma once

#include "codecs/ImageWriter.h"

class BmpWriter : public ImageWriter {
 public:
  BmpWriter(const char* outputPath, DibHandle bitmap) : ImageWriter(outputPath, bitmap) {}

 protected:
  int WriteHeader() override;
  int WriteRowsPart(int count) override;
  int WriteTrailer() override { return 1; }
};
