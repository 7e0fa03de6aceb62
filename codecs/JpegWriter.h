// Writes an 8- or 24-bit device-independent bitmap as a baseline JFIF file
// of quality 65 through libjpeg. The library takes the bitmap's blue,
// green, red rows as they are; 8-bit rows go through the colour table.
#pragma once

#include "codecs/ImageWriter.h"
#include "codecs/JpegDestinationManager.h"
#include "codecs/JpegLibrary.h"

#include <cstdint>
#include <vector>

class JpegWriter : public ImageWriter {
 public:
  static constexpr int kQuality = 65;

  JpegWriter(const char* outputPath, DibHandle bitmap);
  ~JpegWriter() override;

 protected:
  CodecError WriteHeader() override;
  CodecError WriteRowsPart(int count) override;
  CodecError WriteTrailer() override;

 private:
  static int WriteToFile(void* writer, const void* bytes, size_t count);
  CodecError StartLibraryCompress();
  void DestroyEncoder();

  jpeg_compress_struct encoder_;
  JpegErrorManager errors_;
  JpegDestinationManager destination_;
  bool encoderBroken_ = false;      // after a library error only destruction is safe
  uint8_t colors_[256][3] = {};     // 8-bit sources: blue, green, red per index
  std::vector<uint8_t> expansion_;  // 8-bit sources: one row of 3 x width bytes
};
