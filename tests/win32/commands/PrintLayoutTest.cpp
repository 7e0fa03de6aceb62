#include "shellext/commands/PrintLayout.h"

#include <gtest/gtest.h>

namespace {

PageMetrics Page(int width, int height, int printerDpi, int screenDpi = 96) {
  PageMetrics page;
  page.width = width;
  page.height = height;
  page.printerDpiX = page.printerDpiY = printerDpi;
  page.screenDpiX = page.screenDpiY = screenDpi;
  return page;
}

void ExpectPlaced(const PrintPlacement& placed, int x, int y, int width, int height) {
  EXPECT_EQ(placed.x, x);
  EXPECT_EQ(placed.y, y);
  EXPECT_EQ(placed.width, width);
  EXPECT_EQ(placed.height, height);
}

}  // namespace

TEST(PrintLayout, ThePictureKeepsItsScreenSizeAtPrinterResolution) {
  // 640 x 480 at 96 dpi on a 600 dpi letter page, title 300 x 50.
  const PrintPlacement placed = PlacePicture(Page(5100, 6600, 600), 640, 480, 300, 50);
  EXPECT_EQ(placed.titleX, 2400);
  EXPECT_EQ(placed.titleSpace, 100);
  ExpectPlaced(placed, 550, 100 + (6500 - 3000) / 2, 4000, 3000);
}

TEST(PrintLayout, APageNarrowerThanThePictureTakesItsWidthKeepingTheProportions) {
  const PrintPlacement placed = PlacePicture(Page(3000, 6600, 600), 640, 480, 300, 50);
  ExpectPlaced(placed, 0, 100 + (6500 - 2250) / 2, 3000, 2250);
}

TEST(PrintLayout, APictureTallerThanThePageBelowTheTitleTakesThatHeight) {
  // 480 x 640 at 600 dpi: 3000 x 4000 on a 4000 x 3100 page, 100 for the title.
  const PrintPlacement placed = PlacePicture(Page(4000, 3100, 600), 480, 640, 300, 50);
  ExpectPlaced(placed, (4000 - 2250) / 2, 100, 2250, 3000);
}

TEST(PrintLayout, ScalingTruncatesTowardZero) {
  // 100 x 33 at 300 / 96: 312.5 x 103.125.
  const PrintPlacement placed = PlacePicture(Page(2480, 3508, 300), 100, 33, 0, 0);
  ExpectPlaced(placed, 1084, (3508 - 103) / 2, 312, 103);
  EXPECT_EQ(placed.titleSpace, 0);
}

TEST(PrintLayout, ATitleWiderThanThePageStartsLeftOfIt) {
  EXPECT_EQ(PlacePicture(Page(2480, 3508, 300), 10, 10, 3000, 99).titleX, -260);
}
