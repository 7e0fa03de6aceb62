#include "codecs/PcxRunLength.h"
#include "codecs/PcxScanLine.h"
#include "tests/host/codecs/MemoryInput.h"

#include <gtest/gtest.h>

#include <vector>

TEST(PcxScanLine, ExpandsLiteralsAndRuns) {
  MemoryInput memory({7, 0xC3, 200, 0xC1, 0xC5, 0x00});
  uint8_t line[6] = {};
  ASSERT_TRUE(DecodePcxScanLine(memory.input, line, 6));
  EXPECT_EQ((std::vector<uint8_t>{7, 200, 200, 200, 0xC5, 0x00}),
            std::vector<uint8_t>(line, line + 6));
}

TEST(PcxScanLine, CutsARunAtTheEndOfTheLine) {
  // The run of 5 fills the last 2 bytes of the first line; the next line
  // starts with the byte after the run.
  MemoryInput memory({1, 2, 0xC5, 9, 4, 4, 4, 4});
  uint8_t line[4] = {};
  ASSERT_TRUE(DecodePcxScanLine(memory.input, line, 4));
  EXPECT_EQ((std::vector<uint8_t>{1, 2, 9, 9}), std::vector<uint8_t>(line, line + 4));
  ASSERT_TRUE(DecodePcxScanLine(memory.input, line, 4));
  EXPECT_EQ((std::vector<uint8_t>{4, 4, 4, 4}), std::vector<uint8_t>(line, line + 4));
}

TEST(PcxScanLine, ARunOfZeroConsumesItsValue) {
  MemoryInput memory({0xC0, 0x55, 3});
  uint8_t line[1] = {};
  ASSERT_TRUE(DecodePcxScanLine(memory.input, line, 1));
  EXPECT_EQ(3, line[0]);
}

TEST(PcxScanLine, SkippingConsumesTheSameBytes) {
  MemoryInput memory({0xC8, 1, 5, 6});
  ASSERT_TRUE(DecodePcxScanLine(memory.input, nullptr, 8));
  uint8_t line[2] = {};
  ASSERT_TRUE(DecodePcxScanLine(memory.input, line, 2));
  EXPECT_EQ(5, line[0]);
  EXPECT_EQ(6, line[1]);
}

TEST(PcxScanLine, FailsWhenTheDataEndsInsideALine) {
  MemoryInput memory({1, 2, 0xC3});
  uint8_t line[5] = {};
  EXPECT_FALSE(DecodePcxScanLine(memory.input, line, 5));
}

TEST(PcxRowConversion, KeepsOneBitRowsPacked) {
  PcxLayout layout{10, 1, 1, 2};
  uint8_t line[2] = {0xA5, 0xC0};
  uint8_t row[30] = {};
  ASSERT_TRUE(ConvertPcxRow(layout, line, row));
  EXPECT_EQ(0xA5, row[0]);
  EXPECT_EQ(0xC0, row[1]);
}

TEST(PcxRowConversion, SplitsNibblesHighFirst) {
  PcxLayout layout{3, 1, 4, 2};
  uint8_t line[2] = {0x1F, 0x70};
  uint8_t row[9] = {};
  ASSERT_TRUE(ConvertPcxRow(layout, line, row));
  EXPECT_EQ((std::vector<uint8_t>{1, 15, 7}), std::vector<uint8_t>(row, row + 3));
}

TEST(PcxRowConversion, WidensFiveFiveFiveAndFiveSixFiveWords) {
  uint8_t line[4] = {0xFF, 0x7F, 0x1F, 0x00};  // 0x7FFF, 0x001F
  uint8_t row[6] = {};
  ASSERT_TRUE(ConvertPcxRow(PcxLayout{2, 1, 15, 4}, line, row));
  EXPECT_EQ((std::vector<uint8_t>{0xF8, 0xF8, 0xF8, 0xF8, 0, 0}),
            std::vector<uint8_t>(row, row + 6));
  uint8_t line565[4] = {0xE0, 0x07, 0x00, 0xF8};  // green 0x07E0, red 0xF800
  ASSERT_TRUE(ConvertPcxRow(PcxLayout{2, 1, 16, 4}, line565, row));
  EXPECT_EQ((std::vector<uint8_t>{0, 0xFC, 0, 0, 0, 0xF8}), std::vector<uint8_t>(row, row + 6));
}

TEST(PcxRowConversion, InterleavesThreePlanesAlignedToBytesPerLine) {
  // Width 3, bytes per line 4: red 10 11 12 (pad), green 20 21 22, blue 30 31 32.
  PcxLayout layout{3, 3, 8, 4};
  uint8_t line[12] = {10, 11, 12, 99, 20, 21, 22, 99, 30, 31, 32, 99};
  uint8_t row[9] = {};
  ASSERT_TRUE(ConvertPcxRow(layout, line, row));
  EXPECT_EQ((std::vector<uint8_t>{30, 20, 10, 31, 21, 11, 32, 22, 12}),
            std::vector<uint8_t>(row, row + 9));
}

TEST(PcxRowConversion, CombinesFourBitPlanes) {
  // Pixel 0: planes 0 and 3 set (9); pixel 1: plane 1 (2); pixel 8: all (15).
  PcxLayout layout{9, 4, 1, 2};
  uint8_t line[8] = {0x80, 0x80, 0x40, 0x80, 0x00, 0x80, 0x80, 0x80};
  uint8_t row[27] = {};
  ASSERT_TRUE(ConvertPcxRow(layout, line, row));
  EXPECT_EQ(9, row[0]);
  EXPECT_EQ(2, row[1]);
  EXPECT_EQ(0, row[2]);
  EXPECT_EQ(15, row[8]);
}

TEST(PcxRowConversion, RefusesOtherCombinations) {
  PcxLayout twoPlanesOfEight{4, 2, 8, 4};
  uint8_t line[8] = {};
  uint8_t row[12] = {};
  EXPECT_FALSE(twoPlanesOfEight.IsConvertible());
  EXPECT_FALSE(ConvertPcxRow(twoPlanesOfEight, line, row));
}

TEST(PcxRowConversion, ReadsNoFurtherThanItsSpanWhenBytesPerLineIsShort) {
  PcxLayout layout{10, 3, 8, 2};
  EXPECT_EQ(2 * 2 + 10, layout.ConvertedSpan());
  EXPECT_EQ(30, PcxLayout({10, 1, 24, 4}).ConvertedSpan());
}

TEST(PcxRunLength, EncodesRunsSinglesAndHighBytes) {
  std::vector<uint8_t> data = {5, 5, 5, 7, 200, 0, 0};
  std::vector<uint8_t> out(2 * data.size());
  out.resize(EncodePcxRunLength(data.data(), static_cast<int>(data.size()), out.data()));
  EXPECT_EQ((std::vector<uint8_t>{0xC3, 5, 7, 0xC1, 200, 0xC2, 0}), out);
}

TEST(PcxRunLength, LimitsRunsTo63AndRoundTrips) {
  std::vector<uint8_t> data(205, 9);
  const uint8_t tail[5] = {1, 2, 250, 250, 193};
  for (int i = 0; i < 5; ++i) data[200 + i] = tail[i];
  std::vector<uint8_t> out(2 * data.size());
  out.resize(EncodePcxRunLength(data.data(), static_cast<int>(data.size()), out.data()));
  EXPECT_EQ(0xFF, out[0]);
  EXPECT_EQ(9, out[1]);
  MemoryInput memory(out);
  std::vector<uint8_t> decoded(data.size());
  ASSERT_TRUE(DecodePcxScanLine(memory.input, decoded.data(), static_cast<int>(decoded.size())));
  EXPECT_EQ(data, decoded);
}
