#include "tests/host/codecs/TiffTestImages.h"

#include <gtest/gtest.h>
#include <tiffio.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

void SetFields(TIFF* tiff, const TiffImageSpec& spec) {
  TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, spec.width);
  TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, spec.height);
  TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, spec.bitsPerSample);
  TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, spec.samplesPerPixel);
  if (spec.photometric >= 0) TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, spec.photometric);
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
  if (spec.sampleFormat) TIFFSetField(tiff, TIFFTAG_SAMPLEFORMAT, spec.sampleFormat);
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

int FaxInk(int x, int y) { return (x / 3 + y) % 4 == 0 || x == y ? 1 : 0; }

TiffImageSpec FaxTiff(int width, int height, int compression) {
  TiffImageSpec spec;
  spec.width = width;
  spec.height = height;
  spec.bitsPerSample = 1;
  spec.photometric = PHOTOMETRIC_MINISWHITE;
  spec.compression = compression;
  spec.rows = PackRows(width, height, 1, FaxInk);
  return spec;
}

TiffImageSpec StripedGreyTiff() {
  TiffImageSpec spec;
  spec.width = 64;
  spec.height = 64;
  spec.rowsPerStrip = 4;
  spec.compression = COMPRESSION_ADOBE_DEFLATE;
  spec.rows = MakeRows(64, 64, 1, [](int x, int y, int) { return static_cast<uint8_t>(x * y); });
  return spec;
}

TiffImageSpec ColourTiff(int width, int height, int photometric, int compression,
                         const std::function<uint8_t(int, int, int)>& sample) {
  TiffImageSpec spec;
  spec.width = width;
  spec.height = height;
  spec.samplesPerPixel = 3;
  spec.photometric = photometric;
  spec.compression = compression;
  spec.rows = MakeRows(width, height, 3, sample);
  return spec;
}

uint8_t JpegBlockSample(int x, int y, int sample) {
  static const uint8_t kBlocks[6][3] = {{255, 0, 0},     {0, 255, 0},  {0, 0, 255},
                                        {240, 240, 240}, {20, 20, 20}, {200, 120, 40}};
  return kBlocks[(y / 16 * 3 + x / 16) % 6][sample];
}

::testing::AssertionResult ShowsJpegBlocks(const DibDescription& dib, int width, int height) {
  if (dib.bitsPerPixel != 24 || dib.width != width || dib.height != height)
    return ::testing::AssertionFailure()
           << "not a " << width << " x " << height << " 24-bit bitmap";
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      if (x % 16 < 2 || x % 16 > 13 || y % 16 < 2 || y % 16 > 13) continue;
      const uint32_t v = DibValue(dib, x, y);
      const int got[3] = {static_cast<int>(v >> 16), static_cast<int>(v >> 8 & 255),
                          static_cast<int>(v & 255)};
      for (int c = 0; c < 3; ++c)
        if (std::abs(got[c] - JpegBlockSample(x, y, c)) > 4)
          return ::testing::AssertionFailure()
                 << "pixel " << x << "," << y << " sample " << c << " is " << got[c] << ", not "
                 << int{JpegBlockSample(x, y, c)};
    }
  return ::testing::AssertionSuccess();
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

std::vector<uint8_t> ReadWithStripsZeroed(const std::string& path, int first, int count) {
  std::vector<uint8_t> bytes = ReadWholeFile(path);
  TIFF* tiff = TIFFOpen(path.c_str(), "r");
  if (!tiff) throw std::runtime_error("libtiff cannot open " + path);
  uint64_t* offsets = nullptr;
  uint64_t* counts = nullptr;
  const bool listed = TIFFGetField(tiff, TIFFTAG_STRIPOFFSETS, &offsets) &&
                      TIFFGetField(tiff, TIFFTAG_STRIPBYTECOUNTS, &counts) &&
                      static_cast<uint32_t>(first + count) <= TIFFNumberOfStrips(tiff);
  for (int strip = first; listed && strip < first + count; ++strip)
    std::fill(bytes.begin() + offsets[strip], bytes.begin() + offsets[strip] + counts[strip], 0);
  TIFFClose(tiff);
  if (!listed) throw std::runtime_error("libtiff cannot list the strips of " + path);
  return bytes;
}
