// Where the title and the picture go on the printed page.
#pragma once

struct PageMetrics {
  int width = 0;  // device pixels
  int height = 0;
  int printerDpiX = 0;
  int printerDpiY = 0;
  int screenDpiX = 0;
  int screenDpiY = 0;
};

struct PrintPlacement {
  int titleX = 0;      // may be negative: a title wider than the page
  int titleSpace = 0;  // twice the title's height, at the top of the page
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// The picture keeps the size it has on the screen (scaled by the ratio of
// printer to screen resolution), is reduced in proportion when it does not
// fit below the title, and is centred in the space below the title.
// `titleWidth` and `titleHeight` are 0 when there is no title.
PrintPlacement PlacePicture(const PageMetrics& page, int pictureWidth, int pictureHeight,
                            int titleWidth, int titleHeight);
