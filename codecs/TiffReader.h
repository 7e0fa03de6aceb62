// Reader for the first image of a TIFF file over libtiff: images of 1, 4,
// 8, 24 or 32 bits per pixel (16-bit samples keep their high byte) in any
// compression libtiff decodes (none, PackBits, LZW, CCITT fax, Deflate,
// JPEG ...), read scan line by scan line; tiled images a band of tile rows
// at a time.
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
  CodecError ReadHeaderPart() override;
  CodecError StartDecode() override;
  CodecError DecodeRowsPart(int count, int* changed, ImageRect* rect) override;
  CodecError ReadStoredLine(const uint8_t** line) override;
  CodecError EndDecodePart() override;

 private:
  // Reads what the pixel layout needs from the directory; ErrNotSupported
  // when the image cannot be read.
  CodecError ReadLayout();
  CodecError ReadTileLayout();
  int RowBytesPerPixel() const { return layout_.wideSamples ? 8 : 4; }
  // Reads the tiles of the band of rows starting at `top`.
  bool ReadBand(int top);
  void MakePalette();
  // The next scan line, converted; null when libtiff cannot deliver it.
  const uint8_t* ReadScanline();
  void CloseTiff();

  tiff* tiff_ = nullptr;
  int compression_ = 1;
  TiffPixelLayout layout_;
  int samplesPerPixel_ = 1;
  bool topDown_ = true;
  size_t scanlineBytes_ = 0;
  std::vector<uint8_t> row_;  // width x RowBytesPerPixel()
  // Tiled images: one tile, and the band of tile rows it is copied into.
  int tileWidth_ = 0;
  int tileLength_ = 0;  // rows in a band; 0 for stripped images
  size_t tileBytes_ = 0;
  size_t tileRowBytes_ = 0;
  std::vector<uint8_t> tile_;
  std::vector<uint8_t> band_;
  int bandTop_ = -1;
  int nextLine_ = 0;
};
