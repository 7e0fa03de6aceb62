#include "codecs/TgaRows.h"
#include "tests/host/codecs/MemoryInput.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
std::vector<uint8_t> Row(const uint8_t* row, int bytes) {
  return std::vector<uint8_t>(row, row + bytes);
}
}  // namespace

TEST(TgaRows, WidensFiveBitValuesByTheTable) {
  EXPECT_EQ(0, TgaFiveToEight(0));
  EXPECT_EQ(8, TgaFiveToEight(1));
  EXPECT_EQ(16, TgaFiveToEight(2));
  EXPECT_EQ(24, TgaFiveToEight(3));
  EXPECT_EQ(32, TgaFiveToEight(4));
  EXPECT_EQ(41, TgaFiveToEight(5));
  EXPECT_EQ(246, TgaFiveToEight(30));
  EXPECT_EQ(255, TgaFiveToEight(31));
}

TEST(TgaRows, SixteenBitPixelsBecomeBlueGreenRed) {
  MemoryInput memory({0xFF, 0x7F, 0x1F, 0x00, 0xE0, 0x03});
  uint8_t row[9] = {};
  ASSERT_TRUE(ReadTgaRow(memory.input, TgaRowFormat{3, 16, false}, row));
  EXPECT_EQ((std::vector<uint8_t>{255, 255, 255, 255, 0, 0, 0, 255, 0}), Row(row, 9));
}

TEST(TgaRows, ThirtyTwoBitPixelsDropTheFourthByte) {
  MemoryInput memory({1, 2, 3, 4, 5, 6, 7, 8});
  uint8_t row[6] = {};
  ASSERT_TRUE(ReadTgaRow(memory.input, TgaRowFormat{2, 32, false}, row));
  EXPECT_EQ((std::vector<uint8_t>{1, 2, 3, 5, 6, 7}), Row(row, 6));
}

TEST(TgaRows, ExpandsRunAndRawPackets) {
  // A run of 3 pixels (1, 2, 3), then 2 raw pixels.
  MemoryInput memory({0x82, 1, 2, 3, 0x01, 4, 5, 6, 7, 8, 9});
  uint8_t row[15] = {};
  ASSERT_TRUE(ReadTgaRow(memory.input, TgaRowFormat{5, 24, true}, row));
  EXPECT_EQ((std::vector<uint8_t>{1, 2, 3, 1, 2, 3, 1, 2, 3, 4, 5, 6, 7, 8, 9}), Row(row, 15));
}

TEST(TgaRows, CutsARunAtTheEndOfTheRow) {
  // A run of 6 in a row of 4: the rest is dropped, the next row starts with
  // the header after the run's value.
  MemoryInput memory({0x85, 7, 0x83, 9});
  uint8_t row[4] = {};
  ASSERT_TRUE(ReadTgaRow(memory.input, TgaRowFormat{4, 8, true}, row));
  EXPECT_EQ((std::vector<uint8_t>{7, 7, 7, 7}), Row(row, 4));
  ASSERT_TRUE(ReadTgaRow(memory.input, TgaRowFormat{4, 8, true}, row));
  EXPECT_EQ((std::vector<uint8_t>{9, 9, 9, 9}), Row(row, 4));
}

TEST(TgaRows, CutsARawPacketAtTheEndOfTheRowAfterItsData) {
  MemoryInput memory({0x04, 1, 2, 3, 4, 5, 0x02, 6, 7, 8});
  uint8_t row[3] = {};
  ASSERT_TRUE(ReadTgaRow(memory.input, TgaRowFormat{3, 8, true}, row));
  EXPECT_EQ((std::vector<uint8_t>{1, 2, 3}), Row(row, 3));
  ASSERT_TRUE(ReadTgaRow(memory.input, TgaRowFormat{3, 8, true}, row));
  EXPECT_EQ((std::vector<uint8_t>{6, 7, 8}), Row(row, 3));
}

TEST(TgaRows, SkippingConsumesARowWithoutStoringIt) {
  MemoryInput memory({0x81, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x7C});
  ASSERT_TRUE(ReadTgaRow(memory.input, TgaRowFormat{2, 16, true}, nullptr));
  uint8_t row[6] = {};
  ASSERT_TRUE(ReadTgaRow(memory.input, TgaRowFormat{1, 16, true}, row));
  EXPECT_EQ((std::vector<uint8_t>{0, 0, 0}), Row(row, 3));
  ASSERT_TRUE(ReadTgaRow(memory.input, TgaRowFormat{1, 8, false}, row));
  EXPECT_EQ(0x7C, row[0]);
}

TEST(TgaRows, FailsWhenTheDataEndsInsideARow) {
  MemoryInput stored({1, 2, 3, 4, 5});
  uint8_t row[6] = {};
  EXPECT_FALSE(ReadTgaRow(stored.input, TgaRowFormat{2, 24, false}, row));
  MemoryInput packets({0x00, 1, 2, 3, 0x81, 4});
  EXPECT_FALSE(ReadTgaRow(packets.input, TgaRowFormat{3, 24, true}, row));
}
