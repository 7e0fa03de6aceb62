// The colour cube quantizer, the palette optimiser and the grey palettes.
#include "codecs/ColorCubeQuantizer.h"
#include "codecs/GreyPalette.h"
#include "codecs/PaletteOptimizer.h"

#include <gtest/gtest.h>
#include <set>

namespace {

std::vector<uint8_t> Repeat(uint8_t blue, uint8_t green, uint8_t red, int count) {
  std::vector<uint8_t> row;
  for (int i = 0; i < count; ++i) row.insert(row.end(), {blue, green, red});
  return row;
}

TEST(ColorCubeQuantizerTest, CubeHas240ColoursInBlueGreenRedIndexOrder) {
  ColorCubeQuantizer cube(240, ColorCubeQuantizer::None, 1);
  uint8_t map[256][3];
  ASSERT_EQ(cube.GetColorMap(map), 240);
  const int red[6] = {0, 51, 102, 153, 204, 255};
  const int green[8] = {0, 36, 73, 109, 146, 182, 219, 255};
  const int blue[5] = {0, 64, 128, 191, 255};
  for (int index = 0; index < 240; ++index) {
    EXPECT_EQ(map[index][0], red[index % 6]) << "entry " << index;
    EXPECT_EQ(map[index][1], green[index / 6 % 8]) << "entry " << index;
    EXPECT_EQ(map[index][2], blue[index / 48]) << "entry " << index;
  }
}

TEST(ColorCubeQuantizerTest, MidGreyMapsToTheLevelsWhoseUpperBoundsItReaches) {
  ColorCubeQuantizer cube(240, ColorCubeQuantizer::None, 3);
  const std::vector<uint8_t> row = {128, 128, 128, 129, 129, 129, 255, 255, 255};
  uint8_t out[3];
  cube.QuantizeRow(row.data(), out);
  uint8_t map[256][3];
  cube.GetColorMap(map);
  EXPECT_EQ(out[0], 2 * 48 + 3 * 6 + 2);
  EXPECT_EQ(map[out[0]][0], 102);
  EXPECT_EQ(map[out[0]][1], 109);
  EXPECT_EQ(map[out[0]][2], 128);
  EXPECT_EQ(map[out[1]][0], 153) << "129 is past red level 2";
  EXPECT_EQ(map[out[1]][1], 146);
  EXPECT_EQ(map[out[1]][2], 128);
  EXPECT_EQ(out[2], 239);
}

TEST(ColorCubeQuantizerTest, OrderedDitherFollowsTheMatricesPerRowAndColumn) {
  // Red 25: with matrix C cell m the value looked up is 25 + 255(65 - 2m)/650.
  ColorCubeQuantizer cube(240, ColorCubeQuantizer::Ordered, 8);
  const std::vector<uint8_t> row = Repeat(0, 0, 25, 8);
  uint8_t first[8], second[8];
  cube.QuantizeRow(row.data(), first);
  cube.QuantizeRow(row.data(), second);
  // Row 0 of C: 44 28 35 19 47 31 32 16; red rises to level 1 when
  // 25 + offset > 26, i.e. for m <= 30.
  const int firstRed[8] = {0, 1, 0, 1, 0, 0, 0, 1};
  // Row 1 of C: 4 52 11 59 7 55 8 56.
  const int secondRed[8] = {1, 0, 1, 0, 1, 0, 1, 0};
  for (int x = 0; x < 8; ++x) {
    EXPECT_EQ(first[x] % 6, firstRed[x]) << "row 0 pixel " << x;
    EXPECT_EQ(second[x] % 6, secondRed[x]) << "row 1 pixel " << x;
  }
}

TEST(ColorCubeQuantizerTest, FloydSteinbergKeepsTheAverageOfAFlatArea) {
  const int width = 64;
  ColorCubeQuantizer cube(240, ColorCubeQuantizer::FloydSteinberg, width);
  uint8_t map[256][3];
  cube.GetColorMap(map);
  const std::vector<uint8_t> row = Repeat(100, 100, 100, width);
  std::vector<uint8_t> out(width);
  long sum[3] = {0, 0, 0};
  std::set<int> used;
  for (int y = 0; y < 16; ++y) {
    cube.QuantizeRow(row.data(), out.data());
    for (int x = 0; x < width; ++x) {
      used.insert(out[x]);
      for (int c = 0; c < 3; ++c) sum[c] += map[out[x]][c];
    }
  }
  EXPECT_GT(used.size(), 1u) << "the area is dithered";
  for (int c = 0; c < 3; ++c) EXPECT_NEAR(sum[c] / (16.0 * width), 100.0, 2.0) << "channel " << c;
}

TEST(ColorCubeQuantizerTest, PaletteInputIsReplacedByItsColours) {
  const uint8_t palette[3][3] = {{255, 0, 0}, {0, 0, 255}, {128, 128, 128}};
  ColorCubeQuantizer cube(240, ColorCubeQuantizer::None, 3, palette, 3);
  const uint8_t row[3] = {2, 0, 1};
  uint8_t out[3];
  cube.QuantizeRow(row, out);
  EXPECT_EQ(out[0], 116);
  EXPECT_EQ(out[1], 5);
  EXPECT_EQ(out[2], 4 * 48);
}

TEST(ColorCubeQuantizerTest, FiveFiveFiveDitherKeepsWhiteAndBlack) {
  ColorCubeQuantizer words(0, ColorCubeQuantizer::Ordered555, 16);
  EXPECT_EQ(words.GetColorMap(nullptr), 0);
  const std::vector<uint8_t> white = Repeat(255, 255, 255, 16);
  uint8_t out[32];
  words.QuantizeRow(white.data(), out);
  for (int x = 0; x < 16; ++x) EXPECT_EQ(out[2 * x] | out[2 * x + 1] << 8, 0x7FFF) << "pixel " << x;
  // A multiple of 8 moves up only where the matrix holds 0, and row 1 of
  // the matrices holds none.
  const std::vector<uint8_t> exact = Repeat(64, 128, 248, 16);
  words.QuantizeRow(exact.data(), out);
  const int expected = (248 >> 3) << 10 | (128 >> 3) << 5 | 64 >> 3;
  for (int x = 0; x < 16; ++x)
    EXPECT_EQ(out[2 * x] | out[2 * x + 1] << 8, expected) << "pixel " << x;
  const std::vector<uint8_t> black = Repeat(0, 0, 0, 16);
  words.QuantizeRow(black.data(), out);
  // Row 2: matrix A holds no 0, so red stays 0 throughout.
  for (int x = 0; x < 16; ++x)
    EXPECT_EQ((out[2 * x] | out[2 * x + 1] << 8) >> 10, 0) << "pixel " << x;
}

TEST(ColorCubeQuantizerTest, FiveFiveFiveDitherRoundsUpByTheMatrix) {
  // Value 4 (4 x 63 = 252) moves up to 8 where 7 (m - 1) < 252, i.e. m <= 36.
  ColorCubeQuantizer words(0, ColorCubeQuantizer::Ordered555, 8);
  const std::vector<uint8_t> row = Repeat(0, 0, 4, 8);  // red 4
  uint8_t out[16];
  words.QuantizeRow(row.data(), out);
  // Red follows matrix A, row 0: 0 32 8 40 2 34 10 42.
  const int up[8] = {1, 1, 1, 0, 1, 1, 1, 0};
  for (int x = 0; x < 8; ++x) {
    int redWord = (out[2 * x] | out[2 * x + 1] << 8) >> 10;
    EXPECT_EQ(redWord, up[x]) << "pixel " << x;
  }
}

TEST(PaletteOptimizerTest, FewColoursGetOneEntryEachAtTheirCellCentres) {
  PaletteOptimizer optimizer(236, false, 3);
  const std::vector<uint8_t> row = {0, 0, 255, 255, 0, 0, 40, 80, 120};
  for (int i = 0; i < 5; ++i) optimizer.CountPixels(row.data(), 3);
  uint8_t palette[256][3];
  ASSERT_EQ(optimizer.ComputePalette(palette), 3);
  std::set<std::vector<int>> colours;
  for (int i = 0; i < 3; ++i) colours.insert({palette[i][0], palette[i][1], palette[i][2]});
  EXPECT_EQ(colours, (std::set<std::vector<int>>{{252, 2, 4}, {4, 2, 252}, {124, 82, 44}}));
  uint8_t indices[3];
  optimizer.MapRow(row.data(), indices);
  EXPECT_EQ(palette[indices[0]][0], 252);
  EXPECT_EQ(palette[indices[1]][2], 252);
  EXPECT_EQ(palette[indices[2]][1], 82);
}

TEST(PaletteOptimizerTest, ManyColoursAreCutInto236Boxes) {
  const int width = 256;
  PaletteOptimizer optimizer(236, true, width);
  std::vector<std::vector<uint8_t>> rows;
  for (int y = 0; y < 64; ++y) {
    std::vector<uint8_t> row;
    for (int x = 0; x < width; ++x)
      row.insert(row.end(), {static_cast<uint8_t>(x), static_cast<uint8_t>(y * 4),
                             static_cast<uint8_t>(255 - x)});
    optimizer.CountPixels(row.data(), width);
    rows.push_back(row);
  }
  uint8_t palette[256][3];
  ASSERT_EQ(optimizer.ComputePalette(palette), 236);
  std::vector<uint8_t> indices(width);
  long error = 0;
  for (const auto& row : rows) {
    optimizer.MapRow(row.data(), indices.data());
    for (int x = 0; x < width; ++x) {
      ASSERT_LT(indices[x], 236);
      error += std::abs(palette[indices[x]][2] - row[3 * x]);
    }
  }
  EXPECT_LT(error / (64.0 * width), 12.0) << "mean blue error";
}

TEST(GreyPaletteTest, Levels236EndAt254AndTheIndexTableAt235) {
  uint8_t levels[256][3];
  ASSERT_EQ(MakeGreyLevels(levels), 236);
  const int start[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 14};
  for (int i = 0; i < 14; ++i) EXPECT_EQ(levels[i][0], start[i]) << "level " << i;
  EXPECT_EQ(levels[234][1], 253);
  EXPECT_EQ(levels[235][2], 254);
  uint16_t table[256];
  MakeGreyIndexTable(table);
  EXPECT_EQ(table[0], 0);
  EXPECT_EQ(table[13], 11);
  EXPECT_EQ(table[128], 117);
  EXPECT_EQ(table[254], 234);
  EXPECT_EQ(table[255], 235);
  for (int v = 0; v < 256; ++v) EXPECT_LE(std::abs(levels[table[v]][0] - v), 2) << "grey " << v;
}

TEST(GreyPaletteTest, RampsSpreadEvenlyFromBlackToWhite) {
  uint8_t ramp[256][3];
  ASSERT_EQ(MakeGreyRamp(1, ramp), 2);
  EXPECT_EQ(ramp[1][0], 255);
  ASSERT_EQ(MakeGreyRamp(2, ramp), 4);
  EXPECT_EQ(ramp[1][0], 85);
  ASSERT_EQ(MakeGreyRamp(8, ramp), 256);
  EXPECT_EQ(ramp[200][2], 200);
}

}  // namespace
