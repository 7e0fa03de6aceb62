// PNG files made for the tests by libpng's own writer: any colour type, bit
// depth and interlacing, with the optional PLTE, tRNS, bKGD and gAMA chunks.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

struct PngImageSpec {
  int width = 1;
  int height = 1;
  int bitDepth = 8;
  int colorType = 0;  // PNG_COLOR_TYPE_...
  bool interlaced = false;
  std::vector<std::array<uint8_t, 3>> palette;  // PLTE, red, green, blue
  std::vector<uint8_t> transparency;            // tRNS: alpha of the first palette entries
  bool hasBackground = false;
  std::array<uint16_t, 3> background = {};  // bKGD: red, green, blue (grey: [0]; index: [0])
  double gamma = 0;                         // gAMA when above 0
  // Sample `channel` of pixel (x, y), in the file's bit depth. Channels in
  // file order: grey [alpha], index, or red, green, blue [alpha].
  std::function<uint16_t(int x, int y, int channel)> sample;
};

int PngChannels(int colorType);

std::vector<uint8_t> WritePngImage(const PngImageSpec& spec);

// An 8-bit PNG of any size whose samples are all zero, written without
// holding its pixels: a picture of many megapixels in a file of a few
// megabytes, for the limits a load keeps.
// A palette picture shows palette entry 0, `paletteColour`, everywhere.
std::vector<uint8_t> ZeroPngImage(int width, int height, int colorType, bool interlaced,
                                  std::array<uint8_t, 3> paletteColour = {});
