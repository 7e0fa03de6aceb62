// The conversions from TIFF scan lines to pipeline rows, one per kind.
#include "codecs/TiffScanline.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<uint8_t> Convert(std::vector<uint8_t> line, int width, int bits, int bitsPerSample,
                             int photometric, size_t keep) {
  line.resize(static_cast<size_t>(width) * 4, 0xCC);
  TiffPixelLayout layout;
  layout.bits = bits;
  layout.bitsPerSample = bitsPerSample;
  layout.photometric = photometric;
  ConvertTiffScanline(line.data(), width, layout);
  line.resize(keep);
  return line;
}

TEST(TiffScanlineTest, OneBitRowsStayPacked) {
  EXPECT_EQ(Convert({0xA5, 0x80}, 9, 1, 1, 0, 2), std::vector<uint8_t>({0xA5, 0x80}));
}

TEST(TiffScanlineTest, FourBitNibblesBecomeBytesInvertedForWhiteIsZero) {
  EXPECT_EQ(Convert({0x1F, 0x70}, 3, 4, 4, 0, 3), std::vector<uint8_t>({14, 0, 8}));
  EXPECT_EQ(Convert({0x1F, 0x70}, 3, 4, 4, 1, 3), std::vector<uint8_t>({1, 15, 7}));
  EXPECT_EQ(Convert({0x1F, 0x70}, 3, 4, 4, 3, 3), std::vector<uint8_t>({1, 15, 7}));
}

TEST(TiffScanlineTest, EightBitSamplesAreInvertedOnlyForWhiteIsZero) {
  EXPECT_EQ(Convert({0, 100, 255}, 3, 8, 8, 0, 3), std::vector<uint8_t>({255, 155, 0}));
  EXPECT_EQ(Convert({0, 100, 255}, 3, 8, 8, 1, 3), std::vector<uint8_t>({0, 100, 255}));
  // Eight bits made of two 4-bit samples are left alone.
  EXPECT_EQ(Convert({0, 100, 255}, 3, 8, 4, 0, 3), std::vector<uint8_t>({0, 100, 255}));
}

TEST(TiffScanlineTest, RgbSwapsRedAndBlueOtherTwentyFourBitsStay) {
  EXPECT_EQ(Convert({1, 2, 3, 4, 5, 6}, 2, 24, 8, 2, 6), std::vector<uint8_t>({3, 2, 1, 6, 5, 4}));
  EXPECT_EQ(Convert({1, 2, 3, 4, 5, 6}, 2, 24, 8, 6, 6), std::vector<uint8_t>({1, 2, 3, 4, 5, 6}));
}

TEST(TiffScanlineTest, CmykBecomesTheInverseOfItsFirstThreeInks) {
  EXPECT_EQ(Convert({10, 20, 30, 40, 0, 255, 128, 7}, 2, 32, 8, 5, 6),
            std::vector<uint8_t>({225, 235, 245, 127, 0, 255}));
}

TEST(TiffScanlineTest, OtherFourSampleRowsDropTheFourth) {
  EXPECT_EQ(Convert({10, 20, 30, 40, 50, 60, 70, 80, 1, 2, 3, 4}, 3, 32, 8, 2, 9),
            std::vector<uint8_t>({30, 20, 10, 70, 60, 50, 3, 2, 1}));
}

}  // namespace
