// Which stored lines a vertically shrunk picture shows.
#include "codecs/StoredLineRun.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

LineSelection Select(int64_t stored, int64_t shown) {
  LineSelection selection;
  selection.stored = stored;
  selection.shown = shown;
  return selection;
}

TEST(LineSelectionTest, EachOutputLineShowsTheLastStoredLineFallingOnIt) {
  EXPECT_EQ(Select(4, 2).StoredLineOf(0), 1);
  EXPECT_EQ(Select(4, 2).StoredLineOf(1), 3);
  EXPECT_EQ(Select(5, 5).StoredLineOf(3), 3) << "at full size every line is kept";
  EXPECT_EQ(Select(7, 3).StoredLineOf(0), 2);
  EXPECT_EQ(Select(7, 3).StoredLineOf(2), 6);
}

// Readers whose lines come in order ask for the line of each output line;
// interlaced ones ask of each line whether it is shown. Both must agree.
TEST(LineSelectionTest, BothQuestionsPickTheSameLinesEndingWithTheLast) {
  for (int stored = 1; stored <= 40; ++stored) {
    for (int shown = 1; shown <= stored; ++shown) {
      const LineSelection selection = Select(stored, shown);
      std::vector<int64_t> picked;
      for (int line = 0; line < stored; ++line) {
        int output = -1;
        if (!selection.IsShown(line, &output)) continue;
        ASSERT_EQ(output, static_cast<int>(picked.size())) << stored << " as " << shown;
        picked.push_back(line);
      }
      ASSERT_EQ(picked.size(), static_cast<size_t>(shown)) << stored << " as " << shown;
      for (int output = 0; output < shown; ++output)
        ASSERT_EQ(selection.StoredLineOf(output), picked[output]) << stored << " as " << shown;
      EXPECT_EQ(picked.back(), stored - 1);
    }
  }
}

TEST(LineSelectionTest, HeightsNearTheIntegerLimitDoNotOverflow) {
  const LineSelection selection = Select(2000000000, 40000000);
  EXPECT_EQ(selection.StoredLineOf(39999999), 1999999999);
  EXPECT_EQ(selection.StoredLineOf(0), 49);
  int output = -1;
  EXPECT_TRUE(selection.IsShown(1999999999, &output));
  EXPECT_EQ(output, 39999999);
}

}  // namespace
