#include "PrintLayout.h"

#include <cstdint>

PrintPlacement PlacePicture(const PageMetrics& page, int pictureWidth, int pictureHeight,
                            int titleWidth, int titleHeight) {
  PrintPlacement placed;
  placed.titleX = (page.width - titleWidth) / 2;
  placed.titleSpace = 2 * titleHeight;
  const int usableHeight = page.height - placed.titleSpace;
  if (pictureWidth <= 0 || pictureHeight <= 0 || page.screenDpiX <= 0 || page.screenDpiY <= 0)
    return placed;

  const double scaleX = static_cast<double>(page.printerDpiX) / page.screenDpiX;
  const double scaleY = static_cast<double>(page.printerDpiY) / page.screenDpiY;
  int width = static_cast<int>(scaleX * pictureWidth);
  int height = static_cast<int>(scaleY * pictureHeight);
  if (width > page.width || height > usableHeight) {
    width = page.width;
    height = static_cast<int>(int64_t{pictureHeight} * page.width / pictureWidth);
    if (height > usableHeight) {
      height = usableHeight;
      width = static_cast<int>(int64_t{pictureWidth} * usableHeight / pictureHeight);
    }
  }
  placed.width = width;
  placed.height = height;
  placed.x = (page.width - width) / 2;
  placed.y = placed.titleSpace + (usableHeight - height) / 2;
  return placed;
}
