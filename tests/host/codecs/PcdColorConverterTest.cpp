#include "codecs/PcdColorConverter.h"

#include <gtest/gtest.h>

#include <vector>

TEST(PcdColorConverter, NeutralChromaGivesGreys) {
  PcdColorConverter converter;
  EXPECT_EQ(0, converter.Blue(0, 156, 137));
  EXPECT_EQ(0, converter.Green(0, 156, 137));
  EXPECT_EQ(0, converter.Red(0, 156, 137));
  // 188 x 1.35638 = 254.999, truncated.
  EXPECT_EQ(254, converter.Blue(188, 156, 137));
  EXPECT_EQ(254, converter.Green(188, 156, 137));
  EXPECT_EQ(254, converter.Red(188, 156, 137));
  for (int y = 189; y < 256; ++y) {
    EXPECT_EQ(255, converter.Blue(y, 156, 137)) << "Y " << y;
    EXPECT_EQ(255, converter.Green(y, 156, 137)) << "Y " << y;
    EXPECT_EQ(255, converter.Red(y, 156, 137)) << "Y " << y;
  }
  EXPECT_EQ(135, converter.Red(100, 156, 137));  // trunc(100 x 1.35638)
}

TEST(PcdColorConverter, ChromaMovesEachChannelByItsTable) {
  PcdColorConverter converter;
  // Y 100 = 135; C1 200: blue + trunc(44 x 2.21802) = 97, green +
  // trunc(-44 x 0.43018) = -18; C2 100: green + trunc(37 x 0.92725) = 34,
  // red + trunc(-37 x 1.82153) = -67.
  EXPECT_EQ(232, converter.Blue(100, 200, 100));
  EXPECT_EQ(151, converter.Green(100, 200, 100));
  EXPECT_EQ(68, converter.Red(100, 200, 100));
}

TEST(PcdColorConverter, ClampsTheExtremes) {
  PcdColorConverter converter;
  EXPECT_EQ(0, converter.Blue(0, 0, 0));        // 0 - 346
  EXPECT_EQ(255, converter.Blue(255, 255, 0));  // 345 + 219
  EXPECT_EQ(0, converter.Red(0, 0, 0));
  EXPECT_EQ(255, converter.Red(255, 0, 255));
  EXPECT_EQ(255, converter.Green(255, 0, 0));
  EXPECT_EQ(0, converter.Green(0, 255, 255));
}

TEST(PcdColorConverter, ConvertsALineWithSharedChromaForward) {
  PcdColorConverter converter;
  uint8_t luma[4] = {0, 188, 100, 100};
  uint8_t c1[2] = {156, 200};
  uint8_t c2[2] = {137, 100};
  uint8_t bgr[12] = {};
  converter.ConvertLine(luma, c1, c2, 4, false, bgr);
  EXPECT_EQ((std::vector<uint8_t>{0, 0, 0, 254, 254, 254, 232, 151, 68, 232, 151, 68}),
            std::vector<uint8_t>(bgr, bgr + 12));
  converter.ConvertLine(luma, c1, c2, 4, true, bgr);
  EXPECT_EQ((std::vector<uint8_t>{232, 151, 68, 232, 151, 68, 254, 254, 254, 0, 0, 0}),
            std::vector<uint8_t>(bgr, bgr + 12));
}
