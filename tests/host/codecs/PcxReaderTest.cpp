// PCX files of every depth and plane layout, built byte by byte and read
// back pixel by pixel.
#include "codecs/CodecError.h"
#include "codecs/ImageFile.h"
#include "codecs/ImageFormat.h"
#include "platform/codec/HostCodecPlatform.h"
#include "tests/host/codecs/DibPixels.h"
#include "tests/host/codecs/MemoryImageTest.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

struct PcxSpec {
  int version = 5;
  int bitsPerPlane = 8;
  int planes = 1;
  int width = 0;
  int height = 0;
  int bytesPerLine = 0;
  int paletteInfo = 1;
  std::vector<std::array<uint8_t, 3>> headerPalette;  // up to 16
  std::vector<Bytes> lines;  // decoded scan lines, each planes x bytes per line
  bool trailer = false;
  uint8_t marker = 12;
  std::vector<std::array<uint8_t, 3>> trailerPalette;
};

// Every byte written as a literal (a byte of 192 or more as a run of one).
Bytes Literal(const Bytes& line) {
  Bytes out;
  for (uint8_t b : line) {
    if (b >= 192) out.push_back(0xC1);
    out.push_back(b);
  }
  return out;
}

Bytes MakePcx(const PcxSpec& spec, const std::vector<Bytes>& encoded) {
  Bytes out(128, 0);
  out[0] = 10;
  out[1] = static_cast<uint8_t>(spec.version);
  out[2] = 1;
  out[3] = static_cast<uint8_t>(spec.bitsPerPlane);
  // Xmin 2, Ymin 3: sizes come from the difference.
  out[4] = 2;
  out[6] = 3;
  out[8] = static_cast<uint8_t>(spec.width + 1);
  out[9] = static_cast<uint8_t>((spec.width + 1) >> 8);
  out[10] = static_cast<uint8_t>(spec.height + 2);
  out[11] = static_cast<uint8_t>((spec.height + 2) >> 8);
  for (size_t i = 0; i < spec.headerPalette.size(); ++i)
    for (int c = 0; c < 3; ++c) out[16 + 3 * i + c] = spec.headerPalette[i][c];
  out[65] = static_cast<uint8_t>(spec.planes);
  out[66] = static_cast<uint8_t>(spec.bytesPerLine);
  out[67] = static_cast<uint8_t>(spec.bytesPerLine >> 8);
  out[68] = static_cast<uint8_t>(spec.paletteInfo);
  for (const Bytes& line : encoded) out.insert(out.end(), line.begin(), line.end());
  if (spec.trailer) {
    out.push_back(spec.marker);
    for (int i = 0; i < 256; ++i)
      for (int c = 0; c < 3; ++c)
        out.push_back(i < static_cast<int>(spec.trailerPalette.size()) ? spec.trailerPalette[i][c]
                                                                       : 0);
  }
  return out;
}

Bytes MakePcx(const PcxSpec& spec) {
  std::vector<Bytes> encoded;
  for (const Bytes& line : spec.lines) encoded.push_back(Literal(line));
  return MakePcx(spec, encoded);
}

class PcxReaderTest : public MemoryImageTest<FormatPcx> {};

TEST_F(PcxReaderTest, OneBitRowsStayPackedWithABlackAndWhitePalette) {
  PcxSpec spec;
  spec.bitsPerPlane = 1;
  spec.width = 10;
  spec.height = 2;
  spec.bytesPerLine = 2;
  spec.lines = {{0xA5, 0x40}, {0x0F, 0x80}};
  DibDescription dib = LoadNative(MakePcx(spec));
  EXPECT_EQ(dib.bitsPerPixel, 1);
  const uint32_t expected[2][10] = {{1, 0, 1, 0, 0, 1, 0, 1, 0, 1}, {0, 0, 0, 0, 1, 1, 1, 1, 1, 0}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 10; ++x) EXPECT_EQ(DibValue(dib, x, y), expected[y][x]) << y << "," << x;
  EXPECT_EQ(DibColour(dib, 0, 0), (Rgb{255, 255, 255}));
  EXPECT_EQ(DibColour(dib, 1, 0), (Rgb{0, 0, 0}));
}

TEST_F(PcxReaderTest, FourBitSinglePlaneUsesTheHeaderPalette) {
  PcxSpec spec;
  spec.bitsPerPlane = 4;
  spec.width = 3;
  spec.height = 1;
  spec.bytesPerLine = 2;
  for (int i = 0; i < 16; ++i) spec.headerPalette.push_back({static_cast<uint8_t>(i * 10), 1, 2});
  spec.lines = {{0xF2, 0x90}};
  DibDescription dib = LoadNative(MakePcx(spec));
  EXPECT_EQ(DibValue(dib, 0, 0), 15u);
  EXPECT_EQ(DibValue(dib, 1, 0), 2u);
  EXPECT_EQ(DibValue(dib, 2, 0), 9u);
  EXPECT_EQ(DibColour(dib, 0, 0), (Rgb{150, 1, 2}));
}

TEST_F(PcxReaderTest, FourBitPlanesCombineIntoOnePixel) {
  PcxSpec spec;
  spec.bitsPerPlane = 1;
  spec.planes = 4;
  spec.width = 4;
  spec.height = 1;
  spec.bytesPerLine = 2;  // padded planes
  for (int i = 0; i < 16; ++i) spec.headerPalette.push_back({static_cast<uint8_t>(i), 0, 0});
  // Pixel 0: plane 0 (1); pixel 1: planes 1 and 2 (6); pixel 2: none; pixel 3: all (15).
  spec.lines = {{0x90, 0xFF, 0x50, 0xFF, 0x50, 0xFF, 0x10, 0xFF}};
  DibDescription dib = LoadNative(MakePcx(spec));
  EXPECT_EQ(image_->GetSourceBitsPerPixel(), 4);
  EXPECT_EQ(DibValue(dib, 0, 0), 1u);
  EXPECT_EQ(DibValue(dib, 1, 0), 6u);
  EXPECT_EQ(DibValue(dib, 2, 0), 0u);
  EXPECT_EQ(DibValue(dib, 3, 0), 15u);
}

TEST_F(PcxReaderTest, EightBitVersionFiveReadsThePaletteAfterTheMarker) {
  PcxSpec spec;
  spec.width = 3;
  spec.height = 2;
  spec.bytesPerLine = 4;
  spec.lines = {{0, 1, 255, 0}, {200, 2, 1, 0}};
  spec.trailer = true;
  spec.trailerPalette = {{1, 2, 3}, {40, 50, 60}, {7, 8, 9}};
  spec.trailerPalette.resize(256, {0, 0, 0});
  spec.trailerPalette[200] = {201, 202, 203};
  spec.trailerPalette[255] = {255, 254, 253};
  DibDescription dib = LoadNative(MakePcx(spec));
  EXPECT_EQ(DibValue(dib, 2, 0), 255u);
  EXPECT_EQ(DibColour(dib, 2, 0), (Rgb{255, 254, 253}));
  EXPECT_EQ(DibColour(dib, 0, 1), (Rgb{201, 202, 203}));
  EXPECT_EQ(DibColour(dib, 1, 0), (Rgb{40, 50, 60}));
}

TEST_F(PcxReaderTest, AWrongPaletteMarkerIsRejected) {
  PcxSpec spec;
  spec.width = 2;
  spec.height = 1;
  spec.bytesPerLine = 2;
  spec.lines = {{0, 1}};
  spec.trailer = true;
  spec.marker = 13;
  EXPECT_EQ(LoadError(MakePcx(spec)), ErrNotSupported);
  spec.trailer = false;  // no palette block at all: too short
  EXPECT_EQ(LoadError(MakePcx(spec)), ErrNotSupported);
}

TEST_F(PcxReaderTest, EightBitVersionThreeTakesTheDefaultPalette) {
  PcxSpec spec;
  spec.version = 3;
  spec.width = 3;
  spec.height = 1;
  spec.bytesPerLine = 4;
  spec.lines = {{1, 14, 15, 0}};
  DibDescription dib = LoadNative(MakePcx(spec));
  EXPECT_EQ(DibColour(dib, 0, 0), (Rgb{0, 0, 170}));
  EXPECT_EQ(DibColour(dib, 1, 0), (Rgb{255, 255, 85}));
  EXPECT_EQ(DibColour(dib, 2, 0), (Rgb{255, 255, 255}));
}

TEST_F(PcxReaderTest, AGreyEightBitFileGetsGreyLevels) {
  PcxSpec spec;
  spec.width = 2;
  spec.height = 1;
  spec.bytesPerLine = 2;
  spec.paletteInfo = 2;
  spec.lines = {{0, 255}};
  spec.trailer = true;
  DibDescription dib = LoadNative(MakePcx(spec));
  EXPECT_TRUE(image_->IsGrey());
  EXPECT_EQ(DibValue(dib, 1, 0), 255u);
}

TEST_F(PcxReaderTest, FifteenAndSixteenBitWordsBecomeBlueGreenRed) {
  PcxSpec spec;
  spec.bitsPerPlane = 15;
  spec.width = 2;
  spec.height = 1;
  spec.bytesPerLine = 4;
  spec.lines = {{0x00, 0x7C, 0xE0, 0x03}};  // red, green in 5-5-5
  DibDescription dib = LoadNative(MakePcx(spec));
  EXPECT_EQ(dib.bitsPerPixel, 24);
  EXPECT_EQ(DibColour(dib, 0, 0), (Rgb{248, 0, 0}));
  EXPECT_EQ(DibColour(dib, 1, 0), (Rgb{0, 248, 0}));
  spec.bitsPerPlane = 16;
  spec.lines = {{0x00, 0xF8, 0xE0, 0x07}};  // red, green in 5-6-5
  dib = LoadNative(MakePcx(spec));
  EXPECT_EQ(DibColour(dib, 0, 0), (Rgb{248, 0, 0}));
  EXPECT_EQ(DibColour(dib, 1, 0), (Rgb{0, 252, 0}));
}

TEST_F(PcxReaderTest, TwentyFourBitSinglePlaneRowsAreBlueGreenRed) {
  PcxSpec spec;
  spec.bitsPerPlane = 24;
  spec.width = 3;
  spec.height = 1;
  spec.bytesPerLine = 10;
  spec.lines = {{1, 2, 3, 4, 5, 6, 7, 8, 9, 0}};
  DibDescription dib = LoadNative(MakePcx(spec));
  EXPECT_EQ(DibColour(dib, 0, 0), (Rgb{3, 2, 1}));
  EXPECT_EQ(DibColour(dib, 2, 0), (Rgb{9, 8, 7}));
}

TEST_F(PcxReaderTest, ThreePlanesOfOddWidthAlignToBytesPerLine) {
  PcxSpec spec;
  spec.planes = 3;
  spec.width = 3;
  spec.height = 2;
  spec.bytesPerLine = 4;
  spec.lines = {{10, 11, 12, 99, 20, 21, 22, 99, 30, 31, 32, 99},
                {40, 41, 42, 99, 50, 51, 52, 99, 60, 61, 62, 99}};
  DibDescription dib = LoadNative(MakePcx(spec));
  EXPECT_EQ(image_->GetSourceBitsPerPixel(), 24);
  EXPECT_EQ(DibColour(dib, 0, 0), (Rgb{10, 20, 30}));
  EXPECT_EQ(DibColour(dib, 2, 0), (Rgb{12, 22, 32}));
  EXPECT_EQ(DibColour(dib, 1, 1), (Rgb{41, 51, 61}));
}

TEST_F(PcxReaderTest, ARunIsCutAtTheEndOfTheScanLine) {
  PcxSpec spec;
  spec.width = 4;
  spec.height = 2;
  spec.bytesPerLine = 4;
  spec.trailer = true;
  spec.trailerPalette.resize(256, {0, 0, 0});
  // A run of 6 starting at the third byte of line 0; line 1 begins after it.
  DibDescription dib = LoadNative(MakePcx(spec, {{1, 2, 0xC6, 7}, {0xC4, 9}}));
  const uint32_t expected[2][4] = {{1, 2, 7, 7}, {9, 9, 9, 9}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(DibValue(dib, x, y), expected[y][x]) << y << "," << x;
}

TEST_F(PcxReaderTest, AShrunkImageSkipsScanLines) {
  PcxSpec spec;
  spec.width = 4;
  spec.height = 4;
  spec.bytesPerLine = 4;
  spec.trailer = true;
  spec.lines = {{0, 0, 0, 0}, {1, 1, 1, 1}, {2, 2, 2, 2}, {3, 3, 3, 3}};
  Open(MakePcx(spec));
  ASSERT_EQ(
      image_->LoadFitted({.maxWidth = 2, .maxHeight = 2, .keepNative = true, .makeDisplay = false}),
      CodecOk)
      << image_->LastError();
  DibDescription dib = Describe(image_->GetNativeBitmap());
  EXPECT_EQ(DibValue(dib, 0, 0), 1u);
  EXPECT_EQ(DibValue(dib, 0, 1), 3u);
}

TEST_F(PcxReaderTest, DataEndingInsideTheImageIsBadData) {
  PcxSpec spec;
  spec.bitsPerPlane = 24;
  spec.width = 2;
  spec.height = 3;
  spec.bytesPerLine = 6;
  EXPECT_EQ(LoadError(MakePcx(spec, {{1, 2, 3, 4, 5, 6}, {0xC3}})), ErrBadData);
}

TEST_F(PcxReaderTest, UnlistedDepthsAndLayoutsAreRefused) {
  PcxSpec spec;
  spec.bitsPerPlane = 2;  // 2 bits: not a listed depth
  spec.width = 2;
  spec.height = 1;
  spec.bytesPerLine = 2;
  spec.lines = {{0, 0}};
  EXPECT_EQ(LoadError(MakePcx(spec)), ErrNotSupported);
  spec.bitsPerPlane = 8;  // two planes of 8 bits: 16 bits the rows cannot take
  spec.planes = 2;
  spec.lines = {{0, 0, 0, 0}};
  EXPECT_EQ(LoadError(MakePcx(spec)), ErrBadData);
}

}  // namespace
