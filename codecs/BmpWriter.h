// Writes a device-independent bitmap as an uncompressed, bottom-up BMP
// file in the bitmap's own depth.
#pragma once

#include "codecs/ImageWriter.h"

class BmpWriter : public ImageWriter {
 public:
  BmpWriter(const char* outputPath, DibHandle bitmap) : ImageWriter(outputPath, bitmap) {}

 protected:
  CodecError WriteHeader() override;
  CodecError WriteRowsPart(int count) override;
  CodecError WriteTrailer() override { return CodecOk; }
};
