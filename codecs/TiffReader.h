// Reader for the first image of a TIFF file over libtiff: stripped images
// of 1, 4, 8, 24 or 32 bits per pixel in any compression libtiff decodes
// (none, PackBits, LZW, CCITT fax, Deflate, JPEG ...), read scan line by
// scan line. Tiled images are not read.
#pragma once

#include "codecs/ImageReader.h"
#include "codecs/TiffScanline.h"

#include <cstdint>
#include <vector>

struct tiff;

class TiffReader : public ImageReader {
 public:
  explicit TiffReader(const ImageSource& source) : ImageReader(source) {}
  ~TiffReader() override;

 protected:
  int ReadHeaderPart() override;
  int StartDecode() override;
  int DecodeRowsPart(int count, int* changed, ImageRect* rect) override;
  int EndDecodePart() override;

 private:
  // Reads what the pixel layout needs from the directory; false when the
  // image cannot be read.
  bool ReadLayout();
  void MakePalette();
  // The next scan line, converted; null when libtiff cannot deliver it.
  const uint8_t* ReadScanline();
  void CloseTiff();

  tiff* tiff_ = nullptr;
  int compression_ = 1;
  TiffPixelLayout layout_;
  int samplesPerPixel_ = 1;
  bool topDown_ = true;
  std::vector<uint8_t> row_;  // width x 4 bytes
  int nextLine_ = 0;
  int rowsDone_ = 0;
  int accumulator_ = 0;
};
