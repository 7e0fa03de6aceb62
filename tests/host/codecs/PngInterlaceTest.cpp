// Where the rows and pixels of the seven interlace passes land.
#include "codecs/PngInterlace.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

std::vector<std::pair<int, int>> Walk(int width, int height) {
  std::vector<std::pair<int, int>> rows;
  InterlacePosition position = FirstInterlacePosition();
  while (position.pass < kAdam7PassCount && rows.size() < 1000) {
    rows.emplace_back(position.pass, position.row);
    AdvanceInterlace(&position, width, height);
  }
  return rows;
}

TEST(PngInterlaceTest, EightByEightVisitsFifteenRowsPassByPass) {
  const std::vector<std::pair<int, int>> expected = {{0, 0}, {1, 0}, {2, 4}, {3, 0}, {3, 4},
                                                     {4, 2}, {4, 6}, {5, 0}, {5, 2}, {5, 4},
                                                     {5, 6}, {6, 1}, {6, 3}, {6, 5}, {6, 7}};
  EXPECT_EQ(Walk(8, 8), expected);
}

TEST(PngInterlaceTest, PassesWithoutPixelsAreSkipped) {
  // Three wide and one high: pass 1 starts at column 4, passes 2, 4 and 6
  // start below the only row.
  const std::vector<std::pair<int, int>> expected = {{0, 0}, {3, 0}, {5, 0}};
  EXPECT_EQ(Walk(3, 1), expected);
  const std::vector<std::pair<int, int>> single = {{0, 0}};
  EXPECT_EQ(Walk(1, 1), single);
}

TEST(PngInterlaceTest, RowCountOfAllPassesIsFifteenEighthsOfTheHeight) {
  EXPECT_EQ(Walk(16, 16).size(), 30u);
  EXPECT_EQ(Walk(100, 64).size(), 120u);
}

TEST(PngInterlaceTest, PassRowPixelsGoToTheirColumnsAndNoOthers) {
  const uint8_t passRow[] = {10, 11, 20, 21, 30, 31};
  std::vector<uint8_t> image(2 * 11, 0xEE);
  SpreadPassRow(passRow, 3, 11, 2, image.data());  // columns 2, 6, 10
  const std::vector<uint8_t> expected = {0xEE, 0xEE, 0xEE, 0xEE, 10, 11, 0xEE, 0xEE,
                                         0xEE, 0xEE, 0xEE, 0xEE, 20, 21, 0xEE, 0xEE,
                                         0xEE, 0xEE, 0xEE, 0xEE, 30, 31};
  EXPECT_EQ(image, expected);
}

TEST(PngInterlaceTest, LastPassFillsEveryColumn) {
  const uint8_t passRow[] = {1, 2, 3, 4, 5};
  std::vector<uint8_t> image(5, 0);
  SpreadPassRow(passRow, 6, 5, 1, image.data());
  EXPECT_EQ(image, std::vector<uint8_t>({1, 2, 3, 4, 5}));
}

}  // namespace
