// TIFF files made for the tests by libtiff's own writer, into a file under
// the test's temporary directory.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TiffImageSpec {
  int width = 1;
  int height = 1;
  int bitsPerSample = 8;
  int samplesPerPixel = 1;
  int photometric = 1;   // PHOTOMETRIC_...
  int compression = 1;   // COMPRESSION_...; JPEG at quality 95, YCbCr written from RGB rows
  int orientation = 0;   // written when not 0
  int extraSamples = 0;  // trailing samples marked as unassociated alpha
  int inkSet = 0;        // written when not 0
  bool separatePlanes = false;
  int tileSize = 0;      // tiled when not 0 (a multiple of 16)
  int rowsPerStrip = 0;  // libtiff's default when 0
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

// Writes the file and returns its path; throws when libtiff refuses.
std::string WriteTiffImage(const TiffImageSpec& spec, const std::string& name);

std::vector<uint8_t> ReadWholeFile(const std::string& path);
