#include "codecs/GifInterlace.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
std::vector<int> Order(int height) {
  std::vector<int> rows;
  for (int row = 0; row < height && rows.size() < 100; row = NextInterlacedRow(row, height))
    rows.push_back(row);
  return rows;
}
}  // namespace

TEST(GifInterlace, VisitsEveryRowOnceInFourPasses) {
  EXPECT_EQ((std::vector<int>{0, 8, 16, 4, 12, 2, 6, 10, 14, 1, 3, 5, 7, 9, 11, 13, 15, 17}),
            Order(18));
}

TEST(GifInterlace, PassesOverPassesAShortImageDoesNotHave) {
  EXPECT_EQ((std::vector<int>{0}), Order(1));
  EXPECT_EQ((std::vector<int>{0, 1}), Order(2));
  EXPECT_EQ((std::vector<int>{0, 2, 1}), Order(3));
  EXPECT_EQ((std::vector<int>{0, 4, 2, 1, 3}), Order(5));
}
