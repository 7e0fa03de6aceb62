#include "tests/host/codecs/TiffTestImages.h"

#include <gtest/gtest.h>
#include <tiffio.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

void SetFields(TIFF* tiff, const TiffImageSpec& spec) {
  TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, spec.width);
  TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, spec.height);
  TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, spec.bitsPerSample);
  TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, spec.samplesPerPixel);
  TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, spec.photometric);
  TIFFSetField(tiff, TIFFTAG_COMPRESSION, spec.compression);
  TIFFSetField(tiff, TIFFTAG_PLANARCONFIG,
               spec.separatePlanes ? PLANARCONFIG_SEPARATE : PLANARCONFIG_CONTIG);
  if (spec.compression == COMPRESSION_JPEG) {
    TIFFSetField(tiff, TIFFTAG_JPEGQUALITY, 95);
    // The rows are RGB; libjpeg turns them into subsampled YCbCr.
    if (spec.photometric == PHOTOMETRIC_YCBCR)
      TIFFSetField(tiff, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);
  }
  if (spec.orientation) TIFFSetField(tiff, TIFFTAG_ORIENTATION, spec.orientation);
  if (spec.inkSet) TIFFSetField(tiff, TIFFTAG_INKSET, spec.inkSet);
  if (spec.extraSamples) {
    std::vector<uint16_t> kinds(spec.extraSamples, EXTRASAMPLE_UNASSALPHA);
    TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, spec.extraSamples, kinds.data());
  }
  if (!spec.colorMap.empty()) {
    const size_t n = spec.colorMap.size() / 3;
    std::vector<uint16_t> map = spec.colorMap;
    TIFFSetField(tiff, TIFFTAG_COLORMAP, map.data(), map.data() + n, map.data() + 2 * n);
  }
  if (spec.tileSize) {
    TIFFSetField(tiff, TIFFTAG_TILEWIDTH, spec.tileSize);
    TIFFSetField(tiff, TIFFTAG_TILELENGTH, spec.tileSize);
  } else {
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP,
                 spec.rowsPerStrip ? spec.rowsPerStrip : TIFFDefaultStripSize(tiff, 0));
  }
}

bool WriteTiles(TIFF* tiff, const TiffImageSpec& spec) {
  const int bytesPerPixel = spec.bitsPerSample * spec.samplesPerPixel / 8;
  std::vector<uint8_t> tile(static_cast<size_t>(TIFFTileSize(tiff)), 0);
  for (int ty = 0; ty < spec.height; ty += spec.tileSize)
    for (int tx = 0; tx < spec.width; tx += spec.tileSize) {
      std::fill(tile.begin(), tile.end(), 0);
      for (int y = 0; y < spec.tileSize && ty + y < spec.height; ++y)
        for (int x = 0; x < spec.tileSize && tx + x < spec.width; ++x)
          for (int b = 0; b < bytesPerPixel; ++b)
            tile[(static_cast<size_t>(y) * spec.tileSize + x) * bytesPerPixel + b] =
                spec.rows[ty + y][(tx + x) * bytesPerPixel + b];
      if (TIFFWriteTile(tiff, tile.data(), tx, ty, 0, 0) < 0) return false;
    }
  return true;
}

// Separate planes take 8-bit samples apart, plane by plane.
bool WriteStrips(TIFF* tiff, const TiffImageSpec& spec) {
  const int planes = spec.separatePlanes ? spec.samplesPerPixel : 1;
  for (int plane = 0; plane < planes; ++plane)
    for (int y = 0; y < spec.height; ++y) {
      std::vector<uint8_t> row = spec.rows[y];
      if (spec.separatePlanes)
        for (int x = 0; x < spec.width; ++x) row[x] = spec.rows[y][x * planes + plane];
      if (TIFFWriteScanline(tiff, row.data(), y, static_cast<uint16_t>(plane)) < 0) return false;
    }
  return true;
}

}  // namespace

std::vector<std::vector<uint8_t>> MakeRows(int width, int height, int bytesPerPixel,
                                           const std::function<uint8_t(int, int, int)>& byte) {
  std::vector<std::vector<uint8_t>> rows(height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      for (int b = 0; b < bytesPerPixel; ++b) rows[y].push_back(byte(x, y, b));
  return rows;
}

std::vector<std::vector<uint8_t>> PackRows(int width, int height, int bits,
                                           const std::function<int(int, int)>& pixel) {
  std::vector<std::vector<uint8_t>> rows(height);
  for (int y = 0; y < height; ++y) {
    rows[y].assign((width * bits + 7) / 8, 0);
    for (int x = 0; x < width; ++x)
      rows[y][x * bits / 8] |= static_cast<uint8_t>(pixel(x, y) << (8 - bits - x * bits % 8));
  }
  return rows;
}

std::string WriteTiffImage(const TiffImageSpec& spec, const std::string& name) {
  const std::string path = ::testing::TempDir() + name;
  TIFF* tiff = TIFFOpen(path.c_str(), "w");
  if (!tiff) throw std::runtime_error("libtiff cannot create " + path);
  SetFields(tiff, spec);
  const bool written = spec.tileSize ? WriteTiles(tiff, spec) : WriteStrips(tiff, spec);
  TIFFClose(tiff);
  if (!written) throw std::runtime_error("libtiff could not write " + path);
  return path;
}

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
