// TIFF files made for the tests by libtiff's own writer, into a file under
// the test's temporary directory.
#pragma once

#include "tests/host/codecs/DibPixels.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TiffImageSpec {
  int width = 1;
  int height = 1;
  int bitsPerSample = 8;
  int samplesPerPixel = 1;
  int photometric = 1;   // PHOTOMETRIC_...; not written when negative
  int compression = 1;   // COMPRESSION_...; JPEG at quality 95, YCbCr written from RGB rows
  int orientation = 0;   // written when not 0
  int extraSamples = 0;  // trailing samples marked as unassociated alpha
  int inkSet = 0;        // written when not 0
  int sampleFormat = 0;  // SAMPLEFORMAT_...; written when not 0
  bool separatePlanes = false;
  int tileSize = 0;                // tiled when not 0 (a multiple of 16)
  int rowsPerStrip = 0;            // libtiff's default when 0
  std::vector<uint16_t> colorMap;  // red, then green, then blue entries
  // Stored rows top to bottom as the file holds them, packed as TIFF packs
  // them (bits most significant first, samples interleaved).
  std::vector<std::vector<uint8_t>> rows;
};

// Rows of `width` pixels of `bytesPerPixel` bytes each, byte b of pixel
// (x, y) from `byte`.
std::vector<std::vector<uint8_t>> MakeRows(int width, int height, int bytesPerPixel,
                                           const std::function<uint8_t(int, int, int)>& byte);

// Rows of 1-bit or 4-bit pixels packed most significant first.
std::vector<std::vector<uint8_t>> PackRows(int width, int height, int bits,
                                           const std::function<int(int, int)>& pixel);

// A bilevel fax picture, white is zero: ink where FaxInk is 1.
int FaxInk(int x, int y);
TiffImageSpec FaxTiff(int width, int height, int compression);

// 64 x 64 grey, (x y) mod 256, Deflate in sixteen strips of 4 rows.
TiffImageSpec StripedGreyTiff();

// Three samples a pixel, each from `sample`, in one of the colour
// photometric interpretations.
TiffImageSpec ColourTiff(int width, int height, int photometric, int compression,
                         const std::function<uint8_t(int, int, int)>& sample);

// Flat 16 x 16 colour blocks, red, green and blue samples. JPEG leaves them
// nearly unchanged away from their edges, where upsampled chroma blends
// with the neighbour; ShowsJpegBlocks checks a 24-bit bitmap for them there,
// within 4 levels.
uint8_t JpegBlockSample(int x, int y, int sample);
::testing::AssertionResult ShowsJpegBlocks(const DibDescription& dib, int width, int height);

// Writes the file and returns its path; throws when libtiff refuses.
std::string WriteTiffImage(const TiffImageSpec& spec, const std::string& name);

std::vector<uint8_t> ReadWholeFile(const std::string& path);

// The file's bytes with the data of strips first .. first + count - 1
// zeroed; throws when libtiff cannot list the strips.
std::vector<uint8_t> ReadWithStripsZeroed(const std::string& path, int first, int count);
