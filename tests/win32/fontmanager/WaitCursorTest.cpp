// The hourglass of a long operation stands exactly as long as the operation.
#include "platform/forms/ScreenCursor.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

HCURSOR SystemCursor(LPCSTR id) { return LoadCursorA(nullptr, id); }

TEST(WaitCursor, ShowsTheHourglassForItsScopeAndTheArrowAfterIt) {
  {
    TWaitCursor wait;
    EXPECT_EQ(ScreenCursor(), TCursor::HourGlass);
    EXPECT_EQ(GetCursor(), SystemCursor(IDC_WAIT));
  }
  EXPECT_EQ(ScreenCursor(), TCursor::Default);
  EXPECT_EQ(GetCursor(), SystemCursor(IDC_ARROW));
}

TEST(WaitCursor, AnOperationEndedByAnExceptionLeavesTheArrow) {
  try {
    TWaitCursor wait;
    throw std::runtime_error("stopped");
  } catch (const std::runtime_error&) {
    EXPECT_EQ(ScreenCursor(), TCursor::Default);
    EXPECT_EQ(GetCursor(), SystemCursor(IDC_ARROW));
  }
}

}  // namespace
